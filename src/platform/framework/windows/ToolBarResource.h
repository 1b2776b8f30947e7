#pragma once
// Toolbar resources: the commands of a toolbar's buttons, in order, and the bitmap strip that
// holds their images (one image per command, separators take none). Each is a JSON file
// resources/toolbars/<id>.json:
//
//   { "id": 1510, "bitmap": 1510, "imageSize": [16, 15], "buttonSize": [23, 22],
//     "buttons": [33047, 33070, 0, 33048, ...] }      // 0 is a separator
//
// The strip is resources/bitmaps/<bitmap>.png (or .bmp); magenta pixels are transparent.
#include "platform/framework/windows/WinDefs.h"

#include <optional>
#include <vector>

inline constexpr UINT ID_SEPARATOR = 0;

struct ToolBarResource
{
    UINT id = 0;
    UINT bitmap = 0;
    CSize imageSize{16, 15};
    CSize buttonSize{23, 22};
    std::vector<UINT> buttons;
};

std::optional<ToolBarResource> LoadToolBarResource(UINT id);
