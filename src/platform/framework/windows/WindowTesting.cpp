#include "platform/framework/windows/WindowTesting.h"

#include "platform/framework/windows/FittedText.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/PickerEdit.h"
#include "platform/framework/windows/QtBridge.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QKeyEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QBackingStore>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
Qt::KeyboardModifiers Modifiers(UINT flags)
{
    Qt::KeyboardModifiers mods;
    if (flags & MK_SHIFT) mods |= Qt::ShiftModifier;
    if (flags & MK_CONTROL) mods |= Qt::ControlModifier;
    if (flags & MK_ALT) mods |= Qt::AltModifier;
    return mods;
}

struct MouseAction
{
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons = Qt::NoButton;
};

MouseAction MouseActionOf(UINT message, UINT keyFlags)
{
    MouseAction a;
    switch (message)
    {
    case WM_LBUTTONDOWN: a = {QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton}; break;
    case WM_LBUTTONUP: a = {QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton}; break;
    case WM_LBUTTONDBLCLK: a = {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton}; break;
    case WM_RBUTTONDOWN: a = {QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton}; break;
    case WM_RBUTTONUP: a = {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton}; break;
    default:
        if (keyFlags & MK_LBUTTON) a.buttons |= Qt::LeftButton;
        if (keyFlags & MK_RBUTTON) a.buttons |= Qt::RightButton;
        break;
    }
    return a;
}

QString TextOf(UINT virtualKey, UINT keyFlags)
{
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return QString(QChar((keyFlags & MK_SHIFT) || virtualKey <= '9' ? char(virtualKey) : char(virtualKey - 'A' + 'a')));
    if (virtualKey == VK_SPACE) return QStringLiteral(" ");
    // The punctuation of a US keyboard, with Shift its second sign.
    struct SPunctuation
    {
        UINT key;
        char plain;
        char shifted;
    };
    static constexpr SPunctuation kPunctuation[] = {{0xBA, ';', ':'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},
                                                    {0xBE, '.', '>'}, {0xBF, '/', '?'}};
    for (const SPunctuation& p : kPunctuation)
        if (p.key == virtualKey) return QString(QChar((keyFlags & MK_SHIFT) ? p.shifted : p.plain));
    return {};
}

void SendKeyEvent(CWnd& window, QEvent::Type type, UINT virtualKey, UINT keyFlags)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : WidgetOf(&window);
    if (!target) return;
    QKeyEvent e(type, QtKeyFromVirtualKey(virtualKey), Modifiers(keyFlags), TextOf(virtualKey, keyFlags));
    QCoreApplication::sendEvent(target, &e);
}

// A user lets go of the modifiers held for a key after the key itself: without their own releases
// the window layer would report them held until the next input that carries the modifiers.
template <typename SendRelease>
void ReleaseModifiers(UINT keyFlags, SendRelease sendRelease)
{
    static constexpr std::pair<UINT, UINT> kModifierKeys[] = {{MK_SHIFT, VK_SHIFT}, {MK_CONTROL, VK_CONTROL}, {MK_ALT, VK_MENU}};
    for (const auto& [flag, virtualKey] : kModifierKeys)
        if (keyFlags & flag)
        {
            keyFlags &= ~flag;
            sendRelease(virtualKey, keyFlags);
        }
}

// The window system's window of the top-level widget, and where a screen point lies in it.
QWindow* TopLevelWindow(CWnd& anyWindow, CPoint screenPoint, QPointF& local)
{
    QWidget* widget = WidgetOf(&anyWindow);
    if (!widget) return nullptr;
    QWidget* top = widget->window();
    local = top->mapFromGlobal(QPointF(screenPoint.x, screenPoint.y));
    return top->windowHandle();
}
} // namespace

void SimulateMouse(CWnd& window, UINT message, CPoint point, UINT keyFlags)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return;
    const MouseAction action = MouseActionOf(message, keyFlags);
    const QPointF p(point.x, point.y);
    QMouseEvent e(action.type, p, widget->mapToGlobal(p), action.button, action.buttons, Modifiers(keyFlags));
    QCoreApplication::sendEvent(widget, &e);
}

void SimulateScreenMouse(CWnd& anyWindow, UINT message, CPoint screenPoint, UINT keyFlags)
{
    QPointF local;
    QWindow* window = TopLevelWindow(anyWindow, screenPoint, local);
    if (!window) return;
    const MouseAction action = MouseActionOf(message, keyFlags);
    // A press in a window that no modal one blocks makes it the active one, as the window
    // manager does.
    QWidget* top = WidgetOf(&anyWindow)->window();
    if (action.type == QEvent::MouseButtonPress && QApplication::activeWindow() != top &&
        (!QApplication::activeModalWidget() || QApplication::activeModalWidget() == top))
        QApplication::setActiveWindow(top);
    const QPointF global(screenPoint.x, screenPoint.y);
    QMouseEvent e(action.type, local, local, global, action.button, action.buttons, Modifiers(keyFlags));
    QGuiApplication::sendEvent(window, &e);
}

void SimulateWheel(CWnd& window, CPoint point, int delta)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return;
    const QPointF p(point.x, point.y);
    QWheelEvent e(p, widget->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &e);
}

// As the window system delivers a wheel turn: the widget under the pointer or the first holding
// it that takes the focus by the wheel gets it, and the turn goes from the widget under the
// pointer up through its parents until one accepts it. (A synthesized event sent to the window
// would stop at the innermost widget: Qt passes only the system's own events on to parents.)
void SimulateScreenWheel(CWnd& anyWindow, CPoint screenPoint, int delta)
{
    QWidget* top = WidgetOf(&anyWindow) ? WidgetOf(&anyWindow)->window() : nullptr;
    if (!top) return;
    const QPointF global(screenPoint.x, screenPoint.y);
    QWidget* under = top->childAt(top->mapFromGlobal(global).toPoint());
    if (!under) under = top;
    const auto takesWheelFocus = [](const QWidget* w) {
        const QWidget* proxy = w->focusProxy() ? w->focusProxy() : w;
        return (w->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus &&
               (proxy->focusPolicy() & Qt::WheelFocus) == Qt::WheelFocus;
    };
    for (QWidget* w = under; w; w = w->parentWidget())
    {
        if (w->isEnabled() && takesWheelFocus(w))
        {
            w->setFocus(Qt::MouseFocusReason);
            break;
        }
        if (w->isWindow() || w->hasFocus() || (w->focusProxy() && w->focusProxy()->hasFocus())) break;
    }
    for (QPointer<QWidget> w = under; w; w = w->parentWidget())
    {
        QWheelEvent e(w->mapFromGlobal(global), global, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        const bool handled = QCoreApplication::sendEvent(w, &e);
        if (!w || (handled && e.isAccepted()) || w->isWindow()) break;
    }
}

void SimulateKey(CWnd& window, UINT virtualKey, UINT keyFlags)
{
    SimulateKeyDown(window, virtualKey, keyFlags);
    SimulateKeyUp(window, virtualKey, keyFlags);
    ReleaseModifiers(keyFlags, [&window](UINT modifierKey, UINT held) { SimulateKeyUp(window, modifierKey, held); });
}

void SimulateScreenKey(CWnd& anyWindow, UINT virtualKey, UINT keyFlags)
{
    QWidget* widget = WidgetOf(&anyWindow);
    QWindow* window = widget ? widget->window()->windowHandle() : nullptr;
    if (!window) return;
    const auto send = [window](QEvent::Type type, UINT key, UINT flags) {
        QKeyEvent e(type, QtKeyFromVirtualKey(key), Modifiers(flags), TextOf(key, flags));
        QGuiApplication::sendEvent(window, &e);
    };
    send(QEvent::KeyPress, virtualKey, keyFlags);
    send(QEvent::KeyRelease, virtualKey, keyFlags);
    ReleaseModifiers(keyFlags, [&send](UINT modifierKey, UINT held) { send(QEvent::KeyRelease, modifierKey, held); });
}

void SimulateKeyDown(CWnd& window, UINT virtualKey, UINT keyFlags)
{
    SendKeyEvent(window, QEvent::KeyPress, virtualKey, keyFlags);
}

void SimulateKeyUp(CWnd& window, UINT virtualKey, UINT keyFlags)
{
    SendKeyEvent(window, QEvent::KeyRelease, virtualKey, keyFlags);
}

COLORREF GetShownPixel(CWnd& window, CPoint point)
{
    CFrameworkApp::PumpWaitingMessages();
    const QImage image = WindowImage(window);
    const QPoint device = QPointF(QPointF(point.x, point.y) * image.devicePixelRatio()).toPoint();
    return image.valid(device) ? FromQRgb(image.pixel(device)) : CLR_INVALID;
}

std::vector<COLORREF> GetScreenPixelsNow(const CWnd& window, const CRect& screenRect)
{
    std::vector<COLORREF> pixels;
    QWidget* widget = WidgetOf(&window);
    QWidget* top = widget ? widget->window() : nullptr;
    QBackingStore* store = top ? top->backingStore() : nullptr;
    // What the top-level window handed the window system: its backing store, in device pixels.
    const auto* image = store ? dynamic_cast<const QImage*>(store->paintDevice()) : nullptr;
    if (!image || screenRect.IsRectEmpty())
        return pixels;
    const qreal ratio = top->width() > 0 ? qreal(image->width()) / top->width() : 1.0;
    const QPoint origin = top->mapToGlobal(QPoint(0, 0));
    const QRect area((QPointF(screenRect.left - origin.x(), screenRect.top - origin.y()) * ratio).toPoint(),
                     (QSizeF(screenRect.Width(), screenRect.Height()) * ratio).toSize());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            pixels.push_back(image->valid(x, y) ? FromQRgb(image->pixel(x, y)) : CLR_INVALID);
    return pixels;
}

long long GetKeptPixelArea(CWnd& window)
{
    CFrameworkApp::PumpWaitingMessages();
    long long area = 0;
    const auto add = [&area](auto&& self, QWidget* widget) -> void {
        if (const WndImpl* impl = WndImpl::FromWidget(widget); impl && impl->widget == widget)
        {
            const QSize kept = impl->surface->LogicalSize();
            area += (long long)(kept.width()) * kept.height();
        }
        for (QObject* o : widget->children())
            if (auto* child = qobject_cast<QWidget*>(o)) self(self, child);
    };
    if (QWidget* widget = WidgetOf(&window)) add(add, widget);
    return area;
}

namespace
{
CString Quoted(const QString& text) { return "\"" + FromQString(text) + "\""; }

// An edit lower than a line of its font, or scrolling where its style has no scroll bar.
CString DescribeCutEdit(CWnd& control, QWidget& widget)
{
    const int line = widget.fontMetrics().height();
    if (auto* edit = qobject_cast<QLineEdit*>(&widget))
    {
        const QMargins margins = edit->textMargins();
        const int frame = edit->hasFrame() ? 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit) : 0;
        const int room = edit->contentsRect().height() - margins.top() - margins.bottom() - frame;
        return room < line ? CString::Formatted("edit of %d px for a line of %d px", room, line) : CString();
    }
    auto* edit = qobject_cast<QPlainTextEdit*>(&widget);
    if (!edit)
        return {};
    if (edit->verticalScrollBar()->isVisible() && !(control.GetStyle() & WS_VSCROLL))
        return "edit shows a scroll bar its style does not ask for";
    const int room = edit->viewport()->height();
    const QRectF first = edit->document()->documentLayout()->blockBoundingRect(edit->document()->firstBlock());
    const int needed = int(std::ceil(std::min<qreal>(first.height(), line) + first.top()));
    return needed > room ? CString::Formatted("edit of %d px shows its first line of %d px from %d px down", room, line,
                                              int(first.top()))
                         : CString();
}
} // namespace

CString DescribeCutText(CWnd& control)
{
    QWidget* widget = WidgetOf(&control);
    if (!widget || !widget->isVisible())
        return {};
    CString raw;
    control.GetWindowText(raw);
    QString whole = ToQString(raw);
    QString shown;
    QRect room;
    bool wraps = false;
    if (auto* label = qobject_cast<QLabel*>(widget))
    {
        whole = WithoutMnemonics(whole);
        shown = label->text();
        room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
        wraps = label->wordWrap();
    }
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    {
        whole = WithoutMnemonics(whole);
        shown = WithoutMnemonics(button->text());
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        const QStyle::SubElement element = qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                           : qobject_cast<QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                                               : QStyle::SE_PushButtonContents;
        room = button->style()->subElementRect(element, &option, button);
        if (element == QStyle::SE_PushButtonContents && !button->icon().isNull())
            room.setLeft(room.left() + button->iconSize().width() + 4);
    }
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
    {
        whole = WithoutMnemonics(whole);
        shown = WithoutMnemonics(box->title());
        room = box->rect();
    }
    else if (auto* picker = dynamic_cast<CPickerEdit*>(widget))
    {
        // Any date or time it may show, not only the one it shows now.
        const QString widest = picker->WidestText();
        const int needed = picker->fontMetrics().horizontalAdvance(widest);
        return needed > picker->TextRoom() ? CString::Formatted("picker leaves %d px for its text, %s needs %d px",
                                                                picker->TextRoom(), Quoted(widest).GetString(), needed)
                                           : CString();
    }
    else
    {
        const CString edit = DescribeCutEdit(control, *widget);
        return edit.IsEmpty() ? edit : edit + " (" + Quoted(whole) + ")";
    }
    if (whole.isEmpty())
        return {};
    const QFontMetrics metrics = widget->fontMetrics();
    int width = 0;
    int height = metrics.height();
    if (wraps)
    {
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, shown);
        width = needed.width();
        height = needed.height();
    }
    else
        for (const QString& line : shown.split(u'\n'))
            width = std::max(width, metrics.horizontalAdvance(line));
    if (width > room.width() || height > std::max(room.height(), metrics.height()))
        return CString::Formatted("shows %s in %d x %d px where it needs %d x %d px", FromQString(shown).GetString(),
                                  room.width(), room.height(), width, height);
    if (shown == whole)
        return {};
    if (!shown.endsWith(QChar(0x2026)))
        return "shows " + Quoted(shown) + " of " + Quoted(whole) + " without an ellipsis";
    // Hovered through its parent, as the pointer reaches it (a control that lets the mouse
    // through shows no tip).
    CPoint centre(widget->width() / 2, widget->height() / 2);
    CWnd* parent = control.GetParent();
    if (parent)
    {
        control.ClientToScreen(&centre);
        parent->ScreenToClient(&centre);
    }
    const CString tip = SimulateHoverTip(parent ? *parent : control, centre);
    if (tip != FromQString(whole))
        return "cuts " + Quoted(whole) + " to " + Quoted(shown) + " and tells " + (tip.IsEmpty() ? "no tip" : "the tip \"" + tip + "\"");
    return {};
}

CString SimulateHoverTip(CWnd& window, CPoint point)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return {};
    // A tip still fading out from an earlier hover must not count: hide it at once.
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("qtooltip_label")) top->hide();
    // The deepest widget under the point hears the hover first, as the platform delivers it.
    const QPoint p(point.x, point.y);
    QWidget* target = widget->childAt(p);
    if (!target) target = widget;
    const QPoint local = target->mapFrom(widget, p);
    QHelpEvent e(QEvent::ToolTip, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &e);
    return QToolTip::isVisible() ? FromQString(QToolTip::text()) : CString();
}

BOOL SaveWindowPicture(CWnd& window, const CString& path)
{
    CFrameworkApp::PumpWaitingMessages();
    QWidget* widget = WidgetOf(&window);
    if (!widget) return FALSE;
    QImage picture = widget->grab().toImage();
    PaintDragImageOver(picture, widget->mapToGlobal(QPoint(0, 0)));
    return picture.save(ToQString(path), "PNG");
}

std::vector<CString> GetOtherShownWindows(const CWnd* mainWindow)
{
    const QWidget* main = mainWindow ? WidgetOf(mainWindow) : nullptr;
    std::vector<CString> shown;
    for (QWidget* top : QApplication::topLevelWidgets())
    {
        if (!top->isVisible() || (main && top == main->window()) || top->windowType() == Qt::ToolTip) continue;
        shown.push_back(FromQString(QString::fromLatin1(top->metaObject()->className()) + QStringLiteral(": ") +
                                    top->windowTitle()));
    }
    return shown;
}
