// A study graph over four sessions of 100,000 one-minute records: the first update (stored
// settings to a drawn chart, the trend items built on the way), a zoom step and a drag step of a
// time-range marker.
#include "BenchProject.h"
#include "datamodel/TrendCache.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/BasicGraphView.h"
#include "study/GraphViewDialogBars.h"
#include "study/RecTrendToIOComp.h"
#include "study/SetupPlot.h"
#include "views/SplitFrame.h"
#include "views/ToolBarBuilders.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kVoltage = 0;
constexpr DWORD kActivePower = 5;

// The three voltages with their envelopes and the total active power of every session.
class CBenchGraphView : public CBasicGraphView
{
public:
    CBenchGraphView() : CBasicGraphView(0, 2, 1) {}
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CBenchGraphView", &CMyFormView::Class(),
                                                &CreateWindowObject<CBenchGraphView>, nullptr};
        return runtimeClass;
    }
    void InitDataItems() override
    {
        m_dataItems = {{kVoltage, 3, 0, 0, false, false}, {kActivePower, 4, 1, 1, false, false}};
    }
    void SetDefaultSettings() override
    {
        CBasicGraphView::SetDefaultSettings();
        GetSettings().m_channels[0] = {true, true, true, false};
        GetSettings().m_channels[1] = {false, false, false, true};
        GetSettings().m_isMaxMin[0] = true;
        GetSettings().m_sessions = {true, true, true, true};
    }
    bool IsItemShown(DWORD quantity, int slot) const override
    {
        return GetSettings().m_channels[quantity == kVoltage ? 0 : 1][std::size_t(slot)];
    }
    CString GetDataItemName(const SDataItem& item, int slot) const override
    {
        CString name;
        name.Format(item.quantity == kVoltage ? "V%d" : "P%d", slot + 1);
        return name;
    }
    void ConfigurePlot() override
    {
        SetupPlot(*GetPlotControl(), PlotSetup::kEnergySummaryOptions);
        const DWORD quantities[] = {kVoltage, kActivePower};
        const UINT titles[] = {0, 0};
        GetDataToIOComp()->SetYAxes(2, quantities, titles, nullptr);
    }
    void UpdateTimeRangeSection() override {}
};

class CGraphBench
{
public:
    CGraphBench()
    {
        OpenFourSessionProject(m_document, "graph", 300);
        m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1600, 900),
                          nullptr, 0);
    }

    void OpenView()
    {
        m_document.GetTrendCache()->Clear();
        SViewCreateContext context;
        context.document = &m_document;
        m_frame = new CSplitFrame(&CBenchGraphView::Class());
        m_frame->CreateFrame(&m_window, CRect(0, 0, 1600, 900), 1, context);
        AddGraphSectionToolBar(*m_frame, 10057, false);
        m_frame->AddDialogBar(std::make_unique<CSummaryGraphViewDialogBar>(), kGraphOptionsTemplate);
        m_view = static_cast<CBasicGraphView*>(m_frame->GetView());
        m_view->SetDialogBar(static_cast<CBasicGraphViewDialogBar*>(m_frame->GetDialogBar()));
        m_view->SendMessage(WM_INITIALUPDATE);
    }
    void CloseView()
    {
        m_frame->DestroyWindow();
        m_frame = nullptr;
        m_view = nullptr;
    }
    CBasicGraphView& View() { return *m_view; }
    int Points() const
    {
        int points = 0;
        for (int i = 0; i < m_view->GetPlotControl()->GetChannelCount(); ++i)
            points += m_view->GetPlotControl()->GetChannel(i)->GetCount();
        return points;
    }

private:
    CRecDoc m_document;
    CWnd m_window;
    CSplitFrame* m_frame = nullptr;
    CBasicGraphView* m_view = nullptr;
};

CGraphBench& Bench()
{
    static CGraphBench* bench = new CGraphBench;
    return *bench;
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_GraphFirstUpdate(benchmark::State& state)
{
    CGraphBench& bench = Bench();
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.OpenView();
        bench.View().UpdateWindow();
        state.SetIterationTime(Seconds(start));
        state.counters["points"] = bench.Points();
        state.counters["renders"] = bench.View().GetPlotControl()->GetRenderCount();
        bench.CloseView();
    }
}
BENCHMARK(BM_GraphFirstUpdate)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_GraphZoomStep(benchmark::State& state)
{
    CGraphBench& bench = Bench();
    bench.OpenView();
    bool in = true;
    for (auto _ : state) {
        const auto start = Clock::now();
        bench.View().SendMessage(WM_COMMAND, MAKEWPARAM(in ? 33049 : 33050, BN_CLICKED), 0);
        state.SetIterationTime(Seconds(start));
        in = !in;
    }
    bench.CloseView();
}
BENCHMARK(BM_GraphZoomStep)->UseManualTime()->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void BM_GraphMarkerDragStep(benchmark::State& state)
{
    CGraphBench& bench = Bench();
    bench.OpenView();
    CBasicGraphView& view = bench.View();
    view.GetSettings().m_checkTimeRange = true;
    view.GetDialogBar()->SettingsToControls();
    view.OnSetTimeRange();
    CiPlotX& chart = *view.GetPlotControl();
    const int start = chart.FindLimit(kTimeRangeStart);
    const CPlotXAxis& axis = *chart.GetXAxis(0);
    int step = 0;
    for (auto _ : state) {
        const auto begin = Clock::now();
        // What the chart does on a drag step: the marker moves, the picture is drawn, the view
        // hears the drag.
        chart.GetLimit(start)->position1 = axis.FractionToValue(0.2 + 0.001 * (step++ % 100));
        chart.Repaint();
        SPlotEvent event;
        event.id = PlotEvent::LimitDragged;
        event.index = start;
        view.OnPlotEvent(event);
        state.SetIterationTime(Seconds(begin));
    }
    bench.CloseView();
}
BENCHMARK(BM_GraphMarkerDragStep)->UseManualTime()->Iterations(1)->Repetitions(20)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

} // namespace
