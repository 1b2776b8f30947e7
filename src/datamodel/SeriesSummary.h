#pragma once
// What the tables and the scales ask of one value series over a run of records, taken value by
// value in record order: how many values were finite, +infinity, -infinity or NaN, the sum and
// the sum of squares of the finite ones, their extremes with the first record of each, and the
// first record of each infinity.
#include <cmath>
#include <limits>
#include <span>

// A run of more records is summarised stretch by stretch, each from empty figures, and the
// stretches joined in record order: the figures are then the same to the bit whether one thread
// takes the stretches or several take them at once.
constexpr int kSummaryStretch = 16384;

struct SSeriesSummary
{
    int finiteCount = 0;
    int plusInfinityCount = 0;
    int minusInfinityCount = 0;
    int nanCount = 0;
    double sum = 0.0;
    double sumOfSquares = 0.0;
    float minimum = std::numeric_limits<float>::max();
    float maximum = -std::numeric_limits<float>::max();
    int minimumRecord = -1; // first record of the smallest finite value; -1 without one
    int maximumRecord = -1;
    int firstPlusInfinity = -1;
    int firstMinusInfinity = -1;

    // `sums` false: the counts and extremes only, the sums left as they are.
    void Add(int record, float v, bool sums = true)
    {
        if (std::isfinite(v)) {
            ++finiteCount;
            if (sums) {
                sum += double(v);
                sumOfSquares += double(v) * v;
            }
            if (minimumRecord < 0 || v < minimum) {
                minimum = v;
                minimumRecord = record;
            }
            if (maximumRecord < 0 || v > maximum) {
                maximum = v;
                maximumRecord = record;
            }
        } else if (v == std::numeric_limits<float>::infinity()) {
            if (plusInfinityCount++ == 0)
                firstPlusInfinity = record;
        } else if (v == -std::numeric_limits<float>::infinity()) {
            if (minusInfinityCount++ == 0)
                firstMinusInfinity = record;
        } else {
            ++nanCount;
        }
    }
    // Values of records first .. first + count - 1.
    void Add(int first, int count, const float* values, bool sums = true)
    {
        for (int i = 0; i < count; ++i)
            Add(first + i, values[i], sums);
    }
    // The figures of records that all come after these: the counts and extremes are those of the
    // values one by one, the sums this one's plus the later one's.
    void Join(const SSeriesSummary& later);
};

// A figure made of several series over a run of records: up to two sums over the records it
// takes, how many it took, and the quality counts of those it left out.
struct SDerivedSummary
{
    int count = 0;
    int plusInfinityCount = 0;
    int minusInfinityCount = 0;
    int nanCount = 0;
    double sums[2] = {0.0, 0.0};

    // The figures of records that all come after these.
    void Join(const SDerivedSummary& later);
};

// Adds the values of records first .. first + count - 1 of several series to their summaries
// (values[k] to summaries[k]): the same figures as value by value, but the sums of different
// series are taken side by side (each still in record order), and the extremes of a run of
// finite values in one sweep. `sums` false: the counts and extremes only (for series whose
// extremes alone are asked for), the sums left as they are.
void AddToSummaries(std::span<SSeriesSummary* const> summaries, std::span<const float* const> values, int first,
                    int count, bool sums = true);
