#pragma once
// The figures of the study tables over a run of records, folded in one walk or, for a run longer
// than a summary stretch, stretch by stretch, the stretches taken in turn by several threads and
// joined in record order: the figures are the same to the bit however many threads take part.
// Each thread reads whole records, a share of them: threads that each read some fields of every
// record would all wait on the same memory.
#include "study/FigureFold.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <vector>

class CFigureWalk
{
public:
    // As CFigureFold's: the summaries must outlive the walk.
    void Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary);
    int Read(const ITrendChannelAccess& series, int last);
    void AddProduct(int thd, int weight, int last, SDerivedSummary& summary);
    void AddMagnitude(int values, const std::array<int, 3>& phases, int last, SDerivedSummary& summary);
    void AddEffective(int apparent, const std::array<int, 6>& voltages, int last, SDerivedSummary& summary);
    void AddSigned(int min, int max, int avg, int last, SSeriesSummary& highest, SSeriesSummary& lowest);

    // Every figure over records first .. the last one any figure reaches, on this thread and up
    // to `threads` - 1 more (fewer when none can be had). The threads only read what the walk was
    // given; all are done when it returns, and an exception one of them throws reaches the caller.
    void Walk(int first, std::size_t threads);

private:
    // The figures of one stretch, in the order they were given.
    struct SFigures
    {
        std::vector<SSeriesSummary> series;
        std::vector<SDerivedSummary> derived;
    };
    // Gives a fold the figures as this walk was given them, into `figures`.
    using Replay = std::function<void(CFigureFold& fold, SFigures& figures)>;

    // Folds stretches, the next not yet taken from `next` each time, into `stretches`.
    void FoldStretches(int first, std::atomic<std::size_t>& next, std::vector<SFigures>& stretches) const;

    CFigureFold m_fold; // into the summaries given
    std::vector<Replay> m_replays;
    std::vector<SSeriesSummary*> m_series;
    std::vector<SDerivedSummary*> m_derived;
};
