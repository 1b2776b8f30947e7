#pragma once
// Feeds chart channels from series of one time block: the block's points inside a window and one
// either side, every sample or, with a decimation step, each step's first, lowest, highest and
// last sample; a gap marker breaks the line. The series are read together, a run of records at a
// time, so that each record comes from memory once for all of them; a long feed is shared out
// over threads by stretches of its points.
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
    // Feeds every plot over at most `threads` threads, each taking stretches of the points, this
    // one the first (and the rest when no other thread can be had). The others only read the
    // series and the block into lists of points that this one hands to the plots after them; all
    // are done when it returns, and an exception one of them throws reaches the caller.
    void Run(std::size_t threads);
    // The lowest and highest finite value a plot fed every sample of the window from the series
    // would hold, without feeding it (its points refused by the plot left out); false for none.
    bool ValueRange(const ITrendChannelAccess& series, int recordCount, float& minimum, float& maximum) const;
    // The same in pieces, that threads may take side by side: the window's points cut into
    // `pieces` of about equal points. A plot refuses a point dated before the last it took, so
    // that a piece needs the latest finite date of the points before it (LatestDate of the pieces
    // before it, -infinity for the first); its lowest and highest value are left as they are
    // when it has none.
    double LatestDate(std::size_t piece, std::size_t pieces) const;
    void PieceValueRange(const ITrendChannelAccess& series, int recordCount, std::size_t piece, std::size_t pieces,
                         double lastDate, float& minimum, float& maximum) const;

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
    };
    // The step being gathered for one series: its first, lowest, highest and last sample.
    struct SBucket
    {
        SSample samples[4];
        int count = 0;
        long long index = 0;
    };
    // Where a stretch's points of one series go: to the plot, or to lists the plot takes later.
    struct SOutput
    {
        CPlotChannel* plot = nullptr;
        std::vector<double> dates;
        std::vector<float> values;

        void Add(const double* date, const float* value, std::size_t count);
        void Add(double date, float value);
    };

    // The points of a piece of ValueRange.
    std::span<const STrendTimePoint> Piece(std::size_t piece, std::size_t pieces) const;
    // The step of a point when decimating.
    long long StepOf(const STrendTimePoint& point) const;
    // Starts of up to `count` stretches of about equal points; decimating, each where a step starts.
    std::vector<const STrendTimePoint*> Stretches(std::size_t count) const;
    // The points first .. last of every series, a run of records at a time; `outputs` by series.
    void Feed(const STrendTimePoint* first, const STrendTimePoint* last, std::span<SOutput> outputs) const;
    // `steps`: the step of each point of the run (fed every sample: not read).
    void FeedRun(const SSeries& series, SBucket& bucket, SOutput& output, const STrendTimePoint* first,
                 const STrendTimePoint* last, int order, const float* values, int valuesFirst,
                 const long long* steps) const;
    static void Flush(SBucket& bucket, SOutput& output);

    const STrendTimePoint* m_first = nullptr;
    const STrendTimePoint* m_last = nullptr;
    double m_start;
    double m_step;
    bool m_everySample = true;
    std::vector<SSeries> m_series;
};
