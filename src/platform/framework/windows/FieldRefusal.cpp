#include "platform/framework/windows/FieldRefusal.h"

#include "platform/framework/MessageBoxService.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

struct SPendingRefusal
{
    CString text;
    QPointer<QWidget> field;
};

SPendingRefusal& Pending()
{
    static SPendingRefusal pending;
    return pending;
}

} // namespace

void TellRefusalLater(const CString& text, QWidget* field)
{
    const bool queued = !Pending().text.IsEmpty();
    Pending() = {text, field};
    if (queued)
        return;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        const SPendingRefusal refusal = std::exchange(Pending(), SPendingRefusal{});
        AfxMessageBox(refusal.text.GetString(), MB_ICONEXCLAMATION);
        if (refusal.field && refusal.field->isVisible())
            refusal.field->setFocus(Qt::OtherFocusReason);
    });
}
