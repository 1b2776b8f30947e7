#pragma once
// CDataToIOComp: what a study graph shows, and how it is put on the chart. It keeps the Y-axis
// table (quantity, title, unit, side), the channel list (session, plot slot, quantity, phase,
// statistic, shown flag, axes, colour, limit) and the date-time label format, and builds the
// chart's axes and channels from them. The views change the lists; BuildChart brings the chart
// in line.
#include "platform/chart/CiPlotX.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <functional>
#include <vector>

class CBasicViewSettings;
struct SCurAxisDetails;

inline constexpr DWORD kNoQuantity = 121;
inline constexpr DWORD kAuxAxisQuantity = 53;
inline constexpr UINT kAuxAxisTitleId = 8123;

// The statistic of a channel: the trend channel's series index.
enum EPlotStatistic
{
    kStatMin = 0,
    kStatAvg = 1,
    kStatMax = 2,
};

struct SYAxisEntry
{
    DWORD quantity = kNoQuantity; // the quantity whose unit the axis shows
    UINT titleId = 0;
    CString title;
    CString unitText;
    int side = 0; // 0 left, 1 right
    bool powerFactor = false;
    bool hasRange = false; // a stored range
    double low = 0.0;
    double high = 1.0;
    bool manual = false;
};

struct SFeederChannel
{
    int session = 0;
    int slot = 0;      // phase slot 0..3
    DWORD flags = 0;   // the check-box row of the data item
    DWORD quantity = kNoQuantity;
    DWORD phase = 0;
    int statistic = kStatAvg;
    bool shown = true;
    CString name;      // the data item's name
    CString title;     // "%d: " session number and name, with the statistic
    CString xAxisName;
    CString yAxisName; // empty: the axis of the quantity
    COLORREF color = 0;
    float limit = 0.0f;
    bool limitShown = false;
};

class CDataToIOComp
{
public:
    using ColorProvider = std::function<COLORREF(const SFeederChannel&)>;

    explicit CDataToIOComp(CiPlotX* chart);
    virtual ~CDataToIOComp();
    CDataToIOComp(const CDataToIOComp&) = delete;
    CDataToIOComp& operator=(const CDataToIOComp&) = delete;

    CiPlotX* GetChart() const { return m_chart; }

    // ---- channels
    // Every channel and axis, on the chart as well.
    void ClearAll();
    int AddChannel(int session, int slot, DWORD flags, DWORD quantity, DWORD phase, bool show, const CString& xAxisName,
                   const CString& yAxisName, const ColorProvider& color);
    int GetChannelCount() const { return int(m_channels.size()); }
    SFeederChannel* GetChannelEntry(int index);
    const SFeederChannel* GetChannelEntry(int index) const;
    // The entry of a chart channel, by its name with the "_LC"/"_TC" suffix removed; -1 when none.
    int FindChannelEntry(const CString& chartName) const;
    // The chart name of an entry: its title and "_TC".
    CString ChartChannelName(int index) const;
    // Shown flags from the view settings: a channel by its row and slot (the aux inputs by their
    // own flags), Min and Max only with the row's Min/Max flag (never in the first three rows of
    // the demand view, whose demand records have none), limits by the row's limit flag.
    void SyncChannels(const CBasicViewSettings& settings, bool demandView);

    // ---- Y axes
    const std::vector<SYAxisEntry>& GetYAxes() const { return m_yAxes; }
    void SetYAxis(int index, DWORD quantity, UINT titleId);
    void SetYAxes(int count, const DWORD* quantities, const UINT* titleIds, const BOOL* powerFactors);
    // The unit shown after the axis's title ("Power [kW]").
    void SetYAxisUnit(int index, const CString& unit);
    // The side an axis is drawn on: 0 left, 1 right.
    void SetYAxisSide(int index, int side);
    // One right-side axis per unit text (quantity 53, title "Aux") after `position`.
    void AddAuxAxes(int position, const std::vector<CString>& unitTexts);
    // The auxiliary axis of that unit; -1 when there is none.
    int FindAuxAxis(const CString& unitText) const;
    // The stored range; 0 and 1 when none.
    void GetYAxisRange(int index, double& low, double& high) const;
    void SetYAxisRange(int index, double low, double high);
    void SetYAxisManual(int index, bool manual);
    void SetAllYAxesManual(bool manual);
    int YAxisOfQuantity(DWORD quantity) const;

    // ---- X axes and labels
    void SetDateTimeFormat(const CString& format) { m_dateTimeFormat = format; }
    const CString& GetDateTimeFormat() const { return m_dateTimeFormat; }
    // The data's first and last date of a session, the range the reset step returns to.
    void SetSessionRange(int session, double first, double last);
    // False when no range was set for the session.
    bool GetSessionRange(int session, double& first, double& last) const;

    // ---- the chart
    // Axes, channels and limits of the chart from the lists (the chart's data stays).
    void BuildChart();
    void StoreAxisRanges(SCurAxisDetails& details) const;
    void RestoreAxisRanges(const SCurAxisDetails& details);
    // A completed zoom rectangle (pixels): every visible X axis and every visible Y axis takes
    // the part under it; the Y axes become manual. False when no axis changed.
    bool ApplyZoom(const CRect& rect);
    // After the user changed X axis `axis`: true when its visible range left the data fed for
    // it, so that the data must be fed again.
    bool OnAxisChange(int axis);
    // Reset step: every X axis back to its session's data, every Y axis automatic.
    void Reset();

protected:
    void SetFedWindow(int session, double start, double end);

    CiPlotX* m_chart;
    std::vector<SFeederChannel> m_channels;
    std::vector<SYAxisEntry> m_yAxes;
    CString m_dateTimeFormat;
    struct SRange
    {
        double first = 0.0;
        double last = 0.0;
        bool set = false;
    };
    std::vector<SRange> m_sessionRanges;
    std::vector<SRange> m_fedWindows;
};
