// A dialog on the screen it opens on, and content that scrolls where the window is smaller.
#include "platform/framework/windows/CDialog.h"

#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/ScrollRequest.h"

#include <algorithm>

namespace
{
constexpr int kLineStep = 16;
constexpr int kWheelStep = 48;
} // namespace

void CDialog::FitToWorkArea()
{
    CRect window;
    GetWindowRect(&window);
    MONITORINFO screen;
    if (!GetMonitorInfo(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &screen)) return;
    // The window manager frames a dialog once it shows: until then its owner's frame tells how.
    CRect frame = GetFrameMargins();
    if (frame.IsRectNull())
        if (CWnd* owner = GetParent() ? GetParent()->GetTopLevelParent() : nullptr) frame = owner->GetFrameMargins();
    const CRect work(screen.rcWork.left + frame.left, screen.rcWork.top + frame.top, screen.rcWork.right - frame.right,
                     screen.rcWork.bottom - frame.bottom);
    // Where one way scrolls, the window takes that bar's room the other way when it can.
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int wide = int(window.Width());
    const int high = int(window.Height());
    const int height = std::max(0, std::min(high, int(work.Height())));
    const int width = std::max(0, std::min(wide + (height < high ? bar : 0), int(work.Width())));
    const bool across = width < wide + (height < high ? bar : 0);
    const int fittedHeight = std::max(0, std::min(high + (across && height == high ? bar : 0), int(work.Height())));
    const int left = std::clamp(int(window.left), int(work.left), std::max(int(work.left), int(work.right) - width));
    const int top = std::clamp(int(window.top), int(work.top), std::max(int(work.top), int(work.bottom) - fittedHeight));
    if (CRect(left, top, left + width, top + fittedHeight) == window) return;
    if (width < wide || fittedHeight < high || across)
    {
        CRect client;
        GetClientRect(&client);
        m_content = client.Size();
    }
    SetWindowPos(nullptr, left, top, width, fittedHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateContentScroll();
}

void CDialog::ScrollContent(CSize content)
{
    m_content = content;
    UpdateContentScroll();
}

void CDialog::UpdateContentScroll()
{
    if (m_content == CSize(0, 0)) return;
    const CPoint was(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    SetScrollRanges(*this, m_content);
    // A larger window needs less scrolling: the controls follow the positions kept.
    const CPoint now(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
    if (now != was) ScrollWindow(was.x - now.x, was.y - now.y);
}

void CDialog::ScrollContentTo(int bar, int position)
{
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(bar, &info);
    const int old = GetScrollPos(bar);
    SetScrollPos(bar, std::clamp(position, 0, std::max(0, info.nMax - int(info.nPage) + 1)));
    if (const int now = GetScrollPos(bar); now != old) ScrollWindow(bar == SB_HORZ ? old - now : 0, bar == SB_VERT ? old - now : 0);
}

void CDialog::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (cx > 0 && cy > 0) UpdateContentScroll();
}

void CDialog::OnVScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    if (scrollBar || m_content.cy == 0) return CWnd::OnVScroll(code, pos, scrollBar);
    CRect client;
    GetClientRect(&client);
    ScrollContentTo(SB_VERT, ScrollRequestTarget(code, pos, GetScrollPos(SB_VERT), kLineStep, client.Height(), m_content.cy));
}

void CDialog::OnHScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    if (scrollBar || m_content.cx == 0) return CWnd::OnHScroll(code, pos, scrollBar);
    CRect client;
    GetClientRect(&client);
    ScrollContentTo(SB_HORZ, ScrollRequestTarget(code, pos, GetScrollPos(SB_HORZ), kLineStep, client.Width(), m_content.cx));
}

BOOL CDialog::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    CRect client;
    GetClientRect(&client);
    if (m_content.cy <= client.Height()) return CWnd::OnMouseWheel(flags, delta, screenPoint);
    ScrollContentTo(SB_VERT, GetScrollPos(SB_VERT) - delta / WHEEL_DELTA * kWheelStep);
    return TRUE;
}
