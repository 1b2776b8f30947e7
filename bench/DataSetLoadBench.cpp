// Loading a session from a file in the page cache, beside a plain read of the same file into
// memory: sessions of 10,000 trend records at 10-minute and 100,000 at 1-minute intervals.
#include "BenchSessionFile.h"
#include "datamodel/DataSet.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

// The logger's own byte order unless asked otherwise.
const std::string& SessionFile(int records, bool bigEndian = true)
{
    const bool minuteIntervals = records >= 100000;
    return BenchSessionFile(records, minuteIntervals ? 60 : 600, minuteIntervals ? 300 : 900, bigEndian);
}

void BM_PlainRead(benchmark::State& state)
{
    const std::string& path = SessionFile(int(state.range(0)));
    PlainRead(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainRead(path));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(std::filesystem::file_size(path)));
}

// Both in one run, so that the ratio compares like with like.
void BM_LoadSession(benchmark::State& state)
{
    const std::string& path = SessionFile(int(state.range(0)), state.range(1) != 0);
    PlainRead(path);
    double plainSeconds = 0, loadSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PlainRead(path);
        const auto t1 = Clock::now();
        CDataSet set(nullptr);
        if (set.LoadFromFile(path.c_str(), false) != 0)
            state.SkipWithError("load failed");
        const auto t2 = Clock::now();
        plainSeconds += std::chrono::duration<double>(t1 - t0).count();
        loadSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["plain_ms"] = plainSeconds / n * 1e3;
    state.counters["load_ms"] = loadSeconds / n * 1e3;
    state.counters["load_per_plain"] = loadSeconds / plainSeconds;
    state.counters["MB"] = double(std::filesystem::file_size(path)) / 1e6;
}

BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSession)
    ->ArgNames({"records", "big_endian"})
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Args({10000, 0})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
