#include "WindowTestSupport.h"

#include <QTemporaryDir>

TEST(Geometry, RectanglesIntersectUniteAndNormalizeAsThePlatformDoes)
{
    CRect a(0, 0, 10, 10), b(5, 5, 20, 20), c(30, 30, 40, 40);
    EXPECT_EQ(a & b, CRect(5, 5, 10, 10));
    EXPECT_EQ(a | b, CRect(0, 0, 20, 20));
    CRect none;
    EXPECT_FALSE(none.IntersectRect(&a, &c));
    EXPECT_TRUE(none.IsRectNull());
    // An empty operand does not widen a union.
    CRect u;
    const CRect empty(100, 100, 100, 120);
    EXPECT_TRUE(u.UnionRect(&a, &empty));
    EXPECT_EQ(u, a);
    CRect flipped(10, 20, 0, 5);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(0, 5, 10, 20));
    EXPECT_TRUE(a.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(a.PtInRect(CPoint(10, 5))); // right edge excluded
    CRect d(a);
    d.DeflateRect(1, 2);
    EXPECT_EQ(d, CRect(1, 2, 9, 8));
    d.OffsetRect(-1, -2);
    EXPECT_EQ(d.TopLeft(), CPoint(0, 0));
    EXPECT_EQ(d.Size(), CSize(8, 6));
    d.MoveToXY(5, 5);
    EXPECT_EQ(d, CRect(5, 5, 13, 11));
}

TEST(Geometry, MessagePointsAreSigned16Bit)
{
    const LPARAM packed = MAKELPARAM(-5, 300);
    EXPECT_EQ(GET_X_LPARAM(packed), -5);
    EXPECT_EQ(GET_Y_LPARAM(packed), 300);
    EXPECT_EQ(CPoint(packed), CPoint(-5, 300));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MAKEWPARAM(MK_SHIFT, -240)), -240);
    EXPECT_EQ(LOWORD(MAKEWPARAM(MK_SHIFT, -240)), MK_SHIFT);
}

TEST(SystemTables, ColoursMetricsAndStockObjectsAreFixed)
{
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 120, 215));
    EXPECT_EQ(GetSysColor(999), 0u);
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(12345), 0);
    CBrush* face = CBrush::FromHandle(GetSysColorBrush(COLOR_BTNFACE));
    ASSERT_NE(face, nullptr);
    LOGBRUSH lb;
    ASSERT_TRUE(face->GetLogBrush(&lb));
    EXPECT_EQ(lb.lbColor, RGB(240, 240, 240));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
    LOGPEN lp;
    ASSERT_TRUE(CPen::FromHandle(GetStockObject(NULL_PEN))->GetLogPen(&lp));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_NULL));
    EXPECT_EQ(GetStockObject(200), nullptr);
}

TEST_F(WindowTest, FontsFollowTheirDescription)
{
    LOGFONT lf;
    lf.lfHeight = -20;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    CFont big;
    ASSERT_TRUE(big.CreateFontIndirect(&lf));
    LOGFONT back;
    EXPECT_EQ(big.GetLogFont(&back), int(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -20);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_STREQ(back.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(CFont::FromHandle(big.m_hObject), &big);

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont small;
    ASSERT_TRUE(small.CreatePointFont(80, "DejaVu Sans"));
    small.GetLogFont(&back);
    EXPECT_EQ(back.lfHeight, -11); // 8 points at 96 pixels per inch
    TEXTMETRIC tmSmall, tmBig;
    CFont* old = dc.SelectObject(&small);
    dc.GetTextMetrics(&tmSmall);
    const CSize smallText = dc.GetTextExtent("Measure");
    EXPECT_EQ(dc.SelectObject(&big), &small);
    dc.GetTextMetrics(&tmBig);
    const CSize bigText = dc.GetTextExtent("Measure");
    EXPECT_GT(tmBig.tmHeight, tmSmall.tmHeight);
    EXPECT_GT(bigText.cx, smallText.cx);
    EXPECT_EQ(tmBig.tmWeight, FW_BOLD);
    EXPECT_EQ(tmBig.tmItalic, 1);
    // A character height of 20 pixels makes a cell at least that tall.
    EXPECT_GE(tmBig.tmHeight, 20);
    EXPECT_LE(tmBig.tmHeight, 28);
    // Text extents add up.
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);
    const int ab = dc.GetTextExtent("ab").cx;
    EXPECT_GE(ab, dc.GetTextExtent("a").cx);
    dc.SelectObject(old);
    EXPECT_EQ(dc.GetCurrentFont(), old);
}

TEST_F(WindowTest, SavedContextStatesComeBack)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 10, 10);
    dc.SelectObject(&bitmap);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    dc.SetTextColor(RGB(1, 1, 1));
    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SelectObject(&red);
    dc.SetTextColor(RGB(2, 2, 2));
    dc.SetBkMode(TRANSPARENT);
    dc.IntersectClipRect(0, 0, 2, 2);
    dc.SetViewportOrg(3, 3);
    ASSERT_TRUE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 1, 1));
    EXPECT_EQ(dc.GetBkMode(), OPAQUE);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_NE(dc.GetCurrentPen(), &red);
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 10, 10));
    EXPECT_EQ(dc.GetCurrentBitmap(), &bitmap);
    EXPECT_FALSE(dc.RestoreDC(1)); // nothing saved any more
}

TEST_F(WindowTest, XorDrawingUndoesItselfAndInvertsColours)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 20, 20);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 20, 20, RGB(10, 20, 30));
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    dc.SelectObject(&pen);
    EXPECT_EQ(dc.SetROP2(R2_XORPEN), R2_COPYPEN);
    dc.MoveTo(0, 5);
    dc.LineTo(20, 5);
    EXPECT_EQ(dc.GetPixel(7, 5), RGB(245, 235, 225));
    dc.MoveTo(0, 5);
    dc.LineTo(20, 5);
    EXPECT_EQ(dc.GetPixel(7, 5), RGB(10, 20, 30));
    dc.SetROP2(R2_COPYPEN);
    CRect r(2, 2, 4, 4);
    dc.InvertRect(&r);
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(245, 235, 225));
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(10, 20, 30));
}

TEST_F(WindowTest, ShapesStayInsideTheirBoundingBoxes)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 40, 40);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    CBrush blue(RGB(0, 0, 255));
    CPen black(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&blue);
    dc.SelectObject(&black);
    dc.Ellipse(10, 10, 30, 30);
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(255, 255, 255)); // a corner of the box is outside the ellipse
    for (int i = 0; i < 40; ++i)
    {
        EXPECT_EQ(dc.GetPixel(i, 9), RGB(255, 255, 255));
        EXPECT_EQ(dc.GetPixel(30, i), RGB(255, 255, 255));
    }
    const POINT triangle[] = {{0, 39}, {8, 31}, {16, 39}};
    dc.Polygon(triangle, 3);
    EXPECT_EQ(dc.GetPixel(8, 37), RGB(0, 0, 255));
    // Without a pen the rectangle is one pixel smaller to the right and bottom.
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(32, 0, 36, 4);
    EXPECT_EQ(dc.GetPixel(34, 2), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(35, 2), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(34, 3), RGB(255, 255, 255));
}

TEST_F(WindowTest, ExtTextOutFillsAndClipsToItsRectangle)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 100, 30);
    dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 100, 30, RGB(255, 255, 255));
    dc.SetBkColor(RGB(0, 255, 0));
    dc.SetTextColor(RGB(0, 0, 0));
    CRect box(10, 5, 30, 25);
    dc.ExtTextOut(12, 6, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWWWWWWWWWW");
    EXPECT_EQ(dc.GetPixel(10, 5), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetPixel(29, 24), RGB(0, 255, 0));
    for (int y = 0; y < 30; ++y)
        for (int x = 30; x < 100; ++x) ASSERT_EQ(dc.GetPixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    // With TA_UPDATECP the text starts at the current position and moves it on.
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(40, 5);
    dc.TextOut(0, 0, "ab");
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(40 + dc.GetTextExtent("ab").cx, 5));
}

TEST_F(WindowTest, RegionsCombineAndReportTheirKind)
{
    CRgn a, b, result;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 0, 15, 10);
    result.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    CRect box;
    result.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(5, 0, 10, 10));
    EXPECT_EQ(result.CombineRgn(&a, &b, RGN_DIFF), SIMPLEREGION);
    result.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 5, 10));
    EXPECT_EQ(result.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(result.PtInRegion(7, 5));
    EXPECT_EQ(result.GetRects().size(), 2u);
    result.SetRectRgn(0, 0, 0, 0);
    EXPECT_EQ(result.GetRgnBox(&box), NULLREGION);
    EXPECT_EQ(result.OffsetRgn(3, 3), NULLREGION);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(copy.CopyRgn(&a), SIMPLEREGION);
    EXPECT_TRUE(copy.EqualRgn(&a));
    EXPECT_EQ(result.CombineRgn(nullptr, &b, RGN_OR), RGN_ERROR);
}

TEST_F(WindowTest, BitmapsRoundTripThroughFilesAndBits)
{
    CBitmap bitmap;
    std::vector<BYTE> bits(4 * 3 * 2, 0);
    bits[0] = 0x10; // blue of (0, 0)
    bits[1] = 0x20; // green
    bits[2] = 0x30; // red
    ASSERT_TRUE(bitmap.CreateBitmap(3, 2, 1, 32, bits.data()));
    BITMAP info;
    ASSERT_EQ(bitmap.GetBitmap(&info), int(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(BitmapImage(bitmap).pixel(0, 0), qRgb(0x30, 0x20, 0x10));
    std::vector<BYTE> read(bits.size());
    EXPECT_EQ(bitmap.GetBitmapBits(DWORD(read.size()), read.data()), DWORD(read.size()));
    EXPECT_EQ(read[2], 0x30);

    QTemporaryDir dir;
    const CString path = FromQString(dir.path() + "/picture.png");
    ASSERT_TRUE(bitmap.SaveToFile(path));
    CBitmap loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    EXPECT_EQ(loaded.GetSize(), CSize(3, 2));
    EXPECT_EQ(BitmapImage(loaded).pixel(0, 0), qRgb(0x30, 0x20, 0x10));
    CBitmap missing;
    EXPECT_FALSE(missing.LoadFromFile(FromQString(dir.path() + "/none.png")));
    EXPECT_FALSE(missing.LoadFromMemory("not a picture", 13));
    EXPECT_FALSE(missing.LoadBitmap(987654));
    EXPECT_FALSE(missing.CreateBitmap(0, 5, 1, 32, nullptr));

    // A bitmap still selected into a context keeps its pixels after its wrapper is gone.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    {
        CBitmap temporary;
        temporary.CreateCompatibleBitmap(&dc, 4, 4);
        dc.SelectObject(&temporary);
    }
    dc.SetPixel(1, 1, RGB(1, 2, 3));
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(1, 2, 3));
}
