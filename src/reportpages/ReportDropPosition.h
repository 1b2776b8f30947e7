#pragma once
// Where an item dragged over the report content would go, and how the items move when it is
// dropped there.
#include "platform/framework/windows/Geometry.h"

#include <algorithm>
#include <vector>

struct SReportDropPosition
{
    static constexpr int kEdgeDistance = 7;

    bool inside = false; // the point is in the view's client area
    bool valid = false;  // and near a place between items
    int position = -1;   // the place the item would take
    int lineY = 0;       // where the drop line goes
};

// The grids' rectangles in report order, in client coordinates of the view.
SReportDropPosition FindDropPosition(const std::vector<CRect>& grids, CPoint clientPoint, const CRect& client);

// Moves the item at place `from` to the drop place `to`: after items that stood before `to`
// when it came from above, else at `to`.
template <typename Item>
void MoveReportItem(std::vector<Item>& items, int from, int to)
{
    const int count = int(items.size());
    if (from < 0 || from >= count || to < 0 || to > count)
        return;
    if (from < to)
        std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + to);
    else if (to < from)
        std::rotate(items.begin() + to, items.begin() + from, items.begin() + from + 1);
}
