#pragma once
// Mouse cursor shapes. A window sets its cursor in OnSetCursor (sent before every mouse move)
// or while it tracks the mouse; the shape applies to the window under the mouse.
#include "platform/framework/windows/WinDefs.h"

#include <cstddef>

inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_WAIT = 32514;
inline constexpr int IDC_CROSS = 32515;
inline constexpr int IDC_UPARROW = 32516;
inline constexpr int IDC_SIZENWSE = 32642;
inline constexpr int IDC_SIZENESW = 32643;
inline constexpr int IDC_SIZEWE = 32644;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEALL = 32646;
inline constexpr int IDC_NO = 32648;
inline constexpr int IDC_HAND = 32649;

// The cursor of a standard shape; the arrow for unknown ids. Cursors are never freed.
HCURSOR LoadStandardCursor(int id);
inline HCURSOR LoadCursor(std::nullptr_t, int id) { return LoadStandardCursor(id); }
// Returns the cursor shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
