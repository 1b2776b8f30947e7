#pragma once
// Reads one value series of a trend channel by record index. Accessors compose (ratio, offset,
// filter) so that a view can rescale a series without copying the item's arrays.
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
    // A new accessor with the same parameters; generic forms clone their inner accessor too.
    virtual std::unique_ptr<ITrendChannelAccess> Clone() const = 0;
};

// A value filter of the channel display (e.g. the folded power factor).
using TrendValueFilter = float (*)(float);
