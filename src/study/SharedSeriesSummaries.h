#pragma once
// Whole-series summaries taken by several threads at once, for the pages whose scales are not
// taken by their table's statistics.
#include "datamodel/SeriesSummaries.h"
#include "study/WalkThreads.h"

// A walker that shares the stretches of a long run out over up to `walks` threads; a short run is
// walked on the calling thread.
SeriesSummaryWalker SharedSummaryWalker(std::size_t walks = MachineWalks());
