#pragma once
// CScrolledGridPage: a page of card grids that scrolls vertically, and across when its cards are
// wider than the page: the scroll bars, their line and page steps, the mouse wheel, and the grids
// placed again for every new position.
#include "views/GridViewBase.h"

class CScrolledGridPage : public CGridViewBase
{
public:
    explicit CScrolledGridPage(UINT templateId) : CGridViewBase(templateId) {}

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;

    // Places the grids for the scroll position.
    virtual void PlaceGrids() = 0;
    // Scrolls the page down or across to that position (held to the scroll range).
    void ScrollTo(int position) { ScrollBarTo(SB_VERT, position); }
    void ScrollAcrossTo(int position) { ScrollBarTo(SB_HORZ, position); }
    // Sets both scroll ranges for content of that size, the bars that come or go making room for
    // each other, and keeps the positions within them.
    void SetContentSize(CSize content);

private:
    void ScrollBarTo(int bar, int position);
};
