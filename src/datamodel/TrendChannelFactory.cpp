// The channels a trend item hands out: which series of which array shows a quantity at a phase.
#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendRecordHandlers.h"

namespace TrendHandlers {

namespace {

using Arrays = CTrendChannel::ValueArrays;

std::unique_ptr<CTrendChannel> Empty()
{
    return std::make_unique<CTrendChannel>();
}

std::unique_ptr<CTrendChannel> Make(const CDataItemTrend& item, const Arrays& values, DWORD quantity, DWORD phase,
                                    const Arrays& signs = Arrays{})
{
    return std::make_unique<CTrendChannel>(values, signs, DWORD(item.GetRecordCount()), quantity, phase, &item);
}

Arrays Series(const STrendTriple& triple)
{
    return {&triple[kSeriesMin], &triple[kSeriesAvg], &triple[kSeriesMax]};
}

Arrays AverageOnly(const CTrendSeries* average)
{
    return {nullptr, average, nullptr};
}

// The slot of a block row's phase; -1 for a phase that has none.
int BlockSlot(DWORD phase)
{
    const int slot = SlotOfPhase(phase);
    return slot >= 0 && slot < kTrendSlotCount ? slot : -1;
}

std::unique_ptr<CTrendChannel> EnergyOfPowerBlock(const CDataItemTrend& item, const STrendPowerBlock& block,
                                                  DWORD quantity, DWORD phase, int slot)
{
    return Make(item, AverageOnly(&block.energy[std::size_t(slot)][quantity - 36]), quantity, phase);
}

std::unique_ptr<CTrendChannel> ThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase, DWORD thdQuantity,
                                          DWORD unbalanceQuantity, bool current)
{
    if (quantity == thdQuantity) {
        if (phase >= kTrendTripleCount)
            return Empty();
        return Make(item, AverageOnly(&item.Arrays().triples[phase][kSeriesAvg]), quantity, phase);
    }
    if (quantity == unbalanceQuantity) {
        const int index = current ? 2 : item.GetConfig().IsPhaseToPhaseDefault() ? 0 : 1;
        return Make(item, AverageOnly(item.GetUnbalance(index)), quantity, 5);
    }
    return Empty();
}

} // namespace

std::unique_ptr<CTrendChannel> CreateSimpleChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    if (quantity != item.GetItemId() || phase >= kTrendTripleCount)
        return Empty();
    return Make(item, Series(item.Arrays().triples[phase]), quantity, phase);
}

std::unique_ptr<CTrendChannel> CreatePowerOlderChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const int slot = BlockSlot(phase);
    const STrendPowerBlock* block = item.Arrays().power.get();
    if (slot < 0 || !block)
        return Empty();
    const std::size_t s = std::size_t(slot);
    switch (quantity) {
    case 5: return Make(item, Series(block->power[kPowerActive][s]), quantity, phase);
    case 6: return Make(item, Series(block->power[kPowerApparent][s]), quantity, phase);
    case 7: return Make(item, Series(block->power[kPowerReactive][s]), quantity, phase);
    case 8: return Make(item, AverageOnly(&block->factor[s][kSeriesAvg]), quantity, phase);
    case 36: case 37: case 38: return EnergyOfPowerBlock(item, *block, quantity, phase, slot);
    default: return Empty();
    }
}

std::unique_ptr<CTrendChannel> CreateFundamentalOlderChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const int slot = BlockSlot(phase);
    const STrendPowerBlock* block = item.Arrays().fundamental.get();
    if (slot < 0 || !block)
        return Empty();
    const std::size_t s = std::size_t(slot);
    switch (quantity) {
    case 9: return Make(item, AverageOnly(&block->factor[s][kSeriesAvg]), quantity, phase);
    case 20: return Make(item, Series(block->power[kPowerActive][s]), quantity, phase);
    case 21: return Make(item, Series(block->power[kPowerApparent][s]), quantity, phase);
    case 22: return Make(item, Series(block->power[kPowerReactive][s]), quantity, phase);
    // Nothing integrates the fundamental powers: these channels have no series.
    case 36: case 37: case 38: return EnergyOfPowerBlock(item, *block, quantity, phase, slot);
    default: return Empty();
    }
}

std::unique_ptr<CTrendChannel> CreateVoltageThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    return ThdChannel(item, quantity, phase, 29, 33, false);
}

std::unique_ptr<CTrendChannel> CreateVoltageInterThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    return ThdChannel(item, quantity, phase, 31, 33, false);
}

std::unique_ptr<CTrendChannel> CreateCurrentThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    return ThdChannel(item, quantity, phase, 30, 34, true);
}

std::unique_ptr<CTrendChannel> CreateCurrentInterThdChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    return ThdChannel(item, quantity, phase, 32, 34, true);
}

std::unique_ptr<CTrendChannel> CreatePowerLoggerChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const int slot = BlockSlot(phase);
    const STrendPowerBlock* block = item.Arrays().power.get();
    if (slot < 0 || !block)
        return Empty();
    const std::size_t s = std::size_t(slot);
    switch (quantity) {
    case 5: return Make(item, Series(block->power[kPowerActive][s]), quantity, phase);
    case 6: case 54: return Make(item, Series(block->power[kPowerApparent][s]), quantity, phase);
    case 7: return Make(item, Series(block->power[kPowerReactive][s]), quantity, phase);
    case 8:
        // The average carries the sign of the active power; minimum and maximum as recorded.
        return Make(item, Series(block->factor[s]), quantity, phase,
                    AverageOnly(&block->power[kPowerActive][s][kSeriesAvg]));
    case 56: return Make(item, AverageOnly(&block->factor[s][kSeriesAvg]), quantity, phase);
    case 57: return Make(item, AverageOnly(&block->dpfAverage[s]), quantity, phase);
    case 36: case 37: case 38: return EnergyOfPowerBlock(item, *block, quantity, phase, slot);
    default: return Empty();
    }
}

std::unique_ptr<CTrendChannel> CreateFundamentalLoggerChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const int slot = BlockSlot(phase);
    const STrendPowerBlock* block = item.Arrays().fundamental.get();
    if (slot < 0 || !block)
        return Empty();
    const std::size_t s = std::size_t(slot);
    switch (quantity) {
    case 9:
        return Make(item, Series(block->factor[s]), quantity, phase,
                    AverageOnly(&block->power[kPowerActive][s][kSeriesAvg]));
    case 20: return Make(item, Series(block->power[kPowerActive][s]), quantity, phase);
    case 21: return Make(item, Series(block->power[kPowerApparent][s]), quantity, phase);
    case 22: return Make(item, Series(block->power[kPowerReactive][s]), quantity, phase);
    case 57: return Make(item, AverageOnly(&block->factor[s][kSeriesAvg]), quantity, phase);
    default: return Empty();
    }
}

std::unique_ptr<CTrendChannel> CreateEnergyChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const int slot = BlockSlot(phase);
    const STrendEnergyBlock* block = item.Arrays().energy.get();
    if (slot < 0 || !block)
        return Empty();
    const auto& interval = block->interval[std::size_t(slot)];
    const auto& running = block->running[std::size_t(slot)];
    const CTrendSeries* values = nullptr;
    switch (quantity) {
    case 41: values = &interval[kEnergyActive]; break;
    case 42: case 55: values = &interval[kEnergyApparent]; break;
    case 43: values = &interval[kEnergyReactive]; break;
    case 44: values = &running[kEnergyActive]; break;
    case 45: values = &running[kEnergyApparent]; break;
    case 46: values = &running[kEnergyReactive]; break;
    default: return Empty();
    }
    return Make(item, AverageOnly(values), quantity, phase);
}

std::unique_ptr<CTrendChannel> CreateCounterChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    const STrendCounterBlock* block = item.Arrays().counters.get();
    if (!block || (quantity != 48 && quantity != 49))
        return Empty();
    return Make(item, AverageOnly(&block->energy[quantity - 48]), quantity, phase);
}

std::unique_ptr<CTrendChannel> CreateAuxChannel(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    if (quantity != 51 && quantity != 52)
        return Empty();
    return Make(item, Series(item.Arrays().triples[quantity - 51]), quantity, phase);
}

} // namespace TrendHandlers
