#include "study/SharedSeriesSummaries.h"

#include "study/FigureWalk.h"

#include <algorithm>
#include <vector>

SeriesSummaryWalker SharedSummaryWalker(std::size_t walks)
{
    return [walks](std::span<const ITrendChannelAccess* const> series, int records, std::span<SSeriesSummary> summaries) {
        const std::size_t used = records >= kSharedWalkRecords ? std::clamp<std::size_t>(walks, 1, kMostWalks) : 1;
        std::vector<SWalkReads> reads(series.size());
        for (std::size_t k = 0; k < series.size(); ++k)
            reads[k].Add(*series[k]);
        const std::vector<std::size_t> shares = ShareOutWalks(reads, used);
        std::vector<CFigureWalk> figureWalks(used);
        for (std::size_t k = 0; k < series.size(); ++k)
            figureWalks[shares[k]].Summarise(*series[k], records - 1, summaries[k]);
        CFigureWalk::WalkAll(figureWalks, 0);
    };
}
