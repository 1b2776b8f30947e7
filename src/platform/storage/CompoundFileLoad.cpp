// Reading the structure of an existing compound file. Every chain is walked once while each
// sector is claimed by its user, so loops, cross-links and chains leaving the file are found
// before anything is handed out.
#include <algorithm>
#include <glog/logging.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"

namespace {

EStorageResult Malformed(const char* reason)
{
    LOG(INFO) << "Malformed compound file: " << reason;
    return EStorageResult::Corrupt;
}

// Claims sectors (or mini sectors) for one user each.
class CSectorClaims
{
public:
    explicit CSectorClaims(std::uint64_t count) : m_claimed(count, false) {}
    bool Claim(std::uint32_t index)
    {
        if (index >= m_claimed.size() || m_claimed[index])
            return false;
        m_claimed[index] = true;
        return true;
    }
    bool IsClaimed(std::uint32_t index) const { return index < m_claimed.size() && m_claimed[index]; }

private:
    std::vector<bool> m_claimed;
};

bool WalkChain(const CAllocationTable& table, CSectorClaims& claims, std::uint32_t start, std::vector<std::uint32_t>& chain)
{
    for (std::uint32_t unit = start; unit != cfb::kEndOfChain; unit = table.Get(unit)) {
        if (!claims.Claim(unit))
            return false;
        chain.push_back(unit);
    }
    return true;
}

} // namespace

EStorageResult CCompoundFile::InitializeEmpty()
{
    SDirectoryEntry root;
    root.name = u"Root Entry";
    root.type = cfb::kTypeRoot;
    m_entries = {root};
    m_directoryChanged = true;
    m_headerChanged = true;
    return Commit();
}

EStorageResult CCompoundFile::Load()
{
    std::uint8_t header[cfb::kHeaderSize];
    if (m_file.GetSize() < cfb::kHeaderSize)
        return Malformed("shorter than its header");
    if (EStorageResult result = m_file.Read(0, header, sizeof header); result != EStorageResult::Ok)
        return result;
    if (!std::equal(cfb::kSignature.begin(), cfb::kSignature.end(), header))
        return Malformed("no signature");
    m_major = cfb::Get16(header + cfb::kOffMajorVersion);
    m_shift = cfb::Get16(header + cfb::kOffSectorShift);
    if (cfb::Get16(header + cfb::kOffByteOrder) != 0xFFFE || !((m_major == 3 && m_shift == 9) || (m_major == 4 && m_shift == 12)))
        return Malformed("unknown version or sector size");
    if (cfb::Get16(header + cfb::kOffMiniSectorShift) != cfb::kMiniSectorShift ||
        cfb::Get32(header + cfb::kOffMiniCutoff) != cfb::kMiniStreamCutoff)
        return Malformed("unknown mini sector layout");
    m_sectorSize = 1u << m_shift;
    const std::uint32_t perSector = m_sectorSize / 4;
    const std::uint64_t fileSize = m_file.GetSize();
    // Only whole sectors count: a file cut inside a sector has lost that sector.
    const std::uint64_t fileSectors = std::min<std::uint64_t>(fileSize >= m_sectorSize ? fileSize / m_sectorSize - 1 : 0, cfb::kMaxRegSect);
    CSectorClaims claims(fileSectors);
    std::vector<std::uint8_t> sector(m_sectorSize);

    // Allocation table locations: the header's part of the DIFAT, then the DIFAT chain.
    const std::uint32_t fatCount = cfb::Get32(header + cfb::kOffFatSectorCount);
    if (fatCount > fileSectors)
        return Malformed("more allocation table sectors than the file holds");
    m_fatLocations.clear();
    for (std::uint32_t i = 0; i < std::min(fatCount, cfb::kHeaderDifatCount); ++i)
        m_fatLocations.push_back(cfb::Get32(header + cfb::kOffHeaderDifat + 4 * i));
    m_difatChain.clear();
    for (std::uint32_t next = cfb::Get32(header + cfb::kOffFirstDifatSector); m_fatLocations.size() < fatCount;) {
        if (!claims.Claim(next))
            return Malformed("bad DIFAT chain");
        m_difatChain.push_back(next);
        if (EStorageResult result = m_file.Read(SectorOffset(next), sector.data(), m_sectorSize); result != EStorageResult::Ok)
            return result;
        for (std::uint32_t i = 0; i + 1 < perSector && m_fatLocations.size() < fatCount; ++i)
            m_fatLocations.push_back(cfb::Get32(sector.data() + 4 * i));
        next = cfb::Get32(sector.data() + m_sectorSize - 4);
    }
    std::vector<std::uint32_t> fat(std::size_t(fatCount) * perSector);
    for (std::uint32_t i = 0; i < fatCount; ++i) {
        if (!claims.Claim(m_fatLocations[i]))
            return Malformed("bad allocation table location");
        if (EStorageResult result = m_file.Read(SectorOffset(m_fatLocations[i]), sector.data(), m_sectorSize); result != EStorageResult::Ok)
            return result;
        for (std::uint32_t j = 0; j < perSector; ++j)
            fat[std::size_t(i) * perSector + j] = cfb::Get32(sector.data() + 4 * j);
    }
    m_fat = CAllocationTable(perSector);
    m_fat.Load(std::move(fat));

    // Directory.
    m_directoryChain.clear();
    if (!WalkChain(m_fat, claims, cfb::Get32(header + cfb::kOffFirstDirSector), m_directoryChain) || m_directoryChain.empty())
        return Malformed("bad directory chain");
    m_committedDirectory.assign(m_directoryChain.size() * std::size_t(m_sectorSize), 0);
    if (EStorageResult result = ReadUnits(false, m_directoryChain, 0, m_committedDirectory.data(), m_committedDirectory.size());
        result != EStorageResult::Ok)
        return result;
    const std::size_t entryCount = m_committedDirectory.size() / cfb::kDirEntrySize;
    m_entries.clear();
    for (std::size_t i = 0; i < entryCount; ++i)
        m_entries.push_back(SDirectoryEntry::Parse(m_committedDirectory.data() + i * cfb::kDirEntrySize, m_major == 3));
    SDirectoryEntry& root = m_entries[0];
    if (root.type != cfb::kTypeRoot)
        return Malformed("no root entry");

    // Mini FAT and mini stream.
    m_miniFatChain.clear();
    std::vector<std::uint32_t> miniFat;
    if (const std::uint32_t first = cfb::Get32(header + cfb::kOffFirstMiniFatSector); first != cfb::kFreeSect) {
        if (!WalkChain(m_fat, claims, first, m_miniFatChain))
            return Malformed("bad mini FAT chain");
        miniFat.resize(m_miniFatChain.size() * std::size_t(perSector));
        std::vector<std::uint8_t> bytes(m_miniFatChain.size() * std::size_t(m_sectorSize));
        if (EStorageResult result = ReadUnits(false, m_miniFatChain, 0, bytes.data(), bytes.size()); result != EStorageResult::Ok)
            return result;
        for (std::size_t i = 0; i < miniFat.size(); ++i)
            miniFat[i] = cfb::Get32(bytes.data() + 4 * i);
    }
    m_miniFat = CAllocationTable(perSector);
    m_miniFat.Load(std::move(miniFat));
    m_miniStreamChain.clear();
    if (root.size > 0) {
        if (!WalkChain(m_fat, claims, root.start, m_miniStreamChain) ||
            std::uint64_t(m_miniStreamChain.size()) * m_sectorSize < root.size)
            return Malformed("bad mini stream chain");
    }
    const std::uint64_t miniCapacity = (root.size + cfb::kMiniSectorSize - 1) / cfb::kMiniSectorSize;
    CSectorClaims miniClaims(miniCapacity);

    // The tree of elements, each reached once.
    std::vector<bool> seen(entryCount, false);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pending; // entry, parent
    pending.emplace_back(root.child, 0);
    m_rootChildren.clear();
    while (!pending.empty()) {
        const auto [sid, parent] = pending.back();
        pending.pop_back();
        if (sid == cfb::kNoStream)
            continue;
        if (sid == 0 || sid >= entryCount || seen[sid])
            return Malformed("bad directory tree");
        seen[sid] = true;
        SDirectoryEntry& entry = m_entries[sid];
        if ((entry.type != cfb::kTypeStorage && entry.type != cfb::kTypeStream) || entry.name.empty())
            return Malformed("bad directory entry");
        if (parent == 0)
            m_rootChildren.push_back(sid);
        pending.emplace_back(entry.left, parent);
        pending.emplace_back(entry.right, parent);
        if (entry.type == cfb::kTypeStorage) {
            pending.emplace_back(entry.child, sid);
            continue;
        }
        auto content = std::make_shared<SStreamContent>();
        content->size = entry.size;
        content->mini = entry.size < cfb::kMiniStreamCutoff;
        if (entry.size > 0) {
            const bool walked = content->mini ? WalkChain(m_miniFat, miniClaims, entry.start, content->units)
                                              : WalkChain(m_fat, claims, entry.start, content->units);
            const std::uint32_t unitSize = UnitSize(content->mini);
            if (!walked || std::uint64_t(content->units.size()) < (entry.size + unitSize - 1) / unitSize)
                return Malformed("bad stream chain");
        }
        entry.content = std::move(content);
    }

    if (m_writable) {
        // Sectors nothing reaches (left by a writer that stopped between commits) are free.
        for (std::uint32_t i = 0; i < m_fat.GetSize(); ++i)
            if (m_fat.Get(i) != cfb::kFreeSect && !claims.IsClaimed(i))
                m_fat.Reclaim(i);
        for (std::uint32_t i = 0; i < m_miniFat.GetSize(); ++i)
            if (m_miniFat.Get(i) != cfb::kFreeSect && !miniClaims.IsClaimed(i))
                m_miniFat.Reclaim(i);
        for (std::uint32_t location : m_fatLocations)
            m_fat.Set(location, cfb::kFatSect);
        for (std::uint32_t location : m_difatChain)
            m_fat.Set(location, cfb::kDifSect);
        for (std::uint32_t sid = 0; sid < entryCount; ++sid)
            if (!seen[sid] && sid != 0 && m_entries[sid].type != cfb::kTypeUnused) {
                m_entries[sid] = SDirectoryEntry{};
                m_entries[sid].start = 0;
                m_directoryChanged = true;
            }
    }
    m_committedFatLocations = m_fatLocations;
    m_committedDifatCount = m_difatChain.size();
    return EStorageResult::Ok;
}

EStorageResult CCompoundFile::Recover()
{
    // A stream that writes holds sectors of the state being dropped, and one destroyed while
    // open may read sectors the file no longer keeps: both must close first.
    if (m_detachedStreams > 0)
        return EStorageResult::IoError;
    for (const auto& [key, stream] : m_openStreams)
        if (stream->m_writable)
            return EStorageResult::IoError;
    auto loaded = std::make_shared<CCompoundFile>(SPrivate{}, true);
    loaded->m_failed = true; // it only reads; it never commits
    if (loaded->m_file.Duplicate(m_file) != EStorageResult::Ok || loaded->Load() != EStorageResult::Ok) {
        LOG(INFO) << "A compound file whose write failed cannot be read again";
        return EStorageResult::IoError;
    }
    // Every reader goes on with its content, which must be the one the file holds.
    for (const auto& [key, stream] : m_openStreams) {
        const std::uint32_t sid = loaded->FindRootChild(stream->m_name);
        const SStreamContent* held = stream->m_base.get();
        const SStreamContent* stored = sid != cfb::kNoStream ? loaded->m_entries[sid].content.get() : nullptr;
        if (!held || !stored || held->mini != stored->mini || held->units != stored->units || held->size != stored->size)
            return EStorageResult::IoError;
    }
    for (const auto& [key, stream] : m_openStreams)
        loaded->m_entries[loaded->FindRootChild(stream->m_name)].content = stream->m_base;
    TakeStructureFrom(*loaded);
    m_failed = false;
    LOG(INFO) << "A compound file whose write failed was read again";
    return EStorageResult::Ok;
}

void CCompoundFile::TakeStructureFrom(CCompoundFile& loaded)
{
    m_major = loaded.m_major;
    m_shift = loaded.m_shift;
    m_sectorSize = loaded.m_sectorSize;
    m_fat = std::move(loaded.m_fat);
    m_miniFat = std::move(loaded.m_miniFat);
    m_fatLocations = std::move(loaded.m_fatLocations);
    m_committedFatLocations = std::move(loaded.m_committedFatLocations);
    m_difatChain = std::move(loaded.m_difatChain);
    m_committedDifatCount = loaded.m_committedDifatCount;
    m_miniFatChain = std::move(loaded.m_miniFatChain);
    m_directoryChain = std::move(loaded.m_directoryChain);
    m_miniStreamChain = std::move(loaded.m_miniStreamChain);
    m_entries = std::move(loaded.m_entries);
    m_rootChildren = std::move(loaded.m_rootChildren);
    m_committedDirectory = std::move(loaded.m_committedDirectory);
    m_directoryChanged = loaded.m_directoryChanged;
    m_treeChanged = loaded.m_treeChanged;
    m_headerChanged = loaded.m_headerChanged;
}
