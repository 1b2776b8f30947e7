#include "project/PartialFile.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <filesystem>
#include <glog/logging.h>
#include <signal.h>
#include <string_view>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr std::string_view kPartialMark = ".part";

// The process that wrote a partial file of the target; 0 for every other name.
pid_t WriterOf(std::string_view name, std::string_view targetName)
{
    if (!name.starts_with(targetName) || !name.substr(targetName.size()).starts_with(kPartialMark))
        return 0;
    const std::string_view digits = name.substr(targetName.size() + kPartialMark.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    return error == std::errc() && end == digits.data() + digits.size() && !digits.empty() ? pid : 0;
}

bool IsRunning(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// A writer holds its partial file locked while it builds it.
bool IsHeld(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return true;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

} // namespace

CString PartialPathFor(const CString& target)
{
    return CString::Formatted("%s%s%d", target, std::string(kPartialMark).c_str(), int(::getpid()));
}

void RemoveAbandonedPartials(const CString& target)
{
    const std::filesystem::path path(target.str());
    const std::string targetName = path.filename().string();
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t writer = WriterOf(entry.path().filename().string(), targetName);
        if (writer <= 0 || writer == ::getpid() || IsRunning(writer) || !entry.is_regular_file(error) ||
            IsHeld(entry.path()))
            continue;
        if (std::filesystem::remove(entry.path(), error))
            LOG(INFO) << "Removed " << entry.path().string() << ", left by process " << writer;
    }
}
