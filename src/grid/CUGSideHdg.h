#pragma once
// CUGSideHdg: the row headings of the grid control. Draws the heading cells through their cell
// types, sizes rows and heading columns by dragging their edges, raises the heading click
// notifications and follows a scrolled view by moving its pixels.
#include "grid/CUGCell.h"
#include "grid/CUGChildWnd.h"
#include "grid/CUGDrawRanges.h"

class CDC;

class CUGSideHdg : public CUGChildWnd
{
public:
    // The top row or the current row changed: move the pixels and draw what changed.
    void Moved() override;
    // The heading cell under a client point and its rectangle; false when none.
    bool HitTest(CPoint point, int* col, int* row, RECT* rect);

protected:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;

private:
    void DrawHeading(CDC* dc);
    // Top edge of a row and left edge of a heading column in this window.
    int RowTop(int row) const;
    int HdgColLeft(int col) const;
    void FindEdge(CPoint point);
    void DragTo(CPoint point);
    void EndDrag();
    // The outermost heading column takes up what the total heading width leaves.
    void RefitOutermostCol();
    void InvertSizingLine();
    // Tells the cell types of the visible cells of the row about its height.
    void TellHeight(int row, int* height, bool changing);

    CUGCell m_cell;
    CUGDrawRanges m_drawHint;
    BOOL m_sizing = FALSE;
    BOOL m_overEdge = FALSE;
    int m_sizeKind = 0; // 0 heading column width, 1 row height
    int m_sizeIndex = 0;
    int m_startSize = 0;
    int m_startCoord = 0;
    int m_startTotal = 0;
    int m_rowsAbove = 0; // uniform heights: rows above the edge being dragged
    CRect m_sizingLine{0, -1, 0, -1};
    int m_lastRowDrawn = 0;
    mutable int m_tipCol = -2;
    mutable int m_tipRow = -2;
};
