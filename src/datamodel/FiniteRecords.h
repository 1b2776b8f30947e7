#pragma once
// The records at which any of several series holds a finite value, as the tables count the valid
// averaging intervals of a session.
#include "datamodel/SeriesSummaries.h"

#include <span>
#include <vector>

// Marks each record 0 .. marked.size() - 1 at which one of the series is finite (a series marks at
// most its item's records). A series its item knows to be finite at every record (from a kept
// summary) marks them all without reading a value; otherwise all series are read in one walk.
void MarkFiniteRecords(std::span<const SSeriesRequest> series, std::vector<bool>& marked);
