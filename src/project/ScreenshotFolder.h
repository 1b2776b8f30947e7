#pragma once
// The screenshots a logger folder holds: <root>/<serial number>/screenshots/*.png.
#include <vector>

#include "platform/framework/CString.h"
#include "project/ImageSettings.h"

struct SScreenshotFileEntry
{
    CString fileName;
    CString fullPath;
    CString subFolder; // the logger's serial number
};

// Logger folders in name order (hidden ones skipped), the PNG files of each one's "screenshots"
// folder in name order.
void ScanScreenshotFolder(const CString& root, std::vector<SScreenshotFileEntry>& entries);

// For a screenshot without usable metadata: imageTime from the file name, the instrument, and the
// serial number from the logger folder that holds the file on a mounted logger.
void ReadScreenshotInfoFromLoggerDrive(const CString& path, CImageSettings& image);
// The same, looking in the given logger folders.
void ReadScreenshotInfoFromLoggerFolders(const CString& path, const std::vector<CString>& loggerFolders,
                                         CImageSettings& image);
