#include "datamodel/RecordRange.h"

#include "datamodel/TrendTimeBlock.h"

namespace {
constexpr LONGLONG kEdgeTolerance = kTicksPerSecond / 10;

// The first index in [0, count] whose time is not before `ticks` (times ascend).
int LowerBound(const CTrendTimeBlock& block, LONGLONG ticks)
{
    int lo = 0;
    int hi = block.GetRecordCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (block.GetTime(mid).GetTicks() < ticks)
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
    const int first = LowerBound(block, begin.GetTicks() - kEdgeTolerance);
    const int last = LowerBound(block, end.GetTicks() + kEdgeTolerance + 1) - 1;
    if (first > last)
        return {};
    return {first, last};
}
