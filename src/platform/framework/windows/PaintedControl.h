#pragma once
// Controls drawn with QPainter inside the platform layer (the chart is one). A control kind is
// registered under a window class name; a window created with that class (CWnd::Create,
// CreateEx or a dialog template) gets a new control object from the factory. The control paints
// the client area at the screen's device pixel ratio in logical coordinates and sees each
// message of the window before its default processing, after the window's own handlers.
// For platform code only: it speaks Qt.
#include "platform/framework/windows/CWnd.h"

#include <QImage>

#include <functional>
#include <memory>

class QPainter;

class CPaintedControl
{
public:
    virtual ~CPaintedControl() = default;
    // Paints the whole client area (logical coordinates; the painter is already scaled).
    virtual void Paint(QPainter& painter, const QRect& clientRect) = 0;
    // A message of the window before its default processing: true when the control took it,
    // with the message's result in `result`.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // The window the control draws; null before creation completes and after destruction.
    CWnd* GetWindow() const { return CWnd::FromHandle(m_hWnd); }
    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    friend struct PaintedControlAccess;
    HWND m_hWnd = nullptr;
};

using PaintedControlFactory = std::function<std::unique_ptr<CPaintedControl>()>;

// Registers a window class name (compared without case); false when the name is taken by a
// native control or another painted control.
bool RegisterPaintedControl(const CString& className, PaintedControlFactory factory);
// The control object of a window made from a registered class; null for any other window.
CPaintedControl* GetPaintedControl(const CWnd* window);
// The control's picture at a logical size. Screen pictures (captures) pass the screen's device
// pixel ratio; pictures for files whose format fixes the size in pixels pass 1.
QImage RenderPaintedControl(const CWnd& window, QSize logicalSize, qreal devicePixelRatio = 1.0);
// The device pixel ratio of the screen a window is on (1 without a window).
qreal DevicePixelRatioOf(const CWnd* window);
