#include "grid/CUGGrid.h"

#include "grid/CUGCtrl.h"

void CUGGrid::RedrawCell(int col, int row)
{
    RedrawRange(col, row, col, row);
}

void CUGGrid::RedrawRange(int startCol, int startRow, int endCol, int endRow)
{
    if (!GetSafeHwnd() || !m_ctrl)
        return;
    CRect rect;
    if (m_ctrl->GetRangeRect(startCol, startRow, endCol, endRow, &rect) == 0)
        InvalidateRect(&rect, FALSE);
}

void CUGGrid::RedrawRow(int row)
{
    if (m_GI)
        RedrawRange(0, row, m_GI->m_numberCols - 1, row);
}
