// What each kind of trend item reads from the logger's records. A record triple is stored as
// minimum, maximum, average; the item keeps minimum, average, maximum. Powers and energies are
// recorded in W, VA, var and their hour forms and kept in k-units. A field beyond the table's
// own length reads as NaN.
#include "datamodel/DataTable.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendDerivedValues.h"
#include "datamodel/TrendRecordHandlers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace TrendHandlers {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kKilo = 1000.0f;
constexpr std::size_t kTripleSize = 12;

float Field(const Umbo_table_header_t* table, std::size_t offset)
{
    if (offset + sizeof(float) > table->table_lth)
        return kNaN;
    return LoadF32(table, offset);
}

void ReadTriple(const Umbo_table_header_t* table, std::size_t offset, const STrendTriple& triple, int i,
                float divisor = 1.0f)
{
    triple[kSeriesMin].Data()[i] = Field(table, offset) / divisor;
    triple[kSeriesMax].Data()[i] = Field(table, offset + 4) / divisor;
    triple[kSeriesAvg].Data()[i] = Field(table, offset + 8) / divisor;
}

void ReadMinMax(const Umbo_table_header_t* table, std::size_t offset, const STrendTriple& triple, int i,
                float divisor)
{
    triple[kSeriesMin].Data()[i] = Field(table, offset) / divisor;
    triple[kSeriesMax].Data()[i] = Field(table, offset + 4) / divisor;
}

void ZeroTriple(const STrendTriple& triple, int i)
{
    for (int s = 0; s < 3; ++s)
        if (float* values = triple[s].Data())
            values[i] = 0.0f;
}

// The logger layout's series are its records' fields as they are: the item reads them from the
// records instead of keeping copies.
void ReadFieldOfRecords(const CDataItemTrend& item, CTrendSeries& series, std::size_t offset, float divisor = 1.0f)
{
    series.ReadField(item.GetRecordList(), offset, divisor);
}

void ReadTripleOfRecords(const CDataItemTrend& item, STrendTriple& triple, std::size_t offset, float divisor = 1.0f)
{
    ReadFieldOfRecords(item, triple.series[kSeriesMin], offset, divisor);
    ReadFieldOfRecords(item, triple.series[kSeriesMax], offset + 4, divisor);
    ReadFieldOfRecords(item, triple.series[kSeriesAvg], offset + 8, divisor);
}

void SetTripleToZero(STrendTriple& triple)
{
    for (auto& series : triple.series)
        series.SetConstant(0.0f);
}

// Calls f(table, i) for each record i of the item's record list.
template <typename F>
void ForEachRecord(const CDataItemTrend& item, F f)
{
    const int count = item.GetRecordCount();
    int i = 0;
    for (const Umbo_table_header_t* table : *item.GetRecordList()) {
        if (i >= count)
            break;
        f(table, i++);
    }
}

// Triples t = 0.. of the item from the record triples at the offsets.
template <std::size_t N>
void ExtractTriplesAt(const CDataItemTrend& item, const std::array<std::size_t, N>& offsets)
{
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        for (std::size_t t = 0; t < N; ++t)
            ReadTriple(table, offsets[t], item.Arrays().triples[t], i);
    });
}

// The older power rows read record triples of phase k at s + k, where s selects the voltage
// reference whose powers are meant.
std::size_t OlderVoltageSelector(const CDataItemTrend& item)
{
    switch (item.GetVoltageReference()) {
    case 1: return 4;
    case 2: return item.GetConfig().IsPhaseToNeutralDefault() ? 0 : 4;
    default: return 0;
    }
}

int PhaseCount(const CDataItemTrend& item)
{
    return PowerPhaseCount(item.GetConfig().GetTopology());
}

// Voltage and current averages of phases 0..2 of a logger row (power, fundamental or energy
// block): the first at the offsets, the next a stride further.
template <typename Block>
void ReadVoltageCurrentOfRecords(const CDataItemTrend& item, Block& block, std::size_t voltageAt,
                                 std::size_t currentAt, std::size_t stride)
{
    for (std::size_t k = 0; k < 3; ++k) {
        ReadFieldOfRecords(item, block.voltage[k], voltageAt + stride * k);
        ReadFieldOfRecords(item, block.current[k], currentAt + stride * k);
    }
}

template <std::size_t N>
void ReadTriplesOfRecords(const CDataItemTrend& item, const std::array<std::size_t, N>& offsets)
{
    for (std::size_t t = 0; t < N; ++t)
        ReadTripleOfRecords(item, item.Arrays().triples[t], offsets[t]);
}

void ExtractHarmonics(const CDataItemTrend& item, std::size_t blockOffset, std::size_t firstChannel, int orders)
{
    constexpr std::size_t kChannelSize = kHarmonicOrderCount * 8;
    STrendHarmonicsBlock& block = *item.Arrays().harmonics;
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        for (std::size_t slot = 0; slot < kTrendSlotCount; ++slot) {
            const std::size_t channel = blockOffset + (firstChannel + slot) * kChannelSize;
            for (std::size_t order = 0; order < kHarmonicOrderCount; ++order) {
                auto& pair = block.orders[order][slot];
                const bool read = int(order) < orders;
                pair[0].Data()[i] = read ? Field(table, channel + 8 * order + 4) : kNaN;
                pair[1].Data()[i] = read ? Field(table, channel + 8 * order) : kNaN;
            }
            block.fundamental[slot].Data()[i] = block.orders[1][slot][0][i];
        }
        bool allBelowVoltage = true;
        bool allBelowCurrent = true;
        for (int slot = 0; slot < 3; ++slot) {
            const float f = block.fundamental[std::size_t(slot)][i];
            allBelowVoltage = allBelowVoltage && IsBelowThreshold(f, item.GetVoltageThreshold(slot));
            allBelowCurrent = allBelowCurrent && IsBelowThreshold(f, item.GetCurrentThreshold(slot));
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const float a = std::fabs(Field(table, 10832 + 24 * k));
            const float b = std::fabs(Field(table, 10840 + 24 * k));
            float value;
            if (std::isnan(a) || std::isnan(b))
                value = kNaN;
            else if (std::max(a, b) == 0.0f)
                value = 0.0f;
            else
                value = 100.0f * std::min(a, b) / std::max(a, b);
            if (k < 2 ? allBelowVoltage : allBelowCurrent)
                value = kNaN;
            block.unbalance[k].Data()[i] = value;
        }
    });
}

// Plt of each phase over windows of 12 records: the cube root of the mean cube of the finite
// Pst values of the window, given to each record of the window whose Pst is finite.
void ComputePlt(float* pst, int count)
{
    constexpr int kWindow = 12;
    std::vector<float> plt(std::size_t(count), kNaN);
    for (int start = 0; start < count; start += kWindow) {
        const int end = std::min(count, start + kWindow);
        double sum = 0.0;
        int finite = 0;
        for (int i = start; i < end; ++i) {
            if (std::isfinite(pst[i])) {
                const double v = pst[i];
                sum += v * v * v;
                ++finite;
            }
        }
        if (finite == 0)
            continue;
        const float value = sum == 0.0 ? 0.0f : float(std::pow(sum / finite, 1.0 / 3.0));
        for (int i = start; i < end; ++i)
            if (std::isfinite(pst[i]))
                plt[std::size_t(i)] = value;
    }
    std::copy(plt.begin(), plt.end(), pst);
}

void ExtractOlderPowerFields(const CDataItemTrend& item, bool demand)
{
    STrendPowerBlock& block = *item.Arrays().power;
    const std::size_t s = OlderVoltageSelector(item);
    const int n = PhaseCount(item);
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        for (std::size_t k = 0; k < 3; ++k) {
            block.voltage[k].Data()[i] = demand ? Field(table, 24 + 4 * (s + k)) : Field(table, 9844 + kTripleSize * (s + k) + 8);
            block.current[k].Data()[i] = demand ? Field(table, 52 + 4 * k) : Field(table, 10020 + kTripleSize * k);
        }
        block.systemVoltage.Data()[i] = Field(table, demand ? 588 : 10920);
        block.systemCurrent.Data()[i] = Field(table, demand ? 592 : 10924);
        const std::size_t p = demand ? 72 : 10072;
        const std::size_t apparent = demand ? 156 : 10156;
        const std::size_t nonActive = demand ? 240 : 10240;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto& P = block.power[kPowerActive][k];
            const auto& S = block.power[kPowerApparent][k];
            const auto& N = block.power[kPowerReactive][k];
            if (int(k) >= n) {
                ZeroTriple(P, i);
                ZeroTriple(S, i);
                N[kSeriesMin].Data()[i] = N[kSeriesMax].Data()[i] = 0.0f;
                continue;
            }
            const std::size_t at = kTripleSize * (s + k);
            ReadTriple(table, p + at, P, i, kKilo);
            if (demand)
                ReadMinMax(table, apparent + at, S, i, kKilo);
            else
                ReadTriple(table, apparent + at, S, i, kKilo);
            ReadMinMax(table, nonActive + at, N, i, kKilo);
        }
        block.power[kPowerActive][3][kSeriesAvg].Data()[i] = Field(table, demand ? 576 : 10904) / kKilo;
        DerivePowerOlder(item, block, i);
    });
}

void ExtractOlderFundamentalFields(const CDataItemTrend& item, bool demand)
{
    STrendPowerBlock& block = *item.Arrays().fundamental;
    const std::size_t s = OlderVoltageSelector(item);
    const int n = PhaseCount(item);
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        if (!demand) {
            for (std::size_t k = 0; k < 3; ++k) {
                block.voltage[k].Data()[i] = Field(table, 9844 + kTripleSize * (s + k) + 8);
                block.current[k].Data()[i] = Field(table, 10020 + kTripleSize * k);
            }
        }
        const std::size_t base = demand ? 0 : 10000;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto& Pf = block.power[kPowerActive][k];
            const auto& Sf = block.power[kPowerApparent][k];
            const auto& Qf = block.power[kPowerReactive][k];
            if (int(k) >= n) {
                ZeroTriple(Pf, i);
                ZeroTriple(Qf, i);
                Sf[kSeriesMin].Data()[i] = Sf[kSeriesMax].Data()[i] = 0.0f;
                continue;
            }
            const std::size_t at = kTripleSize * (s + k);
            ReadTriple(table, base + 324 + at, Pf, i, kKilo);
            ReadTriple(table, base + 492 + at, Qf, i, kKilo);
            ReadMinMax(table, base + 408 + at, Sf, i, kKilo);
        }
        block.power[kPowerActive][3][kSeriesAvg].Data()[i] = Field(table, demand ? 596 : 10928) / kKilo;
        block.power[kPowerReactive][3][kSeriesAvg].Data()[i] = Field(table, demand ? 604 : 10936) / kKilo;
        DeriveFundamental(item, block, i);
    });
}

constexpr std::array<std::size_t, 3> kLoggerPhaseToNeutral = {24, 36, 48};
constexpr std::array<std::size_t, 3> kLoggerPhaseToPhase = {60, 72, 84};
constexpr std::array<std::size_t, 3> kLoggerCurrent = {96, 108, 120};
constexpr std::array<std::size_t, 1> kLoggerFrequency = {204};
constexpr std::array<std::size_t, 3> kLoggerThdVoltage = {132, 144, 156};
constexpr std::array<std::size_t, 3> kLoggerThdCurrent = {168, 180, 192};
constexpr std::array<std::size_t, 2> kLoggerAux = {656, 668};

// Where the triples of a logger power or fundamental row lie (slot 0; each slot a triple on),
// and the DPF averages (0: the row has none).
struct SLoggerPowerOffsets
{
    std::size_t active;
    std::size_t apparent;
    std::size_t reactive;
    std::size_t factor;
    std::size_t dpfAverage;
};
constexpr SLoggerPowerOffsets kLoggerPower{216, 264, 312, 504, 560};
constexpr SLoggerPowerOffsets kLoggerFundamental{360, 408, 456, 552, 0};

void ReadLoggerPowerBlock(const CDataItemTrend& item, STrendPowerBlock& block, const SLoggerPowerOffsets& offsets)
{
    const int n = PhaseCount(item);
    ReadVoltageCurrentOfRecords(item, block, 32, 104, kTripleSize);
    for (std::size_t slot = 0; slot < kTrendSlotCount; ++slot) {
        const std::size_t at = kTripleSize * slot;
        if (slot < 3 && int(slot) >= n) {
            for (auto& quantity : block.power)
                SetTripleToZero(quantity[slot]);
            SetTripleToZero(block.factor[slot]);
            if (offsets.dpfAverage != 0)
                block.dpfAverage[slot].SetConstant(0.0f);
            continue;
        }
        ReadTripleOfRecords(item, block.power[kPowerActive][slot], offsets.active + at, kKilo);
        ReadTripleOfRecords(item, block.power[kPowerApparent][slot], offsets.apparent + at, kKilo);
        ReadTripleOfRecords(item, block.power[kPowerReactive][slot], offsets.reactive + at, kKilo);
        ReadTripleOfRecords(item, block.factor[slot], offsets.factor + at);
        if (offsets.dpfAverage != 0)
            ReadFieldOfRecords(item, block.dpfAverage[slot], offsets.dpfAverage + at);
    }
}

// The interval energies Ep, Es and Eq of slots 0..3 lie in three runs of four floats from
// `activeAt` on.
void ReadLoggerEnergyBlock(const CDataItemTrend& item, std::size_t voltageAt, std::size_t currentAt,
                           std::size_t stride, std::size_t activeAt)
{
    STrendEnergyBlock& block = *item.Arrays().energy;
    ReadVoltageCurrentOfRecords(item, block, voltageAt, currentAt, stride);
    for (std::size_t slot = 0; slot < kTrendSlotCount; ++slot) {
        ReadFieldOfRecords(item, block.interval[slot][kEnergyActive], activeAt + 4 * slot, kKilo);
        ReadFieldOfRecords(item, block.interval[slot][kEnergyApparent], activeAt + 16 + 4 * slot, kKilo);
        ReadFieldOfRecords(item, block.interval[slot][kEnergyReactive], activeAt + 32 + 4 * slot, kKilo);
    }
}

void ExtractCounters(const CDataItemTrend& item, std::size_t forward, std::size_t reverse)
{
    STrendCounterBlock& block = *item.Arrays().counters;
    ReadFieldOfRecords(item, block.energy[0], forward, kKilo);
    ReadFieldOfRecords(item, block.energy[1], reverse, kKilo);
}

} // namespace

void ExtractVoltageOlder(const CDataItemTrend& item)
{
    // Slots 0..2 by voltage reference; slot 3 is the neutral-to-ground voltage.
    std::array<std::size_t, 3> phases{};
    bool neutral = true;
    switch (item.GetVoltageReference()) {
    case 1: phases = {9928, 9940, 9952}; break;
    case 2:
        if (item.GetConfig().IsPhaseToNeutralDefault()) {
            phases = {9844, 9856, 9868};
        } else {
            phases = {9892, 9904, 9916};
            neutral = false;
        }
        break;
    case 3: phases = {9964, 9976, 9988}; break;
    default: return;
    }
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        for (std::size_t t = 0; t < 3; ++t)
            ReadTriple(table, phases[t], item.Arrays().triples[t], i);
        if (neutral)
            ReadTriple(table, 9880, item.Arrays().triples[3], i);
    });
}

void ExtractCurrentOlder(const CDataItemTrend& item)
{
    ExtractTriplesAt(item, std::array<std::size_t, 5>{10012, 10024, 10036, 10048, 10060});
}

void ExtractFrequencyOlder(const CDataItemTrend& item)
{
    constexpr int kSamples = 60;
    const STrendTriple& triple = item.Arrays().triples[0];
    BYTE* positions = item.Arrays().positions.get();
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        // Minimum and maximum start from the first valid sample: NaN and exact 0 are skipped.
        // 0 Hz is how the logger marks a sample it could not measure (the average leaves it out
        // too), so a record whose first sample is 0 keeps the minimum of its measured samples.
        float minimum = kNaN;
        float maximum = kNaN;
        int minimumAt = 0;
        int maximumAt = 0;
        double sum = 0.0;
        int valid = 0;
        for (int n = 0; n < kSamples; ++n) {
            const float v = Field(table, 10592 + 4 * std::size_t(n));
            if (std::isnan(v) || v == 0.0f)
                continue;
            if (valid == 0 || v < minimum) {
                minimum = v;
                minimumAt = n;
            }
            if (valid == 0 || v > maximum) {
                maximum = v;
                maximumAt = n;
            }
            sum += v;
            ++valid;
        }
        triple[kSeriesMin].Data()[i] = minimum;
        triple[kSeriesAvg].Data()[i] = valid > 0 ? float(sum / valid) : kNaN;
        triple[kSeriesMax].Data()[i] = maximum;
        positions[std::size_t(i) * kPositionBytesPerRecord] = BYTE(minimumAt);
        positions[std::size_t(i) * kPositionBytesPerRecord + 1] = BYTE(maximumAt);
    });
}

void ExtractPowerOlder(const CDataItemTrend& item) { ExtractOlderPowerFields(item, false); }
void ExtractDemandPowerOlder(const CDataItemTrend& item) { ExtractOlderPowerFields(item, true); }
void ExtractFundamentalOlder(const CDataItemTrend& item) { ExtractOlderFundamentalFields(item, false); }
void ExtractDemandFundamentalOlder(const CDataItemTrend& item) { ExtractOlderFundamentalFields(item, true); }

// Three groups of eight channels (voltage slots 0..3, then current slots 0..3).
void ExtractVoltageHarmonics(const CDataItemTrend& item) { ExtractHarmonics(item, 20, 0, kHarmonicOrderCount); }
void ExtractVoltageHarmonics2(const CDataItemTrend& item) { ExtractHarmonics(item, 3284, 0, kHarmonicOrderCount); }
void ExtractVoltageInterharmonics(const CDataItemTrend& item) { ExtractHarmonics(item, 3284, 0, 50); }
void ExtractCurrentHarmonics(const CDataItemTrend& item) { ExtractHarmonics(item, 20, 4, kHarmonicOrderCount); }
void ExtractCurrentHarmonics2(const CDataItemTrend& item) { ExtractHarmonics(item, 3284, 4, kHarmonicOrderCount); }
void ExtractCurrentInterharmonics(const CDataItemTrend& item) { ExtractHarmonics(item, 6548, 4, 50); }

void ExtractPst(const CDataItemTrend& item)
{
    ForEachRecord(item, [&](const Umbo_table_header_t* table, int i) {
        for (std::size_t k = 0; k < 3; ++k)
            item.Arrays().triples[k][kSeriesAvg].Data()[i] = Field(table, 10576 + 4 * k);
    });
}

void ExtractPlt(const CDataItemTrend& item)
{
    ExtractPst(item);
    if (item.GetRecordCount() < 2)
        return;
    for (std::size_t k = 0; k < 3; ++k)
        ComputePlt(item.Arrays().triples[k][kSeriesAvg].Data(), item.GetRecordCount());
}

void ExtractVoltageLogger(const CDataItemTrend& item)
{
    switch (item.GetVoltageReference()) {
    case 1: ReadTriplesOfRecords(item, kLoggerPhaseToPhase); break;
    case 2: ReadTriplesOfRecords(item, kLoggerPhaseToNeutral); break;
    default:
        // No reference: the series keep no values, as NaN throughout.
        for (std::size_t t = 0; t < kLoggerPhaseToNeutral.size(); ++t)
            for (auto& series : item.Arrays().triples[t].series)
                series.SetConstant(kNaN);
        break;
    }
}

void ExtractCurrentLogger(const CDataItemTrend& item) { ReadTriplesOfRecords(item, kLoggerCurrent); }
void ExtractFrequencyLogger(const CDataItemTrend& item) { ReadTriplesOfRecords(item, kLoggerFrequency); }
void ExtractThdVoltageLogger(const CDataItemTrend& item) { ReadTriplesOfRecords(item, kLoggerThdVoltage); }
void ExtractThdCurrentLogger(const CDataItemTrend& item) { ReadTriplesOfRecords(item, kLoggerThdCurrent); }
void ExtractAuxLogger(const CDataItemTrend& item) { ReadTriplesOfRecords(item, kLoggerAux); }

void ExtractPowerLogger(const CDataItemTrend& item) { ReadLoggerPowerBlock(item, *item.Arrays().power, kLoggerPower); }

void ExtractFundamentalLogger(const CDataItemTrend& item)
{
    ReadLoggerPowerBlock(item, *item.Arrays().fundamental, kLoggerFundamental);
}

void ExtractEnergyLogger(const CDataItemTrend& item) { ReadLoggerEnergyBlock(item, 32, 104, kTripleSize, 600); }
void ExtractDemandEnergyLogger(const CDataItemTrend& item) { ReadLoggerEnergyBlock(item, 24, 36, 4, 48); }

void ExtractCountersLogger(const CDataItemTrend& item) { ExtractCounters(item, 648, 652); }
void ExtractDemandCountersLogger(const CDataItemTrend& item) { ExtractCounters(item, 96, 100); }

} // namespace TrendHandlers
