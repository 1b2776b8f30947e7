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

// Records folded together: their values side by side, so that each field's running figures stay
// in registers while the block's values of it are added.
constexpr int kBlock = 8;

// The values of record i into `to` (the fields in the order of the folds).
[[gnu::always_inline]] inline void ReadRecord(const CDataTable& table, SFieldFolds& folds, int i, float* __restrict to)
{
    const std::size_t n = folds.offsets.size();
    const std::uint32_t* __restrict offsets = folds.offsets.data();
    const float* __restrict divisors = folds.divisors.data();
    const std::size_t divided = folds.divisors.size();
    if (i + kReadAhead < table.GetCount())
        for (std::size_t line : folds.lines)
            __builtin_prefetch(table.GetRecordBytes(std::size_t(i + kReadAhead)) + line);
    const BYTE* record = table.GetRecordBytes(std::size_t(i));
    std::size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        to[k] = LoadF32(record, offsets[k]);
        to[k + 1] = LoadF32(record, offsets[k + 1]);
        to[k + 2] = LoadF32(record, offsets[k + 2]);
        to[k + 3] = LoadF32(record, offsets[k + 3]);
    }
    for (; k < n; ++k)
        to[k] = LoadF32(record, offsets[k]);
    for (k = 0; k < divided; ++k)
        to[k] = to[k] / divisors[k];
}

// The values of `rows` records from record i (row by row) handed on to the captures.
[[gnu::always_inline]] inline void Capture(const SFieldFolds& folds, const float* __restrict rows, int count, int i)
{
    const std::size_t n = folds.offsets.size();
    for (const SFieldFolds::SCapture& capture : folds.captures) {
        float* __restrict to = capture.to + (i - folds.first);
        for (int r = 0; r < count; ++r)
            to[r] = rows[std::size_t(r) * n + capture.slot];
    }
}

[[gnu::always_inline]] inline bool AllFinite(const float* __restrict values, std::size_t count)
{
    std::uint32_t nonFinite = 0;
    for (std::size_t k = 0; k < count; ++k)
        nonFinite |= IsFinite(values[k]) ? 0u : 1u;
    return nonFinite == 0;
}

// Record i's finite values into the extremes and their records.
[[gnu::always_inline]] inline void AddExtremes(SFieldFolds& folds, const float* __restrict values, int i)
{
    const std::size_t n = folds.offsets.size();
    float* __restrict low = folds.minimum.data();
    float* __restrict high = folds.maximum.data();
    int* __restrict lowAt = folds.minimumRecord.data();
    int* __restrict highAt = folds.maximumRecord.data();
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

// Folds the finite records of a block (`Rows` records from `first`, values row by row): each
// field's sums take the records in order, as value by value. A new extreme is rare once the first
// records are folded: the extremes and their records are only written for a block that brings one.
template <int Rows>
[[gnu::always_inline]] inline void FoldBlock(SFieldFolds& folds, const float* __restrict block, int first)
{
    const std::size_t n = folds.offsets.size();
    double* __restrict sums = folds.sum.data();
    double* __restrict squares = folds.squares.data();
    const float* __restrict low = folds.minimum.data();
    const float* __restrict high = folds.maximum.data();
    std::int32_t beyond = 0;
    for (std::size_t k = 0; k < n; ++k) {
        double sum = sums[k], square = squares[k];
        float lowest = block[k], highest = block[k];
        for (int r = 0; r < Rows; ++r) {
            const float v = block[std::size_t(r) * n + k];
            sum += double(v);
            square += double(v) * v;
            lowest = v < lowest ? v : lowest;
            highest = v > highest ? v : highest;
        }
        sums[k] = sum;
        squares[k] = square;
        beyond |= -std::int32_t(lowest < low[k]) | -std::int32_t(highest > high[k]);
    }
    if (beyond != 0)
        for (int r = 0; r < Rows; ++r)
            AddExtremes(folds, block + std::size_t(r) * n, first + r);
}

// Folds records first .. last while each has only finite values; returns the first record with a
// value that is not finite (its values left in folds.values), or last + 1.
[[gnu::always_inline]] inline int FoldFiniteRecordsLoop(const CDataTable& table, SFieldFolds& folds, int first,
                                                        int last)
{
    const std::size_t n = folds.offsets.size();
    float* __restrict block = folds.block.data();
    // Every value of a record folded here is finite: the counts grow by the records folded.
    int folded = 0;
    const auto stop = [&](int at) {
        for (std::size_t k = 0; k < n; ++k)
            folds.finite[k] += folded;
        return at;
    };
    for (int i = first; i <= last;) {
        if (i + kBlock - 1 <= last) {
            for (int r = 0; r < kBlock; ++r)
                ReadRecord(table, folds, i + r, block + std::size_t(r) * n);
            Capture(folds, block, kBlock, i);
            if (AllFinite(block, kBlock * n)) {
                FoldBlock<kBlock>(folds, block, i);
                folded += kBlock;
                i += kBlock;
                continue;
            }
        }
        // Record by record up to the block's end, stopping at a value that is not finite.
        for (const int end = std::min(last, i + kBlock - 1); i <= end; ++i) {
            float* values = folds.values.data();
            ReadRecord(table, folds, i, values);
            Capture(folds, values, 1, i);
            if (!AllFinite(values, n))
                return stop(i);
            FoldBlock<1>(folds, values, i);
            ++folded;
        }
    }
    return stop(last + 1);
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
                                 std::span<SSeriesSummary* const> summaries, std::span<const SFieldCapture> captures)
    : m_records(records)
{
    std::vector<std::size_t> order(fields.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const bool aDivided = fields[a].divisor != 1.0f, bDivided = fields[b].divisor != 1.0f;
        return aDivided != bDivided ? aDivided : fields[a].offset < fields[b].offset;
    });
    std::vector<std::size_t> offsets;
    for (std::size_t k : order) {
        const CTrendSeries::SField& field = fields[k];
        m_folds.offsets.push_back(std::uint32_t(field.offset));
        if (field.divisor != 1.0f)
            m_folds.divisors.push_back(field.divisor);
        m_summaries.push_back(summaries[k]);
        offsets.push_back(field.offset);
    }
    m_folds.lines = FieldLineOffsets(offsets);
    for (const SFieldCapture& capture : captures) {
        const std::size_t slot = std::size_t(std::find(order.begin(), order.end(), capture.field) - order.begin());
        m_folds.captures.push_back({slot, capture.to});
    }
    const std::size_t n = fields.size();
    m_folds.values.resize(n);
    m_folds.block.resize(std::size_t(kBlock) * n);
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
    m_folds.first = first;
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
