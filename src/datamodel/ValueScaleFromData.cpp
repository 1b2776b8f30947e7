// The scales a view takes from the data it shows.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"

#include <limits>
#include <vector>

namespace
{
// The session group and display interval of an item: a grouped block's interval, else 0.
bool LocateItem(const CDataItemTrend& item, int& group, int& interval)
{
    const CDataSet* dataSet = item.GetDataSet();
    if (!dataSet)
        return false;
    group = dataSet->GetIndex();
    const CTrendTimeBlock* block = item.GetTimeBlock();
    interval = block && block->GetAccessSpec().IsGrouped() ? block->GetIntervalSeconds() : 0;
    return group >= 0 && group < CValueFormatter::kGroupCount;
}

// Every series of the selected phases of the item.
void AddSeriesRequests(const SValueScaleSelection& selection, const CDataItemTrend& item,
                       std::vector<SSeriesRequest>& requests)
{
    for (std::size_t phase = 0; phase < selection.phases.size(); ++phase)
        if (selection.phases[phase])
            for (int series = 0; series < CTrendChannel::kSeriesCount; ++series)
                requests.push_back({&item, selection.quantity, DWORD(phase), series});
}
} // namespace

void CValueFormatter::ComputeScaleFromData(const SValueScaleSelection& selection, const CDataItemTrend& item)
{
    int group = 0, interval = 0;
    if (!LocateItem(item, group, interval) || FindEntry(group, selection.quantity, selection.energyTable, interval))
        return;

    std::vector<SSeriesRequest> requests;
    AddSeriesRequests(selection, item, requests);
    TakeSeriesSummaries(requests);
    // The finite extremes of every series, met in phase and series order.
    float minimum = std::numeric_limits<float>::max();
    float maximum = -std::numeric_limits<float>::max();
    for (const SSeriesRequest& request : requests) {
        const SSeriesSummary* summary = item.FindSeriesSummary(request.quantity, request.phase, request.series);
        if (!summary || summary->finiteCount == 0)
            continue;
        if (summary->minimum < minimum)
            minimum = summary->minimum;
        if (summary->maximum > maximum)
            maximum = summary->maximum;
    }
    if (minimum > maximum)
        minimum = maximum = std::numeric_limits<float>::quiet_NaN();
    RegisterRange(group, interval, selection.quantity, selection.energyTable, minimum, maximum);
}

std::vector<SSeriesRequest> CValueFormatter::SeriesToScale(std::span<const SValueScaleSelection> selections) const
{
    std::vector<SSeriesRequest> requests;
    for (const SValueScaleSelection& selection : selections) {
        int group = 0, interval = 0;
        if (selection.item && LocateItem(*selection.item, group, interval) &&
            !FindScaleEntry(group, selection.quantity, selection.energyTable, interval))
            AddSeriesRequests(selection, *selection.item, requests);
    }
    return requests;
}

void CValueFormatter::ComputeScalesFromData(std::span<const SValueScaleSelection> selections)
{
    TakeSeriesSummaries(SeriesToScale(selections));
    for (const SValueScaleSelection& selection : selections)
        if (selection.item)
            ComputeScaleFromData(selection, *selection.item);
}

int CValueFormatter::GetCommonScale(std::span<const SValueScaleSelection> selections, SValueFormat& format)
{
    int result = -1;
    for (const SValueScaleSelection& selection : selections) {
        int group = 0, interval = 0;
        if (!selection.item || !LocateItem(*selection.item, group, interval))
            continue;
        ComputeScaleFromData(selection, *selection.item);
        SValueFormat scale;
        if (!GetValueFormat(group, selection.quantity, selection.energyTable, interval, 0.0, true, scale))
            continue;
        if (result < 0 || scale.divisor > format.divisor)
            format = scale;
        result = 0;
    }
    return result;
}
