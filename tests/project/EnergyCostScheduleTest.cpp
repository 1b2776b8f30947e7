#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "project/EnergyCostSchedule.h"

namespace
{
constexpr LONGLONG kTicksPerMinute = 60 * kTicksPerSecond;

// Pins the process time zone for one test and restores the previous one afterwards.
class CPinnedTimeZone
{
public:
    explicit CPinnedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old, m_hadOld = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~CPinnedTimeZone()
    {
        if (m_hadOld)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_old;
    bool m_hadOld = false;
};

CHighTime Local(int year, int month, int day, int hour, int minute)
{
    return CHighTime(year, month, day, hour, minute, 0);
}

CHighTime AddMinutes(const CHighTime& time, int minutes)
{
    return time + CHighTimeSpan(LONGLONG(minutes) * kTicksPerMinute);
}

// Night 22:00..06:00 at 0.10/0.02 over the basic 0.20/0.05.
CEnergyCosts NightTariff(int nightStart = 1320, int nightEnd = 360)
{
    CEnergyCosts costs;
    costs.SetEnabled(true);
    costs.SetCostFwd(0.20f);
    costs.SetCostRev(0.05f);
    costs.AddRatio({0.10f, 0.02f, {{nightStart, nightEnd}}});
    return costs;
}

void ExpectSegment(const SEnergyCostSegment& segment, float fwd, int beginMinute, int endMinute)
{
    EXPECT_EQ(segment.costFwd, fwd);
    EXPECT_EQ(segment.begin.GetTicks(), beginMinute * kTicksPerMinute);
    EXPECT_EQ(segment.end.GetTicks(), endMinute * kTicksPerMinute);
}

// The forward price of the night tariff at the local clock time of t.
float ExpectedNightPrice(const CHighTime& t)
{
    SYSTEMTIME local;
    EXPECT_TRUE(t.GetAsSystemTime(local));
    const int minute = local.wHour * 60 + local.wMinute;
    return minute < 360 || minute >= 1320 ? 0.10f : 0.20f;
}

// Queries consecutive intervals of `step` minutes from `first` for `count` steps, checking each
// price by the local clock time; returns the misfit count.
int RunDay(CEnergyCostSchedule& schedule, const CHighTime& first, int step, int count)
{
    CHighTime begin = first;
    for (int i = 0; i < count; ++i)
    {
        const CHighTime end = AddMinutes(begin, step);
        EXPECT_EQ(schedule.GetCostsAt(begin, end).costFwd, ExpectedNightPrice(begin))
            << begin.Format("%Y-%m-%d %H:%M");
        begin = end;
    }
    return schedule.GetMisfitCount();
}
} // namespace

TEST(EnergyCostScheduleTest, DisabledTariffIsOneFreeSegment)
{
    CEnergyCosts costs = NightTariff();
    costs.SetEnabled(false);
    CEnergyCostSchedule schedule(costs);
    ASSERT_EQ(schedule.GetSegments().size(), 1u);
    ExpectSegment(schedule.GetSegments()[0], 0.0f, 0, 1440);
    const SEnergyCostSegment& s = schedule.GetCostsAt(Local(2026, 1, 5, 23, 55), Local(2026, 1, 6, 0, 5));
    EXPECT_EQ(s.costRev, 0.0f);
    EXPECT_EQ(schedule.GetMisfitCount(), 0);
}

TEST(EnergyCostScheduleTest, BuildingSegments)
{
    const CEnergyCostSchedule nightSchedule(NightTariff());
    const auto& night = nightSchedule.GetSegments();
    ASSERT_EQ(night.size(), 3u);
    ExpectSegment(night[0], 0.10f, 0, 360);
    ExpectSegment(night[1], 0.20f, 360, 1320);
    ExpectSegment(night[2], 0.10f, 1320, 1440);
    EXPECT_EQ(night[1].costRev, 0.05f);

    const CEnergyCostSchedule untilMidnightSchedule(NightTariff(1320, 0));
    const auto& untilMidnight = untilMidnightSchedule.GetSegments();
    ASSERT_EQ(untilMidnight.size(), 2u);
    ExpectSegment(untilMidnight[1], 0.10f, 1320, 1440);

    EXPECT_EQ(CEnergyCostSchedule(NightTariff(700, 700)).GetSegments().size(), 1u);

    // Of overlapping ratios the later one wins; a ratio inside a segment splits it.
    CEnergyCosts costs = NightTariff(480, 600);
    costs.AddRatio({0.50f, 0.0f, {{480, 600}}});
    costs.AddRatio({0.70f, 0.0f, {{500, 520}, {590, 700}}});
    const CEnergyCostSchedule layeredSchedule(costs);
    const auto& layered = layeredSchedule.GetSegments();
    ASSERT_EQ(layered.size(), 6u);
    ExpectSegment(layered[0], 0.20f, 0, 480);
    ExpectSegment(layered[1], 0.50f, 480, 500);
    ExpectSegment(layered[2], 0.70f, 500, 520);
    ExpectSegment(layered[3], 0.50f, 520, 590);
    ExpectSegment(layered[4], 0.70f, 590, 700);
    ExpectSegment(layered[5], 0.20f, 700, 1440);
}

TEST(EnergyCostScheduleTest, QueryAcrossMidnightOfARegularDay)
{
    CPinnedTimeZone zone("Europe/Berlin");
    CEnergyCostSchedule schedule(NightTariff());
    EXPECT_EQ(schedule.GetCostsAt(Local(2026, 1, 5, 0, 0), Local(2026, 1, 5, 0, 10)).costFwd, 0.10f);
    EXPECT_EQ(schedule.GetMisfitCount(), 0);
    const SEnergyCostSegment& late = schedule.GetCostsAt(Local(2026, 1, 5, 23, 55), Local(2026, 1, 6, 0, 5));
    ExpectSegment(late, 0.10f, 1320, 1440);
    EXPECT_EQ(schedule.GetMisfitCount(), 1);
}

TEST(EnergyCostScheduleTest, ProbedSegmentEndsAtMidnight)
{
    CPinnedTimeZone zone("Europe/Berlin");
    // The night rate holds until midnight only; after it the basic price applies again.
    CEnergyCostSchedule schedule(NightTariff(1320, 0));
    EXPECT_EQ(schedule.GetCostsAt(Local(2026, 1, 5, 23, 50), Local(2026, 1, 6, 0, 10)).costFwd, 0.10f);
    EXPECT_EQ(schedule.GetMisfitCount(), 1);
    EXPECT_EQ(schedule.GetCostsAt(Local(2026, 1, 6, 0, 10), Local(2026, 1, 6, 0, 20)).costFwd, 0.20f);
    EXPECT_EQ(schedule.GetCostsAt(Local(2026, 1, 6, 0, 20), Local(2026, 1, 6, 0, 30)).costFwd, 0.20f);
    EXPECT_EQ(schedule.GetMisfitCount(), 1);

    // A probe that lands past midnight must not extend a segment ending at 22:00 either.
    CEnergyCostSchedule day(NightTariff(0, 1320));
    EXPECT_EQ(day.GetCostsAt(Local(2026, 1, 5, 21, 58), Local(2026, 1, 5, 21, 59)).costFwd, 0.10f);
    EXPECT_EQ(day.GetCostsAt(Local(2026, 1, 5, 21, 59), Local(2026, 1, 5, 22, 0)).costFwd, 0.10f);
    EXPECT_EQ(day.GetCostsAt(Local(2026, 1, 5, 22, 0), Local(2026, 1, 5, 22, 1)).costFwd, 0.20f);
    EXPECT_EQ(day.GetMisfitCount(), 0);
}

TEST(EnergyCostScheduleTest, CachedQueriesInsideOneSegment)
{
    CPinnedTimeZone zone("Europe/Berlin");
    CEnergyCostSchedule schedule(NightTariff());
    CHighTime begin = Local(2026, 1, 5, 10, 0);
    for (int i = 0; i < 60; ++i, begin = AddMinutes(begin, 1))
        EXPECT_EQ(schedule.GetCostsAt(begin, AddMinutes(begin, 1)).costFwd, 0.20f);
    EXPECT_EQ(schedule.GetMisfitCount(), 0);
    // An interval reaching over a segment end is a misfit and keeps the price of its start.
    EXPECT_EQ(schedule.GetCostsAt(Local(2026, 1, 5, 21, 50), Local(2026, 1, 5, 22, 10)).costFwd, 0.20f);
    EXPECT_EQ(schedule.GetMisfitCount(), 1);
}

TEST(EnergyCostScheduleTest, SeveralRegularDaysInTimeOrder)
{
    CPinnedTimeZone zone("America/New_York");
    CEnergyCostSchedule schedule(NightTariff());
    EXPECT_EQ(RunDay(schedule, Local(2026, 1, 5, 0, 0), 15, 3 * 96), 0);
}

TEST(EnergyCostScheduleTest, DaylightSavingChanges)
{
    CPinnedTimeZone zone("Europe/Berlin");
    {
        // 2026-03-29 has 23 hours: 02:00 becomes 03:00.
        CEnergyCostSchedule schedule(NightTariff());
        const CHighTime midnight = Local(2026, 3, 29, 0, 0);
        EXPECT_EQ(RunDay(schedule, midnight, 10, 23 * 6 + 6 * 12), 0);
    }
    {
        // 2026-10-25 has 25 hours: 03:00 becomes 02:00 again.
        CEnergyCostSchedule schedule(NightTariff());
        EXPECT_EQ(RunDay(schedule, Local(2026, 10, 25, 0, 0), 10, 25 * 6 + 6 * 12), 0);
    }
    {
        // Starting at noon the day before with 7-minute intervals: only the five intervals that
        // straddle 22:00, midnight or 06:00 are misfits.
        CEnergyCostSchedule schedule(NightTariff());
        EXPECT_EQ(RunDay(schedule, Local(2026, 10, 24, 12, 0), 7, 48 * 60 / 7), 5);
    }
}

TEST(EnergyCostScheduleTest, SegmentEndsAtAClockTimeTheChangeoverSkipsOrRepeats)
{
    CPinnedTimeZone zone("Europe/Berlin");
    // The night ends at 02:30: 2026-03-29 has no such clock time, 2026-10-25 has it twice.
    // Days starting at noon take the probing path, where the segment end is an absolute time.
    for (const CHighTime& first : {Local(2026, 3, 28, 12, 0), Local(2026, 10, 24, 12, 0)})
    {
        CEnergyCostSchedule schedule(NightTariff(1320, 150));
        CHighTime begin = first;
        for (int i = 0; i < 48 * 60 / 7; ++i)
        {
            const CHighTime end = AddMinutes(begin, 7);
            SYSTEMTIME local;
            ASSERT_TRUE(begin.GetAsSystemTime(local));
            const int minute = local.wHour * 60 + local.wMinute;
            EXPECT_EQ(schedule.GetCostsAt(begin, end).costFwd, minute < 150 || minute >= 1320 ? 0.10f : 0.20f)
                << begin.Format("%Y-%m-%d %H:%M");
            begin = end;
        }
    }
}

// Pricing runs of records must answer every record as asking for it alone does, misfits
// included, on regular days and across both changeovers, with a gap in the records.
TEST(EnergyCostScheduleTest, RunsAnswerAsSingleQueries)
{
    CPinnedTimeZone zone("Europe/Berlin");
    CEnergyCosts busy = NightTariff();
    for (int r = 0; r < 6; ++r)
    {
        SRatioData ratio{0.3f + 0.01f * float(r), 0.07f, {}};
        for (int j = 0; j < 8; ++j)
            ratio.AddInterval({(6 * j + r) * 5 + 420, (6 * j + r) * 5 + 425});
        busy.AddRatio(ratio);
    }
    for (const CHighTime& first : {Local(2026, 1, 5, 0, 0), Local(2026, 3, 28, 12, 0), Local(2026, 10, 24, 12, 0)})
    {
        std::vector<CHighTime> begins;
        std::vector<CHighTime> ends;
        CHighTime begin = first;
        for (int i = 0; i < 2 * 24 * 20; ++i)
        {
            // 3-minute records, one of them 7 minutes long, and a gap of an hour.
            const int length = i == 100 ? 7 : 3;
            begins.push_back(begin);
            ends.push_back(AddMinutes(begin, length));
            begin = AddMinutes(begin, i == 500 ? 60 + length : length);
        }
        CEnergyCostSchedule single(busy);
        CEnergyCostSchedule runs(busy);
        const int count = int(begins.size());
        for (int i = 0; i < count;)
        {
            const SEnergyCostSegment* segment = nullptr;
            const int length = runs.GetCostsRun(&begins[std::size_t(i)], &ends[std::size_t(i)], count - i, segment);
            ASSERT_GE(length, 1);
            for (const int end = i + length; i < end; ++i)
            {
                const SEnergyCostSegment& expected = single.GetCostsAt(begins[std::size_t(i)], ends[std::size_t(i)]);
                ASSERT_EQ(segment->costFwd, expected.costFwd) << i;
                ASSERT_EQ(segment->begin, expected.begin) << i;
            }
        }
        EXPECT_EQ(runs.GetMisfitCount(), single.GetMisfitCount());
        EXPECT_GT(single.GetMisfitCount(), 0);
    }
}
