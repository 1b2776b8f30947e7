#pragma once
// CUGTab: the sheet tabs of the grid control. The control creates, places and
// repaints it; its drawing and mouse handling are its own.
#include "grid/CUGChildWnd.h"

class CUGTab : public CUGChildWnd
{
};
