#include "grid/CUGGrid.h"

#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGSideHdg.h"
#include "grid/UGVisualStyle.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/Cursors.h"

#include <algorithm>
#include <cstdlib>

namespace
{
constexpr int kWheelRowsPerNotch = 3;

// Pixel distance from one first row (column) to another, signed; stops once it passes limit.
template <typename Size>
int Distance(int from, int to, int limit, Size size)
{
    int sum = 0;
    const int step = to >= from ? 1 : -1;
    for (int i = std::min(from, to); i < std::max(from, to) && sum <= limit; ++i)
        sum += size(i);
    return sum * step;
}
} // namespace

BOOL CUGGrid::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CUGChildWnd::PreCreateWindow(cs);
}

int CUGGrid::OnCreate(LPCREATESTRUCT cs)
{
    if (CUGChildWnd::OnCreate(cs) == -1)
        return -1;
    if (m_ctrl && m_ctrl->m_GI && m_ctrl->m_GI->m_enableCellTips)
        EnableToolTips(TRUE);
    return 0;
}

// ---------------------------------------------------------------- painting

void CUGGrid::OnPaint()
{
    if (!m_GI || !m_GI->m_paintMode)
        return;
    CRect update;
    if (!GetUpdateRect(&update))
        return;
    CPaintDC dc(this);
    const CUGGridInfo& gi = *m_GI;
    if (update.left == 0 && update.top == 0 && update.right == 0 && update.bottom == 0)
    {
        m_drawHint.AddRange(0, 0, gi.m_numberCols, gi.m_numberRows);
    }
    else
    {
        int startCol = 0, startRow = 0, endCol = gi.m_numberCols, endRow = gi.m_numberRows;
        int col = 0, row = 0;
        if (m_ctrl->GetCellFromPoint(update.left, update.top, &col, &row) == 0)
            startCol = col, startRow = row;
        // A corner right of the last column or below the last row: the last row and column are
        // found on their own, so that a narrow update does not repaint the whole grid.
        if (m_ctrl->GetCellFromPoint(update.left, update.bottom - 1, &col, &row) == 0)
            endRow = row;
        if (m_ctrl->GetCellFromPoint(update.right - 1, update.top, &col, &row) == 0)
            endCol = col;
        if (m_ctrl->GetCellFromPoint(update.right - 1, update.bottom - 1, &col, &row) == 0)
        {
            endCol = col;
            endRow = row;
            // A joined range under the corner is repainted whole.
            int joinCol = col, joinRow = row, joinEndCol = col, joinEndRow = row;
            if (m_ctrl->GetJoinRange(&joinCol, &joinRow, &joinEndCol, &joinEndRow) == 0)
            {
                endCol = std::max(endCol, joinEndCol);
                endRow = std::max(endRow, joinEndRow);
            }
        }
        m_drawHint.AddRange(startCol, startRow, endCol, endRow);
        const bool onlyCurrent =
            startCol == endCol && startRow == endRow && startCol == gi.m_currentCol && startRow == gi.m_currentRow;
        if (!onlyCurrent)
            AddCurrentCell(gi.m_currentCol, gi.m_currentRow);
    }
    DrawCellsIntern(&dc);
}

BOOL CUGGrid::OnEraseBkgnd(CDC* /*dc*/)
{
    return UGVisualStyle::IsVisualStyleActive();
}

void CUGGrid::AddCurrentCell(int col, int row)
{
    if (m_GI->m_highlightRowFlag)
        m_drawHint.AddRange(0, row, m_GI->m_numberCols, row);
    else
        m_drawHint.AddCell(col, row);
}

void CUGGrid::DrawCellsIntern(CDC* dc)
{
    CUGGridInfo& gi = *m_GI;
    if (gi.m_defFont)
        dc->SelectObject(gi.m_defFont);
    m_ctrl->OnPaintDCSetup(dc, nullptr, UG_GRID);

    int rightCol = gi.m_numberCols;
    int bottomRow = gi.m_numberRows;
    bool haveFocusRect = false;
    CRect focusRect;
    int x = 0, y = 0;
    for (int row = gi.m_numLockRows > 0 ? 0 : gi.m_topRow; row < gi.m_numberRows;
         row = (row == gi.m_numLockRows - 1) ? std::max(gi.m_topRow, gi.m_numLockRows) : row + 1)
    {
        const int height = gi.GetRowHeight(row);
        if (height == 0)
            continue;
        x = 0;
        for (int col = gi.m_numLockCols > 0 ? 0 : gi.m_leftCol; col < gi.m_numberCols;
             col = (col == gi.m_numLockCols - 1) ? std::max(gi.m_leftCol, gi.m_numLockCols) : col + 1)
        {
            const int width = gi.GetColWidth(col);
            if (width == 0)
                continue;
            CRect rect(x, y, x + width, y + height);
            x += width;
            if (m_drawHint.Contains(col, row))
            {
                int drawCol = col, drawRow = row;
                m_ctrl->GetCellWithDefaults(col, row, &m_cell);
                bool skip = false;
                if (m_cell.IsPropertySet(UGCELL_JOIN_SET))
                {
                    int endCol = col, endRow = row;
                    if (m_ctrl->GetJoinRange(&drawCol, &drawRow, &endCol, &endRow) == 0)
                    {
                        skip = m_drawHint.OriginDrawn(drawCol, drawRow);
                        if (!skip)
                        {
                            m_drawHint.MarkOriginDrawn(drawCol, drawRow);
                            m_ctrl->GetRangeRect(drawCol, drawRow, endCol, endRow, &rect);
                            m_ctrl->GetCellWithDefaults(drawCol, drawRow, &m_cell);
                        }
                    }
                }
                if (!skip)
                {
                    int selected = 0, current = 0, block = 0;
                    if (drawRow == gi.m_currentRow && (drawCol == gi.m_currentCol || gi.m_highlightRowFlag))
                        current = 1;
                    else if (gi.m_multiSelect && gi.m_multiSelect->IsSelected(drawCol, drawRow, &block))
                        selected = block + 1;
                    CUGCellType* type = m_ctrl->GetCellType(m_cell.GetCellType());
                    const CRect own(x - width, y, x, y + height);
                    const int saved = dc->SaveDC();
                    type->OnDraw(dc, &rect, drawCol, drawRow, &m_cell, selected, current);
                    DrawLockBoundary(dc, own, col, row);
                    dc->RestoreDC(saved);
                    if (current)
                    {
                        if (haveFocusRect)
                            focusRect.UnionRect(&focusRect, &rect);
                        else
                            focusRect = rect;
                        haveFocusRect = true;
                    }
                }
            }
            if (x >= gi.m_gridWidth)
            {
                rightCol = col;
                break;
            }
        }
        y += height;
        if (y >= gi.m_gridHeight)
        {
            bottomRow = row;
            break;
        }
        if (row >= gi.m_numberRows - 1)
        {
            // Space remains below the last row: the data source or the application may add rows.
            const int before = gi.m_numberRows;
            int next = row + 1;
            m_ctrl->ExtendRowsAtBottom(&next);
            if (gi.m_numberRows > before)
                m_drawHint.AddRange(0, row + 1, gi.m_numberCols - 1, row + 1);
        }
    }
    m_drawHint.Clear();
    m_drawnRightCol = std::min(rightCol, std::max(gi.m_numberCols - 1, 0));
    m_drawnBottomRow = std::min(bottomRow, std::max(gi.m_numberRows - 1, 0));

    CRect client;
    GetClientRect(&client);
    const COLORREF back = m_ctrl->OnGetSectionBackColor(UG_GRID);
    if (x < gi.m_gridWidth && rightCol == gi.m_numberCols)
        dc->FillSolidRect(CRect(x, 0, client.right, client.bottom), back);
    if (y < gi.m_gridHeight && bottomRow == gi.m_numberRows)
        dc->FillSolidRect(CRect(0, y, client.right, client.bottom), back);

    if (haveFocusRect && !m_noFocusRectOnce && m_hasFocus && !m_ctrl->m_editInProgress)
    {
        if (gi.m_highlightRowFlag)
        {
            focusRect.left = 0;
            if (gi.m_highlightRowParam == 0)
            {
                int width = 0;
                for (int col = gi.m_leftCol; col < gi.m_numberCols; ++col)
                    width += gi.GetColWidth(col);
                focusRect.right = width;
            }
            else
            {
                focusRect.right = std::min(int(focusRect.right), gi.m_gridWidth);
            }
        }
        m_ctrl->OnDrawFocusRect(dc, &focusRect);
    }
    m_noFocusRectOnce = FALSE;
}

void CUGGrid::DrawLockBoundary(CDC* dc, const CRect& cell, int col, int row)
{
    const CUGGridInfo& gi = *m_GI;
    if (gi.m_numLockCols == 0 && gi.m_numLockRows == 0)
        return;
    dc->SelectStockObject(BLACK_PEN);
    const auto line = [dc](int x1, int y1, int x2, int y2) {
        dc->MoveTo(x1, y1);
        dc->LineTo(x2, y2);
    };
    if (gi.m_numLockCols > 0 && col == gi.m_leftCol)
        line(cell.left - 1, cell.top, cell.left - 1, cell.bottom + 1);
    if (gi.m_numLockCols > 0 && col == gi.m_numLockCols - 1)
        line(cell.right - 1, cell.top, cell.right - 1, cell.bottom + 1);
    if (gi.m_numLockRows > 0 && row == gi.m_topRow)
        line(cell.left, cell.top - 1, cell.right + 1, cell.top - 1);
    if (gi.m_numLockRows > 0 && row == gi.m_numLockRows - 1)
        line(cell.left, cell.bottom - 1, cell.right + 1, cell.bottom - 1);
}

// ---------------------------------------------------------------- redrawing after changes

void CUGGrid::RedrawCell(int col, int row)
{
    RedrawRange(col, row, col, row);
}

void CUGGrid::RedrawRange(int startCol, int startRow, int endCol, int endRow)
{
    if (!GetSafeHwnd() || !m_GI)
        return;
    m_drawHint.AddRange(startCol, startRow, endCol, endRow);
    Redraw();
}

void CUGGrid::RedrawRow(int row)
{
    if (m_GI)
        RedrawRange(0, row, m_GI->m_numberCols - 1, row);
}

void CUGGrid::Moved()
{
    if (GetSafeHwnd() && m_GI)
        Redraw();
}

void CUGGrid::Redraw()
{
    CUGGridInfo& gi = *m_GI;
    if (!gi.m_paintMode)
    {
        m_drawHint.Clear();
        return;
    }
    CRect pending;
    if (GetUpdateRect(&pending))
    {
        UpdateWindow();
        return;
    }
    if (!IsWhollyVisible())
    {
        Invalidate(TRUE);
        UpdateWindow();
        return;
    }

    int dx = Distance(gi.m_lastLeftCol, gi.m_leftCol, gi.m_gridWidth, [&gi](int c) { return gi.GetColWidth(c); });
    int dy = Distance(gi.m_lastTopRow, gi.m_topRow, gi.m_gridHeight, [&gi](int r) { return gi.GetRowHeight(r); });
    if (std::abs(dx) > gi.m_gridWidth || std::abs(dy) > gi.m_gridHeight)
    {
        m_drawHint.AddRange(0, 0, gi.m_numberCols, gi.m_numberRows);
        dx = dy = 0;
    }
    CClientDC dc(this);
    if (dx != 0 || dy != 0)
    {
        CRect client;
        GetClientRect(&client);
        dc.ScrollDC(-dx, -dy, &client, &client, nullptr, nullptr);
        if (dx > 0)
            m_drawHint.AddRange(m_drawnRightCol, 0, gi.m_numberCols, gi.m_numberRows);
        else if (dx < 0)
            m_drawHint.AddRange(0, 0, gi.m_lastLeftCol, gi.m_numberRows);
        if (dy > 0)
            m_drawHint.AddRange(0, m_drawnBottomRow, gi.m_numberCols, gi.m_numberRows);
        else if (dy < 0)
            m_drawHint.AddRange(0, 0, gi.m_numberCols, gi.m_lastTopRow);
    }
    AddCurrentCell(gi.m_lastCol, gi.m_lastRow);
    AddCurrentCell(gi.m_currentCol, gi.m_currentRow);
    DrawCellsIntern(&dc);
}

// ---------------------------------------------------------------- mouse

bool CUGGrid::CellAt(CPoint point, int* col, int* row, RECT* rect)
{
    if (m_ctrl->GetCellFromPoint(point.x, point.y, col, row, rect) == 0)
        return true;
    *col = *row = -1;
    return false;
}

void CUGGrid::OnLButtonDown(UINT flags, CPoint point)
{
    if (GetFocus() != this)
        SetFocus();
    if (m_ctrl->m_editInProgress)
        return;
    SetCapture();
    m_GI->m_moveType = UG_MOVE_LBUTTON;
    m_GI->m_moveFlags = flags;
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (CellAt(point, &col, &row, &rect))
    {
        m_ctrl->GotoCell(col, row);
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 1, &rect, &point);
        if (processed)
            m_cellTypeHasMouse = TRUE;
    }
    m_ctrl->OnLClicked(col, row, 1, &rect, &point, processed);
    m_GI->m_moveType = UG_MOVE_KEY;
    // A press whose handling took the mouse away (it opened a dialog) has no release to come.
    m_buttonDown = GetCapture() == this;
    if (!m_buttonDown)
        m_cellTypeHasMouse = FALSE;
}

void CUGGrid::OnLButtonUp(UINT /*flags*/, CPoint point)
{
    if (!m_buttonDown)
        return;
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (CellAt(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnLClicked(col, row, 0, &rect, &point);
    m_ctrl->OnLClicked(col, row, 0, &rect, &point, processed);
    ReleaseCapture();
    m_GI->m_dragCol = m_GI->m_currentCol;
    m_GI->m_dragRow = m_GI->m_currentRow;
    m_cellTypeHasMouse = FALSE;
    m_buttonDown = FALSE;
}

void CUGGrid::OnLButtonDblClk(UINT /*flags*/, CPoint point)
{
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (CellAt(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnDClicked(col, row, &rect, &point);
    m_ctrl->OnDClicked(col, row, &rect, &point, processed);
}

void CUGGrid::OnRButtonDown(UINT flags, CPoint point)
{
    if (m_ctrl->m_editInProgress)
        return;
    m_GI->m_moveType = UG_MOVE_RBUTTON;
    m_GI->m_moveFlags = flags;
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (CellAt(point, &col, &row, &rect))
    {
        m_ctrl->GotoCell(col, row);
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 1, &rect, &point);
    }
    m_ctrl->OnRClicked(col, row, 1, &rect, &point, processed);
    m_GI->m_moveType = UG_MOVE_KEY;
    m_buttonDown = TRUE;
}

void CUGGrid::OnRButtonUp(UINT /*flags*/, CPoint point)
{
    if (!m_buttonDown)
        return;
    int col, row;
    CRect rect;
    BOOL processed = FALSE;
    if (CellAt(point, &col, &row, &rect))
        processed = m_ctrl->GetCellTypeAt(col, row)->OnRClicked(col, row, 0, &rect, &point);
    m_ctrl->OnRClicked(col, row, 0, &rect, &point, processed);
    m_GI->m_dragCol = m_GI->m_currentCol;
    m_GI->m_dragRow = m_GI->m_currentRow;
    m_buttonDown = FALSE;
}

void CUGGrid::OnMouseMove(UINT flags, CPoint point)
{
    if (m_ctrl->m_editInProgress)
        return;
    CUGGridInfo& gi = *m_GI;
    if (m_cellTypeHasMouse)
    {
        const BOOL processed = m_ctrl->GetCellTypeAt(gi.m_currentCol, gi.m_currentRow)
                                   ->OnMouseMove(gi.m_currentCol, gi.m_currentRow, &point, flags);
        m_ctrl->OnMouseMove(gi.m_currentCol, gi.m_currentRow, &point, flags, processed);
        return;
    }
    gi.m_moveType = UG_MOVE_DRAG;
    gi.m_moveFlags = flags;
    int col, row;
    CRect rect;
    const bool found = CellAt(point, &col, &row, &rect);
    if (found)
    {
        const BOOL processed = m_ctrl->GetCellTypeAt(col, row)->OnMouseMove(col, row, &point, flags);
        m_ctrl->OnMouseMove(col, row, &point, flags, processed);
    }
    if (flags & MK_LBUTTON)
    {
        if (found && !m_buttonDown)
        {
            gi.m_moveType = UG_MOVE_KEY;
            return;
        }
        if (found)
            m_ctrl->GotoCell(col, row);
        // Dragging past an edge scrolls one column and one row per message.
        if (point.x < 0)
            m_ctrl->MoveDragCol(UG_LINEUP);
        else if (point.x > gi.m_gridWidth || (found && col == gi.m_rightCol))
            m_ctrl->MoveDragCol(UG_LINEDOWN);
        if (point.y < 0)
            m_ctrl->MoveDragRow(UG_LINEUP);
        else if (point.y > gi.m_gridHeight || (found && row == gi.m_bottomRow))
            m_ctrl->MoveDragRow(UG_LINEDOWN);
    }
    gi.m_moveType = UG_MOVE_KEY;
}

BOOL CUGGrid::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    if (!m_ctrl->m_editInProgress)
    {
        m_GI->m_moveType = UG_MOVE_SCROLL;
        m_ctrl->SetTopRow(m_GI->m_topRow - kWheelRowsPerNotch * (delta / WHEEL_DELTA));
        m_GI->m_moveType = UG_MOVE_KEY;
        if (m_ctrl->m_CUGSideHdg && m_ctrl->m_CUGSideHdg->GetSafeHwnd())
            m_ctrl->m_CUGSideHdg->Invalidate(FALSE);
    }
    return CUGChildWnd::OnMouseWheel(flags, delta, screenPoint);
}

BOOL CUGGrid::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(m_GI->m_arrowCursor);
    return TRUE;
}

// ---------------------------------------------------------------- keyboard

bool CUGGrid::IsJoined(int col, int row)
{
    CUGCell cell;
    return m_GI->m_enableJoins && m_ctrl->GetCellWithDefaults(col, row, &cell) == 0 &&
           cell.IsPropertySet(UGCELL_JOIN_SET);
}

void CUGGrid::OnKeyDown(UINT key, UINT /*repeatCount*/, UINT /*flags*/)
{
    CUGGridInfo& gi = *m_GI;
    gi.m_moveType = UG_MOVE_KEY;
    // Shift and Ctrl decide how the selection follows the keys; older mouse flags must not.
    gi.m_moveFlags = (GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
    const int c = gi.m_currentCol, r = gi.m_currentRow;
    const BOOL processed = m_ctrl->GetCellTypeAt(c, r)->OnKeyDown(c, r, &key);
    m_ctrl->OnKeyDown(&key, processed);

    int step = 1;
    int targetCol = c, targetRow = r;
    bool joinedTarget = false;
    // The extent of the current cell's joined range (0 when not joined).
    const auto joinExtent = [&](bool cols) {
        int sc = c, sr = r, ec = c, er = r;
        if (!IsJoined(c, r) || m_ctrl->GetJoinRange(&sc, &sr, &ec, &er) != 0)
            return 0;
        return cols ? ec - sc : er - sr;
    };
    const auto toOrigin = [&](int col, int row) {
        joinedTarget = true;
        targetCol = col;
        targetRow = row;
        m_ctrl->GetJoinStartCell(&targetCol, &targetRow);
    };
    switch (key)
    {
    case VK_LEFT:
        if (c - step < 0 || !IsJoined(c - step, r))
            m_ctrl->GotoCol(gi.m_dragCol - step);
        else
            toOrigin(c - step, r);
        break;
    case VK_RIGHT:
        step += joinExtent(true);
        if (!IsJoined(c + step, r))
            m_ctrl->GotoCol(gi.m_dragCol + step);
        else
            toOrigin(c + step, r);
        break;
    case VK_UP:
        if (r - step < 0 || !IsJoined(c, r - step))
            m_ctrl->GotoRow(gi.m_dragRow - step);
        else
            toOrigin(c, r - step);
        break;
    case VK_DOWN:
        step += joinExtent(false);
        if (!IsJoined(c, r + step))
            m_ctrl->GotoRow(gi.m_dragRow + step);
        else
            toOrigin(c, r + step);
        break;
    case VK_PRIOR: m_ctrl->MoveDragRow(UG_PAGEUP); break;
    case VK_NEXT: m_ctrl->MoveDragRow(UG_PAGEDOWN); break;
    case VK_HOME:
        if (GetKeyState(VK_CONTROL) < 0)
            m_ctrl->MoveDragRow(UG_TOP);
        else
            m_ctrl->MoveDragCol(UG_TOP);
        break;
    case VK_END:
        if (GetKeyState(VK_CONTROL) < 0)
            m_ctrl->MoveDragRow(UG_BOTTOM);
        else
            m_ctrl->MoveDragCol(UG_BOTTOM);
        break;
    default: break;
    }
    if (joinedTarget)
        m_ctrl->GotoCell(gi.m_dragCol - c + targetCol, gi.m_dragRow - r + targetRow);
}

void CUGGrid::OnKeyUp(UINT key, UINT /*repeatCount*/, UINT /*flags*/)
{
    const int c = m_GI->m_currentCol, r = m_GI->m_currentRow;
    const BOOL processed = m_ctrl->GetCellTypeAt(c, r)->OnKeyUp(c, r, &key);
    m_ctrl->OnKeyUp(&key, processed);
}

void CUGGrid::OnChar(UINT key, UINT /*repeatCount*/, UINT /*flags*/)
{
    const int c = m_GI->m_currentCol, r = m_GI->m_currentRow;
    const BOOL processed = m_ctrl->GetCellTypeAt(c, r)->OnCharDown(c, r, &key);
    m_ctrl->OnChar(&key, processed);
}

UINT CUGGrid::OnGetDlgCode()
{
    UINT code = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    if (!IsChild(GetFocus()))
        code |= CUGChildWnd::OnGetDlgCode();
    return code;
}

// ---------------------------------------------------------------- focus

void CUGGrid::OnSetFocus(CWnd* oldWnd)
{
    m_hasFocus = TRUE;
    m_cellTypeHasMouse = FALSE;
    CUGChildWnd::OnSetFocus(oldWnd);
    m_ctrl->OnSetFocus(UG_GRID);
    // Show the focus on the current cell at once.
    const CUGGridInfo& gi = *m_GI;
    CRect rect;
    const int rc = gi.m_highlightRowFlag
                       ? m_ctrl->GetRangeRect(0, gi.m_currentRow, gi.m_numberCols - 1, gi.m_currentRow, &rect)
                       : m_ctrl->GetCellRect(gi.m_currentCol, gi.m_currentRow, &rect);
    if (rc == 0 && gi.m_paintMode)
    {
        AddCurrentCell(gi.m_currentCol, gi.m_currentRow);
        InvalidateRect(&rect, FALSE);
        UpdateWindow();
    }
}

void CUGGrid::OnKillFocus(CWnd* newWnd)
{
    m_hasFocus = FALSE;
    CUGChildWnd::OnKillFocus(newWnd);
    m_ctrl->OnKillFocusTo(UG_GRID, newWnd);
    RedrawCell(m_GI->m_currentCol, m_GI->m_currentRow);
}

// ---------------------------------------------------------------- forwarded messages

void CUGGrid::OnHScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    m_ctrl->SendMessage(WM_HSCROLL, MAKEWPARAM(int(code), int(pos)),
                        LPARAM(scrollBar ? scrollBar->GetSafeHwnd() : nullptr));
}

void CUGGrid::OnVScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    m_ctrl->SendMessage(WM_VSCROLL, MAKEWPARAM(int(code), int(pos)),
                        LPARAM(scrollBar ? scrollBar->GetSafeHwnd() : nullptr));
}

LRESULT CUGGrid::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PRINT:
        if (m_GI)
        {
            Invalidate(FALSE);
            m_drawHint.AddRange(0, 0, m_GI->m_numberCols, m_GI->m_numberRows);
            DrawCellsIntern(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        }
        return 0;
    case WM_THEMECHANGED: return 0;
    case WM_HELPHITTEST: {
        int col, row;
        const CPoint point{short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))};
        CellAt(point, &col, &row, nullptr);
        return LRESULT(m_ctrl->OnGetHelpId(col, row, UG_GRID));
    }
    default: return CUGChildWnd::WindowProc(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------- tool tips

int CUGGrid::s_tipCol = -2;
int CUGGrid::s_tipRow = -2;

INT_PTR CUGGrid::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    int col = -1, row = -1;
    const bool found = m_ctrl->GetCellFromPoint(point.x, point.y, &col, &row) == 0;
    return AnswerCellTool(found, col, row, s_tipCol, s_tipRow, info);
}

BOOL CUGGrid::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A tip is only offered for the cell the mouse rested on.
    return NotifyCellTip(wParam, lParam, result, s_tipCol, s_tipRow, UG_GRID);
}
