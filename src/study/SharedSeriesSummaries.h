#pragma once
// Whole-series summaries taken by several walks of the records at once, for the pages whose
// scales are not taken by their table's statistics.
#include "datamodel/SeriesSummaries.h"
#include "study/WalkShares.h"

// A walker that shares the series of a long run out over `walks` walks by the cache lines they
// read; a short run is walked on the calling thread.
SeriesSummaryWalker SharedSummaryWalker(std::size_t walks = MachineWalks());
