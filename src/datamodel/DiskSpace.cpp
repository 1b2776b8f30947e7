#include "datamodel/DiskSpace.h"

#include <sys/statvfs.h>

std::optional<std::uint64_t> QueryFreeSpaceForFile(const std::string& filePath)
{
    const auto slash = filePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : filePath.substr(0, slash);
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0)
        return std::nullopt;
    return std::uint64_t(info.f_bavail) * std::uint64_t(info.f_frsize);
}
