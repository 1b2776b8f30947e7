#include "study/TableStatistics.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/NonFiniteResult.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendSeries.h"
#include "datamodel/TrendTimeBlock.h"
#include "study/FigureWalk.h"
#include "study/WalkThreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <limits>
#include <set>
#include <span>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr int kTotal = CQuantityInfo::kTotalPhase;
constexpr int kPhaseToPhase = 1;
constexpr int kPhaseToNeutral = 2;
constexpr int kAvg = 1;
// What a summary that is only noted answers: present and finite, large enough that a power made of
// it clears every power threshold, so that the cells built on it ask for all their operands.
constexpr float kStandIn = 1000.0f;

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

// The quality counts of a summary of records first .. last, with the missing intervals of the
// block among them.
SStatisticsRecord QualityOf(int finite, int plus, int minus, int nan, const CTrendTimeBlock* block, int first, int last)
{
    SStatisticsRecord quality;
    if (block)
        quality.SetRange(*block, first, last);
    quality.finiteCount = finite;
    quality.plusInfinityCount = plus;
    quality.minusInfinityCount = minus;
    quality.nanCount = nan;
    return quality;
}

SStatisticsRecord QualityOf(const SSeriesSummary& s, const CTrendTimeBlock* block, int first, int last)
{
    return QualityOf(s.finiteCount, s.plusInfinityCount, s.minusInfinityCount, s.nanCount, block, first, last);
}

SStatisticsRecord QualityOf(const SDerivedSummary& s, const CTrendTimeBlock* block, int first, int last)
{
    return QualityOf(s.count, s.plusInfinityCount, s.minusInfinityCount, s.nanCount, block, first, last);
}

// The keys under which the trend items keep the figures of the tables: the weighted THD on the
// THD's item, the effective apparent power on the item of the total apparent power.
int WeightedThdFigure(DWORD thdQuantity)
{
    return 1000 + int(thdQuantity);
}
constexpr int kEffectiveApparentPowerFigure = 2000;
// The mean magnitude of a power on the power's item.
int MagnitudeFigure(DWORD quantity)
{
    return 3000 + int(quantity);
}
// The keys, beside the series 0..2, under which a power factor's item keeps its signed extremes.
constexpr int kSignedHighest = 3;
constexpr int kSignedLowest = 4;

} // namespace

SWorkingValue::SWorkingValue() : value(kNaN) {}

CTableStatistics::CTableStatistics(CTrendCache& cache, CDataSet& dataSet, const STrendAccessSpec& accessSpec,
                                   SRecordRange range, double validRatio, float apparentPowerFactor)
    : m_cache(cache), m_dataSet(dataSet), m_config(dataSet.GetMeasurementConfig()),
      m_info(dataSet.GetMeasurementConfig()), m_accessSpec(accessSpec), m_range(range), m_validRatio(validRatio),
      m_apparentPowerFactor(apparentPowerFactor), m_walks(MachineWalks())
{
}

void CTableStatistics::SetWalks(std::size_t walks)
{
    m_walks = std::clamp<std::size_t>(walks, 1, kMostWalks);
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
    const SSeriesTaken& taken = Series({quantity, phase, voltageReference, kAvg});
    if (!taken.present)
        return result;
    result.quality = QualityOf(taken.summary, taken.block, m_range.first, taken.last);
    const SSeriesSummary& summary = taken.summary;
    const double mean = summary.finiteCount > 0 ? (rms ? summary.sumOfSquares : summary.sum) / summary.finiteCount : 0.0;
    Finish(result, rms ? std::sqrt(mean) : mean);
    return result;
}

SWorkingValue CTableStatistics::MagnitudeAverage(DWORD quantity, int phase)
{
    SWorkingValue result;
    const SDerivedTaken& taken = Magnitudes({quantity, phase, 0, kAvg});
    if (!taken.present)
        return result;
    result.quality = QualityOf(taken.summary, taken.block, m_range.first, taken.last);
    const int n = taken.summary.count;
    Finish(result, n > 0 ? taken.summary.sums[0] / n : 0.0);
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
    const SDerivedTaken& taken = Effective();
    if (!taken.present)
        return result;
    result.quality = QualityOf(taken.summary, taken.block, m_range.first, taken.last);
    const int n = taken.summary.count;
    const double* sums = taken.summary.sums;
    Finish(result, n > 0 ? 3.0 * std::sqrt(sums[0] / n) * std::sqrt(sums[1] / n) : 0.0);
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
    SWorkingValue result;
    const DWORD base = quantity == 29 ? 0 : 1;
    const int reference = quantity == 29 ? m_config.GetDefaultVoltageReference() : 0;
    const SDerivedTaken& taken = Product({{quantity, phase, 0, kAvg}, {base, phase, reference, kAvg}});
    if (!taken.present)
        return result;
    result.quality = QualityOf(taken.summary, taken.block, m_range.first, taken.last);
    // The mean of THD x X over the mean of X, both over the records where both are finite: the
    // distortion weighted by the quantity it is a distortion of, so that a constant THD averages
    // to itself. Nothing to weigh by leaves no distortion to show.
    const double weights = taken.summary.sums[1];
    Finish(result, weights != 0.0 ? taken.summary.sums[0] / weights : 0.0);
    if (taken.summary.count > 0 && weights == 0.0)
        result.value = kNaN;
    // Under a finite X, a THD without a finite value leaves no distortion to show.
    if (taken.summary.count == 0 && IsFinite(CellValue(base, phase, reference)))
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
    // Q and the fundamental S from the magnitudes of each interval's powers: with power flowing
    // back part of the time the net means would shrink P (and so swell Q) and shrink Fs below
    // what any interval had. For power flowing one way they are the means themselves.
    case 7:
        return Combine(CellValue(6, phase), MagnitudeAverage(5, phase), [](float s, float p) {
            const float d = s * s - p * p;
            return d < 0.0f ? 0.0f : std::sqrt(d);
        });
    case 21:
        return Combine(MagnitudeAverage(20, phase), MagnitudeAverage(22, phase), hypot);
    // The power factor over the range is the active over the apparent energy: P over the mean of
    // the recorded S, a mean of the intervals' power factors weighted by their S. The apparent
    // power of the table (RMS voltage times RMS current) grows with every swing of the load and
    // would put it below each interval's own. The displacement power factor likewise: the net
    // fundamental active power over the fundamental apparent power of the magnitudes; both carry
    // the sign of the net flow.
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

// The extreme of a series from its summary: an infinity that beats every value wins (with the
// record of the first one), else the finite extreme with its first record; with no finite
// value the other infinity unless a NaN was seen.
SWorkingValue ExtremeOf(const SSeriesSummary& summary, bool maximum, const CTrendTimeBlock* block, int first,
                        int last)
{
    SWorkingValue result;
    result.present = true;
    result.quality = QualityOf(summary, block, first, last);
    SStatisticsRecord& q = result.quality;
    const float winning = maximum ? kInf : -kInf;
    const int winningCount = maximum ? q.plusInfinityCount : q.minusInfinityCount;
    const int losingCount = maximum ? q.minusInfinityCount : q.plusInfinityCount;
    if (winningCount > 0) {
        result.value = winning;
        result.index = maximum ? summary.firstPlusInfinity : summary.firstMinusInfinity;
    } else if (q.finiteCount > 0) {
        result.value = maximum ? summary.maximum : summary.minimum;
        result.index = maximum ? summary.maximumRecord : summary.minimumRecord;
        q.quality = q.NonFiniteAndMissingCount() > 0 ? 1 : 0;
    } else if (q.nanCount == 0 && losingCount > 0) {
        result.value = -winning;
    }
    if (block && result.index >= 0)
        result.time = block->GetTime(result.index);
    return result;
}

// The summaries a noted series or figure answers with.
SSeriesSummary StandInSummary()
{
    SSeriesSummary summary;
    summary.Add(-1, kStandIn);
    return summary;
}

SDerivedSummary StandInDerived()
{
    return {1, 0, 0, 0, {kStandIn, kStandIn}};
}

} // namespace

template <std::size_t N>
std::array<SWorkingValue, N> CTableStatistics::Extremes(DWORD quantity, int phase,
                                                       const std::array<SExtremeRequest, N>& requests)
{
    std::array<SWorkingValue, N> results;
    for (std::size_t r = 0; r < N; ++r) {
        const SSeriesTaken& taken = Series({quantity, phase, 0, requests[r].series});
        if (taken.present)
            results[r] = ExtremeOf(taken.summary, requests[r].maximum, taken.block, m_range.first, taken.last);
    }
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
        SWorkingValue max, avgMax, min, avgMin;
        if (quantity == 8 || quantity == 9) {
            // A power factor's recorded Max and Min are magnitudes; only its average carries the
            // sign of P. Signed per record, they bound what each interval had in either direction.
            const auto averages = Extremes<2>(quantity, phase, {{{1, true}, {1, false}}});
            avgMax = averages[0];
            avgMin = averages[1];
            const SSignedTaken& taken = SignedExtremes({quantity, phase});
            if (taken.present) {
                max = ExtremeOf(taken.summary.highest, true, taken.block, m_range.first, taken.last);
                min = ExtremeOf(taken.summary.lowest, false, taken.block, m_range.first, taken.last);
            }
        } else {
            const auto extremes = Extremes<4>(quantity, phase, {{{2, true}, {1, true}, {0, false}, {1, false}}});
            max = extremes[0];
            avgMax = extremes[1];
            min = extremes[2];
            avgMin = extremes[3];
        }
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

// ---- the summaries

void CTableStatistics::Prepare(std::span<const SStatisticsCell> cells, std::span<const SSeriesRequest> wholeSeries)
{
    m_collecting = true;
    SSummaryTableCell scratch;
    for (const SStatisticsCell& cell : cells)
        FillCell(cell.quantity, cell.phase, scratch);
    m_collecting = false;
    m_cellValues.clear();
    m_notedWholeSeries.assign(wholeSeries.begin(), wholeSeries.end());
    TakeNoted();
}

const CTableStatistics::SSeriesTaken& CTableStatistics::Series(const SeriesKey& key)
{
    if (const auto found = m_series.find(key); found != m_series.end())
        return found->second;
    m_notedSeries.insert(key);
    if (m_collecting) {
        static const SSeriesTaken standIn{true, StandInSummary(), nullptr, -1};
        return standIn;
    }
    TakeNoted();
    return m_series.at(key);
}

const CTableStatistics::SDerivedTaken& CTableStatistics::Product(const ProductKey& key)
{
    if (const auto found = m_products.find(key); found != m_products.end())
        return found->second;
    m_notedProducts.insert(key);
    if (m_collecting) {
        static const SDerivedTaken standIn{true, StandInDerived(), nullptr, -1};
        return standIn;
    }
    TakeNoted();
    return m_products.at(key);
}

const CTableStatistics::SDerivedTaken& CTableStatistics::Magnitudes(const SeriesKey& key)
{
    if (const auto found = m_magnitudes.find(key); found != m_magnitudes.end())
        return found->second;
    m_notedMagnitudes.insert(key);
    if (m_collecting) {
        static const SDerivedTaken standIn{true, StandInDerived(), nullptr, -1};
        return standIn;
    }
    TakeNoted();
    return m_magnitudes.at(key);
}

const CTableStatistics::SSignedTaken& CTableStatistics::SignedExtremes(const SignedKey& key)
{
    if (const auto found = m_signed.find(key); found != m_signed.end())
        return found->second;
    m_notedSigned.insert(key);
    if (m_collecting) {
        static const SSignedTaken standIn{true, {StandInSummary(), StandInSummary()}, nullptr, -1};
        return standIn;
    }
    TakeNoted();
    return m_signed.at(key);
}

const CTableStatistics::SDerivedTaken& CTableStatistics::Effective()
{
    if (m_effective)
        return *m_effective;
    m_notedEffective = true;
    if (m_collecting) {
        static const SDerivedTaken standIn{true, StandInDerived(), nullptr, -1};
        return standIn;
    }
    TakeNoted();
    return *m_effective;
}

bool CTableStatistics::IsWholeRange(DWORD quantity, int last, const CDataItemTrend& item) const
{
    const bool scaled = (quantity == 54 || quantity == 55) && m_apparentPowerFactor != 1.0f;
    return !scaled && m_range.first == 0 && last == item.GetRecordCount() - 1;
}

void CTableStatistics::TakeNoted()
{
    // A noted series: its channel, the accessor of the series and the column that reads it in
    // the walk.
    struct SResolved
    {
        std::unique_ptr<CTrendChannel> channel;
        const ITrendChannelAccess* access = nullptr;
        const CTrendTimeBlock* block = nullptr;
        int last = -1;
        int column = -1;
    };
    CFigureWalk walk;
    std::map<SeriesKey, SResolved> resolved;
    const auto resolve = [&](const SeriesKey& key) -> SResolved& {
        auto [at, added] = resolved.try_emplace(key);
        if (added) {
            const auto& [quantity, phase, reference, series] = key;
            at->second.channel = Channel(quantity, phase, reference);
            if (const CTrendChannel* channel = at->second.channel.get()) {
                at->second.access = channel->GetAccess(series);
                at->second.block = BlockOf(*channel);
                at->second.last = std::min(m_range.last, int(channel->GetRecordCount()) - 1);
            }
        }
        return at->second;
    };
    const auto column = [&](SResolved* series) {
        if (!series)
            return -1;
        if (series->column < 0)
            series->column = walk.Read(*series->access, series->last);
        return series->column;
    };
    // A figure over the item's whole records that the item keeps already is taken from it; one
    // the walk takes is kept afterwards.
    const auto wholeItem = [&](const SResolved& series, DWORD quantity) -> const CDataItemTrend* {
        const CDataItemTrend* item = series.channel->GetItem();
        return item && IsWholeRange(quantity, series.last, *item) ? item : nullptr;
    };

    struct SSeriesKept
    {
        const CDataItemTrend* item;
        DWORD quantity;
        DWORD phase;
        int series;
        const SSeriesSummary* summary;
    };
    std::vector<SSeriesKept> seriesKept;
    struct SDerivedKept
    {
        const CDataItemTrend* item;
        int kind;
        DWORD phase;
        const SDerivedSummary* summary;
    };
    std::vector<SDerivedKept> derivedKept;
    for (const SeriesKey& key : m_notedSeries) {
        if (m_series.count(key))
            continue;
        SSeriesTaken& taken = m_series[key];
        SResolved& series = resolve(key);
        if (!series.access)
            continue;
        taken = {true, {}, series.block, series.last};
        const auto& [quantity, phase, reference, which] = key;
        const CDataItemTrend* keeper = wholeItem(series, quantity);
        if (const SSeriesSummary* kept = keeper ? keeper->FindSeriesSummary(quantity, DWORD(phase), which) : nullptr) {
            taken.summary = *kept;
            continue;
        }
        walk.Summarise(*series.access, series.last, taken.summary);
        if (keeper)
            seriesKept.push_back({keeper, quantity, DWORD(phase), which, &taken.summary});
    }
    // Whole series the page asks for besides, when the walk can start at their first record.
    std::set<std::tuple<const CDataItemTrend*, DWORD, DWORD, int>> summarised;
    for (const SSeriesKept& kept : seriesKept)
        summarised.insert({kept.item, kept.quantity, kept.phase, kept.series});
    std::vector<std::unique_ptr<CTrendChannel>> wholeChannels;
    std::vector<SSeriesSummary> wholeSummaries(m_notedWholeSeries.size());
    for (std::size_t k = 0; k < m_notedWholeSeries.size(); ++k) {
        const SSeriesRequest& request = m_notedWholeSeries[k];
        if (m_range.first != 0 || request.item->FindSeriesSummary(request.quantity, request.phase, request.series) ||
            !summarised.insert({request.item, request.quantity, request.phase, request.series}).second)
            continue;
        auto channel = request.item->GetChannel(request.quantity, request.phase);
        if (const ITrendChannelAccess* access = channel->GetAccess(request.series)) {
            const int last = request.item->GetRecordCount() - 1;
            SSeriesSummary& summary = wholeSummaries[k];
            walk.Summarise(*access, last, summary);
            seriesKept.push_back({request.item, request.quantity, request.phase, request.series, &summary});
            wholeChannels.push_back(std::move(channel));
        }
    }

    for (const ProductKey& key : m_notedProducts) {
        if (m_products.count(key))
            continue;
        SDerivedTaken& taken = m_products[key];
        SResolved& thd = resolve(key.first);
        SResolved& weight = resolve(key.second);
        if (!thd.access || !weight.access)
            continue;
        taken = {true, {}, thd.block, std::min(thd.last, weight.last)};
        const DWORD quantity = std::get<0>(key.first);
        const DWORD phase = DWORD(std::get<1>(key.first));
        const CDataItemTrend* keeper = taken.last == thd.last ? wholeItem(thd, quantity) : nullptr;
        const int kind = WeightedThdFigure(quantity);
        if (const SDerivedSummary* kept = keeper ? keeper->FindDerivedSummary(kind, phase) : nullptr) {
            taken.summary = *kept;
            continue;
        }
        walk.AddProduct(column(&thd), column(&weight), taken.last, taken.summary);
        if (keeper)
            derivedKept.push_back({keeper, kind, phase, &taken.summary});
    }

    for (const SeriesKey& key : m_notedMagnitudes) {
        if (m_magnitudes.count(key))
            continue;
        SDerivedTaken& taken = m_magnitudes[key];
        SResolved& series = resolve(key);
        if (!series.access)
            continue;
        taken = {true, {}, series.block, series.last};
        const DWORD quantity = std::get<0>(key);
        const DWORD phase = DWORD(std::get<1>(key));
        const CDataItemTrend* keeper = wholeItem(series, quantity);
        const int kind = MagnitudeFigure(quantity);
        if (const SDerivedSummary* kept = keeper ? keeper->FindDerivedSummary(kind, phase) : nullptr) {
            taken.summary = *kept;
            continue;
        }
        // Of a total: the phases it is the sum of.
        std::array<int, 3> phases{-1, -1, -1};
        for (int k = 0; k < 3 && int(phase) == kTotal; ++k) {
            const SQuantitySelector part{quantity, k, kStatAvg};
            if (!m_info.IsAvailable(part, 0) || m_info.HasPhaseTotal(part))
                continue;
            SResolved& phaseSeries = resolve({quantity, k, 0, kAvg});
            if (phaseSeries.access && phaseSeries.last >= taken.last)
                phases[std::size_t(k)] = column(&phaseSeries);
        }
        walk.AddMagnitude(column(&series), phases, taken.last, taken.summary);
        if (keeper)
            derivedKept.push_back({keeper, kind, phase, &taken.summary});
    }

    for (const SignedKey& key : m_notedSigned) {
        if (m_signed.count(key))
            continue;
        SSignedTaken& taken = m_signed[key];
        const auto& [quantity, phase] = key;
        SResolved& min = resolve({quantity, phase, 0, 0});
        SResolved& max = resolve({quantity, phase, 0, 2});
        SResolved& avg = resolve({quantity, phase, 0, kAvg});
        if (!min.access || !max.access || !avg.access)
            continue;
        taken = {true, {}, avg.block, avg.last};
        const CDataItemTrend* keeper = wholeItem(avg, quantity);
        const SSeriesSummary* highest = keeper ? keeper->FindSeriesSummary(quantity, DWORD(phase), kSignedHighest) : nullptr;
        const SSeriesSummary* lowest = keeper ? keeper->FindSeriesSummary(quantity, DWORD(phase), kSignedLowest) : nullptr;
        if (highest && lowest) {
            taken.summary = {*highest, *lowest};
            continue;
        }
        walk.AddSigned(column(&min), column(&max), column(&avg), taken.last, taken.summary.highest,
                       taken.summary.lowest);
        if (keeper) {
            seriesKept.push_back({keeper, quantity, DWORD(phase), kSignedHighest, &taken.summary.highest});
            seriesKept.push_back({keeper, quantity, DWORD(phase), kSignedLowest, &taken.summary.lowest});
        }
    }

    if (m_notedEffective && !m_effective) {
        SDerivedTaken& taken = m_effective.emplace();
        SResolved& total = resolve({6, kTotal, 0, kAvg});
        if (total.access) {
            taken = {true, {}, total.block, total.last};
            const CDataItemTrend* keeper = wholeItem(total, 6);
            const SDerivedSummary* kept =
                keeper ? keeper->FindDerivedSummary(kEffectiveApparentPowerFigure, kTotal) : nullptr;
            if (kept) {
                taken.summary = *kept;
            } else {
                // The phase-to-neutral voltages, then the phase-to-phase ones.
                std::array<int, 6> voltages{};
                for (int k = 0; k < 6; ++k) {
                    SResolved& voltage = resolve({0, k % 3, k < 3 ? kPhaseToNeutral : kPhaseToPhase, kAvg});
                    voltages[std::size_t(k)] = voltage.access ? column(&voltage) : -1;
                }
                walk.AddEffective(column(&total), voltages, taken.last, taken.summary);
                if (keeper)
                    derivedKept.push_back({keeper, kEffectiveApparentPowerFigure, kTotal, &taken.summary});
            }
        }
    }

    // The walk's further threads only read: the records, the items' series and the channels'
    // accessors are all made before they start, and what the items keep is written after they
    // end.
    walk.Walk(m_range.first, m_walks);

    for (const SSeriesKept& kept : seriesKept)
        kept.item->KeepSeriesSummary(kept.quantity, kept.phase, kept.series, *kept.summary);
    for (const SDerivedKept& kept : derivedKept)
        kept.item->KeepDerivedSummary(kept.kind, kept.phase, *kept.summary);
    m_notedSeries.clear();
    m_notedProducts.clear();
    m_notedMagnitudes.clear();
    m_notedSigned.clear();
    m_notedEffective = false;
    m_notedWholeSeries.clear();
}
