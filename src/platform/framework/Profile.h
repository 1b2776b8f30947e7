#pragma once
// The per-user profile in place of the registry: one INI file per application under the user's
// configuration folder, $XDG_CONFIG_HOME (else ~/.config) / <registry key> / <application name>.ini,
// with the registry's sections and values. Every write goes straight to disk (atomically, under a
// lock shared by all running instances) and every read sees what other instances wrote.
//
// Installation values (the machine-wide settings an installer would leave) come from a second,
// read-only INI file beside the program, "installation.ini", whose sections are the last part of
// the key ("Settings", "Manuals", "Samples").
#include "platform/framework/CString.h"
#include "platform/framework/IniFile.h"
#include "platform/framework/WinTypes.h"

#include <filesystem>
#include <mutex>
#include <vector>

class CProfile
{
public:
    CProfile(CString registryKey, CString appName);

    // The application's profile; the application object names it at start-up.
    static CProfile& Instance();
    void SetRegistryKey(const CString& key);
    void SetAppName(const CString& name);
    const CString& GetRegistryKey() const { return m_registryKey; }
    const CString& GetAppName() const { return m_appName; }

    CString GetProfileString(const char* section, const char* entry, const char* defaultValue = nullptr);
    // Decimal integers; a missing or unreadable value gives the default.
    int GetProfileInt(const char* section, const char* entry, int defaultValue);
    // False (and `data` emptied) when the value is missing or not a byte image.
    bool GetProfileBinary(const char* section, const char* entry, std::vector<BYTE>& data);
    // A null value removes the entry; a null entry removes the whole section.
    bool WriteProfileString(const char* section, const char* entry, const char* value);
    bool WriteProfileInt(const char* section, const char* entry, int value);
    bool WriteProfileBinary(const char* section, const char* entry, const BYTE* data, UINT bytes);
    // The names of a section's values, in stored order.
    std::vector<CString> GetProfileEntries(const char* section);

    CString GetInstallationString(const char* section, const char* entry, const char* defaultValue = nullptr);
    int GetInstallationInt(const char* section, const char* entry, int defaultValue);
    void SetInstallationFile(std::filesystem::path path);

    // The profile file as the current environment places it.
    std::filesystem::path GetFilePath() const;
    // $XDG_CONFIG_HOME or ~/.config, and $XDG_DATA_HOME or ~/.local/share.
    static std::filesystem::path ConfigHome();
    static std::filesystem::path DataHome();

private:
    struct FileStamp
    {
        std::filesystem::path path;
        std::uintmax_t size = 0;
        long long inode = -1;
        long long modified = -1;
        bool operator==(const FileStamp&) const = default;
    };
    static FileStamp StampOf(const std::filesystem::path& path);
    // Reloads the cached INI when the file changed on disk since it was read.
    void Refresh();
    // Runs `change` on the freshly read INI under the inter-process lock and saves the result.
    template <typename Change>
    bool Modify(Change change);

    std::mutex m_mutex;
    CString m_registryKey;
    CString m_appName;
    CIniFile m_ini;
    FileStamp m_stamp;
    std::filesystem::path m_installationFile;
    CIniFile m_installation;
    bool m_installationLoaded = false;
};
