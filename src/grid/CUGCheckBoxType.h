#pragma once
// CUGCheckBoxType: the built-in cell type that shows a check box with an optional label. The control registers it at construction;
// its drawing and input handling come with the cell types' own windows.
#include "grid/CUGCellType.h"

class CUGCheckBoxType : public CUGCellType
{
public:
    CString GetName() const override { return "CheckBox"; }
};
