#pragma once
// The quality record of a computed value: how many of the values it was computed from were
// finite, +infinity, -infinity or NaN, how many intervals were missing and how many were
// expected. Seven 32-bit words, in this order.
#include <cstdint>

class CTrendTimeBlock;

struct SStatisticsRecord
{
    std::int32_t quality = 0; // 0 all valid, 1 some not finite or missing, 2 too few valid
    std::int32_t finiteCount = 0;
    std::int32_t plusInfinityCount = 0;
    std::int32_t minusInfinityCount = 0;
    std::int32_t nanCount = 0;
    std::int32_t missingCount = 0;
    std::int32_t expectedCount = 0;

    void Clear() { *this = SStatisticsRecord{}; }
    bool IsEmpty() const;
    // Records first .. last of the block: the missing intervals between them, and expected =
    // records + missing.
    void SetRange(const CTrendTimeBlock& block, int first, int last);
    // An empty target takes the source; otherwise the worse quality is kept, and the counts of
    // the source when it has fewer finite values.
    void Merge(const SStatisticsRecord& source);
    // The result of a value that could not be computed: +infinity when any value was
    // +infinity, else NaN unless a value was -infinity, else -infinity.
    float NonFiniteResult() const;
    std::int32_t NonFiniteAndMissingCount() const
    {
        return plusInfinityCount + minusInfinityCount + nanCount + missingCount;
    }
    // Fewer finite values than the ratio of the expected ones asks for (rounded), at most all.
    bool IsTooFew(double validRatio) const;

    friend bool operator==(const SStatisticsRecord&, const SStatisticsRecord&) = default;
};
