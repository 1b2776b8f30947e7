// Drop-list cells: the list opens from the button or the keyboard, a choice is stored through the
// notifications, and Escape, a second press on the button or losing the focus close it.
#include "CellTypeTestSupport.h"
#include "grid/CUGDropListType.h"
#include "grid/CUGGrid.h"

namespace
{
using Log = std::vector<std::string>;
constexpr int kDropList = 1;

class DropListTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(3);
        grid.SetNumberRows(8);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1));
        MakeDropList(1, 1, "one\ntwo\nthree\n");
        grid.GotoCell(1, 1);
        grid.m_CUGGrid->SetFocus();
        type = static_cast<CUGDropListType*>(grid.GetCellType(kDropList));
        grid.log.clear();
    }
    void MakeDropList(int col, int row, const char* label)
    {
        grid.QuickSetCellType(col, row, kDropList);
        grid.QuickSetLabelText(col, row, label);
        grid.QuickSetText(col, row, "none");
    }
    BOOL PressButton(int col = 1, int row = 1)
    {
        CRect rect;
        grid.GetCellRect(col, row, &rect);
        POINT point{rect.right - 3, rect.top + 5};
        return type->OnLClicked(col, row, 1, &rect, &point);
    }
    CString Text(int col, int row)
    {
        CString text;
        grid.QuickGetText(col, row, &text);
        return text;
    }
    Log Notes() const { return grid.Only("OnCellTypeNotify"); }

    NotifyingGrid grid;
    CUGDropListType* type = nullptr;
};
} // namespace

TEST(CUGDropListChoices, EveryChoiceEndsWithALineFeed)
{
    EXPECT_EQ(CUGDropListType::SplitChoices("a\nb\nc\n"), (std::vector<CString>{"a", "b", "c"}));
    EXPECT_EQ(CUGDropListType::SplitChoices("a\nb\nc"), (std::vector<CString>{"a", "b"}));
    EXPECT_TRUE(CUGDropListType::SplitChoices("").empty());
}

TEST_F(DropListTest, TheButtonOpensTheListAndEnterStoresTheChoice)
{
    EXPECT_TRUE(PressButton());
    CUGLstBox* list = type->GetListBox();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->IsWindowVisible());
    EXPECT_EQ(list->GetParent(), static_cast<CWnd*>(grid.m_CUGGrid.get()));
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(list));
    ASSERT_EQ(list->GetCount(), 3);
    CString line;
    list->GetText(2, line);
    EXPECT_EQ(line, "three");
    // Below the cell, 10 pixels to the right, three lines high.
    CRect cell, placed;
    grid.GetCellRect(1, 1, &cell);
    list->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    EXPECT_EQ(placed.left, cell.left + 10);
    EXPECT_EQ(placed.top, cell.bottom);
    EXPECT_EQ(placed.Height(), list->GetItemHeight(0) * 3 + 6);

    list->SetCurSel(1);
    list->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Text(1, 1), "two");
    EXPECT_EQ(type->GetListBox(), nullptr);
    EXPECT_EQ(Notes(), (Log{"OnCellTypeNotify(1,1,1,100,0)", "OnCellTypeNotify(1,1,1,102,1)",
                            "OnCellTypeNotify(1,1,1,101,0)", "OnCellTypeNotify(1,1,1,103,0)"}));
    EXPECT_EQ(CWnd::GetFocus(), static_cast<CWnd*>(grid.m_CUGGrid.get()));
}

TEST_F(DropListTest, EnterOpensFromTheKeyboardAndEscapeClosesWithoutAChoice)
{
    UINT key = VK_RETURN;
    EXPECT_TRUE(type->OnKeyDown(1, 1, &key));
    EXPECT_EQ(key, 0u);
    ASSERT_NE(type->GetListBox(), nullptr);
    type->GetListBox()->SetCurSel(0);
    type->GetListBox()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(type->GetListBox(), nullptr);
    EXPECT_EQ(Text(1, 1), "none");
    // The list can be opened again at once.
    EXPECT_TRUE(PressButton());
    EXPECT_NE(type->GetListBox(), nullptr);

    UINT other = 'A';
    EXPECT_FALSE(type->OnKeyDown(1, 1, &other));
    EXPECT_EQ(other, UINT('A'));
}

TEST_F(DropListTest, OnlyTheEnterCharacterIsConsumed)
{
    UINT enter = 13, paren = '(', down = 0x28;
    EXPECT_TRUE(type->OnCharDown(1, 1, &enter));
    EXPECT_FALSE(type->OnCharDown(1, 1, &paren));
    EXPECT_FALSE(type->OnCharDown(1, 1, &down));
}

TEST_F(DropListTest, PressingTheButtonOfTheOpenListClosesIt)
{
    ASSERT_TRUE(PressButton());
    // A press while the list still has the focus.
    EXPECT_FALSE(PressButton());
    EXPECT_EQ(type->GetListBox(), nullptr);

    // A press that first moves the focus to the cell area, closing the list, then reaches the type.
    ASSERT_TRUE(PressButton());
    grid.m_CUGGrid->SetFocus();
    EXPECT_EQ(type->GetListBox(), nullptr);
    EXPECT_FALSE(PressButton());
    EXPECT_EQ(type->GetListBox(), nullptr);
    // The next press opens it again.
    EXPECT_TRUE(PressButton());
    EXPECT_NE(type->GetListBox(), nullptr);
    EXPECT_EQ(Text(1, 1), "none");
    EXPECT_EQ(grid.Only("OnCellTypeNotify(1,1,1,100").size(), 3u);
}

TEST_F(DropListTest, ClickingALineTakesIt)
{
    ASSERT_TRUE(PressButton());
    CUGLstBox* list = type->GetListBox();
    list->SetCurSel(2);
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Text(1, 1), "three");
    EXPECT_EQ(type->GetListBox(), nullptr);
}

TEST_F(DropListTest, TheApplicationCanRefuseOpeningOrStoring)
{
    grid.refuse = UGCT_DROPLISTSTART;
    EXPECT_TRUE(PressButton());
    EXPECT_EQ(type->GetListBox(), nullptr);

    grid.refuse = UGCT_DROPLISTSELECT;
    type->OnLClicked(1, 1, 0, nullptr, nullptr);
    UINT key = VK_RETURN;
    type->OnKeyDown(1, 1, &key);
    ASSERT_NE(type->GetListBox(), nullptr);
    type->GetListBox()->SetCurSel(0);
    type->GetListBox()->SendMessage(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(Text(1, 1), "none");
    EXPECT_TRUE(grid.Only("OnCellTypeNotify(1,1,1,103").empty());

    // The application may change the choices before the list opens.
    grid.refuse = 0;
    grid.onNotify = [](LONG msg, LPARAM param) {
        if (msg == UGCT_DROPLISTSTART)
            reinterpret_cast<std::vector<CString>*>(param)->push_back("four");
    };
    key = VK_RETURN;
    type->OnKeyDown(1, 1, &key);
    ASSERT_NE(type->GetListBox(), nullptr);
    EXPECT_EQ(type->GetListBox()->GetCount(), 4);
}

TEST_F(DropListTest, ReadOnlyCellsNeverOpen)
{
    CUGCell cell;
    grid.GetCell(1, 1, &cell);
    cell.SetReadOnly(TRUE);
    grid.SetCell(1, 1, &cell);
    PressButton();
    EXPECT_EQ(type->GetListBox(), nullptr);
    EXPECT_TRUE(Notes().empty());
}

TEST_F(DropListTest, LongListsShowFifteenLinesAndStayInsideTheCellArea)
{
    CString label;
    for (int i = 0; i < 20; ++i)
        label += CString::Formatted("choice %d\n", i);
    grid.MoveWindow(0, 0, 300, 400);
    CFrameworkApp::PumpWaitingMessages();
    MakeDropList(1, 7, label);
    grid.GotoCell(1, 7);
    ASSERT_TRUE(PressButton(1, 7));
    CUGLstBox* list = type->GetListBox();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 20);
    CRect placed, client;
    list->GetWindowRect(&placed);
    grid.m_CUGGrid->ScreenToClient(&placed);
    grid.m_CUGGrid->GetClientRect(&client);
    EXPECT_EQ(placed.Height(), std::min(list->GetItemHeight(0) * 15 + 6, int(client.Height())));
    EXPECT_LE(placed.bottom, client.bottom);
    EXPECT_GE(placed.top, 0);
}

TEST_F(DropListTest, TheButtonShowsADownArrowGreyWhenReadOnly)
{
    grid.EnableGridLines(FALSE);
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    const int x0 = 80 - w + (w - 5) / 2, y0 = (20 - 3) / 2;
    CellPicture picture(80, 20);
    picture.Draw(grid, 1, 1);
    EXPECT_EQ(picture.At(x0, y0), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(x0 + 4, y0), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(x0 + 2, y0 + 2), RGB(0, 0, 0));
    EXPECT_EQ(picture.At(x0 + 5, y0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(picture.At(x0 + 2, y0 - 2), GetSysColor(COLOR_BTNFACE));

    CUGCell cell;
    grid.GetCell(1, 1, &cell);
    cell.SetReadOnly(TRUE);
    grid.SetCell(1, 1, &cell);
    CellPicture readOnly(80, 20);
    readOnly.Draw(grid, 1, 1);
    EXPECT_EQ(readOnly.At(x0, y0), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(readOnly.At(x0 + 3, y0 + 2), RGB(255, 255, 255));

    // Style 0x200 shows the button on the current cell only.
    grid.QuickSetCellTypeEx(1, 1, UGCT_DROPLISTHIDEBUTTON);
    CellPicture hidden(80, 20);
    hidden.Draw(grid, 1, 1);
    EXPECT_EQ(hidden.At(x0, y0), RGB(255, 255, 255));
}

TEST_F(DropListTest, TheListOfAJoinedCellIsAsWideAsItsBox)
{
    grid.EnableJoins(TRUE);
    grid.JoinCells(0, 3, 2, 3);
    MakeDropList(0, 3, "phase to neutral\nphase to phase\n");
    grid.GotoCell(0, 3);
    UINT key = VK_RETURN;
    ASSERT_TRUE(type->OnKeyDown(0, 3, &key));
    ASSERT_NE(type->GetListBox(), nullptr);
    CRect box, list;
    grid.GetRangeRect(0, 3, 2, 3, &box);
    type->GetListBox()->GetWindowRect(&list);
    grid.m_CUGGrid->ScreenToClient(&list);
    EXPECT_GE(list.Width(), box.Width());
    EXPECT_GE(list.right, box.right);
}
