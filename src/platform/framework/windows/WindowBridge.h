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
    explicit PaintWidget(QWidget* parent) : QWidget(parent)
    {
        // Every pixel comes from the window's own: Qt need not clear anything first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override;
};

void SetLive(WndImpl& impl, bool live);
bool PostToWindow(HWND hwnd, const MSG& msg);
void UnbridgeWidgets(WndImpl& impl);
WndImpl*& CaptureWindow();
// Whether a message is being handled (widgets of destroyed windows may still be on the stack).
bool InsideMessageHandler();
QPoint LastCursorPos();
// Gives the Qt event behind the message to the control; false when there is none, or for a
// wheel the control did not take.
bool PassEventToControl(WndImpl& impl, UINT message);
// Gives an event to a control's widget past the window's own handling.
void SendToControl(QObject* target, QEvent* event);
// Asks the owner of a native control for its colours and puts them into the control's palette;
// called before the control paints.
void PrepareControlColors(WndImpl& impl);
// The widget whose cursor SetCursor changes (the one under the mouse).
void SetCursorTarget(QWidget* widget);
