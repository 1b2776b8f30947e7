#pragma once
// CBasicGraphViewDialogBar: the "Graph options" bar beside a study graph (template 30043). It
// exchanges its controls directly with the graph view's settings: session, phase, aux, Min/Max
// and limit boxes, limit values, the time range and X-axis scaling picker pairs, the working
// hours and the demand period. Its notifications go to the graph view.
#include "study/DateTimePickerControls.h"
#include "views/MyDialogBar.h"

#include <array>
#include <vector>

class CBasicViewSettings;

inline constexpr UINT kGraphOptionsTemplate = 30043;

// Control ids of the bar.
namespace GraphBar {
inline constexpr UINT kFirstSession = 2246;     // 2246..2249
inline constexpr UINT kFirstPhaseRow = 1353;    // rows 0..3: 1353 + 4 x row + slot
inline constexpr UINT kFirstPhaseRow4 = 1378;   // row 4: 1378..1381
inline constexpr UINT kAux1 = 1369;
inline constexpr UINT kAux2 = 1370;
inline constexpr UINT kFirstMinMax = 1030;      // 1030..1035
inline constexpr UINT kFirstLimitCheck = 1036;  // 1036..1041
inline constexpr UINT kFirstLimitEdit = 1042;   // 1042..1047
inline constexpr UINT kFirstWeekday = 1371;     // 1371..1377, Monday first
inline constexpr UINT kSetTimeRange = 1093;
inline constexpr UINT kSetWorkingHours = 1094;
inline constexpr UINT kWorkingHourStart = 2269;
inline constexpr UINT kWorkingHourSpan = 2259;
inline constexpr UINT kFirstSpanButton = 2286;  // "1 Hour", "1 Day", "1 Week", "Individual"
inline constexpr UINT kFirstRowLabel = 2320;    // phase row labels 2320..2324
inline constexpr UINT kFirstLimitLabel = 2330;  // Min/Max and limit row labels 2330..2335
inline constexpr UINT kChannelHeader = 2325;    // "Channels", then "A", "B", "C", "T" 2326..2329
inline constexpr UINT kMinMaxHeader = 2336;     // "Min/Max", then "Limit" 2337
inline constexpr UINT kDemandPeriodLabel = 2340;
inline constexpr SPickerControlIds kTimeRangePickers{2274, 2266, 2275, 2251, 2265};
inline constexpr SPickerControlIds kXAxisPickers{2276, 2268, 2277, 2258, 2267};
inline constexpr int kRows = 6;
inline constexpr int kPhaseRows = 5;            // rows with phase boxes
} // namespace GraphBar

// What a row of the bar offers: the name of its data item, the number of its phase boxes (0: the
// study has no item in the row, which is hidden), the unit of its Min/Max and limit and the
// factor from that unit to the stored limit (1000 for a limit in kW stored in W).
struct SOptionRow
{
    CString name;
    int phaseSlots = 0;
    CString unit;
    double limitScale = 1.0;
};

// The control of a phase check box (row 0..4, slot 0..3).
UINT PhaseCheckId(int row, int slot);

class CBasicGraphViewDialogBar : public CMyDialogBar
{
public:
    CBasicGraphViewDialogBar() = default;

    BOOL CreateBar(CWnd* frame, UINT templateId) override;

    void SetViewKind(int kind) { m_viewKind = kind; }
    int GetViewKind() const { return m_viewKind; }
    void SetSettings(CBasicViewSettings* settings) { m_settings = settings; }
    CBasicViewSettings* GetSettings() const { return m_settings; }
    // The window that hears the bar's notifications (the graph view).
    void SetNotifyWindow(CWnd* view) { m_notifyWindow = view; }
    // A stored limit of a row as its edit shows it (in the row's unit): the shortest text that
    // the edit reads back to the stored limit.
    CString FormatLimit(int row, float stored) const;
    double LimitScale(int row) const;
    // Binds both picker pairs (limits 1 January 1990 .. 1 January 2050) and hides what the
    // study does not offer.
    void Initialise();
    // The session boxes: one text and enable flag each; boxes beyond them are hidden.
    void SetSessions(const std::vector<CString>& texts, const std::vector<bool>& enabled);
    // Session boxes that show what the view shows rather than the settings' choice (the
    // calendar's: the sessions of its selected bins); the settings keep their own.
    void ShowSessionsShown(const std::vector<bool>& shown);
    void SetRow(int row, const SOptionRow& option);
    void EnableControl(UINT id, bool enable);

    CDateTimePickerControls& TimeRangePickers() { return m_timeRange; }
    CDateTimePickerControls& XAxisPickers() { return m_xAxis; }
    // The interval choice of a span button ("1 Hour" 4, "1 Day" 6, "1 Week" 8); -1 for
    // "Individual" and any other control.
    static int SpanIndexOfButton(UINT id);
    // How the settings keep an interval choice: the span button that makes it (0 "1 Hour",
    // 1 "1 Day", 2 "1 Week"), -1 for any other span.
    static int SpanTypeOfChoice(int choice);
    // The span button of such a type; "Individual" for -1.
    static UINT SpanButtonOfType(int type);
    // Shows one of the four span buttons pressed, the others raised.
    void SelectSpanButton(UINT id);
    UINT GetSelectedSpanButton() const { return m_selectedSpan; }

    // Settings into the controls and back (the picker pairs' ranges are taken by their own
    // change handlers).
    void SettingsToControls();
    void ControlsToSettings();
    void EnableWorkingHourControls(bool on);
    // The working-hours pickers into the settings, to the minute.
    void ReadWorkingHours();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    // Whether the bar offers the demand-period choice (the demand graph's bar).
    virtual bool HasDemandPeriod() const { return false; }

private:
    void SetCheck(UINT id, bool on);
    bool GetCheck(UINT id) const;

    int m_viewKind = -1;
    CBasicViewSettings* m_settings = nullptr;
    CWnd* m_notifyWindow = nullptr;
    CDateTimePickerControls m_timeRange;
    CDateTimePickerControls m_xAxis;
    UINT m_selectedSpan = 0;
    std::array<double, GraphBar::kRows> m_limitScales{1.0, 1.0, 1.0, 1.0, 1.0, 1.0};
    std::array<bool, GraphBar::kRows> m_rowsOffered{};
    std::vector<bool> m_sessionsShown;
};
