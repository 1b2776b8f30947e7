#pragma once
// The file dialog as a window, for the file-dialog service: the service's request in plain
// arguments, so that this header needs neither the service's nor the dialog's declarations.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

class CWnd;

// True and the chosen path, or false when cancelled.
bool ShowFileDialogWindow(bool open, const CString& title, const CString& defaultExtension, const CString& initialName,
                          const CString& filter, DWORD flags, CWnd* parent, CString& path);
