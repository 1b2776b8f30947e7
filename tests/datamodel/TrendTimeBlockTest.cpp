#include "datamodel/TrendTimeBlock.h"

#include "datamodel/DataTable.h"
#include "datamodel/MeasurementConfig.h"
#include "support/LoggerBytes.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
CHighTime At(int hour, int minute, int second = 0, int ms = 0)
{
    return CHighTime(2024, 3, 14, hour, minute, second, ms);
}

CMeasurementConfig LoggerConfig(DWORD averagingSeconds, DWORD demandSeconds)
{
    CLoggerBytes table = MakeTableBytes(false, 63, 740);
    table.PutU32(16, averagingSeconds);
    table.PutU32(20, demandSeconds);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    return config;
}

// A record list of the type with one table per (begin, end) pair.
CDataTable Records(WORD type, const std::vector<std::pair<CHighTime, CHighTime>>& times)
{
    CDataTable list(type, CDataTable::kOrderedByTime);
    for (const auto& [begin, end] : times)
    {
        CLoggerBytes table = MakeTableBytes(false, type, type == 64 ? 680 : 104, begin.GetTicks());
        table.PutTime(12, end.GetTicks());
        list.InsertTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    }
    return list;
}

// Back-to-back records of `minutes` from the start, `count` of them.
std::vector<std::pair<CHighTime, CHighTime>> Series(CHighTime start, int minutes, int count)
{
    std::vector<std::pair<CHighTime, CHighTime>> times;
    const CHighTimeSpan step(0, 0, minutes, 0);
    for (int i = 0; i < count; ++i, start += step)
        times.emplace_back(start, start + step);
    return times;
}

template <typename... Runs>
std::vector<std::pair<CHighTime, CHighTime>> Join(Runs... runs)
{
    std::vector<std::pair<CHighTime, CHighTime>> all;
    (all.insert(all.end(), runs.begin(), runs.end()), ...);
    return all;
}

class TrendTimeBlockTest : public ::testing::Test
{
protected:
    ScopedTimeZone m_zone{kCentralEuropeZone};
};
} // namespace

TEST_F(TrendTimeBlockTest, RawBlockTakesRecordTimesAndMarksGaps)
{
    const CMeasurementConfig config = LoggerConfig(600, 900);
    const CDataTable list = Records(64, Join(Series(At(10, 0), 10, 2), Series(At(10, 40), 10, 1),
                                             std::vector{std::pair{At(10, 50), At(10, 55)}}));
    const CTrendTimeBlock block(nullptr, &list, &config);

    EXPECT_EQ(block.GetTableType(), 64);
    EXPECT_EQ(block.GetAccessSpec(), (STrendAccessSpec{0, 1}));
    EXPECT_EQ(block.GetIntervalSeconds(), 600);
    EXPECT_EQ(block.GetInterval().GetTicks(), 600 * kTicksPerSecond);
    ASSERT_EQ(block.GetRecordCount(), 4);
    EXPECT_EQ(block.GetFirstTime(), At(10, 0));
    EXPECT_EQ(block.GetLastTime(), At(10, 55));
    EXPECT_EQ(block.GetBeginTime(2), At(10, 40));
    EXPECT_EQ(block.GetEndTime(1), At(10, 20));
    EXPECT_EQ(block.GetTime(3), At(10, 50));
    EXPECT_TRUE(block.GetBeginTime(4).IsZero());
    EXPECT_TRUE(block.GetEndTime(-1).IsZero());

    // The gap yields three points: the previous end, a marker 500 ms later, the next begin.
    const std::vector<std::pair<CHighTime, int>> expected = {
        {At(10, 0), 0}, {At(10, 10), 1}, {At(10, 20), 1}, {At(10, 20, 0, 500), -1}, {At(10, 40), 2}, {At(10, 50), 3}};
    ASSERT_EQ(block.GetPointCount(), int(expected.size()));
    for (std::size_t p = 0; p < expected.size(); ++p)
    {
        EXPECT_EQ(block.GetPoints()[p].date, expected[p].first.GetAsDate()) << p;
        EXPECT_EQ(block.GetPoints()[p].record, expected[p].second) << p;
    }

    EXPECT_EQ(block.CountMissingIntervals(1, 2), 2);
    EXPECT_EQ(block.CountMissingIntervals(0, 1), 0);
    EXPECT_EQ(block.CountMissingIntervals(0, 3), 2);
    EXPECT_EQ(block.CountMissingIntervals(0, 9), 0);
    // The same ranges asked again, each right after another or itself, keep their answers.
    for (const auto& [first, last, missing] : {std::tuple(1, 2, 2), std::tuple(1, 2, 2), std::tuple(0, 1, 0),
                                               std::tuple(2, 3, 0), std::tuple(0, 3, 2), std::tuple(0, 3, 2)})
        EXPECT_EQ(block.CountMissingIntervals(first, last), missing) << first << ".." << last;
    EXPECT_DOUBLE_EQ(block.GetDurationFraction(0), 1.0);
    EXPECT_DOUBLE_EQ(block.GetDurationFraction(3), 0.5);
    EXPECT_DOUBLE_EQ(block.GetDurationFraction(4), 0.0);
    EXPECT_EQ(block.AlignTime(At(10, 52, 31, 400)), At(10, 50));
}

// A session's summary counts its records from the list's two ends, without the block: the counts
// are the block's, for trend and demand lists, with and without missing intervals.
TEST_F(TrendTimeBlockTest, ListCountsAreTheBlocksCounts)
{
    const CMeasurementConfig config = LoggerConfig(600, 900);
    const CMeasurementConfig noInterval = LoggerConfig(0, 0);
    const std::vector<std::pair<CDataTable, std::pair<int, int>>> lists = [] {
        std::vector<std::pair<CDataTable, std::pair<int, int>>> made;
        made.emplace_back(Records(64, Join(Series(At(10, 0), 10, 2), Series(At(10, 40), 10, 1))), std::pair{3, 2});
        made.emplace_back(Records(65, Join(Series(At(10, 0), 15, 2), Series(At(11, 0), 15, 1))), std::pair{3, 2});
        made.emplace_back(Records(64, Series(At(10, 0), 10, 4)), std::pair{4, 0});
        made.emplace_back(Records(65, Series(At(10, 0), 15, 1)), std::pair{1, 0});
        made.emplace_back(Records(64, {}), std::pair{0, 0});
        return made;
    }();
    for (const auto& [list, expected] : lists)
        for (const CMeasurementConfig* settings : {&config, &noInterval}) {
            const CTrendTimeBlock block(nullptr, &list, settings);
            const int count = block.GetRecordCount();
            const std::pair<int, int> counted = CTrendTimeBlock::CountListRecords(list, *settings);
            EXPECT_EQ(counted, std::pair(count, count > 1 ? block.CountMissingIntervals(0, count - 1) : 0));
            if (settings == &config) {
                EXPECT_EQ(counted, expected);
            }
        }
}

TEST_F(TrendTimeBlockTest, FindRecordAtToleratesOneMillisecond)
{
    const CMeasurementConfig config = LoggerConfig(600, 900);
    const CDataTable list = Records(64, Join(Series(At(10, 0), 10, 2), Series(At(10, 40), 10, 2)));
    const CTrendTimeBlock block(nullptr, &list, &config);

    EXPECT_EQ(block.FindRecordAt(At(10, 5)), 0);
    EXPECT_EQ(block.FindRecordAt(At(10, 15)), 1);
    // Half a millisecond before a record's begin belongs to that record.
    EXPECT_EQ(block.FindRecordAt(At(10, 10) - CHighTimeSpan(5000)), 1);
    EXPECT_EQ(block.FindRecordAt(At(10, 40) - CHighTimeSpan(5000)), 2);
    EXPECT_EQ(block.FindRecordAt(At(9, 59, 59, 999) + CHighTimeSpan(5000)), 0);
    // Just past an end, before the gap.
    EXPECT_EQ(block.FindRecordAt(At(10, 20) + CHighTimeSpan(5000)), 1);
    // Inside the gap and outside the block.
    EXPECT_EQ(block.FindRecordAt(At(10, 30)), -1);
    EXPECT_EQ(block.FindRecordAt(At(10, 20, 0, 2)), -1);
    EXPECT_EQ(block.FindRecordAt(At(9, 0)), -1);
    EXPECT_EQ(block.FindRecordAt(At(11, 0)), 3);
    EXPECT_EQ(block.FindRecordAt(At(11, 0, 0, 2)), -1);

    // Times at the ends of the tick range are outside the block, without wrapping.
    EXPECT_EQ(block.FindRecordAt(CHighTime(std::numeric_limits<LONGLONG>::max())), -1);
    EXPECT_EQ(block.FindRecordAt(CHighTime(std::numeric_limits<LONGLONG>::min())), -1);

    const CDataTable empty(64, CDataTable::kOrderedByTime);
    EXPECT_EQ(CTrendTimeBlock(nullptr, &empty, &config).FindRecordAt(At(10, 0)), -1);
}

TEST_F(TrendTimeBlockTest, DemandBlockUsesTheDemandInterval)
{
    const CMeasurementConfig config = LoggerConfig(600, 900);
    const CDataTable list = Records(65, Series(At(0, 0), 15, 3));
    const CTrendTimeBlock block(nullptr, &list, &config);
    EXPECT_EQ(block.GetAccessSpec(), (STrendAccessSpec{1, 1}));
    EXPECT_EQ(block.GetIntervalSeconds(), 900);
    EXPECT_EQ(block.GetPointCount(), 3);
}

TEST_F(TrendTimeBlockTest, GroupsKeepOnlyCompleteAlignedRuns)
{
    // 15-minute records 10:00 .. 11:15, 11:45 .. 13:00: the hour 11:00 .. 12:00 misses one.
    const CMeasurementConfig config = LoggerConfig(900, 900);
    const CDataTable list = Records(64, Join(Series(At(10, 0), 15, 6), Series(At(11, 45), 15, 5)));
    const CTrendTimeBlock base(nullptr, &list, &config);
    const CTrendTimeBlock hourly(base, 4);

    EXPECT_EQ(hourly.GetAccessSpec(), (STrendAccessSpec{0, 4}));
    EXPECT_EQ(hourly.GetIntervalSeconds(), 3600);
    EXPECT_EQ(hourly.GetRecordList(), nullptr);
    ASSERT_EQ(hourly.GetRecordCount(), 2);
    EXPECT_EQ(hourly.GetGroups(), (std::vector<CTrendTimeBlock::Group>{{0, 3}, {7, 10}}));
    EXPECT_EQ(hourly.GetBeginTime(1), At(12, 0));
    EXPECT_EQ(hourly.GetEndTime(1), At(13, 0));
    EXPECT_EQ(hourly.GetFirstTime(), At(10, 0));
    EXPECT_EQ(hourly.GetLastTime(), At(13, 0));
    EXPECT_EQ(hourly.CountMissingIntervals(0, 1), 1);
    ASSERT_EQ(hourly.GetPointCount(), 4);
    EXPECT_EQ(hourly.GetPoints()[1].date, At(11, 0).GetAsDate());
    EXPECT_EQ(hourly.GetPoints()[2].record, -1);

    // Grouping a grouped block multiplies the multiples.
    const CTrendTimeBlock twoHours(hourly, 2);
    EXPECT_EQ(twoHours.GetAccessSpec().multiple, 8u);
    EXPECT_EQ(twoHours.GetIntervalSeconds(), 7200);
}

TEST_F(TrendTimeBlockTest, GroupsAlignByTheMiddleOfTheirFirstRecord)
{
    // Records from 10:07: the first candidate hour holds 10:07 .. 10:52 (three records ending
    // by 11:00) and is dropped; the run ending in 11:00 .. 12:00 is kept. After the gap the
    // group end is recomputed from the middle of 14:20 .. 14:35, so the hour ending 15:00
    // holds two records and the next one (14:50 .. 15:50) is complete again.
    const CMeasurementConfig config = LoggerConfig(900, 900);
    const CDataTable list = Records(64, Join(Series(At(10, 7), 15, 9), Series(At(14, 20), 15, 8)));
    const CTrendTimeBlock base(nullptr, &list, &config);
    const CTrendTimeBlock hourly(base, 4);
    EXPECT_EQ(hourly.GetGroups(), (std::vector<CTrendTimeBlock::Group>{{3, 6}, {11, 14}}));
    EXPECT_EQ(hourly.GetBeginTime(0), At(10, 52));
    EXPECT_EQ(hourly.GetEndTime(0), At(11, 52));
    EXPECT_EQ(hourly.GetBeginTime(1), At(14, 50));
    EXPECT_EQ(hourly.GetEndTime(1), At(15, 50));
}

TEST_F(TrendTimeBlockTest, ZeroIntervalNeverDividesOrLoops)
{
    const CMeasurementConfig config = LoggerConfig(0, 0);
    const CDataTable list = Records(64, Series(At(10, 0), 10, 3));
    const CTrendTimeBlock block(nullptr, &list, &config);
    EXPECT_EQ(block.GetIntervalSeconds(), 0);
    EXPECT_EQ(block.CountMissingIntervals(0, 2), 0);
    EXPECT_DOUBLE_EQ(block.GetDurationFraction(1), 1.0);
    EXPECT_EQ(block.AlignTime(At(10, 3)), At(10, 3));
    EXPECT_EQ(block.FindRecordAt(At(10, 25)), 2);

    const CTrendTimeBlock grouped(block, 4);
    EXPECT_EQ(grouped.GetRecordCount(), 0);
    const CTrendTimeBlock byZero(block, 0);
    EXPECT_EQ(byZero.GetAccessSpec().multiple, 1u);
    EXPECT_EQ(byZero.GetRecordCount(), 3);
}

TEST(GetIntervalMultiple, GivesWholeMultiplesAndNeverZero)
{
    const CMeasurementConfig config = LoggerConfig(600, 900);
    STrendAccessSpec accessSpec;
    EXPECT_TRUE(GetIntervalMultiple(config, 0, accessSpec, false));
    EXPECT_EQ(accessSpec, (STrendAccessSpec{0, 1}));
    EXPECT_TRUE(GetIntervalMultiple(config, 3600, accessSpec, false));
    EXPECT_EQ(accessSpec, (STrendAccessSpec{0, 6}));
    EXPECT_TRUE(GetIntervalMultiple(config, 3600, accessSpec, true));
    EXPECT_EQ(accessSpec, (STrendAccessSpec{1, 4}));
    EXPECT_FALSE(GetIntervalMultiple(config, 1000, accessSpec, false));
    EXPECT_EQ(accessSpec.multiple, 1u);
    EXPECT_FALSE(GetIntervalMultiple(config, 2000, accessSpec, true));
    EXPECT_EQ(accessSpec.multiple, 2u);
    // Shorter than the recorded interval: no multiple, and never 0.
    EXPECT_FALSE(GetIntervalMultiple(config, 300, accessSpec, false));
    EXPECT_EQ(accessSpec.multiple, 1u);
    EXPECT_FALSE(GetIntervalMultiple(config, -600, accessSpec, false));
    EXPECT_EQ(accessSpec.multiple, 1u);
    EXPECT_TRUE(accessSpec == (STrendAccessSpec{0, 1}) && !accessSpec.IsGrouped());

    const CMeasurementConfig noInterval = LoggerConfig(0, 0);
    EXPECT_TRUE(GetIntervalMultiple(noInterval, 3600, accessSpec, true));
    EXPECT_EQ(accessSpec, (STrendAccessSpec{1, 1}));
}

TEST_F(TrendTimeBlockTest, ADamagedRecordTimeIsInvalidAndHasNoChartDate)
{
    // The first record's time with its top bit flipped, as one damaged byte leaves it.
    const CMeasurementConfig config = LoggerConfig(600, 900);
    const CHighTime damaged(At(10, 0).GetTicks() | std::numeric_limits<LONGLONG>::min());
    const CDataTable list = Records(64, {{damaged, At(10, 10)}, {At(10, 10), At(10, 20)}});
    const CTrendTimeBlock block(nullptr, &list, &config);
    ASSERT_EQ(block.GetRecordCount(), 2);
    EXPECT_EQ(block.GetBeginTime(0).GetStatus(), CHighTime::invalid);
    ASSERT_GE(block.GetPointCount(), 2);
    EXPECT_EQ(block.GetPoints().front().date, 0.0);
    EXPECT_EQ(block.GetPoints().back().date, At(10, 10).GetAsDate());
    EXPECT_EQ(block.FindRecordAt(At(10, 15)), 1);
}
