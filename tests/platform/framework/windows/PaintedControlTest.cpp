#include "WindowTestSupport.h"

#include "platform/framework/windows/PaintedControl.h"

#include <QPainter>

namespace
{
// A control that fills its client area, draws a one-pixel left edge and records its messages.
class SwatchControl : public CPaintedControl
{
public:
    static inline std::vector<UINT> seen;
    static inline bool takeClicks = true;
    void Paint(QPainter& painter, const QRect& client) override
    {
        painter.fillRect(client, QColor(0, 128, 0));
        painter.fillRect(QRect(client.left(), client.top(), 1, client.height()), Qt::red); // left edge
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        seen.push_back(message);
        if (message == WM_LBUTTONDOWN && takeClicks)
        {
            GetWindow()->SetCapture();
            result = 7;
            return true;
        }
        return false;
    }
};

class PaintedControlTest : public WindowTest
{
protected:
    static void SetUpTestSuite()
    {
        WindowTest::SetUpTestSuite();
        RegisterPaintedControl("OrnSwatch", [] { return std::make_unique<SwatchControl>(); });
    }
    void SetUp() override
    {
        SwatchControl::seen.clear();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 120), nullptr, 0));
        ASSERT_TRUE(swatch.Create("ornswatch", nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), &parent, 5));
    }
    RecordingWnd parent;
    RecordingWnd swatch;
};
} // namespace

TEST_F(PaintedControlTest, RegistrationRefusesTakenNamesAndNativeClasses)
{
    EXPECT_FALSE(RegisterPaintedControl("ORNSWATCH", [] { return std::make_unique<SwatchControl>(); }));
    EXPECT_FALSE(RegisterPaintedControl("Edit", [] { return std::make_unique<SwatchControl>(); }));
    EXPECT_FALSE(RegisterPaintedControl("", [] { return std::make_unique<SwatchControl>(); }));
    ASSERT_NE(GetPaintedControl(&swatch), nullptr);
    EXPECT_EQ(GetPaintedControl(&swatch)->GetWindow(), &swatch);
    EXPECT_EQ(GetPaintedControl(&parent), nullptr);
}

TEST_F(PaintedControlTest, PaintsIntoItsParentsPicture)
{
    const QImage picture = WindowImage(parent);
    EXPECT_EQ(picture.pixel(60, 35), qRgb(0, 128, 0));
    EXPECT_EQ(picture.pixel(10, 35), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(5, 35), qRgb(255, 255, 255));
}

TEST_F(PaintedControlTest, WindowHandlersComeFirstThenTheControlThenCapture)
{
    SendMouse(swatch, QEvent::MouseButtonPress, QPoint(20, 20));
    ASSERT_NE(swatch.Last(WM_LBUTTONDOWN), nullptr);
    EXPECT_EQ(swatch.Last(WM_LBUTTONDOWN)->lParam, MAKELPARAM(20, 20));
    EXPECT_NE(std::find(SwatchControl::seen.begin(), SwatchControl::seen.end(), UINT(WM_LBUTTONDOWN)),
              SwatchControl::seen.end());
    EXPECT_EQ(CWnd::GetCapture(), &swatch);
    // With the mouse captured, a move over the parent still reaches the control.
    SendMouse(parent, QEvent::MouseMove, QPoint(150, 100), Qt::NoButton);
    ASSERT_NE(swatch.Last(WM_MOUSEMOVE), nullptr);
    EXPECT_EQ(swatch.Last(WM_MOUSEMOVE)->lParam, MAKELPARAM(140, 90));
    EXPECT_EQ(parent.Last(WM_LBUTTONDOWN), nullptr); // the control's input does not leak upward
    ReleaseCapture();
}

TEST_F(PaintedControlTest, ExportsAtLogicalSizeOrAtDeviceResolution)
{
    const QImage file = RenderPaintedControl(swatch, QSize(100, 50));
    ASSERT_EQ(file.size(), QSize(100, 50));
    EXPECT_EQ(file.pixel(0, 25), qRgb(255, 0, 0));
    EXPECT_EQ(file.pixel(1, 25), qRgb(0, 128, 0));

    const QImage screen = RenderPaintedControl(swatch, QSize(100, 50), 2.0);
    ASSERT_EQ(screen.size(), QSize(200, 100));
    // A one-pixel line is two device pixels wide and stays solid: no blur on either side.
    EXPECT_EQ(screen.pixel(0, 50), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(1, 50), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(2, 50), qRgb(0, 128, 0));
    EXPECT_TRUE(RenderPaintedControl(parent, QSize(10, 10)).isNull());
}

TEST_F(PaintedControlTest, DialogTemplatesAndPrintWindowSeeTheControl)
{
    CBitmap bitmap;
    CClientDC screen(&parent);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    bitmap.CreateCompatibleBitmap(&screen, 200, 120);
    dc.SelectObject(&bitmap);
    parent.PrintWindow(&dc);
    EXPECT_EQ(dc.GetPixel(60, 35), RGB(0, 128, 0));
    swatch.DestroyWindow();
    EXPECT_EQ(GetPaintedControl(&swatch) ? GetPaintedControl(&swatch)->GetWindow() : nullptr, nullptr);
}
