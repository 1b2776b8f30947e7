// Committing: the changed directory, mini FAT, FAT and DIFAT sectors go to sectors the committed
// file does not use (sectors allocated since the last commit, and table sectors whose changes the
// committed file cannot see, are written in place), then a sync, then the header that switches
// the file over to them, then a sync again.
#include <algorithm>
#include <cstring>
#include <glog/logging.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageName.h"

void CCompoundFile::ExtendChain(std::vector<std::uint32_t>& chain, std::uint32_t count)
{
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t sector = m_fat.Allocate(cfb::kEndOfChain);
        if (!chain.empty())
            m_fat.Set(chain.back(), sector);
        chain.push_back(sector);
    }
}

void CCompoundFile::RelocateChainPrefix(std::vector<std::uint32_t>& chain, std::size_t count)
{
    // Backwards, so that each moved sector links to the final place of the next one; the first
    // link that changes is then one of a sector new since the last commit, or the header's.
    for (std::size_t j = count; j-- > 0;) {
        const std::uint32_t next = j + 1 < chain.size() ? chain[j + 1] : cfb::kEndOfChain;
        if (m_fat.IsFresh(chain[j])) {
            m_fat.Set(chain[j], next);
            continue;
        }
        const std::uint32_t moved = m_fat.Allocate(next);
        m_fat.Free(chain[j]);
        chain[j] = moved;
    }
}

void CCompoundFile::SyncRootEntry()
{
    SDirectoryEntry& root = m_entries[0];
    const std::uint32_t start = m_miniStreamChain.empty() ? cfb::kEndOfChain : m_miniStreamChain.front();
    const std::uint64_t size = std::uint64_t(m_miniStreamChain.size()) * m_sectorSize;
    // Other writers give the mini stream its own length rather than its sectors': such a size
    // stays while it still covers every mini sector in use within the same chain, so that a
    // file nothing was changed in is not written.
    const std::uint64_t used = std::uint64_t(m_miniFat.GetUsedEnd()) * cfb::kMiniSectorSize;
    const bool covers = root.size >= used && (root.size + m_sectorSize - 1) / m_sectorSize == m_miniStreamChain.size();
    if (root.start != start || !covers) {
        root.start = start;
        root.size = size;
        m_directoryChanged = true;
    }
}

void CCompoundFile::RebuildRootTree()
{
    // A balanced tree, black except for the nodes of an incomplete last level, which are red:
    // every path then passes the same number of black nodes.
    std::sort(m_rootChildren.begin(), m_rootChildren.end(), [this](std::uint32_t a, std::uint32_t b) {
        return StorageName::Compare(m_entries[a].name, m_entries[b].name) < 0;
    });
    const std::size_t count = m_rootChildren.size();
    std::size_t fullLevels = 0;
    while ((std::size_t(1) << (fullLevels + 1)) - 1 <= count)
        ++fullLevels;
    const bool complete = (std::size_t(1) << fullLevels) - 1 == count;
    auto build = [&](auto& self, std::size_t lo, std::size_t hi, std::size_t depth) -> std::uint32_t {
        if (lo >= hi)
            return cfb::kNoStream;
        const std::size_t mid = lo + (hi - lo) / 2;
        SDirectoryEntry& node = m_entries[m_rootChildren[mid]];
        node.left = self(self, lo, mid, depth + 1);
        node.right = self(self, mid + 1, hi, depth + 1);
        node.color = (!complete && depth == fullLevels) ? 0 : cfb::kColorBlack;
        return m_rootChildren[mid];
    };
    m_entries[0].child = build(build, 0, count, 0);
    m_directoryChanged = true;
}

std::vector<std::uint8_t> CCompoundFile::SerializeDirectory() const
{
    const std::size_t perSector = m_sectorSize / cfb::kDirEntrySize;
    const std::size_t sectors = std::max((m_entries.size() + perSector - 1) / perSector, m_directoryChain.size());
    std::vector<std::uint8_t> bytes(sectors * m_sectorSize);
    SDirectoryEntry unused;
    unused.start = 0;
    for (std::size_t i = 0; i < sectors * perSector; ++i) {
        std::uint8_t* out = bytes.data() + i * cfb::kDirEntrySize;
        if (i >= m_entries.size() || m_entries[i].type == cfb::kTypeUnused) {
            unused.Serialize(out);
            continue;
        }
        SDirectoryEntry entry = m_entries[i];
        if (entry.content) {
            entry.start = entry.content->units.empty() ? cfb::kEndOfChain : entry.content->units.front();
            entry.size = entry.content->size;
        }
        entry.Serialize(out);
    }
    return bytes;
}

EStorageResult CCompoundFile::WriteHeader()
{
    std::uint8_t header[cfb::kHeaderSize] = {};
    std::copy(cfb::kSignature.begin(), cfb::kSignature.end(), header);
    cfb::Put16(header + cfb::kOffMinorVersion, 0x3E);
    cfb::Put16(header + cfb::kOffMajorVersion, m_major);
    cfb::Put16(header + cfb::kOffByteOrder, 0xFFFE);
    cfb::Put16(header + cfb::kOffSectorShift, std::uint16_t(m_shift));
    cfb::Put16(header + cfb::kOffMiniSectorShift, cfb::kMiniSectorShift);
    cfb::Put32(header + cfb::kOffDirSectorCount, m_major == 3 ? 0 : std::uint32_t(m_directoryChain.size()));
    cfb::Put32(header + cfb::kOffFatSectorCount, std::uint32_t(m_fatLocations.size()));
    cfb::Put32(header + cfb::kOffFirstDirSector, m_directoryChain.front());
    cfb::Put32(header + cfb::kOffMiniCutoff, cfb::kMiniStreamCutoff);
    cfb::Put32(header + cfb::kOffFirstMiniFatSector, m_miniFatChain.empty() ? cfb::kEndOfChain : m_miniFatChain.front());
    cfb::Put32(header + cfb::kOffMiniFatSectorCount, std::uint32_t(m_miniFatChain.size()));
    cfb::Put32(header + cfb::kOffFirstDifatSector, m_difatChain.empty() ? cfb::kEndOfChain : m_difatChain.front());
    cfb::Put32(header + cfb::kOffDifatSectorCount, std::uint32_t(m_difatChain.size()));
    for (std::uint32_t i = 0; i < cfb::kHeaderDifatCount; ++i)
        cfb::Put32(header + cfb::kOffHeaderDifat + 4 * i, i < m_fatLocations.size() ? m_fatLocations[i] : cfb::kFreeSect);
    return m_file.Write(0, header, sizeof header);
}

EStorageResult CCompoundFile::Commit()
{
    if (!m_writable)
        return EStorageResult::Ok;
    if (m_failed)
        return EStorageResult::IoError;
    if (m_treeChanged)
        RebuildRootTree();
    SyncRootEntry();
    // Table sectors a stream grew the table by and gave back before they were committed.
    m_fat.DropFreeSectorsAbove(std::uint32_t(m_fatLocations.size()));
    if (!m_directoryChanged && !m_headerChanged && !m_fat.HasChanges() && !m_miniFat.HasChanges())
        return EStorageResult::Ok;

    // Directory: changed sectors move (unless they are new since the last commit), and so do
    // the ones before them, whose links change.
    const std::size_t entriesPerSector = m_sectorSize / cfb::kDirEntrySize;
    const std::size_t directorySectors = (m_entries.size() + entriesPerSector - 1) / entriesPerSector;
    if (m_directoryChain.size() < directorySectors)
        ExtendChain(m_directoryChain, std::uint32_t(directorySectors - m_directoryChain.size()));
    const std::vector<std::uint8_t> directory = SerializeDirectory();
    std::size_t directoryChanged = 0;
    for (std::size_t k = 0; k < m_directoryChain.size(); ++k) {
        const std::size_t at = k * m_sectorSize;
        if (at + m_sectorSize > m_committedDirectory.size() ||
            std::memcmp(directory.data() + at, m_committedDirectory.data() + at, m_sectorSize) != 0)
            directoryChanged = k + 1;
    }
    RelocateChainPrefix(m_directoryChain, directoryChanged);

    // Mini FAT: sectors that cannot be rewritten in place move, with the ones before them.
    if (m_miniFatChain.size() < m_miniFat.GetSectorCount())
        ExtendChain(m_miniFatChain, std::uint32_t(m_miniFat.GetSectorCount() - m_miniFatChain.size()));
    std::size_t miniFatMoved = 0;
    for (std::uint32_t s : m_miniFat.GetDirtySectors())
        if (!m_fat.IsFresh(m_miniFatChain[s]) && !m_miniFat.CanWriteInPlace(s))
            miniFatMoved = std::max<std::size_t>(miniFatMoved, s + 1);
    RelocateChainPrefix(m_miniFatChain, miniFatMoved);

    // FAT and DIFAT: moving a table sector changes the table and the DIFAT, and a moved DIFAT
    // sector changes the link of the one before it; repeat until nothing moves.
    const std::uint32_t perSector = m_sectorSize / 4;
    for (bool moved = true; moved;) {
        moved = false;
        while (m_fatLocations.size() < m_fat.GetSectorCount()) {
            m_fatLocations.push_back(m_fat.Allocate(cfb::kFatSect));
            moved = true;
        }
        for (std::size_t i = 0; i < m_fat.GetDirtySectors().size(); ++i) {
            const std::uint32_t s = m_fat.GetDirtySectors()[i];
            if (s < m_fatLocations.size() && !m_fat.IsFresh(m_fatLocations[s]) && !m_fat.CanWriteInPlace(s)) {
                const std::uint32_t old = m_fatLocations[s];
                m_fatLocations[s] = m_fat.Allocate(cfb::kFatSect);
                m_fat.Free(old);
                moved = true;
            }
        }
        const std::size_t difatNeeded =
            m_fatLocations.size() > cfb::kHeaderDifatCount
                ? (m_fatLocations.size() - cfb::kHeaderDifatCount + perSector - 2) / (perSector - 1)
                : 0;
        while (m_difatChain.size() < difatNeeded) {
            m_difatChain.push_back(m_fat.Allocate(cfb::kDifSect));
            moved = true;
        }
        std::size_t changedDifat = 0; // one past the last DIFAT sector whose content changed
        for (std::size_t i = cfb::kHeaderDifatCount; i < m_fatLocations.size(); ++i)
            if (i >= m_committedFatLocations.size() || m_fatLocations[i] != m_committedFatLocations[i])
                changedDifat = std::max(changedDifat, (i - cfb::kHeaderDifatCount) / (perSector - 1) + 1);
        if (m_difatChain.size() > m_committedDifatCount)
            changedDifat = std::max(changedDifat, m_committedDifatCount);
        for (std::size_t j = 0; j < changedDifat; ++j) {
            if (!m_fat.IsFresh(m_difatChain[j])) {
                const std::uint32_t old = m_difatChain[j];
                m_difatChain[j] = m_fat.Allocate(cfb::kDifSect);
                m_fat.Free(old);
                moved = true;
            }
        }
    }

    // Writes: everything new first.
    EStorageResult result = m_file.EnsureSize(SectorOffset(m_fat.GetUsedEnd()));
    std::vector<std::uint8_t> sector(m_sectorSize);
    // Allocation sectors that lie one after another go out in one write: a large stream has
    // thousands of them.
    constexpr std::size_t kLargestRun = 1024 * 1024;
    std::vector<std::uint8_t> run;
    std::uint32_t runStart = 0;
    const auto writeRun = [&] {
        if (result == EStorageResult::Ok && !run.empty())
            result = m_file.Write(SectorOffset(runStart), run.data(), run.size());
        run.clear();
    };
    for (std::uint32_t s : m_fat.GetDirtySectors()) {
        const std::uint32_t location = m_fatLocations[s];
        if (!run.empty() && (location != runStart + run.size() / m_sectorSize || run.size() >= kLargestRun))
            writeRun();
        if (result != EStorageResult::Ok)
            break;
        if (run.empty())
            runStart = location;
        run.resize(run.size() + m_sectorSize);
        m_fat.SerializeSector(s, !m_fat.IsFresh(location), run.data() + run.size() - m_sectorSize);
    }
    writeRun();
    for (std::size_t j = 0; j < m_difatChain.size() && result == EStorageResult::Ok; ++j) {
        if (!m_fat.IsFresh(m_difatChain[j]))
            continue;
        for (std::uint32_t i = 0; i + 1 < perSector; ++i) {
            const std::size_t index = cfb::kHeaderDifatCount + j * (perSector - 1) + i;
            cfb::Put32(sector.data() + 4 * i, index < m_fatLocations.size() ? m_fatLocations[index] : cfb::kFreeSect);
        }
        cfb::Put32(sector.data() + m_sectorSize - 4, j + 1 < m_difatChain.size() ? m_difatChain[j + 1] : cfb::kEndOfChain);
        result = m_file.Write(SectorOffset(m_difatChain[j]), sector.data(), m_sectorSize);
    }
    for (std::uint32_t s = 0; s < m_miniFatChain.size() && result == EStorageResult::Ok; ++s) {
        const bool moved = m_fat.IsFresh(m_miniFatChain[s]);
        if (!moved && !m_miniFat.IsSectorDirty(s))
            continue;
        m_miniFat.SerializeSector(s, !moved, sector.data());
        result = m_file.Write(SectorOffset(m_miniFatChain[s]), sector.data(), m_sectorSize);
    }
    for (std::size_t k = 0; k < m_directoryChain.size(); ++k) {
        if (result != EStorageResult::Ok)
            break;
        if (!m_fat.IsFresh(m_directoryChain[k]))
            continue;
        result = m_file.Write(SectorOffset(m_directoryChain[k]), directory.data() + k * m_sectorSize, m_sectorSize);
    }
    const bool sync = m_commitSync == ECommitSync::EachCommit;
    if (result == EStorageResult::Ok && sync)
        result = m_file.Sync();
    if (result == EStorageResult::Ok)
        result = WriteHeader();
    if (result == EStorageResult::Ok && sync)
        result = m_file.Sync();
    if (result != EStorageResult::Ok) {
        LOG(INFO) << "A commit of a compound file failed: " << StorageResultText(result);
        m_failed = true;
        return result;
    }

    m_fat.Committed();
    m_miniFat.Committed();
    m_committedFatLocations = m_fatLocations;
    m_committedDifatCount = m_difatChain.size();
    m_committedDirectory = directory;
    m_directoryChanged = m_treeChanged = m_headerChanged = false;
    TrimFreeTail();
    return EStorageResult::Ok;
}

void CCompoundFile::TrimFreeTail()
{
    // Sectors beyond every one in use, here or in the committed file: left by a stream that
    // was destroyed, or written by a writer that stopped before it committed them.
    const std::uint64_t end = SectorOffset(m_fat.GetExtent());
    if (m_writable && !m_failed && m_file.GetSize() > end)
        m_file.Truncate(end);
}
