#include "study/FigureFold.h"

#include "datamodel/SeriesPass.h"
#include "study/FoldTerms.h"

#include <algorithm>
#include <span>
#include <vector>

void CFigureFold::Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary)
{
    m_walk.Summarise(series, last, summary);
    Reach(last);
}

int CFigureFold::Read(const ITrendChannelAccess& series, int last)
{
    return m_walk.Read(series, last);
}

void CFigureFold::AddProduct(int thd, int weight, int last, SDerivedSummary& summary)
{
    m_products.push_back({thd, weight, last, &summary});
    Reach(last);
}

void CFigureFold::AddMagnitude(int values, const std::array<int, 3>& phases, int last, SDerivedSummary& summary)
{
    m_magnitudes.push_back({values, phases, last, &summary});
    Reach(last);
}

void CFigureFold::AddEffective(int apparent, const std::array<int, 6>& voltages, int last, SDerivedSummary& summary)
{
    m_effective.push_back({apparent, voltages, last, &summary});
    Reach(last);
}

void CFigureFold::AddSigned(int min, int max, int avg, int last, SSeriesSummary& highest, SSeriesSummary& lowest)
{
    m_signed.push_back({min, max, avg, last});
    m_signedSummaries.push_back(&highest);
    m_signedSummaries.push_back(&lowest);
    Reach(last);
}

void CFigureFold::Reach(int last)
{
    m_last = std::max(m_last, last);
}

void CFigureFold::Walk(int first, int last)
{
    last = std::min(last, m_last);
    if (first > last)
        return;
    // Every figure's sums, and the terms of the chunk each takes.
    std::vector<double*> sums;
    for (const SProduct& fold : m_products) {
        sums.push_back(&fold.summary->sums[0]);
        sums.push_back(&fold.summary->sums[1]);
    }
    for (const SMagnitude& fold : m_magnitudes)
        sums.push_back(&fold.summary->sums[0]);
    for (const SEffective& fold : m_effective) {
        sums.push_back(&fold.summary->sums[0]);
        sums.push_back(&fold.summary->sums[1]);
    }
    std::vector<double> termBuffer(sums.size() * CSeriesPass::kChunk);
    std::vector<const double*> terms;
    for (std::size_t k = 0; k < sums.size(); ++k)
        terms.push_back(termBuffer.data() + k * CSeriesPass::kChunk);
    const auto termsOf = [&](std::size_t k) { return termBuffer.data() + k * CSeriesPass::kChunk; };
    std::vector<float> signedBuffer(m_signedSummaries.size() * CSeriesPass::kChunk);
    std::vector<const float*> signedValues;
    for (std::size_t k = 0; k < m_signedSummaries.size(); ++k)
        signedValues.push_back(signedBuffer.data() + k * CSeriesPass::kChunk);

    const CSeriesPass& pass = m_walk.Pass();
    const auto column = [&](int k) { return k < 0 ? nullptr : pass.Column(k); };
    m_walk.Walk(first, last, [&](int chunk, int count) {
        const auto within = [&](int last) { return std::min(count, last - chunk + 1); };
        std::size_t term = 0;
        for (const SProduct& fold : m_products) {
            ProductTerms(pass.Column(fold.thd), pass.Column(fold.weight), within(fold.last), count, termsOf(term),
                         termsOf(term + 1), *fold.summary);
            term += 2;
        }
        for (const SMagnitude& fold : m_magnitudes) {
            std::array<const float*, 3> phases{};
            for (std::size_t k = 0; k < phases.size(); ++k)
                phases[k] = column(fold.phases[k]);
            MagnitudeTerms(pass.Column(fold.values), phases, within(fold.last), count, termsOf(term++), *fold.summary);
        }
        for (const SEffective& fold : m_effective) {
            std::array<const float*, 6> voltages{};
            for (std::size_t k = 0; k < voltages.size(); ++k)
                voltages[k] = column(fold.voltages[k]);
            EffectiveApparentPowerTerms(pass.Column(fold.apparent), voltages, within(fold.last), count, termsOf(term),
                                        termsOf(term + 1), *fold.summary);
            term += 2;
        }
        AddSideBySide(sums, terms, count);

        bool whole = true;
        for (std::size_t f = 0; f < m_signed.size(); ++f) {
            const SSigned& fold = m_signed[f];
            const int n = within(fold.last);
            float* highest = signedBuffer.data() + 2 * f * CSeriesPass::kChunk;
            SignedExtremeValues(pass.Column(fold.min), pass.Column(fold.max), pass.Column(fold.avg), n, highest,
                                highest + CSeriesPass::kChunk);
            whole = whole && n == count;
        }
        if (whole) {
            AddToSummaries(m_signedSummaries, signedValues, chunk, count, false);
            return;
        }
        for (std::size_t f = 0; f < m_signed.size(); ++f)
            AddToSummaries(std::span(m_signedSummaries).subspan(2 * f, 2), std::span(signedValues).subspan(2 * f, 2),
                           chunk, within(m_signed[f].last), false);
    });
}
