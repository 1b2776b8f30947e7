#include "platform/storage/AllocationTable.h"

#include <algorithm>

#include "platform/storage/CompoundFileFormat.h"

CAllocationTable::CAllocationTable(std::uint32_t entriesPerSector) : m_perSector(entriesPerSector) {}

void CAllocationTable::Load(std::vector<std::uint32_t> entries)
{
    m_entries = std::move(entries);
    m_disk = m_entries;
    m_flags.assign(m_entries.size(), 0);
    m_writtenInPlace.assign(GetSectorCount(), false);
    m_marked.clear();
    m_sectorDirty.assign(GetSectorCount(), false);
    m_dirtySectors.clear();
    m_allocatable.assign(m_entries.size() / 64, 0);
    m_allocatableWords.assign((m_allocatable.size() + 63) / 64, 0);
    for (std::uint32_t i = 0; i < m_entries.size(); ++i)
        UpdateAllocatable(i);
}

void CAllocationTable::UpdateAllocatable(std::uint32_t index)
{
    const bool allocatable = m_entries[index] == cfb::kFreeSect && (m_flags[index] & kPending) == 0;
    std::uint64_t& word = m_allocatable[index / 64];
    const std::uint64_t bit = std::uint64_t(1) << (index % 64);
    if (allocatable == ((word & bit) != 0))
        return;
    word ^= bit;
    const std::size_t w = index / 64;
    const std::uint64_t summaryBit = std::uint64_t(1) << (w % 64);
    if (word != 0)
        m_allocatableWords[w / 64] |= summaryBit;
    else
        m_allocatableWords[w / 64] &= ~summaryBit;
}

std::uint32_t CAllocationTable::FindAllocatable() const
{
    for (std::size_t s = 0; s < m_allocatableWords.size(); ++s) {
        if (m_allocatableWords[s] == 0)
            continue;
        const std::size_t w = s * 64 + std::size_t(__builtin_ctzll(m_allocatableWords[s]));
        return std::uint32_t(w * 64 + std::size_t(__builtin_ctzll(m_allocatable[w])));
    }
    return GetSize();
}

std::uint32_t CAllocationTable::Get(std::uint32_t index) const
{
    return index < m_entries.size() ? m_entries[index] : cfb::kFreeSect;
}

void CAllocationTable::Grow(std::uint32_t size)
{
    if (size <= m_entries.size())
        return;
    const std::uint32_t oldSectors = GetSectorCount();
    const std::uint32_t sectors = (size + m_perSector - 1) / m_perSector;
    m_entries.resize(std::size_t(sectors) * m_perSector, cfb::kFreeSect);
    m_disk.resize(m_entries.size(), cfb::kFreeSect);
    m_flags.resize(m_entries.size(), 0);
    m_sectorDirty.resize(sectors, false);
    m_writtenInPlace.resize(sectors, false);
    const std::size_t oldWords = m_allocatable.size();
    m_allocatable.resize(m_entries.size() / 64, 0);
    m_allocatableWords.resize((m_allocatable.size() + 63) / 64, 0);
    for (std::size_t i = oldWords * 64; i < m_entries.size(); ++i)
        UpdateAllocatable(std::uint32_t(i));
    // New table sectors must be written even while they hold only free entries.
    for (std::uint32_t s = oldSectors; s < sectors; ++s)
        MarkDirty(s * m_perSector);
}

void CAllocationTable::MarkDirty(std::uint32_t index)
{
    const std::uint32_t sector = index / m_perSector;
    if (!m_sectorDirty[sector]) {
        m_sectorDirty[sector] = true;
        m_dirtySectors.push_back(sector);
    }
}

void CAllocationTable::Set(std::uint32_t index, std::uint32_t value)
{
    Grow(index + 1);
    if (m_entries[index] == value)
        return;
    m_entries[index] = value;
    MarkDirty(index);
    UpdateAllocatable(index);
}

std::uint32_t CAllocationTable::Allocate(std::uint32_t value)
{
    const std::uint32_t i = FindAllocatable();
    Set(i, value);
    Mark(i, kFresh);
    return i;
}

void CAllocationTable::Mark(std::uint32_t index, std::uint8_t flag)
{
    if ((m_flags[index] & (kPending | kFresh)) == 0)
        m_marked.push_back(index);
    m_flags[index] |= flag;
}

void CAllocationTable::Free(std::uint32_t index)
{
    if (index >= m_entries.size())
        return;
    Set(index, cfb::kFreeSect);
    if ((m_flags[index] & kFresh) != 0) {
        // Never part of the committed file: reusable at once.
        m_flags[index] &= std::uint8_t(~kFresh);
        return;
    }
    Mark(index, kPending);
    UpdateAllocatable(index);
}

void CAllocationTable::Reclaim(std::uint32_t index)
{
    if (index >= m_entries.size())
        return;
    Set(index, cfb::kFreeSect);
    if (m_disk[index] != cfb::kFreeSect)
        m_flags[index] |= kOrphan;
}

bool CAllocationTable::IsFresh(std::uint32_t index) const
{
    return index < m_flags.size() && (m_flags[index] & kFresh) != 0;
}

std::uint32_t CAllocationTable::GetUsedEnd() const
{
    std::uint32_t end = std::uint32_t(m_entries.size());
    while (end > 0 && m_entries[end - 1] == cfb::kFreeSect)
        --end;
    return end;
}

std::uint32_t CAllocationTable::GetExtent() const
{
    std::uint32_t end = std::uint32_t(m_entries.size());
    while (end > 0 && m_entries[end - 1] == cfb::kFreeSect && m_disk[end - 1] == cfb::kFreeSect)
        --end;
    return end;
}

void CAllocationTable::DropFreeSectorsAbove(std::uint32_t keep)
{
    std::uint32_t sectors = GetSectorCount();
    const auto isFree = [this](std::size_t e) {
        return m_entries[e] == cfb::kFreeSect && m_disk[e] == cfb::kFreeSect && (m_flags[e] & kPending) == 0;
    };
    while (sectors > keep) {
        const std::size_t first = std::size_t(sectors - 1) * m_perSector;
        bool free = true;
        for (std::size_t e = first; free && e < first + m_perSector; ++e)
            free = isFree(e);
        if (!free)
            break;
        --sectors;
    }
    Truncate(sectors);
}

void CAllocationTable::Truncate(std::uint32_t sectors)
{
    if (sectors >= GetSectorCount())
        return;
    const std::size_t size = std::size_t(sectors) * m_perSector;
    m_entries.resize(size);
    m_disk.resize(size);
    m_flags.resize(size);
    m_sectorDirty.resize(sectors);
    m_writtenInPlace.resize(sectors);
    m_dirtySectors.erase(std::remove_if(m_dirtySectors.begin(), m_dirtySectors.end(),
                                        [sectors](std::uint32_t s) { return s >= sectors; }),
                         m_dirtySectors.end());
    m_marked.erase(std::remove_if(m_marked.begin(), m_marked.end(), [size](std::uint32_t e) { return e >= size; }),
                   m_marked.end());
    m_allocatable.resize(size / 64);
    m_allocatableWords.assign((m_allocatable.size() + 63) / 64, 0);
    for (std::size_t w = 0; w < m_allocatable.size(); ++w)
        if (m_allocatable[w] != 0)
            m_allocatableWords[w / 64] |= std::uint64_t(1) << (w % 64);
}

std::uint32_t CAllocationTable::CountAllocatableBelow(std::uint32_t end) const
{
    std::uint32_t count = 0;
    for (std::size_t w = 0; w < m_allocatable.size() && w * 64 < end; ++w) {
        std::uint64_t bits = m_allocatable[w];
        if (end < (w + 1) * 64)
            bits &= (std::uint64_t(1) << (end - w * 64)) - 1;
        count += std::uint32_t(__builtin_popcountll(bits));
    }
    return count;
}

bool CAllocationTable::CanWriteInPlace(std::uint32_t sector) const
{
    const std::size_t first = std::size_t(sector) * m_perSector;
    for (std::size_t e = first; e < first + m_perSector; ++e) {
        if (m_entries[e] != m_disk[e] && m_disk[e] != cfb::kFreeSect && (m_flags[e] & (kPending | kOrphan)) == 0)
            return false; // a link the committed file follows
    }
    return true;
}

void CAllocationTable::SerializeSector(std::uint32_t sector, bool inPlace, std::uint8_t* out)
{
    m_writtenInPlace[sector] = inPlace;
    const std::size_t first = std::size_t(sector) * m_perSector;
    for (std::uint32_t i = 0; i < m_perSector; ++i) {
        const std::size_t e = first + i;
        cfb::Put32(out + 4 * i, inPlace && (m_flags[e] & kPending) != 0 ? m_disk[e] : m_entries[e]);
    }
}

void CAllocationTable::Committed()
{
    std::vector<std::uint32_t> deferred;
    for (std::uint32_t sector : m_dirtySectors) {
        m_sectorDirty[sector] = false;
        bool keep = false;
        const std::size_t first = std::size_t(sector) * m_perSector;
        for (std::size_t e = first; e < first + m_perSector; ++e) {
            const bool kept = m_writtenInPlace[sector] && (m_flags[e] & kPending) != 0;
            if (!kept)
                m_disk[e] = m_entries[e];
            m_flags[e] = std::uint8_t(kept ? (m_flags[e] | kOrphan) : (m_flags[e] & ~kOrphan));
            keep = keep || kept;
        }
        if (keep)
            deferred.push_back(sector);
    }
    m_dirtySectors.clear();
    for (std::uint32_t index : m_marked) {
        m_flags[index] &= kOrphan;
        UpdateAllocatable(index);
    }
    m_marked.clear();
    // Sectors still holding entries freed before this commit are written again at the next.
    for (std::uint32_t sector : deferred)
        MarkDirty(sector * m_perSector);
}
