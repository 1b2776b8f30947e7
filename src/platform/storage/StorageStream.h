#pragma once
// A stream of a compound file, opened or created through CCompoundFile. Writes never touch
// sectors the committed file uses: changed sectors go to new places, and Close publishes the
// new content (size, chain) in one commit. The stream keeps its compound file open.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework/CString.h"
#include "platform/storage/StorageResult.h"

class CCompoundFile;
struct SStreamContent;

enum class ESeekOrigin { Begin, Current, End };

class CStorageStream
{
public:
    CStorageStream(const CStorageStream&) = delete;
    CStorageStream& operator=(const CStorageStream&) = delete;
    ~CStorageStream();

    // Reads up to `count` bytes at the position; `read` is 0 at the end.
    EStorageResult Read(void* buffer, std::size_t count, std::size_t& read);
    // Writes at the position, growing the stream as needed.
    EStorageResult Write(const void* data, std::size_t count);
    // The position may lie beyond the end; a write there fills the gap with zeros.
    EStorageResult Seek(std::int64_t offset, ESeekOrigin origin, std::uint64_t* position = nullptr);
    // Bytes a larger size adds hold whatever their sectors held until they are written.
    EStorageResult SetSize(std::uint64_t size);
    std::uint64_t GetLength() const { return m_size; }
    std::uint64_t GetPosition() const { return m_position; }
    CString GetName() const;
    // Publishes what was written and lets go of the compound file; later calls fail.
    EStorageResult Close();

private:
    friend class CCompoundFile;
    CStorageStream(std::shared_ptr<CCompoundFile> file, std::u16string name, bool writable,
                   std::shared_ptr<SStreamContent> base);

    // Ok when the stream is open for writing on a file that has not failed.
    EStorageResult WriteAccess() const;
    EStorageResult Resize(std::uint64_t size);
    EStorageResult ResizeUnits(std::size_t count);
    EStorageResult MakeWritable(std::size_t index, std::uint32_t offset, std::size_t count, const std::uint8_t* data);

    std::shared_ptr<CCompoundFile> m_file;
    std::u16string m_name;
    bool m_writable;
    bool m_detached = false; // destroyed while open: publishes nothing
    bool m_modified = false;
    std::shared_ptr<SStreamContent> m_base; // the published content it was opened on; none when new
    bool m_mini = true;
    std::vector<std::uint32_t> m_units;
    std::vector<bool> m_owned; // allocated by this stream, not part of the published content
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
};
