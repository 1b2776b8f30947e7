// The sample session that ships with the application is the session writer's output: one day of
// a three-phase feeder in the logger's own (big-endian) byte order. Run with
// ORN_REGENERATE_SAMPLES=1 to write it anew after a change of the writer.
#include "datamodel/DataTable.h"
#include "datamodel/DataSet.h"
#include "support/SessionWriter.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

const std::string kSamplePath = std::string(ORN_SOURCE_DIR) + "/resources/samples/sample.zlg";

std::vector<BYTE> SampleBytes()
{
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = true;
    sessionSpec.name = u"Sample feeder";
    sessionSpec.description = u"One day of a three-phase feeder, 10-minute averages";
    return CSessionWriter(sessionSpec).BuildFile();
}

TEST(BundledSample, IsTheWritersSessionAndLoads)
{
    const std::vector<BYTE> expected = SampleBytes();
    if (const char* regenerate = std::getenv("ORN_REGENERATE_SAMPLES"); regenerate && *regenerate == '1') {
        ASSERT_TRUE(WriteBytesToFile(kSamplePath, expected));
    }

    std::ifstream in(kSamplePath, std::ios::binary);
    ASSERT_TRUE(in) << kSamplePath;
    const std::vector<BYTE> stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(expected, stored);

    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromFile(kSamplePath.c_str(), false));
    EXPECT_EQ(CString("Sample feeder"), set.GetName());
    EXPECT_EQ(141, set.GetTrendTable()->GetCount());
}

} // namespace
