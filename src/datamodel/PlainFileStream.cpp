#include "datamodel/PlainFileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = 256 * 1024;

int OpenResultOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return kStreamNotFound;
    case EACCES:
    case EPERM:
        return kStreamAccessDenied;
    default:
        return kStreamOpenFailed;
    }
}

} // namespace

CPlainFileStream::CPlainFileStream(int fd, std::string path, std::uint64_t length)
    : m_fd(fd), m_path(std::move(path)), m_length(length)
{
}

CPlainFileStream::~CPlainFileStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int CPlainFileStream::Open(const std::string& path, std::unique_ptr<CPlainFileStream>& stream)
{
    stream.reset();
    if (path.empty())
        return kStreamNotFound;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return OpenResultOfErrno(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return kStreamOpenFailed;
    }
    stream.reset(new CPlainFileStream(fd, path, std::uint64_t(info.st_size)));
    return 0;
}

bool CPlainFileStream::Fill()
{
    // Made when first needed, no larger than the file: a load asks for whole blocks, which go
    // straight to its memory, and a small file needs no block of buffer.
    // Not zeroed: only the bytes read are looked at.
    const std::size_t wanted = std::size_t(std::clamp<std::uint64_t>(m_length, 1, kBlockSize));
    if (m_bufferCapacity < wanted) {
        m_buffer = std::make_unique_for_overwrite<unsigned char[]>(wanted);
        m_bufferCapacity = wanted;
    }
    m_bufferStart = m_position;
    m_bufferSize = 0;
    for (;;) {
        const ssize_t got = ::pread(m_fd, m_buffer.get(), m_bufferCapacity, off_t(m_position));
        if (got >= 0) {
            m_bufferSize = std::size_t(got);
            return true;
        }
        if (errno != EINTR)
            return false;
    }
}

std::int64_t CPlainFileStream::Read(void* buffer, std::size_t count)
{
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        if (m_position < m_bufferStart || m_position >= m_bufferStart + m_bufferSize) {
            // A request of a block or more goes straight to the caller's memory. A short read of
            // a regular file is its end: the rest is not asked for through the buffer.
            if (const std::size_t asked = count - done; asked >= kBlockSize) {
                const ssize_t got = ::pread(m_fd, out + done, asked, off_t(m_position));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                    return -1;
                done += std::size_t(got);
                m_position += std::uint64_t(got);
                if (std::size_t(got) < asked)
                    break;
                continue;
            }
            if (!Fill())
                return -1;
            if (m_bufferSize == 0)
                break;  // end of file
        }
        const std::size_t offset = std::size_t(m_position - m_bufferStart);
        const std::size_t take = std::min(count - done, m_bufferSize - offset);
        std::memcpy(out + done, m_buffer.get() + offset, take);
        done += take;
        m_position += take;
    }
    return std::int64_t(done);
}

bool CPlainFileStream::Seek(std::uint64_t position)
{
    if (position > std::uint64_t(INT64_MAX))
        return false;
    m_position = position;
    return true;
}

bool CPlainFileStream::Write(const void* data, std::size_t count)
{
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto* in = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::pwrite(fd, in + done, count - done, off_t(m_position + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += std::size_t(put);
    }
    const bool ok = ::close(fd) == 0 && done == count;
    // The buffered copy of the rewritten range is stale now.
    m_bufferSize = 0;
    m_position += done;
    if (m_position > m_length)
        m_length = m_position;
    return ok;
}
