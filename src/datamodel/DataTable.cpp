#include "datamodel/DataTable.h"

#include "datamodel/ByteAccess.h"

#include <algorithm>
#include <cstring>

namespace
{
// Every copy can be read up to the interval end field, whatever its table_lth says.
constexpr std::size_t kMinimumCopy = kUmboIntervalEndOffset + 8;

WORD TypeOf(const BYTE* table)
{
    return LoadU16(table, offsetof(Umbo_table_header_t, table_type));
}

// The time a time-ordered list sorts by: the interval end for the trend records (type 15),
// the time stamp for every other table.
CHighTime OrderTime(const BYTE* table)
{
    return ConstructHighTimeFromTableTime(table + (TypeOf(table) == 15 ? kUmboIntervalEndOffset
                                                                        : offsetof(Umbo_table_header_t, time_stamp)));
}

bool HasIntervalEnd(WORD type)
{
    return type == 15 || type == 61 || type == 64 || type == 65;
}
} // namespace

CDataTable::CDataTable(int tableType, int orderedByType) : m_tableType(tableType), m_orderedByType(orderedByType)
{
}

int CDataTable::InsertTable(const Umbo_table_header_t* table)
{
    const std::size_t length = LoadU16(table, offsetof(Umbo_table_header_t, table_lth));
    const std::size_t copied = std::max(length, kUmboTableHeaderSize);
    const std::size_t size = std::max(copied, kMinimumCopy);
    // Only the padding of a short copy is zeroed: trend tables are copied by the thousand.
    auto copy = std::make_unique_for_overwrite<BYTE[]>(size);
    std::memcpy(copy.get(), table, copied);
    std::memset(copy.get() + copied, 0, size - copied);

    if (m_orderedByType)
    {
        const WORD type = TypeOf(copy.get());
        const auto at = std::find_if(m_tables.begin(), m_tables.end(),
                                     [type](const std::unique_ptr<BYTE[]>& t) { return TypeOf(t.get()) > type; });
        m_tables.insert(at, std::move(copy));
        return 0;
    }
    RemoveTablesAfter(OrderTime(copy.get()));
    m_tables.push_back(std::move(copy));
    return 0;
}

void CDataTable::RemoveTablesAfter(const CHighTime& time)
{
    while (!m_tables.empty() && OrderTime(m_tables.back().get()) > time)
        m_tables.pop_back();
}

CHighTime CDataTable::GetHeadTime() const
{
    if (m_tables.empty())
        return CHighTime();
    return ConstructHighTimeFromTableTime(m_tables.front().get() + offsetof(Umbo_table_header_t, time_stamp));
}

CHighTime CDataTable::GetTailEndTime() const
{
    if (m_tables.empty() || !HasIntervalEnd(TypeOf(m_tables.back().get())))
        return CHighTime();
    return ConstructHighTimeFromTableTime(m_tables.back().get() + kUmboIntervalEndOffset);
}

const Umbo_table_header_t* CDataTable::GetAt(int index) const
{
    return reinterpret_cast<const Umbo_table_header_t*>(m_tables.at(std::size_t(index)).get());
}
