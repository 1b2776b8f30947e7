#include "project/EnergyCostSchedule.h"

#include <array>
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

// Local calendar fields as one comparable key, seconds resolution.
std::array<int, 6> ClockKey(const std::tm& t)
{
    return {t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

bool ClockKeyAt(const CHighTime& t, std::array<int, 6>& key)
{
    SYSTEMTIME local;
    if (!t.GetAsSystemTime(local))
        return false;
    key = {local.wYear - 1900, local.wMonth - 1, local.wDay, local.wHour, local.wMinute, local.wSecond};
    return true;
}

// The first moment after `after` at which the local clock shows `seconds` past midnight of the
// date or later. A clock time that occurs twice counts at its first occurrence after `after`;
// one the clock skips (start of daylight saving) is reached at the changeover.
// The calendar fields of `seconds` past midnight of the date, the date carried when needed.
bool ClockTarget(const SYSTEMTIME& date, LONGLONG seconds, std::tm& target)
{
    target = std::tm{};
    target.tm_year = date.wYear - 1900;
    target.tm_mon = date.wMonth - 1;
    target.tm_mday = date.wDay + int(seconds / kSecondsPerDay);
    if (timegm(&target) == std::time_t(-1))
        return false;
    seconds %= kSecondsPerDay;
    target.tm_hour = int(seconds / 3600);
    target.tm_min = int(seconds / 60 % 60);
    target.tm_sec = int(seconds % 60);
    return true;
}

// Local clock minus UTC at t, in seconds.
bool UtcOffsetAt(const CHighTime& t, LONGLONG& offset)
{
    std::array<int, 6> key{};
    if (!ClockKeyAt(t, key))
        return false;
    std::tm parts{};
    parts.tm_year = key[0];
    parts.tm_mon = key[1];
    parts.tm_mday = key[2];
    parts.tm_hour = key[3];
    parts.tm_min = key[4];
    parts.tm_sec = key[5];
    offset = LONGLONG(timegm(&parts)) - (t.GetTicks() - kFileTimeUnixEpoch) / kTicksPerSecond;
    return true;
}

// The moment in (from, to] at which the clock is set back (end of daylight saving); false
// when it is not set back in between.
bool ClockSetBackBetween(const CHighTime& from, const CHighTime& to, CHighTime& result)
{
    LONGLONG before = 0, after = 0;
    if (!UtcOffsetAt(from, before) || !UtcOffsetAt(to, after) || after >= before)
        return false;
    LONGLONG low = from.GetTicks();
    LONGLONG high = to.GetTicks();
    while (high - low > kTicksPerSecond)
    {
        const LONGLONG middle = low + (high - low) / 2;
        LONGLONG offset = 0;
        if (!UtcOffsetAt(CHighTime(middle), offset))
            return false;
        (offset < before ? high : low) = middle;
    }
    result = CHighTime(high - high % kTicksPerSecond);
    return result > from;
}

bool FirstMomentAtClock(const SYSTEMTIME& date, LONGLONG seconds, const CHighTime& after, CHighTime& result)
{
    std::tm target{};
    if (!ClockTarget(date, seconds, target))
        return false;
    const std::array<int, 6> wanted = ClockKey(target);

    bool found = false;
    for (const int isDst : {0, 1})
    {
        std::tm parts = target;
        parts.tm_isdst = isDst;
        const std::time_t t = std::mktime(&parts);
        if (t == std::time_t(-1))
            continue;
        const CHighTime candidate(kFileTimeUnixEpoch + LONGLONG(t) * kTicksPerSecond);
        std::array<int, 6> shown{};
        if (candidate > after && ClockKeyAt(candidate, shown) && shown == wanted && (!found || candidate < result))
        {
            result = candidate;
            found = true;
        }
    }
    if (found)
        return true;

    // The clock skips the wanted time: search the changeover, where it first shows a later one.
    LONGLONG low = after.GetTicks() - after.GetTicks() % kTicksPerSecond;
    LONGLONG high = low + 2 * kTicksPerDay;
    std::array<int, 6> shown{};
    if (!ClockKeyAt(CHighTime(high), shown) || shown < wanted)
        return false;
    while (high - low > kTicksPerSecond)
    {
        const LONGLONG middle = low + (high - low) / kTicksPerSecond / 2 * kTicksPerSecond;
        if (!ClockKeyAt(CHighTime(middle), shown))
            return false;
        (shown < wanted ? low : high) = middle;
    }
    result = CHighTime(high);
    return true;
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
    m_dayBegins.clear();
    m_dayEnds.clear();
    if (m_regularDay && m_dayStart.GetStatus() == CHighTime::valid)
    {
        // Ticks added directly: a valid time plus a valid span that does not overflow is what
        // the time's addition gives, without its checks per segment of every day.
        const LONGLONG start = m_dayStart.GetTicks();
        for (const SEnergyCostSegment& segment : m_segments)
        {
            LONGLONG begin = 0;
            LONGLONG end = 0;
            if (segment.begin.GetStatus() != CHighTimeSpan::valid || segment.end.GetStatus() != CHighTimeSpan::valid ||
                __builtin_add_overflow(start, segment.begin.GetTicks(), &begin) ||
                __builtin_add_overflow(start, segment.end.GetTicks(), &end))
            {
                m_dayBegins.push_back(m_dayStart + segment.begin);
                m_dayEnds.push_back(m_dayStart + segment.end);
                continue;
            }
            m_dayBegins.emplace_back(begin);
            m_dayEnds.emplace_back(end);
        }
    }
}

// The segment's end as an absolute time on begin's local day. Comparing clock times instead
// would let a time past midnight pass for a time of day inside the segment.
CHighTime CEnergyCostSchedule::SegmentEnd(const CHighTime& begin, const SYSTEMTIME& local,
                                          const SEnergyCostSegment& segment) const
{
    CHighTime end;
    if (!FirstMomentAtClock(local, segment.end.GetTotalSeconds(), begin, end))
        return begin;
    // A clock set back before the end may show times before the segment's begin again.
    CHighTime setBack;
    std::tm segmentBegin{};
    std::array<int, 6> shown{};
    if (ClockSetBackBetween(begin, end, setBack) && ClockTarget(local, segment.begin.GetTotalSeconds(), segmentBegin) &&
        ClockKeyAt(setBack, shown) && shown < ClockKey(segmentBegin))
        return setBack;
    return end;
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

// The same answer as GetCostsAt's regular-day branch: the time of day compared as an absolute
// time, which is exact for valid times.
const SEnergyCostSegment* CEnergyCostSchedule::StepWithinDay(const CHighTime& begin, const CHighTime& end)
{
    if (m_lastIndex == -1 || m_dayEnds.empty() || begin.GetStatus() != CHighTime::valid ||
        (m_cachedBegin <= begin && begin < m_cachedEnd) || !(m_dayStart <= begin && begin < m_nextDayStart))
        return nullptr;
    const int count = int(m_segments.size());
    const int hint = m_lastIndex + 1;
    int i = hint > 0 && hint < count && m_dayBegins[std::size_t(hint)] <= begin ? hint : 0;
    while (i < count && m_dayEnds[std::size_t(i)] <= begin)
        ++i;
    if (i == count)
        return &Misfit();
    m_lastIndex = i;
    m_cachedBegin = m_dayBegins[std::size_t(i)];
    m_cachedEnd = m_dayEnds[std::size_t(i)];
    if (end > m_cachedEnd)
        ++m_misfitCount;
    return &m_segments[std::size_t(i)];
}

int CEnergyCostSchedule::GetCostsRun(const CHighTime* begins, const CHighTime* ends, int count,
                                     const SEnergyCostSegment*& segment)
{
    if (m_segments.size() == 1)
    {
        segment = &m_segments.front();
        return count;
    }
    segment = StepWithinDay(begins[0], ends[0]);
    if (!segment)
        segment = &GetCostsAt(begins[0], ends[0]);
    // A misfit leaves the cache on an older segment: its run is the one record.
    if (segment == &m_fallbackSegment)
        return 1;
    int n = 1;
    while (n < count && m_cachedBegin <= begins[n] && begins[n] < m_cachedEnd)
    {
        if (ends[n] > m_cachedEnd)
            ++m_misfitCount;
        ++n;
    }
    return n;
}
