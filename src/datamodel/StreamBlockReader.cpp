#include "datamodel/StreamBlockReader.h"

#include "datamodel/LargeBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
constexpr std::size_t kReadPiece = 256 * 1024;
constexpr std::size_t kPageBytes = 4096;

std::shared_ptr<BYTE[]> NewBlock(std::size_t size)
{
    LargeBlock block = AllocateLargeBlock(size);
    const SLargeBlockRelease release = block.get_deleter();
    return std::shared_ptr<BYTE[]>(block.release(), release);
}
} // namespace

CStreamBlockReader::CStreamBlockReader(IDataStream& stream, std::size_t blockSize)
    : m_stream(stream), m_buffer(NewBlock(std::max<std::size_t>(blockSize, 1))),
      m_blockSize(std::max<std::size_t>(blockSize, 1)), m_capacity(m_blockSize), m_offset(stream.GetPosition())
{
}

std::size_t CStreamBlockReader::PlaceFrom(const BYTE* block, std::size_t from) const
{
    if (m_blockSize <= kReadPiece)
        return (from + kAlignment - 1) / kAlignment * kAlignment;
    // The system copies a read of the page cache at a quarter of its speed when it stores a few
    // bytes ahead of where it loads within a page (a block 8 bytes past the page offset of its
    // stream bytes took 4 ms for a read of 1 ms), and a tenth slower when it stores a few bytes
    // behind: the bytes go half a page from their place in a page of the file, less the few to
    // the word boundary before it.
    const std::uintptr_t target = (m_offset + kPageBytes / 2) / kAlignment * kAlignment;
    const std::uintptr_t place = reinterpret_cast<std::uintptr_t>(block) + from;
    return from + std::size_t((target - place) % kPageBytes);
}

void CStreamBlockReader::MakeRoom(std::size_t count)
{
    const std::size_t left = m_end - m_begin;
    // Bytes before Data() that a list keeps stay where they are.
    std::size_t at = PlaceFrom(m_buffer.get(), m_buffer.use_count() == 1 ? 0 : m_begin);
    // Reads from a large block are whole pieces: a stream buffers a smaller one and copies it
    // once more.
    const bool large = m_blockSize > kReadPiece;
    const std::size_t wanted = large ? std::max(count, left + kReadPiece) : count;
    if (at + wanted <= m_capacity) {
        std::memmove(m_buffer.get() + at, m_buffer.get() + m_begin, left);
    } else {
        const std::size_t size = std::max(large ? wanted + kPageBytes : wanted, m_blockSize);
        std::shared_ptr<BYTE[]> next = NewBlock(size);
        at = PlaceFrom(next.get(), 0);
        std::memcpy(next.get() + at, m_buffer.get() + m_begin, left);
        m_buffer = std::move(next);
        m_capacity = size;
    }
    m_begin = at;
    m_end = at + left;
}

void CStreamBlockReader::Align()
{
    if (reinterpret_cast<std::uintptr_t>(Data()) % kAlignment != 0)
        MakeRoom(m_end - m_begin);
}

std::int64_t CStreamBlockReader::Ensure(std::size_t count)
{
    if (m_end - m_begin >= count)
        return std::int64_t(count);
    MakeRoom(count);
    while (m_end - m_begin < count) {
        // The block fills a piece at a time, so that the loader meets each table while the
        // read has just put it in the processor's cache.
        const std::size_t needed = count - (m_end - m_begin);
        const std::size_t piece = std::min(m_capacity - m_end, std::max(needed, kReadPiece));
        std::int64_t got = m_stream.Read(m_buffer.get() + m_end, piece);
        // A failed read may have moved the stream on: the exact request starts where the
        // buffered bytes end.
        if (got < 0 && m_stream.Seek(m_offset + (m_end - m_begin)))
            got = m_stream.Read(m_buffer.get() + m_end, needed);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        m_end += std::size_t(got);
    }
    return std::int64_t(std::min(count, m_end - m_begin));
}
