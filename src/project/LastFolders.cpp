#include "project/LastFolders.h"

#include <filesystem>
#include <vector>

#include "platform/framework/Profile.h"
#include "project/LoggerDrive.h"

namespace {

constexpr const char* kSettings = "Settings";

CString FolderOf(const CString& path)
{
    return std::filesystem::path(path.str()).parent_path().string();
}

const char* LastImageEntry()
{
    std::vector<CString> loggerFolders;
    FindLoggerDrive(loggerFolders);
    return loggerFolders.empty() ? "LastImagePath" : "LastImageZelkoPath";
}

} // namespace

CString GetLastAddDataPath()
{
    return CProfile::Instance().GetProfileString(kSettings, "LastAddDataPath", "");
}

void SetLastAddDataPath(const CString& path)
{
    if (!path.IsEmpty())
        CProfile::Instance().WriteProfileString(kSettings, "LastAddDataPath", FolderOf(path).GetString());
}

CString GetLastImagePath()
{
    return CProfile::Instance().GetProfileString(kSettings, LastImageEntry(), "");
}

void SetLastImagePath(const CString& path)
{
    if (!path.IsEmpty())
        CProfile::Instance().WriteProfileString(kSettings, LastImageEntry(), FolderOf(path).GetString());
}
