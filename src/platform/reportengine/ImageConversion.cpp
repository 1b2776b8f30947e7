#include "platform/reportengine/ImageConversion.h"

#include <QImage>
#include <QSaveFile>

bool ConvertImageFileToPng(const CString& sourcePath, const CString& targetPath)
{
    QImage image(QString::fromUtf8(sourcePath.GetString()));
    if (image.isNull())
        return false;
    QSaveFile file(QString::fromUtf8(targetPath.GetString()));
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}
