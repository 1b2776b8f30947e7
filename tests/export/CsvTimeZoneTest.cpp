// Record times in each time-zone mode, on both sides of the daylight-saving changes.
#include "export/CsvExportFile.h"
#include "export/ExportTestSupport.h"
#include "support/LogCapture.h"
#include "support/ScopedTimeZone.h"
#include "views/AppPaths.h"

namespace {

struct SInstant
{
    ULONGLONG utc;
    const char* written;
};

class CsvTimeZoneTest : public ExportTest
{
protected:
    // Exports one demand record per instant (start = the instant) and checks header and times.
    void ExpectTimes(const CMeasurementConfig& config, const std::string& zoneName, const std::vector<SInstant>& instants,
                     const std::filesystem::path& table = GetPathBesideExecutable("date_time_zonespec.csv").str())
    {
        auto records = std::make_unique<CDataTable>(65, CDataTable::kOrderedByTime);
        for (const SInstant& instant : instants) {
            const auto record = MakeRecord(65, kDemandRecordSize, instant.utc, instant.utc + 10'000'000ULL, 1);
            records->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(record.data()));
        }
        CCsvExportFile writer(config, table);
        const std::string path = m_folder.Path("times.csv");
        ASSERT_EQ(CCsvExportFile::kWritten, writer.Export(*records, CString(path), {}, true, true, true, true));
        const auto lines = CrLfLines(ReadText(path));
        ASSERT_EQ(instants.size() + 1, lines.size());
        EXPECT_EQ("Start(" + zoneName + ");Stop(" + zoneName + ");Demand_Period", lines[0]);
        for (std::size_t i = 0; i < instants.size(); ++i)
            EXPECT_EQ(instants[i].written, Fields(lines[i + 1])[0]) << "record " << i;
    }
};

// Berlin: 2026-03-29 01:00 UTC clocks go 02:00 CET -> 03:00 CEST; 2026-10-25 01:00 UTC they go
// 03:00 CEST -> 02:00 CET. New York: 2026-03-08 07:00 UTC and 2026-11-01 06:00 UTC. Sydney (southern
// hemisphere): summer time ends 2026-04-04 16:00 UTC (03:00 AEDT -> 02:00 AEST) and begins
// 2026-10-03 16:00 UTC (02:00 AEST -> 03:00 AEDT).

TEST_F(CsvTimeZoneTest, UtcModeWritesTheRecordedTimes)
{
    SetProfileInt("CsvExportUseUTC", 1);
    const ScopedTimeZone zone(kCentralEuropeZone);
    ExpectTimes(MakeZoneConfig("Europe/Berlin"), "UTC",
                {{FileTimeOf(2026, 3, 29, 0, 59, 59), "2026-03-29 00:59:59"},
                 {FileTimeOf(2026, 3, 29, 1, 0, 0), "2026-03-29 01:00:00"},
                 {FileTimeOf(2026, 10, 25, 1, 0, 0), "2026-10-25 01:00:00"}});
}

TEST_F(CsvTimeZoneTest, LocalModeUsesTheComputersZoneAndItsStandardName)
{
    SetProfileInt("CsvExportUseUTC", 0);
    {
        const ScopedTimeZone zone(kCentralEuropeZone);
        ExpectTimes(MakeZoneConfig("America/New_York"), "CET",
                    {{FileTimeOf(2026, 3, 29, 0, 59, 59), "2026-03-29 01:59:59"},
                     {FileTimeOf(2026, 3, 29, 1, 0, 0), "2026-03-29 03:00:00"},
                     {FileTimeOf(2026, 10, 25, 0, 59, 59), "2026-10-25 02:59:59"},
                     {FileTimeOf(2026, 10, 25, 1, 0, 0), "2026-10-25 02:00:00"}});
    }
    {
        const ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
        ExpectTimes(MakeZoneConfig(""), "EST",
                    {{FileTimeOf(2026, 3, 8, 6, 59, 59), "2026-03-08 01:59:59"},
                     {FileTimeOf(2026, 3, 8, 7, 0, 0), "2026-03-08 03:00:00"},
                     {FileTimeOf(2026, 11, 1, 5, 59, 59), "2026-11-01 01:59:59"},
                     {FileTimeOf(2026, 11, 1, 6, 0, 0), "2026-11-01 01:00:00"}});
    }
    {
        const ScopedTimeZone zone("AEST-10AEDT,M10.1.0,M4.1.0/3");
        ExpectTimes(MakeZoneConfig(""), "AEST",
                    {{FileTimeOf(2026, 4, 4, 15, 59, 59), "2026-04-05 02:59:59"},
                     {FileTimeOf(2026, 4, 4, 16, 0, 0), "2026-04-05 02:00:00"},
                     {FileTimeOf(2026, 10, 3, 15, 59, 59), "2026-10-04 01:59:59"},
                     {FileTimeOf(2026, 10, 3, 16, 0, 0), "2026-10-04 03:00:00"}});
    }
}

TEST_F(CsvTimeZoneTest, SessionZoneModeWritesTheSessionsWallClockWithItsAbbreviation)
{
    SetProfileInt("CsvExportUseUTC", 2);
    // The computer's own zone plays no part.
    const ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
    ExpectTimes(MakeZoneConfig("Europe/Berlin"), "Europe/Berlin",
                {{FileTimeOf(2026, 1, 15, 12, 0, 0), "2026-01-15 13:00:00 CET"},
                 {FileTimeOf(2026, 3, 29, 0, 59, 59), "2026-03-29 01:59:59 CET"},
                 {FileTimeOf(2026, 3, 29, 1, 0, 0), "2026-03-29 03:00:00 CEST"},
                 {FileTimeOf(2026, 10, 25, 0, 59, 59), "2026-10-25 02:59:59 CEST"},
                 {FileTimeOf(2026, 10, 25, 1, 0, 0), "2026-10-25 02:00:00 CET"}});
    ExpectTimes(MakeZoneConfig("America/New_York"), "America/New_York",
                {{FileTimeOf(2026, 3, 8, 6, 59, 59), "2026-03-08 01:59:59 EST"},
                 {FileTimeOf(2026, 3, 8, 7, 0, 0), "2026-03-08 03:00:00 EDT"},
                 {FileTimeOf(2026, 11, 1, 5, 59, 59), "2026-11-01 01:59:59 EDT"},
                 {FileTimeOf(2026, 11, 1, 6, 0, 0), "2026-11-01 01:00:00 EST"}});
    ExpectTimes(MakeZoneConfig("Australia/Sydney"), "Australia/Sydney",
                {{FileTimeOf(2026, 4, 4, 15, 59, 59), "2026-04-05 02:59:59 AEDT"},
                 {FileTimeOf(2026, 4, 4, 16, 0, 0), "2026-04-05 02:00:00 AEST"},
                 {FileTimeOf(2026, 10, 3, 15, 59, 59), "2026-10-04 01:59:59 AEST"},
                 {FileTimeOf(2026, 10, 3, 16, 0, 0), "2026-10-04 03:00:00 AEDT"}});
}

TEST_F(CsvTimeZoneTest, AnUnknownZoneOrAMissingTableIsLabelledUtcAndLogged)
{
    SetProfileInt("CsvExportUseUTC", 2);
    const std::vector<SInstant> summer = {{FileTimeOf(2026, 7, 1, 12, 0, 0), "2026-07-01 12:00:00 UTC"}};
    {
        const CLogCapture log;
        ExpectTimes(MakeZoneConfig("Mars/Olympus_Mons"), "UTC", summer);
        EXPECT_TRUE(log.ContainsPart("has no zone Mars/Olympus_Mons"));
    }
    {
        const CLogCapture log;
        ExpectTimes(MakeZoneConfig("Europe/Berlin"), "UTC", summer, m_folder.Root() / "no-table.csv");
        EXPECT_TRUE(log.ContainsPart("no-table.csv cannot be read"));
    }
    {
        const CLogCapture log;
        ExpectTimes(MakeZoneConfig(""), "UTC", summer);
        EXPECT_TRUE(log.ContainsPart("names no time zone"));
    }
}

TEST_F(CsvTimeZoneTest, TimesOutsideTheCalendarLeaveTheFieldEmpty)
{
    SetProfileInt("CsvExportUseUTC", 1);
    auto records = std::make_unique<CDataTable>(65, CDataTable::kOrderedByTime);
    const auto first = MakeRecord(65, kDemandRecordSize, 0, FileTimeOf(9999, 12, 31, 23, 59, 59), 7);
    const auto last = MakeRecord(65, kDemandRecordSize, FileTimeOf(9999, 12, 31, 23, 59, 59), ~0ULL, 7);
    records->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(first.data()));
    records->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(last.data()));
    CCsvExportFile writer(MakeZoneConfig(""));
    const std::string path = m_folder.Path("edges.csv");
    ASSERT_EQ(CCsvExportFile::kWritten, writer.Export(*records, CString(path), {}, true, true, true, true));
    const auto lines = CrLfLines(ReadText(path));
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("1601-01-01 00:00:00;9999-12-31 23:59:59;7", lines[1]);
    EXPECT_EQ("9999-12-31 23:59:59;;7", lines[2]);
}

} // namespace
