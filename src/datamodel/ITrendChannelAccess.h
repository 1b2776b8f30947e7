#pragma once
// Reads one value series of a trend channel by record index. Accessors compose (ratio, offset,
// filter) so that a view can rescale a series without copying the item's arrays.
#include <cmath>
#include <memory>

class CTrendSeries;

class ITrendChannelAccess
{
public:
    virtual ~ITrendChannelAccess() = default;
    // No bounds check: the index must lie in 0 .. record count - 1 of the owning item.
    virtual float GetValue(int index) const = 0;
    // The values of records first .. first + count - 1, each as GetValue gives it: one call for
    // a run of records, so that walks over many values pay no call per value.
    virtual void ReadValues(int first, int count, float* values) const = 0;
    // The series whose values this accessor hands out unchanged; null when it changes them.
    virtual const CTrendSeries* GetUnchangedSeries() const { return nullptr; }
    // For an accessor that hands out the values of one series, each finite one with the sign of
    // the same record's value of another (WithSignOf): the two series; false for any other.
    virtual bool GetSignedSeries(const CTrendSeries*& /*values*/, const CTrendSeries*& /*signs*/) const { return false; }
    // A new accessor with the same parameters; generic forms clone their inner accessor too.
    virtual std::unique_ptr<ITrendChannelAccess> Clone() const = 0;
};

// A finite value takes the sign of its sign value; others stay as they are.
inline float WithSignOf(float value, float sign)
{
    return std::isfinite(value) ? std::copysign(value, sign) : value;
}

// A value filter of the channel display (e.g. the folded power factor).
using TrendValueFilter = float (*)(float);
