#include "study/CalendarModel.h"

#include "datamodel/HighTime.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kOneMinute = 1.0 / 1440.0;
constexpr double kFloatRange = 3.4028234663852886e38;
constexpr LONGLONG kTicksPerHour = kTicksPerSecond * 3600;
// Hour bins whose local hours are worked out from the first of them.
constexpr int kSteadyHours = 24;

// How far into its local hour a time lies (0 without a local time).
LONGLONG TicksIntoLocalHour(const CHighTime& time)
{
    const int minute = time.GetMinute();
    if (minute < 0)
        return 0;
    return (LONGLONG(minute) * 60 + time.GetSecond()) * kTicksPerSecond + time.GetTicks() % kTicksPerSecond;
}

CHighTime LocalMidnight(const CHighTime& time)
{
    return CHighTime(time.GetYear(), time.GetMonth(), time.GetDay(), 0, 0, 0);
}

// Local midnight `days` calendar days away (days may be negative); the noon in between keeps
// the step right on days of 23 or 25 hours.
CHighTime MidnightDaysAway(const CHighTime& midnight, int days)
{
    CHighTime result = midnight;
    const int step = days < 0 ? -1 : 1;
    for (int i = 0; i != days; i += step)
        result = LocalMidnight(result + CHighTimeSpan(0, step < 0 ? -12 : 36, 0, 0));
    return result;
}

CHighTime AlignedStart(const CHighTime& start, int granularity)
{
    switch (granularity) {
    case kCalendarHour:
        return CHighTime(start.GetTicks() - TicksIntoLocalHour(start));
    case kCalendarDay:
        return LocalMidnight(start);
    default: {
        const int sinceMonday = (start.GetDayOfWeek() + 5) % 7;
        return MidnightDaysAway(LocalMidnight(start), -sinceMonday);
    }
    }
}

// The next local full hour, at most an hour on: a clock change of half an hour within the hour
// ends it there (the next bin runs from the change to the full hour), so that the bins after
// it start on the hour of the local clock again.
CHighTime HourBinEnd(const CHighTime& start)
{
    const CHighTime later(start.GetTicks() + kTicksPerHour);
    const LONGLONG intoHour = TicksIntoLocalHour(later);
    const CHighTime fullHour(later.GetTicks() - intoHour);
    return intoHour > 0 && fullHour > start && TicksIntoLocalHour(fullHour) == 0 ? fullHour : later;
}

CHighTime BinEnd(const CHighTime& start, int granularity)
{
    switch (granularity) {
    case kCalendarHour:
        return HourBinEnd(start);
    case kCalendarDay:
        return MidnightDaysAway(start, 1);
    default:
        return MidnightDaysAway(start, 7);
    }
}

} // namespace

const char* CalendarGranularityName(int granularity)
{
    static const char* const kNames[kCalendarGranularities] = {"HOUR", "DAY", "WEEK"};
    return granularity >= 0 && granularity < kCalendarGranularities ? kNames[granularity] : "";
}

void CCalendarSessionList::Clear()
{
    sessions.clear();
    ClearSelection();
}

const structCalendarBins* CCalendarSessionList::BinsOf(int session) const
{
    if (session < 0 || session >= int(sessions.size()) || granularity < 0 || granularity >= kCalendarGranularities)
        return nullptr;
    return sessions[std::size_t(session)]->bins[std::size_t(granularity)].get();
}

int CCalendarSessionList::FindSelection(int session, int bin) const
{
    for (int r = 0; r < 2; ++r)
        if (selections[std::size_t(r)].HasSession() && selections[std::size_t(r)].Holds(session, bin))
            return r;
    return -1;
}

int CCalendarSessionList::Select(const structCalendarSelection& cell)
{
    if (const int held = FindSelection(cell.session, cell.bin); held >= 0) {
        selections[std::size_t(held)] = cell;
        return held;
    }
    const int record = selections[0].HasSession() ? 1 : 0;
    selections[std::size_t(record)] = cell;
    return record;
}

void CCalendarSessionList::Deselect(int record)
{
    if (record == 0) {
        selections[0] = selections[1];
        selections[1] = {};
    } else if (record == 1) {
        selections[1] = {};
    }
}

int SteadyLocalStart(const CHighTime& first, int count)
{
    SYSTEMTIME start{};
    SYSTEMTIME end{};
    if (count < 1 || !first.GetAsSystemTime(start) ||
        !(first + CHighTimeSpan(0, count - 1, 0, 0)).GetAsSystemTime(end))
        return -1;
    const int from = start.wHour * 3600 + start.wMinute * 60 + start.wSecond;
    const int to = end.wHour * 3600 + end.wMinute * 60 + end.wSecond;
    const LONGLONG passed = ((to - from) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return passed == LONGLONG(count - 1) * 3600 % kSecondsPerDay ? from : -1;
}

std::vector<structCalendarBin> MakeCalendarBins(double axisMinimum, double axisMaximum, int granularity)
{
    std::vector<structCalendarBin> bins;
    const double start = axisMinimum;
    const double end = axisMaximum - kOneMinute;
    if (start == 0.0 || !(std::fabs(end - start) <= kFloatRange) || granularity < 0 ||
        granularity >= kCalendarGranularities)
        return bins;
    const CHighTime startTime = CHighTime::FromDate(start);
    if (startTime.GetStatus() != CHighTime::valid || startTime.GetYear() < 0)
        return bins;
    constexpr double kLengths[kCalendarGranularities] = {1.0 / 24.0, 1.0, 7.0};
    const double most = std::trunc((end - start) / kLengths[granularity] + 2.0);
    const int limit = int(std::clamp(most, 0.0, double(kCalendarBinLimit)));
    CHighTime binStart = AlignedStart(startTime, granularity);
    // A day of hours without a clock change, from a full hour, counts its local hours on from
    // the first, each an hour long.
    int steadyHours = 0;
    int steadyHour = 0;
    while (int(bins.size()) < limit) {
        if (granularity == kCalendarHour && steadyHours == 0) {
            if (const int local = SteadyLocalStart(binStart, kSteadyHours + 1); local >= 0 && local % 3600 == 0) {
                steadyHours = kSteadyHours;
                steadyHour = local / 3600;
            }
        }
        const CHighTime binEnd = steadyHours > 0 ? CHighTime(binStart.GetTicks() + kTicksPerHour) : BinEnd(binStart, granularity);
        structCalendarBin bin;
        bin.index = int(bins.size());
        bin.start = binStart.GetAsDate();
        bin.width = binEnd.GetAsDate() - bin.start;
        if (steadyHours > 0) {
            bin.hour = steadyHour;
            steadyHour = (steadyHour + 1) % 24;
            --steadyHours;
        } else if (granularity == kCalendarHour)
            bin.hour = binStart.GetHour();
        else
            bin.dayOfWeek = binStart.GetDayOfWeek();
        bins.push_back(bin);
        if (!(binEnd.GetAsDate() < end) || !(binEnd > binStart))
            break;
        binStart = binEnd;
    }
    return bins;
}

CString CalendarBinFileName(int session, int granularity, double start)
{
    const CHighTime time = CHighTime::FromDate(start);
    SYSTEMTIME utc{};
    CString name;
    if (!time.GetAsUtcSystemTime(utc) || utc.wYear < 1000 || utc.wYear > 9999 || session < 0 || session > 8) {
        const char* format = granularity == kCalendarHour ? "%Y%m%d_%H%M%S" : "%Y%m%d";
        name.Format("S%d_%s_%s.bmp", session + 1, CalendarGranularityName(granularity), time.FormatUTC(format).GetString());
        return name;
    }
    // Digit by digit: a year of hourly bins of four sessions names 35,000 files.
    char text[40];
    char* at = text;
    const auto put = [&at](unsigned value, int digits) {
        for (int d = digits - 1; d >= 0; --d, value /= 10)
            at[d] = char('0' + value % 10);
        at += digits;
    };
    *at++ = 'S';
    *at++ = char('1' + session);
    *at++ = '_';
    for (const char* part = CalendarGranularityName(granularity); *part; ++part)
        *at++ = *part;
    *at++ = '_';
    put(utc.wYear, 4);
    put(utc.wMonth, 2);
    put(utc.wDay, 2);
    if (granularity == kCalendarHour) {
        *at++ = '_';
        put(utc.wHour, 2);
        put(utc.wMinute, 2);
        put(utc.wSecond, 2);
    }
    for (const char* part = ".bmp"; *part; ++part)
        *at++ = *part;
    return CString(text, int(at - text));
}
