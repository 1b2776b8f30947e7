#pragma once
// The framework's file dialog in a replaceable form: the window layer installs a handler that
// shows the dialog, tests install one that records the request and answers it; without either
// the dialog is only logged and cancelled.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <functional>

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;

struct SFileDialogRequest
{
    bool open = false;        // an open dialog; false: a save dialog
    CString title;            // empty: the framework's standard title
    CString defaultExtension; // without its dot
    CString initialName;      // a file name, or a path whose folder the dialog starts in
    CString filter;           // "name|pattern|...|" pairs, as the framework gives them
    DWORD flags = 0;
};

// Shows the dialog: true and the chosen path, or false when cancelled.
using FileDialogHandler = std::function<bool(const SFileDialogRequest& request, CString& path)>;

// Installs the handler and returns the one it replaces; an empty handler brings back the
// default (log, cancel).
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

bool RunFileDialog(const SFileDialogRequest& request, CString& path);
