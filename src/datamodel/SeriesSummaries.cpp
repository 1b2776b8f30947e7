#include "datamodel/SeriesSummaries.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/SummaryWalk.h"

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace {

// The series to take of the items of one record count.
struct SWalk
{
    std::vector<std::unique_ptr<CTrendChannel>> channels;
    std::vector<const SSeriesRequest*> requests;
    std::vector<SSeriesSummary> summaries;
    std::vector<const ITrendChannelAccess*> accesses;
};

void Take(SWalk& walk, int records, const SeriesSummaryWalker& walker)
{
    if (walker) {
        walker(walk.accesses, records, walk.summaries);
    } else {
        for (int first = 0; first < records; first += kSummaryStretch) {
            std::vector<SSeriesSummary> stretch(walk.summaries.size());
            CSummaryWalk summaries;
            for (std::size_t k = 0; k < walk.requests.size(); ++k)
                summaries.Summarise(*walk.accesses[k], records - 1, stretch[k]);
            summaries.Walk(first, std::min(records, first + kSummaryStretch) - 1);
            for (std::size_t k = 0; k < walk.requests.size(); ++k)
                walk.summaries[k].Join(stretch[k]);
        }
    }
    for (std::size_t k = 0; k < walk.requests.size(); ++k) {
        const SSeriesRequest& request = *walk.requests[k];
        request.item->KeepSeriesSummary(request.quantity, request.phase, request.series, walk.summaries[k]);
    }
}

} // namespace

void TakeSeriesSummaries(std::span<const SSeriesRequest> requests, const SeriesSummaryWalker& walker)
{
    // Items of the same record count are walked together.
    std::map<int, SWalk> walks;
    std::set<std::tuple<const CDataItemTrend*, DWORD, DWORD, int>> listed;
    for (const SSeriesRequest& request : requests) {
        if (!request.item || request.item->FindSeriesSummary(request.quantity, request.phase, request.series) ||
            !listed.insert({request.item, request.quantity, request.phase, request.series}).second)
            continue;
        auto channel = request.item->GetChannel(request.quantity, request.phase);
        const ITrendChannelAccess* access = channel->GetAccess(request.series);
        if (!access)
            continue;
        SWalk& walk = walks[request.item->GetRecordCount()];
        walk.requests.push_back(&request);
        walk.accesses.push_back(access);
        walk.channels.push_back(std::move(channel));
    }
    for (auto& [records, walk] : walks) {
        walk.summaries.resize(walk.requests.size());
        Take(walk, records, walker);
    }
}
