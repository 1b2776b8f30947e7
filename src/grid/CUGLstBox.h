#pragma once
// CUGLstBox: the pop-up list of a drop-list cell. Enter or a click on a line takes the choice
// into the cell (through the drop list's notifications); Escape or losing the focus closes it.
#include "platform/framework/windows/CListBox.h"

class CUGCtrl;
class CUGDropListType;

class CUGLstBox : public CListBox
{
public:
    CUGCtrl* m_ctrl = nullptr;
    BOOL m_HasFocus = FALSE; // the list is shown
    int* m_col = nullptr;    // the drop list's column and row of the list
    int* m_row = nullptr;
    BOOL m_selected = FALSE; // a choice was made
    CUGDropListType* m_cellType = nullptr;
    int m_cellTypeId = -1;

    // Destroys the window and gives the focus back to the cell area when the list had it.
    void Close();

protected:
    void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    UINT OnGetDlgCode() override;

private:
    // Stores the selected line in the cell (when the notifications allow) and closes the list.
    void Select();
    bool m_closing = false;
};
