// Sizing of a trend item's arrays by the kind of item: which triples and which block it has.
// A raw item of the logger layout reads every series from its records, so only its grouped
// items (and the series computed on request) allocate floats.
#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendRecordHandlers.h"

#include <new>

namespace TrendHandlers {

namespace {

bool ReadsItsRecords(const CDataItemTrend& item)
{
    return item.GetRecordList() != nullptr;
}

bool AllocateTriple(const CDataItemTrend& item, STrendTriple& triple)
{
    for (auto& series : triple.series)
        if (!item.AllocateSeries(series))
            return false;
    return true;
}

bool AllocateTriples(const CDataItemTrend& item, int first, int last)
{
    for (int t = first; t <= last; ++t)
        if (!AllocateTriple(item, item.Arrays().triples[std::size_t(t)]))
            return false;
    return true;
}

template <std::size_t N>
bool AllocateAll(const CDataItemTrend& item, std::array<CTrendSeries, N>& arrays)
{
    for (auto& array : arrays)
        if (!item.AllocateSeries(array))
            return false;
    return true;
}

// The power or fundamental block in the older form (slot 3 and the factors: averages only) or
// the logger form (full triples everywhere).
std::unique_ptr<STrendPowerBlock> MakePowerBlock(const CDataItemTrend& item, bool loggerForm, int flag,
                                                 bool dpfAverages)
{
    std::unique_ptr<STrendPowerBlock> block(new (std::nothrow) STrendPowerBlock);
    if (!block)
        return nullptr;
    block->loggerForm = loggerForm;
    block->flag = flag;
    if (loggerForm && ReadsItsRecords(item))
        return block;
    if (!AllocateAll(item, block->voltage) || !AllocateAll(item, block->current))
        return nullptr;
    if (!loggerForm && (!item.AllocateSeries(block->systemVoltage) || !item.AllocateSeries(block->systemCurrent)))
        return nullptr;
    for (auto& quantity : block->power) {
        for (int slot = 0; slot < kTrendSlotCount; ++slot) {
            STrendTriple& triple = quantity[std::size_t(slot)];
            const bool full = loggerForm || slot < 3;
            if (full ? !AllocateTriple(item, triple) : !item.AllocateSeries(triple.series[kSeriesAvg]))
                return nullptr;
        }
    }
    for (auto& triple : block->factor)
        if (loggerForm ? !AllocateTriple(item, triple) : !item.AllocateSeries(triple.series[kSeriesAvg]))
            return nullptr;
    if (dpfAverages && !AllocateAll(item, block->dpfAverage))
        return nullptr;
    return block;
}

} // namespace

bool AllocateTriples0To1(const CDataItemTrend& item) { return ReadsItsRecords(item) || AllocateTriples(item, 0, 1); }
bool AllocateTriples0To2(const CDataItemTrend& item) { return ReadsItsRecords(item) || AllocateTriples(item, 0, 2); }
bool AllocateTriples0To3(const CDataItemTrend& item) { return AllocateTriples(item, 0, 3); }
bool AllocateTriples0To4(const CDataItemTrend& item) { return AllocateTriples(item, 0, 4); }
bool AllocateTriple0(const CDataItemTrend& item) { return ReadsItsRecords(item) || AllocateTriples(item, 0, 0); }

bool AllocateFrequencyWithPositions(const CDataItemTrend& item)
{
    if (!AllocateTriples(item, 0, 0))
        return false;
    const std::size_t count = std::size_t(item.GetRecordCount()) * kPositionBytesPerRecord;
    item.Arrays().positions.reset(new (std::nothrow) BYTE[count]());
    return item.Arrays().positions != nullptr;
}

bool AllocatePstAverages(const CDataItemTrend& item)
{
    for (int t = 0; t < 3; ++t)
        if (!item.AllocateSeries(item.Arrays().triples[std::size_t(t)].series[kSeriesAvg]))
            return false;
    return true;
}

bool AllocateHarmonics(const CDataItemTrend& item)
{
    std::unique_ptr<STrendHarmonicsBlock> block(new (std::nothrow) STrendHarmonicsBlock);
    if (!block || !AllocateAll(item, block->unbalance) || !AllocateAll(item, block->fundamental))
        return false;
    for (auto& order : block->orders)
        for (auto& slot : order)
            if (!AllocateAll(item, slot))
                return false;
    // The THD series live in the average series of triples 0..3.
    for (int t = 0; t < kTrendSlotCount; ++t)
        if (!item.AllocateSeries(item.Arrays().triples[std::size_t(t)].series[kSeriesAvg]))
            return false;
    item.Arrays().harmonics = std::move(block);
    return true;
}

bool AllocatePowerOlder(const CDataItemTrend& item)
{
    item.Arrays().power = MakePowerBlock(item, false, 1, false);
    return item.Arrays().power != nullptr;
}

bool AllocateFundamentalOlder(const CDataItemTrend& item)
{
    item.Arrays().fundamental = MakePowerBlock(item, false, item.GetConfig().IsOlderLayout() ? 1 : 0, false);
    return item.Arrays().fundamental != nullptr;
}

bool AllocatePowerLogger(const CDataItemTrend& item)
{
    item.Arrays().power = MakePowerBlock(item, true, 1, true);
    return item.Arrays().power != nullptr;
}

bool AllocateFundamentalLogger(const CDataItemTrend& item)
{
    item.Arrays().fundamental = MakePowerBlock(item, true, item.GetConfig().IsOlderLayout() ? 1 : 0, false);
    return item.Arrays().fundamental != nullptr;
}

bool AllocateEnergy(const CDataItemTrend& item)
{
    std::unique_ptr<STrendEnergyBlock> block(new (std::nothrow) STrendEnergyBlock);
    if (!block)
        return false;
    if (ReadsItsRecords(item)) {
        item.Arrays().energy = std::move(block);
        return true;
    }
    if (!AllocateAll(item, block->voltage) || !AllocateAll(item, block->current))
        return false;
    for (auto& slot : block->interval)
        if (!AllocateAll(item, slot))
            return false;
    item.Arrays().energy = std::move(block);
    return true;
}

bool AllocateCounters(const CDataItemTrend& item)
{
    std::unique_ptr<STrendCounterBlock> block(new (std::nothrow) STrendCounterBlock);
    if (!block || (!ReadsItsRecords(item) && !AllocateAll(item, block->energy)))
        return false;
    item.Arrays().counters = std::move(block);
    return true;
}

} // namespace TrendHandlers
