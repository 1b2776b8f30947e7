#include "views/ColumnWidths.h"

#include "grid/CUGCtrl.h"

#include <algorithm>
#include <cmath>
#include <vector>

void DistributeColumnWidths(CUGCtrl* grid, int first, int last, int totalWidth, const double* weights, int count)
{
    if (!grid || !weights || first > last || count <= 0)
        return;
    const int columns = std::min(last - first + 1, count);
    std::vector<int> widths(std::size_t(columns), 0);
    int pixels = 0;
    for (int i = 0; i < columns; ++i)
        if (weights[i] > 1.0)
            pixels += widths[std::size_t(i)] = int(weights[i]);
    const int remaining = std::max(0, totalWidth - pixels);
    int lastUnassigned = -1;
    int shared = 0;
    for (int i = 0; i < columns; ++i) {
        if (weights[i] > 0.0 && weights[i] <= 1.0)
            shared += widths[std::size_t(i)] = int(std::floor(remaining * weights[i]));
        else if (weights[i] <= 0.0)
            lastUnassigned = i;
    }
    if (lastUnassigned >= 0)
        widths[std::size_t(lastUnassigned)] = std::max(0, remaining - shared);
    for (int i = 0; i < columns; ++i)
        grid->SetColWidth(first + i, std::max(0, widths[std::size_t(i)]));
}
