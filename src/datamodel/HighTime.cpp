#include "datamodel/HighTime.h"

#include "datamodel/TimeText.h"

#include <glog/logging.h>

#include <cstring>
#include <limits>

namespace
{
constexpr LONGLONG kUnixEpochSeconds = kFileTimeUnixEpoch / kTicksPerSecond;

bool FitsWord(int value)
{
    return value >= 0 && value <= std::numeric_limits<WORD>::max();
}

// Sum of ticks; false on overflow, which only corrupt input can cause.
bool AddTicks(LONGLONG a, LONGLONG b, LONGLONG& sum)
{
    return !__builtin_add_overflow(a, b, &sum);
}

bool SubtractTicks(LONGLONG a, LONGLONG b, LONGLONG& difference)
{
    return !__builtin_sub_overflow(a, b, &difference);
}

// Combined status of two operands: null wins over invalid, invalid over valid.
int CombinedStatus(int a, int b)
{
    if (a == CHighTime::null || b == CHighTime::null)
        return CHighTime::null;
    if (a == CHighTime::invalid || b == CHighTime::invalid)
        return CHighTime::invalid;
    return CHighTime::valid;
}

enum class SubSecondPart { Nano, Micro, Milli };

struct SSubSecondCode
{
    const char* code;
    const char* format;
    SubSecondPart part;
    LONGLONG roundUnit;  // 0: the code switches rounding off
};

// Replaced in this order; the first one found decides the rounding.
constexpr SSubSecondCode kTimeCodes[] = {
    {"%n", "%03d", SubSecondPart::Nano, 0},
    {"%#n", "%d", SubSecondPart::Nano, 0},
    {"%u", "%03d", SubSecondPart::Micro, kTicksPerMicrosecond},
    {"%#u", "%d", SubSecondPart::Micro, kTicksPerMicrosecond},
    {"%s", "%03d", SubSecondPart::Milli, kTicksPerMillisecond},
    {"%#s", "%d", SubSecondPart::Milli, kTicksPerMillisecond},
};

int PartOf(LONGLONG ticks, SubSecondPart part)
{
    switch (part)
    {
    case SubSecondPart::Nano: return int(ticks % 10 * 100);
    case SubSecondPart::Micro: return int(ticks % kTicksPerMillisecond / kTicksPerMicrosecond);
    case SubSecondPart::Milli: return int(ticks % kTicksPerSecond / kTicksPerMillisecond);
    }
    return 0;
}
} // namespace

// --- CHighTime --------------------------------------------------------------------------------

CHighTime::CHighTime(const FILETIME& fileTime)
    : m_liTime(FileTimeToTicks(fileTime))
{
}

CHighTime::CHighTime(int year, int month, int day, int hour, int minute, int second, int ms, int us, int ns)
{
    SetDateTime(year, month, day, hour, minute, second, ms, us, ns);
}

CHighTime::CHighTime(const SYSTEMTIME& localTime)
{
    SetDateTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute,
                localTime.wSecond, localTime.wMilliseconds);
}

CHighTime::CHighTime(const COleDateTime& dateTime)
{
    SYSTEMTIME st;
    if (dateTime.GetStatus() == COleDateTime::valid && dateTime.GetAsSystemTime(st))
    {
        SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
        return;
    }
    m_liTime = 0;
    m_status = invalid;
}

CHighTime::CHighTime(const CTime& time)
{
    const LONGLONG seconds = LONGLONG(time.GetTime());
    LONGLONG ticks = 0;
    if (!AddTicks(seconds, kUnixEpochSeconds, ticks) || __builtin_mul_overflow(ticks, kTicksPerSecond, &ticks))
    {
        m_status = invalid;
        return;
    }
    m_liTime = ticks;
}

CHighTime CHighTime::GetPresentTime()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return CHighTime(now);
}

bool CHighTime::SetDateTime(int year, int month, int day, int hour, int minute, int second, int ms, int us,
                            int ns)
{
    m_liTime = 0;
    m_status = invalid;
    if (!FitsWord(year) || !FitsWord(month) || !FitsWord(day) || !FitsWord(hour) || !FitsWord(minute) ||
        !FitsWord(second))
        return false;
    SYSTEMTIME local;
    local.wYear = WORD(year);
    local.wMonth = WORD(month);
    local.wDay = WORD(day);
    local.wHour = WORD(hour);
    local.wMinute = WORD(minute);
    local.wSecond = WORD(second);
    SYSTEMTIME universal;
    FILETIME fileTime;
    if (!TzSpecificLocalTimeToSystemTime(&local, &universal) || !SystemTimeToFileTime(&universal, &fileTime))
        return false;
    *this = CHighTime(fileTime);
    if (ms != 0 || us != 0 || ns != 0)
        *this += CHighTimeSpan(0, 0, 0, 0, ms, us, ns);
    return m_status == valid;
}

void CHighTime::SetFromTableTime(const void* field)
{
    DWORD words[2];
    std::memcpy(words, field, sizeof words);
    m_liTime = LONGLONG((ULONGLONG(words[0]) << 32) | words[1]);
    // Logger times count from 1601 and are never negative: a set top bit is a damaged field.
    m_status = m_liTime >= 0 ? valid : invalid;
}

bool CHighTime::GetAsFileTime(FILETIME& fileTime) const
{
    if (m_status != valid)
        return false;
    fileTime = TicksToFileTime(m_liTime);
    return true;
}

bool CHighTime::GetAsUtcSystemTime(SYSTEMTIME& universalTime) const
{
    FILETIME fileTime;
    return GetAsFileTime(fileTime) && FileTimeToSystemTime(&fileTime, &universalTime);
}

bool CHighTime::GetAsSystemTime(SYSTEMTIME& localTime) const
{
    SYSTEMTIME universal;
    return GetAsUtcSystemTime(universal) && SystemTimeToTzSpecificLocalTime(&universal, &localTime);
}

COleDateTime CHighTime::GetAsOleDateTime(bool roundToSeconds) const
{
    COleDateTime result;
    CHighTime time(*this);
    if (roundToSeconds)
        time.RoundToSecond();
    SYSTEMTIME local;
    if (!time.GetAsSystemTime(local) || !COleDateTimeConvertSystemTime(local, &result))
        result.SetStatus(COleDateTime::invalid);
    return result;
}

int CHighTime::GetYear() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wYear : -1;
}

int CHighTime::GetMonth() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMonth : -1;
}

int CHighTime::GetDay() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDay : -1;
}

int CHighTime::GetHour() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wHour : -1;
}

int CHighTime::GetMinute() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMinute : -1;
}

int CHighTime::GetSecond() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wSecond : -1;
}

int CHighTime::GetDayOfWeek() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : -1;
}

int CHighTime::GetMilliSecond() const
{
    return PartOf(m_liTime, SubSecondPart::Milli);
}

int CHighTime::GetMicroSecond() const
{
    return PartOf(m_liTime, SubSecondPart::Micro);
}

int CHighTime::GetNanoSecond() const
{
    return PartOf(m_liTime, SubSecondPart::Nano);
}

LONGLONG CHighTime::RoundTicks(LONGLONG ticks, LONGLONG unit)
{
    if (unit <= 0)
        return ticks;
    const LONGLONG r = ticks % unit;
    if (r < 0 || r < unit / 2)
        return ticks - r;
    LONGLONG rounded = 0;
    return AddTicks(ticks, unit - r, rounded) ? rounded : ticks - r;
}

CString CHighTime::Format(const char* format, bool round) const
{
    return FormatImpl(format, round, true);
}

CString CHighTime::FormatUTC(const char* format, bool round) const
{
    return FormatImpl(format, round, false);
}

CString CHighTime::FormatImpl(const char* format, bool round, bool local) const
{
    if (m_status == null)
        return CString();
    if (m_status == invalid)
        return CString("Invalid datetime");

    CString text(format);
    CHighTime time(*this);
    bool roundPending = round;
    for (const SSubSecondCode& code : kTimeCodes)
    {
        if (text.Find(code.code) < 0)
            continue;
        if (roundPending)
        {
            if (code.roundUnit != 0)
                time.m_liTime = RoundTicks(time.m_liTime, code.roundUnit);
            roundPending = false;
        }
        text.Replace(code.code, CString::Formatted(code.format, PartOf(time.m_liTime, code.part)));
    }
    if (roundPending)
        time.RoundToSecond();

    SYSTEMTIME st;
    if (!(local ? time.GetAsSystemTime(st) : time.GetAsUtcSystemTime(st)))
        return CString("Invalid datetime");
    CString result;
    if (!FormatBrokenDownTime(text, SystemTimeToTm(st), result))
    {
        LOG(INFO) << (local ? "CHighTime::Format" : "CHighTime::FormatUTC") << " fails for Format='"
                  << (format ? format : "") << "', Date=" << st.wYear << '-' << st.wMonth << '-' << st.wDay << ' '
                  << st.wHour << ':' << st.wMinute << ':' << st.wSecond;
        return CString();
    }
    return result;
}

CHighTime CHighTime::operator+(const CHighTimeSpan& span) const
{
    CHighTime result;
    result.m_status = HighTimeStatus(CombinedStatus(m_status, span.GetStatus()));
    if (result.m_status == valid && !AddTicks(m_liTime, span.GetTicks(), result.m_liTime))
        result = CHighTime(), result.m_status = invalid;
    return result;
}

CHighTime CHighTime::operator-(const CHighTimeSpan& span) const
{
    CHighTime result;
    result.m_status = HighTimeStatus(CombinedStatus(m_status, span.GetStatus()));
    if (result.m_status == valid && !SubtractTicks(m_liTime, span.GetTicks(), result.m_liTime))
        result = CHighTime(), result.m_status = invalid;
    return result;
}

CHighTimeSpan CHighTime::operator-(const CHighTime& other) const
{
    CHighTimeSpan result;
    result.SetStatus(CHighTimeSpan::HighTimeSpanStatus(CombinedStatus(m_status, other.m_status)));
    LONGLONG difference = 0;
    if (result.GetStatus() == CHighTimeSpan::valid)
    {
        if (SubtractTicks(m_liTime, other.m_liTime, difference))
            result = CHighTimeSpan(difference);
        else
            result.SetStatus(CHighTimeSpan::invalid);
    }
    return result;
}

CHighTime& CHighTime::operator+=(const CHighTimeSpan& span)
{
    return *this = *this + span;
}

CHighTime& CHighTime::operator-=(const CHighTimeSpan& span)
{
    return *this = *this - span;
}

// --- CHighTimeSpan ----------------------------------------------------------------------------

void CHighTimeSpan::SetDateTimeSpan(LONGLONG days, int hours, int minutes, int seconds, int ms, int us, int ns)
{
    // Nanoseconds to the nearest 100 ns, halves away from zero.
    const LONGLONG hundreds = ns >= 0 ? (LONGLONG(ns) + 50) / 100 : -((-LONGLONG(ns) + 50) / 100);
    LONGLONG ticks = 0;
    const bool overflow = __builtin_mul_overflow(days, kTicksPerDay, &ticks) ||
                          __builtin_add_overflow(ticks, hours * 36000000000LL, &ticks) ||
                          __builtin_add_overflow(ticks, minutes * 600000000LL, &ticks) ||
                          __builtin_add_overflow(ticks, seconds * kTicksPerSecond, &ticks) ||
                          __builtin_add_overflow(ticks, ms * kTicksPerMillisecond, &ticks) ||
                          __builtin_add_overflow(ticks, us * kTicksPerMicrosecond, &ticks) ||
                          __builtin_add_overflow(ticks, hundreds, &ticks);
    m_liSpan = overflow ? 0 : ticks;
    m_status = overflow ? invalid : valid;
}

int CHighTimeSpan::GetMilliSeconds() const
{
    return PartOf(m_liSpan, SubSecondPart::Milli);
}

int CHighTimeSpan::GetMicroSeconds() const
{
    return PartOf(m_liSpan, SubSecondPart::Micro);
}

int CHighTimeSpan::GetNanoSeconds() const
{
    return PartOf(m_liSpan, SubSecondPart::Nano);
}

// --- logger time fields -----------------------------------------------------------------------

CHighTime ConstructHighTimeFromTableTime(const void* field)
{
    CHighTime time;
    time.SetFromTableTime(field);
    return time;
}

void HighTimeToTableTime(const CHighTime& time, void* field)
{
    const auto bits = ULONGLONG(time.GetTicks());
    const DWORD words[2] = {DWORD(bits >> 32), DWORD(bits & 0xFFFFFFFFu)};
    std::memcpy(field, words, sizeof words);
}
