#include "datamodel/FiniteRecords.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/SeriesPass.h"

#include <algorithm>
#include <cmath>
#include <memory>

void MarkFiniteRecords(std::span<const SSeriesRequest> series, std::vector<bool>& marked)
{
    const int records = int(marked.size());
    for (const SSeriesRequest& request : series) {
        const SSeriesSummary* kept = request.item->FindSeriesSummary(request.quantity, request.phase, request.series);
        if (kept && kept->finiteCount == request.item->GetRecordCount() && kept->finiteCount >= records) {
            std::fill(marked.begin(), marked.end(), true);
            return;
        }
    }
    CSeriesPass pass;
    std::vector<std::unique_ptr<CTrendChannel>> channels;
    std::vector<int> lasts;
    for (const SSeriesRequest& request : series) {
        auto channel = request.item->GetChannel(request.quantity, request.phase);
        const ITrendChannelAccess* access = channel->GetAccess(request.series);
        if (!access)
            continue;
        lasts.push_back(std::min(records, int(channel->GetRecordCount())) - 1);
        pass.Add(*access, lasts.back());
        channels.push_back(std::move(channel));
    }
    const int walkLast = lasts.empty() ? -1 : *std::max_element(lasts.begin(), lasts.end());
    pass.Walk(0, walkLast, [&](int first, int count) {
        for (int k = 0; k < int(lasts.size()); ++k) {
            const float* values = pass.Column(k);
            for (int i = 0; i < std::min(count, lasts[std::size_t(k)] - first + 1); ++i)
                if (std::isfinite(values[i]))
                    marked[std::size_t(first + i)] = true;
        }
    });
}
