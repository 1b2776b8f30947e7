#pragma once
// One session's block of the demand tables: the energies drawn and returned, the maximum demand
// with its time, the tariff's and the logger's prices and the texts of the block's panel.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "project/EnergyCosts.h"
#include "project/ViewSettingsRecords.h"
#include "study/StatisticsRecord.h"
#include "study/SummaryTableData.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

// A session's choice between the logger's price ("standard") and its own tariff ("advanced"),
// kept per session in the demand graph's settings.
using SCostTableChoice = SDemandCostTable;

struct structDemandTableData
{
    static constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

    CString name;
    std::uint8_t hidden = 0;
    CString infoText;
    double forwardEnergy = kNoValue; // kWh
    SStatisticsRecord forwardQuality;
    double reverseEnergy = kNoValue; // kWh, a magnitude
    SStatisticsRecord reverseQuality;
    double totalEnergy = kNoValue;
    SStatisticsRecord totalQuality;
    double maximumDemand = kNoValue; // kW
    SStatisticsRecord maximumDemandQuality;
    CHighTime maximumDemandTime = NullTime();
    std::uint8_t tariffEnabled = 0;
    CString tariffCostText;
    CString tariffCurrency;
    double tariffForwardCost = kNoValue;
    double tariffReverseCost = kNoValue;
    // Records the tariff could not price; their cost is missing, not 0.
    std::int32_t tariffUnpricedCount = 0;
    // The record count of the block the values came from; -1 before the first computation.
    std::int32_t dataVersion = -1;
    // The tariff the costs were computed at: wherever the user changes it, the costs follow.
    CEnergyCosts pricedTariff;
    CString loggerCostText;
    CString loggerCurrency;
    double loggerForwardPrice = 0.0;
    double loggerReversePrice = 0.0;

    // Back to the state before any computation; name and hidden flag stay.
    void ClearValues();
    // Whether any of the four values is finite and computed from incomplete data.
    bool HasMarkedValue() const;
};

using DemandBlocks = std::vector<std::unique_ptr<structDemandTableData>>;

// One energy sum over a record range: its value and quality, the sum of the finite energies and
// of their costs at the tariff's prices.
struct SEnergySum
{
    double value = 0.0;
    SStatisticsRecord quality;
    double energySum = 0.0;
    double costSum = 0.0;

    // Inline: it runs twice per record of every refill.
    void Add(double energy, double price)
    {
        if (std::isfinite(energy)) {
            ++quality.finiteCount;
            energySum += energy;
            costSum += energy * price;
        } else if (std::isnan(energy)) {
            ++quality.nanCount;
        } else if (energy > 0) {
            ++quality.plusInfinityCount;
        } else {
            ++quality.minusInfinityCount;
        }
    }
    // The value and quality flag once every record is in (threshold of the valid ratio).
    void Finish(double validRatio);
};

// The largest energy per interval of a range, with the time of its interval.
struct SMaxDemandResult
{
    double value = std::numeric_limits<double>::quiet_NaN();
    CHighTime time = NullTime();
    SStatisticsRecord quality;
};
