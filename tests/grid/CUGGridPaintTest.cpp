// The cell area painting on the offscreen platform: grid lines, fills, joined ranges, overflowing
// text, the repaint of an update rectangle and the pixels after scrolling (also of a grid cut off
// by its parent, at device ratios 1 and 2), read back from the window.
#include "GridTestSupport.h"
#include "grid/CUGGrid.h"
#include "grid/CUGSideHdg.h"
#include "platform/framework/windows/CDC.h"

#include <map>
#include <utility>

namespace
{
constexpr COLORREF kGridLine = RGB(0xDC, 0xDC, 0xDC);

// Counts how often each cell was drawn.
class CountingType : public CUGCellType
{
public:
    std::map<std::pair<int, int>, int> draws;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override
    {
        ++draws[{col, row}];
        CUGCellType::OnDraw(dc, rect, col, row, cell, selected, current);
    }
};

class PaintTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(5);
        grid.SetNumberRows(rows);
        if (holderHeight > 0)
        {
            ASSERT_TRUE(holder.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, holderHeight), nullptr, 0));
        }
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE | (holderHeight > 0 ? WS_CHILD : 0), CRect(0, 0, 400, 300),
                                    holderHeight > 0 ? &holder : nullptr, 1));
        CFrameworkApp::PumpWaitingMessages();
    }
    void TearDown() override
    {
        grid.DestroyWindow(); // before the counting type goes
        GridWindowTest::TearDown();
    }
    void UseCountingType()
    {
        CUGCell def;
        def.SetCellType(grid.AddCellType(&counter));
        for (int c = 0; c < grid.GetNumberCols(); ++c)
            grid.SetColDefault(c, &def);
    }
    CUGGrid& Area() { return *grid.m_CUGGrid; }
    COLORREF Pixel(int x, int y)
    {
        CClientDC dc(&Area());
        return dc.GetPixel(x, y);
    }
    // What the window shows (CLR_INVALID where its parent cuts it off).
    static std::vector<COLORREF> Image(CWnd& window)
    {
        CRect client;
        window.GetClientRect(&client);
        CClientDC dc(&window);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x)
                pixels.push_back(dc.GetPixel(x, y));
        return pixels;
    }
    std::vector<COLORREF> Image() { return Image(Area()); }
    void Repaint(const CRect* rect = nullptr)
    {
        counter.draws.clear();
        if (rect)
            Area().InvalidateRect(rect, FALSE);
        else
            Area().Invalidate(FALSE);
        Area().UpdateWindow();
    }

    int rows = 10;
    // Above 0: the grid is the child of a window this high, whose edge cuts it off.
    int holderHeight = 0;
    CWnd holder;
    CountingType counter;
    RecordingGrid grid;
};

// A grid of many rows, all of it in sight or cut off by its parent's lower edge (a grid as tall
// as its rows in a small window; at device ratio 2 a window shows half as many logical pixels).
class BigPaintTest : public PaintTest, public ::testing::WithParamInterface<int>
{
protected:
    void SetUp() override
    {
        rows = 100;
        holderHeight = GetParam();
        PaintTest::SetUp();
    }
};
} // namespace

TEST_F(PaintTest, GridLinesAtRightAndBottomMinusOneAndBlankBeyondTheCells)
{
    EXPECT_EQ(Pixel(74, 5), kGridLine);
    EXPECT_EQ(Pixel(10, 19), kGridLine);
    EXPECT_EQ(Pixel(10, 10), GetSysColor(COLOR_WINDOW));
    // Below the ten rows the section's background colour fills the rest.
    EXPECT_EQ(Pixel(10, 10 * 20 + 5), grid.OnGetSectionBackColor(UG_GRID));
}

TEST_F(PaintTest, SelectedAndCurrentCellsAreFilledWithTheHighlight)
{
    grid.SetCurrentCellMode(2);
    grid.SetMultiSelectMode(UG_MULTISELECT_CELL);
    grid.m_GI->m_multiSelect->StartBlock(2, 2);
    grid.m_GI->m_multiSelect->EndBlock(3, 3);
    Repaint();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(Pixel(2 * 75 + 60, 2 * 20 + 15), highlight);
    EXPECT_EQ(Pixel(3 * 75 + 60, 3 * 20 + 15), highlight);
    EXPECT_EQ(Pixel(60, 15), highlight); // the current cell (0, 0)
    EXPECT_EQ(Pixel(75 + 60, 20 + 15), GetSysColor(COLOR_WINDOW));
}

// The current cell of a focused grid shows on every cell colour: dotted on white, solid black on
// a mid-grey cell, where inverted dots would hardly differ from it.
TEST_F(PaintTest, TheCurrentCellIsFramedWhereverItIs)
{
    const COLORREF title = RGB(138, 145, 148);
    grid.QuickSetBackColor(1, 2, title);
    Area().SetFocus();
    struct Case
    {
        int col, row;
        COLORREF back;
        COLORREF corner, beside; // the frame's first two pixels on its top edge (dots on every other one)
    };
    for (const Case& c : {Case{1, 1, GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)},
                          Case{1, 2, title, RGB(0, 0, 0), RGB(0, 0, 0)}}) {
        grid.GotoCell(c.col, c.row);
        Repaint();
        const int x = c.col * 75, y = c.row * 20;
        EXPECT_EQ(Pixel(x, y), c.corner) << c.row;
        EXPECT_EQ(Pixel(x + 1, y), c.beside) << c.row;
        EXPECT_EQ(Pixel(x + 30, y + 10), c.back) << c.row;
    }
}

TEST_F(PaintTest, AJoinedRangeIsDrawnOnceWithoutInnerGridLines)
{
    UseCountingType();
    grid.JoinCells(1, 1, 2, 3);
    Repaint();
    EXPECT_EQ((counter.draws[{1, 1}]), 1);
    EXPECT_EQ(counter.draws.count({2, 2}), 0u);
    EXPECT_EQ(Pixel(75 + 74, 30), GetSysColor(COLOR_WINDOW)); // between columns 1 and 2
    EXPECT_EQ(Pixel(75 + 20, 39), GetSysColor(COLOR_WINDOW)); // between rows 1 and 2
    EXPECT_EQ(Pixel(3 * 75 - 1, 30), kGridLine);              // the range's own right edge
}

TEST_F(PaintTest, AnUpdateRectangleRepaintsItsCellsAndTheCurrentCell)
{
    UseCountingType();
    grid.GotoCell(3, 8);
    CRect part(80, 25, 150, 55); // cells (1, 1) .. (1, 2)
    Repaint(&part);
    EXPECT_EQ(counter.draws.size(), 3u);
    EXPECT_EQ((counter.draws[{1, 1}]), 1);
    EXPECT_EQ((counter.draws[{1, 2}]), 1);
    EXPECT_EQ((counter.draws[{3, 8}]), 1);
}

TEST_F(PaintTest, AnUpdateEndingInsideAJoinedRangeRepaintsTheWholeUnion)
{
    UseCountingType();
    grid.JoinCells(1, 1, 2, 3);
    // The corner lies in cell (2, 2), inside the range: column 2 of row 0 belongs to the union.
    CRect part(10, 5, 2 * 75 + 10, 2 * 20 + 10);
    Repaint(&part);
    EXPECT_EQ((counter.draws[{2, 0}]), 1);
    EXPECT_EQ((counter.draws[{1, 1}]), 1);
}

TEST_F(PaintTest, LeftAlignedTextRunsOnIntoEmptyCells)
{
    grid.EnableGridLines(FALSE);
    grid.QuickSetText(0, 0, "A long text running over the next cell");
    grid.QuickSetText(2, 0, "stop");
    grid.QuickSetText(0, 1, "Another long text running over the next");
    grid.QuickSetAlignment(0, 1, UG_ALIGNRIGHT);
    Repaint();
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    const auto inkIn = [&](int col, int row) {
        for (int x = col * 75; x < col * 75 + 75; ++x)
            for (int y = row * 20; y < row * 20 + 20; ++y)
                if (Pixel(x, y) != back)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(1, 0));  // the text ran on into the empty cell
    EXPECT_FALSE(inkIn(1, 1)); // right-aligned text never does
    EXPECT_FALSE(inkIn(3, 0)); // the next non-empty cell stopped it
}

TEST_P(BigPaintTest, ScrollingMovesPixelsAndMatchesAFullRepaint)
{
    // Each row and each heading cell in a colour of its own: a row left behind by a scroll shows.
    for (int row = 0; row < rows; ++row)
    {
        for (int col = 0; col < 5; ++col)
            grid.QuickSetBackColor(col, row, RGB(row * 37 % 256, row * 11 % 256, col * 50));
        grid.QuickSetBackColor(-1, row, RGB(row * 37 % 256, 255 - row * 11 % 256, 0));
    }
    UseCountingType();
    Area().SetFocus();
    CUGSideHdg& heading = *grid.m_CUGSideHdg;
    const auto repaint = [&] {
        Repaint();
        heading.Invalidate(FALSE);
        heading.UpdateWindow();
    };
    repaint();
    const auto matchesFullRepaint = [&](const char* after) {
        const std::vector<COLORREF> scrolled = Image();
        const std::vector<COLORREF> headingScrolled = Image(heading);
        repaint();
        EXPECT_EQ(scrolled, Image()) << after;
        EXPECT_EQ(headingScrolled, Image(heading)) << after;
    };

    counter.draws.clear();
    grid.SetTopRow(3);
    // Moved pixels are not drawn again: only the rows that came into view and the current cell.
    for (const auto& [cell, count] : counter.draws)
    {
        EXPECT_TRUE(holderHeight > 0 || cell.second >= grid.GetBottomRow() - 3 || cell == std::make_pair(0, 0))
            << cell.first << "," << cell.second;
    }
    matchesFullRepaint("three rows down");
    grid.SetTopRow(1);
    matchesFullRepaint("two rows up");
    grid.SetLeftCol(1);
    matchesFullRepaint("one column right");
}

INSTANTIATE_TEST_SUITE_P(WhereTheGridStands, BigPaintTest, ::testing::Values(0, 150),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 0 ? "AllInSight" : "CutByItsParent");
                         });

TEST_F(PaintTest, ABlackLineSeparatesLockedColumns)
{
    grid.LockColumns(1);
    grid.SetLeftCol(2);
    Repaint();
    EXPECT_EQ(Pixel(74, 10), RGB(0, 0, 0));   // right edge of the locked column
    EXPECT_EQ(Pixel(75 + 74, 10), kGridLine); // the left column's own grid line
    EXPECT_EQ(Pixel(75 + 10, 10), GetSysColor(COLOR_WINDOW));
}

TEST_F(PaintTest, APrintRequestDrawsTheWholeSheetIntoTheGivenContext)
{
    Repaint();
    const std::vector<COLORREF> shown = Image();
    CRect client;
    Area().GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    EXPECT_EQ(Area().SendMessage(WM_PRINT, WPARAM(&dc), 0), 0);
    std::vector<COLORREF> printed;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            printed.push_back(dc.GetPixel(x, y));
    EXPECT_EQ(printed, shown);
}
