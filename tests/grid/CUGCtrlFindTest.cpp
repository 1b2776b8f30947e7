// Find and replace driven through the platform's find/replace dialog, as a user would press its
// buttons.
#include "GridTestSupport.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CFindReplaceDialog.h"
#include "support/MessageBoxRecorder.h"

namespace
{
class FindTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(3);
        grid.SetNumberRows(5);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1));
        grid.QuickSetText(0, 0, "alpha");
        grid.QuickSetText(1, 1, "Cat and cat");
        grid.QuickSetText(2, 3, "cat");
        grid.QuickSetText(0, 4, "dog");
        dialog = new CFindReplaceDialog; // deletes itself when closed
        ASSERT_TRUE(dialog->Create(FALSE, "cat", "dog", FR_DOWN, &grid));
        grid.m_findDialog = dialog;
        grid.m_findDialogRunning = TRUE;
        grid.m_findInAllCols = TRUE;
    }
    void TearDown() override
    {
        if (grid.m_findDialog)
            dialog->DestroyWindow();
        GridWindowTest::TearDown();
    }

    void Press(UINT button) { dialog->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED)); }
    CString Text(int col, int row)
    {
        CString text;
        grid.QuickGetText(col, row, &text);
        return text;
    }

    RecordingGrid grid;
    CFindReplaceDialog* dialog = nullptr;
};
} // namespace

TEST_F(FindTest, FindNextMovesToTheNextMatchAndReplaceChangesOnlyTheOccurrences)
{
    Press(IDOK);
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(Text(1, 1), "Cat and cat");

    Press(CFindReplaceDialog::kReplace);
    EXPECT_EQ(Text(1, 1), "dog and dog"); // both occurrences, case ignored; the rest kept
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetCurrentRow(), 3);
    EXPECT_EQ(Text(2, 3), "cat");
}

TEST_F(FindTest, MatchCaseAndWholeWordNarrowTheSearch)
{
    dialog->CheckDlgButton(CFindReplaceDialog::kMatchCase, BST_CHECKED);
    grid.QuickSetText(1, 1, "Cat");
    Press(IDOK);
    EXPECT_EQ(grid.GetCurrentCol(), 2); // "Cat" does not match with case
    EXPECT_EQ(grid.GetCurrentRow(), 3);

    dialog->CheckDlgButton(CFindReplaceDialog::kMatchCase, BST_UNCHECKED);
    dialog->CheckDlgButton(CFindReplaceDialog::kWholeWord, BST_CHECKED);
    grid.QuickSetText(1, 1, "cat flap");
    grid.GotoCell(0, 0);
    Press(IDOK);
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetCurrentRow(), 3);
}

TEST_F(FindTest, ReplaceAllStopsAfterOnePassEvenWhenTheReplacementStillMatches)
{
    dialog->SetDlgItemText(CFindReplaceDialog::kReplaceWith, "cats");
    Press(CFindReplaceDialog::kReplaceAll);
    EXPECT_EQ(Text(1, 1), "cats and cats");
    EXPECT_EQ(Text(2, 3), "cats");
    EXPECT_EQ(Text(0, 0), "alpha");
}

TEST_F(FindTest, NoMatchShowsOneBoxAndKeepsTheCurrentCell)
{
    CMessageBoxRecorder boxes;
    grid.GotoCell(1, 2);
    dialog->SetDlgItemText(CFindReplaceDialog::kFindWhat, "zebra");
    Press(IDOK);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Item not found");
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
}

TEST_F(FindTest, ClosingTheDialogEndsAnsweringIt)
{
    Press(IDCANCEL);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FALSE(grid.m_findDialogRunning);
    EXPECT_EQ(grid.m_findDialog, nullptr);
    const UINT message = RegisterWindowMessage(FINDMSGSTRING);
    EXPECT_EQ(grid.SendMessage(message, 0, 0), 1);
}
