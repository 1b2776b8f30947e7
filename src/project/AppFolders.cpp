#include "project/AppFolders.h"

#include "platform/framework/Profile.h"

#include <glog/logging.h>

#include <filesystem>

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
