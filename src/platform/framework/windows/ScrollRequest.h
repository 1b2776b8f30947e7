#pragma once
// The position a scroll bar request (WM_VSCROLL / WM_HSCROLL) asks for: a line or a page either
// way, the thumb's position, the top or the end. The caller keeps it within its range.
#include "platform/framework/WinTypes.h"

int ScrollRequestTarget(UINT code, UINT thumb, int current, int line, int page, int end);
