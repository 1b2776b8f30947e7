#include "platform/framework/Profile.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return std::filesystem::temp_directory_path();
}

// An XDG base folder: the variable when it names an absolute path, else the fallback under home.
std::filesystem::path XdgFolder(const char* variable, const char* fallback)
{
    if (const char* dir = std::getenv(variable); dir && *dir == '/')
        return dir;
    return HomeFolder() / fallback;
}

std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

// A name that cannot climb out of its folder.
std::string SafeFileName(const CString& name, const char* fallback)
{
    std::string safe = name.str();
    for (char& ch : safe)
        if (ch == '/')
            ch = '_';
    return safe.empty() || safe == "." || safe == ".." ? std::string(fallback) : safe;
}

bool ParseInt(std::string_view text, int& value)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

// Holds an exclusive lock on the profile's lock file for the life of the object, so that
// instances running side by side never lose each other's writes.
class CProfileLock
{
public:
    explicit CProfileLock(const std::filesystem::path& file)
    {
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        const std::string lockPath = file.string() + ".lock";
        m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~CProfileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CProfileLock(const CProfileLock&) = delete;
    CProfileLock& operator=(const CProfileLock&) = delete;

private:
    int m_fd = -1;
};

} // namespace

CProfile::CProfile(CString registryKey, CString appName)
    : m_registryKey(std::move(registryKey)), m_appName(std::move(appName)), m_installationFile(ProgramFolder() / "installation.ini")
{
}

CProfile& CProfile::Instance()
{
    std::error_code ec;
    static CProfile profile("", CString(std::filesystem::read_symlink("/proc/self/exe", ec).stem().string()));
    return profile;
}

void CProfile::SetRegistryKey(const CString& key)
{
    std::lock_guard lock(m_mutex);
    m_registryKey = key;
}

void CProfile::SetAppName(const CString& name)
{
    std::lock_guard lock(m_mutex);
    m_appName = name;
}

std::filesystem::path CProfile::ConfigHome()
{
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path CProfile::DataHome()
{
    return XdgFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path CProfile::GetFilePath() const
{
    std::filesystem::path folder = ConfigHome();
    if (!m_registryKey.IsEmpty())
        folder /= SafeFileName(m_registryKey, "profile");
    return folder / (SafeFileName(m_appName, "application") + ".ini");
}

CProfile::FileStamp CProfile::StampOf(const std::filesystem::path& path)
{
    FileStamp stamp;
    stamp.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        stamp.size = std::uintmax_t(st.st_size);
        stamp.inode = static_cast<long long>(st.st_ino);
        stamp.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    }
    return stamp;
}

void CProfile::Refresh()
{
    const auto path = GetFilePath();
    const FileStamp stamp = StampOf(path);
    if (stamp == m_stamp)
        return;
    m_ini.Load(path);
    m_stamp = stamp;
}

template <typename Change>
bool CProfile::Modify(Change change)
{
    const auto path = GetFilePath();
    CProfileLock fileLock(path);
    m_ini.Load(path);
    const bool saved = !change(m_ini) || m_ini.SaveAtomically(path);
    // After a failed save the cache holds a change the file lacks: read the file again next time.
    m_stamp = saved ? StampOf(path) : FileStamp{};
    return saved;
}

CString CProfile::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    std::lock_guard lock(m_mutex);
    Refresh();
    if (section && entry)
        if (auto value = m_ini.Get(section, entry))
            return CString(std::move(*value));
    return CString(defaultValue);
}

int CProfile::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    std::lock_guard lock(m_mutex);
    Refresh();
    int value = defaultValue;
    if (section && entry)
        if (const auto text = m_ini.Get(section, entry); text && ParseInt(*text, value))
            return value;
    return defaultValue;
}

bool CProfile::GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& data)
{
    data.clear();
    const CString text = GetProfileString(section, entry, nullptr);
    const std::string& hex = text.str();
    if (hex.empty() || hex.size() % 2 != 0)
        return false;
    std::vector<BYTE> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexValue(hex[2 * i]);
        const int lo = HexValue(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[i] = BYTE(hi * 16 + lo);
    }
    data = std::move(bytes);
    return true;
}

bool CProfile::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section)
        return false;
    std::lock_guard lock(m_mutex);
    return Modify([&](CIniFile& ini) {
        if (!entry)
            return ini.RemoveSection(section);
        if (!value)
            return ini.Remove(section, entry);
        if (ini.Get(section, entry) == std::optional<std::string>(value))
            return false;
        ini.Set(section, entry, value);
        return true;
    });
}

bool CProfile::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (!entry)
        return false;
    return WriteProfileString(section, entry, std::to_string(value).c_str());
}

bool CProfile::WriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT bytes)
{
    if (!entry || (!data && bytes > 0))
        return false;
    std::string hex;
    hex.reserve(std::size_t(bytes) * 2);
    for (UINT i = 0; i < bytes; ++i) {
        hex += kHexDigits[data[i] >> 4];
        hex += kHexDigits[data[i] & 0x0F];
    }
    return WriteProfileString(section, entry, hex.c_str());
}

std::vector<CString> CProfile::GetProfileEntries(const char* section)
{
    std::lock_guard lock(m_mutex);
    Refresh();
    std::vector<CString> names;
    if (section)
        for (auto& name : m_ini.Entries(section))
            names.emplace_back(std::move(name));
    return names;
}

void CProfile::SetInstallationFile(std::filesystem::path path)
{
    std::lock_guard lock(m_mutex);
    m_installationFile = std::move(path);
    m_installationLoaded = false;
}

CString CProfile::GetInstallationString(const char* section, const char* entry, const char* defaultValue)
{
    std::lock_guard lock(m_mutex);
    if (!m_installationLoaded) {
        m_installation.Load(m_installationFile);
        m_installationLoaded = true;
    }
    if (section && entry)
        if (auto value = m_installation.Get(section, entry))
            return CString(std::move(*value));
    return CString(defaultValue);
}

int CProfile::GetInstallationInt(const char* section, const char* entry, int defaultValue)
{
    int value = defaultValue;
    const CString text = GetInstallationString(section, entry, nullptr);
    return ParseInt(text.str(), value) ? value : defaultValue;
}
