#pragma once
// The size a text of several lines needs in a window's font: used to fit an editor to its text.
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"

class CFont;
class CWnd;

// Measures in the window's device context with the font selected (none: the context's font).
// The width is that of the widest line, the height the sum of the line heights; an empty line
// still counts one line height. CR LF and LF both end a line. Writes the size and returns it.
CSize& MeasureMultilineText(CSize& size, CWnd* wnd, CFont* font, const CString& text);
