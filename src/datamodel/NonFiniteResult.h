#pragma once
// The result of combining two values of which at least one is not finite: an infinity wins
// over NaN, and +infinity over -infinity.
#include <cmath>
#include <limits>

inline float NonFiniteResult(float a, float b)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    if (a == inf || b == inf)
        return inf;
    if (a == -inf || b == -inf)
        return -inf;
    return std::numeric_limits<float>::quiet_NaN();
}
