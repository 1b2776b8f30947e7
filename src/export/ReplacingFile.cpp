#include "export/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// A hidden name in the target's folder, unique per process and call.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    const std::string name = "." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + ".part";
    return target.parent_path() / name;
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
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = TemporaryNameFor(target);
        m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        Fail(errno);
        m_temporary.clear();
        return false;
    }
    // A replaced file keeps its permissions.
    if (exists)
        ::fchmod(m_fd, existing.st_mode & 07777);
    m_buffer.reserve(kBufferSize);
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
    if (::close(m_fd) != 0 && m_error.empty())
        Fail(errno);
    m_fd = -1;
    if (m_error.empty() && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    if (!m_error.empty()) {
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
    if (m_error.empty())
        m_error = std::strerror(error);
}
