#include "study/TimeRangeMarkers.h"

#include "datamodel/HighTime.h"
#include "datamodel/TimeRounding.h"
#include "platform/chart/CiPlotX.h"
#include "project/TimeRangeRule.h"
#include "study/AxisControlBlock.h"
#include "study/PlotNames.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMarkerHeight = 80.0;
constexpr double kEdgeTolerance = 1.1574074074074073e-7; // 0.01 s in days
constexpr COLORREF kMarkerColor = RGB(0, 90, 160);
constexpr COLORREF kLabelFill = RGB(221, 230, 233);
constexpr int kIndicatorPixels = 8;
constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;

} // namespace

CTimeRangeMarkers::CTimeRangeMarkers(CiPlotX* chart, SAxisControlBlock* axisControls)
    : m_chart(chart), m_axisControls(axisControls)
{
}

SPlotLimit* CTimeRangeMarkers::Limit(const char* name) const
{
    return m_chart ? m_chart->GetLimit(m_chart->FindLimit(name)) : nullptr;
}

int CTimeRangeMarkers::LimitIndex(const char* name) const
{
    return m_chart ? m_chart->FindLimit(name) : -1;
}

void CTimeRangeMarkers::Create()
{
    if (!m_chart)
        return;
    // A rebuilt chart loses its limits but keeps its labels: each kind is made when missing.
    const CString axis = XAxisName(m_referenceAxis);
    if (m_chart->FindLimit(kTimeRangeStart) < 0)
        for (const char* name : {kTimeRangeLeftIndicator, kTimeRangeRightIndicator, kTimeRangeStart, kTimeRangeEnd}) {
            SPlotLimit limit;
            limit.name = name;
            limit.kind = EPlotLimitKind::XMarker;
            limit.axisName = axis;
            limit.position2 = kMarkerHeight;
            limit.color = kMarkerColor;
            limit.size = 2;
            limit.style = name == kTimeRangeStart || name == kTimeRangeEnd ? 0 : 1;
            limit.draggable = true;
            limit.visible = false;
            m_chart->AddLimit(limit);
        }
    if (m_chart->FindLabel(kTimeRangeStart) < 0)
        for (const char* name : {kTimeRangeStart, kTimeRangeEnd}) {
            SPlotLabel label;
            label.name = name;
            label.kind = EPlotLabelKind::Text;
            label.xAxisName = axis;
            label.y = kMarkerHeight;
            label.filled = true;
            label.fillColor = kLabelFill;
            label.visible = false;
            m_chart->AddLabel(label);
        }
}

void CTimeRangeMarkers::SetVisible(bool visible)
{
    for (const char* name : {kTimeRangeLeftIndicator, kTimeRangeRightIndicator, kTimeRangeStart, kTimeRangeEnd})
        if (SPlotLimit* limit = Limit(name))
            limit->visible = visible;
    for (const char* name : {kTimeRangeStart, kTimeRangeEnd})
        if (SPlotLabel* label = m_chart->GetLabel(m_chart->FindLabel(name)))
            label->visible = visible;
}

void CTimeRangeMarkers::Show(bool on)
{
    if (!m_chart)
        return;
    if (on != m_shown) {
        for (int i = 0; i < CiPlotX::kCursorCount; ++i) {
            SPlotDataCursor& cursor = m_chart->GetCursor(i);
            if (on) {
                m_savedCursorStyles[i] = cursor.style;
                cursor.style = 0;
            } else if (cursor.style == 0) {
                cursor.style = m_savedCursorStyles[i];
            }
        }
    }
    Create();
    if (!on) {
        m_shown = false;
        SetVisible(false);
        return;
    }
    m_shown = true;
    SetVisible(true);
    PlaceObjects();
    m_rangeSet = true;
}

void CTimeRangeMarkers::Store(double begin, double end)
{
    SValueRange range{begin, end};
    if (!OrderTimeRange(range))
        return;
    m_begin = range.from;
    m_end = range.to;
}

void CTimeRangeMarkers::SetRange(double begin, double end)
{
    Store(begin, end);
    m_crossed = false;
    if (m_shown)
        PlaceObjects();
}

void CTimeRangeMarkers::Shift(double delta)
{
    SetRange(m_begin + delta, m_end + delta);
}

double CTimeRangeMarkers::GetBegin(int session) const
{
    const CPlotXAxis* reference = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    const CPlotXAxis* axis = m_chart ? m_chart->GetXAxis(session) : nullptr;
    if (!reference || !axis || session == m_referenceAxis)
        return m_begin;
    return axis->FractionToValue(reference->ValueToFraction(m_begin));
}

double CTimeRangeMarkers::GetEnd(int session) const
{
    const CPlotXAxis* reference = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    const CPlotXAxis* axis = m_chart ? m_chart->GetXAxis(session) : nullptr;
    if (!reference || !axis || session == m_referenceAxis)
        return m_end;
    return axis->FractionToValue(reference->ValueToFraction(m_end));
}

void CTimeRangeMarkers::PlaceObjects()
{
    const CPlotXAxis* axis = m_chart->GetXAxis(m_referenceAxis);
    if (!axis)
        return;
    if (!m_rangeSet)
        Store(axis->FractionToValue(0.3), axis->FractionToValue(0.7));
    SPlotLimit* start = Limit(kTimeRangeStart);
    SPlotLimit* end = Limit(kTimeRangeEnd);
    SPlotLimit* left = Limit(kTimeRangeLeftIndicator);
    SPlotLimit* right = Limit(kTimeRangeRightIndicator);
    if (!start || !end || !left || !right)
        return;
    const CString axisName = XAxisName(m_referenceAxis);
    for (SPlotLimit* limit : {start, end, left, right})
        limit->axisName = axisName;
    // While a drag holds the start marker beyond the end marker, each stays under the pointer
    // that put it there; the release puts them in order.
    start->position1 = m_crossed ? m_end : m_begin;
    end->position1 = m_crossed ? m_begin : m_end;
    for (auto [name, value] : {std::pair{kTimeRangeStart, start->position1}, std::pair{kTimeRangeEnd, end->position1}})
        if (SPlotLabel* label = m_chart->GetLabel(m_chart->FindLabel(name))) {
            label->xAxisName = axisName;
            label->x = value;
            label->text = axis->FormatValue(value);
            label->y = kMarkerHeight;
        }
    if (!m_shown)
        return;
    // The earlier and the later marker; an indicator stands in for a marker out of the window.
    SPlotLimit* earlier = start->position1 <= end->position1 ? start : end;
    SPlotLimit* later = earlier == start ? end : start;
    left->position1 = axis->GetMin();
    right->position1 = axis->GetMax();
    start->visible = end->visible = true;
    left->visible = right->visible = false;
    if (axis->GetMin() - kEdgeTolerance > earlier->position1) {
        earlier->visible = false;
        left->visible = true;
        left->position2 = earlier->position2;
    }
    if (later->position1 > axis->GetMax() + kEdgeTolerance) {
        later->visible = false;
        right->visible = true;
        right->position2 = later->position2;
    }
    for (auto [name, marker] : {std::pair{kTimeRangeStart, start}, std::pair{kTimeRangeEnd, end}})
        if (SPlotLabel* label = m_chart->GetLabel(m_chart->FindLabel(name)))
            label->visible = marker->visible;
    SeparateLabels(earlier == start);
}

void CTimeRangeMarkers::SeparateLabels(bool startIsEarlier)
{
    // Markers closer than a label's width: the later marker's label stands a line lower (higher
    // where the plot has no room below), so that both dates read whole.
    const int first = m_chart->FindLabel(startIsEarlier ? kTimeRangeStart : kTimeRangeEnd);
    const int second = m_chart->FindLabel(startIsEarlier ? kTimeRangeEnd : kTimeRangeStart);
    const CRect a = m_chart->GetLabelBox(first);
    const CRect b = m_chart->GetLabelBox(second);
    CRect overlap;
    if (a.IsRectEmpty() || b.IsRectEmpty() || !overlap.IntersectRect(a, b))
        return;
    const double line = (a.Height() + 2) * 100.0 / std::max(1, m_chart->GetLayout().plot.Height() - 1);
    SPlotLabel* later = m_chart->GetLabel(second);
    later->y = kMarkerHeight - line >= 0.0 ? kMarkerHeight - line : kMarkerHeight + line;
}

void CTimeRangeMarkers::Replace()
{
    if (m_shown)
        PlaceObjects();
}

void CTimeRangeMarkers::SetActiveSide(int limitIndex)
{
    if (limitIndex >= 0 && (limitIndex == LimitIndex(kTimeRangeStart) || limitIndex == LimitIndex(kTimeRangeLeftIndicator)))
        m_activeSide = 1;
    else if (limitIndex >= 0 && (limitIndex == LimitIndex(kTimeRangeEnd) || limitIndex == LimitIndex(kTimeRangeRightIndicator)))
        m_activeSide = 0;
    else
        m_activeSide = -1;
}

int CTimeRangeMarkers::MarkerChannel(bool start) const
{
    // The channel the marker's cursor follows (the start marker's is the first cursor), while it
    // shows data on the reference axis; else the first such channel.
    const CString axisName = XAxisName(m_referenceAxis);
    const int followed = m_chart->FindChannel(m_chart->GetCursor(start ? 0 : 1).channelName);
    if (const CPlotChannel* channel = m_chart->GetChannel(followed);
        channel && channel->IsVisible() && channel->IsEnabled() && channel->GetXAxisName() == axisName &&
        channel->GetCount() > 0)
        return followed;
    for (int i = 0; i < m_chart->GetChannelCount(); ++i) {
        const CPlotChannel* channel = m_chart->GetChannel(i);
        if (channel->IsVisible() && channel->IsEnabled() && channel->GetXAxisName() == axisName && channel->GetCount() > 0)
            return i;
    }
    return -1;
}

bool CTimeRangeMarkers::OnArrowKey(int& key)
{
    if ((key != kLeftArrow && key != kRightArrow) || m_activeSide < 0 || !m_chart)
        return false;
    const bool left = key == kLeftArrow;
    key = 0;
    const CPlotChannel* channel = m_chart->GetChannel(MarkerChannel(m_activeSide == 1));
    if (!channel)
        return false;
    const double position = m_activeSide == 1 ? m_begin : m_end;
    // The sample at or before the marker; left goes to the one before a marker on a sample,
    // right to the next one, bounded by the channel's first and last samples.
    int index = channel->GetIndexOfX(position);
    if (left) {
        if (index >= 0 && channel->GetXValue(index) >= position)
            --index;
        if (index < 0)
            return false;
    } else {
        ++index;
        if (index >= channel->GetCount())
            return false;
    }
    const double target = channel->GetXValue(index);
    if (target == position)
        return false;
    // A marker moved past the other one becomes the other side, as a drag's release makes it.
    if (m_activeSide == 1) {
        SetRange(target, m_end);
        if (target > m_begin)
            m_activeSide = 0;
    } else {
        SetRange(m_begin, target);
        if (target < m_end)
            m_activeSide = 1;
    }
    return true;
}

void CTimeRangeMarkers::OnPointClicked(int channelIndex, int point)
{
    const CPlotChannel* channel = m_chart ? m_chart->GetChannel(channelIndex) : nullptr;
    const CPlotXAxis* axis = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    if (!channel || !axis || point < 0 || point >= channel->GetCount())
        return;
    for (int i = 0; i < CiPlotX::kCursorCount; ++i)
        m_chart->GetCursor(i).channelName = channel->GetName();
    const double x = channel->GetXValue(point);
    const double low = axis->GetMin();
    const double high = axis->GetMax();
    const bool beginInside = m_begin >= low && m_begin <= high;
    const bool endInside = m_end >= low && m_end <= high;
    if ((beginInside && endInside) || (m_begin <= low && m_end >= high)) {
        if (std::fabs(x - m_begin) <= std::fabs(x - m_end))
            SetRange(x, m_end);
        else
            SetRange(m_begin, x);
    } else if ((m_begin < low && endInside) || (m_begin > high && m_end > high)) {
        SetRange(x, m_end);
    } else if ((m_end > high && beginInside) || (m_begin < low && m_end < low)) {
        SetRange(m_begin, x);
    }
}

void CTimeRangeMarkers::OnObjectDragged(int limitIndex, int flag)
{
    const CPlotXAxis* axis = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    SPlotLimit* start = Limit(kTimeRangeStart);
    SPlotLimit* end = Limit(kTimeRangeEnd);
    SPlotLimit* left = Limit(kTimeRangeLeftIndicator);
    SPlotLimit* right = Limit(kTimeRangeRightIndicator);
    if (!axis || !start || !end || !left || !right || limitIndex < 0)
        return;
    const int plotWidth = std::max(1, m_chart->GetLayout().plot.Width());
    const double indicatorWidth = double(kIndicatorPixels) / plotWidth; // fraction of the axis
    auto clampToAxis = [axis](double value) { return std::clamp(value, axis->GetMin(), axis->GetMax()); };
    if (limitIndex == LimitIndex(kTimeRangeLeftIndicator)) {
        const double fraction = axis->ValueToFraction(left->position1);
        if (fraction > indicatorWidth || start->visible)
            start->position1 = clampToAxis(left->position1);
        left->position1 = axis->GetMin();
    } else if (limitIndex == LimitIndex(kTimeRangeRightIndicator)) {
        const double fraction = axis->ValueToFraction(right->position1);
        if (fraction < 1.0 - indicatorWidth || end->visible)
            end->position1 = clampToAxis(right->position1);
        right->position1 = axis->GetMax();
    } else if (flag == 1 && (limitIndex == LimitIndex(kTimeRangeStart) || limitIndex == LimitIndex(kTimeRangeEnd))) {
        SPlotLimit* marker = m_chart->GetLimit(limitIndex);
        marker->position1 = clampToAxis(marker->position1);
    }
    start->position2 = std::clamp(start->position2, 0.0, 100.0);
    end->position2 = std::clamp(end->position2, 0.0, 100.0);
    Store(std::min(start->position1, end->position1), std::max(start->position1, end->position1));
    m_crossed = start->position1 > end->position1;
    PlaceObjects();
}

double CTimeRangeMarkers::SnapToData(double value, bool start) const
{
    const CPlotChannel* channel = m_chart->GetChannel(MarkerChannel(start));
    const CPlotXAxis* axis = m_chart->GetXAxis(m_referenceAxis);
    if (!channel || !axis)
        return value;
    const int index = channel->GetIndexOfX(value);
    if (index < 0 || value > channel->GetXValue(channel->GetCount() - 1))
        return value; // before the first sample or after the last: as it is
    return std::clamp(channel->GetXValue(index), axis->GetMin(), axis->GetMax());
}

void CTimeRangeMarkers::OnObjectReleased(int limitIndex)
{
    SPlotLimit* start = Limit(kTimeRangeStart);
    SPlotLimit* end = Limit(kTimeRangeEnd);
    const CPlotXAxis* axis = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    if (!start || !end || !axis)
        return;
    const bool startReleased = limitIndex == LimitIndex(kTimeRangeStart);
    const bool endReleased = limitIndex == LimitIndex(kTimeRangeEnd);
    bool releasedIsStart = startReleased;
    if (start->position1 > end->position1) {
        std::swap(start->position1, end->position1);
        std::swap(start->position2, end->position2);
        if (startReleased || endReleased) {
            releasedIsStart = !startReleased;
            m_activeSide = releasedIsStart ? 1 : 0;
        }
    }
    double from = start->position1;
    double to = end->position1;
    const double onePixel = axis->GetSpan() / std::max(1, m_chart->GetLayout().plot.Width());
    if ((startReleased || endReleased) && releasedIsStart && from >= axis->GetMin() + onePixel)
        from = SnapToData(from, true);
    if ((startReleased || endReleased) && !releasedIsStart && to <= axis->GetMax() - onePixel)
        to = SnapToData(to, false);
    Store(from, to);
    m_crossed = false;
    m_rangeSet = true;
    PlaceObjects();
    m_chart->Repaint();
}

bool CTimeRangeMarkers::OnIndicatorClicked(int limitIndex)
{
    const CPlotXAxis* reference = m_chart ? m_chart->GetXAxis(m_referenceAxis) : nullptr;
    if (!reference || limitIndex < 0)
        return false;
    double fraction = 0.0;
    if (limitIndex == LimitIndex(kTimeRangeLeftIndicator))
        fraction = reference->ValueToFraction(m_begin);
    else if (limitIndex == LimitIndex(kTimeRangeRightIndicator))
        fraction = reference->ValueToFraction(m_end) - 1.0;
    else
        return false;
    const bool onlyReference = m_axisControls && m_axisControls->coupled == 1;
    for (int i = 0; i < m_chart->GetXAxisCount(); ++i) {
        const CPlotXAxis* axis = m_chart->GetXAxis(i);
        if (!axis->IsVisible() || (onlyReference && i != m_referenceAxis))
            continue;
        m_chart->SetXAxisRange(i, axis->GetMin() + fraction * axis->GetSpan(), axis->GetSpan());
    }
    PlaceObjects();
    return true;
}

void CTimeRangeMarkers::ScrollAxis(int axis, int direction, bool coupled, const DataRange& dataRange)
{
    const CPlotXAxis* scrolled = m_chart ? m_chart->GetXAxis(axis) : nullptr;
    if (!scrolled || direction == 0)
        return;
    // One span, or, for whole local calendar days (a day or a week shown), as many such days:
    // across a clock change the window stays days, of 23 or 25 hours. The last window ends with
    // the data, the first begins with it; an axis already beyond stays where it is. Coupled
    // axes follow the scrolled one by the same time.
    const double low = scrolled->GetMin();
    const double high = scrolled->GetMax();
    const int days = CountLocalCalendarDays(low, high);
    const auto endFrom = [&](double begin) {
        return days > 0 ? AddLocalCalendarDays(CHighTime::FromDate(begin), days).GetAsDate() : begin + (high - low);
    };
    const auto beginTo = [&](double end) {
        return days > 0 ? AddLocalCalendarDays(CHighTime::FromDate(end), -days).GetAsDate() : end - (high - low);
    };
    double begin = direction > 0 ? high : beginTo(low);
    double end = direction > 0 ? endFrom(high) : low;
    double first = 0.0;
    double last = 0.0;
    if (dataRange && dataRange(axis, first, last)) {
        if (direction > 0 && end > last) {
            end = std::max(high, last);
            begin = end == high ? low : beginTo(end);
        } else if (direction < 0 && begin < first) {
            begin = std::min(low, first);
            end = begin == low ? high : endFrom(begin);
        }
    }
    const double delta = begin - low;
    if (direction > 0 ? delta <= 0.0 : delta >= 0.0)
        return;
    for (int i = 0; i < m_chart->GetXAxisCount(); ++i) {
        if (!coupled && i != axis)
            continue;
        const CPlotXAxis* xAxis = m_chart->GetXAxis(i);
        m_chart->SetXAxisRange(i, xAxis->GetMin() + delta, i == axis ? end - begin : xAxis->GetSpan());
        if (m_shown && i == m_referenceAxis)
            Shift(delta);
    }
    PlaceObjects();
}
