#include "grid/CUGButtonType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"

CUGButtonType::CUGButtonType()
{
    m_mayOverflow = FALSE;
}

BOOL CUGButtonType::OnLClicked(int col, int row, int updn, RECT* rect, POINT* /*point*/)
{
    if (!m_ctrl)
        return FALSE;
    if (updn)
    {
        NotifyControl(m_ID, col, row, UGCT_BUTTONDOWN, 0);
        m_btnDown = TRUE;
        m_btnCol = col;
        m_btnRow = row;
        if (rect)
            m_btnRect = *rect;
        m_ctrl->RedrawCell(col, row);
        return TRUE;
    }
    NotifyControl(m_ID, col, row, UGCT_BUTTONUP, 0);
    if (m_btnDown && col == m_btnCol && row == m_btnRow)
        NotifyControl(m_ID, col, row, UGCT_BUTTONCLICK, 0);
    m_btnDown = FALSE;
    m_ctrl->RedrawCell(m_btnCol, m_btnRow);
    return TRUE;
}

BOOL CUGButtonType::OnDClicked(int col, int row, RECT* rect, POINT* point)
{
    return OnLClicked(col, row, 1, rect, point);
}

BOOL CUGButtonType::OnKeyDown(int /*col*/, int /*row*/, UINT* vcKey)
{
    if (!m_ctrl || !vcKey || *vcKey != VK_RETURN)
        return FALSE;
    NotifyControl(m_ID, m_ctrl->GetCurrentCol(), m_ctrl->GetCurrentRow(), UGCT_BUTTONCLICK, 0);
    return TRUE;
}

BOOL CUGButtonType::OnMouseMove(int /*col*/, int /*row*/, POINT* point, UINT flags)
{
    if (!m_ctrl || !point || !(flags & MK_LBUTTON))
        return FALSE;
    const BOOL inside = m_btnRect.PtInRect(*point);
    if (inside != m_btnDown)
    {
        m_btnDown = inside;
        m_ctrl->RedrawCell(m_btnCol, m_btnRow);
    }
    return inside;
}

void CUGButtonType::OnKillFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/)
{
    m_btnDown = FALSE;
}

void CUGButtonType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;
    const bool pressed = m_btnDown && current;
    CUGCell face(*cell);
    face.SetBorder(pressed ? UG_BDR_RECESSED : UG_BDR_RAISED);
    DrawBorder(dc, rect, rect, &face);
    DrawText(dc, rect, 0, col, row, &face, selected, current);
    if (current && (cell->GetCellTypeEx() & UGCT_BUTTONNOFOCUS) && m_ctrl && m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetNoFocusRectOnce();
}
