#include "datamodel/HighTime.h"

#include "support/LogCapture.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace
{
// 2024-03-05 07:08:09 UTC, a Tuesday.
constexpr LONGLONG kMorningUtc = 133540960890000000;
// 2024-06-30 12:00:00 UTC, a Sunday.
constexpr LONGLONG kSundayNoonUtc = 133642224000000000;

class HighTimeFormat : public ::testing::Test
{
protected:
    ScopedTimeZone m_zone{"UTC0"};
};
} // namespace

TEST_F(HighTimeFormat, SubSecondCodesShowTheirParts)
{
    const CHighTime time(kMorningUtc + 1234567);  // .123 456 7
    EXPECT_EQ(time.Format("%H:%M:%S.%s"), "07:08:09.123");
    EXPECT_EQ(time.Format("%s|%u|%n"), "123|456|700");
    EXPECT_EQ(time.Format("%#s|%#u|%#n"), "123|456|700");
    const CHighTime small(kMorningUtc + 10000 + 20 + 3);  // .001 002 3
    EXPECT_EQ(small.Format("%s %u %n"), "001 002 300");
    EXPECT_EQ(small.Format("%#s %#u %#n"), "1 2 300");
    EXPECT_EQ(CHighTime(kMorningUtc).Format("%#n"), "0");
}

TEST_F(HighTimeFormat, RoundsOnceByTheFirstCodeFound)
{
    // 12:00:00.9996: rounded to the millisecond it becomes 12:00:01.000.
    const CHighTime nearly(CHighTime(2024, 3, 5, 12, 0, 0).GetTicks() + 9996000);
    EXPECT_EQ(nearly.Format("%S.%s", true), "01.000");
    EXPECT_EQ(nearly.Format("%S.%s", false), "00.999");
    // Without sub-second codes the flag rounds to whole seconds.
    EXPECT_EQ(nearly.Format("%H:%M:%S", true), "12:00:01");
    EXPECT_EQ(CHighTime(kMorningUtc + 4999999).Format("%S", true), "09");
    // A microsecond code rounds to 1 us, before the millisecond part is taken.
    const CHighTime micro(kMorningUtc + 9999996);
    EXPECT_EQ(micro.Format("%S %s %u", true), "10 000 000");
    EXPECT_EQ(micro.Format("%S %s %u", false), "09 999 999");
    // A nanosecond code is found first and switches rounding off.
    EXPECT_EQ(micro.Format("%S %s %n", true), "09 999 600");
    // The time itself is not changed.
    EXPECT_EQ(micro.GetTicks(), kMorningUtc + 9999996);
}

TEST_F(HighTimeFormat, HashFlagDropsLeadingZeros)
{
    const CHighTime time(kMorningUtc);
    EXPECT_EQ(time.Format("%d.%m.%y %H:%M:%S"), "05.03.24 07:08:09");
    EXPECT_EQ(time.Format("%#d.%#m.%#y %#H:%#M:%#S"), "5.3.24 7:8:9");
    EXPECT_EQ(time.Format("%#I %p|%#j|%#Y|%#w"), "7 AM|1|2024|2");
    EXPECT_EQ(CHighTime(2024, 3, 5, 0, 5, 0).Format("%#I:%M %p"), "12:05 AM");
    EXPECT_EQ(CHighTime(2024, 3, 5, 13, 5, 0).Format("%I|%#I"), "01|1");
    EXPECT_EQ(CHighTime(2009, 3, 5, 13, 5, 0).Format("%#y"), "9");
    // "#" on a conversion without leading zeros changes nothing.
    EXPECT_EQ(time.Format("%#a %#b %%#d"), "Tue Mar %#d");
}

TEST_F(HighTimeFormat, StrftimeCodesSeeTheBrokenDownTime)
{
    const CHighTime sunday(kSundayNoonUtc);
    EXPECT_EQ(sunday.Format("%a %A %b %B"), "Sun Sunday Jun June");
    EXPECT_EQ(sunday.GetDayOfWeek(), 1);
    EXPECT_EQ(sunday.Format("%Y-%m-%d %H:%M:%S %w %%"), "2024-06-30 12:00:00 0 %");
    // The day of the year is not filled in, as the platform's conversion leaves it.
    EXPECT_EQ(sunday.Format("%j"), "001");
    // UTF-8 literal text passes through.
    EXPECT_EQ(sunday.Format("%H Uhr \xC3\xBC"), "12 Uhr \xC3\xBC");
}

TEST_F(HighTimeFormat, LocalAndUtcFormsDiffer)
{
    const ScopedTimeZone zone(kCentralEuropeZone);
    const CHighTime sunday(kSundayNoonUtc);
    EXPECT_EQ(sunday.Format("%H:%M"), "14:00");
    EXPECT_EQ(sunday.FormatUTC("%H:%M"), "12:00");
    const CHighTime winter(kMorningUtc);
    EXPECT_EQ(winter.Format("%H:%M"), "08:08");
    EXPECT_EQ(winter.FormatUTC("%H:%M"), "07:08");
}

TEST_F(HighTimeFormat, StatusDecidesBeforeTheFormat)
{
    CHighTime time(kMorningUtc);
    time.SetStatus(CHighTime::null);
    EXPECT_EQ(time.Format("%H"), "");
    EXPECT_EQ(time.FormatUTC("%H"), "");
    time.SetStatus(CHighTime::invalid);
    EXPECT_EQ(time.Format("%H"), "Invalid datetime");
    EXPECT_EQ(time.FormatUTC("%H"), "Invalid datetime");
    // A valid time before 1601 cannot be broken down.
    EXPECT_EQ(CHighTime(-kTicksPerDay).Format("%H"), "Invalid datetime");
}

TEST_F(HighTimeFormat, RejectedFormatsLogAndGiveEmptyText)
{
    const CHighTime time(kMorningUtc);
    const CLogCapture log;
    EXPECT_EQ(time.Format("%H %Q"), "");
    EXPECT_EQ(time.Format("%H %"), "");
    EXPECT_EQ(time.Format("%#"), "");
    EXPECT_EQ(time.FormatUTC("%E"), "");
    EXPECT_EQ(time.Format(""), "");
    // The result must fit 128 wide characters with the terminator.
    EXPECT_EQ(time.Format(std::string(127, 'x').c_str()), CString(std::string(127, 'x')));
    EXPECT_EQ(time.Format(std::string(128, 'x').c_str()), "");
    const auto messages = log.Messages();
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[0], "CHighTime::Format fails for Format='%H %Q', Date=2024-3-5 7:8:9");
    EXPECT_EQ(messages[3], "CHighTime::FormatUTC fails for Format='%E', Date=2024-3-5 7:8:9");
}

TEST_F(HighTimeFormat, SpansFormatTheirDayCountAndClock)
{
    const CHighTimeSpan span(1, 2, 0, 0);
    EXPECT_EQ(span.Format("%#D %H:%M"), "1 02:00");
    EXPECT_EQ(span.Format("%d|%#d|%#D"), "1|1|1");
    EXPECT_EQ(CHighTimeSpan(123, 4, 5, 6).Format("%d days %H:%M:%S"), "123 days 04:05:06");
    const CHighTimeSpan precise(0, 0, 0, 3, 4, 5, 600);
    EXPECT_EQ(precise.Format("%S.%s.%u.%n"), "03.004.005.600");
    EXPECT_EQ(precise.Format("%#s.%#u.%#n"), "4.5.600");
    // Day 0 of the span calendar (1601-01-01) is a Monday.
    EXPECT_EQ(CHighTimeSpan(0).Format("%a"), "Mon");
    // Day 59 is 1 March in a common year and 29 February in a leap year (1604).
    EXPECT_EQ(CHighTimeSpan(59, 0, 0, 0).Format("%b %j"), "Mar 060");
    EXPECT_EQ(CHighTimeSpan(3 * 365 + 59, 0, 0, 0).Format("%b %j"), "Feb 060");
    EXPECT_EQ(CHighTimeSpan(3 * 365 + 365, 0, 0, 0).Format("%b %j"), "Dec 366");
    // The last day of a 400-year cycle is day 366 of a leap year.
    EXPECT_EQ(CHighTimeSpan(146096, 0, 0, 0).Format("%b %j"), "Dec 366");
    EXPECT_EQ(CHighTimeSpan(146097, 0, 0, 0).Format("%b %j"), "Jan 001");
}

TEST_F(HighTimeFormat, SpansReportTheirFailures)
{
    CHighTimeSpan span(5);
    span.SetStatus(CHighTimeSpan::null);
    EXPECT_EQ(span.Format("%H"), "");
    span.SetStatus(CHighTimeSpan::invalid);
    EXPECT_EQ(span.Format("%H"), "Invalid datetimespan");
    EXPECT_EQ(CHighTimeSpan(-1, 0, 0, 0).Format("%H"), "Invalid datetimespan");

    const CLogCapture log;
    EXPECT_EQ(CHighTimeSpan(2, 2, 0, 0).Format("%H %Q"), "");
    const auto messages = log.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "CHighTimeSpan::Format fails for Format='%H %Q', Span=0-0-3 2:0:0");
}
