#include "platform/framework/windows/CControlBar.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL)
{
    CRect r;
    GetClientRect(&r);
    return CSize(stretch ? 32767 : r.Width(), m_barHeight);
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

BOOL CControlBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_SIZEPARENT)
    {
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        *result = 0;
        if (!IsVisible()) return TRUE;
        const CSize size = CalcFixedLayout(layout->bStretch, TRUE);
        CRect free(layout->rect);
        const int height = std::min(size.cy, std::max(free.Height(), 0));
        CRect band(free.left, free.top, free.right, free.top + height);
        if (m_dwStyle & CBRS_ALIGN_BOTTOM)
        {
            band = CRect(free.left, free.bottom - height, free.right, free.bottom);
            free.bottom -= height;
        }
        else free.top += height;
        layout->rect = free;
        layout->sizeTotal.cy += height;
        layout->sizeTotal.cx = std::max<LONG>(layout->sizeTotal.cx, size.cx);
        if (!layout->bQuery) MoveWindow(&band);
        return TRUE;
    }
    if (message == WM_IDLEUPDATECMDUI)
    {
        *result = 0;
        if (IsVisible())
            if (CFrameWnd* frame = GetParentFrame()) OnUpdateCmdUI(frame, BOOL(wParam));
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CControlBar::OnEraseBkgnd(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL CControlBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    CWnd* owner = GetParent();
    if (!owner) return FALSE;
    owner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CControlBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
    CWnd* owner = GetParent();
    if (!owner) return FALSE;
    *result = owner->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
