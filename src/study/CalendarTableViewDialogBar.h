#pragma once
// The calendar options beside the calendar overview table (template 30047): the parameter, the
// channel and the granularity, exchanged with the calendar graph view's settings.
#include "views/MyDialogBar.h"

class CBasicViewSettings;

inline constexpr UINT kCalendarTableTemplate = 30047;

namespace CalendarBar {
inline constexpr UINT kFirstParameter = 2305; // 2305..2312
inline constexpr UINT kFirstChannel = 2294;   // "A", "B", "C", "Total"
inline constexpr UINT kFirstGranularity = 2302; // "1 Hour", "1 Day", "1 Week"
inline constexpr int kParameters = 8;
inline constexpr int kChannels = 4;
inline constexpr int kGranularities = 3;
} // namespace CalendarBar

class CCalendarTableViewDialogBar : public CMyDialogBar
{
public:
    BOOL CreateBar(CWnd* frame, UINT templateId) override;

    void SetSettings(CBasicViewSettings* settings) { m_settings = settings; }
    CBasicViewSettings* GetSettings() const { return m_settings; }
    // The buttons from the settings (without settings: "Volts [V]", "A", "1 Hour").
    void SettingsToControls();
    void ControlsToSettings();
    int GetCheckedParameter() const { return Checked(CalendarBar::kFirstParameter, CalendarBar::kParameters); }
    int GetCheckedChannel() const { return Checked(CalendarBar::kFirstChannel, CalendarBar::kChannels); }
    int GetCheckedGranularity() const { return Checked(CalendarBar::kFirstGranularity, CalendarBar::kGranularities); }
    void CheckChannel(int channel);
    void EnableChannel(int channel, bool enable);

protected:
    // The parameter buttons' texts; the Load study shows four of its own.
    virtual void SetParameterTexts();

private:
    int Checked(UINT first, int count) const;

    CBasicViewSettings* m_settings = nullptr;
};

class CLoadStudyCalendarTableViewDialogBar : public CCalendarTableViewDialogBar
{
protected:
    void SetParameterTexts() override;
};
