#pragma once
#include "datamodel/ITrendChannelAccess.h"

// Widens minimum .. maximum by the finite values of records 0 .. count - 1 of the series;
// values that are not finite are passed over.
void ScanSeriesMinMax(const ITrendChannelAccess& series, int count, float& minimum, float& maximum);
