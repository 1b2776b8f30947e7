#include "platform/storage/CompoundFile.h"

#include <algorithm>
#include <glog/logging.h>
#include <unordered_set>

#include "platform/storage/StorageName.h"
#include "platform/storage/StorageStream.h"

CCompoundFile::CCompoundFile(SPrivate, bool writable)
    : m_writable(writable), m_fat(m_sectorSize / 4), m_miniFat(m_sectorSize / 4)
{
}

CCompoundFile::~CCompoundFile()
{
    if (m_writable && !m_failed)
        Commit();
}

EStorageResult CCompoundFile::Create(const CString& path, std::shared_ptr<CCompoundFile>& file, StorageWriteHook hook,
                                     ECommitSync sync)
{
    file.reset();
    auto created = std::make_shared<CCompoundFile>(SPrivate{}, true);
    created->m_commitSync = sync;
    EStorageResult result = created->m_file.Open(path, CSectorFile::EMode::Create, std::move(hook));
    if (result == EStorageResult::Ok)
        result = created->InitializeEmpty();
    if (result != EStorageResult::Ok) {
        created->m_failed = true;
        LOG(INFO) << "Creating compound file " << path.GetString() << " failed: " << StorageResultText(result);
        return result;
    }
    file = std::move(created);
    return EStorageResult::Ok;
}

EStorageResult CCompoundFile::Open(const CString& path, EStorageAccess access, std::shared_ptr<CCompoundFile>& file,
                                   StorageWriteHook hook)
{
    file.reset();
    const bool writable = access == EStorageAccess::ReadWrite;
    auto opened = std::make_shared<CCompoundFile>(SPrivate{}, writable);
    const auto mode = writable ? CSectorFile::EMode::OpenReadWrite : CSectorFile::EMode::OpenReadOnly;
    EStorageResult result = opened->m_file.Open(path, mode, std::move(hook));
    if (result == EStorageResult::Ok)
        result = opened->Load();
    if (result != EStorageResult::Ok) {
        opened->m_failed = true;
        LOG(INFO) << "Opening compound file " << path.GetString() << " failed: " << StorageResultText(result);
        return result;
    }
    file = std::move(opened);
    return EStorageResult::Ok;
}

std::vector<SStorageElement> CCompoundFile::EnumElements() const
{
    std::vector<std::uint32_t> order = m_rootChildren;
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return StorageName::Compare(m_entries[a].name, m_entries[b].name) < 0;
    });
    std::vector<SStorageElement> elements;
    elements.reserve(order.size());
    for (std::uint32_t sid : order) {
        const SDirectoryEntry& entry = m_entries[sid];
        const bool stream = entry.type == cfb::kTypeStream;
        elements.push_back({CString::FromUtf16(entry.name), stream ? EStorageElementType::Stream : EStorageElementType::Storage,
                            stream && entry.content ? entry.content->size : 0});
    }
    return elements;
}

EStorageResult CCompoundFile::CheckWritable()
{
    if (!m_writable)
        return EStorageResult::AccessDenied;
    return m_failed ? Recover() : EStorageResult::Ok;
}

EStorageResult CCompoundFile::DestroyElement(const CString& name)
{
    if (EStorageResult result = CheckWritable(); result != EStorageResult::Ok)
        return result;
    const std::u16string name16 = name.ToUtf16();
    if (!StorageName::IsValid(name16))
        return EStorageResult::InvalidName;
    bool found = false;
    if (auto open = m_openStreams.find(StorageName::Key(name16)); open != m_openStreams.end()) {
        DiscardWrites(*open->second);
        open->second->m_detached = true;
        ++m_detachedStreams;
        m_openStreams.erase(open);
        found = true;
    }
    if (const std::uint32_t sid = FindRootChild(name16); sid != cfb::kNoStream) {
        DestroyEntry(sid);
        found = true;
    }
    if (!found)
        return EStorageResult::NotFound;
    return Commit();
}

EStorageResult CCompoundFile::RenameElement(const CString& oldName, const CString& newName)
{
    if (EStorageResult result = CheckWritable(); result != EStorageResult::Ok)
        return result;
    const std::u16string old16 = oldName.ToUtf16();
    const std::u16string new16 = newName.ToUtf16();
    if (!StorageName::IsValid(old16) || !StorageName::IsValid(new16))
        return EStorageResult::InvalidName;
    // An open stream would publish under its old name when it is closed.
    if (m_openStreams.count(StorageName::Key(old16)) != 0 || m_openStreams.count(StorageName::Key(new16)) != 0)
        return EStorageResult::AccessDenied;
    const std::uint32_t sid = FindRootChild(old16);
    if (sid == cfb::kNoStream)
        return EStorageResult::NotFound;
    if (const std::uint32_t replaced = FindRootChild(new16); replaced != cfb::kNoStream && replaced != sid)
        DestroyEntry(replaced);
    m_entries[sid].name = new16;
    m_treeChanged = true;
    m_directoryChanged = true;
    return Commit();
}

EStorageResult CCompoundFile::CreateStream(const CString& name, EStreamCreate mode, std::unique_ptr<CStorageStream>& stream)
{
    stream.reset();
    if (EStorageResult result = CheckWritable(); result != EStorageResult::Ok)
        return result;
    const std::u16string name16 = name.ToUtf16();
    if (!StorageName::IsValid(name16))
        return EStorageResult::InvalidName;
    const std::u16string key = StorageName::Key(name16);
    if (m_openStreams.count(key) != 0)
        return EStorageResult::AccessDenied;
    if (mode == EStreamCreate::FailIfExists && FindRootChild(name16) != cfb::kNoStream)
        return EStorageResult::AlreadyExists;
    stream.reset(new CStorageStream(shared_from_this(), name16, true, nullptr));
    stream->m_modified = true; // closing publishes the stream even when nothing was written
    m_openStreams[key] = stream.get();
    return EStorageResult::Ok;
}

EStorageResult CCompoundFile::OpenStream(const CString& name, EStorageAccess access, std::unique_ptr<CStorageStream>& stream)
{
    stream.reset();
    const bool write = access == EStorageAccess::ReadWrite;
    if (write) {
        if (EStorageResult result = CheckWritable(); result != EStorageResult::Ok)
            return result;
    }
    const std::u16string name16 = name.ToUtf16();
    if (!StorageName::IsValid(name16))
        return EStorageResult::InvalidName;
    const std::u16string key = StorageName::Key(name16);
    if (m_openStreams.count(key) != 0)
        return EStorageResult::AccessDenied;
    const std::uint32_t sid = FindRootChild(name16);
    if (sid == cfb::kNoStream || m_entries[sid].type != cfb::kTypeStream)
        return EStorageResult::NotFound;
    stream.reset(new CStorageStream(shared_from_this(), m_entries[sid].name, write, m_entries[sid].content));
    m_openStreams[key] = stream.get();
    return EStorageResult::Ok;
}

EStorageResult CCompoundFile::Flush()
{
    if (!m_writable)
        return EStorageResult::Ok;
    EStorageResult result = Commit();
    // The second commit writes again the table sectors that the first one changed in place
    // while they still had to show the freed places to the committed file.
    if (result == EStorageResult::Ok && MoveTablesBelowData())
        for (int i = 0; i < 2 && result == EStorageResult::Ok; ++i)
            result = Commit();
    if (result == EStorageResult::Ok)
        TrimFreeTail();
    return result;
}

EStorageResult CCompoundFile::FlushToDisk()
{
    if (!m_writable)
        return EStorageResult::Ok;
    EStorageResult result = Commit();
    if (result == EStorageResult::Ok)
        result = m_file.Sync();
    if (result != EStorageResult::Ok)
        m_failed = true;
    return result;
}

std::uint32_t CCompoundFile::FindRootChild(std::u16string_view name) const
{
    for (std::uint32_t sid : m_rootChildren) {
        if (StorageName::Compare(m_entries[sid].name, name) == 0)
            return sid;
    }
    return cfb::kNoStream;
}

std::uint32_t CCompoundFile::NewEntry()
{
    for (std::uint32_t sid = 1; sid < m_entries.size(); ++sid) {
        if (m_entries[sid].type == cfb::kTypeUnused) {
            m_entries[sid] = SDirectoryEntry{};
            return sid;
        }
    }
    m_entries.emplace_back();
    return std::uint32_t(m_entries.size() - 1);
}

void CCompoundFile::DestroyEntry(std::uint32_t sid)
{
    // The entry and, for a storage, everything below it. The tree was checked when loading.
    std::vector<std::uint32_t> pending{sid};
    while (!pending.empty()) {
        const std::uint32_t current = pending.back();
        pending.pop_back();
        SDirectoryEntry& entry = m_entries[current];
        if (current != sid) {
            for (std::uint32_t next : {entry.left, entry.right})
                if (next != cfb::kNoStream)
                    pending.push_back(next);
        }
        if (entry.type == cfb::kTypeStorage && entry.child != cfb::kNoStream)
            pending.push_back(entry.child);
        // A stream still open keeps the content; it frees it when it is closed.
        if (entry.content && entry.content.use_count() == 1)
            ReleaseContent(*entry.content);
        entry = SDirectoryEntry{};
        entry.start = 0;
    }
    m_rootChildren.erase(std::remove(m_rootChildren.begin(), m_rootChildren.end(), sid), m_rootChildren.end());
    m_treeChanged = true;
    m_directoryChanged = true;
}

EStorageResult CCompoundFile::ReadUnits(bool mini, const std::vector<std::uint32_t>& units, std::uint64_t pos,
                                        std::uint8_t* out, std::size_t count) const
{
    const std::uint32_t unitSize = UnitSize(mini);
    while (count > 0) {
        const std::uint64_t index = pos / unitSize;
        const std::uint32_t offset = std::uint32_t(pos % unitSize);
        if (index >= units.size())
            return EStorageResult::Corrupt;
        std::size_t n = std::min<std::size_t>(count, unitSize - offset);
        std::uint64_t fileOffset = 0;
        if (!mini) {
            // Consecutive sectors are read at once.
            std::uint64_t next = index + 1;
            while (n < count && next < units.size() && units[next] == units[next - 1] + 1) {
                n += std::min<std::size_t>(unitSize, count - n);
                ++next;
            }
            fileOffset = SectorOffset(units[index]) + offset;
        } else {
            const std::uint64_t streamOffset = std::uint64_t(units[index]) * unitSize + offset;
            const std::uint64_t sector = streamOffset >> m_shift;
            if (sector >= m_miniStreamChain.size())
                return EStorageResult::Corrupt;
            fileOffset = SectorOffset(m_miniStreamChain[sector]) + (streamOffset & (m_sectorSize - 1));
        }
        if (EStorageResult result = m_file.Read(fileOffset, out, n); result != EStorageResult::Ok)
            return result;
        pos += n;
        out += n;
        count -= n;
    }
    return EStorageResult::Ok;
}

EStorageResult CCompoundFile::WriteUnit(bool mini, std::uint32_t unit, std::uint32_t offset, const std::uint8_t* data,
                                        std::size_t count)
{
    if (!mini)
        return m_file.Write(SectorOffset(unit) + offset, data, count);
    const std::uint64_t streamOffset = std::uint64_t(unit) * cfb::kMiniSectorSize + offset;
    const std::uint64_t sector = streamOffset >> m_shift;
    if (sector >= m_miniStreamChain.size())
        return EStorageResult::Corrupt;
    return m_file.Write(SectorOffset(m_miniStreamChain[sector]) + (streamOffset & (m_sectorSize - 1)), data, count);
}

std::uint32_t CCompoundFile::AllocateUnit(bool mini)
{
    if (!mini)
        return m_fat.Allocate(cfb::kEndOfChain);
    const std::uint32_t unit = m_miniFat.Allocate(cfb::kEndOfChain);
    const std::uint64_t needed = ((std::uint64_t(unit) + 1) * cfb::kMiniSectorSize + m_sectorSize - 1) >> m_shift;
    if (m_miniStreamChain.size() < needed)
        ExtendChain(m_miniStreamChain, std::uint32_t(needed - m_miniStreamChain.size()));
    return unit;
}

void CCompoundFile::FreeUnit(bool mini, std::uint32_t unit)
{
    (mini ? m_miniFat : m_fat).Free(unit);
}

bool CCompoundFile::CanGrowBy(std::uint64_t sectors) const
{
    // Room is kept for the allocation tables and the directory that grow with the data.
    const std::uint64_t total = std::uint64_t(m_fat.GetUsedEnd()) + sectors + sectors / 64 + 64;
    return ((total + 1) << m_shift) <= cfb::kMaxFileSize;
}

void CCompoundFile::ReleaseContent(const SStreamContent& content)
{
    for (std::uint32_t unit : content.units)
        FreeUnit(content.mini, unit);
}

void CCompoundFile::PublishStream(CStorageStream& stream)
{
    auto content = std::make_shared<SStreamContent>();
    content->mini = stream.m_mini;
    content->units = stream.m_units;
    content->size = stream.m_size;
    CAllocationTable& table = content->mini ? m_miniFat : m_fat;
    for (std::size_t i = 0; i < content->units.size(); ++i)
        table.Set(content->units[i], i + 1 < content->units.size() ? content->units[i + 1] : cfb::kEndOfChain);

    std::uint32_t sid = FindRootChild(stream.m_name);
    if (sid != cfb::kNoStream && m_entries[sid].type != cfb::kTypeStream) {
        DestroyEntry(sid);
        sid = cfb::kNoStream;
    }
    if (sid == cfb::kNoStream) {
        sid = NewEntry();
        m_entries[sid].name = stream.m_name;
        m_entries[sid].type = cfb::kTypeStream;
        m_rootChildren.push_back(sid);
        m_treeChanged = true;
    }
    std::shared_ptr<SStreamContent> old = std::move(m_entries[sid].content);
    m_entries[sid].content = std::move(content);
    m_directoryChanged = true;
    if (old) {
        // Sectors of the old content the new one does not keep.
        const SStreamContent& now = *m_entries[sid].content;
        std::unordered_set<std::uint32_t> kept;
        if (old->mini == now.mini)
            kept.insert(now.units.begin(), now.units.end());
        for (std::uint32_t unit : old->units)
            if (kept.count(unit) == 0)
                FreeUnit(old->mini, unit);
    }
}

void CCompoundFile::DiscardWrites(CStorageStream& stream)
{
    // Freed at once, before any commit sees them: a destroyed import leaves the file as it was.
    if (std::find(stream.m_owned.begin(), stream.m_owned.end(), true) == stream.m_owned.end())
        return;
    for (std::size_t i = 0; i < stream.m_units.size(); ++i)
        if (stream.m_owned[i])
            FreeUnit(stream.m_mini, stream.m_units[i]);
    stream.m_units.clear();
    stream.m_owned.clear();
    stream.m_size = 0;
}

void CCompoundFile::CloseStream(CStorageStream& stream)
{
    const auto open = m_openStreams.find(StorageName::Key(stream.m_name));
    if (open != m_openStreams.end() && open->second == &stream)
        m_openStreams.erase(open);
    if (stream.m_detached) {
        --m_detachedStreams;
        if (stream.m_base && stream.m_base.use_count() == 1)
            ReleaseContent(*stream.m_base);
    } else if (stream.m_modified) {
        PublishStream(stream);
    }
}
