#pragma once
// The records of the running instances, one "entry=value" line each, in a small file of the
// user's runtime folder ($XDG_RUNTIME_DIR, else shared memory, else the temporary folder): the
// heartbeat rewrites it ten times a second, which must cost nothing durable. Every change reads
// and rewrites the file under an advisory lock of its own, so instances never lose each other's
// records; the file is removed with its last record.
#include "platform/framework/CString.h"

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

class CInstanceRecords
{
public:
    using Entries = std::vector<std::pair<CString, CString>>;

    explicit CInstanceRecords(std::filesystem::path path) : m_path(std::move(path)) {}

    // The records file of the instances that share this lock file.
    static std::filesystem::path PathFor(const std::filesystem::path& lockPath);

    // The records in stored order; none when the file is missing or unreadable.
    Entries Read() const;
    // Runs `change` on the current records under the lock and stores them when it returns true;
    // false when the file cannot be opened or written.
    bool Update(const std::function<bool(Entries&)>& change) const;

    // Reading conveniences: the entry names in stored order, one value (empty when missing).
    std::vector<CString> GetEntries() const;
    CString GetValue(const CString& entry) const;
    // A null value removes the entry.
    bool SetValue(const CString& entry, const char* value) const;

    const std::filesystem::path& GetPath() const { return m_path; }

private:
    std::filesystem::path m_path;
};
