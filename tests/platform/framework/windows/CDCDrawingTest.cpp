#include "WindowTestSupport.h"

namespace
{
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory context over a white bitmap of the given size.
struct Canvas
{
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
    Canvas(int w, int h)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, w, h);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, kWhite);
    }
    // The pixels of one row from x0 to x1 inclusive, as 'x' (not white) or '.'.
    std::string Row(int y, int x0, int x1)
    {
        std::string s;
        for (int x = x0; x <= x1; ++x) s += dc.GetPixel(x, y) == kWhite ? '.' : 'x';
        return s;
    }
    std::string Column(int x, int y0, int y1)
    {
        std::string s;
        for (int y = y0; y <= y1; ++y) s += dc.GetPixel(x, y) == kWhite ? '.' : 'x';
        return s;
    }
};
} // namespace

TEST_F(WindowTest, ColoursAreStoredAsBlueGreenRed)
{
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
    Canvas c(4, 4);
    c.dc.SetPixel(1, 1, RGB(10, 20, 30));
    EXPECT_EQ(c.dc.GetPixel(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(BitmapImage(c.bitmap).pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(c.dc.GetPixel(10, 10), CLR_INVALID);
}

TEST_F(WindowTest, LinesLeaveOutTheirEndPixel)
{
    Canvas c(20, 20);
    CPen pen(PS_SOLID, 1, kRed);
    CPen* old = c.dc.SelectObject(&pen);
    EXPECT_EQ(old, CPen::FromHandle(GetStockObject(BLACK_PEN)));
    c.dc.MoveTo(2, 5);
    c.dc.LineTo(8, 5);
    EXPECT_EQ(c.Row(5, 0, 9), "..xxxxxx..");
    EXPECT_EQ(c.dc.GetPixel(2, 5), kRed);
    c.dc.MoveTo(12, 8);
    c.dc.LineTo(12, 2); // upwards: 8 down to 3
    EXPECT_EQ(c.Column(12, 1, 9), "..xxxxxx.");
    c.dc.MoveTo(0, 10);
    c.dc.LineTo(5, 15);
    EXPECT_EQ(c.dc.GetPixel(4, 14), kRed);
    EXPECT_EQ(c.dc.GetPixel(5, 15), kWhite);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(5, 15));
    c.dc.SelectObject(old);
}

TEST_F(WindowTest, RectanglesFillsAndFramesHitExactPixels)
{
    Canvas c(30, 30);
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);
    c.dc.SelectObject(&pen);
    c.dc.SelectObject(&brush);
    c.dc.Rectangle(2, 2, 8, 6);
    EXPECT_EQ(c.Row(2, 1, 8), ".xxxxxx.");
    EXPECT_EQ(c.dc.GetPixel(7, 3), kRed);
    EXPECT_EQ(c.dc.GetPixel(3, 3), kBlue);
    EXPECT_EQ(c.dc.GetPixel(2, 5), kRed);
    EXPECT_EQ(c.dc.GetPixel(2, 6), kWhite);

    c.dc.FillSolidRect(CRect(10, 10, 13, 12), kRed);
    EXPECT_EQ(c.Row(10, 9, 13), ".xxx.");
    EXPECT_EQ(c.Column(10, 9, 12), ".xx.");
    EXPECT_EQ(c.dc.GetBkColor(), kRed); // the fill leaves the background colour set

    CBrush green(RGB(0, 255, 0));
    c.dc.FrameRect(CRect(15, 15, 20, 19), &green);
    EXPECT_EQ(c.Row(15, 14, 20), ".xxxxx.");
    EXPECT_EQ(c.Row(16, 14, 20), ".x...x.");
    c.dc.Draw3dRect(CRect(20, 20, 25, 25), kRed, kBlue);
    EXPECT_EQ(c.dc.GetPixel(20, 20), kRed);
    EXPECT_EQ(c.dc.GetPixel(24, 24), kBlue);
    EXPECT_EQ(c.dc.GetPixel(24, 20), kBlue);
    EXPECT_EQ(c.dc.GetPixel(22, 22), kWhite);
}

TEST_F(WindowTest, FocusRectangleIsDottedAndUndoesItself)
{
    Canvas c(12, 12);
    const CRect r(1, 1, 9, 7);
    c.dc.DrawFocusRect(&r);
    EXPECT_EQ(c.Row(1, 0, 9), ".x.x.x.x..");
    EXPECT_EQ(c.Column(1, 0, 7), ".x.x.x..");
    EXPECT_EQ(c.dc.GetPixel(4, 4), kWhite);
    c.dc.DrawFocusRect(&r);
    for (int y = 0; y < 12; ++y) EXPECT_EQ(c.Row(y, 0, 11), "............");
}

TEST_F(WindowTest, ClippingAndOriginsLimitAndShiftDrawing)
{
    Canvas c(20, 20);
    c.dc.IntersectClipRect(5, 5, 10, 10);
    c.dc.FillSolidRect(0, 0, 20, 20, kRed);
    EXPECT_EQ(c.dc.GetPixel(4, 7), CLR_INVALID); // outside the clip region
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(5, 5, 10, 10));
    c.dc.SelectClipRgn(nullptr);
    EXPECT_EQ(c.Row(7, 3, 11), "..xxxxx..");
    c.dc.SetViewportOrg(10, 0);
    c.dc.SetPixel(1, 15, kBlue);
    EXPECT_EQ(c.dc.GetPixel(1, 15), kBlue);
    c.dc.SetViewportOrg(0, 0);
    EXPECT_EQ(c.dc.GetPixel(11, 15), kBlue);
    CRgn region;
    region.CreateRectRgn(0, 0, 3, 3);
    CRgn other;
    other.CreateRectRgn(2, 2, 6, 6);
    EXPECT_EQ(region.CombineRgn(&region, &other, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(region.PtInRegion(4, 4));
    EXPECT_FALSE(region.PtInRegion(4, 1));
}

TEST_F(WindowTest, TextMeasuresConsistentlyAndCalcRectFollowsTheRules)
{
    Canvas c(200, 100);
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -12;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    c.dc.SelectObject(&font);
    TEXTMETRIC tm;
    ASSERT_TRUE(c.dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    const CSize one = c.dc.GetTextExtent("Hello");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(one.cy, tm.tmHeight);
    // A text measured again, in part, or in another font gets its own extent each time.
    EXPECT_EQ(c.dc.GetTextExtent("Hello, world", 5), one);
    EXPECT_LT(c.dc.GetTextExtent("Hell").cx, one.cx);
    EXPECT_EQ(c.dc.GetTextExtent("").cx, 0);
    CFont larger;
    lf.lfHeight = -24;
    ASSERT_TRUE(larger.CreateFontIndirect(&lf));
    CFont* previous = c.dc.SelectObject(&larger);
    EXPECT_GT(c.dc.GetTextExtent("Hello").cx, one.cx);
    c.dc.SelectObject(previous);
    EXPECT_EQ(c.dc.GetTextExtent("Hello"), one);

    CRect calc(10, 10, 10, 10);
    EXPECT_EQ(c.dc.DrawText("Hello", &calc, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(calc, CRect(10, 10, 10 + one.cx, 10 + tm.tmHeight));

    CRect lines(0, 0, 500, 0);
    c.dc.DrawText("a\nbb\r\nccc", &lines, DT_CALCRECT);
    EXPECT_EQ(lines.Height(), 3 * tm.tmHeight);
    EXPECT_EQ(lines.Width(), c.dc.GetTextExtent("ccc").cx);

    // Word break narrows to the widest line and widens for a word longer than the rectangle.
    const int wordWidth = c.dc.GetTextExtent("word").cx;
    CRect wrap(0, 0, wordWidth + 2, 0);
    c.dc.DrawText("word word word", &wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrap.Height(), 3 * tm.tmHeight);
    EXPECT_EQ(wrap.Width(), wordWidth);
    // A line as wide as the rectangle stays whole; a pixel narrower breaks at its blank.
    const int lineWidth = c.dc.GetTextExtent("word word").cx;
    for (const int less : {0, 1}) {
        CRect line(0, 0, lineWidth - less, 0);
        c.dc.DrawText("word word", &line, DT_CALCRECT | DT_WORDBREAK);
        EXPECT_EQ(line.Height(), (1 + less) * tm.tmHeight) << less;
        EXPECT_EQ(line.Width(), less ? wordWidth : lineWidth) << less;
    }
    CRect narrow(0, 0, 3, 0);
    c.dc.DrawText("longword", &narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(narrow.Width(), c.dc.GetTextExtent("longword").cx);
    // A blank that begins the text stays (a value drawn after its label keeps its distance).
    CRect blank(0, 0, 500, 0);
    c.dc.DrawText(" 3-ph Wye", &blank, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(blank.Width(), c.dc.GetTextExtent(" 3-ph Wye").cx);

    CRect empty(5, 5, 50, 50);
    EXPECT_EQ(c.dc.DrawText("", &empty, DT_CALCRECT), 0);
    EXPECT_EQ(empty, CRect(5, 5, 5, 5));

    // Prefix characters vanish unless DT_NOPREFIX.
    CRect prefixed(0, 0, 0, 0), plain(0, 0, 0, 0);
    c.dc.DrawText("&File", &prefixed, DT_CALCRECT | DT_SINGLELINE);
    c.dc.DrawText("File", &plain, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), plain.Width());
}

TEST_F(WindowTest, TextDrawsInsideItsRectangleWithAlignment)
{
    Canvas c(200, 40);
    c.dc.SetTextColor(kRed);
    c.dc.SetBkMode(TRANSPARENT);
    CRect r(100, 0, 200, 40);
    c.dc.DrawText("WWW", &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    int minX = 1000, maxX = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (c.dc.GetPixel(x, y) != kWhite) minX = std::min(minX, x), maxX = std::max(maxX, x);
    EXPECT_GE(minX, 100);
    EXPECT_LE(maxX, 199);
    EXPECT_GT(maxX, 190);

    // Opaque background fills the text cell with the background colour.
    Canvas o(100, 30);
    o.dc.SetBkMode(OPAQUE);
    o.dc.SetBkColor(kBlue);
    o.dc.TextOut(10, 5, "ab");
    const CSize ext = o.dc.GetTextExtent("ab");
    EXPECT_EQ(o.dc.GetPixel(10, 5), kBlue);
    EXPECT_EQ(o.dc.GetPixel(10 + ext.cx - 1, 5 + ext.cy - 1), kBlue);
    EXPECT_EQ(o.dc.GetPixel(10 + ext.cx, 5), kWhite);
    // Baseline alignment puts the reference point on the baseline.
    Canvas b(100, 40);
    TEXTMETRIC tm;
    b.dc.GetTextMetrics(&tm);
    b.dc.SetBkColor(kBlue);
    b.dc.SetTextAlign(TA_BASELINE);
    b.dc.TextOut(10, 30, "ab");
    EXPECT_EQ(b.dc.GetPixel(10, 30 - tm.tmAscent), kBlue);
    EXPECT_EQ(b.dc.GetPixel(10, 30 - tm.tmAscent - 1), kWhite);
}

TEST_F(WindowTest, BlitsAndScrollsMovePixels)
{
    Canvas src(10, 10);
    src.dc.FillSolidRect(2, 2, 3, 3, kRed);
    Canvas dst(20, 20);
    ASSERT_TRUE(dst.dc.BitBlt(10, 10, 5, 5, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(12, 12), kRed);
    EXPECT_EQ(dst.dc.GetPixel(11, 11), kWhite);
    ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 10, 10, &src.dc, 2, 2, 3, 3, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(9, 9), kRed);
    dst.dc.PatBlt(0, 0, 1, 1, DSTINVERT);
    EXPECT_EQ(dst.dc.GetPixel(0, 0), RGB(0, 255, 255));

    Canvas s(10, 10);
    s.dc.SetPixel(5, 5, kRed);
    CRect update;
    CRect all(0, 0, 10, 10);
    ASSERT_TRUE(s.dc.ScrollDC(0, -2, &all, &all, nullptr, &update));
    EXPECT_EQ(s.dc.GetPixel(5, 3), kRed);
    EXPECT_EQ(update, CRect(0, 8, 10, 10));
}

TEST_F(WindowTest, AHalftoneStretchKeepsEveryThinLineOfAPictureMadeSmaller)
{
    // A 64-pixel picture of one-pixel lines every fourth row, drawn 50 pixels high.
    Canvas picture(64, 64);
    for (int y = 1; y < 64; y += 4)
        picture.dc.FillSolidRect(0, y, 64, 1, RGB(0, 0, 0));
    auto linesShown = [&](int mode) {
        Canvas tile(50, 50);
        tile.dc.SetStretchBltMode(mode);
        EXPECT_TRUE(tile.dc.StretchBlt(0, 0, 50, 50, &picture.dc, 0, 0, 64, 64, SRCCOPY));
        // A line shows as a row darker than both its neighbours.
        int lines = 0;
        for (int y = 1; y < 49; ++y) {
            const int here = GetRValue(tile.dc.GetPixel(25, y));
            if (here < 200 && here < GetRValue(tile.dc.GetPixel(25, y - 1)) && here <= GetRValue(tile.dc.GetPixel(25, y + 1)))
                ++lines;
        }
        return lines;
    };
    EXPECT_GE(linesShown(HALFTONE), 15);
    // The stretch mode is the context's until it is set again.
    Canvas tile(4, 4);
    EXPECT_EQ(tile.dc.SetStretchBltMode(HALFTONE), COLORONCOLOR);
    EXPECT_EQ(tile.dc.SetStretchBltMode(COLORONCOLOR), HALFTONE);
}

TEST_F(WindowTest, MonochromePatternBrushUsesTextAndBackgroundColours)
{
    // The checkerboard of one-bit rows 0x55 and 0xAA, padded to 16 bits.
    const BYTE rows[16] = {0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0};
    CBitmap pattern;
    ASSERT_TRUE(pattern.CreateBitmap(8, 8, 1, 1, rows));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&pattern));
    Canvas c(8, 8);
    c.dc.SetTextColor(kRed);
    c.dc.SetBkColor(kBlue);
    c.dc.FillRect(CRect(0, 0, 8, 8), &brush);
    EXPECT_EQ(c.dc.GetPixel(0, 0), kRed);  // bit clear
    EXPECT_EQ(c.dc.GetPixel(1, 0), kBlue); // bit set
    EXPECT_EQ(c.dc.GetPixel(0, 1), kBlue);
}
