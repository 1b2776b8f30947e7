#pragma once
// CUGMaskedEdit: the in-place editor for cells with an input mask (scrolling horizontally). The control creates it hidden
// and shows it over a cell while that cell is edited.
#include "platform/framework/windows/CWnd.h"

class CUGCtrl;

class CUGMaskedEdit : public CWnd
{
public:
    CUGCtrl* m_ctrl = nullptr;
};
