#include "datamodel/OleDate.h"

#include <cmath>

double CHighTime::GetAsDate() const
{
    LONGLONG sinceOrigin = 0;
    if (m_status != valid || __builtin_sub_overflow(m_liTime, kOleDateOriginTicks, &sinceOrigin))
        return 0.0;
    return double(sinceOrigin) / double(kTicksPerDay);
}

CHighTime CHighTime::FromDate(double date)
{
    const double ticks = std::trunc(date * -double(kTicksPerDay));
    // A chart value outside the 64-bit tick range (or not a number) is no time.
    if (!(std::fabs(ticks) < 9.0e18))
    {
        CHighTime invalid;
        invalid.SetStatus(CHighTime::invalid);
        return invalid;
    }
    CHighTime time(kOleDateOriginTicks - LONGLONG(ticks));
    time.RoundToMicrosecond();
    return time;
}
