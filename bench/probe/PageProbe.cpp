// One process of the page benchmark: the program started on a project (argument 1) at the device
// ratio of its environment, then a study page (argument 2, its view id) chosen from the Project
// Manager as its view selector chooses it. Prints one "name value" line per figure:
// - show_ms: that first show of the page in this process: frames, views, the statistics of both
//   tables, the chart fed and drawn, everything painted; show_cpu_ms the processor time it took
//   (steadier while other work shares the machine).
// - renders: the chart's drawings by the show and the deferred work that follows it (0.6 s).
// - plain_ms: the yardstick on the same loaded records: one pass that takes the minimum, the
//   maximum and the sum of every value the page computes from (over every session of the
//   project), read straight from the record bytes. It is timed right before the show and right
//   after it, as the machine runs then (never after idling, which slows a pass), and the faster
//   of the two counts: show_per_plain is this show's multiple of it.
// - to_manager_ms, to_study_ms: the Project Manager and the study tab from the View menu, three
//   times each way; the median of each direction.
#include "BenchPlainPass.h"
#include "BenchProgram.h"
#include "datamodel/DataSet.h"
#include "mainview/MainView.h"
#include "mainview/StudyLayouts.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphView.h"
#include "views/SplitFrame.h"
#include "views/VisualFramework.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct SPage
{
    int viewId;
    std::vector<SFieldRange> trendFields;
    std::vector<SFieldRange> demandFields; // of the demand records
};

// What each page's values come from: RMS Power the voltages and currents (apparent power) and
// every power and power factor with the fundamental powers (the signs); Demand the power factors
// of the trend records and the voltages, currents and energies of the demand records;
// Fundamental Power the fundamental powers and the displacement power factor; V/A/Hz/THD the
// voltages (both references), currents, THD and the frequency; the Load study's RMS Power the
// currents (estimated apparent power); its V/A/Hz/THD the currents, THD-A and the frequency. Every
// graph scales its aux inputs too.
const SPage kPages[] = {
    {0, {{24, 132}, {216, 600}, {656, 680}}, {}},
    {1, {{504, 600}, {656, 680}}, {{24, 104}}},
    {3, {{360, 504}, {552, 600}, {656, 680}}, {}},
    {4, {{24, 216}, {656, 680}}, {}},
    {5, {{96, 132}, {656, 680}}, {}},
    {8, {{96, 132}, {168, 216}, {656, 680}}, {}},
};

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Processor time of the program's thread so far (every window lives on it; Qt's helper threads
// that wait for work are left out).
double CpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

CBasicGraphView* GraphOf(int viewId)
{
    const SStudyLayout* layout = FindStudyLayout(viewId);
    CMainView* view = ProgramMainView();
    const TVisualObject* section = layout && view ? view->GetLayout().GetObject(layout->firstEntry + 1) : nullptr;
    auto* frame = section ? dynamic_cast<CSplitFrame*>(section->GetWnd()) : nullptr;
    return frame ? dynamic_cast<CBasicGraphView*>(frame->GetView()) : nullptr;
}

void Print(const char* name, double value)
{
    std::printf("%s %.3f\n", name, value);
}

// The program's windows go before the process ends.
int Fail(const char* why)
{
    std::fprintf(stderr, "page probe: %s\n", why);
    EndProgram();
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const int viewId = std::atoi(argv[2]);
    const auto page = std::find_if(std::begin(kPages), std::end(kPages), [&](const SPage& p) { return p.viewId == viewId; });
    if (page == std::end(kPages))
        return 2;
    if (!StartProgramOn(argv[1]))
        return Fail("project not opened");
    ProgramCommand(CMainFrame::ID_VIEW_PROJECT_MANAGER);

    double checksum = 0.0;
    const auto plainPass = [&] {
        const auto start = Clock::now();
        CRecDoc& document = *ProgramDocument();
        for (int s = 0; s < document.GetDataSetCount(); ++s) {
            const CDataSet& set = *document.GetDataSet(s);
            checksum += PlainPass(*set.GetTrendTable(), page->trendFields);
            if (!page->demandFields.empty())
                checksum += PlainPass(*set.GetDemandTable(), page->demandFields);
        }
        return MsSince(start);
    };
    const double plainBefore = plainPass();
    auto start = Clock::now();
    const double cpuStart = CpuMs();
    ProgramMessage(CMainFrame::WM_SHOW_STUDY_VIEW, WPARAM(viewId), 0);
    const double show = MsSince(start);
    const double showCpu = CpuMs() - cpuStart;
    const double plain = std::min(plainBefore, plainPass());
    CBasicGraphView* graph = GraphOf(viewId);
    if (!graph)
        return Fail("graph not built");
    CFrameworkApp::RunFor(600);
    const int renders = graph->GetPlotControl()->GetRenderCount();

    std::vector<double> toManager, toStudy;
    const UINT study = viewId >= 5 ? CMainFrame::ID_VIEW_LOAD_STUDY : CMainFrame::ID_VIEW_ENERGY_STUDY;
    for (int round = 0; round < 3; ++round) {
        start = Clock::now();
        ProgramCommand(CMainFrame::ID_VIEW_PROJECT_MANAGER);
        toManager.push_back(MsSince(start));
        start = Clock::now();
        ProgramCommand(study);
        toStudy.push_back(MsSince(start));
    }
    Print("show_ms", show);
    Print("show_cpu_ms", showCpu);
    Print("renders", renders);
    Print("plain_ms", plain);
    Print("to_manager_ms", Median(toManager));
    Print("to_study_ms", Median(toStudy));
    // Keeps the pass from being left out.
    std::fprintf(stderr, "checksum %g\n", checksum);
    EndProgram();
    return 0;
}
