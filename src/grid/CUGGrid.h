#pragma once
// CUGGrid: the cell area of the grid control. It paints the visible cells through their cell
// types, turns mouse and keys into the control's moves and notifications, and after scrolling
// moves the pixels already on screen instead of repainting everything.
#include "grid/CUGCell.h"
#include "grid/CUGChildWnd.h"
#include "grid/CUGDrawRanges.h"

class CDC;

class CUGGrid : public CUGChildWnd
{
public:
    virtual void RedrawCell(int col, int row);
    virtual void RedrawRange(int startCol, int startRow, int endCol, int endRow);
    virtual void RedrawRow(int row);
    // The view or the current cell moved: move the pixels and draw what changed.
    void Moved() override;
    // The next painting pass draws no focus rectangle.
    void SetNoFocusRectOnce() { m_noFocusRectOnce = TRUE; }
    // Draws the queued cells on a context of this window, then empties the queue.
    void DrawCellsIntern(CDC* dc);

    // Cells to draw in the next painting pass; a cell type adds the cell its text runs into.
    CUGDrawRanges m_drawHint;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeatCount, UINT flags) override;
    void OnChar(UINT key, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
    UINT OnGetDlgCode() override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;

private:
    // Queues the cell and runs the scroll-aware redraw.
    void Redraw();
    // Queues the current cell, or the current row in row-highlight mode.
    void AddCurrentCell(int col, int row);
    bool IsJoined(int col, int row);
    // The black line between locked and scrolling columns or rows, along one cell.
    void DrawLockBoundary(CDC* dc, const CRect& cell, int col, int row);
    // The cell under a client point; false (column and row -1) when none.
    bool CellAt(CPoint point, int* col, int* row, RECT* rect);

    CUGCell m_cell;
    BOOL m_buttonDown = FALSE;
    BOOL m_hasFocus = FALSE;
    BOOL m_cellTypeHasMouse = FALSE;
    BOOL m_noFocusRectOnce = FALSE;
    // The last column and row the previous drawing pass reached: where newly uncovered cells
    // start after a scroll.
    int m_drawnRightCol = 0;
    int m_drawnBottomRow = 0;
    // The cell the previous tool hit test found, shared by every cell area.
    static int s_tipCol;
    static int s_tipRow;
};
