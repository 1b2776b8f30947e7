#include "datamodel/ValueScale.h"

#include <cmath>

namespace
{
struct SDefaultScaleRow
{
    DWORD quantity;
    unsigned unitStringId; // 0: the literal unit below
    const char* literalUnit;
    bool kiloUnit; // the unit text starts with "k": drop it and take values times 1000
    int decimals;
    int magnitudeSlot;
};

constexpr int kNone = SValueScaleEntry::kNoMagnitudeSlot;

constexpr SDefaultScaleRow kDefaultScales[] = {
    {0, 8050, nullptr, false, 1, kNone},
    {1, 8051, nullptr, false, 1, 2},
    {2, 8093, nullptr, false, 2, kNone},
    {5, 8097, nullptr, true, 1, 0},
    {6, 8098, nullptr, true, 1, 0},
    {7, 8099, nullptr, true, 1, 0},
    {8, 0, "1", false, 2, kNone},
    {9, 0, "1", false, 2, kNone},
    {20, 8097, nullptr, true, 1, 0},
    {21, 8098, nullptr, true, 1, 0},
    {22, 8099, nullptr, true, 1, 0},
    {29, 8054, nullptr, false, 1, kNone},
    {30, 8054, nullptr, false, 1, kNone},
    {41, 5723, nullptr, true, 1, 1},
    {42, 5725, nullptr, true, 1, 1},
    {43, 5727, nullptr, true, 1, 1},
    {44, 5723, nullptr, true, 1, 5},
    {45, 5725, nullptr, true, 1, 5},
    {46, 5727, nullptr, true, 1, 5},
    {48, 7573, nullptr, true, 1, 1},
    {49, 7573, nullptr, true, 1, 1},
    {51, 5734, nullptr, false, 4, kNone},
    {52, 5734, nullptr, false, 4, kNone},
    {53, 5734, nullptr, false, 4, kNone},
    {54, 8098, nullptr, true, 1, 3},
    {55, 5725, nullptr, true, 1, 4},
    {56, 0, "1", false, 2, kNone},
    {57, 0, "1", false, 2, kNone},
};

// Lower bounds of the magnitude bands, largest first; below the last: milli.
struct SPrefixBand
{
    double atLeast;
    SPrefixChoice choice;
};
constexpr SPrefixBand kPrefixBands[] = {
    {1000000.0, {SValueFormat::kPrefixMega, 1000000.0, 3}},
    {1000.0, {SValueFormat::kPrefixKilo, 1000.0, 3}},
    {100.0, {SValueFormat::kPrefixNone, 1.0, 1}},
    {10.0, {SValueFormat::kPrefixNone, 1.0, 2}},
    {1.0, {SValueFormat::kPrefixNone, 1.0, 3}},
};
constexpr SPrefixChoice kMilli = {SValueFormat::kPrefixMilli, 0.001, 1};
} // namespace

SValueScaleEntry MakeDefaultScaleEntry(DWORD quantity)
{
    SValueScaleEntry entry;
    for (const SDefaultScaleRow& row : kDefaultScales) {
        if (row.quantity != quantity)
            continue;
        if (row.unitStringId != 0)
            entry.unitText.LoadString(row.unitStringId);
        else
            entry.unitText = row.literalUnit;
        if (row.kiloUnit) {
            if (!entry.unitText.IsEmpty() && entry.unitText[0] == 'k')
                entry.unitText.Delete(0);
            entry.factor = 1000.0;
        }
        entry.decimals = row.decimals;
        entry.magnitudeSlot = row.magnitudeSlot;
        entry.autoPrefix = row.magnitudeSlot != kNone; // every prefixed quantity shares a slot
        break;
    }
    return entry;
}

SPrefixChoice ChoosePrefix(double magnitude)
{
    for (const SPrefixBand& band : kPrefixBands) {
        if (magnitude >= band.atLeast)
            return band.choice;
    }
    return kMilli;
}

double PrefixMultiplier(std::uint32_t prefixIndex)
{
    switch (prefixIndex) {
    case SValueFormat::kPrefixMega:
        return 1000000.0;
    case SValueFormat::kPrefixKilo:
        return 1000.0;
    case SValueFormat::kPrefixMilli:
        return 0.001;
    default:
        return 1.0;
    }
}
