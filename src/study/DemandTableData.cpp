#include "study/DemandTableData.h"

#include <cmath>

void structDemandTableData::ClearValues()
{
    forwardEnergy = reverseEnergy = totalEnergy = maximumDemand = kNoValue;
    forwardQuality.Clear();
    reverseQuality.Clear();
    totalQuality.Clear();
    maximumDemandQuality.Clear();
    maximumDemandTime = NullTime();
    tariffForwardCost = tariffReverseCost = kNoValue;
    tariffUnpricedCount = 0;
    infoText.Empty();
    loggerCostText.Empty();
}

bool structDemandTableData::HasMarkedValue() const
{
    const auto marked = [](double value, const SStatisticsRecord& quality) {
        return std::isfinite(value) && quality.quality != 0;
    };
    return marked(forwardEnergy, forwardQuality) || marked(reverseEnergy, reverseQuality) ||
           marked(totalEnergy, totalQuality) || marked(maximumDemand, maximumDemandQuality);
}

void SEnergySum::Finish(double validRatio)
{
    if (quality.finiteCount == 0) {
        value = quality.NonFiniteResult();
        quality.quality = 0;
        energySum = costSum = structDemandTableData::kNoValue;
        return;
    }
    value = energySum;
    if (quality.IsTooFew(validRatio))
        quality.quality = 2;
    else
        quality.quality = quality.NonFiniteAndMissingCount() > 0 ? 1 : 0;
}
