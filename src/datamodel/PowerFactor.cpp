#include "datamodel/PowerFactor.h"

#include <cmath>

namespace {

constexpr double kNegligible = 0.001;

} // namespace

float FoldPowerFactor(float v)
{
    if (!std::isfinite(v))
        return v;
    if (v > 0.0f && v <= 1.0f)
        return 1.0f - v;
    if (v >= -1.0f && v < 0.0f)
        return -(v + 1.0f);
    return std::copysign(1.0f, v);
}

double ClampUnitMagnitude(double v)
{
    if (!std::isfinite(v) || std::fabs(v) < kNegligible)
        return 0.0;
    return std::fmin(std::fabs(v), 1.0);
}

double ClampUnitMagnitudeSigned(double v, double s)
{
    const double magnitude = ClampUnitMagnitude(v);
    return s >= 0.0 ? magnitude : -magnitude;
}

bool IsPowerFactorQuantity(int quantityId)
{
    return quantityId == 8 || quantityId == 9 || IsFoldedPowerFactorQuantity(quantityId);
}

bool IsFoldedPowerFactorQuantity(int quantityId)
{
    return quantityId == 56 || quantityId == 57;
}
