#include "shell/FileDialogWindow.h"

#include "platform/framework/windows/CFileDialog.h"

bool ShowFileDialogWindow(bool open, const CString& title, const CString& defaultExtension, const CString& initialName,
                          const CString& filter, DWORD flags, CWnd* parent, CString& path)
{
    // A name ending with "/" is only the folder to start in.
    const bool folderOnly = initialName.Right(1) == "/";
    CFileDialog dialog(open, defaultExtension.IsEmpty() ? nullptr : defaultExtension.GetString(),
                       initialName.IsEmpty() || folderOnly ? nullptr : initialName.GetString(), flags,
                       filter.IsEmpty() ? nullptr : filter.GetString(), parent);
    if (folderOnly)
        dialog.m_ofn.lpstrInitialDir = initialName;
    if (!title.IsEmpty())
        dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}
