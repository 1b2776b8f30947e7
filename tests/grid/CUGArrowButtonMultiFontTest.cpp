// Side arrows, push buttons and multi-font text cells.
#include "CellTypeTestSupport.h"
#include "grid/CUGArrowType.h"
#include "grid/CUGButtonType.h"
#include "grid/CUGMultiFontType.h"
#include "grid/CellTextFit.h"

#include <string>

namespace
{
using Log = std::vector<std::string>;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kArrows = 3;

class CellTypesTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        buttonType = grid.AddCellType(&button);
        multiFontType = grid.AddCellType(&multiFont);
        grid.SetNumberCols(3);
        grid.SetNumberRows(3);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 1));
        grid.EnableGridLines(FALSE);
        grid.log.clear();
    }

    CUGButtonType button; // registered with the grid: they outlive it
    CUGMultiFontType multiFont;
    NotifyingGrid grid;
    int buttonType = 0;
    int multiFontType = 0;
};
} // namespace

TEST_F(CellTypesTest, ArrowsAreDrawnAroundTheCentreInTheTextColour)
{
    grid.QuickSetCellType(0, 0, kArrows);
    grid.QuickSetTextColor(0, 0, RGB(200, 0, 0));
    CellPicture right(20, 20);
    right.Draw(grid, 0, 0);
    const int cx = 10, cy = 10;
    EXPECT_EQ(right.At(cx - 1, cy - 3), RGB(200, 0, 0)); // the bar
    EXPECT_EQ(right.At(cx - 1, cy + 3), RGB(200, 0, 0));
    EXPECT_EQ(right.At(cx - 1, cy + 4), kWhite);         // end pixel left out
    EXPECT_EQ(right.At(cx + 1, cy), RGB(200, 0, 0));
    EXPECT_EQ(right.At(cx - 2, cy), kWhite);

    grid.QuickSetCellTypeEx(0, 0, UGCT_ARROWLEFT);
    CellPicture left(20, 20);
    left.Draw(grid, 0, 0);
    EXPECT_EQ(left.At(cx + 1, cy - 3), RGB(200, 0, 0));
    EXPECT_EQ(left.At(cx - 1, cy), RGB(200, 0, 0));
    EXPECT_EQ(left.At(cx - 1, cy - 3), kWhite);

    grid.QuickSetCellTypeEx(0, 0, UGCT_ARROWDLEFT);
    CellPicture doubleLeft(20, 20);
    doubleLeft.Draw(grid, 0, 0);
    EXPECT_EQ(doubleLeft.At(cx + 4, cy), RGB(200, 0, 0));
    EXPECT_EQ(doubleLeft.At(cx - 2, cy), RGB(200, 0, 0));

    grid.QuickSetCellTypeEx(0, 0, 0x100); // none of the arrow bits
    CellPicture none(20, 20);
    none.Draw(grid, 0, 0);
    EXPECT_EQ(none.Marked(CRect(0, 0, 20, 20)), 0);

    CSize size(30, 17);
    CUGCell cell;
    grid.GetCellType(kArrows)->GetBestSize(none.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(10, 17));
    cell.SetCellTypeEx(UGCT_ARROWDRIGHT);
    grid.GetCellType(kArrows)->GetBestSize(none.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(14, 17));
}

TEST_F(CellTypesTest, AButtonClicksOnlyWhenReleasedOverTheCellItWasPressedOn)
{
    grid.QuickSetCellType(0, 0, buttonType);
    grid.QuickSetCellType(1, 0, buttonType);
    CRect rect(0, 0, 75, 20);
    POINT point{5, 5};
    EXPECT_TRUE(button.OnLClicked(0, 0, 1, &rect, &point));
    EXPECT_TRUE(button.OnLClicked(0, 0, 0, &rect, &point));
    EXPECT_TRUE(button.OnLClicked(0, 0, 1, &rect, &point));
    EXPECT_TRUE(button.OnLClicked(1, 0, 0, &rect, &point));
    EXPECT_EQ(grid.Only("OnCellTypeNotify"),
              (Log{Line("OnCellTypeNotify", buttonType, 0, 0, 2, 0), Line("OnCellTypeNotify", buttonType, 0, 0, 3, 0),
                   Line("OnCellTypeNotify", buttonType, 0, 0, 1, 0), Line("OnCellTypeNotify", buttonType, 0, 0, 2, 0),
                   Line("OnCellTypeNotify", buttonType, 1, 0, 3, 0)}));

    grid.log.clear();
    UINT enter = VK_RETURN, other = 'a';
    EXPECT_TRUE(button.OnKeyDown(0, 0, &enter));
    EXPECT_FALSE(button.OnKeyDown(0, 0, &other));
    EXPECT_EQ(grid.Only("OnCellTypeNotify"), (Log{Line("OnCellTypeNotify", buttonType, 0, 0, 1, 0)}));
}

TEST_F(CellTypesTest, APressedButtonLooksSunkenWhileTheMouseStaysOnIt)
{
    grid.QuickSetCellType(0, 0, buttonType);
    grid.QuickSetText(0, 0, "Go");
    CellPicture up(40, 20);
    up.Draw(grid, 0, 0, 0, 1);
    // Raised: light on the top left, shadow on the bottom right.
    const COLORREF light = up.At(0, 0), shadow = up.At(39, 19);
    EXPECT_NE(light, shadow);

    CRect rect(0, 0, 40, 20);
    POINT inside{5, 5}, outside{60, 5};
    button.OnLClicked(0, 0, 1, &rect, &inside);
    CellPicture down(40, 20);
    down.Draw(grid, 0, 0, 0, 1);
    EXPECT_EQ(down.At(0, 0), shadow);
    EXPECT_EQ(down.At(39, 19), light);

    EXPECT_FALSE(button.OnMouseMove(0, 0, &outside, MK_LBUTTON));
    CellPicture released(40, 20);
    released.Draw(grid, 0, 0, 0, 1);
    EXPECT_EQ(released.At(0, 0), light);
    EXPECT_TRUE(button.OnMouseMove(0, 0, &inside, MK_LBUTTON));
}

TEST_F(CellTypesTest, MultiFontTagsChangeTheColourOfWhatFollows)
{
    grid.QuickSetCellType(0, 0, multiFontType);
    grid.QuickSetText(0, 0, "MMM<:C,255,0,0>MMM");
    CellPicture picture(120, 20);
    picture.Draw(grid, 0, 0);
    const CSize run = picture.Dc()->GetTextExtent("MMM");
    int black = 0, red = 0, elsewhere = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 120; ++x)
        {
            const COLORREF c = picture.At(x, y);
            if (c == kWhite)
                continue;
            const bool first = x < 3 + run.cx;
            if (first && GetRValue(c) < 128 && GetGValue(c) < 128)
                ++black;
            else if (!first && GetRValue(c) > 128 && GetGValue(c) < 100)
                ++red;
            else if ((first && GetRValue(c) > 128 && GetGValue(c) < 100) || (!first && GetRValue(c) < 100))
                ++elsewhere;
        }
    EXPECT_GT(black, 10);
    EXPECT_GT(red, 10);
    EXPECT_EQ(elsewhere, 0);

    // An unclosed tag swallows the rest of the text.
    grid.QuickSetText(0, 0, "<:C,255,0,0 MMM");
    CellPicture swallowed(120, 20);
    swallowed.Draw(grid, 0, 0);
    EXPECT_EQ(swallowed.Marked(CRect(0, 0, 120, 20)), 0);

    // A centred text wider than its cell shows its beginning, not nothing.
    grid.QuickSetAlignment(0, 0, UG_ALIGNCENTER | UG_ALIGNVCENTER);
    grid.QuickSetText(0, 0, "MMMMMMMMMM<:C,255,0,0>MMMMMMMMMM");
    CellPicture narrow(60, 20);
    narrow.Draw(grid, 0, 0);
    int beginning = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            beginning += GetRValue(narrow.At(x, y)) < 128 && GetGValue(narrow.At(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(beginning, 10);
}

TEST_F(CellTypesTest, MultiFontBestSizeMeasuresTextWithoutTagsAndReportsItsHeight)
{
    CellPicture picture(10, 10);
    CUGCell cell;
    cell.SetText("ab<:F,Sans,20,700>cd");
    CSize size;
    multiFont.GetBestSize(picture.Dc(), &size, &cell);
    const CSize plain = picture.Dc()->GetTextExtent("ab");
    EXPECT_GT(size.cx, plain.cx * 2 + 6);        // the bold, larger "cd" is wider
    EXPECT_GT(size.cy, plain.cy + 2);            // and taller
    cell.SetText("ab");
    multiFont.GetBestSize(picture.Dc(), &size, &cell);
    EXPECT_EQ(size, CSize(plain.cx + 6, plain.cy + 2));

    // Each tag's own font, however often the tags come and go.
    const CSize large = [&] {
        cell.SetText("ab<:F,Sans,20,700>cd");
        CSize measured;
        multiFont.GetBestSize(picture.Dc(), &measured, &cell);
        return measured;
    }();
    cell.SetText("ab<:F,Sans,10,400>cd<:F,Sans,10,700>ef");
    CSize small;
    multiFont.GetBestSize(picture.Dc(), &small, &cell);
    EXPECT_LT(small.cy, large.cy);
    cell.SetText("ab<:F,Sans,20,700>cd");
    multiFont.GetBestSize(picture.Dc(), &size, &cell);
    EXPECT_EQ(size, large);
}

namespace
{
// The top and bottom rows that hold dark pixels.
std::pair<int, int> InkRows(const CellPicture& picture, const CRect& area)
{
    int top = -1, bottom = -1;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetRValue(picture.At(x, y)) < 128)
            {
                if (top < 0)
                    top = y;
                bottom = y;
            }
    return {top, bottom};
}
} // namespace

TEST_F(CellTypesTest, SmallScriptIsSmallerAndLowerUntilNormalScript)
{
    grid.QuickSetCellType(0, 0, multiFontType);
    grid.QuickSetText(0, 0, "H<:S>H<:N>H");
    CellPicture picture(120, 30);
    picture.Draw(grid, 0, 0);
    const int w = picture.Dc()->GetTextExtent("H").cx;
    const auto first = InkRows(picture, CRect(3, 0, 3 + w, 30));
    const auto small = InkRows(picture, CRect(3 + w, 0, 3 + w + w * 3 / 4 + 1, 30));
    ASSERT_GE(first.first, 0);
    ASSERT_GE(small.first, 0);
    EXPECT_GT(small.first, first.first);                           // starts lower
    EXPECT_LT(small.second - small.first, first.second - first.first); // and is smaller
    const auto last = InkRows(picture, CRect(3 + 2 * w, 0, 60, 30));
    EXPECT_EQ(last, first);
}

TEST_F(CellTypesTest, SeveralLineMultiFontTextStartsEachLineBelowTheLast)
{
    grid.QuickSetCellType(0, 0, multiFontType);
    grid.QuickSetCellTypeEx(0, 0, UGCT_NORMALMULTILINE);
    grid.QuickSetText(0, 0, "H\n<:C,255,0,0>H");
    CellPicture picture(60, 60);
    picture.Draw(grid, 0, 0);
    const int lineHeight = picture.Dc()->GetTextExtent("H").cy;
    int red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
        {
            const COLORREF c = picture.At(x, y);
            if (GetRValue(c) > 128 && GetGValue(c) < 100)
            {
                ++red;
                EXPECT_GE(y, lineHeight);
            }
        }
    EXPECT_GT(red, 5);
}

namespace
{
// The narrowest width at which the panel's lines, broken to it, fit the height: every width tried.
int NarrowestFittingWidth(CUGCtrl& grid, CUGCellType& type, int height)
{
    CClientDC dc(&grid);
    CUGCell cell;
    grid.GetCellWithDefaults(0, 0, &cell);
    for (int width = 1; width <= 2000; ++width)
    {
        CSize size(width, height);
        type.GetBestSize(&dc, &size, &cell);
        if (size.cx <= width && size.cy <= height)
            return width;
    }
    return 0;
}
} // namespace

TEST_F(CellTypesTest, APanelOfSeveralFontsWidensItsColumnToTheNarrowestWidthItsLinesFitIn)
{
    grid.QuickSetCellType(0, 0, multiFontType);
    grid.QuickSetCellTypeEx(0, 0, UGCT_NORMALMULTILINE);
    const int line = CClientDC(&grid).GetTextExtent("H").cy;
    const char* panels[] = {
        "Active energy <:F,Sans,14,700>1234.5 kWh<:F,Sans,10,400> at 0.21 per kWh\nTotal <:C,255,0,0>259.25 for the whole session",
        "one two three four five six seven eight nine ten eleven twelve",
        "<:F,Sans,18,700>Wide<:F,Sans,9,400> narrow words after a wide one, and <:S>small<:N> ones",
    };
    for (const char* panel : panels)
        for (const int lines : {3, 4, 6})
        {
            SCOPED_TRACE(std::string(panel) + " in " + std::to_string(lines) + " lines");
            grid.QuickSetText(0, 0, panel);
            grid.SetRowHeight(0, lines * line);
            grid.SetColWidth(0, 1);
            const int expected = NarrowestFittingWidth(grid, multiFont, lines * line);
            ASSERT_GT(expected, 1);
            FitColumnsToTexts(grid, {}, 3000);
            EXPECT_EQ(grid.GetColWidth(0), expected);
        }
}

// A joined text widens the join's last column by what the join lacks; the text of a cell inside the
// join is not the join's and widens nothing. With joins off every cell stands for itself.
TEST_F(CellTypesTest, AJoinedTextWidensTheLastColumnOfItsJoinOnly)
{
    const std::string title(40, 'W');
    const std::string inside(60, 'M');
    grid.QuickSetText(1, 1, inside.c_str());
    ASSERT_EQ(grid.JoinCells(0, 1, 1, 1), UG_SUCCESS);
    grid.QuickSetText(0, 1, title.c_str());
    CClientDC dc(&grid);
    const int titleWidth = dc.GetTextExtent(title.c_str()).cx;
    const int insideWidth = dc.GetTextExtent(inside.c_str()).cx;
    for (const bool joins : {true, false}) {
        SCOPED_TRACE(joins ? "joins on" : "joins off");
        grid.EnableJoins(joins);
        for (int col = 0; col < 3; ++col)
            grid.SetColWidth(col, 10);
        FitColumnsToTexts(grid, {}, 3000);
        if (joins) {
            EXPECT_EQ(grid.GetColWidth(0), 10);
            EXPECT_GE(grid.GetColWidth(0) + grid.GetColWidth(1), titleWidth);
            EXPECT_LT(grid.GetColWidth(1), insideWidth);
        } else {
            EXPECT_GE(grid.GetColWidth(0), titleWidth);
            EXPECT_GE(grid.GetColWidth(1), insideWidth);
        }
        EXPECT_EQ(grid.GetColWidth(2), 10);
    }
}
