#pragma once
// CUGArrowType: draws a small arrow or double arrow in the middle of a cell, in the cell's text
// colour. Arrow cells are never edited in place and do not react to the mouse.
#include "grid/CUGCellType.h"

// Cell-type style bits of an arrow cell (unset or 0: the right arrow).
inline constexpr long UGCT_ARROWRIGHT = 0x0010;
inline constexpr long UGCT_ARROWLEFT = 0x0020;
inline constexpr long UGCT_ARROWDRIGHT = 0x0040;
inline constexpr long UGCT_ARROWDLEFT = 0x0080;

class CUGArrowType : public CUGCellType
{
public:
    CUGArrowType();

    CString GetName() const override { return "Side Arrows"; }
    void GetBestSize(CDC* dc, CSize* size, CUGCell* cell) override;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;
};
