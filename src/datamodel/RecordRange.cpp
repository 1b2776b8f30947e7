#include "datamodel/RecordRange.h"

#include "datamodel/TrendTimeBlock.h"

#include <algorithm>

namespace {
constexpr LONGLONG kEdgeTolerance = kTicksPerSecond / 10;

// The number of records whose time is at or before `ticks` (times ascend).
int RecordsAtOrBefore(const CTrendTimeBlock& block, LONGLONG ticks)
{
    int lo = 0;
    int hi = block.GetRecordCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (block.GetTime(mid).GetTicks() <= ticks)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}
} // namespace

SRecordRange WholeRecordRange(const CTrendTimeBlock& block)
{
    return {0, block.GetRecordCount() - 1};
}

SRecordRange FindRecordRange(const CTrendTimeBlock& block, const CHighTime& begin, const CHighTime& end)
{
    const int count = block.GetRecordCount();
    if (count == 0 || end.GetTicks() < block.GetTime(0).GetTicks() ||
        begin.GetTicks() > block.GetTime(count - 1).GetTicks())
        return {};
    const int first = RecordsAtOrBefore(block, begin.GetTicks() - kEdgeTolerance - 1);
    const int last = std::max(0, RecordsAtOrBefore(block, end.GetTicks() - kEdgeTolerance) - 1);
    if (first > last)
        return {};
    return {first, last};
}
