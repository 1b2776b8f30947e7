#include "datamodel/SeriesMinMax.h"

#include <algorithm>
#include <array>
#include <cmath>

void ScanSeriesMinMax(const ITrendChannelAccess& series, int count, float& minimum, float& maximum)
{
    std::array<float, 256> values;
    for (int first = 0; first < count; first += int(values.size())) {
        const int run = std::min(count - first, int(values.size()));
        series.ReadValues(first, run, values.data());
        for (int i = 0; i < run; ++i) {
            const float v = values[std::size_t(i)];
            if (!std::isfinite(v))
                continue;
            if (v < minimum)
                minimum = v;
            if (v > maximum)
                maximum = v;
        }
    }
}
