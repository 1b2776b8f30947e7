#include "study/CursorRecords.h"

#include "platform/chart/CiPlotX.h"
#include "project/SCurAxisDetails.h"

#include <cmath>

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
        chart.SetCursorPosition(i, record.position);
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
