#include "datamodel/ArchiveStreamStorage.h"

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"

CArchiveDataStream::CArchiveDataStream(std::unique_ptr<CStorageStream> stream) : m_stream(std::move(stream)) {}

CArchiveDataStream::~CArchiveDataStream() = default;

std::int64_t CArchiveDataStream::Read(void* buffer, std::size_t count)
{
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t read = 0;
        if (m_stream->Read(out + done, count - done, read) != EStorageResult::Ok)
            return -1;
        if (read == 0)
            break;
        done += read;
    }
    return std::int64_t(done);
}

bool CArchiveDataStream::Seek(std::uint64_t position)
{
    return position <= std::uint64_t(INT64_MAX) &&
           m_stream->Seek(std::int64_t(position), ESeekOrigin::Begin) == EStorageResult::Ok;
}

std::uint64_t CArchiveDataStream::GetPosition() const
{
    return m_stream->GetPosition();
}

std::uint64_t CArchiveDataStream::GetLength() const
{
    return m_stream->GetLength();
}

bool CArchiveDataStream::Write(const void*, std::size_t)
{
    return false;
}

CCompoundStreamStorage::CCompoundStreamStorage(std::shared_ptr<CCompoundFile> file) : m_file(std::move(file)) {}

int CCompoundStreamStorage::OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream)
{
    stream.reset();
    if (!m_file)
        return kStreamOpenFailed;
    std::unique_ptr<CStorageStream> opened;
    const EStorageResult result = m_file->OpenStream(name, EStorageAccess::Read, opened);
    if (result != EStorageResult::Ok)
        return StorageResultToLoadCode(result);
    stream = std::make_unique<CArchiveDataStream>(std::move(opened));
    return 0;
}
