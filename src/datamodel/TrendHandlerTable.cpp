#include "datamodel/TrendHandlerTable.h"

#include "datamodel/TrendRecordHandlers.h"

namespace {

using namespace TrendHandlers;

constexpr std::array<STrendHandlerRow, kTrendHandlerRowCount> kTrendHandlerTable = {{
    // Older layout, averaging records (type 15).
    {0x0F, 0x00, AllocateTriples0To3, ExtractVoltageOlder, AggregateTriplesRms, nullptr, CreateSimpleChannel},
    {0x0F, 0x01, AllocateTriples0To4, ExtractCurrentOlder, AggregateTriplesRms, nullptr, CreateSimpleChannel},
    {0x0F, 0x02, AllocateFrequencyWithPositions, ExtractFrequencyOlder, AggregateTriplesMean, nullptr,
     CreateSimpleChannel},
    {0x0F, 0x27, AllocatePowerOlder, ExtractPowerOlder, AggregatePowerOlder, PrepareEnergyIntegration,
     CreatePowerOlderChannel},
    {0x0F, 0x28, AllocateFundamentalOlder, ExtractFundamentalOlder, AggregateFundamentalOlder,
     PrepareEnergyIntegration, CreateFundamentalOlderChannel},
    {0x0F, 0x03, AllocateHarmonics, ExtractVoltageHarmonics, nullptr, PrepareVoltageThd, CreateVoltageThdChannel},
    {0x0F, 0x17, AllocateHarmonics, ExtractVoltageHarmonics2, nullptr, PrepareVoltageThd, CreateVoltageThdChannel},
    {0x0F, 0x18, AllocateHarmonics, ExtractVoltageInterharmonics, nullptr, PrepareVoltageInterThd,
     CreateVoltageInterThdChannel},
    {0x0F, 0x04, AllocateHarmonics, ExtractCurrentHarmonics, nullptr, PrepareCurrentThd, CreateCurrentThdChannel},
    {0x0F, 0x19, AllocateHarmonics, ExtractCurrentHarmonics2, nullptr, PrepareCurrentThd, CreateCurrentThdChannel},
    {0x0F, 0x1A, AllocateHarmonics, ExtractCurrentInterharmonics, nullptr, PrepareCurrentInterThd,
     CreateCurrentInterThdChannel},
    {0x0F, 0x0A, AllocatePstAverages, ExtractPst, nullptr, nullptr, CreateSimpleChannel},
    {0x0F, 0x0B, AllocatePstAverages, ExtractPlt, nullptr, nullptr, CreateSimpleChannel},
    // Older layout, demand records (type 61).
    {0x3D, 0x27, AllocatePowerOlder, ExtractDemandPowerOlder, AggregatePowerOlder, nullptr, CreatePowerOlderChannel},
    {0x3D, 0x28, AllocateFundamentalOlder, ExtractDemandFundamentalOlder, AggregateFundamentalOlder, nullptr,
     CreateFundamentalOlderChannel},
    // Logger layout, averaging records (type 64).
    {0x40, 0x00, AllocateTriples0To2, ExtractVoltageLogger, AggregateTriplesRms, nullptr, CreateSimpleChannel},
    {0x40, 0x01, AllocateTriples0To2, ExtractCurrentLogger, AggregateTriplesRms, nullptr, CreateSimpleChannel},
    {0x40, 0x02, AllocateTriple0, ExtractFrequencyLogger, AggregateTriplesMean, nullptr, CreateSimpleChannel},
    {0x40, 0x1D, AllocateTriples0To2, ExtractThdVoltageLogger, AggregateTriplesMean, nullptr, CreateSimpleChannel},
    {0x40, 0x1E, AllocateTriples0To2, ExtractThdCurrentLogger, AggregateTriplesMean, nullptr, CreateSimpleChannel},
    {0x40, 0x27, AllocatePowerLogger, ExtractPowerLogger, AggregatePowerLogger, PrepareEnergyIntegration,
     CreatePowerLoggerChannel},
    {0x40, 0x2F, AllocateEnergy, ExtractEnergyLogger, AggregateEnergy, PrepareRunningSums, CreateEnergyChannel},
    {0x40, 0x28, AllocateFundamentalLogger, ExtractFundamentalLogger, AggregateFundamentalLogger, nullptr,
     CreateFundamentalLoggerChannel},
    {0x40, 0x32, AllocateCounters, ExtractCountersLogger, AggregateCounters, nullptr, CreateCounterChannel},
    {0x40, 0x35, AllocateTriples0To1, ExtractAuxLogger, AggregateTriplesMean, nullptr, CreateAuxChannel},
    // Logger layout, demand records (type 65).
    {0x41, 0x2F, AllocateEnergy, ExtractDemandEnergyLogger, AggregateEnergy, PrepareRunningSums,
     CreateEnergyChannel},
    {0x41, 0x32, AllocateCounters, ExtractDemandCountersLogger, AggregateCounters, nullptr, CreateCounterChannel},
}};

} // namespace

const std::array<STrendHandlerRow, kTrendHandlerRowCount>& GetTrendHandlerTable()
{
    return kTrendHandlerTable;
}

const STrendHandlerRow* FindTrendHandlerRow(DWORD tableType, DWORD itemId)
{
    for (const auto& row : kTrendHandlerTable)
        if (row.tableType == tableType && row.itemId == itemId)
            return &row;
    return nullptr;
}
