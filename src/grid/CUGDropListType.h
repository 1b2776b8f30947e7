#pragma once
// CUGDropListType: the built-in cell type that shows a drop-down list of choices. The control registers it at construction;
// its drawing and input handling come with the cell types' own windows.
#include "grid/CUGCellType.h"

class CUGDropListType : public CUGCellType
{
public:
    CString GetName() const override { return "DropList"; }
};
