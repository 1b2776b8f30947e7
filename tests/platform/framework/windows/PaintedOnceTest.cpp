#include "WindowTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/WindowTesting.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace
{
constexpr COLORREF kBar = RGB(230, 230, 250);
constexpr COLORREF kText = RGB(0, 0, 160);

// Counts the Qt paints of every widget.
class PaintCounter : public QObject
{
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int Of(CWnd& w) const
    {
        const auto found = m_paints.find(Widget(w));
        return found == m_paints.end() ? 0 : found->second;
    }
    void Clear() { m_paints.clear(); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++m_paints[watched];
        return false;
    }

private:
    std::map<const QObject*, int> m_paints;
};

// A plain window that fills itself with one colour.
class FilledWnd : public CWnd
{
public:
    COLORREF color = RGB(200, 40, 40);
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, color);
    }
};

// A bar that paints its background and colours its texts, as a dialog bar does.
class BarWnd : public FilledWnd
{
public:
    CBrush brush{kBar};
    BarWnd() { color = kBar; }
    HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT) override
    {
        dc->SetTextColor(kText);
        return brush;
    }
};

// The threads Qt started for its shared pool, found by the name it gives them.
int PooledThreads()
{
    int pooled = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        pooled += name.starts_with("Thread (pooled)");
    }
    return pooled;
}

class PaintedOnceTest : public WindowTest
{
protected:
    PaintCounter counter;
};
} // namespace

TEST_F(PaintedOnceTest, AWindowShownWithItsControlsPaintsEachOnce)
{
    CWnd top;
    BarWnd bar;
    FilledWnd plain;
    CStatic label;
    // Tall enough that Qt's painter would hand their fills to pool threads and wait for them.
    CScrollBar scroll;
    CButton frame;
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 320, 700), nullptr, 0));
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 150, 200), &top, 1));
    ASSERT_TRUE(plain.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(150, 0, 300, 200), &top, 2));
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 140, 60), &bar, 3));
    ASSERT_TRUE(scroll.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(300, 0, 317, 700), &top, 4));
    ASSERT_TRUE(frame.Create("Limits", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10, 210, 290, 690), &top, 5));
    label.SetWindowText("Maximum demand of the week, kW");
    top.ShowWindow(SW_SHOW);
    CFrameworkApp::PumpWaitingMessages();

    // Texts laid out and colours asked before the paint, pixels drawn in it: nothing asks for a
    // second paint.
    EXPECT_EQ(counter.Of(bar), 1);
    EXPECT_EQ(counter.Of(plain), 1);
    EXPECT_EQ(counter.Of(label), 1);
    EXPECT_EQ(counter.Of(scroll), 1);
    EXPECT_EQ(counter.Of(frame), 1);
    EXPECT_EQ(PooledThreads(), 0);
    EXPECT_EQ(GetShownPixel(top, CPoint(200, 100)), RGB(200, 40, 40));
    EXPECT_EQ(GetShownPixel(label, CPoint(128, 45)), kBar);
    EXPECT_EQ(Widget(label)->palette().color(QPalette::WindowText), QColor(0, 0, 160));

    // A text set later still shows, in one more paint.
    counter.Clear();
    label.SetWindowText("Minimum");
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(counter.Of(label), 1);
    EXPECT_EQ(Widget(label)->property("text").toString(), QStringLiteral("Minimum"));
}

TEST_F(PaintedOnceTest, HiddenPixelsAndDestroyedHiddenWindowsPaintNothingAgain)
{
    FilledWnd top;
    FilledWnd cover;
    FilledWnd gone;
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
    ASSERT_TRUE(cover.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &top, 1));
    ASSERT_TRUE(gone.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 200, 100), &top, 2));
    cover.color = RGB(40, 40, 200);
    CFrameworkApp::PumpWaitingMessages();
    counter.Clear();

    // Drawn under a child that covers it, the parent's pixels wait until the child moves away.
    {
        CClientDC dc(&top);
        dc.FillSolidRect(CRect(0, 0, 200, 100), RGB(0, 200, 0));
    }
    gone.DestroyWindow();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(counter.Of(top), 0);
    EXPECT_EQ(counter.Of(cover), 0);
    EXPECT_EQ(GetShownPixel(top, CPoint(100, 50)), RGB(40, 40, 200));

    cover.ShowWindow(SW_HIDE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(GetShownPixel(top, CPoint(100, 50)), RGB(200, 40, 40));
}
