#include "shell/InstanceRegistry.h"

#include <glog/logging.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <set>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr const char* kEntryPrefix = "Instance";

// A record is "<process id> <time of the last beat in ms> <1 for the first instance, else 0>".
bool ParseRecord(const CString& text, long long& stamp, int& first)
{
    long long pid = 0;
    return std::sscanf(text.GetString(), "%lld %lld %d", &pid, &stamp, &first) == 3;
}

} // namespace

CInstanceRegistry::CInstanceRegistry(std::filesystem::path lockPath, Clock clock)
    : m_lockPath(std::move(lockPath)), m_records(CInstanceRecords::PathFor(m_lockPath)), m_clock(std::move(clock))
{
}

CInstanceRegistry::~CInstanceRegistry()
{
    Unregister();
}

std::filesystem::path CInstanceRegistry::DefaultLockPath(const CProfile& profile)
{
    return std::filesystem::path(profile.GetFilePath()).replace_extension(".lock");
}

long long CInstanceRegistry::Now() const
{
    if (m_clock)
        return m_clock();
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool CInstanceRegistry::TryLock()
{
    if (m_lockFd >= 0)
        return true;
    std::error_code ec;
    std::filesystem::create_directories(m_lockPath.parent_path(), ec);
    const int fd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        LOG(INFO) << "Instance lock " << m_lockPath << " cannot be opened";
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

std::vector<CInstanceRegistry::Record> CInstanceRegistry::ReadRecords()
{
    std::vector<Record> records;
    for (const auto& [entry, value] : m_records.Read()) {
        Record record;
        record.entry = entry;
        int first = 0;
        // An unreadable record keeps stamp 0, which makes it gone.
        if (ParseRecord(value, record.stamp, first))
            record.first = first != 0;
        records.push_back(record);
    }
    return records;
}

void CInstanceRegistry::WriteRecord()
{
    const CString entry = CString::Formatted("%s%d", kEntryPrefix, m_number);
    const CString value = CString::Formatted("%lld %lld %d", static_cast<long long>(::getpid()), Now(), IsFirstInstance() ? 1 : 0);
    m_records.SetValue(entry, value.GetString());
}

void CInstanceRegistry::Register(int waitMs)
{
    if (IsRegistered())
        return;
    const long long deadline = Now() + waitMs;
    while (!TryLock() && Now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));

    const long long now = Now();
    std::set<int> taken;
    for (const Record& record : ReadRecords()) {
        if (now - record.stamp > kStaleMs) {
            m_records.SetValue(record.entry, nullptr);
            continue;
        }
        int number = 0;
        if (std::sscanf(record.entry.GetString(), "Instance%d", &number) == 1)
            taken.insert(number);
    }
    // The first instance is number 1 unless a survivor of an earlier run still holds it.
    m_number = IsFirstInstance() && !taken.contains(1) ? 1 : 2;
    while (taken.contains(m_number))
        ++m_number;
    WriteRecord();
    LOG(INFO) << "Instance " << m_number << (IsFirstInstance() ? " runs as the first instance" : " runs as a secondary instance");
}

bool CInstanceRegistry::Heartbeat()
{
    if (!IsRegistered())
        return false;
    const long long now = Now();
    const CString own = CString::Formatted("%s%d", kEntryPrefix, m_number);
    bool firstAlive = false;
    for (const Record& record : ReadRecords()) {
        if (record.entry == own)
            continue;
        if (now - record.stamp > kStaleMs) {
            LOG(INFO) << "Instance record " << record.entry.str() << " is older than " << kStaleMs << " ms; the instance counts as gone";
            m_records.SetValue(record.entry, nullptr);
        } else if (record.first) {
            firstAlive = true;
        }
    }
    bool tookOver = false;
    if (!IsFirstInstance() && !firstAlive && TryLock()) {
        LOG(INFO) << "Instance " << m_number << " takes over the first-instance role";
        tookOver = true;
    }
    WriteRecord();
    return tookOver;
}

void CInstanceRegistry::Unregister()
{
    if (IsRegistered()) {
        m_records.SetValue(CString::Formatted("%s%d", kEntryPrefix, m_number), nullptr);
        m_number = 0;
    }
    if (m_lockFd >= 0) {
        ::flock(m_lockFd, LOCK_UN);
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}
