#include "datamodel/TrendAccess.h"

#include "datamodel/MeasurementConfig.h"

bool GetIntervalMultiple(const CMeasurementConfig& config, int displaySeconds, STrendAccessSpec& accessSpec, bool demand)
{
    accessSpec.demand = demand ? 1 : 0;
    accessSpec.multiple = 1;
    if (displaySeconds == 0)
        return true;
    const LONGLONG base = demand ? LONGLONG(config.GetDemandInterval()) : LONGLONG(config.GetAveragingInterval());
    if (base <= 0)
        return true;
    if (displaySeconds < 0)
        return false;
    const LONGLONG multiple = displaySeconds / base;
    // A display interval shorter than the recorded one has no multiple; 0 is never handed on.
    if (multiple == 0)
        return false;
    accessSpec.multiple = DWORD(multiple);
    return displaySeconds % base == 0;
}
