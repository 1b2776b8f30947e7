// A page stack like the project window's: 5 tabs, each a splitter of 3 frames, each frame with
// 2 toolbars and a form view holding a grid of 200 x 20 cells, at 1600 x 1000. Reports the
// resident memory the stack adds to the process, the time to create it, and (per iteration)
// the time to switch to the next tab and paint it.
#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CFormView.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CSplitterWnd.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/CToolBar.h"
#include "platform/framework/windows/FrameworkApp.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

namespace
{
constexpr int kTabs = 5;
constexpr int kSections = 3;

double ResidentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// A form view (no template controls) that holds a grid filling it.
class GridForm : public CFormView
{
    DECLARE_DYNCREATE(GridForm)
public:
    GridForm() : CFormView(0) {}
    CUGCtrl grid;
    int OnCreate(LPCREATESTRUCT cs) override
    {
        if (CFormView::OnCreate(cs) == -1) return -1;
        grid.SetNumberCols(20);
        grid.SetNumberRows(200);
        return grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 100, 100), this, 1) ? 0 : -1;
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        CFormView::OnSize(type, cx, cy);
        if (grid.m_hWnd) grid.MoveWindow(0, 0, cx, cy);
    }
};
IMPLEMENT_DYNCREATE(GridForm, CFormView)

class SectionFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(SectionFrame)
public:
    CToolBar bars[2];
    int OnCreate(LPCREATESTRUCT cs) override
    {
        if (CFrameWnd::OnCreate(cs) == -1) return -1;
        for (CToolBar& bar : bars)
            if (!bar.CreateEx(this) || !bar.LoadToolBar(1510)) return -1;
        return 0;
    }
};
IMPLEMENT_DYNCREATE(SectionFrame, CFrameWnd)

struct PageStack
{
    CWnd window;
    CTabCtrl tabs;
    std::vector<std::unique_ptr<CSplitterWnd>> pages;

    void Create()
    {
        window.CreateEx(0, nullptr, "Pages", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1600, 1000), nullptr, 0);
        tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1600, 24), &window, 1);
        for (int t = 0; t < kTabs; ++t)
        {
            tabs.InsertItem(t, "Page");
            auto page = std::make_unique<CSplitterWnd>();
            page->CreateStatic(&window, kSections, 1, WS_CHILD | (t == 0 ? WS_VISIBLE : 0), 100 + t);
            page->MoveWindow(0, 24, 1600, 976);
            CCreateContext context;
            for (int s = 0; s < kSections; ++s)
            {
                context.m_pNewViewClass = RUNTIME_CLASS(GridForm);
                page->CreateView(s, 0, RUNTIME_CLASS(SectionFrame), CSize(1600, 320), &context);
            }
            pages.push_back(std::move(page));
        }
        CFrameworkApp::PumpWaitingMessages();
    }
    void Show(int tab)
    {
        for (int t = 0; t < kTabs; ++t)
            if (t != tab) pages[std::size_t(t)]->ShowWindow(SW_HIDE);
        pages[std::size_t(tab)]->ShowWindow(SW_SHOW);
        tabs.SetCurSel(tab);
        CFrameworkApp::PumpWaitingMessages();
    }
};

void BM_PageStack(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    CFrameworkApp::PumpWaitingMessages();
    const double before = ResidentMiB();
    const auto start = std::chrono::steady_clock::now();
    auto stack = std::make_unique<PageStack>();
    stack->Create();
    const double createMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    int tab = 0;
    for (auto _ : state) stack->Show(tab = (tab + 1) % kTabs);
    // Every tab shown once at least: the memory of a stack that has been looked at.
    for (int t = 0; t < kTabs; ++t) stack->Show(t);
    state.counters["resident_MiB"] = ResidentMiB() - before;
    state.counters["create_ms"] = createMs;
    stack.reset();
    CFrameworkApp::PumpWaitingMessages();
}
BENCHMARK(BM_PageStack)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace
