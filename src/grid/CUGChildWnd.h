#pragma once
// CUGChildWnd: what every child window of the grid shares: the owning control, the current
// sheet's settings (replaced on a sheet change) and the answer to a moved view.
#include "platform/framework/windows/CWnd.h"

class CUGCtrl;
class CUGGridInfo;

class CUGChildWnd : public CWnd
{
public:
    // Creates the window as a child of the control, shown unless asked otherwise.
    BOOL CreateChild(CUGCtrl* ctrl, UINT id, DWORD extraStyle = 0, BOOL visible = TRUE);
    // The control moved the view or the current cell: repaint what changed.
    virtual void Moved();

    CUGCtrl* m_ctrl = nullptr;
    CUGGridInfo* m_GI = nullptr;
};
