#pragma once
// CHighTime and the OLE DATE values of the charting control (CHighTime::GetAsDate and
// CHighTime::FromDate). Both directions use one constant, so a time converted to a chart value
// and back is unchanged but for rounding to 1 us.
#include "datamodel/HighTime.h"

// 100-ns units since 1601-01-01 UTC of the chart's day 0 (one hour before 1899-12-30 00:00).
inline constexpr LONGLONG kOleDateOriginTicks = 94353084000000000LL;
