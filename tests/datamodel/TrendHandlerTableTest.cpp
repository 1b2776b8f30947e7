// The handler table as data, the quantity-to-item maps and the phase slots.
#include "datamodel/MeasurementConfig.h"
#include "datamodel/TrendHandlerTable.h"
#include "datamodel/TrendItemIds.h"
#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TrendHandlerTable, HasEveryRowOnceWithItsOperations)
{
    const auto& table = GetTrendHandlerTable();
    ASSERT_EQ(table.size(), 27u);
    std::set<std::pair<DWORD, DWORD>> keys;
    for (const auto& row : table) {
        EXPECT_TRUE(keys.insert({row.tableType, row.itemId}).second) << row.tableType << "/" << row.itemId;
        EXPECT_TRUE(row.tableType == 15 || row.tableType == 61 || row.tableType == 64 || row.tableType == 65);
        EXPECT_NE(row.AllocateArrays, nullptr);
        EXPECT_NE(row.ExtractRecords, nullptr);
        EXPECT_NE(row.CreateChannel, nullptr);
        EXPECT_EQ(FindTrendHandlerRow(row.tableType, row.itemId), &row);
    }
    EXPECT_EQ(FindTrendHandlerRow(64, kNoTrendItem), nullptr);
    EXPECT_EQ(FindTrendHandlerRow(65, 0), nullptr);

    // Harmonics and flicker rows have no grouping; THD-A and aux are grouped like THD-V.
    for (DWORD item : {3u, 23u, 24u, 4u, 25u, 26u, 10u, 11u})
        EXPECT_EQ(FindTrendHandlerRow(15, item)->AggregateFrom, nullptr) << item;
    EXPECT_NE(FindTrendHandlerRow(64, 0x1E)->AggregateFrom, nullptr);
    EXPECT_NE(FindTrendHandlerRow(64, 0x35)->AggregateFrom, nullptr);
    EXPECT_EQ(FindTrendHandlerRow(64, 0x1E)->AggregateFrom, FindTrendHandlerRow(64, 0x1D)->AggregateFrom);
    EXPECT_EQ(FindTrendHandlerRow(64, 0x35)->AggregateFrom, FindTrendHandlerRow(64, 0x1D)->AggregateFrom);
}

TEST(TrendItemIds, QuantitiesMapToTheirItemsByLayoutAndSeries)
{
    CMeasurementConfig older;
    CLoggerBytes old = MakeTableBytes(false, 3, 132);
    older.LoadOldTable(reinterpret_cast<const Umbo_table_header_t*>(old.Data()));
    CMeasurementConfig logger;
    CLoggerBytes table = MakeTableBytes(false, 63, 740);
    logger.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    ASSERT_TRUE(older.IsOlderLayout());
    ASSERT_TRUE(logger.IsLoggerLayout());

    EXPECT_EQ(TrendItemForQuantity(older, 26, false), 26u);
    EXPECT_EQ(TrendItemForQuantity(older, 38, false), 39u);
    EXPECT_EQ(TrendItemForQuantity(older, 22, false), 40u);
    EXPECT_EQ(TrendItemForQuantity(older, 33, false), 3u);
    EXPECT_EQ(TrendItemForQuantity(older, 34, false), 4u);
    EXPECT_EQ(TrendItemForQuantity(older, 31, false), 24u);
    EXPECT_EQ(TrendItemForQuantity(older, 32, false), 26u);
    EXPECT_EQ(TrendItemForQuantity(older, 0, true), kNoTrendItem);
    EXPECT_EQ(TrendItemForQuantity(older, 8, true), 39u);
    EXPECT_EQ(TrendItemForQuantity(older, 41, false), kNoTrendItem);

    EXPECT_EQ(TrendItemForQuantity(logger, 30, false), 30u);
    EXPECT_EQ(TrendItemForQuantity(logger, 56, false), 39u);
    EXPECT_EQ(TrendItemForQuantity(logger, 57, false), 40u);
    EXPECT_EQ(TrendItemForQuantity(logger, 55, false), 47u);
    EXPECT_EQ(TrendItemForQuantity(logger, 49, true), 50u);
    EXPECT_EQ(TrendItemForQuantity(logger, 52, false), 53u);
    EXPECT_EQ(TrendItemForQuantity(logger, 52, true), kNoTrendItem);
    EXPECT_EQ(TrendItemForQuantity(logger, 5, true), kNoTrendItem);
    EXPECT_EQ(TrendItemForQuantity(logger, 10, false), kNoTrendItem);
}

TEST(TrendItemIds, PhaseSlots)
{
    EXPECT_EQ(PhaseOfSlot(0), 0);
    EXPECT_EQ(PhaseOfSlot(2), 2);
    EXPECT_EQ(PhaseOfSlot(3), 5);
    EXPECT_EQ(PhaseOfSlot(4), -1);
    EXPECT_EQ(SlotOfPhase(5), 3);
    EXPECT_EQ(SlotOfPhase(1), 1);
    EXPECT_FLOAT_EQ(FloatSqrt(2.25f), 1.5f);
}

} // namespace
