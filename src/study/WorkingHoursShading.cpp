#include "study/WorkingHoursShading.h"

#include "datamodel/HighTime.h"
#include "platform/chart/CiPlotX.h"

#include <cmath>

namespace {

// The local time of day of a chart date, as a fraction of a day: working hours are stored as
// dates of the first day of the calendar, built from local times.
double LocalDayFraction(double date)
{
    const CHighTime time = CHighTime::FromDate(date);
    const int hour = time.GetHour(), minute = time.GetMinute(), second = time.GetSecond();
    if (hour < 0)
        return 0.0;
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

// Local midnight of the day holding `time`.
CHighTime LocalMidnight(const CHighTime& time)
{
    return CHighTime(time.GetYear(), time.GetMonth(), time.GetDay(), 0, 0, 0);
}

CHighTime NextLocalMidnight(const CHighTime& midnight)
{
    return LocalMidnight(midnight + CHighTimeSpan(0, 36, 0, 0));
}

} // namespace

bool ShadeWorkingHours(CiPlotX& chart, int axis, const SWorkingHours& hours, bool clearOnly)
{
    chart.DeleteLabels(kWorkingHourAnnotation);
    chart.SetPlotBackground(CiPlotX::kDefaultBackground);
    const CPlotXAxis* x = chart.GetXAxis(axis);
    if (clearOnly || !hours.on || !x)
        return true;
    chart.SetPlotBackground(kOffHoursColor);
    const double first = std::trunc(x->GetMin()), last = std::trunc(x->GetMax());
    if (first > last)
        return false;
    if (first == 0.0 || last == 0.0)
        return true;
    const double start = LocalDayFraction(hours.start), span = LocalDayFraction(hours.span);
    const long extra = long(std::trunc(1.5 * (last + 1 - first)));
    // Whole local days, so that the rectangles sit on local working hours in every zone.
    CHighTime day = LocalMidnight(CHighTime::FromDate(x->GetMin()));
    for (long i = 0; i < extra; ++i)
        day = LocalMidnight(day - CHighTimeSpan(0, 12, 0, 0));
    const long days = (long(last - first) + 1) + 2 * extra + 1;
    for (long i = 0; i < days && day.GetYear() > 0; ++i, day = NextLocalMidnight(day)) {
        const int weekday = (day.GetDayOfWeek() + 5) % 7; // 1 Sunday .. 7 Saturday -> Monday 0
        if (!hours.days[std::size_t(weekday)])
            continue;
        const CHighTime from = day + CHighTimeSpan(LONGLONG(std::llround(start * 86400.0)) * kTicksPerSecond);
        const CHighTime to = from + CHighTimeSpan(LONGLONG(std::llround(span * 86400.0)) * kTicksPerSecond);
        SPlotLabel rectangle;
        rectangle.name = kWorkingHourAnnotation;
        rectangle.kind = EPlotLabelKind::Rectangle;
        rectangle.xAxisName = x->GetName();
        rectangle.x = from.GetAsDate();
        rectangle.x2 = to.GetAsDate();
        rectangle.fillColor = RGB(255, 255, 255);
        chart.AddLabel(rectangle);
    }
    return true;
}
