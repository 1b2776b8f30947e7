#pragma once
// Points the user's configuration, data and runtime folders ($XDG_CONFIG_HOME, $XDG_DATA_HOME,
// $XDG_RUNTIME_DIR) at a fresh temporary folder for the life of the object, so that profile,
// data-folder and instance tests never touch the real ones; the folder is removed and the
// variables restored afterwards.
#include "support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class CTempXdgHome
{
public:
    CTempXdgHome()
    {
        Replace("XDG_CONFIG_HOME", m_folder.Root() / "config", m_oldConfig);
        Replace("XDG_DATA_HOME", m_folder.Root() / "data", m_oldData);
        std::filesystem::create_directories(RuntimeDir());
        // A runtime folder is the user's alone.
        std::filesystem::permissions(RuntimeDir(), std::filesystem::perms::owner_all);
        Replace("XDG_RUNTIME_DIR", RuntimeDir(), m_oldRuntime);
    }
    ~CTempXdgHome()
    {
        Restore("XDG_CONFIG_HOME", m_oldConfig);
        Restore("XDG_DATA_HOME", m_oldData);
        Restore("XDG_RUNTIME_DIR", m_oldRuntime);
    }
    CTempXdgHome(const CTempXdgHome&) = delete;
    CTempXdgHome& operator=(const CTempXdgHome&) = delete;

    const std::filesystem::path& Root() const { return m_folder.Root(); }
    std::filesystem::path ConfigHome() const { return m_folder.Root() / "config"; }
    std::filesystem::path DataHome() const { return m_folder.Root() / "data"; }
    std::filesystem::path RuntimeDir() const { return m_folder.Root() / "runtime"; }

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

    CTempFolder m_folder;
    std::optional<std::string> m_oldConfig;
    std::optional<std::string> m_oldData;
    std::optional<std::string> m_oldRuntime;
};
