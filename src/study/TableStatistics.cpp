#include "study/TableStatistics.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/NonFiniteResult.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int kTotal = CQuantityInfo::kTotalPhase;
constexpr int kPhaseToPhase = 1;
constexpr int kPhaseToNeutral = 2;

bool IsFinite(const SWorkingValue& v)
{
    return std::isfinite(v.value);
}

// A binary step: the worse quality of the operands, the non-finite rule, else f.
template <class Operation>
SWorkingValue Combine(const SWorkingValue& a, const SWorkingValue& b, Operation f)
{
    SWorkingValue result;
    if (!a.present || !b.present)
        return result;
    result.present = true;
    result.quality = a.quality;
    result.quality.Merge(b.quality);
    result.value = IsFinite(a) && IsFinite(b) ? f(a.value, b.value) : NonFiniteResult(a.value, b.value);
    return result;
}

int Sign(float v)
{
    return v < 0.0f ? -1 : (v > 0.0f ? 1 : 0);
}

// Counts a value that is not finite into the quality record.
void CountNonFinite(SStatisticsRecord& quality, float v)
{
    if (v == kInf)
        ++quality.plusInfinityCount;
    else if (v == -kInf)
        ++quality.minusInfinityCount;
    else
        ++quality.nanCount;
}

} // namespace

SWorkingValue::SWorkingValue() : value(kNaN) {}

CTableStatistics::CTableStatistics(CTrendCache& cache, CDataSet& dataSet, const STrendAccessSpec& accessSpec,
                                   SRecordRange range, double validRatio, float apparentPowerFactor)
    : m_cache(cache), m_dataSet(dataSet), m_config(dataSet.GetMeasurementConfig()),
      m_info(dataSet.GetMeasurementConfig()), m_accessSpec(accessSpec), m_range(range), m_validRatio(validRatio),
      m_apparentPowerFactor(apparentPowerFactor)
{
}

CTableStatistics::~CTableStatistics() = default;

std::unique_ptr<CTrendChannel> CTableStatistics::Channel(DWORD quantity, int phase, int voltageReference)
{
    const DWORD itemId = TrendItemForQuantity(m_config, quantity, m_accessSpec.demand != 0);
    if (itemId == kNoTrendItem)
        return nullptr;
    CDataItemTrend* item = m_cache.FindTrendItem(&m_dataSet, itemId, voltageReference, m_accessSpec);
    if (!item)
        item = m_cache.GetTrendItem(&m_dataSet, itemId, voltageReference, m_accessSpec);
    if (!item)
        return nullptr;
    auto channel = item->GetChannel(quantity, DWORD(phase));
    if (!channel || channel->GetQuantity() == CTrendChannel::kEmptyQuantity)
        return nullptr;
    if ((quantity == 54 || quantity == 55) && m_apparentPowerFactor != 1.0f)
        channel->Scale(m_apparentPowerFactor);
    return channel;
}

const CTrendTimeBlock* CTableStatistics::BlockOf(const CTrendChannel& channel) const
{
    return channel.GetItem() ? channel.GetItem()->GetTimeBlock() : nullptr;
}

void CTableStatistics::Finish(SWorkingValue& result, double aggregate) const
{
    result.present = true;
    if (result.quality.finiteCount == 0) {
        result.value = result.quality.NonFiniteResult();
        return;
    }
    result.value = float(aggregate);
    if (result.quality.IsTooFew(m_validRatio))
        result.quality.quality = 2;
    else
        result.quality.quality = result.quality.NonFiniteAndMissingCount() > 0 ? 1 : 0;
}

SWorkingValue CTableStatistics::SeriesAverage(DWORD quantity, int phase, int voltageReference, bool rms)
{
    SWorkingValue result;
    const auto channel = Channel(quantity, phase, voltageReference);
    const ITrendChannelAccess* avg = channel ? channel->GetAccess(1) : nullptr;
    if (!avg)
        return result;
    const int last = std::min(m_range.last, int(channel->GetRecordCount()) - 1);
    if (const CTrendTimeBlock* block = BlockOf(*channel))
        result.quality.SetRange(*block, m_range.first, last);
    double sum = 0.0;
    int finite = 0;
    for (int i = m_range.first; i <= last; ++i) {
        const float v = avg->GetValue(i);
        if (std::isfinite(v)) {
            sum += rms ? double(v) * v : double(v);
            ++finite;
        } else {
            CountNonFinite(result.quality, v);
        }
    }
    result.quality.finiteCount = finite;
    const double mean = finite > 0 ? sum / finite : 0.0;
    Finish(result, rms ? std::sqrt(mean) : mean);
    return result;
}

SWorkingValue CTableStatistics::PhaseApparentPower(int phase)
{
    return Combine(CellValue(0, phase, kPhaseToNeutral), CellValue(1, phase),
                   [](float v, float i) { return v * i / 1000.0f; });
}

SWorkingValue CTableStatistics::EffectiveApparentPower()
{
    SWorkingValue result;
    const auto total = Channel(6, kTotal, 0);
    const ITrendChannelAccess* s = total ? total->GetAccess(1) : nullptr;
    if (!s)
        return result;
    std::unique_ptr<CTrendChannel> voltages[6];
    const ITrendChannelAccess* u[6] = {};
    for (int k = 0; k < 3; ++k) {
        voltages[k] = Channel(0, k, kPhaseToNeutral);
        voltages[3 + k] = Channel(0, k, kPhaseToPhase);
    }
    for (int k = 0; k < 6; ++k)
        u[k] = voltages[k] ? voltages[k]->GetAccess(1) : nullptr;

    const int last = std::min(m_range.last, int(total->GetRecordCount()) - 1);
    if (const CTrendTimeBlock* block = BlockOf(*total))
        result.quality.SetRange(*block, m_range.first, last);
    auto square = [&](int k, int i) {
        if (!u[k])
            return 0.0;
        const float v = u[k]->GetValue(i);
        return std::isfinite(v) ? double(v) * v : 0.0;
    };
    double sumUe2 = 0.0;
    double sumRatio = 0.0;
    int n = 0;
    for (int i = m_range.first; i <= last; ++i) {
        const float apparent = s->GetValue(i);
        if (!std::isfinite(apparent)) {
            CountNonFinite(result.quality, apparent);
            continue;
        }
        ++n;
        const double ue2 = (3.0 * (square(0, i) + square(1, i) + square(2, i)) + square(3, i) + square(4, i) +
                            square(5, i)) / 18.0;
        if (ue2 != 0.0 && !std::isnan(ue2)) {
            sumUe2 += ue2;
            sumRatio += double(apparent) * apparent / (9.0 * ue2);
        }
    }
    result.quality.finiteCount = n;
    Finish(result, n > 0 ? 3.0 * std::sqrt(sumUe2 / n) * std::sqrt(sumRatio / n) : 0.0);
    return result;
}

SWorkingValue CTableStatistics::SumOfPhases(DWORD quantity)
{
    SWorkingValue sum;
    bool any = false;
    for (int phase = 0; phase < 3; ++phase) {
        if (!m_info.IsAvailable({quantity, phase, kStatAvg}, 0))
            continue;
        const SWorkingValue part = CellValue(quantity, phase);
        sum = any ? Combine(sum, part, [](float a, float b) { return a + b; }) : part;
        any = true;
    }
    return sum;
}

SWorkingValue CTableStatistics::Ratio(const SWorkingValue& numerator, const SWorkingValue& denominator, int phase,
                                     bool signedByQuadrant)
{
    const double threshold = m_config.GetPowerThreshold(phase);
    SWorkingValue result = Combine(numerator, denominator, [&](float p, float s) {
        if (s == 0.0f || (threshold > 0.0 && threshold > double(s) * 1000.0))
            return kNaN;
        const float ratio = p / s;
        return signedByQuadrant ? std::min(std::fabs(ratio), 1.0f) : std::clamp(ratio, -1.0f, 1.0f);
    });
    if (signedByQuadrant && std::isfinite(result.value)) {
        const SWorkingValue fp = CellValue(20, phase);
        const SWorkingValue fq = CellValue(22, phase);
        if (Sign(fp.value) * Sign(fq.value) < 0)
            result.value = -result.value;
    }
    return result;
}

SWorkingValue CTableStatistics::WeightedThd(DWORD quantity, int phase)
{
    SWorkingValue product;
    const DWORD base = quantity == 29 ? 0 : 1;
    const int reference = quantity == 29 ? m_config.GetDefaultVoltageReference() : 0;
    const auto thd = Channel(quantity, phase, 0);
    const auto x = Channel(base, phase, reference);
    const ITrendChannelAccess* t = thd ? thd->GetAccess(1) : nullptr;
    const ITrendChannelAccess* v = x ? x->GetAccess(1) : nullptr;
    if (!t || !v)
        return product;
    const int last = std::min({m_range.last, int(thd->GetRecordCount()) - 1, int(x->GetRecordCount()) - 1});
    if (const CTrendTimeBlock* block = BlockOf(*thd))
        product.quality.SetRange(*block, m_range.first, last);
    double sum = 0.0;
    int finite = 0;
    for (int i = m_range.first; i <= last; ++i) {
        const float a = t->GetValue(i);
        const float b = v->GetValue(i);
        if (std::isfinite(a) && std::isfinite(b)) {
            sum += double(a) * b;
            ++finite;
        } else {
            CountNonFinite(product.quality, NonFiniteResult(a, b));
        }
    }
    product.quality.finiteCount = finite;
    Finish(product, finite > 0 ? sum / finite : 0.0);

    // Divided by the RMS of X: percent again. An RMS that is not finite follows the non-finite
    // rule rather than leaving the product (volts or amperes times percent) in the cell.
    const SWorkingValue rms = CellValue(base, phase, reference);
    SWorkingValue result = Combine(product, rms, [](float weighted, float rms) {
        return rms == 0.0f ? kNaN : weighted / rms;
    });
    // Under a finite RMS, a product without a finite mean leaves no distortion to show.
    if (result.present && IsFinite(rms) && !IsFinite(product))
        result.value = kNaN;
    return result;
}

SWorkingValue CTableStatistics::CellValue(DWORD quantity, int phase, int voltageReference)
{
    const Key key{quantity, phase, voltageReference};
    if (const auto found = m_cellValues.find(key); found != m_cellValues.end())
        return found->second;
    const SWorkingValue value = ComputeCellValue(quantity, phase, voltageReference);
    m_cellValues.emplace(key, value);
    return value;
}

SWorkingValue CTableStatistics::ComputeCellValue(DWORD quantity, int phase, int voltageReference)
{
    auto hypot = [](float a, float b) { return std::sqrt(a * a + b * b); };
    switch (quantity) {
    case 0:
    case 1:
        return SeriesAverage(quantity, phase, voltageReference, true);
    case 54:
        return phase == kTotal ? SumOfPhases(54) : SeriesAverage(54, phase, voltageReference, true);
    case 6:
        if (phase != kTotal)
            return PhaseApparentPower(phase);
        return m_config.IsSinglePhase() ? SumOfPhases(6) : EffectiveApparentPower();
    case 7:
        return Combine(CellValue(6, phase), CellValue(5, phase), [](float s, float p) {
            const float d = s * s - p * p;
            return d < 0.0f ? 0.0f : std::sqrt(d);
        });
    case 21:
        return Combine(CellValue(20, phase), CellValue(22, phase), hypot);
    // The power factor over the range is the active over the apparent energy: P over the mean of
    // the recorded S, a mean of the intervals' power factors weighted by their S. The apparent
    // power of the table (RMS voltage times RMS current) grows with every swing of the load and
    // would put it below each interval's own.
    case 8:
        return Ratio(CellValue(5, phase), SeriesAverage(6, phase, 0, false), phase, false);
    case 9:
        return Ratio(CellValue(20, phase), CellValue(21, phase), phase, false);
    case 56:
        return Ratio(CellValue(5, phase), SeriesAverage(6, phase, 0, false), phase, true);
    case 57:
        return Ratio(CellValue(20, phase), CellValue(21, phase), phase, true);
    case 29:
    case 30:
        return phase == kTotal ? SWorkingValue{} : WeightedThd(quantity, phase);
    default:
        return SeriesAverage(quantity, phase, voltageReference, false);
    }
}

namespace {

// The extreme of one series, fed value by value: the series of a triple lie side by side in
// each record, so all the extremes of a channel are taken in one walk over the records.
class CExtremeScan
{
public:
    CExtremeScan(bool maximum, const CTrendTimeBlock* block, int first, int last)
        : m_maximum(maximum), m_winning(maximum ? kInf : -kInf),
          m_best(maximum ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max())
    {
        m_result.present = true;
        if (block)
            m_result.quality.SetRange(*block, first, last);
    }

    void Add(int i, float v)
    {
        if (std::isfinite(v)) {
            ++m_result.quality.finiteCount;
            if (m_bestIndex < 0 || (m_maximum ? v > m_best : v < m_best)) {
                m_best = v;
                m_bestIndex = i;
            }
            return;
        }
        if (v == m_winning && m_firstWinning < 0)
            m_firstWinning = i; // the infinity that beats every value
        CountNonFinite(m_result.quality, v);
    }

    SWorkingValue Finish(const CTrendTimeBlock* block) const
    {
        SWorkingValue result = m_result;
        const SStatisticsRecord& q = result.quality;
        const int winningCount = m_maximum ? q.plusInfinityCount : q.minusInfinityCount;
        const int losingCount = m_maximum ? q.minusInfinityCount : q.plusInfinityCount;
        if (winningCount > 0) {
            result.value = m_winning;
            result.index = m_firstWinning;
        } else if (q.finiteCount > 0) {
            result.value = m_best;
            result.index = m_bestIndex;
            result.quality.quality = q.NonFiniteAndMissingCount() > 0 ? 1 : 0;
        } else if (q.nanCount == 0 && losingCount > 0) {
            result.value = -m_winning;
        }
        if (block && result.index >= 0)
            result.time = block->GetTime(result.index);
        return result;
    }

private:
    bool m_maximum;
    float m_winning;
    float m_best;
    int m_bestIndex = -1;
    int m_firstWinning = -1;
    SWorkingValue m_result;
};

} // namespace

template <std::size_t N>
std::array<SWorkingValue, N> CTableStatistics::Extremes(const CTrendChannel& channel,
                                                       const std::array<SExtremeRequest, N>& requests) const
{
    std::array<SWorkingValue, N> results;
    const int last = std::min(m_range.last, int(channel.GetRecordCount()) - 1);
    const CTrendTimeBlock* block = BlockOf(channel);
    std::array<const ITrendChannelAccess*, N> accesses{};
    std::vector<CExtremeScan> scans;
    scans.reserve(N);
    for (std::size_t r = 0; r < N; ++r) {
        accesses[r] = channel.GetAccess(requests[r].series);
        scans.emplace_back(requests[r].maximum, block, m_range.first, last);
    }
    for (int i = m_range.first; i <= last; ++i)
        for (std::size_t r = 0; r < N; ++r)
            if (accesses[r])
                scans[r].Add(i, accesses[r]->GetValue(i));
    for (std::size_t r = 0; r < N; ++r)
        if (accesses[r])
            results[r] = scans[r].Finish(block);
    return results;
}

int CTableStatistics::QuadrantSign(int phase, int record)
{
    auto& channel = m_signChannels[DWORD(phase)];
    if (!channel)
        channel = Channel(57, phase, 0);
    const ITrendChannelAccess* avg = channel ? channel->GetAccess(1) : nullptr;
    if (!avg || record < 0 || record >= int(channel->GetRecordCount()))
        return 0;
    return Sign(avg->GetValue(record));
}

void CTableStatistics::FillCell(DWORD quantity, int phase, SSummaryTableCell& cell)
{
    const SQuantitySelector selectors[3] = {{quantity, phase, kStatMax}, {quantity, phase, kStatMin},
                                            {quantity, phase, kStatAvg}};
    SWorkingValue values[3];
    values[SSummaryTableCell::kAvg] = CellValue(quantity, phase);
    if (const auto channel = Channel(quantity, phase, 0)) {
        // The extremes of the recorded Max and Min series, unless the averages went further (a
        // power factor too: its averages alone would make a steady one's Max and Min equal).
        auto [max, avgMax, min, avgMin] = Extremes<4>(*channel, {{{2, true}, {1, true}, {0, false}, {1, false}}});
        if (IsFinite(avgMax) && (!IsFinite(max) || max.value < avgMax.value))
            max = avgMax;
        if (IsFinite(avgMin) && (!IsFinite(min) || min.value > avgMin.value))
            min = avgMin;
        values[SSummaryTableCell::kMax] = max;
        values[SSummaryTableCell::kMin] = min;
    }
    for (int e = 0; e < 3; ++e) {
        SSummaryTableEntry& entry = cell.entries[std::size_t(e)];
        entry.selector = selectors[e];
        entry.value = values[e].value;
        entry.time = e == SSummaryTableCell::kAvg ? NullTime() : values[e].time;
        entry.quality = values[e].quality;
        entry.available = m_info.IsAvailable(selectors[e], 0) ? 1 : 0;
        entry.totalContribution = m_info.HasPhaseTotal(selectors[e]) ? 1 : 0;
        entry.sign = 0;
        // Inductive or capacitive: the quadrant of the fundamental powers at the extreme's
        // record, and over the range for the average.
        if (quantity == 8 || quantity == 9)
            entry.sign = e == SSummaryTableCell::kAvg ? Sign(CellValue(57, phase).value) : QuadrantSign(phase, values[e].index);
    }
}
