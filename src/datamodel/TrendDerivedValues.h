#pragma once
// Per-record derivations of the power and fundamental power blocks, made at extraction and
// again on every record of a grouped item.
#include "datamodel/TrendItemArrays.h"

#include <cmath>

class CDataItemTrend;

// Phases that carry power: 1 for topologies 0 and 4, else 3.
int PowerPhaseCount(int topology);

// A NaN value is never below a threshold.
inline bool IsBelowThreshold(float value, float threshold)
{
    return value < threshold;
}

// sqrt(a^2 - b^2), 0 when the difference is negative; NaN stays NaN.
inline double NonActiveFrom(double a, double b)
{
    const double d = a * a - b * b;
    return d < 0.0 ? 0.0 : std::sqrt(d);
}

// Older power rows: S, N and PF averages of record i from V, I and P, and the totals.
void DerivePowerOlder(const CDataItemTrend& item, STrendPowerBlock& block, int i);
// Fundamental rows: Sf and DPF averages of record i from Pf and Qf, and the totals.
void DeriveFundamental(const CDataItemTrend& item, STrendPowerBlock& block, int i);
