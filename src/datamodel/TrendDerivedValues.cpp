#include "datamodel/TrendDerivedValues.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/PowerFactor.h"

#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();


bool AllNonFinite(const std::array<STrendTriple, kTrendSlotCount>& factor, int i)
{
    for (int k = 0; k < 3; ++k)
        if (std::isfinite(factor[std::size_t(k)][kSeriesAvg][i]))
            return false;
    return true;
}

bool BelowThresholds(const CDataItemTrend& item, const STrendPowerBlock& block, int k, int i)
{
    return IsBelowThreshold(block.voltage[std::size_t(k)][i], item.GetVoltageThreshold(k)) ||
           IsBelowThreshold(block.current[std::size_t(k)][i], item.GetCurrentThreshold(k));
}

} // namespace

int PowerPhaseCount(int topology)
{
    return topology == 0 || topology == 4 ? 1 : 3;
}

void DerivePowerOlder(const CDataItemTrend& item, STrendPowerBlock& block, int i)
{
    const int topology = item.GetConfig().GetTopology();
    const int n = PowerPhaseCount(topology);
    auto& P = block.power[kPowerActive];
    auto& S = block.power[kPowerApparent];
    auto& N = block.power[kPowerReactive];
    for (int k = 0; k < 3; ++k) {
        const std::size_t slot = std::size_t(k);
        if (k >= n) {
            S[slot][kSeriesAvg].Data()[i] = 0.0f;
            N[slot][kSeriesAvg].Data()[i] = 0.0f;
            block.factor[slot][kSeriesAvg].Data()[i] = 0.0f;
            continue;
        }
        const double s = double(block.voltage[slot][i]) * double(block.current[slot][i]) / 1000.0;
        const double p = P[slot][kSeriesAvg][i];
        S[slot][kSeriesAvg].Data()[i] = float(s);
        N[slot][kSeriesAvg].Data()[i] = float(NonActiveFrom(s, p));
        block.factor[slot][kSeriesAvg].Data()[i] = BelowThresholds(item, block, k, i) ? kNaN : float(ClampUnitMagnitude(p / s));
    }

    const auto product = [&](int k) { return double(block.voltage[std::size_t(k)][i]) * double(block.current[std::size_t(k)][i]); };
    double total;
    switch (topology) {
    case 0: total = product(0) / 1000.0; break;
    case 3: total = (product(0) + product(1)) / 1000.0; break;
    case 4: total = S[0][kSeriesAvg][i]; break;
    default: total = 3.0 * double(block.systemVoltage[i]) * double(block.systemCurrent[i]) / 1000.0; break;
    }
    const double p = P[3][kSeriesAvg][i];
    S[3][kSeriesAvg].Data()[i] = float(total);
    N[3][kSeriesAvg].Data()[i] = float(NonActiveFrom(total, p));
    block.factor[3][kSeriesAvg].Data()[i] = AllNonFinite(block.factor, i) ? kNaN : float(ClampUnitMagnitude(p / total));
}

void DeriveFundamental(const CDataItemTrend& item, STrendPowerBlock& block, int i)
{
    const int n = PowerPhaseCount(item.GetConfig().GetTopology());
    auto& Pf = block.power[kPowerActive];
    auto& Sf = block.power[kPowerApparent];
    auto& Qf = block.power[kPowerReactive];
    for (int k = 0; k < 3; ++k) {
        const std::size_t slot = std::size_t(k);
        if (k >= n) {
            Sf[slot][kSeriesAvg].Data()[i] = 0.0f;
            block.factor[slot][kSeriesAvg].Data()[i] = 0.0f;
            continue;
        }
        const double p = Pf[slot][kSeriesAvg][i];
        const double q = Qf[slot][kSeriesAvg][i];
        const double s = std::sqrt(p * p + q * q);
        Sf[slot][kSeriesAvg].Data()[i] = float(s);
        block.factor[slot][kSeriesAvg].Data()[i] =
            BelowThresholds(item, block, k, i) ? kNaN : float(ClampUnitMagnitudeSigned(p / s, q));
    }
    const double p = Pf[3][kSeriesAvg][i];
    const double q = Qf[3][kSeriesAvg][i];
    const double s = std::sqrt(p * p + q * q);
    Sf[3][kSeriesAvg].Data()[i] = float(s);
    block.factor[3][kSeriesAvg].Data()[i] = AllNonFinite(block.factor, i) ? kNaN : float(ClampUnitMagnitudeSigned(p / s, q));
}
