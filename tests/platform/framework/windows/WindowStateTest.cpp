#include "WindowTestSupport.h"

#include <QThread>

#include <atomic>
#include <thread>

namespace
{
class CountingWnd : public RecordingWnd
{
public:
    int paints = 0;
    void OnPaint() override
    {
        ++paints;
        CPaintDC dc(this);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 5) return LRESULT(QThread::currentThread() == qApp->thread());
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
};

class Fixture : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(children[i].Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(i * 20, 0, i * 20 + 10, 10), &top, 10 + i));
    }
    CountingWnd top;
    CountingWnd children[3];
};
} // namespace

TEST_F(Fixture, ChildrenAreFoundInCreationOrderAndReachedAsDescendants)
{
    EXPECT_EQ(top.GetWindow(GW_CHILD), &children[0]);
    EXPECT_EQ(children[0].GetWindow(GW_HWNDNEXT), &children[1]);
    EXPECT_EQ(children[2].GetWindow(GW_HWNDNEXT), nullptr);
    EXPECT_EQ(children[1].GetWindow(GW_HWNDPREV), &children[0]);
    EXPECT_EQ(children[1].GetTopLevelParent(), &top);
    for (auto& c : children) c.messages.clear();
    top.SendMessageToDescendants(WM_USER + 77, 3, 4);
    for (auto& c : children) EXPECT_NE(c.Last(WM_USER + 77), nullptr);
    EXPECT_EQ(top.SendDlgItemMessage(11, WM_USER + 5), 1);
}

TEST_F(Fixture, VisibilityEnablingAndStylesAreReported)
{
    EXPECT_TRUE(children[0].IsWindowVisible());
    EXPECT_TRUE(children[0].ShowWindow(SW_HIDE));
    EXPECT_FALSE(children[0].IsWindowVisible());
    EXPECT_EQ(children[0].GetStyle() & WS_VISIBLE, 0u);
    EXPECT_FALSE(children[0].ShowWindow(SW_SHOW));
    EXPECT_TRUE(children[0].GetStyle() & WS_VISIBLE);
    // A hidden parent hides its visible children.
    top.ShowWindow(SW_HIDE);
    EXPECT_FALSE(children[0].IsWindowVisible());
    EXPECT_TRUE(children[0].GetStyle() & WS_VISIBLE);
    top.ShowWindow(SW_SHOW);

    EXPECT_FALSE(children[1].EnableWindow(FALSE));
    EXPECT_FALSE(children[1].IsWindowEnabled());
    EXPECT_TRUE(children[1].GetStyle() & WS_DISABLED);
    ASSERT_NE(children[1].Last(WM_ENABLE), nullptr);
    EXPECT_TRUE(children[1].EnableWindow(TRUE));

    EXPECT_TRUE(children[2].ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(children[2].GetStyle() & WS_TABSTOP);
    EXPECT_FALSE(children[2].ModifyStyle(0, WS_TABSTOP));
    children[2].SetWindowText("named");
    CString text;
    children[2].GetWindowText(text);
    EXPECT_EQ(text, "named");
    EXPECT_EQ(children[2].GetWindowTextLength(), 5);
}

TEST_F(Fixture, MovingAChildRepaintsWhatItUncoveredInTheParent)
{
    CFrameworkApp::PumpWaitingMessages();
    top.paints = 0;
    children[0].MoveWindow(100, 50, 10, 10);
    CRect update;
    ASSERT_TRUE(top.GetUpdateRect(&update));
    EXPECT_EQ(update, CRect(0, 0, 10, 10));
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(top.paints, 1);
    // Z-order: the moved child goes to the top of its siblings.
    children[0].SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    children[0].SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WidgetOf(&top)->childAt(105, 55), WidgetOf(&children[0]));
}

TEST_F(Fixture, RedrawOffStopsPaintingUntilItComesBack)
{
    CFrameworkApp::PumpWaitingMessages();
    top.paints = 0;
    top.SetRedraw(FALSE);
    top.Invalidate();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(top.paints, 0);
    top.SetRedraw(TRUE);
    top.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(top.paints, 1);
    // A hidden window gets no paint messages; showing it paints it.
    top.ShowWindow(SW_HIDE);
    top.Invalidate();
    top.UpdateWindow();
    EXPECT_EQ(top.paints, 1);
    top.ShowWindow(SW_SHOW);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(top.paints, 2);
}

TEST_F(Fixture, OtherThreadsPostAndSendThroughTheInterfaceThread)
{
    std::atomic<LRESULT> sent{-1};
    std::thread worker([&] {
        top.PostMessage(WM_USER + 40, 1, 2);
        sent = top.SendMessage(WM_USER + 5);
    });
    EXPECT_TRUE(CFrameworkApp::RunUntil([&] { return sent != -1; }, 5000));
    worker.join();
    EXPECT_EQ(sent, 1); // handled on the interface thread
    CFrameworkApp::PumpWaitingMessages();
    ASSERT_NE(top.Last(WM_USER + 40), nullptr);
    EXPECT_EQ(top.Last(WM_USER + 40)->lParam, 2);
}

TEST_F(Fixture, WindowScrollInformationKeepsThePositionInRange)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 10;
    info.nMax = 19;
    info.nPage = 4;
    info.nPos = 30;
    top.SetScrollInfo(SB_VERT, &info);
    EXPECT_EQ(top.GetScrollPos(SB_VERT), 16);
    EXPECT_EQ(top.GetScrollLimit(SB_VERT), 16);
    EXPECT_EQ(top.SetScrollPos(SB_VERT, 5), 16);
    EXPECT_EQ(top.GetScrollPos(SB_VERT), 10);
    int lo = 0, hi = 0;
    top.GetScrollRange(SB_VERT, &lo, &hi);
    EXPECT_EQ(lo, 10);
    EXPECT_EQ(hi, 19);
}

TEST_F(Fixture, ReparentingMovesAWindowUnderItsNewParent)
{
    CountingWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(300, 0, 400, 100), nullptr, 0));
    EXPECT_EQ(children[2].SetParent(&other), &top);
    EXPECT_EQ(children[2].GetParent(), &other);
    EXPECT_EQ(top.GetDlgItem(12), nullptr);
    EXPECT_EQ(other.GetDlgItem(12), &children[2]);
    other.DestroyWindow();
    EXPECT_EQ(children[2].m_hWnd, nullptr);
}
