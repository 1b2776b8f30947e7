#include "WindowTestSupport.h"

#include "platform/framework/windows/WindowTesting.h"

namespace
{
class FilledWnd : public RecordingWnd
{
public:
    COLORREF color = RGB(200, 40, 40);
    int paints = 0;
    void OnPaint() override
    {
        ++paints;
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, color);
    }
};

bool KeepsPixels(CWnd& w) { return !w.Impl()->surface->image.isNull(); }

class KeptPixelsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(left.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
        ASSERT_TRUE(right.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), &top, 2));
        right.color = RGB(40, 40, 200);
        CFrameworkApp::PumpWaitingMessages();
    }
    FilledWnd top;
    FilledWnd left;
    FilledWnd right;
};
} // namespace

TEST_F(KeptPixelsTest, ACoveredParentKeepsNoPixelsAndDoesNotPaint)
{
    EXPECT_FALSE(KeepsPixels(top));
    EXPECT_EQ(top.paints, 0);
    EXPECT_TRUE(KeepsPixels(left));
    EXPECT_EQ(GetShownPixel(top, CPoint(50, 50)), RGB(200, 40, 40));
    EXPECT_EQ(GetShownPixel(top, CPoint(150, 50)), RGB(40, 40, 200));

    // Uncovered, the parent paints what shows and keeps pixels for it.
    right.ShowWindow(SW_HIDE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(top.paints, 1);
    EXPECT_TRUE(KeepsPixels(top));
    EXPECT_EQ(GetShownPixel(top, CPoint(150, 50)), RGB(200, 40, 40));
}

TEST_F(KeptPixelsTest, HiddenWindowsDropTheirPixelsAndPaintAgainWhenShown)
{
    ASSERT_TRUE(KeepsPixels(left));
    left.ShowWindow(SW_HIDE);
    EXPECT_FALSE(KeepsPixels(left));
    // Hiding the parent drops the pixels of every window inside it.
    top.ShowWindow(SW_HIDE);
    EXPECT_FALSE(KeepsPixels(right));
    top.ShowWindow(SW_SHOW);
    left.ShowWindow(SW_SHOW);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(GetShownPixel(top, CPoint(50, 50)), RGB(200, 40, 40));
    EXPECT_EQ(GetShownPixel(top, CPoint(150, 50)), RGB(40, 40, 200));

    // Drawing outside WM_PAINT into a hidden window makes its pixels; they stay until shown.
    left.ShowWindow(SW_HIDE);
    {
        CClientDC dc(&left);
        EXPECT_TRUE(KeepsPixels(left));
        dc.SetPixel(5, 5, RGB(0, 255, 0));
        EXPECT_EQ(dc.GetPixel(5, 5), RGB(0, 255, 0));
    }
}

TEST_F(KeptPixelsTest, NativeControlsDoNotCountAsCovering)
{
    // A label lets its parent show through: the parent keeps painting under it.
    right.DestroyWindow();
    CWnd label;
    ASSERT_TRUE(label.Create("STATIC", "label", WS_CHILD | WS_VISIBLE, CRect(100, 0, 200, 100), &top, 3));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(KeepsPixels(top));
    EXPECT_GE(top.paints, 1);
}
