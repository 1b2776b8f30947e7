#pragma once
// CWnd: a window of the framework. Each CWnd drives one native widget through a private bridge
// that turns input into the platform's window messages (numbers kept) and hands them to the
// virtual WindowProc; WindowProc dispatches to the virtual On... handlers, whose base versions
// run the default processing (Default / DefWindowProc). Windows live on the user-interface thread;
// PostMessage alone may be called from other threads.
//
// A window without a native control keeps the pixels of its client area, so drawing through any
// device context (CPaintDC in OnPaint, CClientDC elsewhere) stays on screen until repainted:
// invalidation collects an update region, WM_PAINT is sent once the waiting messages have run (or
// at once by UpdateWindow), and ScrollWindow / CDC::ScrollDC move the pixels already drawn.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CCmdTarget.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WinDefs.h"
#include "platform/framework/windows/WindowStyles.h"

#include <memory>

class CDC;
class CFrameWnd;
class CFont;
class CRgn;
class CScrollBar;
struct WndImpl; // private bridge state

// A tool of the tool-tip support: what OnToolHitTest fills in.
struct TOOLINFO
{
    UINT cbSize = sizeof(TOOLINFO);
    UINT uFlags = 0;
    HWND hwnd = nullptr;
    UINT_PTR uId = 0;
    RECT rect;
    LPTSTR lpszText = nullptr; // LPSTR_TEXTCALLBACK asks the window with TTN_NEEDTEXT
    LPARAM lParam = 0;
};
inline const LPTSTR LPSTR_TEXTCALLBACK = reinterpret_cast<LPTSTR>(-1);
inline constexpr UINT TTF_IDISHWND = 0x0001;
inline constexpr UINT TTF_CENTERTIP = 0x0002;
inline constexpr UINT TTF_SUBCLASS = 0x0010;
inline constexpr UINT TTF_NOTBUTTON = 0x80000000;

// The record of a TTN_NEEDTEXT request: the handler points lpszText at its text or copies a
// short text into szText.
struct NMTTDISPINFO
{
    NMHDR hdr;
    const char* lpszText = nullptr;
    char szText[80] = {};
    UINT uFlags = 0;
    LPARAM lParam = 0;
};
using TOOLTIPTEXT = NMTTDISPINFO;

// Where a window stands: its show state (SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED) and
// the rectangle it has when neither maximized nor minimized (screen coordinates for a top-level
// window, the parent's client coordinates for a child).
struct WINDOWPLACEMENT
{
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = 1; // SW_SHOWNORMAL
    POINT ptMinPosition = {-1, -1};
    POINT ptMaxPosition = {-1, -1};
    RECT rcNormalPosition = {0, 0, 0, 0};
};

class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The CWnd of a live window; null for null or destroyed handles.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd) { return FromHandle(hwnd); }

    // ---- creation and destruction
    // The class name selects a native control ("EDIT", "LISTBOX", "BUTTON", "STATIC",
    // "SCROLLBAR", "COMBOBOX", "SysTabControl32", "SysDateTimePick32", "SysTreeView32"); any other
    // name or null makes a plain window that paints itself. A parent and WS_CHILD make a child window whose
    // rectangle is in the parent's client coordinates, otherwise the rectangle is on the screen.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called after the window is gone (WM_NCDESTROY); self-deleting windows delete themselves here.
    virtual void PostNcDestroy();
    virtual void PreSubclassWindow();
    // Takes over a window made elsewhere (a dialog's control): messages reach this object from now on.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // ---- messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default processing of the message being handled.
    LRESULT Default();
    const MSG* GetCurrentMessage() const;
    // Dispatches a message to the On... handlers; false when no handler takes it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // WM_COMMAND: low word the command or control id, high word the notification code, lParam
    // the control's handle. The base first reflects a control's notification to the control
    // (OnChildNotify), then offers the command to OnCmdMsg (a frame routes it further).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: wParam the control id, lParam an NMHDR record; reflected to the control first.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this control to its parent, given back to the control: TRUE when the
    // control handled it itself (the parent then does not see it).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // ---- handlers (the base versions run the default processing)
    virtual int OnCreate(LPCREATESTRUCT cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnMove(int x, int y);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* dc);
    virtual void OnSetFocus(CWnd* oldWnd);
    virtual void OnKillFocus(CWnd* newWnd);
    virtual void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags);
    virtual void OnKeyUp(UINT nChar, UINT repeatCount, UINT flags);
    virtual void OnChar(UINT nChar, UINT repeatCount, UINT flags);
    virtual void OnSysKeyDown(UINT nChar, UINT repeatCount, UINT flags);
    virtual void OnSysKeyUp(UINT nChar, UINT repeatCount, UINT flags);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual void OnMButtonDown(UINT flags, CPoint point);
    virtual void OnMButtonUp(UINT flags, CPoint point);
    // The point is in screen coordinates; the delta is a multiple of WHEEL_DELTA.
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint);
    virtual int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnCaptureChanged(CWnd* wnd);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);
    virtual void OnVScroll(UINT code, UINT pos, CWnd* scrollBar);
    virtual void OnTimer(UINT_PTR id);
    virtual UINT OnGetDlgCode();
    virtual void OnContextMenu(CWnd* wnd, CPoint screenPoint);
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlType);

    // ---- geometry (a window has no non-client area: its window rectangle is its client area)
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    // Inserts after `insertAfter` (&wndTop, &wndBottom or a sibling) unless SWP_NOZORDER.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    static const CWnd wndTop;
    static const CWnd wndBottom;
    void BringWindowToTop();
    void CenterWindow(CWnd* alternateOwner = nullptr);

    // ---- state and relations
    // SW_SHOWMAXIMIZED (SW_MAXIMIZE), SW_MINIMIZE and SW_RESTORE change a top-level window's state;
    // a hidden window keeps the state and shows it when it is shown.
    BOOL ShowWindow(int command);
    BOOL IsZoomed() const;
    BOOL IsIconic() const;
    BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const;
    // The widths of the frame the desktop draws around a top-level window, left, top, right and
    // bottom (all 0 for a child window, and while the desktop has not told them).
    CRect GetFrameMargins() const;
    // Puts the window on its normal rectangle, then applies the show state as ShowWindow does.
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* newParent);
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* GetTopLevelParent() const;
    // The nearest frame window among the parents; null when there is none.
    CFrameWnd* GetParentFrame() const;
    // The outermost frame window around this window (this one when it is a frame itself).
    CFrameWnd* GetTopLevelFrame() const;
    BOOL IsChild(const CWnd* wnd) const;
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void SetWindowText(const CString& text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    void SetDlgItemText(int id, const CString& text);
    UINT GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // A message box over this window (through the message-box service, with the caption).
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = 0);

    // ---- focus, capture, cursor
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();

    // ---- painting
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void ValidateRgn(CRgn* region);
    // The bounding box of the update region; FALSE when there is nothing to paint. With erase
    // the pending background erase is done now.
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    int GetUpdateRgn(CRgn* region, BOOL erase = FALSE);
    // Sends WM_PAINT at once when the update region is not empty.
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // Moves the client pixels and (with a null scroll rectangle) the child windows, and
    // invalidates what the move uncovered.
    void ScrollWindow(int dx, int dy, LPCRECT scrollRect = nullptr, LPCRECT clipRect = nullptr);
    int ScrollWindowEx(int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect, CRgn* updateRegion, LPRECT updateRect,
                       UINT flags);
    void SetRedraw(BOOL redraw = TRUE);
    CDC* BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(const PAINTSTRUCT* paint);
    // A context on the client area, released by ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC() { return GetDC(); }
    int ReleaseDC(CDC* dc);
    // Draws the window and its children into a context as they are shown now.
    void PrintWindow(CDC* dc);

    // ---- timers: WM_TIMER with the id; setting an id again restarts it
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);

    // ---- the window's own scroll bars (WS_HSCROLL / WS_VSCROLL) or the controls that stand in
    // for them (GetScrollBarCtrl). The own bars stand at the right and bottom edges, outside the
    // client area; SetScrollInfo shows a bar while its range is larger than its page and hides
    // it otherwise (unless SIF_DISABLENOSCROLL keeps it), and the user's actions on it arrive as
    // WM_VSCROLL / WM_HSCROLL.
    virtual CScrollBar* GetScrollBarCtrl(int bar) const;
    BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL);
    int SetScrollPos(int bar, int pos, BOOL redraw = TRUE);
    int GetScrollPos(int bar) const;
    void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const;
    int GetScrollLimit(int bar);
    // Shows or hides the window's own bar (SB_HORZ, SB_VERT, SB_BOTH) whatever it scrolls.
    void ShowScrollBar(UINT bar, BOOL show = TRUE);

    // ---- control bars: every child with an id in [firstId, lastId] takes its band off the
    // client rectangle (WM_SIZEPARENT); the child `leftOverId` gets the rest. With reposQuery
    // nothing moves and `rectParam` receives the rest.
    void RepositionBars(UINT firstId, UINT lastId, UINT leftOverId, UINT flags = 0, LPRECT rectParam = nullptr,
                        LPCRECT rectClient = nullptr, BOOL stretch = TRUE);

    // ---- tool tips: with tips enabled, hovering asks OnToolHitTest for the tool under the point
    BOOL EnableToolTips(BOOL enable = TRUE);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const;
    // The text that a tip would show at a client point now (empty when none).
    CString GetToolTipTextAt(CPoint point);

    // The bridge state; the framework's own code only.
    WndImpl* Impl() const { return m_impl.get(); }

private:
    friend struct WndImpl;
    friend void AdoptWindow(CWnd& wnd, std::shared_ptr<WndImpl> impl);
    std::shared_ptr<WndImpl> m_impl;
};

// Window classes for plain windows. Without CS_DBLCLKS a second click arrives as another
// button-down message; the background brush (none when null; a system colour index + 1 may stand
// for a brush) fills the background when it is erased; the cursor is shown over the client area.
struct HICON__;
using HICON = HICON__*;
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr UINT CS_NOCLOSE = 0x0200;
inline constexpr UINT CS_SAVEBITS = 0x0800;
// Returns the class name to give Create / CreateEx; equal arguments give the same name.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr, HICON icon = nullptr);

// Keyboard state: negative (high bit set) while the key is down, bit 0 toggled.
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
BOOL ReleaseCapture();
BOOL IsWindow(HWND hwnd);
CWnd* WindowFromPoint(POINT screenPoint);
BOOL GetCursorPos(LPPOINT point);
