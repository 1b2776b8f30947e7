#pragma once
// The values of one session's demand block over a record range: forward, reverse and total
// active energy with their costs at the session's tariff, and the maximum demand.
#include "datamodel/RecordRange.h"
#include "platform/framework/WinTypes.h"
#include "study/DemandTableData.h"

#include <span>
#include <vector>

class CDataItemTrend;
class CEnergyCostSchedule;
class CTrendTimeBlock;

// The energy of each record of `range` (kWh) of each quantity of `quantities` of `item` as the
// logger wrote it, in double precision: a year of records sums to the digits its records hold. A
// record of a grouped item is the sum of its records in `base` (the item at the recorded
// interval) wherever the grouping gave it a value. Empty for a quantity the item has no channel of.
std::vector<std::vector<double>> RecordedEnergies(const CDataItemTrend& item, const CDataItemTrend* base,
                                                  std::span<const DWORD> quantities, SRecordRange range);

// `forward` and `reverse` hold the energy per record of the range of quantities 48 and 49 of the
// block (RecordedEnergies); either may be empty (its sums stay without value). Records are priced
// in time order, at the prices as the user typed them.
void ComputeDemandValues(const CTrendTimeBlock& block, std::span<const double> forward, std::span<const double> reverse,
                         SRecordRange range, CEnergyCostSchedule& schedule, double validRatio,
                         structDemandTableData& data);
