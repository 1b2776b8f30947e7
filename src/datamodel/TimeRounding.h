#pragma once
// Times floored to an interval of the local clock (axis ticks, demand periods, grouped records),
// local calendar days, and the step that a date-time picker field's spin means.
#include "datamodel/HighTime.h"

// Floors a time to the interval in the local calendar (seconds below 60: a multiple of the
// seconds; below an hour: of the minutes; else of the hours). A time that is not valid, or an
// interval that is not positive, is returned unchanged.
CHighTime FloorTimeToInterval(const CHighTime& time, int seconds);

// The same local time of day `days` calendar days later (earlier when negative): across a clock
// change an hour more or less than whole days. A time that is not valid is moved by whole days.
CHighTime AddLocalCalendarDays(const CHighTime& time, int days);

// The number of whole local calendar days from `begin` to `end` (chart dates: the same local
// time of day that many days later, within 1 ms); 0 when the span is no such days.
int CountLocalCalendarDays(double begin, double end);

// The time that a spin of one field of a picker means: a seconds, minutes or hours field that
// wrapped (e.g. 59 -> 00) steps the next larger unit instead of jumping back.
CHighTime StepTimeOnFieldWrap(const CHighTime& oldTime, const CHighTime& pickedTime, const CHighTimeSpan& hourStep,
                              const CHighTimeSpan& minuteStep, const CHighTimeSpan& secondStep);
