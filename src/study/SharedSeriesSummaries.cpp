#include "study/SharedSeriesSummaries.h"

#include "study/FigureWalk.h"

#include <algorithm>

SeriesSummaryWalker SharedSummaryWalker(std::size_t walks)
{
    return [walks](std::span<const ITrendChannelAccess* const> series, int records, std::span<SSeriesSummary> summaries) {
        CFigureWalk walk;
        for (std::size_t k = 0; k < series.size(); ++k)
            walk.Summarise(*series[k], records - 1, summaries[k]);
        walk.Walk(0, std::clamp<std::size_t>(walks, 1, kMostWalks));
    };
}
