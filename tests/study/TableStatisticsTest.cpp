// The statistics of the study tables on sessions from the session writer, against values the test
// computes from the written numbers: RMS and mean with gaps, invalid values and +/-infinity,
// reverse power, the derived powers and power factors, the effective apparent power, the THD
// weighting, the extremes with their times, the quality flags around the valid ratio, and the
// same cells from summaries taken in one walk, by several threads over a long session or kept by
// the trend items; and the terms of the
// figures made of several series the same to the bit whether a chunk is taken in vectors or
// record by record.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/RecordRange.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/SeriesPass.h"
#include "study/FoldTerms.h"
#include "study/SharedSeriesSummaries.h"
#include "study/TableStatistics.h"
#include "study/WalkThreads.h"
#include "support/SameSummaryBits.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr double kKilo = 1000.0;
constexpr int kTotal = 5;
// Offsets of the average of phase k in a trend record (Min at -8, Max at -4).
constexpr std::size_t VoltageAvg(int k) { return 32 + 12 * std::size_t(k); }
constexpr std::size_t VoltagePPAvg(int k) { return 68 + 12 * std::size_t(k); }
constexpr std::size_t CurrentAvg(int k) { return 104 + 12 * std::size_t(k); }
constexpr std::size_t ThdVAvg(int k) { return 140 + 12 * std::size_t(k); }
constexpr std::size_t PowerAvg(std::size_t base, int k) { return base + 8 + 12 * std::size_t(k == kTotal ? 3 : k); }
constexpr std::size_t kFrequencyAvg = 212;

float F(const SWrittenTable& t, std::size_t offset)
{
    return std::bit_cast<float>(t.bytes.GetU32(offset));
}

using Column = std::function<double(const SWrittenTable&)>;

class TableStatisticsTest : public ::testing::Test
{
protected:
    // Writes and loads the session after `patch` changed its trend records (index = written record).
    void Load(SSessionSpec recording, const std::function<void(int, SWrittenTable&)>& patch = {})
    {
        CSessionWriter writer(recording);
        std::vector<SWrittenTable> tables = writer.BuildTables();
        int index = 0;
        for (auto& table : tables)
            if (table.type == 64) {
                if (patch)
                    patch(index, table);
                ++index;
                m_trend.push_back(table);
            }
        const std::string path = m_folder.Path("session.zlg");
        ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
        ASSERT_EQ(m_set.LoadFromFile(path.c_str(), false), 0);
        ASSERT_EQ(m_set.GetTrendTimeBlock()->GetRecordCount(), int(m_trend.size()));
    }

    CTableStatistics Statistics(SRecordRange range) { return {m_cache, m_set, STrendAccessSpec{0, 1}, range, 0.95}; }
    CTableStatistics Whole() { return Statistics({0, int(m_trend.size()) - 1}); }

    // Mean or RMS of the finite values of a column over records first..last.
    double Aggregate(const Column& column, bool rms, int first = 0, int last = -1) const
    {
        if (last < 0)
            last = int(m_trend.size()) - 1;
        double sum = 0.0;
        int n = 0;
        for (int i = first; i <= last; ++i) {
            const double v = column(m_trend[std::size_t(i)]);
            if (std::isfinite(v)) {
                sum += rms ? v * v : v;
                ++n;
            }
        }
        return rms ? std::sqrt(sum / n) : sum / n;
    }
    Column At(std::size_t offset, double divisor = 1.0) const
    {
        return [=](const SWrittenTable& t) { return double(F(t, offset)) / divisor; };
    }

    ScopedTimeZone m_zone{"UTC"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    std::vector<SWrittenTable> m_trend;
    CDataSet m_set{nullptr};
    CTrendCache m_cache;
};

void ExpectNear(double expected, float actual, const char* what)
{
    EXPECT_NEAR(double(actual), expected, 1e-4 * std::max(1.0, std::fabs(expected))) << what;
}

// 36 ten-minute records with three missing (14..16 of the written ones are gone), NaN current
// of phase B in records 5 and 6, reverse power in record 3 on phase A, +infinity on the voltage
// of phase B in record 8 and -infinity on that of phase C in record 10.
SSessionSpec MorningSession()
{
    SSessionSpec recording;
    recording.trendRecords = 36;
    recording.gapStart = 14;
    recording.gapLength = 3;
    recording.events = false;
    recording.startTicks += 8 * 3600 * 10000000LL;
    return recording;
}

void PatchMorning(int record, SWrittenTable& t)
{
    if (record == 3) {
        t.bytes.PutF32(PowerAvg(216, 0), -F(t, PowerAvg(216, 0)));
        t.bytes.PutF32(PowerAvg(360, 0), -F(t, PowerAvg(360, 0)));
    }
    if (record == 8)
        t.bytes.PutF32(VoltageAvg(1), kInf);
    if (record == 10)
        t.bytes.PutF32(VoltageAvg(2), -kInf);
    if (record == 12)
        t.bytes.PutF32(VoltageAvg(0), 1000.0f); // above every recorded maximum
    if (record == 20) {
        t.bytes.PutF32(512, 0.999f); // the highest power factor of phase A, capacitive
        t.bytes.PutF32(560, -F(t, 560));
    }
}

TEST_F(TableStatisticsTest, VoltageAndCurrentAreRootMeanSquaresOfTheFiniteAveragesWithTheirQuality)
{
    Load(MorningSession(), PatchMorning);
    CTableStatistics stats = Whole();
    const int records = int(m_trend.size());
    for (int k = 0; k < 3; ++k) {
        const SWorkingValue v = stats.CellValue(0, k, 2);
        ExpectNear(Aggregate(At(VoltageAvg(k)), true), v.value, "voltage RMS");
        EXPECT_EQ(v.quality.missingCount, 3);
        EXPECT_EQ(v.quality.expectedCount, records + 3);
        EXPECT_EQ(v.quality.quality, 2) << "33 valid of 36 expected lie below 95 %";
        ExpectNear(Aggregate(At(CurrentAvg(k)), true), stats.CellValue(1, k).value, "current RMS");
    }
    EXPECT_EQ(stats.CellValue(0, 1, 2).quality.plusInfinityCount, 1);
    EXPECT_EQ(stats.CellValue(0, 2, 2).quality.minusInfinityCount, 1);
    EXPECT_EQ(stats.CellValue(1, 1).quality.nanCount, 2);
    EXPECT_EQ(stats.CellValue(0, 0, 2).quality.finiteCount, records);
}

TEST_F(TableStatisticsTest, ExtremesTakeTheAveragesWhenTheyGoFurtherAndKeepTheRecordTime)
{
    Load(MorningSession(), PatchMorning);
    CTableStatistics stats = Whole();
    SSummaryTableCell cell;
    stats.FillCell(0, 0, cell);
    const SSummaryTableEntry& max = cell.entries[SSummaryTableCell::kMax];
    EXPECT_FLOAT_EQ(max.value, 1000.0f);
    EXPECT_EQ(max.time.GetTicks(), m_set.GetTrendTimeBlock()->GetTime(12).GetTicks());
    EXPECT_TRUE(max.available);

    // The minimum of phase A's Min series, unless an average lies lower.
    double lowest = INFINITY;
    int lowestRecord = -1;
    for (int i = 0; i < int(m_trend.size()); ++i)
        for (std::size_t offset : {VoltageAvg(0) - 8, VoltageAvg(0)})
            if (const double v = F(m_trend[std::size_t(i)], offset); v < lowest) {
                lowest = v;
                lowestRecord = i;
            }
    const SSummaryTableEntry& min = cell.entries[SSummaryTableCell::kMin];
    EXPECT_FLOAT_EQ(min.value, float(lowest));
    EXPECT_EQ(min.time.GetTicks(), m_set.GetTrendTimeBlock()->GetTime(lowestRecord).GetTicks());
    EXPECT_EQ(cell.entries[SSummaryTableCell::kAvg].time.GetStatus(), CHighTime::null);

    // An average of +infinity on phase B is no finite maximum: the Max series' maximum stays.
    SSummaryTableCell b;
    stats.FillCell(0, 1, b);
    double highest = -INFINITY;
    for (const SWrittenTable& t : m_trend)
        highest = std::max(highest, double(F(t, VoltageAvg(1) - 4)));
    EXPECT_FLOAT_EQ(b.entries[SSummaryTableCell::kMax].value, float(highest));
}

TEST_F(TableStatisticsTest, PowersFollowFromTheirOperandsWithReversePower)
{
    Load(MorningSession(), PatchMorning);
    CTableStatistics stats = Whole();
    for (int k : {0, 1, 2}) {
        const double p = Aggregate(At(PowerAvg(216, k), kKilo), false);
        const double s = Aggregate(At(VoltageAvg(k)), true) * Aggregate(At(CurrentAvg(k)), true) / kKilo;
        ExpectNear(p, stats.CellValue(5, k).value, "P mean");
        ExpectNear(s, stats.CellValue(6, k).value, "S = V x I");
        // Q from the magnitudes of the intervals' P: the reverse record of phase A nets P down,
        // not Q up.
        const double magnitude = Aggregate([&](const SWrittenTable& t) { return std::fabs(F(t, PowerAvg(216, k))) / kKilo; }, false);
        ExpectNear(std::sqrt(std::max(0.0, s * s - magnitude * magnitude)), stats.CellValue(7, k).value, "Q");
        // PF: the active over the apparent energy, with the recorded S.
        const double recordedS = Aggregate(At(PowerAvg(264, k), kKilo), false);
        ExpectNear(std::clamp(p / recordedS, -1.0, 1.0), stats.CellValue(8, k).value, "PF");
    }
    // The reverse record lowers phase A's mean: it is counted with its sign.
    double forwardOnly = 0.0;
    for (const SWrittenTable& t : m_trend)
        forwardOnly += std::fabs(F(t, PowerAvg(216, 0))) / kKilo;
    EXPECT_LT(stats.CellValue(5, 0).value, float(forwardOnly / double(m_trend.size())));

    // Total: the effective apparent power from the phase and line voltages record by record.
    double sumUe2 = 0.0, sumRatio = 0.0;
    int n = 0;
    for (const SWrittenTable& t : m_trend) {
        const double s = F(t, PowerAvg(264, kTotal)) / kKilo;
        if (!std::isfinite(s))
            continue;
        ++n;
        auto sq = [&](std::size_t offset) {
            const double v = F(t, offset);
            return std::isfinite(v) ? v * v : 0.0;
        };
        const double ue2 = (3 * (sq(VoltageAvg(0)) + sq(VoltageAvg(1)) + sq(VoltageAvg(2))) + sq(VoltagePPAvg(0)) +
                            sq(VoltagePPAvg(1)) + sq(VoltagePPAvg(2))) / 18.0;
        if (ue2 != 0.0) {
            sumUe2 += ue2;
            sumRatio += s * s / (9 * ue2);
        }
    }
    const double effective = 3 * std::sqrt(sumUe2 / n) * std::sqrt(sumRatio / n);
    ExpectNear(effective, stats.CellValue(6, kTotal).value, "effective S");
    const double pTotal = Aggregate(At(PowerAvg(216, kTotal), kKilo), false);
    const double sTotal = Aggregate(At(PowerAvg(264, kTotal), kKilo), false);
    ExpectNear(std::clamp(pTotal / sTotal, -1.0, 1.0), stats.CellValue(8, kTotal).value, "PF total");

    // The extremes of a power factor are those of its Max and Min series unless an average goes
    // further; their sign indicator is the sign of the quadrant-signed DPF at the extreme's
    // record (negated there to see it follow), the average's that of the DPF over the range.
    SSummaryTableCell pf;
    stats.FillCell(8, 0, pf);
    EXPECT_FLOAT_EQ(pf.entries[SSummaryTableCell::kMax].value, 0.999f);
    EXPECT_EQ(pf.entries[SSummaryTableCell::kMax].sign, -1);
    EXPECT_EQ(pf.entries[SSummaryTableCell::kAvg].sign, 1);
    // The lowest: the reverse record's power factor, negative with its power: the recorded
    // maximum magnitude of that interval is its lowest value, below every forward minimum.
    double lowestMin = INFINITY;
    for (const SWrittenTable& t : m_trend) {
        const bool reverse = F(t, PowerAvg(216, 0)) < 0.0f;
        lowestMin = std::min(lowestMin, double(reverse ? -F(t, PowerAvg(504, 0) - 4) : F(t, PowerAvg(504, 0) - 8)));
    }
    EXPECT_LT(lowestMin, -F(m_trend[3], PowerAvg(504, 0)));
    EXPECT_FLOAT_EQ(pf.entries[SSummaryTableCell::kMin].value, float(lowestMin));
    for (int e : {SSummaryTableCell::kMax, SSummaryTableCell::kMin}) {
        const SSummaryTableEntry& entry = pf.entries[std::size_t(e)];
        const int record = m_set.GetTrendTimeBlock()->FindRecordAt(entry.time);
        ASSERT_GE(record, 0);
        const float dpf = F(m_trend[std::size_t(record)], 560);
        EXPECT_EQ(entry.sign, dpf < 0 ? -1 : 1) << e;
    }

    // Fundamental: Fs from the magnitudes of Fp and Fq, DPF = the net Fp over Fs.
    const double fp = Aggregate(At(PowerAvg(360, 0), kKilo), false);
    const auto magnitudes = [&](std::size_t base) {
        return Aggregate([&](const SWrittenTable& t) { return std::fabs(F(t, PowerAvg(base, 0))) / kKilo; }, false);
    };
    const double fs = std::hypot(magnitudes(360), magnitudes(456));
    ExpectNear(fs, stats.CellValue(21, 0).value, "Fs");
    ExpectNear(fp / fs, stats.CellValue(9, 0).value, "DPF");
}

TEST_F(TableStatisticsTest, ThdIsWeightedByItsQuantityAndNaNOverAZeroWeight)
{
    Load(MorningSession(), [](int record, SWrittenTable& t) {
        t.bytes.PutF32(CurrentAvg(2), 0.0f); // phase C carries no current, so no apparent power
        t.bytes.PutF32(PowerAvg(264, 2), 0.0f);
        PatchMorning(record, t);
    });
    CTableStatistics stats = Whole();
    double weighted = 0.0, weights = 0.0;
    for (const SWrittenTable& t : m_trend) {
        const double thd = F(t, ThdVAvg(0));
        const double v = F(t, VoltageAvg(0));
        if (std::isfinite(thd) && std::isfinite(v)) {
            weighted += thd * v;
            weights += v;
        }
    }
    ExpectNear(weighted / weights, stats.CellValue(29, 0).value, "THD-V");
    EXPECT_TRUE(std::isnan(stats.CellValue(30, 2).value)) << "THD-A over a current of 0";
    EXPECT_TRUE(std::isnan(stats.CellValue(29, kTotal).value));
    EXPECT_TRUE(std::isnan(stats.CellValue(8, 2).value)) << "PF with S = 0";
}

TEST_F(TableStatisticsTest, ANonFiniteRmsMakesTheThdNonFiniteNotAProduct)
{
    Load(MorningSession(), [](int, SWrittenTable& t) { t.bytes.PutF32(CurrentAvg(1), kInf); });
    CTableStatistics stats = Whole();
    EXPECT_EQ(stats.CellValue(1, 1).value, kInf);
    EXPECT_EQ(stats.CellValue(30, 1).value, kInf) << "OL, never volts or amperes times percent";
    EXPECT_EQ(stats.CellValue(6, 1).value, kInf) << "S = V x I follows the infinite current";
}

TEST_F(TableStatisticsTest, OnlyNaNGivesNaNAndInfinityWithoutFiniteValuesWins)
{
    Load(MorningSession(), [](int record, SWrittenTable& t) {
        t.bytes.PutF32(kFrequencyAvg, kNaN);
        t.bytes.PutF32(PowerAvg(216, 1), record % 2 ? kInf : kNaN);
        t.bytes.PutF32(PowerAvg(216, 2), record % 2 ? -kInf : kNaN);
    });
    CTableStatistics stats = Whole();
    EXPECT_TRUE(std::isnan(stats.CellValue(2, 0).value));
    EXPECT_EQ(stats.CellValue(5, 1).value, kInf);
    EXPECT_EQ(stats.CellValue(5, 2).value, -kInf);
    SSummaryTableCell cell;
    stats.FillCell(5, 2, cell);
    EXPECT_EQ(cell.entries[SSummaryTableCell::kAvg].value, -kInf);
}

// 100 records without gap: the frequency's quality flag against the valid ratio 0.95.
TEST_F(TableStatisticsTest, QualityFlagFollowsTheValidRatio)
{
    SSessionSpec recording;
    recording.trendRecords = 100;
    recording.gapStart = -1;
    recording.events = false;
    recording.invalidValues = false;
    Load(recording, [](int record, SWrittenTable& t) {
        if (record < 10)
            t.bytes.PutF32(kFrequencyAvg, kNaN);
    });
    const struct
    {
        int first;
        int expectedFlag;
    } cases[] = {{0, 2}, {6, 1}, {10, 0}};
    for (const auto& c : cases) {
        // Records first..99: 100 - first expected, of which 10 - first are NaN (90 of 100, 90 of
        // 94 against the rounded 89, 90 of 90).
        CTableStatistics stats = Statistics({c.first, 99});
        const SWorkingValue f = stats.CellValue(2, 0);
        EXPECT_EQ(f.quality.quality, c.expectedFlag) << "from record " << c.first;
        ExpectNear(Aggregate(At(kFrequencyAvg), false, c.first, 99), f.value, "frequency mean");
    }
}

TEST_F(TableStatisticsTest, RecordRangesAgreeBetweenMarkersAndTables)
{
    SSessionSpec recording;
    recording.trendRecords = 12;
    recording.gapStart = -1;
    recording.events = false;
    Load(recording);
    const CTrendTimeBlock& block = *m_set.GetTrendTimeBlock();
    const CHighTimeSpan tenth(0, 0, 0, 0, 100);
    // Markers on records 2 and 5 hold the intervals between them: records 2, 3 and 4; marker
    // dates 0.1 s off still do.
    EXPECT_EQ(FindRecordRange(block, block.GetTime(2), block.GetTime(5)), (SRecordRange{2, 4}));
    EXPECT_EQ(FindRecordRange(block, block.GetTime(2) - tenth + CHighTimeSpan(1), block.GetTime(5) + tenth - CHighTimeSpan(1)),
              (SRecordRange{2, 4}));
    // A begin inside a record's interval starts with the next record; an end inside one takes
    // it in.
    const CHighTimeSpan minute(0, 0, 1, 0);
    EXPECT_EQ(FindRecordRange(block, block.GetTime(2) + minute, block.GetTime(5) + minute), (SRecordRange{3, 5}));
    // Both markers on one record, or the range wholly outside: no record.
    EXPECT_TRUE(FindRecordRange(block, block.GetTime(3), block.GetTime(3)).IsEmpty());
    EXPECT_TRUE(FindRecordRange(block, block.GetLastTime() + minute, block.GetLastTime() + minute + minute).IsEmpty());
    EXPECT_TRUE(FindRecordRange(block, block.GetTime(0) - minute - minute, block.GetTime(0) - minute).IsEmpty());
    EXPECT_EQ(WholeRecordRange(block), (SRecordRange{0, 11}));
}

// The cells of every statistics table, every phase and the total of each quantity.
std::vector<SStatisticsCell> EveryPageCell()
{
    std::vector<SStatisticsCell> cells;
    for (DWORD quantity : {0u, 1u, 2u, 5u, 6u, 7u, 8u, 9u, 20u, 21u, 22u, 29u, 30u, 54u, 56u, 57u})
        for (int phase : {0, 1, 2, kTotal})
            cells.push_back({quantity, phase});
    return cells;
}

std::vector<SSummaryTableCell> FillCells(CTableStatistics& stats, const std::vector<SStatisticsCell>& cells)
{
    std::vector<SSummaryTableCell> filled(cells.size());
    for (std::size_t c = 0; c < cells.size(); ++c)
        stats.FillCell(cells[c].quantity, cells[c].phase, filled[c]);
    return filled;
}

// Every entry of every cell to the bit.
void ExpectSameCells(const std::vector<SStatisticsCell>& cells, const std::vector<SSummaryTableCell>& a,
                     const std::vector<SSummaryTableCell>& b)
{
    for (std::size_t c = 0; c < cells.size(); ++c)
        for (std::size_t e = 0; e < 3; ++e) {
            SCOPED_TRACE(testing::Message() << "quantity " << cells[c].quantity << " phase " << cells[c].phase
                                            << " entry " << e);
            const SSummaryTableEntry& x = a[c].entries[e];
            const SSummaryTableEntry& y = b[c].entries[e];
            EXPECT_EQ(std::bit_cast<std::uint32_t>(x.value), std::bit_cast<std::uint32_t>(y.value));
            EXPECT_EQ(x.time, y.time);
            EXPECT_EQ(x.quality, y.quality);
            EXPECT_EQ(x.sign, y.sign);
        }
}

} // namespace

// What Prepare takes in one walk (and the trend items keep for a second table) gives every entry
// of every cell to the bit as cells that take their own summaries, over the whole session (kept)
// and over part of it (not kept).
TEST_F(TableStatisticsTest, PreparedCellsEqualCellsThatTakeTheirOwnSummaries)
{
    Load(MorningSession(), PatchMorning);
    const std::vector<SStatisticsCell> cells = EveryPageCell();
    const auto fill = [&](CTableStatistics& stats) { return FillCells(stats, cells); };
    for (const SRecordRange range : {SRecordRange{0, int(m_trend.size()) - 1}, SRecordRange{4, 25}}) {
        CTrendCache ownCache;
        CTableStatistics own(ownCache, m_set, STrendAccessSpec{0, 1}, range, 0.95);
        const auto reference = fill(own);
        CTableStatistics prepared = Statistics(range);
        prepared.Prepare(cells);
        {
            SCOPED_TRACE("prepared");
            ExpectSameCells(cells, reference, fill(prepared));
        }
        CTableStatistics second = Statistics(range);
        second.Prepare(cells);
        SCOPED_TRACE("kept by the items");
        ExpectSameCells(cells, reference, fill(second));
    }
}

// A long session's figures are taken by two to six threads at once, each taking stretches of the
// records: every entry of every cell (the derived and signed ones too) and every whole series the
// page asks for besides (taken by the table, or on their own as a page without statistics takes
// its scales, or by the data model alone) is the same to the bit as one thread gives, over the
// whole session and over a range that starts within it, with gaps, reverse power, infinities and
// NaN spread over the records.
TEST_F(TableStatisticsTest, FiguresTakenOnSeveralThreadsEqualThoseOfOne)
{
    SSessionSpec recording;
    recording.averagingSeconds = 60;
    recording.trendRecords = 24000;
    recording.gapStart = 9000;
    recording.gapLength = 70;
    recording.events = false;
    Load(recording, [](int record, SWrittenTable& t) {
        if (record % 997 == 3) {
            t.bytes.PutF32(PowerAvg(216, 0), -F(t, PowerAvg(216, 0)));
            t.bytes.PutF32(PowerAvg(360, 0), -F(t, PowerAvg(360, 0)));
        }
        if (record % 1009 == 8)
            t.bytes.PutF32(VoltageAvg(1), kInf);
        if (record % 1013 == 10)
            t.bytes.PutF32(VoltageAvg(2), -kInf);
        if (record % 503 == 7)
            t.bytes.PutF32(CurrentAvg(1), kNaN);
        if (record % 211 == 20) {
            t.bytes.PutF32(512, 0.999f);
            t.bytes.PutF32(560, -F(t, 560));
        }
    });
    const std::vector<SStatisticsCell> cells = EveryPageCell();
    const auto fill = [&](CTableStatistics& stats) { return FillCells(stats, cells); };
    // The current and apparent power series of every phase, as a graph takes its scales.
    const auto wholeSeries = [&](CTrendCache& cache) {
        std::vector<SSeriesRequest> requests;
        for (DWORD quantity : {1u, 6u}) {
            const DWORD itemId = TrendItemForQuantity(m_set.GetMeasurementConfig(), quantity, false);
            const CDataItemTrend* item = cache.GetTrendItem(&m_set, itemId, 0, STrendAccessSpec{0, 1});
            EXPECT_NE(item, nullptr);
            for (DWORD phase : {0u, 1u, 2u, DWORD(kTotal)})
                for (int series = 0; series < 3 && item; ++series)
                    requests.push_back({item, quantity, phase, series});
        }
        return requests;
    };
    const auto expectSameSummaries = [](const std::vector<SSeriesRequest>& own, const std::vector<SSeriesRequest>& other) {
        for (std::size_t r = 0; r < own.size(); ++r) {
            const SSeriesRequest& a = own[r];
            const SSeriesRequest& b = other[r];
            const SSeriesSummary* x = a.item->FindSeriesSummary(a.quantity, a.phase, a.series);
            const SSeriesSummary* y = b.item->FindSeriesSummary(b.quantity, b.phase, b.series);
            ASSERT_EQ(x == nullptr, y == nullptr) << "series " << r;
            if (!x)
                continue;
            SCOPED_TRACE(testing::Message() << "series " << r);
            ExpectSameSummaryBits(*x, *y);
        }
    };
    for (const std::size_t walks : {2ul, 3ul, 4ul, 6ul, kMostWalks})
        for (const SRecordRange range : {SRecordRange{0, int(m_trend.size()) - 1}, SRecordRange{1500, 23100}}) {
            SCOPED_TRACE(testing::Message() << walks << " threads, records " << range.first << ".." << range.last);
            CTrendCache ownCache;
            CTableStatistics own(ownCache, m_set, STrendAccessSpec{0, 1}, range, 0.95);
            own.SetWalks(1);
            const std::vector<SSummaryTableCell> reference = fill(own);
            const std::vector<SSeriesRequest> ownSeries = wholeSeries(ownCache);
            TakeSeriesSummaries(ownSeries);

            CTrendCache sharedCache;
            CTableStatistics shared(sharedCache, m_set, STrendAccessSpec{0, 1}, range, 0.95);
            const std::vector<SSeriesRequest> sharedSeries = wholeSeries(sharedCache);
            shared.SetWalks(walks);
            shared.Prepare(cells, sharedSeries);
            ExpectSameCells(cells, reference, fill(shared));
            if (range.first != 0)
                continue;
            expectSameSummaries(ownSeries, sharedSeries);
            // A page whose table takes no statistics shares the scales' series out itself.
            CTrendCache scaleCache;
            const std::vector<SSeriesRequest> scaleSeries = wholeSeries(scaleCache);
            TakeSeriesSummaries(scaleSeries, SharedSummaryWalker(walks));
            expectSameSummaries(ownSeries, scaleSeries);
        }
}

// A chunk whose values are all finite takes its terms in vectors; the same records in a chunk
// with one value that is not finite are taken one by one. Every term, count and sum is the same
// to the bit: phases flowing against each other, a missing phase or voltage, a record without
// any voltage (no Ue^2), a zero of each sign.
TEST(FoldTermsTest, AChunkOfFiniteValuesGivesTheTermsOfTheRecordByRecordWay)
{
    constexpr int kFinite = CSeriesPass::kChunk - 1;
    std::mt19937 random(61);
    std::uniform_real_distribution<float> signedValue(-700.0f, 700.0f);
    // Magnitudes far apart, so that sums of them in doubles are rounded: an order of operations
    // changed shows.
    std::uniform_int_distribution<int> exponent(-24, 24);
    const auto column = [&](float scale) {
        std::vector<float> values(CSeriesPass::kChunk);
        for (float& v : values)
            v = std::ldexp(scale * signedValue(random), exponent(random));
        return values;
    };
    auto values = column(1.0f), a = column(1.0f), b = column(1.0f), c = column(0.1f), apparent = column(1.0f);
    std::vector<std::vector<float>> voltages;
    for (int k = 0; k < 6; ++k)
        voltages.push_back(column(k < 3 ? 0.3f : 0.5f));
    for (auto& voltage : voltages)
        voltage[7] = 0.0f; // no voltage at all: no Ue^2
    values[3] = -0.0f;
    a[4] = 0.0f;
    const std::array<const float*, 6> someVoltages = {voltages[0].data(), voltages[1].data(), nullptr,
                                                      voltages[3].data(), voltages[4].data(), voltages[5].data()};
    // The terms of records 0 .. kFinite - 1, alone (in vectors) and then beside a record kFinite
    // that is not finite (one by one), for each figure; and their sums side by side.
    const auto both = [&](std::vector<float>& spoilt, const std::function<void(int, std::vector<double>&, std::vector<double>&,
                                                                                SDerivedSummary&)>& terms) {
        std::array<std::vector<double>, 2> first, second;
        std::array<SDerivedSummary, 2> summaries;
        for (int way = 0; way < 2; ++way) {
            const float kept = spoilt[kFinite];
            if (way == 1)
                spoilt[kFinite] = kNaN;
            first[way].assign(CSeriesPass::kChunk, -1.0);
            second[way].assign(CSeriesPass::kChunk, -1.0);
            terms(kFinite + way, first[way], second[way], summaries[way]);
            spoilt[kFinite] = kept;
        }
        for (int i = 0; i < CSeriesPass::kChunk; ++i) {
            const bool kept = i < kFinite;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(kept ? first[0][std::size_t(i)] : 0.0),
                      std::bit_cast<std::uint64_t>(first[1][std::size_t(i)])) << i;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(kept ? second[0][std::size_t(i)] : 0.0),
                      std::bit_cast<std::uint64_t>(second[1][std::size_t(i)])) << i;
        }
        EXPECT_EQ(summaries[0].count, summaries[1].count);
        EXPECT_EQ(summaries[1].nanCount, 1);
        // Side by side, each sum as one after the other.
        std::vector<double> sums(5, 0.25), expected(5, 0.25);
        std::vector<const double*> terms(5, first[0].data());
        terms[2] = second[0].data();
        std::vector<double*> into;
        for (double& sum : sums)
            into.push_back(&sum);
        AddSideBySide(into, terms, CSeriesPass::kChunk);
        for (std::size_t k = 0; k < expected.size(); ++k) {
            for (int i = 0; i < CSeriesPass::kChunk; ++i)
                expected[k] += terms[k][i];
            EXPECT_EQ(std::bit_cast<std::uint64_t>(expected[k]), std::bit_cast<std::uint64_t>(sums[k])) << k;
        }
    };
    {
        SCOPED_TRACE("magnitudes of a total");
        both(values, [&](int n, std::vector<double>& terms, std::vector<double>& none, SDerivedSummary& summary) {
            MagnitudeTerms(values.data(), {a.data(), nullptr, c.data()}, n, CSeriesPass::kChunk, terms.data(), summary);
            none.assign(none.size(), 0.0);
        });
    }
    {
        SCOPED_TRACE("magnitudes of a phase");
        both(values, [&](int n, std::vector<double>& terms, std::vector<double>& none, SDerivedSummary& summary) {
            MagnitudeTerms(values.data(), {}, n, CSeriesPass::kChunk, terms.data(), summary);
            none.assign(none.size(), 0.0);
        });
    }
    {
        SCOPED_TRACE("effective apparent power");
        both(apparent, [&](int n, std::vector<double>& squares, std::vector<double>& ratios, SDerivedSummary& summary) {
            EffectiveApparentPowerTerms(apparent.data(), someVoltages, n, CSeriesPass::kChunk, squares.data(),
                                        ratios.data(), summary);
        });
    }
    {
        SCOPED_TRACE("THD weighted");
        both(a, [&](int n, std::vector<double>& products, std::vector<double>& weights, SDerivedSummary& summary) {
            ProductTerms(a.data(), b.data(), n, CSeriesPass::kChunk, products.data(), weights.data(), summary);
        });
    }
}
