#pragma once
// A session file on disk, opened for reading only. Small reads go through one block buffer so
// that many of them cost no system call each; a read of a block or more goes straight to the
// caller's memory. Writing (the header repair of a file
// of unknown length) opens the file for writing only for that moment and is simply refused when
// the file or its folder is read-only.
#include "datamodel/IDataStream.h"

#include <memory>
#include <string>

class CPlainFileStream final : public IDataStream
{
public:
    ~CPlainFileStream() override;
    CPlainFileStream(const CPlainFileStream&) = delete;
    CPlainFileStream& operator=(const CPlainFileStream&) = delete;

    // 0 and the stream; or kStreamNotFound, kStreamAccessDenied, kStreamOpenFailed (also for a
    // path that is not a regular file).
    static int Open(const std::string& path, std::unique_ptr<CPlainFileStream>& stream);

    std::int64_t Read(void* buffer, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_length; }
    bool Write(const void* data, std::size_t count) override;

    const std::string& GetPath() const { return m_path; }

private:
    CPlainFileStream(int fd, std::string path, std::uint64_t length);
    bool Fill();

    int m_fd = -1;
    std::string m_path;
    std::uint64_t m_length = 0;
    std::uint64_t m_position = 0;
    // Buffered bytes [m_bufferStart, m_bufferStart + m_bufferSize) of the file.
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_bufferCapacity = 0;
    std::uint64_t m_bufferStart = 0;
    std::size_t m_bufferSize = 0;
};
