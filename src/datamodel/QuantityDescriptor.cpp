#include "datamodel/QuantityDescriptor.h"

#include <algorithm>
#include <array>

namespace
{
// String ids of the names and units (resources/strings).
enum : DWORD
{
    S_V = 8050,
    S_A = 8051,
    S_V_RMS = 8052,
    S_PERCENT = 8054,
    S_A_RMS = 8055,
    S_FREQ = 8300,
    S_V_HARMONICS,
    S_A_HARMONICS,
    S_KW,
    S_KVA,
    S_KVAR,
    S_PF,
    S_DPF,
    S_FLICKER_PST,
    S_FLICKER_PLT,
    S_V_INTERHARMONICS,
    S_A_INTERHARMONICS,
    S_THD_V,
    S_THD_A,
    S_V_INTERTHD,
    S_A_INTERTHD,
    S_V_UNBALANCE,
    S_A_UNBALANCE,
    S_KWH,
    S_KVAH,
    S_KVARH,
    S_VOLT,
    S_CURRENT,
    S_P,
    S_S,
    S_Q,
    S_FP,
    S_FS,
    S_FQ,
    S_EP,
    S_ES,
    S_EQ,
    S_ACTIVE_FORWARD,
    S_ACTIVE_REVERSE,
    S_AUX1,
    S_AUX2,
    S_HZ,
    S_THD,
    S_NONE = kNoUnitStringId,
};

constexpr EQuantityGroup V = kGroupVoltage;
constexpr EQuantityGroup I = kGroupCurrent;
constexpr EQuantityGroup P = kGroupPower;
constexpr EHarmonicRange H0 = kHarmonicsNone;
constexpr EHarmonicRange H50 = kHarmonics0To50;
constexpr EHarmonicRange H49 = kHarmonics0To49;
constexpr ESelectionPredicate NoPred = kPredicateNone;
constexpr ESelectionPredicate TotAvg = kPredicateTotalAvgOnly;

constexpr SQuantityDescriptor kTableA[] = {
    {0, V, 0x9F, 0x0F, S_V_RMS, S_V_RMS, kUnitVoltage, H0, kCheckVoltage, NoPred},
    {1, I, 0x9F, 0x1F, S_A_RMS, S_A_RMS, kUnitCurrent, H0, kCheckCurrent, NoPred},
    {2, V, 0x8F, 0x01, S_FREQ, S_HZ, kUnitFrequency, H0, kCheckVoltage, NoPred},
    {3, V, 0x9E, 0x0F, S_V_HARMONICS, S_V_RMS, kUnitVoltage, H50, kCheckVoltage, NoPred},
    {4, I, 0x9E, 0x0F, S_A_HARMONICS, S_A_RMS, kUnitCurrent, H50, kCheckCurrent, NoPred},
    {5, P, 0x9F, 0x27, S_KW, S_KW, kUnitPower, H0, kCheckPower, TotAvg},
    {6, P, 0x9F, 0x27, S_KVA, S_KVA, kUnitPower, H0, kCheckPower, TotAvg},
    {7, P, 0x9F, 0x27, S_KVAR, S_KVAR, kUnitPower, H0, kCheckPower, TotAvg},
    {8, P, 0x9A, 0x27, S_PF, S_PF, kUnitPowerFactor, H0, kCheckPower, NoPred},
    {9, P, 0x9A, 0x27, S_DPF, S_DPF, kUnitPowerFactor, H0, kCheckPower, NoPred},
    {10, V, 0x9A, 0x07, S_FLICKER_PST, S_NONE, kUnitFlicker, H0, kCheckVoltage, NoPred},
    {11, V, 0x9A, 0x07, S_FLICKER_PLT, S_NONE, kUnitFlicker, H0, kCheckVoltage, NoPred},
    {20, P, 0x9F, 0x27, S_KW, S_KW, kUnitPower, H0, kCheckPower, TotAvg},
    {21, P, 0x9F, 0x27, S_KVA, S_KVA, kUnitPower, H0, kCheckPower, TotAvg},
    {22, P, 0x9F, 0x27, S_KVAR, S_KVAR, kUnitPower, H0, kCheckPower, TotAvg},
    {23, V, 0x9E, 0x0F, S_V_HARMONICS, S_V_RMS, kUnitVoltage, H50, kCheckVoltage, NoPred},
    {24, V, 0x9E, 0x0F, S_V_INTERHARMONICS, S_V_RMS, kUnitVoltage, H49, kCheckVoltage, NoPred},
    {25, I, 0x9E, 0x0F, S_A_HARMONICS, S_A_RMS, kUnitCurrent, H50, kCheckCurrent, NoPred},
    {26, I, 0x9E, 0x0F, S_A_INTERHARMONICS, S_A_RMS, kUnitCurrent, H49, kCheckCurrent, NoPred},
    {29, V, 0x9A, 0x0F, S_THD_V, S_THD, kUnitThd, H0, kCheckVoltage, NoPred},
    {30, I, 0x9A, 0x0F, S_THD_A, S_THD, kUnitThd, H0, kCheckCurrent, NoPred},
    {31, V, 0x9A, 0x0F, S_V_INTERTHD, S_THD, kUnitThd, H0, kCheckVoltage, NoPred},
    {32, I, 0x9A, 0x0F, S_A_INTERTHD, S_THD, kUnitThd, H0, kCheckCurrent, NoPred},
    {33, V, 0x82, 0x20, S_V_UNBALANCE, S_NONE, kUnitUnbalance, H0, kCheckUnbalance, NoPred},
    {34, I, 0x82, 0x20, S_A_UNBALANCE, S_NONE, kUnitUnbalance, H0, kCheckUnbalance, NoPred},
    {36, P, 0x9A, 0x27, S_KWH, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {37, P, 0x9A, 0x27, S_KVAH, S_KVAH, kUnitEnergy, H0, kCheckPower, NoPred},
    {38, P, 0x9A, 0x27, S_KVARH, S_KVARH, kUnitEnergy, H0, kCheckPower, NoPred},
    {100, V, 0x1A, 0x0F, S_V_RMS, S_V, kUnitPlainVoltage, H0, kCheckVoltage, NoPred},
    {120, I, 0x1A, 0x1F, S_A_RMS, S_A, kUnitPlainCurrent, H0, kCheckCurrent, NoPred},
};

constexpr SQuantityDescriptor kTableB[] = {
    {0, V, 0x9F, 0x07, S_VOLT, S_V, kUnitVoltage, H0, kCheckVoltage, NoPred},
    {1, I, 0x9F, 0x07, S_CURRENT, S_A, kUnitCurrent, H0, kCheckCurrent, NoPred},
    {2, V, 0x8F, 0x01, S_FREQ, S_HZ, kUnitFrequency, H0, kCheckFrequency, NoPred},
    {5, P, 0x9F, 0x27, S_P, S_KW, kUnitPower, H0, kCheckPower, NoPred},
    {6, P, 0x9F, 0x27, S_S, S_KVA, kUnitPower, H0, kCheckPower, NoPred},
    {7, P, 0x9F, 0x27, S_Q, S_KVAR, kUnitPower, H0, kCheckPower, NoPred},
    {8, P, 0x9F, 0x27, S_PF, S_NONE, kUnitPowerFactor, H0, kCheckPower, NoPred},
    {9, P, 0x9F, 0x27, S_DPF, S_NONE, kUnitPowerFactor, H0, kCheckPower, NoPred},
    {20, P, 0x9F, 0x27, S_FP, S_KW, kUnitPower, H0, kCheckPower, NoPred},
    {21, P, 0x9F, 0x27, S_FS, S_KVA, kUnitPower, H0, kCheckPower, NoPred},
    {22, P, 0x9F, 0x27, S_FQ, S_KVAR, kUnitPower, H0, kCheckPower, NoPred},
    {29, V, 0x9F, 0x07, S_THD_V, S_PERCENT, kUnitThd, H0, kCheckVoltage, NoPred},
    {30, I, 0x9F, 0x07, S_THD_A, S_PERCENT, kUnitThd, H0, kCheckCurrent, NoPred},
    {36, P, 0x9A, 0x27, S_KWH, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {37, P, 0x9A, 0x27, S_KVAH, S_KVAH, kUnitEnergy, H0, kCheckPower, NoPred},
    {38, P, 0x9A, 0x27, S_KVARH, S_KVARH, kUnitEnergy, H0, kCheckPower, NoPred},
    {41, P, 0x9A, 0x27, S_EP, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {42, P, 0x9A, 0x27, S_ES, S_KVAH, kUnitEnergy, H0, kCheckPower, NoPred},
    {43, P, 0x9A, 0x27, S_EQ, S_KVARH, kUnitEnergy, H0, kCheckPower, NoPred},
    {44, P, 0x9A, 0x27, S_EP, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {45, P, 0x9A, 0x27, S_ES, S_KVAH, kUnitEnergy, H0, kCheckPower, NoPred},
    {46, P, 0x9A, 0x27, S_EQ, S_KVARH, kUnitEnergy, H0, kCheckPower, NoPred},
    {48, P, 0x82, 0x01, S_ACTIVE_FORWARD, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {49, P, 0x82, 0x01, S_ACTIVE_REVERSE, S_KWH, kUnitEnergy, H0, kCheckPower, NoPred},
    {51, V, 0x8F, 0x01, S_AUX1, S_V, kUnitAux, H0, kCheckNone, NoPred},
    {52, V, 0x8F, 0x01, S_AUX2, S_V, kUnitAux, H0, kCheckNone, NoPred},
    {54, P, 0x9F, 0x27, S_S, S_KVA, kUnitPower, H0, kCheckPowerLoadStudy, NoPred},
    {55, P, 0x9A, 0x27, S_ES, S_KVAH, kUnitEnergy, H0, kCheckPowerLoadStudy, NoPred},
    {56, P, 0x9A, 0x27, S_PF, S_NONE, kUnitPowerFactor, H0, kCheckPower, NoPred},
    {57, P, 0x9A, 0x27, S_DPF, S_NONE, kUnitPowerFactor, H0, kCheckPower, NoPred},
};

// The subset tables are the rows of their main table with the listed ids, unchanged.
template <std::size_t N, std::size_t M>
constexpr std::array<SQuantityDescriptor, N> SelectRows(const SQuantityDescriptor (&table)[M],
                                                         const std::array<DWORD, N>& ids)
{
    std::array<SQuantityDescriptor, N> rows{};
    for (std::size_t i = 0; i < N; ++i)
        for (const auto& row : table)
            if (row.id == ids[i])
                rows[i] = row;
    return rows;
}

constexpr auto kTableA2 = SelectRows(kTableA, std::array<DWORD, 11>{5, 6, 7, 8, 9, 20, 21, 22, 36, 37, 38});
constexpr auto kTableB2 = SelectRows(kTableB, std::array<DWORD, 9>{41, 42, 43, 44, 45, 46, 48, 49, 55});

template <typename Table>
constexpr bool IsSortedById(const Table& table)
{
    return std::is_sorted(std::begin(table), std::end(table),
                          [](const SQuantityDescriptor& a, const SQuantityDescriptor& b) { return a.id < b.id; });
}
static_assert(IsSortedById(kTableA) && IsSortedById(kTableB) && IsSortedById(kTableA2) && IsSortedById(kTableB2),
              "the halving search needs every table sorted by id");
template <typename Table>
constexpr bool AllRowsNamed(const Table& table)
{
    return std::all_of(std::begin(table), std::end(table), [](const SQuantityDescriptor& row) { return row.nameId != 0; });
}
static_assert(AllRowsNamed(kTableA2) && AllRowsNamed(kTableB2), "every subset id must exist in its main table");
} // namespace

std::span<const SQuantityDescriptor> QuantityTableA() { return kTableA; }
std::span<const SQuantityDescriptor> QuantityTableA2() { return kTableA2; }
std::span<const SQuantityDescriptor> QuantityTableB() { return kTableB; }
std::span<const SQuantityDescriptor> QuantityTableB2() { return kTableB2; }

const SQuantityDescriptor* FindQuantityDescriptor(DWORD id, const SQuantityDescriptor* table, std::size_t rowCount)
{
    if (!table)
        return nullptr;
    std::size_t lo = 0;
    std::size_t hi = rowCount;
    while (lo < hi)
    {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (table[mid].id == id)
            return &table[mid];
        if (table[mid].id < id)
            lo = mid + 1;
        else
            hi = mid;
    }
    return nullptr;
}

int UnitScaleOfKind(EUnitKind kind)
{
    return kind == kUnitPower || kind == kUnitEnergy ? 1000 : 1;
}

int GetQuantityUnitScale(DWORD id)
{
    const auto table = QuantityTableB();
    const SQuantityDescriptor* row = FindQuantityDescriptor(id, table.data(), table.size());
    return row ? UnitScaleOfKind(row->unitKind) : 1;
}

bool IsEnergyIdValue(DWORD id)
{
    return id == 41 || id == 42 || id == 43 || id == 48 || id == 49;
}

bool IsTotalAvgOnly(int phase, int statistic)
{
    return phase != 5 || statistic == 1;
}
