#pragma once
// Handles and records of the window framework. Handles are opaque pointers: a window handle names
// one live CWnd (CWnd::FromHandle), a drawing-object handle one live CGdiObject.
#include "platform/framework/WinTypes.h"
#include "platform/framework/windows/Geometry.h"

struct HWND__;
using HWND = HWND__*;
struct HGDIOBJ__;
using HGDIOBJ = HGDIOBJ__*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HRGN = HGDIOBJ;
struct HCURSOR__;
using HCURSOR = const HCURSOR__*;
struct HMENU__;
using HMENU = HMENU__*;
struct HDC__;
using HDC = HDC__*;
struct HMONITOR__;
using HMONITOR = HMONITOR__*;

using TCHAR = char;
using LPCTSTR = const char*;
using LPTSTR = char*;
using SHORT = std::int16_t;
using LPINT = int*;
using DWORD_PTR = std::uintptr_t;

// A window message as it waits in the queue.
struct MSG
{
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

class CWnd;
// What PreCreateWindow may change before a window exists.
struct CREATESTRUCT
{
    void* lpCreateParams = nullptr;
    HMENU hMenu = nullptr; // the child id for child windows
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    LPCTSTR lpszName = nullptr;
    LPCTSTR lpszClass = nullptr;
    DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// The header of every WM_NOTIFY record.
struct NMHDR
{
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};
using LPNMHDR = NMHDR*;

inline constexpr int LF_FACESIZE = 32;
// A font description. A negative height is the character height in pixels, a positive one the
// cell height (character height plus internal leading).
struct LOGFONT
{
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
using LOGFONTW = LOGFONT;
using LPLOGFONT = LOGFONT*;

struct LOGPEN
{
    UINT lopnStyle = 0;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH
{
    UINT lbStyle = 0;
    COLORREF lbColor = 0;
    LONG lbHatch = 0;
};

struct BITMAP
{
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

struct TEXTMETRIC
{
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};
using LPTEXTMETRIC = TEXTMETRIC*;

struct SCROLLINFO
{
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;

// What BeginPaint hands out: the context, whether the background was to be erased, and the
// bounding box of the region to paint.
struct PAINTSTRUCT
{
    HDC hdc = nullptr;
    BOOL fErase = FALSE;
    RECT rcPaint;
};
