// Making a project archive from a one-minute ".zlg" (the session copied into a new archive
// with its "project.xml", built beside the target and renamed into place) beside a copy of the
// same file in 1 MiB blocks with one fdatasync, both timed in the same iteration. Sessions of
// 10,000, 100,000 and 525,600 records (a year); medians of 5.
#include "BenchSessionFile.h"
#include "project/RecDoc.h"
#include "project/ZlgSessionInfo.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

bool CopyWithOneSync(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::vector<char> block(1024 * 1024);
    bool ok = in >= 0 && out >= 0;
    for (ssize_t got; ok && (got = ::read(in, block.data(), block.size())) > 0;)
        ok = ::write(out, block.data(), std::size_t(got)) == got;
    ok = ok && ::fdatasync(out) == 0;
    if (in >= 0)
        ::close(in);
    if (out >= 0)
        ::close(out);
    return ok;
}

void BM_MakeProjectFromSession(benchmark::State& state)
{
    const std::string& zlg = MinuteSessionFile(int(state.range(0)));
    const std::string target = zlg + ".zca";
    const std::string copy = zlg + ".copy";
    SZlgSessionInfo info;
    info.path = CString(zlg);
    info.sourcePath = info.path;
    info.sessionName = "Bench";
    std::vector<double> copies, projects;
    for (auto _ : state) {
        auto start = Clock::now();
        if (!CopyWithOneSync(zlg, copy))
            state.SkipWithError("copy failed");
        copies.push_back(std::chrono::duration<double>(Clock::now() - start).count());

        start = Clock::now();
        if (CRecDoc::BuildArchiveFromZlg(CString(target), CString(zlg), info) != 0)
            state.SkipWithError("project not made");
        projects.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        std::remove(copy.c_str());
        std::remove(target.c_str());
    }
    const double copyMs = MedianMs(copies), projectMs = MedianMs(projects);
    state.counters["copy_sync_ms"] = copyMs;
    state.counters["project_ms"] = projectMs;
    state.counters["project_per_copy"] = projectMs / copyMs;
}

BENCHMARK(BM_MakeProjectFromSession)
    ->ArgName("records")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(525600)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
