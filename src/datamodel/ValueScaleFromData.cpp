// The scales a view takes from the data it shows.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/SeriesMinMax.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"

#include <limits>

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
} // namespace

void CValueFormatter::ComputeScaleFromData(const SValueScaleSelection& selection, const CDataItemTrend& item)
{
    int group = 0, interval = 0;
    if (!LocateItem(item, group, interval) || FindEntry(group, selection.quantity, selection.energyTable, interval))
        return;

    float minimum = std::numeric_limits<float>::max();
    float maximum = -std::numeric_limits<float>::max();
    for (std::size_t phase = 0; phase < selection.phases.size(); ++phase) {
        if (!selection.phases[phase])
            continue;
        const std::unique_ptr<CTrendChannel> channel = item.GetChannel(selection.quantity, DWORD(phase));
        if (!channel)
            continue;
        for (int series = 0; series < CTrendChannel::kSeriesCount; ++series) {
            if (const ITrendChannelAccess* access = channel->GetAccess(series))
                ScanSeriesMinMax(*access, int(channel->GetRecordCount()), minimum, maximum);
        }
    }
    if (minimum > maximum)
        minimum = maximum = std::numeric_limits<float>::quiet_NaN();
    RegisterRange(group, interval, selection.quantity, selection.energyTable, minimum, maximum);
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
