#include "project/EnergyCostSchedule.h"

#include <ctime>

namespace
{
constexpr int kMinutesPerDay = 1440;
constexpr LONGLONG kTicksPerMinute = 60 * kTicksPerSecond;
const CHighTimeSpan kOneDay(kTicksPerDay);

CHighTimeSpan MinuteSpan(int minute)
{
    return CHighTimeSpan(LONGLONG(minute) * kTicksPerMinute);
}

// The moment the local clock shows `seconds` after midnight of the local date moved by dayDelta
// days; the time-zone rules decide daylight saving, as the standard local-time conversion does.
// The calendar fields are normalised first: the C library decides daylight saving before it
// carries out-of-range fields, which would put a time late in a changeover day an hour off.
bool LocalTimeOnDay(const SYSTEMTIME& date, int dayDelta, LONGLONG seconds, CHighTime& result)
{
    std::tm parts{};
    parts.tm_year = date.wYear - 1900;
    parts.tm_mon = date.wMonth - 1;
    parts.tm_mday = date.wDay + dayDelta + int(seconds / kSecondsPerDay);
    if (timegm(&parts) == std::time_t(-1))
        return false;
    seconds %= kSecondsPerDay;
    parts.tm_hour = int(seconds / 3600);
    parts.tm_min = int(seconds / 60 % 60);
    parts.tm_sec = int(seconds % 60);
    parts.tm_isdst = -1;
    const std::time_t t = std::mktime(&parts);
    if (t == std::time_t(-1))
        return false;
    result = CHighTime(kFileTimeUnixEpoch + LONGLONG(t) * kTicksPerSecond);
    return true;
}

LONGLONG SecondsOfDay(const SYSTEMTIME& local)
{
    return LONGLONG(local.wHour) * 3600 + local.wMinute * 60 + local.wSecond;
}
} // namespace

CEnergyCostSchedule::CEnergyCostSchedule(const CEnergyCosts& costs)
{
    m_fallbackSegment = {costs.GetCostFwd(), costs.GetCostRev(), CHighTimeSpan(), kOneDay};
    if (!costs.IsEnabled())
    {
        m_fallbackSegment.costFwd = m_fallbackSegment.costRev = 0.0f;
        Enter(0, kMinutesPerDay, 0.0f, 0.0f);
        return;
    }
    Enter(0, kMinutesPerDay, costs.GetCostFwd(), costs.GetCostRev());
    for (int r = 0; r < costs.GetRatioCount(); ++r)
    {
        const SRatioData& ratio = costs.GetRatio(r);
        for (const SRatioInterval& interval : ratio.intervals)
        {
            if (interval.start <= interval.end)
            {
                Enter(interval.start, interval.end, ratio.costFwd, ratio.costRev);
            }
            else
            {
                Enter(interval.start, kMinutesPerDay, ratio.costFwd, ratio.costRev);
                Enter(0, interval.end, ratio.costFwd, ratio.costRev);
            }
        }
    }
}

// A later entry overrides the parts of the day it covers.
void CEnergyCostSchedule::Enter(int startMinute, int endMinute, float fwd, float rev)
{
    if (startMinute == endMinute)
        return;
    const CHighTimeSpan start = MinuteSpan(startMinute);
    const CHighTimeSpan end = MinuteSpan(endMinute);
    const SEnergyCostSegment entered{fwd, rev, start, end};
    if (m_segments.empty())
    {
        m_segments.push_back(entered);
        return;
    }
    std::size_t i = 0;
    while (i < m_segments.size() && m_segments[i].end <= start)
        ++i;
    std::ptrdiff_t j = std::ptrdiff_t(m_segments.size()) - 1;
    while (j >= 0 && m_segments[std::size_t(j)].begin >= end)
        --j;

    std::vector<SEnergyCostSegment> replacement;
    if (i < m_segments.size() && m_segments[i].begin < start)
        replacement.push_back({m_segments[i].costFwd, m_segments[i].costRev, m_segments[i].begin, start});
    replacement.push_back(entered);
    if (j >= 0 && m_segments[std::size_t(j)].end > end)
    {
        const SEnergyCostSegment& last = m_segments[std::size_t(j)];
        replacement.push_back({last.costFwd, last.costRev, end, last.end});
    }
    const auto first = m_segments.begin() + std::ptrdiff_t(i);
    const auto past = j >= std::ptrdiff_t(i) ? m_segments.begin() + j + 1 : first;
    const auto at = m_segments.erase(first, past);
    m_segments.insert(at, replacement.begin(), replacement.end());
}

int CEnergyCostSchedule::FindSegment(const CHighTimeSpan& timeOfDay, int hint) const
{
    const int count = int(m_segments.size());
    int i = hint > 0 && hint < count && m_segments[std::size_t(hint)].begin <= timeOfDay ? hint : 0;
    while (i < count && m_segments[std::size_t(i)].end <= timeOfDay)
        ++i;
    return i < count ? i : -1;
}

const SEnergyCostSegment& CEnergyCostSchedule::Misfit()
{
    ++m_misfitCount;
    return m_fallbackSegment;
}

void CEnergyCostSchedule::SetDay(const CHighTime& begin, const SYSTEMTIME& local)
{
    LocalTimeOnDay(local, 0, 0, m_dayStart);
    if (!LocalTimeOnDay(local, 1, SecondsOfDay(local), m_nextDayStart))
        m_nextDayStart = CHighTime(begin.GetTicks() - begin.GetTicks() % kTicksPerSecond) + kOneDay;
    m_regularDay = (m_nextDayStart - m_dayStart).GetTicks() == kOneDay.GetTicks();
}

// The segment's end as an absolute time on begin's local day. Comparing clock times instead
// would let a time past midnight pass for a time of day inside the segment.
CHighTime CEnergyCostSchedule::SegmentEnd(const CHighTime& begin, const SYSTEMTIME& local,
                                          const SEnergyCostSegment& segment) const
{
    CHighTime end;
    return LocalTimeOnDay(local, 0, segment.end.GetTotalSeconds(), end) ? end : begin;
}

const SEnergyCostSegment& CEnergyCostSchedule::GetCostsAt(const CHighTime& begin, const CHighTime& end)
{
    if (m_segments.size() == 1)
        return m_segments.front();

    if (m_lastIndex != -1)
    {
        if (m_cachedBegin <= begin && begin < m_cachedEnd)
        {
            if (end > m_cachedEnd)
                ++m_misfitCount;
            return m_segments[std::size_t(m_lastIndex)];
        }
        if (m_regularDay && m_dayStart <= begin && begin < m_nextDayStart)
        {
            const int found = FindSegment(begin - m_dayStart, m_lastIndex + 1);
            if (found < 0)
                return Misfit();
            m_lastIndex = found;
            const SEnergyCostSegment& segment = m_segments[std::size_t(found)];
            m_cachedBegin = m_dayStart + segment.begin;
            m_cachedEnd = m_dayStart + segment.end;
            if (end > m_cachedEnd)
                ++m_misfitCount;
            return segment;
        }
    }

    SYSTEMTIME local;
    if (!begin.GetAsSystemTime(local))
        return Misfit();
    if (!(m_dayStart <= begin && begin < m_nextDayStart))
        SetDay(begin, local);

    const CHighTimeSpan timeOfDay(0, local.wHour, local.wMinute, local.wSecond, local.wMilliseconds);
    const int found = FindSegment(timeOfDay, m_lastIndex);
    if (found < 0)
        return Misfit();
    m_lastIndex = found;
    const SEnergyCostSegment& segment = m_segments[std::size_t(found)];
    if (m_regularDay)
    {
        m_cachedBegin = m_dayStart + segment.begin;
        m_cachedEnd = m_dayStart + segment.end;
    }
    else
    {
        m_cachedBegin = begin;
        m_cachedEnd = SegmentEnd(begin, local, segment);
    }
    if (end > m_cachedEnd)
        ++m_misfitCount;
    return segment;
}
