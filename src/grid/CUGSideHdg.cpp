#include "grid/CUGSideHdg.h"

#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/Cursors.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kEdgeSlack = 3; // an edge is found strictly closer than this
} // namespace

int CUGSideHdg::RowTop(int row) const
{
    int y = 0;
    for (int r = m_GI->m_topRow; r < row; ++r)
        y += m_GI->GetRowHeight(r);
    for (int r = row; r < m_GI->m_topRow; ++r)
        y -= m_GI->GetRowHeight(r);
    return y;
}

int CUGSideHdg::HdgColLeft(int col) const
{
    int x = 0;
    for (int c = -m_GI->m_numberSideHdgCols; c < col; ++c)
        x += m_ctrl->GetSideHdgColWidth(c);
    return x;
}

bool CUGSideHdg::HitTest(CPoint point, int* colOut, int* rowOut, RECT* rect)
{
    const CUGGridInfo& gi = *m_GI;
    *colOut = *rowOut = -1;
    int row = gi.m_topRow, y = 0;
    for (; row < gi.m_numberRows; ++row)
    {
        if (point.y < y + gi.GetRowHeight(row))
            break;
        y += gi.GetRowHeight(row);
    }
    int col = -gi.m_numberSideHdgCols, x = 0;
    for (; col < 0; ++col)
    {
        if (point.x < x + m_ctrl->GetSideHdgColWidth(col))
            break;
        x += m_ctrl->GetSideHdgColWidth(col);
    }
    if (point.x < 0 || point.y < 0 || row >= gi.m_numberRows || col >= 0)
        return false;
    CRect cell(x, y, x + m_ctrl->GetSideHdgColWidth(col), y + gi.GetRowHeight(row));
    int endCol = col, endRow = row;
    if (gi.m_enableJoins && m_ctrl->GetJoinRange(&col, &row, &endCol, &endRow) == 0)
        cell = CRect(HdgColLeft(col), RowTop(row), HdgColLeft(endCol + 1), RowTop(endRow + 1));
    *colOut = col;
    *rowOut = row;
    if (rect)
        *rect = cell;
    return true;
}

// ---------------------------------------------------------------- painting

void CUGSideHdg::OnPaint()
{
    if (!m_GI)
        return;
    CPaintDC dc(this);
    m_drawHint.AddRange(-m_GI->m_numberSideHdgCols, 0, 0, m_GI->m_numberRows);
    DrawHeading(&dc);
}

void CUGSideHdg::DrawHeading(CDC* dc)
{
    const CUGGridInfo& gi = *m_GI;
    if (gi.m_defFont)
        dc->SelectObject(gi.m_defFont);
    m_ctrl->OnPaintDCSetup(dc, nullptr, UG_SIDEHEADING);
    int y = 0;
    for (int row = gi.m_topRow; row < gi.m_numberRows; ++row)
    {
        const int height = gi.GetRowHeight(row);
        if (height == 0)
            continue;
        int x = 0;
        for (int col = -gi.m_numberSideHdgCols; col < 0; ++col)
        {
            const int width = m_ctrl->GetSideHdgColWidth(col);
            CRect rect(x, y, x + width, y + height);
            x += width;
            if (!m_drawHint.Contains(col, row))
                continue;
            int drawCol = col, drawRow = row, endCol = col, endRow = row;
            m_ctrl->GetCellWithDefaults(col, row, &m_cell);
            if (gi.m_enableJoins && m_cell.IsPropertySet(UGCELL_JOIN_SET) &&
                m_ctrl->GetJoinRange(&drawCol, &drawRow, &endCol, &endRow) == 0)
            {
                if (m_drawHint.OriginDrawn(drawCol, drawRow))
                    continue;
                m_drawHint.MarkOriginDrawn(drawCol, drawRow);
                rect = CRect(HdgColLeft(drawCol), RowTop(drawRow), HdgColLeft(endCol + 1), RowTop(endRow + 1));
                m_ctrl->GetCellWithDefaults(drawCol, drawRow, &m_cell);
            }
            if (rect.Width() <= 0)
                continue;
            const int saved = dc->SaveDC();
            m_ctrl->GetCellType(m_cell.GetCellType())->OnDraw(dc, &rect, drawCol, drawRow, &m_cell, 0, 0);
            dc->RestoreDC(saved);
        }
        y += height;
        m_lastRowDrawn = row;
        if (y >= gi.m_gridHeight)
            break;
    }
    m_drawHint.Clear();
    CRect client;
    GetClientRect(&client);
    if (y < client.bottom)
        dc->FillSolidRect(CRect(0, y, client.right, client.bottom), m_ctrl->OnGetSectionBackColor(UG_SIDEHEADING));
}

void CUGSideHdg::Moved()
{
    if (!GetSafeHwnd() || !m_GI)
        return;
    const CUGGridInfo& gi = *m_GI;
    if (gi.m_topRow == gi.m_lastTopRow && gi.m_currentRow == gi.m_lastRow)
        return;
    CRect pending;
    if (GetUpdateRect(&pending))
    {
        UpdateWindow();
        return;
    }
    if (!IsWhollyVisible())
    {
        Invalidate(FALSE);
        UpdateWindow();
        return;
    }
    const int firstCol = -gi.m_numberSideHdgCols;
    int dy = 0;
    for (int r = std::min(gi.m_lastTopRow, gi.m_topRow);
         r < std::max(gi.m_lastTopRow, gi.m_topRow) && dy <= gi.m_gridHeight; ++r)
        dy += gi.GetRowHeight(r);
    if (gi.m_topRow < gi.m_lastTopRow)
        dy = -dy;
    if (std::abs(dy) > gi.m_gridHeight)
    {
        m_drawHint.AddRange(firstCol, 0, -1, gi.m_numberRows);
        dy = 0;
    }
    CClientDC dc(this);
    if (dy != 0)
    {
        CRect client;
        GetClientRect(&client);
        dc.ScrollDC(0, -dy, &client, &client, nullptr, nullptr);
        if (dy > 0)
            m_drawHint.AddRange(firstCol, m_lastRowDrawn, -1, gi.m_numberRows);
        else
            m_drawHint.AddRange(firstCol, 0, -1, gi.m_lastTopRow);
    }
    m_drawHint.AddRange(firstCol, gi.m_lastRow, -1, gi.m_lastRow);
    m_drawHint.AddRange(firstCol, gi.m_currentRow, -1, gi.m_currentRow);
    DrawHeading(&dc);
}

// ---------------------------------------------------------------- sizing

void CUGSideHdg::FindEdge(CPoint point)
{
    const CUGGridInfo& gi = *m_GI;
    m_overEdge = FALSE;
    int colEdge = gi.m_sideHdgWidth;
    for (int col = -1; col >= -gi.m_numberSideHdgCols; --col)
    {
        if (std::abs(point.x - colEdge) < kEdgeSlack)
        {
            if (!m_ctrl->OnCanSizeSideHdg())
                return;
            m_overEdge = TRUE;
            m_sizeKind = 0;
            m_sizeIndex = -col - 1;
            m_startSize = m_ctrl->GetSideHdgColWidth(col);
            m_startCoord = point.x;
            m_startTotal = gi.m_sideHdgWidth;
            return;
        }
        colEdge -= m_ctrl->GetSideHdgColWidth(col);
    }
    int rowEdge = 0;
    for (int row = gi.m_topRow; row < gi.m_numberRows; ++row)
    {
        rowEdge += gi.GetRowHeight(row);
        if (std::abs(point.y - rowEdge) < kEdgeSlack)
        {
            // A hidden row below the edge is the one pulled open.
            const int sized = (row + 1 < gi.m_numberRows && gi.GetRowHeight(row + 1) == 0) ? row + 1 : row;
            if (!m_ctrl->OnCanSizeRow(sized))
                return;
            m_overEdge = TRUE;
            m_sizeKind = 1;
            m_sizeIndex = sized;
            m_startSize = gi.GetRowHeight(sized);
            m_startCoord = point.y;
            // The rows above the edge itself, so that the first move keeps their count.
            m_rowsAbove = row - gi.m_topRow + 1;
            return;
        }
        if (rowEdge > gi.m_gridHeight)
            break;
    }
}

void CUGSideHdg::TellHeight(int row, int* height, bool changing)
{
    for (int col = m_GI->m_leftCol; col < m_GI->m_rightCol; ++col)
    {
        CUGCellType* type = m_ctrl->GetCellTypeAt(col, row);
        if (changing)
            type->OnChangingCellHeight(col, row, height);
        else
            type->OnChangedCellHeight(col, row, height);
    }
}

void CUGSideHdg::InvertSizingLine()
{
    CUGGrid* grid = m_ctrl->m_CUGGrid.get();
    if (m_sizingLine.top < 0 || !grid || !grid->GetSafeHwnd())
        return;
    CClientDC dc(grid);
    dc.InvertRect(&m_sizingLine);
}

void CUGSideHdg::RefitOutermostCol()
{
    CUGGridInfo& gi = *m_GI;
    const int outer = -gi.m_numberSideHdgCols;
    int others = 0;
    for (int col = outer + 1; col < 0; ++col)
        others += m_ctrl->GetSideHdgColWidth(col);
    m_ctrl->SetSideHdgColWidth(outer, std::max(gi.m_sideHdgWidth - others, 0));
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGSideHdg::DragTo(CPoint point)
{
    CUGGridInfo& gi = *m_GI;
    if (m_sizeKind == 1)
    {
        int height = gi.m_uniformRowHeight && m_rowsAbove > 0 ? std::max(int(point.y), 1) / m_rowsAbove
                                                              : m_startSize + int(point.y) - m_startCoord;
        height = std::max(height, 0);
        TellHeight(m_sizeIndex, &height, true);
        m_ctrl->OnRowSizing(m_sizeIndex, &height);
        InvertSizingLine();
        m_ctrl->SetRowHeight(m_sizeIndex, std::max(height, 0));
        RefitOutermostCol();
        if (CUGGrid* grid = m_ctrl->m_CUGGrid.get())
        {
            grid->Invalidate(FALSE);
            grid->UpdateWindow();
        }
        m_sizingLine = CRect(0, point.y - 1, gi.m_gridWidth, point.y + 1);
        InvertSizingLine();
    }
    else
    {
        const int delta = point.x - m_startCoord;
        gi.m_sideHdgWidths[std::size_t(m_sizeIndex)] = std::max(m_startSize + delta, 0);
        int total = std::max(m_startTotal + delta, 0);
        m_ctrl->OnSideHdgSizing(&total);
        gi.m_sideHdgWidth = total;
        m_ctrl->LayoutChildren();
    }
}

void CUGSideHdg::EndDrag()
{
    InvertSizingLine();
    m_sizingLine = CRect(0, -1, 0, -1);
    if (m_sizeKind == 1)
    {
        int height = m_GI->GetRowHeight(m_sizeIndex);
        TellHeight(m_sizeIndex, &height, false);
        m_ctrl->OnRowSized(m_sizeIndex, &height);
        m_ctrl->SetRowHeight(m_sizeIndex, std::max(height, 0));
    }
    else
    {
        int total = m_GI->m_sideHdgWidth;
        m_ctrl->OnSideHdgSized(&total);
    }
    m_sizing = FALSE;
    m_ctrl->LayoutChildren();
    m_ctrl->RedrawAll();
}

// ---------------------------------------------------------------- mouse

void CUGSideHdg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizing)
        DragTo(point);
    else if (!(flags & (MK_LBUTTON | MK_RBUTTON)))
        FindEdge(point);
}

BOOL CUGSideHdg::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(!m_overEdge ? m_GI->m_arrowCursor : m_sizeKind == 0 ? m_GI->m_WEResizeCursor : m_GI->m_NSResizeCursor);
    return TRUE;
}

void CUGSideHdg::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetFocus();
    if (m_overEdge)
    {
        m_sizing = TRUE;
        SetCapture();
        return;
    }
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 1, &rect, &point);
    m_ctrl->OnSH_LClicked(col, row, 1, &rect, &point, processed);
}

void CUGSideHdg::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (m_sizing)
    {
        ReleaseCapture();
        EndDrag();
        return;
    }
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 0, &rect, &point);
    m_ctrl->OnSH_LClicked(col, row, 0, &rect, &point, processed);
}

void CUGSideHdg::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnDClicked(col, row, &rect, &point);
    m_ctrl->OnSH_DClicked(col, row, &rect, &point, processed);
}

void CUGSideHdg::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetFocus();
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 1, &rect, &point);
    m_ctrl->OnSH_RClicked(col, row, 1, &rect, &point, processed);
}

void CUGSideHdg::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 0, &rect, &point);
    m_ctrl->OnSH_RClicked(col, row, 0, &rect, &point, processed);
}

// ---------------------------------------------------------------- tips, help, printing

INT_PTR CUGSideHdg::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    int col, row;
    const bool found = const_cast<CUGSideHdg*>(this)->HitTest(point, &col, &row, nullptr);
    return AnswerCellTool(found, col, row, m_tipCol, m_tipRow, info);
}

BOOL CUGSideHdg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A tip is only offered for the cell the mouse rested on.
    return NotifyCellTip(wParam, lParam, result, m_tipCol, m_tipRow, UG_SIDEHEADING);
}

LRESULT CUGSideHdg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PRINT && m_GI)
    {
        Invalidate(FALSE);
        m_drawHint.AddRange(-m_GI->m_numberSideHdgCols, 0, 0, m_GI->m_numberRows);
        DrawHeading(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    }
    if (message == WM_HELPHITTEST && m_ctrl)
    {
        int col, row;
        HitTest(CPoint{short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))}, &col, &row, nullptr);
        return LRESULT(m_ctrl->OnGetHelpId(col, row, UG_SIDEHEADING));
    }
    return CUGChildWnd::WindowProc(message, wParam, lParam);
}
