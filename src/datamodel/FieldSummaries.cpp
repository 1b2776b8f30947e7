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

[[gnu::always_inline]] inline bool IsFinite(float v)
{
    return (std::bit_cast<std::uint32_t>(v) & 0x7f800000u) != 0x7f800000u;
}

// `chosen` where the mask is set, else `kept`: selections the compiler takes several at a time.
template <class T>
[[gnu::always_inline]] inline T Select(std::int32_t mask, T chosen, T kept)
{
    return std::bit_cast<T>((std::bit_cast<std::int32_t>(chosen) & mask) | (std::bit_cast<std::int32_t>(kept) & ~mask));
}

// Folds records first .. last while each has only finite values; returns the first record with a
// value that is not finite (its values left in folds.values), or last + 1.
[[gnu::always_inline]] inline int FoldFiniteRecordsLoop(const CDataTable& table, SFieldFolds& folds, int first,
                                                        int last)
{
    const std::size_t n = folds.values.size();
    const int records = table.GetCount();
    float* __restrict values = folds.values.data();
    int* __restrict counts = folds.finite.data();
    double* __restrict sums = folds.sum.data();
    double* __restrict squares = folds.squares.data();
    float* __restrict low = folds.minimum.data();
    float* __restrict high = folds.maximum.data();
    int* __restrict lowAt = folds.minimumRecord.data();
    int* __restrict highAt = folds.maximumRecord.data();
    for (int i = first; i <= last; ++i) {
        if (i + kReadAhead < records)
            for (std::size_t line : folds.lines)
                __builtin_prefetch(table.GetRecordBytes(std::size_t(i + kReadAhead)) + line);
        const BYTE* record = table.GetRecordBytes(std::size_t(i));
        for (const SFieldFolds::SRun& run : folds.runs) {
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
        if (nonFinite != 0)
            return i;
        for (std::size_t k = 0; k < n; ++k) {
            const float v = values[k];
            counts[k] += 1;
            sums[k] += double(v);
            squares[k] += double(v) * v;
        }
        for (std::size_t k = 0; k < n; ++k) {
            const float v = values[k];
            const std::int32_t lower = -std::int32_t(v < low[k]);
            low[k] = Select(lower, v, low[k]);
            lowAt[k] = Select(lower, i, lowAt[k]);
            const std::int32_t higher = -std::int32_t(v > high[k]);
            high[k] = Select(higher, v, high[k]);
            highAt[k] = Select(higher, i, highAt[k]);
        }
    }
    return last + 1;
}

int FoldFiniteRecordsPlain(const CDataTable& table, SFieldFolds& folds, int first, int last)
{
    return FoldFiniteRecordsLoop(table, folds, first, last);
}

#if defined(__x86_64__) || defined(__i386__)
// The page statistics fold every value of a session: the wider vectors take twice the values per
// step where the processor has them. The same operations in the same order: the same figures.
[[gnu::target("avx2")]] int FoldFiniteRecordsAvx2(const CDataTable& table, SFieldFolds& folds, int first, int last)
{
    return FoldFiniteRecordsLoop(table, folds, first, last);
}
#endif

int FoldFiniteRecords(const CDataTable& table, SFieldFolds& folds, int first, int last)
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx2)
        return FoldFiniteRecordsAvx2(table, folds, first, last);
#endif
    return FoldFiniteRecordsPlain(table, folds, first, last);
}

} // namespace

CFieldSummaries::CFieldSummaries(const CDataTable& records, std::span<const CTrendSeries::SField> fields,
                                 std::span<SSeriesSummary* const> summaries)
    : m_records(records)
{
    std::vector<std::size_t> order(fields.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fields[a].offset < fields[b].offset; });
    std::vector<std::size_t> offsets;
    std::vector<SFieldFolds::SRun>& runs = m_folds.runs;
    for (std::size_t k : order) {
        const CTrendSeries::SField& field = fields[k];
        const bool continues = !runs.empty() && runs.back().divisor == field.divisor &&
                               runs.back().offset + runs.back().count * sizeof(float) == field.offset;
        if (continues)
            ++runs.back().count;
        else
            runs.push_back({field.offset, m_summaries.size(), 1, field.divisor});
        m_summaries.push_back(summaries[k]);
        offsets.push_back(field.offset);
    }
    m_folds.lines = FieldLineOffsets(offsets);
    const std::size_t n = fields.size();
    m_folds.values.resize(n);
    m_folds.finite.resize(n);
    m_folds.sum.resize(n);
    m_folds.squares.resize(n);
    m_folds.minimum.resize(n);
    m_folds.maximum.resize(n);
    m_folds.minimumRecord.resize(n);
    m_folds.maximumRecord.resize(n);
    for (std::size_t k = 0; k < n; ++k)
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
    m_folds.finite[k] = summary.finiteCount;
    m_folds.sum[k] = summary.sum;
    m_folds.squares[k] = summary.sumOfSquares;
    m_folds.minimum[k] = summary.minimumRecord >= 0 ? summary.minimum : kInf;
    m_folds.maximum[k] = summary.maximumRecord >= 0 ? summary.maximum : -kInf;
    m_folds.minimumRecord[k] = summary.minimumRecord;
    m_folds.maximumRecord[k] = summary.maximumRecord;
}

void CFieldSummaries::Store(std::size_t k) const
{
    SSeriesSummary& summary = *m_summaries[k];
    summary.finiteCount = m_folds.finite[k];
    summary.sum = m_folds.sum[k];
    summary.sumOfSquares = m_folds.squares[k];
    if (m_folds.minimumRecord[k] >= 0) {
        summary.minimum = m_folds.minimum[k];
        summary.minimumRecord = m_folds.minimumRecord[k];
    }
    if (m_folds.maximumRecord[k] >= 0) {
        summary.maximum = m_folds.maximum[k];
        summary.maximumRecord = m_folds.maximumRecord[k];
    }
}

void CFieldSummaries::Add(int first, int last)
{
    if (m_summaries.empty())
        return;
    last = std::min(last, m_records.GetCount() - 1);
    for (int i = FoldFiniteRecords(m_records, m_folds, first, last); i <= last;
         i = FoldFiniteRecords(m_records, m_folds, i + 1, last)) {
        // A record with a value that is not finite goes value by value.
        for (std::size_t k = 0; k < m_summaries.size(); ++k) {
            Store(k);
            m_summaries[k]->Add(i, m_folds.values[k]);
            Load(k);
        }
    }
}
