// Min/Max envelopes, limits, the time range, the X-axis scaling span and the working hours of
// the graph view base, as the dialog bar sets them.
#include "study/BasicGraphView.h"

#include "datamodel/PowerFactor.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/NumberField.h"
#include "project/RecDoc.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/IOCompUtils.h"
#include "study/IntervalChoices.h"
#include "study/RecTrendToIOComp.h"
#include "study/WorkingHoursShading.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr double kRepaintNudge = 1.0 / 864000.0; // 0.1 s in days
// Limits in the units the bar shows (kW, V, %...), far beyond anything measured; a power factor
// lies between -1 and 1.
constexpr SNumberRange kLimitRange{-1e9, 1e9};
constexpr SNumberRange kPowerFactorLimitRange{-1.0, 1.0};

float DefaultLimit(DWORD quantity)
{
    return quantity == 56 || quantity == 57 ? 1.0f : 0.0f;
}

} // namespace

void CBasicGraphView::OnMinMaxCheck(UINT id)
{
    if (m_dialogBar)
        m_dialogBar->ControlsToSettings();
    const int row = int(id - GraphBar::kFirstMinMax);
    const int kind = GetViewKind();
    // Where the data already holds the envelope, the graph is only refreshed.
    if ((kind == 5 && row <= 2) || (row == 3 && (kind == 2 || kind == 5 || kind == 10))) {
        RefreshGraph();
        return;
    }
    RebuildChart();
}

void CBasicGraphView::OnLimitCheck(UINT id)
{
    if (m_dialogBar)
        m_dialogBar->ControlsToSettings();
    const int row = int(id - GraphBar::kFirstLimitCheck);
    // A limit is shown alone.
    if (row >= 0 && row < CBasicViewSettings::kLimits && m_settings.m_isLimit[std::size_t(row)])
        for (int other = 0; other < CBasicViewSettings::kLimits; ++other)
            if (other != row)
                m_settings.m_isLimit[std::size_t(other)] = false;
    if (m_dialogBar)
        m_dialogBar->SettingsToControls();
    RefreshGraph();
}

void CBasicGraphView::OnLimitEditKillFocus(UINT id)
{
    const int row = int(id - GraphBar::kFirstLimitEdit);
    if (!m_dialogBar || row < 0 || row >= CBasicViewSettings::kLimits)
        return;
    m_dialogBar->ControlsToSettings();
    DWORD quantity = kNoQuantity;
    for (const SDataItem& item : m_dataItems)
        if (item.row == row)
            quantity = item.quantity;
    CString text;
    m_dialogBar->GetDlgItemText(int(id), text);
    text.Trim();
    bool& shown = m_settings.m_isLimit[std::size_t(row)];
    float& stored = m_settings.m_limits[std::size_t(row)];
    bool refresh = false;
    float value = DefaultLimit(quantity);
    if (text.IsEmpty()) {
        refresh = shown;
        shown = false;
    } else {
        // A limit that is no number, or one no quantity reaches (a power factor beyond 1), is
        // refused with a message and the limit stays.
        const SNumberRange range = IsPowerFactorQuantity(int(quantity)) ? kPowerFactorLimitRange : kLimitRange;
        CWnd* edit = m_dialogBar->GetDlgItem(int(id));
        const std::optional<double> read = edit ? ReadNumberField(*edit, range, m_dialogBar->FormatLimit(row, stored))
                                                : std::nullopt;
        value = read ? float(*read * m_dialogBar->LimitScale(row)) : stored;
    }
    if (value != stored && shown)
        refresh = true;
    stored = value;
    m_dialogBar->SetDlgItemText(int(id), m_dialogBar->FormatLimit(row, stored));
    if (refresh)
        RefreshGraph();
}

void CBasicGraphView::UpdateTimeRangePickers()
{
    if (!m_markers.IsShown())
        return;
    if (m_dialogBar)
        m_dialogBar->TimeRangePickers().SetRange(m_markers.GetBegin(), m_markers.GetEnd());
    m_settings.m_timeRange = {m_markers.GetBegin(), m_markers.GetEnd()};
}

void CBasicGraphView::ShowTimeRange()
{
    if (!m_markers.IsShown())
        return;
    UpdateTimeRangePickers();
    m_chart.Repaint();
    RefillTables(false);
}

void CBasicGraphView::OnSetTimeRange()
{
    if (!m_dialogBar)
        return;
    const bool wasOn = m_markers.IsShown();
    m_dialogBar->ControlsToSettings();
    const bool on = m_settings.m_checkTimeRange;
    CDateTimePickerControls& pickers = m_dialogBar->TimeRangePickers();
    if (on && wasOn) {
        // Re-applied by an update: the stored range wins over the pickers' last values.
        m_markers.SetRange(m_settings.m_timeRange.from, m_settings.m_timeRange.to);
        pickers.SetRange(m_markers.GetBegin() + kRepaintNudge, m_markers.GetEnd() + kRepaintNudge);
        UpdateTimeRangePickers();
    } else if (on) {
        m_markers.SetReferenceAxis(ReferenceAxis());
        if (m_settings.IsPresent() && m_settings.m_timeRange.from != 0.0 && m_markers.IsRangeSet())
            m_markers.SetRange(m_settings.m_timeRange.from, m_settings.m_timeRange.to);
        m_markers.Show(true);
        for (const char* name : {"CurExtMarkerT1", "CurExtMarkerB1", "CurExtMarker1", "CurExtLine1", "CurExtMarkerT2",
                                 "CurExtMarkerB2", "CurExtMarker2", "CurExtLine2"})
            if (SPlotLabel* label = m_chart.GetLabel(m_chart.FindLabel(name)))
                label->visible = false;
        UpdateTimeRangePickers();
        pickers.Enable(true);
    } else {
        m_markers.Show(false);
        pickers.Enable(false);
        m_settings.m_checkTimeRange = false;
    }
    m_chart.Repaint();
    UpdateTimeRangeSection();
    RefillTables(false);
    m_dialogBar->ControlsToSettings();
}

void CBasicGraphView::ApplyTimeRange()
{
    if (!m_dialogBar || !m_markers.IsShown())
        return;
    CGraphEventScope scope(*this);
    double begin = 0.0;
    double end = 0.0;
    m_dialogBar->TimeRangePickers().GetRange(begin, end);
    m_markers.SetRange(begin, end);
    RefreshGraph();
    ShowTimeRange();
}

void CBasicGraphView::OnTimeRangePickerChanged(bool beginSide)
{
    if (!m_dialogBar)
        return;
    m_dialogBar->TimeRangePickers().OnPickerChanged(beginSide);
    m_dialogBar->ControlsToSettings();
    ApplyTimeRange();
}

void CBasicGraphView::OnTimeRangeChoice()
{
    if (!m_dialogBar)
        return;
    m_dialogBar->TimeRangePickers().OnChoiceChanged();
    m_dialogBar->ControlsToSettings();
    ApplyTimeRange();
}

void CBasicGraphView::OnXAxisPickerChanged(bool beginSide)
{
    if (!m_dialogBar)
        return;
    CDateTimePickerControls& pickers = m_dialogBar->XAxisPickers();
    pickers.OnPickerChanged(beginSide);
    ApplyXAxisPickers(false);
}

void CBasicGraphView::OnXAxisChoice()
{
    if (!m_dialogBar)
        return;
    CDateTimePickerControls& pickers = m_dialogBar->XAxisPickers();
    const auto* list = static_cast<CComboBox*>(m_dialogBar->GetDlgItem(int(GraphBar::kXAxisPickers.intervalList)));
    const int choice = list && list->GetCurSel() >= 0 ? int(list->GetItemData(list->GetCurSel())) : kIndividualInterval;
    if (choice == kIndividualInterval) {
        pickers.OnChoiceChanged();
    } else {
        StartXAxisPickersAtData();
        pickers.SelectChoice(choice);
    }
    ApplyXAxisChoice();
}

void CBasicGraphView::StartXAxisPickersAtData()
{
    // A length chosen while the axis starts beside the data (zoomed out past it, moved beyond
    // its end) starts at the nearest record, so that the span shows data.
    double first = 0.0;
    double last = 0.0;
    if (!m_feeder || !m_feeder->GetSessionRange(m_markers.GetReferenceAxis(), first, last))
        return;
    CDateTimePickerControls& pickers = m_dialogBar->XAxisPickers();
    double begin = 0.0;
    double end = 0.0;
    pickers.GetRange(begin, end);
    const double start = std::clamp(begin, first, std::max(first, last));
    if (start != begin)
        pickers.SetRange(start, end + start - begin);
}

void CBasicGraphView::ApplyXAxisChoice()
{
    // A length of a span button presses it; any other length is named once the axis shows it.
    if (const int type = CBasicGraphViewDialogBar::SpanTypeOfChoice(m_dialogBar->XAxisPickers().GetChoice()); type >= 0) {
        m_settings.m_typeTimeRange = type;
        m_dialogBar->SelectSpanButton(CBasicGraphViewDialogBar::SpanButtonOfType(type));
    }
    ApplyXAxisPickers(true);
}

void CBasicGraphView::ApplyXAxisPickers(bool keepCentres)
{
    double begin = 0.0;
    double end = 0.0;
    m_dialogBar->XAxisPickers().GetRange(begin, end);
    m_settings.m_xAxisScaling = {begin, end};
    if (!(end > begin))
        return;
    {
        CGraphEventScope scope(*this);
        // The reference axis shows the pickers' range; the other axes take its span, around
        // their centres for a chosen length, from their own starts for a typed one.
        const int reference = m_markers.GetReferenceAxis();
        for (int i = 0; i < m_chart.GetXAxisCount(); ++i) {
            const CPlotXAxis* axis = m_chart.GetXAxis(i);
            const double start = i == reference ? begin
                                 : keepCentres  ? axis->GetMin() + axis->GetSpan() / 2 - (end - begin) / 2
                                                : axis->GetMin();
            m_chart.SetXAxisRange(i, start, end - begin);
        }
    }
    if (const CPlotXAxis* axis = m_chart.GetXAxis(m_markers.GetReferenceAxis()))
        FollowSpanButton(axis->GetMin(), axis->GetMax());
    RefreshGraph();
}

void CBasicGraphView::OnSpanButton(UINT id)
{
    if (!m_dialogBar)
        return;
    CWaitCursor wait;
    m_dialogBar->SelectSpanButton(id);
    const int choice = CBasicGraphViewDialogBar::SpanIndexOfButton(id);
    if (choice < 0) {
        // "Individual" stays pressed for the range shown until the axis shows another.
        m_settings.m_typeTimeRange = -1;
        if (const CPlotXAxis* axis = m_chart.GetXAxis(m_markers.GetReferenceAxis()))
            m_spanNamedRange = {axis->GetMin(), axis->GetMax()};
        RefreshGraph();
        return;
    }
    StartXAxisPickersAtData();
    m_dialogBar->XAxisPickers().SelectChoice(choice);
    ApplyXAxisChoice();
}

void CBasicGraphView::UpdateXAxisPickers()
{
    // The calendar's axis shows its selected bins, whichever sessions its settings tick.
    const CPlotXAxis* axis = m_chart.GetXAxis(m_markers.GetReferenceAxis());
    if (!m_dialogBar || !axis || (ReferenceSession() < 0 && !m_calendar))
        return;
    m_dialogBar->XAxisPickers().SetRange(axis->GetMin(), axis->GetMax());
    m_settings.m_xAxisScaling = {axis->GetMin(), axis->GetMax()};
    FollowSpanButton(axis->GetMin(), axis->GetMax());
}

void CBasicGraphView::FollowSpanButton(double begin, double end)
{
    // One rule for every input: once the reference axis shows another range, the pressed button
    // is the one of its length (an hour; a day or a week in local calendar days from its begin),
    // else "Individual". While it shows the same range the button stays as it was pressed.
    constexpr double kSameTime = 1e-9; // days, a tenth of a millisecond
    int& type = m_settings.m_typeTimeRange;
    if (std::fabs(begin - m_spanNamedRange.from) > kSameTime || std::fabs(end - m_spanNamedRange.to) > kSameTime) {
        m_spanNamedRange = {begin, end};
        type = -1;
        for (int named = 0; named < 3 && type < 0; ++named)
            if (CDateTimePickerControls::IsChoiceRange(
                    CBasicGraphViewDialogBar::SpanIndexOfButton(CBasicGraphViewDialogBar::SpanButtonOfType(named)), begin, end))
                type = named;
    }
    if (m_dialogBar)
        m_dialogBar->SelectSpanButton(CBasicGraphViewDialogBar::SpanButtonOfType(type));
}

bool CBasicGraphView::DrawWorkingHours(bool clearOnly)
{
    SWorkingHours hours;
    hours.on = m_settings.m_setWorkingHours;
    hours.start = m_settings.m_workingHours.from;
    hours.span = m_settings.m_workingHours.to;
    hours.days = m_settings.m_workingDays;
    const int reference = ReferenceSession() < 0 ? -1 : ReferenceAxis();
    const bool drawn = ShadeWorkingHours(m_chart, clearOnly || !hours.on ? -1 : reference, hours,
                                         clearOnly || !hours.on || reference < 0);
    m_chart.Repaint();
    return drawn;
}

void CBasicGraphView::OnWorkingHourPickerChanged()
{
    if (!m_dialogBar)
        return;
    m_dialogBar->ReadWorkingHours();
    m_dialogBar->SettingsToControls();
    if (!DrawWorkingHours() && m_settings.m_setWorkingHours)
        StartTimer(kWorkingHoursTimer);
}
