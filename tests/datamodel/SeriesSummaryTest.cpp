// The summaries the tables and the scales are computed from, taken in one walk over the records,
// against a walk value by value through the channels' accessors: the same figures to the last
// bit, with values that are not finite, equal extremes met twice, -0 beside +0, chunks of the
// walk cut in the middle, fields read by two channels, series read through accessors that change
// them, and a walk that ends before the records do; and the values a walk hands its caller.
#include "SessionFiles.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/SeriesSummary.h"
#include "datamodel/SummaryWalk.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendChannelAccess.h"
#include "datamodel/TrendItemIds.h"
#include "support/SameSummaryBits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kRecords = 700; // two whole chunks of the walk and a part of a third

// The summary of a series as a walk value by value takes it.
SSeriesSummary ValueByValue(const ITrendChannelAccess& series, int last)
{
    SSeriesSummary summary;
    for (int i = 0; i <= last; ++i)
        summary.Add(i, series.GetValue(i));
    return summary;
}

void ExpectSameBits(const SSeriesSummary& expected, const SSeriesSummary& actual, const char* what)
{
    SCOPED_TRACE(what);
    ExpectSameSummaryBits(expected, actual);
}

} // namespace

TEST(SeriesSummaries, EveryWalkGivesTheFiguresOfAWalkValueByValue)
{
    CTempFolder folder;
    SSessionSpec recording = SmallSessionSpec(true);
    recording.trendRecords = kRecords;
    CSessionWriter writer(recording);
    std::vector<SWrittenTable> tables = writer.BuildTables();
    int record = 0;
    for (SWrittenTable& table : tables) {
        if (table.type != 64)
            continue;
        // Phase A: the active power's Avg (W, at 224), the voltage's Min (24), Max (28) and Avg
        // (32), the current's Min (96).
        if (record == 5)
            table.bytes.PutF32(224, kNaN);
        if (record == 300) { // at the start of a chunk
            table.bytes.PutF32(224, kInf);
            table.bytes.PutF32(28, -kInf);
        }
        if (record == 511) // at the end of one
            table.bytes.PutF32(224, -kInf);
        if (record == 100 || record == 600) { // the same largest Avg and smallest Min twice
            table.bytes.PutF32(32, 1000.0f);
            table.bytes.PutF32(24, -1.0f);
        }
        if (record == 40) // a zero of each sign: the first one met is the extreme
            table.bytes.PutF32(96, -0.0f);
        // The aux inputs at the record's end (its last fields read with those before them): a
        // NaN and an infinity in records whose other fields are finite, beside a block that has
        // one in another field.
        if (record == 301)
            table.bytes.PutF32(664, kNaN);
        if (record == 517)
            table.bytes.PutF32(672, kInf);
        if (record == 41)
            table.bytes.PutF32(96, 0.0f);
        // Two blocks with a NaN in the voltage's Max in every record, beside a new smallest Min
        // and Avgs that go on being summed in the same group.
        if (record >= 200 && record < 216)
            table.bytes.PutF32(28, kNaN);
        if (record == 203)
            table.bytes.PutF32(24, -2.0f);
        ++record;
    }
    const std::string path = folder.Path("session.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(CString(path), false));

    CTrendCache cache;
    // Voltage, current, the powers and power factors (fields divided or not, a power factor
    // signed by the active power through its accessor), the aux inputs.
    const DWORD auxItem = TrendItemForQuantity(set.GetMeasurementConfig(), 51, false);
    std::vector<SSeriesRequest> requests;
    for (DWORD itemId : {0u, 1u, 39u, auxItem}) {
        const CDataItemTrend* item = cache.GetTrendItem(&set, itemId, 0, {0, 1});
        ASSERT_NE(nullptr, item);
        ASSERT_EQ(kRecords, item->GetRecordCount());
        const std::vector<DWORD> quantities = itemId == 39        ? std::vector<DWORD>{5, 6, 8, 56}
                                              : itemId == auxItem ? std::vector<DWORD>{51, 52}
                                                                  : std::vector<DWORD>{itemId};
        for (DWORD quantity : quantities)
            for (DWORD phase : {0u, 1u, 2u, 5u})
                for (int series = 0; series < 3; ++series)
                    requests.push_back({item, quantity, phase, series});
    }
    TakeSeriesSummaries(requests);
    int compared = 0;
    for (const SSeriesRequest& request : requests) {
        const auto channel = request.item->GetChannel(request.quantity, request.phase);
        const ITrendChannelAccess* access = channel->GetAccess(request.series);
        const SSeriesSummary* kept = request.item->FindSeriesSummary(request.quantity, request.phase, request.series);
        ASSERT_EQ(access != nullptr, kept != nullptr);
        if (!access)
            continue;
        ExpectSameBits(ValueByValue(*access, kRecords - 1), *kept, "kept by the item");
        ++compared;
    }
    EXPECT_GT(compared, 40);
    const SSeriesSummary* aux = cache.FindTrendItem(&set, auxItem, 0, {0, 1})->FindSeriesSummary(51, 0, 1);
    ASSERT_NE(nullptr, aux);
    EXPECT_EQ(1, aux->nanCount);
    const SSeriesSummary& power = *cache.FindTrendItem(&set, 39, 0, {0, 1})->FindSeriesSummary(5, 0, 1);
    EXPECT_EQ(1, power.nanCount);
    EXPECT_EQ(300, power.firstPlusInfinity);
    EXPECT_EQ(511, power.firstMinusInfinity);
    const SSeriesSummary& voltageAvg = *cache.FindTrendItem(&set, 0, 0, {0, 1})->FindSeriesSummary(0, 0, 1);
    EXPECT_EQ(100, voltageAvg.maximumRecord);
    const SSeriesSummary& voltageMin = *cache.FindTrendItem(&set, 0, 0, {0, 1})->FindSeriesSummary(0, 0, 0);
    EXPECT_EQ(203, voltageMin.minimumRecord);
    const SSeriesSummary& voltageMax = *cache.FindTrendItem(&set, 0, 0, {0, 1})->FindSeriesSummary(0, 0, 2);
    EXPECT_EQ(16, voltageMax.nanCount);

    // A walk that ends before the records do, with a field asked for twice and series read
    // through accessors that scale, offset, filter or sign their values.
    const CDataItemTrend* voltage = cache.FindTrendItem(&set, 0, 0, {0, 1});
    const CDataItemTrend* powers = cache.FindTrendItem(&set, 39, 0, {0, 1});
    auto avg = voltage->GetChannel(0, 0);
    auto again = voltage->GetChannel(0, 0);
    auto scaled = powers->GetChannel(6, 5);
    scaled->Scale(0.5f);
    auto offset = powers->GetChannel(5, 1);
    offset->ScaleOffset(2.0f, -3.0f);
    auto folded = powers->GetChannel(8, 2);
    folded->ApplyFilter([](float v) { return v < 0.0f ? -v : v; });
    auto signedFactor = powers->GetChannel(56, 0);
    const std::vector<const ITrendChannelAccess*> walked = {avg->GetAccess(0), again->GetAccess(0), scaled->GetAccess(1),
                                                            offset->GetAccess(2), folded->GetAccess(1),
                                                            signedFactor->GetAccess(1)};
    constexpr int kLast = 450;
    std::vector<SSeriesSummary> summaries(walked.size());
    CSummaryWalk walk;
    for (std::size_t k = 0; k < walked.size(); ++k) {
        ASSERT_NE(nullptr, walked[k]);
        walk.Summarise(*walked[k], k == 2 ? kLast - 100 : kLast, summaries[k]);
    }
    // Read besides: a series through an accessor that changes it, a field summarised too, a field
    // nobody summarises (with its -0 and +0) and the factor signed by the active power.
    auto current = cache.FindTrendItem(&set, 1, 0, {0, 1})->GetChannel(1, 0);
    const std::vector<const ITrendChannelAccess*> readToo = {walked[3], walked[0], current->GetAccess(0), walked[5]};
    std::vector<int> columns;
    for (const ITrendChannelAccess* series : readToo)
        columns.push_back(walk.Read(*series, kLast));
    int checked = 0;
    walk.Walk(0, kLast, [&](int first, int count) {
        for (std::size_t k = 0; k < readToo.size(); ++k)
            for (int i = 0; i < count; ++i, ++checked)
                EXPECT_EQ(std::bit_cast<std::uint32_t>(readToo[k]->GetValue(first + i)),
                          std::bit_cast<std::uint32_t>(walk.Pass().Column(columns[k])[i]))
                    << k << " at " << first + i;
    });
    EXPECT_EQ(int(readToo.size()) * (kLast + 1), checked);
    for (std::size_t k = 0; k < walked.size(); ++k)
        ExpectSameBits(ValueByValue(*walked[k], k == 2 ? kLast - 100 : kLast), summaries[k], "walked");
}

// Runs of a chunk added side by side (four sums in the lanes of one vector, the rest after them)
// against value by value: six series of different sizes, one with a NaN and one with an infinity
// among them, over two chunks, with and without their sums.
TEST(SeriesSummaries, RunsAddedSideBySideGiveTheFiguresOfValueByValue)
{
    constexpr int kSeries = 6;
    constexpr int kChunk = 64;
    std::vector<std::vector<float>> values(kSeries, std::vector<float>(2 * kChunk));
    for (int k = 0; k < kSeries; ++k)
        for (int i = 0; i < 2 * kChunk; ++i)
            values[k][i] = float((i * 37 + k * 11) % 101 - 50) * (k + 1) * 0.37f + 1e-3f * float(i);
    values[1][70] = kNaN;
    values[4][5] = kInf;
    values[2][9] = -0.0f;
    for (const bool sums : {true, false}) {
        SCOPED_TRACE(sums ? "with sums" : "extremes only");
        std::vector<SSeriesSummary> sideBySide(kSeries);
        std::vector<SSeriesSummary*> summaries;
        for (SSeriesSummary& summary : sideBySide)
            summaries.push_back(&summary);
        for (int chunk = 0; chunk < 2; ++chunk) {
            std::vector<const float*> runs;
            for (const std::vector<float>& series : values)
                runs.push_back(series.data() + chunk * kChunk);
            AddToSummaries(summaries, runs, chunk * kChunk, kChunk, sums);
        }
        for (int k = 0; k < kSeries; ++k) {
            SSeriesSummary expected;
            for (int i = 0; i < 2 * kChunk; ++i)
                expected.Add(i, values[k][i], sums);
            ExpectSameBits(expected, sideBySide[k], ("series " + std::to_string(k)).c_str());
        }
    }
}
