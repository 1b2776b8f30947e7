#pragma once
// Visual-style themes of windows. A window draws with the desktop's theme unless it is switched to
// the classic look: SetWindowTheme with empty names (not null) turns the theme off, null names
// turn it back on. GetWindowTheme answers null while a window draws without a theme.
#include "platform/framework/windows/CWnd.h"

struct HTHEME__;
using HTHEME = HTHEME__*;
using HRESULT = LONG;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);

HRESULT SetWindowTheme(HWND hwnd, LPCTSTR subAppName, LPCTSTR subIdList);
HTHEME GetWindowTheme(HWND hwnd);
