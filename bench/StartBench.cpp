// Starting the program on a project that holds a one-minute session, up to an idle window: the
// application object opens the project named on the command line, builds its windows, and the
// waiting events (the first paint among them) run. Loading the program and its libraries is not
// included. Sessions of 10,000, 100,000 and 525,600 records (a year); medians of 5.
#include "BenchProgram.h"
#include "BenchSessionFile.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

void BM_StartOnProject(benchmark::State& state)
{
    const std::string& project = MinuteSessionProject(int(state.range(0)));
    if (project.empty()) {
        state.SkipWithError("project not made");
        return;
    }
    std::vector<double> starts;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!StartProgramOn(project))
            state.SkipWithError("project not opened");
        starts.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        EndProgram();
    }
    state.counters["start_ms"] = MedianMs(starts);
}

BENCHMARK(BM_StartOnProject)
    ->ArgName("records")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(525600)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
