#pragma once
// The clipboard in the platform's calls: open, empty, put data, close. The framework keeps
// bitmaps (CF_BITMAP) and text (CF_TEXT / CF_UNICODETEXT as UTF-8 CString data).
#include "platform/framework/CString.h"
#include "platform/framework/windows/WinDefs.h"

using HANDLE = void*;

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_UNICODETEXT = 13;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// CF_BITMAP takes an HBITMAP, which the clipboard copies; CF_TEXT and CF_UNICODETEXT take a
// null-terminated UTF-8 text. Fails unless the clipboard is open.
HANDLE SetClipboardData(UINT format, HANDLE data);
// CF_BITMAP: a bitmap handle that stays valid until the clipboard changes; text: a
// null-terminated UTF-8 text valid as long.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
