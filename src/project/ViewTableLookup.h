#pragma once
// Lookups in one column of the view table. "lastView" holds a view name and the children of
// "views" carry element names; a name from the other column must not match.
#include <string_view>

#include "project/ViewSettings.h"

// -1 when no row has that view name (exact, letter case included).
inline int FindViewIdByViewName(std::string_view name)
{
    for (const auto& row : CViewSettings::kViewTable)
        if (name == row.viewName)
            return row.viewId;
    return -1;
}

// -1 when no row has that element name (exact, letter case included).
inline int FindViewIdByElementName(std::string_view name)
{
    for (const auto& row : CViewSettings::kViewTable)
        if (name == row.elementName)
            return row.viewId;
    return -1;
}
