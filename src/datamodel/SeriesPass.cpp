#include "datamodel/SeriesPass.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/FieldLines.h"
#include "datamodel/TrendSeries.h"

namespace {

// Records whose cache lines are asked for ahead of the one being read.
constexpr int kReadAhead = 8;

} // namespace

int CSeriesPass::Add(const ITrendChannelAccess& series, int last)
{
    m_columns.push_back({&series, last});
    m_arranged = false;
    return int(m_columns.size()) - 1;
}

int CSeriesPass::AddFilled()
{
    m_columns.push_back({nullptr, -1});
    m_arranged = false;
    return int(m_columns.size()) - 1;
}

void CSeriesPass::Arrange()
{
    if (m_arranged)
        return;
    m_arranged = true;
    m_buffer.resize(m_columns.size() * std::size_t(kChunk));
    m_fieldGroups.clear();
    m_otherColumns.clear();
    for (int k = 0; k < int(m_columns.size()); ++k) {
        if (!m_columns[std::size_t(k)].series)
            continue;
        const CTrendSeries* series = m_columns[std::size_t(k)].series->GetUnchangedSeries();
        CTrendSeries::SField field{};
        if (!series || !series->GetField(field)) {
            m_otherColumns.push_back(k);
            continue;
        }
        auto group = std::find_if(m_fieldGroups.begin(), m_fieldGroups.end(),
                                  [&](const SFieldGroup& g) { return g.records == field.records; });
        if (group == m_fieldGroups.end())
            group = m_fieldGroups.insert(m_fieldGroups.end(), SFieldGroup{field.records, {}, {}});
        group->columns.push_back({k, field.offset, field.divisor});
    }
    for (SFieldGroup& group : m_fieldGroups) {
        std::vector<std::size_t> offsets;
        for (const SFieldColumn& column : group.columns)
            offsets.push_back(column.offset);
        group.lines = FieldLineOffsets(offsets);
    }
}

void CSeriesPass::ReadChunk(int chunk, int count)
{
    for (const SFieldGroup& group : m_fieldGroups) {
        const int records = group.records->GetCount();
        const int available = std::min(count, records - chunk);
        for (int i = 0; i < available; ++i) {
            if (chunk + i + kReadAhead < records)
                for (std::size_t line : group.lines)
                    __builtin_prefetch(group.records->GetRecordBytes(std::size_t(chunk + i + kReadAhead)) + line, 0, 1);
            const BYTE* record = group.records->GetRecordBytes(std::size_t(chunk + i));
            for (const SFieldColumn& column : group.columns)
                m_buffer[std::size_t(column.column) * kChunk + std::size_t(i)] = LoadF32(record, column.offset);
        }
        for (const SFieldColumn& column : group.columns) {
            if (column.divisor == 1.0f)
                continue;
            float* values = m_buffer.data() + std::size_t(column.column) * kChunk;
            for (int i = 0; i < available; ++i)
                values[i] = values[i] / column.divisor;
        }
    }
    for (int k : m_otherColumns) {
        const int own = std::min(count, m_columns[std::size_t(k)].last - chunk + 1);
        if (own > 0)
            m_columns[std::size_t(k)].series->ReadValues(chunk, own, m_buffer.data() + std::size_t(k) * kChunk);
    }
}
