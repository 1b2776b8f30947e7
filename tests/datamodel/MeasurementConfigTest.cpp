#include "datamodel/LocaleCurrency.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/UmboVarnConvert.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/Profile.h"
#include "datamodel/RegionPrefs.h"
#include "support/LoggerBytes.h"
#include "support/ScopedUserLocale.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr std::int64_t kStartTicks = 130000000000000000LL;
constexpr std::int64_t kEndTicks = 130000864000000000LL;

struct SProbe
{
    const char* name;
    DWORD serial;
    WORD kind;
    float range;
};

// A logger configuration table (type 63) in the given byte order.
CLoggerBytes LoggerTable(bool bigEndian, WORD topology, WORD studyType)
{
    CLoggerBytes t = MakeTableBytes(bigEndian, 63, 740, kStartTicks);
    t.PutU16(12, topology);
    t.PutU32(16, 900);
    t.PutU32(20, 1800);
    t.PutF32(36, 230.0f);
    for (int n = 0; n < 3; ++n) {
        t.PutU16(30 + 2 * n, WORD(n));
        t.PutF32(44 + 4 * n, 1.0f + float(n));
        t.PutF32(56 + 4 * n, 10.0f * float(n + 1));
    }
    t.PutF32(236, 0.25f);
    t.PutWide(240, u"\u00B0C", 16);
    t.PutWide(256, u"m/s", 16);
    t.PutTime(272, kStartTicks);
    t.PutTime(280, kEndTicks);
    t.PutWide(288, u"Main feeder, building B", 256);
    t.PutWide(544, u"Feeder B", 64);
    t.PutU16(610, studyType);
    t.PutWide(612, u"Europe/Berlin", 128);
    return t;
}

void PutProbe(CLoggerBytes& t, int n, const SProbe& probe)
{
    const std::size_t base = 104 + 44 * std::size_t(n);
    t.PutText(base, probe.name, 32);
    t.PutU32(base + 32, probe.serial);
    t.PutU16(base + 38, probe.kind);
    t.PutF32(base + 40, probe.range);
}

// An older configuration table (type 3).
CLoggerBytes OldTable(bool bigEndian, WORD topology)
{
    CLoggerBytes t = MakeTableBytes(bigEndian, 3, 132, kStartTicks);
    t.PutU16(12, topology);
    t.PutF32(24, 120.0f);
    for (int n = 0; n < 5; ++n) {
        t.PutU8(19 + std::size_t(n), BYTE(n));
        t.PutF32(32 + 4 * std::size_t(n), 100.0f * float(n + 1));
        t.PutF32(80 + 4 * std::size_t(n), 2.0f);
        t.PutF32(100 + 4 * std::size_t(n), 3.0f);
    }
    return t;
}

// Brings the image into host order the way the session reader does.
const Umbo_table_header_t* ToHost(CLoggerBytes& bytes)
{
    auto* table = reinterpret_cast<Umbo_table_header_t*>(bytes.Data());
    if (bytes.IsBigEndian()) {
        CUmboVarnConvert convert;
        EXPECT_EQ(convert.ConvertTableFromWire(table), 0);
    }
    return table;
}

class MeasurementConfigTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG"));
        UseNumberedPhaseNames(false);
    }
    void UseNumberedPhaseNames(bool numbered)
    {
        CProfile::Instance().WriteProfileInt(CRegionPrefs::kSection, CRegionPrefs::kPhaseNamingEntry, numbered ? 1 : 0);
    }
    CMeasurementConfig LoadLogger(CLoggerBytes bytes)
    {
        CMeasurementConfig config;
        config.LoadLoggerTable(ToHost(bytes));
        return config;
    }
    CMeasurementConfig LoadOld(CLoggerBytes bytes)
    {
        CMeasurementConfig config;
        config.LoadOldTable(ToHost(bytes));
        return config;
    }
    bool BigEndian() const { return GetParam(); }

    CTempXdgHome m_home;
};

} // namespace

TEST_P(MeasurementConfigTest, LoggerLayoutAnswersFromItsTable)
{
    CLoggerBytes bytes = LoggerTable(BigEndian(), 1, 1);
    PutProbe(bytes, 0, {"iFlex 3000", 123456, 2, 3000.0f});
    PutProbe(bytes, 1, {"Clamp 40A", 4000000000u, 1, 40.0f});
    const CMeasurementConfig config = LoadLogger(bytes);

    EXPECT_TRUE(config.IsLoaded());
    EXPECT_TRUE(config.IsLoggerLayout());
    EXPECT_EQ(config.GetTopology(), 1);
    EXPECT_EQ(config.GetTopologyName(), "3-ph Wye");
    EXPECT_TRUE(config.HasNeutral());
    EXPECT_EQ(config.GetDefaultVoltageReference(), 2);
    EXPECT_TRUE(config.IsPhaseToNeutralDefault());
    EXPECT_FALSE(config.IsSinglePhase());
    EXPECT_EQ(config.GetStudyType(), 1);
    EXPECT_EQ(config.GetStudyTypeName(), "Energy study");
    EXPECT_EQ(config.GetAveragingInterval(), 900u);
    EXPECT_EQ(config.GetDemandInterval(), 1800u);
    EXPECT_FLOAT_EQ(config.GetNominalVoltage(), 230.0f);
    EXPECT_FLOAT_EQ(config.GetVoltageRatio(2), 3.0f);
    EXPECT_FLOAT_EQ(config.GetCurrentRatio0(), 10.0f);
    EXPECT_FLOAT_EQ(config.GetVoltageRatio(3), 1.0f);
    EXPECT_EQ(config.GetProbeCount(), 3);
    EXPECT_EQ(config.GetProbeName(0), "iFlex 3000");
    EXPECT_EQ(config.GetProbeName(3), "");
    EXPECT_EQ(config.GetProbeSerialText(1), "4000000000");
    EXPECT_FLOAT_EQ(config.GetProbeRange(0), 3000.0f);
    EXPECT_FLOAT_EQ(config.GetForwardEnergyCost(), 0.25f);
    EXPECT_FLOAT_EQ(config.GetReverseEnergyCost(), 0.0f);
    EXPECT_EQ(config.GetAux1Unit(), "\xC2\xB0" "C");
    EXPECT_EQ(config.GetAux2Unit(), "m/s");
    EXPECT_EQ(config.GetDescription(), "Main feeder, building B");
    EXPECT_EQ(config.GetSessionName(), "Feeder B");
    EXPECT_EQ(config.GetTimeZoneText(), "Europe/Berlin");
    EXPECT_EQ(config.GetConfiguredStart().GetTicks(), kStartTicks);
    EXPECT_EQ(config.GetConfiguredEnd().GetTicks(), kEndTicks);
    EXPECT_EQ(config.GetLoggerTable()[0], 63);
}

TEST_P(MeasurementConfigTest, OlderLayoutAnswersItsFixedValues)
{
    const CMeasurementConfig config = LoadOld(OldTable(BigEndian(), 2));
    EXPECT_TRUE(config.IsOlderLayout());
    EXPECT_EQ(config.GetAveragingInterval(), 600u);
    EXPECT_EQ(config.GetDemandInterval(), 300u);
    EXPECT_EQ(config.GetStudyType(), 0);
    EXPECT_EQ(config.GetStudyTypeName(), "Unspecified");
    EXPECT_EQ(config.GetDescription(), "");
    EXPECT_EQ(config.GetSessionName(), "");
    EXPECT_EQ(config.GetTimeZoneText(), "");
    EXPECT_TRUE(config.GetConfiguredStart().IsZero());
    EXPECT_FLOAT_EQ(config.GetNominalVoltage(), 120.0f);
    EXPECT_EQ(config.GetProbeCount(), 5);
    EXPECT_FLOAT_EQ(config.GetProbeRange(4), 1.0f);
    EXPECT_EQ(config.GetProbeSerialText(0), "");
    EXPECT_FLOAT_EQ(config.GetForwardEnergyCost(), 0.0f);
    EXPECT_DOUBLE_EQ(config.GetVoltageScale(4), 12.0);
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(1), 3.0 * 0.001 * 200.0);
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(5), 0.0);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(0), 2.0 * 5.0 / 10);
    // Probe model names come from the string table; a type without one shows "???".
    CStringTable::Instance().Set(5203, "Model 3");
    EXPECT_EQ(config.GetProbeName(3), "Model 3");
    EXPECT_EQ(config.GetProbeName(1), "???");
}

TEST_P(MeasurementConfigTest, TopologyDecidesNeutralAndDefaultReference)
{
    EXPECT_TRUE(LoadLogger(LoggerTable(BigEndian(), 4, 0)).HasNeutral());
    EXPECT_EQ(LoadLogger(LoggerTable(BigEndian(), 4, 0)).GetDefaultVoltageReference(), 2);
    EXPECT_FALSE(LoadOld(OldTable(BigEndian(), 4)).HasNeutral());
    EXPECT_EQ(LoadOld(OldTable(BigEndian(), 4)).GetDefaultVoltageReference(), 1);
    EXPECT_TRUE(LoadOld(OldTable(BigEndian(), 4)).IsPhaseToPhaseDefault());
    EXPECT_TRUE(LoadOld(OldTable(BigEndian(), 4)).IsSinglePhase());

    const CMeasurementConfig unknown = LoadLogger(LoggerTable(BigEndian(), 13, 3));
    EXPECT_EQ(unknown.GetTopologyName(), "");
    EXPECT_EQ(unknown.GetStudyTypeName(), "");
    EXPECT_FALSE(unknown.HasNeutral());
    EXPECT_EQ(LoadLogger(LoggerTable(BigEndian(), 12, 2)).GetTopologyName(), "3-ph Delta Balanced");
    EXPECT_EQ(LoadLogger(LoggerTable(BigEndian(), 12, 2)).GetStudyTypeName(), "Load study");
}

TEST_P(MeasurementConfigTest, CurrentScaleFollowsTheChannelsOwnProbeRecord)
{
    CLoggerBytes bytes = LoggerTable(BigEndian(), 1, 1);
    PutProbe(bytes, 0, {"flex", 1, 2, 3000.0f});
    PutProbe(bytes, 1, {"flex", 2, 3, 600.0f});
    PutProbe(bytes, 2, {"clamp", 3, 1, 40.0f});
    bytes.PutU16(92, 1); // channel 1 counts its range in tenths
    const CMeasurementConfig config = LoadLogger(bytes);
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(0), 3000.0 * 10.0 * 0.001);
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(1), 60.0 * 20.0 * 0.001);
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(2), 0.5 * 30.0 * 0.001); // kind 1: rated 0.5
    EXPECT_DOUBLE_EQ(config.GetCurrentScale(3), 0.0);
    EXPECT_DOUBLE_EQ(config.GetVoltageScale(1), 12.0);
    EXPECT_DOUBLE_EQ(config.GetVoltageScale(3), 0.0);
}

TEST_P(MeasurementConfigTest, PowerThresholdUsesTheProbeRecordItTests)
{
    CLoggerBytes bytes = LoggerTable(BigEndian(), 1, 1);
    PutProbe(bytes, 0, {"a", 1, 2, 100.0f});
    PutProbe(bytes, 1, {"b", 2, 2, 0.0f});
    PutProbe(bytes, 2, {"c", 3, 2, 400.0f});
    bytes.PutU16(30, 2);      // channel 0 uses record 2 (range 400)
    bytes.PutU16(32, 0);      // channel 1 uses record 0 although its own record has no range
    bytes.PutU16(34, 0xFFFF); // channel 2 names a record that does not exist
    const CMeasurementConfig config = LoadLogger(bytes);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(0), 1.0 * 400.0 * 10.0 / 10);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(1), 2.0 * 100.0 * 20.0 / 10);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(2), 3.0 * 5.0 / 10);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(3), 2.0 * 100.0 * 20.0 / 10);
    EXPECT_DOUBLE_EQ(config.GetPowerThreshold(7), config.GetPowerThreshold(3));
}

TEST_P(MeasurementConfigTest, LoadStudyWithNominalVoltage)
{
    CLoggerBytes bytes = LoggerTable(BigEndian(), 1, 2);
    EXPECT_TRUE(LoadLogger(bytes).IsLoadStudyWithNominalVoltage());
    bytes.PutF32(36, 1.0f);
    EXPECT_FALSE(LoadLogger(bytes).IsLoadStudyWithNominalVoltage());
    bytes.PutF32(36, std::nanf(""));
    EXPECT_TRUE(LoadLogger(bytes).IsLoadStudyWithNominalVoltage());
    bytes.PutU16(610, 1);
    EXPECT_FALSE(LoadLogger(bytes).IsLoadStudyWithNominalVoltage());
}

TEST_P(MeasurementConfigTest, PhaseToPhaseTextsTakeTheNextPhasesLastCharacter)
{
    UseNumberedPhaseNames(true);
    const CMeasurementConfig delta = LoadLogger(LoggerTable(BigEndian(), 2, 1));
    ASSERT_EQ(delta.GetDefaultVoltageReference(), 1);
    const CPhaseNames& names = delta.GetDefaultPhaseNames();
    EXPECT_EQ(names.GetVoltageReference(), 1);
    EXPECT_EQ(names.GetFirstNameSlot(0), "L12");
    EXPECT_EQ(names.GetFirstNameSlot(1), "L23");
    EXPECT_EQ(names.GetFirstNameSlot(2), "L31");
    EXPECT_EQ(names.GetFirstNameSlot(3), "");
    EXPECT_EQ(names.GetSecondNameSlot(0), "L1");
    EXPECT_EQ(names.GetSecondNameSlot(2), "L3");
    EXPECT_EQ(names.GetSecondNameSlot(3), "");
    EXPECT_EQ(names.GetSecondNameSlot(9), "");
    EXPECT_EQ(names.GetNamingFlag(), 1);
    EXPECT_EQ(delta.GetPhaseNames(2).GetNamingFlag(), 0);
    EXPECT_EQ(delta.GetPhaseNames(2).GetFirstNameSlot(0), "L1N");
    EXPECT_EQ(&delta.GetPhaseNames(0), &names);
}

TEST_P(MeasurementConfigTest, PhaseTextsPerReferenceAndTopology)
{
    const CMeasurementConfig wye = LoadLogger(LoggerTable(BigEndian(), 1, 1));
    EXPECT_EQ(wye.GetPhaseNames(2).GetFirstNameSlot(1), "BN");
    EXPECT_EQ(wye.GetPhaseNames(2).GetNamingFlag(), 1);
    EXPECT_EQ(wye.GetPhaseNames(1).GetFirstNameSlot(2), "CA");
    EXPECT_EQ(wye.GetPhaseNames(3).GetFirstNameSlot(0), "");   // the logger does not measure against ground
    EXPECT_EQ(wye.GetPhaseNames(3).GetSecondNameSlot(0), "A");
    EXPECT_EQ(wye.GetPhaseNames(2).GetStudyType(), 1);
    EXPECT_EQ(wye.GetPhaseNames(2).GetTopology(), 1);

    const CMeasurementConfig single = LoadLogger(LoggerTable(BigEndian(), 0, 1));
    EXPECT_EQ(single.GetPhaseNames(2).GetFirstNameSlot(0), "AN");
    EXPECT_EQ(single.GetPhaseNames(2).GetFirstNameSlot(1), "");
    EXPECT_EQ(single.GetPhaseNames(2).GetSecondNameSlot(1), "");
    EXPECT_EQ(single.GetPhaseNames(1).GetFirstNameSlot(0), ""); // phase B is absent

    const CMeasurementConfig split = LoadLogger(LoggerTable(BigEndian(), 3, 1));
    EXPECT_EQ(split.GetPhaseNames(1).GetFirstNameSlot(0), "AB");
    EXPECT_EQ(split.GetPhaseNames(1).GetFirstNameSlot(1), "");
    EXPECT_EQ(split.GetPhaseNames(2).GetSecondNameSlot(1), "B");
    EXPECT_EQ(split.GetPhaseNames(2).GetSecondNameSlot(2), "");

    // The older layout measures neutral and ground as well.
    const CMeasurementConfig old = LoadOld(OldTable(BigEndian(), 1));
    EXPECT_EQ(old.GetPhaseNames(3).GetFirstNameSlot(2), "CG");
    EXPECT_EQ(old.GetPhaseNames(2).GetFirstNameSlot(3), "NG");
    EXPECT_EQ(old.GetPhaseNames(2).GetFirstNameSlot(4), "G");
    EXPECT_EQ(old.GetPhaseNames(2).GetSecondNameSlot(4), "G");

    // Topology 4 without a neutral: phase-to-neutral voltages do not exist at all.
    const CMeasurementConfig it = LoadOld(OldTable(BigEndian(), 4));
    EXPECT_EQ(it.GetPhaseNames(1).GetFirstNameSlot(0), "AB");
    EXPECT_EQ(it.GetPhaseNames(1).GetSecondNameSlot(2), "");
    EXPECT_EQ(it.GetPhaseNames(1).GetSecondNameSlot(3), "");
    EXPECT_EQ(it.GetPhaseNames(2).GetFirstNameSlot(0), "");
    EXPECT_EQ(it.GetPhaseNames(2).GetFirstNameSlot(4), "G");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, MeasurementConfigTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

TEST(MeasurementConfig, MissingOrShortTablesGiveSafeValues)
{
    CTempXdgHome home;
    CMeasurementConfig config;
    config.LoadLoggerTable(nullptr);
    EXPECT_TRUE(config.IsLoaded());
    EXPECT_TRUE(config.IsLoggerLayout());
    EXPECT_EQ(config.GetLoggerTable()[0], 63);
    EXPECT_EQ(config.GetLoggerTable()[2] | (config.GetLoggerTable()[3] << 8), 740);
    EXPECT_EQ(config.GetAveragingInterval(), 0u);

    // A type-3 table handed to the logger loader is not taken.
    CLoggerBytes old = OldTable(false, 1);
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(old.Data()));
    EXPECT_EQ(config.GetTopology(), 0);
    config.LoadOldTable(nullptr);
    EXPECT_TRUE(config.IsOlderLayout());
    EXPECT_EQ(config.GetAveragingInterval(), 600u);

    // A table that ends early is read only as far as it goes (the buffer is exactly that long).
    CLoggerBytes shortTable = LoggerTable(false, 1, 2);
    shortTable.Resize(40);
    shortTable.PutU16(2, 40);
    std::vector<BYTE> exact(shortTable.Bytes());
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(exact.data()));
    EXPECT_EQ(config.GetTopology(), 1);
    EXPECT_EQ(config.GetAveragingInterval(), 900u);
    EXPECT_EQ(config.GetStudyType(), 0);
    EXPECT_EQ(config.GetSessionName(), "");
}

TEST(MeasurementConfig, StudyTypesCompatibility)
{
    EXPECT_TRUE(StudyTypesCompatible(1, 0));
    EXPECT_FALSE(StudyTypesCompatible(2, 0));
    EXPECT_TRUE(StudyTypesCompatible(2, 2));
    EXPECT_FALSE(StudyTypesCompatible(1, 2));
    CTempXdgHome home;
    CMeasurementConfig config;
    config.LoadOldTable(nullptr);
    EXPECT_TRUE(config.IsStudyTypeCompatible(1));
    EXPECT_FALSE(config.IsStudyTypeCompatible(2));
}

TEST(LocaleCurrency, IsTheLocalesSymbolUpToSixCharacters)
{
    {
        CScopedUserLocale de(CUserLocale::DeDe());
        EXPECT_EQ(GetLocaleCurrencySymbol(), "\xE2\x82\xAC");
    }
    CUserLocale odd = CUserLocale::EnUs();
    odd.currencySymbol = "\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC";
    {
        CScopedUserLocale six(odd);
        EXPECT_EQ(GetLocaleCurrencySymbol(), odd.currencySymbol);
    }
    odd.currencySymbol += "x";
    CScopedUserLocale seven(odd);
    EXPECT_EQ(GetLocaleCurrencySymbol(), "");
}
