#pragma once
// One allocation table of a compound file (the FAT over sectors or the mini FAT over mini
// sectors) held in memory, next to the entries as the file holds them. It remembers what changed
// since the last commit: which of its sectors must be written, which entries were allocated since
// (fresh: not part of the committed file, so they may be written in place) and which were freed
// since (still referenced by the committed file, so they are not handed out again until the next
// commit).
//
// A table sector may be rewritten in place when the committed file survives any mix of its old
// and new bytes: its changes only take free entries, or entries nothing committed refers to
// (orphans). Entries freed since the last commit then keep their old values on disk for one more
// commit, after which they are orphans.
#include <cstdint>
#include <vector>

class CAllocationTable
{
public:
    explicit CAllocationTable(std::uint32_t entriesPerSector);

    // Entries as read from the file; nothing counts as changed.
    void Load(std::vector<std::uint32_t> entries);

    std::uint32_t GetSize() const { return std::uint32_t(m_entries.size()); }
    std::uint32_t GetSectorCount() const { return GetSize() / m_perSector; }
    std::uint32_t Get(std::uint32_t index) const;
    void Set(std::uint32_t index, std::uint32_t value);

    // Lowest entry that is free and not freed since the last commit; the table grows as needed.
    std::uint32_t Allocate(std::uint32_t value);
    // Freed entries of the committed file become reusable after the next commit.
    void Free(std::uint32_t index);
    // Marks an entry free at once: for entries no chain of the committed file reaches.
    void Reclaim(std::uint32_t index);
    bool IsFresh(std::uint32_t index) const;
    // One past the highest entry in use.
    std::uint32_t GetUsedEnd() const;
    // One past the highest entry in use, or in use in the committed file.
    std::uint32_t GetExtent() const;
    // Gives up table sectors from the end down to `keep`, as long as they hold only free
    // entries that nothing freed since the last commit: sectors a stream took and gave back
    // before they were ever committed.
    void DropFreeSectorsAbove(std::uint32_t keep);
    // Gives up every table sector from `keep` on, whatever the committed file holds there: for
    // entries that nothing uses any more and that nothing allocates before the next commit,
    // which switches the file to the shorter table.
    void Truncate(std::uint32_t keep);
    // The number of entries below `end` that Allocate may hand out now.
    std::uint32_t CountAllocatableBelow(std::uint32_t end) const;
    // The sector is written at the next commit, although none of its entries changed: it moves.
    void MarkSectorDirty(std::uint32_t sector) { MarkDirty(sector * m_perSector); }

    bool HasChanges() const { return !m_dirtySectors.empty(); }
    const std::vector<std::uint32_t>& GetDirtySectors() const { return m_dirtySectors; }
    bool IsSectorDirty(std::uint32_t sector) const { return sector < m_sectorDirty.size() && m_sectorDirty[sector]; }
    bool CanWriteInPlace(std::uint32_t sector) const;
    // The entries of one table sector, little-endian, for writing in place or to a new sector.
    void SerializeSector(std::uint32_t sector, bool inPlace, std::uint8_t* out);
    // The file now holds every dirty sector as last serialized.
    void Committed();

private:
    enum : std::uint8_t { kPending = 1, kFresh = 2, kOrphan = 4 };
    void Mark(std::uint32_t index, std::uint8_t flag);
    // Keeps the bit of an entry in the map of allocatable entries (free and not pending).
    void UpdateAllocatable(std::uint32_t index);
    std::uint32_t FindAllocatable() const;
    void Grow(std::uint32_t size);
    void MarkDirty(std::uint32_t index);

    std::uint32_t m_perSector;
    std::vector<std::uint32_t> m_entries;
    std::vector<std::uint32_t> m_disk; // as the committed file holds them
    std::vector<std::uint8_t> m_flags;
    std::vector<bool> m_writtenInPlace; // by sector, for the commit under way
    std::vector<std::uint32_t> m_marked; // entries with a flag set
    std::vector<bool> m_sectorDirty;
    std::vector<std::uint32_t> m_dirtySectors;
    // One bit per entry, and one per word of those bits that is not zero, so that the lowest
    // allocatable entry is found in time that hardly grows with the file.
    std::vector<std::uint64_t> m_allocatable;
    std::vector<std::uint64_t> m_allocatableWords;
};
