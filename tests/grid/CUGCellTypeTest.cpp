// The normal cell type drawing into a bitmap: borders of every style, 3-D frames, colours, text
// placement, bitmaps, and the guards against rows of no height.
#include "GridTestSupport.h"
#include "platform/framework/windows/CDC.h"

#include <optional>

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGridLine = RGB(0xDC, 0xDC, 0xDC);

// A memory context over a white bitmap.
struct Canvas
{
    explicit Canvas(int width = 120, int height = 40)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        dc.SelectObject(&bitmap);
        Clear();
    }
    void Clear()
    {
        const CSize size = bitmap.GetSize();
        dc.FillSolidRect(0, 0, size.cx, size.cy, kWhite);
    }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    // The box of the pixels inside `area` that differ from `background`.
    std::optional<CRect> Ink(const CRect& area, COLORREF background) const
    {
        std::optional<CRect> box;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != background)
                {
                    if (!box)
                        box = CRect(x, y, x + 1, y + 1);
                    box->left = std::min(box->left, LONG(x));
                    box->top = std::min(box->top, LONG(y));
                    box->right = std::max(box->right, LONG(x + 1));
                    box->bottom = std::max(box->bottom, LONG(y + 1));
                }
        return box;
    }
    CDC dc;
    CBitmap bitmap;
};

class CellTypeTest : public GridWindowTest
{
protected:
    void SetUp() override
    {
        grid.SetNumberCols(4);
        grid.SetNumberRows(4);
        ASSERT_TRUE(grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 1));
        type = grid.GetCellType(0);
        red.CreatePen(PS_SOLID, 1, kRed);
        cell.SetBackColor(kWhite);
        cell.SetTextColor(RGB(0, 0, 0));
    }
    // Draws the border of a 100 x 30 cell at (10, 5) and answers the rectangle left inside.
    CRect Border(WORD bits)
    {
        cell.SetBorder(bits);
        cell.SetBorderColor(&red);
        CRect rect(10, 5, 110, 35), inside;
        type->DrawBorder(&canvas.dc, &rect, &inside, &cell);
        return inside;
    }

    RecordingGrid grid;
    CUGCellType* type = nullptr;
    CUGCell cell;
    CPen red;
    Canvas canvas;
};
} // namespace

TEST_F(CellTypeTest, GridLinesAndNoBorders)
{
    CRect rect(10, 5, 110, 35), inside;
    type->DrawBorder(&canvas.dc, &rect, &inside, &cell);
    EXPECT_EQ(inside, CRect(10, 5, 109, 34));
    EXPECT_EQ(canvas.At(109, 10), kGridLine);
    EXPECT_EQ(canvas.At(50, 34), kGridLine);
    EXPECT_EQ(canvas.At(10, 10), kWhite);
    EXPECT_EQ(canvas.At(50, 5), kWhite);

    grid.EnableGridLines(FALSE);
    Canvas clean;
    type->DrawBorder(&clean.dc, &rect, &inside, &cell);
    EXPECT_EQ(inside, rect);
    EXPECT_FALSE(clean.Ink(CRect(0, 0, 120, 40), kWhite));
}

TEST_F(CellTypeTest, BordersOfEveryWidthOnEveryEdge)
{
    grid.EnableGridLines(FALSE);
    EXPECT_EQ(Border(0x000F), CRect(11, 6, 109, 34));
    EXPECT_EQ(canvas.At(10, 20), kRed);
    EXPECT_EQ(canvas.At(50, 5), kRed);
    EXPECT_EQ(canvas.At(109, 20), kRed);
    EXPECT_EQ(canvas.At(50, 34), kRed);
    EXPECT_EQ(canvas.At(11, 20), kWhite);

    canvas.Clear();
    EXPECT_EQ(Border(0x00F0), CRect(12, 7, 108, 33));
    EXPECT_EQ(canvas.At(11, 20), kRed);
    EXPECT_EQ(canvas.At(108, 20), kRed);
    EXPECT_EQ(canvas.At(12, 20), kWhite);

    canvas.Clear();
    EXPECT_EQ(Border(0x0F00), CRect(13, 8, 107, 32));
    EXPECT_EQ(canvas.At(12, 20), kRed);
    EXPECT_EQ(canvas.At(50, 7), kRed);
    EXPECT_EQ(canvas.At(107, 20), kRed);
    EXPECT_EQ(canvas.At(50, 32), kRed);
    EXPECT_EQ(canvas.At(13, 20), kWhite);

    // Mixed widths: each side moves in by its own width.
    canvas.Clear();
    EXPECT_EQ(Border(0x0001 | 0x0020 | 0x0400), CRect(11, 7, 107, 35));
}

TEST_F(CellTypeTest, GridLinesJoinAPartialBorder)
{
    // A left border with grid lines on still gets the right and bottom grid lines.
    EXPECT_EQ(Border(0x0001), CRect(11, 5, 109, 34));
    EXPECT_EQ(canvas.At(10, 20), kRed);
    EXPECT_EQ(canvas.At(109, 20), kGridLine);
    EXPECT_EQ(canvas.At(50, 34), kGridLine);
}

TEST_F(CellTypeTest, ThreeDimensionalFrames)
{
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_BTNSHADOW);
    grid.m_GI->m_threeDHeight = 2;
    EXPECT_EQ(Border(UG_BDR_RAISED), CRect(12, 7, 108, 33));
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(canvas.At(10 + i, 20), light) << i;
        EXPECT_EQ(canvas.At(50, 5 + i), light) << i;
        EXPECT_EQ(canvas.At(109 - i, 20), dark) << i;
        EXPECT_EQ(canvas.At(50, 34 - i), dark) << i;
    }
    EXPECT_EQ(canvas.At(12, 20), kWhite); // no grid line inside a 3-D frame

    canvas.Clear();
    EXPECT_EQ(Border(UG_BDR_RECESSED), CRect(12, 7, 108, 33));
    EXPECT_EQ(canvas.At(10, 20), dark);
    EXPECT_EQ(canvas.At(50, 6), dark);
    EXPECT_EQ(canvas.At(108, 20), light);
    EXPECT_EQ(canvas.At(50, 33), light);
}

TEST_F(CellTypeTest, ColoursFollowSelectionCurrentModeAndDisabledStyle)
{
    grid.EnableGridLines(FALSE);
    cell.SetHBackColor(kRed);
    cell.SetText("x");
    CRect rect(0, 0, 50, 20);
    const auto draw = [&](int selected, int current) {
        canvas.Clear();
        CRect r = rect;
        type->OnDraw(&canvas.dc, &r, 0, 0, &cell, selected, current);
        return canvas.At(45, 15);
    };
    EXPECT_EQ(draw(0, 0), kWhite);
    EXPECT_EQ(draw(1, 0), kRed);
    grid.SetCurrentCellMode(1);
    EXPECT_EQ(draw(0, 1), kWhite);
    grid.SetCurrentCellMode(2);
    EXPECT_EQ(draw(0, 1), kRed);

    // Disabled: grey text on the normal background even when selected.
    cell.SetCellTypeEx(UGCT_DISABLED);
    cell.SetText("XXXXXXXX");
    draw(1, 0);
    EXPECT_EQ(canvas.At(45, 15), kWhite);
    bool grey = false;
    for (int x = 0; x < 50; ++x)
        for (int y = 0; y < 20; ++y)
            grey = grey || canvas.At(x, y) == UG_DISABLED_TEXT_COLOR;
    EXPECT_TRUE(grey);
}

TEST_F(CellTypeTest, TextAlignmentPlacesTheText)
{
    grid.EnableGridLines(FALSE);
    cell.SetText("Wide");
    const CRect rect(0, 0, 120, 40);
    const int margin = grid.m_GI->m_margin;
    const auto ink = [&](WORD align) {
        canvas.Clear();
        cell.SetAlignment(align);
        CRect r = rect;
        type->OnDraw(&canvas.dc, &r, 0, 0, &cell, 0, 0);
        return canvas.Ink(rect, kWhite).value_or(CRect());
    };
    const CSize extent = canvas.dc.GetTextExtent("Wide");

    const CRect left = ink(UG_ALIGNLEFT | UG_ALIGNTOP);
    EXPECT_GE(left.left, margin);
    EXPECT_LE(left.left, margin + 2);
    EXPECT_GE(left.top, 1);
    EXPECT_LT(left.top, 1 + extent.cy / 2);

    const CRect right = ink(UG_ALIGNRIGHT | UG_ALIGNBOTTOM);
    EXPECT_LE(right.right, 120 - margin);
    EXPECT_GE(right.right, 120 - margin - 3);
    EXPECT_LE(right.bottom, 40 - 1);
    EXPECT_GT(right.bottom, 40 - 1 - extent.cy / 2);

    const CRect centre = ink(UG_ALIGNCENTER | UG_ALIGNVCENTER);
    EXPECT_NEAR(centre.left + centre.right, 120, 4);
    EXPECT_NEAR(centre.top + centre.bottom, 40, 6);
}

TEST_F(CellTypeTest, LongTextIsClippedOrEndsWithAnEllipsis)
{
    grid.EnableGridLines(FALSE);
    const CString text = "A rather long text that does not fit";
    cell.SetText(text);
    CRect rect(10, 0, 70, 20);
    type->OnDraw(&canvas.dc, &rect, 0, 0, &cell, 0, 0);
    EXPECT_FALSE(canvas.Ink(CRect(70, 0, 120, 40), kWhite)); // clipped at the cell

    // With the ellipsis style the text equals the platform's ellipsis text drawn 3 pixels in.
    cell.SetCellTypeEx(UGCT_NORMALELLIPSIS);
    Canvas drawn, expected;
    rect = CRect(10, 0, 70, 20);
    type->OnDraw(&drawn.dc, &rect, 0, 0, &cell, 0, 0);
    CRect textRect(13, 1, 70, 20);
    expected.dc.SetBkMode(TRANSPARENT);
    expected.dc.DrawText(text, &textRect, DT_NOPREFIX | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(drawn.Ink(CRect(0, 0, 120, 40), kWhite), expected.Ink(CRect(0, 0, 120, 40), kWhite));
}

TEST_F(CellTypeTest, AnEmptyLabelDrawsNoTextButBackgroundAndBorder)
{
    cell.SetText("value");
    cell.SetCellTypeEx(UGCT_NORMALLABELTEXT);
    cell.SetBackColor(kRed);
    CRect rect(0, 0, 60, 20);
    type->OnDraw(&canvas.dc, &rect, 0, 0, &cell, 0, 0);
    EXPECT_EQ(canvas.Ink(CRect(0, 0, 59, 19), kRed), std::nullopt);
    EXPECT_EQ(canvas.At(59, 5), kGridLine);
}

TEST_F(CellTypeTest, BitmapsAreShrunkToTheRowOrDrawnAtTheirSize)
{
    grid.EnableGridLines(FALSE);
    std::vector<DWORD> bluePixels(20 * 50, 0x000000FF); // B, G, R, x: pure blue
    CBitmap tall, small;
    tall.CreateBitmap(20, 50, 1, 32, bluePixels.data());
    small.CreateBitmap(8, 6, 1, 32, bluePixels.data());
    const COLORREF blue = RGB(0, 0, 255);

    CRect rect(0, 0, 100, 30);
    EXPECT_EQ(type->DrawBitmap(&canvas.dc, &tall, &rect, kWhite), 2 * 2 + 20 * 26 / 50);
    EXPECT_EQ(canvas.Ink(CRect(0, 0, 100, 30), kWhite), CRect(2, 2, 2 + 20 * 26 / 50, 28));
    EXPECT_EQ(canvas.At(3, 10), blue);

    canvas.Clear();
    EXPECT_EQ(type->DrawBitmap(&canvas.dc, &small, &rect, kWhite), 12);
    EXPECT_EQ(canvas.Ink(CRect(0, 0, 100, 30), kWhite), CRect(2, 12, 10, 18));

    // A hidden row, a bitmap without pixels: nothing drawn, nothing divided by zero.
    CRect hidden(0, 0, 100, 0);
    EXPECT_EQ(type->DrawBitmap(&canvas.dc, &tall, &hidden, kWhite), 0);
    CBitmap empty;
    EXPECT_EQ(type->DrawBitmap(&canvas.dc, &empty, &rect, kWhite), 0);
}

TEST_F(CellTypeTest, BestSizeAndScaledDrawingSurviveZeroHeights)
{
    cell.SetText("Some text");
    CSize size(75, 20);
    type->GetBestSize(&canvas.dc, &size, &cell);
    const CSize extent = canvas.dc.GetTextExtent("Some text");
    EXPECT_EQ(size, CSize(extent.cx + 6, extent.cy + 2));

    CBitmap empty;
    cell.SetBitmap(&empty);
    size = CSize(75, 20);
    type->GetBestSize(&canvas.dc, &size, &cell);
    EXPECT_EQ(size.cx, extent.cx + 6);

    // Drawing into a larger rectangle scales from the row's height; a hidden row draws nothing.
    cell.SetBitmap(nullptr);
    cell.SetPropertyFlags(cell.GetPropertyFlags() & ~UGCELL_BITMAP_SET);
    CRect big(0, 0, 120, 40);
    type->DrawScaled(&canvas.dc, &big, 0, 0, &cell);
    EXPECT_TRUE(canvas.Ink(big, kWhite));
    EXPECT_EQ(cell.GetFont(), nullptr); // the scaled font was only lent

    grid.SetRowHeight(1, 0);
    Canvas untouched;
    type->DrawScaled(&untouched.dc, &big, 0, 1, &cell);
    EXPECT_FALSE(untouched.Ink(big, kWhite));
}
