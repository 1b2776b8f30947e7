#include "study/FigureWalk.h"

#include "study/WalkThreads.h"

#include <algorithm>

void CFigureWalk::Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary)
{
    const std::size_t k = m_series.size();
    m_series.push_back(&summary);
    m_fold.Summarise(series, last, summary);
    m_replays.push_back([&series, last, k](CFigureFold& fold, SFigures& figures) {
        fold.Summarise(series, last, figures.series[k]);
    });
}

int CFigureWalk::Read(const ITrendChannelAccess& series, int last)
{
    // Every fold given the same calls numbers its columns alike.
    m_replays.push_back([&series, last](CFigureFold& fold, SFigures&) { fold.Read(series, last); });
    return m_fold.Read(series, last);
}

void CFigureWalk::AddProduct(int thd, int weight, int last, SDerivedSummary& summary)
{
    const std::size_t k = m_derived.size();
    m_derived.push_back(&summary);
    m_fold.AddProduct(thd, weight, last, summary);
    m_replays.push_back([=](CFigureFold& fold, SFigures& figures) {
        fold.AddProduct(thd, weight, last, figures.derived[k]);
    });
}

void CFigureWalk::AddMagnitude(int values, const std::array<int, 3>& phases, int last, SDerivedSummary& summary)
{
    const std::size_t k = m_derived.size();
    m_derived.push_back(&summary);
    m_fold.AddMagnitude(values, phases, last, summary);
    m_replays.push_back([=](CFigureFold& fold, SFigures& figures) {
        fold.AddMagnitude(values, phases, last, figures.derived[k]);
    });
}

void CFigureWalk::AddEffective(int apparent, const std::array<int, 6>& voltages, int last, SDerivedSummary& summary)
{
    const std::size_t k = m_derived.size();
    m_derived.push_back(&summary);
    m_fold.AddEffective(apparent, voltages, last, summary);
    m_replays.push_back([=](CFigureFold& fold, SFigures& figures) {
        fold.AddEffective(apparent, voltages, last, figures.derived[k]);
    });
}

void CFigureWalk::AddSigned(int min, int max, int avg, int last, SSeriesSummary& highest, SSeriesSummary& lowest)
{
    const std::size_t k = m_series.size();
    m_series.push_back(&highest);
    m_series.push_back(&lowest);
    m_fold.AddSigned(min, max, avg, last, highest, lowest);
    m_replays.push_back([=](CFigureFold& fold, SFigures& figures) {
        fold.AddSigned(min, max, avg, last, figures.series[k], figures.series[k + 1]);
    });
}

void CFigureWalk::FoldStretches(int first, std::atomic<std::size_t>& next, std::vector<SFigures>& stretches) const
{
    SFigures figures{std::vector<SSeriesSummary>(m_series.size()), std::vector<SDerivedSummary>(m_derived.size())};
    CFigureFold fold;
    for (const Replay& replay : m_replays)
        replay(fold, figures);
    for (std::size_t s = next++; s < stretches.size(); s = next++) {
        std::fill(figures.series.begin(), figures.series.end(), SSeriesSummary{});
        std::fill(figures.derived.begin(), figures.derived.end(), SDerivedSummary{});
        const int stretchFirst = first + int(s) * kSummaryStretch;
        fold.Walk(stretchFirst, stretchFirst + kSummaryStretch - 1);
        stretches[s] = figures;
    }
}

void CFigureWalk::Walk(int first, std::size_t threads)
{
    const int last = m_fold.Last();
    if (last < first)
        return;
    const std::size_t count = std::size_t(last - first) / kSummaryStretch + 1;
    if (count == 1) {
        m_fold.Walk(first, last);
        return;
    }
    std::vector<SFigures> stretches(count);
    std::atomic<std::size_t> next = 0;
    const std::function<void()> fold = [&] { FoldStretches(first, next, stretches); };
    RunWithWalkThreads(std::clamp<std::size_t>(threads, 1, count) - 1, fold, fold);
    for (const SFigures& stretch : stretches) {
        for (std::size_t k = 0; k < m_series.size(); ++k)
            m_series[k]->Join(stretch.series[k]);
        for (std::size_t k = 0; k < m_derived.size(); ++k)
            m_derived[k]->Join(stretch.derived[k]);
    }
}
