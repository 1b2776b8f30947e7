#include "study/DateTimePickerControls.h"

#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "datamodel/TimeRounding.h"
#include "study/IntervalChoices.h"
#include "views/TimeSpanText.h"

#include <cmath>

namespace {

constexpr LONGLONG kSecondTicks = kTicksPerSecond;

CDateTimeCtrl* Picker(CWnd* parent, UINT id)
{
    return parent ? static_cast<CDateTimeCtrl*>(parent->GetDlgItem(int(id))) : nullptr;
}

CComboBox* List(CWnd* parent, UINT id)
{
    return parent ? static_cast<CComboBox*>(parent->GetDlgItem(int(id))) : nullptr;
}

// Day choices count local calendar days; the others are fixed lengths.
bool IsDayChoice(int choice)
{
    return choice >= 6 && choice < kIntervalChoiceCount;
}

} // namespace

void CDateTimePickerControls::Init(CWnd* parent, const CHighTime& upperLimit, const CHighTime& lowerLimit,
                                   const CHighTime& begin, const CHighTime& end, const SPickerControlIds& ids,
                                   bool disabled, const std::vector<int>& choices, int /*layoutFlags: the template arranges the controls*/)
{
    m_parent = parent;
    m_ids = ids;
    m_upperLimit = upperLimit;
    m_lowerLimit = lowerLimit;
    m_begin = begin;
    m_end = end;
    m_disabled = disabled;
    // A date typed into a picker outside the limits is refused there, with the limits named.
    SYSTEMTIME lowest{};
    SYSTEMTIME highest{};
    if (m_lowerLimit.GetAsSystemTime(lowest) && m_upperLimit.GetAsSystemTime(highest))
        for (UINT id : {m_ids.beginDate, m_ids.endDate})
            if (CDateTimeCtrl* picker = Picker(m_parent, id))
                picker->SetRange(&lowest, &highest);
    if (CComboBox* list = List(m_parent, m_ids.intervalList)) {
        list->ResetContent();
        for (int choice : choices) {
            if (choice < 0 || choice >= kIntervalChoiceCount)
                continue;
            CString text;
            text.LoadString(GetIntervalChoices()[std::size_t(choice)].textId);
            list->SetItemData(list->AddString(text), DWORD_PTR(choice));
        }
        list->SetCurSel(0);
        m_itemCount = list->GetCount();
    }
    WritePickers();
    RefreshDurationItem();
    Enable(!disabled);
}

void CDateTimePickerControls::SetRange(double begin, double end)
{
    // The pickers show whole seconds: a chart date a microsecond short of one is that second.
    CHighTime from = CHighTime::FromDate(begin);
    CHighTime to = CHighTime::FromDate(end);
    from.RoundToSecond();
    to.RoundToSecond();
    SetRange(from, to);
}

void CDateTimePickerControls::SetRange(const CHighTime& begin, const CHighTime& end)
{
    m_begin = begin;
    m_end = end;
    RefreshDurationItem();
    WritePickers();
}

void CDateTimePickerControls::GetRange(double& begin, double& end) const
{
    begin = m_begin.GetAsDate();
    end = m_end.GetAsDate();
}

void CDateTimePickerControls::GetRange(CHighTime& begin, CHighTime& end) const
{
    begin = m_begin;
    end = m_end;
}

void CDateTimePickerControls::Enable(bool on)
{
    m_disabled = !on;
    if (!m_parent)
        return;
    for (UINT id : {m_ids.beginDate, m_ids.beginTime, m_ids.endDate, m_ids.endTime, m_ids.intervalList})
        if (CWnd* control = m_parent->GetDlgItem(int(id)))
            control->EnableWindow(on);
}

CHighTime CDateTimePickerControls::ReadSide(UINT dateId, UINT timeId, const CHighTime& previous) const
{
    SYSTEMTIME date{};
    SYSTEMTIME time{};
    CDateTimeCtrl* datePicker = Picker(m_parent, dateId);
    CDateTimeCtrl* timePicker = Picker(m_parent, timeId);
    if (!datePicker || !timePicker || datePicker->GetTime(&date) != GDT_VALID || timePicker->GetTime(&time) != GDT_VALID) {
        CHighTime invalid;
        invalid.SetStatus(CHighTime::invalid);
        return invalid;
    }
    // A side the user left as it was keeps its time, also in the hour the clocks repeat, which
    // the local parts alone would put at its first occurrence.
    SYSTEMTIME shown{};
    if (previous.GetAsSystemTime(shown) && shown.wYear == date.wYear && shown.wMonth == date.wMonth &&
        shown.wDay == date.wDay && shown.wHour == time.wHour && shown.wMinute == time.wMinute &&
        shown.wSecond == time.wSecond)
        return previous;
    CHighTime value;
    value.SetDateTime(date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond);
    return value;
}

void CDateTimePickerControls::OnPickerChanged(bool beginSide)
{
    if (!m_parent)
        return;
    CHighTime begin = ReadSide(m_ids.beginDate, m_ids.beginTime, m_begin);
    CHighTime end = ReadSide(m_ids.endDate, m_ids.endTime, m_end);
    if (begin.GetStatus() != CHighTime::valid || end.GetStatus() != CHighTime::valid) {
        WritePickers();
        return;
    }
    const CHighTimeSpan previousLength = m_end - m_begin;
    if (beginSide) {
        if (begin > m_upperLimit || begin + previousLength < m_lowerLimit) {
            WritePickers(); // back to the previous range
            return;
        }
        m_end = m_choice == kIndividualInterval ? begin + previousLength : ChoiceEnd(begin, m_choice);
        m_begin = begin;
    } else {
        m_choice = kIndividualInterval;
        // The begin is the end's lower limit too: a range never ends before it begins.
        if (end < m_lowerLimit || end < begin) {
            WritePickers();
            return;
        }
        m_begin = begin;
        m_end = end;
    }
    WritePickers();
    RefreshDurationItem();
}

void CDateTimePickerControls::OnChoiceChanged()
{
    CComboBox* list = List(m_parent, m_ids.intervalList);
    if (!list || list->GetCurSel() < 0)
        return;
    m_choice = int(list->GetItemData(list->GetCurSel()));
    if (m_begin < m_lowerLimit)
        m_begin = m_lowerLimit;
    CHighTime aligned = m_begin;
    switch (m_choice) {
    case 4:
    case 5: {
        // Back by the minutes and seconds the clock shows: in the hour repeated when the clocks go
        // back, the start of that same hour, which its local parts alone cannot name.
        if (m_begin.GetMinute() < 0)
            break; // no local time to align
        const LONGLONG intoHour = (m_begin.GetMinute() * 60LL + m_begin.GetSecond()) * kSecondTicks +
                                  m_begin.GetTicks() % kSecondTicks;
        aligned = m_begin - CHighTimeSpan(intoHour);
        break;
    }
    case 6:
        aligned.SetDateTime(m_begin.GetYear(), m_begin.GetMonth(), m_begin.GetDay(), 0, 0, 0);
        break;
    case 7:
    case 8: {
        aligned.SetDateTime(m_begin.GetYear(), m_begin.GetMonth(), m_begin.GetDay(), 0, 0, 0);
        // Back to the Monday of the week; a Sunday goes forward to the next Monday.
        const int dayOfWeek = m_begin.GetDayOfWeek() - 1; // Sunday 0
        aligned = AddLocalCalendarDays(aligned, 1 - dayOfWeek);
        break;
    }
    default:
        break;
    }
    m_begin = aligned;
    if (m_choice != kIndividualInterval && m_choice >= 0 && m_choice < kIntervalChoiceCount) {
        m_end = ChoiceEnd(m_begin, m_choice);
        WritePickers();
    }
    RefreshDurationItem();
}

void CDateTimePickerControls::SelectChoice(int choice)
{
    CComboBox* list = List(m_parent, m_ids.intervalList);
    if (!list)
        return;
    for (int i = 0; i < list->GetCount(); ++i)
        if (int(list->GetItemData(i)) == choice) {
            list->SetCurSel(i);
            OnChoiceChanged();
            return;
        }
}

bool CDateTimePickerControls::IsChoiceRange(int choice, double begin, double end)
{
    constexpr double kMillisecond = 1.1574074074074074e-8;
    if (choice < 0 || choice >= kIntervalChoiceCount)
        return false;
    // A day or a week in local calendar days from the begin: 23 or 25 hours across a clock
    // change, whole days elsewhere.
    if (IsDayChoice(choice))
        return CountLocalCalendarDays(begin, end) == int(GetIntervalChoices()[std::size_t(choice)].days);
    return std::fabs(end - begin - GetIntervalChoices()[std::size_t(choice)].days) < kMillisecond;
}

CHighTime CDateTimePickerControls::ChoiceEnd(const CHighTime& begin, int choice)
{
    if (IsDayChoice(choice))
        return AddLocalCalendarDays(begin, int(GetIntervalChoices()[std::size_t(choice)].days));
    return begin + GetIntervalChoices()[std::size_t(choice)].length;
}

void CDateTimePickerControls::WritePickers()
{
    SYSTEMTIME begin{};
    SYSTEMTIME end{};
    if (!m_parent || !m_begin.GetAsSystemTime(begin) || !m_end.GetAsSystemTime(end))
        return;
    for (auto [id, value] : {std::pair{m_ids.beginDate, &begin}, std::pair{m_ids.beginTime, &begin},
                             std::pair{m_ids.endDate, &end}, std::pair{m_ids.endTime, &end}})
        if (CDateTimeCtrl* picker = Picker(m_parent, id))
            picker->SetTime(value);
}

void CDateTimePickerControls::RefreshDurationItem()
{
    CComboBox* list = List(m_parent, m_ids.intervalList);
    if (!list)
        return;
    if (list->GetCount() == m_itemCount + 1)
        list->DeleteString(UINT(m_itemCount));
    // The list shows the present length, whichever choice made it.
    const int item = list->AddString(FormatTimeSpanText(m_end - m_begin));
    list->SetItemData(item, DWORD_PTR(kIndividualInterval));
    list->SetCurSel(item);
}
