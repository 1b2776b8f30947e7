#include "datamodel/DataTable.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/GivenBackMemory.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <functional>

namespace
{
// Every copy can be read up to the interval end field, whatever its table_lth says.
constexpr std::size_t kMinimumCopy = kUmboIntervalEndOffset + 8;
constexpr std::size_t kCopyAlignment = 8;
// Blocks double from the first size to the largest: a short list wastes little, a long one
// needs few blocks.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLargestBlockSize = 8 * 1024 * 1024;

WORD TypeOf(const BYTE* table)
{
    return LoadU16(table, offsetof(Umbo_table_header_t, table_type));
}

// Where the time a time-ordered list sorts by lies: the interval end for the trend records
// (type 15), the time stamp for every other table.
std::size_t OrderTimeOffset(WORD type)
{
    return type == 15 ? kUmboIntervalEndOffset : offsetof(Umbo_table_header_t, time_stamp);
}

CHighTime OrderTime(const BYTE* table)
{
    return ConstructHighTimeFromTableTime(table + OrderTimeOffset(TypeOf(table)));
}

bool HasIntervalEnd(WORD type)
{
    return type == 15 || type == 61 || type == 64 || type == 65;
}

// The room a copy of a table of `length` bytes takes in a block.
std::size_t CopySize(std::size_t length)
{
    return (std::max(length, kMinimumCopy) + kCopyAlignment - 1) / kCopyAlignment * kCopyAlignment;
}
} // namespace

CDataTable::CDataTable(int tableType, int orderedByType) : m_tableType(tableType), m_orderedByType(orderedByType)
{
}

int CDataTable::InsertTable(const Umbo_table_header_t* table)
{
    const std::size_t length = LoadU16(table, offsetof(Umbo_table_header_t, table_lth));
    m_shortestLength = std::min(m_shortestLength, length);
    const std::size_t copied = std::max(length, kUmboTableHeaderSize);
    const std::size_t size = std::max(copied, kMinimumCopy);
    // The tables it replaces go first, so that their room takes the copy.
    const CHighTime time = RemoveReplaced(table, copied);
    // Only the padding of a short copy is zeroed: trend tables are copied by the thousand.
    BYTE* copy = Place(length);
    std::memcpy(copy, table, copied);
    std::memset(copy + copied, 0, size - copied);

    if (m_orderedByType)
    {
        const WORD type = TypeOf(copy);
        const auto at =
            std::find_if(m_tables.begin(), m_tables.end(), [type](const BYTE* t) { return TypeOf(t) > type; });
        m_tables.insert(at, copy);
        m_tailOrderTime = OrderTime(m_tables.back());
        return 0;
    }
    m_tables.push_back(copy);
    m_tailOrderTime = time;
    return 0;
}

int CDataTable::InsertTable(Umbo_table_header_t* table, const std::shared_ptr<BYTE[]>& block)
{
    InsertTables(reinterpret_cast<BYTE*>(table), LoadU16(table, offsetof(Umbo_table_header_t, table_lth)), 1, block);
    return 0;
}

void CDataTable::InsertTables(BYTE* first, std::size_t length, std::size_t count, const std::shared_ptr<BYTE[]>& block)
{
    // The tables after the first lie on the boundary when it does and their length is a multiple.
    if (m_orderedByType || !block || length < kMinimumCopy || (count > 1 && length % kCopyAlignment != 0) ||
        reinterpret_cast<std::uintptr_t>(first) % kCopyAlignment != 0) {
        for (std::size_t i = 0; i < count; ++i)
            InsertTable(reinterpret_cast<const Umbo_table_header_t*>(first + i * length));
        return;
    }
    m_shortestLength = std::min(m_shortestLength, length);
    const std::size_t timeAt = OrderTimeOffset(TypeOf(first));
    for (BYTE* bytes = first; bytes != first + count * length; bytes += length) {
        // Only a record that sets the clock back replaces others. The tail's time is set from
        // the field, not copied from the one compared: a copy read back in one piece right after
        // it was written in two waited for the writes to reach the cache, for every record.
        if (!m_tables.empty() && m_tailOrderTime > ConstructHighTimeFromTableTime(bytes + timeAt))
            RemoveTablesAfter(ConstructHighTimeFromTableTime(bytes + timeAt));
        m_tailOrderTime.SetFromTableTime(bytes + timeAt);
        if (m_sharedBlocks.empty() || m_sharedBlocks.back().block != block)
            m_sharedBlocks.push_back({block, m_tables.size()});
        m_tables.push_back(bytes);
    }
}

void CDataTable::CopyOutOf(const BYTE* block, std::size_t size)
{
    const auto shared = std::find_if(m_sharedBlocks.rbegin(), m_sharedBlocks.rend(),
                                     [block](const SSharedBlock& s) { return s.block.get() == block; });
    if (shared == m_sharedBlocks.rend())
        return;
    const std::less_equal<const BYTE*> notAfter;
    for (std::size_t i = shared->first; i < m_tables.size(); ++i) {
        const BYTE* table = m_tables[i];
        if (!notAfter(block, table) || notAfter(block + size, table))
            continue;
        const std::size_t length = LoadU16(table, offsetof(Umbo_table_header_t, table_lth));
        BYTE* copy = Place(length);
        std::memcpy(copy, table, length);
        m_tables[i] = copy;
    }
    m_sharedBlocks.erase(std::next(shared).base());
}

CHighTime CDataTable::RemoveReplaced(const Umbo_table_header_t* table, std::size_t copied)
{
    if (m_orderedByType)
        return {};
    // The time of a short table is read from the padded head, as from the copy.
    const auto* bytes = reinterpret_cast<const BYTE*>(table);
    std::array<BYTE, kMinimumCopy> head{};
    if (copied < kMinimumCopy) {
        std::memcpy(head.data(), table, copied);
        bytes = head.data();
    }
    const CHighTime time = OrderTime(bytes);
    RemoveTablesAfter(time);
    return time;
}

BYTE* CDataTable::Place(std::size_t length)
{
    const std::size_t size = CopySize(length);
    if (m_blocks.empty() || m_blockUsed + size > m_blockSize)
    {
        const std::size_t next = m_blocks.empty() ? kFirstBlockSize : std::min(m_blockSize * 2, kLargestBlockSize);
        m_blockSize = std::max(size, next);
        m_blocks.push_back(AllocateLargeBlock(m_blockSize));
        m_blockUsed = 0;
    }
    BYTE* place = m_blocks.back().get() + m_blockUsed;
    m_blockUsed += size;
    MarkTaken(place, size);
    return place;
}

void CDataTable::DropLast()
{
    const BYTE* table = m_tables.back();
    const std::size_t size = CopySize(LoadU16(table, offsetof(Umbo_table_header_t, table_lth)));
    m_tables.pop_back();
    // The room of the copy that ends the filled part of the last block is taken again; a copy
    // that other copies follow (those made when a shared block was let go of) leaves a hole.
    const BYTE* last = m_blocks.empty() ? nullptr : m_blocks.back().get();
    if (last && std::less_equal<const BYTE*>()(last, table) && table + size == last + m_blockUsed) {
        m_blockUsed -= size;
        MarkGivenBack(table, size);
    }
    // A shared block none of whose tables is left is let go of.
    while (!m_sharedBlocks.empty() && m_sharedBlocks.back().first >= m_tables.size())
        m_sharedBlocks.pop_back();
}

void CDataTable::Compact()
{
    if (m_tables.capacity() > 2 * m_tables.size())
        m_tables.shrink_to_fit();
    if (!m_blocks.empty())
        m_blockSize = ShrinkLargeBlock(m_blocks.back(), m_blockUsed, m_blockSize);
}

void CDataTable::RemoveTablesAfter(const CHighTime& time)
{
    while (!m_tables.empty() && m_tailOrderTime > time)
    {
        DropLast();
        if (!m_tables.empty())
            m_tailOrderTime = OrderTime(m_tables.back());
    }
}

CHighTime CDataTable::GetHeadTime() const
{
    if (m_tables.empty())
        return CHighTime();
    return ConstructHighTimeFromTableTime(m_tables.front() + offsetof(Umbo_table_header_t, time_stamp));
}

CHighTime CDataTable::GetTailEndTime() const
{
    if (m_tables.empty() || !HasIntervalEnd(TypeOf(m_tables.back())))
        return CHighTime();
    return ConstructHighTimeFromTableTime(m_tables.back() + kUmboIntervalEndOffset);
}

const Umbo_table_header_t* CDataTable::GetAt(int index) const
{
    return reinterpret_cast<const Umbo_table_header_t*>(m_tables.at(std::size_t(index)));
}
