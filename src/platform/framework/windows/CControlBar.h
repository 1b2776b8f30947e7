#pragma once
// Control bars: windows docked along an edge of their frame (toolbars, dialog bars). A bar
// answers WM_SIZEPARENT by taking its band off the frame's free rectangle (CBRS_TOP from the
// top, CBRS_BOTTOM from the bottom, in creation order) and WM_IDLEUPDATECMDUI by running its
// update-UI pass against its frame. The commands and notifications of its controls go on to
// the frame.
#include "platform/framework/windows/CWnd.h"

inline constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP;
inline constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0080;
inline constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;

class CFrameWnd;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    BOOL IsVisible() const { return (GetStyle() & WS_VISIBLE) != 0; }
    // The size the bar wants: the full width (stretch) and its own height when horizontal.
    virtual CSize CalcFixedLayout(BOOL stretch, BOOL horizontal);
    // Asks the route of the target for the state of each element.
    virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler);

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    // Clicks and notifications of the bar's controls go on to the frame, which routes them.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DWORD m_dwStyle = CBRS_TOP;
    int m_barHeight = 0; // the height CalcFixedLayout reports; set by the bar kind
};
