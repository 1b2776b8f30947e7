#include "project/ViewSettingsRecords.h"

#include <cmath>

namespace
{
// Computed in single precision, as the stored values always were.
const float kSqrt3 = std::sqrt(3.0f);
} // namespace

void SNominalVoltageOverride::ToConfigurationForm(bool phaseToPhase)
{
    if (!phaseToPhase) {
        nominalX = value;
        topologyX = topology;
        return;
    }
    nominalX = topology != 0 ? value / kSqrt3 : value;
    topologyX = 1;
}

void SNominalVoltageOverride::FromConfigurationForm(bool phaseToPhase)
{
    if (!phaseToPhase) {
        value = nominalX;
        topology = topologyX;
        return;
    }
    value = topologyX != 1 ? kSqrt3 * nominalX : nominalX;
    topology = 0;
}
