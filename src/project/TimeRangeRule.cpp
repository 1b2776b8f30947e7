#include "project/TimeRangeRule.h"

#include <algorithm>
#include <cmath>
#include <utility>

CHighTime EarliestTimeRangeTime()
{
    return CHighTime(1990, 1, 1, 0, 0, 0);
}

CHighTime LatestTimeRangeTime()
{
    return CHighTime(2050, 1, 1, 0, 0, 0);
}

bool OrderTimeRange(SValueRange& range)
{
    if (!std::isfinite(range.from) || !std::isfinite(range.to))
        return false;
    const double earliest = EarliestTimeRangeTime().GetAsDate();
    const double latest = LatestTimeRangeTime().GetAsDate();
    SValueRange ordered = range;
    if (ordered.from > ordered.to)
        std::swap(ordered.from, ordered.to);
    if (ordered.to < earliest || ordered.from > latest)
        return false;
    range = {std::max(ordered.from, earliest), std::min(ordered.to, latest)};
    return true;
}
