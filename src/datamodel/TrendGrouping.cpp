// Grouping of a raw item's records into the records of a grouped item: each grouped record
// reduces one complete group of base records (minimum of the minima, a statistic of the
// averages, maximum of the maxima), and the derived powers and energies are computed again
// from the grouped values.
#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendDerivedValues.h"
#include "datamodel/TrendGroupStatistics.h"
#include "datamodel/TrendRecordHandlers.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/CalculationValidRatio.h"
#include "datamodel/PowerFactor.h"
#include "datamodel/NonFiniteResult.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace TrendHandlers {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class CGrouping
{
public:
    CGrouping(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
        : m_groups(item.GetTimeBlock()->GetGroups()), m_baseCount(base.GetRecordCount())
    {
        m_count = std::min<int>(item.GetRecordCount(), int(m_groups.size()));
        // The multiple follows from the intervals; a base without an interval keeps the given one.
        const int baseSeconds = int(base.GetIntervalSeconds());
        const int m = baseSeconds > 0 ? int(item.GetIntervalSeconds()) / baseSeconds : multiple;
        m_required = int(GetCalculationValidRatio() * m + 0.5);
    }

    int Count() const { return m_count; }

    // A group whose indexes do not lie within the base records yields NaN.
    bool IsValid(int g) const
    {
        const auto [first, last] = m_groups[std::size_t(g)];
        return first >= 0 && first <= last && last < m_baseCount;
    }
    int Size(int g) const { return m_groups[std::size_t(g)].second - m_groups[std::size_t(g)].first + 1; }

    float Reduce(const CTrendSeries& source, int g, EGroupStatistic statistic) const
    {
        if (!IsValid(g))
            return kNaN;
        const auto [first, last] = m_groups[std::size_t(g)];
        if (const float* values = source.Data())
            return ReduceGroup(ScanGroup(values, first, last), statistic, m_required);
        // A series read from the records is scanned from a copy of the group's values.
        m_group.resize(std::size_t(last - first + 1));
        for (int i = first; i <= last; ++i)
            m_group[std::size_t(i - first)] = source[i];
        return ReduceGroup(ScanGroup(m_group.data(), 0, last - first), statistic, m_required);
    }

    void Series(const CTrendSeries& destination, const CTrendSeries& source, EGroupStatistic statistic) const
    {
        float* values = destination.Data();
        if (!values || !source)
            return;
        for (int g = 0; g < m_count; ++g)
            values[g] = Reduce(source, g, statistic);
    }

    void Triple(const STrendTriple& destination, const STrendTriple& source, EGroupStatistic average) const
    {
        Series(destination[kSeriesMin], source[kSeriesMin], EGroupStatistic::Minimum);
        Series(destination[kSeriesAvg], source[kSeriesAvg], average);
        Series(destination[kSeriesMax], source[kSeriesMax], EGroupStatistic::Maximum);
    }

    void MinMax(const STrendTriple& destination, const STrendTriple& source) const
    {
        Series(destination[kSeriesMin], source[kSeriesMin], EGroupStatistic::Minimum);
        Series(destination[kSeriesMax], source[kSeriesMax], EGroupStatistic::Maximum);
    }

    void VoltageCurrent(STrendPowerBlock& destination, const STrendPowerBlock& source) const
    {
        for (std::size_t k = 0; k < 3; ++k) {
            Series(destination.voltage[k], source.voltage[k], EGroupStatistic::Rms);
            Series(destination.current[k], source.current[k], EGroupStatistic::Rms);
        }
    }

private:
    const std::vector<CTrendTimeBlock::Group>& m_groups;
    int m_baseCount;
    int m_count = 0;
    int m_required = 0;
    mutable std::vector<float> m_group;
};

void AggregateTriples(const CDataItemTrend& item, const CDataItemTrend& base, int multiple, EGroupStatistic average)
{
    const CGrouping grouping(item, base, multiple);
    for (std::size_t t = 0; t < kTrendTripleCount; ++t)
        grouping.Triple(item.Arrays().triples[t], base.Arrays().triples[t], average);
}

// The logger power block's S, Q and PF averages of grouped record i from the grouped V, I, P.
void DerivePowerLoggerGrouped(const CDataItemTrend& item, STrendPowerBlock& block, int i)
{
    const int topology = item.GetConfig().GetTopology();
    const int n = PowerPhaseCount(topology);
    auto& P = block.power[kPowerActive];
    auto& S = block.power[kPowerApparent];
    auto& Q = block.power[kPowerReactive];
    for (std::size_t k = 0; k < 3; ++k) {
        if (int(k) >= n) {
            S[k][kSeriesAvg].Data()[i] = 0.0f;
            Q[k][kSeriesAvg].Data()[i] = 0.0f;
            continue;
        }
        const double s = double(block.voltage[k][i]) * double(block.current[k][i]) / 1000.0;
        S[k][kSeriesAvg].Data()[i] = float(s);
        Q[k][kSeriesAvg].Data()[i] = float(NonActiveFrom(s, P[k][kSeriesAvg][i]));
    }
    double total = S[0][kSeriesAvg][i];
    if (topology == 3)
        total += double(S[1][kSeriesAvg][i]);
    else if (n == 3)
        total += double(S[1][kSeriesAvg][i]) + double(S[2][kSeriesAvg][i]);
    const double totalP = P[3][kSeriesAvg][i];
    S[3][kSeriesAvg].Data()[i] = float(total);
    Q[3][kSeriesAvg].Data()[i] = float(NonActiveFrom(total, totalP));
    bool anyFinite = false;
    for (std::size_t k = 0; k < 3; ++k) {
        float pf = 0.0f;
        if (int(k) < n) {
            const bool below = IsBelowThreshold(block.voltage[k][i], item.GetVoltageThreshold(int(k))) ||
                               IsBelowThreshold(block.current[k][i], item.GetCurrentThreshold(int(k)));
            pf = below ? kNaN : float(ClampUnitMagnitude(double(P[k][kSeriesAvg][i]) / double(S[k][kSeriesAvg][i])));
        }
        block.factor[k][kSeriesAvg].Data()[i] = pf;
        anyFinite = anyFinite || std::isfinite(pf);
    }
    block.factor[3][kSeriesAvg].Data()[i] = anyFinite ? float(ClampUnitMagnitude(totalP / total)) : kNaN;
}

// Energy totals: the sum of the phases that carry power when all are finite, else the rule of
// the mean for non-finite values.
float TotalOfPhases(const std::array<std::array<CTrendSeries, 3>, kTrendSlotCount>& energy, int quantity, int phases,
                    int i)
{
    double sum = 0.0;
    bool allFinite = true;
    bool positive = false;
    bool negative = false;
    for (std::size_t k = 0; k < std::size_t(phases); ++k) {
        const float v = energy[k][std::size_t(quantity)][i];
        if (std::isfinite(v)) {
            sum += v;
            continue;
        }
        allFinite = false;
        positive = positive || v > 0;
        negative = negative || v < 0;
    }
    if (allFinite && phases > 0)
        return float(sum);
    if (positive)
        return std::numeric_limits<float>::infinity();
    return negative ? -std::numeric_limits<float>::infinity() : kNaN;
}

float ReactiveEnergy(float apparent, float active)
{
    if (!std::isfinite(apparent) || !std::isfinite(active))
        return NonFiniteResult(apparent, active);
    return float(NonActiveFrom(apparent, active));
}

} // namespace

void AggregateTriplesRms(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    AggregateTriples(item, base, multiple, EGroupStatistic::Rms);
}

void AggregateTriplesMean(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    AggregateTriples(item, base, multiple, EGroupStatistic::Mean);
}

void AggregateCounters(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    for (std::size_t a = 0; a < 2; ++a)
        grouping.Series(item.Arrays().counters->energy[a], base.Arrays().counters->energy[a],
                        EGroupStatistic::Sum);
}

void AggregatePowerOlder(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    STrendPowerBlock& to = *item.Arrays().power;
    const STrendPowerBlock& from = *base.Arrays().power;
    grouping.VoltageCurrent(to, from);
    grouping.Series(to.systemVoltage, from.systemVoltage, EGroupStatistic::Rms);
    grouping.Series(to.systemCurrent, from.systemCurrent, EGroupStatistic::Rms);
    for (std::size_t k = 0; k < 3; ++k) {
        grouping.Triple(to.power[kPowerActive][k], from.power[kPowerActive][k], EGroupStatistic::Mean);
        grouping.Triple(to.power[kPowerApparent][k], from.power[kPowerApparent][k], EGroupStatistic::Mean);
        grouping.MinMax(to.power[kPowerReactive][k], from.power[kPowerReactive][k]);
    }
    grouping.Series(to.power[kPowerActive][3][kSeriesAvg], from.power[kPowerActive][3][kSeriesAvg],
                    EGroupStatistic::Mean);
    for (int i = 0; i < grouping.Count(); ++i)
        DerivePowerOlder(item, to, i);
}

void AggregateFundamentalOlder(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    STrendPowerBlock& to = *item.Arrays().fundamental;
    const STrendPowerBlock& from = *base.Arrays().fundamental;
    for (std::size_t k = 0; k < 3; ++k) {
        grouping.Triple(to.power[kPowerActive][k], from.power[kPowerActive][k], EGroupStatistic::Mean);
        grouping.Triple(to.power[kPowerReactive][k], from.power[kPowerReactive][k], EGroupStatistic::Mean);
        grouping.MinMax(to.power[kPowerApparent][k], from.power[kPowerApparent][k]);
    }
    for (const auto q : {kPowerActive, kPowerReactive})
        grouping.Series(to.power[q][3][kSeriesAvg], from.power[q][3][kSeriesAvg], EGroupStatistic::Mean);
    // V and I are not carried over: the thresholds never apply to a grouped older item.
    for (int i = 0; i < grouping.Count(); ++i)
        DeriveFundamental(item, to, i);
}

void AggregatePowerLogger(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    STrendPowerBlock& to = *item.Arrays().power;
    const STrendPowerBlock& from = *base.Arrays().power;
    grouping.VoltageCurrent(to, from);
    for (std::size_t slot = 0; slot < kTrendSlotCount; ++slot) {
        grouping.Triple(to.power[kPowerActive][slot], from.power[kPowerActive][slot], EGroupStatistic::Mean);
        grouping.MinMax(to.power[kPowerApparent][slot], from.power[kPowerApparent][slot]);
        grouping.MinMax(to.power[kPowerReactive][slot], from.power[kPowerReactive][slot]);
        grouping.MinMax(to.factor[slot], from.factor[slot]);
    }
    for (int i = 0; i < grouping.Count(); ++i)
        DerivePowerLoggerGrouped(item, to, i);
}

void AggregateFundamentalLogger(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    STrendPowerBlock& to = *item.Arrays().fundamental;
    const STrendPowerBlock& from = *base.Arrays().fundamental;
    grouping.VoltageCurrent(to, from);
    for (std::size_t slot = 0; slot < kTrendSlotCount; ++slot) {
        grouping.Triple(to.power[kPowerActive][slot], from.power[kPowerActive][slot], EGroupStatistic::Mean);
        grouping.Triple(to.power[kPowerReactive][slot], from.power[kPowerReactive][slot], EGroupStatistic::Mean);
        grouping.MinMax(to.power[kPowerApparent][slot], from.power[kPowerApparent][slot]);
        grouping.MinMax(to.factor[slot], from.factor[slot]);
    }
    for (int i = 0; i < grouping.Count(); ++i)
        DeriveFundamental(item, to, i);
}

void AggregateEnergy(const CDataItemTrend& item, const CDataItemTrend& base, int multiple)
{
    const CGrouping grouping(item, base, multiple);
    STrendEnergyBlock& to = *item.Arrays().energy;
    const STrendEnergyBlock& from = *base.Arrays().energy;
    const double baseHours = base.GetIntervalSeconds() / 3600.0;
    const int topology = item.GetConfig().GetTopology();
    const int phases = topology == 0 || topology == 4 ? 1 : topology == 3 ? 2 : 3;
    for (int g = 0; g < grouping.Count(); ++g) {
        for (std::size_t k = 0; k < 3; ++k) {
            const float v = grouping.Reduce(from.voltage[k], g, EGroupStatistic::Rms);
            const float a = grouping.Reduce(from.current[k], g, EGroupStatistic::Rms);
            to.voltage[k].Data()[g] = v;
            to.current[k].Data()[g] = a;
            auto& energy = to.interval[k];
            energy[kEnergyActive].Data()[g] = grouping.Reduce(from.interval[k][kEnergyActive], g, EGroupStatistic::Sum);
            energy[kEnergyApparent].Data()[g] =
                std::isfinite(v) && std::isfinite(a)
                    ? float(double(v) * double(a) * grouping.Size(g) * baseHours / 1000.0)
                    : NonFiniteResult(v, a);
            energy[kEnergyReactive].Data()[g] = ReactiveEnergy(energy[kEnergyApparent][g], energy[kEnergyActive][g]);
        }
        auto& total = to.interval[3];
        total[kEnergyActive].Data()[g] = TotalOfPhases(to.interval, kEnergyActive, phases, g);
        total[kEnergyApparent].Data()[g] = TotalOfPhases(to.interval, kEnergyApparent, phases, g);
        total[kEnergyReactive].Data()[g] = ReactiveEnergy(total[kEnergyApparent][g], total[kEnergyActive][g]);
    }
}

} // namespace TrendHandlers
