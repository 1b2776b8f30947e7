#pragma once
// "Open Log File...": the log is still being written, so the user gets a copy of it in the
// temporary folder ("kem_log_<process id>.txt"), opened with the desktop's viewer for text.
#include "platform/framework/CString.h"

#include <functional>

// Opens a file with the desktop's application for it; false when that cannot be started.
using DesktopOpener = std::function<bool(const CString& path)>;

enum class ELogFileResult { kOpened, kNoLog, kNotCopied, kNoViewer };

// Copies the current log to the temporary file and opens the copy (logged when it fails). An
// empty opener means xdg-open.
ELogFileResult OpenLogFileCopy(const DesktopOpener& opener = {});
// The temporary copy's path for this process.
CString GetLogCopyPath();
// Starts xdg-open on the path; false when it cannot be started or soon reports that it found no
// application. It is not waited for longer: some viewers keep it running.
bool OpenWithDesktop(const CString& path);
