#include "grid/CUGLstBox.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDropListType.h"
#include "grid/CUGGrid.h"

void CUGLstBox::Close()
{
    if (m_closing || !GetSafeHwnd())
        return;
    m_closing = true;
    m_HasFocus = FALSE;
    const bool hadFocus = GetFocus() == this;
    DestroyWindow();
    if (hadFocus && m_ctrl && m_ctrl->m_CUGGrid && m_ctrl->m_CUGGrid->GetSafeHwnd())
        m_ctrl->m_CUGGrid->SetFocus();
    m_closing = false;
}

void CUGLstBox::OnKeyDown(UINT nChar, UINT repeatCount, UINT flags)
{
    if (nChar == VK_ESCAPE)
    {
        // Closed without a choice, as when the list loses the focus.
        m_HasFocus = FALSE;
        if (m_col && m_row)
            *m_col = *m_row = -1;
        Close();
        return;
    }
    if (nChar == VK_RETURN)
    {
        if (GetCurSel() != LB_ERR)
            Select();
        else
        {
            m_HasFocus = FALSE;
            if (m_col && m_row)
                *m_col = *m_row = -1;
            Close();
        }
        return;
    }
    CListBox::OnKeyDown(nChar, repeatCount, flags);
}

void CUGLstBox::OnLButtonUp(UINT flags, CPoint point)
{
    CListBox::OnLButtonUp(flags, point);
    if (GetSafeHwnd() && GetCurSel() != LB_ERR)
        Select();
}

void CUGLstBox::OnSetFocus(CWnd* oldWnd)
{
    CListBox::OnSetFocus(oldWnd);
    m_HasFocus = TRUE;
    m_selected = FALSE;
}

void CUGLstBox::OnKillFocus(CWnd* newWnd)
{
    CListBox::OnKillFocus(newWnd);
    if (m_closing)
        return;
    m_HasFocus = FALSE;
    if (!m_selected && m_col && m_row)
    {
        if (m_cellType)
        {
            m_cellType->m_closedCol = *m_col;
            m_cellType->m_closedRow = *m_row;
        }
        *m_col = *m_row = -2;
    }
    m_selected = FALSE;
    Close();
}

UINT CUGLstBox::OnGetDlgCode()
{
    return CListBox::OnGetDlgCode() | DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void CUGLstBox::Select()
{
    m_selected = TRUE;
    const int col = m_col ? *m_col : -1, row = m_row ? *m_row : -1;
    CUGCell cell;
    if (m_ctrl && m_cellType && m_ctrl->GetCellWithDefaults(col, row, &cell) == UG_SUCCESS && !cell.GetReadOnly())
    {
        const int index = GetCurSel();
        CString text;
        GetText(index, text);
        m_cellType->NotifyControl(m_cellTypeId, col, row, UGCT_DROPLISTSELECTEX, index);
        if (m_cellType->NotifyControl(m_cellTypeId, col, row, UGCT_DROPLISTSELECT, reinterpret_cast<LPARAM>(&text)))
        {
            cell.SetText(text);
            m_ctrl->SetCell(col, row, &cell);
            m_cellType->NotifyControl(m_cellTypeId, col, row, UGCT_DROPLISTPOSTSELECT, reinterpret_cast<LPARAM>(&text));
            m_ctrl->RedrawCell(col, row);
        }
    }
    m_HasFocus = FALSE;
    if (m_col && m_row)
        *m_col = *m_row = -1;
    Close();
}
