#pragma once
// A cell type that shows the cell's bitmap as a picture: scaled down to fit the cell with its
// proportions kept (never enlarged), centred across the cell and at its top.
#include "grid/CUGCellType.h"

class CPictureCellType : public CUGCellType
{
public:
    CString GetName() const override { return "Picture"; }
    int DrawBitmap(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF backColor) override;

    // The size the picture is drawn at in a space of that size.
    static CSize FitPicture(CSize picture, CSize space);
};
