#include "study/RecTrendToIOComp.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/SeriesReader.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/RecDoc.h"
#include "study/PlotNames.h"

#include <algorithm>
#include <cmath>

namespace {

const char* StatisticSuffix(int statistic)
{
    switch (statistic) {
    case kStatMin: return " Min";
    case kStatMax: return " Max";
    default: return "";
    }
}

} // namespace

CRecTrendToIOComp::CRecTrendToIOComp(CiPlotX* chart, CRecDoc* document, int, int)
    : CDataToIOComp(chart), m_document(document)
{
}

void CRecTrendToIOComp::ClearChannels()
{
    m_channels.clear();
    m_fedWindows.clear();
    if (m_chart) {
        m_chart->RemoveAllChannels();
        m_chart->RemoveAllLimits();
    }
}

int CRecTrendToIOComp::AddChannel(int session, const CString& name, DWORD phase, int statistic, COLORREF color)
{
    SFeederChannel channel;
    channel.session = session;
    channel.phase = phase;
    channel.statistic = statistic;
    channel.name = name;
    channel.title.Format("%d: ", session + 1);
    channel.title += name + StatisticSuffix(statistic);
    channel.xAxisName = XAxisName(session);
    channel.color = color;
    m_channels.push_back(channel);
    const int index = int(m_channels.size()) - 1;
    if (m_chart)
        m_chart->AddChannel(ChartChannelName(index), channel.xAxisName, CString());
    return index;
}

void CRecTrendToIOComp::SetChannelLimit(int channel, float value, bool shown)
{
    if (SFeederChannel* entry = GetChannelEntry(channel)) {
        entry->limit = value;
        entry->limitShown = shown;
    }
}

void CRecTrendToIOComp::SetChannelQuantity(int channel, DWORD quantity)
{
    if (SFeederChannel* entry = GetChannelEntry(channel))
        entry->quantity = quantity;
}

DWORD CRecTrendToIOComp::GetChannelQuantity(int channel) const
{
    const SFeederChannel* entry = GetChannelEntry(channel);
    return entry ? entry->quantity : kNoQuantity;
}

void CRecTrendToIOComp::FeedChannel(int channel, const CTrendChannel& trend, const CTrendTimeBlock& block,
                                    bool withMinMax, int sessionIndex, double windowStart, double windowEnd)
{
    SFeederChannel* entry = GetChannelEntry(channel);
    if (!entry)
        return;
    entry->xAxisName = XAxisName(sessionIndex);
    SetFedWindow(sessionIndex, windowStart, windowEnd);
    FeedSeries(channel, trend, block, windowStart, windowEnd);
    if (!withMinMax)
        return;
    for (int i = 0; i < int(m_channels.size()); ++i) {
        const SFeederChannel& other = m_channels[std::size_t(i)];
        if (i != channel && other.session == entry->session && other.name == entry->name && other.phase == entry->phase &&
            other.statistic != entry->statistic) {
            m_channels[std::size_t(i)].xAxisName = entry->xAxisName;
            m_channels[std::size_t(i)].quantity = entry->quantity;
            FeedSeries(i, trend, block, windowStart, windowEnd);
        }
    }
}

void CRecTrendToIOComp::FeedSeries(int channel, const CTrendChannel& trend, const CTrendTimeBlock& block, double start,
                                   double end)
{
    CPlotChannel* plot = m_chart ? m_chart->GetChannel(channel) : nullptr;
    const ITrendChannelAccess* access = trend.GetAccess(m_channels[std::size_t(channel)].statistic);
    if (!plot)
        return;
    plot->Clear();
    plot->SetXAxisName(m_channels[std::size_t(channel)].xAxisName);
    if (!access)
        return;
    const std::vector<STrendTimePoint>& points = block.GetPoints();
    // From the last point before the window to the first one after it.
    auto first = std::lower_bound(points.begin(), points.end(), start,
                                  [](const STrendTimePoint& p, double d) { return p.date < d; });
    auto last = std::upper_bound(points.begin(), points.end(), end,
                                 [](double d, const STrendTimePoint& p) { return d < p.date; });
    if (first != points.begin())
        --first;
    if (last != points.end())
        ++last;
    const int records = int(trend.GetRecordCount());
    CSeriesReader values(*access, records);
    const double step = m_decimationStep;
    // Fewer samples than two per step: every one is fed.
    if (!(step > 0.0) || double(last - first) <= 2.0 * (end - start) / step) {
        plot->Reserve(std::size_t(last - first));
        for (auto p = first; p != last; ++p) {
            if (p->record < 0 || p->record >= records)
                plot->AddGap(p->date);
            else
                plot->AddXY(p->date, values[p->record]);
        }
        return;
    }
    // One bucket per step: its first, lowest, highest and last sample in their own order; a gap
    // closes the bucket so that the line breaks where it did.
    struct SSample
    {
        double date;
        float value;
        int order;
    };
    SSample bucket[4];
    int bucketCount = 0;
    long long bucketIndex = 0;
    int order = 0;
    auto flush = [&] {
        if (bucketCount == 0)
            return;
        std::sort(bucket, bucket + bucketCount, [](const SSample& a, const SSample& b) { return a.order < b.order; });
        for (int i = 0; i < bucketCount; ++i)
            if (i == 0 || bucket[i].order != bucket[i - 1].order)
                plot->AddXY(bucket[i].date, bucket[i].value);
        bucketCount = 0;
    };
    for (auto p = first; p != last; ++p, ++order) {
        if (p->record < 0 || p->record >= records) {
            flush();
            plot->AddGap(p->date);
            continue;
        }
        const float value = values[p->record];
        const long long index = (long long)std::floor((p->date - start) / step);
        if (bucketCount > 0 && index != bucketIndex)
            flush();
        const SSample sample{p->date, value, order};
        if (bucketCount == 0) {
            bucketIndex = index;
            bucket[0] = bucket[1] = bucket[2] = bucket[3] = sample; // first, lowest, highest, last
            bucketCount = 4;
            continue;
        }
        // A value that is not finite is kept as the bucket's lowest and highest alike.
        if (!(value >= bucket[1].value))
            bucket[1] = sample;
        if (!(value <= bucket[2].value))
            bucket[2] = sample;
        bucket[3] = sample;
    }
    flush();
}

void CRecTrendToIOComp::Finish()
{
    BuildChart();
}

void CRecTrendToIOComp::SetAxisTitle(int axis, const CString& title)
{
    if (axis >= 0 && axis < int(m_yAxes.size()))
        m_yAxes[std::size_t(axis)].title = title;
    if (CPlotYAxis* y = m_chart ? m_chart->GetYAxis(axis) : nullptr)
        y->SetTitle(title);
}

void CRecTrendToIOComp::SetCursorStyle(bool on)
{
    if (!m_chart)
        return;
    for (int i = 0; i < CiPlotX::kCursorCount; ++i)
        m_chart->GetCursor(i).style = on ? (i == 0 ? 3 : 4) : 0;
}

void CRecTrendToIOComp::ZoomAll(double factor)
{
    if (!m_chart)
        return;
    for (int i = 0; i < m_chart->GetXAxisCount(); ++i) {
        const CPlotXAxis* axis = m_chart->GetXAxis(i);
        if (!axis->IsVisible())
            continue;
        const double centre = axis->GetMin() + axis->GetSpan() / 2, span = axis->GetSpan() * factor;
        m_chart->SetXAxisRange(i, centre - span / 2, span);
    }
    m_chart->Repaint();
}

void CRecTrendToIOComp::ZoomIn()
{
    ZoomAll(0.5);
}

void CRecTrendToIOComp::ZoomOut()
{
    ZoomAll(2.0);
}

void CRecTrendToIOComp::Redraw(bool windowed)
{
    if (!m_chart)
        return;
    // Unwindowed feeding holds all data: nothing can fall outside what was fed.
    if (!windowed)
        m_fedWindows.clear();
    m_chart->RefreshCursorReadouts();
    m_chart->Repaint();
}

CDataItemTrend* CRecTrendToIOComp::ProvideTrendItem(int dataSet, DWORD itemId, const STrendAccessSpec& accessSpec) const
{
    CTrendCache* cache = m_document ? m_document->GetTrendCache() : nullptr;
    CDataSet* set = m_document ? m_document->GetDataSet(dataSet) : nullptr;
    if (!cache || !set)
        return nullptr;
    if (CDataItemTrend* item = cache->FindTrendItem(set, itemId, 0, accessSpec))
        return item;
    return cache->GetTrendItem(set, itemId, 0, accessSpec);
}
