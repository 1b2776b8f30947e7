#pragma once
// The static descriptor tables of the measured quantities: for every quantity id its name and
// unit (string ids), group, statistics, phases and how its caption is built. Two families: the
// older configuration layout (table A, power/energy subset A2) and the logger layout (B, B2).
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <span>

// Unit string id that stands for "no unit".
inline constexpr DWORD kNoUnitStringId = 8115;

enum EQuantityGroup : DWORD
{
    kGroupVoltage = 0,
    kGroupCurrent = 1,
    kGroupPower = 2,
};

// Statistic and naming flags.
enum EQuantityFlag : DWORD
{
    kFlagMin = 0x01,
    kFlagAvg = 0x02,
    kFlagMax = 0x04,
    kFlagNameWithStatistic = 0x08, // the name carries the statistic and the unit
    kFlagNameWithPhase = 0x10,     // the name carries the phase text
    kFlagNameIsPhase = 0x20,       // the name is the phase text alone
    kFlag6 = 0x40,                 // never set
};

enum EUnitKind : DWORD
{
    kUnitVoltage = 1,
    kUnitCurrent = 2,
    kUnitFrequency = 3,
    kUnitFlicker = 4,
    kUnitPower = 5,
    kUnitPowerFactor = 6,
    kUnitEnergy = 7,
    kUnitThd = 8,
    kUnitUnbalance = 9,
    kUnitPlainVoltage = 10,
    kUnitPlainCurrent = 11,
    kUnitAux = 12,
};

enum EHarmonicRange : DWORD
{
    kHarmonicsNone = 0,
    kHarmonics0To50 = 1,
    kHarmonics0To49 = 2,
};

// Which phase-name test decides whether a phase of the quantity exists.
enum EPhaseCheck : DWORD
{
    kCheckNone = 0,
    kCheckVoltage,
    kCheckCurrent,
    kCheckPower,
    kCheckPowerLoadStudy,
    kCheckFrequency,
    kCheckUnbalance,
};

enum ESelectionPredicate : DWORD
{
    kPredicateNone = 0,
    kPredicateTotalAvgOnly, // at phase 5 only the average exists
};

struct SQuantityDescriptor
{
    DWORD id;
    EQuantityGroup group;
    DWORD flags;
    DWORD phaseMask; // bit n: phase n (0..2 phases, 3 neutral, 4 ground, 5 total)
    DWORD nameId;
    DWORD unitId;
    EUnitKind unitKind;
    EHarmonicRange harmonics;
    EPhaseCheck check;
    ESelectionPredicate predicate;
};

std::span<const SQuantityDescriptor> QuantityTableA();
std::span<const SQuantityDescriptor> QuantityTableA2();
std::span<const SQuantityDescriptor> QuantityTableB();
std::span<const SQuantityDescriptor> QuantityTableB2();

// Halving search over rows sorted by id; null when the id is absent.
const SQuantityDescriptor* FindQuantityDescriptor(DWORD id, const SQuantityDescriptor* table, std::size_t rowCount);

// 1000 for power and energy units (values are shown in kilo units), else 1.
int UnitScaleOfKind(EUnitKind kind);
// The unit scale of a logger-layout quantity; 1 when the id is not in table B.
int GetQuantityUnitScale(DWORD id);
// The counter energies: 41, 42, 43, 48, 49.
bool IsEnergyIdValue(DWORD id);
// The selection predicate kPredicateTotalAvgOnly: at the total (phase 5) only the average
// (statistic 1) exists; every statistic of the other phases.
bool IsTotalAvgOnly(int phase, int statistic);
