#include "platform/reportengine/ImageConversion.h"

#include <QImage>

bool ConvertImageToPng(const std::string& imageBytes, const CString& targetPath)
{
    QImage image = QImage::fromData(reinterpret_cast<const uchar*>(imageBytes.data()), int(imageBytes.size()));
    return !image.isNull() && image.save(QString::fromUtf8(targetPath.GetString()), "PNG");
}
