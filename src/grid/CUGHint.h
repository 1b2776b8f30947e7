#pragma once
// CUGHint: the tool-tip window of the cells of the grid control. The control creates, places and
// repaints it; its drawing and mouse handling are its own.
#include "grid/CUGChildWnd.h"

class CUGHint : public CUGChildWnd
{
public:
    // A hidden top-most tool window of its own class, not a child of the control.
    BOOL CreateHint(CUGCtrl* ctrl);
};
