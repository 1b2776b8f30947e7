#pragma once
// CBasicGraphView: the base of every study graph. It keeps a working copy of its view settings,
// follows each document update through a fixed sequence (settings, sessions, axes, channels,
// data, time range, working hours, table refills), feeds the sessions' trend values to its chart
// inside a window around the visible range, labels the axes, and answers the chart's events,
// its dialog bar, its section toolbar and the private messages of its table views. A study view
// fills in the per-study hooks (data items, chart set-up, which channels are shown...).
#include "datamodel/TrendAccess.h"
#include "platform/chart/CiPlotX.h"
#include "project/BasicViewSettings.h"
#include "project/IBasicGraphView.h"
#include "study/AxisControlBlock.h"
#include "study/CursorRecords.h"
#include "study/LinkedGraphView.h"
#include "study/NoteAnnotations.h"
#include "study/ScaleTooltipLayout.h"
#include "study/ScaleTooltips.h"
#include "study/TimeRangeMarkers.h"

#include <algorithm>
#include "study/ZoomRectangle.h"
#include "views/ButtonST.h"
#include "views/RecordFormView.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CBasicGraphViewDialogBar;
class CDataSet;
class CDataItemTrend;
class CMeasurementConfig;
class CMySplitterWnd;
class CQuantityInfo;
class CRecTrendToIOComp;
class CTrendChannel;
class CTrendTimeBlock;
class CUpdateMsg;
struct SFeederChannel;

// Private messages of the graph views and their table views.
inline constexpr UINT WM_TABLE_REFILL = 0x434;    // WM_USER+52: wParam 1 full recomputation, 2 clear
inline constexpr UINT WM_SECTION_TOGGLE = 0x43A;  // WM_USER+58: collapse or expand the section
inline constexpr WPARAM kRefillForce = 1;
inline constexpr WPARAM kRefillClear = 2;
// Notifications of WM_GRAPH_NOTIFY (high word of wParam).
inline constexpr WORD kGraphRefreshNotification = 257;
inline constexpr WORD kViewLeftNotification = 258;

inline constexpr UINT kGraphChartId = 1108;
inline constexpr UINT kGraphOptionsButton = 2258;

// Timers of the graph views (200 ms each).
inline constexpr UINT_PTR kFeedTimer = 1004;
inline constexpr UINT_PTR kDialogBarTimer = 1005;
inline constexpr UINT_PTR kWorkingHoursTimer = 1006;
inline constexpr UINT kGraphTimerMs = 200;

// One plotted quantity of a view.
struct SDataItem
{
    DWORD quantity = 0;
    int phaseSlots = 1; // phases A, B, C and the total: slots 0..3
    int row = -1;       // check-box row 0..5; negative: no check boxes
    int yAxis = 0;      // -1 auxiliary axis
    bool demandRecords = false;
    bool useDemandPeriod = false;
};

// The name of one plotted value: a data item's quantity at one phase slot.
struct SPlottedSelector
{
    DWORD quantity = 0;
    int slot = 0;
    CString name;
};

class CBasicGraphView : public CRecordFormView, public IBasicGraphView, public IPlotEventSink, public ILinkedGraphView
{
public:
    CBasicGraphView(int settingsKind, int viewKind, int studyType);
    ~CBasicGraphView() override;

    // ---- links made by the main view
    void SetDialogBar(CBasicGraphViewDialogBar* bar) { m_dialogBar = bar; }
    CBasicGraphViewDialogBar* GetDialogBar() const { return m_dialogBar; }
    void SetTableViews(CMyFormView* table, CMyFormView* timeRangeTable)
    {
        m_tableView = table;
        m_timeRangeTableView = timeRangeTable;
    }
    // A table view reports its new state text (kept for the settings).
    void SetTableStateText(bool timeRangeTable, const CString& text) override;
    // ---- what the table views ask (ILinkedGraphView)
    CWnd* GetGraphWindow() override { return this; }
    CBasicViewSettings* GetGraphSettings() override { return &m_settings; }
    int GetStudyKind() const override { return m_studyType; }
    bool GetSelectedTimeRange(int session, CHighTime& begin, CHighTime& end) const override;
    float GetNominalVoltageFactor(int session) const override { return float(NominalVoltageFactor(session)); }

    // ---- what the rest of the system asks
    void OnInitialUpdate() override;
    virtual void OnUpdate(CWnd* sender, LPARAM hint, CUpdateMsg* hintObject);
    void OnActivateView(bool activate);
    CBasicViewSettings& GetSettings() { return m_settings; }
    const CBasicViewSettings& GetSettings() const { return m_settings; }
    CRecTrendToIOComp* GetDataToIOComp() const { return m_feeder.get(); }
    CiPlotX* GetPlotControl() { return &m_chart; }
    CTimeRangeMarkers& GetTimeRangeMarkers() { return m_markers; }
    CNoteAnnotations& GetNotes() { return m_notes; }
    const std::vector<SDataItem>& GetDataItems() const { return m_dataItems; }
    int GetStudyType() const { return m_studyType; }
    // The section's collapse button is disabled while a capture runs.
    bool SetCapturing(bool capturing);
    void TakeViewSettings(const CViewSettings* settings) override;
    // Chart state (axis ranges, cursors), table states and the splitter row into the settings.
    void SyncViewSettings();
    // The settings as the page shows them now (its axes as they stand) into the project, or into
    // the copy a bookmark keeps.
    void SaveViewSettings(CProjectSettings* project) override;
    // The sections of the page the user opened or collapsed, by their rows, into the settings.
    void StoreSectionStates();
    // The time-range table takes the refills it was spared while its section was hidden, before
    // the section shows with the time range off (all sections opened for a bookmark's picture).
    void FillHiddenTimeRangeTable();
    // The time axes' ranges into "upperPlot".
    void StoreXAxisRanges();
    void RecalcLayout() override;
    // The session whose time axis is the reference: the first one compatible with the study
    // and shown; -1 without one.
    int ReferenceSession() const;
    // The time axis the pickers, markers, notes and working hours follow: the reference
    // session's (0 without one).
    virtual int ReferenceAxis() const { return std::max(0, ReferenceSession()); }
    bool IsSessionCompatible(int session) const;
    // Whether the session has the item's value at that phase slot, as its tables show it (a
    // delta session has its powers as totals only).
    bool SessionHolds(int session, const SDataItem& item, int slot) const;
    // The quantities as the session (one the document holds) shows them: its aux inputs in the
    // units the user gave them.
    CQuantityInfo SessionQuantities(int session) const;
    int GetSessionCount() const { return m_sessionCount; }

    // ---- per-study hooks
    virtual void UpdateValueScales();
    virtual void RefreshGraph();
    virtual void UpdateTimeRangeSection() = 0;
    virtual void LinkWindows() {}
    virtual void InitDataItems() {}
    virtual void OnDemandSourceChanged(bool /*useTrendData*/) {}
    // Whether the time-range table is filled only once its section shows.
    virtual bool FillsTimeRangeTableWhenShown() const { return true; }
    virtual bool IsItemShown(DWORD quantity, int slot) const = 0;
    virtual CString GetDataItemName(const SDataItem& item, int slot) const;
    virtual void ConfigurePlot() = 0;
    virtual void StoreAxisCounts();
    virtual void SetDefaultSettings();

    // ---- axes and labels
    // Time labels of X axis `axis` over [minimum, maximum] (negative: the axis's own).
    void CustomXAxis(int axis, double minimum = -1.0, double maximum = -1.0);
    void LabelYAxes();
    // Channel title, value with unit and time of a data cursor (or, with cursor -1, of a channel
    // at a time); empty without a feeder or channel.
    CString GetCursorValueText(int cursor, int channel, double position) const;
    void PlaceCursorExtensionMarkers();
    // Where the scale tooltips stand over the chart after the last layout.
    const SScaleTooltipBands& GetTooltipBands() const { return m_tooltipBands; }

    // ---- options of the dialog bar
    void OnMinMaxCheck(UINT id);
    void OnLimitCheck(UINT id);
    void OnLimitEditKillFocus(UINT id);
    void OnSetTimeRange();
    void ApplyTimeRange();
    void OnTimeRangePickerChanged(bool beginSide);
    void OnTimeRangeChoice();
    void OnXAxisPickerChanged(bool beginSide);
    void OnXAxisChoice();
    void OnSpanButton(UINT id);
    // Working-hours shading; false when the time axis has no valid day range yet.
    bool DrawWorkingHours(bool clearOnly = false);
    void OnWorkingHourPickerChanged();
    void OnDemandPeriodChanged();
    void ScrollSessionAxis(int session, int direction);
    void ToggleAxisCoupling();
    // The session's label button of the axis controls shows the data cursors on its data.
    void ShowSessionCursors(int session);

    // ---- chart events
    void OnPlotEvent(SPlotEvent& event) override;

    // The record-index range of a trend time block between two chart dates (both negative: the
    // whole block; begin above end: unset, -1 .. -1).
    static void GetTimeBlockRange(const CTrendTimeBlock& block, double begin, double end, int& first, int& last);

    // The feeder channel (and chart channel) of a session's quantity, phase and statistic; -1
    // when not plotted.
    int FindFeederChannel(int session, DWORD quantity, DWORD phase, int statistic) const;

    // Values the tests and the owners read.
    int GetEventSuppression() const { return m_eventSuppression; }
    bool IsTimerRunning(UINT_PTR id) const;
    bool IsFirstUpdate() const { return m_firstUpdate; }
    // True while an update shows the settings of a bookmark.
    bool IsBookmarkApplied() const { return m_bookmarkApplied; }
    const SAxisControlBlock& GetAxisControls() const { return m_axisControls; }

protected:
    // The display scales of the data items from one session's data.
    void UpdateValueScalesOf(int session);
    // Message handling of the form view.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    void OnPaint() override;
    const CViewSettings* GetViewSettings() const override { return &m_settings; }
    CiPlotX* GetPlot() override { return &m_chart; }
    void ClearYAxisAutoFlag(int axis) override;

    // The session's nominal-voltage factor (S and Es scaling).
    double NominalVoltageFactor(int session) const;
    // The first update's one-time set-up: chart, form button, axis controls.
    void CreateChildren();
    // Rebuild of the chart from the feeder's lists (Min/Max boxes, refresh).
    void RebuildChart();
    // The sessions' X axes and the Y axes of the channels the settings show, shown; the others
    // hidden.
    void PlaceChannelAxes();
    // The markers of a time range that is on, made again on a chart rebuilt without them.
    void RemakeTimeRangeMarkers();
    // Offers each phase box where a shown session holds its value and withdraws it where none
    // does; with clearMissing a value no session of the study holds is also cleared from the
    // settings and its box (an aux box too) withdrawn.
    void OfferHeldValues(bool clearMissing);
    void BuildChannels();
    // The colour of a channel: its custom colour from the settings, else the regional phase
    // colour of its slot (lighter for Min and Max) or, in the distinct-colour preference, a
    // palette colour of its own.
    std::function<COLORREF(const SFeederChannel&)> ChannelColors() const;
    bool FeedSession(int session);
    // Every shown session fed at the chart's present width, then the chart rebuilt.
    void FeedAndRebuild();
    // A quantity's channel of a session's trend item as the graph plots it: S and Es by the
    // session's nominal-voltage factor, the aux inputs by their gain and offset, the folded power
    // factors through the fold.
    std::unique_ptr<CTrendChannel> SessionTrendChannel(int session, CDataItemTrend& trendItem, DWORD quantity,
                                                       DWORD phase) const;
    // The records a data item is plotted from: its kind's, grouped to the demand period when it
    // follows it.
    STrendAccessSpec RecordAccessOf(const SDataItem& item, const CMeasurementConfig& config) const;
    // A note's sample: the time of point `point` of chart channel `channel` in whole seconds after
    // its session's first record; none in a calendar view, whose points are days side by side.
    std::optional<int> NoteSampleOfPoint(int channel, int point) const;
    // Where a note's sample stands on the chart as it is fed now.
    CNoteAnnotations::SPlace LocateNoteSample(const CNoteAnnotations::SAnchor& anchor) const;
    void RefreshSessionTexts();
    // The names of the data items' values, from the sessions that hold them.
    void CollectPlottedSelectors();
    // The session whose quantity tables name a quantity; null when none holds it.
    const CDataSet* SessionHolding(DWORD quantity) const;
    // The rows of the options bar: names, phase boxes and limit units of the data items.
    void DescribeOptionRows();
    // Each Y axis's title carries the unit of its quantity.
    void SetYAxisUnits();
    void RefillTables(bool both, WPARAM how = 0);
    // The time range is off and its table's section hidden, or to be hidden by the first update.
    bool TimeRangeTableHidden() const;
    // Shows or hides the options bar as the settings keep it; true when that changed it.
    bool ApplyDialogBarState();
    void StartTimer(UINT_PTR id);
    void StopTimer(UINT_PTR id);
    void PlaceAxisControls();
    // The layout of RecalcLayout; false when the size and the room the axes take are unchanged
    // (nothing is done then).
    bool LayOut();
    // The chart's parts for its present size and axes: axis controls, tooltips, markers, notes
    // and labels.
    void ArrangeChart();
    // The pickers and the settings take the markers' range.
    void UpdateTimeRangePickers();
    // After every change of the time range: the pickers, the settings, the chart's picture and
    // the time-range table show the markers' range.
    void ShowTimeRange();
    // True when the settings' time range is the one an update stores for a view whose range
    // nobody placed: the reference session's whole recording.
    bool IsUntouchedTimeRange() const;
    // The X-axis scaling pickers show the range of the reference axis.
    void UpdateXAxisPickers();
    // The X-axis scaling pickers' range onto the axes (see the definition), then a refresh.
    void ApplyXAxisPickers(bool keepCentres);
    // The X-axis pickers' begin moved into the reference session's data before a length is chosen.
    void StartXAxisPickersAtData();
    // The X-axis pickers' chosen length onto the axes, its span button selected.
    void ApplyXAxisChoice();
    // The pressed span button names the reference axis's range [begin, end] (see the definition).
    void FollowSpanButton(double begin, double end);
    CMySplitterWnd* FindSplitter() const;
    void HandleCommand(UINT id, UINT code);
    // The document's change broadcast (message 1054): its own hints, or the project manager's.
    void OnDocumentChange(CUpdateMsg* hint);
    void OnXAxisChangedByUser(const SPlotEvent& event);
    // A session's time axis of the reference's span is moved so that its labelled ticks fall on
    // the reference axis's tick grid.
    void AlignAxisTicks(int axis);
    void ChannelColorMenu(int channel, int x, int y);
    // The manual scale dialog of a Y or an X axis; a confirmed range is shown and kept.
    void OpenAxisScaleDialog(bool yAxis, int index);
    // The chart's menu as the keyboard brings it, at the plot's corner; the keyboard stays on
    // the chart.
    void ChartMenuByKeys();
    // One zoom step of every time axis; the data is fed again later when the new range leaves
    // the window fed.
    void ZoomStep(bool in);
    // Labels, markers, shading and picture for new axis ranges, without feeding.
    void RefreshAxes();
    // Copy of the section to the clipboard, or its capture as a bookmark.
    void CaptureSection(bool bookmark);

    // Calendar views keep the X-axis label parity and list four session entries.
    bool m_calendar = false;
    bool m_windowedFeeding = true;
    std::vector<SDataItem> m_dataItems;
    std::vector<SPlottedSelector> m_plottedSelectors;

private:
    friend class CGraphEventScope;

    CBasicViewSettings m_settings;
    CiPlotX m_chart;
    std::unique_ptr<CRecTrendToIOComp> m_feeder;
    CButtonST m_formButton;
    bool m_capturing = false;
    SAxisControlBlock m_axisControls;
    int m_eventSuppression = 0;
    CBasicGraphViewDialogBar* m_dialogBar = nullptr;
    CMyFormView* m_tableView = nullptr;
    CMyFormView* m_timeRangeTableView = nullptr;
    // The strongest refill asked of the time-range table while the time range was off.
    std::optional<WPARAM> m_timeRangeRefill;
    CTimeRangeMarkers m_markers;
    int m_zoomState = 0;
    int m_sessionCount = 0;
    bool m_firstUpdate = true;
    bool m_updating = false;
    bool m_destroying = false;
    bool m_bookmarkApplied = false;
    int m_viewKindValue;
    int m_studyType;
    CSize m_storedSize;
    int m_reservedHeight = 0;
    bool m_inLayout = false;
    struct SFeedingState
    {
        bool deferred = true;
        double halfPixel = 0.0;
        int plotWidth = 0; // the plot's width in pixels when the data was last fed
    } m_feeding;
    std::array<int, 4> m_labelParity{-1, -1, -1, -1};
    std::array<bool, 3> m_timers{}; // 1004, 1005, 1006 running
    CNoteAnnotations m_notes;
    std::vector<CString> m_unitList;
    SScaleTooltipBands m_tooltipBands;
    CScaleTooltips m_scaleTooltips;
    CZoomRectangle m_zoom;
    CCursorRecords m_cursorRecords;
    bool m_handlingAxisChange = false;
    // The reference axis's range the span button was last chosen or named for.
    SValueRange m_spanNamedRange;
};

// Brackets a change the view makes to the chart, so that its events are not taken as the user's.
class CGraphEventScope
{
public:
    explicit CGraphEventScope(CBasicGraphView& view) : m_view(view) { ++m_view.m_eventSuppression; }
    ~CGraphEventScope() { --m_view.m_eventSuppression; }
    CGraphEventScope(const CGraphEventScope&) = delete;
    CGraphEventScope& operator=(const CGraphEventScope&) = delete;

private:
    CBasicGraphView& m_view;
};

// Holds the chart's drawing until the scope ends: one picture for a batch of changes.
class CChartDrawingScope
{
public:
    explicit CChartDrawingScope(CiPlotX& chart) : m_chart(chart) { m_chart.BeginUpdate(); }
    ~CChartDrawingScope() { m_chart.EndUpdate(); }
    CChartDrawingScope(const CChartDrawingScope&) = delete;
    CChartDrawingScope& operator=(const CChartDrawingScope&) = delete;

private:
    CiPlotX& m_chart;
};
