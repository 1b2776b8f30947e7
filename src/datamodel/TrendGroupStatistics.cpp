#include "datamodel/TrendGroupStatistics.h"

#include <cmath>
#include <limits>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

SGroupScan ScanGroup(const float* values, int first, int last)
{
    SGroupScan scan;
    for (int i = first; i <= last; ++i) {
        const float v = values[i];
        if (std::isnan(v)) {
            ++scan.nan;
        } else if (v == kInf) {
            ++scan.positiveInfinite;
        } else if (v == -kInf) {
            ++scan.negativeInfinite;
        } else {
            if (scan.finite == 0 || v < scan.smallest)
                scan.smallest = v;
            if (scan.finite == 0 || v > scan.largest)
                scan.largest = v;
            scan.sum += v;
            scan.sumOfSquares += double(v) * double(v);
            ++scan.finite;
        }
    }
    return scan;
}

float NonFiniteOfScan(const SGroupScan& scan)
{
    if (scan.positiveInfinite > 0)
        return kInf;
    if (scan.negativeInfinite > 0)
        return -kInf;
    return kNaN;
}

float ReduceGroup(const SGroupScan& scan, EGroupStatistic statistic, int required)
{
    const bool enough = scan.finite >= 1 && scan.finite >= required;
    switch (statistic) {
    case EGroupStatistic::Mean:
        return enough ? float(scan.sum / scan.finite) : NonFiniteOfScan(scan);
    case EGroupStatistic::Rms:
        return enough ? float(std::sqrt(scan.sumOfSquares / scan.finite)) : NonFiniteOfScan(scan);
    case EGroupStatistic::Sum:
        return enough ? float(scan.sum) : NonFiniteOfScan(scan);
    case EGroupStatistic::Maximum:
        if (scan.positiveInfinite > 0)
            return kInf;
        if (scan.finite >= 1)
            return scan.largest;
        return scan.nan == 0 && scan.negativeInfinite > 0 ? -kInf : kNaN;
    case EGroupStatistic::Minimum:
        if (scan.negativeInfinite > 0)
            return -kInf;
        if (scan.finite >= 1)
            return scan.smallest;
        return scan.nan == 0 && scan.positiveInfinite > 0 ? kInf : kNaN;
    }
    return kNaN;
}
