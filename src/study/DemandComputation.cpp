#include "study/DemandComputation.h"
#include "study/WalkThreads.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/NonFiniteResult.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/EnergyCostSchedule.h"
#include "platform/framework/LocaleNumber.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// The schedule answers records it cannot place with a segment of its own outside its table.
bool IsPriced(const CEnergyCostSchedule& schedule, const SEnergyCostSegment& segment)
{
    const auto& segments = schedule.GetSegments();
    return !segments.empty() && &segment >= segments.data() && &segment < segments.data() + segments.size();
}

// The largest finite energy per interval and where it is; a +infinity wins at its first record.
class CMaximumDemandScan
{
public:
    void Add(double v, int k)
    {
        if (std::isfinite(v)) {
            ++m_quality.finiteCount;
            if (v > m_maximum) {
                m_maximum = v;
                m_maximumIndex = k;
            }
        } else if (std::isnan(v)) {
            ++m_quality.nanCount;
        } else if (v > 0) {
            if (m_firstInfinity < 0)
                m_firstInfinity = k;
            ++m_quality.plusInfinityCount;
        } else {
            ++m_quality.minusInfinityCount;
        }
    }

    SMaxDemandResult Finish(const CTrendTimeBlock& block, SRecordRange range) const
    {
        SMaxDemandResult result;
        result.quality = m_quality;
        SStatisticsRecord& q = result.quality;
        q.SetRange(block, range.first, range.last);
        if (m_firstInfinity >= 0) {
            result.value = std::numeric_limits<double>::infinity();
            result.time = block.GetTime(m_firstInfinity);
        } else if (m_maximumIndex >= 0 && m_maximum != kLowest) {
            result.value = m_maximum;
            result.time = block.GetTime(m_maximumIndex);
            q.quality = q.NonFiniteAndMissingCount() > 0 ? 1 : 0;
        } else if (q.nanCount == 0 && q.minusInfinityCount > 0) {
            result.value = -std::numeric_limits<double>::infinity();
        }
        return result;
    }

private:
    static constexpr double kLowest = std::numeric_limits<double>::lowest();
    SStatisticsRecord m_quality;
    double m_maximum = kLowest;
    int m_maximumIndex = -1;
    int m_firstInfinity = -1;
};

// Values first .. first + count - 1 of each series as their records hold them. Each stands alone:
// a long run is read in stretches by the walk threads, taken by whichever is free, every series of
// a stretch in turn while its records are still cached.
void ReadWrittenShared(const std::vector<const CTrendSeries*>& series, std::size_t first, std::size_t count,
                       const std::vector<double*>& values)
{
    constexpr std::size_t kStretch = 8192;
    constexpr std::size_t kShared = 3 * kStretch;
    const auto readStretch = [&](std::size_t at, std::size_t n) {
        for (std::size_t k = 0; k < series.size(); ++k)
            series[k]->ReadWritten(first + at, n, values[k] + at);
    };
    if (count < kShared) {
        readStretch(0, count);
        return;
    }
    const std::size_t stretches = (count + kStretch - 1) / kStretch;
    std::atomic<std::size_t> next{0};
    const auto read = [&] {
        for (std::size_t k = next++; k < stretches; k = next++)
            readStretch(k * kStretch, std::min(kStretch, count - k * kStretch));
    };
    RunWithWalkThreads(std::min(MachineWalks(), stretches) - 1, read, read);
}

// The energies of one quantity as RecordedEnergies gives them, where they cannot be read from the
// records straight: shown values, or a grouped item's sums of its base records.
std::vector<double> GroupedOrShownEnergies(const ITrendChannelAccess& access, const CTrendSeries* written,
                                           const CDataItemTrend& item, SRecordRange range)
{
    const int count = range.GetCount();
    std::vector<double> energies(static_cast<std::size_t>(count));
    std::vector<float> shown(static_cast<std::size_t>(count));
    access.ReadValues(range.first, count, shown.data());
    std::copy(shown.begin(), shown.end(), energies.begin());
    if (!written)
        return energies;
    const auto& groups = item.GetTimeBlock()->GetGroups();
    for (int i = 0; i < count; ++i) {
        const std::size_t record = std::size_t(range.first + i);
        if (std::isfinite(shown[std::size_t(i)]) && record < groups.size()) {
            // As the grouping summed it: the finite values of the group's records.
            double sum = 0.0;
            for (int k = groups[record].first; k <= groups[record].second; ++k)
                if (const double v = written->Written(std::size_t(k)); std::isfinite(v))
                    sum += v;
            energies[std::size_t(i)] = sum;
        }
    }
    return energies;
}

} // namespace

std::vector<std::vector<double>> RecordedEnergies(const CDataItemTrend& item, const CDataItemTrend* base,
                                                  std::span<const DWORD> quantities, SRecordRange range)
{
    std::vector<std::vector<double>> energies(quantities.size());
    const int count = range.GetCount();
    if (count <= 0)
        return energies;
    // The series read straight from the records are read together, in one pass over them.
    std::vector<const CTrendSeries*> straight;
    std::vector<double*> into;
    for (std::size_t q = 0; q < quantities.size(); ++q) {
        const auto channel = item.GetChannel(quantities[q], 0);
        const ITrendChannelAccess* access = channel ? channel->GetAccess(1) : nullptr;
        if (!access)
            continue;
        // The series of the records themselves: the base item's for a grouped item.
        const auto baseChannel = base ? base->GetChannel(quantities[q], 0) : nullptr;
        const ITrendChannelAccess* baseAccess = base ? (baseChannel ? baseChannel->GetAccess(1) : nullptr) : access;
        const CTrendSeries* written = baseAccess ? baseAccess->GetUnchangedSeries() : nullptr;
        if (written && !base) {
            energies[q].resize(static_cast<std::size_t>(count));
            straight.push_back(written);
            into.push_back(energies[q].data());
        } else {
            energies[q] = GroupedOrShownEnergies(*access, written, item, range);
        }
    }
    if (!straight.empty())
        ReadWrittenShared(straight, std::size_t(range.first), std::size_t(count), into);
    return energies;
}

void ComputeDemandValues(const CTrendTimeBlock& block, std::span<const double> forward, std::span<const double> reverse,
                         SRecordRange range, CEnergyCostSchedule& schedule, double validRatio,
                         structDemandTableData& data)
{
    SEnergySum forwardSum;
    SEnergySum reverseSum;
    CMaximumDemandScan maximum;
    int unpriced = 0;
    const int count = range.GetCount();
    const bool hasForward = int(forward.size()) >= count && count > 0;
    const bool hasReverse = int(reverse.size()) >= count && count > 0;
    constexpr double kNoEnergy = std::numeric_limits<double>::quiet_NaN();
    // The block keeps its times in arrays: the range's are read in place.
    const CHighTime* begins = &block.GetBeginTime(range.first);
    const CHighTime* ends = &block.GetEndTime(range.first);
    const SEnergyCostSegment* lastPrices = nullptr;
    double forwardPrice = 0.0;
    double reversePrice = 0.0;
    for (int run = 0; run < count;) {
        const SEnergyCostSegment* prices = nullptr;
        const int length = schedule.GetCostsRun(begins + run, ends + run, count - run, prices);
        const bool priced = IsPriced(schedule, *prices);
        // The energy of an unpriced record counts, its cost is unknown: it is left out and the
        // count tells so.
        if (prices != lastPrices) {
            lastPrices = prices;
            forwardPrice = priced ? TypedDecimal(prices->costFwd) : 0.0;
            reversePrice = priced ? TypedDecimal(prices->costRev) : 0.0;
        }
        for (int i = run; i < run + length; ++i) {
            const double f = hasForward ? forward[std::size_t(i)] : kNoEnergy;
            const double r = hasReverse ? reverse[std::size_t(i)] : kNoEnergy;
            maximum.Add(f, range.first + i);
            forwardSum.Add(f, forwardPrice);
            reverseSum.Add(r, reversePrice);
            if (!priced && (std::isfinite(f) || std::isfinite(r)))
                ++unpriced;
        }
        run += length;
    }
    for (SEnergySum* sum : {&forwardSum, &reverseSum}) {
        sum->quality.SetRange(block, range.first, range.last);
        sum->Finish(validRatio);
    }

    data.forwardEnergy = hasForward ? forwardSum.value : structDemandTableData::kNoValue;
    data.forwardQuality = hasForward ? forwardSum.quality : SStatisticsRecord{};
    data.tariffForwardCost = hasForward ? forwardSum.costSum : structDemandTableData::kNoValue;
    data.reverseEnergy = hasReverse ? reverseSum.value : structDemandTableData::kNoValue;
    data.reverseQuality = hasReverse ? reverseSum.quality : SStatisticsRecord{};
    data.tariffReverseCost = hasReverse ? reverseSum.costSum : structDemandTableData::kNoValue;
    data.tariffUnpricedCount = unpriced;
    // Returned energy is a magnitude, whichever sign the logger wrote it with, and what it earns
    // follows it: the amount subtracts it from the cost of what was drawn.
    if (std::isfinite(data.reverseEnergy) && data.reverseEnergy < 0.0) {
        data.reverseEnergy = -data.reverseEnergy;
        data.tariffReverseCost = data.tariffReverseCost == 0.0 ? 0.0 : -data.tariffReverseCost;
    }
    if (std::isfinite(data.forwardEnergy) && std::isfinite(data.reverseEnergy))
        data.totalEnergy = data.forwardEnergy - data.reverseEnergy;
    else
        data.totalEnergy = NonFiniteResult(float(data.forwardEnergy), float(data.reverseEnergy));
    data.totalQuality.Clear();
    data.totalQuality.Merge(data.forwardQuality);
    data.totalQuality.Merge(data.reverseQuality);

    data.maximumDemand = structDemandTableData::kNoValue;
    data.maximumDemandQuality.Clear();
    data.maximumDemandTime = NullTime();
    if (!hasForward || block.GetIntervalSeconds() <= 0)
        return;
    const SMaxDemandResult result = maximum.Finish(block, range);
    // Energy per interval in kWh becomes the interval's average power in kW.
    data.maximumDemand = 3600.0 / block.GetIntervalSeconds() * result.value;
    data.maximumDemandQuality = result.quality;
    data.maximumDemandTime = result.time;
}
