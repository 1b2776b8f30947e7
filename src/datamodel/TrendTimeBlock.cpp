#include "datamodel/TrendTimeBlock.h"

#include <limits>

#include "datamodel/DataTable.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TimeRounding.h"
#include "datamodel/VarnError.h"

#include <glog/logging.h>

#include <new>

namespace
{
constexpr int kAllocationErrorCode = 46;
constexpr LONGLONG kTolerance = kTicksPerMillisecond;   // of FindRecordAt
constexpr LONGLONG kShortRecordMargin = 3000000;        // 0.3 s
constexpr LONGLONG kGapMarkerDelay = 500 * kTicksPerMillisecond;
// Records read ahead of the one whose times are taken, into the second-level cache: little is
// done per record, so that many must be on their way together (16 ahead into the first left the
// walk waiting on nearly every record).
constexpr std::size_t kReadAhead = 64;

// Ticks moved by a tolerance, held at the ends of the range instead of wrapping.
LONGLONG Shifted(LONGLONG ticks, LONGLONG by)
{
    LONGLONG result = 0;
    if (!__builtin_add_overflow(ticks, by, &result))
        return result;
    return by > 0 ? std::numeric_limits<LONGLONG>::max() : std::numeric_limits<LONGLONG>::min();
}

bool HasIntervalEnd(WORD tableType)
{
    return tableType == 15 || tableType == 61 || tableType == 64 || tableType == 65;
}

// The type a list of records holds: the one it was made for, else that of its first table.
WORD ListTableType(const CDataTable& records)
{
    const int listType = records.GetTableType();
    if (listType >= 0)
        return WORD(listType);
    return records.IsEmpty() ? 0 : records.GetHead()->table_type;
}

bool IsDemandTable(WORD tableType)
{
    return tableType == 61 || tableType == 65;
}

// Intervals come from the file; one that does not fit is treated as no interval.
int FittingInterval(LONGLONG seconds)
{
    return seconds > 0 && seconds <= 0x7FFFFFFF ? int(seconds) : 0;
}

LONGLONG ConfiguredInterval(const CMeasurementConfig& config, bool demand)
{
    return demand ? LONGLONG(config.GetDemandInterval()) : LONGLONG(config.GetAveragingInterval());
}
} // namespace

CTrendTimeBlock::CTrendTimeBlock(const CDataSet* dataSet, const CDataTable* records, const CMeasurementConfig* config)
    : m_dataSet(dataSet), m_records(records), m_config(config)
{
    if (records)
        m_tableType = ListTableType(*records);
    m_spec.demand = IsDemandTable(m_tableType) ? 1 : 0;
    if (config)
        SetInterval(ConfiguredInterval(*config, m_spec.demand != 0));
    if (!records)
        return;
    m_firstTime = records->GetHeadTime();
    m_lastTime = records->GetTailEndTime();
    try
    {
        m_recordCount = records->GetCount();
        const auto count = std::size_t(m_recordCount);
        m_beginTimes.reserve(count);
        m_endTimes.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
        {
            // Records lie a table's length apart, each in memory of its own: the ones ahead are
            // fetched while this one is read.
            if (i + kReadAhead < count)
                __builtin_prefetch(records->GetRecordBytes(i + kReadAhead), 0, 1);
            const auto* table = reinterpret_cast<const Umbo_table_header_t*>(records->GetRecordBytes(i));
            m_beginTimes.push_back(ConstructHighTimeFromTableTime(table->time_stamp));
            // Record copies always reach past the interval-end field.
            m_endTimes.push_back(HasIntervalEnd(table->table_type)
                                     ? ConstructHighTimeFromTableTime(reinterpret_cast<const BYTE*>(table) + 12)
                                     : CHighTime());
        }
        BuildPoints();
    }
    catch (const std::bad_alloc&)
    {
        ReportAllocationFailure();
    }
}

CTrendTimeBlock::CTrendTimeBlock(const CTrendTimeBlock& base, DWORD multiple)
    : m_dataSet(base.m_dataSet), m_tableType(base.m_tableType), m_config(base.m_config), m_timeMode(base.m_timeMode)
{
    const int m = multiple < 1 ? 1 : int(multiple);
    m_spec.demand = base.m_spec.demand;
    m_spec.multiple = base.m_spec.multiple * DWORD(m);
    SetInterval(LONGLONG(base.m_intervalSeconds) * m);
    try
    {
        GroupRecords(base, m);
        BuildPoints();
    }
    catch (const std::bad_alloc&)
    {
        ReportAllocationFailure();
    }
}

void CTrendTimeBlock::SetInterval(LONGLONG seconds)
{
    m_intervalSeconds = FittingInterval(seconds);
    m_interval = CHighTimeSpan(LONGLONG(m_intervalSeconds) * kTicksPerSecond);
    m_shortLimit = CHighTimeSpan(m_interval.GetTicks() - kShortRecordMargin);
}

void CTrendTimeBlock::ReportAllocationFailure()
{
    LOG(INFO) << "CTrendTimeBlock: out of memory for " << m_recordCount << " records";
    m_recordCount = 0;
    m_beginTimes = {};
    m_endTimes = {};
    m_points = {};
    m_groups = {};
    ShowVarnError(kAllocationErrorCode);
}

void CTrendTimeBlock::GroupRecords(const CTrendTimeBlock& base, int multiple)
{
    const int n = base.m_recordCount;
    m_groups.reserve(std::size_t(n));
    const CHighTimeSpan interval = m_interval;
    auto groupEndFrom = [&](int record) {
        const CHighTime begin = base.m_beginTimes[std::size_t(record)];
        const CHighTime end = base.m_endTimes[std::size_t(record)];
        const CHighTime middle = begin + CHighTimeSpan((end - begin).GetTicks() / 2);
        return AlignTime(middle) + interval;
    };

    int k = 0;
    CHighTime groupEnd = n > 0 ? groupEndFrom(0) : CHighTime();
    while (k < n)
    {
        const int first = k++;
        while (k < n && base.m_endTimes[std::size_t(k)] <= groupEnd)
            ++k;
        const int last = k - 1;
        // Only complete groups are kept; an incomplete one is overwritten by the next.
        if (last - first + 1 == multiple)
            m_groups.emplace_back(first, last);
        if (k >= n)
            break;
        if (base.m_endTimes[std::size_t(k)] <= groupEnd + interval)
            groupEnd += interval;
        else
            groupEnd = groupEndFrom(k);
    }

    m_recordCount = int(m_groups.size());
    m_beginTimes.reserve(m_groups.size());
    m_endTimes.reserve(m_groups.size());
    for (const Group& group : m_groups)
    {
        m_beginTimes.push_back(base.m_beginTimes[std::size_t(group.first)]);
        m_endTimes.push_back(base.m_endTimes[std::size_t(group.second)]);
    }
    if (m_recordCount > 0)
    {
        m_firstTime = m_beginTimes.front();
        m_lastTime = m_endTimes.back();
    }
}

void CTrendTimeBlock::BuildPoints()
{
    // One point per record and two more per gap.
    std::size_t gaps = 0;
    for (int i = 1; i < m_recordCount; ++i)
        if (m_beginTimes[std::size_t(i)] > m_endTimes[std::size_t(i - 1)])
            ++gaps;
    m_points.reserve(std::size_t(m_recordCount) + 2 * gaps);
    for (int i = 0; i < m_recordCount; ++i)
    {
        const CHighTime& begin = m_beginTimes[std::size_t(i)];
        if (i > 0)
        {
            const CHighTime& previousEnd = m_endTimes[std::size_t(i - 1)];
            if (begin > previousEnd)
            {
                const CHighTime marker = previousEnd + CHighTimeSpan(kGapMarkerDelay);
                m_points.push_back({previousEnd.GetAsDate(), i - 1});
                m_points.push_back({marker.GetAsDate(), -1});
            }
        }
        m_points.push_back({begin.GetAsDate(), i});
    }
}

const CHighTime& CTrendTimeBlock::GetBeginTime(int i) const
{
    return i >= 0 && i < m_recordCount ? m_beginTimes[std::size_t(i)] : m_nullTime;
}

const CHighTime& CTrendTimeBlock::GetEndTime(int i) const
{
    return i >= 0 && i < m_recordCount ? m_endTimes[std::size_t(i)] : m_nullTime;
}

const CHighTime& CTrendTimeBlock::GetTime(int i) const
{
    return m_timeMode == 1 ? GetEndTime(i) : GetBeginTime(i);
}

int CTrendTimeBlock::FindRecordAt(const CHighTime& time) const
{
    if (m_recordCount == 0)
        return -1;
    const LONGLONG t = time.GetTicks();
    auto begin = [&](int i) { return m_beginTimes[std::size_t(i)].GetTicks(); };
    auto end = [&](int i) { return m_endTimes[std::size_t(i)].GetTicks(); };

    int lo = 0;
    int hi = m_recordCount - 1;
    while (hi - lo > 1)
    {
        const int mid = (lo + hi) / 2;
        if (begin(mid) <= t)
            lo = mid;
        else
            hi = mid;
    }
    int i = lo;
    if (begin(hi) <= t || begin(hi) / kTicksPerMillisecond <= Shifted(t, 10) / kTicksPerMillisecond)
        i = hi;

    if (t >= Shifted(begin(i), -kTolerance))
    {
        if (t <= Shifted(end(i), -kTolerance))
            return i;
        if (i + 1 < m_recordCount && t > Shifted(begin(i + 1), -kTolerance))
            return i + 1;
        return t > Shifted(end(i), kTolerance) ? -1 : i;
    }
    return i > 0 && t < Shifted(end(i - 1), kTolerance) ? i - 1 : -1;
}

int CTrendTimeBlock::CountMissingIntervals(int i, int j) const
{
    if (i < 0 || j < 0 || i >= m_recordCount || j >= m_recordCount)
        return 0;
    if (m_missingRange != std::pair(i, j)) {
        m_missingInRange = MissingBetween(GetTime(i), GetTime(j), j - i, m_intervalSeconds);
        m_missingRange = {i, j};
    }
    return m_missingInRange;
}

int CTrendTimeBlock::MissingBetween(const CHighTime& first, const CHighTime& last, int steps, int intervalSeconds)
{
    const LONGLONG intervalTicks = LONGLONG(intervalSeconds) * kTicksPerSecond;
    if (intervalTicks <= 0)
        return 0;
    const LONGLONG distance =
        (FloorTimeToInterval(last, intervalSeconds) - FloorTimeToInterval(first, intervalSeconds)).GetTicks();
    const LONGLONG missing = distance / intervalTicks - steps;
    return missing > 0 ? int(missing) : 0;
}

std::pair<int, int> CTrendTimeBlock::CountListRecords(const CDataTable& records, const CMeasurementConfig& config)
{
    const int count = records.GetCount();
    if (count < 2)
        return {count, 0};
    // A raw block's record time is its begin time.
    const CHighTime last = ConstructHighTimeFromTableTime(records.GetAt(count - 1)->time_stamp);
    const int interval = FittingInterval(ConfiguredInterval(config, IsDemandTable(ListTableType(records))));
    return {count, MissingBetween(records.GetHeadTime(), last, count - 1, interval)};
}

CHighTime CTrendTimeBlock::AlignTime(const CHighTime& time) const
{
    return FloorTimeToInterval(time, m_intervalSeconds);
}

double CTrendTimeBlock::GetDurationFraction(int i) const
{
    if (i < 0 || i >= m_recordCount)
        return 0.0;
    const CHighTimeSpan duration = m_endTimes[std::size_t(i)] - m_beginTimes[std::size_t(i)];
    if (duration >= m_shortLimit || m_intervalSeconds <= 0)
        return 1.0;
    return double(duration.GetTicks()) / (double(m_intervalSeconds) * double(kTicksPerSecond));
}
