#pragma once
// What the graph view of a page asks of its overview table beside the refill message: to take the
// statistics of a session's cells together with the series the graph takes its scales from, in
// one walk over the session's records. The table view base implements it.
#include "datamodel/SeriesSummaries.h"

#include <span>

class ILinkedTableView
{
public:
    virtual ~ILinkedTableView() = default;

    // The trend items keep what was taken, for the table's fill and the graph's scales.
    virtual void PrepareStatistics(int session, std::span<const SSeriesRequest> wholeSeries) = 0;
};
