#pragma once
// CUGSideHdg: the row headings of the grid control. The control creates, places and
// repaints it; its drawing and mouse handling are its own.
#include "grid/CUGChildWnd.h"

class CUGSideHdg : public CUGChildWnd
{
};
