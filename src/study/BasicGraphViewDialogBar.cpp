#include "study/BasicGraphViewDialogBar.h"

#include "platform/framework/LocaleNumber.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/Messages.h"
#include "project/BasicViewSettings.h"
#include "project/TimeRangeRule.h"

#include <cmath>

namespace {

// The working hours are local times of day kept as dates of 30 December 1899.
double TimeOfDayFromPicker(CWnd* picker)
{
    SYSTEMTIME time{};
    if (!picker || static_cast<CDateTimeCtrl*>(picker)->GetTime(&time) != GDT_VALID)
        return 0.0;
    return CHighTime(1899, 12, 30, time.wHour, time.wMinute, 0).GetAsDate();
}

void TimeOfDayToPicker(CWnd* picker, double date)
{
    if (!picker)
        return;
    SYSTEMTIME time{};
    if (CHighTime::FromDate(date).GetAsSystemTime(time)) {
        time.wSecond = 0;
        static_cast<CDateTimeCtrl*>(picker)->SetTime(&time);
    }
}

const std::vector<int> kPickerChoices = {0, 1, 2, 3, 4, 5, 6, 7, 8};

} // namespace

UINT PhaseCheckId(int row, int slot)
{
    return row < 4 ? GraphBar::kFirstPhaseRow + UINT(4 * row + slot) : GraphBar::kFirstPhaseRow4 + UINT(slot);
}

BOOL CBasicGraphViewDialogBar::CreateBar(CWnd* frame, UINT templateId)
{
    if (!CMyDialogBar::CreateBar(frame, templateId))
        return FALSE;
    if (!HasDemandPeriod())
        for (UINT id : {GraphBar::kDemandPeriodLabel, UINT(1222)})
            if (CWnd* control = GetDlgItem(int(id)))
                control->ShowWindow(SW_HIDE);
    return TRUE;
}

void CBasicGraphViewDialogBar::Initialise()
{
    const CHighTime upper = LatestTimeRangeTime();
    const CHighTime lower = EarliestTimeRangeTime();
    CHighTime begin = lower;
    CHighTime end = lower;
    if (!m_timeRange.IsBound())
        m_timeRange.Init(this, upper, lower, begin, end, GraphBar::kTimeRangePickers, true, kPickerChoices, 0);
    if (!m_xAxis.IsBound())
        m_xAxis.Init(this, upper, lower, begin, end, GraphBar::kXAxisPickers, false, kPickerChoices, 0);
}

void CBasicGraphViewDialogBar::SetSessions(const std::vector<CString>& texts, const std::vector<bool>& enabled)
{
    for (int i = 0; i < 4; ++i) {
        CWnd* box = GetDlgItem(int(GraphBar::kFirstSession) + i);
        if (!box)
            continue;
        const bool present = i < int(texts.size());
        box->ShowWindow(present ? SW_SHOW : SW_HIDE);
        if (present) {
            box->SetWindowText(texts[std::size_t(i)]);
            box->EnableWindow(i < int(enabled.size()) && enabled[std::size_t(i)]);
        }
    }
}

void CBasicGraphViewDialogBar::SetRow(int row, const SOptionRow& option)
{
    if (row < 0 || row >= GraphBar::kRows)
        return;
    const bool offered = option.phaseSlots > 0;
    auto show = [this](UINT id, bool visible) {
        if (CWnd* control = GetDlgItem(int(id)))
            control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    };
    if (row < GraphBar::kPhaseRows) {
        show(GraphBar::kFirstRowLabel + UINT(row), offered);
        SetDlgItemText(int(GraphBar::kFirstRowLabel) + row, option.name);
        for (int slot = 0; slot < 4; ++slot)
            show(PhaseCheckId(row, slot), slot < option.phaseSlots);
    }
    // The Min/Max and limit row names the unit its limit is typed in.
    show(GraphBar::kFirstLimitLabel + UINT(row), offered);
    SetDlgItemText(int(GraphBar::kFirstLimitLabel) + row,
                   option.unit.IsEmpty() ? option.name : option.name + " [" + option.unit + "]");
    for (UINT first : {GraphBar::kFirstMinMax, GraphBar::kFirstLimitCheck, GraphBar::kFirstLimitEdit})
        show(first + UINT(row), offered);
    m_limitScales[std::size_t(row)] = option.limitScale > 0.0 ? option.limitScale : 1.0;
    // A header shows over rows only, the aux boxes beside the row of their limit.
    m_rowsOffered[std::size_t(row)] = offered;
    bool anyPhaseRow = false;
    for (int phaseRow = 0; phaseRow < GraphBar::kPhaseRows; ++phaseRow)
        anyPhaseRow = anyPhaseRow || m_rowsOffered[std::size_t(phaseRow)];
    for (UINT id = GraphBar::kChannelHeader; id < GraphBar::kChannelHeader + 5; ++id)
        show(id, anyPhaseRow);
    const bool anyRow = anyPhaseRow || m_rowsOffered[std::size_t(GraphBar::kRows - 1)];
    show(GraphBar::kMinMaxHeader, anyRow);
    show(GraphBar::kMinMaxHeader + 1, anyRow);
    show(GraphBar::kAux1, m_rowsOffered[std::size_t(GraphBar::kRows - 1)]);
    show(GraphBar::kAux2, m_rowsOffered[std::size_t(GraphBar::kRows - 1)]);
}

void CBasicGraphViewDialogBar::ShowSessionsShown(const std::vector<bool>& shown)
{
    m_sessionsShown = shown;
    for (int i = 0; i < int(shown.size()); ++i)
        SetCheck(GraphBar::kFirstSession + UINT(i), shown[std::size_t(i)]);
}

void CBasicGraphViewDialogBar::EnableControl(UINT id, bool enable)
{
    if (CWnd* control = GetDlgItem(int(id)))
        control->EnableWindow(enable);
}

int CBasicGraphViewDialogBar::SpanIndexOfButton(UINT id)
{
    switch (id) {
    case GraphBar::kFirstSpanButton: return 4;
    case GraphBar::kFirstSpanButton + 1: return 6;
    case GraphBar::kFirstSpanButton + 2: return 8;
    default: return -1;
    }
}

int CBasicGraphViewDialogBar::SpanTypeOfChoice(int choice)
{
    for (int type = 0; type < 3; ++type)
        if (SpanIndexOfButton(GraphBar::kFirstSpanButton + UINT(type)) == choice)
            return type;
    return -1;
}

UINT CBasicGraphViewDialogBar::SpanButtonOfType(int type)
{
    return GraphBar::kFirstSpanButton + UINT(type >= 0 && type < 3 ? type : 3);
}

void CBasicGraphViewDialogBar::SelectSpanButton(UINT id)
{
    m_selectedSpan = id;
    for (UINT button = GraphBar::kFirstSpanButton; button < GraphBar::kFirstSpanButton + 4; ++button)
        SetCheck(button, button == id);
}

CString CBasicGraphViewDialogBar::FormatLimit(int row, float stored) const
{
    // The edit takes a number in the row's unit and stores it scaled in single precision.
    const double scale = LimitScale(row);
    return ShortestLocaleNumber(
        double(stored) / scale, [&](double read) { return float(read * scale) == stored; }, CUserLocale::Current());
}

double CBasicGraphViewDialogBar::LimitScale(int row) const
{
    return row >= 0 && row < GraphBar::kRows ? m_limitScales[std::size_t(row)] : 1.0;
}

void CBasicGraphViewDialogBar::SetCheck(UINT id, bool on)
{
    if (CWnd* box = GetDlgItem(int(id)))
        static_cast<CButton*>(box)->SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
}

bool CBasicGraphViewDialogBar::GetCheck(UINT id) const
{
    const CWnd* box = GetDlgItem(int(id));
    return box && static_cast<const CButton*>(box)->GetCheck() == BST_CHECKED;
}

void CBasicGraphViewDialogBar::SettingsToControls()
{
    if (!m_settings || !GetSafeHwnd())
        return;
    const CBasicViewSettings& s = *m_settings;
    for (int i = 0; i < CBasicViewSettings::kMaxSessions; ++i)
        SetCheck(GraphBar::kFirstSession + UINT(i),
                 m_sessionsShown.empty() ? s.m_sessions[std::size_t(i)] : i < int(m_sessionsShown.size()) && m_sessionsShown[std::size_t(i)]);
    for (int row = 0; row < CBasicViewSettings::kQuantityGroups; ++row)
        for (int slot = 0; slot < CBasicViewSettings::kChannelPhases; ++slot)
            SetCheck(PhaseCheckId(row, slot), s.m_channels[std::size_t(row)][std::size_t(slot)]);
    SetCheck(GraphBar::kAux1, s.m_aux[0]);
    SetCheck(GraphBar::kAux2, s.m_aux[1]);
    for (int row = 0; row < GraphBar::kRows; ++row) {
        SetCheck(GraphBar::kFirstMinMax + UINT(row), s.m_isMaxMin[std::size_t(row)]);
        SetCheck(GraphBar::kFirstLimitCheck + UINT(row), s.m_isLimit[std::size_t(row)]);
        SetDlgItemText(int(GraphBar::kFirstLimitEdit) + row, FormatLimit(row, s.m_limits[std::size_t(row)]));
    }
    SelectSpanButton(SpanButtonOfType(s.m_typeTimeRange));
    SetCheck(GraphBar::kSetTimeRange, s.m_checkTimeRange);
    SetCheck(GraphBar::kSetWorkingHours, s.m_setWorkingHours);
    for (int day = 0; day < CBasicViewSettings::kWorkingDays; ++day)
        SetCheck(GraphBar::kFirstWeekday + UINT(day), s.m_workingDays[std::size_t(day)]);
    TimeOfDayToPicker(GetDlgItem(int(GraphBar::kWorkingHourStart)), s.m_workingHours.from);
    TimeOfDayToPicker(GetDlgItem(int(GraphBar::kWorkingHourSpan)), s.m_workingHours.to);
}

void CBasicGraphViewDialogBar::ControlsToSettings()
{
    if (!m_settings || !GetSafeHwnd())
        return;
    CBasicViewSettings& s = *m_settings;
    for (int i = 0; m_sessionsShown.empty() && i < CBasicViewSettings::kMaxSessions; ++i)
        s.m_sessions[std::size_t(i)] = GetCheck(GraphBar::kFirstSession + UINT(i));
    for (int row = 0; row < CBasicViewSettings::kQuantityGroups; ++row)
        for (int slot = 0; slot < CBasicViewSettings::kChannelPhases; ++slot)
            s.m_channels[std::size_t(row)][std::size_t(slot)] = GetCheck(PhaseCheckId(row, slot));
    s.m_aux[0] = GetCheck(GraphBar::kAux1);
    s.m_aux[1] = GetCheck(GraphBar::kAux2);
    for (int row = 0; row < GraphBar::kRows; ++row) {
        s.m_isMaxMin[std::size_t(row)] = GetCheck(GraphBar::kFirstMinMax + UINT(row));
        s.m_isLimit[std::size_t(row)] = GetCheck(GraphBar::kFirstLimitCheck + UINT(row));
    }
    s.m_checkTimeRange = GetCheck(GraphBar::kSetTimeRange);
    s.m_setWorkingHours = GetCheck(GraphBar::kSetWorkingHours);
    for (int day = 0; day < CBasicViewSettings::kWorkingDays; ++day)
        s.m_workingDays[std::size_t(day)] = GetCheck(GraphBar::kFirstWeekday + UINT(day));
}

void CBasicGraphViewDialogBar::ReadWorkingHours()
{
    if (!m_settings)
        return;
    m_settings->m_workingHours.from = TimeOfDayFromPicker(GetDlgItem(int(GraphBar::kWorkingHourStart)));
    m_settings->m_workingHours.to = TimeOfDayFromPicker(GetDlgItem(int(GraphBar::kWorkingHourSpan)));
}

void CBasicGraphViewDialogBar::EnableWorkingHourControls(bool on)
{
    for (UINT day = 0; day < 7; ++day)
        EnableControl(GraphBar::kFirstWeekday + day, on);
    EnableControl(GraphBar::kWorkingHourStart, on);
    EnableControl(GraphBar::kWorkingHourSpan, on);
}

BOOL CBasicGraphViewDialogBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (m_notifyWindow) {
        *result = m_notifyWindow->SendMessage(WM_NOTIFY, wParam, lParam);
        return TRUE;
    }
    return CMyDialogBar::OnNotify(wParam, lParam, result);
}
