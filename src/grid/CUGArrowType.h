#pragma once
// CUGArrowType: the built-in cell type that shows a side arrows. The control registers it at construction;
// its drawing and input handling come with the cell types' own windows.
#include "grid/CUGCellType.h"

class CUGArrowType : public CUGCellType
{
public:
    CString GetName() const override { return "Side Arrows"; }
};
