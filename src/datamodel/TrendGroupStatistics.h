#pragma once
// Reductions of a run of consecutive values (records first..last of a base series) to one value
// of a grouped series. Finite values are reduced; infinities and NaN are only counted, and
// decide the result when too few finite values are left.
#include <cstddef>

struct SGroupScan
{
    double sum = 0.0;
    double sumOfSquares = 0.0;
    float smallest = 0.0f;
    float largest = 0.0f;
    int finite = 0;
    int positiveInfinite = 0;
    int negativeInfinite = 0;
    int nan = 0;
};

SGroupScan ScanGroup(const float* values, int first, int last);

enum class EGroupStatistic { Mean, Rms, Sum, Minimum, Maximum };

// The statistic of the scanned values. Mean, RMS and sum need at least `required` finite values
// (and one); minimum and maximum need one.
float ReduceGroup(const SGroupScan& scan, EGroupStatistic statistic, int required);

// +infinity if any value is +infinity, else -infinity if any is -infinity, else NaN.
float NonFiniteOfScan(const SGroupScan& scan);
