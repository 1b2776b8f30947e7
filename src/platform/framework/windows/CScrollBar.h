#pragma once
// The scroll-bar control. Range, page and position follow the platform: the thumb's largest
// position is max - page + 1; the control sends WM_HSCROLL / WM_VSCROLL with the SB_ request
// codes to its parent and moves its thumb only when told (SetScrollPos / SetScrollInfo).
#include "platform/framework/windows/CWnd.h"

// Scroll-bar control messages.
inline constexpr UINT SBM_SETPOS = 0x00E0;
inline constexpr UINT SBM_GETPOS = 0x00E1;
inline constexpr UINT SBM_SETRANGE = 0x00E2;
inline constexpr UINT SBM_GETRANGE = 0x00E3;
inline constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;
inline constexpr UINT SBM_SETSCROLLINFO = 0x00E9;
inline constexpr UINT SBM_GETSCROLLINFO = 0x00EA;

class CScrollBar : public CWnd
{
public:
    // SBS_HORZ or SBS_VERT in the style.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetScrollInfo(LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO info, UINT mask = SIF_ALL);
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(LPINT minPos, LPINT maxPos) const;
    int GetScrollLimit();
    void ShowScrollBar(BOOL show = TRUE) { ShowWindow(show ? SW_SHOW : SW_HIDE); }
    BOOL EnableScrollBar(UINT arrows = 0);
};
inline constexpr UINT ESB_ENABLE_BOTH = 0;
inline constexpr UINT ESB_DISABLE_BOTH = 3;
