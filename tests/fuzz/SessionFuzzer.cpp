// libFuzzer target: arbitrary bytes as a session file or, when they do not begin as one, as the
// choices of a varied session written for them (support/VariedSessions.h); and beside either, a
// varied session whose choices are drawn from a hash of the bytes (so that every input, a
// session's bytes mutated anywhere among them, tries another cut or clock set back near a read
// block's edge), and a plain session. Loading must come back with a result. The sessions are
// loaded one after another in one process, all kept open, then each closed and loaded again:
// every session that loads must hold every record as a plain reading of its file does, in its
// place, after each of those loads. A session given as bytes must let every item be built, raw and
// grouped, and every value be read.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <glog/logging.h>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

#include "datamodel/AvailableMemory.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/StreamBlockReader.h"
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

// The plain session loaded beside the ones under test: a few read blocks of records.
const std::string& PlainSessionPath()
{
    static const std::string path = [] {
        const std::string plain = ScratchPath("_plain.zlg");
        SSessionSpec layout;
        layout.trendRecords = int(4 * CStreamBlockReader::kBlockSize / 680);
        WriteBytesToFile(plain, CSessionWriter(layout).BuildFile());
        return plain;
    }();
    return path;
}

// Choices for a varied session drawn from the input's bytes: any change of them draws others.
std::vector<BYTE> HashedChoices(const std::uint8_t* data, std::size_t size)
{
    // FNV-1a over eight bytes at a time, then the last few.
    std::uint64_t state = 1469598103934665603ull;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        state = (state ^ word) * 1099511628211ull;
    }
    for (; i < size; ++i)
        state = (state ^ data[i]) * 1099511628211ull;
    std::vector<BYTE> choices(32);
    for (BYTE& choice : choices) {
        // splitmix64
        state += 0x9e3779b97f4a7c15ull;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        choice = BYTE(z ^ (z >> 31));
    }
    return choices;
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
    // The loader's check of the memory a session needs is made against a fixed figure: asking
    // the system (its control groups' files) for each of the thousands of loads took a third of
    // the runs.
    SetAvailableMemoryForTesting(std::uint64_t(4) << 30);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string own = ScratchPath(".zlg");
    static const std::string drawn = ScratchPath("_drawn.zlg");
    const bool asBytes = BeginsAsASession(data, size);
    const std::vector<BYTE> file = asBytes ? std::vector<BYTE>(data, data + size)
                                           : CSessionWriter(VariedSessionSpec({data, size})).BuildFile();
    if (!WriteBytesToFile(own, file) ||
        !WriteBytesToFile(drawn, CSessionWriter(VariedSessionSpec(HashedChoices(data, size))).BuildFile()))
        return 0;
    const SLoadCheck check = LoadSeveralAndCompare({own, drawn, PlainSessionPath()});
    if (!check.difference.empty()) {
        std::fprintf(stderr, "Loaded session differs from its file: %s\n", check.difference.c_str());
        std::abort();
    }
    if (!asBytes)
        return 0;

    CMeasurementSettings measurement;
    CDataSet set(&measurement);
    if (set.LoadFromFile(own.c_str(), false) != 0)
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
