// Windows drawn through contexts keep their pixels at the screen's device pixel ratio while
// every coordinate stays logical. Runs at the ratio of the process: ctest runs it once more
// with QT_SCALE_FACTOR=2.
#include "WindowTestSupport.h"

#include "platform/framework/windows/GdiObjects.h"

#include <QGuiApplication>
#include <QScreen>

namespace
{
class DrawnWnd : public CWnd
{
public:
    void OnPaint() override
    {
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 100, 60, RGB(255, 255, 255));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        dc.SelectObject(&pen);
        dc.MoveTo(10, 10);
        dc.LineTo(90, 10);
        CFont font;
        font.CreatePointFont(120, "DejaVu Sans");
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 20, "Edge Wg");
    }
};

// Whether any 2 x 2 block of device pixels in the area holds different colours: a picture
// drawn at logical size and scaled up would show only uniform blocks.
bool HasDetailBelowALogicalPixel(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2)
        {
            const QRgb a = image.pixel(x, y);
            if (image.pixel(x + 1, y) != a || image.pixel(x, y + 1) != a || image.pixel(x + 1, y + 1) != a) return true;
        }
    return false;
}
} // namespace

TEST(HighDpi, LogicalCoordinatesDevicePixelsAndCrispEdges)
{
    CFrameworkApp::EnsureInitialized();
    DrawnWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 60), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const qreal ratio = Widget(wnd)->devicePixelRatioF();

    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 60));
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 100);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
        EXPECT_EQ(dc.GetPixel(50, 10), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(50, 11), RGB(255, 255, 255));
    }

    const QImage shown = WindowImage(wnd);
    ASSERT_EQ(shown.size(), (QSizeF(100, 60) * ratio).toSize());
    // The one-pixel line covers exactly the device rows of its logical row, in full black, and
    // the rows beside it stay white: no blurred edge.
    const int top = qRound(10 * ratio), bottom = qRound(11 * ratio);
    for (int y = top - 1; y <= bottom; ++y)
        EXPECT_EQ(shown.pixel(qRound(50 * ratio), y), (y >= top && y < bottom) ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
            << "device row " << y;
    if (ratio >= 2)
    {
        EXPECT_TRUE(HasDetailBelowALogicalPixel(shown, QRect(QPoint(20, 40), QSize(120, 40))));
        if (const char* out = std::getenv("ORN_HIDPI_PNG")) shown.save(out);
    }
}
