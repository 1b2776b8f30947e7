// The project model's list operations and its bookkeeping before deletions.
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "ProjectTestUtil.h"
#include "datamodel/MeasurementConfig.h"

TEST(ProjectSettingsTest, MeasurementsFromRecords)
{
    CMeasurementSettings m;
    const FILETIME times[2] = {{0x89ABCDEFu, 0x01D0E9A1u}, {0x00000010u, 0x01D0E9A2u}};
    m.SetTimesFromRecord(times);
    EXPECT_EQ(m.GetStartTime().GetTicks(), 0x01D0E9A189ABCDEFLL);
    EXPECT_EQ(m.GetEndTime().GetTicks(), 0x01D0E9A200000010LL);

    std::array<BYTE, kLoggerConfigTableSize> table{};
    const WORD header[2] = {kLoggerConfigTableType, WORD(kLoggerConfigTableSize)};
    std::memcpy(table.data(), header, sizeof header);
    const WORD studyType = 2;
    std::memcpy(table.data() + 610, &studyType, sizeof studyType);
    const char16_t description[] = u"Stra\u00DFe 5";
    std::memcpy(table.data() + 288, description, sizeof description);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.data()));
    m.SetFromConfigRecord(config);
    EXPECT_EQ(m.GetStudyType(), 2);
    EXPECT_EQ(m.GetDescription(), "Stra\xC3\x9F" "e 5");
}

TEST(ProjectSettingsTest, ListsAreIndexCheckedAndKeepTheirOrder)
{
    CProjectSettings project;
    project.AddMeasurement("a.zlg", "a");
    project.AddMeasurement("b.zlg", "b");
    project.AddMeasurement("c.zlg", "b");
    EXPECT_EQ(project.FindMeasurement("b"), 1);
    EXPECT_EQ(project.FindMeasurement("B"), -1);
    EXPECT_THROW(project.GetMeasurement(3), std::invalid_argument);
    EXPECT_THROW(project.RemoveMeasurement(-1), std::invalid_argument);
    EXPECT_THROW(project.GetImage(0), std::invalid_argument);
    EXPECT_THROW(project.GetBookmark(0), std::invalid_argument);
    project.RemoveMeasurementByStream("b");
    ASSERT_EQ(project.GetMeasurementCount(), 2);
    EXPECT_EQ(project.GetMeasurement(1).GetFileName(), "c.zlg");
    project.RemoveMeasurementByStream("zzz");
    EXPECT_EQ(project.GetMeasurementCount(), 2);
}

TEST(ProjectSettingsTest, RemovingASessionUpdatesEveryStoredStudyView)
{
    const auto project = MakeFullProject();
    project->RemoveMeasurement(1);
    for (int id = 0; id < 9; ++id)
    {
        const auto* view = dynamic_cast<const CBasicViewSettings*>(project->GetViewSettings(id));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->m_upperPlot.xCursors[0].index, -1);
        EXPECT_EQ(view->m_upperPlot.xCursors[1].index, -1);
        // Session flags {1, 0, 1, 1} lose session 1; the attached note of session 2 is renumbered.
        if (!CViewSettings::IsCalendarView(id))
        {
            EXPECT_EQ(view->m_sessions, (std::array<bool, 4>{true, true, true, false}));
        }
        ASSERT_EQ(view->m_notes.size(), 2u);
        EXPECT_EQ(view->m_notes[1].name, "Note 1.1.5003.1.0.4.6");
    }
    project->AddMeasurement();
    EXPECT_EQ(project->GetMeasurement(3).GetStreamName(), "");
}

TEST(ProjectSettingsTest, UnusedStudyViewsGoWithTheirLastSession)
{
    const auto project = MakeFullProject();
    project->SetLastView(7);
    project->RemoveMeasurement(3);
    project->RemoveUnusedStudyViewSettings();
    EXPECT_NE(project->GetViewSettings(0), nullptr);
    EXPECT_NE(project->GetViewSettings(8), nullptr);
    EXPECT_EQ(project->GetLastView(), 7);
    project->RemoveMeasurement(2);  // the last Load-study session
    project->RemoveUnusedStudyViewSettings();
    EXPECT_NE(project->GetViewSettings(4), nullptr);
    EXPECT_EQ(project->GetViewSettings(5), nullptr);
    EXPECT_EQ(project->GetViewSettings(8), nullptr);
    EXPECT_NE(project->GetViewSettings(9), nullptr);
    EXPECT_EQ(project->GetLastView(), 0);
    project->RemoveMeasurement(0);
    project->RemoveMeasurement(0);
    project->RemoveUnusedStudyViewSettings();
    EXPECT_EQ(project->GetViewSettings(0), nullptr);
    EXPECT_EQ(project->GetLastView(), -1);
}

TEST(ProjectSettingsTest, ReportAndProjectManagerBookkeeping)
{
    const auto project = MakeFullProject();
    // The report holds (1, 3), (2, 1), (3, 24), (1, 0).
    EXPECT_FALSE(project->RemoveSessionFromReport(3));
    EXPECT_TRUE(project->RemoveSessionFromReport(2));
    EXPECT_TRUE(project->RemoveImageFromReport(0));
    EXPECT_FALSE(project->RemoveBookmarkFromReport(24));
    const auto* report = dynamic_cast<const CReportViewSettings*>(project->GetViewSettings(10));
    EXPECT_EQ(report->m_items, (std::vector<SReportItem>{{0, 0, 1}, {1, 2, 0}, {2, 0, 0}, {3, 24, 1}, {1, 0, 0}}));

    EXPECT_TRUE(project->RemoveSessionFromProjectManager(0));
    EXPECT_FALSE(project->RemoveSessionFromProjectManager(3));
    EXPECT_TRUE(project->RemoveImageFromProjectManager(1));
    const auto* manager = dynamic_cast<const CProjectManagerSettings*>(project->GetViewSettings(9));
    EXPECT_EQ(manager->m_dataSets.size(), 3u);
    EXPECT_EQ(manager->GetDataSetName(0), "Session 1");
    EXPECT_EQ(manager->m_savedScreens.size(), 1u);

    // Without stored settings the report starts from a fresh object and is then stored.
    CProjectSettings empty;
    EXPECT_TRUE(empty.RemoveSessionFromReport(0));
    EXPECT_NE(empty.GetViewSettings(10), nullptr);
    EXPECT_FALSE(empty.RemoveSessionFromProjectManager(0));
    EXPECT_EQ(empty.GetViewSettings(9), nullptr);
}

TEST(ProjectSettingsTest, ViewSettingsAreStoredAsClones)
{
    CProjectSettings project;
    CBasicViewSettings view(3);
    view.SetPresent(true);
    view.m_RefAxis = 2;
    project.SetViewSettings(3, &view);
    view.m_RefAxis = 5;
    EXPECT_EQ(dynamic_cast<const CBasicViewSettings*>(project.GetViewSettings(3))->m_RefAxis, 2);
    project.SetStudyViewSettings(9, &view);
    EXPECT_EQ(project.GetViewSettings(9), nullptr);
    EXPECT_EQ(project.GetStudyViewSettings(10), nullptr);
    project.SetStudyViewSettings(3, nullptr);
    EXPECT_EQ(project.GetViewSettings(3), nullptr);
}

TEST(ProjectSettingsTest, BookmarksUsingASession)
{
    const auto project = MakeFullProject();
    std::vector<CStringW> names{"stale"};
    // Session 3 is a Load-study session: only Load-study bookmarks can use it. Overview tables
    // use it through their user settings (every type not divisible by 3 holds them), the calendar
    // graph through its thumb selections (sessions 1 and none), the others through session flag 3.
    project->FindBookmarksUsingSession(3, names);
    EXPECT_EQ(names, (std::vector<CStringW>{"Bookmark 14", "Bookmark 15", "Bookmark 16", "Bookmark 17",
                                            "Bookmark 19", "Bookmark 20", "Bookmark 21", "Bookmark 22",
                                            "Bookmark 23", "Bookmark 24"}));
    // Session 1 (Energy study): session flag 1 is clear, so only the calendar graph (thumb of
    // session 1) and the overview tables with user settings (8 and 11; 0, 3 and 6 have none).
    project->FindBookmarksUsingSession(1, names);
    EXPECT_EQ(names, (std::vector<CStringW>{"Bookmark 7", "Bookmark 8", "Bookmark 11"}));
}
