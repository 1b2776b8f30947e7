#include "study/CalendarTableViewDialogBar.h"

#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "study/TableStrings.h"

#include <algorithm>

namespace {
constexpr UINT kEnergyParameterTexts = 10183;  // 10183..10190
constexpr UINT kLoadParameterTexts = 10177;    // 10177..10180
constexpr int kLoadParameters = 4;
constexpr UINT kGranularityTexts = 10191;      // 10191..10193
constexpr int kNoSettingsParameter = 6;
} // namespace

BOOL CCalendarTableViewDialogBar::CreateBar(CWnd* frame, UINT templateId)
{
    if (!CMyDialogBar::CreateBar(frame, templateId))
        return FALSE;
    SetParameterTexts();
    for (int i = 0; i < CalendarBar::kGranularities; ++i)
        SetDlgItemText(int(CalendarBar::kFirstGranularity) + i, LoadTableString(kGranularityTexts + UINT(i)));
    SettingsToControls();
    return TRUE;
}

void CCalendarTableViewDialogBar::SetParameterTexts()
{
    for (int i = 0; i < CalendarBar::kParameters; ++i)
        SetDlgItemText(int(CalendarBar::kFirstParameter) + i, LoadTableString(kEnergyParameterTexts + UINT(i)));
}

void CLoadStudyCalendarTableViewDialogBar::SetParameterTexts()
{
    for (int i = 0; i < CalendarBar::kParameters; ++i) {
        CWnd* button = GetDlgItem(int(CalendarBar::kFirstParameter) + i);
        if (!button)
            continue;
        if (i < kLoadParameters)
            button->SetWindowText(LoadTableString(kLoadParameterTexts + UINT(i)));
        else
            button->ShowWindow(SW_HIDE);
    }
}

int CCalendarTableViewDialogBar::Checked(UINT first, int count) const
{
    for (int i = 0; i < count; ++i)
        if (IsDlgButtonChecked(int(first) + i))
            return i;
    return 0;
}

void CCalendarTableViewDialogBar::SettingsToControls()
{
    const int parameter = m_settings ? m_settings->m_calendarViewParameter : kNoSettingsParameter;
    const int channel = m_settings ? m_settings->m_calendarViewChannel : 0;
    const int granularity = m_settings ? m_settings->m_calendarViewGranularity : 0;
    auto check = [this](UINT first, int count, int value) {
        CheckRadioButton(int(first), int(first) + count - 1, int(first) + std::clamp(value, 0, count - 1));
    };
    check(CalendarBar::kFirstParameter, CalendarBar::kParameters, parameter);
    check(CalendarBar::kFirstChannel, CalendarBar::kChannels, channel);
    check(CalendarBar::kFirstGranularity, CalendarBar::kGranularities, granularity);
}

void CCalendarTableViewDialogBar::ControlsToSettings()
{
    if (!m_settings)
        return;
    m_settings->m_calendarViewParameter = GetCheckedParameter();
    m_settings->m_calendarViewChannel = GetCheckedChannel();
    m_settings->m_calendarViewGranularity = GetCheckedGranularity();
}

void CCalendarTableViewDialogBar::CheckChannel(int channel)
{
    CheckRadioButton(int(CalendarBar::kFirstChannel), int(CalendarBar::kFirstChannel) + CalendarBar::kChannels - 1,
                     int(CalendarBar::kFirstChannel) + std::clamp(channel, 0, CalendarBar::kChannels - 1));
}

void CCalendarTableViewDialogBar::EnableChannel(int channel, bool enable)
{
    if (CWnd* button = GetDlgItem(int(CalendarBar::kFirstChannel) + channel))
        button->EnableWindow(enable);
}
