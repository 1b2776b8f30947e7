#include "datamodel/RecordRange.h"

#include "datamodel/TrendTimeBlock.h"

namespace {
constexpr LONGLONG kEdgeTolerance = kTicksPerSecond / 10;

// The last record whose time is at or before `ticks`; 0 when none is (times ascend).
int RecordAtOrBefore(const CTrendTimeBlock& block, LONGLONG ticks)
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
    return lo > 0 ? lo - 1 : 0;
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
    const int first = RecordAtOrBefore(block, begin.GetTicks() + kEdgeTolerance);
    const int last = RecordAtOrBefore(block, end.GetTicks() - kEdgeTolerance);
    if (first > last)
        return {};
    return {first, last};
}
