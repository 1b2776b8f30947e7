// CHighTimeSpan::Format: the span is broken down as if it were a date counted from 1601-01-01,
// so that strftime's clock codes show its hours, minutes and seconds.
#include "datamodel/HighTime.h"

#include "datamodel/TimeText.h"

#include <glog/logging.h>

namespace
{
constexpr LONGLONG kDaysPer400Years = 146097;
constexpr LONGLONG kDaysPer100Years = 36524;
constexpr LONGLONG kDaysPer4Years = 1461;
constexpr LONGLONG kDaysPerYear = 365;
// Day 0 (1601-01-01) was a Monday: (0 + 584753) mod 7 + 1 = 2.
constexpr LONGLONG kDayOfWeekOffset = 584753;

constexpr int kMonthStart[2][13] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366},
};

struct SSpanCode
{
    const char* code;
    const char* format;
    int part;  // 0 days, 1 ms, 2 us, 3 ns
};

constexpr SSpanCode kSpanCodes[] = {
    {"%d", "%0d", 0}, {"%#d", "%0d", 0}, {"%#D", "%d", 0}, {"%s", "%03d", 1}, {"%#s", "%d", 1},
    {"%u", "%03d", 2}, {"%#u", "%d", 2}, {"%n", "%03d", 3}, {"%#n", "%d", 3},
};

// False for a negative span, which has no place on the calendar.
bool BreakDown(LONGLONG ticks, std::tm& tm)
{
    if (ticks < 0)
        return false;
    const LONGLONG days = ticks / kTicksPerDay;
    const LONGLONG secondOfDay = ticks / kTicksPerSecond % kSecondsPerDay;

    LONGLONG rest = days;
    const LONGLONG cycles = rest / kDaysPer400Years;
    rest %= kDaysPer400Years;
    LONGLONG centuries = rest / kDaysPer100Years;
    if (centuries == 4)  // the last day of a 400-year cycle
        centuries = 3;
    rest -= centuries * kDaysPer100Years;
    const LONGLONG groups = rest / kDaysPer4Years;
    rest %= kDaysPer4Years;
    LONGLONG years = rest / kDaysPerYear;
    if (years == 4)  // the leap day closing a four-year group
        years = 3;
    const int dayOfYear = int(rest - years * kDaysPerYear);
    const bool leap = years == 3 && (groups != 24 || centuries == 3);

    const LONGLONG yearsSince1601 = cycles * 400 + centuries * 100 + groups * 4 + years;
    if (yearsSince1601 > 30000)
        return false;
    int month = 0;
    while (dayOfYear >= kMonthStart[leap][month + 1])
        ++month;

    tm = std::tm{};
    tm.tm_year = int(yearsSince1601);
    tm.tm_mon = month;
    tm.tm_mday = dayOfYear - kMonthStart[leap][month] + 1;
    tm.tm_hour = int(secondOfDay / 3600);
    tm.tm_min = int(secondOfDay / 60 % 60);
    tm.tm_sec = int(secondOfDay % 60);
    tm.tm_wday = int((days + kDayOfWeekOffset) % 7);
    tm.tm_yday = dayOfYear;
    tm.tm_isdst = 0;
    return true;
}

LONGLONG Abs(LONGLONG v)
{
    return v < 0 ? -v : v;
}
} // namespace

CString CHighTimeSpan::Format(const char* format) const
{
    if (m_status == null)
        return CString();
    std::tm tm;
    if (m_status == invalid || !BreakDown(m_liSpan, tm))
        return CString("Invalid datetimespan");

    const LONGLONG parts[] = {Abs(GetTotalDays()), Abs(GetMilliSeconds()), Abs(GetMicroSeconds()),
                              Abs(GetNanoSeconds())};
    CString text(format);
    for (const SSpanCode& code : kSpanCodes)
    {
        if (text.Find(code.code) >= 0)
            text.Replace(code.code, CString::Formatted(code.format, int(parts[code.part])));
    }

    CString result;
    if (!FormatBrokenDownTime(text, tm, result))
    {
        LOG(INFO) << "CHighTimeSpan::Format fails for Format='" << (format ? format : "") << "', Span="
                  << tm.tm_year << '-' << tm.tm_mon << '-' << tm.tm_mday << ' ' << tm.tm_hour << ':' << tm.tm_min
                  << ':' << tm.tm_sec;
        return CString();
    }
    return result;
}
