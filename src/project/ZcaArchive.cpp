#include "project/ZcaArchive.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <glog/logging.h>
#include <stdexcept>
#include <unistd.h>
#include <unordered_set>

#include "datamodel/ArchiveStreamStorage.h"
#include "platform/storage/StorageName.h"
#include "platform/storage/StorageStream.h"
#include "project/PartialFile.h"
#include "project/UniqueStreamName.h"

namespace {

// Copies move large blocks: a session of a year is 368 MB, and each block costs a read and a
// write of the operating system. A copy someone watches (and may stop) reports every 256 KiB;
// one nobody watches moves 1 MiB at a time.
constexpr std::size_t kWatchedBlockSize = 256 * 1024;
constexpr std::size_t kUnwatchedBlockSize = 1024 * 1024;
constexpr std::uint64_t kProgressStep = 256 * 1024;

std::u16string KeyOf(const CString& name)
{
    return StorageName::Key(name.ToUtf16());
}

bool IsProjectStream(const CString& name)
{
    return KeyOf(name) == KeyOf(CZcaArchive::kProjectStreamName);
}

// The streams the project names; the format takes names that differ only in case for one.
std::unordered_set<std::u16string> ReferencedStreams(const CProjectSettings& project)
{
    std::unordered_set<std::u16string> referenced;
    for (int i = 0; i < project.GetMeasurementCount(); ++i)
        referenced.insert(KeyOf(project.GetMeasurement(i).GetStreamName()));
    for (int i = 0; i < project.GetImageCount(); ++i)
        referenced.insert(KeyOf(project.GetImage(i).streamName));
    for (int i = 0; i < project.GetBookmarkCount(); ++i)
        referenced.insert(KeyOf(project.GetBookmark(i).GetImage()));
    return referenced;
}

// Reads blocks until a read returns nothing; read gives -1 on an error. Each time the total
// passes a multiple of the progress step the callback learns it and may stop the copy.
template <typename Read, typename Write>
bool CopyBlocks(Read read, Write write, ZcaProgressCallback progress, std::uintptr_t context)
{
    std::vector<unsigned char> buffer(progress ? kWatchedBlockSize : kUnwatchedBlockSize);
    std::uint64_t total = 0;
    for (;;) {
        const std::int64_t got = read(buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!write(buffer.data(), std::size_t(got)))
            return false;
        const std::uint64_t before = total;
        total += std::uint64_t(got);
        if (progress && total / kProgressStep != before / kProgressStep &&
            progress(total, context) == kZcaProgressStop)
            return false;
    }
}

auto StreamReader(CStorageStream& stream)
{
    return [&stream](void* buffer, std::size_t count) -> std::int64_t {
        std::size_t got = 0;
        return stream.Read(buffer, count, got) == EStorageResult::Ok ? std::int64_t(got) : -1;
    };
}

auto StreamWriter(CStorageStream& stream)
{
    return [&stream](const void* data, std::size_t count) { return stream.Write(data, count) == EStorageResult::Ok; };
}

// An OS file descriptor closed on scope exit.
class CFileHandle
{
public:
    explicit CFileHandle(int fd) : m_fd(fd) {}
    ~CFileHandle() { Close(); }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    int Get() const { return m_fd; }
    bool IsValid() const { return m_fd >= 0; }
    bool Close()
    {
        const bool ok = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }

private:
    int m_fd;
};

std::int64_t ReadFd(int fd, void* buffer, std::size_t count)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, count);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool WriteFd(int fd, const void* data, std::size_t count)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t done = ::write(fd, bytes, count);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes += done;
        count -= std::size_t(done);
    }
    return true;
}

} // namespace

CZcaArchive::~CZcaArchive()
{
    Close();
}

bool CZcaArchive::Create(const CString& path, StorageWriteHook hook, ECommitSync sync)
{
    Close();
    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Create(path, file, std::move(hook), sync) != EStorageResult::Ok)
        return false;
    m_file = std::move(file);
    m_path = path;
    m_projectWritable = true;
    m_created = true;
    return true;
}

bool CZcaArchive::Open(const CString& path, StorageWriteHook hook)
{
    Close();
    std::shared_ptr<CCompoundFile> file;
    if (CCompoundFile::Open(path, EStorageAccess::ReadWrite, file, std::move(hook)) != EStorageResult::Ok)
        return false;
    m_file = std::move(file);
    m_path = path;
    m_projectWritable = false;
    m_created = false;
    RefreshElementList();
    return true;
}

bool CZcaArchive::FlushToDisk()
{
    return m_file && m_file->FlushToDisk() == EStorageResult::Ok;
}

void CZcaArchive::Close()
{
    if (!m_file)
        return;
    m_file.reset();
    m_path.Empty();
    m_projectWritable = false;
    m_created = false;
    m_storedStreams.clear();
}

void CZcaArchive::RefreshElementList()
{
    m_elements.clear();
    if (!m_file)
        return;
    for (const SStorageElement& element : m_file->EnumElements())
        m_elements.push_back({element.name, std::uint32_t(element.type), element.size});
}

const SZcaElement& CZcaArchive::GetElement(int index) const
{
    if (index < 0 || index >= GetElementCount())
        throw std::invalid_argument("CZcaArchive::GetElement: index out of range");
    return m_elements[std::size_t(index)];
}

const SZcaElement* CZcaArchive::FindElement(const CString& name) const
{
    const std::u16string key = KeyOf(name);
    for (const SZcaElement& element : m_elements) {
        if (KeyOf(element.name) == key)
            return &element;
    }
    return nullptr;
}

bool CZcaArchive::IsNameFree(const CString& name) const
{
    const std::u16string name16 = name.ToUtf16();
    if (!StorageName::IsValid(name16))
        return false;
    if (!m_file)
        return true;
    const std::u16string key = StorageName::Key(name16);
    for (const SStorageElement& element : m_file->EnumElements()) {
        if (KeyOf(element.name) == key)
            return false;
    }
    return true;
}

CString CZcaArchive::MakeUniqueStreamName(const CString& pathOrName) const
{
    // The project's own names are never given to a data stream.
    std::unordered_set<std::u16string> taken{KeyOf(kProjectStreamName), KeyOf(kProjectTempStreamName)};
    if (m_file) {
        for (const SStorageElement& element : m_file->EnumElements())
            taken.insert(KeyOf(element.name));
    }
    return ::MakeUniqueStreamName(pathOrName, [&taken](const std::u16string& candidate) {
        return StorageName::IsValid(candidate) && taken.count(StorageName::Key(candidate)) == 0;
    });
}

bool CZcaArchive::CreateStream(const CString& name, EStreamCreate mode, std::unique_ptr<CStorageStream>& stream,
                               EStorageResult* error)
{
    stream.reset();
    const EStorageResult result = m_file ? m_file->CreateStream(name, mode, stream) : EStorageResult::AccessDenied;
    if (error)
        *error = result;
    return result == EStorageResult::Ok;
}

bool CZcaArchive::OpenStream(const CString& name, EStorageAccess access, std::unique_ptr<CStorageStream>& stream,
                             EStorageResult* error)
{
    stream.reset();
    const EStorageResult result = m_file ? m_file->OpenStream(name, access, stream) : EStorageResult::AccessDenied;
    if (error)
        *error = result;
    return result == EStorageResult::Ok;
}

int CZcaArchive::OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream)
{
    return CCompoundStreamStorage(m_file).OpenStream(name, stream);
}

bool CZcaArchive::DeleteElement(const CString& name)
{
    if (m_file)
        m_file->DestroyElement(name);
    RefreshElementList();
    return true;
}

bool CZcaArchive::ImportFile(const CString& streamName, const CString& filePath, ZcaProgressCallback progress,
                             std::uintptr_t context)
{
    CFileHandle file(::open(filePath.GetString(), O_RDONLY | O_CLOEXEC));
    if (!file.IsValid())
        return false;
    std::unique_ptr<CStorageStream> stream;
    if (!CreateStream(streamName, EStreamCreate::FailIfExists, stream))
        return false;
    const off_t length = ::lseek(file.Get(), 0, SEEK_END);
    bool ok = length >= 0 && ::lseek(file.Get(), 0, SEEK_SET) == 0 &&
              stream->SetSize(std::uint64_t(length)) == EStorageResult::Ok &&
              CopyBlocks([&file](void* buffer, std::size_t count) { return ReadFd(file.Get(), buffer, count); },
                         StreamWriter(*stream), progress, context);
    // A file that changed length while it was copied is not taken.
    ok = ok && stream->GetPosition() == std::uint64_t(length);
    if (!ok) {
        // Destroying the open stream makes its close publish nothing.
        m_file->DestroyElement(streamName);
        LOG(INFO) << "CZcaArchive::ImportFile - WARNING: " << filePath.GetString() << " was not imported as "
                  << streamName.GetString();
        return false;
    }
    ok = stream->Close() == EStorageResult::Ok;
    RefreshElementList();
    return ok;
}

bool CZcaArchive::CopyStreamFrom(const CString& targetName, CZcaArchive& source, const CString& sourceName,
                                 ZcaProgressCallback progress, std::uintptr_t context)
{
    std::unique_ptr<CStorageStream> input;
    EStorageResult error = EStorageResult::Ok;
    if (!source.OpenStream(sourceName, EStorageAccess::Read, input, &error))
        return false;
    std::unique_ptr<CStorageStream> output;
    if (!CreateStream(targetName, EStreamCreate::FailIfExists, output))
        return false;
    const bool ok = output->SetSize(input->GetLength()) == EStorageResult::Ok &&
                    CopyBlocks(StreamReader(*input), StreamWriter(*output), progress, context) &&
                    output->GetPosition() == input->GetLength();
    if (!ok) {
        m_file->DestroyElement(targetName);
        return false;
    }
    const bool closed = output->Close() == EStorageResult::Ok;
    RefreshElementList();
    return closed;
}

bool CZcaArchive::ImportDataStream(const CString& streamName, IDataStream& source)
{
    std::unique_ptr<CStorageStream> output;
    if (!CreateStream(streamName, EStreamCreate::FailIfExists, output))
        return false;
    const std::uint64_t position = source.GetPosition();
    bool ok = source.Seek(0) && output->SetSize(source.GetLength()) == EStorageResult::Ok &&
              CopyBlocks([&source](void* buffer, std::size_t count) { return source.Read(buffer, count); },
                         StreamWriter(*output), nullptr, 0) &&
              output->GetPosition() == source.GetLength();
    ok = source.Seek(position) && ok;
    if (!ok) {
        m_file->DestroyElement(streamName);
        return false;
    }
    const bool closed = output->Close() == EStorageResult::Ok;
    RefreshElementList();
    return closed;
}

bool CZcaArchive::ExportStream(const CString& streamName, const CString& filePath)
{
    std::unique_ptr<CStorageStream> stream;
    if (!OpenStream(streamName, EStorageAccess::Read, stream))
        return false;
    const std::string target = filePath.GetString();
    RemoveAbandonedPartials(filePath);
    const std::string partial = PartialPathFor(filePath).str();
    CFileHandle file(::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.IsValid())
        return false;
    bool ok = CopyBlocks(StreamReader(*stream),
                         [&file](const void* data, std::size_t count) { return WriteFd(file.Get(), data, count); },
                         nullptr, 0);
    ok = ok && ::fsync(file.Get()) == 0;
    ok = file.Close() && ok;
    ok = ok && ::rename(partial.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(partial.c_str());
        LOG(INFO) << "CZcaArchive::ExportStream - WARNING: " << streamName.GetString() << " was not exported to "
                  << target;
    }
    return ok;
}

EProjectLoadResult CZcaArchive::ReadProjectXml(CProjectSettings& project)
{
    m_projectWritable = false;
    std::unique_ptr<IDataStream> stream;
    if (OpenStream(kProjectStreamName, stream) != 0) {
        LOG(INFO) << "CZcaArchive::ReadProjectXml - WARNING: " << m_path.GetString() << " has no readable "
                  << kProjectStreamName;
        return EProjectLoadResult::kUnreadable;
    }
    const EProjectLoadResult result = project.LoadFromStream(*stream);
    m_projectWritable = result == EProjectLoadResult::kComplete;
    m_storedStreams = ReferencedStreams(project);
    return result;
}

bool CZcaArchive::WriteWholeStream(const CString& name, const std::string& bytes)
{
    std::unique_ptr<CStorageStream> stream;
    EStorageResult result = EStorageResult::Ok;
    if (CreateStream(name, EStreamCreate::Replace, stream, &result)) {
        result = stream->Write(bytes.data(), bytes.size());
        if (result == EStorageResult::Ok)
            return stream->Close() == EStorageResult::Ok;
        // Destroyed while open, the stream publishes nothing of what it holds.
        m_file->DestroyElement(name);
    }
    LOG(INFO) << "CZcaArchive::WriteProjectXml - WARNING: writing " << name.GetString() << " into "
              << m_path.GetString() << " failed: " << StorageResultText(result);
    return false;
}

bool CZcaArchive::StreamHolds(const CString& name, const std::string& bytes)
{
    std::unique_ptr<CStorageStream> stream;
    if (!OpenStream(name, EStorageAccess::Read, stream))
        return false;
    std::string stored(bytes.size() + 1, '\0'); // one more, to see a longer stream
    std::size_t total = 0;
    std::size_t got = 0;
    while (total < stored.size() && stream->Read(stored.data() + total, stored.size() - total, got) == EStorageResult::Ok &&
           got > 0)
        total += got;
    return total == bytes.size() && stored.compare(0, total, bytes) == 0;
}

bool CZcaArchive::WriteProjectXml(const CProjectSettings& project)
{
    if (!m_file)
        return false;
    // A file made here holds nothing the project could have failed to read.
    if (!m_projectWritable || (project.IsLoadImperfect() && !m_created)) {
        LOG(INFO) << "CZcaArchive::WriteProjectXml - WARNING: the project of " << m_path.GetString()
                  << " was not read completely and is not written back";
        return false;
    }
    if (!IsAtItsPath()) {
        LOG(INFO) << "CZcaArchive::WriteProjectXml - WARNING: " << m_path.GetString()
                  << " no longer names the file that was opened; nothing is written";
        return false;
    }
    // After a failed write the text is compared with what the file holds, not with what the
    // failed write left in memory.
    if (const EStorageResult writable = m_file->CheckWritable(); writable != EStorageResult::Ok) {
        LOG(INFO) << "CZcaArchive::WriteProjectXml - WARNING: " << m_path.GetString()
                  << " cannot be written: " << StorageResultText(writable);
        return false;
    }
    // Streams that neither the stored project nor this one names (an import that never reached
    // the project) go first: the new text then takes their place, not the end of the file.
    DeleteUnreferencedStreams(project, m_storedStreams);
    const std::string text = project.SaveToBytes();
    // A text left over by an interrupted write is swept by a real write.
    if (!IsNameFree(kProjectTempStreamName) || !StreamHolds(kProjectStreamName, text)) {
        // The old text stays until the new one is complete; the rename switches in one commit.
        const EStorageResult switched = WriteWholeStream(kProjectTempStreamName, text)
                                            ? m_file->RenameElement(kProjectTempStreamName, kProjectStreamName)
                                            : EStorageResult::IoError;
        if (switched != EStorageResult::Ok) {
            LOG(INFO) << "CZcaArchive::WriteProjectXml - WARNING: " << kProjectStreamName << " of "
                      << m_path.GetString() << " was not replaced: " << StorageResultText(switched);
            RefreshElementList();
            return false;
        }
    }
    m_storedStreams = ReferencedStreams(project);
    // Also when the text is unchanged: streams left by an import that did not finish, and the
    // space after the last stream in use, go.
    DeleteUnreferencedStreams(project, {});
    m_file->Flush();
    RefreshElementList();
    return true;
}

void CZcaArchive::DeleteUnreferencedStreams(const CProjectSettings& project,
                                            const std::unordered_set<std::u16string>& alsoKept)
{
    RefreshElementList();
    std::vector<CStringW> names;
    std::vector<bool> marked;
    for (const SZcaElement& element : m_elements) {
        names.push_back(element.name);
        marked.push_back(element.type == std::uint32_t(EStorageElementType::Stream) && !IsProjectStream(element.name));
    }
    project.MarkReferencedStreams(names, marked);

    std::unordered_set<std::u16string> referenced = ReferencedStreams(project);
    referenced.insert(alsoKept.begin(), alsoKept.end());
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (marked[k] && referenced.count(KeyOf(names[k])) == 0)
            m_file->DestroyElement(names[k]);
    }
}
