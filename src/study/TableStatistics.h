#pragma once
// CTableStatistics: Max, Min and Avg of the quantities of one session over one record range, as
// the study tables show them. Avg values of derived quantities (apparent and reactive power,
// power factors, THD) are computed from the averages of their operands, each operand once per
// fill. Values that cannot be computed stay NaN or +/-infinity; the quality record of each
// value tells how many intervals were valid.
#include "datamodel/QuantityInfo.h"
#include "datamodel/RecordRange.h"
#include "datamodel/TrendAccess.h"
#include "study/SummaryTableData.h"

#include <array>
#include <map>
#include <memory>
#include <tuple>

class CDataItemTrend;
class CDataSet;
class CMeasurementConfig;
class CTrendCache;
class CTrendChannel;
class CTrendTimeBlock;

// One computed value with its quality; never kept beyond a fill.
struct SWorkingValue
{
    float value;
    CHighTime time = NullTime(); // of an extreme: the record's time (the first +/-infinity when that wins)
    SStatisticsRecord quality;
    int index = -1; // record of the extreme
    bool present = false; // false: an operand had no trend data; the value stays NaN

    SWorkingValue();
};

class CTableStatistics
{
public:
    // `range` indexes the records of the blocks at `accessSpec`; `apparentPowerFactor` scales the
    // estimated apparent power and energy (quantities 54, 55).
    CTableStatistics(CTrendCache& cache, CDataSet& dataSet, const STrendAccessSpec& accessSpec, SRecordRange range,
                     double validRatio, float apparentPowerFactor = 1.0f);
    ~CTableStatistics();

    // The Max, Min and Avg entries of quantity `quantity` at phase 0, 1, 2 or 5.
    void FillCell(DWORD quantity, int phase, SSummaryTableCell& cell);
    // The Avg value (memoised by quantity, phase and voltage reference; 0 = the default one).
    SWorkingValue CellValue(DWORD quantity, int phase, int voltageReference = 0);

private:
    using Key = std::tuple<DWORD, int, int>;

    std::unique_ptr<CTrendChannel> Channel(DWORD quantity, int phase, int voltageReference);
    SWorkingValue ComputeCellValue(DWORD quantity, int phase, int voltageReference);
    SWorkingValue SeriesAverage(DWORD quantity, int phase, int voltageReference, bool rms);
    SWorkingValue PhaseApparentPower(int phase);
    SWorkingValue EffectiveApparentPower();
    SWorkingValue SumOfPhases(DWORD quantity);
    SWorkingValue Ratio(const SWorkingValue& numerator, const SWorkingValue& denominator, int phase,
                        bool signedByQuadrant);
    SWorkingValue WeightedThd(DWORD quantity, int phase);
    struct SExtremeRequest
    {
        int series;
        bool maximum;
    };
    // The extremes of series of the channel over the range, taken in one walk over the records
    // (a series without an accessor leaves its result absent).
    template <std::size_t N>
    std::array<SWorkingValue, N> Extremes(const CTrendChannel& channel,
                                          const std::array<SExtremeRequest, N>& requests) const;
    // The finishing rules of an aggregate over the range.
    void Finish(SWorkingValue& result, double aggregate) const;
    // A sign indicator from the signed displacement power factor at the record of the extreme.
    int QuadrantSign(int phase, int record);
    // The block of the item, for the missing intervals; null without an item.
    const CTrendTimeBlock* BlockOf(const CTrendChannel& channel) const;

    CTrendCache& m_cache;
    CDataSet& m_dataSet;
    const CMeasurementConfig& m_config;
    CQuantityInfo m_info;
    STrendAccessSpec m_accessSpec;
    SRecordRange m_range;
    double m_validRatio;
    float m_apparentPowerFactor;
    std::map<Key, SWorkingValue> m_cellValues;
    std::map<DWORD, std::unique_ptr<CTrendChannel>> m_signChannels;
};
