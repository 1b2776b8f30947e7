#pragma once
// A grid whose columns, rows and headings keep the sizes the program gives them: the user
// cannot drag them wider or taller (the card grids of the project manager and report pages).
#include "grid/CUGCtrl.h"

class CFixedSizeGrid : public CUGCtrl
{
public:
    BOOL OnCanSizeCol(int) override { return FALSE; }
    BOOL OnCanSizeRow(int) override { return FALSE; }
    BOOL OnCanSizeTopHdg() override { return FALSE; }
    BOOL OnCanSizeSideHdg() override { return FALSE; }
};
