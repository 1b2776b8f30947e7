#pragma once
// Sequential reading of a session stream in large blocks: the loader looks at each table where
// it lies in the block instead of asking the stream for its 12-byte header and then its body,
// which costs a system call (or a walk of an archive's sector chain) per table.
#include "datamodel/IDataStream.h"
#include "platform/framework/WinTypes.h"

#include <cstdint>
#include <memory>

class CStreamBlockReader
{
public:
    static constexpr std::size_t kBlockSize = 1024 * 1024;

    // Reads from the stream's current position on.
    explicit CStreamBlockReader(IDataStream& stream, std::size_t blockSize = kBlockSize);

    // Makes `count` bytes from the current position readable at Data(); returns how many are
    // (fewer only at the end of the stream), or -1 on a read error. A stream that fails a block
    // read is asked again for just the bytes needed, so that a fault reaches the loader where
    // it lies.
    std::int64_t Ensure(std::size_t count);
    // The bytes at the current position (at least what the last Ensure gave), writable.
    BYTE* Data() { return m_buffer.get() + m_begin; }
    void Skip(std::size_t count) { m_begin += count; m_offset += count; }
    // The stream offset of Data().
    std::uint64_t GetOffset() const { return m_offset; }

private:
    IDataStream& m_stream;
    // Not zeroed: every byte is read into before it is looked at.
    std::unique_ptr<BYTE[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::uint64_t m_offset;
};
