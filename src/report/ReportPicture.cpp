#include "report/ReportPicture.h"

#include "platform/reportengine/ImageConversion.h"
#include "datamodel/IDataStream.h"
#include "project/ZcaArchive.h"
#include "report/FileExtension.h"
#include "report/ReportTempFiles.h"

#include <glog/logging.h>

#include <fstream>
#include <memory>

namespace
{
constexpr const char* kCopiedExtensions[] = {".png", ".bmp", ".jpeg", ".jpg", ".jpe"};

// The whole stream; false when it cannot be read.
bool ReadStream(CZcaArchive* archive, const CString& name, std::string& bytes)
{
    std::unique_ptr<IDataStream> stream;
    if (!archive || archive->OpenStream(name, stream) != 0 || !stream)
        return false;
    bytes.resize(std::size_t(stream->GetLength()));
    return stream->Read(bytes.data(), bytes.size()) == std::int64_t(bytes.size());
}

// A temporary file needs no flush to disk: it lives only until its picture is printed.
bool WriteTemporaryFile(const CString& path, const std::string& bytes)
{
    std::ofstream file(path.str(), std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), std::streamsize(bytes.size())) && file.flush();
}
} // namespace

CString CReportPictureZca::GetFile()
{
    CString extension;
    GetFileExtension(m_streamName, extension);
    bool copied = false;
    for (const char* known : kCopiedExtensions)
        copied = copied || extension.CompareNoCase(known) == 0;

    m_path = MakeReportTempFileName(copied ? extension.Mid(1) : CString("png"));
    std::string bytes;
    bool written = ReadStream(m_archive, m_streamName, bytes) &&
                   (copied ? WriteTemporaryFile(m_path, bytes) : ConvertImageToPng(bytes, m_path));
    if (!written)
        LOG(WARNING) << "The picture stream " << m_streamName.str() << " could not be written for the report";
    return m_path;
}
