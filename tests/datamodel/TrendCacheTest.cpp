// The trend cache: items built once per key and shared, grouped blocks reused, the base item
// built before a grouped one, per-session removal; and the items' own edge cases that need a
// loaded session (failing keys, empty series, long intervals, short records).
#include "datamodel/DataTable.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendTimeBlock.h"
#include "support/ScopedTimeZone.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"
#include "SessionFiles.h"
#include "TrendExpectations.h"

#include <gtest/gtest.h>

using namespace trendtest;

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;

class TrendCacheTest : public ::testing::Test
{
protected:
    std::unique_ptr<CDataSet> Load(const SSessionSpec& sessionSpec, std::vector<SWrittenTable> tables = {})
    {
        CSessionWriter writer(sessionSpec);
        if (tables.empty())
            tables = writer.BuildTables();
        const std::string path = m_folder.Path("session" + std::to_string(m_files++) + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(path, writer.BuildFile(tables)));
        auto set = std::make_unique<CDataSet>(nullptr);
        EXPECT_EQ(0, set->LoadFromFile(path.c_str(), false));
        return set;
    }

    static SSessionSpec Spec()
    {
        SSessionSpec sessionSpec;
        sessionSpec.trendRecords = 24;
        sessionSpec.gapStart = -1;
        sessionSpec.events = false;
        return sessionSpec;
    }

    ScopedTimeZone m_zone{"UTC"};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    int m_files = 0;
    CTrendCache m_cache;
};

TEST_F(TrendCacheTest, ItemsAreFoundByTheirWholeKey)
{
    auto set = Load(Spec());
    const STrendAccessSpec raw{0, 1};
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 0, 0, raw), nullptr);
    CDataItemTrend* voltage = m_cache.GetTrendItem(set.get(), 0, 0, raw);
    ASSERT_NE(voltage, nullptr);
    EXPECT_EQ(voltage->GetVoltageReference(), 2);
    EXPECT_EQ(voltage->GetItemId(), 0u);
    EXPECT_EQ(voltage->GetTimeBlock(), set->GetTrendTimeBlock());
    EXPECT_EQ(voltage->GetRecordCount(), 24);
    EXPECT_DOUBLE_EQ(voltage->GetIntervalSeconds(), 600.0);
    EXPECT_EQ(voltage->GetFirstTime(), set->GetTrendTimeBlock()->GetFirstTime());
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 0, 2, raw), voltage);  // 0 is the default reference
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 0, 1, raw), nullptr);
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 1, 0, raw), nullptr);
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 0, 0, STrendAccessSpec{1, 1}), nullptr);
    EXPECT_EQ(m_cache.FindTrendItem(nullptr, 0, 0, raw), nullptr);

    // No handler (a demand voltage, the "no item" id): nothing is cached.
    EXPECT_EQ(m_cache.GetTrendItem(set.get(), 0, 0, STrendAccessSpec{1, 1}), nullptr);
    EXPECT_EQ(m_cache.GetTrendItem(set.get(), 121, 0, raw), nullptr);
    EXPECT_EQ(m_cache.GetTrendItem(set.get(), 0, 0, STrendAccessSpec{0, 0}), nullptr);
    EXPECT_EQ(m_cache.GetItemCount(), 1);
    int error = 0;
    CDataItemTrend orphan(121, 0, set.get(), set->GetTrendTimeBlock(), error);
    EXPECT_EQ(error, CDataItemTrend::kErrorNoHandler);
}

TEST_F(TrendCacheTest, GroupedRequestBuildsTheBaseAndReusesItsBlock)
{
    auto set = Load(Spec());
    const STrendAccessSpec hourly{0, 6};
    CDataItemTrend* grouped = m_cache.GetTrendItem(set.get(), 1, 0, hourly);
    ASSERT_NE(grouped, nullptr);
    EXPECT_EQ(m_cache.GetItemCount(), 2);
    EXPECT_EQ(m_cache.GetBlockCount(), 1);
    CDataItemTrend* base = m_cache.FindTrendItem(set.get(), 1, 0, STrendAccessSpec{0, 1});
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(grouped->GetRecordList(), nullptr);
    EXPECT_EQ(grouped->GetRecordCount(), 4);
    EXPECT_DOUBLE_EQ(grouped->GetIntervalSeconds(), 3600.0);
    EXPECT_EQ(m_cache.FindTrendItem(set.get(), 1, 0, hourly), grouped);

    CDataItemTrend* frequency = m_cache.GetTrendItem(set.get(), 2, 0, hourly);
    ASSERT_NE(frequency, nullptr);
    EXPECT_EQ(frequency->GetTimeBlock(), grouped->GetTimeBlock());
    EXPECT_EQ(m_cache.GetBlockCount(), 1);
}

TEST_F(TrendCacheTest, RemovingOneSessionKeepsTheOthers)
{
    auto first = Load(Spec());
    auto second = Load(Spec());
    ASSERT_NE(m_cache.GetTrendItem(first.get(), 0, 0, STrendAccessSpec{0, 6}), nullptr);
    CDataItemTrend* kept = m_cache.GetTrendItem(second.get(), 0, 0, STrendAccessSpec{0, 6});
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(m_cache.GetItemCount(), 4);
    m_cache.RemoveDataSet(first.get());
    EXPECT_EQ(m_cache.GetItemCount(), 2);
    EXPECT_EQ(m_cache.GetBlockCount(), 1);
    EXPECT_EQ(m_cache.FindTrendItem(second.get(), 0, 0, STrendAccessSpec{0, 6}), kept);
    EXPECT_EQ(m_cache.FindTrendItem(first.get(), 0, 0, STrendAccessSpec{0, 1}), nullptr);
    m_cache.Clear();
    EXPECT_EQ(m_cache.GetItemCount(), 0);
    EXPECT_EQ(m_cache.GetBlockCount(), 0);
}

TEST_F(TrendCacheTest, EnergyOfIntervalsLongerThanAnHourAndOfShortRecords)
{
    SSessionSpec sessionSpec = Spec();
    sessionSpec.trendRecords = 6;
    sessionSpec.averagingSeconds = 7200;
    CSessionWriter writer(sessionSpec);
    auto tables = writer.BuildTables();
    // The third record stops after a quarter of its interval.
    std::vector<SWrittenTable*> records;
    for (auto& table : tables)
        if (table.type == 64)
            records.push_back(&table);
    ASSERT_EQ(records.size(), 6u);
    records[2]->bytes.PutTime(12, records[2]->timeTicks + 1800 * kTicksPerSecond);
    auto set = Load(sessionSpec, tables);
    CDataItemTrend* power = m_cache.GetTrendItem(set.get(), 39, 0, STrendAccessSpec{0, 1});
    ASSERT_NE(power, nullptr);
    std::vector<double> expected;
    double energy = 0.0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const double fraction = i == 2 ? 0.25 : 1.0;
        energy += fraction * F(*records[i], 224) / 1000.0 * 2.0;
        expected.push_back(energy);
    }
    ExpectAverageOnly(*power->GetChannel(36, 0), expected, "two-hour energy");
    EXPECT_GT(power->GetChannel(36, 0)->GetAccess(1)->GetValue(0), 0.0f);
}

TEST_F(TrendCacheTest, EmptySeriesAndEmptyChannels)
{
    // No demand records: the demand items exist with their arrays and no values.
    SSessionSpec sessionSpec = Spec();
    sessionSpec.demandSeconds = 0;
    auto set = Load(sessionSpec);
    ASSERT_TRUE(set->GetDemandTable()->IsEmpty());
    CDataItemTrend* item = m_cache.GetTrendItem(set.get(), 47, 0, STrendAccessSpec{1, 1});
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetRecordCount(), 0);
    const auto channel = item->GetChannel(44, 5);
    EXPECT_NE(channel->GetAccess(1), nullptr);
    EXPECT_EQ(channel->GetRecordCount(), 0u);
    CDataItemTrend* grouped = m_cache.GetTrendItem(set.get(), 47, 0, STrendAccessSpec{1, 4});
    ASSERT_NE(grouped, nullptr);
    EXPECT_EQ(grouped->GetRecordCount(), 0);

    // Quantities an item does not serve and phases without a slot give empty channels.
    CDataItemTrend* power = m_cache.GetTrendItem(set.get(), 39, 0, STrendAccessSpec{0, 1});
    ASSERT_NE(power, nullptr);
    const auto unknown = power->GetChannel(29, 0);
    EXPECT_EQ(unknown->GetQuantity(), 121u);
    EXPECT_EQ(unknown->GetPhase(), 6u);
    EXPECT_EQ(unknown->GetItem(), nullptr);
    EXPECT_EQ(power->GetChannel(5, 4)->GetAccess(1), nullptr);
    const auto total = power->GetChannel(5, 5);
    EXPECT_EQ(total->GetPhase(), 5u);
    EXPECT_EQ(total->GetItem(), power);
    EXPECT_NE(total->GetAccess(1), nullptr);
}

} // namespace
