#include "platform/framework/windows/CWnd.h"

#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowBridge.h"
#include "platform/framework/windows/WindowClasses.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include <cstring>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop;
const CWnd CWnd::wndBottom;

void AdoptWindow(CWnd& wnd, std::shared_ptr<WndImpl> impl)
{
    if (wnd.m_impl && wnd.m_impl != impl && wnd.m_impl->owner == &wnd) wnd.m_impl->owner = nullptr;
    wnd.m_impl = std::move(impl);
    wnd.m_impl->owner = &wnd;
    wnd.m_hWnd = wnd.m_impl.get();
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_impl && m_impl->alive && m_impl->owner == this) DestroyWindow();
    if (m_impl && m_impl->owner == this) m_impl->owner = nullptr;
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    WndImpl* impl = WndImpl::From(hwnd);
    return impl ? impl->owner : nullptr;
}

// ---- creation and destruction

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* context)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }
void CWnd::PostNcDestroy() {}
void CWnd::PreSubclassWindow() {}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, void* param)
{
    if (m_impl && m_impl->alive) return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hMenu = reinterpret_cast<HMENU>(std::uintptr_t(id));
    cs.hwndParent = parent ? parent->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = LONG(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    if (!PreCreateWindow(cs)) return FALSE;
    CFrameworkApp::EnsureInitialized();

    auto impl = std::make_shared<WndImpl>();
    impl->style = DWORD(cs.style);
    impl->exStyle = cs.dwExStyle;
    impl->id = UINT(reinterpret_cast<std::uintptr_t>(cs.hMenu));
    impl->text = cs.lpszName ? cs.lpszName : "";
    ApplyWindowClass(*impl, cs.lpszClass);
    WndImpl* parentImpl = WndImpl::From(cs.hwndParent);
    QWidget* parentWidget = parentImpl ? parentImpl->widget.data() : nullptr;
    const bool child = (impl->style & WS_CHILD) && parentWidget;

    const QString upperClass = QString::fromUtf8(cs.lpszClass ? cs.lpszClass : "").toUpper();
    QWidget* widget = CreateNativeControl(*impl, upperClass, child ? parentWidget : nullptr);
    impl->nativeControl = widget != nullptr;
    // A plain window's own scroll bars show once its scroll information has a range to scroll.
    if (!impl->nativeControl) impl->style &= ~(WS_VSCROLL | WS_HSCROLL);
    if (!widget) widget = new PaintWidget(child ? parentWidget : nullptr);
    if (!child)
    {
        Qt::WindowFlags flags = Qt::Window;
        // An owned window with a caption is a dialog: the window manager keeps it in front of
        // its owner.
        if (parentWidget && (impl->style & WS_POPUP) && (impl->style & WS_CAPTION) == WS_CAPTION) flags = Qt::Dialog;
        if (!(impl->style & WS_CAPTION) && (impl->style & WS_POPUP)) flags |= Qt::FramelessWindowHint;
        if (impl->exStyle & WS_EX_TOOLWINDOW) flags |= Qt::Tool;
        widget->setParent(parentWidget, flags);
        widget->setWindowTitle(ToQString(impl->text));
    }
    widget->setMouseTracking(true);
    widget->setEnabled(!(impl->style & WS_DISABLED));
    if (impl->nativeControl)
        widget->setFocusPolicy((impl->style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    else
        widget->setFocusPolicy((impl->style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    widget->setGeometry(cs.x, cs.y, std::max(cs.cx, 0), impl->shownHeight ? impl->shownHeight(cs.cy) : std::max(cs.cy, 0));
    if (!(impl->style & WS_VISIBLE)) widget->hide();
    impl->widget = widget;
    BridgeWidget(*impl, widget);
    AdoptWindow(*this, impl);
    SetLive(*impl, true);
    if (impl->nativeControl && parentImpl && parentImpl->fontOfNewControls)
        SendMessage(WM_SETFONT, WPARAM(parentImpl->fontOfNewControls), FALSE);
    if (impl->nativeControl && impl->controlProc && !impl->text.IsEmpty())
    {
        bool handled = false;
        impl->controlProc(*impl, WM_SETTEXT, 0, LPARAM(impl->text.GetString()), handled);
    }
    PreSubclassWindow();

    if (impl->Dispatch(WM_CREATE, 0, LPARAM(&cs)) == -1)
    {
        DestroyWindow();
        return FALSE;
    }
    impl->ReportGeometry();
    if (impl->alive && (impl->style & WS_VISIBLE)) ShowWindow(child ? SW_SHOWNA : SW_SHOW);
    return impl->alive;
}

namespace
{
std::vector<std::shared_ptr<WndImpl>> ChildImpls(const WndImpl& impl)
{
    std::vector<std::shared_ptr<WndImpl>> children;
    if (!impl.widget) return children;
    for (QObject* o : impl.widget->children())
    {
        WndImpl* c = WndImpl::FromWidget(o);
        if (c && c != &impl && c->widget == o && c->alive) children.push_back(c->shared_from_this());
    }
    return children;
}
} // namespace

BOOL CWnd::DestroyWindow()
{
    if (!m_impl || !m_impl->alive) return FALSE;
    auto impl = m_impl;
    impl->Dispatch(WM_DESTROY, 0, 0);
    for (const auto& child : ChildImpls(*impl))
        if (child->owner) child->owner->DestroyWindow();
    for (const auto& [id, timer] : impl->timers)
        if (impl->widget) impl->widget->killTimer(timer);
    impl->timers.clear();
    if (CaptureWindow() == impl.get()) ::ReleaseCapture();
    impl->Dispatch(WM_NCDESTROY, 0, 0);
    SetLive(*impl, false);
    UnbridgeWidgets(*impl);
    if (QWidget* w = impl->widget)
    {
        // Invalidate the parent's pixels that the window covered.
        if (WndImpl* parent = WndImpl::FromWidget(w->parentWidget()); parent && w->isVisible())
            parent->Invalidate(w->geometry(), true);
        w->hide();
        // Hidden, it shows nothing more: with no size left, its deletion later does not have the
        // parent painted again where it stood, with every window there.
        w->setGeometry(QRect());
        w->deleteLater();
    }
    impl->widget = nullptr;
    auto owned = std::move(impl->ownedChildren);
    owned.clear();
    CWnd* owner = impl->owner;
    if (owner)
    {
        owner->m_hWnd = nullptr;
        owner->PostNcDestroy();
    }
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    WndImpl* impl = WndImpl::From(hwnd);
    if (!impl || (m_impl && m_impl->alive)) return FALSE;
    CWnd* previous = impl->owner;
    AdoptWindow(*this, impl->shared_from_this());
    if (previous && previous != this) previous->m_hWnd = nullptr;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    CWnd* item = parent ? parent->GetDlgItem(int(id)) : nullptr;
    return item && SubclassWindow(item->m_hWnd);
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_impl) return nullptr;
    HWND h = m_hWnd;
    m_impl->owner = nullptr;
    m_impl.reset();
    m_hWnd = nullptr;
    return h;
}

// ---- messages

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return m_impl && m_impl->alive ? m_impl->Dispatch(message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    msg.hwnd = m_hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    return PostToWindow(m_hWnd, msg);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep)
{
    if (!m_impl) return;
    for (const auto& child : ChildImpls(*m_impl))
    {
        if (!child->owner) continue;
        child->owner->SendMessage(message, wParam, lParam);
        if (deep && child->owner) child->owner->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::Default()
{
    if (!m_impl || m_impl->frames.empty()) return 0;
    const MSG msg = m_impl->frames.back().msg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() const
{
    return m_impl && !m_impl->frames.empty() ? &m_impl->frames.back().msg : nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const auto control = reinterpret_cast<HWND>(lParam);
    if (CWnd* child = control ? FromHandle(control) : nullptr; child && child != this)
    {
        LRESULT ignored = 0;
        if (child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    // Menus and accelerators (no control) and button clicks are commands.
    const int code = control && HIWORD(wParam) != BN_CLICKED ? int(HIWORD(wParam)) : CN_COMMAND;
    return OnCmdMsg(LOWORD(wParam), code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (CWnd* child = header ? FromHandle(header->hwndFrom) : nullptr; child && child != this)
        if (child->OnChildNotify(WM_NOTIFY, wParam, lParam, result)) return TRUE;
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

// ---- geometry

void CWnd::GetClientRect(LPRECT rect) const
{
    const QRect r = m_impl && m_impl->widget ? m_impl->ClientRect() : QRect();
    *rect = CRect(0, 0, r.width(), r.height());
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    // The client area and the window's own scroll bars.
    const QSize size = m_impl && m_impl->widget ? m_impl->widget->size() : QSize();
    CRect r(0, 0, size.width(), size.height());
    ClientToScreen(&r);
    *rect = r;
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (!m_impl || !m_impl->widget) return;
    const QPoint g = m_impl->widget->mapToGlobal(QPoint(point->x, point->y));
    *point = {g.x(), g.y()};
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    ClientToScreen(reinterpret_cast<LPPOINT>(&rect->left));
    ClientToScreen(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!m_impl || !m_impl->widget) return;
    const QPoint c = m_impl->widget->mapFromGlobal(QPoint(point->x, point->y));
    *point = {c.x(), c.y()};
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    ScreenToClient(reinterpret_cast<LPPOINT>(&rect->left));
    ScreenToClient(reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const
{
    for (UINT i = 0; i < count; ++i)
    {
        ClientToScreen(&points[i]);
        if (to) to->ScreenToClient(&points[i]);
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const { MapWindowPoints(to, reinterpret_cast<LPPOINT>(rect), 2); }

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!m_impl || !m_impl->widget) return FALSE;
    QWidget* w = m_impl->widget;
    const QRect old = w->geometry();
    QRect geometry = old;
    if (!(flags & SWP_NOMOVE)) geometry.moveTopLeft(QPoint(x, y));
    if (!(flags & SWP_NOSIZE)) geometry.setSize(QSize(std::max(cx, 0), m_impl->shownHeight ? m_impl->shownHeight(cy) : std::max(cy, 0)));
    if (geometry != old)
    {
        w->setGeometry(geometry);
        if (WndImpl* parent = WndImpl::FromWidget(w->parentWidget()); parent && !w->isHidden() && !(flags & SWP_NOREDRAW))
            parent->Invalidate(QRegion(old) - QRegion(geometry), true);
        m_impl->ReportGeometry();
    }
    if (!(flags & SWP_NOZORDER))
    {
        if (insertAfter == &wndBottom) w->lower();
        else if (insertAfter == &wndTop || !insertAfter) w->raise();
        else if (insertAfter->m_impl && insertAfter->m_impl->widget) w->stackUnder(insertAfter->m_impl->widget);
    }
    if (flags & SWP_SHOWWINDOW) ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::BringWindowToTop()
{
    if (m_impl && m_impl->widget) m_impl->widget->raise();
}

void CWnd::CenterWindow(CWnd* alternateOwner)
{
    if (!m_impl || !m_impl->widget) return;
    CWnd* around = alternateOwner ? alternateOwner : GetParent();
    CRect area(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    if (around) around->GetWindowRect(&area);
    CRect mine;
    GetWindowRect(&mine);
    CPoint topLeft(area.left + (area.Width() - mine.Width()) / 2, area.top + (area.Height() - mine.Height()) / 2);
    if (CWnd* parent = GetParent(); parent && (GetStyle() & WS_CHILD)) parent->ScreenToClient(&topLeft);
    SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

namespace
{
// A top-level window's state after a show command.
Qt::WindowStates ShownState(Qt::WindowStates state, int command)
{
    switch (command)
    {
    case SW_SHOWMAXIMIZED: return (state & ~Qt::WindowMinimized) | Qt::WindowMaximized;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED: return state | Qt::WindowMinimized;
    case SW_SHOWNORMAL:
        return state & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    case SW_RESTORE:
        // A minimized window goes back to what it was before; a maximized one to normal.
        return state & Qt::WindowMinimized ? state & ~Qt::WindowMinimized : state & ~Qt::WindowMaximized;
    default: return state;
    }
}
} // namespace

// ---- state and relations

BOOL CWnd::ShowWindow(int command)
{
    if (!m_impl || !m_impl->widget) return FALSE;
    QWidget* w = m_impl->widget;
    const BOOL wasVisible = !w->isHidden();
    const bool show = command != SW_HIDE;
    if (show != bool(wasVisible)) m_impl->Dispatch(WM_SHOWWINDOW, show, 0);
    if (!m_impl->widget) return wasVisible;
    if (show)
    {
        m_impl->style |= WS_VISIBLE;
        if (w->isWindow()) w->setWindowState(ShownState(w->windowState(), command));
        w->show();
        if (w->isWindow() && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE)
        {
            // The offscreen platform (tests, build machines) has no stacking to change.
            if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
            QApplication::setActiveWindow(w);
        }
    }
    else
    {
        m_impl->style &= ~WS_VISIBLE;
        if (WndImpl* parent = WndImpl::FromWidget(w->parentWidget()); parent && wasVisible)
            parent->Invalidate(w->geometry(), true);
        w->hide();
    }
    return wasVisible;
}

BOOL CWnd::IsZoomed() const { return m_impl && m_impl->widget && m_impl->widget->isWindow() && m_impl->widget->isMaximized(); }
BOOL CWnd::IsIconic() const { return m_impl && m_impl->widget && m_impl->widget->isWindow() && m_impl->widget->isMinimized(); }

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* placement) const
{
    if (!placement || !m_impl || !m_impl->widget) return FALSE;
    const QWidget* w = m_impl->widget;
    *placement = WINDOWPLACEMENT{};
    placement->showCmd = UINT(IsIconic() ? SW_SHOWMINIMIZED : IsZoomed() ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    placement->rcNormalPosition = FromQRect(w->isWindow() ? w->normalGeometry() : w->geometry());
    return TRUE;
}

CRect CWnd::GetFrameMargins() const
{
    const QWindow* window = m_impl && m_impl->widget && m_impl->widget->isWindow() ? m_impl->widget->windowHandle() : nullptr;
    if (!window)
        return CRect(0, 0, 0, 0);
    const QMargins margins = window->frameMargins();
    return CRect(margins.left(), margins.top(), margins.right(), margins.bottom());
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* placement)
{
    if (!placement || !m_impl || !m_impl->widget) return FALSE;
    QWidget* w = m_impl->widget;
    // The normal rectangle is set on the normal window; the state comes back with the show command.
    if (w->isWindow()) w->setWindowState(w->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
    const RECT& r = placement->rcNormalPosition;
    SetWindowPos(nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(int(placement->showCmd));
    return TRUE;
}

BOOL CWnd::IsWindowVisible() const { return m_impl && m_impl->widget && m_impl->widget->isVisible(); }
BOOL CWnd::IsWindowEnabled() const { return m_impl && m_impl->widget && m_impl->widget->isEnabled(); }

BOOL CWnd::EnableWindow(BOOL enable)
{
    if (!m_impl || !m_impl->widget) return FALSE;
    const BOOL wasDisabled = !m_impl->widget->isEnabled();
    if (bool(enable) == bool(wasDisabled))
    {
        m_impl->widget->setEnabled(enable);
        if (enable) m_impl->style &= ~WS_DISABLED;
        else m_impl->style |= WS_DISABLED;
        m_impl->Dispatch(WM_ENABLE, enable, 0);
    }
    return wasDisabled;
}

CWnd* CWnd::GetParent() const
{
    if (!m_impl || !m_impl->widget) return nullptr;
    for (QWidget* w = m_impl->widget->parentWidget(); w; w = w->parentWidget())
        if (WndImpl* p = WndImpl::FromWidget(w); p && p->widget == w) return p->owner;
    return nullptr;
}

CWnd* CWnd::SetParent(CWnd* newParent)
{
    if (!m_impl || !m_impl->widget) return nullptr;
    CWnd* old = GetParent();
    QWidget* parentWidget = newParent && newParent->m_impl ? newParent->m_impl->widget.data() : nullptr;
    const bool visible = !m_impl->widget->isHidden();
    m_impl->widget->setParent(parentWidget, parentWidget ? Qt::Widget : Qt::Window);
    if (visible) m_impl->widget->show();
    return old;
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while (CWnd* p = w->GetParent())
    {
        if (!(w->GetStyle() & WS_CHILD)) break;
        w = p;
    }
    return const_cast<CWnd*>(w);
}

BOOL CWnd::IsChild(const CWnd* wnd) const
{
    for (CWnd* p = wnd ? wnd->GetParent() : nullptr; p; p = p->GetParent())
        if (p == this) return TRUE;
    return FALSE;
}

CWnd* CWnd::GetWindow(UINT relation) const
{
    if (!m_impl) return nullptr;
    if (relation == GW_CHILD)
    {
        auto children = ChildImpls(*m_impl);
        return children.empty() ? nullptr : children.front()->owner;
    }
    if (relation == GW_OWNER) return GetParent();
    CWnd* parent = GetParent();
    if (!parent) return nullptr;
    auto siblings = ChildImpls(*parent->m_impl);
    auto it = std::find_if(siblings.begin(), siblings.end(), [this](const auto& s) { return s.get() == m_impl.get(); });
    switch (relation)
    {
    case GW_HWNDFIRST: return siblings.front()->owner;
    case GW_HWNDLAST: return siblings.back()->owner;
    case GW_HWNDNEXT: return it != siblings.end() && it + 1 != siblings.end() ? (*(it + 1))->owner : nullptr;
    case GW_HWNDPREV: return it != siblings.begin() && it != siblings.end() ? (*(it - 1))->owner : nullptr;
    default: return nullptr;
    }
}

CWnd* CWnd::GetDlgItem(int id) const
{
    // Without listing the children first: option bars ask for their controls by the hundred.
    if (!m_impl || !m_impl->widget) return nullptr;
    for (QObject* o : m_impl->widget->children())
    {
        WndImpl* c = WndImpl::FromWidget(o);
        if (c && c != m_impl.get() && c->widget == o && c->alive && int(c->id) == id) return c->owner;
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const { return m_impl ? int(m_impl->id) : 0; }

int CWnd::SetDlgCtrlID(int id)
{
    if (!m_impl) return 0;
    return int(std::exchange(m_impl->id, UINT(id)));
}

DWORD CWnd::GetStyle() const
{
    if (!m_impl) return 0;
    DWORD style = m_impl->style & ~(WS_VISIBLE | WS_DISABLED);
    if (m_impl->widget && !m_impl->widget->isHidden()) style |= WS_VISIBLE;
    if (m_impl->widget && !m_impl->widget->isEnabled()) style |= WS_DISABLED;
    return style;
}

DWORD CWnd::GetExStyle() const { return m_impl ? m_impl->exStyle : 0; }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT)
{
    if (!m_impl) return FALSE;
    const DWORD old = m_impl->style;
    m_impl->style = (old & ~remove) | add;
    if (m_impl->widget && ((old ^ m_impl->style) & WS_TABSTOP) && !m_impl->nativeControl)
        m_impl->widget->setFocusPolicy((m_impl->style & WS_TABSTOP) ? Qt::TabFocus : Qt::NoFocus);
    if (m_impl->nativeControl && m_impl->controlProc)
    {
        bool handled = false;
        m_impl->controlProc(*m_impl, WM_STYLECHANGED, old, LPARAM(m_impl->style), handled);
    }
    return old != m_impl->style;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT)
{
    if (!m_impl) return FALSE;
    const DWORD old = m_impl->exStyle;
    m_impl->exStyle = (old & ~remove) | add;
    return old != m_impl->exStyle;
}

void CWnd::SetWindowText(const CString& text) { SendMessage(WM_SETTEXT, 0, LPARAM(text.GetString())); }

void CWnd::GetWindowText(CString& text) const
{
    auto* self = const_cast<CWnd*>(this);
    const int length = int(self->SendMessage(WM_GETTEXTLENGTH));
    std::string buffer(std::size_t(length) + 1, '\0');
    const int copied = int(self->SendMessage(WM_GETTEXT, WPARAM(buffer.size()), LPARAM(buffer.data())));
    buffer.resize(std::size_t(std::clamp(copied, 0, length)));
    text = CString(std::move(buffer));
}

int CWnd::GetWindowTextLength() const { return int(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH)); }

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, WPARAM(font ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const
{
    HFONT h = reinterpret_cast<HFONT>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT));
    if (!h) return nullptr;
    if (CFont* f = CFont::FromHandle(h)) return f;
    return m_impl && m_impl->fontObject && m_impl->fontObject->m_hObject == h ? m_impl->fontObject.get() : nullptr;
}

void CWnd::SetDlgItemText(int id, const CString& text)
{
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

UINT CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    if (CWnd* item = GetDlgItem(id)) item->GetWindowText(text);
    return UINT(text.GetLength());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    SetDlgItemText(id, isSigned ? CString::Formatted("%d", int(value)) : CString::Formatted("%u", value));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    CString text;
    GetDlgItemText(id, text);
    text.Trim();
    char* end = nullptr;
    const long long v = std::strtoll(text.GetString(), &end, 10);
    const bool ok = !text.IsEmpty() && end && *end == 0 && (isSigned || v >= 0);
    if (translated) *translated = ok;
    return ok ? UINT(v) : 0;
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    if (CWnd* item = GetDlgItem(id)) item->SendMessage(BM_SETCHECK, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    CWnd* item = GetDlgItem(id);
    return item ? UINT(item->SendMessage(BM_GETCHECK)) : 0;
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (int id = firstId; id <= lastId; ++id) CheckDlgButton(id, id == checkId ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* item = GetDlgItem(id);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

// ---- focus and capture

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (!m_impl || !m_impl->widget) return old;
    QWidget* top = m_impl->widget->window();
    // A window behind a modal one keeps its focus for when it is active again: taking the
    // activation would leave the modal window in front without the keyboard.
    const QWidget* modal = QApplication::activeModalWidget();
    if (top->isVisible() && QApplication::activeWindow() != top && (!modal || modal == top))
        QApplication::setActiveWindow(top);
    m_impl->widget->setFocus(Qt::OtherFocusReason);
    return old;
}

CWnd* CWnd::GetFocus()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (WndImpl* impl = WndImpl::FromWidget(w); impl && impl->alive) return impl->owner;
    return nullptr;
}

CWnd* CWnd::SetCapture()
{
    WndImpl*& capture = CaptureWindow();
    CWnd* old = capture ? capture->owner : nullptr;
    if (!m_impl || !m_impl->alive || capture == m_impl.get()) return old;
    WndImpl* previous = std::exchange(capture, m_impl.get());
    if (previous && previous->alive) previous->Dispatch(WM_CAPTURECHANGED, 0, LPARAM(m_hWnd));
    return old;
}

CWnd* CWnd::GetCapture()
{
    WndImpl* capture = CaptureWindow();
    return capture && capture->alive ? capture->owner : nullptr;
}

BOOL ReleaseCapture()
{
    WndImpl* previous = std::exchange(CaptureWindow(), nullptr);
    if (previous && previous->alive) previous->Dispatch(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

CWnd* CWnd::SetActiveWindow()
{
    CWnd* old = GetActiveWindow();
    if (m_impl && m_impl->widget) QApplication::setActiveWindow(m_impl->widget->window());
    return old;
}

CWnd* CWnd::GetActiveWindow()
{
    WndImpl* impl = WndImpl::FromWidget(QApplication::activeWindow());
    return impl && impl->alive ? impl->owner : nullptr;
}

BOOL IsWindow(HWND hwnd) { return WndImpl::From(hwnd) != nullptr; }

CWnd* WindowFromPoint(POINT screenPoint)
{
    for (QWidget* w = QApplication::widgetAt(QPoint(screenPoint.x, screenPoint.y)); w; w = w->parentWidget())
        if (WndImpl* impl = WndImpl::FromWidget(w); impl && impl->alive) return impl->owner;
    return nullptr;
}

std::vector<CWnd*> ChildWindows(const CWnd& parent)
{
    std::vector<CWnd*> out;
    if (!parent.Impl()) return out;
    for (const auto& child : ChildImpls(*parent.Impl()))
        if (child->owner) out.push_back(child->owner);
    return out;
}
