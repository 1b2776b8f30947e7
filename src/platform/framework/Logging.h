#pragma once
// The application's log: glog under the name "Kem", every severity written into one file (the
// warning, error and fatal destinations are left empty, so nothing is split off). Code logs with
// LOG(INFO) whether or not the log was started; without it glog writes to standard error.
#include "platform/framework/CString.h"

#include <filesystem>

// Starts the log with its file in `folder` (created when missing); false when already started.
bool InitLogging(const std::filesystem::path& folder);
// Flushes and closes the log; nothing when it was not started.
void ShutdownLogging();
// The full path of the file the log writes now; empty when the log is not started.
CString GetLogFileName();
