// Building every trend item of a freshly loaded one-minute session (its time blocks included)
// through the trend cache, with the series computed on request (energies and running sums),
// beside a read of the session file into a buffer already faulted in and a write of as many
// bytes as the build keeps into fresh pages (the floor of what it keeps: time blocks and the
// series it computes; recorded series are read from the records). Sessions
// of 10,000, 100,000 and 525,600 records (a year); medians of 5, each on a data set of its own.
// The memory counters are the heap per record that the loaded data set holds and that it holds
// once every item is built, from the allocator's own figures.
#include "BenchSessionFile.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

struct SItemRequest
{
    DWORD item;
    bool demand;
    std::vector<DWORD> quantities;
};

// Every item of a logger-layout session with the quantities its channels serve.
const SItemRequest kRequests[] = {
    {0, false, {0}},   {1, false, {1}},   {2, false, {2}},  {29, false, {29}}, {30, false, {30}},
    {39, false, {5, 6, 7, 8, 36, 37, 38, 54, 56, 57}},        {40, false, {9, 20, 21, 22, 57}},
    {47, false, {41, 42, 43, 44, 45, 46, 55}},                {50, false, {48, 49}},
    {53, false, {51, 52}},                                    {47, true, {41, 42, 43, 44, 45, 46, 55}},
    {50, true, {48, 49}},
};

// Builds every item and every channel; returns the number of values handed out.
std::size_t BuildAll(CTrendCache& cache, CDataSet& set)
{
    std::size_t values = 0;
    for (const auto& request : kRequests) {
        const STrendAccessSpec accessSpec{BYTE(request.demand ? 1 : 0), 1};
        CDataItemTrend* item = cache.FindTrendItem(&set, request.item, 0, accessSpec);
        if (!item)
            item = cache.GetTrendItem(&set, request.item, 0, accessSpec);
        if (!item)
            continue;
        for (DWORD quantity : request.quantities)
            for (DWORD phase : {0u, 1u, 2u, 5u}) {
                const auto channel = item->GetChannel(quantity, phase);
                for (int s = 0; s < 3; ++s)
                    values += channel->GetAccess(s) ? channel->GetRecordCount() : 0;
            }
    }
    return values;
}

void BM_BuildTrendItems(benchmark::State& state)
{
    const int records = int(state.range(0));
    const std::string& path = MinuteSessionFile(records);
    CPrefaultedRead prefaulted(path);
    std::vector<double> plain, build, fill;
    double loadedPerRecord = 0, builtPerRecord = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::size_t before = HeapInUse();
        CDataSet set(nullptr);
        if (set.LoadFromFile(CString(path), false) != 0) {
            state.SkipWithError("load failed");
            break;
        }
        const std::size_t loaded = HeapInUse();
        state.ResumeTiming();

        auto start = Clock::now();
        prefaulted.Read();
        plain.push_back(std::chrono::duration<double>(Clock::now() - start).count());

        start = Clock::now();
        CTrendCache cache;
        set.GetTrendTimeBlock();
        set.GetDemandTimeBlock();
        benchmark::DoNotOptimize(BuildAll(cache, set));
        build.push_back(std::chrono::duration<double>(Clock::now() - start).count());

        const std::size_t built = HeapInUse();
        loadedPerRecord = double(loaded - before) / records;
        builtPerRecord = double(built - before) / records;
        state.PauseTiming();
        start = Clock::now();
        const CFreshPages filled = FillFreshPages(built > loaded ? built - loaded : 0);
        fill.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        cache.Clear();
        state.ResumeTiming();
    }
    const double plainMs = MedianMs(plain), buildMs = MedianMs(build), fillMs = MedianMs(fill);
    state.counters["prefaulted_ms"] = plainMs;
    state.counters["build_ms"] = buildMs;
    state.counters["fresh_fill_ms"] = fillMs;
    state.counters["build_per_prefaulted"] = buildMs / plainMs;
    state.counters["build_per_fresh_fill"] = buildMs / fillMs;
    state.counters["loaded_B_per_record"] = loadedPerRecord;
    state.counters["built_B_per_record"] = builtPerRecord;
    state.counters["file_B_per_record"] = double(std::filesystem::file_size(path)) / records;
}

BENCHMARK(BM_BuildTrendItems)
    ->ArgName("records")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(525600)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
