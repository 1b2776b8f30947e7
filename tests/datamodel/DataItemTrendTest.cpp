// A trend item over records shorter than their layout: fields beyond a record's own length
// read as NaN instead of past the copy.
#include "datamodel/DataTable.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendTimeBlock.h"
#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DataItemTrend, FieldsBeyondTheRecordLengthReadAsNaN)
{
    CDataSet set(nullptr);
    CDataTable records(64, CDataTable::kOrderedByTime);
    for (int i = 0; i < 2; ++i) {
        const std::int64_t begin = 134168832000000000 + std::int64_t(i) * 6000000000;
        CLoggerBytes table = MakeTableBytes(false, 64, 104, begin);
        table.PutTime(12, begin + 6000000000);
        table.PutF32(96, 7.0f);
        table.PutF32(100, 9.0f);
        records.InsertTable(reinterpret_cast<const Umbo_table_header_t*>(table.Data()));
    }
    CTrendTimeBlock block(&set, &records, &set.GetMeasurementConfig());
    int error = -1;
    CDataItemTrend item(1, 0, &set, &block, error);
    ASSERT_EQ(error, 0);
    ASSERT_EQ(item.GetRecordCount(), 2);
    const auto channel = item.GetChannel(1, 0);
    EXPECT_EQ(channel->GetAccess(0)->GetValue(1), 7.0f);
    EXPECT_EQ(channel->GetAccess(2)->GetValue(1), 9.0f);
    EXPECT_TRUE(std::isnan(channel->GetAccess(1)->GetValue(1)));  // the average at 104 is missing
    EXPECT_TRUE(std::isnan(item.GetChannel(1, 1)->GetAccess(0)->GetValue(0)));
}

} // namespace
