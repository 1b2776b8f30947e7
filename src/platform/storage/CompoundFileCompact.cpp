// Moving the allocation tables and the directory below the data. A large stream that was written
// and then destroyed (an import that never reached the project) leaves its space free in the
// middle of the file, with the table sectors that grew with it standing after that space: the
// free tail cannot be given back while they stand there. They move into the free space, the
// allocation table drops the sectors that covered only the space after the data, and the commit
// that follows lets the file end after the data.
//
// Safety is the commit's: the moved sectors are written to places the committed file does not
// use, the old ones stay as they were until the header switches to the new ones, and only then
// is the file cut.
#include <algorithm>
#include <unordered_set>

#include "platform/storage/CompoundFile.h"

namespace {

// The last index of the chain whose sector lies at or after `end`, plus one; 0 for none.
std::size_t PrefixReaching(const std::vector<std::uint32_t>& chain, std::uint32_t end)
{
    for (std::size_t k = chain.size(); k-- > 0;)
        if (chain[k] >= end)
            return k + 1;
    return 0;
}

} // namespace

bool CCompoundFile::MoveTablesBelowData()
{
    if (!m_writable || m_failed)
        return false;
    std::unordered_set<std::uint32_t> tables(m_fatLocations.begin(), m_fatLocations.end());
    for (const auto* chain : {&m_difatChain, &m_directoryChain, &m_miniFatChain})
        tables.insert(chain->begin(), chain->end());
    // One past the last sector of stream data (the mini stream counts as data).
    std::uint32_t dataEnd = m_fat.GetSize();
    while (dataEnd > 0 && (m_fat.Get(dataEnd - 1) == cfb::kFreeSect || tables.count(dataEnd - 1) != 0))
        --dataEnd;
    if (std::none_of(tables.begin(), tables.end(), [dataEnd](std::uint32_t s) { return s >= dataEnd; }))
        return false;

    const std::uint32_t perSector = m_sectorSize / 4;
    const std::uint32_t keptFat = std::max<std::uint32_t>(1, (dataEnd + perSector - 1) / perSector);
    if (keptFat > m_fatLocations.size())
        return false;
    const std::size_t difatNeeded =
        keptFat > cfb::kHeaderDifatCount ? (keptFat - cfb::kHeaderDifatCount + perSector - 2) / (perSector - 1) : 0;
    const std::size_t fatMoves = std::size_t(
        std::count_if(m_fatLocations.begin(), m_fatLocations.begin() + keptFat, [dataEnd](std::uint32_t s) { return s >= dataEnd; }));
    const std::size_t directoryMoves = PrefixReaching(m_directoryChain, dataEnd);
    const std::size_t miniFatMoves = PrefixReaching(m_miniFatChain, dataEnd);
    // Every new place must lie below the data: nothing may be handed out where the committed
    // file keeps what the dropped table sectors describe.
    if (m_fat.CountAllocatableBelow(dataEnd) < fatMoves + difatNeeded + directoryMoves + miniFatMoves)
        return false;

    for (std::size_t s = keptFat; s < m_fatLocations.size(); ++s)
        m_fat.Free(m_fatLocations[s]);
    m_fatLocations.resize(keptFat);
    for (std::uint32_t s = 0; s < keptFat; ++s) {
        if (m_fatLocations[s] < dataEnd)
            continue;
        const std::uint32_t moved = m_fat.Allocate(cfb::kFatSect);
        m_fat.Free(m_fatLocations[s]);
        m_fatLocations[s] = moved;
        m_fat.MarkSectorDirty(s);
    }
    // The DIFAT is written anew, as long as the shorter table needs.
    for (std::uint32_t sector : m_difatChain)
        m_fat.Free(sector);
    m_difatChain.clear();
    while (m_difatChain.size() < difatNeeded)
        m_difatChain.push_back(m_fat.Allocate(cfb::kDifSect));
    RelocateChainPrefix(m_directoryChain, directoryMoves);
    RelocateChainPrefix(m_miniFatChain, miniFatMoves);
    m_fat.Truncate(keptFat);
    m_headerChanged = true;
    return true;
}
