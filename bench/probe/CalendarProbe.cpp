// One process of the calendar benchmark: the program started on a project (argument 1), at the
// device ratio of its environment, with no thumbnail file yet. Prints one "name value" line per
// figure:
// - open_ms: the start of the program on the project up to an idle window (its sessions loaded,
//   the Project Manager shown); open_cpu_ms the processor time of the process over it (the
//   kernel's page faults and copies included, as a fresh read of the file counts them).
// - first_ms: the Energy calendar chosen from the Project Manager (WM_USER+60), the first show of
//   the page in this process: frames, views, chart, bins, grid, the thumbnails in sight drawn and
//   written, everything painted; first_cpu_ms the processor time it took (steadier while other
//   work shares the machine).
// - alone_ms: the chart alone drawing the same pictures (same bins, same size) into the same files.
// - return_first_ms, return_median_ms, return_max_ms: the Project Manager, then the Energy Study
//   from the View menu (the calendar shows again), five times; the time of the way back.
// - screen_ms: the least that way back takes: the files of the pictures in sight read and drawn
//   into a picture of the view's size.
// - added_MB: heap the program holds after the last visit more than on the Project Manager before
//   the first (the start's passing buffers freed since may make it negative); rss_added_MB the
//   resident memory alike; peak_rss_added_MB the highest resident memory over the first show and
//   the visits above that on the Project Manager before; screen_MB: the pixels of the view's
//   client area at the screen's ratio (one screen of the page).
// - pictures: thumbnails written by the first show; ratio: the screen's device pixel ratio.
#include "BenchProgram.h"
#include "BenchSessionFile.h"
#include "shell/CalendarBinsInSight.h"
#include "mainview/MainView.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/Messages.h"
#include "shell/MainFrame.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/CalendarThumbnailFile.h"
#include "views/SplitFrame.h"
#include "views/VisualFramework.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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

// Processor time of every thread of the process so far, the kernel's on its behalf included.
double ProcessCpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double ResidentMB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4096.0 / (1024.0 * 1024.0);
}

// The highest resident memory since the last ResetPeakResident().
double PeakResidentMB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0.0;
}

void ResetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

template <typename View>
View* Section(int entry)
{
    CMainView* view = ProgramMainView();
    const TVisualObject* object = view ? view->GetLayout().GetObject(entry) : nullptr;
    auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
    return frame ? dynamic_cast<View*>(frame->GetView()) : nullptr;
}

void Print(const char* name, double value)
{
    std::printf("%s %.3f\n", name, value);
}

// The program's windows go before the process ends.
int Fail(const char* why)
{
    std::fprintf(stderr, "calendar probe: %s\n", why);
    EndProgram();
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    auto start = Clock::now();
    const double openCpuStart = ProcessCpuMs();
    if (!StartProgramOn(argv[1]))
        return Fail("project not opened");
    const double open = MsSince(start);
    const double openCpu = ProcessCpuMs() - openCpuStart;
    ProgramCommand(CMainFrame::ID_VIEW_PROJECT_MANAGER);
    const double heapBefore = double(HeapInUse()) / (1024.0 * 1024.0);
    const double residentBefore = ResidentMB();
    ResetPeakResident();

    start = Clock::now();
    const double cpuStart = CpuMs();
    ProgramMessage(CMainFrame::WM_SHOW_STUDY_VIEW, 2, 0); // the Energy calendar, as its selector asks
    const double first = MsSince(start);
    const double firstCpu = CpuMs() - cpuStart;
    auto* table = Section<CCalendarTableView>(11);
    auto* graph = Section<CCalendarGraphView>(12);
    if (!table || !graph || !table->GetGrid() || !table->GetSessionList().BinsOf(0))
        return Fail("calendar page not built");
    const int pictures = table->GetThumbnails().GetWrittenCount();

    std::vector<double> returns;
    for (int i = 0; i < 5; ++i) {
        ProgramCommand(CMainFrame::ID_VIEW_PROJECT_MANAGER);
        start = Clock::now();
        ProgramCommand(CMainFrame::ID_VIEW_ENERGY_STUDY);
        returns.push_back(MsSince(start));
    }
    const double heapAdded = double(HeapInUse()) / (1024.0 * 1024.0) - heapBefore;
    const double residentAdded = ResidentMB() - residentBefore;
    const double peakAdded = PeakResidentMB() - residentBefore;
    table = Section<CCalendarTableView>(11);
    if (!table || !table->GetGrid())
        return Fail("calendar page not shown again");
    const structCalendarBins& bins = *table->GetSessionList().BinsOf(0);
    CCalendarGrid& grid = *table->GetGrid();
    CRect client;
    table->GetClientRect(&client);
    CClientDC screen(table);
    const char* scale = std::getenv("QT_SCALE_FACTOR");
    const double ratio = scale ? std::atof(scale) : 1.0;

    // The way back's yardstick: the pictures in sight from their files into one screen.
    const std::vector<int> inSight = BinsInSight(grid, bins);
    start = Clock::now();
    {
        CDC memory;
        memory.CreateCompatibleDC(&screen);
        CBitmap picture;
        picture.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
        CBitmap* old = memory.SelectObject(&picture);
        for (int bin : inSight) {
            int col = 0;
            int row = 0;
            grid.BinCell(0, bin, col, row);
            RECT cell;
            grid.GetCellRect(col, row, &cell);
            const CSize fit = grid.PictureFit(col, row);
            std::unique_ptr<CBitmap> thumbnail = ReadThumbnailBitmap(bins.folder + bins.bins[std::size_t(bin)].fileName, fit);
            if (!thumbnail)
                return Fail("a thumbnail in sight has no file");
            CDC source;
            source.CreateCompatibleDC(&screen);
            CBitmap* previous = source.SelectObject(thumbnail.get());
            memory.BitBlt(cell.left + 2, cell.top + 2, fit.cx, fit.cy, &source, 0, 0, SRCCOPY);
            source.SelectObject(previous);
        }
        memory.SelectObject(old);
    }
    const double screenMs = MsSince(start);

    // The first show's yardstick: the chart alone drawing the same pictures into the same files.
    graph->ApplyOptions(); // every session on the chart again, as the thumbnails take it
    CiPlotX& chart = *graph->GetPlotControl();
    int col = 0;
    int row = 0;
    grid.BinCell(0, 0, col, row);
    const CSize size = grid.PictureFit(col, row);
    start = Clock::now();
    for (int i = 0; i < pictures && i < bins.count; ++i) {
        const structCalendarBin& bin = bins.bins[std::size_t(i)];
        chart.SaveThumbnail({0, bin.start, bin.width, bins.lower, bins.upper, int(size.cx), int(size.cy)}, bins.folder + bin.fileName);
    }
    const double alone = MsSince(start);

    const double firstReturn = returns.front();
    std::sort(returns.begin(), returns.end());
    Print("open_ms", open);
    Print("open_cpu_ms", openCpu);
    Print("first_ms", first);
    Print("first_cpu_ms", firstCpu);
    Print("alone_ms", alone);
    Print("return_first_ms", firstReturn);
    Print("return_median_ms", returns[returns.size() / 2]);
    Print("return_max_ms", returns.back());
    Print("screen_ms", screenMs);
    Print("added_MB", heapAdded);
    Print("rss_added_MB", residentAdded);
    Print("peak_rss_added_MB", peakAdded);
    Print("screen_MB", double(client.Width()) * double(client.Height()) * 4.0 * ratio * ratio / (1024.0 * 1024.0));
    Print("pictures", pictures);
    Print("ratio", ratio);
    EndProgram();
    return 0;
}
