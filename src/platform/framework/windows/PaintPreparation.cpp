#include "platform/framework/windows/PaintPreparation.h"

#include "platform/framework/windows/WindowBridge.h"

#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
std::vector<QPointer<QWidget>>& Waiting()
{
    static std::vector<QPointer<QWidget>> controls;
    return controls;
}
} // namespace

void PrepareBeforePaint(QWidget& control)
{
    std::vector<QPointer<QWidget>>& waiting = Waiting();
    if (std::find(waiting.begin(), waiting.end(), &control) == waiting.end()) waiting.emplace_back(&control);
}

void PrepareWaitingControls()
{
    // A hidden control waits again when it shows.
    for (const QPointer<QWidget>& control : std::exchange(Waiting(), {}))
    {
        if (!control || !control->isVisible()) continue;
        if (WndImpl* impl = WndImpl::FromWidget(control); impl && impl->widget == control && impl->nativeControl)
            PrepareControlColors(*impl);
        // The height for its own width lays the text out as the paint would, at that width.
        if (auto* label = qobject_cast<QLabel*>(control.data())) label->heightForWidth(label->width());
    }
}
