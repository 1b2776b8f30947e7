#pragma once
// Summaries of whole series of trend items, taken together: one walk over the records serves every
// series a page asks for, and each item keeps what was taken of it.
#include "datamodel/SeriesSummary.h"
#include "platform/framework/WinTypes.h"

#include <functional>
#include <span>

class CDataItemTrend;
class ITrendChannelAccess;

struct SSeriesRequest
{
    const CDataItemTrend* item;
    DWORD quantity;
    DWORD phase;
    int series; // 0 Min, 1 Avg, 2 Max
};

// Summarises each series over records 0 .. records - 1 into the summary at its place. The
// accessors are all made before it is called: a walker may read them on several threads.
using SeriesSummaryWalker = std::function<void(std::span<const ITrendChannelAccess* const> series, int records,
                                               std::span<SSeriesSummary> summaries)>;

// Takes the summaries over all their item's records of the requested series that the items do
// not keep yet, in one walk per record count (the items of one data set and record kind share
// their records; `walker` walks them, one walk on this thread when empty), and lets the items
// keep them. A series a channel does not have is passed over.
void TakeSeriesSummaries(std::span<const SSeriesRequest> requests, const SeriesSummaryWalker& walker = {});
