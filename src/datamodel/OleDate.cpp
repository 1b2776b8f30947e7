#include "datamodel/OleDate.h"

#include <cmath>

double GetAsDate(const CHighTime& time)
{
    if (time.GetStatus() != CHighTime::valid)
        return 0.0;
    return double(time.GetTicks() - kOleDateOriginTicks) / double(kTicksPerDay);
}

CHighTime FromDate(double date)
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
