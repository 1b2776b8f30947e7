// Building every trend item of a loaded session through the trend cache (with the series
// computed on request: energies and running sums), beside a plain read of the session file;
// sessions of 10,000 and 100,000 trend records at 1-minute intervals. The memory counter is
// the heap the cache holds per kept value, from the allocator's own figures.
#include "BenchSessionFile.h"
#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendCache.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <malloc.h>

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

const std::string& SessionFile(int records)
{
    return BenchSessionFile(records, 60, 300, false);
}

// Builds every item and every channel; returns the number of values kept (one float each).
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
    const std::string& path = SessionFile(int(state.range(0)));
    PlainRead(path);
    CDataSet set(nullptr);
    if (set.LoadFromFile(path.c_str(), false) != 0) {
        state.SkipWithError("load failed");
        return;
    }
    double plainSeconds = 0, buildSeconds = 0, heapPerRecord = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        PlainRead(path);
        const auto t1 = Clock::now();
        const std::size_t before = mallinfo2().uordblks;
        CTrendCache cache;
        BuildAll(cache, set);
        const auto t2 = Clock::now();
        heapPerRecord = double(mallinfo2().uordblks - before) / double(state.range(0));
        plainSeconds += std::chrono::duration<double>(t1 - t0).count();
        buildSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["plain_ms"] = plainSeconds / n * 1e3;
    state.counters["build_ms"] = buildSeconds / n * 1e3;
    state.counters["build_per_plain"] = buildSeconds / plainSeconds;
    state.counters["heap_B_per_record"] = heapPerRecord;
    state.counters["MB"] = double(std::filesystem::file_size(path)) / 1e6;
}

BENCHMARK(BM_BuildTrendItems)->ArgName("records")->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
