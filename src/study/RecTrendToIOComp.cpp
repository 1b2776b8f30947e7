#include "study/RecTrendToIOComp.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "project/RecDoc.h"
#include "study/PlotNames.h"
#include "study/SeriesFeed.h"

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
    const SChannelFeed feed{channel, &trend, withMinMax};
    FeedChannels({&feed, 1}, block, sessionIndex, windowStart, windowEnd);
}

void CRecTrendToIOComp::FeedChannels(std::span<const SChannelFeed> feeds, const CTrendTimeBlock& block,
                                     int sessionIndex, double windowStart, double windowEnd)
{
    CSeriesFeed feed(block, windowStart, windowEnd, m_decimationStep);
    for (const SChannelFeed& fed : feeds) {
        SFeederChannel* entry = GetChannelEntry(fed.channel);
        if (!entry)
            continue;
        entry->xAxisName = XAxisName(sessionIndex);
        SetFedWindow(sessionIndex, windowStart, windowEnd);
        AddSeries(fed.channel, *fed.trend, feed);
        if (!fed.withMinMax)
            continue;
        for (int i = 0; i < int(m_channels.size()); ++i) {
            SFeederChannel& other = m_channels[std::size_t(i)];
            if (i != fed.channel && other.session == entry->session && other.name == entry->name &&
                other.phase == entry->phase && other.statistic != entry->statistic) {
                other.xAxisName = entry->xAxisName;
                other.quantity = entry->quantity;
                AddSeries(i, *fed.trend, feed);
            }
        }
    }
    feed.Run();
}

void CRecTrendToIOComp::PlaceChannel(int channel, int sessionIndex, double windowStart, double windowEnd)
{
    SFeederChannel* entry = GetChannelEntry(channel);
    CPlotChannel* plot = m_chart ? m_chart->GetChannel(channel) : nullptr;
    if (!entry || !plot)
        return;
    entry->xAxisName = XAxisName(sessionIndex);
    SetFedWindow(sessionIndex, windowStart, windowEnd);
    plot->Clear();
    plot->SetXAxisName(entry->xAxisName);
}

void CRecTrendToIOComp::FeedPoints(CPlotChannel& plot, const ITrendChannelAccess& series, int recordCount,
                                   const CTrendTimeBlock& block, double windowStart, double windowEnd)
{
    plot.Clear();
    CSeriesFeed feed(block, windowStart, windowEnd, 0.0);
    feed.Add(plot, series, recordCount);
    feed.Run();
}

void CRecTrendToIOComp::AddSeries(int channel, const CTrendChannel& trend, CSeriesFeed& feed)
{
    CPlotChannel* plot = m_chart ? m_chart->GetChannel(channel) : nullptr;
    if (!plot)
        return;
    plot->Clear();
    plot->SetXAxisName(m_channels[std::size_t(channel)].xAxisName);
    if (const ITrendChannelAccess* access = trend.GetAccess(m_channels[std::size_t(channel)].statistic))
        feed.Add(*plot, *access, int(trend.GetRecordCount()));
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
    return ProvideTrendItem(m_document, dataSet, itemId, accessSpec);
}

CDataItemTrend* CRecTrendToIOComp::ProvideTrendItem(CRecDoc* document, int dataSet, DWORD itemId,
                                                    const STrendAccessSpec& accessSpec)
{
    CTrendCache* cache = document ? document->GetTrendCache() : nullptr;
    CDataSet* set = document ? document->GetDataSet(dataSet) : nullptr;
    if (!cache || !set)
        return nullptr;
    if (CDataItemTrend* item = cache->FindTrendItem(set, itemId, 0, accessSpec))
        return item;
    return cache->GetTrendItem(set, itemId, 0, accessSpec);
}
