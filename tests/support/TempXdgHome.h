#pragma once
// Points the user's configuration and data folders ($XDG_CONFIG_HOME, $XDG_DATA_HOME) at a
// fresh temporary folder for the life of the object, so that profile and data-folder tests
// never touch the real ones; the folder is removed and the variables restored afterwards.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class CTempXdgHome
{
public:
    CTempXdgHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orn-xdg-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        Replace("XDG_CONFIG_HOME", m_root / "config", m_oldConfig);
        Replace("XDG_DATA_HOME", m_root / "data", m_oldData);
    }
    ~CTempXdgHome()
    {
        Restore("XDG_CONFIG_HOME", m_oldConfig);
        Restore("XDG_DATA_HOME", m_oldData);
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    CTempXdgHome(const CTempXdgHome&) = delete;
    CTempXdgHome& operator=(const CTempXdgHome&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    std::filesystem::path ConfigHome() const { return m_root / "config"; }
    std::filesystem::path DataHome() const { return m_root / "data"; }

private:
    static void Replace(const char* name, const std::filesystem::path& value, std::optional<std::string>& old)
    {
        if (const char* current = std::getenv(name))
            old = current;
        ::setenv(name, value.c_str(), 1);
    }
    static void Restore(const char* name, const std::optional<std::string>& old)
    {
        if (old)
            ::setenv(name, old->c_str(), 1);
        else
            ::unsetenv(name);
    }

    std::filesystem::path m_root;
    std::optional<std::string> m_oldConfig;
    std::optional<std::string> m_oldData;
};
