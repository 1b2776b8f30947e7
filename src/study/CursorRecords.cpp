#include "study/CursorRecords.h"

#include "platform/chart/CiPlotX.h"
#include "project/SCurAxisDetails.h"

#include <cmath>

namespace
{
// A stored position within 10 ms of a record is that record's time: older project files kept
// times as day numbers of twelve digits (8.64 ms coarse), just before their record.
double OnRecord(const CPlotChannel& channel, double position)
{
    constexpr double kTolerance = 0.01 / 86400.0;
    const int next = channel.GetIndexOfX(position) + 1;
    if (next >= 0 && next < channel.GetCount() && channel.GetXValue(next) - position < kTolerance)
        return channel.GetXValue(next);
    return position;
}
} // namespace

void CCursorRecords::Store(const CiPlotX& chart, int cursor)
{
    if (cursor < 0 || cursor >= kCount)
        return;
    const SPlotDataCursor& c = chart.GetCursor(cursor);
    m_records[std::size_t(cursor)] = {c.channelName, c.position, chart.FindChannel(c.channelName) >= 0};
}

void CCursorRecords::Restore(CiPlotX& chart) const
{
    for (int i = 0; i < kCount; ++i) {
        const SCursorRecord& record = m_records[std::size_t(i)];
        const CPlotChannel* channel = chart.GetChannel(chart.FindChannel(record.channelName));
        if (!record.placed || !channel || !channel->IsVisible())
            continue;
        chart.GetCursor(i).channelName = record.channelName;
        // Outside the data fed so far (only what the time axis shows is fed) the cursor stays
        // where it was stored instead of moving onto the first point fed.
        const double position = OnRecord(*channel, record.position);
        if (channel->GetCount() > 0 && position >= channel->GetXValue(0) &&
            position <= channel->GetXValue(channel->GetCount() - 1))
            chart.SetCursorPosition(i, position);
        else
            chart.GetCursor(i).position = position;
    }
}

void CCursorRecords::ToDetails(const CiPlotX& chart, SCurAxisDetails& details) const
{
    for (int i = 0; i < kCount && i < SCurAxisDetails::kMaxXCursors; ++i) {
        const SCursorRecord& record = m_records[std::size_t(i)];
        details.xCursors[std::size_t(i)] = {record.placed ? chart.FindChannel(record.channelName) : -1, record.position};
    }
}

void CCursorRecords::FromDetails(const CiPlotX& chart, const SCurAxisDetails& details)
{
    for (int i = 0; i < kCount && i < SCurAxisDetails::kMaxXCursors; ++i) {
        const SXCursorDetails& stored = details.xCursors[std::size_t(i)];
        const CPlotChannel* channel = chart.GetChannel(stored.index);
        m_records[std::size_t(i)] = channel ? SCursorRecord{channel->GetName(), stored.pos, true} : SCursorRecord{};
    }
}

CString ComposeCursorReadout(const CString& title, const CString& value, const CString& time)
{
    return title + "\n" + value + "\n" + time;
}

double ReadoutPositionAvoiding(double readout, double marker)
{
    if (std::fabs(readout - marker) < 10.0)
        return marker > 50.0 ? 10.0 : 90.0;
    return readout;
}
