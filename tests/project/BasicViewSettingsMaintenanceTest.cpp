#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "datamodel/MeasurementConfig.h"
#include "project/BasicViewSettings.h"

namespace
{
// A logger-layout configuration with the fields the overrides look at.
CMeasurementConfig MakeConfig(WORD topology, float nominal, WORD studyType)
{
    alignas(Umbo_table_header_t) std::array<BYTE, kLoggerConfigTableSize> image{};
    const Umbo_table_header_t header{kLoggerConfigTableType, WORD(kLoggerConfigTableSize), {0, 0}};
    std::memcpy(image.data(), &header, sizeof header);
    std::memcpy(image.data() + 12, &topology, sizeof topology);
    std::memcpy(image.data() + 36, &nominal, sizeof nominal);
    std::memcpy(image.data() + 610, &studyType, sizeof studyType);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(image.data()));
    return config;
}

constexpr WORD kWye = 1;   // phase-to-neutral default reference
constexpr WORD kDelta = 2; // phase-to-phase default reference
constexpr WORD kLoadStudy = 2;
constexpr WORD kEnergyStudy = 1;

structAddNotes Note(const char* name, int reference = 1)
{
    structAddNotes note;
    note.name = name;
    note.reference = reference;
    return note;
}
} // namespace

TEST(RemoveSessionTest, SessionFlagsAndPerSessionLists)
{
    CBasicViewSettings s(0);
    s.m_sessions = {true, false, true, true};
    s.m_nominalVoltages.resize(3);
    s.m_nominalVoltages[2].nominalX = 400.0f;
    s.m_costTables = {{"A", 1, 0, false}, {"B", 2, 0, false}};
    s.RemoveSession(1);
    EXPECT_EQ(s.m_sessions, (std::array<bool, 4>{true, true, true, false}));
    ASSERT_EQ(s.m_nominalVoltages.size(), 2u);
    EXPECT_EQ(s.m_nominalVoltages[1].nominalX, 400.0f);
    ASSERT_EQ(s.m_costTables.size(), 1u);
    EXPECT_EQ(s.m_costTables[0].currencyUnit, "A");

    s.RemoveSession(3);
    EXPECT_EQ(s.m_sessions, (std::array<bool, 4>{true, true, true, false}));
    EXPECT_EQ(s.m_costTables.size(), 1u);
}

TEST(RemoveSessionTest, XAxesFollowTheirSessions)
{
    CBasicViewSettings s(0);
    s.m_upperPlot.xAxisCount = 4;
    s.m_upperPlot.xAxes = {{{1, 1}, {2, 2}, {3, 3}, {4, 4}}};
    s.RemoveSession(3);
    EXPECT_EQ(s.m_upperPlot.xAxisCount, 3);
    EXPECT_EQ(s.m_upperPlot.xAxes[2], (SAxisRange{3, 3}));
    EXPECT_EQ(s.m_upperPlot.xAxes[3], SAxisRange{});

    s.RemoveSession(0);
    EXPECT_EQ(s.m_upperPlot.xAxisCount, 2);
    EXPECT_EQ(s.m_upperPlot.xAxes[0], (SAxisRange{2, 2}));
    EXPECT_EQ(s.m_upperPlot.xAxes[1], (SAxisRange{3, 3}));

    // A session without an axis leaves the axes alone.
    s.RemoveSession(2);
    EXPECT_EQ(s.m_upperPlot.xAxisCount, 2);
    EXPECT_EQ(s.m_upperPlot.xAxes[1], (SAxisRange{3, 3}));
    s.m_upperPlot.xAxisCount = 0;
    s.RemoveSession(0);
    EXPECT_EQ(s.m_upperPlot.xAxisCount, 0);
}

TEST(RemoveSessionTest, CalendarSelectionsMoveWithTheirAxes)
{
    CBasicViewSettings s(2);
    s.m_upperPlot.xAxisCount = 2;
    s.m_upperPlot.xAxes[0] = {10, 1};
    s.m_upperPlot.xAxes[1] = {20, 2};
    s.m_thumbSelections[0] = {0, 1, 2, 3};
    s.m_thumbSelections[1] = {1, 4, 5, 6};
    s.RemoveSession(0);
    EXPECT_EQ(s.m_thumbSelections[0], (SCalendarThumbSelection{0, 4, 5, 6}));
    EXPECT_EQ(s.m_upperPlot.xAxes[0], (SAxisRange{20, 2}));
    EXPECT_TRUE(s.m_thumbSelections[1].IsEmpty());
    EXPECT_EQ(s.m_upperPlot.xAxes[1], SAxisRange{});
    EXPECT_EQ(s.m_upperPlot.xAxisCount, 2);

    // Removing the second selection's session frees place 1 only.
    s.m_thumbSelections[1] = {2, 0, 0, 0};
    s.m_upperPlot.xAxes[1] = {30, 3};
    s.RemoveSession(2);
    EXPECT_EQ(s.m_thumbSelections[0], (SCalendarThumbSelection{0, 4, 5, 6}));
    EXPECT_TRUE(s.m_thumbSelections[1].IsEmpty());
    EXPECT_EQ(s.m_upperPlot.xAxes[1], SAxisRange{});
}

TEST(RemoveSessionTest, CollapseTextsAndCustomColours)
{
    CBasicViewSettings s(1); // two characters per session
    s.m_tableCollapse = "abcd";
    s.m_tableTimeRangeCollapse = "abcdef";
    s.m_customColors = {{0, 1, 1, 1, 10}, {1, 1, 1, 1, 11}, {2, 1, 1, 1, 12}, {-1, 1, 1, 1, 13}};
    s.RemoveSession(1);
    EXPECT_EQ(s.m_tableCollapse, "ab");
    EXPECT_EQ(s.m_tableTimeRangeCollapse, "abef");
    ASSERT_EQ(s.m_customColors.size(), 3u);
    EXPECT_EQ(s.m_customColors[0].color, 10u);
    EXPECT_EQ(s.m_customColors[1].measurementId, 1);
    EXPECT_EQ(s.m_customColors[1].color, 12u);
    EXPECT_EQ(s.m_customColors[2].measurementId, -1);

    CBasicViewSettings v(4); // seven characters per session
    v.m_tableCollapse = "0123456";
    v.RemoveSession(1);
    EXPECT_EQ(v.m_tableCollapse, "0123456");
    v.RemoveSession(-1); // no session: nothing changes
    EXPECT_EQ(v.m_tableCollapse, "0123456");
}

TEST(RenumberNotesTest, NotesOfTheRemovedSessionGoAndTheOthersAreRenumbered)
{
    CBasicViewSettings s(0);
    s.m_notes = {Note("Note 0", 0), Note("Note 1.1.5001.0.0.0.0"), Note("Note 2.2.5002.0.0.0.0"),
                 Note("Note 7.0.5003.9.8.7.6"), Note("Note 9", 0)};
    s.RenumberNotes(1);
    ASSERT_EQ(s.m_notes.size(), 4u);
    EXPECT_EQ(s.m_notes[0].name, "Note 0");
    EXPECT_EQ(s.m_notes[1].name, "Note 1.1.5002.0.0.0.0");
    EXPECT_EQ(s.m_notes[2].name, "Note 2.0.5003.9.8.7.6");
    EXPECT_EQ(s.m_notes[3].name, "Note 3");
}

TEST(NominalVoltageTest, SetAndGet)
{
    const CMeasurementConfig wye = MakeConfig(kWye, 230.0f, kLoadStudy);
    ASSERT_FALSE(wye.IsPhaseToPhaseDefault());
    CBasicViewSettings s(5);
    s.SetNominalVoltage(1, wye, 230.0f, 0); // the configuration's own values: no override
    ASSERT_EQ(s.m_nominalVoltages.size(), 2u);
    EXPECT_EQ(s.m_nominalVoltages[1], SNominalVoltageOverride{});
    float nominal = 0;
    int topology = -1;
    s.GetNominalVoltage(1, wye, nominal, topology);
    EXPECT_EQ(nominal, 230.0f);
    EXPECT_EQ(topology, 0);

    s.SetNominalVoltage(1, wye, 240.0f, 0);
    EXPECT_EQ(s.m_nominalVoltages[1], (SNominalVoltageOverride{240.0f, 0, 240.0f, 0}));
    s.GetNominalVoltage(1, wye, nominal, topology);
    EXPECT_EQ(nominal, 240.0f);
    s.GetNominalVoltage(7, wye, nominal, topology);
    EXPECT_EQ(nominal, 230.0f);

    const CMeasurementConfig delta = MakeConfig(kDelta, 400.0f, kLoadStudy);
    ASSERT_TRUE(delta.IsPhaseToPhaseDefault());
    s.SetNominalVoltage(0, delta, 230.0f, 0);
    EXPECT_EQ(s.m_nominalVoltages[0].value, 230.0f * std::sqrt(3.0f));
    EXPECT_EQ(s.m_nominalVoltages[0].topology, 0);
    s.GetNominalVoltage(0, delta, nominal, topology);
    EXPECT_EQ(nominal, 230.0f);
    EXPECT_EQ(topology, 0);
}

TEST(NominalVoltageTest, ReconcileCompletesOrResets)
{
    const CMeasurementConfig delta = MakeConfig(kDelta, 400.0f, kLoadStudy);
    CBasicViewSettings s(5);
    // A file that held only the stored form.
    s.m_nominalVoltages = {SNominalVoltageOverride{0.0f, -1, 415.0f, 1}, SNominalVoltageOverride{0.0f, -1, 230.0f, 0}};
    s.ReconcileNominalVoltage(0, &delta);
    EXPECT_EQ(s.m_nominalVoltages[0], (SNominalVoltageOverride{415.0f / std::sqrt(3.0f), 1, 415.0f, 1}));
    s.ReconcileNominalVoltage(1, &delta);
    EXPECT_EQ(s.m_nominalVoltages[1], (SNominalVoltageOverride{230.0f, 1, 230.0f, 0}));
    // With the configuration form present, the stored form is refreshed from it.
    s.m_nominalVoltages[1] = {230.0f, 0, 1.0f, 1};
    s.ReconcileNominalVoltage(1, &delta);
    EXPECT_EQ(s.m_nominalVoltages[1], (SNominalVoltageOverride{230.0f, 0, 230.0f * std::sqrt(3.0f), 0}));

    // Equal to the configuration, or not a Load study: no override.
    s.m_nominalVoltages[0] = {400.0f, 1, 400.0f, 0};
    s.ReconcileNominalVoltage(0, &delta);
    EXPECT_EQ(s.m_nominalVoltages[0], SNominalVoltageOverride{});
    const CMeasurementConfig energy = MakeConfig(kDelta, 400.0f, kEnergyStudy);
    s.ReconcileNominalVoltage(1, &energy);
    EXPECT_EQ(s.m_nominalVoltages[1], SNominalVoltageOverride{});

    s.m_nominalVoltages[1] = {200.0f, 1, 0.0f, -1};
    s.ReconcileNominalVoltage(1, nullptr);
    s.ReconcileNominalVoltage(2, &delta);
    s.ReconcileNominalVoltage(-1, &delta);
    EXPECT_EQ(s.m_nominalVoltages[1], (SNominalVoltageOverride{200.0f, 1, 0.0f, -1}));
}

TEST(NominalVoltageTest, ConfigurationForms)
{
    SNominalVoltageOverride entry{0.0f, -1, 120.0f, 1};
    entry.ToConfigurationForm(false);
    EXPECT_EQ(entry, (SNominalVoltageOverride{120.0f, 1, 120.0f, 1}));
    entry = {100.0f, 1, 0.0f, -1};
    entry.FromConfigurationForm(true);
    EXPECT_EQ(entry, (SNominalVoltageOverride{100.0f, 1, 100.0f, 0}));
    entry.FromConfigurationForm(false);
    EXPECT_EQ(entry, (SNominalVoltageOverride{100.0f, 1, 100.0f, 1}));
}

TEST(CustomColorTest, LookupWithWildcards)
{
    CBasicViewSettings s(0);
    EXPECT_FALSE(s.HasCustomColors());
    s.SetCustomColor(1, 5, 2, 0, 100);
    s.SetCustomColor(0, 6, 3, 1, 200);
    s.SetCustomColor(1, 5, 2, 0, 101); // same key: replaced
    ASSERT_EQ(s.m_customColors.size(), 2u);
    EXPECT_TRUE(s.HasCustomColors());

    COLORREF color = 0;
    EXPECT_TRUE(s.FindCustomColor(1, 5, 2, 0, color));
    EXPECT_EQ(color, 101u);
    EXPECT_FALSE(s.FindCustomColor(1, 5, 3, 0, color));
    EXPECT_TRUE(s.FindCustomColor(0, 6, 0, 1, color)); // data type 6 ignores the phase
    EXPECT_EQ(color, 200u);
    EXPECT_TRUE(s.FindCustomColor(-1, 121, 3, -1, color));
    EXPECT_EQ(color, 200u);
    EXPECT_EQ(s.FindCustomColorExact(0, 6, 0, 1), nullptr);
    ASSERT_NE(s.FindCustomColorExact(0, 6, 3, 1), nullptr);
    EXPECT_EQ(s.FindCustomColorExact(0, 6, 3, 1)->color, 200u);
    s.ClearCustomColors();
    EXPECT_FALSE(s.FindCustomColor(-1, 121, 6, -1, color));
}
