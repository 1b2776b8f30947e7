// A run of records longer than a summary stretch, folded stretch by stretch on one to six
// threads and by the data model's own walk: the counts, extremes and first records of each
// figure are those of a walk value by value over the whole run, and the sums those of each
// stretch value by value, added in record order, to the last bit. Values that are not finite,
// equal extremes and zeros of each sign sit on both sides of the stretches' edges, and series end
// inside a stretch and at its last record; one is read for the walk before it is summarised.
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/SeriesSummaries.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "study/FigureWalk.h"
#include "study/WalkThreads.h"
#include "support/SameSummaryBits.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kStretch = kSummaryStretch;
constexpr int kRecords = 2 * kStretch + 700;

// The figures as the stretches define them, taken plainly from the values one by one.
SSeriesSummary Expected(const ITrendChannelAccess& series, int last)
{
    SSeriesSummary whole;
    for (int i = 0; i <= last; ++i)
        whole.Add(i, series.GetValue(i), false);
    for (int first = 0; first <= last; first += kStretch) {
        double sum = 0.0;
        double squares = 0.0;
        for (int i = first; i <= std::min(last, first + kStretch - 1); ++i)
            if (const float v = series.GetValue(i); std::isfinite(v)) {
                sum += double(v);
                squares += double(v) * v;
            }
        whole.sum += sum;
        whole.sumOfSquares += squares;
    }
    return whole;
}

} // namespace

TEST(FigureWalkTest, ALongRunIsFoldedStretchByStretchAlikeOnAnyNumberOfThreads)
{
    CTempFolder folder;
    SSessionSpec recording;
    recording.trendRecords = kRecords;
    recording.gapStart = -1;
    recording.events = false;
    CSessionWriter writer(recording);
    std::vector<SWrittenTable> tables = writer.BuildTables();
    int record = 0;
    for (SWrittenTable& table : tables) {
        if (table.type != 64)
            continue;
        // Phase A: the voltage's Min (24), Max (28) and Avg (32), the current's Min (96), the
        // active power's Avg (224).
        if (record == kStretch - 1)
            table.bytes.PutF32(224, kNaN);
        if (record == kStretch || record == 2 * kStretch + 5) // the first at a stretch's start
            table.bytes.PutF32(224, kInf);
        if (record == 2 * kStretch + 3) // only in the last stretch
            table.bytes.PutF32(224, -kInf);
        if (record == 100 || record == kStretch + 100) // the same largest Avg in two stretches
            table.bytes.PutF32(32, 1000.0f);
        if (record == kStretch + 7 || record == 2 * kStretch + 1) // the smallest Min, not in the first
            table.bytes.PutF32(24, -2.0f);
        if (record == kStretch - 1) // zeros of each sign either side of an edge: the first is kept
            table.bytes.PutF32(96, -0.0f);
        if (record == kStretch)
            table.bytes.PutF32(96, 0.0f);
        if (record == 2 * kStretch) // a NaN in the Max at the last stretch's first record
            table.bytes.PutF32(28, kNaN);
        ++record;
    }
    ASSERT_EQ(kRecords, record);
    const std::string path = folder.Path("session.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(CString(path), false));

    CTrendCache cache;
    std::vector<SSeriesRequest> requests;
    for (const auto& [itemId, quantity] : {std::pair{0u, 0u}, {1u, 1u}, {39u, 5u}}) {
        const CDataItemTrend* item = cache.GetTrendItem(&set, itemId, 0, {0, 1});
        ASSERT_NE(nullptr, item);
        ASSERT_EQ(kRecords, item->GetRecordCount());
        for (DWORD phase : {0u, 1u})
            for (int series = 0; series < 3; ++series)
                requests.push_back({item, quantity, phase, series});
    }
    std::vector<std::unique_ptr<CTrendChannel>> channels;
    std::vector<const ITrendChannelAccess*> series;
    for (const SSeriesRequest& request : requests) {
        channels.push_back(request.item->GetChannel(request.quantity, request.phase));
        series.push_back(channels.back()->GetAccess(request.series));
        ASSERT_NE(nullptr, series.back());
    }
    // Most series run to the last record; one ends inside the second stretch, one at the first
    // stretch's last record.
    const auto lastOf = [](std::size_t k) { return k == 1 ? kStretch + 10 : k == 4 ? kStretch - 1 : kRecords - 1; };
    std::vector<SSeriesSummary> expected;
    for (std::size_t k = 0; k < series.size(); ++k)
        expected.push_back(Expected(*series[k], lastOf(k)));
    EXPECT_EQ(100, expected[1].maximumRecord);
    EXPECT_EQ(kStretch + 7, expected[0].minimumRecord);
    EXPECT_EQ(kStretch - 1, expected[6 * 1 + 0].minimumRecord); // the current's Min: -0 first
    EXPECT_EQ(kStretch, expected[13].firstPlusInfinity);

    for (const std::size_t threads : {1ul, 2ul, 4ul, 6ul, kMostWalks}) {
        SCOPED_TRACE(testing::Message() << threads << " threads");
        std::vector<SSeriesSummary> summaries(series.size());
        CFigureWalk walk;
        for (std::size_t k = 0; k < series.size(); ++k) {
            // Read before it is summarised: the walk takes the field's figures for itself first.
            if (k == 2)
                walk.Read(*series[k], lastOf(k));
            walk.Summarise(*series[k], lastOf(k), summaries[k]);
        }
        walk.Walk(0, threads);
        for (std::size_t k = 0; k < series.size(); ++k) {
            SCOPED_TRACE(testing::Message() << "series " << k);
            ExpectSameSummaryBits(expected[k], summaries[k]);
        }
    }
    // The data model's walk, as the scales take whole series.
    TakeSeriesSummaries(requests);
    for (std::size_t k = 0; k < requests.size(); ++k) {
        if (lastOf(k) != kRecords - 1)
            continue;
        SCOPED_TRACE(testing::Message() << "kept series " << k);
        const SSeriesRequest& request = requests[k];
        const SSeriesSummary* kept = request.item->FindSeriesSummary(request.quantity, request.phase, request.series);
        ASSERT_NE(nullptr, kept);
        ExpectSameSummaryBits(expected[k], *kept);
    }
}
