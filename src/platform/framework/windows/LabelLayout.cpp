#include "platform/framework/windows/LabelLayout.h"

#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
std::vector<QPointer<QLabel>>& Waiting()
{
    static std::vector<QPointer<QLabel>> labels;
    return labels;
}
} // namespace

void LayOutLabelBeforePaint(QLabel& label)
{
    std::vector<QPointer<QLabel>>& waiting = Waiting();
    if (std::find(waiting.begin(), waiting.end(), &label) == waiting.end()) waiting.emplace_back(&label);
}

void LayOutWaitingLabels()
{
    // A hidden label waits again when it shows. The height for its own width lays the text out
    // as the paint would, at the width it paints at.
    for (const QPointer<QLabel>& label : std::exchange(Waiting(), {}))
        if (label && label->isVisible()) label->heightForWidth(label->width());
}
