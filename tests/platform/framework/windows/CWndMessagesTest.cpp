#include "WindowTestSupport.h"

#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/FocusChain.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QDialog>

#include <memory>

namespace
{
class AnsweringWnd : public RecordingWnd
{
public:
    int sizeCx = -1, sizeCy = -1;
    std::vector<UINT> timerIds;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 12) return LRESULT(wParam * 10 + lParam);
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        sizeCx = cx;
        sizeCy = cy;
        CWnd::OnSize(type, cx, cy);
    }
    void OnTimer(UINT_PTR id) override { timerIds.push_back(UINT(id)); }
    // Every key, Tab too.
    UINT OnGetDlgCode() override { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB; }
};

class TabKeepingWnd : public RecordingWnd
{
public:
    UINT OnGetDlgCode() override { return DLGC_WANTTAB; }
};
} // namespace

TEST_F(WindowTest, CreationSendsCreateSizeMoveAndKeepsGeometry)
{
    AnsweringWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW, CRect(10, 20, 310, 220), nullptr, 0));
    EXPECT_EQ(top.Numbers({WM_CREATE, WM_SIZE, WM_MOVE}), (std::vector<UINT>{WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(top.sizeCx, 300);
    EXPECT_EQ(top.sizeCy, 200);

    AnsweringWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(5, 6, 105, 56), &top, 1234));
    CRect client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 50));
    EXPECT_EQ(child.GetDlgCtrlID(), 1234);
    EXPECT_EQ(top.GetDlgItem(1234), &child);
    EXPECT_EQ(child.GetParent(), &top);
    EXPECT_TRUE(top.IsChild(&child));
    EXPECT_EQ(CWnd::FromHandle(child.m_hWnd), &child);

    CPoint p(0, 0);
    child.ClientToScreen(&p);
    CPoint q(0, 0);
    top.ClientToScreen(&q);
    EXPECT_EQ(p.x - q.x, 5);
    EXPECT_EQ(p.y - q.y, 6);
    child.MoveWindow(7, 8, 40, 30);
    EXPECT_EQ(child.sizeCx, 40);
    CRect moved;
    child.GetWindowRect(&moved);
    top.ScreenToClient(&moved);
    EXPECT_EQ(moved, CRect(7, 8, 47, 38));

    const HWND childHandle = child.m_hWnd;
    top.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(CWnd::FromHandle(childHandle), nullptr);
    ASSERT_NE(child.Last(WM_DESTROY), nullptr);
    EXPECT_EQ(child.Numbers().back(), WM_NCDESTROY);
}

TEST_F(WindowTest, SendMessageAnswersAtOncePostMessageWaitsInOrder)
{
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    EXPECT_EQ(w.SendMessage(WM_USER + 12, 4, 2), 42);
    w.messages.clear();
    EXPECT_TRUE(w.PostMessage(WM_USER + 30, 1, 0));
    EXPECT_TRUE(w.PostMessage(WM_USER + 34, 2, 0));
    EXPECT_TRUE(w.Numbers({WM_USER + 30, WM_USER + 34}).empty());
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(w.Numbers({WM_USER + 30, WM_USER + 34}), (std::vector<UINT>{WM_USER + 30, WM_USER + 34}));
    EXPECT_EQ(w.Last(WM_USER + 34)->wParam, 2u);
    // A message posted to a window that is gone is refused, not delivered.
    const HWND h = w.m_hWnd;
    w.DestroyWindow();
    EXPECT_FALSE(w.PostMessage(WM_USER + 1));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(WindowTest, KeysArriveAsKeyDownCharKeyUpWithVirtualKeys)
{
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    w.SetFocus();
    w.messages.clear();
    SendKey(w, Qt::Key_A, Qt::NoModifier, "a");
    SendKey(w, Qt::Key_Return, Qt::ControlModifier);
    SendKey(w, Qt::Key_Tab);
    SendKey(w, Qt::Key_Down);
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const auto& m : w.messages)
        if (m.message == WM_KEYDOWN || m.message == WM_CHAR || m.message == WM_KEYUP) got.emplace_back(m.message, m.wParam);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, 'A'},        {WM_CHAR, 'a'},        {WM_KEYUP, 'A'},
        {WM_KEYDOWN, VK_RETURN},  {WM_CHAR, 10},         {WM_KEYUP, VK_RETURN},
        {WM_KEYDOWN, VK_TAB},     {WM_CHAR, 9},          {WM_KEYUP, VK_TAB},
        {WM_KEYDOWN, VK_DOWN},    {WM_KEYUP, VK_DOWN},
    };
    EXPECT_EQ(got, expected);

    // A held key repeats on X as release and press pairs: windows get repeated key-downs marked
    // as repeats, the key stays down, and the one key-up comes at the real release.
    w.messages.clear();
    QWidget* widget = Widget(w);
    QKeyEvent firstPress(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &firstPress);
    for (int i = 0; i < 2; ++i)
    {
        QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(widget, &repeatRelease);
        EXPECT_LT(GetKeyState(VK_RETURN), 0);
        QKeyEvent repeatPress(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(widget, &repeatPress);
    }
    QKeyEvent realRelease(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &realRelease);
    EXPECT_GE(GetKeyState(VK_RETURN), 0);
    std::vector<std::pair<UINT, bool>> held; // message, repeat flag
    for (const auto& m : w.messages)
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) held.emplace_back(m.message, (m.lParam >> 30) & 1);
    const std::vector<std::pair<UINT, bool>> heldExpected = {
        {WM_KEYDOWN, false}, {WM_KEYDOWN, true}, {WM_KEYDOWN, true}, {WM_KEYUP, true}};
    EXPECT_EQ(held, heldExpected);

    QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QCoreApplication::sendEvent(Widget(w), &shiftDown);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QCoreApplication::sendEvent(Widget(w), &shiftUp);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST_F(WindowTest, MouseMessagesCarryClientPointsFlagsAndCursorRequests)
{
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 60), nullptr, 0));
    w.messages.clear();
    SendMouse(w, QEvent::MouseButtonPress, {12, 34}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(w, QEvent::MouseButtonRelease, {12, 34}, Qt::LeftButton, Qt::NoButton);
    SendMouse(w, QEvent::MouseButtonDblClick, {12, 34});
    EXPECT_EQ(w.Numbers({WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<UINT>{WM_SETCURSOR, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}));
    const RecordedMessage* down = w.Last(WM_LBUTTONDOWN);
    EXPECT_EQ(down->wParam, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(CPoint(down->lParam), CPoint(12, 34));
    EXPECT_EQ(w.Last(WM_LBUTTONUP)->wParam, 0u);
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_ARROW));

    // Capture sends the moves to the capturing window even outside it.
    AnsweringWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(100, 0, 180, 60), nullptr, 0));
    w.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &w);
    w.messages.clear();
    SendMouse(other, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    ASSERT_NE(w.Last(WM_MOUSEMOVE), nullptr);
    EXPECT_EQ(CPoint(w.Last(WM_MOUSEMOVE)->lParam), CPoint(105, 5));
    ReleaseCapture();
    EXPECT_NE(w.Last(WM_CAPTURECHANGED), nullptr);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(WindowTest, WheelDeltasAccumulateToWholeNotches)
{
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 80, 60), nullptr, 0));
    auto wheel = [&](int delta) {
        QWheelEvent e(QPointF(10, 10), QPointF(Widget(w)->mapToGlobal(QPoint(10, 10))), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Widget(w), &e);
    };
    wheel(60);
    EXPECT_EQ(w.Last(WM_MOUSEWHEEL), nullptr);
    wheel(90);
    ASSERT_NE(w.Last(WM_MOUSEWHEEL), nullptr);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(w.Last(WM_MOUSEWHEEL)->wParam), 120);
    wheel(-270);
    EXPECT_EQ(w.Numbers({WM_MOUSEWHEEL}).size(), 3u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(w.Last(WM_MOUSEWHEEL)->wParam), -120);
}

TEST_F(WindowTest, TimersFireByIdUntilKilled)
{
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(w.SetTimer(7, 5), 7u);
    EXPECT_TRUE(CFrameworkApp::RunUntil([&] { return w.timerIds.size() >= 2; }, 2000));
    EXPECT_EQ(w.timerIds.front(), 7u);
    EXPECT_TRUE(w.KillTimer(7));
    EXPECT_FALSE(w.KillTimer(7));
    const std::size_t fired = w.timerIds.size();
    CFrameworkApp::RunFor(30);
    EXPECT_EQ(w.timerIds.size(), fired);
}

TEST_F(WindowTest, FocusMovesWithSetAndKillFocusMessages)
{
    AnsweringWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    AnsweringWnd a, b;
    ASSERT_TRUE(a.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 1));
    ASSERT_TRUE(b.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(20, 0, 30, 10), &top, 2));
    a.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &a);
    a.messages.clear();
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    ASSERT_NE(a.Last(WM_KILLFOCUS), nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(a.Last(WM_KILLFOCUS)->wParam), b.m_hWnd);
    ASSERT_NE(b.Last(WM_SETFOCUS), nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(b.Last(WM_SETFOCUS)->wParam), a.m_hWnd);

    // A menu or a list dropping down keeps the focus where it is: the window system's focus-out
    // and focus-in around the popup reach no window.
    b.messages.clear();
    QWidget popup(Widget(top), Qt::Popup);
    popup.setFocusPolicy(Qt::StrongFocus);
    popup.show();
    popup.setFocus(Qt::PopupFocusReason);
    popup.close();
    EXPECT_EQ(b.Numbers({WM_KILLFOCUS, WM_SETFOCUS}), std::vector<UINT>{});
}

TEST_F(WindowTest, RegisteredClassesDecideDoubleClicksAndCursor)
{
    const LPCTSTR plain = AfxRegisterWndClass(0, LoadStandardCursor(IDC_SIZEWE));
    EXPECT_STREQ(plain, AfxRegisterWndClass(0, LoadStandardCursor(IDC_SIZEWE)));
    EXPECT_STRNE(plain, AfxRegisterWndClass(CS_DBLCLKS));
    AnsweringWnd w;
    ASSERT_TRUE(w.CreateEx(0, plain, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 40, 40), nullptr, 0));
    w.messages.clear();
    SendMouse(w, QEvent::MouseButtonDblClick, {3, 3});
    EXPECT_EQ(w.Numbers({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}), std::vector<UINT>{WM_LBUTTONDOWN});
    SendMouse(w, QEvent::MouseMove, {4, 4}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(GetCursor(), LoadStandardCursor(IDC_SIZEWE));
}

// Outside dialogs, Tab and Shift+Tab (given as the window system gives keys to the active window)
// go round the tab stops of the top-level window: in reading order, outside in, skipping hidden
// and disabled windows, round the ends; a window that asks for Tab keeps it.
// A window a modal dialog blocks hands a new dialog to the modal one to own.
TEST_F(WindowTest, TabGoesRoundTheTabStopsOfAWindowInReadingOrder)
{
    RecordingWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    struct SChild
    {
        CRect rect;
        DWORD style;
    };
    // Created out of order: a row of two below a row of two, a hidden and a disabled one, a plain
    // holder of two stops, a stop holding a stop.
    const SChild layout[] = {
        {CRect(200, 100, 260, 120), WS_TABSTOP},          // 0: second row, right
        {CRect(10, 10, 60, 30), WS_TABSTOP},              // 1: first row, left
        {CRect(10, 102, 60, 122), WS_TABSTOP},            // 2: second row, left (a little lower)
        {CRect(100, 10, 160, 30), WS_TABSTOP},            // 3: first row, right
        {CRect(300, 10, 360, 30), WS_TABSTOP | WS_DISABLED},
        {CRect(10, 200, 390, 290), 0},                    // 5: a holder
    };
    std::vector<std::unique_ptr<RecordingWnd>> children;
    for (const SChild& child : layout) {
        children.push_back(std::make_unique<RecordingWnd>());
        ASSERT_TRUE(children.back()->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | child.style, child.rect, &top, 1));
    }
    RecordingWnd hidden, inner, innermost, keeper;
    ASSERT_TRUE(hidden.Create(nullptr, nullptr, WS_CHILD | WS_TABSTOP, CRect(300, 100, 320, 120), &top, 2));
    ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(100, 10, 200, 60), children[5].get(), 3));
    ASSERT_TRUE(innermost.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 20, 20), &inner, 4));
    ASSERT_TRUE(keeper.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(5, 10, 60, 60), children[5].get(), 5));
    const std::vector<CWnd*> order = {children[1].get(), children[3].get(), children[2].get(), children[0].get(),
                                      &keeper, &inner, &innermost};
    EXPECT_EQ(order, GetTabStops(top));

    std::vector<CWnd*> visited;
    top.SetFocus();
    for (std::size_t i = 0; i < order.size() + 1; ++i) {
        SimulateScreenKey(top, VK_TAB);
        visited.push_back(CWnd::GetFocus());
    }
    std::vector<CWnd*> expected = order;
    expected.push_back(order.front());
    EXPECT_EQ(expected, visited);
    SimulateScreenKey(top, VK_TAB, MK_SHIFT);
    EXPECT_EQ(order.back(), CWnd::GetFocus());
    // From a window inside a stop (a part of a grid), Tab goes on after that stop.
    RecordingWnd part;
    ASSERT_TRUE(part.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(25, 5, 35, 15), &inner, 7));
    part.SetFocus();
    SimulateScreenKey(top, VK_TAB);
    EXPECT_EQ(&innermost, CWnd::GetFocus());

    // A window that wants Tab (an in-place editor) gets it as a key.
    TabKeepingWnd wants;
    ASSERT_TRUE(wants.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(300, 200, 390, 220), &top, 6));
    wants.SetFocus();
    SimulateScreenKey(top, VK_TAB);
    EXPECT_EQ(&wants, CWnd::GetFocus());
    EXPECT_NE(nullptr, wants.Last(WM_KEYDOWN));
}

TEST_F(WindowTest, ADialogAskedForByABlockedWindowBelongsToTheModalOneOnTop)
{
    AnsweringWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    EXPECT_EQ(WidgetOf(&main), OwnerWidget(&main));
    QDialog modal(WidgetOf(&main));
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    EXPECT_EQ(&modal, OwnerWidget(&main));
    modal.hide();
    EXPECT_EQ(WidgetOf(&main), OwnerWidget(&main));
}
