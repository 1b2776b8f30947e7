#pragma once
// The value series of a trend item: six value triples, the frequency positions and at most one
// block for the kinds of item that need more than triples. An absent series is false; a present
// one has one value per record.
#include "datamodel/TrendSeries.h"
#include "platform/framework/WinTypes.h"

#include <array>
#include <memory>

enum ETrendSeries { kSeriesMin = 0, kSeriesAvg = 1, kSeriesMax = 2 };

// Minimum, average and maximum series of one phase slot.
struct STrendTriple
{
    std::array<CTrendSeries, 3> series;

    const CTrendSeries& operator[](int s) const { return series[std::size_t(s)]; }
};

inline constexpr int kTrendSlotCount = 4;      // phases A, B, C and total (or neutral)
inline constexpr int kTrendTripleCount = 6;
inline constexpr int kHarmonicOrderCount = 51; // orders 0..50
inline constexpr int kPositionBytesPerRecord = 5;

// Harmonic spectra of one record series (older layout).
struct STrendHarmonicsBlock
{
    bool thdComputed = false;
    std::array<CTrendSeries, 3> unbalance;
    // [order][slot]: [0] = the record's second float of the order, [1] = its first float.
    std::array<std::array<std::array<CTrendSeries, 2>, kTrendSlotCount>, kHarmonicOrderCount> orders;
    std::array<CTrendSeries, kTrendSlotCount> fundamental;
};

// Quantity index within a power block: active, apparent and non-active (logger form: reactive)
// power; in a fundamental block the fundamental active, apparent and reactive power.
enum ETrendPower { kPowerActive = 0, kPowerApparent = 1, kPowerReactive = 2 };

struct STrendPowerBlock
{
    bool loggerForm = false;
    int flag = 0;
    // Average voltage and current of phases 0..2 per record, for derivations and thresholds.
    std::array<CTrendSeries, 3> voltage;
    std::array<CTrendSeries, 3> current;
    CTrendSeries systemVoltage; // older form only
    CTrendSeries systemCurrent;
    // [quantity][slot]; the older form keeps only the average series of slot 3.
    std::array<std::array<STrendTriple, kTrendSlotCount>, 3> power;
    // PF (power block) or DPF (fundamental block); the older form keeps only averages.
    std::array<STrendTriple, kTrendSlotCount> factor;
    // Logger power block: the average series of the recorded DPF triple.
    std::array<CTrendSeries, kTrendSlotCount> dpfAverage;
    // [slot][quantity] energy integrated from the power, made on first request.
    std::array<std::array<CTrendSeries, 3>, kTrendSlotCount> energy;
};

enum ETrendEnergy { kEnergyActive = 0, kEnergyApparent = 1, kEnergyReactive = 2 };

struct STrendEnergyBlock
{
    // [slot][Ep, Es, Eq] energy of each interval.
    std::array<std::array<CTrendSeries, 3>, kTrendSlotCount> interval;
    // Running sums of the interval energies, all made on the first request of any.
    std::array<std::array<CTrendSeries, 3>, kTrendSlotCount> running;
    bool runningMade = false;
    std::array<CTrendSeries, 3> voltage;
    std::array<CTrendSeries, 3> current;
};

// Forward and reverse active energy.
struct STrendCounterBlock
{
    std::array<CTrendSeries, 2> energy;
};

struct STrendItemArrays
{
    std::array<STrendTriple, kTrendTripleCount> triples;
    // Older frequency item: byte 0 position of the minimum, byte 1 of the maximum in the record.
    std::unique_ptr<BYTE[]> positions;
    std::unique_ptr<STrendHarmonicsBlock> harmonics;
    std::unique_ptr<STrendPowerBlock> power;
    std::unique_ptr<STrendPowerBlock> fundamental;
    std::unique_ptr<STrendEnergyBlock> energy;
    std::unique_ptr<STrendCounterBlock> counters;
};
