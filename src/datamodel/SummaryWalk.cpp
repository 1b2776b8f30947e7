#include "datamodel/SummaryWalk.h"

#include <algorithm>

void CSummaryWalk::Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary)
{
    const CTrendSeries* unchanged = series.GetUnchangedSeries();
    CTrendSeries::SField field{};
    if (unchanged && unchanged->GetField(field)) {
        SFields& fields = m_fields[{field.records, last}];
        const auto same = std::find_if(fields.fields.begin(), fields.fields.end(), [&](const CTrendSeries::SField& f) {
            return f.offset == field.offset && f.divisor == field.divisor;
        });
        if (same != fields.fields.end()) {
            fields.copies.push_back({std::size_t(same - fields.fields.begin()), &summary});
            return;
        }
        fields.fields.push_back(field);
        fields.summaries.push_back(&summary);
        return;
    }
    m_others.push_back({m_pass.Add(series, last), last, &summary});
}

void CSummaryWalk::Begin()
{
    m_fieldSummaries.clear();
    for (auto& [key, fields] : m_fields)
        m_fieldSummaries.emplace_back(
            key.second, std::make_unique<CFieldSummaries>(*key.first, fields.fields, fields.summaries));
}

void CSummaryWalk::Summarise(int chunk, int count)
{
    const int chunkLast = chunk + count - 1;
    for (auto& [last, summaries] : m_fieldSummaries)
        summaries->Add(chunk, std::min(chunkLast, last));
    // The series that reach the chunk's end are summarised side by side.
    m_chunkSummaries.clear();
    m_chunkValues.clear();
    for (const SOther& other : m_others) {
        const int own = std::min(count, other.last - chunk + 1);
        if (own == count) {
            m_chunkSummaries.push_back(other.summary);
            m_chunkValues.push_back(m_pass.Column(other.column));
        } else if (own > 0) {
            other.summary->Add(chunk, own, m_pass.Column(other.column));
        }
    }
    AddToSummaries(m_chunkSummaries, m_chunkValues, chunk, count);
}

void CSummaryWalk::End()
{
    m_fieldSummaries.clear();
    for (auto& [key, fields] : m_fields)
        for (const auto& [index, summary] : fields.copies)
            *summary = *fields.summaries[index];
}
