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
    // A tip's text request (TTN_NEEDTEXT) is answered with the control's OnHint for the cell the
    // tip stands for; other notifications take the window's usual way.
    BOOL NotifyCellTip(WPARAM wParam, LPARAM lParam, LRESULT* result, int col, int row, int section);
    // Pixels on screen may be moved after a scroll only when all of the window shows: no sibling
    // covers any part of it and no parent's edge cuts it (what lies out of sight was painted
    // nowhere, so it cannot be moved into view).
    bool IsWhollyVisible();
    // A scroll bar's request gives the focus to the cell area, as a click into it would.
    void FocusCellArea();
    // The view move (UG_LINEUP .. UG_BOTTOM) of a scroll bar's line, page or end request; -1 for
    // the other requests. Both bars share the codes.
    static int ScrollMoveOf(UINT code);

    // The window class and the styles the window is made with: a plain window that receives
    // double clicks unless a native control stands behind it.
    virtual LPCTSTR ChildClassName() const;
    virtual DWORD ChildStyle() const { return 0; }
};
