// The bridge between Qt's events and the window messages: every widget of a window is watched
// by one event filter that turns its input into messages and runs them through the window's
// WindowProc. The default processing of a native control hands the original event back to the
// control, so a window may act before and after its control's own handling, as a subclass does.
#include "platform/framework/windows/WindowBridge.h"

#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/DcPainting.h"
#include "platform/framework/windows/FocusChain.h"
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/PaintPreparation.h"
#include "platform/framework/windows/PickerEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QThread>
#include <QToolTip>
#include <QWheelEvent>

#include <array>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace
{
std::unordered_map<const QObject*, WndImpl*>& Widgets()
{
    static std::unordered_map<const QObject*, WndImpl*> widgets;
    return widgets;
}

QEvent* g_passing = nullptr;          // the event being handed back to its widget
int g_dispatchDepth = 0;              // messages being handled right now
WndImpl* g_capture = nullptr;         // the window that has the mouse captured
QPointer<QWidget> g_lastFocus;        // the widget that had the focus before the current one
QPoint g_cursorPos;                   // the last mouse position seen, screen coordinates
std::array<bool, 256> g_keyDown = {}; // by virtual-key code
std::array<bool, 256> g_keyToggled = {};

WndImpl* BridgedAncestor(QWidget* w);

class WindowEventFilter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

WindowEventFilter& Filter()
{
    static WindowEventFilter filter;
    return filter;
}

UINT MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    UINT flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

void NoteModifiers(Qt::KeyboardModifiers modifiers)
{
    g_keyDown[VK_SHIFT] = modifiers & Qt::ShiftModifier;
    g_keyDown[VK_CONTROL] = modifiers & Qt::ControlModifier;
    g_keyDown[VK_MENU] = modifiers & Qt::AltModifier;
}

// The character a key press produces, as the platform's translation gives it; 0 for none.
UINT CharOf(const QKeyEvent* k)
{
    const int key = k->key();
    const bool ctrl = k->modifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return ctrl ? 10 : 13;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return 9;
    if (key == Qt::Key_Escape) return 27;
    if (key == Qt::Key_Backspace) return 8;
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z) return UINT(key - Qt::Key_A + 1);
    if (ctrl || (k->modifiers() & Qt::AltModifier)) return 0;
    const QString text = k->text();
    if (text.isEmpty()) return 0;
    const char32_t c = text.toUcs4().value(0);
    return c >= 0x20 && c != 0x7F ? UINT(c) : 0;
}

LPARAM KeyLParam(const QKeyEvent* k, bool up)
{
    DWORD flags = 1; // repeat count
    if (k->isAutoRepeat() || up) flags |= 1u << 30;
    if (up) flags |= 1u << 31;
    return LPARAM(flags);
}

// Offers an input message to PreTranslateMessage of the window and its parents.
bool PreTranslated(WndImpl& impl, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG msg;
    msg.hwnd = &impl;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.pt = {g_cursorPos.x(), g_cursorPos.y()};
    for (CWnd* w = impl.owner; w; w = w->GetParent())
        if (w->PreTranslateMessage(&msg)) return true;
    return false;
}

QPoint ToClient(const WndImpl& impl, QObject* target, QPoint p)
{
    auto* w = qobject_cast<QWidget*>(target);
    return (w && impl.widget && w != impl.widget) ? w->mapTo(impl.widget, p) : p;
}

// Enter presses the focused push button or the default button; Escape is Cancel.
void DialogKey(WndImpl& dialog, UINT vk)
{
    // What was typed into a picker's fields is taken first; a date it refuses keeps the dialog open.
    if (vk == VK_RETURN)
        if (auto* picker = dynamic_cast<CPickerEdit*>(QApplication::focusWidget()); picker && !picker->TakeTyped()) return;
    UINT id = vk == VK_ESCAPE ? 2u : dialog.defaultButton;
    HWND control = nullptr;
    if (vk == VK_RETURN)
        if (WndImpl* focus = BridgedAncestor(QApplication::focusWidget());
            focus && focus->controlClass == "BUTTON" && (focus->style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
            id = focus->id;
    if (dialog.owner)
        if (CWnd* button = dialog.owner->GetDlgItem(int(id)))
        {
            if (!button->IsWindowEnabled()) return;
            control = button->m_hWnd;
        }
    dialog.Dispatch(WM_COMMAND, MAKEWPARAM(int(id), int(BN_CLICKED)), LPARAM(control));
}

// Outside dialogs (which have their own), Tab goes round the window's tab stops unless the focus
// window keeps it.
bool TabMovesFocus(WndImpl& impl)
{
    if (impl.isDialog || impl.InDialog() || !impl.owner) return false;
    MSG msg;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    return !(UINT(impl.Dispatch(WM_GETDLGCODE, VK_TAB, LPARAM(&msg))) & DLGC_WANTTAB);
}

bool HandleKey(WndImpl& impl, QObject* target, QKeyEvent* k)
{
    const bool press = k->type() == QEvent::KeyPress;
    // A held key repeats on X as release and press pairs; windows expect repeated key-downs and
    // one key-up when the key is really let go, so the repeats' releases go nowhere.
    if (!press && k->isAutoRepeat())
    {
        k->accept();
        return true;
    }
    const UINT vk = VirtualKeyFromQt(k->key(), k->modifiers());
    NoteModifiers(k->modifiers());
    if (vk < 256)
    {
        if (press && !g_keyDown[vk]) g_keyToggled[vk] = !g_keyToggled[vk];
        g_keyDown[vk] = press; // a modifier key's own event reports the state before it
    }
    // Ctrl+Tab and Ctrl+PgDn choose the next tab of a dialog, with Shift or Ctrl+PgUp the one
    // before, whichever of its controls has the focus (a picker would step its value by a page).
    const bool ctrl = k->modifiers() & Qt::ControlModifier;
    if (press && ctrl && (vk == VK_TAB || vk == VK_NEXT || vk == VK_PRIOR) && (impl.isDialog || impl.InDialog()) &&
        impl.widget &&
        StepTabControlIn(impl.widget->window(), vk == VK_PRIOR || (vk == VK_TAB && (k->modifiers() & Qt::ShiftModifier))))
    {
        k->accept();
        return true;
    }
    if (impl.isDialog && press && (vk == VK_RETURN || vk == VK_ESCAPE))
    {
        // A key held down since before the dialog appeared (the Enter that closed the dialog
        // before it) repeats into this one: it neither presses a button nor cancels.
        if (!k->isAutoRepeat())
            impl.dialogKeyPressed = vk;
        else if (impl.dialogKeyPressed != vk)
        {
            k->accept();
            return true;
        }
        DialogKey(impl, vk);
        k->accept();
        return true;
    }
    // Keys reach only the focus window (the active window itself while nothing in it has the
    // focus: its menu keys work from the start); the parents see them only as a dialog.
    auto* targetWidget = qobject_cast<QWidget*>(target);
    const bool windowWithoutFocus = targetWidget && targetWidget->isWindow() && !QApplication::focusWidget();
    if (targetWidget && !targetWidget->hasFocus() && !windowWithoutFocus)
    {
        k->ignore();
        return true;
    }
    if (press && (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE) && !impl.isDialog && impl.InDialog())
    {
        MSG msg;
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        const UINT code = UINT(impl.Dispatch(WM_GETDLGCODE, vk, LPARAM(&msg)));
        const bool wanted = (code & DLGC_WANTALLKEYS) || (vk == VK_TAB && (code & DLGC_WANTTAB)) ||
                            (vk == VK_RETURN && (impl.style & ES_WANTRETURN) && impl.controlClass == "EDIT");
        if (!wanted)
        {
            if (vk == VK_TAB) return false; // the focus chain moves on
            k->ignore();                    // the dialog takes Enter and Escape
            return true;
        }
    }
    const bool alt = k->modifiers() & Qt::AltModifier;
    const LPARAM lParam = KeyLParam(k, !press);
    if (press)
    {
        const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
        if (PreTranslated(impl, down, vk, lParam))
        {
            k->accept();
            return true;
        }
        if (vk == VK_TAB && !alt && !(k->modifiers() & Qt::ControlModifier) && TabMovesFocus(impl))
        {
            MoveFocusToNextTabStop(*impl.owner, k->modifiers() & Qt::ShiftModifier);
            k->accept();
            return true;
        }
        auto keep = impl.shared_from_this();
        impl.Dispatch(down, vk, lParam, k, target);
        if (const UINT ch = CharOf(k); ch && keep->alive) impl.Dispatch(alt ? WM_SYSCHAR : WM_CHAR, ch, lParam, k, target);
    }
    else
    {
        const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
        if (!PreTranslated(impl, up, vk, lParam)) impl.Dispatch(up, vk, lParam, k, target);
    }
    k->accept();
    return true;
}

bool HandleMouse(WndImpl* impl, QObject* target, QMouseEvent* m)
{
    g_cursorPos = m->globalPosition().toPoint();
    NoteModifiers(m->modifiers());
    g_keyDown[VK_LBUTTON] = m->buttons() & Qt::LeftButton;
    g_keyDown[VK_RBUTTON] = m->buttons() & Qt::RightButton;
    g_keyDown[VK_MBUTTON] = m->buttons() & Qt::MiddleButton;
    QPoint p = ToClient(*impl, target, m->position().toPoint());
    if (g_capture && g_capture != impl && g_capture->widget)
    {
        impl = g_capture;
        target = impl->widget;
        p = impl->widget->mapFromGlobal(g_cursorPos);
    }
    const UINT flags = MouseFlags(m->buttons(), m->modifiers());
    const LPARAM where = MAKELPARAM(p.x(), p.y());
    UINT message = 0;
    const Qt::MouseButton b = m->button();
    switch (m->type())
    {
    case QEvent::MouseMove: message = WM_MOUSEMOVE; break;
    case QEvent::MouseButtonPress:
        message = b == Qt::RightButton ? WM_RBUTTONDOWN : b == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
        break;
    case QEvent::MouseButtonRelease:
        message = b == Qt::RightButton ? WM_RBUTTONUP : b == Qt::MiddleButton ? WM_MBUTTONUP : WM_LBUTTONUP;
        break;
    case QEvent::MouseButtonDblClick:
        message = b == Qt::RightButton ? WM_RBUTTONDBLCLK : b == Qt::MiddleButton ? WM_MBUTTONDBLCLK : WM_LBUTTONDBLCLK;
        // A class without double clicks sees a second press instead.
        if (!(impl->classStyle & CS_DBLCLKS)) message -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        break;
    default: return false;
    }
    if (PreTranslated(*impl, message, flags, where))
    {
        m->accept();
        return true;
    }
    auto keep = impl->shared_from_this();
    SetCursorTarget(impl->widget);
    if (!g_capture && (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN))
        impl->Dispatch(WM_SETCURSOR, WPARAM(static_cast<HWND>(impl)), MAKELPARAM(HTCLIENT, int(message)));
    if (keep->alive) impl->Dispatch(message, flags, where, m, target);
    m->accept();
    return true;
}

bool HandleWheel(WndImpl& impl, QObject* target, QWheelEvent* w)
{
    g_cursorPos = w->globalPosition().toPoint();
    impl.wheelRemainder += w->angleDelta().y();
    if (std::abs(impl.wheelRemainder) < WHEEL_DELTA) return !impl.nativeControl;
    const UINT flags = MouseFlags(w->buttons(), w->modifiers());
    auto keep = impl.shared_from_this();
    while (keep->alive && std::abs(impl.wheelRemainder) >= WHEEL_DELTA)
    {
        const int delta = impl.wheelRemainder > 0 ? WHEEL_DELTA : -WHEEL_DELTA;
        impl.wheelRemainder -= delta;
        impl.Dispatch(WM_MOUSEWHEEL, MAKEWPARAM(int(flags), delta), MAKELPARAM(g_cursorPos.x(), g_cursorPos.y()), w, target);
    }
    w->accept();
    return true;
}

bool HandleToolTip(WndImpl& impl, QObject* target, QHelpEvent* h)
{
    if (!impl.toolTips || !impl.owner) return false;
    const QPoint p = ToClient(impl, target, h->pos());
    const CString text = impl.owner->GetToolTipTextAt(CPoint(p.x(), p.y()));
    if (text.IsEmpty()) QToolTip::hideText();
    else QToolTip::showText(h->globalPos(), ToQString(text), impl.widget);
    return true;
}

// The window a widget belongs to: a popup (a picker's calendar, a list's drop-down) belongs to
// the control that opened it, a window of the toolkit's own (a message box) to none.
WndImpl* BridgedAncestor(QWidget* w)
{
    for (; w; w = w->isWindow() && w->windowType() != Qt::Popup ? nullptr : w->parentWidget())
        if (WndImpl* impl = WndImpl::FromWidget(w)) return impl;
    return nullptr;
}

bool WindowEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event == g_passing) return false;
    WndImpl* impl = WndImpl::FromWidget(watched);
    if (!impl || !impl->alive || !impl->owner) return false;
    const bool mainWidget = watched == impl->widget;
    switch (int(event->type()))
    {
    case kPostedMessageEvent:
    {
        auto* posted = static_cast<PostedMessageEvent*>(event);
        impl->Dispatch(posted->msg.message, posted->msg.wParam, posted->msg.lParam);
        return true;
    }
    case kPaintRequestEvent:
        impl->paintPosted = false;
        if (impl->widget && impl->widget->isVisible() && impl->redraw && !impl->invalid.isEmpty()) impl->PaintInvalid();
        return true;
    case QEvent::UpdateRequest:
        PrepareWaitingControls();
        return false;
    case QEvent::FontChange:
        if (auto* label = qobject_cast<QLabel*>(watched)) PrepareBeforePaint(*label);
        return false;
    case QEvent::Resize:
        if (auto* label = qobject_cast<QLabel*>(watched)) PrepareBeforePaint(*label);
        if (mainWidget && (impl->scrollBarShown[SB_HORZ] || impl->scrollBarShown[SB_VERT])) UpdateWindowScrollBars(*impl);
        else if (mainWidget) impl->ReportGeometry();
        return false;
    case QEvent::Move:
        if (mainWidget) impl->ReportGeometry();
        return false;
    case QEvent::Paint:
        if (impl->nativeControl) PrepareControlColors(*impl);
        return false;
    case QEvent::Show:
        if (mainWidget && !impl->nativeControl) impl->Invalidate(impl->ClientRect(), true);
        // Its colours are asked for before the window paints, and again as it paints.
        if (mainWidget && impl->nativeControl) PrepareBeforePaint(*impl->widget);
        return false;
    case QEvent::Hide:
        // A window that cannot be seen keeps no pixels; showing it paints it again.
        if (mainWidget && !impl->nativeControl) impl->DropSurface();
        return false;
    case QEvent::FocusIn:
    {
        // A menu or a list that drops down keeps the focus where it is, as on this desktop: the
        // window holding it neither loses nor gets it again.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) return false;
        WndImpl* old = g_lastFocus ? BridgedAncestor(g_lastFocus) : nullptr;
        g_lastFocus = qobject_cast<QWidget*>(watched);
        if (old == impl) return false;
        // Where the keyboard moves the focus is brought into view; what the mouse points at shows
        // already, and a window the focus comes back to shows as the user left it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool bringIntoView =
            reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
        auto keep = impl->shared_from_this();
        impl->Dispatch(WM_SETFOCUS, WPARAM(static_cast<HWND>(old)), 0, event, watched);
        if (bringIntoView && keep->alive && keep->owner && keep->widget && keep->widget->hasFocus()) BringIntoView(*keep->owner);
        return true;
    }
    case QEvent::FocusOut:
    {
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) return false;
        WndImpl* next = BridgedAncestor(QApplication::focusWidget());
        if (next == impl) return false;
        impl->Dispatch(WM_KILLFOCUS, WPARAM(static_cast<HWND>(next)), 0, event, watched);
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return HandleKey(*impl, watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return HandleMouse(impl, watched, static_cast<QMouseEvent*>(event));
    case QEvent::Wheel: return HandleWheel(*impl, watched, static_cast<QWheelEvent*>(event));
    case QEvent::Timer:
    {
        const int qtId = static_cast<QTimerEvent*>(event)->timerId();
        for (const auto& [id, timer] : impl->timers)
            if (timer == qtId)
            {
                impl->Dispatch(WM_TIMER, id, 0);
                return true;
            }
        return false;
    }
    case QEvent::ToolTip: return HandleToolTip(*impl, watched, static_cast<QHelpEvent*>(event));
    case QEvent::Close:
        if (!mainWidget) return false;
        event->ignore();
        impl->Dispatch(WM_CLOSE, 0, 0);
        return true;
    case QEvent::ContextMenu:
    {
        const QPoint g = static_cast<QContextMenuEvent*>(event)->globalPos();
        impl->Dispatch(WM_CONTEXTMENU, WPARAM(static_cast<HWND>(impl)), MAKELPARAM(g.x(), g.y()), event, watched);
        return true;
    }
    default: return false;
    }
}

std::mutex& LiveMutex()
{
    static std::mutex m;
    return m;
}
std::unordered_set<const WndImpl*>& Live()
{
    static std::unordered_set<const WndImpl*> live;
    return live;
}
} // namespace

// ---- registry

WndImpl* WndImpl::FromWidget(const QObject* w)
{
    auto it = Widgets().find(w);
    return it == Widgets().end() ? nullptr : it->second;
}

WndImpl* WndImpl::From(HWND h)
{
    std::lock_guard lock(LiveMutex());
    auto* impl = static_cast<WndImpl*>(h);
    return Live().count(impl) ? impl : nullptr;
}

void SetLive(WndImpl& impl, bool live)
{
    std::lock_guard lock(LiveMutex());
    impl.alive = live;
    if (live) Live().insert(&impl);
    else Live().erase(&impl);
}

bool PostToWindow(HWND hwnd, const MSG& msg)
{
    std::lock_guard lock(LiveMutex());
    auto* impl = static_cast<WndImpl*>(hwnd);
    if (!Live().count(impl) || !impl->widget) return false;
    QCoreApplication::postEvent(impl->widget, new PostedMessageEvent(msg));
    return true;
}

void BridgeWidget(WndImpl& impl, QWidget* widget)
{
    Widgets()[widget] = &impl;
    widget->installEventFilter(&Filter());
    QObject::connect(widget, &QObject::destroyed, [widget] { Widgets().erase(widget); });
}

void UnbridgeWidgets(WndImpl& impl)
{
    for (auto it = Widgets().begin(); it != Widgets().end();)
        it = it->second == &impl ? Widgets().erase(it) : std::next(it);
    if (g_capture == &impl) g_capture = nullptr;
}

WndImpl*& CaptureWindow() { return g_capture; }
bool InsideMessageHandler() { return g_dispatchDepth > 0; }
QPoint LastCursorPos() { return g_cursorPos; }
bool KeyIsDown(int vk) { return vk >= 0 && vk < 256 && g_keyDown[std::size_t(vk)]; }
bool KeyIsToggled(int vk) { return vk >= 0 && vk < 256 && g_keyToggled[std::size_t(vk)]; }

void SendToControl(QObject* target, QEvent* event)
{
    QEvent* saved = std::exchange(g_passing, event);
    QCoreApplication::sendEvent(target, event);
    g_passing = saved;
}

// Runs the default processing of a native control: the event behind the message goes back to
// the control once; messages sent without an event are given to the control as new events.
bool PassEventToControl(WndImpl& impl, UINT message)
{
    if (impl.frames.empty()) return false;
    MessageFrame& f = impl.frames.back();
    if (!f.event || f.msg.message != message || f.defaultDone) return false;
    // A control that is off has no use for the wheel (the toolkit would count it as taken): it
    // goes on to the parent, so that a bar scrolls over its disabled boxes too.
    if (const auto* control = qobject_cast<QWidget*>(f.target); message == WM_MOUSEWHEEL && control && !control->isEnabled())
        return false;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        if (CharOf(static_cast<QKeyEvent*>(f.event))) return true; // handled with the character
    f.defaultDone = true;
    // The control's handling may send messages to this window again (a picker's change notice
    // whose handler reads the picker back): nothing of the frame is read after it.
    QEvent* const event = f.event;
    QObject* const target = f.target;
    if (message == WM_MOUSEWHEEL) event->accept();
    SendToControl(target, event);
    // A wheel the control has no use for (a text box) goes on to the parent, as on the original
    // platform, so that a scrolled page scrolls wherever the pointer rests on it.
    return message != WM_MOUSEWHEEL || event->isAccepted();
}

// ---- dispatch and painting

LRESULT WndImpl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, QEvent* event, QObject* target)
{
    if (!owner) return 0;
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
    {
        LRESULT result = 0;
        auto keep = shared_from_this();
        QMetaObject::invokeMethod(
            widget, [&] { result = keep->Dispatch(message, wParam, lParam); }, Qt::BlockingQueuedConnection);
        return result;
    }
    auto keep = shared_from_this();
    MessageFrame frame;
    frame.msg.hwnd = this;
    frame.msg.message = message;
    frame.msg.wParam = wParam;
    frame.msg.lParam = lParam;
    frame.msg.pt = {g_cursorPos.x(), g_cursorPos.y()};
    frame.event = event;
    frame.target = target ? target : widget.data();
    frames.push_back(frame);
    ++g_dispatchDepth;
    const LRESULT result = owner ? owner->WindowProc(message, wParam, lParam) : 0;
    --g_dispatchDepth;
    frames.pop_back();
    return result;
}

bool WndImpl::InDialog() const
{
    for (QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget())
        if (WndImpl* p = FromWidget(w); p && p->isDialog) return true;
    return false;
}

void WndImpl::Invalidate(const QRegion& region, bool erase)
{
    if (nativeControl)
    {
        if (widget) widget->update(region);
        return;
    }
    const QRegion added = region & ClientRect();
    if (added.isEmpty()) return;
    invalid |= added;
    erasePending = erasePending || erase;
    SchedulePaint();
}

void WndImpl::SchedulePaint()
{
    if (paintPosted || !widget) return;
    paintPosted = true;
    QCoreApplication::postEvent(widget, new QEvent(QEvent::Type(kPaintRequestEvent)), Qt::LowEventPriority);
}

void WndImpl::ReportGeometry()
{
    if (!widget || !owner) return;
    auto keep = shared_from_this();
    const QSize size = ClientRect().size();
    if (size != reportedSize)
    {
        reportedSize = size;
        if (!nativeControl)
        {
            ResizeSurface(size);
            Invalidate(ClientRect(), true);
        }
        const UINT type = !widget->isWindow()     ? SIZE_RESTORED
                          : widget->isMinimized() ? SIZE_MINIMIZED
                          : widget->isMaximized() ? SIZE_MAXIMIZED
                                                  : SIZE_RESTORED;
        Dispatch(WM_SIZE, type, MAKELPARAM(size.width(), size.height()));
    }
    const QPoint pos = widget->isWindow() ? widget->geometry().topLeft() : widget->pos();
    if (alive && pos != reportedPos)
    {
        reportedPos = pos;
        Dispatch(WM_MOVE, 0, MAKELPARAM(pos.x(), pos.y()));
    }
}

void PaintWidget::paintEvent(QPaintEvent* event)
{
    WndImpl* impl = WndImpl::FromWidget(this);
    if (!impl) return;
    auto keep = impl->shared_from_this();
    // A parent moved or resized: the kept pixels follow the part that shows now.
    if (impl->alive && !impl->surface->image.isNull()) impl->EnsureSurface();
    if (impl->alive && impl->redraw && !impl->invalid.isEmpty() && !impl->qtPainting)
    {
        impl->qtPainting = event->region();
        impl->paintPosted = false;
        impl->PaintInvalid();
        keep->qtPainting.reset();
    }
    const QImage& image = impl->surface->image;
    if (image.isNull()) return; // covered by the children: nothing of this window shows
    QPainter p(this);
    const QRect kept = impl->surface->Area();
    // Only a picture of the whole window (a grab) asks for what lies out of sight.
    if (!kept.contains(event->rect())) p.fillRect(event->rect(), ToQColor(impl->hasBackground ? impl->background : 0xFFFFFF));
    for (const QRect& r : event->region() & kept) p.drawImage(r, image, impl->surface->Physical(r));
}

// ---- paint contexts

void AttachDcToWindow(CDC& dc, WndImpl& wnd, std::optional<QRegion> limit)
{
    wnd.EnsureSurface();
    DcState& s = dc.State();
    s.surface = wnd.surface;
    s.widget = wnd.nativeControl ? nullptr : wnd.widget.data();
    s.window = wnd.owner;
    s.limit = std::move(limit);
}

QRegion BeginPaintRegion(WndImpl& wnd, PAINTSTRUCT& paint)
{
    // Only the part that shows is painted (and validated); the rest when it comes into sight.
    wnd.EnsureSurface();
    const QRegion region = wnd.ShownInvalid();
    wnd.invalid &= wnd.ClientRect();
    wnd.invalid -= region;
    const bool erase = wnd.erasePending;
    wnd.erasePending = erase && !wnd.invalid.isEmpty();
    paint.fErase = FALSE;
    if (erase && !region.isEmpty())
    {
        CDC eraseDc;
        AttachDcToWindow(eraseDc, wnd, region);
        paint.fErase = wnd.Dispatch(WM_ERASEBKGND, WPARAM(eraseDc.m_hDC), 0) ? FALSE : TRUE;
    }
    paint.rcPaint = region.isEmpty() ? CRect() : FromQRect(region.boundingRect());
    return region;
}

void EndPaintRegion(WndImpl& wnd, const QRegion& region) { wnd.ShowChanged(region); }

CPaintDC::CPaintDC(CWnd* window) : m_window(window)
{
    WndImpl* impl = window ? window->Impl() : nullptr;
    if (!impl || !impl->alive) return;
    const QRegion region = BeginPaintRegion(*impl, m_ps);
    AttachDcToWindow(*this, *impl, region);
    m_ps.hdc = m_hDC;
    m_hWnd = window->m_hWnd;
}

CPaintDC::~CPaintDC()
{
    WndImpl* impl = m_window ? m_window->Impl() : nullptr;
    if (impl && State().limit) EndPaintRegion(*impl, *State().limit);
}

CClientDC::CClientDC(CWnd* window)
{
    WndImpl* impl = window ? window->Impl() : nullptr;
    if (!impl || !impl->alive) return;
    AttachDcToWindow(*this, *impl, std::nullopt);
    m_hWnd = window->m_hWnd;
}

CClientDC::~CClientDC() = default;

// ---- keyboard state and cursor position

SHORT GetKeyState(int virtualKey)
{
    return SHORT((KeyIsDown(virtualKey) ? 0x8000 : 0) | (KeyIsToggled(virtualKey) ? 1 : 0));
}

SHORT GetAsyncKeyState(int virtualKey) { return SHORT(KeyIsDown(virtualKey) ? 0x8000 : 0); }

BOOL GetCursorPos(LPPOINT point)
{
    if (!point) return FALSE;
    *point = {g_cursorPos.x(), g_cursorPos.y()};
    return TRUE;
}
