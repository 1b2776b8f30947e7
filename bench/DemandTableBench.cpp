// Refill of both demand tables (overview and time range) of a project with four sessions of
// 100,000 demand records, each priced by a tariff of 24 ratios of 24 two-minute intervals.
// What is compared, in one run:
// - the plain loop: for each of the two tables, every session's forward and reverse energies
//   (the same float values the tables sum) read straight from the demand records and summed as
//   doubles; no prices, quality counts, maximum demand, texts or grid;
// - range(0) 0: the session data of both tables as their first refill computes it (energies,
//   costs at the tariff, maximum demand, quality, panel texts) and the grids' block layout;
// - range(0) 1: the whole first refill, the grids' values filled and painted.
// times_plain_loop is the refill's time over the plain loop's; the goal is at most 5.
#include "BenchProject.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "datamodel/DataTable.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/RecDoc.h"
#include "study/BasicTableView.h"
#include "study/DemandTableViews.h"
#include "study/LinkedGraphView.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
// Forward and reverse active energy (W h) in a demand record of the logger layout.
constexpr std::size_t kForwardEnergy = 96;
constexpr std::size_t kReverseEnergy = 100;

class CBenchGraph : public ILinkedGraphView
{
public:
    CWnd* GetGraphWindow() override { return nullptr; }
    CBasicViewSettings* GetGraphSettings() override { return &settings; }
    void SetTableStateText(bool, const CString&) override {}
    int GetStudyKind() const override { return 1; }
    bool GetSelectedTimeRange(int, CHighTime&, CHighTime&) const override { return false; }
    float GetNominalVoltageFactor(int) const override { return 1.0f; }
    void UpdateTimeRangeSection() override {}
    CBasicViewSettings settings{1};
};

template <class Table>
class CBenchTable : public Table
{
public:
    CBenchTable(ILinkedGraphView* graph) : m_graph(graph) { this->m_bAutoDelete = false; }
    void LinkWindows() override { this->SetLinks(m_graph, nullptr); }

private:
    ILinkedGraphView* m_graph;
};

// 24 ratios, each with 24 two-minute intervals spread over the day.
CEnergyCosts BusyTariff()
{
    CEnergyCosts costs;
    costs.SetEnabled(true);
    costs.SetCurrency("EUR");
    costs.SetCostFwd(0.3f);
    costs.SetCostRev(0.1f);
    for (int r = 0; r < 24; ++r) {
        SRatioData ratio{0.1f + 0.01f * float(r), 0.05f, {}};
        for (int j = 0; j < 24; ++j) {
            const int start = (24 * j + r) * 2;
            ratio.AddInterval({start, start + 2});
        }
        costs.AddRatio(ratio);
    }
    return costs;
}

class CDemandBench
{
public:
    CDemandBench()
    {
        OpenFourSessionProject(m_document, "demand", 60);
        for (int i = 0; i < m_document.GetDataSetCount(); ++i)
            m_document.GetUserViewSettings()->GetSession(i)->energyCosts = BusyTariff();
        m_graph.settings.m_sessions = {true, true, true, true};
        m_window.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1400, 900), nullptr, 0);
        Refill(true); // loads the demand records into the trend cache
    }

    // Both tables made as a page build does them, then timed: their first refill, which
    // computes every session; with `paint` off the session data and the grids' block layout only.
    double Refill(bool paint)
    {
        CBenchTable<CDemandTableView> overview(&m_graph);
        CBenchTable<CDemandTableTimeRangeView> range(&m_graph);
        overview.CreateView(&m_window, 1, &m_document);
        range.CreateView(&m_window, 2, &m_document);
        overview.OnInitialUpdate();
        range.OnInitialUpdate();
        const auto start = Clock::now();
        if (paint) {
            overview.SendMessage(WM_TABLE_REFILL, 0, 0);
            range.SendMessage(WM_TABLE_REFILL, 0, 0);
        } else {
            overview.RebuildSessionData();
            range.RebuildSessionData();
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        benchmark::DoNotOptimize(overview.GetSessionData()[0]->tariffForwardCost);
        overview.DestroyWindow();
        range.DestroyWindow();
        return seconds;
    }

    // The same energies read straight from the demand records as floats (kW h), summed twice (once
    // per table) without prices or quality records.
    double PlainLoop()
    {
        double sum = 0.0;
        for (int table = 0; table < 2; ++table)
            for (int i = 0; i < m_document.GetDataSetCount(); ++i) {
                const CDataTable& records = *m_document.GetDataSet(i)->GetDemandTable();
                const std::size_t count = std::size_t(records.GetCount());
                for (std::size_t k = 0; k < count; ++k) {
                    const BYTE* record = records.GetRecordBytes(k);
                    sum += double(LoadF32(record, kForwardEnergy) / 1000.0f) -
                           double(LoadF32(record, kReverseEnergy) / 1000.0f);
                }
            }
        return sum;
    }

    int Records() { return m_document.GetDataSet(0)->GetDemandTimeBlock()->GetRecordCount(); }

private:
    CRecDoc m_document;
    CBenchGraph m_graph;
    CWnd m_window;
};

CDemandBench& Bench()
{
    static CDemandBench* bench = new CDemandBench;
    return *bench;
}

// range(0) 0: the session data of both tables; 1: the whole refill with the grids filled and
// painted.
void BM_DemandTablesRefill(benchmark::State& state)
{
    CDemandBench& bench = Bench();
    const bool paint = state.range(0) != 0;
    double plain = 0.0;
    double refill = 0.0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(bench.PlainLoop());
        plain += std::chrono::duration<double>(Clock::now() - start).count();
        const double seconds = bench.Refill(paint);
        refill += seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["records_per_session"] = bench.Records();
    state.counters["plain_loop_ms"] = 1000.0 * plain / double(state.iterations());
    state.counters["times_plain_loop"] = plain > 0.0 ? refill / plain : 0.0;
}
BENCHMARK(BM_DemandTablesRefill)->Arg(0)->Arg(1)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
