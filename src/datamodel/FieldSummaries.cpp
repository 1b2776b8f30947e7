#include "datamodel/FieldSummaries.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace {

// Records whose cache lines are asked for ahead of the one being read.
constexpr int kReadAhead = 8;
constexpr std::size_t kCacheLine = 64;
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
    : m_records(records), m_fields(fields.begin(), fields.end()), m_summaries(summaries.begin(), summaries.end()),
      m_values(fields.size()), m_finite(fields.size()), m_sum(fields.size()), m_squares(fields.size()),
      m_minimum(fields.size()), m_maximum(fields.size()), m_minimumRecord(fields.size()),
      m_maximumRecord(fields.size())
{
    if (m_fields.empty())
        return;
    std::size_t low = m_fields[0].offset;
    std::size_t high = low;
    for (const CTrendSeries::SField& field : m_fields) {
        low = std::min(low, field.offset);
        high = std::max(high, field.offset + sizeof(float) - 1);
    }
    for (std::size_t offset = low; offset < high; offset += kCacheLine)
        m_lines.push_back(offset);
    m_lines.push_back(high);
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        Load(k);
}

CFieldSummaries::~CFieldSummaries()
{
    for (std::size_t k = 0; k < m_fields.size(); ++k)
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
    const std::size_t n = m_fields.size();
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
    const std::size_t n = m_fields.size();
    if (n == 0)
        return;
    const int records = m_records.GetCount();
    last = std::min(last, records - 1);
    for (int i = first; i <= last; ++i) {
        if (i + kReadAhead < records)
            for (std::size_t line : m_lines)
                __builtin_prefetch(m_records.GetRecordBytes(std::size_t(i + kReadAhead)) + line);
        const BYTE* record = m_records.GetRecordBytes(std::size_t(i));
        bool allFinite = true;
        for (std::size_t k = 0; k < n; ++k) {
            const float raw = LoadF32(record, m_fields[k].offset);
            m_values[k] = m_fields[k].divisor == 1.0f ? raw : raw / m_fields[k].divisor;
            allFinite &= IsFinite(m_values[k]);
        }
        if (allFinite) {
            AddFinite(i);
            continue;
        }
        // A record with a value that is not finite goes value by value.
        for (std::size_t k = 0; k < n; ++k) {
            Store(k);
            m_summaries[k]->Add(i, m_values[k]);
            Load(k);
        }
    }
}
