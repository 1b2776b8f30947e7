// Series a trend item computes on the first request of a channel that shows them: THD from the
// harmonic spectra, energy integrated from power, and running sums of interval energies. Each
// is computed at most once and kept.
#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendRecordHandlers.h"
#include "datamodel/TrendTimeBlock.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace TrendHandlers {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// THD of every slot and record from orders 2..lastOrder of the first array of each order,
// relative to the slot's fundamental; NaN where the fundamental is below the slot's threshold.
void ComputeThd(const CDataItemTrend& item, bool current, int lastOrder)
{
    STrendHarmonicsBlock* block = item.Arrays().harmonics.get();
    if (!block || block->thdComputed || !item.GetConfig().IsOlderLayout())
        return;
    for (int slot = 0; slot < kTrendSlotCount; ++slot) {
        const float threshold = current ? item.GetCurrentThreshold(slot) : item.GetVoltageThreshold(slot);
        float* thd = item.Arrays().triples[std::size_t(slot)][kSeriesAvg].Data();
        for (int i = 0; i < item.GetRecordCount(); ++i) {
            double squares = 0.0;
            for (int order = 2; order <= lastOrder; ++order) {
                const float v = block->orders[std::size_t(order)][std::size_t(slot)][0][i];
                if (std::isfinite(v))
                    squares += double(v) * double(v);
            }
            const float f = block->fundamental[std::size_t(slot)][i];
            if (std::isfinite(f) && std::isfinite(threshold) && !(f < threshold))
                thd[i] = f == 0.0f ? 0.0f : float(100.0 * std::sqrt(squares) / std::fabs(double(f)));
            else
                thd[i] = kNaN;
        }
    }
    block->thdComputed = true;
}

// Energy of one phase slot 0..2 as the running total of power x duration; the interval in
// floating point, so that intervals above one hour integrate too. Without an interval the
// series stays NaN.
void IntegrateSlot(const CDataItemTrend& item, STrendPowerBlock& block, std::size_t slot, std::size_t quantity)
{
    auto& energy = block.energy[slot][quantity];
    if (energy || !item.AllocateSeries(energy))
        return;
    const double seconds = item.GetIntervalSeconds();
    const CTrendSeries& power = block.power[quantity][slot][kSeriesAvg];
    if (!(seconds > 0.0) || !power)
        return;
    float* values = energy.Data();
    const double perHour = 3600.0 / seconds;
    const CTrendTimeBlock* time = item.GetTimeBlock();
    double total = 0.0;
    for (int i = 0; i < item.GetRecordCount(); ++i) {
        if (std::isfinite(power[i]))
            total += time->GetDurationFraction(i) * double(power[i]);
        values[i] = float(total / perHour);
    }
}

} // namespace

int PrepareEnergyIntegration(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    STrendPowerBlock* block = item.Arrays().power.get();
    if (!block || quantity < 36 || quantity > 38)
        return 0;
    const std::size_t source = quantity - 36; // 36 from P, 37 from S, 38 from N (logger: Q)
    const int slot = SlotOfPhase(phase);
    if (slot < 0 || slot >= kTrendSlotCount)
        return 0;
    if (slot < 3) {
        IntegrateSlot(item, *block, std::size_t(slot), source);
        return 0;
    }
    auto& total = block->energy[3][source];
    if (total)
        return 0;
    for (std::size_t k = 0; k < 3; ++k)
        IntegrateSlot(item, *block, k, source);
    if (!item.AllocateSeries(total))
        return 0;
    for (int i = 0; i < item.GetRecordCount(); ++i) {
        double sum = 0.0;
        for (std::size_t k = 0; k < 3; ++k)
            sum += block->energy[k][source] ? double(block->energy[k][source][i]) : double(kNaN);
        total.Data()[i] = float(sum);
    }
    return 0;
}

int PrepareVoltageThd(const CDataItemTrend& item, DWORD quantity, DWORD)
{
    if (quantity == 29 || quantity == 31)
        ComputeThd(item, false, 50);
    return 0;
}

int PrepareVoltageInterThd(const CDataItemTrend& item, DWORD quantity, DWORD)
{
    if (quantity == 29 || quantity == 31)
        ComputeThd(item, false, 49);
    return 0;
}

int PrepareCurrentThd(const CDataItemTrend& item, DWORD quantity, DWORD)
{
    if (quantity == 30 || quantity == 32)
        ComputeThd(item, true, 50);
    return 0;
}

int PrepareCurrentInterThd(const CDataItemTrend& item, DWORD quantity, DWORD)
{
    if (quantity == 30 || quantity == 32)
        ComputeThd(item, true, 49);
    return 0;
}

int PrepareRunningSums(const CDataItemTrend& item, DWORD quantity, DWORD phase)
{
    STrendEnergyBlock* block = item.Arrays().energy.get();
    const int slot = SlotOfPhase(phase);
    if (!block || quantity < 44 || quantity > 46 || slot < 0 || slot >= kTrendSlotCount)
        return 0;
    // 44 sums Ep, 45 Es, 46 Eq. The page that shows one shows them all: every running sum is made
    // on the first request, in one walk over the records, whose interval energies share a cache
    // line or two (a walk per series fetched every record twelve times).
    if (block->runningMade)
        return 0;
    block->runningMade = true;
    std::vector<const CTrendSeries*> sources;
    std::vector<float*> sums;
    for (std::size_t s = 0; s < kTrendSlotCount; ++s)
        for (std::size_t q = 0; q < 3; ++q)
            if (block->interval[s][q] && item.AllocateSeries(block->running[s][q])) {
                sources.push_back(&block->interval[s][q]);
                sums.push_back(block->running[s][q].Data());
            }
    const std::size_t count = std::size_t(item.GetRecordCount());
    std::vector<double> totals(sources.size(), 0.0);
    const auto add = [&](std::size_t s, std::size_t i, float value) {
        if (std::isfinite(value)) {
            totals[s] += value;
            sums[s][i] = float(totals[s]);
        } else {
            sums[s][i] = value;
        }
    };
    // The sums advance together, record by record, so that no sum waits on its own previous
    // addition; fields every record holds are read straight from each record once fetched.
    std::vector<CTrendSeries::SField> fields(sources.size());
    bool direct = true;
    for (std::size_t s = 0; s < sources.size() && direct; ++s)
        direct = sources[s]->GetField(fields[s]) && fields[s].records == fields[0].records;
    if (direct) {
        const CDataTable& records = *fields[0].records;
        constexpr std::size_t kReadAhead = 64;
        for (std::size_t i = 0; i < count; ++i) {
            if (i + kReadAhead < count) {
                __builtin_prefetch(records.GetRecordBytes(i + kReadAhead) + fields.front().offset, 0, 1);
                __builtin_prefetch(records.GetRecordBytes(i + kReadAhead) + fields.back().offset, 0, 1);
            }
            const BYTE* record = records.GetRecordBytes(i);
            for (std::size_t s = 0; s < fields.size(); ++s) {
                const float value = LoadF32(record, fields[s].offset);
                add(s, i, fields[s].divisor == 1.0f ? value : value / fields[s].divisor);
            }
        }
        return 0;
    }
    // Otherwise a run at a time, the run's records staying cached from the first source to the
    // last.
    constexpr std::size_t kRun = 512;
    std::vector<float> runs(sources.size() * kRun);
    for (std::size_t first = 0; first < count; first += kRun) {
        const std::size_t n = std::min(kRun, count - first);
        for (std::size_t s = 0; s < sources.size(); ++s)
            sources[s]->Read(first, n, &runs[s * kRun]);
        for (std::size_t k = 0; k < n; ++k)
            for (std::size_t s = 0; s < sources.size(); ++s)
                add(s, first + k, runs[s * kRun + k]);
    }
    return 0;
}

} // namespace TrendHandlers
