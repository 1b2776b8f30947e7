#include "platform/framework/windows/WindowTesting.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/QtBridge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QToolTip>
#include <QWheelEvent>

namespace
{
Qt::KeyboardModifiers Modifiers(UINT flags)
{
    Qt::KeyboardModifiers mods;
    if (flags & MK_SHIFT) mods |= Qt::ShiftModifier;
    if (flags & MK_CONTROL) mods |= Qt::ControlModifier;
    return mods;
}
} // namespace

void SimulateMouse(CWnd& window, UINT message, CPoint point, UINT keyFlags)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return;
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons = Qt::NoButton;
    switch (message)
    {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress, button = Qt::LeftButton, buttons = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease, button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick, button = Qt::LeftButton, buttons = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress, button = Qt::RightButton, buttons = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease, button = Qt::RightButton; break;
    default:
        if (keyFlags & MK_LBUTTON) buttons |= Qt::LeftButton;
        if (keyFlags & MK_RBUTTON) buttons |= Qt::RightButton;
        break;
    }
    const QPointF p(point.x, point.y);
    QMouseEvent e(type, p, widget->mapToGlobal(p), button, buttons, Modifiers(keyFlags));
    QCoreApplication::sendEvent(widget, &e);
}

void SimulateWheel(CWnd& window, CPoint point, int delta)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return;
    const QPointF p(point.x, point.y);
    QWheelEvent e(p, widget->mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &e);
}

void SimulateKey(CWnd& window, UINT virtualKey, UINT keyFlags)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : WidgetOf(&window);
    if (!target) return;
    const int key = QtKeyFromVirtualKey(virtualKey);
    QString text;
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        text = QString(QChar((keyFlags & MK_SHIFT) || virtualKey <= '9' ? char(virtualKey) : char(virtualKey - 'A' + 'a')));
    else if (virtualKey == VK_SPACE) text = QStringLiteral(" ");
    QKeyEvent press(QEvent::KeyPress, key, Modifiers(keyFlags), text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Modifiers(keyFlags), text);
    QCoreApplication::sendEvent(target, &release);
}

COLORREF GetShownPixel(CWnd& window, CPoint point)
{
    CFrameworkApp::PumpWaitingMessages();
    const QImage image = WindowImage(window);
    const QPoint device = QPointF(QPointF(point.x, point.y) * image.devicePixelRatio()).toPoint();
    return image.valid(device) ? FromQRgb(image.pixel(device)) : CLR_INVALID;
}

BOOL SaveWindowPicture(CWnd& window, const CString& path)
{
    CFrameworkApp::PumpWaitingMessages();
    QWidget* widget = WidgetOf(&window);
    return widget && widget->grab().save(ToQString(path), "PNG");
}

CString SimulateHover(CWnd& window, CPoint point)
{
    QWidget* widget = WidgetOf(&window);
    if (!widget) return {};
    QHelpEvent help(QEvent::ToolTip, QPoint(point.x, point.y), widget->mapToGlobal(QPoint(point.x, point.y)));
    QCoreApplication::sendEvent(widget, &help);
    // A hidden tip keeps its text a while, so the shown text is compared with the one asked for.
    const CString expected = window.GetToolTipTextAt(point);
    return !expected.IsEmpty() && QToolTip::isVisible() && QToolTip::text() == ToQString(expected) ? expected : CString();
}
