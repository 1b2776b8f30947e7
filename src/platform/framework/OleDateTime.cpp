#include "platform/framework/OleDateTime.h"

#include <cmath>

namespace
{
// Days from 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, long long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = (long long)yoe + era * 400 + (m <= 2);
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;

bool ToDate(const SYSTEMTIME& st, DATE& date)
{
    if (st.wYear < kMinYear || st.wYear > kMaxYear || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59)
        return false;
    const long long days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) - kOleEpochDays;
    const double fraction = (st.wHour * 3600.0 + st.wMinute * 60.0 + st.wSecond) / 86400.0;
    date = days >= 0 ? double(days) + fraction : double(days) - fraction;
    return true;
}

bool FromDate(DATE date, SYSTEMTIME& st)
{
    if (!std::isfinite(date) || std::fabs(date) > 3.0e6)
        return false;
    long long days = (long long)std::trunc(date);
    long long seconds = std::llround(std::fabs(date - double(days)) * 86400.0);
    if (seconds >= 86400)
    {
        seconds -= 86400;
        ++days;
    }
    long long y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days + kOleEpochDays, y, m, d);
    if (y < kMinYear || y > kMaxYear)
        return false;
    st.wYear = WORD(y);
    st.wMonth = WORD(m);
    st.wDay = WORD(d);
    st.wDayOfWeek = WORD(((days + kOleEpochDays) % 7 + 11) % 7);  // 1970-01-01 was a Thursday
    st.wHour = WORD(seconds / 3600);
    st.wMinute = WORD(seconds / 60 % 60);
    st.wSecond = WORD(seconds % 60);
    st.wMilliseconds = 0;
    return true;
}
} // namespace

COleDateTime::COleDateTime(const SYSTEMTIME& systemTime)
{
    COleDateTimeConvertSystemTime(systemTime, this);
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& systemTime) const
{
    return m_status == valid && FromDate(m_dt, systemTime);
}

bool COleDateTimeConvertSystemTime(const SYSTEMTIME& systemTime, COleDateTime* target)
{
    if (!target)
        return false;
    DATE date = 0.0;
    SYSTEMTIME back;
    if (ToDate(systemTime, date) && FromDate(date, back) && back.wYear == systemTime.wYear &&
        back.wMonth == systemTime.wMonth && back.wDay == systemTime.wDay && back.wHour == systemTime.wHour &&
        back.wMinute == systemTime.wMinute && back.wSecond == systemTime.wSecond)
    {
        target->m_dt = date;
        target->m_status = COleDateTime::valid;
        return true;
    }
    target->m_dt = 0.0;
    target->m_status = COleDateTime::invalid;
    return false;
}
