// Calendar bins by the local calendar (midnight, both daylight-saving days, weeks from Monday),
// the bin-count limit, thumbnail names and the selection of at most two bins.
#include "datamodel/HighTime.h"
#include "study/CalendarModel.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

double Local(int year, int month, int day, int hour = 0, int minute = 0)
{
    return CHighTime(year, month, day, hour, minute, 0).GetAsDate();
}

constexpr double kHour = 1.0 / 24.0;

class CalendarBinsTest : public ::testing::Test
{
protected:
    ScopedTimeZone m_zone{kCentralEuropeZone};
};

TEST_F(CalendarBinsTest, HourBinsStartAtFullHoursAndRunAcrossMidnight)
{
    const auto bins = MakeCalendarBins(Local(2026, 6, 10, 22, 20), Local(2026, 6, 11, 1, 50), kCalendarHour);
    ASSERT_EQ(bins.size(), 4u);
    const int hours[] = {22, 23, 0, 1};
    for (std::size_t i = 0; i < bins.size(); ++i) {
        EXPECT_EQ(bins[i].index, int(i));
        EXPECT_EQ(bins[i].hour, hours[i]);
        EXPECT_EQ(bins[i].dayOfWeek, -1);
        EXPECT_NEAR(bins[i].width, kHour, 1e-9);
    }
    EXPECT_NEAR(bins[0].start, Local(2026, 6, 10, 22), 1e-9);
    EXPECT_NEAR(bins[2].start, Local(2026, 6, 11, 0), 1e-9);

    // 90 minutes from 10:20: the second bin reaches the end.
    const auto short_ = MakeCalendarBins(Local(2026, 6, 10, 10, 20), Local(2026, 6, 10, 11, 50), kCalendarHour);
    ASSERT_EQ(short_.size(), 2u);
    EXPECT_EQ(short_[0].hour, 10);
    EXPECT_EQ(short_[1].hour, 11);
}

TEST_F(CalendarBinsTest, HourBinsSkipTheMissingHourAndRepeatTheDoubledOne)
{
    // Spring: 02:00 does not exist; bins are absolute hours.
    const auto spring = MakeCalendarBins(Local(2026, 3, 29, 0, 30), Local(2026, 3, 29, 4, 30), kCalendarHour);
    ASSERT_EQ(spring.size(), 4u);
    EXPECT_EQ(spring[0].hour, 0);
    EXPECT_EQ(spring[1].hour, 1);
    EXPECT_EQ(spring[2].hour, 3);
    EXPECT_EQ(spring[3].hour, 4);
    // Autumn: 02:00 comes twice.
    const double start = Local(2026, 10, 25, 1, 15);
    const auto autumn = MakeCalendarBins(start, start + 4 * kHour, kCalendarHour);
    ASSERT_EQ(autumn.size(), 5u);
    EXPECT_EQ(autumn[0].hour, 1);
    EXPECT_EQ(autumn[1].hour, 2);
    EXPECT_EQ(autumn[2].hour, 2);
    EXPECT_EQ(autumn[3].hour, 3);
    EXPECT_EQ(autumn[4].hour, 4);
    for (const structCalendarBin& bin : autumn)
        EXPECT_NEAR(bin.width, kHour, 1e-9);
}

// Over days of clock changes as over the others, each hour bin's hour is the local hour it
// starts, and it starts on a full hour of the local clock, but where a change of half an hour
// (Lord Howe Island's) cut the hour before it; no bin is longer than an hour.
TEST_F(CalendarBinsTest, HourBinsOfDaysAroundClockChangesFollowTheLocalClock)
{
    const struct
    {
        const char* zone;
        int month;
        int day;
        int hour;
    } cases[] = {{kCentralEuropeZone, 3, 26, 13}, {kCentralEuropeZone, 10, 23, 5}, {kCentralEuropeZone, 7, 1, 0},
                 {kLordHoweZone, 4, 2, 13}, {kLordHoweZone, 10, 1, 5}};
    const auto secondOfDay = [](const CHighTime& time) {
        SYSTEMTIME local{};
        time.GetAsSystemTime(local);
        return local.wHour * 3600 + local.wMinute * 60 + local.wSecond;
    };
    for (const auto& c : cases) {
        ScopedTimeZone zone(c.zone);
        const double from = Local(2026, c.month, c.day, c.hour, 40);
        const auto bins = MakeCalendarBins(from, from + 6.0, kCalendarHour);
        ASSERT_GT(bins.size(), 140u);
        for (const structCalendarBin& bin : bins) {
            const CHighTime start = CHighTime::FromDate(bin.start);
            EXPECT_EQ(bin.hour, start.GetHour()) << c.zone << " " << bin.index;
            EXPECT_LE(bin.width, kHour + 1e-9) << c.zone << " " << bin.index;
            const int jumped = (secondOfDay(start) - secondOfDay(start - CHighTimeSpan(0, 0, 0, 1)) + 86400) % 86400;
            if (start.GetMinute() != 0) {
                EXPECT_NE(jumped, 1) << c.zone << " " << bin.index << " starts at " << start.Format("%H:%M").str();
            }
        }
    }
}

TEST_F(CalendarBinsTest, DayBinsRunFromLocalMidnightOnBothDaylightSavingDays)
{
    const auto spring = MakeCalendarBins(Local(2026, 3, 28, 12), Local(2026, 3, 30, 12), kCalendarDay);
    ASSERT_EQ(spring.size(), 3u);
    EXPECT_NEAR(spring[0].start, Local(2026, 3, 28), 1e-9);
    EXPECT_NEAR(spring[1].start, Local(2026, 3, 29), 1e-9);
    EXPECT_NEAR(spring[2].start, Local(2026, 3, 30), 1e-9);
    EXPECT_NEAR(spring[1].width, 23 * kHour, 1e-9);
    EXPECT_EQ(spring[1].dayOfWeek, 1); // Sunday
    EXPECT_EQ(spring[1].hour, -1);

    const auto autumn = MakeCalendarBins(Local(2026, 10, 24, 8), Local(2026, 10, 26, 8), kCalendarDay);
    ASSERT_EQ(autumn.size(), 3u);
    EXPECT_NEAR(autumn[1].width, 25 * kHour, 1e-9);
    EXPECT_NEAR(autumn[2].start, Local(2026, 10, 26), 1e-9);
}

TEST_F(CalendarBinsTest, WeekBinsStartOnTheMondayAtOrBeforeTheStart)
{
    // Sunday 14 June 2026: the first week began on Monday 8 June.
    const auto sunday = MakeCalendarBins(Local(2026, 6, 14, 9), Local(2026, 6, 20, 9), kCalendarWeek);
    ASSERT_EQ(sunday.size(), 2u);
    EXPECT_NEAR(sunday[0].start, Local(2026, 6, 8), 1e-9);
    EXPECT_EQ(sunday[0].dayOfWeek, 2);
    EXPECT_NEAR(sunday[1].start, Local(2026, 6, 15), 1e-9);
    EXPECT_NEAR(sunday[0].width, 7.0, 1e-9);
    // The week of the autumn change is an hour longer, and still ends at local midnight.
    const auto autumn = MakeCalendarBins(Local(2026, 10, 21), Local(2026, 10, 28), kCalendarWeek);
    ASSERT_EQ(autumn.size(), 2u);
    EXPECT_NEAR(autumn[0].start, Local(2026, 10, 19), 1e-9);
    EXPECT_NEAR(autumn[0].width, 7.0 + kHour, 1e-9);
    EXPECT_NEAR(autumn[1].start, Local(2026, 10, 26), 1e-9);
}

TEST_F(CalendarBinsTest, SessionsWithoutARangeGetNoBinsAndLongOnesStopAtTheLimit)
{
    EXPECT_TRUE(MakeCalendarBins(0.0, 1.0, kCalendarDay).empty());
    EXPECT_TRUE(MakeCalendarBins(Local(2026, 1, 1), std::numeric_limits<double>::quiet_NaN(), kCalendarDay).empty());
    EXPECT_TRUE(MakeCalendarBins(Local(2026, 1, 1), std::numeric_limits<double>::infinity(), kCalendarHour).empty());
    EXPECT_TRUE(MakeCalendarBins(Local(2026, 1, 1), Local(2026, 1, 2), 3).empty());
    // A session of no length still has the bin it lies in.
    const auto empty = MakeCalendarBins(Local(2026, 1, 1, 5, 30), Local(2026, 1, 1, 5, 30), kCalendarHour);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0].hour, 5);
    // Two years of hours: cut at the limit.
    const auto limited = MakeCalendarBins(Local(2025, 1, 1), Local(2027, 1, 1), kCalendarHour);
    ASSERT_EQ(int(limited.size()), kCalendarBinLimit);
    EXPECT_EQ(limited.back().index, kCalendarBinLimit - 1);
}

TEST_F(CalendarBinsTest, ThumbnailNamesCarrySessionGranularityAndUtcStart)
{
    const double start = Local(2026, 6, 10, 14); // 12:00 UTC
    EXPECT_EQ(CalendarBinFileName(0, kCalendarHour, start), CString("S1_HOUR_20260610_120000.bmp"));
    EXPECT_EQ(CalendarBinFileName(1, kCalendarDay, Local(2026, 6, 10, 12)), CString("S2_DAY_20260610.bmp"));
    EXPECT_EQ(CalendarBinFileName(2, kCalendarWeek, Local(2026, 6, 10, 12)), CString("S3_WEEK_20260610.bmp"));
}

TEST(CalendarSelectionTest, AtMostTwoBinsAreSelected)
{
    CCalendarSessionList list;
    EXPECT_EQ(list.Select({0, 3, 1, 2}), 0);
    EXPECT_EQ(list.Select({1, 5, 3, 14}), 1);
    // Selecting a selected bin keeps its record.
    EXPECT_EQ(list.Select({0, 3, 1, 2}), 0);
    // A third bin replaces the second.
    EXPECT_EQ(list.Select({0, 7, 15, 2}), 1);
    EXPECT_EQ(list.FindSelection(1, 5), -1);
    EXPECT_EQ(list.FindSelection(0, 7), 1);
    // Removing the first moves the second into its place.
    list.Deselect(0);
    EXPECT_TRUE(list.selections[0].Holds(0, 7));
    EXPECT_FALSE(list.selections[1].HasSession());
    EXPECT_EQ(list.Select({1, 1, 3, 2}), 1);
    list.Deselect(1);
    EXPECT_TRUE(list.selections[0].Holds(0, 7));
    EXPECT_FALSE(list.selections[1].HasSession());
}

} // namespace
