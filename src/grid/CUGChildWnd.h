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

protected:
    // Tool tips of grid cells: a tip shows only after the mouse rested on one cell for two hit
    // tests (tipCol, tipRow remember the cell of the previous test).
    INT_PTR AnswerCellTool(bool found, int col, int row, int& tipCol, int& tipRow, TOOLINFO* info) const;
    // Answers a tip's text request with the control's OnHint for the cell the tip stands for.
    BOOL AnswerHintText(int col, int row, int section, LPARAM request);

    // The window class and the styles the window is made with: a plain window that receives
    // double clicks unless a native control stands behind it.
    virtual LPCTSTR ChildClassName() const;
    virtual DWORD ChildStyle() const { return 0; }
};
