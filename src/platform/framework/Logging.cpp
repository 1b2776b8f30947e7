#include "platform/framework/Logging.h"

#include <glog/logging.h>

#include <mutex>
#include <string>
#include <unistd.h>

namespace {

constexpr const char* kLogName = "Kem";

std::mutex g_mutex;
std::filesystem::path g_folder;

} // namespace

bool InitLogging(const std::filesystem::path& folder)
{
    std::lock_guard lock(g_mutex);
    if (google::IsGoogleLoggingInitialized())
        return false;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    google::InitGoogleLogging(kLogName);
    g_folder = folder;
    // glog appends "<date>-<time>.<pid>" to this base; the process id tells our file apart from
    // those of other instances writing into the same folder.
    const std::string base = (folder / (std::string(kLogName) + "_")).string();
    google::SetLogDestination(google::GLOG_INFO, base.c_str());
    google::SetLogDestination(google::GLOG_WARNING, "");
    google::SetLogDestination(google::GLOG_ERROR, "");
    google::SetLogDestination(google::GLOG_FATAL, "");
    // A shared "latest" link would be rewritten by every instance.
    google::SetLogSymlink(google::GLOG_INFO, "");
    LOG(INFO) << "Log started, process " << ::getpid();
    return true;
}

void ShutdownLogging()
{
    std::lock_guard lock(g_mutex);
    if (!google::IsGoogleLoggingInitialized())
        return;
    google::FlushLogFiles(google::GLOG_INFO);
    google::ShutdownGoogleLogging();
    g_folder.clear();
}

CString GetLogFileName()
{
    std::lock_guard lock(g_mutex);
    if (!google::IsGoogleLoggingInitialized() || g_folder.empty())
        return {};
    google::FlushLogFiles(google::GLOG_INFO);
    // A file that grew too large is continued in a new one with a later time in its name.
    const std::string prefix = std::string(kLogName) + "_";
    const std::string suffix = "." + std::to_string(::getpid());
    std::string newest;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(g_folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > prefix.size() + suffix.size() && name.starts_with(prefix) && name.ends_with(suffix) && name > newest)
            newest = name;
    }
    return newest.empty() ? CString() : CString((g_folder / newest).string());
}
