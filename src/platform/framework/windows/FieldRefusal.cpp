#include "platform/framework/windows/FieldRefusal.h"

#include "platform/framework/MessageBoxService.h"

#include <QCoreApplication>
#include <QLineEdit>
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

void Tell(const SPendingRefusal& refusal)
{
    AfxMessageBox(refusal.text.GetString(), MB_ICONEXCLAMATION);
    if (!refusal.field || !refusal.field->isVisible())
        return;
    refusal.field->setFocus(Qt::OtherFocusReason);
    // Selected, so that what is typed next replaces it (the focus it lost took the selection).
    if (auto* line = qobject_cast<QLineEdit*>(refusal.field.data()))
        line->selectAll();
}

} // namespace

void TellRefusalLater(const CString& text, QWidget* field)
{
    const bool queued = !Pending().text.IsEmpty();
    Pending() = {text, field};
    if (queued)
        return;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        // Told already when its dialog was confirmed.
        if (!Pending().text.IsEmpty())
            Tell(std::exchange(Pending(), SPendingRefusal{}));
    });
}

bool TellWaitingRefusalNow(const QWidget* dialog)
{
    const SPendingRefusal& pending = Pending();
    if (pending.text.IsEmpty() || !pending.field || !dialog || !dialog->isAncestorOf(pending.field))
        return false;
    Tell(std::exchange(Pending(), SPendingRefusal{}));
    return true;
}
