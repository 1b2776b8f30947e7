#pragma once
// Feeds chart channels from series of one time block: the block's points inside a window and one
// either side, every sample or, with a decimation step, each step's first, lowest, highest and
// last sample; a gap marker breaks the line. The series are read together, a run of records at a
// time, so that each record comes from memory once for all of them; a long feed shares its series
// out over threads, those reading the same cache lines of the records together.
#include <cstddef>
#include <span>
#include <vector>

class CPlotChannel;
class CTrendTimeBlock;
class ITrendChannelAccess;
struct STrendTimePoint;

class CSeriesFeed
{
public:
    // Window and step in chart days; a step of 0 feeds every sample.
    CSeriesFeed(const CTrendTimeBlock& block, double windowStart, double windowEnd, double step);

    // The series has values for records 0 .. recordCount - 1; the plot, cleared by the caller, is
    // filled by Run().
    void Add(CPlotChannel& plot, const ITrendChannelAccess& series, int recordCount);
    // Feeds every plot; a long feed over as many threads as the machine walks records with.
    void Run();
    // Feeds every plot over at most `threads` threads, this one among them (on this one alone
    // when no other can be had). Each plot is fed by one thread, the others only read the series
    // and the block; all are done when it returns, and an exception one of them throws reaches
    // the caller.
    void Run(std::size_t threads);
    // The lowest and highest finite value a plot fed every sample of the window from the series
    // would hold, without feeding it (its points refused by the plot left out); false for none.
    bool ValueRange(const ITrendChannelAccess& series, int recordCount, float& minimum, float& maximum) const;

private:
    struct SSample
    {
        double date;
        float value;
        int order;
    };
    struct SSeries
    {
        CPlotChannel* plot;
        const ITrendChannelAccess* access;
        int recordCount;
        // The bucket being gathered: its first, lowest, highest and last sample.
        SSample bucket[4];
        int bucketCount = 0;
        long long bucketIndex = 0;
    };

    // The series of one thread, a run of records at a time.
    void Feed(std::span<SSeries* const> series) const;
    // `buckets`: the step of each point of the run (fed every sample: not read).
    void FeedRun(SSeries& series, const STrendTimePoint* first, const STrendTimePoint* last, int order,
                 const float* values, int valuesFirst, const long long* buckets) const;
    static void Flush(SSeries& series);

    const STrendTimePoint* m_first = nullptr;
    const STrendTimePoint* m_last = nullptr;
    double m_start;
    double m_step;
    bool m_everySample = true;
    std::vector<SSeries> m_series;
};
