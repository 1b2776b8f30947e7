#include "datamodel/SeriesSummary.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kSideBySide = 4;

[[gnu::always_inline]] inline bool AllFinite(const float* values, int count)
{
    std::uint32_t nonFinite = 0;
    for (int i = 0; i < count; ++i)
        nonFinite |= (std::bit_cast<std::uint32_t>(values[i]) & 0x7f800000u) == 0x7f800000u ? 1u : 0u;
    return nonFinite == 0;
}

// The extremes of a run of finite values: the smallest and largest value met first (a later
// equal one, -0 beside +0 among them, does not replace it), as the value by value rules take them.
[[gnu::always_inline]] inline void AddExtremes(SSeriesSummary& summary, const float* values, int first, int count)
{
    // Lanes side by side, so that the comparisons need not wait for each other; finite values
    // have the same extremes in any order.
    // Written as vectors of four, the width every x86-64 processor has: the compiler left the
    // lanes one at a time.
    typedef float F4 __attribute__((vector_size(4 * sizeof(float))));
    constexpr int kLanes = 8;
    const float start = values[0];
    F4 lowVectors[2] = {{start, start, start, start}, {start, start, start, start}};
    F4 highVectors[2] = {lowVectors[0], lowVectors[1]};
    int i = 0;
    for (; i + kLanes <= count; i += kLanes)
        for (int half = 0; half < 2; ++half) {
            F4 v;
            std::memcpy(&v, values + i + 4 * half, sizeof v);
            lowVectors[half] = v < lowVectors[half] ? v : lowVectors[half];
            highVectors[half] = v > highVectors[half] ? v : highVectors[half];
        }
    float lows[kLanes];
    float highs[kLanes];
    std::memcpy(lows, lowVectors, sizeof lows);
    std::memcpy(highs, highVectors, sizeof highs);
    for (; i < count; ++i) {
        lows[0] = values[i] < lows[0] ? values[i] : lows[0];
        highs[0] = values[i] > highs[0] ? values[i] : highs[0];
    }
    const float low = *std::min_element(lows, lows + kLanes);
    const float high = *std::max_element(highs, highs + kLanes);
    if (summary.minimumRecord < 0 || low < summary.minimum) {
        const int at = int(std::find_if(values, values + count, [low](float v) { return v == low; }) - values);
        summary.minimum = values[at];
        summary.minimumRecord = first + at;
    }
    if (summary.maximumRecord < 0 || high > summary.maximum) {
        const int at = int(std::find_if(values, values + count, [high](float v) { return v == high; }) - values);
        summary.maximum = values[at];
        summary.maximumRecord = first + at;
    }
}

// The sums of up to kSideBySide runs of finite values, each in record order.
template <int N>
[[gnu::always_inline]] inline void AddSums(SSeriesSummary* const* summaries, const float* const* values, int count)
{
    if constexpr (N == 4) {
        // The four runs in the lanes of one vector, each lane still taking its run in record
        // order: a quarter of the additions and multiplications.
        typedef double D4 __attribute__((vector_size(4 * sizeof(double))));
        D4 sums4 = {summaries[0]->sum, summaries[1]->sum, summaries[2]->sum, summaries[3]->sum};
        D4 squares4 = {summaries[0]->sumOfSquares, summaries[1]->sumOfSquares, summaries[2]->sumOfSquares,
                       summaries[3]->sumOfSquares};
        for (int i = 0; i < count; ++i) {
            const D4 v = {values[0][i], values[1][i], values[2][i], values[3][i]};
            sums4 += v;
            squares4 += v * v;
        }
        for (int k = 0; k < N; ++k) {
            summaries[k]->sum = sums4[k];
            summaries[k]->sumOfSquares = squares4[k];
        }
        return;
    }
    double sums[N];
    double squares[N];
    for (int k = 0; k < N; ++k) {
        sums[k] = summaries[k]->sum;
        squares[k] = summaries[k]->sumOfSquares;
    }
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < N; ++k) {
            const float v = values[k][i];
            sums[k] += double(v);
            squares[k] += double(v) * v;
        }
    for (int k = 0; k < N; ++k) {
        summaries[k]->sum = sums[k];
        summaries[k]->sumOfSquares = squares[k];
    }
}

[[gnu::always_inline]] inline void AddSums(SSeriesSummary* const* summaries, const float* const* values, int n,
                                           int count)
{
    switch (n) {
    case 1: AddSums<1>(summaries, values, count); break;
    case 2: AddSums<2>(summaries, values, count); break;
    case 3: AddSums<3>(summaries, values, count); break;
    default: AddSums<kSideBySide>(summaries, values, count); break;
    }
}

[[gnu::always_inline]] inline void AddRuns(std::span<SSeriesSummary* const> summaries, std::span<const float* const> values,
                                           int first, int count, bool sums)
{
    SSeriesSummary* finiteSummaries[kSideBySide];
    const float* finiteValues[kSideBySide];
    int waiting = 0;
    for (std::size_t k = 0; k < summaries.size(); ++k) {
        if (!AllFinite(values[k], count)) {
            summaries[k]->Add(first, count, values[k], sums);
            continue;
        }
        summaries[k]->finiteCount += count;
        AddExtremes(*summaries[k], values[k], first, count);
        if (!sums)
            continue;
        finiteSummaries[waiting] = summaries[k];
        finiteValues[waiting] = values[k];
        if (++waiting == kSideBySide) {
            AddSums(finiteSummaries, finiteValues, waiting, count);
            waiting = 0;
        }
    }
    if (waiting > 0)
        AddSums(finiteSummaries, finiteValues, waiting, count);
}

void AddRunsPlain(std::span<SSeriesSummary* const> summaries, std::span<const float* const> values, int first, int count,
                  bool sums)
{
    AddRuns(summaries, values, first, count, sums);
}

#if defined(__x86_64__) || defined(__i386__)
// Every chunk of a walk's series comes through here: the wider vectors where the processor has
// them, the same operations in the same order.
[[gnu::target("avx2")]] void AddRunsAvx2(std::span<SSeriesSummary* const> summaries, std::span<const float* const> values,
                                         int first, int count, bool sums)
{
    AddRuns(summaries, values, first, count, sums);
}
#endif

} // namespace

void AddToSummaries(std::span<SSeriesSummary* const> summaries, std::span<const float* const> values, int first,
                    int count, bool sums)
{
    if (count <= 0)
        return;
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2) {
        AddRunsAvx2(summaries, values, first, count, sums);
        return;
    }
#endif
    AddRunsPlain(summaries, values, first, count, sums);
}

void SSeriesSummary::Join(const SSeriesSummary& later)
{
    if (later.minimumRecord >= 0 && (minimumRecord < 0 || later.minimum < minimum)) {
        minimum = later.minimum;
        minimumRecord = later.minimumRecord;
    }
    if (later.maximumRecord >= 0 && (maximumRecord < 0 || later.maximum > maximum)) {
        maximum = later.maximum;
        maximumRecord = later.maximumRecord;
    }
    if (plusInfinityCount == 0)
        firstPlusInfinity = later.firstPlusInfinity;
    if (minusInfinityCount == 0)
        firstMinusInfinity = later.firstMinusInfinity;
    finiteCount += later.finiteCount;
    plusInfinityCount += later.plusInfinityCount;
    minusInfinityCount += later.minusInfinityCount;
    nanCount += later.nanCount;
    sum += later.sum;
    sumOfSquares += later.sumOfSquares;
}

void SDerivedSummary::Join(const SDerivedSummary& later)
{
    count += later.count;
    plusInfinityCount += later.plusInfinityCount;
    minusInfinityCount += later.minusInfinityCount;
    nanCount += later.nanCount;
    sums[0] += later.sums[0];
    sums[1] += later.sums[1];
}
