#pragma once
// The display scale of a quantity as the value formatter hands it out: how many decimals to
// show, what to divide a value by before showing it, and the prefixed unit text.
#include <cmath>
#include <cstdint>

#include "platform/framework/CString.h"

struct SValueFormat
{
    // Prefix indexes: none, mega, kilo, milli.
    static constexpr std::uint32_t kPrefixNone = 0;
    static constexpr std::uint32_t kPrefixMega = 1;
    static constexpr std::uint32_t kPrefixKilo = 2;
    static constexpr std::uint32_t kPrefixMilli = 3;

    static constexpr int kAutomaticDecimals = -1;

    int decimals = kAutomaticDecimals;
    double divisor = 1.0;
    std::uint32_t prefixIndex = kPrefixNone;
    CString unitText;

    // The smallest step the format can show and the divisor to apply. With automatic decimals
    // nothing is fixed: step 0.0, divisor 1.0, result false.
    bool Resolve(double& step, double& divisorOut) const
    {
        if (decimals < 0) {
            step = 0.0;
            divisorOut = 1.0;
            return false;
        }
        step = std::pow(10.0, -decimals);
        divisorOut = divisor;
        return true;
    }
};
