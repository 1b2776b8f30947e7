#include "study/SeriesFeed.h"

#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/chart/PlotChannel.h"
#include "study/WalkThreads.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <limits>
#include <span>

namespace {

// Points fed per run: their records stay in the cache while every series reads them.
constexpr std::ptrdiff_t kRunPoints = 512;
// Fewer points are fed on this thread alone: starting threads would cost more than they save.
constexpr std::ptrdiff_t kSharedFeedPoints = 20000;
constexpr std::size_t kStretchesPerThread = 4;

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
    if (m_series.empty())
        return;
    threads = std::max<std::size_t>(threads, 1);
    // More stretches than threads: on a busy machine a thread that waits long for the processor
    // leaves the stretches it has not taken to the others.
    const std::vector<const STrendTimePoint*> starts = Stretches(threads == 1 ? 1 : threads * kStretchesPerThread);
    const auto endOf = [&](std::size_t k) { return k + 1 < starts.size() ? starts[k + 1] : m_last; };
    // The first stretch goes straight to the plots, on this thread; the others into lists of their
    // own, taken in order by whichever thread is free.
    std::vector<SOutput> plots(m_series.size());
    for (std::size_t s = 0; s < m_series.size(); ++s)
        plots[s].plot = m_series[s].plot;
    std::vector<std::vector<SOutput>> later(starts.size() - 1, std::vector<SOutput>(m_series.size()));
    std::atomic<std::size_t> next{1};
    const auto feedLater = [&] {
        for (std::size_t k = next++; k < starts.size(); k = next++)
            Feed(starts[k], endOf(k), later[k - 1]);
    };
    RunWithWalkThreads(std::min(threads, starts.size()) - 1, feedLater, [&] {
        Feed(starts.front(), endOf(0), plots);
        feedLater();
    });
    for (const std::vector<SOutput>& stretch : later)
        for (std::size_t s = 0; s < m_series.size(); ++s)
            m_series[s].plot->AddPoints(stretch[s].dates.data(), stretch[s].values.data(), stretch[s].dates.size());
}

long long CSeriesFeed::StepOf(const STrendTimePoint& point) const
{
    return (long long)std::floor((point.date - m_start) / m_step);
}

std::vector<const STrendTimePoint*> CSeriesFeed::Stretches(std::size_t count) const
{
    std::vector<const STrendTimePoint*> starts{m_first};
    const std::ptrdiff_t points = m_last - m_first;
    count = std::clamp<std::size_t>(count, 1, std::size_t(std::max<std::ptrdiff_t>(points / kRunPoints, 1)));
    for (std::size_t k = 1; k < count; ++k) {
        const STrendTimePoint* start = std::max(m_first + points * std::ptrdiff_t(k) / std::ptrdiff_t(count), starts.back() + 1);
        // A step is gathered by one thread: a stretch starts where the step changes, so that
        // it starts with no step open, as one thread would at that point.
        if (!m_everySample)
            while (start != m_last && StepOf(start[0]) == StepOf(start[-1]))
                ++start;
        if (start == m_last)
            break;
        starts.push_back(start);
    }
    return starts;
}

void CSeriesFeed::Feed(const STrendTimePoint* first, const STrendTimePoint* last, std::span<SOutput> outputs) const
{
    std::vector<float> values;
    std::vector<long long> steps;
    std::vector<SBucket> buckets(m_series.size());
    if (m_everySample)
        for (SOutput& output : outputs)
            if (!output.plot) {
                output.dates.reserve(std::size_t(last - first));
                output.values.reserve(std::size_t(last - first));
            }
    for (const STrendTimePoint* run = first; run != last;) {
        const STrendTimePoint* runEnd = run + std::min(kRunPoints, last - run);
        int low = INT_MAX, high = -1;
        for (const STrendTimePoint* p = run; p != runEnd; ++p)
            if (p->record >= 0) {
                low = std::min(low, p->record);
                high = std::max(high, p->record);
            }
        // Each point's step, the same for every series.
        if (!m_everySample) {
            steps.resize(std::size_t(runEnd - run));
            for (const STrendTimePoint* p = run; p != runEnd; ++p)
                steps[std::size_t(p - run)] = StepOf(*p);
        }
        const int order = int(run - m_first);
        for (std::size_t s = 0; s < m_series.size(); ++s) {
            const SSeries& series = m_series[s];
            const int lastRecord = std::min(high, series.recordCount - 1);
            if (lastRecord >= low) {
                values.resize(std::size_t(lastRecord - low + 1));
                series.access->ReadValues(low, lastRecord - low + 1, values.data());
            }
            FeedRun(series, buckets[s], outputs[s], run, runEnd, order, values.data(), low, steps.data());
        }
        run = runEnd;
    }
    if (!m_everySample)
        for (std::size_t s = 0; s < m_series.size(); ++s)
            Flush(buckets[s], outputs[s]);
}

bool CSeriesFeed::ValueRange(const ITrendChannelAccess& series, int recordCount, float& minimum, float& maximum) const
{
    float low = std::numeric_limits<float>::infinity();
    float high = -std::numeric_limits<float>::infinity();
    PieceValueRange(series, recordCount, 0, 1, -std::numeric_limits<double>::infinity(), low, high);
    if (!(low <= high))
        return false;
    minimum = low;
    maximum = high;
    return true;
}

std::span<const STrendTimePoint> CSeriesFeed::Piece(std::size_t piece, std::size_t pieces) const
{
    const std::ptrdiff_t points = m_last - m_first;
    const auto at = [&](std::size_t k) { return m_first + points * std::ptrdiff_t(k) / std::ptrdiff_t(pieces); };
    return pieces == 0 || piece >= pieces ? std::span<const STrendTimePoint>{} : std::span(at(piece), at(piece + 1));
}

double CSeriesFeed::LatestDate(std::size_t piece, std::size_t pieces) const
{
    double latest = -std::numeric_limits<double>::infinity();
    for (const STrendTimePoint& p : Piece(piece, pieces))
        if (std::isfinite(p.date))
            latest = std::max(latest, p.date);
    return latest;
}

void CSeriesFeed::PieceValueRange(const ITrendChannelAccess& series, int recordCount, std::size_t piece,
                                  std::size_t pieces, double lastDate, float& minimum, float& maximum) const
{
    const std::span<const STrendTimePoint> points = Piece(piece, pieces);
    std::vector<float> values;
    // Kept here, not in the caller's variables, which the stores of the loop would go through
    // (and which callers on other threads may keep side by side on one cache line).
    float low = minimum;
    float high = maximum;
    for (const STrendTimePoint* run = points.data(); run != points.data() + points.size();) {
        const STrendTimePoint* runEnd = run + std::min(kRunPoints, points.data() + points.size() - run);
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
        // As the plot takes its points: a date that is not finite or before the last one taken is
        // refused, a gap is taken.
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
    minimum = low;
    maximum = high;
}

void CSeriesFeed::FeedRun(const SSeries& series, SBucket& bucket, SOutput& output, const STrendTimePoint* first,
                          const STrendTimePoint* last, int order, const float* values, int valuesFirst,
                          const long long* steps) const
{
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
        output.Add(dates.data(), samples.data(), count);
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
            Flush(bucket, output);
            output.Add(p->date, std::numeric_limits<float>::quiet_NaN());
            ++p;
            continue;
        }
        // The points of this step up to a gap, taken together: their lowest and highest by
        // index, as one after the other would replace them.
        const long long index = steps[p - first];
        const STrendTimePoint* end = p + 1;
        while (end != last && steps[end - first] == index && end->record >= 0 && end->record < series.recordCount)
            ++end;
        if (bucket.count > 0 && index != bucket.index)
            Flush(bucket, output);
        SSample* samples = bucket.samples;
        const STrendTimePoint* from = p;
        if (bucket.count == 0) {
            bucket.index = index;
            samples[0] = samples[1] = samples[2] = samples[3] = sampleAt(p);
            bucket.count = 4;
            ++from;
        }
        // A value that is not finite is kept as the bucket's lowest and highest alike.
        const STrendTimePoint* lowest = nullptr;
        const STrendTimePoint* highest = nullptr;
        float low = samples[1].value, high = samples[2].value;
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
            samples[1] = sampleAt(lowest);
        if (highest)
            samples[2] = sampleAt(highest);
        if (from != end)
            samples[3] = sampleAt(end - 1);
        p = end;
    }
}

// The bucket's samples in their own order, each once.
void CSeriesFeed::Flush(SBucket& bucket, SOutput& output)
{
    if (bucket.count == 0)
        return;
    SSample* samples = bucket.samples;
    std::sort(samples, samples + bucket.count, [](const SSample& a, const SSample& b) { return a.order < b.order; });
    for (int i = 0; i < bucket.count; ++i)
        if (i == 0 || samples[i].order != samples[i - 1].order)
            output.Add(samples[i].date, samples[i].value);
    bucket.count = 0;
}

void CSeriesFeed::SOutput::Add(const double* date, const float* value, std::size_t count)
{
    if (plot) {
        plot->AddPoints(date, value, count);
        return;
    }
    dates.insert(dates.end(), date, date + count);
    values.insert(values.end(), value, value + count);
}

// A point the plot takes as AddXY takes it: a gap without a value.
void CSeriesFeed::SOutput::Add(double date, float value)
{
    if (plot) {
        plot->AddXY(date, value);
        return;
    }
    dates.push_back(date);
    values.push_back(value);
}
