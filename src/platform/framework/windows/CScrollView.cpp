#include "platform/framework/windows/CScrollView.h"

#include "platform/framework/windows/CDC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

void CScrollView::SetScrollSizes(int, SIZE total, const SIZE& page, const SIZE& line)
{
    m_scaleToFit = false;
    m_total = CSize(std::max<LONG>(total.cx, 0), std::max<LONG>(total.cy, 0));
    m_page = CSize(page.cx > 0 ? page.cx : m_total.cx / 10, page.cy > 0 ? page.cy : m_total.cy / 10);
    m_line = CSize(line.cx > 0 ? line.cx : std::max<LONG>(m_page.cx / 10, 1), line.cy > 0 ? line.cy : std::max<LONG>(m_page.cy / 10, 1));
    if (m_hWnd) UpdateBars();
}

void CScrollView::SetScaleToFitSize(SIZE total)
{
    m_scaleToFit = true;
    m_total = total;
    if (!m_hWnd) return;
    ScrollToPosition(CPoint(0, 0));
    ShowScrollBar(SB_BOTH, FALSE);
}

void CScrollView::UpdateBars()
{
    if (m_scaleToFit || m_updatingBars || !m_hWnd) return;
    m_updatingBars = true;
    // Whether a bar is needed depends on the room the other bar leaves: decide on the full size
    // first, then again with the room each needed bar takes.
    CRect client;
    GetClientRect(&client);
    CSize room = client.Size();
    if (GetStyle() & WS_VSCROLL) room.cx += GetSystemMetrics(SM_CXVSCROLL);
    if (GetStyle() & WS_HSCROLL) room.cy += GetSystemMetrics(SM_CYHSCROLL);
    bool vertical = m_total.cy > room.cy;
    bool horizontal = m_total.cx > room.cx - (vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    vertical = m_total.cy > room.cy - (horizontal ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    const CSize view(room.cx - (vertical ? GetSystemMetrics(SM_CXVSCROLL) : 0),
                     room.cy - (horizontal ? GetSystemMetrics(SM_CYHSCROLL) : 0));
    const CPoint limit(std::max<LONG>(m_total.cx - view.cx, 0), std::max<LONG>(m_total.cy - view.cy, 0));
    const CPoint wanted(std::clamp<LONG>(m_position.x, 0, limit.x), std::clamp<LONG>(m_position.y, 0, limit.y));
    for (int which : {SB_HORZ, SB_VERT})
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        info.nMin = 0;
        info.nMax = (which == SB_HORZ ? (horizontal ? m_total.cx : 0) : (vertical ? m_total.cy : 0)) - 1;
        info.nPage = UINT(std::max<LONG>(which == SB_HORZ ? view.cx : view.cy, 0));
        info.nPos = which == SB_HORZ ? m_position.x : m_position.y;
        if (info.nMax < 0) info.nMax = 0, info.nPage = 0;
        SetScrollInfo(which, &info, TRUE);
    }
    m_updatingBars = false;
    ScrollToPosition(wanted);
}

void CScrollView::ScrollToPosition(POINT position)
{
    const CPoint target(std::max<LONG>(position.x, 0), std::max<LONG>(position.y, 0));
    if (target == m_position) return;
    const CPoint old = std::exchange(m_position, target);
    if (m_hWnd)
    {
        ScrollWindow(old.x - target.x, old.y - target.y);
        SetScrollPos(SB_HORZ, target.x);
        SetScrollPos(SB_VERT, target.y);
    }
}

void CScrollView::OnPrepareDC(CDC* dc)
{
    if (dc && !m_scaleToFit) dc->SetViewportOrg(-m_position.x, -m_position.y);
}

void CScrollView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CScrollView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

void CScrollView::Scroll(int which, UINT code, UINT pos)
{
    const LONG line = which == SB_HORZ ? m_line.cx : m_line.cy;
    SCROLLINFO info;
    GetScrollInfo(which, &info, SIF_ALL);
    const LONG page = LONG(std::max<UINT>(info.nPage, 1));
    LONG current = which == SB_HORZ ? m_position.x : m_position.y;
    switch (code)
    {
    case SB_LINEUP: current -= line; break;
    case SB_LINEDOWN: current += line; break;
    case SB_PAGEUP: current -= page; break;
    case SB_PAGEDOWN: current += page; break;
    case SB_TOP: current = 0; break;
    case SB_BOTTOM: current = info.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: current = LONG(pos); break;
    default: return;
    }
    const LONG limit = std::max<LONG>(info.nMax - page + 1, 0);
    current = std::clamp<LONG>(current, 0, limit);
    ScrollToPosition(which == SB_HORZ ? CPoint(current, m_position.y) : CPoint(m_position.x, current));
}

void CScrollView::OnHScroll(UINT code, UINT pos, CWnd* bar)
{
    if (bar) return CView::OnHScroll(code, pos, bar);
    Scroll(SB_HORZ, code, pos);
}

void CScrollView::OnVScroll(UINT code, UINT pos, CWnd* bar)
{
    if (bar) return CView::OnVScroll(code, pos, bar);
    Scroll(SB_VERT, code, pos);
}

BOOL CScrollView::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    if (m_scaleToFit || !(GetStyle() & WS_VSCROLL)) return CView::OnMouseWheel(flags, delta, point);
    for (int steps = std::abs(delta / WHEEL_DELTA) * 3; steps > 0; --steps) Scroll(SB_VERT, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    return TRUE;
}
