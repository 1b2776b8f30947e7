#include "shell/InstanceRecords.h"

#include <glog/logging.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path RuntimeFolder()
{
    std::error_code ec;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime && std::filesystem::is_directory(runtime, ec))
        return runtime;
    if (std::filesystem::is_directory("/dev/shm", ec))
        return "/dev/shm";
    return std::filesystem::temp_directory_path(ec);
}

// FNV-1a: the same name in every process and every build.
std::uint64_t StableHash(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

CInstanceRecords::Entries Parse(const std::string& text)
{
    CInstanceRecords::Entries entries;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (const std::size_t equals = line.find('='); equals != std::string::npos && equals > 0)
            entries.emplace_back(CString(line.substr(0, equals)), CString(line.substr(equals + 1)));
        start = end + 1;
    }
    return entries;
}

std::string Serialize(const CInstanceRecords::Entries& entries)
{
    std::string text;
    for (const auto& [entry, value] : entries)
        text += entry.str() + "=" + value.str() + "\n";
    return text;
}

bool ReadAll(int fd, std::string& text)
{
    text.clear();
    char block[4096];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, block, sizeof block, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        text.append(block, std::size_t(got));
        offset += got;
    }
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::pwrite(fd, text.data() + done, text.size() - done, off_t(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += std::size_t(put);
    }
    return ::ftruncate(fd, off_t(text.size())) == 0;
}

// The records file opened and locked; reopened when another instance removed it meanwhile.
class CLockedFile
{
public:
    explicit CLockedFile(const std::filesystem::path& path)
    {
        for (int attempt = 0; attempt < 10; ++attempt) {
            m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
            if (m_fd < 0)
                return;
            struct stat opened {}, named {};
            if (::flock(m_fd, LOCK_EX) == 0 && ::fstat(m_fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 &&
                opened.st_ino == named.st_ino && opened.st_dev == named.st_dev)
                return;
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~CLockedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CLockedFile(const CLockedFile&) = delete;
    CLockedFile& operator=(const CLockedFile&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace

std::filesystem::path CInstanceRecords::PathFor(const std::filesystem::path& lockPath)
{
    char name[64];
    std::snprintf(name, sizeof name, "orn-instances-%u-%016llx", unsigned(::getuid()),
                  static_cast<unsigned long long>(StableHash(std::filesystem::absolute(lockPath).string())));
    return RuntimeFolder() / name;
}

CInstanceRecords::Entries CInstanceRecords::Read() const
{
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    std::string text;
    // A shared lock: a reader never sees a rewrite half done.
    const bool read = ::flock(fd, LOCK_SH) == 0 && ReadAll(fd, text);
    ::close(fd);
    return read ? Parse(text) : Entries{};
}

bool CInstanceRecords::Update(const std::function<bool(Entries&)>& change) const
{
    const CLockedFile file(m_path);
    std::string text;
    if (file.Get() < 0 || !ReadAll(file.Get(), text)) {
        LOG(INFO) << "Instance records " << m_path << " cannot be opened";
        return false;
    }
    Entries entries = Parse(text);
    const bool changed = change(entries);
    // The last record takes the file with it (under the lock, so a writer waiting for it
    // opens the file again).
    if (entries.empty())
        return ::unlink(m_path.c_str()) == 0 || errno == ENOENT;
    return !changed || WriteAll(file.Get(), Serialize(entries));
}

std::vector<CString> CInstanceRecords::GetEntries() const
{
    std::vector<CString> names;
    for (const auto& [entry, value] : Read())
        names.push_back(entry);
    return names;
}

CString CInstanceRecords::GetValue(const CString& entry) const
{
    for (const auto& [name, value] : Read())
        if (name == entry)
            return value;
    return {};
}

bool CInstanceRecords::SetValue(const CString& entry, const char* value) const
{
    return Update([&](Entries& entries) {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == entry; });
        if (!value) {
            if (it == entries.end())
                return false;
            entries.erase(it);
        } else if (it == entries.end()) {
            entries.emplace_back(entry, CString(value));
        } else {
            it->second = value;
        }
        return true;
    });
}
