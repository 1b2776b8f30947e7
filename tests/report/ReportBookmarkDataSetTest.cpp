#include "ReportProjectFixture.h"

#include "report/ReportBookmarkUDS.h"

#include <gtest/gtest.h>

namespace
{
using Rows = std::vector<std::vector<CString>>;

class ReportBookmarkDataSetTest : public ::testing::Test
{
protected:
    Rows RowsOf(int bookmark, int kind)
    {
        CReportBookmarkUDS rows(*project.document, project.Project().GetBookmark(bookmark), kind);
        Rows result;
        for (rows.First(); !rows.Eof(); rows.Next())
        {
            std::vector<CString> row;
            for (const CString& column : rows.GetColumns())
            {
                CString value;
                rows.GetValue(column, value);
                row.push_back(value);
            }
            result.push_back(row);
        }
        return result;
    }

    // Session entries of the project manager with aux units of their own and a tariff.
    void SetSessionEntries(const std::vector<CString>& auxUnits, int ratioCount)
    {
        std::vector<SProjectManagerDataSetEntry> entries;
        for (std::size_t i = 0; i < auxUnits.size(); ++i)
        {
            SProjectManagerDataSetEntry entry;
            entry.Name = CString::Formatted("Feeder %d", int(i) + 1);
            entry.AuxOverride = true;
            entry.auxData[0] = {TRUE, 2.0f, 0.5f, auxUnits[i]};
            entry.energyCosts.SetEnabled(true);
            entry.energyCosts.SetCurrency("EUR");
            entry.energyCosts.SetCostFwd(0.2125f);
            entry.energyCosts.SetCostRev(0.08f);
            for (int r = 0; r < ratioCount; ++r)
                entry.energyCosts.AddRatio({0.3f + float(r), 0.1f, {{r * 60, r * 60 + 30}, {600, 720}}});
            entries.push_back(entry);
        }
        project.ProjectManager().m_dataSets = entries;
        project.document->RebuildUserViewSettings();
    }

    CReportProject project{{SSessionSpec{}, SSessionSpec{}}};
};

constexpr int kSummaryGraph = 2;
constexpr int kDemandOverviewTable = 3;
constexpr int kDemandGraph = 5;
constexpr int kCalendarGraph = 7;
constexpr int kPrintedNote = 8;
} // namespace

TEST_F(ReportBookmarkDataSetTest, CalendarGraphFillsOnlyCalendarWorkingHoursAndNotes)
{
    CBasicViewSettings settings(2);
    settings.m_sessions = {true, true, false, false};
    settings.m_channels[0] = {true, false, false, true};
    settings.m_aux = {true, false};
    settings.m_isLimit[0] = true;
    settings.m_checkTimeRange = true;
    settings.m_setWorkingHours = true;
    settings.m_workingHours = {8.0 / 24, 9.5 / 24};
    settings.m_workingDays = {true, false, true, false, false, false, true};
    settings.m_calendarViewParameter = 1;
    settings.m_calendarViewChannel = 0;
    settings.m_calendarViewGranularity = 1;
    settings.m_notes = {{"first", kPrintedNote}, {"second", 0}, {"third", kPrintedNote | 1}};
    int b = project.AddBookmark(kCalendarGraph, "Calendar", &settings);

    for (int kind : {0, 1, 2, 3, 4, 6, 11})
        EXPECT_TRUE(RowsOf(b, kind).empty()) << kind;
    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kCalendarDetails), (Rows{{"Energy forward [+kWh]", "Total", "1 Day"}}));
    Rows hours = RowsOf(b, CReportBookmarkUDS::kWorkingHours);
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_NE(hours[0][0].Find("8:00"), -1) << hours[0][0].str();
    EXPECT_EQ(hours[0][1], "9:30");
    EXPECT_EQ(hours[0][2], "Mon, Wed, Sun");
    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kNotes), (Rows{{"1", "first"}, {"3", "third"}}));
}

TEST_F(ReportBookmarkDataSetTest, GraphOptionsLimitsAndAuxUnits)
{
    SetSessionEntries({"kPa", "bar"}, 0);
    CBasicViewSettings settings(0);
    settings.m_sessions = {true, true, false, false};
    settings.m_channels[0] = {true, false, true, false};
    settings.m_channels[3] = {false, false, false, true};
    settings.m_aux = {true, false};
    settings.m_isMaxMin[0] = true;
    settings.m_isLimit = {false, false, false, false, false, true};
    settings.m_limits[5] = 3.5f;
    int b = project.AddBookmark(kSummaryGraph, "Summary", &settings);

    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kSessions), (Rows{{"Feeder 1", "1"}, {"Feeder 2", "2"}}));
    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kLeftAxisOptions), (Rows{{"P [kW]", "X", "", "X", "", "", "", "X"}}));
    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kRightAxisOptions),
              (Rows{{"PF [1]", "", "", "", "X", "", "", ""}, {"Aux", "", "", "", "", "X", "", ""}}));
    Rows limits = RowsOf(b, CReportBookmarkUDS::kLimits);
    ASSERT_EQ(limits.size(), 1u);
    EXPECT_EQ(limits[0][0], "Aux");
    EXPECT_EQ(limits[0][1].Right(11), " [kPa, bar]");
    EXPECT_EQ(RowsOf(b, CReportBookmarkUDS::kAux),
              (Rows{{"1: Aux1 [kPa]", "2", "0.5", "kPa"}, {"2: Aux1 [bar]", "2", "0.5", "bar"}}));

    SetSessionEntries({"kPa", "kPa"}, 0);
    b = project.AddBookmark(kSummaryGraph, "Same units", &settings);
    limits = RowsOf(b, CReportBookmarkUDS::kLimits);
    ASSERT_EQ(limits.size(), 1u);
    EXPECT_EQ(limits[0][1].Right(4), " kPa");
    EXPECT_EQ(limits[0][1].Find('['), -1);
}

TEST_F(ReportBookmarkDataSetTest, DemandPeriodTexts)
{
    CBasicViewSettings settings(1);
    settings.m_demandPeriod = 900;
    int offered = project.AddBookmark(kDemandGraph, "Demand", &settings);
    settings.m_demandPeriod = 450;
    settings.m_useTrendDataForDemand = true;
    int common = project.AddBookmark(kDemandGraph, "Demand", &settings);
    settings.m_demandPeriod = 0;
    int logged = project.AddBookmark(kDemandGraph, "Demand", &settings);

    EXPECT_EQ(RowsOf(offered, CReportBookmarkUDS::kDemandPeriod), (Rows{{"demand 15min"}}));
    EXPECT_EQ(RowsOf(common, CReportBookmarkUDS::kDemandPeriod), (Rows{{"trend shortest common interval (7min 30sec)"}}));
    EXPECT_EQ(RowsOf(logged, CReportBookmarkUDS::kDemandPeriod), (Rows{{"trend as logged"}}));
}

TEST_F(ReportBookmarkDataSetTest, EnergyCostsAndAveragingIntervalsOfTableBookmarks)
{
    CBasicViewSettings settings(1);
    settings.m_sessions = {true, true, false, false};
    settings.m_costTables = {{"EUR", 0.2, 0.1, true}, {"EUR", 0.2, 0.1, false}};
    SetSessionEntries({"kPa", "kPa"}, 0);
    int plain = project.AddBookmark(kDemandOverviewTable, "Costs", &settings);
    SetSessionEntries({"kPa", "kPa"}, 2);
    int ratios = project.AddBookmark(kDemandOverviewTable, "Costs", &settings);

    // The second session's cost table is not enabled: only the first one's rows.
    EXPECT_EQ(RowsOf(plain, CReportBookmarkUDS::kEnergyCosts),
              (Rows{{"1", "Feeder 1", "EUR", "0.213", "0.08", "", "", "", ""}}));
    EXPECT_EQ(RowsOf(ratios, CReportBookmarkUDS::kEnergyCosts),
              (Rows{{"1", "Feeder 1", "EUR", "0.213", "0.08", "1", "0.3", "0.1", "00:00 - 00:30; 10:00 - 12:00"},
                    {"1", "Feeder 1", "EUR", "0.213", "0.08", "2", "1.3", "0.1", "01:00 - 01:30; 10:00 - 12:00"}}));
    // Overview table: every session of the bookmark's own list, with its demand interval.
    EXPECT_EQ(RowsOf(plain, CReportBookmarkUDS::kAveragingIntervals),
              (Rows{{"Feeder 1", "1", "15min", "15min"}, {"Feeder 2", "2", "15min", "15min"}}));
}

TEST_F(ReportBookmarkDataSetTest, ABookmarkWithoutViewSettingsHasNoRows)
{
    int b = project.AddBookmark(kSummaryGraph, "Bare", nullptr);
    for (int kind = 0; kind <= 11; ++kind)
        EXPECT_TRUE(RowsOf(b, kind).empty()) << kind;
}
