// Menus read from the resource folder.
#include "platform/framework/windows/CMenu.h"

#include "platform/framework/windows/ResourceFiles.h"

#include <QJsonArray>

#include <glog/logging.h>

namespace
{
using OwnedMenus = std::vector<std::unique_ptr<CMenu>>;

bool FillMenu(CMenu& menu, const QJsonArray& items, OwnedMenus& owned, int depth)
{
    if (depth > 8) return false; // a resource nesting this deep is broken
    for (const QJsonValue& v : items)
    {
        const QJsonObject item = v.toObject();
        if (item.value("separator").toBool())
        {
            menu.AppendMenu(MF_SEPARATOR);
            continue;
        }
        const CString text = ResourceText(item.value("text"));
        UINT flags = MF_STRING;
        if (item.value("checked").toBool()) flags |= MF_CHECKED;
        if (item.value("disabled").toBool()) flags |= MF_GRAYED;
        if (item.contains("items"))
        {
            auto popup = std::make_unique<CMenu>();
            popup->CreatePopupMenu();
            if (!FillMenu(*popup, item.value("items").toArray(), owned, depth + 1)) return false;
            menu.AppendMenu(flags | MF_POPUP, UINT_PTR(popup.get()), text);
            owned.push_back(std::move(popup));
        }
        else
        {
            const int id = item.value("id").toInt(-1);
            if (id <= 0) return false;
            menu.AppendMenu(flags, UINT_PTR(id), text);
        }
    }
    return true;
}
} // namespace

BOOL CMenu::LoadMenu(UINT resourceId)
{
    const auto o = LoadResourceJson("menus", resourceId);
    if (!o) return FALSE;
    DestroyMenu();
    CreatePopupMenu();
    OwnedMenus owned;
    if (!FillMenu(*this, o->value("items").toArray(), owned, 0))
    {
        LOG(INFO) << "Menu " << resourceId << " has a malformed item";
        DestroyMenu();
        return FALSE;
    }
    m_ownedSubMenus = std::move(owned);
    return TRUE;
}
