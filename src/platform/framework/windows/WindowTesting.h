#pragma once
// Test support of the window layer for the tests of every subsystem (no Qt needed): input
// synthesized as a user gives it, going the whole way through the layer, and the pixels a
// window shows.
#include "platform/framework/windows/CWnd.h"

#include <vector>

// Alt held with a simulated key (keyFlags); the mouse messages' flags have none.
inline constexpr UINT MK_ALT = 0x1000;

// A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN/UP/DBLCLK, WM_RBUTTONDOWN/UP) at a client
// point; keyFlags may hold MK_SHIFT and MK_CONTROL. A button-up releases that button.
void SimulateMouse(CWnd& window, UINT message, CPoint point, UINT keyFlags = 0);
// Turns of the mouse wheel (multiples of WHEEL_DELTA) over a client point.
void SimulateWheel(CWnd& window, CPoint point, int delta);
// The same at a point of the screen, given to the top-level window of anyWindow as the user's
// mouse gives it: the platform's hit testing decides which window receives it.
void SimulateScreenMouse(CWnd& anyWindow, UINT message, CPoint screenPoint, UINT keyFlags = 0);
void SimulateScreenWheel(CWnd& anyWindow, CPoint screenPoint, int delta);
// A key pressed and released at the focus window (the window when none has the focus), with
// the character it types when there is one; keyFlags may hold MK_SHIFT, MK_CONTROL and MK_ALT,
// held for the key and let go after it.
void SimulateKey(CWnd& window, UINT virtualKey, UINT keyFlags = 0);
// The same given to the top-level window of anyWindow as the window system gives a key to the
// window it counts as active: a modal dialog elsewhere blocks it, and the window passes it to its
// focus widget (to itself when none has the focus).
void SimulateScreenKey(CWnd& anyWindow, UINT virtualKey, UINT keyFlags = 0);
// Only the press or only the release of that key (a release may come without its press, as
// when the press went to a window that has gone since).
void SimulateKeyDown(CWnd& window, UINT virtualKey, UINT keyFlags = 0);
void SimulateKeyUp(CWnd& window, UINT virtualKey, UINT keyFlags = 0);
// The colour the window shows at a client point (pending paints done first).
COLORREF GetShownPixel(CWnd& window, CPoint point);
// The colours the screen holds now for a rectangle (screen coordinates) of the window's top-level
// window, row by row at device pixels, as the window system got them (no pending paint is done:
// what a user sees while the program is busy).
std::vector<COLORREF> GetScreenPixelsNow(const CWnd& window, const CRect& screenRect);
// The pixels the window and its children keep to show themselves (pending paints done first),
// in logical pixels (the bytes are four for each at the screen's device pixel ratio squared).
long long GetKeptPixelArea(CWnd& window);
// The colour the drag image of an image list shows at a screen point; CLR_INVALID where no drag
// image shows.
COLORREF GetShownDragImagePixel(CPoint screenPoint);
// Hovers the mouse over a client point of the window as a user does and returns the tip that
// shows then (empty when none shows).
CString SimulateHoverTip(CWnd& window, CPoint point);
// What of a control's text does not show, measured in the control's own font (empty when all
// of it shows): a label, button or group box whose shown text is wider (a wrapping label: taller)
// than the room the control gives it, or that is cut short without ending in "…" and showing
// the whole text as the tip a hover brings; an edit lower than its lines, or with a scroll bar
// its style does not ask for. Other windows: empty.
CString DescribeCutText(CWnd& control);
// Saves what the window and its children show, with a drag image that shows over them, as a PNG,
// at the screen's device pixel ratio.
BOOL SaveWindowPicture(CWnd& window, const CString& path);
// The top-level windows that show besides the given one (null: besides none) — dialogs, menus
// and the lists of combo boxes left open, not tool tips — each as its class and title: what a
// user would still have to close.
std::vector<CString> GetOtherShownWindows(const CWnd* mainWindow);
