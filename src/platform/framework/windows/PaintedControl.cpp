#include "platform/framework/windows/PaintedControl.h"

#include "platform/framework/windows/NativeControls.h"

#include <QPainter>
#include <QPaintEvent>
#include <QWindow>

#include <map>

struct PaintedControlAccess
{
    static void Bind(CPaintedControl& control, HWND hwnd) { control.m_hWnd = hwnd; }
};

namespace
{
std::map<QString, PaintedControlFactory>& Registry()
{
    static std::map<QString, PaintedControlFactory> registry;
    return registry;
}

bool IsNativeClass(const QString& upper)
{
    static const char* const kNative[] = {"SCROLLBAR", "EDIT", "LISTBOX", "BUTTON", "STATIC", "COMBOBOX",
                                          "SYSTABCONTROL32", "SYSDATETIMEPICK32", "MSCTLS_PROGRESS32"};
    for (const char* name : kNative)
        if (upper == QLatin1String(name)) return true;
    return false;
}

// The widget of a painted control: Qt's backing store gives it the device pixel ratio, so the
// control keeps no pixels of its own. Input is taken here so that Qt does not hand it on to the
// parent once the control's default processing has seen it.
class PaintedWidget : public QWidget
{
public:
    PaintedWidget(QWidget* parent, std::shared_ptr<CPaintedControl> control)
        : QWidget(parent), m_control(std::move(control))
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_control->Paint(painter, rect());
    }
    bool event(QEvent* e) override
    {
        switch (e->type())
        {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease: e->accept(); return true;
        default: return QWidget::event(e);
        }
    }

private:
    std::shared_ptr<CPaintedControl> m_control;
};
} // namespace

bool CPaintedControl::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool RegisterPaintedControl(const CString& className, PaintedControlFactory factory)
{
    const QString upper = ToQString(className).toUpper();
    if (upper.isEmpty() || !factory || IsNativeClass(upper) || Registry().count(upper)) return false;
    Registry().emplace(upper, std::move(factory));
    return true;
}

QWidget* CreatePaintedControl(WndImpl& impl, const QString& upperClass, QWidget* parent)
{
    const auto it = Registry().find(upperClass);
    if (it == Registry().end()) return nullptr;
    std::shared_ptr<CPaintedControl> control = it->second();
    if (!control) return nullptr;
    PaintedControlAccess::Bind(*control, &impl);
    impl.painted = control;
    impl.controlProc = [](WndImpl& w, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
        LRESULT result = 0;
        handled = w.painted && w.painted->OnMessage(message, wParam, lParam, result);
        return result;
    };
    return new PaintedWidget(parent, std::move(control));
}

CPaintedControl* GetPaintedControl(const CWnd* window)
{
    return window && window->Impl() ? window->Impl()->painted.get() : nullptr;
}

QImage RenderPaintedControl(const CWnd& window, QSize logicalSize, qreal devicePixelRatio)
{
    CPaintedControl* control = GetPaintedControl(&window);
    if (!control || logicalSize.isEmpty() || devicePixelRatio <= 0) return {};
    QImage image(logicalSize * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    control->Paint(painter, QRect(QPoint(0, 0), logicalSize));
    return image;
}

qreal DevicePixelRatioOf(const CWnd* window)
{
    QWidget* w = WidgetOf(window);
    return w ? w->devicePixelRatioF() : 1.0;
}
