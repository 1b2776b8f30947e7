#pragma once
// Test support of the window layer for the tests of every subsystem (no Qt needed): input
// synthesized as a user gives it, going the whole way through the layer, and the pixels a
// window shows.
#include "platform/framework/windows/CWnd.h"

// A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN/UP/DBLCLK, WM_RBUTTONDOWN/UP) at a client
// point; keyFlags may hold MK_SHIFT and MK_CONTROL. A button-up releases that button.
void SimulateMouse(CWnd& window, UINT message, CPoint point, UINT keyFlags = 0);
// Turns of the mouse wheel (multiples of WHEEL_DELTA) over a client point.
void SimulateWheel(CWnd& window, CPoint point, int delta);
// A key pressed and released at the focus window (the window when none has the focus), with
// the character it types when there is one.
void SimulateKey(CWnd& window, UINT virtualKey, UINT keyFlags = 0);
// Rests the mouse over a client point: the tool tip text then shown (empty when none).
CString SimulateHover(CWnd& window, CPoint point);
// The colour the window shows at a client point (pending paints done first).
COLORREF GetShownPixel(CWnd& window, CPoint point);
// Saves what the window and its children show as a PNG, at the screen's device pixel ratio.
BOOL SaveWindowPicture(CWnd& window, const CString& path);
