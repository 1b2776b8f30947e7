// Message dispatch of CWnd: OnWndMsg cracks the standard messages into the On... handlers, whose
// base versions run the default processing; DefWindowProc is that default processing.
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/DcPainting.h"
#include "platform/framework/windows/WindowBridge.h"

#include <cstring>

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    LRESULT r = 0;
    const CPoint point(lParam);
    switch (message)
    {
    case WM_CREATE: r = OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_NCDESTROY: OnNcDestroy(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_SIZE: OnSize(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_MOVE: OnMove(short(LOWORD(lParam)), short(HIWORD(lParam))); break;
    case WM_SHOWWINDOW: OnShowWindow(BOOL(wParam), UINT(lParam)); break;
    case WM_ENABLE: OnEnable(BOOL(wParam)); break;
    case WM_PAINT: OnPaint(); break;
    case WM_ERASEBKGND: r = OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); break;
    case WM_SETFOCUS: OnSetFocus(FromHandle(reinterpret_cast<HWND>(wParam))); break;
    case WM_KILLFOCUS: OnKillFocus(FromHandle(reinterpret_cast<HWND>(wParam))); break;
    case WM_KEYDOWN: OnKeyDown(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_KEYUP: OnKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_CHAR: OnChar(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSKEYDOWN: OnSysKeyDown(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_SYSKEYUP: OnSysKeyUp(UINT(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_MOUSEMOVE: OnMouseMove(UINT(wParam), point); break;
    case WM_LBUTTONDOWN: OnLButtonDown(UINT(wParam), point); break;
    case WM_LBUTTONUP: OnLButtonUp(UINT(wParam), point); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(UINT(wParam), point); break;
    case WM_RBUTTONDOWN: OnRButtonDown(UINT(wParam), point); break;
    case WM_RBUTTONUP: OnRButtonUp(UINT(wParam), point); break;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(UINT(wParam), point); break;
    case WM_MBUTTONDOWN: OnMButtonDown(UINT(wParam), point); break;
    case WM_MBUTTONUP: OnMButtonUp(UINT(wParam), point); break;
    case WM_MOUSEWHEEL: r = OnMouseWheel(LOWORD(wParam), GET_WHEEL_DELTA_WPARAM(wParam), point); break;
    case WM_MOUSEACTIVATE:
        r = OnMouseActivate(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETCURSOR: r = OnSetCursor(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(FromHandle(reinterpret_cast<HWND>(lParam))); break;
    // The sender is any window that scrolls (a scroll-bar control, a grid's own bars), or none
    // for the window's own bars.
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam))); break;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam))); break;
    case WM_TIMER: OnTimer(UINT_PTR(wParam)); break;
    case WM_GETDLGCODE: r = LRESULT(OnGetDlgCode()); break;
    case WM_COMMAND:
        if (!OnCommand(wParam, lParam)) return FALSE;
        break;
    case WM_NOTIFY:
        if (!OnNotify(wParam, lParam, &r)) return FALSE;
        break;
    case WM_CONTEXTMENU: OnContextMenu(FromHandle(reinterpret_cast<HWND>(wParam)), point); break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        r = LRESULT(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
                               message - WM_CTLCOLOREDIT + 1));
        break;
    default: return FALSE;
    }
    *result = r;
    return TRUE;
}

int CWnd::OnCreate(LPCREATESTRUCT) { return int(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return BOOL(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return BOOL(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return int(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return BOOL(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CWnd*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
UINT CWnd::OnGetDlgCode() { return UINT(Default()); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_impl) return 0;
    WndImpl& impl = *m_impl;
    if (impl.nativeControl)
    {
        bool handled = false;
        if (impl.controlProc)
        {
            const LRESULT r = impl.controlProc(impl, message, wParam, lParam, handled);
            if (handled) return r;
        }
        if (PassEventToControl(impl, message)) return 0;
        const LRESULT r = NativeDefault(impl, message, wParam, lParam);
        if (message != WM_SETFONT && message != WM_GETFONT && message != WM_SETREDRAW && message != WM_CLOSE &&
            message != WM_MOUSEWHEEL && message != WM_CONTEXTMENU && message != WM_PRINT && message != WM_PRINTCLIENT)
            return r;
    }
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        EndPaintRegion(impl, BeginPaintRegion(impl, ps));
        return 0;
    }
    case WM_ERASEBKGND:
    {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!dc || !impl.hasBackground) return 0;
        dc::Fill(dc->State(), dc->State().EffectiveClip(), impl.background);
        return 1;
    }
    case WM_SETTEXT:
        impl.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (impl.widget && impl.widget->isWindow()) impl.widget->setWindowTitle(ToQString(impl.text));
        return TRUE;
    case WM_GETTEXT:
    {
        if (wParam == 0 || !lParam) return 0;
        const std::size_t n = std::min<std::size_t>(wParam - 1, std::size_t(impl.text.GetLength()));
        std::memcpy(reinterpret_cast<char*>(lParam), impl.text.GetString(), n);
        reinterpret_cast<char*>(lParam)[n] = 0;
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH: return impl.text.GetLength();
    case WM_SETFONT:
    {
        impl.font = reinterpret_cast<HFONT>(wParam);
        impl.fontObject = std::make_unique<CFont>();
        impl.fontObject->Attach(impl.font);
        if (impl.nativeControl && impl.widget && impl.fontObject->m_hObject)
            impl.widget->setFont(impl.fontObject->Data()->qfont);
        if (LOWORD(lParam)) Invalidate();
        return 0;
    }
    case WM_GETFONT: return LRESULT(impl.font);
    case WM_SETREDRAW: impl.redraw = wParam != 0; return 0;
    case WM_CLOSE: DestroyWindow(); return 0;
    case WM_SETCURSOR:
        if (CWnd* parent = GetParent(); parent && (GetStyle() & WS_CHILD) && parent->SendMessage(WM_SETCURSOR, wParam, lParam))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hWnd)
            ::SetCursor(impl.classCursor ? impl.classCursor : LoadStandardCursor(impl.controlClass == "EDIT" ? IDC_IBEAM : IDC_ARROW));
        return FALSE;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
        if (CWnd* parent = GetParent(); parent && (GetStyle() & WS_CHILD)) return parent->SendMessage(message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE: return MA_ACTIVATE;
    case WM_PRINT:
    case WM_PRINTCLIENT: PrintWindow(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: return LRESULT(GetSysColorBrush(COLOR_WINDOW));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
    default: return 0;
    }
}
