#include "datamodel/SeriesMinMax.h"

#include <cmath>

void ScanSeriesMinMax(const ITrendChannelAccess& series, int count, float& minimum, float& maximum)
{
    for (int i = 0; i < count; ++i) {
        const float v = series.GetValue(i);
        if (!std::isfinite(v))
            continue;
        if (v < minimum)
            minimum = v;
        if (v > maximum)
            maximum = v;
    }
}
