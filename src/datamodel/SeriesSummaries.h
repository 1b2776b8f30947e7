#pragma once
// Summaries of whole series of trend items, taken together: one walk over the records serves every
// series a page asks for, and each item keeps what was taken of it.
#include "datamodel/SeriesSummary.h"
#include "platform/framework/WinTypes.h"

#include <span>

class CDataItemTrend;

struct SSeriesRequest
{
    const CDataItemTrend* item;
    DWORD quantity;
    DWORD phase;
    int series; // 0 Min, 1 Avg, 2 Max
};

// Takes the summaries over all their item's records of the requested series that the items do
// not keep yet, in one walk per record count (the items of one data set and record kind share
// their records), and lets the items keep them. A series a channel does not have is passed over.
void TakeSeriesSummaries(std::span<const SSeriesRequest> requests);
