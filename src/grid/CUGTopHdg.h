#pragma once
// CUGTopHdg: the column headings of the grid control. Draws the heading cells through their
// cell types, sizes columns and heading rows by dragging their edges and raises the heading
// click notifications.
#include "grid/CUGCell.h"
#include "grid/CUGChildWnd.h"
#include "grid/CUGDrawRanges.h"

class CDC;

class CUGTopHdg : public CUGChildWnd
{
public:
    // The left column changed: repaint at once.
    void Moved() override;
    // The heading cell under a client point and its rectangle; false when none.
    bool HitTest(CPoint point, int* col, int* row, RECT* rect);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
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
    // Left edge of a column and top edge of a heading row in this window.
    int ColLeft(int col) const;
    int HdgRowTop(int row) const;
    void FindEdge(CPoint point);
    void DragTo(CPoint point);
    void EndDrag();
    // The outermost heading row takes up what the total heading height leaves.
    void RefitOutermostRow();
    // Inverts the dotted sizing line in the cell area (drawing it twice removes it).
    void InvertSizingLine();
    // Tells the cell types of the visible cells of the column about its width.
    void TellWidth(int col, int* width, bool changing);

    CUGCell m_cell;
    CUGDrawRanges m_drawHint;
    BOOL m_sizing = FALSE;
    BOOL m_overEdge = FALSE;
    int m_sizeKind = 0; // 0 column width, 1 heading row height
    int m_sizeIndex = 0;
    int m_startSize = 0;
    int m_startCoord = 0;
    int m_startTotal = 0;
    CRect m_sizingLine{-1, 0, -1, 0};
    mutable int m_tipCol = -2;
    mutable int m_tipRow = -2;
};
