#include "datamodel/QuantityDescriptor.h"

#include "platform/framework/CString.h"
#include "platform/framework/StringTable.h"

#include <gtest/gtest.h>

namespace
{
const SQuantityDescriptor* Find(std::span<const SQuantityDescriptor> table, DWORD id)
{
    return FindQuantityDescriptor(id, table.data(), table.size());
}

CString Text(DWORD id)
{
    CString text;
    text.LoadString(id);
    return text;
}

class QuantityTables : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }
};
} // namespace

TEST_F(QuantityTables, PlainVoltageExistsOnlyInTheOlderLayout)
{
    EXPECT_EQ(Find(QuantityTableB(), 100), nullptr);
    const SQuantityDescriptor* row = Find(QuantityTableA(), 100);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(Text(row->nameId), "V RMS");
    EXPECT_EQ(Text(row->unitId), "V");
    EXPECT_EQ(row->unitKind, kUnitPlainVoltage);
    EXPECT_EQ(row->flags, 0x1Au);
    EXPECT_EQ(row->phaseMask, 0x0Fu);
}

TEST_F(QuantityTables, RowsCarryTheirNamesUnitsAndRanges)
{
    struct Expected
    {
        bool loggerLayout;
        DWORD id;
        const char* name;
        const char* unit; // null: no unit
        EQuantityGroup group;
        DWORD flags;
        DWORD phases;
        EUnitKind kind;
        EHarmonicRange harmonics;
        EPhaseCheck check;
        ESelectionPredicate predicate;
    };
    const Expected cases[] = {
        {false, 0, "V RMS", "V RMS", kGroupVoltage, 0x9F, 0x0F, kUnitVoltage, kHarmonicsNone, kCheckVoltage, kPredicateNone},
        {false, 2, "Freq", "Hz", kGroupVoltage, 0x8F, 0x01, kUnitFrequency, kHarmonicsNone, kCheckVoltage, kPredicateNone},
        {false, 5, "kW", "kW", kGroupPower, 0x9F, 0x27, kUnitPower, kHarmonicsNone, kCheckPower, kPredicateTotalAvgOnly},
        {false, 11, "Flicker Plt", nullptr, kGroupVoltage, 0x9A, 0x07, kUnitFlicker, kHarmonicsNone, kCheckVoltage, kPredicateNone},
        {false, 24, "V Interharmonics", "V RMS", kGroupVoltage, 0x9E, 0x0F, kUnitVoltage, kHarmonics0To49, kCheckVoltage, kPredicateNone},
        {false, 25, "A Harmonics", "A RMS", kGroupCurrent, 0x9E, 0x0F, kUnitCurrent, kHarmonics0To50, kCheckCurrent, kPredicateNone},
        {false, 34, "% A Unbalance", nullptr, kGroupCurrent, 0x82, 0x20, kUnitUnbalance, kHarmonicsNone, kCheckUnbalance, kPredicateNone},
        {false, 120, "A RMS", "A", kGroupCurrent, 0x1A, 0x1F, kUnitPlainCurrent, kHarmonicsNone, kCheckCurrent, kPredicateNone},
        {true, 0, "Volt", "V", kGroupVoltage, 0x9F, 0x07, kUnitVoltage, kHarmonicsNone, kCheckVoltage, kPredicateNone},
        {true, 2, "Freq", "Hz", kGroupVoltage, 0x8F, 0x01, kUnitFrequency, kHarmonicsNone, kCheckFrequency, kPredicateNone},
        {true, 5, "P", "kW", kGroupPower, 0x9F, 0x27, kUnitPower, kHarmonicsNone, kCheckPower, kPredicateNone},
        {true, 8, "PF", nullptr, kGroupPower, 0x9F, 0x27, kUnitPowerFactor, kHarmonicsNone, kCheckPower, kPredicateNone},
        {true, 30, "THD-A", "%", kGroupCurrent, 0x9F, 0x07, kUnitThd, kHarmonicsNone, kCheckCurrent, kPredicateNone},
        {true, 49, "Active energy, reverse", "kWh", kGroupPower, 0x82, 0x01, kUnitEnergy, kHarmonicsNone, kCheckPower, kPredicateNone},
        {true, 52, "Aux2", "V", kGroupVoltage, 0x8F, 0x01, kUnitAux, kHarmonicsNone, kCheckNone, kPredicateNone},
        {true, 55, "Es", "kVAh", kGroupPower, 0x9A, 0x27, kUnitEnergy, kHarmonicsNone, kCheckPowerLoadStudy, kPredicateNone},
        {true, 57, "DPF", nullptr, kGroupPower, 0x9A, 0x27, kUnitPowerFactor, kHarmonicsNone, kCheckPower, kPredicateNone},
    };
    for (const Expected& e : cases)
    {
        SCOPED_TRACE(::testing::Message() << (e.loggerLayout ? "B" : "A") << " id " << e.id);
        const SQuantityDescriptor* row = Find(e.loggerLayout ? QuantityTableB() : QuantityTableA(), e.id);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(Text(row->nameId), e.name);
        if (e.unit)
            EXPECT_EQ(Text(row->unitId), e.unit);
        else
            EXPECT_EQ(row->unitId, kNoUnitStringId);
        EXPECT_EQ(row->group, e.group);
        EXPECT_EQ(row->flags, e.flags);
        EXPECT_EQ(row->phaseMask, e.phases);
        EXPECT_EQ(row->unitKind, e.kind);
        EXPECT_EQ(row->harmonics, e.harmonics);
        EXPECT_EQ(row->check, e.check);
        EXPECT_EQ(row->predicate, e.predicate);
    }
}

TEST_F(QuantityTables, TablesHoldExactlyTheirIdsAndSubsetsRepeatTheirRows)
{
    EXPECT_EQ(QuantityTableA().size(), 30u);
    EXPECT_EQ(QuantityTableB().size(), 30u);
    for (DWORD id : {12u, 27u, 28u, 35u, 39u, 101u, 121u})
        EXPECT_EQ(Find(QuantityTableA(), id), nullptr) << id;
    for (DWORD id : {3u, 10u, 47u, 50u, 53u, 58u})
        EXPECT_EQ(Find(QuantityTableB(), id), nullptr) << id;

    ASSERT_EQ(QuantityTableA2().size(), 11u);
    for (const auto& row : QuantityTableA2())
    {
        const SQuantityDescriptor* main = Find(QuantityTableA(), row.id);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(main->nameId, row.nameId);
        EXPECT_EQ(main->predicate, row.predicate);
    }
    ASSERT_EQ(QuantityTableB2().size(), 9u);
    EXPECT_EQ(Find(QuantityTableB2(), 5), nullptr);
    EXPECT_EQ(Find(QuantityTableB2(), 55)->check, kCheckPowerLoadStudy);
    EXPECT_EQ(FindQuantityDescriptor(5, nullptr, 0), nullptr);
}

TEST_F(QuantityTables, UnitScaleAndEnergyIds)
{
    EXPECT_EQ(GetQuantityUnitScale(5), 1000);
    EXPECT_EQ(GetQuantityUnitScale(41), 1000);
    EXPECT_EQ(GetQuantityUnitScale(8), 1);
    EXPECT_EQ(GetQuantityUnitScale(0), 1);
    EXPECT_EQ(GetQuantityUnitScale(100), 1); // not a logger-layout quantity
    for (DWORD id = 0; id < 130; ++id)
        EXPECT_EQ(IsEnergyIdValue(id), id == 41 || id == 42 || id == 43 || id == 48 || id == 49) << id;
}
