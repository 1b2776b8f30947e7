// libFuzzer target: arbitrary bytes as a session file. Loading must come back with a result; a
// session that loads must let every item be built, raw and grouped, and every value be read.
#include <cstdint>
#include <cstdio>
#include <limits>
#include <glog/logging.h>
#include <string>
#include <unistd.h>

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/MeasurementSettings.h"

namespace {

constexpr DWORD kItemIds = 121;     // ids 0..120; 121 is "no item"
constexpr DWORD kPhases[] = {0, 1, 2, 5};

const std::string& ScratchPath()
{
    static const std::string path = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                    std::string("/orn_zlg_fuzz_") + std::to_string(getpid()) + ".zlg";
    return path;
}

// Reads every value so that the sanitizers see each access.
void ReadItem(const CDataItemTrend& item, DWORD itemId)
{
    volatile float sink = 0;
    for (DWORD phase : kPhases) {
        const auto channel = item.GetChannel(itemId, phase);
        for (int series = 0; series < CTrendChannel::kSeriesCount; ++series) {
            const ITrendChannelAccess* access = channel->GetAccess(series);
            for (DWORD i = 0; access && i < channel->GetRecordCount(); ++i)
                sink = sink + access->GetValue(int(i));
        }
    }
}

void WalkBlock(const CTrendTimeBlock* block)
{
    if (!block)
        return;
    for (int i = 0; i < block->GetRecordCount(); ++i)
        block->FindRecordAt(block->GetBeginTime(i));
    block->FindRecordAt(CHighTime(std::numeric_limits<LONGLONG>::max()));
    block->FindRecordAt(CHighTime(std::numeric_limits<LONGLONG>::min()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FLAGS_minloglevel = 3;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = ScratchPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    CMeasurementSettings measurement;
    CDataSet set(&measurement);
    if (set.LoadFromFile(path.c_str(), false) != 0)
        return 0;
    set.DescribeTable(45, true);
    WalkBlock(set.GetTrendTimeBlock());
    WalkBlock(set.GetDemandTimeBlock());
    CTrendCache cache;
    for (BYTE demand : {BYTE(0), BYTE(1)}) {
        for (DWORD multiple : {1u, 3u}) {
            for (DWORD id = 0; id < kItemIds; ++id) {
                if (const CDataItemTrend* item = cache.GetTrendItem(&set, id, 0, STrendAccessSpec{demand, multiple})) {
                    ReadItem(*item, id);
                    WalkBlock(item->GetTimeBlock());
                }
            }
        }
    }
    return 0;
}
