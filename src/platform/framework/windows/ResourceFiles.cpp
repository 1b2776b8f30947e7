#include "platform/framework/windows/ResourceFiles.h"

#include "platform/framework/StringTable.h"

#include <QFile>
#include <QJsonDocument>

#include <glog/logging.h>

std::optional<QJsonObject> LoadResourceJson(const char* folder, UINT id)
{
    const QString path =
        QString::fromStdString(CStringTable::ResourceDir()) + QStringLiteral("/%1/%2.json").arg(QLatin1String(folder)).arg(id);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
    {
        LOG(INFO) << "Resource " << folder << "/" << id << " is missing: " << path.toStdString();
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
    {
        LOG(INFO) << "Resource " << folder << "/" << id << " cannot be read: " << error.errorString().toStdString();
        return std::nullopt;
    }
    return document.object();
}

CString ResourceText(const QJsonValue& value)
{
    if (value.isObject())
    {
        CString text;
        text.LoadString(unsigned(value.toObject().value("string").toInt()));
        return text;
    }
    return CString(value.toString().toStdString());
}
