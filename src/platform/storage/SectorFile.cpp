#include "platform/storage/SectorFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EStorageResult ResultFromErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return EStorageResult::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EWOULDBLOCK:
    case EISDIR:
        return EStorageResult::AccessDenied;
    default:
        return EStorageResult::IoError;
    }
}

// A call that a signal handler interrupted is made again (the fuzzers' and the program's
// timers deliver signals at any moment).
template <class Call>
int RetryOnSignal(Call call)
{
    int result = 0;
    while ((result = call()) == -1 && errno == EINTR) {
    }
    return result;
}

} // namespace

CSectorFile::~CSectorFile()
{
    Close();
}

void CSectorFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd); // also releases the lock
    m_fd = -1;
}

EStorageResult CSectorFile::Open(const CString& path, EMode mode, StorageWriteHook hook)
{
    Close();
    m_hook = std::move(hook);
    int flags = O_CLOEXEC | (mode == EMode::OpenReadOnly ? O_RDONLY : O_RDWR);
    if (mode == EMode::Create)
        flags |= O_CREAT;
    m_fd = RetryOnSignal([&] { return ::open(path.GetString(), flags, 0666); });
    if (m_fd < 0)
        return ResultFromErrno(errno);
    const int lock = mode == EMode::OpenReadOnly ? LOCK_SH : LOCK_EX;
    if (RetryOnSignal([&] { return ::flock(m_fd, lock | LOCK_NB); }) != 0) {
        const int error = errno;
        Close();
        return error == EWOULDBLOCK ? EStorageResult::AccessDenied : ResultFromErrno(error);
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Close();
        return EStorageResult::AccessDenied;
    }
    m_size = std::uint64_t(info.st_size);
    if (mode == EMode::Create) {
        const EWriteAction action = Announce({SWriteEvent::EKind::Resize, 0, 0});
        if (action == EWriteAction::Proceed && RetryOnSignal([&] { return ::ftruncate(m_fd, 0); }) != 0)
            return ResultFromErrno(errno);
        if (const EStorageResult refused = ResultOf(action); refused != EStorageResult::Ok) {
            Close();
            return refused;
        }
        m_size = 0;
    }
    return EStorageResult::Ok;
}

EStorageResult CSectorFile::Duplicate(const CSectorFile& other)
{
    Close();
    m_hook = other.m_hook;
    if (other.m_fd < 0)
        return EStorageResult::IoError;
    m_fd = ::fcntl(other.m_fd, F_DUPFD_CLOEXEC, 0);
    if (m_fd < 0)
        return ResultFromErrno(errno);
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        Close();
        return EStorageResult::IoError;
    }
    m_size = std::uint64_t(info.st_size);
    return EStorageResult::Ok;
}

EWriteAction CSectorFile::Announce(const SWriteEvent& event)
{
    if (!m_hook)
        return EWriteAction::Proceed;
    const EWriteAction action = m_hook(event);
    if (action == EWriteAction::Crash)
        Close();
    return action;
}

EStorageResult CSectorFile::Read(std::uint64_t offset, void* buffer, std::size_t count) const
{
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (m_fd < 0)
            return EStorageResult::IoError;
        const ssize_t got = ::pread(m_fd, out + done, count - done, off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return EStorageResult::IoError;
        }
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    std::memset(out + done, 0, count - done);
    return EStorageResult::Ok;
}

EStorageResult CSectorFile::Write(std::uint64_t offset, const void* data, std::size_t count)
{
    if (m_fd < 0)
        return EStorageResult::IoError;
    const EWriteAction action = Announce({SWriteEvent::EKind::Write, offset, count});
    if (const EStorageResult refused = ResultOf(action); refused != EStorageResult::Ok)
        return refused;
    if (action == EWriteAction::Proceed) {
        const auto* in = static_cast<const std::uint8_t*>(data);
        std::size_t done = 0;
        while (done < count) {
            const ssize_t put = ::pwrite(m_fd, in + done, count - done, off_t(offset + done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                return EStorageResult::IoError;
            }
            done += std::size_t(put);
        }
    }
    if (offset + count > m_size)
        m_size = offset + count;
    return EStorageResult::Ok;
}

EStorageResult CSectorFile::Sync()
{
    if (m_fd < 0)
        return EStorageResult::IoError;
    const EWriteAction action = Announce({SWriteEvent::EKind::Sync, 0, 0});
    if (const EStorageResult refused = ResultOf(action); refused != EStorageResult::Ok)
        return refused;
    if (action == EWriteAction::Proceed && RetryOnSignal([&] { return ::fdatasync(m_fd); }) != 0)
        return EStorageResult::IoError;
    return EStorageResult::Ok;
}

EStorageResult CSectorFile::EnsureSize(std::uint64_t size)
{
    if (size <= m_size)
        return EStorageResult::Ok;
    if (m_fd < 0)
        return EStorageResult::IoError;
    const EWriteAction action = Announce({SWriteEvent::EKind::Resize, size, 0});
    if (const EStorageResult refused = ResultOf(action); refused != EStorageResult::Ok)
        return refused;
    if (action == EWriteAction::Proceed && RetryOnSignal([&] { return ::ftruncate(m_fd, off_t(size)); }) != 0)
        return EStorageResult::IoError;
    m_size = size;
    return EStorageResult::Ok;
}

EStorageResult CSectorFile::Truncate(std::uint64_t size)
{
    if (size >= m_size)
        return EStorageResult::Ok;
    if (m_fd < 0)
        return EStorageResult::IoError;
    const EWriteAction action = Announce({SWriteEvent::EKind::Resize, size, 0});
    if (const EStorageResult refused = ResultOf(action); refused != EStorageResult::Ok)
        return refused;
    if (action == EWriteAction::Proceed && RetryOnSignal([&] { return ::ftruncate(m_fd, off_t(size)); }) != 0)
        return EStorageResult::IoError;
    m_size = size;
    return EStorageResult::Ok;
}

bool CSectorFile::IsAt(const CString& path) const
{
    struct stat held {};
    struct stat named {};
    return m_fd >= 0 && ::fstat(m_fd, &held) == 0 && ::stat(path.GetString(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

EStorageResult CSectorFile::ResultOf(EWriteAction action)
{
    return action == EWriteAction::Crash || action == EWriteAction::Fail ? EStorageResult::IoError : EStorageResult::Ok;
}
