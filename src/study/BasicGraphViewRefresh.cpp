// Channel building, data feeding and the chart rebuild of the graph view base.
#include "study/BasicGraphView.h"

#include "datamodel/RecordRange.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/PowerFactor.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/RegionPrefs.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/TrendAccess.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/WaitCursor.h"
#include "project/RecDoc.h"
#include "study/LinkedTableView.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"
#include "study/SharedSeriesSummaries.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double kWindowSpans = 1.5;
constexpr double kMinimumSamples = 3.0;

COLORREF LighterShade(COLORREF color)
{
    return RGB(BYTE((GetRValue(color) + 2 * 255) / 3), BYTE((GetGValue(color) + 2 * 255) / 3),
               BYTE((GetBValue(color) + 2 * 255) / 3));
}

bool HasStatistic(const CQuantityInfo& info, int statistic)
{
    switch (statistic) {
    case kStatMin: return info.HasMin();
    case kStatMax: return info.HasMax();
    default: return true;
    }
}

} // namespace

std::function<COLORREF(const SFeederChannel&)> CBasicGraphView::ChannelColors() const
{
    const bool distinct = CRegionPrefs::IsDistinctColorMode();
    return [this, distinct](const SFeederChannel& channel) {
        COLORREF color = 0;
        const auto custom = [&](int statistic) {
            return m_settings.FindCustomColor(channel.session, int(channel.quantity), int(channel.phase), statistic, color);
        };
        // A Min without a colour of its own takes its Max's.
        if (custom(channel.statistic) || (channel.statistic == kStatMin && custom(kStatMax)))
            return color;
        // Every channel of its own in the distinct scheme (a Min or Max beside its average);
        // otherwise the region's colour of the phase, lighter for Min and Max.
        if (distinct) {
            const int key = (channel.session * 256 + int(channel.quantity)) * 8 + int(channel.phase);
            color = CRegionPrefs::GetPaletteColor(CRegionPrefs::GetPaletteSlot(key));
        } else {
            color = CRegionPrefs::GetPhaseColor(channel.slot);
        }
        return channel.statistic == kStatAvg ? color : LighterShade(color);
    };
}

void CBasicGraphView::BuildChannels()
{
    const CDataToIOComp::ColorProvider colors = ChannelColors();
    m_feeder->ClearChannels();
    for (int session = 0; session < std::min(m_sessionCount, kMaxPlotXAxes); ++session) {
        if (!m_settings.m_sessions[std::size_t(session)] || !IsSessionCompatible(session))
            continue;
        CQuantityInfo info = SessionQuantities(session);
        for (const SDataItem& item : m_dataItems) {
            if (!info.Select(item.quantity))
                continue;
            // The item's own axis; an aux input the axis of its unit in this session.
            const int yAxis = item.yAxis >= 0 ? item.yAxis : m_feeder->FindAuxAxis(info.GetUnitText(CString()));
            for (int slot = 0; slot < item.phaseSlots; ++slot) {
                // A value the session does not have (a delta session's phase powers) is not drawn
                // for it, whatever the other sessions offer.
                if (!IsItemShown(item.quantity, slot) || !info.IsOffered(PhaseOfSlot(slot)))
                    continue;
                const DWORD phase = DWORD(PhaseOfSlot(slot));
                for (int statistic : {int(kStatAvg), int(kStatMin), int(kStatMax)}) {
                    if (!HasStatistic(info, statistic))
                        continue;
                    SFeederChannel key;
                    key.session = session;
                    key.quantity = item.quantity;
                    key.phase = phase;
                    key.slot = slot;
                    key.statistic = statistic;
                    const int channel =
                        m_feeder->AddChannel(session, GetDataItemName(item, slot), phase, statistic, colors(key));
                    m_feeder->SetChannelQuantity(channel, item.quantity);
                    SFeederChannel* entry = m_feeder->GetChannelEntry(channel);
                    entry->slot = slot;
                    entry->flags = DWORD(std::max(item.row, 0));
                    entry->yAxisName = yAxis >= 0 ? YAxisName(yAxis) : CString();
                }
            }
        }
    }
}

bool CBasicGraphView::FeedSession(int session)
{
    CRecDoc* document = GetDocument();
    CDataSet* set = document->GetDataSet(session);
    const CPlotXAxis* axis = m_chart.GetXAxis(session);
    if (!set || !axis)
        return false;
    const CMeasurementConfig& config = set->GetMeasurementConfig();
    // The data window: one and a half spans either side, or room for three samples of the
    // largest interval when the span holds fewer.
    double intervalDays = 0.0;
    for (const SDataItem& item : m_dataItems) {
        const int seconds = item.useDemandPeriod && m_settings.m_demandPeriod > 0 ? m_settings.m_demandPeriod
                            : item.demandRecords                                 ? int(config.GetDemandInterval())
                                                                                 : int(config.GetAveragingInterval());
        intervalDays = std::max(intervalDays, seconds / 86400.0);
    }
    const double span = axis->GetSpan(); // never 0: the chart refuses empty ranges
    double factor = kWindowSpans;
    if (m_windowedFeeding && intervalDays > 0.0 && span < kMinimumSamples * intervalDays)
        factor = 4.5 * intervalDays / span;
    double windowStart = axis->GetMin() - factor * span;
    double windowEnd = axis->GetMax() + factor * span;
    if (!m_windowedFeeding) {
        windowStart = -1.0e9;
        windowEnd = 1.0e9;
    }
    m_feeding.plotWidth = m_chart.GetLayout().plot.Width();
    m_feeding.halfPixel = span / std::max(1, m_feeding.plotWidth) / 2.0;
    m_feeder->SetDecimationStep(m_windowedFeeding ? m_feeding.halfPixel : 0.0);

    CQuantityInfo info(config);
    // The items of one time block are fed together: its records are read once for all of them.
    std::vector<std::unique_ptr<CTrendChannel>> trends;
    std::vector<std::pair<const CTrendTimeBlock*, std::vector<CRecTrendToIOComp::SChannelFeed>>> blocks;
    for (const SDataItem& item : m_dataItems) {
        if (!info.Select(item.quantity))
            continue;
        const STrendAccessSpec recordAccess = RecordAccessOf(item, config);
        const DWORD itemId = TrendItemForQuantity(config, item.quantity, item.demandRecords);
        if (itemId == kNoTrendItem)
            continue;
        CDataItemTrend* trendItem = m_feeder->ProvideTrendItem(session, itemId, recordAccess);
        if (!trendItem || !trendItem->GetTimeBlock())
            return false;
        const int unitScale = std::max(1, info.GetUnitScale());
        const bool withMinMax = info.HasMin() || info.HasMax();
        const CTrendTimeBlock* block = trendItem->GetTimeBlock();
        auto fed = std::find_if(blocks.begin(), blocks.end(), [&](const auto& b) { return b.first == block; });
        if (fed == blocks.end())
            fed = blocks.insert(blocks.end(), {block, {}});
        for (int channel = 0; channel < m_feeder->GetChannelCount(); ++channel) {
            const SFeederChannel* entry = m_feeder->GetChannelEntry(channel);
            if (entry->session != session || entry->quantity != item.quantity || entry->statistic != kStatAvg)
                continue;
            std::unique_ptr<CTrendChannel> trend = SessionTrendChannel(session, *trendItem, item.quantity, entry->phase);
            if (item.row >= 0 && item.row < CBasicViewSettings::kLimits) {
                float limit = m_settings.m_limits[std::size_t(item.row)] / float(unitScale);
                if (item.quantity == 56 || item.quantity == 57)
                    limit = FoldPowerFactor(limit);
                m_feeder->SetChannelLimit(channel, limit, m_settings.m_isLimit[std::size_t(item.row)]);
            }
            if (trend) {
                fed->second.push_back({channel, trend.get(), withMinMax});
                trends.push_back(std::move(trend));
            }
        }
    }
    for (const auto& [block, feeds] : blocks)
        m_feeder->FeedChannels(feeds, *block, session, windowStart, windowEnd);
    return true;
}

STrendAccessSpec CBasicGraphView::RecordAccessOf(const SDataItem& item, const CMeasurementConfig& config) const
{
    STrendAccessSpec recordAccess{BYTE(item.demandRecords ? 1 : 0), 1};
    if (item.useDemandPeriod && m_settings.m_demandPeriod > 0)
        GetIntervalMultiple(config, m_settings.m_demandPeriod, recordAccess, item.demandRecords);
    return recordAccess;
}

std::unique_ptr<CTrendChannel> CBasicGraphView::SessionTrendChannel(int session, CDataItemTrend& trendItem, DWORD quantity,
                                                                    DWORD phase) const
{
    std::unique_ptr<CTrendChannel> trend = trendItem.GetChannel(quantity, phase);
    if (!trend)
        return trend;
    if (quantity == 54 || quantity == 55) {
        trend->Scale(float(NominalVoltageFactor(session)));
    } else if (quantity == 51 || quantity == 52) {
        const CUserViewSettings* user = GetDocument() ? GetDocument()->GetUserViewSettings() : nullptr;
        float gain = 1.0f;
        float offset = 0.0f;
        if (const SUserSessionSettings* sessionSettings = user ? user->GetSession(session) : nullptr)
            sessionSettings->GetAuxScaling(int(quantity), gain, offset);
        if (gain != 1.0f || offset != 0.0f)
            trend->ScaleOffset(gain, offset);
    } else if (IsFoldedPowerFactorQuantity(int(quantity))) {
        // Plotted as their limits are: a power factor near 1 beside one near -1.
        trend->ApplyFilter(&FoldPowerFactor);
    }
    return trend;
}

void CBasicGraphView::RefreshGraph()
{
    if (!m_feeder)
        return;
    CGraphEventScope scope(*this);
    CChartDrawingScope drawing(m_chart);
    BuildChannels();
    // The axes of the shown channels take their room first: the data is fed at the width it is
    // drawn at. A plot that a layout made narrower or wider still is fed again before anything is
    // drawn, rather than a moment later.
    PlaceChannelAxes();
    m_chart.RecalcLayout();
    FeedAndRebuild();
    if (m_windowedFeeding && m_chart.GetLayout().plot.Width() != m_feeding.plotWidth)
        FeedAndRebuild();
    StopTimer(kFeedTimer);
    if (m_markers.IsShown()) {
        m_markers.Create();
        m_markers.SetRange(m_markers.GetBegin(), m_markers.GetEnd());
        UpdateTimeRangePickers();
    }
    m_notes.Replace();
    // The working hours follow the days the axis now shows; retried until the axis allows them.
    if (m_settings.m_setWorkingHours && !DrawWorkingHours())
        StartTimer(kWorkingHoursTimer);
}

void CBasicGraphView::RemakeTimeRangeMarkers()
{
    if (!m_markers.IsShown())
        return;
    m_markers.Create();
    m_markers.Show(true);
    UpdateTimeRangePickers();
}

void CBasicGraphView::FeedAndRebuild()
{
    {
        CWaitCursor wait;
        for (int session = 0; session < std::min(m_sessionCount, kMaxPlotXAxes); ++session)
            if (m_settings.m_sessions[std::size_t(session)] && IsSessionCompatible(session) && !FeedSession(session))
                break;
    }
    m_settings.SetPresent(true);
    m_feeding.deferred = false;
    RebuildChart();
}

void CBasicGraphView::PlaceChannelAxes()
{
    for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
        m_chart.GetXAxis(i)->SetVisible(i < CBasicViewSettings::kMaxSessions && m_settings.m_sessions[std::size_t(i)]);
    m_feeder->SyncChannels(m_settings, GetViewKind() == 5);
    // Power factors never show a Min/Max envelope.
    for (const SDataItem& item : m_dataItems)
        if (item.row >= 0 && item.row < int(m_settings.m_isMaxMin.size()) && IsPowerFactorQuantity(int(item.quantity)))
            m_settings.m_isMaxMin[std::size_t(item.row)] = false;
    if (m_bookmarkApplied)
        m_feeder->SetAllYAxesManual(false);
    m_feeder->Finish();
}

void CBasicGraphView::RebuildChart()
{
    if (!m_feeder)
        return;
    CGraphEventScope scope(*this);
    CWaitCursor wait;
    PlaceChannelAxes();
    m_chart.AutoScaleYAxes();
    RemakeTimeRangeMarkers();
    m_feeder->Redraw(m_windowedFeeding);
    UpdateXAxisPickers();
    // Axes shown or hidden may change the room the chart needs; otherwise its parts are placed
    // and labelled for the new axes where they stand.
    if (!LayOut())
        ArrangeChart();
}

void CBasicGraphView::UpdateValueScales()
{
    for (int session = 0; session < m_sessionCount; ++session)
        UpdateValueScalesOf(session);
}

void CBasicGraphView::UpdateValueScalesOf(int session)
{
    CRecDoc* document = GetDocument();
    CValueFormatter* formatter = document ? document->GetValueFormatter() : nullptr;
    if (!formatter || session < 0 || session >= m_sessionCount || !IsSessionCompatible(session))
        return;
    const CMeasurementConfig& config = document->GetDataSet(session)->GetMeasurementConfig();
    // The session's series are summarised together, in one walk over its records.
    std::vector<SValueScaleSelection> selections;
    for (const SDataItem& item : m_dataItems) {
        const DWORD itemId = TrendItemForQuantity(config, item.quantity, item.demandRecords);
        if (itemId == kNoTrendItem || !m_feeder)
            continue;
        CDataItemTrend* trendItem = m_feeder->ProvideTrendItem(session, itemId, {BYTE(item.demandRecords ? 1 : 0), 1});
        if (!trendItem)
            continue;
        SValueScaleSelection selection;
        selection.quantity = item.quantity;
        selection.energyTable = item.demandRecords;
        selection.phases = {true, true, true, false, false, true};
        selection.item = trendItem;
        if (item.quantity == 54 || item.quantity == 55)
            formatter->SetApparentPowerScale(session, NominalVoltageFactor(session));
        else
            selections.push_back(selection);
    }
    // The page's overview table takes what its cells need in the same walk.
    if (auto* table = dynamic_cast<ILinkedTableView*>(m_tableView))
        table->PrepareStatistics(session, formatter->SeriesToScale(selections));
    // What it does not take is taken by several threads before the scales read it.
    TakeSeriesSummaries(formatter->SeriesToScale(selections), SharedSummaryWalker());
    formatter->ComputeScalesFromData(selections);
    document->ApplyAuxScaling(session);
}

void CBasicGraphView::GetTimeBlockRange(const CTrendTimeBlock& block, double begin, double end, int& first, int& last)
{
    if (begin < 0.0 && end < 0.0) {
        first = 0;
        last = block.GetRecordCount() - 1;
        return;
    }
    if (begin > end || block.GetRecordCount() == 0) {
        first = last = -1;
        return;
    }
    // The records the time-range tables sum: the same helper decides for both.
    const SRecordRange range = FindRecordRange(block, CHighTime::FromDate(begin), CHighTime::FromDate(end));
    first = range.first;
    last = range.last;
}
