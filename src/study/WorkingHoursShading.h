#pragma once
// The shading of working hours on a time axis: the plot turns grey and each working day of the
// visible range, and one and a half ranges either side, gets a white rectangle over its working
// hours, behind the data.
#include "platform/framework/WinTypes.h"

#include <array>

class CiPlotX;

inline constexpr char kWorkingHourAnnotation[] = "AnnWorkingHour";
inline constexpr COLORREF kOffHoursColor = 0xF4EFE9;

struct SWorkingHours
{
    bool on = false;
    double start = 0.0; // chart dates; only the local time of day counts
    double span = 0.0;
    std::array<bool, 7> days{}; // Monday first
};

// Removes the old shading; unless only clearing, draws it on X axis `axis` (negative: none).
// False when the axis holds no valid day range yet (the plot stays grey, a retry may follow).
bool ShadeWorkingHours(CiPlotX& chart, int axis, const SWorkingHours& hours, bool clearOnly);
