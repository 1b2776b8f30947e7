#pragma once
// The values of one session's demand block over a record range: forward, reverse and total
// active energy with their costs at the session's tariff, and the maximum demand.
#include "datamodel/RecordRange.h"
#include "study/DemandTableData.h"

class CEnergyCostSchedule;
class CTrendTimeBlock;
class ITrendChannelAccess;

// `forward` and `reverse` read the energy per interval (kWh) of quantities 48 and 49 of the
// block; either may be null (its sums stay without value). Records are priced in time order.
void ComputeDemandValues(const CTrendTimeBlock& block, const ITrendChannelAccess* forward,
                         const ITrendChannelAccess* reverse, SRecordRange range, CEnergyCostSchedule& schedule,
                         double validRatio, structDemandTableData& data);

