#pragma once
// Private to the window layer: the event plumbing between Qt widgets and window messages.
#include "platform/framework/windows/QtBridge.h"

#include <QEvent>

inline constexpr int kPostedMessageEvent = QEvent::User + 101;
inline constexpr int kPaintRequestEvent = QEvent::User + 102;

// A message queued by PostMessage.
class PostedMessageEvent : public QEvent
{
public:
    explicit PostedMessageEvent(const MSG& m) : QEvent(QEvent::Type(kPostedMessageEvent)), msg(m) {}
    MSG msg;
};

// The widget of a window that paints itself: it shows the window's kept pixels, after letting
// the window paint what is invalid.
class PaintWidget : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};

void SetLive(WndImpl& impl, bool live);
bool PostToWindow(HWND hwnd, const MSG& msg);
void UnbridgeWidgets(WndImpl& impl);
WndImpl*& CaptureWindow();
QPoint LastCursorPos();
bool PassEventToControl(WndImpl& impl, UINT message);
// Gives an event to a control's widget past the window's own handling.
void SendToControl(QObject* target, QEvent* event);
// The widget whose cursor SetCursor changes (the one under the mouse).
void SetCursorTarget(QWidget* widget);
