#include "report/ReportPicture.h"

#include "platform/reportengine/ImageConversion.h"
#include "project/ZcaArchive.h"
#include "report/FileExtension.h"
#include "report/ReportTempFiles.h"

#include <glog/logging.h>

#include <cstdio>

namespace
{
constexpr const char* kCopiedExtensions[] = {".png", ".bmp", ".jpeg", ".jpg", ".jpe"};
}

CString CReportPictureZca::GetFile()
{
    CString extension;
    GetFileExtension(m_streamName, extension);
    bool copied = false;
    for (const char* known : kCopiedExtensions)
        copied = copied || extension.CompareNoCase(known) == 0;

    if (copied)
    {
        m_path = MakeReportTempFileName(extension.Mid(1));
        if (!m_archive || !m_archive->ExportStream(m_streamName, m_path))
            LOG(WARNING) << "The picture stream " << m_streamName.str() << " could not be copied for the report";
        return m_path;
    }
    m_path = MakeReportTempFileName("png");
    CString source = m_path + ".source";
    if (!m_archive || !m_archive->ExportStream(m_streamName, source) || !ConvertImageFileToPng(source, m_path))
        LOG(WARNING) << "The picture stream " << m_streamName.str() << " could not be converted for the report";
    std::remove(source.GetString());
    return m_path;
}
