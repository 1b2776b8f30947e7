#pragma once
// The time labels of a chart X axis: ticks on a step chosen from how many labels fit, placed on
// round local times, every second tick labelled with the date-time text and the others minor.
//
// Chart dates come from CHighTime::GetAsDate, whose day 0 is one hour before 1899-12-30 00:00
// UTC; the local offset used to put the ticks on round local times is one hour less than the
// zone's, which cancels that hour. Stored view settings hold chart dates, so both stay as
// they are.
#include "platform/framework/CString.h"

class CPlotXAxis;

struct SXAxisLabelRequest
{
    double minimum = -1.0;   // negative: the axis's own
    double maximum = -1.0;
    double availableWidth = 0; // pixels between minimum and maximum on the axis
    double labelWidth = 0;     // pixels of a sample label in the time format
    CString timeFormat;        // strftime form of the date-time labels
    // Which half steps carry a text: 0 even ones; -1 not fixed yet (the first labelled tick
    // fixes it, for views that keep their labels on the same half steps while scrolling).
    int* parity = nullptr;
};

// Chart dates of 1 January 1602 and 1 January 3000: the labelled window.
inline constexpr double kFirstLabelDate = -109205.0;
inline constexpr double kLastLabelDate = 401768.0;

// Switches the axis to custom labels and fills them; returns the number of ticks.
int BuildXAxisTimeLabels(CPlotXAxis& axis, const SXAxisLabelRequest& request);
// Days to add to a chart date to get a value whose multiples of a step fall on round local
// times at that date.
double LocalTickOffset(double chartDate);
