// The trend items of a logger-layout session (records 64 and 65) written by the session writer,
// compared row by row and phase by phase with values computed here from the written bytes:
// extracted series, signed power factors, integrated energies, running sums and the grouped
// items (minimum, mean or RMS, maximum over complete hours, invalid values counted apart).
#include "datamodel/DataTable.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendTimeBlock.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"
#include "SessionFiles.h"
#include "TrendExpectations.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <limits>

using namespace trendtest;

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr double kKilo = 1000.0;

using Column = std::function<double(const SWrittenTable&)>;

class LoggerTrendItems : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        SSessionSpec sessionSpec;
        sessionSpec.bigEndian = GetParam();
        sessionSpec.trendRecords = 36;  // six hours of 10-minute records
        sessionSpec.gapStart = 14;      // hour 2 loses three records
        sessionSpec.gapLength = 3;
        sessionSpec.events = false;
        sessionSpec.startTicks += 8 * 3600 * kTicksPerSecond;  // the load changes through the morning
        m_writer = std::make_unique<CSessionWriter>(sessionSpec);
        std::vector<SWrittenTable> tables = m_writer->BuildTables();
        int trendIndex = 0;
        for (auto& table : tables) {
            if (table.type == 64 && trendIndex++ == 3) {
                // Record 3 exports on phase A: negative active and fundamental active power.
                table.bytes.PutF32(216 + 8, -F(table, 216 + 8));
                table.bytes.PutF32(360 + 8, -F(table, 360 + 8));
            }
            if (table.type == 64)
                m_trend.push_back(table);
            if (table.type == 65)
                m_demand.push_back(table);
        }
        const std::string path = m_folder.Path("logger.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, m_writer->BuildFile(tables)));
        m_set = std::make_unique<CDataSet>(nullptr);
        ASSERT_EQ(0, m_set->LoadFromFile(path.c_str(), false));
        ASSERT_EQ(int(m_trend.size()), m_set->GetTrendTable()->GetCount());
        ASSERT_EQ(int(m_demand.size()), m_set->GetDemandTable()->GetCount());
    }

    void TearDown() override
    {
        m_cache.Clear();
    }

    CDataItemTrend* Item(DWORD id, bool demand, DWORD multiple = 1, int reference = 0)
    {
        const STrendAccessSpec accessSpec{BYTE(demand ? 1 : 0), multiple};
        if (CDataItemTrend* item = m_cache.FindTrendItem(m_set.get(), id, reference, accessSpec))
            return item;
        return m_cache.GetTrendItem(m_set.get(), id, reference, accessSpec);
    }

    const std::vector<SWrittenTable>& Records(bool demand) const { return demand ? m_demand : m_trend; }

    std::vector<double> Values(bool demand, const Column& column) const
    {
        std::vector<double> values;
        for (const auto& table : Records(demand))
            values.push_back(column(table));
        return values;
    }

    // A recorded triple at the offset: series 0 minimum, 1 average, 2 maximum.
    void ExpectTriple(const CTrendChannel& channel, bool demand, std::size_t offset, double divisor,
                      const std::string& where) const
    {
        const std::size_t fields[3] = {offset, offset + 8, offset + 4};
        for (int s = 0; s < 3; ++s)
            ExpectSeries(channel, s, Values(demand, [&](const SWrittenTable& t) { return F(t, fields[s]) / divisor; }),
                         where);
    }

    // Written-record indexes of the complete hours (exactly `m` records in the hour).
    std::vector<std::pair<int, int>> Hours(bool demand, int m) const
    {
        const auto& records = Records(demand);
        const std::int64_t start = m_writer->GetSpec().startTicks;
        const std::int64_t hour = 3600 * kTicksPerSecond;
        std::vector<std::pair<int, int>> groups;
        for (std::size_t i = 0; i < records.size();) {
            const std::int64_t h = (records[i].timeTicks - start) / hour;
            std::size_t j = i;
            while (j < records.size() && (records[j].timeTicks - start) / hour == h)
                ++j;
            if (int(j - i) == m)
                groups.emplace_back(int(i), int(j - 1));
            i = j;
        }
        return groups;
    }

    // The statistic of a column over each complete hour.
    std::vector<double> Grouped(bool demand, int m, const Column& column, Stat stat) const
    {
        const int required = int(0.95 * m + 0.5);
        std::vector<double> result;
        for (const auto& [first, last] : Hours(demand, m)) {
            std::vector<double> values;
            for (int i = first; i <= last; ++i)
                values.push_back(column(Records(demand)[std::size_t(i)]));
            result.push_back(Reduce(values, stat, required));
        }
        return result;
    }

    void ExpectGroupedTriple(const CTrendChannel& channel, int m, std::size_t offset, double divisor, Stat average,
                             const std::string& where) const
    {
        ExpectSeries(channel, 0, Grouped(false, m, [&](const SWrittenTable& t) { return F(t, offset) / divisor; }, Stat::Min), where);
        ExpectSeries(channel, 1, Grouped(false, m, [&](const SWrittenTable& t) { return F(t, offset + 8) / divisor; }, average), where);
        ExpectSeries(channel, 2, Grouped(false, m, [&](const SWrittenTable& t) { return F(t, offset + 4) / divisor; }, Stat::Max), where);
    }

    ScopedTimeZone m_zone{"UTC"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    std::unique_ptr<CSessionWriter> m_writer;
    std::vector<SWrittenTable> m_trend;
    std::vector<SWrittenTable> m_demand;
    std::unique_ptr<CDataSet> m_set;
    CTrendCache m_cache;
};

constexpr DWORD kPhases[] = {0, 1, 2, 5};

std::size_t SlotOf(DWORD phase)
{
    return phase == 5 ? 3 : phase;
}

TEST_P(LoggerTrendItems, SimpleRowsReadTheirTriplesPerPhase)
{
    struct Row
    {
        DWORD item;
        int reference;
        std::vector<std::size_t> offsets;
    };
    const Row rows[] = {
        {0, 2, {24, 36, 48}},    {0, 1, {60, 72, 84}},    {1, 0, {96, 108, 120}},
        {2, 0, {204}},           {29, 0, {132, 144, 156}}, {30, 0, {168, 180, 192}},
    };
    for (const Row& row : rows) {
        CDataItemTrend* item = Item(row.item, false, 1, row.reference);
        ASSERT_NE(item, nullptr) << row.item;
        for (std::size_t k = 0; k < row.offsets.size(); ++k) {
            const auto channel = item->GetChannel(row.item, DWORD(k));
            ExpectTriple(*channel, false, row.offsets[k], 1.0, "item " + std::to_string(row.item) + " phase " + std::to_string(k));
        }
        // Simple rows take the phase as the triple: phase 5 has no series.
        const auto total = item->GetChannel(row.item, 5);
        for (int s = 0; s < 3; ++s)
            EXPECT_EQ(total->GetAccess(s), nullptr);
        const auto other = item->GetChannel(row.item + 100, 0);
        EXPECT_EQ(other->GetQuantity(), 121u);
        EXPECT_EQ(other->GetPhase(), 6u);
    }
    // The logger layout has no phase-to-ground voltage: reference 3 leaves NaN.
    const auto ground = Item(0, false, 1, 3)->GetChannel(0, 0);
    ExpectSeries(*ground, 1, std::vector<double>(m_trend.size(), std::nan("")), "reference 3");

    CDataItemTrend* aux = Item(53, false);
    ASSERT_NE(aux, nullptr);
    ExpectTriple(*aux->GetChannel(51, 0), false, 656, 1.0, "aux 1");
    ExpectTriple(*aux->GetChannel(52, 0), false, 668, 1.0, "aux 2");
}

TEST_P(LoggerTrendItems, PowerRowReadsTriplesAndSignsThePowerFactor)
{
    CDataItemTrend* item = Item(39, false);
    ASSERT_NE(item, nullptr);
    for (DWORD phase : kPhases) {
        const std::size_t at = 12 * SlotOf(phase);
        const std::string where = "phase " + std::to_string(phase);
        ExpectTriple(*item->GetChannel(5, phase), false, 216 + at, kKilo, where + " P");
        ExpectTriple(*item->GetChannel(6, phase), false, 264 + at, kKilo, where + " S");
        ExpectTriple(*item->GetChannel(54, phase), false, 264 + at, kKilo, where + " S (54)");
        ExpectTriple(*item->GetChannel(7, phase), false, 312 + at, kKilo, where + " Q");
        const auto pf = item->GetChannel(8, phase);
        ExpectSeries(*pf, 0, Values(false, [&](const SWrittenTable& t) { return F(t, 504 + at); }), where + " PF min");
        ExpectSeries(*pf, 2, Values(false, [&](const SWrittenTable& t) { return F(t, 508 + at); }), where + " PF max");
        ExpectSeries(*pf, 1, Values(false, [&](const SWrittenTable& t) {
                         return std::copysign(double(F(t, 512 + at)), double(F(t, 224 + at)));
                     }), where + " PF signed");
        ExpectAverageOnly(*item->GetChannel(56, phase), Values(false, [&](const SWrittenTable& t) { return F(t, 512 + at); }), where + " PF unsigned");
        ExpectAverageOnly(*item->GetChannel(57, phase), Values(false, [&](const SWrittenTable& t) { return F(t, 560 + at); }), where + " DPF");
    }
    // The exporting record reads a negative power factor.
    EXPECT_LT(item->GetChannel(8, 0)->GetAccess(1)->GetValue(3), 0.0f);
    EXPECT_GT(item->GetChannel(8, 0)->GetAccess(0)->GetValue(3), 0.0f);
}

TEST_P(LoggerTrendItems, PowerRowIntegratesEnergyPerPhaseAndTotal)
{
    CDataItemTrend* item = Item(39, false);
    ASSERT_NE(item, nullptr);
    const double hours = double(m_writer->GetSpec().averagingSeconds) / 3600.0;
    std::array<std::array<std::vector<double>, 3>, 3> phaseEnergy;
    for (DWORD quantity = 36; quantity <= 38; ++quantity) {
        const std::size_t source = (quantity == 36 ? 216 : quantity == 37 ? 264 : 312) + 8;
        for (std::size_t k = 0; k < 3; ++k) {
            double e = 0.0;
            for (const auto& t : m_trend) {
                const double p = F(t, source + 12 * k) / kKilo;
                if (std::isfinite(p))
                    e += p * hours;
                phaseEnergy[quantity - 36][k].push_back(e);
            }
            ExpectAverageOnly(*item->GetChannel(quantity, DWORD(k)), phaseEnergy[quantity - 36][k],
                              "energy " + std::to_string(quantity) + " phase " + std::to_string(k));
        }
        std::vector<double> total;
        for (std::size_t i = 0; i < m_trend.size(); ++i)
            total.push_back(float(phaseEnergy[quantity - 36][0][i]) + float(phaseEnergy[quantity - 36][1][i]) +
                            float(phaseEnergy[quantity - 36][2][i]));
        ExpectAverageOnly(*item->GetChannel(quantity, 5), total, "energy total " + std::to_string(quantity));
    }
}

TEST_P(LoggerTrendItems, FundamentalRowKeepsRecordedValuesAndSignsTheDpf)
{
    CDataItemTrend* item = Item(40, false);
    ASSERT_NE(item, nullptr);
    for (DWORD phase : kPhases) {
        const std::size_t at = 12 * SlotOf(phase);
        const std::string where = "phase " + std::to_string(phase);
        ExpectTriple(*item->GetChannel(20, phase), false, 360 + at, kKilo, where + " Pf");
        ExpectTriple(*item->GetChannel(21, phase), false, 408 + at, kKilo, where + " Sf");
        ExpectTriple(*item->GetChannel(22, phase), false, 456 + at, kKilo, where + " Qf");
        const auto dpf = item->GetChannel(9, phase);
        ExpectSeries(*dpf, 0, Values(false, [&](const SWrittenTable& t) { return F(t, 552 + at); }), where + " DPF min");
        ExpectSeries(*dpf, 1, Values(false, [&](const SWrittenTable& t) {
                         return std::copysign(double(F(t, 560 + at)), double(F(t, 368 + at)));
                     }), where + " DPF signed");
        ExpectAverageOnly(*item->GetChannel(57, phase), Values(false, [&](const SWrittenTable& t) { return F(t, 560 + at); }), where + " DPF");
    }
}

TEST_P(LoggerTrendItems, EnergyAndCounterRowsWithRunningSums)
{
    for (const bool demand : {false, true}) {
        CDataItemTrend* item = Item(47, demand);
        ASSERT_NE(item, nullptr);
        const std::size_t base = demand ? 48 : 600;
        for (DWORD phase : kPhases) {
            const std::size_t slot = SlotOf(phase);
            const std::string where = std::string(demand ? "demand" : "trend") + " phase " + std::to_string(phase);
            for (int q = 0; q < 3; ++q) {
                const std::size_t offset = base + 16 * std::size_t(q) + 4 * slot;
                const auto interval = Values(demand, [&](const SWrittenTable& t) { return F(t, offset) / kKilo; });
                ExpectAverageOnly(*item->GetChannel(DWORD(41 + q), phase), interval, where + " interval");
                std::vector<double> running;
                double sum = 0.0;
                for (double v : interval) {
                    sum += float(v);
                    running.push_back(std::isfinite(v) ? sum : v);
                }
                ExpectAverageOnly(*item->GetChannel(DWORD(44 + q), phase), running, where + " running");
            }
            ExpectAverageOnly(*item->GetChannel(55, phase), Values(demand, [&](const SWrittenTable& t) { return F(t, base + 16 + 4 * slot) / kKilo; }), where + " Es (55)");
        }
        CDataItemTrend* counters = Item(50, demand);
        ASSERT_NE(counters, nullptr);
        const std::size_t forward = demand ? 96 : 648;
        ExpectAverageOnly(*counters->GetChannel(48, 0), Values(demand, [&](const SWrittenTable& t) { return F(t, forward) / kKilo; }), "forward");
        ExpectAverageOnly(*counters->GetChannel(49, 0), Values(demand, [&](const SWrittenTable& t) { return F(t, forward + 4) / kKilo; }), "reverse");
    }
}

TEST_P(LoggerTrendItems, GroupedSimpleRowsReduceCompleteHoursOnly)
{
    constexpr int m = 6;
    ASSERT_EQ(Hours(false, m).size(), 5u);  // hour 2 lost three records to the gap
    struct Row
    {
        DWORD item;
        DWORD quantity;
        std::vector<std::size_t> offsets;
        Stat average;
    };
    // Voltage and current by RMS; frequency, THD-V, THD-A and aux by their mean.
    const Row rows[] = {
        {0, 0, {24, 36, 48}, Stat::Rms},      {1, 1, {96, 108, 120}, Stat::Rms}, {2, 2, {204}, Stat::Mean},
        {29, 29, {132, 144, 156}, Stat::Mean}, {30, 30, {168, 180, 192}, Stat::Mean}, {53, 51, {656}, Stat::Mean},
        {53, 52, {0, 668}, Stat::Mean},
    };
    for (const Row& row : rows) {
        CDataItemTrend* item = Item(row.item, false, m);
        ASSERT_NE(item, nullptr) << row.item;
        EXPECT_EQ(item->GetRecordCount(), 5);
        for (std::size_t k = 0; k < row.offsets.size(); ++k) {
            if (row.offsets[k] == 0)
                continue;
            const DWORD phase = row.item == 53 ? 0 : DWORD(k);
            ExpectGroupedTriple(*item->GetChannel(row.quantity, phase), m, row.offsets[k], 1.0, row.average,
                                "grouped item " + std::to_string(row.item) + " phase " + std::to_string(k));
        }
    }
    // Phase B current is invalid in records 5 and 6: hours 0 and 1 have too few valid values for
    // the RMS, yet keep the extremes of the valid ones.
    const auto current = Item(1, false, m)->GetChannel(1, 1);
    EXPECT_TRUE(std::isnan(current->GetAccess(1)->GetValue(0)));
    EXPECT_TRUE(std::isnan(current->GetAccess(1)->GetValue(1)));
    EXPECT_TRUE(std::isfinite(current->GetAccess(0)->GetValue(0)));
    EXPECT_TRUE(std::isfinite(current->GetAccess(2)->GetValue(1)));
}

TEST_P(LoggerTrendItems, GroupedPowerRecomputesApparentReactiveAndPowerFactor)
{
    constexpr int m = 6;
    CDataItemTrend* item = Item(39, false, m);
    ASSERT_NE(item, nullptr);
    auto column = [](std::size_t offset, double divisor = 1.0) {
        return [offset, divisor](const SWrittenTable& t) { return F(t, offset) / divisor; };
    };
    std::array<std::vector<double>, 4> s, p;
    for (std::size_t slot = 0; slot < 4; ++slot)
        p[slot] = Grouped(false, m, column(224 + 12 * slot, kKilo), Stat::Mean);
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = Grouped(false, m, column(32 + 12 * k), Stat::Rms);
        const auto i = Grouped(false, m, column(104 + 12 * k), Stat::Rms);
        for (std::size_t g = 0; g < v.size(); ++g)
            s[k].push_back(double(float(v[g])) * double(float(i[g])) / kKilo);
    }
    const std::size_t groups = s[0].size();
    for (std::size_t g = 0; g < groups; ++g)
        s[3].push_back(double(float(s[0][g])) + double(float(s[1][g])) + double(float(s[2][g])));

    for (DWORD phase : kPhases) {
        const std::size_t slot = SlotOf(phase);
        const std::size_t at = 12 * slot;
        const std::string where = "grouped phase " + std::to_string(phase);
        ExpectGroupedTriple(*item->GetChannel(5, phase), m, 216 + at, kKilo, Stat::Mean, where + " P");
        const auto apparent = item->GetChannel(6, phase);
        ExpectSeries(*apparent, 1, s[slot], where + " S");
        ExpectSeries(*apparent, 0, Grouped(false, m, column(264 + at, kKilo), Stat::Min), where + " S min");
        ExpectSeries(*apparent, 2, Grouped(false, m, column(268 + at, kKilo), Stat::Max), where + " S max");
        std::vector<double> q, pf;
        for (std::size_t g = 0; g < groups; ++g) {
            q.push_back(NonActive(float(s[slot][g]), float(p[slot][g])));
            pf.push_back(ClampMagnitude(double(float(p[slot][g])) / double(float(s[slot][g]))));
        }
        ExpectSeries(*item->GetChannel(7, phase), 1, q, where + " Q");
        ExpectSeries(*item->GetChannel(7, phase), 2, Grouped(false, m, column(316 + at, kKilo), Stat::Max), where + " Q max");
        ExpectAverageOnly(*item->GetChannel(56, phase), pf, where + " PF");
        // The PF maximum is the largest recorded maximum of the group.
        ExpectSeries(*item->GetChannel(8, phase), 2, Grouped(false, m, column(508 + at), Stat::Max), where + " PF max");
    }
    // Grouped S of a phase comes from the grouped V and I, not from the recorded S averages.
    const auto recordedMean = Grouped(false, m, column(272, kKilo), Stat::Mean);
    EXPECT_NE(float(recordedMean[2]), item->GetChannel(6, 0)->GetAccess(1)->GetValue(2));
}

TEST_P(LoggerTrendItems, GroupedFundamentalRecomputesSfAndDpf)
{
    constexpr int m = 6;
    CDataItemTrend* item = Item(40, false, m);
    ASSERT_NE(item, nullptr);
    for (DWORD phase : kPhases) {
        const std::size_t at = 12 * SlotOf(phase);
        const std::string where = "grouped phase " + std::to_string(phase);
        ExpectGroupedTriple(*item->GetChannel(20, phase), m, 360 + at, kKilo, Stat::Mean, where + " Pf");
        ExpectGroupedTriple(*item->GetChannel(22, phase), m, 456 + at, kKilo, Stat::Mean, where + " Qf");
        const auto pf = Grouped(false, m, [&](const SWrittenTable& t) { return F(t, 368 + at) / kKilo; }, Stat::Mean);
        const auto qf = Grouped(false, m, [&](const SWrittenTable& t) { return F(t, 464 + at) / kKilo; }, Stat::Mean);
        std::vector<double> sf, dpf;
        for (std::size_t g = 0; g < pf.size(); ++g) {
            const double p = float(pf[g]), q = float(qf[g]);
            sf.push_back(std::sqrt(p * p + q * q));
            dpf.push_back(std::copysign(ClampMagnitude(p / std::sqrt(p * p + q * q)), q));
        }
        ExpectSeries(*item->GetChannel(21, phase), 1, sf, where + " Sf");
        ExpectAverageOnly(*item->GetChannel(57, phase), dpf, where + " DPF");
        ExpectSeries(*item->GetChannel(9, phase), 2, Grouped(false, m, [&](const SWrittenTable& t) { return F(t, 556 + at); }, Stat::Max), where + " DPF max");
    }
}

TEST_P(LoggerTrendItems, GroupedEnergiesAndCounters)
{
    for (const bool demand : {false, true}) {
        const int m = demand ? 4 : 6;
        CDataItemTrend* item = Item(47, demand, DWORD(m));
        ASSERT_NE(item, nullptr);
        const double baseHours = double(demand ? m_writer->GetSpec().demandSeconds : m_writer->GetSpec().averagingSeconds) / 3600.0;
        const std::size_t energyBase = demand ? 48 : 600;
        std::array<std::vector<double>, 3> ep, es;
        for (std::size_t k = 0; k < 3; ++k) {
            const auto v = Grouped(demand, m, [&](const SWrittenTable& t) { return F(t, demand ? 24 + 4 * k : 32 + 12 * k); }, Stat::Rms);
            const auto i = Grouped(demand, m, [&](const SWrittenTable& t) { return F(t, demand ? 36 + 4 * k : 104 + 12 * k); }, Stat::Rms);
            ep[k] = Grouped(demand, m, [&](const SWrittenTable& t) { return F(t, energyBase + 4 * k) / kKilo; }, Stat::Sum);
            for (std::size_t g = 0; g < v.size(); ++g)
                es[k].push_back(double(float(v[g])) * double(float(i[g])) * m * baseHours / kKilo);
            std::vector<double> eq;
            for (std::size_t g = 0; g < v.size(); ++g)
                eq.push_back(NonActive(float(es[k][g]), float(ep[k][g])));
            const std::string where = std::string(demand ? "demand" : "trend") + " grouped phase " + std::to_string(k);
            ExpectAverageOnly(*item->GetChannel(41, DWORD(k)), ep[k], where + " Ep");
            ExpectAverageOnly(*item->GetChannel(42, DWORD(k)), es[k], where + " Es");
            ExpectAverageOnly(*item->GetChannel(43, DWORD(k)), eq, where + " Eq");
        }
        std::vector<double> epTotal, esTotal, eqTotal;
        for (std::size_t g = 0; g < ep[0].size(); ++g) {
            epTotal.push_back(double(float(ep[0][g])) + float(ep[1][g]) + float(ep[2][g]));
            esTotal.push_back(double(float(es[0][g])) + float(es[1][g]) + float(es[2][g]));
            eqTotal.push_back(NonActive(float(esTotal.back()), float(epTotal.back())));
        }
        ExpectAverageOnly(*item->GetChannel(41, 5), epTotal, "grouped Ep total");
        ExpectAverageOnly(*item->GetChannel(42, 5), esTotal, "grouped Es total");
        ExpectAverageOnly(*item->GetChannel(43, 5), eqTotal, "grouped Eq total");

        CDataItemTrend* counters = Item(50, demand, DWORD(m));
        ASSERT_NE(counters, nullptr);
        const std::size_t forward = demand ? 96 : 648;
        ExpectAverageOnly(*counters->GetChannel(48, 0), Grouped(demand, m, [&](const SWrittenTable& t) { return F(t, forward) / kKilo; }, Stat::Sum), "grouped forward");
    }
}

// Raw items read their recorded series from the records (a year of them would otherwise be
// copied again as floats); only what an item computes keeps floats of its own, and grouped
// items, which compute everything, keep floats throughout.
TEST_P(LoggerTrendItems, RawItemsKeepNoCopiesOfRecordedSeries)
{
    const STrendItemArrays& voltage = Item(0, false)->Arrays();
    for (std::size_t t = 0; t < 3; ++t)
        for (int s = 0; s < 3; ++s) {
            EXPECT_TRUE(voltage.triples[t][s]) << t << s;
            EXPECT_EQ(voltage.triples[t][s].Data(), nullptr) << t << s;
        }

    CDataItemTrend* power = Item(39, false);
    const STrendPowerBlock& block = *power->Arrays().power;
    for (const auto& quantity : block.power)
        for (const auto& triple : quantity)
            for (int s = 0; s < 3; ++s)
                EXPECT_EQ(triple[s].Data(), nullptr);
    EXPECT_EQ(block.voltage[0].Data(), nullptr);
    EXPECT_EQ(block.dpfAverage[3].Data(), nullptr);
    // Energy integrated from the power is computed on request and kept.
    EXPECT_FALSE(block.energy[0][0]);
    const auto energy = power->GetChannel(36, 0);
    EXPECT_NE(block.energy[0][0].Data(), nullptr);
    EXPECT_TRUE(std::isfinite(energy->GetAccess(1)->GetValue(1)));

    for (bool demand : {false, true}) {
        CDataItemTrend* raw = Item(47, demand);
        EXPECT_EQ(raw->Arrays().energy->interval[3][kEnergyActive].Data(), nullptr);
        raw->GetChannel(44, 0);
        EXPECT_NE(raw->Arrays().energy->running[0][kEnergyActive].Data(), nullptr);
        EXPECT_EQ(Item(50, demand)->Arrays().counters->energy[0].Data(), nullptr);
    }

    const STrendItemArrays& grouped = Item(0, false, 6)->Arrays();
    for (int s = 0; s < 3; ++s)
        EXPECT_NE(grouped.triples[0][s].Data(), nullptr);
    EXPECT_NE(Item(39, false, 6)->Arrays().power->power[kPowerActive][0][kSeriesAvg].Data(), nullptr);
}

// Running sums of a session longer than the runs they are read in, every phase and energy: the
// same floats to the bit as summing the interval energies record by record, with a missing value
// at the end of a run and an infinite one at the start of the next left as they are. All of them
// are made together on the first request of one: straight from the records, and from the sums
// of a grouped item (two-minute records here, still crossing runs).
TEST(LoggerTrendItemRunningSums, LongSessionSumsAcrossReadRuns)
{
    ScopedTimeZone zone{"UTC"};
    CTempXdgHome home;
    SSessionSpec recording;
    recording.averagingSeconds = 60;
    recording.trendRecords = 2100;
    recording.events = false;
    CSessionWriter writer(recording);
    std::vector<SWrittenTable> tables = writer.BuildTables();
    constexpr std::size_t kActiveA = 600;
    std::size_t records = 0;
    for (auto& table : tables) {
        if (table.type != 64)
            continue;
        if (records == 1023)
            table.bytes.PutF32(kActiveA, kNaN);
        if (records == 1024)
            table.bytes.PutF32(kActiveA, std::numeric_limits<float>::infinity());
        ++records;
    }
    CTempFolder folder;
    const std::string path = folder.Path("long.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(path.c_str(), false));
    CTrendCache cache;
    for (const DWORD multiple : {1u, 2u}) {
        CDataItemTrend* item = cache.GetTrendItem(&set, 47, 0, STrendAccessSpec{0, multiple});
        ASSERT_NE(item, nullptr);
        ASSERT_EQ(std::size_t(item->GetRecordCount()), records / multiple);
        for (int q = 0; q < 3; ++q)
            for (DWORD phase : kPhases) {
                const std::string where = "multiple " + std::to_string(multiple) + " energy " + std::to_string(q) +
                                          " phase " + std::to_string(phase);
                const auto interval = item->GetChannel(DWORD(41 + q), phase);
                const auto running = item->GetChannel(DWORD(44 + q), phase);
                const ITrendChannelAccess* from = interval->GetAccess(1);
                const ITrendChannelAccess* access = running->GetAccess(1);
                ASSERT_TRUE(from && access) << where;
                ASSERT_EQ(running->GetRecordCount(), item->GetRecordCount()) << where;
                double sum = 0.0;
                for (int i = 0; i < item->GetRecordCount(); ++i) {
                    const float value = from->GetValue(i);
                    if (std::isfinite(value))
                        sum += value;
                    const float expected = std::isfinite(value) ? float(sum) : value;
                    ASSERT_EQ(std::bit_cast<std::uint32_t>(expected), std::bit_cast<std::uint32_t>(access->GetValue(i)))
                        << where << " record " << i;
                }
                if (multiple == 1 && q == 0 && phase == 0) {
                    EXPECT_TRUE(std::isnan(access->GetValue(1023)));
                    EXPECT_TRUE(std::isinf(access->GetValue(1024)));
                }
            }
    }
    cache.Clear();
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, LoggerTrendItems, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
