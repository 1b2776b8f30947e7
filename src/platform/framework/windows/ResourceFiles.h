#pragma once
// Private: reading the JSON resources of the resource folder (dialogs, menus, toolbars).
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <QJsonObject>

#include <optional>

// resources/<folder>/<id>.json as an object; nothing (and a log line) when missing or malformed.
std::optional<QJsonObject> LoadResourceJson(const char* folder, UINT id);
// A text given as itself or as {"string": id} naming the string table.
CString ResourceText(const QJsonValue& value);
