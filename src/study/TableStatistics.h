#pragma once
// CTableStatistics: Max, Min and Avg of the quantities of one session over one record range, as
// the study tables show them. Avg values of derived quantities (apparent and reactive power,
// power factors, THD) are computed from the averages of their operands, each operand once per
// fill. Powers that are magnitudes (Q, the fundamental S) take the magnitudes of each interval's
// P, Fp and Fq (of each phase, for a total), so that power flowing back part of the time or on
// some phases does not net them out; the power factors divide the net active power by them. Values that cannot be computed stay NaN or +/-infinity; the quality record of each
// value tells how many intervals were valid.
// Every value is made of a few summaries of series over the range (sums, counts, extremes, the
// sum of products of two series, the effective apparent power). Prepare takes all the summaries
// the cells of a table need in one walk over the records (a long run in stretches that several
// threads take); summaries of a whole series are kept with its trend item, where the graph's
// scales and the other table find them.
#include "datamodel/QuantityInfo.h"
#include "datamodel/RecordRange.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/TrendAccess.h"
#include "study/SummaryTableData.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

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

// A cell of a table row: a quantity at phase 0, 1, 2 or 5.
struct SStatisticsCell
{
    DWORD quantity;
    int phase;
};

class CTableStatistics
{
public:
    // `range` indexes the records of the blocks at `accessSpec`; `apparentPowerFactor` scales the
    // estimated apparent power and energy (quantities 54, 55).
    CTableStatistics(CTrendCache& cache, CDataSet& dataSet, const STrendAccessSpec& accessSpec, SRecordRange range,
                     double validRatio, float apparentPowerFactor = 1.0f);
    ~CTableStatistics();

    // Takes the summaries every one of these cells is computed from in one walk over the
    // records, and in the same walk the summaries of whole series of trend items that the page
    // asks for besides (those its graph takes its scales from), which their items keep. Without
    // it each cell takes its own.
    void Prepare(std::span<const SStatisticsCell> cells, std::span<const SSeriesRequest> wholeSeries = {});
    // The threads that take a long run's figures, 1 to kMostWalks (MachineWalks() unless set);
    // the figures are the same however many.
    void SetWalks(std::size_t walks);
    // The Max, Min and Avg entries of quantity `quantity` at phase 0, 1, 2 or 5.
    void FillCell(DWORD quantity, int phase, SSummaryTableCell& cell);
    // The Avg value (memoised by quantity, phase and voltage reference; 0 = the default one).
    SWorkingValue CellValue(DWORD quantity, int phase, int voltageReference = 0);

private:
    using Key = std::tuple<DWORD, int, int>;
    // One series of a channel: quantity, phase, voltage reference, series (0 Min, 1 Avg, 2 Max).
    using SeriesKey = std::tuple<DWORD, int, int, int>;
    // A summary over the range, with the block and the last record it covers; absent when a
    // channel or a series it is made of is missing.
    template <class Summary>
    struct STaken
    {
        bool present = false;
        Summary summary;
        const CTrendTimeBlock* block = nullptr;
        int last = -1; // the range's last record within the channel's records
    };
    using SSeriesTaken = STaken<SSeriesSummary>;
    using SDerivedTaken = STaken<SDerivedSummary>;
    // The two series of a THD weighted by the quantity it is a distortion of.
    using ProductKey = std::pair<SeriesKey, SeriesKey>;
    // The recorded extremes of a power factor with the sign its average carries: per record the
    // highest and the lowest value the interval had (a reverse interval's |Max| is its lowest).
    // Their counts and extremes only: nothing averages them.
    struct SSignedExtremes
    {
        SSeriesSummary highest;
        SSeriesSummary lowest;
    };
    using SSignedTaken = STaken<SSignedExtremes>;
    using SignedKey = std::pair<DWORD, int>;

    std::unique_ptr<CTrendChannel> Channel(DWORD quantity, int phase, int voltageReference);
    SWorkingValue ComputeCellValue(DWORD quantity, int phase, int voltageReference);
    SWorkingValue SeriesAverage(DWORD quantity, int phase, int voltageReference, bool rms);
    // The mean of the magnitudes of the averages: what a power flowing either way amounts to. A
    // total's takes the magnitudes of the phases it is the sum of wherever they flowed against
    // each other.
    SWorkingValue MagnitudeAverage(DWORD quantity, int phase);
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
    // The extremes of series of the channel of (quantity, phase) over the range (a series without
    // an accessor leaves its result absent).
    template <std::size_t N>
    std::array<SWorkingValue, N> Extremes(DWORD quantity, int phase, const std::array<SExtremeRequest, N>& requests);
    // The finishing rules of an aggregate over the range.
    void Finish(SWorkingValue& result, double aggregate) const;
    // A sign indicator from the signed displacement power factor at the record of the extreme.
    int QuadrantSign(int phase, int record);
    // The block of the item, for the missing intervals; null without an item.
    const CTrendTimeBlock* BlockOf(const CTrendChannel& channel) const;

    // The summaries the values are made of. While Prepare collects, each is only noted and a
    // finite stand-in answers, so that every summary a cell may need is asked for; otherwise a
    // summary not taken yet is taken on its own.
    const SSeriesTaken& Series(const SeriesKey& key);
    // THD x X over the records where both are finite: sums[0] their sum, sums[1] the sum of X.
    const SDerivedTaken& Product(const ProductKey& key);
    // |value| over the records with a finite value: sums[0] their sum.
    const SDerivedTaken& Magnitudes(const SeriesKey& key);
    // The recorded Min and Max of a power factor of (quantity, phase), signed per record.
    const SSignedTaken& SignedExtremes(const SignedKey& key);
    // Over the records with a finite total apparent power S: sums[0] the sum of Ue^2 and
    // sums[1] the sum of S^2 / (9 Ue^2).
    const SDerivedTaken& Effective();
    // Takes every noted summary in one walk over the records, or in two at once over a long run.
    void TakeNoted();
    // A summary over all the records of its item at the recorded scale, which the item keeps.
    bool IsWholeRange(DWORD quantity, int last, const CDataItemTrend& item) const;

    CTrendCache& m_cache;
    CDataSet& m_dataSet;
    const CMeasurementConfig& m_config;
    CQuantityInfo m_info;
    STrendAccessSpec m_accessSpec;
    SRecordRange m_range;
    double m_validRatio;
    float m_apparentPowerFactor;
    std::size_t m_walks;
    std::map<Key, SWorkingValue> m_cellValues;
    std::map<DWORD, std::unique_ptr<CTrendChannel>> m_signChannels;

    bool m_collecting = false;
    std::map<SeriesKey, SSeriesTaken> m_series;
    std::map<ProductKey, SDerivedTaken> m_products;
    std::map<SeriesKey, SDerivedTaken> m_magnitudes;
    std::map<SignedKey, SSignedTaken> m_signed;
    std::optional<SDerivedTaken> m_effective;
    std::set<SeriesKey> m_notedSeries;
    std::set<ProductKey> m_notedProducts;
    std::set<SeriesKey> m_notedMagnitudes;
    std::set<SignedKey> m_notedSigned;
    bool m_notedEffective = false;
    std::vector<SSeriesRequest> m_notedWholeSeries;
};
