#pragma once
// Shared pieces of the window-layer tests: the application object, a window that records the
// messages it receives, and input synthesized as Qt events.
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/QtBridge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

class WindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }
    void TearDown() override { CFrameworkApp::PumpWaitingMessages(); }
};

struct RecordedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Records every message that reaches WindowProc, then handles it as a plain window does.
class RecordingWnd : public CWnd
{
public:
    std::vector<RecordedMessage> messages;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<UINT> Numbers(std::initializer_list<UINT> only = {}) const
    {
        std::vector<UINT> out;
        for (const auto& m : messages)
            if (only.size() == 0 || std::find(only.begin(), only.end(), m.message) != only.end()) out.push_back(m.message);
        return out;
    }
    const RecordedMessage* Last(UINT message) const
    {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it)
            if (it->message == message) return &*it;
        return nullptr;
    }
};

inline QWidget* Widget(CWnd& w) { return WidgetOf(&w); }

inline void SendKey(CWnd& w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Widget(w);
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QCoreApplication::sendEvent(target, &release);
}

inline void SendMouse(CWnd& w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget* widget = Widget(w);
    QMouseEvent e(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button, buttons, mods);
    QCoreApplication::sendEvent(widget, &e);
}
