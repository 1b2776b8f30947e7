// Placement of the chart and its axis controls, the axis labels, the scale tooltip bands, the
// cursor extension markers and the cursor readout text of the graph view base.
#include "study/BasicGraphView.h"

#include "datamodel/AxisTickLabels.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/IntervalText.h"
#include "datamodel/TrendAccess.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/PlotNames.h"
#include "study/RecTrendToIOComp.h"
#include "study/XAxisTimeLabels.h"
#include "views/SplitFrame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kFormButtonHeight = 24;
constexpr int kFormButtonWidth = 110;
constexpr int kScrollButtonWidth = 12;
constexpr int kLabelButtonWidth = 18;
constexpr int kAxisButtonHeight = 21;
constexpr int kCouplingWidth = 22;
constexpr int kCouplingHeight = 24;
constexpr int kLayoutTolerance = 10;
constexpr double kPowerFactorTop = 1.000000000001;
constexpr double kPowerFactorSlack = 1.000001;
constexpr COLORREF kSessionOneColor = RGB(255, 0, 0);
constexpr COLORREF kOtherSessionColor = RGB(0, 0, 255);
constexpr COLORREF kScrollFace = 0x0EC2FF;
constexpr char kHarmonicSuppressionChannel[] = "HarmDataSuppression";
const char* const kExtensionMarkers[2][4] = {{"CurExtMarkerT1", "CurExtMarkerB1", "CurExtMarker1", "CurExtLine1"},
                                             {"CurExtMarkerT2", "CurExtMarkerB2", "CurExtMarker2", "CurExtLine2"}};

// Top edge, bottom edge, value, line (the line needs no glyph of its own on this chart: the
// cursor draws it).
const char* const kExtensionMarkerGlyphs[4] = {"\u25BC", "\u25B2", "\u25C6", ""};

bool IsPowerFactorAxis(DWORD quantity)
{
    return quantity == 8 || quantity == 9 || quantity == 56 || quantity == 57;
}

} // namespace

void CBasicGraphView::CreateChildren()
{
    m_chart.Create(CRect(0, kFormButtonHeight, 400, 400), this, kGraphChartId);
    m_formButton.Create("Graph options", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, kFormButtonWidth, kFormButtonHeight),
                        this, kGraphOptionsButton);
    m_formButton.SetupBitmapButton(1542, kScrollFace, kScrollFace, TRUE);
    m_axisControls.font.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    for (int group = 0; group < SAxisControlBlock::kGroups; ++group) {
        auto make = [this](const CString& text, UINT id, int width, UINT bitmap) {
            auto button = std::make_unique<CButtonST>();
            button->Create(text, WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, width, kAxisButtonHeight), this, id);
            button->SetFont(&m_axisControls.font);
            if (bitmap)
                button->SetupBitmapButton(bitmap, kScrollFace, 0, TRUE);
            return button;
        };
        CString number;
        number.Format("%d", group + 1);
        auto& label = m_axisControls.labels[std::size_t(group)];
        label = make(number, kFirstAxisLabelButton + UINT(group), kLabelButtonWidth, 0);
        label->SetFlatColors(group == 0 ? kSessionOneColor : kOtherSessionColor, group == 0 ? kSessionOneColor : kOtherSessionColor);
        label->SetTextColor(RGB(255, 255, 255));
        m_axisControls.scrollBack[std::size_t(group)] = make("<", kFirstScrollBackButton + UINT(group), kScrollButtonWidth, 1548);
        m_axisControls.scrollForward[std::size_t(group)] =
            make(">", kFirstScrollForwardButton + UINT(group), kScrollButtonWidth, 1549);
    }
    m_axisControls.coupling = std::make_unique<CButtonST>();
    m_axisControls.coupling->Create("=", WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, kCouplingWidth, kCouplingHeight), this,
                                    kAxisCouplingButton);
    m_axisControls.coupling->SetupBitmapButton(1563, RGB(255, 255, 255), 0, TRUE);
    m_axisControls.groupCount = SAxisControlBlock::kGroups;
    // The chart at the bottom of the z-order, the buttons over it.
    m_chart.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const CString format = ExpandDateTimeFormat(8066);
    for (int i = 0; i < kMaxPlotXAxes; ++i)
        if (m_chart.FindXAxis(XAxisName(i)) < 0)
            m_chart.AddXAxis(XAxisName(i));
    for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
        m_chart.GetXAxis(i)->SetLabelFormat([format](double date) { return CHighTime::FromDate(date).Format(format.GetString(), true); });
    m_scaleTooltips.Create(this, &m_chart);
}

void CBasicGraphView::RecalcLayout()
{
    LayOut();
}

bool CBasicGraphView::LayOut()
{
    // The scroll bar coming or going resizes the view while it is laid out.
    if (!GetSafeHwnd() || !m_chart.GetSafeHwnd() || m_inLayout)
        return false;
    if (!IsReady()) {
        ShowWindow(SW_HIDE);
        return false;
    }
    CRect client;
    GetClientRect(&client);
    // The room the axes take as they now are (an axis shown or hidden since moves the buttons).
    m_chart.RecalcLayout();
    const int reserved = m_chart.GetReservedHeight();
    // Small size changes keep the layout.
    if (client.Height() <= 0 ||
        (std::abs(client.Width() - m_storedSize.cx) < kLayoutTolerance &&
         std::abs(client.Height() - m_storedSize.cy) < kLayoutTolerance && reserved == m_reservedHeight))
        return false;
    m_storedSize = client.Size();
    m_reservedHeight = reserved;
    m_inLayout = true;
    SetRedraw(FALSE);
    // The bar's own state: the page may not show yet while it is laid out.
    const bool barVisible = m_dialogBar && m_dialogBar->GetSafeHwnd() && (m_dialogBar->GetStyle() & WS_VISIBLE);
    m_formButton.ShowWindow(!barVisible && !m_capturing ? SW_SHOW : SW_HIDE);
    int top = kFormButtonHeight - 6;
    const int harmonic = m_chart.FindChannel(kHarmonicSuppressionChannel);
    if (harmonic >= 0 && m_chart.GetChannel(harmonic)->IsVisible())
        top -= 13;
    // The chart fills the section: the plot with its axes stays in sight however small the
    // window (the options bar beside it scrolls instead).
    const int height = std::max(1, client.Height() - top);
    const int width = std::max(1, client.Width());
    m_chart.MoveWindow(0, top, width, height);
    m_chart.SetPictureSize(width, height);
    ArrangeChart();
    // The data is fed again at the resolution of a new width (the height takes the same data).
    if (m_windowedFeeding && !m_feeding.deferred && !m_updating && m_chart.GetLayout().plot.Width() != m_feeding.plotWidth)
        StartTimer(kFeedTimer);
    SetRedraw(TRUE);
    m_inLayout = false;
    RedrawWindow();
    ShowWindow(SW_SHOW);
    return true;
}

void CBasicGraphView::ArrangeChart()
{
    m_chart.RecalcLayout();
    PlaceAxisControls();
    m_tooltipBands = LayoutScaleTooltips(m_chart);
    m_scaleTooltips.Place(m_tooltipBands, m_chart);
    PlaceCursorExtensionMarkers();
    m_notes.Replace();
    m_markers.Replace(); // their labels kept apart at the new size
    if (m_calendar)
        m_labelParity.fill(-1);
    for (int i = 0; i < m_chart.GetXAxisCount(); ++i)
        CustomXAxis(i);
    LabelYAxes();
    m_chart.Repaint();
}

void CBasicGraphView::PlaceAxisControls()
{
    if (m_axisControls.groupCount == 0)
        return;
    CRect chartRect;
    m_chart.GetWindowRect(&chartRect);
    ScreenToClient(&chartRect);
    const SPlotLayout& layout = m_chart.GetLayout();
    bool anyVisible = false;
    for (int group = 0; group < SAxisControlBlock::kGroups; ++group) {
        const bool visible = group < m_chart.GetXAxisCount() && m_chart.GetXAxis(group)->IsVisible() &&
                             std::size_t(group) < layout.xAxisBands.size();
        CWnd* buttons[] = {m_axisControls.labels[std::size_t(group)].get(), m_axisControls.scrollBack[std::size_t(group)].get(),
                           m_axisControls.scrollForward[std::size_t(group)].get()};
        if (!visible) {
            for (CWnd* button : buttons)
                button->ShowWindow(SW_HIDE);
            continue;
        }
        anyVisible = true;
        // Left of the axis band, its bottom 3 px above the band's bottom.
        const CRect& band = layout.xAxisBands[std::size_t(group)];
        const int bottom = chartRect.top + band.bottom - 3;
        int x = chartRect.left + std::max(0, band.left - kLabelButtonWidth - 2 * kScrollButtonWidth - 2);
        const int widths[] = {kLabelButtonWidth, kScrollButtonWidth, kScrollButtonWidth};
        for (int k = 0; k < 3; ++k) {
            buttons[k]->MoveWindow(x, bottom - kAxisButtonHeight, widths[k], kAxisButtonHeight);
            buttons[k]->ShowWindow(SW_SHOW);
            x += widths[k];
        }
    }
    if (m_axisControls.coupling) {
        m_axisControls.coupling->MoveWindow(chartRect.left + 2, chartRect.top + layout.plot.bottom + 2, kCouplingWidth,
                                            kCouplingHeight);
        m_axisControls.coupling->ShowWindow(anyVisible ? SW_SHOW : SW_HIDE);
    }
}

void CBasicGraphView::CustomXAxis(int index, double minimum, double maximum)
{
    CPlotXAxis* axis = m_chart.GetXAxis(index);
    if (!axis)
        return;
    if (minimum < 0.0)
        minimum = axis->GetMin();
    if (maximum < 0.0)
        maximum = axis->GetMax();
    const CString format = m_feeder && !m_feeder->GetDateTimeFormat().IsEmpty() ? m_feeder->GetDateTimeFormat()
                                                                                 : ExpandDateTimeFormat(8066);
    SXAxisLabelRequest request;
    request.minimum = minimum;
    request.maximum = maximum;
    const int plotWidth = std::max(1, m_chart.GetLayout().plot.Width());
    double available = (maximum - minimum) / axis->GetSpan() * plotWidth;
    if (!(available > 0.0) || available > m_chart.GetPictureSize().cx)
        available = m_chart.GetPictureSize().cx;
    request.availableWidth = available;
    CString sample = CHighTime(2012, 12, 30, 0, 0, 0).Format(format.GetString());
    request.labelWidth = 8.0 * sample.GetLength();
    if (CDC* dc = m_chart.GetSafeHwnd() ? m_chart.GetDC() : nullptr) {
        request.labelWidth = dc->GetTextExtent(sample).cx;
        m_chart.ReleaseDC(dc);
    }
    request.timeFormat = format;
    int evenParity = 0;
    request.parity = m_calendar ? &m_labelParity[std::size_t(std::clamp(index, 0, 3))] : &evenParity;
    BuildXAxisTimeLabels(*axis, request);
}

void CBasicGraphView::LabelYAxes()
{
    if (!m_feeder)
        return;
    const CRecDoc* document = GetDocument();
    const CValueFormatter* formatter = document ? document->GetValueFormatter() : nullptr;
    const auto& entries = m_feeder->GetYAxes();
    for (int i = 0; i < std::min(int(entries.size()), m_chart.GetYAxisCount()); ++i) {
        CPlotYAxis* axis = m_chart.GetYAxis(i);
        const SYAxisEntry& entry = entries[std::size_t(i)];
        if (!axis->IsVisible())
            continue;
        if (IsPowerFactorAxis(entry.quantity) || entry.powerFactor) {
            if (!axis->IsManual()) {
                m_chart.SetYAxisRange(i, -1.0, 2.0);
                axis->SetManual(true);
            } else if (axis->GetMin() < -kPowerFactorSlack || axis->GetMax() > kPowerFactorSlack || !(axis->GetSpan() > 0.0)) {
                m_chart.SetYAxisRange(i, -1.0, kPowerFactorTop + 1.0);
            }
            continue;
        }
        std::vector<SAxisTickLabel> ticks;
        const int tickCount = m_chart.GetLayout().plot.Height() / 40;
        SValueFormat scale;
        if (!formatter || BuildAxisTickLabels(*formatter, entry.quantity, scale, axis->GetMin(), axis->GetMax(), tickCount, ticks) != 0 ||
            ticks.empty()) {
            axis->SetCustomLabels(false);
            continue;
        }
        axis->SetCustomLabels(true);
        axis->ClearLabels();
        // A single tick has no step, hence no minor ticks beside it.
        const double step = ticks.size() > 1 ? ticks[1].value - ticks[0].value : 0.0;
        if (step > 0.0 && ticks.front().value - step / 2 >= axis->GetMin())
            axis->AddLabel(ticks.front().value - step / 2, CString());
        for (std::size_t k = 0; k < ticks.size(); ++k) {
            axis->AddLabel(ticks[k].value, ticks[k].text);
            if (k + 1 < ticks.size())
                axis->AddLabel((ticks[k].value + ticks[k + 1].value) / 2, CString());
        }
        if (step > 0.0 && ticks.back().value + step / 2 <= axis->GetMax())
            axis->AddLabel(ticks.back().value + step / 2, CString());
    }
}

void CBasicGraphView::PlaceCursorExtensionMarkers()
{
    if (m_markers.IsShown())
        return;
    // Made once with the same geometry, then placed at each cursor.
    if (m_chart.FindLabel(kExtensionMarkers[0][0]) < 0)
        for (const auto& set : kExtensionMarkers)
            for (const char* name : set) {
                SPlotLabel label;
                label.name = name;
                label.kind = EPlotLabelKind::Text;
                label.visible = false;
                m_chart.AddLabel(label);
            }
    for (int cursor = 0; cursor < CiPlotX::kCursorCount; ++cursor) {
        const SPlotDataCursor& data = m_chart.GetCursor(cursor);
        const CPlotChannel* channel = m_chart.GetChannel(m_chart.FindChannel(data.channelName));
        if (!channel)
            continue;
        const COLORREF color = data.hasColor ? data.color : channel->GetColor();
        for (int k = 0; k < 4; ++k) {
            SPlotLabel* label = m_chart.GetLabel(m_chart.FindLabel(kExtensionMarkers[cursor][k]));
            if (!label)
                continue;
            label->xAxisName = channel->GetXAxisName();
            label->x = data.position;
            label->color = color;
            label->visible = m_chart.IsCursorInSight(cursor);
            label->text = kExtensionMarkerGlyphs[k];
        }
        // The value marker sits at the sample's value; none for a gap.
        SPlotLabel* value = m_chart.GetLabel(m_chart.FindLabel(kExtensionMarkers[cursor][2]));
        const int point = channel->GetIndexOfX(data.position);
        const CPlotYAxis* yAxis = m_chart.GetYAxis(m_chart.FindYAxis(channel->GetYAxisName()));
        if (value) {
            const bool hasValue = point >= 0 && std::isfinite(channel->GetYValue(point)) && yAxis;
            value->visible = value->visible && hasValue;
            if (hasValue)
                value->y = std::clamp(yAxis->ValueToFraction(channel->GetYValue(point)) * 100.0, 0.0, 100.0);
        }
        if (SPlotLabel* top = m_chart.GetLabel(m_chart.FindLabel(kExtensionMarkers[cursor][0])))
            top->y = 100.0;
        if (SPlotLabel* bottom = m_chart.GetLabel(m_chart.FindLabel(kExtensionMarkers[cursor][1])))
            bottom->y = 0.0;
    }
}

CString CBasicGraphView::GetCursorValueText(int cursor, int channelIndex, double position) const
{
    if (!m_feeder)
        return CString();
    const CPlotChannel* channel = nullptr;
    if (cursor >= 0 && cursor < CiPlotX::kCursorCount) {
        const SPlotDataCursor& data = m_chart.GetCursor(cursor);
        channel = m_chart.GetChannel(m_chart.FindChannel(data.channelName));
        channelIndex = m_chart.FindChannel(data.channelName);
        position = data.position;
    } else {
        channel = m_chart.GetChannel(channelIndex);
    }
    const int entryIndex = channel ? m_feeder->FindChannelEntry(channel->GetName()) : -1;
    const SFeederChannel* entry = m_feeder->GetChannelEntry(entryIndex);
    if (!channel || !entry)
        return CString();
    CString voidText;
    voidText.LoadString(7688);
    const int point = channel->GetIndexOfX(position);
    if (!channel->IsVisible() || point < 0)
        return voidText;
    if (entry->quantity == kNoQuantity)
        return CString();
    const SDataItem* item = nullptr;
    for (const SDataItem& candidate : m_dataItems)
        if (candidate.quantity == entry->quantity)
            item = &candidate;
    if (!item)
        return CString();
    // The value from the trend data at the sample under the time.
    CRecDoc* document = GetDocument();
    CDataSet* set = document ? document->GetDataSet(entry->session) : nullptr;
    CString valueText = "---";
    const double time = channel->GetXValue(point);
    if (set) {
        const CMeasurementConfig& config = set->GetMeasurementConfig();
        STrendAccessSpec recordAccess{BYTE(item->demandRecords ? 1 : 0), 1};
        if (item->useDemandPeriod && m_settings.m_demandPeriod > 0)
            GetIntervalMultiple(config, m_settings.m_demandPeriod, recordAccess, item->demandRecords);
        const bool powerFactorAvg = IsPowerFactorAxis(entry->quantity) && entry->statistic == kStatAvg;
        const DWORD shown = powerFactorAvg ? (entry->quantity == 8 || entry->quantity == 56 ? 8 : 9) : entry->quantity;
        CDataItemTrend* trendItem = m_feeder->ProvideTrendItem(entry->session, TrendItemForQuantity(config, shown, item->demandRecords), recordAccess);
        const CTrendTimeBlock* block = trendItem ? trendItem->GetTimeBlock() : nullptr;
        const int record = block ? block->FindRecordAt(CHighTime::FromDate(time)) : -1;
        if (record >= 0) {
            // What is plotted: the channel's own access with the session's scaling.
            const auto trend = SessionTrendChannel(entry->session, *trendItem, shown, entry->phase);
            const ITrendChannelAccess* access = trend ? trend->GetAccess(entry->statistic) : nullptr;
            const float value = access ? access->GetValue(record) : std::numeric_limits<float>::quiet_NaN();
            if (std::isinf(value)) {
                valueText.LoadString(value > 0 ? 8127 : 8128);
            } else if (std::isfinite(value)) {
                CString number;
                CString unit;
                CValueFormatter* formatter = document->GetValueFormatter();
                if (!formatter || !formatter->FormatValue(entry->session, shown, item->demandRecords, 0, value, number, unit))
                    number = ShortestLocaleFloat(value, CUserLocale::Current());
                valueText = unit.IsEmpty() || unit == "1" ? number : number + " " + unit;
                if (powerFactorAvg) {
                    CDataItemTrend* signItem =
                        m_feeder->ProvideTrendItem(entry->session, TrendItemForQuantity(config, 57, item->demandRecords), recordAccess);
                    if (signItem) {
                        auto sign = signItem->GetChannel(57, entry->phase);
                        const ITrendChannelAccess* signAccess = sign->GetAccess(kStatAvg);
                        const float signValue = signAccess ? signAccess->GetValue(record) : 0.0f;
                        CString kind;
                        if (signValue > 0)
                            kind.LoadString(5738);
                        else if (signValue < 0)
                            kind.LoadString(5739);
                        if (!kind.IsEmpty())
                            valueText += " " + kind;
                    }
                }
            }
            if (entry->quantity == 41 || entry->quantity == 42 || entry->quantity == 43 || entry->quantity == 48 ||
                entry->quantity == 49)
                valueText += " (" + FormatIntervalText(block->GetIntervalSeconds()) + ")";
        }
    }
    const CString format = m_feeder->GetDateTimeFormat().IsEmpty() ? ExpandDateTimeFormat(8066) : m_feeder->GetDateTimeFormat();
    return channel->GetTitle() + "\n" + valueText + "\n" + CHighTime::FromDate(time).Format(format.GetString(), true);
}
