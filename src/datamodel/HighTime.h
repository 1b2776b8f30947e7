#pragma once
// CHighTime and CHighTimeSpan: a point in time and a duration as a signed count of 100-ns units,
// the scale of the logger's time fields and of FILETIME, so that no conversion loses precision.
// A time is UTC inside; local time is used only to build a time from calendar parts or to break
// it into them.
#include "platform/framework/CString.h"
#include "platform/framework/CTime.h"
#include "platform/framework/OleDateTime.h"
#include "platform/framework/SystemTime.h"
#include "platform/framework/WinTypes.h"

inline constexpr LONGLONG kTicksPerMicrosecond = 10;
inline constexpr LONGLONG kTicksPerMillisecond = 10000;
inline constexpr LONGLONG kTicksPerSecond = 10000000;
inline constexpr LONGLONG kSecondsPerDay = 86400;
inline constexpr LONGLONG kTicksPerDay = kTicksPerSecond * kSecondsPerDay;

class CHighTimeSpan;

class CHighTime
{
public:
    enum HighTimeStatus { valid = 0, invalid = 1, null = 2 };

    // Zero ticks, valid.
    CHighTime() = default;
    explicit CHighTime(LONGLONG ticks) : m_liTime(ticks) {}
    explicit CHighTime(const FILETIME& fileTime);
    // Local calendar parts; invalid (ticks 0) when they do not form a time.
    CHighTime(int year, int month, int day, int hour, int minute, int second, int ms = 0, int us = 0,
              int ns = 0);
    // A local SYSTEMTIME including its milliseconds.
    explicit CHighTime(const SYSTEMTIME& localTime);
    // A COleDateTime taken as local time; invalid when it is not valid.
    explicit CHighTime(const COleDateTime& dateTime);
    explicit CHighTime(const CTime& time);

    static CHighTime GetPresentTime();
    static CHighTime FromSystemTime(const SYSTEMTIME& localTime) { return CHighTime(localTime); }
    // From an OLE DATE of the charting control, rounded to 1 us; invalid for a value that is no
    // time (not a number, or outside the tick range).
    static CHighTime FromDate(double date);

    HighTimeStatus GetStatus() const { return m_status; }
    void SetStatus(HighTimeStatus status) { m_status = status; }
    LONGLONG GetTicks() const { return m_liTime; }
    void SetTicks(LONGLONG ticks)
    {
        m_liTime = ticks;
        m_status = valid;
    }
    bool IsZero() const { return m_liTime == 0; }

    // Local parts; false (and ticks 0, invalid) when a conversion fails.
    bool SetDateTime(int year, int month, int day, int hour, int minute, int second, int ms = 0,
                     int us = 0, int ns = 0);
    // A logger time field in host order: two u32, the high word first (8 bytes, any alignment);
    // invalid when the ticks are negative (a damaged field).
    void SetFromTableTime(const void* field);

    // Local broken-down time; false unless valid and convertible.
    bool GetAsSystemTime(SYSTEMTIME& localTime) const;
    bool GetAsUtcSystemTime(SYSTEMTIME& universalTime) const;
    bool GetAsFileTime(FILETIME& fileTime) const;
    COleDateTime GetAsOleDateTime(bool roundToSeconds = false) const;
    // The OLE DATE the charting control works with; 0.0 when the time is not valid or has no
    // such date.
    double GetAsDate() const;

    // Local calendar parts; -1 when the time is not valid or cannot be converted.
    int GetYear() const;
    int GetMonth() const;      // 1..12
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday .. 7 = Saturday

    // Parts below the second, from the ticks (not local).
    int GetMilliSecond() const;
    int GetMicroSecond() const;
    int GetNanoSecond() const;

    // Rounds to the nearest multiple of unit (halves upwards; negative remainders towards zero).
    static LONGLONG RoundTicks(LONGLONG ticks, LONGLONG unit);
    void RoundToMicrosecond() { m_liTime = RoundTicks(m_liTime, kTicksPerMicrosecond); }
    void RoundToSecond() { m_liTime = RoundTicks(m_liTime, kTicksPerSecond); }

    // strftime codes plus the sub-second codes %n %#n %u %#u %s %#s; "%#x" drops leading zeros.
    // Local time; empty for a null time, "Invalid datetime" for an invalid one.
    CString Format(const char* format, bool round = false) const;
    CString FormatUTC(const char* format, bool round = false) const;

    CHighTime operator+(const CHighTimeSpan& span) const;
    CHighTime operator-(const CHighTimeSpan& span) const;
    CHighTimeSpan operator-(const CHighTime& other) const;
    CHighTime& operator+=(const CHighTimeSpan& span);
    CHighTime& operator-=(const CHighTimeSpan& span);

    // Ticks only, whatever the status.
    bool operator<(const CHighTime& other) const { return m_liTime < other.m_liTime; }
    bool operator>(const CHighTime& other) const { return m_liTime > other.m_liTime; }
    bool operator<=(const CHighTime& other) const { return m_liTime <= other.m_liTime; }
    bool operator>=(const CHighTime& other) const { return m_liTime >= other.m_liTime; }
    // Status and ticks.
    bool operator==(const CHighTime& other) const
    {
        return m_status == other.m_status && m_liTime == other.m_liTime;
    }

private:
    CString FormatImpl(const char* format, bool round, bool local) const;

    HighTimeStatus m_status = valid;
    LONGLONG m_liTime = 0;
};

class CHighTimeSpan
{
public:
    enum HighTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    CHighTimeSpan() = default;
    explicit CHighTimeSpan(LONGLONG ticks) : m_liSpan(ticks) {}
    CHighTimeSpan(LONGLONG days, int hours, int minutes, int seconds, int ms = 0, int us = 0, int ns = 0)
    {
        SetDateTimeSpan(days, hours, minutes, seconds, ms, us, ns);
    }

    // Parts may be negative or exceed their natural range; ns rounds to 100 ns, halves away from 0.
    void SetDateTimeSpan(LONGLONG days, int hours, int minutes, int seconds, int ms = 0, int us = 0,
                         int ns = 0);

    HighTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(HighTimeSpanStatus status) { m_status = status; }
    LONGLONG GetTicks() const { return m_liSpan; }

    // Truncating totals.
    LONGLONG GetTotalDays() const { return m_liSpan / kTicksPerDay; }
    LONGLONG GetTotalMinutes() const { return m_liSpan / kTicksPerSecond / 60; }
    LONGLONG GetTotalSeconds() const { return m_liSpan / kTicksPerSecond; }
    int GetMilliSeconds() const;
    int GetMicroSeconds() const;
    int GetNanoSeconds() const;

    // strftime over the span broken down as a date from 1601-01-01, plus %d %#d %#D (total days)
    // and %s %#s %u %#u %n %#n; empty when null, "Invalid datetimespan" when invalid.
    CString Format(const char* format) const;

    bool operator<(const CHighTimeSpan& other) const { return m_liSpan < other.m_liSpan; }
    bool operator>(const CHighTimeSpan& other) const { return m_liSpan > other.m_liSpan; }
    bool operator<=(const CHighTimeSpan& other) const { return m_liSpan <= other.m_liSpan; }
    bool operator>=(const CHighTimeSpan& other) const { return m_liSpan >= other.m_liSpan; }
    bool operator==(const CHighTimeSpan& other) const
    {
        return m_status == other.m_status && m_liSpan == other.m_liSpan;
    }

private:
    HighTimeSpanStatus m_status = valid;
    LONGLONG m_liSpan = 0;
};

// Logger time fields (two host-order u32, high word first) to and from CHighTime.
CHighTime ConstructHighTimeFromTableTime(const void* field);
void HighTimeToTableTime(const CHighTime& time, void* field);
