#pragma once
// The display scale kept per quantity: the range registered by the views, the unit text, and
// the prefix and decimals chosen from the largest magnitude seen. Quantities sharing a
// magnitude slot share that magnitude and therefore one prefix (kW, kVA and kvar of a session
// all read in the same prefix).
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "datamodel/SValueFormat.h"

#include <array>
#include <cstdint>
#include <limits>
#include <map>

struct SValueScaleEntry
{
    static constexpr int kNoMagnitudeSlot = 6;

    CString unitText;
    float minimum = std::numeric_limits<float>::quiet_NaN();
    float maximum = std::numeric_limits<float>::quiet_NaN();
    std::uint32_t prefixIndex = SValueFormat::kPrefixNone;
    double factor = 1.0; // 1000 where the unit text dropped its "k": values arrive in kilo units
    int decimals = 1;
    int magnitudeSlot = kNoMagnitudeSlot;
    bool autoPrefix = false;
    bool recompute = true;
    bool userScale = false;
    double userRatio = 1.0;
    double userOffset = 0.0;

    bool HasMagnitudeSlot() const { return magnitudeSlot >= 0 && magnitudeSlot < kNoMagnitudeSlot; }
};

// The entry a quantity starts with: its unit text from the string table and its defaults.
SValueScaleEntry MakeDefaultScaleEntry(DWORD quantity);

// Prefix index, multiplier and decimals for a magnitude already in the entry's base unit.
struct SPrefixChoice
{
    std::uint32_t prefixIndex;
    double multiplier;
    int decimals;
};
SPrefixChoice ChoosePrefix(double magnitude);
double PrefixMultiplier(std::uint32_t prefixIndex);

// The entries of one display interval of a session. Map 0 holds the main quantity table,
// map 1 the power and energy table; each has its own largest magnitudes per slot.
struct SValueScaleBlock
{
    static constexpr int kTableCount = 2;
    static constexpr int kSlotCount = SValueScaleEntry::kNoMagnitudeSlot;

    struct Table
    {
        std::map<DWORD, SValueScaleEntry> entries;
        std::array<double, kSlotCount> largest{};
    };
    std::array<Table, kTableCount> tables;

    Table& GetTable(bool energyTable) { return tables[energyTable ? 1 : 0]; }
    const Table& GetTable(bool energyTable) const { return tables[energyTable ? 1 : 0]; }
};
