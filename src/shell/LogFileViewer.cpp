#include "shell/LogFileViewer.h"

#include "platform/framework/Logging.h"

#include <glog/logging.h>

#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

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
    // Some viewers keep xdg-open waiting; reap it whenever it ends.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}

bool OpenLogFileCopy(const DesktopOpener& opener)
{
    const CString log = GetLogFileName();
    if (log.IsEmpty()) {
        LOG(INFO) << "Open Log File: no log file is written";
        return false;
    }
    const CString copy = GetLogCopyPath();
    std::error_code ec;
    std::filesystem::copy_file(log.str(), copy.str(), std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        LOG(INFO) << "Open Log File: cannot copy " << log.str() << " to " << copy.str() << ": " << ec.message();
        return false;
    }
    LOG(INFO) << "Open Log File: " << copy.str();
    return opener ? opener(copy) : OpenWithDesktop(copy);
}
