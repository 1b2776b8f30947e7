#include "datamodel/StreamBlockReader.h"

#include <algorithm>
#include <cstring>

CStreamBlockReader::CStreamBlockReader(IDataStream& stream, std::size_t blockSize)
    : m_stream(stream), m_buffer(std::make_unique_for_overwrite<BYTE[]>(std::max<std::size_t>(blockSize, 1))),
      m_capacity(std::max<std::size_t>(blockSize, 1)), m_offset(stream.GetPosition())
{
}

std::int64_t CStreamBlockReader::Ensure(std::size_t count)
{
    if (m_end - m_begin >= count)
        return std::int64_t(count);
    // What is left moves to the front; a request larger than the block grows it.
    std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
    if (m_capacity < count) {
        auto larger = std::make_unique_for_overwrite<BYTE[]>(count);
        std::memcpy(larger.get(), m_buffer.get(), m_end);
        m_buffer = std::move(larger);
        m_capacity = count;
    }
    while (m_end < count) {
        std::int64_t got = m_stream.Read(m_buffer.get() + m_end, m_capacity - m_end);
        // A failed read may have moved the stream on: the exact request starts where the
        // buffered bytes end.
        if (got < 0 && m_stream.Seek(m_offset + (m_end - m_begin)))
            got = m_stream.Read(m_buffer.get() + m_end, count - m_end);
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        m_end += std::size_t(got);
    }
    return std::int64_t(std::min(count, m_end));
}
