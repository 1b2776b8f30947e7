#include "platform/framework/windows/ToolBarResource.h"

#include "platform/framework/windows/ResourceFiles.h"

#include <QJsonArray>

namespace
{
bool SizeOf(const QJsonValue& value, CSize& size)
{
    if (value.isUndefined()) return true;
    const QJsonArray a = value.toArray();
    if (a.size() != 2 || a[0].toInt() <= 0 || a[1].toInt() <= 0) return false;
    size = CSize(a[0].toInt(), a[1].toInt());
    return true;
}
} // namespace

std::optional<ToolBarResource> LoadToolBarResource(UINT id)
{
    const auto o = LoadResourceJson("toolbars", id);
    if (!o) return std::nullopt;
    ToolBarResource t;
    t.id = UINT(o->value("id").toInt(int(id)));
    t.bitmap = UINT(o->value("bitmap").toInt(int(id)));
    if (!SizeOf(o->value("imageSize"), t.imageSize) || !SizeOf(o->value("buttonSize"), t.buttonSize)) return std::nullopt;
    for (const QJsonValue& b : o->value("buttons").toArray())
    {
        if (!b.isDouble() || b.toInt() < 0) return std::nullopt;
        t.buttons.push_back(UINT(b.toInt()));
    }
    return t;
}
