// libFuzzer target: arbitrary bytes as a session file or, when they do not begin as one, as the
// choices of a varied session written for them (support/VariedSessions.h). Loading must come back
// with a result. A session that loads must hold every record as a plain reading of its file does,
// in its place, once loaded and again after another session was loaded and closed; a session
// given as bytes must let every item be built, raw and grouped, and every value be read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <glog/logging.h>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/MeasurementSettings.h"
#include "support/ReferenceSessionReader.h"
#include "support/SessionWriter.h"
#include "support/VariedSessions.h"

namespace {

constexpr DWORD kItemIds = 121;     // ids 0..120; 121 is "no item"
constexpr DWORD kPhases[] = {0, 1, 2, 5};

std::string ScratchPath(const char* name)
{
    return (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/orn_zlg_fuzz_") +
           std::to_string(getpid()) + name;
}

// The session loaded and closed after the one under test.
const std::string& NextSessionPath()
{
    static const std::string path = [] {
        const std::string next = ScratchPath("_next.zlg");
        SSessionSpec spec;
        spec.trendRecords = 1000;
        WriteBytesToFile(next, CSessionWriter(spec).BuildFile());
        return next;
    }();
    return path;
}

bool BeginsAsASession(const std::uint8_t* data, std::size_t size)
{
    return size >= 2 && ((data[0] == 0x0B && data[1] == 0xBA) || (data[0] == 0xBA && data[1] == 0x0B));
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
    static const std::string path = ScratchPath(".zlg");
    const bool asBytes = BeginsAsASession(data, size);
    const std::vector<BYTE> file = asBytes ? std::vector<BYTE>(data, data + size)
                                           : CSessionWriter(VariedSessionSpec({data, size})).BuildFile();
    if (!WriteBytesToFile(path, file))
        return 0;
    const SLoadCheck check = LoadAndCompare(path, NextSessionPath());
    if (!check.difference.empty()) {
        std::fprintf(stderr, "Loaded session differs from its file: %s\n", check.difference.c_str());
        std::abort();
    }
    if (!asBytes)
        return 0;

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
