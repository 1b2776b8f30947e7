#pragma once
// The bins of a calendar's first session whose rows the grid shows: what the calendar tests and
// the calendar benchmark count pictures against.
#include "study/CalendarTableView.h"

#include <vector>

inline std::vector<int> BinsInSight(const CCalendarGrid& grid, const structCalendarBins& bins)
{
    std::vector<int> seen;
    for (int i = 0; i < bins.count; ++i) {
        int col = 0;
        int row = 0;
        grid.BinCell(0, i, col, row);
        if (grid.IsRowSeen(row))
            seen.push_back(i);
    }
    return seen;
}
