#include "grid/CUGTopHdg.h"

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
constexpr int kFitRows = 20;  // rows a double click on an edge fits the column to
constexpr int kFitFlags = 1;
} // namespace

BOOL CUGTopHdg::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CUGChildWnd::PreCreateWindow(cs);
}

int CUGTopHdg::ColLeft(int col) const
{
    int x = 0;
    for (int c = m_GI->m_leftCol; c < col; ++c)
        x += m_GI->GetColWidth(c);
    for (int c = col; c < m_GI->m_leftCol; ++c)
        x -= m_GI->GetColWidth(c);
    return x;
}

int CUGTopHdg::HdgRowTop(int row) const
{
    int y = 0;
    for (int r = -m_GI->m_numberTopHdgRows; r < row; ++r)
        y += m_ctrl->GetTopHdgRowHeight(r);
    return y;
}

bool CUGTopHdg::HitTest(CPoint point, int* colOut, int* rowOut, RECT* rect)
{
    const CUGGridInfo& gi = *m_GI;
    *colOut = *rowOut = -1;
    int col = gi.m_leftCol, x = 0;
    for (; col < gi.m_numberCols; ++col)
    {
        if (point.x < x + gi.GetColWidth(col))
            break;
        x += gi.GetColWidth(col);
    }
    int row = -gi.m_numberTopHdgRows, y = 0;
    for (; row < 0; ++row)
    {
        if (point.y < y + m_ctrl->GetTopHdgRowHeight(row))
            break;
        y += m_ctrl->GetTopHdgRowHeight(row);
    }
    if (point.x < 0 || point.y < 0 || col >= gi.m_numberCols || row >= 0)
        return false;
    CRect cell(x, y, x + gi.GetColWidth(col), y + m_ctrl->GetTopHdgRowHeight(row));
    int endCol = col, endRow = row;
    if (gi.m_enableJoins && m_ctrl->GetJoinRange(&col, &row, &endCol, &endRow) == 0)
    {
        cell.left = ColLeft(col);
        cell.right = ColLeft(endCol + 1);
        cell.top = HdgRowTop(row);
        cell.bottom = HdgRowTop(endRow + 1);
    }
    *colOut = col;
    *rowOut = row;
    if (rect)
        *rect = cell;
    return true;
}

// ---------------------------------------------------------------- painting

void CUGTopHdg::OnPaint()
{
    if (!m_GI || !m_GI->m_paintMode)
        return;
    CPaintDC dc(this);
    m_drawHint.AddRange(0, -m_GI->m_numberTopHdgRows, m_GI->m_numberCols, 0);
    DrawHeading(&dc);
}

void CUGTopHdg::DrawHeading(CDC* dc)
{
    const CUGGridInfo& gi = *m_GI;
    if (gi.m_defFont)
        dc->SelectObject(gi.m_defFont);
    m_ctrl->OnPaintDCSetup(dc, nullptr, UG_TOPHEADING);
    int maxRight = 0;
    int y = 0;
    for (int row = -gi.m_numberTopHdgRows; row < 0; ++row)
    {
        const int height = m_ctrl->GetTopHdgRowHeight(row);
        int x = 0;
        for (int col = gi.m_leftCol; col < gi.m_numberCols; ++col)
        {
            const int width = gi.GetColWidth(col);
            CRect rect(x, y, x + width, y + height);
            x += width;
            if (m_drawHint.Contains(col, row))
            {
                int drawCol = col, drawRow = row;
                m_ctrl->GetCellWithDefaults(col, row, &m_cell);
                bool skip = false;
                int endCol = col, endRow = row;
                if (gi.m_enableJoins && m_cell.IsPropertySet(UGCELL_JOIN_SET) &&
                    m_ctrl->GetJoinRange(&drawCol, &drawRow, &endCol, &endRow) == 0)
                {
                    skip = m_drawHint.OriginDrawn(drawCol, drawRow);
                    if (!skip)
                    {
                        m_drawHint.MarkOriginDrawn(drawCol, drawRow);
                        rect = CRect(ColLeft(drawCol), HdgRowTop(drawRow), ColLeft(endCol + 1), HdgRowTop(endRow + 1));
                        m_ctrl->GetCellWithDefaults(drawCol, drawRow, &m_cell);
                    }
                }
                if (!skip && rect.Width() > 0)
                {
                    const int saved = dc->SaveDC();
                    m_ctrl->GetCellType(m_cell.GetCellType())->OnDraw(dc, &rect, drawCol, drawRow, &m_cell, 0, 0);
                    dc->RestoreDC(saved);
                }
            }
            maxRight = std::max(maxRight, int(rect.right));
            if (rect.right > gi.m_gridWidth)
                break;
        }
        y += height;
    }
    m_drawHint.Clear();
    if (maxRight < gi.m_gridWidth)
    {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(CRect(maxRight, 0, gi.m_gridWidth, client.bottom),
                          m_ctrl->OnGetSectionBackColor(UG_TOPHEADING));
    }
}

void CUGTopHdg::Moved()
{
    if (GetSafeHwnd() && m_GI && m_GI->m_leftCol != m_GI->m_lastLeftCol)
    {
        Invalidate(FALSE);
        UpdateWindow();
    }
}

// ---------------------------------------------------------------- sizing

void CUGTopHdg::FindEdge(CPoint point)
{
    const CUGGridInfo& gi = *m_GI;
    int edge = 0;
    for (int col = gi.m_leftCol; col < gi.m_numberCols; ++col)
    {
        edge += gi.GetColWidth(col);
        if (std::abs(point.x - edge) < kEdgeSlack)
        {
            // A hidden column right of the edge is the one pulled open.
            const int sized = (col + 1 < gi.m_numberCols && gi.GetColWidth(col + 1) == 0) ? col + 1 : col;
            if (!m_ctrl->OnCanSizeCol(sized))
                return;
            m_overEdge = TRUE;
            m_sizeKind = 0;
            m_sizeIndex = sized;
            m_startSize = gi.GetColWidth(sized);
            m_startCoord = point.x;
            SetCursor(gi.m_WEResizeCursor);
            return;
        }
        if (edge > gi.m_gridWidth)
            break;
    }
    int rowEdge = gi.m_topHdgHeight;
    for (int row = -1; row >= -gi.m_numberTopHdgRows; --row)
    {
        if (std::abs(point.y - rowEdge) < kEdgeSlack)
        {
            if (!m_ctrl->OnCanSizeTopHdg())
                return;
            m_overEdge = TRUE;
            m_sizeKind = 1;
            m_sizeIndex = -row - 1;
            m_startSize = m_ctrl->GetTopHdgRowHeight(row);
            m_startCoord = point.y;
            m_startTotal = gi.m_topHdgHeight;
            SetCursor(gi.m_NSResizeCursor);
            return;
        }
        rowEdge -= m_ctrl->GetTopHdgRowHeight(row);
    }
    if (m_overEdge)
    {
        m_overEdge = FALSE;
        SetCursor(gi.m_arrowCursor);
    }
}

void CUGTopHdg::TellWidth(int col, int* width, bool changing)
{
    for (int row = m_GI->m_topRow; row < m_GI->m_bottomRow; ++row)
    {
        CUGCellType* type = m_ctrl->GetCellTypeAt(col, row);
        if (changing)
            type->OnChangingCellWidth(col, row, width);
        else
            type->OnChangedCellWidth(col, row, width);
    }
}

void CUGTopHdg::InvertSizingLine()
{
    CUGGrid* grid = m_ctrl->m_CUGGrid.get();
    if (m_sizingLine.left < 0 || !grid || !grid->GetSafeHwnd())
        return;
    CClientDC dc(grid);
    dc.InvertRect(&m_sizingLine);
}

void CUGTopHdg::RefitOutermostRow()
{
    CUGGridInfo& gi = *m_GI;
    const int outer = -gi.m_numberTopHdgRows;
    int others = 0;
    for (int row = outer + 1; row < 0; ++row)
        others += m_ctrl->GetTopHdgRowHeight(row);
    m_ctrl->SetTopHdgRowHeight(outer, std::max(gi.m_topHdgHeight - others, 0));
    Invalidate(FALSE);
    UpdateWindow();
}

void CUGTopHdg::DragTo(CPoint point)
{
    CUGGridInfo& gi = *m_GI;
    if (m_sizeKind == 0)
    {
        const int x = std::max(int(point.x), m_startCoord - m_startSize);
        int width = m_startSize + x - m_startCoord;
        TellWidth(m_sizeIndex, &width, true);
        m_ctrl->OnColSizing(m_sizeIndex, &width);
        // The old line goes before the cells move, the new one after they are drawn.
        InvertSizingLine();
        m_ctrl->SetColWidth(m_sizeIndex, std::max(width, 0));
        RefitOutermostRow();
        if (CUGGrid* grid = m_ctrl->m_CUGGrid.get())
        {
            grid->Invalidate(FALSE);
            grid->UpdateWindow();
        }
        m_sizingLine = CRect(x - 1, 0, x + 1, gi.m_gridHeight);
        InvertSizingLine();
    }
    else
    {
        const int delta = point.y - m_startCoord;
        gi.m_topHdgHeights[std::size_t(m_sizeIndex)] = std::max(m_startSize + delta, 0);
        int total = std::max(m_startTotal + delta, 0);
        if (m_ctrl->OnTopHdgSizing(&total) == 1)
        {
            gi.m_topHdgHeight = total;
            m_ctrl->LayoutChildren();
        }
    }
}

void CUGTopHdg::EndDrag()
{
    if (m_sizeKind == 0)
    {
        InvertSizingLine();
        m_sizingLine = CRect(-1, 0, -1, 0);
        int width = m_GI->GetColWidth(m_sizeIndex);
        const int before = width;
        TellWidth(m_sizeIndex, &width, false);
        m_ctrl->OnColSized(m_sizeIndex, &width);
        if (width != before)
            m_ctrl->SetColWidth(m_sizeIndex, width);
    }
    else
    {
        int total = m_GI->m_topHdgHeight;
        m_ctrl->OnTopHdgSized(&total);
    }
    m_sizing = FALSE;
    Invalidate(FALSE);
    m_ctrl->LayoutChildren();
}

// ---------------------------------------------------------------- mouse

void CUGTopHdg::OnMouseMove(UINT flags, CPoint point)
{
    if (m_sizing)
        DragTo(point);
    else if (!(flags & (MK_LBUTTON | MK_RBUTTON)))
        FindEdge(point);
}

BOOL CUGTopHdg::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(!m_overEdge ? m_GI->m_arrowCursor : m_sizeKind == 0 ? m_GI->m_WEResizeCursor : m_GI->m_NSResizeCursor);
    return TRUE;
}

void CUGTopHdg::OnLButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetFocus();
    SetCapture();
    if (m_overEdge)
    {
        m_sizing = TRUE;
        return;
    }
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
    {
        m_ctrl->OnColMoveStart(col);
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 1, &rect, &point);
    }
    m_ctrl->OnTH_LClicked(col, row, 1, &rect, &point, processed);
}

void CUGTopHdg::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    ReleaseCapture();
    if (m_sizing)
    {
        EndDrag();
        return;
    }
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 0, &rect, &point);
    m_ctrl->OnTH_LClicked(col, row, 0, &rect, &point, processed);
}

void CUGTopHdg::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    if (m_overEdge && m_sizeKind == 0)
    {
        const int col = m_sizeIndex;
        m_ctrl->FitColumnsToContent(col, col, kFitRows, kFitFlags);
        FindEdge(point);
        int width = m_GI->GetColWidth(col);
        const int before = width;
        TellWidth(col, &width, false);
        m_ctrl->OnColSized(col, &width);
        if (width != before)
            m_ctrl->SetColWidth(col, width);
        m_sizing = FALSE;
        return;
    }
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnDClicked(col, row, &rect, &point);
    m_ctrl->OnTH_DClicked(col, row, &rect, &point, processed);
}

void CUGTopHdg::OnRButtonDown(UINT /*flags*/, CPoint point)
{
    if (m_ctrl->m_CUGGrid)
        m_ctrl->m_CUGGrid->SetFocus();
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 1, &rect, &point);
    m_ctrl->OnTH_RClicked(col, row, 1, &rect, &point, processed);
}

void CUGTopHdg::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (HitTest(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 0, &rect, &point);
    m_ctrl->OnTH_RClicked(col, row, 0, &rect, &point, processed);
}

// ---------------------------------------------------------------- tips, help, printing

INT_PTR CUGTopHdg::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    int col, row;
    const bool found = const_cast<CUGTopHdg*>(this)->HitTest(point, &col, &row, nullptr);
    return AnswerCellTool(found, col, row, m_tipCol, m_tipRow, info);
}

BOOL CUGTopHdg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A tip is only offered for the cell the mouse rested on.
    return NotifyCellTip(wParam, lParam, result, m_tipCol, m_tipRow, UG_TOPHEADING);
}

LRESULT CUGTopHdg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PRINT && m_GI)
    {
        Invalidate(FALSE);
        m_drawHint.AddRange(0, -m_GI->m_numberTopHdgRows, m_GI->m_numberCols, 0);
        DrawHeading(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        return 0;
    }
    if (message == WM_HELPHITTEST && m_ctrl)
    {
        int col, row;
        HitTest(CPoint{short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))}, &col, &row, nullptr);
        return LRESULT(m_ctrl->OnGetHelpId(col, row, UG_TOPHEADING));
    }
    return CUGChildWnd::WindowProc(message, wParam, lParam);
}
