#pragma once
// The platform's broken-down time and 100-ns file time, with the conversions between UTC and
// the local time of the process's time zone (TZ is respected).
#include "platform/framework/WinTypes.h"

#include <ctime>

struct FILETIME
{
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

struct SYSTEMTIME
{
    WORD wYear = 0;
    WORD wMonth = 0;      // 1..12
    WORD wDayOfWeek = 0;  // 0 = Sunday
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// 100-ns units between 1601-01-01 and 1970-01-01.
inline constexpr LONGLONG kFileTimeUnixEpoch = 116444736000000000LL;

// Fails for a file time beyond the signed 64-bit range.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);
// Fails for fields outside their calendar ranges (years 1601..30827); the day of week is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);
// UTC to the current zone's local time and back (daylight saving decided by the zone rules).
BOOL SystemTimeToTzSpecificLocalTime(const SYSTEMTIME* universalTime, SYSTEMTIME* localTime);
BOOL TzSpecificLocalTimeToSystemTime(const SYSTEMTIME* localTime, SYSTEMTIME* universalTime);
void GetSystemTimeAsFileTime(FILETIME* fileTime);

// The calendar fields (and day of week) of a system time for the C library's time functions,
// without daylight saving; the day of the year is left 0.
std::tm SystemTimeToTm(const SYSTEMTIME& st);
// The signed 100-ns count a file time holds, and the file time holding a count.
LONGLONG FileTimeToTicks(const FILETIME& fileTime);
FILETIME TicksToFileTime(LONGLONG ticks);
