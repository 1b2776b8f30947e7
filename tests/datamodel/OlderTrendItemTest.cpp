// Trend items of an older-layout session (records 15 and 61, configuration 3) built here byte by
// byte: each handler row's fields, the frequency statistics, Pst and Plt, harmonics with THD on
// demand and unbalance, the power and fundamental derivations with their thresholds, energy
// integration and the grouped power items, compared with values computed from the written bytes.
#include "datamodel/DataTable.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"
#include "SessionFiles.h"
#include "TrendExpectations.h"

#include <gtest/gtest.h>

#include <functional>

using namespace trendtest;

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kStart = 134168832000000000 + 8 * 3600 * kTicksPerSecond; // 08:00 UTC
constexpr int kRecords = 13;
constexpr double kKilo = 1000.0;
// Thresholds of every slot: voltage ratio 1 x 6 V; current ratio 1 x 0.001 x full scale 1000.
constexpr float kVoltageThreshold = 6.0f;
constexpr float kCurrentThreshold = 1.0f;

std::int64_t Begin(int i)
{
    return kStart + std::int64_t(i) * 600 * kTicksPerSecond;
}

// A triple written as minimum, maximum, average around the average.
void PutTriple(SWrittenTable& t, std::size_t offset, double average)
{
    t.bytes.PutF32(offset, float(average * 0.9));
    t.bytes.PutF32(offset + 4, float(average * 1.1));
    t.bytes.PutF32(offset + 8, float(average));
}

struct SOlderSession
{
    WORD topology = 1;
    bool bigEndian = false;
};

class OlderTrendItems : public ::testing::TestWithParam<bool>
{
protected:
    void Load(SOlderSession session = {})
    {
        session.bigEndian = GetParam();
        SSessionSpec sessionSpec;
        sessionSpec.bigEndian = session.bigEndian;
        CSessionWriter writer(sessionSpec);
        SWrittenTable config = writer.MakeTable(3, 132, kStart);
        config.bytes.PutU16(12, session.topology);
        config.bytes.PutF32(24, 230.0f);
        for (std::size_t ch = 0; ch < 5; ++ch) {
            config.bytes.PutF32(32 + 4 * ch, 1000.0f);
            config.bytes.PutF32(80 + 4 * ch, 1.0f);
            config.bytes.PutF32(100 + 4 * ch, 1.0f);
        }
        std::vector<SWrittenTable> tables{config};
        m_trend.clear();
        m_demand.clear();
        for (int i = 0; i < kRecords; ++i) {
            m_trend.push_back(TrendRecord(writer, i));
            tables.push_back(m_trend.back());
            for (int d = 0; d < 2; ++d) {
                m_demand.push_back(DemandRecord(writer, 2 * i + d));
                tables.push_back(m_demand.back());
            }
        }
        const std::string path = m_folder.Path("older.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
        m_cache.Clear();
        m_set = std::make_unique<CDataSet>(nullptr);
        ASSERT_EQ(0, m_set->LoadFromFile(path.c_str(), false));
        ASSERT_TRUE(m_set->GetMeasurementConfig().IsOlderLayout());
        ASSERT_EQ(kRecords, m_set->GetTrendTable()->GetCount());
        ASSERT_EQ(2 * kRecords, m_set->GetDemandTable()->GetCount());
    }

    static SWrittenTable TrendRecord(const CSessionWriter& writer, int i)
    {
        SWrittenTable t = writer.MakeTable(15, 11320, Begin(i));
        t.bytes.PutTime(12, Begin(i + 1));
        for (std::size_t j = 0; j < 13; ++j)
            PutTriple(t, 9844 + 12 * j, 220.0 + double(j) + 0.5 * i);
        for (std::size_t k = 0; k < 5; ++k)
            PutTriple(t, 10012 + 12 * k, 10.0 + double(k) + 0.3 * i);
        // Record 4 runs phase A below the current threshold.
        if (i == 4)
            PutTriple(t, 10012, 0.5);
        for (std::size_t j = 0; j < 7; ++j) {
            const double va = (220.0 + double(j) + 0.5 * i) * (10.0 + double(j % 3) + 0.3 * i);
            PutTriple(t, 10072 + 12 * j, 0.8 * va);           // P
            PutTriple(t, 10156 + 12 * j, va);                 // S
            PutTriple(t, 10240 + 12 * j, 0.6 * va);           // N
            PutTriple(t, 10324 + 12 * j, 0.78 * va);          // Pf
            PutTriple(t, 10408 + 12 * j, 0.97 * va);          // Sf
            PutTriple(t, 10492 + 12 * j, (i == 2 ? -0.5 : 0.5) * va); // Qf
        }
        t.bytes.PutF32(10904, float(3 * 0.8 * 225 * 11));
        t.bytes.PutF32(10920, float(225.0 + i));
        t.bytes.PutF32(10924, float(11.0 + 0.3 * i));
        t.bytes.PutF32(10928, float(3 * 0.78 * 225 * 11));
        t.bytes.PutF32(10936, float(3 * 0.5 * 225 * 11));
        // Pst: record 3 has none on phase B; record 7 reads 0 on phase C.
        for (std::size_t k = 0; k < 3; ++k)
            t.bytes.PutF32(10576 + 4 * k, float(0.4 + 0.05 * i + 0.1 * double(k)));
        if (i == 3)
            t.bytes.PutF32(10580, kNaN);
        // Frequency: record 0 starts with NaN and 0, record 1 with 0, record 2 has no valid sample.
        for (std::size_t n = 0; n < 60; ++n) {
            float v = float(49.95 + 0.002 * double((n * 7 + std::size_t(i)) % 50));
            if ((i == 0 && n == 0) || i == 2)
                v = kNaN;
            if ((i == 0 && n == 1) || (i == 1 && n == 0) || (i == 2 && n % 2 == 0))
                v = 0.0f;
            t.bytes.PutF32(10592 + 4 * n, v);
        }
        // Harmonics: every channel of the three groups, both floats of every order.
        for (std::size_t group = 0; group < 3; ++group)
            for (std::size_t channel = 0; channel < 8; ++channel)
                for (std::size_t order = 0; order < 51; ++order) {
                    const std::size_t at = 20 + group * 3264 + channel * 408 + order * 8;
                    const double fundamental = channel < 4 ? 230.0 + double(channel) : 12.0 + double(channel);
                    const double second = order == 1 ? fundamental : fundamental * 0.01 * double(1 + (order + group + std::size_t(i)) % 5);
                    t.bytes.PutF32(at, float(second * 0.5));
                    t.bytes.PutF32(at + 4, float(second));
                }
        // Record 5: phase-A voltage fundamental below its threshold in the first group.
        if (i == 5)
            t.bytes.PutF32(20 + 8 + 4, 1.0f);
        // Record 6: every voltage fundamental of the first group below the thresholds.
        if (i == 6)
            for (std::size_t channel = 0; channel < 3; ++channel)
                t.bytes.PutF32(20 + channel * 408 + 12, 2.0f);
        for (std::size_t k = 0; k < 3; ++k) {
            t.bytes.PutF32(10832 + 24 * k, float(-(2.0 + double(k) + 0.1 * i)));
            t.bytes.PutF32(10840 + 24 * k, float(100.0 + double(k)));
        }
        return t;
    }

    static SWrittenTable DemandRecord(const CSessionWriter& writer, int d)
    {
        SWrittenTable t = writer.MakeTable(61, 608, kStart + std::int64_t(d) * 300 * kTicksPerSecond);
        t.bytes.PutTime(12, kStart + std::int64_t(d + 1) * 300 * kTicksPerSecond);
        for (std::size_t j = 0; j < 7; ++j)
            t.bytes.PutF32(24 + 4 * j, float(221.0 + double(j) + 0.2 * d));
        for (std::size_t k = 0; k < 5; ++k)
            t.bytes.PutF32(52 + 4 * k, float(9.0 + double(k) + 0.1 * d));
        for (std::size_t j = 0; j < 7; ++j) {
            const double va = (221.0 + double(j) + 0.2 * d) * (9.0 + double(j % 3) + 0.1 * d);
            PutTriple(t, 72 + 12 * j, 0.85 * va);
            PutTriple(t, 156 + 12 * j, va);
            PutTriple(t, 240 + 12 * j, 0.5 * va);
            PutTriple(t, 324 + 12 * j, 0.8 * va);
            PutTriple(t, 408 + 12 * j, va);
            PutTriple(t, 492 + 12 * j, 0.4 * va);
        }
        t.bytes.PutF32(576, 6000.0f + float(d));
        t.bytes.PutF32(588, 226.0f);
        t.bytes.PutF32(592, 10.0f + 0.1f * float(d));
        t.bytes.PutF32(596, 5800.0f);
        t.bytes.PutF32(604, 2900.0f);
        return t;
    }

    CDataItemTrend* Item(DWORD id, bool demand = false, DWORD multiple = 1, int reference = 0)
    {
        const STrendAccessSpec accessSpec{BYTE(demand ? 1 : 0), multiple};
        if (CDataItemTrend* item = m_cache.FindTrendItem(m_set.get(), id, reference, accessSpec))
            return item;
        return m_cache.GetTrendItem(m_set.get(), id, reference, accessSpec);
    }

    std::vector<double> Values(bool demand, const std::function<double(const SWrittenTable&)>& column) const
    {
        std::vector<double> values;
        for (const auto& table : demand ? m_demand : m_trend)
            values.push_back(column(table));
        return values;
    }

    void ExpectTriple(const CTrendChannel& channel, std::size_t offset, const std::string& where, bool demand = false,
                      double divisor = 1.0) const
    {
        const std::size_t fields[3] = {offset, offset + 8, offset + 4};
        for (int s = 0; s < 3; ++s)
            ExpectSeries(channel, s, Values(demand, [&](const SWrittenTable& t) { return F(t, fields[s]) / divisor; }), where);
    }

    ScopedTimeZone m_zone{"UTC"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    std::vector<SWrittenTable> m_trend;
    std::vector<SWrittenTable> m_demand;
    std::unique_ptr<CDataSet> m_set;
    CTrendCache m_cache;
};

TEST_P(OlderTrendItems, VoltageFollowsTheReferenceAndTheNeutral)
{
    Load();
    struct Case
    {
        int reference;
        std::size_t first;
    };
    for (const Case c : {Case{1, 9928}, Case{2, 9844}, Case{3, 9964}}) {
        CDataItemTrend* item = Item(0, false, 1, c.reference);
        ASSERT_NE(item, nullptr);
        for (DWORD k = 0; k < 3; ++k)
            ExpectTriple(*item->GetChannel(0, k), c.first + 12 * k, "reference " + std::to_string(c.reference));
        ExpectTriple(*item->GetChannel(0, 3), 9880, "neutral to ground");
    }
    EXPECT_EQ(Item(0, false, 1, 0), Item(0, false, 1, 2));  // 0 is the default reference

    // Without a neutral, reference 2 reads the other phase-to-neutral block and no slot 3.
    Load({.topology = 2});
    CDataItemTrend* item = Item(0, false, 1, 2);
    ASSERT_NE(item, nullptr);
    ExpectTriple(*item->GetChannel(0, 0), 9892, "no neutral");
    ExpectSeries(*item->GetChannel(0, 3), 1, std::vector<double>(kRecords, std::nan("")), "no neutral slot 3");
}

TEST_P(OlderTrendItems, CurrentFrequencyAndFlicker)
{
    Load();
    CDataItemTrend* current = Item(1);
    ASSERT_NE(current, nullptr);
    for (DWORD k = 0; k < 5; ++k)
        ExpectTriple(*current->GetChannel(1, k), 10012 + 12 * k, "current slot " + std::to_string(k));

    // Frequency: statistics of the valid samples only (NaN and 0 are skipped).
    CDataItemTrend* frequency = Item(2);
    ASSERT_NE(frequency, nullptr);
    std::vector<double> minimum, average, maximum;
    std::vector<int> minimumAt, maximumAt;
    for (const auto& t : m_trend) {
        double lo = std::nan(""), hi = std::nan(""), sum = 0.0;
        int n = 0, loAt = 0, hiAt = 0;
        for (int s = 0; s < 60; ++s) {
            const float v = F(t, 10592 + 4 * std::size_t(s));
            if (std::isnan(v) || v == 0.0f)
                continue;
            if (n == 0 || v < lo) { lo = v; loAt = s; }
            if (n == 0 || v > hi) { hi = v; hiAt = s; }
            sum += v;
            ++n;
        }
        minimum.push_back(lo);
        maximum.push_back(hi);
        average.push_back(n ? sum / n : std::nan(""));
        minimumAt.push_back(loAt);
        maximumAt.push_back(hiAt);
    }
    const auto channel = frequency->GetChannel(2, 0);
    ExpectSeries(*channel, 0, minimum, "frequency min");
    ExpectSeries(*channel, 1, average, "frequency avg");
    ExpectSeries(*channel, 2, maximum, "frequency max");
    // 0 Hz marks a sample the logger could not measure, as NaN does: records that start with
    // either still have the real minimum of their measured samples, never 0 nor NaN.
    EXPECT_GT(channel->GetAccess(0)->GetValue(0), 49.9f);
    EXPECT_GT(channel->GetAccess(0)->GetValue(1), 49.9f);
    EXPECT_GT(channel->GetAccess(0)->GetValue(0), 49.0f);  // not the invalid sample 0
    EXPECT_GT(channel->GetAccess(0)->GetValue(1), 49.0f);  // not the skipped 0 of sample 0
    EXPECT_TRUE(std::isnan(channel->GetAccess(1)->GetValue(2)));
    const BYTE* positions = frequency->Arrays().positions.get();
    for (int i = 0; i < kRecords; ++i) {
        EXPECT_EQ(positions[5 * i], minimumAt[std::size_t(i)]) << i;
        EXPECT_EQ(positions[5 * i + 1], maximumAt[std::size_t(i)]) << i;
    }

    CDataItemTrend* pst = Item(10);
    CDataItemTrend* plt = Item(11);
    ASSERT_NE(pst, nullptr);
    ASSERT_NE(plt, nullptr);
    for (std::size_t k = 0; k < 3; ++k) {
        const auto values = Values(false, [&](const SWrittenTable& t) { return F(t, 10576 + 4 * k); });
        ExpectAverageOnly(*pst->GetChannel(10, DWORD(k)), values, "Pst");
        // Windows of 12 records: the cube root of the mean cube of the valid values.
        std::vector<double> expected(values.size(), std::nan(""));
        for (std::size_t start = 0; start < values.size(); start += 12) {
            const std::size_t end = std::min(values.size(), start + 12);
            double cubes = 0.0;
            int n = 0;
            for (std::size_t i = start; i < end; ++i)
                if (std::isfinite(values[i])) {
                    cubes += values[i] * values[i] * values[i];
                    ++n;
                }
            for (std::size_t i = start; i < end; ++i)
                if (std::isfinite(values[i]))
                    expected[i] = std::cbrt(cubes / n);
        }
        ExpectAverageOnly(*plt->GetChannel(11, DWORD(k)), expected, "Plt phase " + std::to_string(k));
    }
}

TEST_P(OlderTrendItems, HarmonicsThdOnceAndUnbalance)
{
    Load();
    struct Row
    {
        DWORD item;
        std::size_t group;
        std::size_t firstChannel;
        DWORD thd;
        DWORD unbalance;
        int lastOrder;
    };
    const Row rows[] = {
        {3, 0, 0, 29, 33, 50},  {23, 1, 0, 29, 33, 50}, {24, 1, 0, 31, 33, 49},
        {4, 0, 4, 30, 34, 50},  {25, 1, 4, 30, 34, 50}, {26, 2, 4, 32, 34, 49},
    };
    for (const Row& row : rows) {
        CDataItemTrend* item = Item(row.item);
        ASSERT_NE(item, nullptr) << row.item;
        const bool current = row.firstChannel == 4;
        const STrendHarmonicsBlock& block = *item->Arrays().harmonics;
        EXPECT_FALSE(block.thdComputed);
        for (std::size_t slot = 0; slot < 4; ++slot) {
            const std::size_t channel = 20 + row.group * 3264 + (row.firstChannel + slot) * 408;
            std::vector<double> thd;
            for (std::size_t i = 0; i < m_trend.size(); ++i) {
                const SWrittenTable& t = m_trend[i];
                for (std::size_t order = 0; order <= std::size_t(row.lastOrder); ++order) {
                    ExpectValue(F(t, channel + 8 * order + 4), block.orders[order][slot][0][i], "order pair 0");
                    ExpectValue(F(t, channel + 8 * order), block.orders[order][slot][1][i], "order pair 1");
                }
                if (row.lastOrder == 49) {
                    EXPECT_TRUE(std::isnan(block.orders[50][slot][0][i]));
                }
                double squares = 0.0;
                for (int order = 2; order <= row.lastOrder; ++order) {
                    const double v = F(t, channel + 8 * std::size_t(order) + 4);
                    squares += v * v;
                }
                const double f = F(t, channel + 8 + 4);
                const double threshold = current ? kCurrentThreshold : kVoltageThreshold;
                thd.push_back(f < threshold ? std::nan("") : 100.0 * std::sqrt(squares) / std::fabs(f));
            }
            ExpectAverageOnly(*item->GetChannel(row.thd, slot == 3 ? 3 : DWORD(slot)), thd,
                              "THD item " + std::to_string(row.item) + " slot " + std::to_string(slot));
        }
        EXPECT_TRUE(block.thdComputed);
        // A second request leaves the series as they are.
        const float before = item->Arrays().triples[0][kSeriesAvg][0];
        item->Arrays().triples[0][kSeriesAvg].Data()[0] = -1.0f;
        item->GetChannel(row.thd, 0);
        EXPECT_EQ(item->Arrays().triples[0][kSeriesAvg][0], -1.0f);
        item->Arrays().triples[0][kSeriesAvg].Data()[0] = before;

        // Unbalance: 100 x smaller / larger magnitude of the record's pair; NaN when every
        // phase's fundamental is below its threshold.
        const auto unbalance = item->GetChannel(row.unbalance, 5);
        EXPECT_EQ(unbalance->GetPhase(), 5u);
        const std::size_t k = current ? 2 : 1;  // a neutral: the phase-to-neutral unbalance
        std::vector<double> expected;
        for (const auto& t : m_trend) {
            const double a = std::fabs(F(t, 10832 + 24 * k)), b = std::fabs(F(t, 10840 + 24 * k));
            bool allBelow = true;
            for (std::size_t s = 0; s < 3; ++s) {
                const std::size_t fundamental = 20 + row.group * 3264 + (row.firstChannel + s) * 408 + 12;
                allBelow = allBelow && F(t, fundamental) < (current ? kCurrentThreshold : kVoltageThreshold);
            }
            expected.push_back(allBelow ? std::nan("") : 100.0 * std::min(a, b) / std::max(a, b));
        }
        ExpectAverageOnly(*unbalance, expected, "unbalance item " + std::to_string(row.item));
    }
    // Record 6 lost its voltage unbalance; record 5 kept it although phase A is below.
    EXPECT_TRUE(std::isnan((*Item(3)->GetUnbalance(1))[6]));
    EXPECT_TRUE(std::isfinite((*Item(3)->GetUnbalance(1))[5]));
    EXPECT_TRUE(std::isnan(Item(3)->Arrays().triples[0][kSeriesAvg][5]));
    EXPECT_EQ(Item(3)->GetUnbalance(3), nullptr);
}

// S, N and PF of the older power rows from V, I and P; the totals by topology.
struct SPowerExpectation
{
    std::vector<double> s, n, pf;
};

SPowerExpectation DerivePower(const std::vector<double>& v, const std::vector<double>& i, const std::vector<double>& p)
{
    SPowerExpectation e;
    for (std::size_t r = 0; r < v.size(); ++r) {
        const double s = double(float(v[r])) * double(float(i[r])) / kKilo;
        e.s.push_back(s);
        e.n.push_back(NonActive(float(s), float(p[r])));
        const bool below = v[r] < kVoltageThreshold || i[r] < kCurrentThreshold;
        e.pf.push_back(below ? std::nan("") : ClampMagnitude(double(float(p[r])) / double(float(s))));
    }
    return e;
}

TEST_P(OlderTrendItems, PowerRowsDeriveApparentNonActiveAndPowerFactor)
{
    Load();
    for (const bool demand : {false, true}) {
        CDataItemTrend* item = Item(39, demand);
        ASSERT_NE(item, nullptr);
        const std::string where = demand ? "demand" : "trend";
        std::array<std::vector<double>, 3> pf;
        for (std::size_t k = 0; k < 3; ++k) {
            // Reference 2 with a neutral: selector 0.
            const auto v = Values(demand, [&](const SWrittenTable& t) { return F(t, demand ? 24 + 4 * k : 9844 + 12 * k + 8); });
            const auto i = Values(demand, [&](const SWrittenTable& t) { return F(t, demand ? 52 + 4 * k : 10020 + 12 * k); });
            const std::size_t pAt = (demand ? 72 : 10072) + 12 * k;
            const auto p = Values(demand, [&](const SWrittenTable& t) { return F(t, pAt + 8) / kKilo; });
            const SPowerExpectation e = DerivePower(v, i, p);
            pf[k] = e.pf;
            ExpectTriple(*item->GetChannel(5, DWORD(k)), pAt, where + " P", demand, kKilo);
            const auto s = item->GetChannel(6, DWORD(k));
            ExpectSeries(*s, 1, e.s, where + " S");
            const std::size_t sAt = (demand ? 156 : 10156) + 12 * k;
            ExpectSeries(*s, 0, Values(demand, [&](const SWrittenTable& t) { return F(t, sAt) / kKilo; }), where + " S min");
            const auto n = item->GetChannel(7, DWORD(k));
            ExpectSeries(*n, 1, e.n, where + " N");
            ExpectSeries(*n, 2, Values(demand, [&](const SWrittenTable& t) { return F(t, (demand ? 244 : 10244) + 12 * k) / kKilo; }), where + " N max");
            ExpectAverageOnly(*item->GetChannel(8, DWORD(k)), e.pf, where + " PF phase " + std::to_string(k));
        }
        // Totals: 3 x system V x system I for a wye; P total as recorded.
        const auto sv = Values(demand, [&](const SWrittenTable& t) { return F(t, demand ? 588 : 10920); });
        const auto si = Values(demand, [&](const SWrittenTable& t) { return F(t, demand ? 592 : 10924); });
        const auto pt = Values(demand, [&](const SWrittenTable& t) { return F(t, demand ? 576 : 10904) / kKilo; });
        std::vector<double> st, nt, pft;
        for (std::size_t r = 0; r < sv.size(); ++r) {
            st.push_back(3.0 * sv[r] * si[r] / kKilo);
            nt.push_back(NonActive(float(st.back()), float(pt[r])));
            pft.push_back(ClampMagnitude(double(float(pt[r])) / double(float(st.back()))));
        }
        const auto total = item->GetChannel(6, 5);
        EXPECT_EQ(total->GetAccess(0), nullptr);
        ExpectSeries(*total, 1, st, where + " S total");
        ExpectAverageOnly(*item->GetChannel(5, 5), pt, where + " P total");
        ExpectAverageOnly(*item->GetChannel(7, 5), nt, where + " N total");
        ExpectAverageOnly(*item->GetChannel(8, 5), pft, where + " PF total");
    }
    // Record 4's phase-A current is below its threshold: no power factor.
    EXPECT_TRUE(std::isnan(Item(39)->GetChannel(8, 0)->GetAccess(1)->GetValue(4)));
}

TEST_P(OlderTrendItems, SinglePhaseTopologyZeroesTheOtherPhases)
{
    Load({.topology = 0});
    CDataItemTrend* item = Item(39);
    ASSERT_NE(item, nullptr);
    for (DWORD k = 1; k < 3; ++k) {
        for (DWORD q : {5u, 6u})
            for (int s = 0; s < 3; ++s)
                EXPECT_EQ(item->GetChannel(q, k)->GetAccess(s)->GetValue(7), 0.0f);
        EXPECT_EQ(item->GetChannel(8, k)->GetAccess(1)->GetValue(7), 0.0f);
    }
    const auto v = Values(false, [](const SWrittenTable& t) { return F(t, 9852); });
    const auto i = Values(false, [](const SWrittenTable& t) { return F(t, 10020); });
    std::vector<double> s;
    for (std::size_t r = 0; r < v.size(); ++r)
        s.push_back(v[r] * i[r] / kKilo);
    ExpectSeries(*item->GetChannel(6, 5), 1, s, "single-phase S total");
}

TEST_P(OlderTrendItems, FundamentalRowsDeriveSfAndSignedDpf)
{
    Load();
    for (const bool demand : {false, true}) {
        CDataItemTrend* item = Item(40, demand);
        ASSERT_NE(item, nullptr);
        const std::string where = demand ? "demand" : "trend";
        const std::size_t base = demand ? 0 : 10000;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t at = 12 * k;
            ExpectTriple(*item->GetChannel(20, DWORD(k)), base + 324 + at, where + " Pf", demand, kKilo);
            ExpectTriple(*item->GetChannel(22, DWORD(k)), base + 492 + at, where + " Qf", demand, kKilo);
            const auto pf = Values(demand, [&](const SWrittenTable& t) { return F(t, base + 332 + at) / kKilo; });
            const auto qf = Values(demand, [&](const SWrittenTable& t) { return F(t, base + 500 + at) / kKilo; });
            const auto cur = Values(demand, [&](const SWrittenTable& t) { return demand ? std::nan("") : F(t, 10020 + at); });
            std::vector<double> sf, dpf;
            for (std::size_t r = 0; r < pf.size(); ++r) {
                const double p = float(pf[r]), q = float(qf[r]);
                sf.push_back(std::sqrt(p * p + q * q));
                // The demand record carries no V and I: its thresholds never apply.
                const bool below = cur[r] < kCurrentThreshold;
                dpf.push_back(below ? std::nan("") : std::copysign(ClampMagnitude(p / float(sf.back())), q));
            }
            const auto sfChannel = item->GetChannel(21, DWORD(k));
            ExpectSeries(*sfChannel, 1, sf, where + " Sf");
            ExpectSeries(*sfChannel, 2, Values(demand, [&](const SWrittenTable& t) { return F(t, base + 412 + at) / kKilo; }), where + " Sf max");
            ExpectAverageOnly(*item->GetChannel(9, DWORD(k)), dpf, where + " DPF");
            // The fundamental energies are never integrated.
            for (int s = 0; s < 3; ++s)
                EXPECT_EQ(item->GetChannel(36, DWORD(k))->GetAccess(s), nullptr);
        }
    }
    EXPECT_LT(Item(40)->GetChannel(9, 0)->GetAccess(1)->GetValue(2), 0.0f);  // negative Qf
}

TEST_P(OlderTrendItems, EnergyIntegrationAndGroupedPower)
{
    Load();
    CDataItemTrend* item = Item(39);
    ASSERT_NE(item, nullptr);
    std::array<std::vector<double>, 3> energy;
    for (std::size_t k = 0; k < 3; ++k) {
        double e = 0.0;
        for (const auto& t : m_trend) {
            e += F(t, 10072 + 12 * k + 8) / kKilo / 6.0;
            energy[k].push_back(e);
        }
        ExpectAverageOnly(*item->GetChannel(36, DWORD(k)), energy[k], "kWh phase " + std::to_string(k));
    }
    std::vector<double> total;
    for (std::size_t r = 0; r < energy[0].size(); ++r)
        total.push_back(double(float(energy[0][r])) + float(energy[1][r]) + float(energy[2][r]));
    ExpectAverageOnly(*item->GetChannel(36, 5), total, "kWh total");

    // Grouped by the hour: records 0..5 and 6..11; record 12 starts an incomplete hour.
    CDataItemTrend* grouped = Item(39, false, 6);
    ASSERT_NE(grouped, nullptr);
    ASSERT_EQ(grouped->GetRecordCount(), 2);
    for (std::size_t k = 0; k < 3; ++k) {
        std::vector<double> v, i, p, pMin, sMax;
        for (int g = 0; g < 2; ++g) {
            std::vector<double> vs, is, ps, pMins, sMaxs;
            for (int r = 6 * g; r < 6 * g + 6; ++r) {
                const SWrittenTable& t = m_trend[std::size_t(r)];
                vs.push_back(F(t, 9844 + 12 * k + 8));
                is.push_back(F(t, 10020 + 12 * k));
                ps.push_back(F(t, 10072 + 12 * k + 8) / kKilo);
                pMins.push_back(F(t, 10072 + 12 * k) / kKilo);
                sMaxs.push_back(F(t, 10156 + 12 * k + 4) / kKilo);
            }
            v.push_back(Reduce(vs, Stat::Rms, 6));
            i.push_back(Reduce(is, Stat::Rms, 6));
            p.push_back(Reduce(ps, Stat::Mean, 6));
            pMin.push_back(Reduce(pMins, Stat::Min, 6));
            sMax.push_back(Reduce(sMaxs, Stat::Max, 6));
        }
        const SPowerExpectation e = DerivePower(v, i, p);
        const std::string where = "grouped phase " + std::to_string(k);
        ExpectSeries(*grouped->GetChannel(5, DWORD(k)), 1, p, where + " P");
        ExpectSeries(*grouped->GetChannel(5, DWORD(k)), 0, pMin, where + " P min");
        ExpectSeries(*grouped->GetChannel(6, DWORD(k)), 1, e.s, where + " S");
        ExpectSeries(*grouped->GetChannel(6, DWORD(k)), 2, sMax, where + " S max");
        ExpectSeries(*grouped->GetChannel(7, DWORD(k)), 1, e.n, where + " N");
        ExpectAverageOnly(*grouped->GetChannel(8, DWORD(k)), e.pf, where + " PF");
    }
    // The grouped fundamental item carries no V and I: its DPF is never NaN by the thresholds.
    CDataItemTrend* fundamental = Item(40, false, 6);
    ASSERT_NE(fundamental, nullptr);
    EXPECT_TRUE(std::isfinite(fundamental->GetChannel(9, 0)->GetAccess(1)->GetValue(0)));
    // Rows without grouping keep NaN values.
    CDataItemTrend* thd = Item(3, false, 6);
    ASSERT_NE(thd, nullptr);
    EXPECT_TRUE(std::isnan(thd->GetChannel(29, 0)->GetAccess(1)->GetValue(0)));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, OlderTrendItems, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
