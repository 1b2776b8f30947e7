// Damaged sessions never crash the loader nor make it read past a buffer (run these under the
// sanitizers), and every damage ends in one of the loader's results.
#include "datamodel/DataSet.h"
#include "support/SessionWriter.h"
#include "SessionFiles.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

const std::set<int> kResults{0, 5, 20, 21, 23, 24, 25, 27, 28, 29, 30};

int LoadBytes(const std::vector<BYTE>& bytes)
{
    CMemoryStorage storage;
    storage.Add("s", bytes);
    CDataSet set(nullptr);
    const int result = set.LoadFromCompoundFile(storage, "s");
    if (result == 0) {
        // Whatever loaded can be walked.
        set.GetTrendTimeBlock();
        set.GetDemandTimeBlock();
        set.DescribeTable(45, true);
    }
    return result;
}

std::vector<BYTE> SmallSession(bool bigEndian, bool unknownLength)
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = bigEndian;
    sessionSpec.trendRecords = 6;
    sessionSpec.gapStart = 2;
    sessionSpec.gapLength = 1;
    sessionSpec.unknownLength = unknownLength;
    return CSessionWriter(sessionSpec).BuildFile();
}

class DataSetRobustness : public ::testing::TestWithParam<bool>
{
};

TEST_P(DataSetRobustness, EveryTruncationEndsWithAResult)
{
    for (bool unknown : {false, true}) {
        const auto bytes = SmallSession(GetParam(), unknown);
        for (std::size_t length = 0; length < bytes.size(); length += length < 2000 ? 1 : 13) {
            const int result = LoadBytes(std::vector<BYTE>(bytes.begin(), bytes.begin() + std::ptrdiff_t(length)));
            ASSERT_TRUE(kResults.count(result)) << length << " -> " << result;
            ASSERT_NE(0, result) << length;
        }
    }
}

TEST_P(DataSetRobustness, DamagedBytesEndWithAResult)
{
    const auto good = SmallSession(GetParam(), false);
    std::mt19937 random(GetParam() ? 4626 : 1871);
    for (int round = 0; round < 600; ++round) {
        auto bytes = good;
        const int flips = 1 + int(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // Mostly the header words and table headers, where damage changes the walk.
            const std::size_t at = round % 2 ? random() % 64 : random() % bytes.size();
            bytes[at] = BYTE(random());
        }
        const int result = LoadBytes(bytes);
        ASSERT_TRUE(kResults.count(result)) << round << " -> " << result;
    }
}

TEST_P(DataSetRobustness, GarbageAndEmptyStreams)
{
    EXPECT_EQ(21, LoadBytes({}));
    std::mt19937 random(7);
    for (std::size_t size : {1u, 31u, 32u, 33u, 100u, 5000u, 70000u}) {
        std::vector<BYTE> bytes(size);
        for (auto& b : bytes)
            b = BYTE(random());
        // A valid header over garbage is the harder case.
        if (size >= 32) {
            const auto header = SmallSession(GetParam(), true);
            std::copy(header.begin(), header.begin() + 32, bytes.begin());
        }
        const int result = LoadBytes(bytes);
        EXPECT_TRUE(kResults.count(result)) << size << " -> " << result;
        EXPECT_NE(0, result);
    }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, DataSetRobustness, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "BigEndian" : "LittleEndian"; });

} // namespace
