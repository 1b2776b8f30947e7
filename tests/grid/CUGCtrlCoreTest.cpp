// The control's sheet settings, sizes, cells and registrations, before any window exists.
#include "GridTestSupport.h"
#include "grid/CUGCellType.h"
#include "grid/CUGGridInfo.h"

TEST(CUGCtrlCoreTest, CountsAndTheirLimits)
{
    RecordingGrid grid;
    EXPECT_EQ(grid.SetNumberCols(32001), 1);
    EXPECT_EQ(grid.GetNumberCols(), 0);
    EXPECT_EQ(grid.SetNumberCols(0), 0);
    EXPECT_EQ(grid.SetNumberCols(5), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 0);
    EXPECT_EQ(grid.SetNumberRows(-1), 1);

    EXPECT_EQ(grid.SetNumberRows(64000), 0);
    EXPECT_EQ(grid.SetRowHeight(63999, 33), 0);
    EXPECT_EQ(grid.GetRowHeight(63999), 33);
    EXPECT_EQ(grid.SetNumberRows(64001), 0);
    EXPECT_EQ(grid.GetRowHeight(63999), 20); // uniform heights now
    EXPECT_EQ(grid.GetRowHeight(64000), 20);
    EXPECT_EQ(grid.SetUniformRowHeight(FALSE), 0);
    EXPECT_EQ(grid.SetRowHeight(5, 40), 0);
    EXPECT_EQ(grid.GetRowHeight(5), 40);

    EXPECT_EQ(grid.SetTopHdgNumberRows(65), 1);
    EXPECT_EQ(grid.SetSideHdgNumberCols(0), 1);
    EXPECT_EQ(grid.SetTopHdgHeight(1025), 1);
    EXPECT_EQ(grid.SetTopHdgRowHeight(-1, 1025), 2);
    EXPECT_EQ(grid.SetTopHdgRowHeight(-2, 10), 1);
    EXPECT_EQ(grid.SetSideHdgColWidth(-1, 1025), 2);
    EXPECT_EQ(grid.SetDefRowHeight(0), 1);
    EXPECT_EQ(grid.SetDefRowHeight(1025), 1);

    // Fewer columns than the current one moves it to the last column.
    grid.m_GI->m_currentCol = grid.m_GI->m_dragCol = 4;
    EXPECT_EQ(grid.SetNumberCols(3), 0);
    EXPECT_EQ(grid.GetCurrentCol(), 2);
    EXPECT_EQ(grid.GetDragCol(), 2);

    EXPECT_EQ(grid.LockColumns(4), 1);
    EXPECT_EQ(grid.LockColumns(2), 0);
    EXPECT_EQ(grid.m_GI->m_lockColWidth, 150);
    EXPECT_EQ(grid.GetLeftCol(), 2);
    EXPECT_EQ(grid.SetNumberCols(2), 0);
    EXPECT_EQ(grid.GetLockedCols(), 1);
}

TEST(CUGCtrlCoreTest, HeadingSizesScaleAndNeverDivideByZero)
{
    RecordingGrid grid;
    ASSERT_EQ(grid.SetSideHdgNumberCols(2), 0);
    grid.SetSideHdgColWidth(-1, 25);
    grid.SetSideHdgColWidth(-2, 15);
    EXPECT_EQ(grid.SetSideHdgWidth(60), 0);
    EXPECT_EQ(grid.GetSideHdgColWidth(-1), 38);
    EXPECT_EQ(grid.GetSideHdgColWidth(-2), 23);
    EXPECT_EQ(grid.GetSideHdgWidth(), 60);

    grid.SetSideHdgColWidth(-1, 0);
    grid.SetSideHdgColWidth(-2, 0);
    EXPECT_EQ(grid.SetSideHdgWidth(50), 0);
    EXPECT_EQ(grid.GetSideHdgColWidth(-2), 50); // the outermost heading takes the total
    EXPECT_EQ(grid.GetSideHdgColWidth(-1), 0);

    ASSERT_EQ(grid.SetTopHdgNumberRows(3), 0);
    EXPECT_EQ(grid.GetTopHdgHeight(), 60);
    for (int r = -1; r >= -3; --r)
        grid.SetTopHdgRowHeight(r, 0);
    EXPECT_EQ(grid.SetTopHdgHeight(30), 0);
    EXPECT_EQ(grid.GetTopHdgRowHeight(-3), 30);
    EXPECT_EQ(grid.GetTopHdgRowHeight(-1), 0);
}

TEST(CUGCtrlCoreTest, DataSourceRegistration)
{
    RecordingGrid grid;
    EXPECT_EQ(grid.AddDataSource(nullptr), -1);
    std::vector<std::unique_ptr<CUGMem>> sources;
    for (int i = 1; i <= 63; ++i)
    {
        sources.push_back(std::make_unique<CUGMem>());
        ASSERT_EQ(grid.AddDataSource(sources.back().get()), i);
        EXPECT_EQ(sources.back()->GetID(), i);
        EXPECT_EQ(sources.back()->GetOwner(), &grid);
    }
    CUGMem extra;
    EXPECT_EQ(grid.AddDataSource(&extra), -1);

    grid.SetNumberCols(2);
    EXPECT_EQ(grid.SetDefDataSource(64), 1);
    EXPECT_EQ(grid.SetDefDataSource(5), 0);
    EXPECT_EQ(grid.GetColDataSource(1), sources[4].get());
    EXPECT_EQ(grid.GetColDataSource(-1), sources[4].get());
    EXPECT_EQ(grid.SetDefDataSource(0), 0);
    EXPECT_EQ(grid.GetColDataSource(0), grid.m_GI->m_CUGMem.get());
}

TEST(CUGCtrlCoreTest, CellTypeRegistration)
{
    RecordingGrid grid;
    EXPECT_EQ(grid.GetCellType(0)->GetName(), "Normal Cell Type (default)");
    EXPECT_EQ(grid.GetCellType(1)->GetName(), "DropList");
    EXPECT_EQ(grid.GetCellType(2)->GetName(), "CheckBox");
    EXPECT_EQ(grid.GetCellType(3)->GetName(), "Side Arrows");
    EXPECT_EQ(grid.GetCellType(-5), grid.GetCellType(0));
    EXPECT_EQ(grid.GetCellType(99), grid.GetCellType(0));
    CUGCellType mine;
    EXPECT_EQ(grid.AddCellType(nullptr), -1);
    EXPECT_EQ(grid.AddCellType(&mine), 4);
    EXPECT_EQ(mine.GetID(), 4);
    EXPECT_EQ(grid.GetCellType(4), &mine);
}

TEST(CUGCtrlCoreTest, CellsComeFromColumnDefaultsSourceAndNotification)
{
    RecordingGrid grid;
    grid.SetNumberCols(3);
    grid.SetNumberRows(4);
    grid.QuickSetText(1, 2, "hello");
    grid.QuickSetText(1, -1, "Heading");
    CString text;
    EXPECT_EQ(grid.QuickGetText(1, 2, &text), 0);
    EXPECT_EQ(text, "hello");
    EXPECT_STREQ(grid.QuickGetTextPtr(1, -1), "Heading");
    EXPECT_EQ(grid.QuickSetText(3, 0, "x"), 1); // outside the sheet
    EXPECT_EQ(grid.QuickSetText(0, 4, "x"), 1);
    EXPECT_EQ(grid.QuickSetText(0, -2, "x"), 1);
    EXPECT_EQ(grid.Only("OnSetCell"), (std::vector<std::string>{"OnSetCell(1,2)", "OnSetCell(1,-1)"}));

    CUGCell def;
    def.SetAlignment(UG_ALIGNRIGHT);
    def.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(grid.SetColDefault(1, &def), 0);
    EXPECT_EQ(grid.SetColDefault(3, &def), 1);

    CUGCell cell;
    grid.logGetCell = true;
    grid.GetCellWithDefaults(1, 3, &cell); // never written: the column default shows
    EXPECT_EQ(cell.GetText(), nullptr);
    EXPECT_EQ(cell.GetAlignment(), UG_ALIGNRIGHT);
    EXPECT_EQ(cell.GetBackColor(), RGB(1, 2, 3));
    EXPECT_EQ(grid.Only("OnGetCell"), (std::vector<std::string>{"OnGetCell(1,3)"}));
    // A cell written through the quick setters started as a cleared cell, whose colours and
    // alignment count as set: they cover the column default.
    grid.GetCellWithDefaults(1, 2, &cell);
    EXPECT_STREQ(cell.GetText(), "hello");
    EXPECT_EQ(cell.GetAlignment(), UG_ALIGNLEFT);
    EXPECT_EQ(cell.GetBackColor(), GetSysColor(COLOR_WINDOW));

    CUGCell heading;
    grid.GetCellWithDefaults(2, -1, &heading);
    EXPECT_EQ(heading.GetBackColor(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(heading.GetAlignment(), UG_ALIGNCENTER | UG_ALIGNVCENTER);
    EXPECT_EQ(heading.GetBorder(), UG_BDR_RAISED);
    EXPECT_EQ(heading.GetDrawHints(), UG_DRAWHINT_LASTHDGROW);
    grid.GetCellWithDefaults(1, -1, &heading);
    EXPECT_STREQ(heading.GetText(), "Heading");
    CUGCell rowHeading;
    grid.GetCellWithDefaults(-1, 1, &rowHeading);
    EXPECT_EQ(rowHeading.GetDrawHints(), UG_DRAWHINT_LASTHDGCOL);
    CUGCell corner;
    grid.GetCellWithDefaults(-1, -1, &corner);
    EXPECT_EQ(corner.GetDrawHints(), UG_DRAWHINT_LASTHDGROW);

    // Beyond the rows only the defaults are assembled.
    grid.log.clear();
    CUGCell beyond;
    grid.GetCellWithDefaults(1, 9, &beyond);
    EXPECT_TRUE(grid.Only("OnGetCell").empty());
    EXPECT_EQ(beyond.GetAlignment(), UG_ALIGNRIGHT);
}

TEST(CUGCtrlCoreTest, JoinsReportTheirOriginAndRange)
{
    RecordingGrid grid;
    grid.SetNumberCols(5);
    grid.SetNumberRows(5);
    EXPECT_EQ(grid.JoinCells(2, 1, 1, 1), 1);
    EXPECT_EQ(grid.JoinCells(1, 1, 5, 2), 1);
    EXPECT_EQ(grid.JoinCells(-2, 1, 2, 2), 1);
    ASSERT_EQ(grid.JoinCells(1, 1, 3, 2), 0);
    int col = 3, row = 2, endCol = 0, endRow = 0;
    EXPECT_EQ(grid.GetJoinRange(&col, &row, &endCol, &endRow), 0);
    EXPECT_EQ(std::vector<int>({col, row, endCol, endRow}), std::vector<int>({1, 1, 3, 2}));
    col = 0;
    row = 0;
    EXPECT_EQ(grid.GetJoinRange(&col, &row, &endCol, &endRow), 2);
    grid.EnableJoins(FALSE);
    col = 2;
    row = 2;
    EXPECT_EQ(grid.GetJoinRange(&col, &row, &endCol, &endRow), 1);
}

TEST(CUGCtrlCoreTest, InsertAndDeleteColumnsKeepTranslationsInStep)
{
    RecordingGrid grid;
    grid.SetNumberCols(4);
    grid.SetNumberRows(2);
    for (int c = 0; c < 4; ++c)
        grid.QuickSetText(c, 0, CString::Formatted("c%d", c));
    CUGMem& mem = *grid.m_GI->m_CUGMem;

    EXPECT_EQ(mem.DeleteCol(2), 0);
    EXPECT_EQ(std::vector<int>({grid.GetColTranslation(0), grid.GetColTranslation(1), grid.GetColTranslation(2),
                                grid.GetColTranslation(3)}),
              std::vector<int>({0, 1, 1, 2}));
    EXPECT_STREQ(grid.QuickGetTextPtr(3, 0), "c3"); // column 3 now reads the store's column 2

    EXPECT_EQ(mem.InsertCol(1), 0);
    EXPECT_EQ(std::vector<int>({grid.GetColTranslation(0), grid.GetColTranslation(1), grid.GetColTranslation(2),
                                grid.GetColTranslation(3)}),
              std::vector<int>({0, 2, 2, 3}));
    EXPECT_STREQ(grid.QuickGetTextPtr(1, 0), "c1");
    EXPECT_STREQ(grid.QuickGetTextPtr(3, 0), "c3");
}

TEST(CUGCtrlCoreTest, DeleteRowLowersTheCountOnlyWhenTheSourceAgrees)
{
    RecordingGrid grid;
    grid.SetNumberCols(1);
    grid.SetNumberRows(3);
    grid.QuickSetText(0, 1, "one");
    grid.QuickSetText(0, 2, "two");
    EXPECT_EQ(grid.DeleteRow(3), 1);
    EXPECT_EQ(grid.DeleteRow(1), 0);
    EXPECT_EQ(grid.GetNumberRows(), 2);
    EXPECT_STREQ(grid.QuickGetTextPtr(0, 1), "two");

    CUGDataSource refusing; // the base source supports nothing
    grid.SetDefDataSource(grid.AddDataSource(&refusing));
    EXPECT_EQ(grid.DeleteRow(0), -1);
    EXPECT_EQ(grid.GetNumberRows(), 2);
}

TEST(CUGCtrlCoreTest, SheetsKeepTheirOwnSettings)
{
    RecordingGrid grid;
    grid.log.clear();
    EXPECT_EQ(grid.SetNumberSheets(3), 0);
    EXPECT_EQ(grid.Only("OnSheetSetup"), (std::vector<std::string>{"OnSheetSetup(1)", "OnSheetSetup(2)"}));
    grid.SetNumberCols(4);
    EXPECT_EQ(grid.SetSheetNumber(2), 0);
    EXPECT_EQ(grid.GetNumberCols(), 0);
    EXPECT_EQ(grid.m_GI->m_lastLeftCol, -1);
    EXPECT_EQ(grid.SetSheetNumber(3), 1);
    EXPECT_EQ(grid.SetNumberSheets(2), 0);
    EXPECT_EQ(grid.GetSheetNumber(), 0);
    EXPECT_EQ(grid.GetNumberCols(), 4);
    EXPECT_EQ(grid.SetNumberSheets(2000), 0);
    EXPECT_EQ(grid.GetNumberSheets(), 1);
}
