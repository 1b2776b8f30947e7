// Where the notes of a graph view stand: a note keeps the time of its sample, and its marker is
// put on that sample wherever the chart's fed window and decimation leave the chart's points.
#include "study/BasicGraphView.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/RecDoc.h"
#include "study/RecTrendToIOComp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kDaySeconds = 86400.0;

} // namespace

int CBasicGraphView::FindFeederChannel(int session, DWORD quantity, DWORD phase, int statistic) const
{
    if (!m_feeder)
        return -1;
    for (int i = 0; i < m_feeder->GetChannelCount(); ++i) {
        const SFeederChannel* entry = m_feeder->GetChannelEntry(i);
        if (entry->session == session && entry->quantity == quantity && entry->phase == phase &&
            entry->statistic == statistic)
            return i;
    }
    return -1;
}

std::optional<int> CBasicGraphView::NoteSampleOfPoint(int channel, int point) const
{
    const CPlotChannel* plotted = m_chart.GetChannel(channel);
    const int entryIndex = m_feeder && plotted ? m_feeder->FindChannelEntry(plotted->GetName()) : -1;
    const SFeederChannel* entry = m_feeder ? m_feeder->GetChannelEntry(entryIndex) : nullptr;
    CDataSet* set = entry && GetDocument() ? GetDocument()->GetDataSet(entry->session) : nullptr;
    if (m_calendar || !set || point < 0 || point >= plotted->GetCount())
        return std::nullopt;
    const double seconds = (plotted->GetXValue(point) - set->GetFirstRecordTime().GetAsDate()) * kDaySeconds;
    if (!std::isfinite(seconds) || std::fabs(seconds) > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(std::lround(seconds));
}

CNoteAnnotations::SPlace CBasicGraphView::LocateNoteSample(const CNoteAnnotations::SAnchor& anchor) const
{
    CNoteAnnotations::SPlace place;
    place.channel = FindFeederChannel(anchor.session, DWORD(anchor.quantity), DWORD(anchor.phase), anchor.statistic);
    const CPlotChannel* plotted = m_chart.GetChannel(place.channel);
    place.value = std::numeric_limits<double>::quiet_NaN();
    if (!plotted)
        return place;
    if (!anchor.timed) {
        // A note of an older version: the chart point it names.
        if (anchor.sample >= 0 && anchor.sample < plotted->GetCount()) {
            place.x = plotted->GetXValue(anchor.sample);
            place.value = plotted->GetYValue(anchor.sample);
        }
        return place;
    }
    CDataSet* set = GetDocument() ? GetDocument()->GetDataSet(anchor.session) : nullptr;
    const auto item = std::find_if(m_dataItems.begin(), m_dataItems.end(),
                                   [&](const SDataItem& i) { return int(i.quantity) == anchor.quantity; });
    if (!set || item == m_dataItems.end())
        return place;
    const CMeasurementConfig& config = set->GetMeasurementConfig();
    const DWORD itemId = TrendItemForQuantity(config, item->quantity, item->demandRecords);
    CDataItemTrend* trendItem =
        itemId == kNoTrendItem ? nullptr : m_feeder->ProvideTrendItem(anchor.session, itemId, RecordAccessOf(*item, config));
    const CTrendTimeBlock* block = trendItem ? trendItem->GetTimeBlock() : nullptr;
    if (!block)
        return place;
    // The plot point of the block at the sample's time, within half a second.
    const double date = set->GetFirstRecordTime().GetAsDate() + anchor.sample / kDaySeconds;
    const std::vector<STrendTimePoint>& points = block->GetPoints();
    const auto at = std::lower_bound(points.begin(), points.end(), date - 0.5 / kDaySeconds,
                                     [](const STrendTimePoint& p, double d) { return p.date < d; });
    if (at == points.end() || at->record < 0 || std::fabs(at->date - date) * kDaySeconds > 0.5)
        return place;
    const std::unique_ptr<CTrendChannel> trend = SessionTrendChannel(anchor.session, *trendItem, item->quantity, DWORD(anchor.phase));
    const ITrendChannelAccess* series = trend ? trend->GetAccess(anchor.statistic) : nullptr;
    if (!series || at->record >= int(trend->GetRecordCount()))
        return place;
    place.x = at->date;
    place.value = series->GetValue(at->record);
    return place;
}
