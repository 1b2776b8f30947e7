// The refill of the Summary page's overview and time-range tables for four sessions (the whole
// session, and the middle half between the markers): Max, Min and Avg of P, S, Q and PF at every
// phase with their operands, the summary texts and the grids. Each refill starts from an empty
// trend cache (emptied untimed), so that both tables walk their records, as on a page's first
// fill. Beside it in every iteration, the plain pass of the other page benchmarks (minimum,
// maximum and sum with the same vectors as the page's statistics) over the same fields of the
// same records: the whole session and the middle half of each. Both at 25,000, 50,000 and
// 100,000 records per session to show the growth.
#include "BenchPlainPass.h"
#include "BenchSessionFile.h"
#include "datamodel/DataSet.h"
#include "datamodel/DataTable.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/RecDoc.h"
#include "study/LinkedGraphView.h"
#include "study/SummaryTableViews.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

// The rows' quantities in a trend record of the logger layout, byte ranges [first, last): the
// Min, Avg and Max of P, S and Q at the three phases and the total, and of the power factor.
const std::vector<SFieldRange> kRowFields = {{216, 360}, {504, 552}};

// The graph of the page as the time-range table sees it: the middle half of every session.
class CBenchGraph : public CWnd, public ILinkedGraphView
{
public:
    explicit CBenchGraph(CRecDoc& document) : m_document(document) { m_settings.m_sessions.fill(true); }
    CWnd* GetGraphWindow() override { return this; }
    CBasicViewSettings* GetGraphSettings() override { return &m_settings; }
    void SetTableStateText(bool, const CString&) override {}
    int GetStudyKind() const override { return 1; }
    bool GetSelectedTimeRange(int session, CHighTime& begin, CHighTime& end) const override
    {
        const CTrendTimeBlock& block = *m_document.GetDataSet(session)->GetTrendTimeBlock();
        const int n = block.GetRecordCount();
        begin = block.GetTime(n / 4);
        end = block.GetTime(3 * n / 4);
        return true;
    }
    float GetNominalVoltageFactor(int) const override { return 1.0f; }
    void UpdateTimeRangeSection() override {}

private:
    CRecDoc& m_document;
    CBasicViewSettings m_settings{0};
};

template <class Table>
class CBenchTable : public Table
{
public:
    explicit CBenchTable(ILinkedGraphView* link) : m_link(link) { this->m_bAutoDelete = false; }
    void LinkWindows() override { this->SetLinkedGraphView(m_link); }

private:
    ILinkedGraphView* m_link;
};

// A four-session project of `records` records and its two tables, made once per size.
class CTableBench
{
public:
    explicit CTableBench(int records) : m_graph(m_document)
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_folder = std::filesystem::temp_directory_path() /
                   ("orn_table_bench_" + std::to_string(::getpid()) + "_" + std::to_string(records));
        std::filesystem::create_directories(m_folder);
        const CString source = (m_folder / "one.zca").string();
        CString answer = source;
        SetFileDialogHandler([&answer](const SFileDialogRequest&, CString& path) {
            path = answer;
            return true;
        });
        const CString session = BenchSessionFile(records, 60, 300, false);
        {
            CRecDoc maker;
            maker.OnOpenDocument(session);
        }
        answer = (m_folder / "four.zca").string();
        m_document.OnOpenDocument(session);
        for (int i = 0; i < 3; ++i)
            m_document.ImportSession(source, 0);
        SetFileDialogHandler({});
        m_window.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1400, 900), nullptr, 0);
        m_graph.CreateEx(0, nullptr, "graph", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        m_overview = std::make_unique<CBenchTable<CSummaryTableView>>(&m_graph);
        m_timeRange = std::make_unique<CBenchTable<CSummaryTableTimeRangeView>>(&m_graph);
        int id = 1;
        for (CBasicTableView* table : {static_cast<CBasicTableView*>(m_overview.get()),
                                       static_cast<CBasicTableView*>(m_timeRange.get())}) {
            table->CreateView(&m_window, UINT(id++), &m_document);
            table->MoveWindow(0, 0, 1400, 450);
            table->OnInitialUpdate();
        }
        Refill();
        for (int s = 0; s < m_document.GetDataSetCount(); ++s)
            m_documentRecords += m_document.GetDataSet(s)->GetTrendTimeBlock()->GetRecordCount();
    }
    ~CTableBench()
    {
        m_overview.reset();
        m_timeRange.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    void Refill()
    {
        m_overview->SendMessage(WM_TABLE_REFILL, kRefillForce, 0);
        m_timeRange->SendMessage(WM_TABLE_REFILL, kRefillForce, 0);
    }

    // What a first fill finds: no trend item and no summary of a whole series taken before.
    void EmptyTrendCache() { m_document.GetTrendCache()->Clear(); }

    // The rows' fields over each table's range of every session, read straight from the records.
    double PlainSum()
    {
        double sum = 0.0;
        for (CBasicTableView* table : {static_cast<CBasicTableView*>(m_overview.get()),
                                       static_cast<CBasicTableView*>(m_timeRange.get())})
            for (int s = 0; s < m_document.GetDataSetCount(); ++s) {
                const CDataTable& records = *m_document.GetDataSet(s)->GetTrendTable();
                const SRecordRange range = table->GetSelectedRanges()[std::size_t(s)].records;
                if (!range.IsEmpty())
                    sum += PlainPass(records, kRowFields, std::size_t(range.first), std::size_t(range.last));
            }
        return sum;
    }
    int Records() const { return m_documentRecords; }

private:
    std::filesystem::path m_folder;
    CRecDoc m_document;
    CBenchGraph m_graph;
    CWnd m_window;
    std::unique_ptr<CBasicTableView> m_overview;
    std::unique_ptr<CBasicTableView> m_timeRange;
    int m_documentRecords = 0;
};

// Made on first use per size and kept to the end: its windows must not outlive the window layer.
CTableBench& Bench(int records)
{
    static std::map<int, CTableBench*> benches;
    CTableBench*& bench = benches[records];
    if (!bench)
        bench = new CTableBench(records);
    return *bench;
}

// Each iteration times the refill and, right after it in the same process, the plain pass over
// the same ranges (per_plain: the refill's multiple of it, median and slowest iteration).
void BM_SummaryTablesRefill(benchmark::State& state)
{
    CTableBench& bench = Bench(int(state.range(0)));
    std::vector<double> refills, plains, perPlain;
    for (auto _ : state) {
        bench.EmptyTrendCache();
        auto start = std::chrono::steady_clock::now();
        bench.Refill();
        refills.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        bench.EmptyTrendCache();
        start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(bench.PlainSum());
        plains.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        perPlain.push_back(refills.back() / std::max(plains.back(), 1e-9));
        state.SetIterationTime(refills.back());
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    state.counters["ns_per_record"] = 1e9 * median(refills) / double(bench.Records());
    state.counters["plain_ms"] = 1e3 * median(plains);
    state.counters["per_plain"] = median(refills) / std::max(median(plains), 1e-9);
    state.counters["slowest_per_plain"] = *std::max_element(perPlain.begin(), perPlain.end());
}
BENCHMARK(BM_SummaryTablesRefill)->Arg(25000)->Arg(50000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
