#pragma once
// CUGCnrBtn: the corner button where the headings meet of the grid control. The control creates, places and
// repaints it; its drawing and mouse handling are its own.
#include "grid/CUGChildWnd.h"

class CUGCnrBtn : public CUGChildWnd
{
};
