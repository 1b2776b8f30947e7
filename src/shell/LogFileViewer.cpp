#include "shell/LogFileViewer.h"

#include "platform/framework/Logging.h"

#include <glog/logging.h>

#include <chrono>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
constexpr int kViewerStartWaitMs = 1500;
constexpr int kViewerPollMs = 50;
} // namespace

CString GetLogCopyPath()
{
    const std::string name = "kem_log_" + std::to_string(::getpid()) + ".txt";
    return (std::filesystem::temp_directory_path() / name).string();
}

bool OpenWithDesktop(const CString& path)
{
    const std::string file = path.str();
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(file.c_str()), nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) {
        LOG(INFO) << "xdg-open could not be started for " << file;
        return false;
    }
    // A failure shows at once (no application for the file, no desktop); a viewer that started
    // may keep xdg-open waiting, and it is reaped whenever it ends.
    for (int waited = 0; waited < kViewerStartWaitMs; waited += kViewerPollMs) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            const bool started = WIFEXITED(status) && WEXITSTATUS(status) == 0;
            if (!started)
                LOG(INFO) << "xdg-open found no viewer for " << file;
            return started;
        }
        if (ended < 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kViewerPollMs));
    }
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}

ELogFileResult OpenLogFileCopy(const DesktopOpener& opener)
{
    const CString log = GetLogFileName();
    if (log.IsEmpty()) {
        LOG(INFO) << "Open Log File: no log file is written";
        return ELogFileResult::kNoLog;
    }
    const CString copy = GetLogCopyPath();
    std::error_code ec;
    std::filesystem::copy_file(log.str(), copy.str(), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        LOG(INFO) << "Open Log File: cannot copy " << log.str() << " to " << copy.str() << ": " << ec.message();
        return ELogFileResult::kNotCopied;
    }
    LOG(INFO) << "Open Log File: " << copy.str();
    const bool opened = opener ? opener(copy) : OpenWithDesktop(copy);
    return opened ? ELogFileResult::kOpened : ELogFileResult::kNoViewer;
}
