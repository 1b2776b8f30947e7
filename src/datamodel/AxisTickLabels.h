#pragma once
// Tick positions and texts of a chart's value axis: "nice" steps of 1, 2 or 5 times a power of
// ten, labelled in the display scale of the quantity.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "datamodel/SValueFormat.h"

#include <vector>

class CValueFormatter;

struct SAxisTickLabel
{
    CString text;
    double value; // the axis position in unscaled units
};

// 0 and the labels sorted by value when at least three ticks fall inside minimum .. maximum;
// -1 with the labels left as they were otherwise (also for an empty or non-finite range, a
// zero divisor or a tick count below one). Power-factor axes label only -1 .. 1; the folded
// power factors show their unfolded value and "+/-1" at 0.
int BuildAxisTickLabels(const CValueFormatter& formatter, DWORD quantity, const SValueFormat& scale, double minimum,
                        double maximum, int tickCount, std::vector<SAxisTickLabel>& labels);
