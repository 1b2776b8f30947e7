#pragma once
// The operating-system file under a compound file: positioned reads and writes, syncs, and the
// advisory lock that makes an open exclusive across processes. A write hook lets tests stop the
// writes at any point as a crash would.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "platform/framework/CString.h"
#include "platform/storage/StorageResult.h"

struct SWriteEvent
{
    enum class EKind { Write, Sync, Resize };
    EKind kind;
    std::uint64_t offset; // Write: file offset; Resize: the new length
    std::uint64_t length; // Write: byte count
};

enum class EWriteAction
{
    Proceed,
    Skip,  // report success without touching the file (a write the disk lost)
    Crash, // this and every later write fails; the file is closed as if the process died
    Fail,  // this write fails and the file stays open, as when the disk is full
};

using StorageWriteHook = std::function<EWriteAction(const SWriteEvent&)>;

class CSectorFile
{
public:
    enum class EMode { Create, OpenReadWrite, OpenReadOnly };

    CSectorFile() = default;
    CSectorFile(const CSectorFile&) = delete;
    CSectorFile& operator=(const CSectorFile&) = delete;
    ~CSectorFile();

    // Create takes the lock before it truncates, so a file held by another opener is untouched.
    EStorageResult Open(const CString& path, EMode mode, StorageWriteHook hook);
    // A second handle on the file another one has open, sharing its lock: for reading the file
    // again while the first stays open.
    EStorageResult Duplicate(const CSectorFile& other);

    // Bytes beyond the end of the file read as zeros.
    EStorageResult Read(std::uint64_t offset, void* buffer, std::size_t count) const;
    EStorageResult Write(std::uint64_t offset, const void* data, std::size_t count);
    EStorageResult Sync();
    // Grows the file; never shrinks it.
    EStorageResult EnsureSize(std::uint64_t size);
    // Shrinks the file to that length; a longer length changes nothing.
    EStorageResult Truncate(std::uint64_t size);
    std::uint64_t GetSize() const { return m_size; }
    // Whether the path names this open file (the same device and inode): false once the file
    // was moved, deleted or replaced by another under that name.
    bool IsAt(const CString& path) const;

private:
    // What the hook makes of the event; Proceed without one.
    EWriteAction Announce(const SWriteEvent& event);
    // Ok, or the failure the hook's answer stands for.
    static EStorageResult ResultOf(EWriteAction action);
    void Close();

    int m_fd = -1;
    std::uint64_t m_size = 0;
    StorageWriteHook m_hook;
};
