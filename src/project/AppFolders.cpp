#include "project/AppFolders.h"

#include "platform/framework/Profile.h"

#include <glog/logging.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr unsigned kReportsFolderText = 8035;

} // namespace

CString GetAppDataFolder()
{
    CProfile& profile = CProfile::Instance();
    CString folder = profile.GetInstallationString("Settings", "DataDir", "");
    if (folder.IsEmpty())
        folder = (CProfile::DataHome() / kAppRegistryKey / kAppProductName).string();
    if (folder.Right(1) != "/")
        folder += '/';
    return folder;
}

CString GetDownloadFolder()
{
    const CString folder = GetAppDataFolder() + "Download/";
    std::error_code ec;
    std::filesystem::create_directories(folder.str(), ec);
    if (ec)
        LOG(INFO) << "GetDownloadFolder: cannot create " << folder.str() << ": " << ec.message();
    return folder;
}

CString GetReportsFolder()
{
    CString name;
    name.LoadString(kReportsFolderText);
    std::string relative = name.str();
    std::replace(relative.begin(), relative.end(), '\\', '/');
    relative.erase(0, relative.find_first_not_of('/'));
    if (relative.empty())
        relative = "Reports/";
    const CString folder = GetAppDataFolder() + CString(relative);
    std::error_code ec;
    std::filesystem::create_directories(folder.str(), ec);
    if (ec)
        LOG(INFO) << "GetReportsFolder: cannot create " << folder.str() << ": " << ec.message();
    return folder;
}
