#include "datamodel/OleDate.h"

#include <cmath>

double CHighTime::GetAsDate() const
{
    if (m_status != valid)
        return 0.0;
    return double(m_liTime - kOleDateOriginTicks) / double(kTicksPerDay);
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
