#include "platform/framework/windows/FocusReturn.h"

#include <QApplication>

CFocusReturn::CFocusReturn() : m_opener(QApplication::focusWidget()) {}

CFocusReturn::~CFocusReturn()
{
    QWidget* opener = m_opener;
    if (!opener || !opener->isVisible() || !opener->isEnabled())
        return;
    // Another modal window still up (the one this one was opened from) keeps the keyboard.
    const QWidget* modal = QApplication::activeModalWidget();
    QWidget* window = opener->window();
    if (modal && modal != window)
        return;
    if (QApplication::activeWindow() != window)
        QApplication::setActiveWindow(window);
    if (QApplication::focusWidget() != opener)
        opener->setFocus(Qt::OtherFocusReason);
}
