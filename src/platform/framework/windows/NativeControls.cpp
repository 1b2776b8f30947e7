#include "platform/framework/windows/NativeControls.h"

#include "platform/framework/windows/WindowBridge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <array>

void NotifyParent(WndImpl& impl, UINT code)
{
    if (!impl.widget || !impl.alive) return;
    WndImpl* parent = WndImpl::FromWidget(impl.widget->parentWidget());
    if (parent && parent->alive)
        parent->Dispatch(WM_COMMAND, MAKEWPARAM(int(impl.id), int(code)), LPARAM(static_cast<HWND>(&impl)));
}

void TakeFocusWithTheWheelOnly(QWidget* control)
{
    // Not by the wheel itself: a click or the keyboard puts the focus in the control.
    control->setFocusPolicy(Qt::StrongFocus);
}

LRESULT WheelUnlessFocused(WndImpl& impl, QWidget* control, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = !control->hasFocus();
    if (!handled) return 0;
    CWnd* parent = impl.owner ? impl.owner->GetParent() : nullptr;
    return parent ? parent->SendMessage(WM_MOUSEWHEEL, wParam, lParam) : 0;
}

QWidget* CreateNativeControl(WndImpl& impl, const QString& upperClass, QWidget* parent)
{
    impl.controlClass = upperClass;
    if (upperClass == QLatin1String("SCROLLBAR")) return CreateScrollBarControl(impl, parent);
    if (upperClass == QLatin1String("EDIT")) return CreateEditControl(impl, parent);
    if (upperClass == QLatin1String("LISTBOX")) return CreateListBoxControl(impl, parent);
    if (upperClass == QLatin1String("BUTTON")) return CreateButtonControl(impl, parent);
    if (upperClass == QLatin1String("STATIC")) return CreateStaticControl(impl, parent);
    if (upperClass == QLatin1String("COMBOBOX")) return CreateComboBoxControl(impl, parent);
    if (upperClass == QLatin1String("SYSTABCONTROL32")) return CreateTabControl(impl, parent);
    if (upperClass == QLatin1String("SYSDATETIMEPICK32")) return CreateDateTimeControl(impl, parent);
    if (upperClass == QLatin1String("MSCTLS_PROGRESS32")) return CreateProgressControl(impl, parent);
    if (upperClass == QLatin1String("SYSTREEVIEW32")) return CreateTreeViewControl(impl, parent);
    if (QWidget* painted = CreatePaintedControl(impl, upperClass, parent)) return painted;
    impl.controlClass.clear();
    return nullptr;
}

// Messages sent to a native control without a Qt event behind them become events.
LRESULT NativeDefault(WndImpl& impl, UINT message, WPARAM wParam, LPARAM lParam)
{
    QWidget* w = impl.widget;
    if (!w) return 0;
    switch (message)
    {
    case WM_CHAR:
    {
        QKeyEvent press(QEvent::KeyPress, wParam == 8 ? int(Qt::Key_Backspace) : 0, Qt::NoModifier,
                        wParam == 8 ? QString() : QString::fromUcs4(std::array<char32_t, 1>{char32_t(wParam)}.data(), 1));
        SendToControl(w, &press);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    {
        const int key = QtKeyFromVirtualKey(UINT(wParam));
        if (!key) return 0;
        Qt::KeyboardModifiers mods;
        if (GetKeyState(VK_SHIFT) < 0) mods |= Qt::ShiftModifier;
        if (GetKeyState(VK_CONTROL) < 0) mods |= Qt::ControlModifier;
        QKeyEvent e(message == WM_KEYDOWN ? QEvent::KeyPress : QEvent::KeyRelease, key, mods);
        SendToControl(w, &e);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    {
        const QPointF p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const QEvent::Type type = message == WM_LBUTTONDOWN ? QEvent::MouseButtonPress
                                  : message == WM_LBUTTONUP ? QEvent::MouseButtonRelease
                                                            : QEvent::MouseButtonDblClick;
        QMouseEvent e(type, p, w->mapToGlobal(p), Qt::LeftButton,
                      message == WM_LBUTTONUP ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        SendToControl(w, &e);
        return 0;
    }
    default: return 0;
    }
}
