#pragma once
// The toolbar resources of the project window's pages (resources/toolbars/<id>.json with the
// bitmap strip of the same id).
#include "platform/framework/WinTypes.h"

inline constexpr UINT kEnergySelectorToolBar = 1508;
inline constexpr UINT kLoadSelectorToolBar = 1509;
inline constexpr UINT kGraphSectionToolBar = 1510;
inline constexpr UINT kTableSectionToolBar = 1511;
inline constexpr UINT kReportContentToolBar = 1575;
