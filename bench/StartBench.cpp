// Starting the program on a project that holds a one-minute session, up to an idle window: the
// application object opens the project named on the command line, builds its windows, and the
// waiting events (the first paint among them) run. Loading the program and its libraries is not
// included. Sessions of 10,000, 100,000 and 525,600 records (a year); medians of 5.
#include "BenchSessionFile.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "shell/RecDocTemplate.h"
#include "project/ZlgSessionInfo.h"
#include "shell/OrnApp.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The program's settings, data and runtime folders in a scratch folder of this process.
void UseScratchHome()
{
    static const bool done = [] {
        const auto home = std::filesystem::temp_directory_path() / ("orn-bench-home-" + std::to_string(::getpid()));
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"}) {
            const auto folder = home / name;
            std::filesystem::create_directories(folder);
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
            ::setenv(name, folder.c_str(), 1);
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static const bool cleanup = std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                            ("orn-bench-home-" + std::to_string(::getpid())),
                                        ignored);
        }) == 0;
        return cleanup;
    }();
    (void)done;
}

void BM_StartOnProject(benchmark::State& state)
{
    UseScratchHome();
    const std::string& zlg = MinuteSessionFile(int(state.range(0)));
    const std::string project = zlg + ".project.zca";
    SZlgSessionInfo info;
    info.path = CString(zlg);
    info.sourcePath = info.path;
    info.sessionName = "Bench";
    COrnApp& app = COrnApp::Instance();
    app.SetDocTemplate(CreateRecDocTemplate());
    if (CRecDoc::BuildArchiveFromZlg(CString(project), CString(zlg), info) != 0) {
        state.SkipWithError("project not made");
        return;
    }
    SStartOptions options;
    options.logging = false;
    options.endOnSignals = false;
    std::vector<double> starts;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!app.InitInstance({CString(project)}, options) || !app.GetDocument())
            state.SkipWithError("project not opened");
        CFrameworkApp::PumpWaitingMessages();
        starts.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        app.ExitInstance();
    }
    std::filesystem::remove(project);
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
