#include "study/XAxisTimeLabels.h"

#include "datamodel/HighTime.h"
#include "platform/chart/PlotAxis.h"

#include <glog/logging.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

constexpr double kSecond = 1.0 / 86400.0;
constexpr double kMillisecond = kSecond / 1000.0;
constexpr int kMaxHalfSteps = 100;

constexpr std::array<double, 29> kSteps = {
    1 * kSecond,    2 * kSecond,    5 * kSecond,     10 * kSecond,    20 * kSecond,    30 * kSecond,
    60 * kSecond,   120 * kSecond,  300 * kSecond,   600 * kSecond,   1200 * kSecond,  1800 * kSecond,
    3600 * kSecond, 7200 * kSecond, 14400 * kSecond, 21600 * kSecond, 43200 * kSecond, 1.0,
    2.0,            5.0,            10.0,            20.0,            50.0,            100.0,
    200.0,          500.0,          1000.0,          2000.0,          5000.0};

bool InWindow(double date)
{
    return date >= kFirstLabelDate && date <= kLastLabelDate;
}

double ChooseStep(double raw)
{
    for (double step : kSteps)
        if (step >= raw * 0.99999)
            return step;
    return std::floor(raw);
}

// The broken-down fields as seconds of one calendar, whatever zone they were made in.
std::chrono::seconds CalendarSeconds(const SYSTEMTIME& t)
{
    using namespace std::chrono;
    const sys_days day{year{t.wYear} / month{unsigned(t.wMonth)} / std::chrono::day{unsigned(t.wDay)}};
    return duration_cast<seconds>(day.time_since_epoch()) + hours{t.wHour} + minutes{t.wMinute} + seconds{t.wSecond};
}

CString FormatDate(double date, const CString& format)
{
    // A tick computed a hair before its second must not show the second before.
    return CHighTime::FromDate(date).Format(format.GetString(), true);
}

} // namespace

double LocalTickOffset(double chartDate)
{
    const CHighTime time = CHighTime::FromDate(InWindow(chartDate) ? chartDate : kFirstLabelDate);
    SYSTEMTIME local, universal;
    if (!time.GetAsSystemTime(local) || !time.GetAsUtcSystemTime(universal))
        return -1.0 / 24.0;
    const double seconds = double((CalendarSeconds(local) - CalendarSeconds(universal)).count());
    return (seconds / 3600.0 - 1.0) / 24.0;
}

int BuildXAxisTimeLabels(CPlotXAxis& axis, const SXAxisLabelRequest& request)
{
    double minimum = axis.GetMin(), maximum = axis.GetMax();
    const bool neverSet = std::fabs(minimum) < 0.1 && std::fabs(maximum) < 0.1;
    if ((!InWindow(minimum) || !InWindow(maximum) || maximum < minimum) && !neverSet)
        LOG(INFO) << "CustomXAxis(dMin=" << minimum << ", dMax=" << maximum << ")";
    if (request.minimum >= 0.0)
        minimum = request.minimum;
    if (request.maximum >= 0.0)
        maximum = request.maximum;

    const double offset = LocalTickOffset(axis.GetMin());
    const double ratio = std::clamp((request.availableWidth + 10.0) / (request.labelWidth + 10.0), 2.0, 20.0);
    const double step = ChooseStep((maximum - minimum) / ratio);

    axis.SetCustomLabels(true);
    axis.ClearLabels();
    int ticks = 0;
    if (step > 0.0 && std::isfinite(step)) {
        double k = std::floor((offset + minimum) / (step / 2));
        double previous = -std::numeric_limits<double>::infinity();
        for (int walked = 0; walked < kMaxHalfSteps; ++walked, k += 1.0) {
            // Each tick takes the local offset at its own time: after a clock change the ticks
            // stay on round local times. A local time the change skips or repeats gives no
            // tick of its own.
            const double local = k * step / 2;
            double t = local - offset;
            for (int pass = 0; pass < 2 && InWindow(t); ++pass)
                t = local - LocalTickOffset(t);
            if (t < kFirstLabelDate || !(t > previous))
                continue;
            if (t > kLastLabelDate || t > maximum + kMillisecond)
                break;
            if (t < minimum - kMillisecond)
                continue;
            previous = t;
            const int half = int(std::fmod(std::fabs(k), 2.0));
            if (request.parity && *request.parity < 0)
                *request.parity = half;
            const int parity = request.parity ? *request.parity : 0;
            axis.AddLabel(t, half == parity ? FormatDate(t, request.timeFormat) : CString());
            ++ticks;
        }
    }
    if (ticks < 2) {
        axis.ClearLabels();
        ticks = 0;
        for (double end : {minimum, maximum})
            if (InWindow(end)) {
                axis.AddLabel(end, FormatDate(end, request.timeFormat));
                ++ticks;
            }
    }
    return ticks;
}
