#pragma once
// The byte stream a session is read from: a plain ".zlg" file or a stream of a project archive.
// The reader needs only sequential reads, a seek, the length and, for the one header repair of a
// plain file, a way to write the header back.
#include <cstddef>
#include <cstdint>

// Results of opening a session stream, shared with the data-set loader's results.
inline constexpr int kStreamOpenFailed = 20;
inline constexpr int kStreamAccessDenied = 29;
inline constexpr int kStreamNotFound = 30;

class IDataStream
{
public:
    virtual ~IDataStream() = default;

    // Bytes read into buffer, fewer than count at the end of the stream; -1 on a read error.
    virtual std::int64_t Read(void* buffer, std::size_t count) = 0;
    // False when the position cannot be reached.
    virtual bool Seek(std::uint64_t position) = 0;
    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetLength() const = 0;

    // Writes bytes at the current position; false when the stream cannot be written (a stream
    // opened for reading only says so here instead of failing the read).
    virtual bool Write(const void* data, std::size_t count) = 0;
};
