#include "study/DemandComputation.h"

#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/NonFiniteResult.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/EnergyCostSchedule.h"

#include <cmath>
#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

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
    void Add(float v, int k)
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
            result.value = std::numeric_limits<float>::infinity();
            result.time = block.GetTime(m_firstInfinity);
        } else if (m_maximumIndex >= 0 && m_maximum != kLowest) {
            result.value = m_maximum;
            result.time = block.GetTime(m_maximumIndex);
            q.quality = q.NonFiniteAndMissingCount() > 0 ? 1 : 0;
        } else if (q.nanCount == 0 && q.minusInfinityCount > 0) {
            result.value = -std::numeric_limits<float>::infinity();
        }
        return result;
    }

private:
    static constexpr float kLowest = std::numeric_limits<float>::lowest();
    SStatisticsRecord m_quality;
    float m_maximum = kLowest;
    int m_maximumIndex = -1;
    int m_firstInfinity = -1;
};

} // namespace

void ComputeDemandValues(const CTrendTimeBlock& block, const ITrendChannelAccess* forward,
                         const ITrendChannelAccess* reverse, SRecordRange range, CEnergyCostSchedule& schedule,
                         double validRatio, structDemandTableData& data)
{
    SEnergySum forwardSum;
    SEnergySum reverseSum;
    CMaximumDemandScan maximum;
    int unpriced = 0;
    for (int k = range.first; k <= range.last; ++k) {
        const float f = forward ? forward->GetValue(k) : kNaN;
        const float r = reverse ? reverse->GetValue(k) : kNaN;
        maximum.Add(f, k);
        const SEnergyCostSegment& prices = schedule.GetCostsAt(block.GetBeginTime(k), block.GetEndTime(k));
        if (IsPriced(schedule, prices)) {
            forwardSum.Add(f, prices.costFwd);
            reverseSum.Add(r, prices.costRev);
        } else {
            // The energy counts, its cost is unknown: it is left out and the count tells so.
            forwardSum.Add(f, 0.0);
            reverseSum.Add(r, 0.0);
            if (std::isfinite(f) || std::isfinite(r))
                ++unpriced;
        }
    }
    for (SEnergySum* sum : {&forwardSum, &reverseSum}) {
        sum->quality.SetRange(block, range.first, range.last);
        sum->Finish(validRatio);
    }

    data.forwardEnergy = forward ? forwardSum.value : structDemandTableData::kNoValue;
    data.forwardQuality = forward ? forwardSum.quality : SStatisticsRecord{};
    data.tariffForwardCost = forward ? forwardSum.costSum : structDemandTableData::kNoValue;
    data.reverseEnergy = reverse ? reverseSum.value : structDemandTableData::kNoValue;
    data.reverseQuality = reverse ? reverseSum.quality : SStatisticsRecord{};
    data.tariffReverseCost = reverse ? reverseSum.costSum : structDemandTableData::kNoValue;
    data.tariffUnpricedCount = unpriced;
    // The logger counts returned energy negative; the table shows its magnitude.
    if (std::isfinite(data.reverseEnergy)) {
        data.reverseEnergy = std::fabs(data.reverseEnergy);
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
    if (!forward || block.GetIntervalSeconds() <= 0)
        return;
    const SMaxDemandResult result = maximum.Finish(block, range);
    // Energy per interval in kWh becomes the interval's average power in kW.
    data.maximumDemand = 3600.0 / block.GetIntervalSeconds() * double(result.value);
    data.maximumDemandQuality = result.quality;
    data.maximumDemandTime = result.time;
}
