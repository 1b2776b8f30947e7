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

#include "project/FileNameLimit.h"

namespace {

constexpr std::string_view kPartialMark = ".part";

// "<target>.part<pid>", the target's stem shortened where the whole would pass the name limit.
std::string PartialNameFor(const std::filesystem::path& targetName, pid_t writer, std::size_t limit)
{
    const std::string extension = targetName.extension().string();
    const std::string tail = extension + std::string(kPartialMark) + std::to_string(writer);
    return StemThatFits(targetName.stem().string(), tail.size(), limit) + tail;
}

// The process that wrote a partial file of the target; 0 for every other name.
pid_t WriterOf(std::string_view name, const std::filesystem::path& targetName, std::size_t limit)
{
    const std::size_t mark = name.rfind(kPartialMark);
    if (mark == std::string_view::npos)
        return 0;
    const std::string_view digits = name.substr(mark + kPartialMark.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || pid <= 0)
        return 0;
    return name == PartialNameFor(targetName, pid, limit) ? pid : 0;
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
    const std::filesystem::path path(target.str());
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::string name = PartialNameFor(path.filename(), ::getpid(), FileNameLimit(folder));
    return CString((path.has_parent_path() ? folder / name : std::filesystem::path(name)).string());
}

void RemoveAbandonedPartials(const CString& target)
{
    const std::filesystem::path path(target.str());
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const std::size_t limit = FileNameLimit(folder);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t writer = WriterOf(entry.path().filename().string(), path.filename(), limit);
        if (writer <= 0 || writer == ::getpid() || IsRunning(writer) || !entry.is_regular_file(error) ||
            IsHeld(entry.path()))
            continue;
        if (std::filesystem::remove(entry.path(), error))
            LOG(INFO) << "Removed " << entry.path().string() << ", left by process " << writer;
    }
}
