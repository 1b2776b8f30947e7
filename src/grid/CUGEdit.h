#pragma once
// CUGEdit: the in-place text editor (multi-line, scrolling vertically). The control creates it hidden
// and shows it over a cell while that cell is edited.
#include "platform/framework/windows/CWnd.h"

class CUGCtrl;

class CUGEdit : public CWnd
{
public:
    CUGCtrl* m_ctrl = nullptr;
};
