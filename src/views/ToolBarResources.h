#pragma once
// The toolbar resources of the project window's pages: per resource id, the bitmap strip of the
// same id (one 16 x 16 glyph per button, magenta transparent) and the button commands in order,
// 0 standing for a separator.
#include "platform/framework/WinTypes.h"

#include <vector>

inline constexpr UINT kEnergySelectorToolBar = 1508;
inline constexpr UINT kLoadSelectorToolBar = 1509;
inline constexpr UINT kGraphSectionToolBar = 1510;
inline constexpr UINT kTableSectionToolBar = 1511;
inline constexpr UINT kReportContentToolBar = 1575;

struct SToolBarResource
{
    UINT id;
    std::vector<UINT> commands;
};

// The resource of that id; null for an unknown id.
const SToolBarResource* FindToolBarResource(UINT id);
