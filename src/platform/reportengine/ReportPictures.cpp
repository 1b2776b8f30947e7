#include "platform/reportengine/ReportPictures.h"

#include "platform/reportengine/ReportEngineError.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <fstream>
#include <iterator>

QImage CReportPictures::Load(const CString& path)
{
    std::ifstream file(path.str(), std::ios::binary);
    if (!file)
        throw CReportEngineError("The picture \"" + path.str() + "\" cannot be loaded: File not found");
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (const auto found = m_decoded.find(bytes); found != m_decoded.end())
        return found->second;
    QByteArray data = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        throw CReportEngineError("The picture \"" + path.str() + "\" cannot be loaded: " +
                                 reader.errorString().toStdString());
    return m_decoded.emplace(std::move(bytes), std::move(image)).first->second;
}
