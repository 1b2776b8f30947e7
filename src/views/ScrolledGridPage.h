#pragma once
// CScrolledGridPage: a page of card grids that scrolls vertically: the scroll bar, its line and
// page steps, the mouse wheel, and the grids placed again for every new position.
#include "views/GridViewBase.h"

class CScrolledGridPage : public CGridViewBase
{
public:
    explicit CScrolledGridPage(UINT templateId) : CGridViewBase(templateId) {}

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;

    // Places the grids for the scroll position.
    virtual void PlaceGrids() = 0;
    // Scrolls the page to that position (held to the scroll range).
    void ScrollTo(int position);
};
