#include "project/LoggerDrive.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string>
#include <unistd.h>

namespace {

constexpr char kLoggerFolder[] = "Zelko4626";

std::string CurrentUserName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

} // namespace

std::vector<CString> GetVolumeMountFolders()
{
    std::vector<CString> folders;
    const std::string user = CurrentUserName();
    if (!user.empty()) {
        folders.emplace_back("/media/" + user);
        folders.emplace_back("/run/media/" + user);
    }
    folders.emplace_back("/mnt");
    return folders;
}

void FindLoggerDrive(std::vector<CString>& folders)
{
    FindLoggerDrive(GetVolumeMountFolders(), folders);
}

void FindLoggerDrive(const std::vector<CString>& mountFolders, std::vector<CString>& folders)
{
    namespace fs = std::filesystem;
    folders.clear();
    for (const CString& mountFolder : mountFolders) {
        std::error_code error;
        std::vector<fs::path> volumes;
        for (fs::directory_iterator it(mountFolder.GetString(), error), end; !error && it != end; it.increment(error)) {
            std::error_code typeError;
            if (it->is_directory(typeError))
                volumes.push_back(it->path());
        }
        // Directory order is arbitrary; the list is read by people and compared in tests.
        std::sort(volumes.begin(), volumes.end());
        for (const fs::path& volume : volumes) {
            std::error_code existsError;
            if (fs::is_directory(volume / kLoggerFolder, existsError))
                folders.emplace_back((volume / kLoggerFolder).string() + "/");
        }
    }
}
