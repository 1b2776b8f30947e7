#include "export/ReplacingFile.h"

#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <charconv>
#include <cstring>
#include <system_error>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr UINT kDiskFullText = 20014; // "the disk is full"
constexpr std::string_view kTemporarySuffix = ".part";

// The start of the temporary names for a target: its file name hashed (FNV-1a), so that a
// temporary of any target fits in the folder and names the one target it is for.
std::string TemporaryPrefixFor(const std::filesystem::path& target)
{
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (const char c : target.filename().string()) {
        hash ^= std::uint64_t(std::uint8_t(c));
        hash *= 0x100000001B3ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return ".csv-" + std::string(hex) + ".";
}

// The process that made a temporary file for the target: a name of the target's prefix followed
// by "<pid>-<n>.part"; 0 for every other name.
pid_t WriterOfTemporary(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix))
        return 0;
    name.remove_prefix(prefix.size());
    name.remove_suffix(kTemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos)
        return 0;
    pid_t pid = 0;
    const std::string_view pidText = name.substr(0, dash);
    const std::string_view counter = name.substr(dash + 1);
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    const bool digits = !counter.empty() && counter.find_first_not_of("0123456789") == std::string_view::npos;
    return error == std::errc() && end == pidText.data() + pidText.size() && digits ? pid : 0;
}

// Temporary files for the target left by exports that no longer run: their process is gone.
void RemoveStaleTemporaries(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const std::string prefix = TemporaryPrefixFor(target);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const pid_t writer = WriterOfTemporary(entry.path().filename().string(), prefix);
        if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH)
            std::filesystem::remove(entry.path(), error);
    }
}

} // namespace

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target, pid_t writer, unsigned n)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    return folder / (TemporaryPrefixFor(target) + std::to_string(writer) + "-" + std::to_string(n) + std::string(kTemporarySuffix));
}

namespace {

// A temporary name for the target, unique per process and call.
std::filesystem::path NextTemporaryPath(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    return TemporaryPathFor(target, ::getpid(), counter++);
}

} // namespace

CReplacingFile::~CReplacingFile()
{
    Discard();
}

bool CReplacingFile::Open(const std::filesystem::path& target)
{
    Discard();
    m_error.clear();
    m_target = target;
    // What opening the target itself would refuse is refused here too, although a rename could
    // replace it.
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        Fail(EISDIR);
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0) {
        Fail(errno);
        return false;
    }
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaries(target);
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    // File systems without unnamed files answer that they do not support them.
    if (m_fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        Fail(errno);
        return false;
    }
    if (m_fd < 0 && !OpenNamedTemporary())
        return false;
    // A replaced file keeps its permissions.
    if (exists)
        ::fchmod(m_fd, existing.st_mode & 07777);
    m_buffer.reserve(kBufferSize);
    return true;
}

bool CReplacingFile::OpenNamedTemporary()
{
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = NextTemporaryPath(m_target);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        Fail(errno);
        m_temporary.clear();
        return false;
    }
    return true;
}

void CReplacingFile::Write(std::string_view text)
{
    if (m_fd < 0 || !m_error.empty())
        return;
    m_buffer.append(text);
    if (m_buffer.size() >= kBufferSize)
        FlushBuffer();
}

void CReplacingFile::FlushBuffer()
{
    std::size_t done = 0;
    while (done < m_buffer.size() && m_error.empty()) {
        const ssize_t written = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            Fail(written < 0 ? errno : ENOSPC);
        else
            done += std::size_t(written);
    }
    m_buffer.clear();
}

bool CReplacingFile::Commit()
{
    if (m_fd < 0)
        return false;
    FlushBuffer();
    if (m_error.empty() && ::fsync(m_fd) != 0)
        Fail(errno);
    // An unnamed file gets its short temporary name only now, to be renamed over the target.
    if (m_error.empty() && m_temporary.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
        m_temporary = NextTemporaryPath(m_target);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, m_temporary.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            Fail(errno);
            m_temporary.clear();
        }
    }
    if (::close(m_fd) != 0 && m_error.empty())
        Fail(errno);
    m_fd = -1;
    if (m_error.empty() && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    if (!m_error.empty()) {
        if (!m_temporary.empty())
            ::unlink(m_temporary.c_str());
        m_temporary.clear();
        return false;
    }
    m_temporary.clear();
    return true;
}

void CReplacingFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
    m_buffer.clear();
}

void CReplacingFile::Fail(int error)
{
    if (!m_error.empty())
        return;
    // A full disk is told in the words a failed save uses.
    CString full;
    m_error = (error == ENOSPC || error == EDQUOT) && full.LoadString(kDiskFullText) ? full.str() : std::strerror(error);
}
