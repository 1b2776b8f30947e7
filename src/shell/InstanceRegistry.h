#pragma once
// Which instances of the program run for this user. The first instance holds an exclusive lock
// on a file beside the profile; the kernel drops the lock with the process, so an instance that
// crashed leaves nothing behind. Every instance keeps a record among the instance records (in
// the runtime folder, see CInstanceRecords; never in the settings file, which the heartbeat
// would otherwise rewrite ten times a second) that the heartbeat refreshes; a record older than
// kStaleMs counts as gone. When the first instance's record is gone, a survivor takes the lock
// and with it the first-instance role (only one can: the lock decides).
#include "platform/framework/CString.h"
#include "platform/framework/Profile.h"
#include "shell/InstanceRecords.h"

#include <filesystem>
#include <functional>

class CInstanceRegistry
{
public:
    // Milliseconds of the wall clock (records are compared between processes).
    using Clock = std::function<long long()>;
    static constexpr long long kStaleMs = 10000;

    // An empty clock means the system clock. The records live in the file PathFor(lockPath) of
    // CInstanceRecords.
    explicit CInstanceRegistry(std::filesystem::path lockPath, Clock clock = {});
    ~CInstanceRegistry();
    CInstanceRegistry(const CInstanceRegistry&) = delete;
    CInstanceRegistry& operator=(const CInstanceRegistry&) = delete;

    // The lock file beside the profile file.
    static std::filesystem::path DefaultLockPath(const CProfile& profile);

    // Takes the lock when it is free (waiting up to `waitMs` for an instance that is ending, as
    // a restart does) and writes this instance's record under the lowest free number.
    void Register(int waitMs = 0);
    // Refreshes the record, forgets records that are gone and takes the first-instance role over
    // when the first instance is gone; true when this instance just became the first.
    bool Heartbeat();
    // Removes the record and releases the lock; Register may follow again.
    void Unregister();

    bool IsRegistered() const { return m_number > 0; }
    bool IsFirstInstance() const { return m_lockFd >= 0; }
    // 1 for an instance that started first, 2.. for the others; 0 before Register.
    int GetInstanceNumber() const { return m_number; }
    const CInstanceRecords& GetRecords() const { return m_records; }

private:
    struct Record
    {
        CString entry;
        long long stamp = 0;
        bool first = false;
    };
    bool TryLock();
    long long Now() const;
    std::vector<Record> ReadRecords();
    void WriteRecord();

    std::filesystem::path m_lockPath;
    CInstanceRecords m_records;
    Clock m_clock;
    int m_lockFd = -1;
    int m_number = 0;
};
