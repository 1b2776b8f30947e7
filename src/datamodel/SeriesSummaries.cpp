#include "datamodel/SeriesSummaries.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/FieldSummaries.h"
#include "datamodel/SeriesPass.h"

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

void Take(SWalk& walk, int records)
{
    // Fields of a record list are read record by record, the others through their accessors,
    // chunk by chunk in the same walk.
    std::map<const CDataTable*, std::pair<std::vector<CTrendSeries::SField>, std::vector<SSeriesSummary*>>> fields;
    CSeriesPass pass;
    std::vector<SSeriesSummary*> others;
    for (std::size_t k = 0; k < walk.requests.size(); ++k) {
        const CTrendSeries* series = walk.accesses[k]->GetUnchangedSeries();
        CTrendSeries::SField field{};
        if (series && series->GetField(field)) {
            auto& [specs, summaries] = fields[field.records];
            specs.push_back(field);
            summaries.push_back(&walk.summaries[k]);
            continue;
        }
        pass.Add(*walk.accesses[k], records - 1);
        others.push_back(&walk.summaries[k]);
    }
    {
        std::vector<std::unique_ptr<CFieldSummaries>> folds;
        for (auto& [list, group] : fields)
            folds.push_back(std::make_unique<CFieldSummaries>(*list, group.first, group.second));
        std::vector<const float*> values(others.size());
        pass.Walk(0, records - 1, [&](int first, int count) {
            for (auto& fold : folds)
                fold->Add(first, first + count - 1);
            for (std::size_t k = 0; k < others.size(); ++k)
                values[k] = pass.Column(int(k));
            AddToSummaries(others, values, first, count);
        });
    }
    for (std::size_t k = 0; k < walk.requests.size(); ++k) {
        const SSeriesRequest& request = *walk.requests[k];
        request.item->KeepSeriesSummary(request.quantity, request.phase, request.series, walk.summaries[k]);
    }
}

} // namespace

void TakeSeriesSummaries(std::span<const SSeriesRequest> requests)
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
        Take(walk, records);
    }
}
