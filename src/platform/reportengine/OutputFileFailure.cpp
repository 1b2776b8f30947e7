#include "platform/reportengine/OutputFileFailure.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <string>

CReportEngineError OutputFileFailure(const QFileDevice& file, const CString& path, std::uint64_t neededBytes)
{
    std::string reason = file.errorString().toStdString();
    const std::string folder = std::filesystem::path(path.str()).parent_path().string();
    struct statvfs room {};
    if (::statvfs(folder.empty() ? "." : folder.c_str(), &room) == 0 &&
        std::uint64_t(room.f_bavail) * room.f_frsize < std::max<std::uint64_t>(neededBytes, 1))
        reason = "the disk is full";
    else if (file.error() == QFileDevice::NoError || reason == "Unknown error")
        reason = "the file could not be written";
    return CReportEngineError("The file \"" + path.str() + "\" cannot be written: " + reason + ".");
}
