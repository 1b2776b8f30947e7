// Loading a one-minute session from its ".zlg" and from a project archive, files in the page
// cache, again and again in one process (warm: each load reads into the blocks the one before
// gave back), beside yardsticks timed in the same iteration: a read of the same bytes into a
// buffer that is already faulted in (as warm; zlg_per_prefaulted), a read of the archive's stream
// in 256 KiB blocks through the loader's stream interface (archive_per_stream; each load beside the
// yardsticks of its own round: slowest_zlg_per_prefaulted is the slowest round's), and, for
// reference only, the same read into fresh pages (cold: the floor of a first load, which the
// first-load benchmark compares in new processes). Nothing timed includes giving its memory back.
// Sessions of 10,000, 100,000 and 525,600 records (a year); medians of 5 iterations, of 250
// samples in 50 rounds of five for the smallest session, whose few milliseconds a busy machine
// disturbs. The memory counter is the heap a loaded data set holds per file byte.
#include "BenchProbe.h"
#include "BenchSessionFile.h"
#include "datamodel/ArchiveStreamStorage.h"
#include "datamodel/DataSet.h"
#include "platform/storage/CompoundFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

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
    double slowestZlgPerPrefaulted = 0;
    const auto measure = [&] {
        auto start = Clock::now();
        prefaulted.Read();
        plain.push_back(SecondsSince(start));

        start = Clock::now();
        const CFreshPages read = ReadIntoFreshPages(path);
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
    // A load before the timed ones maps the blocks the others read into (a first load's cost,
    // which the first-load benchmark measures).
    {
        CDataSet warm(nullptr);
        warm.LoadFromFile(CString(path), false);
    }
    // A round of the smallest session is five samples, its ratio their loads' sum over their
    // reads' sum, so that one interruption of a millisecond's read does not decide a round.
    const int samplesPerRound = std::max(1, 50000 / records);
    const int rounds = std::max(1, 100000 / records);
    for (auto _ : state)
        for (int round = 0; round < rounds; ++round) {
            for (int sample = 0; sample < samplesPerRound; ++sample)
                measure();
            const auto sum = [samplesPerRound](const std::vector<double>& seconds) {
                return std::accumulate(seconds.end() - samplesPerRound, seconds.end(), 0.0);
            };
            slowestZlgPerPrefaulted = std::max(slowestZlgPerPrefaulted, sum(zlg) / sum(plain));
        }
    const double plainMs = MedianMs(plain), freshMs = MedianMs(fresh), streamMs = MedianMs(stream), zlgMs = MedianMs(zlg),
                 archiveMs = MedianMs(fromArchive);
    state.counters["prefaulted_ms"] = plainMs;
    state.counters["fresh_read_ms"] = freshMs;
    state.counters["stream_ms"] = streamMs;
    state.counters["zlg_ms"] = zlgMs;
    state.counters["archive_ms"] = archiveMs;
    state.counters["zlg_per_prefaulted"] = zlgMs / plainMs;
    state.counters["slowest_zlg_per_prefaulted"] = slowestZlgPerPrefaulted;
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

namespace {

double MinMs(const std::vector<double>& seconds)
{
    return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()) * 1e3;
}

double MaxMs(const std::vector<double>& seconds)
{
    return seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end()) * 1e3;
}

// The first load of a session in a new process, as a user meets it when the program starts on
// a file (the file in the page cache), beside a plain read of the same file into new memory in a
// new process of its own, and a read of it through one small buffer (the page cache's copy
// alone, no new memory). Each figure is timed inside its process from the first byte asked for
// to the last byte in place (no process start, no release: the same for every mode). Ten
// processes each, taken in turns; the slowest load counts, against the median read. Then the
// load repeated in one process, each load right after a read of the same file into memory
// written before (its yardstick, timed as the machine runs at that moment): what a second session
// opened in a running program costs, by median and in the slowest turn.
void BM_FirstLoadInNewProcess(benchmark::State& state)
{
    const std::string& path = MinuteSessionFile(int(state.range(0)));
    ReadIntoFreshPages(path); // in the page cache
    constexpr int kProcesses = 10;
    constexpr int kRepeats = 6;
    std::vector<double> loads, reads, streams, warmLoads, prefaultedReads;
    double slowestTurn = 0.0;
    for (auto _ : state) {
        for (int i = 0; i < kProcesses; ++i) {
            const auto read = RunLoadProbe("read", path, 1);
            const auto stream = RunLoadProbe("stream", path, 1);
            const auto load = RunLoadProbe("load", path, 1);
            if (read.empty() || stream.empty() || load.empty()) {
                state.SkipWithError("probe failed");
                return;
            }
            reads.push_back(read[0] / 1e3);
            streams.push_back(stream[0] / 1e3);
            loads.push_back(load[0] / 1e3);
        }
        // Read and load in turns; the first turn is a new process's, the others are timed.
        const auto turns = RunLoadProbe("warm", path, kRepeats + 1);
        for (std::size_t i = 2; i + 1 < turns.size(); i += 2) {
            prefaultedReads.push_back(turns[i] / 1e3);
            warmLoads.push_back(turns[i + 1] / 1e3);
            slowestTurn = std::max(slowestTurn, turns[i + 1] / turns[i]);
        }
    }
    const double readMs = MedianMs(reads), prefaultedMs = MedianMs(prefaultedReads);
    const auto spread = [&state](const std::string& name, const std::vector<double>& values) {
        state.counters[name + "_min_ms"] = MinMs(values);
        state.counters[name + "_median_ms"] = MedianMs(values);
        state.counters[name + "_max_ms"] = MaxMs(values);
    };
    spread("new_process_load", loads);
    spread("new_process_read", reads);
    state.counters["new_process_stream_median_ms"] = MedianMs(streams);
    state.counters["new_process_slowest_load_per_read"] = MaxMs(loads) / readMs;
    state.counters["new_process_median_load_per_read"] = MedianMs(loads) / readMs;
    spread("again_load", warmLoads);
    spread("prefaulted_read", prefaultedReads);
    state.counters["again_load_per_prefaulted_read"] = MedianMs(warmLoads) / prefaultedMs;
    state.counters["again_slowest_turn_load_per_prefaulted_read"] = slowestTurn;
}

BENCHMARK(BM_FirstLoadInNewProcess)
    ->ArgName("records")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(525600)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
