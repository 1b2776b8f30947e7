#include "platform/chart/PlotAxis.h"
#include "platform/framework/LocaleNumber.h"

#include <array>
#include <cmath>

namespace {

constexpr double kSecond = 1.0 / 86400.0;

// Steps of plain date labels, in days.
constexpr std::array<double, 20> kDateSteps = {
    kSecond,         2 * kSecond,      5 * kSecond,      10 * kSecond,     30 * kSecond,
    60 * kSecond,    120 * kSecond,    300 * kSecond,    600 * kSecond,    1800 * kSecond,
    3600 * kSecond,  7200 * kSecond,   14400 * kSecond,  21600 * kSecond,  43200 * kSecond,
    1.0,             2.0,              7.0,              30.0,             365.0};

double NiceStep(double raw)
{
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw)
            return m * magnitude;
    return 10.0 * magnitude;
}

double DateStep(double raw)
{
    for (double step : kDateSteps)
        if (step >= raw)
            return step;
    return 365.0 * NiceStep(raw / 365.0);
}

} // namespace

bool CPlotAxis::IsValidRange(double minimum, double span)
{
    return std::isfinite(minimum) && std::isfinite(span) && span > 0.0 && std::isfinite(minimum + span) &&
           minimum + span > minimum;
}

bool CPlotAxis::SetMinSpan(double minimum, double span)
{
    if (!IsValidRange(minimum, span))
        return false;
    m_min = minimum;
    m_span = span;
    return true;
}

CString CPlotAxis::FormatValue(double value) const
{
    return m_format ? m_format(value) : LocaleNumberText(value, SNumberLayout{}, CUserLocale::Current());
}

std::vector<SPlotAxisLabel> CPlotAxis::VisibleTicks(int length, int minSpacing, bool dates) const
{
    if (m_customLabels) {
        std::vector<SPlotAxisLabel> inside;
        for (const auto& label : m_labels)
            if (label.value >= m_min - m_span * 1e-9 && label.value <= GetMax() + m_span * 1e-9)
                inside.push_back(label);
        return inside;
    }
    std::vector<SPlotAxisLabel> ticks;
    if (length <= 0 || minSpacing <= 0)
        return ticks;
    const double raw = m_span * minSpacing / length;
    const double step = dates ? DateStep(raw) : NiceStep(raw);
    for (double k = std::ceil(m_min / step); k * step <= GetMax() + step * 1e-9 && ticks.size() < 1000; k += 1.0) {
        const double value = std::fabs(k * step) < step * 1e-9 ? 0.0 : k * step;
        ticks.push_back({value, FormatValue(value)});
    }
    return ticks;
}
