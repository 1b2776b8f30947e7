#pragma once
// The channel and position of each X-axis data cursor as the view last saw them (kept while
// the chart reports cursor readouts), and the helpers that make the readout.
#include "platform/framework/CString.h"

#include <array>

class CiPlotX;
struct SCurAxisDetails;

struct SCursorRecord
{
    CString channelName;
    double position = 0.0;
    bool placed = false;
};

class CCursorRecords
{
public:
    static constexpr int kCount = 2;

    const SCursorRecord& Get(int cursor) const { return m_records[std::size_t(cursor)]; }
    // The cursor's present channel and position.
    void Store(const CiPlotX& chart, int cursor);
    // Each cursor back on its stored channel when that channel exists and is visible.
    void Restore(CiPlotX& chart) const;
    // As the stored settings keep them: channel index (-1 not placed) and position.
    void ToDetails(const CiPlotX& chart, SCurAxisDetails& details) const;
    void FromDetails(const CiPlotX& chart, const SCurAxisDetails& details);

private:
    std::array<SCursorRecord, kCount> m_records;
};

// The three lines of a cursor readout: channel title, value with unit, time.
CString ComposeCursorReadout(const CString& title, const CString& value, const CString& time);
// A readout position (percent of the plot height) moved off a marker it would cover: when it
// lies within 10 of the marker, to 10 (marker above 50) or 90.
double ReadoutPositionAvoiding(double readout, double marker);
