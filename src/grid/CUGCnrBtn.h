#pragma once
// CUGCnrBtn: the corner button where the headings meet. Draws the corner cell (-1, -1), sizes
// both headings by dragging its right or bottom edge and raises its own click notifications.
#include "grid/CUGChildWnd.h"

class CDC;

class CUGCnrBtn : public CUGChildWnd
{
public:
    // Draws the corner cell into a context.
    virtual void PaintInto(CDC* dc);

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
    BOOL m_sizing = FALSE;
    BOOL m_overEdge = FALSE;
    BOOL m_sizingHeight = FALSE; // the column heading's height is sized
    BOOL m_sizingWidth = FALSE;  // the row heading's width is sized
    // The corner's remembered cell starts at the corner itself: only its first hit test finds no tool.
    mutable int m_tipCol = -1;
    mutable int m_tipRow = -1;
    mutable bool m_tipTested = false;
};
