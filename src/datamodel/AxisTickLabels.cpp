#include "datamodel/AxisTickLabels.h"

#include "datamodel/ValueFormatter.h"
#include "datamodel/PowerFactor.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace
{
constexpr int kMinimumTicks = 3;
// Tick indexes are counted exactly up to 2^53; far beyond any axis a view draws.
constexpr double kLargestTickIndex = 9007199254740992.0;
// More candidate ticks than this means a step far below the range the caller asked for.
constexpr double kMostCandidates = 100000.0;

struct SNiceStep
{
    double step;
    int exponent;
    double mantissa;
};

// The raw step range / n and its power of ten; fewer ticks are taken while the step needs more
// decimals than the display shows (down to three ticks).
SNiceStep ChooseRawStep(double range, int& tickCount, int decimals)
{
    // Every count above range x 10^decimals gives a step below what the display resolves, so
    // the loop below would only count those down one by one: skip them at once.
    const double resolvable = std::floor(range * std::pow(10.0, decimals));
    if (tickCount >= 4 && double(tickCount) > resolvable)
        tickCount = int(std::max(3.0, resolvable));
    for (;;) {
        SNiceStep s;
        s.step = range / tickCount;
        const double exponent = std::log10(s.step);
        s.exponent = int(std::trunc(exponent));
        if (exponent < 0.0)
            --s.exponent;
        s.mantissa = s.step / std::pow(10.0, s.exponent);
        if (decimals >= -s.exponent || tickCount < 4)
            return s;
        --tickCount;
    }
}

double RoundNiceStep(const SNiceStep& raw, double range, int tickCount)
{
    const double m = std::trunc(raw.mantissa);
    double base = m < 2.0 ? 1.0 : m < 5.0 ? 2.0 : 5.0;
    const double power = std::pow(10.0, raw.exponent);
    if (range / (power * base) > tickCount)
        base *= base == 2.0 ? 2.5 : 2.0;
    return power * base;
}
} // namespace

int BuildAxisTickLabels(const CValueFormatter& formatter, DWORD quantity, const SValueFormat& scale, double minimum,
                        double maximum, int tickCount, std::vector<SAxisTickLabel>& labels)
{
    const bool powerFactor = IsPowerFactorQuantity(int(quantity));
    const bool folded = IsFoldedPowerFactorQuantity(int(quantity));
    // Automatic decimals have no fixed step: label whole numbers.
    const int decimals = scale.decimals < 0 ? 0 : scale.decimals;
    const double divisor = scale.divisor;

    const double lo = minimum / divisor;
    const double hi = maximum / divisor;
    const double range = hi - lo;
    if (tickCount < 1 || !std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(range) || !(range > 0.0)
        || !std::isnormal(range / tickCount))
        return -1;

    int n = tickCount;
    const SNiceStep raw = ChooseRawStep(range, n, decimals);
    const double step = RoundNiceStep(raw, range, n);
    const double first = std::trunc(lo / step - 1.0);
    const double end = std::trunc(hi / step + 1.0);
    if (!(step > 0.0) || !std::isfinite(first) || !std::isfinite(end) || std::fabs(first) > kLargestTickIndex
        || std::fabs(end) > kLargestTickIndex || end - first > kMostCandidates)
        return -1;

    const double scaleUp = std::pow(10.0, decimals);
    std::map<double, CString> ticks;
    for (auto k = static_cast<long long>(first); double(k) < end; ++k) {
        double t = std::round(double(k) * scaleUp * step) / scaleUp;
        t += 0.0; // -0 becomes 0: no "-0" label
        const double position = t * divisor;
        if (!(minimum <= position && position <= maximum))
            continue;
        CString text;
        if (powerFactor && (t < -1.0 || t > 1.0))
            text.Empty();
        else if (folded)
            text = t == 0.0 ? CString("+/-1") : formatter.FormatFixed(FoldPowerFactor(float(t)) + 0.0, decimals);
        else
            text = formatter.FormatFixed(t, decimals);
        ticks[position] = text;
    }

    if (int(ticks.size()) < kMinimumTicks)
        return -1;
    labels.clear();
    for (const auto& [position, text] : ticks)
        labels.push_back({text, position});
    return 0;
}
