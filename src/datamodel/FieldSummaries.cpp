#include "datamodel/FieldSummaries.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/FieldLines.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace {

// Records whose cache lines are asked for ahead of the one being read.
constexpr int kReadAhead = 8;
constexpr float kInf = std::numeric_limits<float>::infinity();

bool IsFinite(float v)
{
    return (std::bit_cast<std::uint32_t>(v) & 0x7f800000u) != 0x7f800000u;
}

// `chosen` where the mask is set, else `kept`: selections the compiler takes four at a time.
template <class T>
T Select(std::int32_t mask, T chosen, T kept)
{
    return std::bit_cast<T>((std::bit_cast<std::int32_t>(chosen) & mask) | (std::bit_cast<std::int32_t>(kept) & ~mask));
}

} // namespace

CFieldSummaries::CFieldSummaries(const CDataTable& records, std::span<const CTrendSeries::SField> fields,
                                 std::span<SSeriesSummary* const> summaries)
    : m_records(records), m_values(fields.size()), m_finite(fields.size()), m_sum(fields.size()),
      m_squares(fields.size()), m_minimum(fields.size()), m_maximum(fields.size()), m_minimumRecord(fields.size()),
      m_maximumRecord(fields.size())
{
    std::vector<std::size_t> order(fields.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fields[a].offset < fields[b].offset; });
    std::vector<std::size_t> offsets;
    for (std::size_t k : order) {
        const CTrendSeries::SField& field = fields[k];
        const bool continues = !m_runs.empty() && m_runs.back().divisor == field.divisor &&
                               m_runs.back().offset + m_runs.back().count * sizeof(float) == field.offset;
        if (continues)
            ++m_runs.back().count;
        else
            m_runs.push_back({field.offset, m_summaries.size(), 1, field.divisor});
        m_summaries.push_back(summaries[k]);
        offsets.push_back(field.offset);
    }
    m_lines = FieldLineOffsets(offsets);
    for (std::size_t k = 0; k < m_summaries.size(); ++k)
        Load(k);
}

CFieldSummaries::~CFieldSummaries()
{
    for (std::size_t k = 0; k < m_summaries.size(); ++k)
        Store(k);
}

// A field without a finite value yet has +infinity and -infinity as its running extremes, which
// every finite value replaces.
void CFieldSummaries::Load(std::size_t k)
{
    const SSeriesSummary& summary = *m_summaries[k];
    m_finite[k] = summary.finiteCount;
    m_sum[k] = summary.sum;
    m_squares[k] = summary.sumOfSquares;
    m_minimum[k] = summary.minimumRecord >= 0 ? summary.minimum : kInf;
    m_maximum[k] = summary.maximumRecord >= 0 ? summary.maximum : -kInf;
    m_minimumRecord[k] = summary.minimumRecord;
    m_maximumRecord[k] = summary.maximumRecord;
}

void CFieldSummaries::Store(std::size_t k) const
{
    SSeriesSummary& summary = *m_summaries[k];
    summary.finiteCount = m_finite[k];
    summary.sum = m_sum[k];
    summary.sumOfSquares = m_squares[k];
    if (m_minimumRecord[k] >= 0) {
        summary.minimum = m_minimum[k];
        summary.minimumRecord = m_minimumRecord[k];
    }
    if (m_maximumRecord[k] >= 0) {
        summary.maximum = m_maximum[k];
        summary.maximumRecord = m_maximumRecord[k];
    }
}

void CFieldSummaries::AddFinite(int record)
{
    const std::size_t n = m_summaries.size();
    const float* __restrict values = m_values.data();
    int* __restrict counts = m_finite.data();
    double* __restrict sums = m_sum.data();
    double* __restrict squares = m_squares.data();
    for (std::size_t k = 0; k < n; ++k) {
        const float v = values[k];
        counts[k] += 1;
        sums[k] += double(v);
        squares[k] += double(v) * v;
    }
    float* __restrict low = m_minimum.data();
    float* __restrict high = m_maximum.data();
    int* __restrict lowAt = m_minimumRecord.data();
    int* __restrict highAt = m_maximumRecord.data();
    for (std::size_t k = 0; k < n; ++k) {
        const float v = values[k];
        const std::int32_t lower = -std::int32_t(v < low[k]);
        low[k] = Select(lower, v, low[k]);
        lowAt[k] = Select(lower, record, lowAt[k]);
        const std::int32_t higher = -std::int32_t(v > high[k]);
        high[k] = Select(higher, v, high[k]);
        highAt[k] = Select(higher, record, highAt[k]);
    }
}

void CFieldSummaries::Add(int first, int last)
{
    const std::size_t n = m_summaries.size();
    if (n == 0)
        return;
    const int records = m_records.GetCount();
    last = std::min(last, records - 1);
    float* __restrict values = m_values.data();
    for (int i = first; i <= last; ++i) {
        if (i + kReadAhead < records)
            for (std::size_t line : m_lines)
                __builtin_prefetch(m_records.GetRecordBytes(std::size_t(i + kReadAhead)) + line);
        const BYTE* record = m_records.GetRecordBytes(std::size_t(i));
        for (const SRun& run : m_runs) {
            float* to = values + run.first;
            const BYTE* from = record + run.offset;
            for (std::size_t k = 0; k < run.count; ++k)
                to[k] = LoadF32(from, k * sizeof(float));
            if (run.divisor != 1.0f)
                for (std::size_t k = 0; k < run.count; ++k)
                    to[k] = to[k] / run.divisor;
        }
        std::uint32_t nonFinite = 0;
        for (std::size_t k = 0; k < n; ++k)
            nonFinite |= IsFinite(values[k]) ? 0u : 1u;
        if (nonFinite == 0) {
            AddFinite(i);
            continue;
        }
        // A record with a value that is not finite goes value by value.
        for (std::size_t k = 0; k < n; ++k) {
            Store(k);
            m_summaries[k]->Add(i, values[k]);
            Load(k);
        }
    }
}
