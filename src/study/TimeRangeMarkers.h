#pragma once
// CTimeRangeMarkers: the user's time range on a graph, drawn as two draggable vertical markers
// with date labels on the X axis of the first shown session (the reference axis), and two edge
// indicators that stand in for a marker scrolled out of the visible window. Begin and end are
// values of the reference axis; another session's axis gets the same relative stretch of its own
// visible span, so sessions of different time bases are aligned by position, not by date.
// The markers hold the page's time range: every input that changes it comes here, and the
// range they hold is always in order and inside the pickers' limits (project/TimeRangeRule.h).
#include "platform/framework/CString.h"

#include <functional>

class CiPlotX;
struct SAxisControlBlock;
struct SPlotLimit;

inline constexpr char kTimeRangeStart[] = "TimeRangeStart";
inline constexpr char kTimeRangeEnd[] = "TimeRangeEnd";
inline constexpr char kTimeRangeLeftIndicator[] = "TimeRangeOutOfBorderLeft";
inline constexpr char kTimeRangeRightIndicator[] = "TimeRangeOutOfBorderRight";

class CTimeRangeMarkers
{
public:
    CTimeRangeMarkers(CiPlotX* chart, SAxisControlBlock* axisControls);

    // Makes the markers, indicators and labels on the chart (nothing when they exist).
    void Create();
    // On: the data cursors are switched off, the range placed (30 % and 70 % of the visible span
    // the first time) and the markers shown. Off: markers hidden, cursors back; the range is kept.
    void Show(bool on);
    void SetRange(double begin, double end);
    void Shift(double delta);
    // Begin and end on the X axis of session i.
    double GetBegin(int session) const;
    double GetEnd(int session) const;
    double GetBegin() const { return m_begin; }
    double GetEnd() const { return m_end; }
    bool IsShown() const { return m_shown; }
    bool IsRangeSet() const { return m_rangeSet; }
    void SetRangeSet(bool set) { m_rangeSet = set; }
    int GetReferenceAxis() const { return m_referenceAxis; }
    void SetReferenceAxis(int axis) { m_referenceAxis = axis; }
    int GetActiveSide() const { return m_activeSide; }

    // The clicked limit object decides the active side: 1 start side, 0 end side, -1 other.
    void SetActiveSide(int limitIndex);
    // Left (37) and right (39) arrows move the active marker to the previous or next sample of the
    // reference channel; a handled key is consumed (set to 0). True when a marker moved.
    bool OnArrowKey(int& key);
    // A data point was clicked: the nearer (or the only visible) marker moves to it.
    void OnPointClicked(int channel, int point);
    // A marker or indicator was released: the markers are put in order and snapped to the data.
    void OnObjectReleased(int limitIndex);
    // A marker or indicator was dragged (flag 1: a marker outside the window goes back inside).
    void OnObjectDragged(int limitIndex, int flag);
    // An indicator was clicked: the axes scroll so that the range's edge lies at the window's edge.
    // True when the axes moved.
    bool OnIndicatorClicked(int limitIndex);
    // The first and last date of the data an X axis shows; false when it shows none.
    using DataRange = std::function<bool(int axis, double& first, double& last)>;
    // Scrolls X axis `axis` one visible span forward (direction > 0) or back (whole local
    // calendar days by as many such days), but not beyond the end or before the start of its
    // data; coupled, every X axis moves by the same time. The range follows the reference axis.
    void ScrollAxis(int axis, int direction, bool coupled, const DataRange& dataRange);
    // Labels and indicators placed again for the present axis range.
    void Replace();

private:
    // Every change of begin and end comes here: the range is kept in order and inside the
    // limits (a value that is no range is not taken).
    void Store(double begin, double end);
    SPlotLimit* Limit(const char* name) const;
    int LimitIndex(const char* name) const;
    // The channel a marker follows on the reference axis; -1 without one.
    int MarkerChannel(bool start) const;
    double SnapToData(double value, bool start) const;
    void PlaceObjects();
    void SeparateLabels(bool startIsEarlier);
    void SetVisible(bool visible);

    CiPlotX* m_chart;
    SAxisControlBlock* m_axisControls;
    int m_referenceAxis = 0;
    bool m_shown = false;
    bool m_rangeSet = false;
    double m_begin = 0.0;
    double m_end = 0.0;
    // A drag holds the start marker beyond the end marker (until the release).
    bool m_crossed = false;
    int m_activeSide = -1;
    int m_savedCursorStyles[2] = {0, 0};
};
