#pragma once
// Scrolling with a window's own scroll bars: the ranges for content of a size, and the position
// a scroll bar request (WM_VSCROLL / WM_HSCROLL) asks for.
#include "platform/framework/WinTypes.h"
#include "platform/framework/windows/Geometry.h"

class CWnd;

// A line or a page either way, the thumb's position, the top or the end. The caller keeps it
// within its range.
int ScrollRequestTarget(UINT code, UINT thumb, int current, int line, int page, int end);
// Both scroll ranges of the window for content of that size, each page its client side; the
// bars that come or go make room for each other.
void SetScrollRanges(CWnd& window, CSize content);
