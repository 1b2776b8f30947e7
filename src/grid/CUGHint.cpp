#include "grid/CUGHint.h"

#include "grid/CUGCtrl.h"

BOOL CUGHint::CreateHint(CUGCtrl* ctrl)
{
    m_ctrl = ctrl;
    m_GI = ctrl->m_GI;
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "HintWnd", "", WS_POPUP, CRect(0, 0, 1, 1), ctrl, 0);
}
