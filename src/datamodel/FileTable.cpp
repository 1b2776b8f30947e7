#include "datamodel/FileTable.h"

#include "datamodel/IDataStream.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::size_t kEntryBytes = 16;  // ticks (i64) and offset (u64)

} // namespace

CFileTable::CFileTable(WORD tableType, IDataStream* stream) : m_tableType(tableType), m_stream(stream) {}

int CFileTable::AddEntry(const FileTblPtrT& entry)
{
    TrimFrom(entry.time);
    m_entries.push_back(entry);
    return 0;
}

void CFileTable::TrimFrom(const CHighTime& time)
{
    // Entries are sorted by time: the ones at or after the time form the tail.
    const auto first = std::lower_bound(m_entries.begin(), m_entries.end(), time,
                                        [](const FileTblPtrT& e, const CHighTime& t) { return e.time < t; });
    m_entries.erase(first, m_entries.end());
}

void CFileTable::Reset()
{
    m_cachedIndex = -1;
    m_cachedRecord.reset();
}

void CFileTable::SetStream(IDataStream* stream)
{
    m_stream = stream;
    Reset();
}

void CFileTable::SetCachedRecord(int index, std::unique_ptr<std::vector<BYTE>> record)
{
    m_cachedIndex = record ? index : -1;
    m_cachedRecord = std::move(record);
}

const FileTblPtrT& CFileTable::GetAt(int index) const
{
    if (index < 0 || index >= GetSize())
        throw std::invalid_argument("CFileTable index out of range");
    return m_entries[std::size_t(index)];
}

bool CFileTable::Serialize(IDataStream& stream, bool storing)
{
    if (storing) {
        const std::uint32_t count = std::uint32_t(m_entries.size());
        if (!stream.Write(&count, sizeof count))
            return false;
        for (const auto& entry : m_entries) {
            unsigned char bytes[kEntryBytes];
            const std::int64_t ticks = entry.time.GetTicks();
            std::memcpy(bytes, &ticks, 8);
            std::memcpy(bytes + 8, &entry.offset, 8);
            if (!stream.Write(bytes, sizeof bytes))
                return false;
        }
        return true;
    }
    std::uint32_t count = 0;
    if (stream.Read(&count, sizeof count) != std::int64_t(sizeof count))
        return false;
    // A count larger than the rest of the stream is damage, not a reason to allocate.
    if (std::uint64_t(count) * kEntryBytes > stream.GetLength() - std::min(stream.GetLength(), stream.GetPosition()))
        return false;
    std::vector<FileTblPtrT> entries(count);
    for (auto& entry : entries) {
        unsigned char bytes[kEntryBytes];
        if (stream.Read(bytes, sizeof bytes) != std::int64_t(sizeof bytes))
            return false;
        std::int64_t ticks = 0;
        std::memcpy(&ticks, bytes, 8);
        std::memcpy(&entry.offset, bytes + 8, 8);
        entry.time = CHighTime(ticks);
    }
    m_entries = std::move(entries);
    Reset();
    return true;
}
