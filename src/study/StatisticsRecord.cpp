#include "study/StatisticsRecord.h"

#include "datamodel/TrendTimeBlock.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool SStatisticsRecord::IsEmpty() const
{
    return *this == SStatisticsRecord{};
}

void SStatisticsRecord::SetRange(const CTrendTimeBlock& block, int first, int last)
{
    missingCount = last >= first ? block.CountMissingIntervals(first, last) : 0;
    expectedCount = std::max(0, last - first + 1) + missingCount;
}

void SStatisticsRecord::Merge(const SStatisticsRecord& source)
{
    if (IsEmpty()) {
        *this = source;
        return;
    }
    const std::int32_t worse = std::max(quality, source.quality);
    if (source.finiteCount < finiteCount)
        *this = source;
    quality = worse;
}

float SStatisticsRecord::NonFiniteResult() const
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (plusInfinityCount > 0)
        return inf;
    if (minusInfinityCount == 0)
        return std::numeric_limits<float>::quiet_NaN();
    return -inf;
}

bool SStatisticsRecord::IsTooFew(double validRatio) const
{
    const double wanted = std::floor(expectedCount * validRatio + 0.5);
    return finiteCount < std::min<double>(wanted, expectedCount);
}
