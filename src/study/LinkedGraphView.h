#pragma once
// What a study table view asks of the graph view of its page: the view settings it writes the
// user's texts and nominal voltages into, its collapse-state text, the study kind, the selected
// time range and the nominal-voltage factor of the estimated powers. The graph view base
// implements it.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"

class CBasicViewSettings;
class CWnd;

// Sent to the graph view after a table stored a session's nominal voltage: re-read the settings.
inline constexpr UINT WM_GRAPH_SETTINGS_CHANGED = 0x432;

class ILinkedGraphView
{
public:
    virtual ~ILinkedGraphView() = default;

    virtual CWnd* GetGraphWindow() = 0;
    virtual CBasicViewSettings* GetGraphSettings() = 0;
    // The table's collapse-state text, kept with the graph's settings.
    virtual void SetTableStateText(bool timeRangeTable, const CString& text) = 0;
    // 1 Energy study, 2 Load study.
    virtual int GetStudyKind() const = 0;
    // The time range of the markers on session i's time axis; false while no range is on.
    virtual bool GetSelectedTimeRange(int session, CHighTime& begin, CHighTime& end) const = 0;
    // The factor that turns the estimated apparent power of session i to its nominal voltage.
    virtual float GetNominalVoltageFactor(int session) const = 0;
    // Shows or hides the page's time-range table section with the time range.
    virtual void UpdateTimeRangeSection() = 0;
};
