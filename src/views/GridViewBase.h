#pragma once
// CGridViewBase: the common base of the pages that stack card grids one below the other. The
// grids ask their page to place them again and to recompute its scroll range after a card was
// collapsed or expanded or the cards were rebuilt.
#include "views/MyFormView.h"

class CGridViewBase : public CMyFormView
{
public:
    explicit CGridViewBase(UINT templateId) : CMyFormView(templateId) {}

    // Re-measures and re-places the page's grids.
    virtual void RefreshGrids() = 0;
    // Recomputes the scroll range of the page.
    virtual void UpdateScrollSizes() = 0;
};
