#include "platform/framework/SystemTime.h"

#include <chrono>
#include <ctime>

namespace
{
constexpr LONGLONG kTicksPerSecond = 10000000;
constexpr LONGLONG kTicksPerMillisecond = 10000;
constexpr int kMaxYear = 30827;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidSystemTime(const SYSTEMTIME& st)
{
    return st.wYear >= 1601 && st.wYear <= kMaxYear && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 && st.wMinute < 60 &&
           st.wSecond < 60 && st.wMilliseconds < 1000;
}

bool FromTm(const std::tm& tm, WORD milliseconds, SYSTEMTIME& st)
{
    const long long year = tm.tm_year + 1900LL;
    if (year < 1601 || year > kMaxYear)
        return false;
    st.wYear = WORD(year);
    st.wMonth = WORD(tm.tm_mon + 1);
    st.wDayOfWeek = WORD(tm.tm_wday);
    st.wDay = WORD(tm.tm_mday);
    st.wHour = WORD(tm.tm_hour);
    st.wMinute = WORD(tm.tm_min);
    st.wSecond = WORD(tm.tm_sec);
    st.wMilliseconds = milliseconds;
    return true;
}
} // namespace

std::tm SystemTimeToTm(const SYSTEMTIME& st)
{
    std::tm tm{};
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_wday = st.wDayOfWeek;
    return tm;
}

LONGLONG FileTimeToTicks(const FILETIME& fileTime)
{
    return LONGLONG((ULONGLONG(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime);
}

FILETIME TicksToFileTime(LONGLONG ticks)
{
    const auto bits = ULONGLONG(ticks);
    return FILETIME{DWORD(bits & 0xFFFFFFFFu), DWORD(bits >> 32)};
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime)
{
    if (!fileTime || !systemTime)
        return FALSE;
    const LONGLONG ticks = FileTimeToTicks(*fileTime);
    if (ticks < 0)
        return FALSE;
    const std::time_t seconds = std::time_t(ticks / kTicksPerSecond - kFileTimeUnixEpoch / kTicksPerSecond);
    std::tm tm{};
    if (!gmtime_r(&seconds, &tm))
        return FALSE;
    return FromTm(tm, WORD(ticks % kTicksPerSecond / kTicksPerMillisecond), *systemTime) ? TRUE : FALSE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime)
{
    if (!systemTime || !fileTime || !IsValidSystemTime(*systemTime))
        return FALSE;
    std::tm tm = SystemTimeToTm(*systemTime);
    const std::time_t seconds = timegm(&tm);
    *fileTime = TicksToFileTime((LONGLONG(seconds) + kFileTimeUnixEpoch / kTicksPerSecond) * kTicksPerSecond +
                          systemTime->wMilliseconds * kTicksPerMillisecond);
    return TRUE;
}

BOOL SystemTimeToTzSpecificLocalTime(const SYSTEMTIME* universalTime, SYSTEMTIME* localTime)
{
    if (!universalTime || !localTime || !IsValidSystemTime(*universalTime))
        return FALSE;
    std::tm utc = SystemTimeToTm(*universalTime);
    const std::time_t seconds = timegm(&utc);
    std::tm tm{};
    if (!localtime_r(&seconds, &tm))
        return FALSE;
    return FromTm(tm, universalTime->wMilliseconds, *localTime) ? TRUE : FALSE;
}

BOOL TzSpecificLocalTimeToSystemTime(const SYSTEMTIME* localTime, SYSTEMTIME* universalTime)
{
    if (!localTime || !universalTime || !IsValidSystemTime(*localTime))
        return FALSE;
    std::tm local = SystemTimeToTm(*localTime);
    local.tm_isdst = -1;
    // mktime's -1 is also a valid result (one second before 1970), so the fields tell failure apart.
    local.tm_wday = -1;
    const std::time_t seconds = std::mktime(&local);
    if (local.tm_wday < 0)
        return FALSE;
    std::tm tm{};
    if (!gmtime_r(&seconds, &tm))
        return FALSE;
    return FromTm(tm, localTime->wMilliseconds, *universalTime) ? TRUE : FALSE;
}

void GetSystemTimeAsFileTime(FILETIME* fileTime)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const LONGLONG ticks = std::chrono::duration_cast<std::chrono::duration<LONGLONG, std::ratio<1, kTicksPerSecond>>>(now).count();
    if (fileTime)
        *fileTime = TicksToFileTime(ticks + kFileTimeUnixEpoch);
}
