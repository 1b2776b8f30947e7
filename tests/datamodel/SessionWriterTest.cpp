// The session writer's records are physically consistent: what the sample and the tests load is
// a believable feeder, not noise.
#include "datamodel/DataTable.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "support/SessionWriter.h"
#include "SessionFiles.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(SessionWriter, RecordsFollowTheModel)
{
    SSessionSpec sessionSpec;
    sessionSpec.trendRecords = 144;
    const CSessionWriter writer(sessionSpec);
    CMemoryStorage storage;
    storage.Add("s", writer.BuildFile());
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromCompoundFile(storage, "s"));

    double dayMax = 0, nightMax = 0;
    for (const Umbo_table_header_t* record : *set.GetTrendTable()) {
        double totalP = 0, totalEp = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const float v = LoadF32(record, 32 + 12 * k), i = LoadF32(record, 104 + 12 * k);
            const float p = LoadF32(record, 224 + 12 * k), pf = LoadF32(record, 512 + 12 * k);
            const float s = LoadF32(record, 272 + 12 * k), q = LoadF32(record, 320 + 12 * k);
            if (std::isnan(i))
                continue;  // the invalid values of records 5 and 6
            EXPECT_NEAR(v * i * pf, p, 1e-3 * p);
            EXPECT_NEAR(s * s, p * p + q * q, 1e-3 * s * s);
            EXPECT_NEAR(p * 600.0 / 3600.0, LoadF32(record, 600 + 4 * k), 1e-3 * p);
            EXPECT_NEAR(230.0, v, 10.0);
            EXPECT_LE(LoadF32(record, 96 + 12 * k), i);   // minimum <= average <= maximum
            EXPECT_GE(LoadF32(record, 100 + 12 * k), i);
            totalP += p;
            totalEp += LoadF32(record, 600 + 4 * k);
        }
        if (!std::isnan(LoadF32(record, 116))) {
            EXPECT_NEAR(totalP, LoadF32(record, 260), 1e-3 * totalP);
            EXPECT_NEAR(totalEp, LoadF32(record, 612), 1e-3 * totalEp);
        }
        EXPECT_NEAR(50.0, LoadF32(record, 212), 0.05);
        const double hour = std::fmod(double(ConstructHighTimeFromTableTime(record->time_stamp).GetTicks()) / 36e9, 24.0);
        if (hour >= 12 && hour < 16)
            dayMax = std::max(dayMax, totalP);
        else if (hour < 4)
            nightMax = std::max(nightMax, totalP);
    }
    // The daily cycle: the afternoon load is well above the night's.
    EXPECT_GT(dayMax, 2.0 * nightMax);
}

} // namespace
