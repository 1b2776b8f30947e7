// In-place editing on the offscreen platform: the editor is opened over a cell, keys are sent to
// it as window messages, and the notifications tell what the control asked and decided.
#include "GridTestSupport.h"
#include "grid/CUGEdit.h"
#include "grid/CUGGrid.h"
#include "grid/CUGMaskedEdit.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "platform/framework/windows/WindowTesting.h"
#include "support/MessageBoxRecorder.h"

#include <functional>

namespace
{
using Log = std::vector<std::string>;

class EditingGrid : public RecordingGrid
{
public:
    BOOL allowStart = TRUE;
    BOOL allowFinish = TRUE;
    BOOL allowContinue = TRUE;
    // Characters refused by OnEditVerify, and a replacement for every accepted one (0: none).
    std::string refusedChars;
    UINT replaceWith = 0;
    std::function<void()> onRefusedFinish;
    std::function<void(int*, int*)> redirect;

    BOOL OnEditStart(int col, int row, CWnd**) override
    {
        log.push_back(Line("OnEditStart", col, row));
        return allowStart;
    }
    BOOL OnEditVerify(int col, int row, CWnd*, UINT* key) override
    {
        log.push_back(Line("OnEditVerify", col, row, *key));
        if (refusedChars.find(char(*key)) != std::string::npos)
            return FALSE;
        if (replaceWith)
            *key = replaceWith;
        return TRUE;
    }
    BOOL OnEditFinish(int col, int row, CWnd*, const CString& text, BOOL cancelled) override
    {
        log.push_back(Line("OnEditFinish", col, row, text.GetString(), cancelled));
        if (!allowFinish && onRefusedFinish)
            onRefusedFinish();
        return allowFinish;
    }
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override
    {
        log.push_back(Line("OnEditContinue", oldCol, oldRow, *newCol, *newRow));
        if (redirect)
            redirect(newCol, newRow);
        return allowContinue;
    }
    void OnKillFocusTo(int section, CWnd*) override { log.push_back(Line("OnKillFocusTo", section)); }
};

class EditTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(4);
        grid.SetNumberRows(6);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 1));
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 6; ++row)
                grid.QuickSetText(col, row, CString::Formatted("c%dr%d", col, row));
        grid.m_CUGGrid->SetFocus();
        grid.log.clear();
    }

    CString Text(int col, int row)
    {
        CString text;
        grid.QuickGetText(col, row, &text);
        return text;
    }
    CString EditorText()
    {
        CString text;
        grid.m_editCtrl->GetWindowText(text);
        return text;
    }
    void Key(UINT key) { grid.m_editCtrl->SendMessage(WM_KEYDOWN, key); }
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p)
            grid.m_editCtrl->SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(*p)));
    }

    EditingGrid grid;
};
} // namespace

TEST_F(EditTest, TypingAKeyReplacesTheTextAndEnterWritesItAndMovesDown)
{
    ASSERT_EQ(grid.StartEditAt(1, 2, 'x'), 0);
    ASSERT_TRUE(grid.m_editInProgress);
    EXPECT_EQ(grid.m_editCtrl, static_cast<CWnd*>(grid.m_CUGEdit.get()));
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    EXPECT_TRUE(grid.m_CUGEdit->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(grid.m_CUGEdit.get()));
    // The editor is a child of the cell area and covers the cell moved in by one pixel.
    EXPECT_EQ(grid.m_CUGEdit->GetParent(), static_cast<CWnd*>(grid.m_CUGGrid.get()));
    CRect cell, placed;
    grid.GetCellRect(1, 2, &cell);
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_EQ(placed.left, cell.left + 1);
    EXPECT_EQ(placed.top, cell.top + 1);
    EXPECT_EQ(placed.bottom, cell.bottom - 1);
    EXPECT_EQ(EditorText(), "x");

    Type("yz");
    Key(VK_RETURN);
    EXPECT_EQ(Text(1, 2), "xyz");
    // Enter continues one row down with the editor open again on that cell's text.
    EXPECT_TRUE(grid.m_editInProgress);
    EXPECT_EQ(grid.m_editCol, 1);
    EXPECT_EQ(grid.m_editRow, 3);
    EXPECT_EQ(EditorText(), "c1r3");
    EXPECT_EQ(grid.Only("OnEdit"), (Log{"OnEditStart(1,2)", "OnEditVerify(1,2,120)", "OnEditVerify(1,2,121)",
                                        "OnEditVerify(1,2,122)", "OnEditFinish(1,2,xyz,0)", "OnEditContinue(1,2,1,3)",
                                        "OnEditStart(1,3)"}));
}

TEST_F(EditTest, EscapeThrowsTheTextAwayAndEndsEditing)
{
    ASSERT_EQ(grid.StartEditAt(2, 1, 'q'), 0);
    Key(VK_ESCAPE);
    EXPECT_FALSE(grid.m_editInProgress);
    EXPECT_FALSE(grid.m_CUGEdit->IsWindowVisible());
    EXPECT_EQ(Text(2, 1), "c2r1");
    EXPECT_EQ(grid.Only("OnEditFinish"), (Log{"OnEditFinish(2,1,q,1)"}));
    EXPECT_TRUE(grid.Only("OnEditContinue").empty());
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(grid.m_CUGGrid.get()));
}

TEST_F(EditTest, TabUpDownAndTheTextEdgesContinueInTheirDirections)
{
    ASSERT_EQ(grid.StartEditAt(1, 1), 0);
    EXPECT_EQ(EditorText(), "c1r1");
    Key(VK_TAB);
    EXPECT_EQ(grid.m_editCol, 2);
    EXPECT_EQ(grid.m_editRow, 1);
    Key(VK_DOWN);
    EXPECT_EQ(grid.m_editRow, 2);
    Key(VK_UP);
    EXPECT_EQ(grid.m_editRow, 1);

    // Left inside the text moves the caret; at position 0 it leaves the cell.
    grid.m_CUGEdit->SetSel(2, 2);
    Key(VK_LEFT);
    EXPECT_EQ(grid.m_editCol, 2);
    grid.m_CUGEdit->SetSel(0, 0);
    Key(VK_LEFT);
    EXPECT_EQ(grid.m_editCol, 1);
    // Right leaves at the very end, or with the whole text selected (as when editing starts).
    grid.m_CUGEdit->SetSel(1, 1);
    Key(VK_RIGHT);
    EXPECT_EQ(grid.m_editCol, 1);
    grid.m_CUGEdit->SetSel(0, -1);
    Key(VK_RIGHT);
    EXPECT_EQ(grid.m_editCol, 2);
    Key(VK_ESCAPE);
    // Nothing was typed: every cell kept its text.
    EXPECT_EQ(Text(1, 1), "c1r1");
    EXPECT_EQ(Text(2, 1), "c2r1");
}

TEST_F(EditTest, ContinuingPastTheLastColumnOrRowWrapsUnlessTheApplicationRedirects)
{
    ASSERT_EQ(grid.StartEditAt(3, 2), 0);
    Key(VK_TAB);
    EXPECT_EQ(grid.m_editCol, 0);
    EXPECT_EQ(grid.m_editRow, 2);
    EXPECT_EQ(grid.Only("OnEditContinue").back(), "OnEditContinue(3,2,0,2)");
    grid.StartEditAt(0, 0); // ignored while editing
    EXPECT_EQ(grid.m_editCol, 0);

    Key(VK_ESCAPE);
    ASSERT_EQ(grid.StartEditAt(0, 0), 0);
    Key(VK_UP);
    EXPECT_EQ(grid.m_editRow, 5);

    grid.redirect = [](int* col, int* row) { *col = 2, *row = 4; };
    Key(VK_DOWN);
    EXPECT_EQ(grid.m_editCol, 2);
    EXPECT_EQ(grid.m_editRow, 4);

    grid.allowContinue = FALSE;
    Key(VK_DOWN);
    EXPECT_FALSE(grid.m_editInProgress);
}

TEST_F(EditTest, VerificationRefusesOrChangesTypedCharacters)
{
    ASSERT_EQ(grid.StartEditAt(0, 0), 0);
    grid.refusedChars = "7";
    Type("a7b");
    EXPECT_EQ(EditorText(), "ab");
    grid.replaceWith = 'Z';
    Type("c");
    EXPECT_EQ(EditorText(), "abZ");
    // Delete goes on only when character 127 is allowed.
    grid.replaceWith = 0;
    grid.refusedChars = "\x7f";
    grid.m_CUGEdit->SetSel(0, 0);
    Key(VK_DELETE);
    EXPECT_EQ(EditorText(), "abZ");
    grid.refusedChars.clear();
    Key(VK_DELETE);
    EXPECT_EQ(EditorText(), "bZ");
    Key(VK_RETURN);
    EXPECT_EQ(Text(0, 0), "bZ");
}

namespace
{
// Stands for a message box: once it has closed, the focus goes back to the window that had it
// before, after the messages waiting at that moment.
class FocusRestorer : public CWnd
{
public:
    static constexpr UINT kRestore = WM_USER + 1;
    CWnd* target = nullptr;
    int restores = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kRestore && ++restores <= 5)
        {
            target->SetFocus();
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
} // namespace

TEST_F(EditTest, ARefusedFinishKeepsTheEditorOpenWithoutAskingAgainWhenItsBoxCloses)
{
    FocusRestorer box;
    ASSERT_TRUE(box.CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 1, 1), &grid, 99));
    box.target = grid.m_CUGGrid.get();
    ASSERT_EQ(grid.StartEditAt(1, 1, 'n'), 0);
    grid.allowFinish = FALSE;
    int boxes = 0;
    grid.onRefusedFinish = [&] {
        ++boxes;
        box.PostMessage(FocusRestorer::kRestore);
    };
    Key(VK_RETURN);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(grid.m_editInProgress);
    EXPECT_TRUE(grid.m_CUGEdit->IsWindowVisible());
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(grid.m_CUGEdit.get()));
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(Text(1, 1), "c1r1");

    grid.allowFinish = TRUE;
    Key(VK_RETURN);
    EXPECT_EQ(Text(1, 1), "n");
    EXPECT_EQ(boxes, 1);
}

TEST_F(EditTest, ReadOnlyCellsAndRefusedStartsOpenNoEditor)
{
    CUGCell cell;
    grid.GetCell(2, 2, &cell);
    cell.SetReadOnly(TRUE);
    grid.SetCell(2, 2, &cell);
    EXPECT_NE(grid.StartEditAt(2, 2, 'x'), 0);
    EXPECT_FALSE(grid.m_editInProgress);
    EXPECT_TRUE(grid.Only("OnEditStart").empty());
    EXPECT_EQ(Text(2, 2), "c2r2");

    // Check box cells are never edited as text.
    grid.QuickSetCellType(3, 3, 2);
    EXPECT_NE(grid.StartEditAt(3, 3), 0);
    EXPECT_TRUE(grid.Only("OnEditStart").empty());

    grid.allowStart = FALSE;
    EXPECT_NE(grid.StartEditAt(1, 1, 'x'), 0);
    EXPECT_EQ(grid.Only("OnEditStart"), (Log{"OnEditStart(1,1)"}));
    EXPECT_FALSE(grid.m_editInProgress);
    EXPECT_FALSE(grid.m_CUGEdit->IsWindowVisible());
}

TEST_F(EditTest, NumberCellsAreConvertedBackAfterEditing)
{
    grid.QuickSetNumber(0, 4, 1.5);
    ASSERT_EQ(grid.StartEditAt(0, 4, '7'), 0);
    Key(VK_ESCAPE);
    ASSERT_EQ(grid.StartEditAt(0, 4, '4'), 0);
    Type("2");
    grid.allowContinue = FALSE;
    Key(VK_RETURN);
    CUGCell cell;
    grid.GetCell(0, 4, &cell);
    EXPECT_EQ(cell.GetDataType(), UGCELLDATA_NUMBER);
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 42.0);
}

TEST_F(EditTest, HeadingCellsAreEditedInTheirHeadingWindow)
{
    grid.QuickSetText(1, -1, "Head");
    ASSERT_EQ(grid.StartEditAt(1, -1), 0);
    EXPECT_EQ(grid.m_CUGEdit->GetParent(), static_cast<CWnd*>(grid.m_CUGTopHdg.get()));
    EXPECT_EQ(EditorText(), "Head");
    CRect placed;
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGTopHdg->ScreenToClient(&placed);
    CRect cell;
    grid.GetCellRect(1, 0, &cell);
    EXPECT_EQ(placed.left, cell.left + 1);
    EXPECT_EQ(placed.top, 1);
    Key(VK_ESCAPE);

    ASSERT_EQ(grid.StartEditAt(-1, 2), 0);
    EXPECT_EQ(grid.m_CUGEdit->GetParent(), static_cast<CWnd*>(grid.m_CUGSideHdg.get()));
    Key(VK_ESCAPE);
}

TEST_F(EditTest, TextRunningIntoAnEmptyNeighbourRedrawsTheWholeControl)
{
    for (int col = 1; col < 4; ++col)
        grid.QuickSetText(col, 0, ""); // no text at all, as a cell never written
    const CString longText = "a text far wider than its column";
    ASSERT_EQ(grid.StartEditAt(0, 0), 0);
    grid.logGetCell = true;
    grid.log.clear();
    grid.EditCtrlFinished(longText, FALSE, FALSE, 0, 0);
    // The row heading is repainted too: the whole control was redrawn, not the one cell.
    EXPECT_FALSE(grid.Only("OnGetCell(-1,0)").empty());

    grid.QuickSetText(1, 1, "");
    grid.QuickSetText(1, 1, "x"); // a neighbour with text stops the run: the cell alone is redrawn
    ASSERT_EQ(grid.StartEditAt(0, 1), 0);
    grid.log.clear();
    grid.EditCtrlFinished(longText, FALSE, FALSE, 0, 0);
    EXPECT_TRUE(grid.Only("OnGetCell(-1,1)").empty());
}

TEST_F(EditTest, MaskedCellsUseTheMaskedEditor)
{
    CUGCell cell;
    grid.GetCell(1, 1, &cell);
    cell.SetMask("(999) 000-0000");
    cell.SetText("");
    grid.SetCell(1, 1, &cell);
    ASSERT_EQ(grid.StartEditAt(1, 1), 0);
    EXPECT_EQ(grid.m_editCtrl, static_cast<CWnd*>(grid.m_CUGMaskedEdit.get()));
    Type("5551234567");
    EXPECT_EQ(EditorText(), "(555) 123-4567");
    Type("8");
    EXPECT_EQ(EditorText(), "(555) 123-4567");
    Key(VK_RETURN);
    EXPECT_EQ(Text(1, 1), "(555) 123-4567");
}

TEST_F(EditTest, TheEditorGrowsOverTheCellsToItsRightAsTheTextGrows)
{
    ASSERT_EQ(grid.StartEditAt(0, 2, 'a'), 0);
    CRect cell, placed;
    grid.GetCellRect(0, 2, &cell);
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_EQ(placed.right, cell.right);
    Type("bcdefghijklmnopqrstuvwxyz");
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_GT(placed.right, cell.right);
    // It stops one pixel short of a cell's right edge.
    int col = 0, row = 0;
    CRect under;
    ASSERT_EQ(grid.GetCellFromPoint(placed.right + 1, placed.top, &col, &row, &under), 0);
    EXPECT_EQ(under.left, placed.right + 1);
    Key(VK_ESCAPE);

    // Right-aligned text never runs on: its editor keeps the cell's width.
    grid.QuickSetAlignment(0, 3, UG_ALIGNRIGHT);
    ASSERT_EQ(grid.StartEditAt(0, 3, 'a'), 0);
    Type("bcdefghijklmnopqrstuvwxyz");
    grid.GetCellRect(0, 3, &cell);
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_EQ(placed.right, cell.right);
    Key(VK_ESCAPE);
}

TEST_F(EditTest, AVerticallyCentredCellGetsAnEditorAsHighAsItsText)
{
    grid.SetRowHeight(1, 60);
    grid.QuickSetAlignment(2, 1, UG_ALIGNLEFT | UG_ALIGNVCENTER);
    ASSERT_EQ(grid.StartEditAt(2, 1), 0);
    CRect cell, placed;
    grid.GetCellRect(2, 1, &cell);
    grid.m_CUGEdit->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_LT(placed.Height(), 40);
    EXPECT_NEAR((placed.top + placed.bottom) / 2.0, (cell.top + cell.bottom) / 2.0, 1.0);
    Key(VK_ESCAPE);
}

TEST_F(EditTest, ContinuingIntoAJoinedRangeGoesToItsOriginAndOnPastIt)
{
    ASSERT_EQ(grid.JoinCells(1, 4, 2, 5), 0);
    ASSERT_EQ(grid.StartEditAt(0, 5), 0);
    Key(VK_TAB);
    EXPECT_EQ(grid.m_editCol, 1);
    EXPECT_EQ(grid.m_editRow, 4);
    Key(VK_TAB);
    EXPECT_EQ(grid.m_editCol, 3);
    EXPECT_EQ(grid.m_editRow, 4);
    Key(VK_ESCAPE);
    ASSERT_EQ(grid.StartEditAt(1, 4), 0);
    Key(VK_DOWN); // past the bottom of the range: wraps to the first row
    EXPECT_EQ(grid.m_editCol, 1);
    EXPECT_EQ(grid.m_editRow, 0);
    Key(VK_ESCAPE);
}

TEST_F(EditTest, TheLineFeedOfCtrlEnterStartsANewLineOnlyInACellOfSeveralLines)
{
    grid.QuickSetCellTypeEx(1, 1, UGCT_NORMALMULTILINE);
    ASSERT_EQ(grid.StartEditAt(1, 1, 'a'), 0);
    Type("\nb");
    EXPECT_EQ(EditorText(), "a\r\nb");
    grid.allowContinue = FALSE;
    Key(VK_RETURN); // without Ctrl Enter still ends the edit
    EXPECT_EQ(Text(1, 1), "a\r\nb");

    // A cell of one line: a line feed types nothing, lines pasted are joined by spaces, and the
    // line feed of the Ctrl+Enter that moves on reaches the next cell neither.
    grid.allowContinue = TRUE;
    ASSERT_EQ(grid.StartEditAt(1, 0, 'a'), 0);
    Type("\nb");
    grid.m_editCtrl->SendMessage(EM_REPLACESEL, TRUE, LPARAM("c\r\nd\ne"));
    EXPECT_EQ(EditorText(), "abc d e");
    SimulateKey(*grid.m_editCtrl, VK_RETURN, MK_CONTROL);
    EXPECT_EQ(Text(1, 0), "abc d e");
    ASSERT_EQ(grid.m_editRow, 1);
    EXPECT_EQ(EditorText(), "a\r\nb");
    Key(VK_ESCAPE);
}
