// Loading a one-minute session from its ".zlg" and from a project archive, files in the page
// cache, beside three yardsticks timed in the same iteration: a read of the same bytes into a
// buffer that is already faulted in, the same read into fresh pages (the floor of any load that
// keeps a copy of the records: the page faults of that much new memory), and a read of the
// archive's stream in 256 KiB blocks through the loader's stream interface. Sessions of 10,000, 100,000 and 525,600 records (a
// year); medians of 5 iterations, of 50 for the smallest session, whose few milliseconds a busy
// machine disturbs. The memory counter is the heap a loaded data set holds per file byte.
#include "BenchSessionFile.h"
#include "datamodel/ArchiveStreamStorage.h"
#include "datamodel/DataSet.h"
#include "platform/storage/CompoundFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_LoadSession(benchmark::State& state)
{
    const int records = int(state.range(0));
    const std::string& path = MinuteSessionFile(records);
    const std::string& archivePath = MinuteSessionArchive(records);
    const double fileBytes = double(std::filesystem::file_size(path));
    CPrefaultedRead prefaulted(path);
    ReadArchiveStreamInBlocks(archivePath);

    std::shared_ptr<CCompoundFile> archive;
    if (CCompoundFile::Open(CString(archivePath), EStorageAccess::Read, archive) != EStorageResult::Ok) {
        state.SkipWithError("archive not opened");
        return;
    }
    CCompoundStreamStorage storage(archive);

    std::vector<double> plain, fresh, stream, zlg, fromArchive;
    double heapPerFileByte = 0;
    const auto measure = [&] {
        auto start = Clock::now();
        prefaulted.Read();
        plain.push_back(SecondsSince(start));

        start = Clock::now();
        ReadIntoFreshPages(path);
        fresh.push_back(SecondsSince(start));

        start = Clock::now();
        ReadArchiveStreamInBlocks(archivePath);
        stream.push_back(SecondsSince(start));

        {
            const std::size_t before = HeapInUse();
            start = Clock::now();
            CDataSet set(nullptr);
            if (set.LoadFromFile(CString(path), false) != 0)
                state.SkipWithError("load failed");
            zlg.push_back(SecondsSince(start));
            heapPerFileByte = double(HeapInUse() - before) / fileBytes;
        }
        start = Clock::now();
        CDataSet set(nullptr);
        if (set.LoadFromCompoundFile(storage, kArchiveSessionStream) != 0)
            state.SkipWithError("archive load failed");
        fromArchive.push_back(SecondsSince(start));
    };
    const int samples = std::max(1, 100000 / records);
    for (auto _ : state)
        for (int sample = 0; sample < samples; ++sample)
            measure();
    const double plainMs = MedianMs(plain), freshMs = MedianMs(fresh), streamMs = MedianMs(stream), zlgMs = MedianMs(zlg),
                 archiveMs = MedianMs(fromArchive);
    state.counters["prefaulted_ms"] = plainMs;
    state.counters["fresh_read_ms"] = freshMs;
    state.counters["stream_ms"] = streamMs;
    state.counters["zlg_ms"] = zlgMs;
    state.counters["archive_ms"] = archiveMs;
    state.counters["zlg_per_prefaulted"] = zlgMs / plainMs;
    state.counters["zlg_per_fresh_read"] = zlgMs / freshMs;
    state.counters["archive_per_zlg"] = archiveMs / zlgMs;
    state.counters["archive_per_stream"] = archiveMs / streamMs;
    state.counters["heap_per_file_byte"] = heapPerFileByte;
    state.counters["MB"] = fileBytes / 1e6;
}

BENCHMARK(BM_LoadSession)
    ->ArgName("records")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(525600)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
