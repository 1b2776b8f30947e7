#include "grid/CUGChildWnd.h"

#include "grid/CUGCtrl.h"

BOOL CUGChildWnd::CreateChild(CUGCtrl* ctrl, UINT id, DWORD extraStyle, BOOL visible)
{
    m_ctrl = ctrl;
    return Create(nullptr, "", WS_CHILD | (visible ? WS_VISIBLE : 0) | extraStyle, CRect(0, 0, 1, 1), ctrl, id);
}

void CUGChildWnd::Moved()
{
    if (GetSafeHwnd())
        Invalidate(FALSE);
}
