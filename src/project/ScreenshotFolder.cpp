#include "project/ScreenshotFolder.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "datamodel/LoggerModel.h"
#include "project/ScreenshotTime.h"
#include "project/LoggerDrive.h"

namespace {

constexpr char kScreenshotsFolder[] = "screenshots";
constexpr char kScreenshotExtension[] = ".png";

namespace fs = std::filesystem;

// The logger writes to a FAT volume, whose names may come in upper case.
bool HasScreenshotExtension(const std::string& name)
{
    const std::size_t n = sizeof kScreenshotExtension - 1;
    return name.size() > n && CString(name.substr(name.size() - n)).CompareNoCase(kScreenshotExtension) == 0;
}

} // namespace

void ScanScreenshotFolder(const CString& root, std::vector<SScreenshotFileEntry>& entries)
{
    entries.clear();
    CString base = root;
    if (base.GetLength() > 1 && base[base.GetLength() - 1] == '/')
        base = base.Left(base.GetLength() - 1);

    std::set<std::string> loggers;
    std::error_code error;
    for (fs::directory_iterator it(base.GetString(), error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.empty() && name[0] != '.' && it->is_directory(typeError))
            loggers.insert(name);
    }

    for (const std::string& logger : loggers) {
        const std::string dir = std::string(base.GetString()) + "/" + logger + "/" + kScreenshotsFolder + "/";
        std::vector<std::string> files;
        std::error_code listError;
        for (fs::directory_iterator it(dir, listError), end; !listError && it != end; it.increment(listError)) {
            const std::string name = it->path().filename().string();
            std::error_code typeError;
            if (HasScreenshotExtension(name) && !it->is_directory(typeError))
                files.push_back(name);
        }
        std::sort(files.begin(), files.end());
        for (const std::string& file : files)
            entries.push_back({CString(file), CString(dir + file), CString(logger)});
    }
}

void ReadScreenshotInfoFromLoggerDrive(const CString& path, CImageSettings& image)
{
    std::vector<CString> loggerFolders;
    FindLoggerDrive(loggerFolders);
    ReadScreenshotInfoFromLoggerFolders(path, loggerFolders, image);
}

void ReadScreenshotInfoFromLoggerFolders(const CString& path, const std::vector<CString>& loggerFolders,
                                         CImageSettings& image)
{
    image.imageTime = TimeFromScreenshotFileName(path.Mid(path.ReverseFind('/') + 1));
    image.instrument = kLoggerInstrumentName;
    for (const CString& folder : loggerFolders) {
        std::vector<SScreenshotFileEntry> entries;
        ScanScreenshotFolder(folder, entries);
        for (const SScreenshotFileEntry& entry : entries) {
            if (entry.fullPath.CompareNoCase(path) == 0) {
                image.serialNumber = entry.subFolder;
                return;
            }
        }
    }
}
