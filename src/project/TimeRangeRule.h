#pragma once
// The rule every time range a user sets on a graph page keeps, wherever it comes from (a click,
// a drag, a key, the pickers, a stored project, a bookmark): the begin is not after the end, and
// both lie inside the pickers' limits, local midnight of 1 January 1990 to that of 2050.
#include "datamodel/HighTime.h"
#include "project/ViewSettingsRecords.h"

CHighTime EarliestTimeRangeTime();
CHighTime LatestTimeRangeTime();

// [from, to] as chart dates put in order and moved inside the limits. False, leaving it as it
// was, for what is no range: a bound that is no number, or a range wholly outside the limits.
bool OrderTimeRange(SValueRange& range);
