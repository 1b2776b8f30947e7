#include "datamodel/FieldSummaries.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/FieldLines.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Records whose cache lines are asked for ahead of the one being read, into the first-level
// cache: a block's loads waited on the second-level one for a good part of the fold, and the
// lines of a block and of the one ahead of it fit in the first together.
constexpr int kReadAhead = 8;
// Records folded together: a group's running figures stay in registers while the block's values
// of it are added.
constexpr int kBlock = 8;
constexpr std::size_t kLanes = SFieldFolds::kLanes;
constexpr float kInf = std::numeric_limits<float>::infinity();

typedef float F8 __attribute__((vector_size(32)));
typedef double D4 __attribute__((vector_size(32)));
typedef std::int32_t I8 __attribute__((vector_size(32)));
typedef std::int64_t I64 __attribute__((vector_size(32)));

// Vectors are handed on by reference: by value they would travel differently with and without
// the wider registers.
template <class V>
[[gnu::always_inline]] inline void LoadVector(V& to, const void* from)
{
    std::memcpy(&to, from, sizeof to);
}

template <class V>
[[gnu::always_inline]] inline void StoreVector(void* to, const V& from)
{
    std::memcpy(to, &from, sizeof from);
}

[[gnu::always_inline]] inline bool Any(const I8& mask)
{
    std::int32_t any = 0;
    for (std::size_t k = 0; k < kLanes; ++k)
        any |= mask[k];
    return any != 0;
}

[[gnu::always_inline]] inline bool AnyI64(const I64& mask)
{
    std::int64_t any = 0;
    for (std::size_t k = 0; k < 4; ++k)
        any |= mask[k];
    return any != 0;
}

// What a group reads, taken out of the folds once for all the records of a block.
struct SGroupReader
{
    std::uint32_t offset;
    bool whole;
    bool divided;
    I8 mask;
    F8 divisors;

    [[gnu::always_inline]] SGroupReader(const SFieldFolds& folds, std::size_t g)
        : offset(folds.groups[g].offset), whole(folds.groups[g].whole), divided(folds.groups[g].divided)
    {
        LoadVector(mask, folds.masks.data() + g * kLanes);
        LoadVector(divisors, folds.divisors.data() + g * kLanes);
    }

    // The values of the group in a record, divided, 0 in the lanes without a field.
    [[gnu::always_inline]] void Read(F8& x, const BYTE* record) const
    {
        if (whole) {
            LoadVector(x, record + offset);
        } else {
            float fields[kLanes];
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                fields[lane] = mask[lane] ? LoadF32(record, offset + lane * sizeof(float)) : 0.0f;
            LoadVector(x, fields);
        }
        x = (F8)((I8)x & mask);
        if (divided)
            x = x / divisors;
    }
};

// The lanes of group g whose block sums are not finite: their sums as they were before the block,
// and their slots listed in folds.pending.
[[gnu::always_inline]] inline void KeepNotFinite(SFieldFolds& folds, std::size_t g, const I64 (&notFinite)[2],
                                                 D4 (&sums)[2], D4 (&squares)[2])
{
    const std::size_t at = g * kLanes;
    for (std::size_t half = 0; half < 2; ++half) {
        D4 oldSums, oldSquares;
        LoadVector(oldSums, folds.sum.data() + at + half * kLanes / 2);
        LoadVector(oldSquares, folds.squares.data() + at + half * kLanes / 2);
        sums[half] = notFinite[half] ? oldSums : sums[half];
        squares[half] = notFinite[half] ? oldSquares : squares[half];
    }
    for (std::size_t lane = 0; lane < kLanes; ++lane)
        if (notFinite[lane / 4][lane % 4])
            folds.pending.push_back(at + lane);
}

// Folds `Rows` records from record i group by group: each lane's sums take the records in order,
// as value by value. A new extreme is rare once the first records are folded: the extremes and
// their records are only written for a group that the block brings one. A lane with a value that
// is not finite is left as it was and listed in folds.pending, for its field to take the block
// value by value; the other lanes of its group are folded as usual. The values of the groups
// captured are kept in folds.rows.
template <int Rows>
[[gnu::always_inline]] inline void FoldBlock(const CDataTable& table, SFieldFolds& folds, int i)
{
    const std::size_t groups = folds.groups.size();
    const int count = table.GetCount();
    const BYTE* records[Rows];
    for (int r = 0; r < Rows; ++r) {
        // A block reads a group of every record before the next group: the processor would not
        // see the records as one stream, and fetch none ahead by itself.
        if (i + r + kReadAhead < count)
            for (std::size_t line : folds.lines)
                __builtin_prefetch(table.GetRecordBytes(std::size_t(i + r + kReadAhead)) + line, 0, 3);
        records[r] = table.GetRecordBytes(std::size_t(i + r));
    }
    folds.pending.clear();
    for (std::size_t g = 0; g < groups; ++g) {
        const std::size_t at = g * kLanes;
        const bool captured = folds.groups[g].captured;
        const SGroupReader reader(folds, g);
        D4 sums[2], squares[2];
        LoadVector(sums[0], folds.sum.data() + at);
        LoadVector(sums[1], folds.sum.data() + at + kLanes / 2);
        LoadVector(squares[0], folds.squares.data() + at);
        LoadVector(squares[1], folds.squares.data() + at + kLanes / 2);
        F8 lowest, highest;
#pragma GCC unroll 8
        for (int r = 0; r < Rows; ++r) {
            F8 x;
            reader.Read(x, records[r]);
            if (captured)
                StoreVector(folds.rows.data() + std::size_t(r) * groups * kLanes + at, x);
            if (r == 0) {
                lowest = x;
                highest = x;
            }
            lowest = x < lowest ? x : lowest;
            highest = x > highest ? x : highest;
            // Lane by lane: the wider registers then convert each half in one step, where the
            // halves copied out went through the narrow ones piece by piece.
            const D4 low{x[0], x[1], x[2], x[3]};
            const D4 high{x[4], x[5], x[6], x[7]};
            sums[0] += low;
            sums[1] += high;
            squares[0] += low * low;
            squares[1] += high * high;
        }
        // The sums of finite floats stay far within the finite doubles: a sum that is not finite
        // took a value that is not.
        const I64 exponent = I64{} + 0x7ff0000000000000;
        const I64 notFinite[2] = {((I64)sums[0] & exponent) == exponent, ((I64)sums[1] & exponent) == exponent};
        const bool someNotFinite = AnyI64(notFinite[0]) || AnyI64(notFinite[1]);
        if (someNotFinite)
            KeepNotFinite(folds, g, notFinite, sums, squares);
        StoreVector(folds.sum.data() + at, sums[0]);
        StoreVector(folds.sum.data() + at + kLanes / 2, sums[1]);
        StoreVector(folds.squares.data() + at, squares[0]);
        StoreVector(folds.squares.data() + at + kLanes / 2, squares[1]);
        if (someNotFinite) {
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                folds.finite[at + lane] += notFinite[lane / 4][lane % 4] ? 0 : Rows;
        } else {
            I8 finite;
            LoadVector(finite, folds.finite.data() + at);
            finite += Rows;
            StoreVector(folds.finite.data() + at, finite);
        }

        F8 minimum, maximum;
        LoadVector(minimum, folds.minimum.data() + at);
        LoadVector(maximum, folds.maximum.data() + at);
        if (!Any((lowest < minimum) | (highest > maximum)))
            continue;
        I8 minimumRecord, maximumRecord;
        LoadVector(minimumRecord, folds.minimumRecord.data() + at);
        LoadVector(maximumRecord, folds.maximumRecord.data() + at);
        for (int r = 0; r < Rows; ++r) {
            F8 x;
            reader.Read(x, records[r]);
            const I8 record = I8{} + (i + r);
            const I8 lower = x < minimum;
            minimum = lower ? x : minimum;
            minimumRecord = lower ? record : minimumRecord;
            const I8 higher = x > maximum;
            maximum = higher ? x : maximum;
            maximumRecord = higher ? record : maximumRecord;
        }
        if (someNotFinite) {
            // The lanes left as they were keep their extremes too.
            I8 kept;
            for (std::size_t lane = 0; lane < kLanes; ++lane)
                kept[lane] = notFinite[lane / 4][lane % 4] ? -1 : 0;
            F8 oldMinimum, oldMaximum;
            I8 oldMinimumRecord, oldMaximumRecord;
            LoadVector(oldMinimum, folds.minimum.data() + at);
            LoadVector(oldMaximum, folds.maximum.data() + at);
            LoadVector(oldMinimumRecord, folds.minimumRecord.data() + at);
            LoadVector(oldMaximumRecord, folds.maximumRecord.data() + at);
            minimum = kept ? oldMinimum : minimum;
            maximum = kept ? oldMaximum : maximum;
            minimumRecord = kept ? oldMinimumRecord : minimumRecord;
            maximumRecord = kept ? oldMaximumRecord : maximumRecord;
        }
        StoreVector(folds.minimum.data() + at, minimum);
        StoreVector(folds.maximum.data() + at, maximum);
        StoreVector(folds.minimumRecord.data() + at, minimumRecord);
        StoreVector(folds.maximumRecord.data() + at, maximumRecord);
    }
}

void FoldBlockPlain(const CDataTable& table, SFieldFolds& folds, int i)
{
    FoldBlock<kBlock>(table, folds, i);
}

void FoldRecordPlain(const CDataTable& table, SFieldFolds& folds, int i)
{
    FoldBlock<1>(table, folds, i);
}

#if defined(__x86_64__) || defined(__i386__)
// The page statistics fold every value of a session: the wider vectors take twice the values per
// step where the processor has them. The same operations in the same order: the same figures.
[[gnu::target("avx2")]] void FoldBlockAvx2(const CDataTable& table, SFieldFolds& folds, int i)
{
    FoldBlock<kBlock>(table, folds, i);
}

[[gnu::target("avx2")]] void FoldRecordAvx2(const CDataTable& table, SFieldFolds& folds, int i)
{
    FoldBlock<1>(table, folds, i);
}

bool HasAvx2()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}
#endif

// The values folded last of `Rows` records from record i handed on to the captures.
void Capture(const SFieldFolds& folds, int i, int rows)
{
    const std::size_t row = folds.groups.size() * kLanes;
    for (const SFieldFolds::SCapture& capture : folds.captures) {
        float* __restrict to = capture.to + (i - folds.first);
        const float* __restrict from = folds.rows.data() + capture.slot;
        for (int r = 0; r < rows; ++r)
            to[r] = from[std::size_t(r) * row];
    }
}

} // namespace

CFieldSummaries::CFieldSummaries(const CDataTable& records, std::span<const CTrendSeries::SField> fields,
                                 std::span<SSeriesSummary* const> summaries, std::span<const SFieldCapture> captures)
    : m_records(records), m_fields(fields.begin(), fields.end()), m_summaries(summaries.begin(), summaries.end()),
      m_slots(fields.size())
{
    // Each group starts at the first field not placed yet (or earlier, so that its bytes end
    // within the shortest record) and takes every field not placed yet that falls on one of its
    // lanes.
    constexpr std::size_t bytes = kLanes * sizeof(float);
    std::vector<std::size_t> order(fields.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return fields[a].offset < fields[b].offset; });
    const std::size_t limit = records.GetShortestLength();
    std::vector<bool> placed(fields.size(), false);
    std::vector<std::size_t> read;
    for (std::size_t k : order) {
        if (placed[k])
            continue;
        std::size_t start = fields[k].offset;
        if (start + bytes > limit && limit >= bytes)
            start = limit - bytes;
        const std::size_t g = m_folds.groups.size();
        SFieldFolds::SGroup group{std::uint32_t(start), false, start + bytes <= limit, false};
        m_folds.masks.resize(m_folds.masks.size() + kLanes, 0);
        m_folds.divisors.resize(m_folds.divisors.size() + kLanes, 1.0f);
        for (std::size_t j : order) {
            const std::size_t offset = fields[j].offset;
            if (placed[j] || offset < start || offset + sizeof(float) > start + bytes ||
                (offset - start) % sizeof(float) != 0)
                continue;
            const std::size_t slot = g * kLanes + (offset - start) / sizeof(float);
            if (m_folds.masks[slot] != 0)
                continue;
            m_folds.masks[slot] = -1;
            m_folds.divisors[slot] = fields[j].divisor;
            group.divided = group.divided || fields[j].divisor != 1.0f;
            m_slots[j] = slot;
            placed[j] = true;
            read.push_back(offset);
        }
        if (group.whole) {
            read.push_back(start);
            read.push_back(start + bytes - sizeof(float));
        }
        m_folds.groups.push_back(group);
    }
    m_folds.lines = FieldLineOffsets(read);
    for (const SFieldCapture& capture : captures) {
        const std::size_t slot = m_slots[capture.field];
        m_folds.captures.push_back({slot, capture.to});
        m_folds.groups[slot / kLanes].captured = true;
    }
    const std::size_t slots = m_folds.masks.size();
    m_slotFields.resize(slots);
    for (std::size_t k = 0; k < m_slots.size(); ++k)
        m_slotFields[m_slots[k]] = k;
    m_folds.rows.resize(std::size_t(kBlock) * slots);
    m_folds.finite.resize(slots);
    m_folds.sum.resize(slots);
    m_folds.squares.resize(slots);
    m_folds.minimum.resize(slots, kInf);
    m_folds.maximum.resize(slots, -kInf);
    m_folds.minimumRecord.resize(slots, -1);
    m_folds.maximumRecord.resize(slots, -1);
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
    const std::size_t s = m_slots[k];
    m_folds.finite[s] = summary.finiteCount;
    m_folds.sum[s] = summary.sum;
    m_folds.squares[s] = summary.sumOfSquares;
    m_folds.minimum[s] = summary.minimumRecord >= 0 ? summary.minimum : kInf;
    m_folds.maximum[s] = summary.maximumRecord >= 0 ? summary.maximum : -kInf;
    m_folds.minimumRecord[s] = summary.minimumRecord;
    m_folds.maximumRecord[s] = summary.maximumRecord;
}

void CFieldSummaries::Store(std::size_t k) const
{
    SSeriesSummary& summary = *m_summaries[k];
    const std::size_t s = m_slots[k];
    summary.finiteCount = m_folds.finite[s];
    summary.sum = m_folds.sum[s];
    summary.sumOfSquares = m_folds.squares[s];
    if (m_folds.minimumRecord[s] >= 0) {
        summary.minimum = m_folds.minimum[s];
        summary.minimumRecord = m_folds.minimumRecord[s];
    }
    if (m_folds.maximumRecord[s] >= 0) {
        summary.maximum = m_folds.maximum[s];
        summary.maximumRecord = m_folds.maximumRecord[s];
    }
}

void CFieldSummaries::Add(int first, int last)
{
    if (m_summaries.empty())
        return;
    m_folds.first = first;
    last = std::min(last, m_records.GetCount() - 1);
    for (int i = first; i <= last;) {
        const int rows = i + kBlock - 1 <= last ? kBlock : 1;
#if defined(__x86_64__) || defined(__i386__)
        if (HasAvx2())
            (rows == kBlock ? FoldBlockAvx2 : FoldRecordAvx2)(m_records, m_folds, i);
        else
#endif
            (rows == kBlock ? FoldBlockPlain : FoldRecordPlain)(m_records, m_folds, i);
        // A field with a value that is not finite takes the block value by value.
        for (const std::size_t slot : m_folds.pending) {
            const std::size_t k = m_slotFields[slot];
            const CTrendSeries::SField& field = m_fields[k];
            Store(k);
            for (int r = 0; r < rows; ++r) {
                const float value = LoadF32(m_records.GetRecordBytes(std::size_t(i + r)), field.offset);
                m_summaries[k]->Add(i + r, field.divisor != 1.0f ? value / field.divisor : value);
            }
            Load(k);
        }
        Capture(m_folds, i, rows);
        i += rows;
    }
}
