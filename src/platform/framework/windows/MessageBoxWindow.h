#pragma once
// The window form of the message-box service: boxes shown as modal dialogs with the icon, the
// buttons and the default button of their MB_ flags. The application installs it at start-up;
// tests keep their recording handler.
#include "platform/framework/MessageBoxService.h"

// Makes AfxMessageBox show real boxes from now on.
void InstallWindowMessageBox();
// Shows one box now (the window form itself), with a caption; the application's name when empty.
int ShowMessageBoxWindow(const CString& text, const CString& caption, UINT type);

// A caption for the boxes shown while it lives (CWnd::MessageBox passes its caption this way).
class CMessageBoxCaption
{
public:
    explicit CMessageBoxCaption(const CString& caption);
    ~CMessageBoxCaption();
    CMessageBoxCaption(const CMessageBoxCaption&) = delete;
    CMessageBoxCaption& operator=(const CMessageBoxCaption&) = delete;
    static const CString& Current();

private:
    CString m_previous;
};
