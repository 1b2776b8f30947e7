#pragma once
// The sessions of a project archive as session streams: CCompoundStreamStorage opens a stream of
// a compound file read-only and serves it through the reader's stream interface.
#include "datamodel/StreamStorage.h"

#include <memory>

class CCompoundFile;
class CStorageStream;

class CArchiveDataStream final : public IDataStream
{
public:
    explicit CArchiveDataStream(std::unique_ptr<CStorageStream> stream);
    ~CArchiveDataStream() override;

    std::int64_t Read(void* buffer, std::size_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t GetPosition() const override;
    std::uint64_t GetLength() const override;
    // Archive streams are opened for reading only.
    bool Write(const void* data, std::size_t count) override;

private:
    std::unique_ptr<CStorageStream> m_stream;
};

class CCompoundStreamStorage final : public IStreamStorage
{
public:
    explicit CCompoundStreamStorage(std::shared_ptr<CCompoundFile> file);

    int OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream) override;

private:
    std::shared_ptr<CCompoundFile> m_file;
};
