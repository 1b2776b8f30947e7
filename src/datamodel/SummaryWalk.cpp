#include "datamodel/SummaryWalk.h"

#include <algorithm>

CSummaryWalk::SFields* CSummaryWalk::FindField(const CTrendSeries* series, int last, SSeriesSummary* summary,
                                               std::size_t& index)
{
    CTrendSeries::SField field{};
    if (!series || !series->GetField(field))
        return nullptr;
    SFields& fields = m_fields[{field.records, last}];
    const auto same = std::find_if(fields.fields.begin(), fields.fields.end(), [&](const CTrendSeries::SField& f) {
        return f.offset == field.offset && f.divisor == field.divisor;
    });
    index = std::size_t(same - fields.fields.begin());
    if (same != fields.fields.end()) {
        if (summary)
            fields.copies.push_back({index, summary});
        return &fields;
    }
    if (!summary)
        summary = fields.unasked.emplace_back(std::make_unique<SSeriesSummary>()).get();
    fields.fields.push_back(field);
    fields.summaries.push_back(summary);
    return &fields;
}

int CSummaryWalk::CaptureField(const CTrendSeries* series, int last)
{
    std::size_t index = 0;
    SFields* fields = FindField(series, last, nullptr, index);
    if (!fields)
        return -1;
    for (const auto& [field, column] : fields->captures)
        if (field == index)
            return column;
    const int column = m_pass.AddFilled();
    fields->captures.push_back({index, column});
    return column;
}

int CSummaryWalk::SignedColumn(const ITrendChannelAccess& series, int last)
{
    const CTrendSeries* values = nullptr;
    const CTrendSeries* signs = nullptr;
    CTrendSeries::SField field{};
    if (!series.GetSignedSeries(values, signs) || !values->GetField(field) || !signs->GetField(field))
        return -1;
    const int valueColumn = CaptureField(values, last);
    const int signColumn = CaptureField(signs, last);
    for (const SSigned& made : m_signed)
        if (made.values == valueColumn && made.signs == signColumn)
            return made.column;
    const int column = m_pass.AddFilled();
    m_signed.push_back({valueColumn, signColumn, column, last});
    return column;
}

void CSummaryWalk::Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary)
{
    std::size_t index = 0;
    if (FindField(series.GetUnchangedSeries(), last, &summary, index))
        return;
    const int signedColumn = SignedColumn(series, last);
    m_others.push_back({signedColumn >= 0 ? signedColumn : m_pass.Add(series, last), last, &summary});
}

int CSummaryWalk::Read(const ITrendChannelAccess& series, int last)
{
    if (const int column = CaptureField(series.GetUnchangedSeries(), last); column >= 0)
        return column;
    if (const int column = SignedColumn(series, last); column >= 0)
        return column;
    return m_pass.Add(series, last);
}

void CSummaryWalk::Begin()
{
    m_pass.Arrange();
    m_fieldSummaries.clear();
    for (auto& [key, fields] : m_fields) {
        // A further summary of such a field is given this walk's figures alone.
        for (const std::unique_ptr<SSeriesSummary>& unasked : fields.unasked)
            *unasked = {};
        std::vector<CFieldSummaries::SFieldCapture> captures;
        for (const auto& [index, column] : fields.captures)
            captures.push_back({index, m_pass.ColumnToFill(column)});
        m_fieldSummaries.emplace_back(key.second, std::make_unique<CFieldSummaries>(*key.first, fields.fields,
                                                                                   fields.summaries, captures));
    }
}

void CSummaryWalk::Summarise(int chunk, int count)
{
    const int chunkLast = chunk + count - 1;
    for (auto& [last, summaries] : m_fieldSummaries)
        summaries->Add(chunk, std::min(chunkLast, last));
    for (const SSigned& made : m_signed) {
        const float* values = m_pass.Column(made.values);
        const float* signs = m_pass.Column(made.signs);
        float* to = m_pass.ColumnToFill(made.column);
        const int own = std::min(count, made.last - chunk + 1);
        for (int i = 0; i < own; ++i)
            to[i] = WithSignOf(values[i], signs[i]);
    }
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
