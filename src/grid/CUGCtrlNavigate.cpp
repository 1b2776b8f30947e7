// Moving the current cell and the view, and mapping points to cells.
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"

#include <algorithm>

namespace
{
// Results of a clamp: the target is usable, it ended where the move started, or it cannot be used.
enum ClampResult
{
    kClampMoved = 0,
    kClampUnchanged = 3,
    kClampFailed = 1
};
} // namespace

int CUGCtrl::GotoCell(int col, int row)
{
    CUGGridInfo& gi = *m_GI;
    if (col < 0 || row < 0 || col >= gi.m_numberCols || row >= gi.m_numberRows)
        return 1;
    if (col == gi.m_dragCol && row == gi.m_dragRow)
        return 0;
    if (gi.m_enableJoins)
        GetJoinStartCell(&col, &row);
    return AskMove(col, row);
}

int CUGCtrl::AskMove(int col, int row)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_defDataSource->OnCanMove(gi.m_currentCol, gi.m_currentRow, col, row) != 1 ||
        !OnCanMove(gi.m_currentCol, gi.m_currentRow, col, row))
        return 2;
    const int rightEnd = gi.m_rightColWhole ? gi.m_rightCol + 1 : gi.m_rightCol;
    const int bottomEnd = gi.m_bottomRowWhole ? gi.m_bottomRow + 1 : gi.m_bottomRow;
    const bool colShown = col < gi.m_numLockCols || (col >= gi.m_leftCol && col < rightEnd);
    const bool rowShown = row < gi.m_numLockRows || (row >= gi.m_topRow && row < bottomEnd);
    if (!(colShown && rowShown) && !OnCanViewMove(gi.m_leftCol, gi.m_topRow, col, row))
        return 2;
    gi.m_dragCol = col;
    gi.m_dragRow = row;
    MakeDragColVisible();
    MakeDragRowVisible();
    ApplyMove();
    return 0;
}

int CUGCtrl::ClampCol(int target, int& col)
{
    CUGGridInfo& gi = *m_GI;
    if (target > gi.m_numberCols - 1)
    {
        if (gi.m_dragCol == gi.m_numberCols - 1)
            return kClampFailed;
        target = gi.m_numberCols - 1;
    }
    if (target < 0)
        target = 0;
    if (gi.m_enableJoins && gi.m_dragRow >= 0)
    {
        int c = target, r = gi.m_dragRow, endCol = 0, endRow = 0;
        if (GetJoinRange(&c, &r, &endCol, &endRow) == 0 && target > c)
        {
            if (target > gi.m_dragCol)
            {
                if (endCol + 1 > gi.m_numberCols - 1)
                    return kClampFailed;
                target = endCol + 1;
            }
            else
                target = c;
        }
    }
    col = target;
    return col == gi.m_dragCol ? kClampUnchanged : kClampMoved;
}

int CUGCtrl::ExtendRowsAtBottom(int* row)
{
    CUGGridInfo& gi = *m_GI;
    if (!row)
        return 1;
    if (*row >= gi.m_numberRows)
    {
        const int first = gi.m_numberRows;
        const int count = *row - gi.m_numberRows + 1;
        int added = 0;
        gi.m_defDataSource->GetRows(first, count, &added);
        OnRowsRequested(first, count, &added);
        if (added > 0)
            SetNumberRows(gi.m_numberRows + added, FALSE);
    }
    if (gi.m_numberRows == 0)
        return 1;
    *row = std::min(*row, gi.m_numberRows - 1);
    return 0;
}

int CUGCtrl::ClampRow(int target, int& row)
{
    CUGGridInfo& gi = *m_GI;
    if (target > gi.m_numberRows - 1)
    {
        if (ExtendRowsAtBottom(&target) != 0)
            return kClampFailed;
        if (target == gi.m_dragRow)
            return kClampFailed;
    }
    if (target < 0)
        target = 0;
    if (gi.m_enableJoins && gi.m_dragCol >= 0)
    {
        int c = gi.m_dragCol, r = target, endCol = 0, endRow = 0;
        if (GetJoinRange(&c, &r, &endCol, &endRow) == 0 && target > r)
        {
            if (target > gi.m_dragRow)
            {
                if (endRow + 1 > gi.m_numberRows - 1)
                    return kClampFailed;
                target = endRow + 1;
            }
            else
                target = r;
        }
    }
    row = target;
    return row == gi.m_dragRow ? kClampUnchanged : kClampMoved;
}

int CUGCtrl::GotoCol(int col)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_numberCols == 0 || gi.m_numberRows == 0)
        return 1; // nothing to move to on an empty sheet
    int originCol = 0, originRow = 0;
    if (gi.m_moveType == UG_MOVE_KEY && !(gi.m_moveFlags & (MK_SHIFT | MK_CONTROL)) &&
        gi.m_multiSelect->GetOrigin(&originCol, &originRow) == 0)
    {
        gi.m_currentCol = gi.m_dragCol = originCol;
        gi.m_currentRow = gi.m_dragRow = originRow;
    }
    if (col == gi.m_dragCol)
        return 0;
    int target = 0;
    const int clamp = ClampCol(col, target);
    if (clamp != kClampMoved)
        return clamp == kClampUnchanged ? 0 : 1;
    return AskMove(target, std::max(gi.m_dragRow, 0));
}

int CUGCtrl::GotoRow(int row)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_numberCols == 0 || gi.m_numberRows == 0)
        return 1;
    int originCol = 0, originRow = 0;
    if (gi.m_moveType == UG_MOVE_KEY && !(gi.m_moveFlags & (MK_SHIFT | MK_CONTROL)) &&
        gi.m_multiSelect->GetOrigin(&originCol, &originRow) == 0)
    {
        gi.m_currentCol = gi.m_dragCol = originCol;
        gi.m_currentRow = gi.m_dragRow = originRow;
    }
    if (row == gi.m_dragRow)
        return 0;
    int target = 0;
    const int clamp = ClampRow(row, target);
    if (clamp != kClampMoved)
        return clamp == kClampUnchanged ? 0 : 1;
    return AskMove(std::max(gi.m_dragCol, 0), target);
}

int CUGCtrl::PageCols(int from, bool forward) const
{
    const CUGGridInfo& gi = *m_GI;
    int rest = gi.m_gridWidth - gi.m_lockColWidth;
    int col = from;
    if (forward)
    {
        while (col < gi.m_numberCols - 1)
        {
            rest -= ColWidthAt(col);
            if (rest < 0 && col != from)
                break;
            ++col;
        }
    }
    else
    {
        while (col > 0)
        {
            rest -= ColWidthAt(col);
            if (rest < 0 && col != from)
                break;
            --col;
        }
    }
    return col;
}

int CUGCtrl::PageRows(int from, bool forward) const
{
    const CUGGridInfo& gi = *m_GI;
    int rest = gi.m_gridHeight - gi.m_lockRowHeight;
    int row = from;
    if (forward)
    {
        while (row < gi.m_numberRows - 1)
        {
            rest -= RowHeightAt(row);
            if (rest < 0 && row != from)
                break;
            ++row;
        }
    }
    else
    {
        while (row > 0)
        {
            rest -= RowHeightAt(row);
            if (rest < 0 && row != from)
                break;
            --row;
        }
    }
    return row;
}

int CUGCtrl::MoveDragCol(int how)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_numberCols == 0 || gi.m_numberRows == 0)
        return 1;
    switch (how)
    {
    case UG_LINEUP: return GotoCol(gi.m_dragCol - 1);
    case UG_LINEDOWN: return GotoCol(gi.m_dragCol + 1);
    case UG_PAGEUP: return GotoCol(PageCols(std::max(gi.m_dragCol, 0), false));
    case UG_PAGEDOWN: return GotoCol(PageCols(std::max(gi.m_dragCol, 0), true));
    case UG_TOP: return GotoCol(0);
    case UG_BOTTOM: return GotoCol(gi.m_numberCols - 1);
    default: return 0;
    }
}

int CUGCtrl::MoveDragRow(int how)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_numberCols == 0 || gi.m_numberRows == 0)
        return 1;
    switch (how)
    {
    case UG_LINEUP: return GotoRow(gi.m_dragRow - 1);
    case UG_LINEDOWN: return GotoRow(gi.m_dragRow + 1);
    case UG_PAGEUP: return GotoRow(PageRows(std::max(gi.m_dragRow, 0), false));
    case UG_PAGEDOWN: return GotoRow(PageRows(std::max(gi.m_dragRow, 0), true));
    case UG_TOP: return GotoRow(0);
    case UG_BOTTOM: return GotoRow(gi.m_numberRows - 1);
    default: return 0;
    }
}

void CUGCtrl::MakeDragColVisible()
{
    CUGGridInfo& gi = *m_GI;
    const int col = gi.m_dragCol;
    if (col < gi.m_numLockCols)
        return;
    if (col < gi.m_leftCol)
    {
        gi.m_leftCol = col;
        return;
    }
    const int usable = gi.m_gridWidth - gi.m_lockColWidth;
    long long widths = 0;
    for (int c = gi.m_leftCol; c <= col; ++c)
        widths += gi.GetColWidth(c);
    while (gi.m_leftCol < col && widths > usable)
        widths -= gi.GetColWidth(gi.m_leftCol++);
}

void CUGCtrl::MakeDragRowVisible()
{
    CUGGridInfo& gi = *m_GI;
    const int row = gi.m_dragRow;
    if (row < gi.m_numLockRows)
        return;
    if (row < gi.m_topRow)
    {
        gi.m_topRow = row;
        return;
    }
    const int usable = gi.m_gridHeight - gi.m_lockRowHeight;
    if (gi.m_uniformRowHeight)
    {
        const int fitting = gi.m_defRowHeight > 0 ? std::max(usable, 0) / gi.m_defRowHeight : 0;
        if (row - gi.m_topRow + 1 > fitting)
            gi.m_topRow = std::max(row - fitting + 1, gi.m_numLockRows);
        gi.m_topRow = std::min(gi.m_topRow, row);
        return;
    }
    long long heights = 0;
    for (int r = gi.m_topRow; r <= row; ++r)
        heights += gi.GetRowHeight(r);
    while (gi.m_topRow < row && heights > usable)
        heights -= gi.GetRowHeight(gi.m_topRow++);
}

void CUGCtrl::TellCellType(int col, int row, void (CUGCellType::*op)(int, int, CUGCell*))
{
    if (col < 0 || row < 0 || col >= m_GI->m_numberCols || row >= m_GI->m_numberRows)
        return;
    CUGCell cell;
    GetCellWithDefaults(col, row, &cell);
    (GetCellType(cell.GetCellType())->*op)(col, row, &cell);
}

void CUGCtrl::ApplyMove()
{
    CUGGridInfo& gi = *m_GI;
    const int oldCol = gi.m_currentCol, oldRow = gi.m_currentRow;
    const int oldRight = gi.m_rightCol, oldBottom = gi.m_bottomRow;
    CalcRightColBottomRow();

    gi.m_currentCol = gi.m_dragCol;
    gi.m_currentRow = gi.m_dragRow;
    const bool colChanged = gi.m_currentCol != oldCol;
    const bool rowChanged = gi.m_currentRow != oldRow;
    if (colChanged || rowChanged)
    {
        CUGMultiSelect& select = *gi.m_multiSelect;
        switch (gi.m_moveType)
        {
        case UG_MOVE_KEY: select.OnKeyMove(gi.m_currentCol, gi.m_currentRow); break;
        case UG_MOVE_LBUTTON: select.OnLClick(gi.m_currentCol, gi.m_currentRow, gi.m_moveFlags); break;
        case UG_MOVE_RBUTTON: select.OnRClick(gi.m_currentCol, gi.m_currentRow, gi.m_moveFlags); break;
        case UG_MOVE_DRAG: select.OnMouseMove(gi.m_currentCol, gi.m_currentRow, gi.m_moveFlags); break;
        default: break;
        }
    }

    if (colChanged)
    {
        gi.m_defDataSource->OnColChange(oldCol, gi.m_currentCol);
        OnColChanged(oldCol, gi.m_currentCol);
    }
    if (rowChanged)
    {
        gi.m_defDataSource->OnRowChange(oldRow, gi.m_currentRow);
        OnRowChanged(oldRow, gi.m_currentRow);
    }
    if (colChanged || rowChanged)
        OnCellChanged(oldCol, gi.m_currentCol, oldRow, gi.m_currentRow);
    if (gi.m_leftCol != gi.m_lastLeftCol)
        OnLeftColChanged(gi.m_lastLeftCol, gi.m_leftCol);
    if (gi.m_topRow != gi.m_lastTopRow)
        OnTopRowChanged(gi.m_lastTopRow, gi.m_topRow);

    PlaceTrackingWindow();

    if (colChanged || rowChanged)
    {
        TellCellType(oldCol, oldRow, &CUGCellType::OnKillFocus);
        TellCellType(gi.m_currentCol, gi.m_currentRow, &CUGCellType::OnSetFocus);
    }

    if (gi.m_paintMode)
        for (CUGChildWnd* child : std::initializer_list<CUGChildWnd*>{m_CUGGrid.get(), m_CUGTopHdg.get(), m_CUGSideHdg.get(),
                                                                     m_CUGVScroll.get(), m_CUGHScroll.get()})
            if (child)
                child->Moved();
    if (gi.m_paintMode)
    {
        if (m_CUGVScroll)
            m_CUGVScroll->Update();
        if (m_CUGHScroll)
            m_CUGHScroll->Update();
    }

    gi.m_lastCol = gi.m_currentCol;
    gi.m_lastRow = gi.m_currentRow;
    gi.m_lastLeftCol = gi.m_leftCol;
    gi.m_lastTopRow = gi.m_topRow;

    NotifyViewEdges(oldRight, oldBottom);
}

void CUGCtrl::NotifyViewEdges(int oldRightCol, int oldBottomRow)
{
    CUGGridInfo& gi = *m_GI;
    const auto edge = [this](int col, int row) { TellCellType(col, row, &CUGCellType::OnViewEdgeChange); };
    if (gi.m_bottomRow != oldBottomRow)
    {
        for (int col = gi.m_leftCol; col <= gi.m_rightCol; ++col)
        {
            edge(col, gi.m_topRow);
            edge(col, oldBottomRow);
        }
    }
    else if (gi.m_rightCol != oldRightCol)
    {
        for (int row = gi.m_topRow; row <= gi.m_bottomRow; ++row)
        {
            edge(gi.m_leftCol, row);
            edge(oldRightCol, row);
            edge(gi.m_rightCol, row);
        }
    }
    edge(gi.m_currentCol, gi.m_currentRow);
}

void CUGCtrl::PlaceTrackingWindow()
{
    if (!m_trackingWnd || !m_trackingWnd->GetSafeHwnd() || !m_CUGGrid || !m_CUGGrid->GetSafeHwnd())
        return;
    CRect cell;
    if (GetCellRect(m_GI->m_currentCol, m_GI->m_currentRow, &cell) != 0)
        return;
    m_CUGGrid->ClientToScreen(&cell);
    CRect wnd;
    m_trackingWnd->GetWindowRect(&wnd);
    // Beside the cell's right edge, pulled back inside the screen.
    CRect placed(cell.right, cell.top, cell.right + wnd.Width(), cell.top + wnd.Height());
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    if (placed.right > screenW)
        placed.OffsetRect(std::max(cell.left - placed.Width(), 0) - placed.left, 0);
    if (placed.bottom > screenH)
        placed.OffsetRect(0, screenH - placed.bottom);
    if (placed.top < 0)
        placed.OffsetRect(0, -placed.top);
    OnTrackWindowPlace(&placed, &cell);
    if (CWnd* parent = m_trackingWnd->GetParent(); parent && (m_trackingWnd->GetStyle() & WS_CHILD))
        parent->ScreenToClient(&placed);
    m_trackingWnd->MoveWindow(&placed, TRUE);
}

int CUGCtrl::SetLeftCol(int col)
{
    CUGGridInfo& gi = *m_GI;
    if (col == gi.m_leftCol)
        return 0;
    col = std::clamp(col, gi.m_numLockCols, std::max(gi.m_maxLeftCol, gi.m_numLockCols));
    if (col == gi.m_leftCol)
        return 0;
    if (!OnCanViewMove(gi.m_leftCol, gi.m_topRow, col, gi.m_topRow))
        return 2;
    gi.m_leftCol = col;
    ApplyMove();
    return 0;
}

int CUGCtrl::SetTopRow(int row)
{
    CUGGridInfo& gi = *m_GI;
    if (row == gi.m_topRow)
        return 0;
    row = std::clamp(row, gi.m_numLockRows, std::max(gi.m_maxTopRow, gi.m_numLockRows));
    if (row == gi.m_topRow)
        return 0;
    if (!OnCanViewMove(gi.m_leftCol, gi.m_topRow, gi.m_leftCol, row))
        return 2;
    gi.m_topRow = row;
    ApplyMove();
    return 0;
}

int CUGCtrl::MoveLeftCol(int how)
{
    CUGGridInfo& gi = *m_GI;
    switch (how)
    {
    case UG_LINEUP: return SetLeftCol(gi.m_leftCol - 1);
    case UG_LINEDOWN: return SetLeftCol(gi.m_leftCol + 1);
    case UG_PAGEUP: return SetLeftCol(PageCols(gi.m_leftCol, false));
    case UG_PAGEDOWN: return SetLeftCol(PageCols(gi.m_leftCol, true));
    case UG_TOP: return SetLeftCol(gi.m_numLockCols);
    case UG_BOTTOM: return SetLeftCol(gi.m_maxLeftCol);
    default: return 0;
    }
}

int CUGCtrl::MoveTopRow(int how)
{
    CUGGridInfo& gi = *m_GI;
    switch (how)
    {
    case UG_LINEUP: return SetTopRow(gi.m_topRow - 1);
    case UG_LINEDOWN: return SetTopRow(gi.m_topRow + 1);
    case UG_PAGEUP: return SetTopRow(PageRows(gi.m_topRow, false));
    case UG_PAGEDOWN: return SetTopRow(PageRows(gi.m_topRow, true));
    case UG_TOP: return SetTopRow(gi.m_numLockRows);
    case UG_BOTTOM: return SetTopRow(gi.m_maxTopRow);
    default: return 0;
    }
}

int CUGCtrl::ResetCurrentCell()
{
    CUGGridInfo& gi = *m_GI;
    gi.m_multiSelect->ClearAll();
    gi.m_currentCol = gi.m_lastCol = gi.m_dragCol = -1;
    gi.m_currentRow = gi.m_lastRow = gi.m_dragRow = -1;
    return 0;
}

int CUGCtrl::ClearSelections()
{
    CUGGridInfo& gi = *m_GI;
    gi.m_multiSelect->ClearAll();
    gi.m_dragCol = gi.m_currentCol;
    gi.m_dragRow = gi.m_currentRow;
    return 0;
}

int CUGCtrl::GetCellFromPoint(int x, int y, int* colOut, int* rowOut, RECT* rectOut)
{
    const CUGGridInfo& gi = *m_GI;
    if (!colOut || !rowOut || x < 0 || y < 0 || x >= gi.m_gridWidth || y >= gi.m_gridHeight)
        return 1;
    int col = gi.m_numLockCols > 0 ? 0 : gi.m_leftCol;
    int left = 0;
    for (;; )
    {
        if (col >= gi.m_numberCols)
            return 1;
        const int w = gi.GetColWidth(col);
        if (x < left + w)
            break;
        left += w;
        col = (col == gi.m_numLockCols - 1) ? std::max(gi.m_leftCol, gi.m_numLockCols) : col + 1;
    }
    int row = gi.m_numLockRows > 0 ? 0 : gi.m_topRow;
    int top = 0;
    for (;; )
    {
        if (row >= gi.m_numberRows)
            return 1;
        const int h = gi.GetRowHeight(row);
        if (y < top + h)
            break;
        top += h;
        row = (row == gi.m_numLockRows - 1) ? std::max(gi.m_topRow, gi.m_numLockRows) : row + 1;
    }
    CRect rect(left, top, left + gi.GetColWidth(col), top + gi.GetRowHeight(row));
    int endCol = 0, endRow = 0;
    if (gi.m_enableJoins && GetJoinRange(&col, &row, &endCol, &endRow) == 0)
        GetRangeRect(col, row, endCol, endRow, &rect);
    *colOut = col;
    *rowOut = row;
    if (rectOut)
        *rectOut = rect;
    return 0;
}

int CUGCtrl::GetCellRect(int col, int row, RECT* rect)
{
    const CUGGridInfo& gi = *m_GI;
    if (!rect || col < 0 || row < 0 || col >= gi.m_numberCols || row >= gi.m_numberRows)
        return 1;
    const auto offset = [](int index, int locked, int lockedSize, int first, auto size) {
        int pos = 0;
        if (index < locked)
        {
            for (int i = 0; i < index; ++i)
                pos += size(i);
            return pos;
        }
        pos = lockedSize;
        for (int i = first; i < index; ++i)
            pos += size(i);
        for (int i = index; i < first; ++i)
            pos -= size(i);
        return pos;
    };
    const int x = offset(col, gi.m_numLockCols, gi.m_lockColWidth, gi.m_leftCol, [&gi](int c) { return gi.GetColWidth(c); });
    const int y = offset(row, gi.m_numLockRows, gi.m_lockRowHeight, gi.m_topRow, [&gi](int r) { return gi.GetRowHeight(r); });
    *rect = CRect(x, y, x + gi.GetColWidth(col), y + gi.GetRowHeight(row));
    return 0;
}

int CUGCtrl::GetRangeRect(int startCol, int startRow, int endCol, int endRow, RECT* rect)
{
    const CUGGridInfo& gi = *m_GI;
    if (!rect || gi.m_numberCols == 0 || gi.m_numberRows == 0)
        return 1;
    startCol = std::clamp(startCol, 0, gi.m_numberCols - 1);
    endCol = std::clamp(endCol, 0, gi.m_numberCols - 1);
    startRow = std::clamp(startRow, 0, gi.m_numberRows - 1);
    endRow = std::clamp(endRow, 0, gi.m_numberRows - 1);
    CRect first, last;
    GetCellRect(std::min(startCol, endCol), std::min(startRow, endRow), &first);
    GetCellRect(std::max(startCol, endCol), std::max(startRow, endRow), &last);
    *rect = CRect(first.left, first.top, last.right, last.bottom);
    return 0;
}

int CUGCtrl::GetJoinedCellRect(int col, int row, RECT* rect)
{
    int startCol = col, startRow = row, endCol = col, endRow = row;
    if (GetJoinRange(&startCol, &startRow, &endCol, &endRow) == UG_SUCCESS)
        return GetRangeRect(startCol, startRow, endCol, endRow, rect);
    return GetCellRect(col, row, rect);
}
