#include "study/DemandComputation.h"

#include "datamodel/ITrendChannelAccess.h"
#include "datamodel/TrendChannelAccess.h"
#include "datamodel/NonFiniteResult.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/EnergyCostSchedule.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

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

// A channel's values over a record range, read once: in place when the accessor only copies,
// otherwise through it into an array; not a number throughout without a channel.
class CSeriesValues
{
public:
    CSeriesValues(const ITrendChannelAccess* access, SRecordRange range)
    {
        const int count = range.GetCount();
        if (const auto* copy = dynamic_cast<const TrendChannelAccessCopy*>(access)) {
            m_values = copy->GetValues() + range.first;
            return;
        }
        m_copy.assign(std::size_t(std::max(count, 0)), kNaN);
        if (access && count > 0)
            access->ReadValues(range.first, count, m_copy.data());
        m_values = m_copy.data();
    }
    CSeriesValues(const CSeriesValues&) = delete;
    CSeriesValues& operator=(const CSeriesValues&) = delete;

    // i counts from the range's first record.
    float operator[](int i) const { return m_values[i]; }

private:
    std::vector<float> m_copy;
    const float* m_values = nullptr;
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
    const CSeriesValues forwardValues(forward, range);
    const CSeriesValues reverseValues(reverse, range);
    // The block keeps its times in arrays: the range's are read in place.
    const CHighTime* begins = &block.GetBeginTime(range.first);
    const CHighTime* ends = &block.GetEndTime(range.first);
    const int count = range.GetCount();
    for (int run = 0; run < count;) {
        const SEnergyCostSegment* prices = nullptr;
        const int length = schedule.GetCostsRun(begins + run, ends + run, count - run, prices);
        const bool priced = IsPriced(schedule, *prices);
        // The energy of an unpriced record counts, its cost is unknown: it is left out and the
        // count tells so.
        const double forwardPrice = priced ? double(prices->costFwd) : 0.0;
        const double reversePrice = priced ? double(prices->costRev) : 0.0;
        for (int i = run; i < run + length; ++i) {
            const float f = forwardValues[i];
            const float r = reverseValues[i];
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
