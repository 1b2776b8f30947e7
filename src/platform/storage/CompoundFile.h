#pragma once
// A compound file ("structured storage" file) whose root storage holds streams: created and
// opened exclusively (an advisory lock keeps other processes out), enumerated, edited in direct
// mode. Every change reaches the file through a commit that writes new sectors first, then the
// allocation tables and the directory, then the header, with a sync between, and never changes
// a byte the committed file relies on: a writer killed at any instant leaves the file as it was
// after its last commit. Streams publish what was written to them when they are closed.
//
// A write that fails (a full disk) leaves the file as its last commit made it; the next change
// first reads the file's structure again, so that it succeeds once the disk has room. Space at
// the end of the file that nothing uses goes back to the file system at every commit, and Flush
// moves the tables out of the way of free space before the end.
//
// The object is shared: open streams keep it (and the file and its lock) alive after its
// creator lets go.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/CString.h"
#include "platform/storage/AllocationTable.h"
#include "platform/storage/DirectoryEntry.h"
#include "platform/storage/SectorFile.h"
#include "platform/storage/StorageResult.h"

class CStorageStream;

// Element types as the storage reports them.
enum class EStorageElementType : std::uint32_t { Storage = 1, Stream = 2 };

struct SStorageElement
{
    CString name; // UTF-8
    EStorageElementType type;
    std::uint64_t size; // bytes; 0 for a storage
};

enum class EStorageAccess { Read, ReadWrite };
enum class EStreamCreate { Replace, FailIfExists };
// Whether each commit syncs the file (the file is whole at every instant) or leaves it to one
// FlushToDisk at the end: for a file built under a temporary name and renamed into place only
// when complete, where a crash loses nothing but the file being built.
enum class ECommitSync { EachCommit, Deferred };

class CCompoundFile : public std::enable_shared_from_this<CCompoundFile>
{
public:
    // Creates a new file, replacing one of that name, and opens it for exclusive read-write.
    static EStorageResult Create(const CString& path, std::shared_ptr<CCompoundFile>& file, StorageWriteHook hook = {},
                                 ECommitSync sync = ECommitSync::EachCommit);
    // Read-write opens exclusively; read-only opens share with other readers only.
    static EStorageResult Open(const CString& path, EStorageAccess access, std::shared_ptr<CCompoundFile>& file,
                               StorageWriteHook hook = {});

    CCompoundFile(const CCompoundFile&) = delete;
    CCompoundFile& operator=(const CCompoundFile&) = delete;
    ~CCompoundFile();

    bool IsWritable() const { return m_writable; }
    // Whether the path names the file this object holds open.
    bool IsFileAt(const CString& path) const { return m_file.IsAt(path); }
    // Ok when changes may be made; after a failed write the structure is first read again from
    // the file (what memory holds beyond it is dropped).
    EStorageResult CheckWritable();

    // The root storage's elements in the format's order (shorter names first, then by upper-cased
    // UTF-16 units). Streams being created appear once they are closed.
    std::vector<SStorageElement> EnumElements() const;
    // Destroys a root element; an open stream of that name keeps its bytes until it is closed,
    // and publishes nothing afterwards.
    EStorageResult DestroyElement(const CString& name);
    // Gives the element the new name in one commit, replacing an element that carries the new
    // name (in any case): the file then holds either the old state or the new one, never both
    // names or neither. Refused while a stream of either name is open.
    EStorageResult RenameElement(const CString& oldName, const CString& newName);
    // A new empty stream; with Replace an existing element of that name is replaced when the
    // new stream is closed (until then readers of the file see the old one).
    EStorageResult CreateStream(const CString& name, EStreamCreate mode, std::unique_ptr<CStorageStream>& stream);
    // An element may be open in one stream at a time.
    EStorageResult OpenStream(const CString& name, EStorageAccess access, std::unique_ptr<CStorageStream>& stream);
    // Commits pending changes (freed sectors of closed or destroyed streams) and gives back the
    // space nothing uses at the end of the file; allocation tables and the directory that stand
    // after that space (behind a large stream that was destroyed) are moved below it first.
    EStorageResult Flush();
    // Commits pending changes and syncs the file, whatever its commit mode.
    EStorageResult FlushToDisk();

private:
    friend class CStorageStream;
    struct SPrivate {};

public:
    // Use Create or Open.
    CCompoundFile(SPrivate, bool writable);

private:
    // Loading (CompoundFileLoad.cpp).
    EStorageResult Load();
    EStorageResult InitializeEmpty();

    // After a failed write: the structure as the file holds it replaces the one in memory.
    // Refused while a stream writes or reads what the file may not hold.
    EStorageResult Recover();
    void TakeStructureFrom(CCompoundFile& loaded);

    // Commit (CompoundFileCommit.cpp).
    EStorageResult Commit();
    // Best effort: the commit stands whether or not the space goes back.
    void TrimFreeTail();
    // Moving the tables into free space below the data (CompoundFileCompact.cpp), for the next
    // commit; false when none stands after the data or the free space below cannot take them.
    bool MoveTablesBelowData();
    void SyncRootEntry();
    void RebuildRootTree();
    std::vector<std::uint8_t> SerializeDirectory() const;
    void ExtendChain(std::vector<std::uint32_t>& chain, std::uint32_t count);
    void RelocateChainPrefix(std::vector<std::uint32_t>& chain, std::size_t count);
    EStorageResult WriteHeader();

    // Data access for streams.
    std::uint64_t SectorOffset(std::uint32_t sector) const { return (std::uint64_t(sector) + 1) << m_shift; }
    std::uint32_t UnitSize(bool mini) const { return mini ? cfb::kMiniSectorSize : m_sectorSize; }
    EStorageResult ReadUnits(bool mini, const std::vector<std::uint32_t>& units, std::uint64_t pos, std::uint8_t* out,
                             std::size_t count) const;
    EStorageResult WriteUnit(bool mini, std::uint32_t unit, std::uint32_t offset, const std::uint8_t* data,
                             std::size_t count);
    std::uint32_t AllocateUnit(bool mini);
    void FreeUnit(bool mini, std::uint32_t unit);
    bool CanGrowBy(std::uint64_t sectors) const;
    void ReleaseContent(const SStreamContent& content);
    void PublishStream(CStorageStream& stream);
    // A stream destroyed while open gives back what it wrote; it then reads as empty.
    void DiscardWrites(CStorageStream& stream);
    void CloseStream(CStorageStream& stream);

    // Directory helpers.
    std::uint32_t FindRootChild(std::u16string_view name) const;
    std::uint32_t NewEntry();
    void DestroyEntry(std::uint32_t sid);


    CSectorFile m_file;
    bool m_writable;
    bool m_failed = false;
    ECommitSync m_commitSync = ECommitSync::EachCommit;
    std::uint16_t m_major = 3;
    unsigned m_shift = 9;
    std::uint32_t m_sectorSize = 512;
    CAllocationTable m_fat;
    CAllocationTable m_miniFat;
    std::vector<std::uint32_t> m_fatLocations;          // the DIFAT
    std::vector<std::uint32_t> m_committedFatLocations;
    std::vector<std::uint32_t> m_difatChain;
    std::size_t m_committedDifatCount = 0;
    std::vector<std::uint32_t> m_miniFatChain;
    std::vector<std::uint32_t> m_directoryChain;
    std::vector<std::uint32_t> m_miniStreamChain;       // the root entry's chain
    std::vector<SDirectoryEntry> m_entries;             // by directory index; 0 is the root
    std::vector<std::uint32_t> m_rootChildren;
    std::vector<std::uint8_t> m_committedDirectory;
    bool m_directoryChanged = false;
    bool m_treeChanged = false;
    bool m_headerChanged = false;
    std::map<std::u16string, CStorageStream*> m_openStreams; // by name key
    int m_detachedStreams = 0; // destroyed while open, not yet closed
};
