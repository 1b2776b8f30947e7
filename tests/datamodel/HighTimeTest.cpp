#include "datamodel/HighTime.h"

#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace
{
// 2024-07-01 10:00:00 UTC and 2024-01-15 11:00:00 UTC, counted independently of the code.
constexpr LONGLONG kSummerNoonCet = 133643016000000000;
constexpr LONGLONG kWinterNoonCet = 133497900000000000;
// 2024-06-30 12:00:00 UTC, a Sunday.
constexpr LONGLONG kSundayNoonUtc = 133642224000000000;

CHighTime WithStatus(LONGLONG ticks, CHighTime::HighTimeStatus status)
{
    CHighTime time(ticks);
    time.SetStatus(status);
    return time;
}
} // namespace

TEST(HighTime, ConstructsFromFileTimeCTimeAndTicks)
{
    EXPECT_EQ(CHighTime(CTime(0)).GetTicks(), 116444736000000000);
    EXPECT_EQ(CHighTime(CTime(0)).GetStatus(), CHighTime::valid);
    const FILETIME fileTime{0x89ABCDEF, 0x01234567};
    EXPECT_EQ(CHighTime(fileTime).GetTicks(), 0x0123456789ABCDEF);
    EXPECT_EQ(CHighTime().GetTicks(), 0);
    EXPECT_EQ(CHighTime().GetStatus(), CHighTime::valid);
    EXPECT_TRUE(CHighTime().IsZero());
}

TEST(HighTime, TableTimeFieldsRoundTripHighWordFirst)
{
    // Two host-order words at an odd address: high word first.
    alignas(8) BYTE buffer[17] = {};
    const DWORD words[2] = {0x01DAC9B2, 0x5F3E0000};
    std::memcpy(buffer + 1, words, sizeof words);
    const CHighTime time = ConstructHighTimeFromTableTime(buffer + 1);
    EXPECT_EQ(time.GetTicks(), (LONGLONG(0x01DAC9B2) << 32) | 0x5F3E0000);
    EXPECT_EQ(time.GetStatus(), CHighTime::valid);

    HighTimeToTableTime(time, buffer + 9);
    EXPECT_EQ(std::memcmp(buffer + 1, buffer + 9, 8), 0);

    CHighTime zero = WithStatus(5, CHighTime::invalid);
    const BYTE zeros[8] = {};
    zero.SetFromTableTime(zeros);
    EXPECT_EQ(zero.GetTicks(), 0);
    EXPECT_EQ(zero.GetStatus(), CHighTime::valid);
}

TEST(HighTime, ArithmeticCarriesNullBeforeInvalid)
{
    const CHighTime valid(1000);
    const CHighTime invalid = WithStatus(2000, CHighTime::invalid);
    const CHighTime null = WithStatus(3000, CHighTime::null);
    const CHighTimeSpan span(10);

    EXPECT_EQ((valid + span).GetTicks(), 1010);
    EXPECT_EQ((valid - span).GetTicks(), 990);
    EXPECT_EQ((valid - CHighTime(400)).GetTicks(), 600);
    EXPECT_EQ((valid + span).GetStatus(), CHighTime::valid);
    EXPECT_EQ((invalid + span).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((null - span).GetStatus(), CHighTime::null);
    EXPECT_EQ((null - invalid).GetStatus(), CHighTimeSpan::null);
    EXPECT_EQ((invalid - null).GetStatus(), CHighTimeSpan::null);
    EXPECT_EQ((invalid - valid).GetStatus(), CHighTimeSpan::invalid);

    CHighTimeSpan nullSpan(5);
    nullSpan.SetStatus(CHighTimeSpan::null);
    EXPECT_EQ((invalid + nullSpan).GetStatus(), CHighTime::null);

    CHighTime accumulated(100);
    accumulated += span;
    accumulated += span;
    accumulated -= CHighTimeSpan(5);
    EXPECT_EQ(accumulated.GetTicks(), 115);

    // Comparisons look at the ticks only; equality also at the status.
    EXPECT_TRUE(invalid > valid);
    EXPECT_TRUE(valid < null);
    EXPECT_TRUE(invalid >= WithStatus(2000, CHighTime::null));
    EXPECT_FALSE(invalid == WithStatus(2000, CHighTime::null));
    EXPECT_TRUE(invalid == WithStatus(2000, CHighTime::invalid));
}

TEST(HighTime, DamagedTableTimesAreInvalidAndHaveNoChartDate)
{
    // One flipped top bit makes a logger time negative, which no logger writes.
    const DWORD damaged[2] = {0x81DAC9B2, 0x5F3E0000};
    const CHighTime time = ConstructHighTimeFromTableTime(damaged);
    EXPECT_EQ(time.GetStatus(), CHighTime::invalid);
    EXPECT_EQ(time.GetAsDate(), 0.0);

    // Valid times at the ends of the range have no chart date either, instead of a wrapped one.
    EXPECT_EQ(CHighTime(std::numeric_limits<LONGLONG>::min() + 5).GetAsDate(), 0.0);
    EXPECT_GT(CHighTime(std::numeric_limits<LONGLONG>::max()).GetAsDate(), 1.0e7);
}

TEST(HighTime, ArithmeticOverflowGivesInvalidInsteadOfWrapping)
{
    const CHighTime late(std::numeric_limits<LONGLONG>::max() - 5);
    EXPECT_EQ((late + CHighTimeSpan(10)).GetStatus(), CHighTime::invalid);
    const CHighTime early(std::numeric_limits<LONGLONG>::min() + 5);
    EXPECT_EQ((early - CHighTimeSpan(10)).GetStatus(), CHighTime::invalid);
    EXPECT_EQ((late - early).GetStatus(), CHighTimeSpan::invalid);
    EXPECT_EQ(CHighTime(CTime(std::numeric_limits<std::time_t>::max())).GetStatus(), CHighTime::invalid);
}

TEST(HighTime, RoundsTicksHalfUpAndNegativeRemaindersTowardZero)
{
    EXPECT_EQ(CHighTime::RoundTicks(15, 10), 20);
    EXPECT_EQ(CHighTime::RoundTicks(14, 10), 10);
    EXPECT_EQ(CHighTime::RoundTicks(-15, 10), -10);
    EXPECT_EQ(CHighTime::RoundTicks(-14, 10), -10);
    EXPECT_EQ(CHighTime::RoundTicks(20, 10), 20);
    EXPECT_EQ(CHighTime::RoundTicks(std::numeric_limits<LONGLONG>::max(), 10),
              std::numeric_limits<LONGLONG>::max() - 7);

    CHighTime time(kSummerNoonCet + 4999999);
    time.RoundToSecond();
    EXPECT_EQ(time.GetTicks(), kSummerNoonCet);
    time = CHighTime(kSummerNoonCet + 5000000);
    time.RoundToSecond();
    EXPECT_EQ(time.GetTicks(), kSummerNoonCet + kTicksPerSecond);
    time = CHighTime(kSummerNoonCet + 15);
    time.RoundToMicrosecond();
    EXPECT_EQ(time.GetTicks(), kSummerNoonCet + 20);
}

TEST(HighTimeSpan, BuildsFromPartsWithExactCarries)
{
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 0, 0, 0, 150).GetTicks(), 2);
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 0, 0, 0, -150).GetTicks(), -2);
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 0, 0, 0, 149).GetTicks(), 1);
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 0, 0, 0, 49).GetTicks(), 0);
    EXPECT_EQ(CHighTimeSpan(1, 2, 3, 4, 5, 6, 700).GetTicks(),
              864000000000 + 2 * 36000000000 + 3 * 600000000 + 4 * 10000000 + 5 * 10000 + 6 * 10 + 7);
    // Parts beyond their natural range and negative parts carry exactly.
    EXPECT_EQ(CHighTimeSpan(0, 25, -61, 3600).GetTicks(), CHighTimeSpan(1, 1, -1, 0).GetTicks());
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, 0, 1500).GetTicks(), CHighTimeSpan(0, 0, 0, 1, 500).GetTicks());

    const CHighTimeSpan span(3, 4, 5, 6, 789, 12, 300);
    EXPECT_EQ(span.GetTotalDays(), 3);
    EXPECT_EQ(span.GetTotalMinutes(), 3 * 1440 + 4 * 60 + 5);
    EXPECT_EQ(span.GetTotalSeconds(), ((3 * 24 + 4) * 60 + 5) * 60 + 6);
    EXPECT_EQ(span.GetMilliSeconds(), 789);
    EXPECT_EQ(span.GetMicroSeconds(), 12);
    EXPECT_EQ(span.GetNanoSeconds(), 300);
    EXPECT_EQ(CHighTimeSpan(-1, 0, 0, 0).GetTotalDays(), -1);
    EXPECT_EQ(CHighTimeSpan(0, 0, 0, -90).GetTotalMinutes(), -1);
}

TEST(HighTime, BuildsFromLocalPartsInTheCurrentZone)
{
    const ScopedTimeZone zone(kCentralEuropeZone);
    EXPECT_EQ(CHighTime(2024, 7, 1, 12, 0, 0).GetTicks(), kSummerNoonCet);
    EXPECT_EQ(CHighTime(2024, 1, 15, 12, 0, 0).GetTicks(), kWinterNoonCet);

    const CHighTime precise(2024, 7, 1, 12, 0, 0, 123, 456, 789);
    EXPECT_EQ(precise.GetTicks(), kSummerNoonCet + 1234568);
    EXPECT_EQ(precise.GetMilliSecond(), 123);
    EXPECT_EQ(precise.GetMicroSecond(), 456);
    EXPECT_EQ(precise.GetNanoSecond(), 800);

    SYSTEMTIME local;
    local.wYear = 2024;
    local.wMonth = 1;
    local.wDay = 15;
    local.wHour = 12;
    local.wMilliseconds = 250;
    EXPECT_EQ(CHighTime::FromSystemTime(local).GetTicks(), kWinterNoonCet + 2500000);
}

TEST(HighTime, RejectsPartsThatAreNoTime)
{
    const ScopedTimeZone zone("UTC0");
    const struct
    {
        int year, month, day, hour, minute, second;
    } bad[] = {
        {2024, 13, 1, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {2024, 4, 31, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
        {2024, 1, 1, 0, 60, 0}, {1600, 12, 31, 0, 0, 0}, {2024, 0, 1, 0, 0, 0}, {65537, 1, 1, 0, 0, 0},
        {2024, 1, -1, 0, 0, 0},
    };
    for (const auto& p : bad)
    {
        CHighTime time(77);
        EXPECT_FALSE(time.SetDateTime(p.year, p.month, p.day, p.hour, p.minute, p.second));
        EXPECT_EQ(time.GetStatus(), CHighTime::invalid);
        EXPECT_EQ(time.GetTicks(), 0);
    }
    EXPECT_TRUE(CHighTime().SetDateTime(2024, 2, 29, 23, 59, 59));
    EXPECT_EQ(CHighTime(1601, 1, 1, 0, 0, 0).GetTicks(), 0);
}

TEST(HighTime, BreaksIntoLocalCalendarParts)
{
    const ScopedTimeZone zone(kCentralEuropeZone);
    const CHighTime sunday(kSundayNoonUtc);
    EXPECT_EQ(sunday.GetYear(), 2024);
    EXPECT_EQ(sunday.GetMonth(), 6);
    EXPECT_EQ(sunday.GetDay(), 30);
    EXPECT_EQ(sunday.GetHour(), 14);  // summer time: UTC + 2
    EXPECT_EQ(sunday.GetMinute(), 0);
    EXPECT_EQ(sunday.GetSecond(), 0);
    EXPECT_EQ(sunday.GetDayOfWeek(), 1);
    EXPECT_EQ(CHighTime(kWinterNoonCet).GetHour(), 12);

    SYSTEMTIME utc;
    ASSERT_TRUE(sunday.GetAsUtcSystemTime(utc));
    EXPECT_EQ(utc.wHour, 12);
    EXPECT_EQ(utc.wDayOfWeek, 0);

    for (const CHighTime& unusable : {WithStatus(kSundayNoonUtc, CHighTime::invalid),
                                      WithStatus(kSundayNoonUtc, CHighTime::null), CHighTime(-1)})
    {
        SYSTEMTIME st;
        EXPECT_FALSE(unusable.GetAsSystemTime(st));
        EXPECT_EQ(unusable.GetYear(), -1);
        EXPECT_EQ(unusable.GetMonth(), -1);
        EXPECT_EQ(unusable.GetDay(), -1);
        EXPECT_EQ(unusable.GetHour(), -1);
        EXPECT_EQ(unusable.GetMinute(), -1);
        EXPECT_EQ(unusable.GetSecond(), -1);
        EXPECT_EQ(unusable.GetDayOfWeek(), -1);
    }
}

TEST(HighTime, LocalPartsRoundTripAcrossTheYear)
{
    const ScopedTimeZone zone(kCentralEuropeZone);
    for (int month = 1; month <= 12; ++month)
    {
        const CHighTime time(2023, month, 14, 7, 30, 15, 500);
        SYSTEMTIME local;
        ASSERT_TRUE(time.GetAsSystemTime(local));
        EXPECT_EQ(local.wMonth, month);
        EXPECT_EQ(local.wDay, 14);
        EXPECT_EQ(local.wHour, 7);
        EXPECT_EQ(local.wMinute, 30);
        EXPECT_EQ(local.wSecond, 15);
        EXPECT_EQ(local.wMilliseconds, 500);
        EXPECT_EQ(CHighTime::FromSystemTime(local), time);
    }
}

TEST(HighTime, ConvertsToAndFromOleDateTime)
{
    const ScopedTimeZone zone("UTC0");
    const CHighTime epoch(1899, 12, 30, 0, 0, 0);
    EXPECT_EQ(epoch.GetAsOleDateTime().GetStatus(), COleDateTime::valid);
    EXPECT_DOUBLE_EQ(epoch.GetAsOleDateTime().GetDate(), 0.0);
    EXPECT_DOUBLE_EQ(CHighTime(1900, 1, 1, 12, 0, 0).GetAsOleDateTime().GetDate(), 2.5);
    EXPECT_DOUBLE_EQ(CHighTime(1899, 12, 29, 6, 0, 0).GetAsOleDateTime().GetDate(), -1.25);

    // Without the flag the milliseconds are dropped; with it the time is rounded first.
    const CHighTime late(2024, 3, 5, 7, 8, 9, 700);
    const COleDateTime truncated = late.GetAsOleDateTime(false);
    const COleDateTime rounded = late.GetAsOleDateTime(true);
    EXPECT_EQ(CHighTime(truncated), CHighTime(2024, 3, 5, 7, 8, 9));
    EXPECT_EQ(CHighTime(rounded), CHighTime(2024, 3, 5, 7, 8, 10));

    EXPECT_EQ(WithStatus(0, CHighTime::invalid).GetAsOleDateTime().GetStatus(), COleDateTime::invalid);
    COleDateTime invalid(2.0);
    invalid.SetStatus(COleDateTime::invalid);
    EXPECT_EQ(CHighTime(invalid).GetStatus(), CHighTime::invalid);
    EXPECT_EQ(CHighTime(invalid).GetTicks(), 0);
}

TEST(HighTime, OleDateTimeFromPartsMustSurviveTheRoundTrip)
{
    SYSTEMTIME st;
    st.wYear = 2024;
    st.wMonth = 2;
    st.wDay = 30;
    COleDateTime target(1.0);
    EXPECT_FALSE(COleDateTimeConvertSystemTime(st, &target));
    EXPECT_EQ(target.GetStatus(), COleDateTime::invalid);
    st.wDay = 29;
    EXPECT_FALSE(COleDateTimeConvertSystemTime(st, nullptr));
    EXPECT_TRUE(COleDateTimeConvertSystemTime(st, &target));
    EXPECT_EQ(target.GetStatus(), COleDateTime::valid);
    st.wYear = 99;
    EXPECT_EQ(COleDateTime(st).GetStatus(), COleDateTime::invalid);
}

TEST(HighTime, PresentTimeIsNow)
{
    const CHighTime before(CTime(std::time(nullptr)));
    const CHighTime now = CHighTime::GetPresentTime();
    EXPECT_EQ(now.GetStatus(), CHighTime::valid);
    EXPECT_GE(now.GetTicks(), before.GetTicks());
    EXPECT_LT((now - before).GetTotalSeconds(), 60);
}
