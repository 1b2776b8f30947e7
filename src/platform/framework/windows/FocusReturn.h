#pragma once
// Private: the focus back where it was when a modal window (a dialog, a message box) opened, once
// it has closed, as the window system gives a window its focus back: on the control that opened
// it, not wherever the toolkit's restore lands after the page changed under the dialog.
#include <QPointer>
#include <QWidget>

class CFocusReturn
{
public:
    CFocusReturn();
    ~CFocusReturn();
    CFocusReturn(const CFocusReturn&) = delete;
    CFocusReturn& operator=(const CFocusReturn&) = delete;

private:
    QPointer<QWidget> m_opener;
};
