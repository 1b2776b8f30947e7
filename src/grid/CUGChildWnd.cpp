#include "grid/CUGChildWnd.h"

#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"

BOOL CUGChildWnd::CreateChild(CUGCtrl* ctrl, UINT id, DWORD extraStyle, BOOL visible)
{
    m_ctrl = ctrl;
    m_GI = ctrl->m_GI;
    return Create(ChildClassName(), "", WS_CHILD | (visible ? WS_VISIBLE : 0) | ChildStyle() | extraStyle,
                  CRect(0, 0, 1, 1), ctrl, id);
}

LPCTSTR CUGChildWnd::ChildClassName() const
{
    return AfxRegisterWndClass(CS_DBLCLKS);
}

void CUGChildWnd::FocusCellArea()
{
    CUGGrid* grid = m_ctrl->m_CUGGrid.get();
    if (grid && grid->GetSafeHwnd() && GetFocus() != grid)
        grid->SetFocus();
}

int CUGChildWnd::ScrollMoveOf(UINT code)
{
    switch (code)
    {
    case SB_LINEUP: return UG_LINEUP;
    case SB_LINEDOWN: return UG_LINEDOWN;
    case SB_PAGEUP: return UG_PAGEUP;
    case SB_PAGEDOWN: return UG_PAGEDOWN;
    case SB_TOP: return UG_TOP;
    case SB_BOTTOM: return UG_BOTTOM;
    default: return -1;
    }
}

bool CUGChildWnd::IsWhollyVisible()
{
    if (!IsWindowVisible())
        return false;
    CRect client, shown;
    GetClientRect(&client);
    CClientDC dc(this);
    dc.GetClipBox(&shown);
    if (shown != client)
        return false;
    CRect mine;
    GetWindowRect(&mine);
    for (CWnd* sibling = GetParent() ? GetWindow(GW_HWNDFIRST) : nullptr; sibling; sibling = sibling->GetWindow(GW_HWNDNEXT))
    {
        if (sibling == this || !sibling->IsWindowVisible())
            continue;
        CRect other, overlap;
        sibling->GetWindowRect(&other);
        if (overlap.IntersectRect(&mine, &other))
            return false;
    }
    return true;
}

void CUGChildWnd::Moved()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

INT_PTR CUGChildWnd::AnswerCellTool(bool found, int col, int row, int& tipCol, int& tipRow, TOOLINFO* info) const
{
    constexpr UINT kTipTransparent = 0x0100;
    constexpr UINT kTipAlways = 0x0020;
    if (!found)
        return -1;
    if (col != tipCol || row != tipRow)
    {
        tipCol = col;
        tipRow = row;
        return -1;
    }
    info->hwnd = GetSafeHwnd();
    info->uId = reinterpret_cast<UINT_PTR>(GetSafeHwnd());
    info->uFlags = TTF_IDISHWND | TTF_NOTBUTTON | kTipTransparent | kTipAlways;
    info->lpszText = LPSTR_TEXTCALLBACK;
    return INT_PTR(info->uId);
}

BOOL CUGChildWnd::NotifyCellTip(WPARAM wParam, LPARAM lParam, LRESULT* result, int col, int row, int section)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXT)
        return CWnd::OnNotify(wParam, lParam, result);
    // One text for the program's lifetime: the tip reads it after the request returns.
    static CString hintText;
    auto* info = reinterpret_cast<TOOLTIPTEXT*>(lParam);
    if (m_ctrl->OnHint(col, row, section, &hintText) != 1)
        return FALSE;
    m_ctrl->OnHintSetup(info);
    info->lpszText = hintText;
    return TRUE;
}
