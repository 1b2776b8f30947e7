#include "WindowTestSupport.h"

#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

namespace
{
class WindowPlacementTest : public WindowTest
{
protected:
    static CRect Rect(CWnd& wnd)
    {
        CRect r;
        wnd.GetWindowRect(&r);
        return r;
    }
    static CRect ScreenArea()
    {
        return FromQRect(QGuiApplication::primaryScreen()->availableGeometry());
    }
};
} // namespace

TEST_F(WindowPlacementTest, ScreenSizeIsThePrimaryScreens)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen.width());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), screen.height());
}

TEST_F(WindowPlacementTest, MaximizingKeepsTheNormalRectangleForRestoring)
{
    RecordingWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(30, 40, 330, 240), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    WINDOWPLACEMENT placement;
    ASSERT_TRUE(frame.GetWindowPlacement(&placement));
    EXPECT_EQ(placement.showCmd, UINT(SW_SHOWNORMAL));
    EXPECT_EQ(CRect(placement.rcNormalPosition), CRect(30, 40, 330, 240));
    EXPECT_FALSE(frame.IsZoomed());

    frame.messages.clear();
    frame.ShowWindow(SW_MAXIMIZE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_EQ(Rect(frame), ScreenArea());
    ASSERT_NE(frame.Last(WM_SIZE), nullptr);
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, WPARAM(SIZE_MAXIMIZED));
    ASSERT_TRUE(frame.GetWindowPlacement(&placement));
    EXPECT_EQ(placement.showCmd, UINT(SW_SHOWMAXIMIZED));
    EXPECT_EQ(CRect(placement.rcNormalPosition), CRect(30, 40, 330, 240));

    frame.ShowWindow(SW_RESTORE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FALSE(frame.IsZoomed());
    EXPECT_EQ(Rect(frame), CRect(30, 40, 330, 240));
    EXPECT_EQ(frame.Last(WM_SIZE)->wParam, WPARAM(SIZE_RESTORED));
}

TEST_F(WindowPlacementTest, PlacementPutsAHiddenWindowBackMaximizedOverItsNormalRectangle)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "frame", WS_POPUP, CRect(0, 0, 200, 150), nullptr, 0));
    WINDOWPLACEMENT placement;
    placement.showCmd = SW_SHOWMAXIMIZED;
    placement.rcNormalPosition = CRect(50, 60, 450, 360);
    ASSERT_TRUE(frame.SetWindowPlacement(&placement));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_TRUE(frame.IsZoomed());
    EXPECT_EQ(Rect(frame), ScreenArea());

    // Placing a maximized window anew restores it first.
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = CRect(70, 80, 370, 280);
    ASSERT_TRUE(frame.SetWindowPlacement(&placement));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FALSE(frame.IsZoomed());
    EXPECT_EQ(Rect(frame), CRect(70, 80, 370, 280));
}

TEST_F(WindowPlacementTest, QuitOutsideTheMainLoopLeavesLaterLoopsRunning)
{
    PostQuitMessage(3);
    QElapsedTimer clock;
    clock.start();
    CFrameworkApp::RunFor(100);
    EXPECT_GE(clock.elapsed(), 90);

    // Inside the main loop it ends the loop with its code.
    QTimer::singleShot(10, [] { PostQuitMessage(7); });
    EXPECT_EQ(CFrameworkApp::Run(), 7);
    clock.restart();
    CFrameworkApp::RunFor(100);
    EXPECT_GE(clock.elapsed(), 90);
}
