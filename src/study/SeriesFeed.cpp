#include "study/SeriesFeed.h"

#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/chart/PlotChannel.h"
#include "study/WalkShares.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <future>
#include <limits>
#include <system_error>

namespace {

// Points fed per run: their records stay in the cache while every series reads them.
constexpr std::ptrdiff_t kRunPoints = 512;
// Fewer points are fed on this thread alone: starting threads would cost more than they save.
constexpr std::ptrdiff_t kSharedFeedPoints = 20000;

} // namespace

CSeriesFeed::CSeriesFeed(const CTrendTimeBlock& block, double windowStart, double windowEnd, double step)
    : m_start(windowStart), m_step(step)
{
    const std::vector<STrendTimePoint>& points = block.GetPoints();
    // From the last point before the window to the first one after it.
    auto first = std::lower_bound(points.begin(), points.end(), windowStart,
                                  [](const STrendTimePoint& p, double d) { return p.date < d; });
    auto last = std::upper_bound(points.begin(), points.end(), windowEnd,
                                 [](double d, const STrendTimePoint& p) { return d < p.date; });
    if (first != points.begin())
        --first;
    if (last != points.end())
        ++last;
    m_first = points.data() + (first - points.begin());
    m_last = points.data() + (last - points.begin());
    // Fewer samples than two per step: every one is fed.
    m_everySample = !(step > 0.0) || double(last - first) <= 2.0 * (windowEnd - windowStart) / step;
}

void CSeriesFeed::Add(CPlotChannel& plot, const ITrendChannelAccess& series, int recordCount)
{
    if (m_everySample)
        plot.Reserve(std::size_t(m_last - m_first));
    // A plot fed twice shows what it was fed last.
    const auto same = std::find_if(m_series.begin(), m_series.end(), [&](const SSeries& s) { return s.plot == &plot; });
    if (same != m_series.end())
        *same = {&plot, &series, recordCount};
    else
        m_series.push_back({&plot, &series, recordCount});
}

void CSeriesFeed::Run()
{
    Run(m_last - m_first >= kSharedFeedPoints ? MachineWalks() : 1);
}

void CSeriesFeed::Run(std::size_t threads)
{
    threads = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(m_series.size(), 1));
    // Series reading the same cache lines of a record go to the same thread, which then has each
    // line from memory once for all of them.
    std::vector<std::size_t> shares(m_series.size());
    if (threads > 1) {
        std::vector<SWalkReads> reads(m_series.size());
        for (std::size_t s = 0; s < m_series.size(); ++s)
            reads[s].Add(*m_series[s].access);
        shares = ShareOutWalks(reads, threads);
    }
    std::vector<std::vector<SSeries*>> fed(threads);
    for (std::size_t s = 0; s < m_series.size(); ++s)
        fed[shares[s]].push_back(&m_series[s]);
    // Destroyed before this returns, even by an exception: a future of std::async waits for its
    // thread, so no thread outlives the call.
    std::vector<std::future<void>> further;
    further.reserve(threads - 1);
    for (std::size_t t = 1; t < threads; ++t) {
        if (fed[t].empty())
            continue;
        try {
            further.push_back(std::async(std::launch::async, [this, share = std::span<SSeries* const>(fed[t])] { Feed(share); }));
        } catch (const std::system_error&) {
            Feed(fed[t]);
        }
    }
    Feed(fed.front());
    for (std::future<void>& thread : further)
        thread.get();
}

void CSeriesFeed::Feed(std::span<SSeries* const> fed) const
{
    std::vector<float> values;
    std::vector<long long> buckets;
    for (const STrendTimePoint* run = m_first; run != m_last;) {
        const STrendTimePoint* runEnd = run + std::min(kRunPoints, m_last - run);
        int low = INT_MAX, high = -1;
        for (const STrendTimePoint* p = run; p != runEnd; ++p)
            if (p->record >= 0) {
                low = std::min(low, p->record);
                high = std::max(high, p->record);
            }
        // Each point's step, the same for every series.
        if (!m_everySample) {
            buckets.resize(std::size_t(runEnd - run));
            for (const STrendTimePoint* p = run; p != runEnd; ++p)
                buckets[std::size_t(p - run)] = (long long)std::floor((p->date - m_start) / m_step);
        }
        const int order = int(run - m_first);
        for (SSeries* series : fed) {
            const int last = std::min(high, series->recordCount - 1);
            if (last >= low) {
                values.resize(std::size_t(last - low + 1));
                series->access->ReadValues(low, last - low + 1, values.data());
            }
            FeedRun(*series, run, runEnd, order, values.data(), low, buckets.data());
        }
        run = runEnd;
    }
    if (!m_everySample)
        for (SSeries* series : fed)
            Flush(*series);
}

bool CSeriesFeed::ValueRange(const ITrendChannelAccess& series, int recordCount, float& minimum, float& maximum) const
{
    std::vector<float> values;
    // Kept here, not in the caller's variables, which the stores of the loop would go through
    // (and which callers on other threads may keep side by side on one cache line).
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    // As the plot takes its points: a date that is not finite or before the last one taken is
    // refused, a gap is taken.
    double lastDate = -std::numeric_limits<double>::infinity();
    for (const STrendTimePoint* run = m_first; run != m_last;) {
        const STrendTimePoint* runEnd = run + std::min(kRunPoints, m_last - run);
        int first = INT_MAX, last = -1;
        for (const STrendTimePoint* p = run; p != runEnd; ++p)
            if (p->record >= 0) {
                first = std::min(first, p->record);
                last = std::max(last, p->record);
            }
        last = std::min(last, recordCount - 1);
        if (last >= first) {
            values.resize(std::size_t(last - first + 1));
            series.ReadValues(first, last - first + 1, values.data());
        }
        for (const STrendTimePoint* p = run; p != runEnd; ++p) {
            if (!std::isfinite(p->date) || p->date < lastDate)
                continue;
            lastDate = p->date;
            if (p->record < 0 || p->record >= recordCount)
                continue;
            const float value = values[std::size_t(p->record - first)];
            if (!std::isfinite(value))
                continue;
            low = std::min(low, value);
            high = std::max(high, value);
        }
        run = runEnd;
    }
    if (!(low <= high))
        return false;
    minimum = low;
    maximum = high;
    return true;
}

void CSeriesFeed::FeedRun(SSeries& series, const STrendTimePoint* first, const STrendTimePoint* last, int order,
                          const float* values, int valuesFirst, const long long* buckets) const
{
    CPlotChannel& plot = *series.plot;
    if (m_everySample) {
        // The run's points go to the plot together; a gap is a point without a value.
        std::array<double, kRunPoints> dates;
        std::array<float, kRunPoints> samples;
        std::size_t count = 0;
        for (const STrendTimePoint* p = first; p != last; ++p, ++count) {
            const bool gap = p->record < 0 || p->record >= series.recordCount;
            dates[count] = p->date;
            samples[count] = gap ? std::numeric_limits<float>::quiet_NaN() : values[p->record - valuesFirst];
        }
        plot.AddPoints(dates.data(), samples.data(), count);
        return;
    }
    const auto valueAt = [&](const STrendTimePoint* p) { return values[p->record - valuesFirst]; };
    const auto sampleAt = [&](const STrendTimePoint* p) {
        return SSample{p->date, valueAt(p), order + int(p - first)};
    };
    for (const STrendTimePoint* p = first; p != last;) {
        const bool gap = p->record < 0 || p->record >= series.recordCount;
        // One bucket per step; a gap closes the bucket so that the line breaks where it did.
        if (gap) {
            Flush(series);
            plot.AddGap(p->date);
            ++p;
            continue;
        }
        // The points of this step up to a gap, taken together: their lowest and highest by
        // index, as one after the other would replace them.
        const long long index = buckets[p - first];
        const STrendTimePoint* end = p + 1;
        while (end != last && buckets[end - first] == index && end->record >= 0 && end->record < series.recordCount)
            ++end;
        if (series.bucketCount > 0 && index != series.bucketIndex)
            Flush(series);
        SSample* bucket = series.bucket;
        const STrendTimePoint* from = p;
        if (series.bucketCount == 0) {
            series.bucketIndex = index;
            bucket[0] = bucket[1] = bucket[2] = bucket[3] = sampleAt(p);
            series.bucketCount = 4;
            ++from;
        }
        // A value that is not finite is kept as the bucket's lowest and highest alike.
        const STrendTimePoint* lowest = nullptr;
        const STrendTimePoint* highest = nullptr;
        float low = bucket[1].value, high = bucket[2].value;
        for (const STrendTimePoint* q = from; q != end; ++q) {
            const float value = valueAt(q);
            if (!(value >= low)) {
                low = value;
                lowest = q;
            }
            if (!(value <= high)) {
                high = value;
                highest = q;
            }
        }
        if (lowest)
            bucket[1] = sampleAt(lowest);
        if (highest)
            bucket[2] = sampleAt(highest);
        if (from != end)
            bucket[3] = sampleAt(end - 1);
        p = end;
    }
}

// The bucket's samples in their own order, each once.
void CSeriesFeed::Flush(SSeries& series)
{
    if (series.bucketCount == 0)
        return;
    SSample* bucket = series.bucket;
    std::sort(bucket, bucket + series.bucketCount, [](const SSample& a, const SSample& b) { return a.order < b.order; });
    for (int i = 0; i < series.bucketCount; ++i)
        if (i == 0 || bucket[i].order != bucket[i - 1].order)
            series.plot->AddXY(bucket[i].date, bucket[i].value);
    series.bucketCount = 0;
}
