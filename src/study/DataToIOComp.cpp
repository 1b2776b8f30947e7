#include "study/DataToIOComp.h"

#include "project/BasicViewSettings.h"
#include "study/PlotNames.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr DWORD kAuxFirst = 51;
constexpr DWORD kAuxLast = 52;

bool IsPowerFactor(DWORD quantity)
{
    return quantity == 8 || quantity == 9 || quantity == 56 || quantity == 57;
}

} // namespace

CDataToIOComp::CDataToIOComp(CiPlotX* chart) : m_chart(chart) {}

CDataToIOComp::~CDataToIOComp() = default;

void CDataToIOComp::ClearAll()
{
    m_channels.clear();
    m_yAxes.clear();
    if (m_chart) {
        m_chart->RemoveAllChannels();
        m_chart->RemoveAllLimits();
        m_chart->RemoveAllYAxes();
    }
}

int CDataToIOComp::AddChannel(int session, int slot, DWORD flags, DWORD quantity, DWORD phase, bool show,
                              const CString& xAxisName, const CString& yAxisName, const ColorProvider& color)
{
    SFeederChannel channel;
    channel.session = session;
    channel.slot = slot;
    channel.flags = flags;
    channel.quantity = quantity;
    channel.phase = phase;
    channel.shown = show;
    channel.xAxisName = xAxisName.IsEmpty() ? XAxisName(session) : xAxisName;
    channel.yAxisName = yAxisName;
    channel.title.Format("%d: %d/%u", session + 1, int(quantity), unsigned(phase));
    channel.name = channel.title;
    if (color)
        channel.color = color(channel);
    m_channels.push_back(channel);
    if (m_chart)
        m_chart->AddChannel(ChartChannelName(int(m_channels.size()) - 1), channel.xAxisName, yAxisName);
    return int(m_channels.size()) - 1;
}

SFeederChannel* CDataToIOComp::GetChannelEntry(int index)
{
    return index >= 0 && index < int(m_channels.size()) ? &m_channels[std::size_t(index)] : nullptr;
}

const SFeederChannel* CDataToIOComp::GetChannelEntry(int index) const
{
    return index >= 0 && index < int(m_channels.size()) ? &m_channels[std::size_t(index)] : nullptr;
}

int CDataToIOComp::FindChannelEntry(const CString& chartName) const
{
    const CString title = StripChannelSuffix(chartName);
    for (std::size_t i = 0; i < m_channels.size(); ++i)
        if (m_channels[i].title == title)
            return int(i);
    return -1;
}

CString CDataToIOComp::ChartChannelName(int index) const
{
    const SFeederChannel* channel = GetChannelEntry(index);
    return channel ? channel->title + kTrendChannelSuffix : CString();
}

void CDataToIOComp::SyncChannels(const CBasicViewSettings& settings, bool demandView)
{
    for (auto& channel : m_channels) {
        const int row = int(channel.flags);
        bool shown = false;
        if (channel.quantity >= kAuxFirst && channel.quantity <= kAuxLast)
            shown = settings.m_aux[channel.quantity - kAuxFirst];
        else if (row >= 0 && row < CBasicViewSettings::kQuantityGroups && channel.slot >= 0 &&
                 channel.slot < CBasicViewSettings::kChannelPhases)
            shown = settings.m_channels[std::size_t(row)][std::size_t(channel.slot)];
        const bool rowKnown = row >= 0 && row < int(settings.m_isMaxMin.size());
        if (channel.statistic != kStatAvg)
            shown = shown && rowKnown && settings.m_isMaxMin[std::size_t(row)] && !IsPowerFactor(channel.quantity) &&
                    !(demandView && row < 3);
        channel.shown = shown;
        channel.limitShown = shown && channel.statistic == kStatAvg && rowKnown && settings.m_isLimit[std::size_t(row)];
    }
}

void CDataToIOComp::SetYAxis(int index, DWORD quantity, UINT titleId)
{
    if (index < 0)
        return;
    if (index >= int(m_yAxes.size()))
        m_yAxes.resize(std::size_t(index) + 1);
    SYAxisEntry& axis = m_yAxes[std::size_t(index)];
    // The unit belongs to the quantity the axis showed.
    if (axis.quantity != quantity)
        axis.unitText.Empty();
    axis.quantity = quantity;
    axis.titleId = titleId;
    axis.title.LoadString(titleId);
    axis.powerFactor = IsPowerFactor(quantity);
}

void CDataToIOComp::SetYAxes(int count, const DWORD* quantities, const UINT* titleIds, const BOOL* powerFactors)
{
    m_yAxes.clear();
    for (int i = 0; i < count; ++i) {
        SetYAxis(i, quantities[i], titleIds[i]);
        if (powerFactors)
            m_yAxes[std::size_t(i)].powerFactor = powerFactors[i] != FALSE;
    }
}

void CDataToIOComp::SetYAxisUnit(int index, const CString& unit)
{
    if (index >= 0 && index < int(m_yAxes.size()))
        m_yAxes[std::size_t(index)].unitText = unit;
}

void CDataToIOComp::SetYAxisSide(int index, int side)
{
    if (index >= 0 && index < int(m_yAxes.size()))
        m_yAxes[std::size_t(index)].side = side;
}

void CDataToIOComp::AddAuxAxes(int position, const std::vector<CString>& unitTexts)
{
    auto at = m_yAxes.begin() + std::clamp<std::ptrdiff_t>(position + 1, 0, std::ptrdiff_t(m_yAxes.size()));
    for (const CString& unit : unitTexts) {
        SYAxisEntry axis;
        axis.quantity = kAuxAxisQuantity;
        axis.titleId = kAuxAxisTitleId;
        axis.title.LoadString(kAuxAxisTitleId);
        axis.unitText = unit;
        axis.side = 1;
        at = m_yAxes.insert(at, axis) + 1;
    }
}

int CDataToIOComp::FindAuxAxis(const CString& unitText) const
{
    for (std::size_t i = 0; i < m_yAxes.size(); ++i)
        if (m_yAxes[i].quantity == kAuxAxisQuantity && m_yAxes[i].unitText == unitText)
            return int(i);
    return -1;
}

void CDataToIOComp::GetYAxisRange(int index, double& low, double& high) const
{
    low = 0.0;
    high = 1.0;
    if (index >= 0 && index < int(m_yAxes.size()) && m_yAxes[std::size_t(index)].hasRange) {
        low = m_yAxes[std::size_t(index)].low;
        high = m_yAxes[std::size_t(index)].high;
    }
}

void CDataToIOComp::SetYAxisRange(int index, double low, double high)
{
    if (index < 0 || index >= int(m_yAxes.size()) || !CPlotAxis::IsValidRange(low, high - low))
        return;
    SYAxisEntry& axis = m_yAxes[std::size_t(index)];
    axis.low = low;
    axis.high = high;
    axis.hasRange = true;
    if (m_chart && axis.manual)
        m_chart->SetYAxisRange(index, low, high - low);
}

void CDataToIOComp::SetYAxisManual(int index, bool manual)
{
    if (index < 0 || index >= int(m_yAxes.size()))
        return;
    m_yAxes[std::size_t(index)].manual = manual;
    if (CPlotYAxis* axis = m_chart ? m_chart->GetYAxis(index) : nullptr)
        axis->SetManual(manual);
}

void CDataToIOComp::SetAllYAxesManual(bool manual)
{
    for (int i = 0; i < int(m_yAxes.size()); ++i)
        SetYAxisManual(i, manual);
    if (m_chart && !manual)
        m_chart->AutoScaleYAxes();
}

int CDataToIOComp::YAxisOfQuantity(DWORD quantity) const
{
    for (std::size_t i = 0; i < m_yAxes.size(); ++i)
        if (m_yAxes[i].quantity == quantity)
            return int(i);
    return m_yAxes.empty() ? -1 : 0;
}

void CDataToIOComp::SetSessionRange(int session, double first, double last)
{
    if (session < 0)
        return;
    if (session >= int(m_sessionRanges.size()))
        m_sessionRanges.resize(std::size_t(session) + 1);
    m_sessionRanges[std::size_t(session)] = {first, last, true};
}

bool CDataToIOComp::GetSessionRange(int session, double& first, double& last) const
{
    if (session < 0 || session >= int(m_sessionRanges.size()) || !m_sessionRanges[std::size_t(session)].set)
        return false;
    first = m_sessionRanges[std::size_t(session)].first;
    last = m_sessionRanges[std::size_t(session)].last;
    return true;
}

void CDataToIOComp::SetFedWindow(int session, double start, double end)
{
    if (session < 0)
        return;
    if (session >= int(m_fedWindows.size()))
        m_fedWindows.resize(std::size_t(session) + 1);
    m_fedWindows[std::size_t(session)] = {start, end, true};
}

void CDataToIOComp::BuildChart()
{
    if (!m_chart)
        return;
    m_chart->BeginUpdate();
    for (int i = m_chart->GetXAxisCount(); i < kMaxPlotXAxes; ++i)
        m_chart->AddXAxis(XAxisName(i));
    m_chart->RemoveAllYAxes();
    for (std::size_t i = 0; i < m_yAxes.size(); ++i) {
        const SYAxisEntry& entry = m_yAxes[i];
        const int index = m_chart->AddYAxis(YAxisName(int(i)));
        CPlotYAxis& axis = *m_chart->GetYAxis(index);
        axis.SetTitle(entry.unitText.IsEmpty() ? entry.title : entry.title + " [" + entry.unitText + "]");
        axis.SetPosition(entry.side == 1 ? 100.0 : 0.0);
        axis.SetManual(entry.manual);
        if (entry.hasRange)
            axis.SetMinSpan(entry.low, entry.high - entry.low);
    }
    // Axes that no shown channel uses take no room.
    std::vector<bool> used(m_yAxes.size(), false);
    m_chart->RemoveAllLimits();
    for (int i = 0; i < int(m_channels.size()); ++i) {
        SFeederChannel& entry = m_channels[std::size_t(i)];
        const int yAxis = entry.yAxisName.IsEmpty() ? YAxisOfQuantity(entry.quantity) : m_chart->FindYAxis(entry.yAxisName);
        CPlotChannel* channel = m_chart->GetChannel(i);
        if (!channel)
            continue;
        channel->SetName(ChartChannelName(i));
        channel->SetTitle(entry.title);
        channel->SetXAxisName(entry.xAxisName);
        channel->SetYAxisName(yAxis >= 0 ? YAxisName(yAxis) : CString());
        channel->SetColor(entry.color);
        channel->SetVisible(entry.shown);
        if (entry.shown && yAxis >= 0)
            used[std::size_t(yAxis)] = true;
        if (entry.limitShown && yAxis >= 0) {
            SPlotLimit limit;
            limit.name = entry.title + kLimitChannelSuffix;
            limit.kind = EPlotLimitKind::YLine;
            limit.axisName = YAxisName(yAxis);
            limit.position1 = entry.limit;
            limit.color = entry.color;
            limit.style = 1;
            m_chart->AddLimit(limit);
        }
    }
    for (std::size_t i = 0; i < used.size(); ++i)
        m_chart->GetYAxis(int(i))->SetVisible(used[i]);
    m_chart->EndUpdate();
}

void CDataToIOComp::StoreAxisRanges(SCurAxisDetails& details) const
{
    if (!m_chart)
        return;
    details.xAxisCount = std::min(m_chart->GetXAxisCount(), SCurAxisDetails::kMaxXAxes);
    for (int i = 0; i < details.xAxisCount; ++i)
        details.xAxes[std::size_t(i)] = {m_chart->GetXAxis(i)->GetMin(), m_chart->GetXAxis(i)->GetSpan()};
    details.yAxisCount = std::min(m_chart->GetYAxisCount(), SCurAxisDetails::kMaxYAxes);
    for (int i = 0; i < details.yAxisCount; ++i)
        details.yAxes[std::size_t(i)] = {m_chart->GetYAxis(i)->GetMin(), m_chart->GetYAxis(i)->GetSpan()};
}

void CDataToIOComp::RestoreAxisRanges(const SCurAxisDetails& details)
{
    if (!m_chart)
        return;
    for (int i = 0; i < details.xAxisCount && i < m_chart->GetXAxisCount(); ++i)
        m_chart->SetXAxisRange(i, details.xAxes[std::size_t(i)].min, details.xAxes[std::size_t(i)].span);
    for (int i = 0; i < details.yAxisCount && i < m_chart->GetYAxisCount(); ++i) {
        const SAxisRange& range = details.yAxes[std::size_t(i)];
        if (m_chart->SetYAxisRange(i, range.min, range.span) && i < int(m_yAxes.size())) {
            m_yAxes[std::size_t(i)].low = range.min;
            m_yAxes[std::size_t(i)].high = range.min + range.span;
            m_yAxes[std::size_t(i)].hasRange = true;
        }
    }
}

bool CDataToIOComp::ApplyZoom(const CRect& rect)
{
    if (!m_chart || rect.IsRectEmpty())
        return false;
    bool changed = false;
    for (int i = 0; i < m_chart->GetXAxisCount(); ++i) {
        if (!m_chart->GetXAxis(i)->IsVisible())
            continue;
        const double a = m_chart->XPixelToValue(i, rect.left), b = m_chart->XPixelToValue(i, rect.right - 1);
        changed = m_chart->SetXAxisRange(i, a, b - a) || changed;
    }
    for (int i = 0; i < m_chart->GetYAxisCount(); ++i) {
        if (!m_chart->GetYAxis(i)->IsVisible())
            continue;
        const double low = m_chart->YPixelToValue(i, rect.bottom - 1), high = m_chart->YPixelToValue(i, rect.top);
        if (m_chart->SetYAxisRange(i, low, high - low)) {
            SetYAxisManual(i, true);
            SetYAxisRange(i, low, high);
            changed = true;
        }
    }
    return changed;
}

bool CDataToIOComp::OnAxisChange(int axis)
{
    const CPlotXAxis* x = m_chart ? m_chart->GetXAxis(axis) : nullptr;
    if (!x || axis >= int(m_fedWindows.size()) || !m_fedWindows[std::size_t(axis)].set)
        return false;
    const SRange& fed = m_fedWindows[std::size_t(axis)];
    return x->GetMin() < fed.first || x->GetMax() > fed.last;
}

void CDataToIOComp::Reset()
{
    if (!m_chart)
        return;
    for (int i = 0; i < m_chart->GetXAxisCount() && i < int(m_sessionRanges.size()); ++i) {
        const SRange& range = m_sessionRanges[std::size_t(i)];
        if (range.set)
            m_chart->SetXAxisRange(i, range.first, range.last - range.first);
    }
    SetAllYAxesManual(false);
}
