#pragma once
// The figures of the study tables that one walk over the records folds: summaries of series, and
// the figures made of several series' values (THD products, magnitudes of powers, the effective
// apparent power, signed power factor extremes), each folded chunk by chunk in record order. A
// figure's sums come out the same to the bit whichever other figures share its walk.
#include "datamodel/SeriesSummary.h"
#include "datamodel/SummaryWalk.h"

#include <array>
#include <vector>

class ITrendChannelAccess;

class CFigureFold
{
public:
    // The summary of the series' values up to record `last`; it must outlive the walk, as must
    // every summary below.
    void Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary);
    // A series the figures below read; returns its column.
    int Read(const ITrendChannelAccess& series, int last);

    // THD x X and X over the records up to `last` (columns of Read).
    void AddProduct(int thd, int weight, int last, SDerivedSummary& summary);
    // |value| of a power up to `last`, for a total with the columns of its phases (-1: none).
    void AddMagnitude(int values, const std::array<int, 3>& phases, int last, SDerivedSummary& summary);
    // The effective apparent power up to `last` from the total apparent power and the
    // phase-to-neutral then phase-to-phase voltages (-1: none).
    void AddEffective(int apparent, const std::array<int, 6>& voltages, int last, SDerivedSummary& summary);
    // A power factor's recorded extremes signed by its average, up to `last`.
    void AddSigned(int min, int max, int avg, int last, SSeriesSummary& highest, SSeriesSummary& lowest);

    // The last record any figure reaches.
    int Last() const { return m_last; }
    // Every figure over records first .. last (each up to its own last record).
    void Walk(int first, int last);

private:
    struct SProduct
    {
        int thd;
        int weight;
        int last;
        SDerivedSummary* summary;
    };
    struct SMagnitude
    {
        int values;
        std::array<int, 3> phases;
        int last;
        SDerivedSummary* summary;
    };
    struct SEffective
    {
        int apparent;
        std::array<int, 6> voltages;
        int last;
        SDerivedSummary* summary;
    };
    struct SSigned
    {
        int min;
        int max;
        int avg;
        int last;
    };

    void Reach(int last);

    CSummaryWalk m_walk;
    int m_last = -1;
    std::vector<SProduct> m_products;
    std::vector<SMagnitude> m_magnitudes;
    std::vector<SEffective> m_effective;
    std::vector<SSigned> m_signed;
    // Highest and lowest of each signed fold, side by side.
    std::vector<SSeriesSummary*> m_signedSummaries;
};
