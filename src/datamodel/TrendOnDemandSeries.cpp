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
    // 44 sums Ep, 45 Es, 46 Eq.
    constexpr std::size_t kSource[] = {kEnergyActive, kEnergyApparent, kEnergyReactive};
    const std::size_t q = kSource[quantity - 44];
    auto& running = block->running[std::size_t(slot)][q];
    const CTrendSeries& source = block->interval[std::size_t(slot)][q];
    if (running || !source || !item.AllocateSeries(running))
        return 0;
    float* values = running.Data();
    // The source is read a run at a time: value by value, each read paid its own checks.
    constexpr std::size_t kRun = 1024;
    float run[kRun];
    const std::size_t count = std::size_t(item.GetRecordCount());
    double sum = 0.0;
    for (std::size_t first = 0; first < count; first += kRun) {
        const std::size_t n = std::min(kRun, count - first);
        source.Read(first, n, run);
        for (std::size_t k = 0; k < n; ++k) {
            const float value = run[k];
            if (std::isfinite(value)) {
                sum += value;
                values[first + k] = float(sum);
            } else {
                values[first + k] = value;
            }
        }
    }
    return 0;
}

} // namespace TrendHandlers
