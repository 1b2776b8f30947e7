#pragma once
// Sequential reading of a session stream in large blocks: the loader looks at each table where
// it lies in the block instead of asking the stream for its 12-byte header and then its body,
// which costs a system call (or a walk of an archive's sector chain) per table. A record list
// may keep a table where it was read (Share()): the bytes before Data() are then never written
// again and the reader goes on in a new block when this one is full, so that records are read
// into their place and never copied.
#include "datamodel/IDataStream.h"
#include "platform/framework/WinTypes.h"

#include <cstdint>
#include <memory>

class CStreamBlockReader
{
public:
    // A whole number of the large blocks' mapping unit, so that a block a load gave back is
    // taken again by the next. The fuzz build reads in blocks of a few records, so that the
    // small sessions it tries by the thousand cross several of them.
#ifdef ORN_READ_BLOCK_BYTES
    static constexpr std::size_t kBlockSize = ORN_READ_BLOCK_BYTES;
#else
    static constexpr std::size_t kBlockSize = 8 * 1024 * 1024;
#endif
    static constexpr std::size_t kAlignment = 8;

    // Reads from the stream's current position on.
    explicit CStreamBlockReader(IDataStream& stream, std::size_t blockSize = kBlockSize);

    // Makes `count` bytes from the current position readable at Data(); returns how many are
    // (fewer only at the end of the stream), or -1 on a read error. When the stream is read,
    // Data() moves to an 8-byte boundary first. A stream that fails a block
    // read is asked again for just the bytes needed, so that a fault reaches the loader where
    // it lies.
    std::int64_t Ensure(std::size_t count);
    // The bytes at the current position (at least what the last Ensure gave), writable.
    BYTE* Data() { return m_buffer.get() + m_begin; }
    void Skip(std::size_t count) { m_begin += count; m_offset += count; }
    // The bytes readable at Data() without reading the stream.
    std::size_t GetBuffered() const { return m_end - m_begin; }
    // Moves Data() and the bytes buffered from it on to an 8-byte boundary: what follows a table
    // of odd length can then be kept where it lies.
    void Align();
    // The stream offset of Data().
    std::uint64_t GetOffset() const { return m_offset; }
    // The block Data() lies in, for a list that keeps bytes of it where they are; what was
    // skipped is then never touched again.
    const std::shared_ptr<BYTE[]>& Share() const { return m_buffer; }
    // The size of that block.
    std::size_t GetCapacity() const { return m_capacity; }

private:
    // Room for `count` bytes from Data() on, which moves to an 8-byte boundary: within the block
    // (near its front when no list keeps bytes of it), or to a new block.
    void MakeRoom(std::size_t count);
    // Where in `block`, from `from` on, Data() goes: what a read brings lies half a page from
    // where the page cache holds it, on a word boundary.
    std::size_t PlaceFrom(const BYTE* block, std::size_t from) const;

    IDataStream& m_stream;
    // Not zeroed: every byte is read into before it is looked at.
    std::shared_ptr<BYTE[]> m_buffer;
    std::size_t m_blockSize;
    std::size_t m_capacity;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::uint64_t m_offset;
};
