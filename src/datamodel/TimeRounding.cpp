#include "datamodel/TimeRounding.h"

#include "datamodel/OleDate.h"

#include <chrono>
#include <cmath>

CHighTime FloorTimeToInterval(const CHighTime& time, int seconds)
{
    SYSTEMTIME local;
    if (seconds <= 0 || !time.GetAsSystemTime(local))
        return time;
    local.wMilliseconds = 0;
    if (seconds < 60)
    {
        local.wSecond = WORD(local.wSecond - local.wSecond % seconds);
    }
    else
    {
        local.wSecond = 0;
        const int minutes = seconds / 60;
        if (minutes < 60)
        {
            local.wMinute = WORD(local.wMinute - local.wMinute % minutes);
        }
        else
        {
            local.wMinute = 0;
            const int hours = minutes / 60;
            local.wHour = WORD(local.wHour - local.wHour % hours);
        }
    }
    return CHighTime::FromSystemTime(local);
}

CHighTime StepTimeOnFieldWrap(const CHighTime& oldTime, const CHighTime& pickedTime, const CHighTimeSpan& hourStep,
                              const CHighTimeSpan& minuteStep, const CHighTimeSpan& secondStep)
{
    constexpr LONGLONG kSecond = kTicksPerSecond;
    constexpr LONGLONG kMinute = 60 * kSecond;
    constexpr LONGLONG kHour = 60 * kMinute;

    CHighTime wholeSeconds = oldTime;
    wholeSeconds.SetTicks(oldTime.GetTicks() - oldTime.GetTicks() % kSecond);
    wholeSeconds.SetStatus(oldTime.GetStatus());
    const LONGLONG d = (pickedTime - wholeSeconds).GetTicks();

    if (d == -kSecond || d == 59 * kSecond)
        return oldTime - secondStep;
    if (d == kSecond || d == -59 * kSecond)
        return oldTime + secondStep;
    if (d == -kMinute || d == 59 * kMinute)
    {
        const CHighTime floored = FloorTimeToInterval(oldTime, 60);
        return floored.GetTicks() == oldTime.GetTicks() ? floored - minuteStep : floored;
    }
    if (d == kMinute || d == -59 * kMinute)
        return FloorTimeToInterval(oldTime, 60) + minuteStep;
    if (d == -kHour || d == 23 * kHour)
    {
        const CHighTime floored = FloorTimeToInterval(oldTime, 3600);
        return floored.GetTicks() == oldTime.GetTicks() ? floored - hourStep : floored;
    }
    if (d == kHour || d == -23 * kHour)
        return FloorTimeToInterval(oldTime, 3600) + hourStep;
    return pickedTime;
}

CHighTime AddLocalCalendarDays(const CHighTime& time, int days)
{
    using namespace std::chrono;
    SYSTEMTIME local{};
    CHighTime result;
    if (!time.GetAsSystemTime(local))
        return time + CHighTimeSpan(days, 0, 0, 0);
    const year_month_day date{sys_days{year{local.wYear} / month{local.wMonth} / day{local.wDay}} + std::chrono::days{days}};
    if (!result.SetDateTime(int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), local.wHour,
                            local.wMinute, local.wSecond, local.wMilliseconds))
        return time + CHighTimeSpan(days, 0, 0, 0);
    return result;
}

int CountLocalCalendarDays(double begin, double end)
{
    constexpr double kMillisecond = 1.1574074074074074e-8;
    const double days = std::round(end - begin);
    if (!(days >= 1.0 && days < 100000.0))
        return 0;
    const double later = AddLocalCalendarDays(CHighTime::FromDate(begin), int(days)).GetAsDate();
    return std::fabs(later - end) < kMillisecond ? int(days) : 0;
}
