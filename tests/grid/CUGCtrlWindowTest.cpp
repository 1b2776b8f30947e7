// The control as a window on the offscreen platform: creation, layout, moves of the current cell
// and of the view, the selection and the column services, recorded through the notifications.
#include "GridTestSupport.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"

namespace
{
class GridTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        source.log = &grid.log;
        grid.SetDefDataSource(grid.AddDataSource(&source));
        grid.SetNumberCols(5);
        grid.SetNumberRows(10);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 1));
        grid.log.clear();
    }

    RecordingSource source;
    RecordingGrid grid;
};

using Log = std::vector<std::string>;

// The log without the requests for more rows that the cell area makes whenever it paints the
// last row with space to spare below it.
Log WithoutPaintRowRequests(const Log& log)
{
    Log out;
    for (const auto& line : log)
        if (line != "DS::GetRows(10,1)" && line != "OnRowsRequested(10,1,0)")
            out.push_back(line);
    return out;
}
} // namespace

TEST_F(GridWindowTest, CreateGridRaisesTheSetupNotificationsInOrder)
{
    RecordingGrid grid;
    ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 1));
    Log setup;
    for (const auto& line : grid.log)
        if (line.rfind("OnSetup", 0) == 0 || line.rfind("OnAfterSetup", 0) == 0 || line.rfind("OnSheetSetup", 0) == 0)
            setup.push_back(line);
    EXPECT_EQ(setup, (Log{"OnSetup()", "OnAfterSetup()", "OnSheetSetup(0)"}));
    EXPECT_EQ(grid.m_GI->m_paintMode, 1);
    EXPECT_EQ(grid.SendMessage(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS | DLGC_WANTALLKEYS));
}

TEST_F(GridTest, LayoutPlacesTheChildWindowsAndFollowsAResize)
{
    // 5 columns of 75 do not fit beside the 40-pixel row heading: a horizontal bar; 10 rows fit.
    const int hs = GetSystemMetrics(SM_CYHSCROLL), vs = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(grid.m_GI->m_gridRect, CRect(40, 20, 400, 300 - hs));
    EXPECT_EQ(grid.m_GI->m_vScrollRect, CRect(400, 0, 400, 300 - hs));
    EXPECT_EQ(grid.GetRightCol(), 4);
    EXPECT_EQ(grid.GetBottomRow(), 9); // everything fits: the last row, not one past it

    grid.MoveWindow(0, 0, 300, 200);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(grid.Only("OnLayoutAdjust").back(), Line("OnLayoutAdjust", 40, 20, 300 - vs, 200 - hs));
    EXPECT_EQ(grid.m_GI->m_gridRect, CRect(40, 20, 300 - vs, 200 - hs));
    EXPECT_EQ(grid.m_GI->m_topHdgRect, CRect(40, 0, 300 - vs, 20));
    EXPECT_EQ(grid.m_GI->m_sideHdgRect, CRect(0, 20, 40, 200 - hs));
    EXPECT_EQ(grid.m_GI->m_cnrBtnRect, CRect(0, 0, 40, 20));
    EXPECT_EQ(grid.m_GI->m_vScrollRect, CRect(300 - vs, 0, 300, 200 - hs));
    EXPECT_EQ(grid.m_GI->m_hScrollRect, CRect(0, 200 - hs, 300 - vs, 200));
    CRect placed;
    grid.m_CUGGrid->GetWindowRect(&placed);
    grid.ScreenToClient(&placed);
    EXPECT_EQ(placed, grid.m_GI->m_gridRect);
    CRect client;
    grid.m_CUGGrid->GetClientRect(&client);
    EXPECT_EQ(client.Width(), grid.m_GI->m_gridWidth);
    EXPECT_EQ(grid.GetBottomRow(), (200 - hs - 20) / 20);
    EXPECT_GT(grid.m_GI->m_maxTopRow, 0);
}

TEST_F(GridTest, GotoCellAsksThenMovesAndNotifiesInOrder)
{
    EXPECT_EQ(grid.GotoCell(0, 0), 0);
    EXPECT_TRUE(grid.log.empty());

    EXPECT_EQ(grid.GotoCell(2, 3), 0);
    EXPECT_EQ(WithoutPaintRowRequests(grid.log), (Log{"DS::OnCanMove(0,0,2,3)", "OnCanMove(0,0,2,3)", "DS::OnColChange(0,2)", "OnColChanged(0,2)",
                             "DS::OnRowChange(0,3)", "OnRowChanged(0,3)", "OnCellChanged(0,2,0,3)"}));
    grid.log.clear();

    // Column 4 is only partly shown: the view has to move, and may refuse.
    grid.canViewMove = FALSE;
    EXPECT_EQ(grid.GotoCell(4, 9), 2);
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    grid.canViewMove = TRUE;
    grid.log.clear();
    EXPECT_EQ(grid.GotoCell(4, 9), 0);
    EXPECT_EQ(WithoutPaintRowRequests(grid.log), (Log{"DS::OnCanMove(2,3,4,9)", "OnCanMove(2,3,4,9)", "OnCanViewMove(0,0,4,9)",
                             "DS::OnColChange(2,4)", "OnColChanged(2,4)", "DS::OnRowChange(3,9)", "OnRowChanged(3,9)",
                             "OnCellChanged(2,4,3,9)", "OnLeftColChanged(0,1)"}));
    EXPECT_EQ(grid.GetLeftCol(), 1);

    grid.log.clear();
    EXPECT_EQ(grid.GotoCell(5, 0), 1);
    EXPECT_EQ(grid.GotoCell(0, 10), 1);
    EXPECT_EQ(grid.GotoCell(-1, 0), 1);
    EXPECT_TRUE(grid.log.empty());
}

TEST_F(GridTest, RefusalsKeepTheCurrentCell)
{
    grid.canMove = FALSE;
    EXPECT_EQ(grid.GotoCell(1, 1), 2);
    EXPECT_EQ(grid.MoveDragCol(UG_LINEDOWN), 2);
    EXPECT_EQ(grid.MoveDragRow(UG_BOTTOM), 2);
    EXPECT_EQ(grid.GotoRow(4), 2);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_TRUE(grid.Only("OnCellChanged").empty());

    grid.canMove = TRUE;
    source.canMove = 0;
    grid.log.clear();
    EXPECT_EQ(grid.GotoCell(1, 1), 2);
    EXPECT_EQ(grid.log, (Log{"DS::OnCanMove(0,0,1,1)"})); // the control is not asked any more
}

TEST_F(GridTest, KeyboardStepsClampAtTheEdgesAndAskForRows)
{
    EXPECT_EQ(grid.MoveDragCol(UG_LINEUP), 0); // already at column 0
    EXPECT_EQ(grid.MoveDragCol(UG_BOTTOM), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 4);
    EXPECT_EQ(grid.MoveDragCol(UG_LINEDOWN), 1);
    EXPECT_EQ(grid.MoveDragCol(UG_TOP), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.GetLeftCol(), 0);
    EXPECT_EQ(grid.MoveDragCol(42), 0);

    EXPECT_EQ(grid.GotoRow(3), 0);
    grid.log.clear();
    EXPECT_EQ(grid.GotoRow(15), 0);
    EXPECT_EQ(grid.GetCurrentRow(), 9);
    EXPECT_EQ(WithoutPaintRowRequests(grid.Only("DS::GetRows")), (Log{"DS::GetRows(10,6)"}));
    EXPECT_EQ(WithoutPaintRowRequests(grid.Only("OnRowsRequested")), (Log{"OnRowsRequested(10,6,0)"}));
    EXPECT_EQ(grid.GotoRow(15), 1); // already on the last row

    grid.rowsToAdd = 2;
    EXPECT_EQ(grid.MoveDragRow(UG_LINEDOWN), 0);
    grid.rowsToAdd = 0;
    // The move added two rows; the cell area, painting the new last row with space below it,
    // asked once more and got two more.
    EXPECT_EQ(grid.GetNumberRows(), 14);
    EXPECT_EQ(grid.GetCurrentRow(), 10);

    EXPECT_EQ(grid.MoveDragRow(UG_PAGEUP), 0);
    EXPECT_LT(grid.GetCurrentRow(), 10);
}

TEST_F(GridTest, NavigationOnAnEmptySheetIsIgnored)
{
    grid.SetNumberRows(0);
    grid.log.clear();
    EXPECT_EQ(grid.MoveDragRow(UG_LINEDOWN), 1);
    EXPECT_EQ(grid.MoveDragCol(UG_LINEDOWN), 1);
    EXPECT_EQ(grid.GotoCol(2), 1);
    EXPECT_EQ(grid.GotoCell(0, 0), 1);
    EXPECT_TRUE(grid.log.empty());
    EXPECT_EQ(grid.GetCurrentRow(), -1);
}

TEST_F(GridTest, JoinedCellsAreEnteredAtTheirOriginAndSkipped)
{
    ASSERT_EQ(grid.JoinCells(1, 0, 2, 1), 0);
    EXPECT_EQ(grid.GotoCell(2, 1), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 1);
    EXPECT_EQ(grid.GetCurrentRow(), 0);
    EXPECT_EQ(grid.MoveDragCol(UG_LINEDOWN), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 3); // past the joined range
    EXPECT_EQ(grid.MoveDragCol(UG_LINEUP), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 1); // back to its origin

    int col = 0, row = 0;
    CRect rect;
    ASSERT_EQ(grid.GetCellFromPoint(150, 25, &col, &row, &rect), 0);
    EXPECT_EQ(std::make_pair(col, row), std::make_pair(1, 0));
    EXPECT_EQ(rect, CRect(75, 0, 225, 40));
}

TEST_F(GridTest, SelectionReportsItsBlocks)
{
    grid.SetMultiSelectMode(UG_MULTISELECT_CELL);
    grid.m_GI->m_moveType = UG_MOVE_LBUTTON;
    grid.m_GI->m_moveFlags = 0;
    grid.GotoCell(1, 1);
    grid.m_GI->m_moveFlags = MK_SHIFT;
    grid.GotoCell(3, 4);
    grid.m_GI->m_moveFlags = MK_CONTROL;
    grid.GotoCell(4, 6);
    EXPECT_EQ(grid.Only("OnSelectionChanged"),
              (Log{"OnSelectionChanged(1,1,1,1,1)", "OnSelectionChanged(3,1,1,4,1)", "OnSelectionChanged(4,6,4,6,2)"}));
    CUGMultiSelect& select = *grid.m_GI->m_multiSelect;
    EXPECT_TRUE(select.IsSelected(2, 3));
    EXPECT_TRUE(select.IsSelected(4, 6));
    EXPECT_FALSE(select.IsSelected(4, 4));
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_EQ(select.GetTotalRange(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}), std::vector<int>({1, 1, 4, 6}));
    int c = 0, r = 0, count = 0;
    for (int rc = select.EnumFirstSelected(&c, &r); rc == 0; rc = select.EnumNextSelected(&c, &r))
        ++count;
    EXPECT_EQ(count, 3 * 4 + 1);
    ASSERT_EQ(select.EnumFirstBlock(&left, &top, &right, &bottom), 0);
    ASSERT_EQ(select.EnumNextBlock(&left, &top, &right, &bottom), 0);
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}), std::vector<int>({4, 6, 4, 6}));
    EXPECT_EQ(select.EnumNextBlock(&left, &top, &right, &bottom), 1);

    select.ToggleCell(4, 6);
    EXPECT_FALSE(select.IsSelected(4, 6));

    // A plain keyboard move starts over from the cell reached.
    grid.log.clear();
    grid.m_GI->m_moveType = UG_MOVE_KEY;
    grid.m_GI->m_moveFlags = 0;
    grid.GotoCell(0, 0);
    EXPECT_EQ(grid.Only("OnSelectionChanged"), (Log{"OnSelectionChanged(0,0,0,0,1)"}));
    EXPECT_FALSE(select.IsSelected(2, 3));

    // Whole rows: the block spans column 0 to the number of columns.
    grid.SetMultiSelectMode(UG_MULTISELECT_ROW);
    grid.log.clear();
    grid.m_GI->m_moveType = UG_MOVE_LBUTTON;
    grid.GotoCell(2, 5);
    EXPECT_EQ(grid.Only("OnSelectionChanged"), (Log{"OnSelectionChanged(5,5,0,5,1)"}));
    EXPECT_TRUE(select.IsRowSelected(5));
    EXPECT_TRUE(select.IsSelected(0, 5));

    grid.ClearSelections();
    EXPECT_FALSE(select.IsRowSelected(5));
    ASSERT_EQ(select.EnumFirstSelected(&c, &r), 0); // no block: the current cell
    EXPECT_EQ(std::make_pair(c, r), std::make_pair(2, 5));
}

TEST_F(GridTest, ViewScrollingAndPointsWithLockedColumns)
{
    EXPECT_EQ(grid.LockColumns(1), 0);
    grid.log.clear();
    EXPECT_EQ(grid.SetLeftCol(3), 0);
    EXPECT_EQ(grid.GetLeftCol(), 2); // clamped to the greatest left column
    EXPECT_EQ(grid.Only("OnCanViewMove"), (Log{"OnCanViewMove(1,0,2,0)"}));
    EXPECT_EQ(grid.Only("OnLeftColChanged"), (Log{"OnLeftColChanged(1,2)"}));
    int col = -1, row = -1;
    EXPECT_EQ(grid.GetCellFromPoint(10, 5, &col, &row), 0);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(grid.GetCellFromPoint(80, 5, &col, &row), 0);
    EXPECT_EQ(col, 2);
    EXPECT_EQ(grid.GetCellFromPoint(-1, 5, &col, &row), 1);
    EXPECT_EQ(grid.GetCellFromPoint(10, 250, &col, &row), 1); // below the last row

    grid.canViewMove = FALSE;
    EXPECT_EQ(grid.MoveLeftCol(UG_TOP), 2);
    EXPECT_EQ(grid.GetLeftCol(), 2);
    grid.canViewMove = TRUE;
    EXPECT_EQ(grid.MoveLeftCol(UG_TOP), 0);
    EXPECT_EQ(grid.GetLeftCol(), 1);
    EXPECT_EQ(grid.SetTopRow(3), 0); // everything fits: the top row cannot move
    EXPECT_EQ(grid.GetTopRow(), 0);
}

TEST_F(GridTest, ColumnServices)
{
    CString tip;
    EXPECT_TRUE(grid.OnHint(3, 7, UG_GRID, &tip));
    EXPECT_EQ(tip, "Col:3 Row:7");
    EXPECT_EQ(grid.OnGetSectionBackColor(UG_GRID), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(grid.OnGetSectionBackColor(UG_TOPHEADING), GetSysColor(COLOR_BTNFACE));

    EXPECT_EQ(grid.ScaleColumnsToWindow(0, 5), 1);
    EXPECT_EQ(grid.ScaleColumnsToWindow(0, 0), 0);
    EXPECT_EQ(grid.GetColWidth(0), grid.m_GI->m_gridWidth);
    for (int c = 0; c < 3; ++c)
        grid.SetColWidth(c, 0);
    EXPECT_EQ(grid.ScaleColumnsToWindow(0, 2), 0); // no width at all: shared evenly
    const int w = grid.m_GI->m_gridWidth;
    EXPECT_EQ(grid.GetColWidth(0), w / 3);
    EXPECT_EQ(grid.GetColWidth(2), w - 2 * (w / 3));

    EXPECT_EQ(grid.FitColumnsToContent(-2, 0, 10, 0), 1);
    EXPECT_EQ(grid.FitColumnsToContent(0, 5, 10, 0), 2);
    EXPECT_EQ(grid.FitColumnsToContent(3, 2, 10, 0), 3);
    grid.QuickSetText(1, 2, "a rather long text in one cell");
    grid.log.clear();
    EXPECT_EQ(grid.FitColumnsToContent(0, 1, 10, 0), 0);
    ASSERT_EQ(grid.Only("OnColSized").size(), 2u);
    EXPECT_GT(grid.GetColWidth(1), grid.GetColWidth(0));

    // A cell area narrower than the vertical bar leaves no room: the columns keep their least width.
    grid.MoveWindow(0, 0, 40 + GetSystemMetrics(SM_CXVSCROLL) + 10, 60);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(grid.FitColumnsToContent(0, 1, 10, 0), 0);
    EXPECT_EQ(grid.GetColWidth(1), 3);
}

TEST_F(GridTest, SortThroughTheStoreAsksTheControl)
{
    for (int r = 0; r < 4; ++r)
        grid.QuickSetNumber(0, r, 4 - r);
    int calls = 0;
    grid.sortCompare = [&calls](CUGCell* a, CUGCell* b, int flags) {
        ++calls;
        return CUGCtrl::DefaultSortCompare(a, b, flags);
    };
    EXPECT_EQ(grid.m_GI->m_CUGMem->SortBy(0, UG_SORT_ASCENDING), 1); // the grid reads another source
    EXPECT_EQ(source.SortBy(0, UG_SORT_ASCENDING), 0);
    EXPECT_GT(calls, 0);
    EXPECT_STREQ(grid.QuickGetTextPtr(0, 0), "1");
    EXPECT_STREQ(grid.QuickGetTextPtr(0, 3), "4");
}

TEST_F(GridTest, SetColWidthLetsTheApplicationAdjust)
{
    EXPECT_EQ(grid.SetColWidth(5, 10), 1);
    EXPECT_EQ(grid.SetColWidth(1, 90), 0);
    EXPECT_EQ(grid.Only("OnColSized"), (Log{"OnColSized(1,90)"}));
    EXPECT_EQ(grid.GetColWidth(1), 90);
    EXPECT_EQ(grid.SetRowHeight(2, 30), 0);
    EXPECT_EQ(grid.Only("OnRowSized"), (Log{"OnRowSized(2,30)"}));
    EXPECT_EQ(grid.SetColWidth(-1, 50), 0);
    EXPECT_EQ(grid.GetSideHdgWidth(), 50);
}

// Many rows sized at once end as the same rows sized one after the other: the same heights, the
// application told of each in turn, the same last row in view and the same deepest scroll.
TEST_F(GridTest, RowsSizedAtOnceEndAsRowsSizedOneByOne)
{
    const auto heightOf = [](int row) { return row == 4 ? 0 : 30 + 5 * row; };
    const auto state = [this] {
        std::vector<int> heights;
        for (int row = 0; row < grid.GetNumberRows(); ++row)
            heights.push_back(grid.GetRowHeight(row));
        grid.MoveTopRow(UG_BOTTOM);
        heights.push_back(grid.GetTopRow());
        heights.push_back(grid.GetBottomRow());
        grid.MoveTopRow(UG_TOP);
        return heights;
    };
    for (int row = 0; row < grid.GetNumberRows(); ++row)
        EXPECT_EQ(grid.SetRowHeight(row, heightOf(row)), 0);
    const Log told = grid.Only("OnRowSized");
    const std::vector<int> oneByOne = state();
    for (int row = 0; row < grid.GetNumberRows(); ++row)
        grid.SetRowHeight(row, 20);
    grid.log.clear();
    EXPECT_EQ(grid.SetRowHeights(0, grid.GetNumberRows(), heightOf), 0);
    EXPECT_EQ(grid.Only("OnRowSized"), told);
    EXPECT_EQ(state(), oneByOne);
    // Rows past the grid, or a height refused, are refused; the rows before keep theirs.
    EXPECT_EQ(grid.SetRowHeights(8, 5, [](int) { return 25; }), 1);
    EXPECT_EQ(grid.GetRowHeight(9), 25);
    EXPECT_EQ(grid.SetRowHeights(0, 3, [](int row) { return row == 1 ? -1 : 22; }), 1);
    EXPECT_EQ(grid.GetRowHeight(0), 22);
    EXPECT_EQ(grid.GetRowHeight(1), heightOf(1));
}

TEST_F(GridTest, CellTypesHearOfFocusAndOfTheViewEdges)
{
    RecordingType type(&grid.log);
    const int index = grid.AddCellType(&type);
    grid.SetNumberCols(8);
    CUGCell def;
    def.SetCellType(index);
    for (int c = 0; c < 8; ++c)
        grid.SetColDefault(c, &def);
    grid.log.clear();

    EXPECT_EQ(grid.GotoCell(1, 1), 0);
    EXPECT_EQ(WithoutPaintRowRequests(grid.log), (Log{"DS::OnCanMove(0,0,1,1)", "OnCanMove(0,0,1,1)", "DS::OnColChange(0,1)", "OnColChanged(0,1)",
                             "DS::OnRowChange(0,1)", "OnRowChanged(0,1)", "OnCellChanged(0,1,0,1)",
                             "CT::OnKillFocus(0,0)", "CT::OnSetFocus(1,1)", "CT::OnViewEdgeChange(1,1)"}));

    // Scrolling right: the right column moves from 4 to 6, the rows stay.
    grid.log.clear();
    EXPECT_EQ(grid.SetLeftCol(2), 0);
    EXPECT_EQ(grid.GetRightCol(), 6);
    const Log edges = grid.Only("CT::OnViewEdgeChange");
    ASSERT_EQ(edges.size(), 3u * 10u + 1u);
    EXPECT_EQ(Log(edges.begin(), edges.begin() + 3),
              (Log{"CT::OnViewEdgeChange(2,0)", "CT::OnViewEdgeChange(4,0)", "CT::OnViewEdgeChange(6,0)"}));
    EXPECT_EQ(edges.back(), "CT::OnViewEdgeChange(1,1)");
    EXPECT_TRUE(grid.Only("CT::OnSetFocus").empty()); // the current cell did not change

    // Widths set while the window shows ask the types of the visible cells first.
    grid.log.clear();
    grid.SetColWidth(3, 60);
    EXPECT_EQ(grid.Only("CT::OnChangedCellWidth").size(), 10u);
    EXPECT_EQ(grid.log.back(), "OnColSized(3,60)");
    grid.DestroyWindow(); // the type dies with this test: no paint may reach it afterwards
}

TEST_F(GridTest, WindowMessagesReachTheControl)
{
    RecordingType type(&grid.log);
    const int index = grid.AddCellType(&type);
    grid.log.clear();
    grid.SendMessage(0x0015); // the system colours changed
    EXPECT_EQ(grid.Only("CT::"), (Log{"CT::OnSystemColorChange()"}));
    EXPECT_EQ(grid.SendMessage(UG_MSG_CELLTYPE, WPARAM(index), 21), 42);
    grid.SendMessage(WM_COMMAND, 1005, 0);
    grid.SendMessage(WM_COMMAND, 999, 0);
    EXPECT_EQ(grid.Only("OnPopupMenuCommand"), (Log{"OnPopupMenuCommand(-1,-1,0,1005)"}));
    EXPECT_EQ(grid.SendMessage(WM_ERASEBKGND), 1);
}

TEST_F(GridTest, TheFocusRectangleIsTheCellTypesFirst)
{
    RecordingType type(&grid.log);
    CUGCell def;
    def.SetCellType(grid.AddCellType(&type));
    grid.SetColDefault(0, &def);
    CClientDC dc(grid.m_CUGGrid.get());
    CRect rect(0, 0, 75, 20);
    type.drawsFocus = TRUE;
    grid.OnDrawFocusRect(&dc, &rect);
    EXPECT_EQ(rect, CRect(0, 0, 75, 20));
    type.drawsFocus = FALSE;
    grid.OnDrawFocusRect(&dc, &rect);
    EXPECT_EQ(rect, CRect(0, 0, 74, 19)); // the platform's rectangle, drawn inside the cell
    EXPECT_EQ(grid.Only("CT::OnDrawFocusRect"), (Log{"CT::OnDrawFocusRect(0,0,75,20)", "CT::OnDrawFocusRect(0,0,75,20)"}));
    grid.DestroyWindow(); // the type dies with this test: no paint may reach it afterwards
}

TEST_F(GridTest, TheTrackingWindowFollowsTheCurrentCell)
{
    CWnd tracker;
    ASSERT_TRUE(tracker.Create(nullptr, "", WS_VISIBLE, CRect(0, 0, 50, 30), nullptr, 0));
    grid.SetTrackingWindow(&tracker);
    EXPECT_EQ(grid.GotoCell(1, 2), 0);
    EXPECT_EQ(grid.Only("OnTrackWindowPlace"), (Log{"OnTrackWindowPlace(0,0)"}));
    CRect cell, placed;
    grid.GetCellRect(1, 2, &cell);
    grid.m_CUGGrid->ClientToScreen(&cell);
    tracker.GetWindowRect(&placed);
    EXPECT_EQ(placed, CRect(cell.right, cell.top, cell.right + 50, cell.top + 30));
    grid.SetTrackingWindow(nullptr);
}

TEST_F(GridTest, FontsAreSharedByTheirDescription)
{
    const int a = grid.AddFont("Sans", -12, 400);
    const int b = grid.AddFont("Sans", -12, 400);
    const int c = grid.AddFont("Sans", -12, 700);
    EXPECT_GE(a, 0);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    EXPECT_NE(grid.GetFont(a), nullptr);
    EXPECT_EQ(grid.GetFont(99), nullptr);
    EXPECT_EQ(grid.QuickSetFont(0, 0, c), 0);
    CUGCell cell;
    grid.GetCell(0, 0, &cell);
    EXPECT_EQ(cell.GetFont(), grid.GetFont(c));
    EXPECT_EQ(grid.AddBitmap("/no/such/picture.png"), -1);
    // A named bitmap comes from the resources, as a numbered one does.
    const int named = grid.AddBitmap("1588");
    ASSERT_GE(named, 0);
    EXPECT_NE(grid.GetBitmap(named), nullptr);
    EXPECT_EQ(grid.AddBitmap("no-such-bitmap"), -1);
}

TEST_F(GridTest, TheFocusGoesToTheCellArea)
{
    grid.SetFocus();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(CWnd::GetFocus(), grid.m_CUGGrid.get());
}
