#pragma once
// How a record series is read: demand or averaging records, and how many recorded intervals
// make one shown interval.
#include "platform/framework/WinTypes.h"

class CMeasurementConfig;

struct STrendAccessSpec
{
    BYTE demand = 0;    // 1 = demand records, 0 = averaging records
    DWORD multiple = 1; // recorded intervals per shown interval; never 0

    bool IsGrouped() const { return multiple != 1; }
    friend bool operator==(const STrendAccessSpec&, const STrendAccessSpec&) = default;
};

// The multiple that shows the series at `displaySeconds` (0 = as recorded). False when the
// display interval is not a whole multiple of the recorded one; the accessSpec then holds the
// truncated multiple, but at least 1.
bool GetIntervalMultiple(const CMeasurementConfig& config, int displaySeconds, STrendAccessSpec& accessSpec, bool demand);
