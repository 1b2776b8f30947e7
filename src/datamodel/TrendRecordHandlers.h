#pragma once
// The operations of the trend handler table, one family per file: array allocation, record
// extraction, grouping, on-demand derivations and channel creation.
#include "platform/framework/WinTypes.h"

#include <memory>

class CDataItemTrend;
class CTrendChannel;

namespace TrendHandlers {

// Allocation (TrendArrayAllocation.cpp). False when an array cannot be allocated.
bool AllocateTriples0To1(const CDataItemTrend& item);
bool AllocateTriples0To2(const CDataItemTrend& item);
bool AllocateTriples0To3(const CDataItemTrend& item);
bool AllocateTriples0To4(const CDataItemTrend& item);
bool AllocateTriple0(const CDataItemTrend& item);
bool AllocateFrequencyWithPositions(const CDataItemTrend& item);
bool AllocatePstAverages(const CDataItemTrend& item);
bool AllocateHarmonics(const CDataItemTrend& item);
bool AllocatePowerOlder(const CDataItemTrend& item);
bool AllocateFundamentalOlder(const CDataItemTrend& item);
bool AllocatePowerLogger(const CDataItemTrend& item);
bool AllocateFundamentalLogger(const CDataItemTrend& item);
bool AllocateEnergy(const CDataItemTrend& item);
bool AllocateCounters(const CDataItemTrend& item);

// Extraction from the record list (TrendRecordExtraction.cpp).
void ExtractVoltageOlder(const CDataItemTrend& item);
void ExtractCurrentOlder(const CDataItemTrend& item);
void ExtractFrequencyOlder(const CDataItemTrend& item);
void ExtractPowerOlder(const CDataItemTrend& item);
void ExtractFundamentalOlder(const CDataItemTrend& item);
void ExtractVoltageHarmonics(const CDataItemTrend& item);
void ExtractVoltageHarmonics2(const CDataItemTrend& item);
void ExtractVoltageInterharmonics(const CDataItemTrend& item);
void ExtractCurrentHarmonics(const CDataItemTrend& item);
void ExtractCurrentHarmonics2(const CDataItemTrend& item);
void ExtractCurrentInterharmonics(const CDataItemTrend& item);
void ExtractPst(const CDataItemTrend& item);
void ExtractPlt(const CDataItemTrend& item);
void ExtractDemandPowerOlder(const CDataItemTrend& item);
void ExtractDemandFundamentalOlder(const CDataItemTrend& item);
void ExtractVoltageLogger(const CDataItemTrend& item);
void ExtractCurrentLogger(const CDataItemTrend& item);
void ExtractFrequencyLogger(const CDataItemTrend& item);
void ExtractThdVoltageLogger(const CDataItemTrend& item);
void ExtractThdCurrentLogger(const CDataItemTrend& item);
void ExtractPowerLogger(const CDataItemTrend& item);
void ExtractEnergyLogger(const CDataItemTrend& item);
void ExtractFundamentalLogger(const CDataItemTrend& item);
void ExtractCountersLogger(const CDataItemTrend& item);
void ExtractAuxLogger(const CDataItemTrend& item);
void ExtractDemandEnergyLogger(const CDataItemTrend& item);
void ExtractDemandCountersLogger(const CDataItemTrend& item);

// Grouping of a base item's records (TrendGrouping.cpp).
void AggregateTriplesRms(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregateTriplesMean(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregatePowerOlder(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregateFundamentalOlder(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregatePowerLogger(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregateFundamentalLogger(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregateEnergy(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
void AggregateCounters(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);

// Series computed on the first channel request (TrendOnDemandSeries.cpp).
int PrepareEnergyIntegration(const CDataItemTrend& item, DWORD quantity, DWORD phase);
int PrepareVoltageThd(const CDataItemTrend& item, DWORD quantity, DWORD phase);
int PrepareVoltageInterThd(const CDataItemTrend& item, DWORD quantity, DWORD phase);
int PrepareCurrentThd(const CDataItemTrend& item, DWORD quantity, DWORD phase);
int PrepareCurrentInterThd(const CDataItemTrend& item, DWORD quantity, DWORD phase);
int PrepareRunningSums(const CDataItemTrend& item, DWORD quantity, DWORD phase);

// Channels (TrendChannelFactory.cpp).
std::unique_ptr<CTrendChannel> CreateSimpleChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreatePowerOlderChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateFundamentalOlderChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateVoltageThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateVoltageInterThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateCurrentThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateCurrentInterThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreatePowerLoggerChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateFundamentalLoggerChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateEnergyChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateCounterChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);
std::unique_ptr<CTrendChannel> CreateAuxChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase);

} // namespace TrendHandlers
