// Scrolling the grid's cell area one page and repainting it, over a data source that computes
// every cell when asked: 100 rows beside 100,000 rows of 20 columns. Only the visible cells are
// read and drawn, so both cost the same; the counter shows the cells read per step.
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/FrameworkApp.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

// Cells made up from their coordinates, counted as they are read.
class ComputedSource : public CUGDataSource
{
public:
    long reads = 0;
    int GetCell(int col, int row, CUGCell* cell) override
    {
        ++reads;
        if (row < 0)
            return 1;
        CString text;
        text.Format("%d.%02d", row, col);
        cell->SetText(text);
        return 0;
    }
};

void BM_GridScrollPage(benchmark::State& state)
{
    CFrameworkApp::EnsureInitialized();
    ComputedSource source;
    CUGCtrl grid;
    grid.SetDefDataSource(grid.AddDataSource(&source));
    grid.SetNumberCols(20);
    grid.SetNumberRows(int(state.range(0)));
    grid.CreateGrid(WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 1);
    CFrameworkApp::PumpWaitingMessages();

    CUGGrid& area = *grid.m_CUGGrid;
    bool down = true;
    source.reads = 0;
    long steps = 0;
    for (auto _ : state) {
        // One page down (or back up), then a full repaint of the cell area.
        grid.MoveTopRow(down ? UG_PAGEDOWN : UG_PAGEUP);
        down = !down;
        area.Invalidate(FALSE);
        area.UpdateWindow();
        ++steps;
    }
    state.counters["cells_read_per_step"] = double(source.reads) / double(steps);
    grid.DestroyWindow();
}
BENCHMARK(BM_GridScrollPage)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
