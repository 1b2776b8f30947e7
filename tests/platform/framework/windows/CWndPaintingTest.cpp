#include "WindowTestSupport.h"

namespace
{
// Paints its client area in one colour per paint and remembers what each paint covered.
class PaintingWnd : public CWnd
{
public:
    COLORREF colour = RGB(255, 0, 0);
    std::vector<CRect> painted;
    int erases = 0;
    void OnPaint() override
    {
        CPaintDC dc(this);
        painted.push_back(dc.m_ps.rcPaint);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, colour);
    }
    BOOL OnEraseBkgnd(CDC*) override
    {
        ++erases;
        return TRUE;
    }
};

// What Qt warns about while a test runs.
std::vector<std::string>& QtWarnings()
{
    static std::vector<std::string> warnings;
    return warnings;
}

void RecordQtWarning(QtMsgType, const QMessageLogContext&, const QString& text)
{
    QtWarnings().push_back(text.toStdString());
}

COLORREF ScreenPixel(CWnd& w, int x, int y)
{
    const QImage image = WindowImage(w);
    return FromQRgb(image.pixel(x, y));
}
} // namespace

TEST_F(WindowTest, InvalidationCollectsAndPaintsOnceWhenMessagesRun)
{
    PaintingWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_FALSE(w.painted.empty());
    EXPECT_EQ(ScreenPixel(w, 39, 29), RGB(255, 0, 0));
    w.painted.clear();

    w.colour = RGB(0, 0, 255);
    w.InvalidateRect(CRect(0, 0, 10, 10), FALSE);
    w.InvalidateRect(CRect(20, 5, 30, 15), FALSE);
    CRect update;
    EXPECT_TRUE(w.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(0, 0, 30, 15));
    EXPECT_TRUE(w.painted.empty());
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(w.painted.size(), 1u);
    EXPECT_EQ(w.painted[0], CRect(0, 0, 30, 15));
    EXPECT_FALSE(w.GetUpdateRect(&update));
    // Only the invalid parts were repainted: the paint context is limited to them.
    EXPECT_EQ(ScreenPixel(w, 5, 5), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(w, 25, 10), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(w, 15, 5), RGB(255, 0, 0));

    // UpdateWindow paints at once; a validated area is not painted.
    w.painted.clear();
    w.Invalidate();
    w.ValidateRect(CRect(0, 0, 40, 20));
    w.UpdateWindow();
    ASSERT_EQ(w.painted.size(), 1u);
    EXPECT_EQ(w.painted[0], CRect(0, 20, 40, 30));
}

TEST_F(WindowTest, DrawingOutsidePaintStaysAndScrollingMovesIt)
{
    PaintingWnd w;
    w.colour = RGB(255, 255, 255);
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    {
        CClientDC dc(&w);
        dc.FillSolidRect(10, 20, 5, 5, RGB(0, 128, 0));
    }
    EXPECT_EQ(ScreenPixel(w, 12, 22), RGB(0, 128, 0));
    w.painted.clear();
    w.ScrollWindow(0, -10);
    CRect update;
    ASSERT_TRUE(w.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(0, 30, 40, 40));
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_EQ(w.painted.size(), 1u);
    EXPECT_EQ(w.painted[0], CRect(0, 30, 40, 40));
    EXPECT_EQ(ScreenPixel(w, 12, 12), RGB(0, 128, 0));
}

// A window of no size, or one its parent lets nothing of show, keeps no pixels: text, patterns,
// scrolls and pictures drawn into it outside a paint land nowhere (no painter begins on an empty
// image), and it paints whole once it shows.
TEST_F(WindowTest, DrawingIntoAWindowThatKeepsNoPixelsLandsNowhere)
{
    QtWarnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordQtWarning);
    PaintingWnd empty;
    ASSERT_TRUE(empty.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 0, 0), nullptr, 0));
    PaintingWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 30), nullptr, 0));
    PaintingWnd outside;
    ASSERT_TRUE(outside.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(50, 40, 90, 70), &parent, 1));
    CBrush hatch;
    hatch.CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
    for (PaintingWnd* window : {&empty, &outside}) {
        CClientDC dc(window);
        dc.TextOut(2, 2, CString("text"));
        CRect area(0, 0, 20, 20);
        dc.DrawText(CString("more text"), &area, DT_LEFT);
        dc.FillRect(&area, &hatch);
        dc.ScrollDC(0, 5, nullptr, nullptr, nullptr, nullptr);
        window->SendMessage(WM_PRINT, WPARAM(dc.m_hDC), 0);
    }
    CFrameworkApp::PumpWaitingMessages();
    outside.MoveWindow(0, 0, 40, 30);
    CFrameworkApp::PumpWaitingMessages();
    qInstallMessageHandler(previous);
    EXPECT_EQ(QtWarnings(), std::vector<std::string>{});
    EXPECT_EQ(ScreenPixel(parent, 39, 29), RGB(255, 0, 0));
}

TEST_F(WindowTest, PrintRequestDrawsTheWindowWithItsChildrenIntoAContext)
{
    PaintingWnd top;
    top.colour = RGB(0, 0, 255);
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    PaintingWnd child;
    child.colour = RGB(255, 0, 0);
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 20, 20), &top, 1));
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, 50, 50);
    memory.SelectObject(&bitmap);
    top.SendMessage(WM_PRINT, WPARAM(memory.m_hDC), 0);
    EXPECT_EQ(memory.GetPixel(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(memory.GetPixel(15, 15), RGB(255, 0, 0));
}

// A window that comes to show both scroll bars: the square between them is covered and filled
// as they are (on a screen it showed what had been drawn there before, such as a chart's curve).
TEST_F(WindowTest, TheSquareBetweenBothScrollBarsIsFilled)
{
    PaintingWnd page;
    ASSERT_TRUE(page.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 120, 90), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const QPoint corner(120 - bar / 2, 90 - bar / 2);
    page.ModifyStyle(0, WS_VSCROLL | WS_HSCROLL);
    page.SetScrollRange(SB_HORZ, 0, 300);
    page.SetScrollRange(SB_VERT, 0, 200);
    CFrameworkApp::PumpWaitingMessages();
    const QWidget* square = Widget(page)->childAt(corner);
    ASSERT_NE(square, nullptr);
    EXPECT_TRUE(square->isVisible() && square->autoFillBackground());
    // With one bar the square is the bar's.
    page.ShowScrollBar(SB_HORZ, FALSE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(Widget(page)->childAt(corner), Widget(page)->childAt(QPoint(corner.x(), 10)));
}
