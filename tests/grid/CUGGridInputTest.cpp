// Mouse, keys, the wheel and the scroll bars turned into moves of the current cell and of the
// view, on small grids and on one of 100,000 rows.
#include "GridTestSupport.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"
#include "platform/framework/windows/CScrollBar.h"

namespace
{
using Log = std::vector<std::string>;

class ClickGrid : public RecordingGrid
{
public:
    void OnLClicked(int col, int row, int updn, RECT*, POINT*, BOOL) override
    {
        log.push_back(Line("OnLClicked", col, row, updn));
    }
    void OnDClicked(int col, int row, RECT*, POINT*, BOOL) override { log.push_back(Line("OnDClicked", col, row)); }
    void OnViewMoved(int section, int from, int to) override { log.push_back(Line("OnViewMoved", section, from, to)); }
    BOOL OnHint(int col, int row, int section, CString* text) override
    {
        text->Format("tip %d,%d,%d", col, row, section);
        return TRUE;
    }
    DWORD OnGetHelpId(int col, int row, int section) override { return DWORD(1000 * section + 10 * col + row); }
};

class InputTest : public GridWindowTest
{
protected:
    void Create(int cols, int rows)
    {
        grid.SetNumberCols(cols);
        grid.SetNumberRows(rows);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 1));
        CFrameworkApp::PumpWaitingMessages();
        grid.log.clear();
    }
    LRESULT Send(UINT message, WPARAM wParam, int x = 0, int y = 0)
    {
        return grid.m_CUGGrid->SendMessage(message, wParam, MAKELPARAM(x, y));
    }
    void Click(int x, int y)
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        Send(WM_LBUTTONUP, 0, x, y);
    }
    void Key(UINT key) { Send(WM_KEYDOWN, key); }
    void Wheel(int notches) { Send(WM_MOUSEWHEEL, MAKEWPARAM(0, notches * WHEEL_DELTA), 100, 100); }
    SCROLLINFO BarInfo(CWnd& bar)
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        bar.SendMessage(SBM_GETSCROLLINFO, 0, LPARAM(&info));
        return info;
    }

    ClickGrid grid;
};
} // namespace

TEST_F(InputTest, ClicksMoveTheCurrentCellAndNotify)
{
    Create(5, 10);
    Click(80, 25);
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    EXPECT_EQ(grid.Only("OnLClicked"), (Log{"OnLClicked(1,1,1)", "OnLClicked(1,1,0)"}));
    EXPECT_EQ(CWnd::GetFocus(), grid.m_CUGGrid.get());

    grid.log.clear();
    Click(10, 250); // below the last row
    EXPECT_EQ(grid.Only("OnLClicked"), (Log{"OnLClicked(-1,-1,1)", "OnLClicked(-1,-1,0)"}));
    EXPECT_EQ(grid.GetCurrentRow(), 1);

    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 160, 45);
    EXPECT_EQ(grid.Only("OnDClicked").back(), "OnDClicked(2,2)");

    // While an edit is in progress presses are ignored.
    grid.m_editInProgress = TRUE;
    Click(160, 45);
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    grid.m_editInProgress = FALSE;
}

TEST_F(InputTest, DraggingWithTheButtonSelectsABlock)
{
    Create(5, 10);
    grid.SetMultiSelectMode(UG_MULTISELECT_CELL);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 80, 25);
    Send(WM_MOUSEMOVE, MK_LBUTTON, 160, 45);
    Send(WM_LBUTTONUP, 0, 160, 45);
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetCurrentRow(), 2);
    EXPECT_TRUE(grid.m_GI->m_multiSelect->IsSelected(2, 1));
    EXPECT_FALSE(grid.m_GI->m_multiSelect->IsSelected(3, 3));
    EXPECT_EQ(grid.GetDragCol(), 2);
    EXPECT_EQ(grid.m_GI->m_moveType, UG_MOVE_KEY);
}

TEST_F(InputTest, ArrowKeysStepAndJumpJoinedRanges)
{
    Create(6, 10);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 1);
    Key(VK_LEFT);
    Key(VK_UP);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);

    grid.JoinCells(2, 0, 3, 1);
    Key(VK_RIGHT);
    Key(VK_RIGHT); // into the joined range, at its origin
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    Key(VK_RIGHT); // past the whole range
    EXPECT_EQ(grid.GetCurrentCol(), 4);
    Key(VK_LEFT); // back into it, at the origin
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetCurrentRow(), 0);

    Key(VK_END);
    EXPECT_EQ(grid.GetCurrentCol(), 5);
    Key(VK_HOME);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    Key(VK_NEXT);
    EXPECT_GT(grid.GetCurrentRow(), 5);
}

TEST_F(InputTest, TheWheelMovesThreeRowsPerNotchOverManyRows)
{
    Create(20, 100000);
    Wheel(-1);
    EXPECT_EQ(grid.GetTopRow(), 3);
    Wheel(-2);
    EXPECT_EQ(grid.GetTopRow(), 9);
    Wheel(1);
    EXPECT_EQ(grid.GetTopRow(), 6);
    Wheel(5);
    EXPECT_EQ(grid.GetTopRow(), 0);
    EXPECT_EQ(grid.m_GI->m_moveType, UG_MOVE_KEY);
}

TEST_F(InputTest, TheVerticalBarScalesOneHundredThousandRows)
{
    Create(20, 100000);
    CUGVScroll& bar = *grid.m_CUGVScroll;
    EXPECT_DOUBLE_EQ(bar.GetScale(), 100000 * 20 / 32000.0);
    SCROLLINFO info = BarInfo(bar);
    EXPECT_EQ(info.nMax, 32000);
    EXPECT_EQ(int(info.nPage), int(grid.m_GI->m_gridHeight / bar.GetScale())); // the cell area's height

    bar.VScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(grid.GetTopRow(), 1);
    bar.VScroll(SB_PAGEDOWN, 0);
    EXPECT_GT(grid.GetTopRow(), 5);

    grid.SetTopRow(5000);
    EXPECT_EQ(BarInfo(bar).nPos, int(5000 * 20 / bar.GetScale()));
    EXPECT_EQ(grid.Only("OnViewMoved").back().rfind("OnViewMoved(6,", 0), 0u);

    // The thumb dragged to its end shows the last rows.
    info = BarInfo(bar);
    bar.VScroll(SB_THUMBPOSITION, UINT(info.nMax - int(info.nPage) + 1));
    EXPECT_EQ(grid.GetTopRow(), grid.m_GI->m_maxTopRow);
    EXPECT_EQ(grid.GetBottomRow(), 99999);
    bar.VScroll(SB_TOP, 0);
    EXPECT_EQ(grid.GetTopRow(), 0);
    bar.VScroll(SB_BOTTOM, 0);
    EXPECT_EQ(grid.GetTopRow(), grid.m_GI->m_maxTopRow);

    // Tracking follows the thumb only in tracking mode.
    bar.VScroll(SB_THUMBTRACK, 0);
    EXPECT_EQ(grid.GetTopRow(), grid.m_GI->m_maxTopRow);
    grid.SetVScrollMode(1);
    bar.VScroll(SB_THUMBTRACK, 0);
    EXPECT_EQ(grid.GetTopRow(), 0);
}

TEST_F(InputTest, TheVerticalBarKeepsSmallRangesUnscaled)
{
    Create(3, 2000); // 40000 pixels
    EXPECT_DOUBLE_EQ(grid.m_CUGVScroll->GetScale(), 1.25);
    grid.SetTopRow(7);
    EXPECT_EQ(BarInfo(*grid.m_CUGVScroll).nPos, int(20 * 7 / 1.25));

    grid.SetNumberRows(1600); // exactly 32000 pixels
    grid.m_CUGVScroll->Update();
    EXPECT_DOUBLE_EQ(grid.m_CUGVScroll->GetScale(), 1.0);
}

TEST_F(InputTest, RowsAndColumnsAddedAfterCreationBringTheirScrollBars)
{
    Create(2, 3); // everything fits: no bars
    EXPECT_EQ(grid.m_GI->m_vScrollRect.Width(), 0);
    EXPECT_EQ(grid.m_GI->m_hScrollRect.Height(), 0);

    grid.SetNumberRows(1000);
    EXPECT_GT(grid.m_GI->m_vScrollRect.Width(), 0);
    EXPECT_EQ(BarInfo(*grid.m_CUGVScroll).nMax, 1000 * 20);
    grid.SetNumberCols(40);
    EXPECT_GT(grid.m_GI->m_hScrollRect.Height(), 0);
    EXPECT_EQ(BarInfo(*grid.m_CUGHScroll).nMax - int(BarInfo(*grid.m_CUGHScroll).nPage) + 1, grid.m_GI->m_maxLeftCol);

    grid.SetNumberRows(3);
    grid.SetNumberCols(2);
    EXPECT_EQ(grid.m_GI->m_vScrollRect.Width(), 0);
    EXPECT_EQ(grid.m_GI->m_hScrollRect.Height(), 0);
}

TEST_F(InputTest, TheHorizontalBarReachesTheLastColumns)
{
    Create(20, 10);
    CUGHScroll& bar = *grid.m_CUGHScroll;
    SCROLLINFO info = BarInfo(bar);
    EXPECT_GE(int(info.nPage), 1);
    EXPECT_EQ(info.nMax - int(info.nPage) + 1, grid.m_GI->m_maxLeftCol);
    bar.HScroll(SB_THUMBPOSITION, UINT(info.nMax - int(info.nPage) + 1));
    EXPECT_EQ(grid.GetLeftCol(), grid.m_GI->m_maxLeftCol);
    EXPECT_EQ(BarInfo(bar).nPos, grid.m_GI->m_maxLeftCol);
    bar.HScroll(SB_LINELEFT, 0);
    EXPECT_EQ(grid.GetLeftCol(), grid.m_GI->m_maxLeftCol - 1);
    bar.HScroll(SB_LEFT, 0);
    EXPECT_EQ(grid.GetLeftCol(), 0);
    EXPECT_EQ(grid.Only("OnViewMoved").back(), Line("OnViewMoved", UG_HSCROLL, grid.m_GI->m_maxLeftCol - 1, 0));
}

TEST_F(InputTest, ShiftWithArrowKeysExtendsTheSelection)
{
    Create(5, 10);
    grid.SetMultiSelectMode(UG_MULTISELECT_CELL);
    // A shift-click leaves its flags behind: plain keys must not extend the block.
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 80, 25);
    Send(WM_LBUTTONUP, MK_SHIFT, 80, 25);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_FALSE(grid.m_GI->m_multiSelect->IsSelected(1, 1));
    EXPECT_TRUE(grid.m_GI->m_multiSelect->IsSelected(2, 2));
}

TEST_F(InputTest, CellTipsShowAfterTheMouseRestsOnOneCell)
{
    Create(5, 10);
    grid.EnableCellToolTips(TRUE);
    // Switching tips reaches the cell area, both headings and the corner at once.
    for (CWnd* wnd : std::initializer_list<CWnd*>{grid.m_CUGGrid.get(), grid.m_CUGTopHdg.get(), grid.m_CUGSideHdg.get(),
                                                 grid.m_CUGCnrBtn.get()})
        EXPECT_TRUE(wnd->EnableToolTips(TRUE));
    CUGGrid& area = *grid.m_CUGGrid;
    area.GetToolTipTextAt(CPoint(10, 5));
    EXPECT_EQ(area.GetToolTipTextAt(CPoint(160, 45)), ""); // a new cell: no tip yet
    EXPECT_EQ(area.GetToolTipTextAt(CPoint(161, 46)), "tip 2,2,1");
    EXPECT_EQ(area.GetToolTipTextAt(CPoint(10, 250)), ""); // no cell
    EXPECT_EQ(grid.m_CUGTopHdg->GetToolTipTextAt(CPoint(80, 5)), "");
    EXPECT_EQ(grid.m_CUGTopHdg->GetToolTipTextAt(CPoint(80, 5)), "tip 1,-1,2");

    // Help ids name the cell and the section.
    EXPECT_EQ(area.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(160, 45)), 1022);
    EXPECT_EQ(grid.m_CUGSideHdg->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 45)), LRESULT(3000 - 10 + 2));
}
