#pragma once
// The quantity trees of the export dialog, as rows in display order: depth under the root, item
// text and item data. Non-negative data are quantity ids (53 stands for both aux inputs); -1 is
// the root and -2 to -6 mark the groups.
#include <span>

struct SExportTreeRow
{
    int depth;
    const char* text;
    int data;
};

inline constexpr int kExportTreeBothAux = 53;

std::span<const SExportTreeRow> TrendExportTree();
std::span<const SExportTreeRow> DemandExportTree();
