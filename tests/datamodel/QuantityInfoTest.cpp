#include "datamodel/QuantityInfo.h"

#include "datamodel/MeasurementConfig.h"
#include "platform/framework/StringTable.h"
#include "support/LoggerBytes.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

namespace
{
CMeasurementConfig LoggerConfig(WORD topology, WORD studyType, std::u16string_view aux1Unit = u"")
{
    CLoggerBytes table = MakeTableBytes(false, 63, 740);
    table.PutU16(12, topology);
    table.PutU32(16, 600);
    table.PutU32(20, 900);
    table.PutWide(240, aux1Unit, 16);
    table.PutU16(610, studyType);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    return config;
}

CMeasurementConfig OlderConfig(WORD topology)
{
    CLoggerBytes table = MakeTableBytes(false, 3, 132);
    table.PutU16(12, topology);
    CMeasurementConfig config;
    config.LoadOldTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    return config;
}

class QuantityInfoTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }
    CTempXdgHome m_home; // the region preferences name the phases A, B, C, N, G
};
} // namespace

TEST_F(QuantityInfoTest, TotalOfOlderPowerHasOnlyItsAverage)
{
    const CMeasurementConfig config = OlderConfig(1);
    const CQuantityInfo info(config);
    EXPECT_FALSE(info.IsAvailable({5, 5, 0}, 0));
    EXPECT_TRUE(info.IsAvailable({5, 5, 1}, 0));
    EXPECT_FALSE(info.IsAvailable({5, 5, 2}, 0));
    EXPECT_TRUE(info.IsAvailable({5, 1, 0}, 0));
    EXPECT_FALSE(info.IsAvailable({5, 3, 1}, 0)); // no neutral power
    // The older layout knows neutral and ground voltages and currents.
    EXPECT_TRUE(info.IsAvailable({0, 3, 1}, 2));
    EXPECT_TRUE(info.IsAvailable({1, 4, 2}, 0));
    EXPECT_FALSE(info.IsAvailable({0, 4, 1}, 2)); // not in the voltage phase mask
    // Unbalance exists as a total of a three-phase topology only.
    EXPECT_TRUE(info.IsAvailable({33, 5, 1}, 0));
    EXPECT_FALSE(info.IsAvailable({33, 5, 0}, 0));
    EXPECT_FALSE(CQuantityInfo(OlderConfig(0)).IsAvailable({33, 5, 1}, 0));
    // Bad selectors.
    EXPECT_FALSE(info.IsAvailable({5, 6, 1}, 0));
    EXPECT_FALSE(info.IsAvailable({5, -1, 1}, 0));
    EXPECT_FALSE(info.IsAvailable({5, 0, 3}, 0));
    EXPECT_FALSE(info.IsAvailable({12, 0, 1}, 0));
}

TEST_F(QuantityInfoTest, LoadStudyShowsCurrentsAndItsOwnPowers)
{
    const CMeasurementConfig config = LoggerConfig(1, 2);
    CQuantityInfo info(config);
    EXPECT_FALSE(info.IsAvailable({0, 0, 1}, 0));  // voltages are not measured
    EXPECT_TRUE(info.IsAvailable({1, 2, 0}, 0));
    EXPECT_FALSE(info.IsAvailable({1, 3, 0}, 0));  // no neutral current in the logger layout
    EXPECT_FALSE(info.IsAvailable({5, 0, 1}, 0));
    EXPECT_TRUE(info.IsAvailable({54, 0, 1}, 0));
    EXPECT_TRUE(info.IsAvailable({54, 5, 0}, 0));
    EXPECT_TRUE(info.IsAvailable({2, 0, 1}, 0));
    EXPECT_TRUE(info.IsAvailable({51, 0, 2}, 0));  // aux inputs have no phase check

    info.Select(2);
    EXPECT_EQ(info.GetPhaseGroup(), kGroupCurrent);
    EXPECT_TRUE(info.IsPhaseAvailable(0));
    EXPECT_FALSE(info.IsPhaseAvailable(1));

    const CMeasurementConfig energy = LoggerConfig(1, 1);
    CQuantityInfo energyInfo(energy);
    EXPECT_TRUE(energyInfo.IsAvailable({5, 0, 1}, 0));
    EXPECT_FALSE(energyInfo.IsAvailable({54, 0, 1}, 0));
    energyInfo.Select(2);
    EXPECT_EQ(energyInfo.GetPhaseGroup(), kGroupVoltage);
}

TEST_F(QuantityInfoTest, SelectRemembersTheRowOfEachTable)
{
    const CMeasurementConfig config = LoggerConfig(1, 1);
    CQuantityInfo info(config);
    const SQuantityDescriptor* main = info.Select(41);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(info.Select(41), main);
    const SQuantityDescriptor* subset = info.Select(41, true);
    ASSERT_NE(subset, nullptr);
    EXPECT_NE(subset, main);
    EXPECT_EQ(subset->nameId, main->nameId);
    EXPECT_EQ(info.Select(5, true), nullptr);
    EXPECT_EQ(info.GetId(), 0u);
    EXPECT_FALSE(info.HasAvg());

    info.Select(5);
    EXPECT_TRUE(info.HasMin() && info.HasAvg() && info.HasMax() && info.HasNoFlag6());
    EXPECT_TRUE(info.HasPhaseA() && info.HasPhaseC() && info.HasPhaseTotal());
    EXPECT_FALSE(info.HasPhaseN() || info.HasPhaseG());
    EXPECT_EQ(info.GetUnitScale(), 1000);
    EXPECT_FALSE(info.IsEnergyId());
    info.Select(48);
    EXPECT_TRUE(info.IsEnergyId());
    EXPECT_FALSE(info.HasMin());
}

TEST_F(QuantityInfoTest, NamesCarryStatisticUnitAndPhase)
{
    const CMeasurementConfig config = LoggerConfig(1, 1);
    const CQuantityInfo info(config);
    EXPECT_EQ(info.GetName({5, 0, 1}, 0, ""), "P Avg [kW] A");
    EXPECT_EQ(info.GetName({5, 5, 2}, 0, ""), "P Max [kW] Total_");
    EXPECT_EQ(info.GetName({8, 1, 0}, 0, ""), "PF Min [1] B");
    EXPECT_EQ(info.GetName({0, 2, 1}, 0, "kV"), "Volt Avg [kV] CN");
    EXPECT_EQ(info.GetName({0, 0, 1}, 1, ""), "Volt Avg [V] AB");

    const CMeasurementConfig older = OlderConfig(1);
    const CQuantityInfo olderInfo(older);
    EXPECT_EQ(olderInfo.GetName({33, 5, 1}, 0, ""), "% V Unbalance");
    EXPECT_EQ(olderInfo.GetName({100, 0, 1}, 0, ""), "V RMS Avg [V] AN");
}

TEST_F(QuantityInfoTest, CaptionsAddHarmonicReferenceAndInterval)
{
    const CMeasurementConfig older = OlderConfig(1);
    const CQuantityInfo info(older);
    // The default reference (phase-to-neutral) carries no suffix; another one does.
    EXPECT_EQ(info.BuildCaption({0, 0, 1}, 2, 0, 0), "V RMS Avg [V RMS] AN");
    EXPECT_EQ(info.BuildCaption({0, 0, 1}, 1, 0, 0), "V RMS Avg [V RMS] AB (P2P)");
    EXPECT_EQ(info.BuildCaption({0, 0, 1}, 3, 0, 600), "V RMS Avg [V RMS] AG (P2G)");
    EXPECT_EQ(info.BuildCaption({0, 0, 1}, 2, 0, 900), "V RMS Avg [V RMS] AN (15min)");
    EXPECT_EQ(info.BuildCaption({3, 1, 1}, 2, 5, 0), "V Harmonics Avg [V RMS] BN H05");
    EXPECT_EQ(info.BuildCaption({25, 2, 2}, 2, 11, 90), "A Harmonics Max [A RMS] C H11SG (1min 30sec)");
}

TEST_F(QuantityInfoTest, UnitTextsPreferTheSessionThenTheLogger)
{
    const CMeasurementConfig config = LoggerConfig(1, 1, u"mA");
    CQuantityInfo info(config, {CString("bar"), CString()});
    info.Select(51);
    EXPECT_EQ(info.GetUnitText("x"), "bar");
    info.Select(52);
    EXPECT_EQ(info.GetUnitText("x"), "V");
    info.Select(8);
    EXPECT_EQ(info.GetUnitText("x"), "x");
    EXPECT_EQ(info.GetAxisUnitText(std::nullopt), "");
    info.Select(6);
    EXPECT_EQ(info.GetAxisUnitText(1), "kVA");

    CQuantityInfo noSession(config);
    noSession.Select(51);
    EXPECT_EQ(noSession.GetUnitText("x"), "mA");

    const CMeasurementConfig older = OlderConfig(1);
    CQuantityInfo olderInfo(older);
    olderInfo.Select(24);
    EXPECT_EQ(olderInfo.GetAxisUnitText(0), "V RMS");
    EXPECT_EQ(olderInfo.GetAxisUnitText(1), "V");
    EXPECT_EQ(olderInfo.GetAxisUnitText(2), "%");
    EXPECT_EQ(olderInfo.GetAxisUnitText(3), "");
    EXPECT_EQ(olderInfo.GetAxisUnitText(std::nullopt), "V RMS");
    olderInfo.Select(4);
    EXPECT_EQ(olderInfo.GetAxisUnitText(1), "A");
    olderInfo.Select(100);
    EXPECT_EQ(olderInfo.GetAxisUnitText(2), "%");
    EXPECT_EQ(olderInfo.GetAxisUnitText(0), "V");
}

TEST_F(QuantityInfoTest, PhaseTotalsNeedThePhaseToPhaseLoggerLayout)
{
    const CMeasurementConfig delta = LoggerConfig(2, 1);
    const CQuantityInfo info(delta);
    EXPECT_TRUE(info.HasPhaseTotal({5, 0, 1}));
    EXPECT_TRUE(info.HasPhaseTotal({41, 2, 1}));
    EXPECT_FALSE(info.HasPhaseTotal({5, 5, 1}));
    EXPECT_FALSE(info.HasPhaseTotal({1, 0, 1}));
    EXPECT_FALSE(info.HasPhaseTotal({48, 0, 1})); // no total bit
    const CMeasurementConfig wye = LoggerConfig(1, 1);
    EXPECT_FALSE(CQuantityInfo(wye).HasPhaseTotal({5, 0, 1}));
    const CMeasurementConfig olderDelta = OlderConfig(2);
    EXPECT_FALSE(CQuantityInfo(olderDelta).HasPhaseTotal({5, 0, 1}));
}
