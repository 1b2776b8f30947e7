#pragma once
// Two series summaries alike to the bit: sums, extremes, counts and the records they name.
#include "datamodel/SeriesSummary.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <tuple>

inline void ExpectSameSummaryBits(const SSeriesSummary& expected, const SSeriesSummary& actual)
{
    EXPECT_EQ(std::bit_cast<std::uint64_t>(expected.sum), std::bit_cast<std::uint64_t>(actual.sum));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(expected.sumOfSquares), std::bit_cast<std::uint64_t>(actual.sumOfSquares));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(expected.minimum), std::bit_cast<std::uint32_t>(actual.minimum));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(expected.maximum), std::bit_cast<std::uint32_t>(actual.maximum));
    EXPECT_EQ(std::tie(expected.finiteCount, expected.plusInfinityCount, expected.minusInfinityCount,
                       expected.nanCount, expected.minimumRecord, expected.maximumRecord, expected.firstPlusInfinity,
                       expected.firstMinusInfinity),
              std::tie(actual.finiteCount, actual.plusInfinityCount, actual.minusInfinityCount, actual.nanCount,
                       actual.minimumRecord, actual.maximumRecord, actual.firstPlusInfinity, actual.firstMinusInfinity));
}
