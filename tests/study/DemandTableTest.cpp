// The demand tables on a project of two sessions from the session writer: a feeder that draws
// and returns energy over a night with the change to daylight saving time, and a short session
// that only returns energy. Energy sums, maximum demand and its time, quality marks, costs at the
// logger's price and at a tariff of several ratios, demand periods (even, uneven, trend data),
// the time range between the markers, the cost choice reaching the sibling table, and the
// settings kept in "project.xml".
#include "StubLinkedGraph.h"
#include "datamodel/DataSet.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "datamodel/TrendTimeBlock.h"
#include "grid/CUGCell.h"
#include "grid/CUGCheckBoxType.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/UserLocale.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/ProjectSettings.h"
#include "project/RecDoc.h"
#include "study/BasicTableView.h"
#include "study/DemandCostTexts.h"
#include "study/DemandTableViews.h"
#include "study/LinkedGraphView.h"
#include "study/Money.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/ScopedUserLocale.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <string>

namespace {

constexpr std::int64_t kTicksPerSec = 10000000;
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;
// 2026-03-28 12:00 UTC: 24 hours over the night the clocks of Central Europe go forward.
constexpr std::int64_t kDaylightSavingNight = 134191728000000000;
constexpr double kReturnedPower = 2000.0; // W

// One demand record as the writer makes it: its begin and its forward and reverse energy (kWh).
struct SWrittenDemand
{
    std::int64_t begin;
    double forward;
    double reverse;
};

std::vector<SWrittenDemand> WrittenDemands(const SSessionSpec& recording)
{
    std::vector<SWrittenDemand> records;
    const double hours = recording.demandSeconds / 3600.0;
    for (const std::int64_t begin : CSessionWriter(recording).DemandBegins()) {
        const std::int64_t mid = begin + std::int64_t(recording.demandSeconds) * kTicksPerSec / 2;
        double total = 0.0;
        for (int k = 0; k < 3; ++k)
            total += CSessionWriter::PhaseValues(recording, mid, k).activePower * hours;
        records.push_back({begin, recording.drawsEnergy ? double(float(total)) / 1000.0 : 0.0,
                           double(float(-recording.returnedPower * hours)) / 1000.0});
    }
    return records;
}

// Minute of the local day at a writer's tick count.
int LocalMinute(std::int64_t ticks)
{
    const std::time_t t = std::time_t((ticks - kUnixEpochTicks) / kTicksPerSec);
    std::tm local{};
    localtime_r(&t, &local);
    return local.tm_hour * 60 + local.tm_min;
}

// The tariff: basic prices, a night ratio across midnight and a peak ratio of two intervals.
CEnergyCosts Tariff()
{
    CEnergyCosts costs;
    costs.SetEnabled(true);
    costs.SetCurrency("EUR");
    costs.SetCostFwd(0.30f);
    costs.SetCostRev(0.08f);
    costs.AddRatio({0.20f, 0.05f, {{22 * 60, 6 * 60}}});
    costs.AddRatio({0.40f, 0.10f, {{8 * 60, 12 * 60}, {17 * 60, 20 * 60}}});
    return costs;
}

// A price of the tariff as it was typed: its six decimals.
double Typed(float price)
{
    return std::stod(std::to_string(price));
}

// The prices of the tariff at a local minute, looked up the plain way.
std::pair<double, double> PricesAt(const CEnergyCosts& costs, int minute)
{
    std::pair<double, double> prices{Typed(costs.GetCostFwd()), Typed(costs.GetCostRev())};
    for (int r = 0; r < costs.GetRatioCount(); ++r)
        for (const SRatioInterval& i : costs.GetRatio(r).intervals) {
            const bool inside = i.start <= i.end ? minute >= i.start && minute < i.end
                                                 : minute >= i.start || minute < i.end;
            if (inside)
                prices = {Typed(costs.GetRatio(r).costFwd), Typed(costs.GetRatio(r).costRev)};
        }
    return prices;
}

template <class Table>
class CLinkedTable : public Table
{
public:
    explicit CLinkedTable(ILinkedGraphView* graph) : m_graph(graph) { this->m_bAutoDelete = false; }
    void LinkWindows() override { this->SetLinks(m_graph, m_sibling); }
    CDemandTableView* m_sibling = nullptr;

private:
    ILinkedGraphView* m_graph;
};

class DemandTableTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_dialogAnswer;
            return true;
        });
        m_feeder.startTicks = kDaylightSavingNight;
        m_feeder.returnedPower = kReturnedPower;
        m_returning.averagingSeconds = 300;
        m_returning.demandSeconds = 300;
        m_returning.trendRecords = 60;
        m_returning.gapStart = -1;
        m_returning.drawsEnergy = false;
        m_returning.returnedPower = 1500.0;
        m_returning.name = u"Rooftop";
        m_returning.startTicks = kDaylightSavingNight;
        OpenProject();
        m_graph.settings.m_sessions = {true, true, false, false};
        ASSERT_TRUE(m_graph.CreateEx(0, nullptr, "graph", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr, 0));
    }
    void TearDown() override
    {
        m_views.clear();
        m_parent.DestroyWindow();
        m_graph.DestroyWindow();
        if (m_document)
            m_document->OnCloseDocument();
        m_document.reset();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
        CFrameworkApp::PumpWaitingMessages();
    }

    void OpenProject()
    {
        const std::string returning = m_folder.Path("returning.zlg");
        ASSERT_TRUE(WriteBytesToFile(returning, CSessionWriter(m_returning).BuildFile()));
        m_dialogAnswer = m_folder.Path("returning.zca");
        {
            CRecDoc doc;
            ASSERT_TRUE(doc.OnOpenDocument(CString(returning)));
        }
        const std::string feeder = m_folder.Path("feeder.zlg");
        ASSERT_TRUE(WriteBytesToFile(feeder, CSessionWriter(m_feeder).BuildFile()));
        m_dialogAnswer = m_folder.Path("project.zca");
        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(CString(feeder)));
        ASSERT_EQ(m_document->ImportSession(CString(m_folder.Path("returning.zca")), 0), 0);
        ASSERT_EQ(m_document->GetDataSetCount(), 2);
    }

    template <class Table>
    CDemandTableView& Open(CDemandTableView* sibling = nullptr)
    {
        auto view = std::make_unique<CLinkedTable<Table>>(&m_graph);
        view->m_sibling = sibling;
        EXPECT_TRUE(view->CreateView(&m_parent, UINT(100 + m_views.size()), m_document.get()));
        view->MoveWindow(0, 0, 1200, 450);
        view->OnInitialUpdate();
        view->SendMessage(WM_TABLE_REFILL, 0, 0);
        m_views.push_back(std::move(view));
        return *m_views.back();
    }

    void SetTariff(int session, const CEnergyCosts& costs)
    {
        m_document->GetUserViewSettings()->GetSession(session)->energyCosts = costs;
    }

    const structDemandTableData& Block(const CDemandTableView& table, int session)
    {
        return *table.GetSessionData()[std::size_t(session)];
    }

    // The energies and the maximum demand of the table's first session are the written ones, to
    // the digits the records hold (no rounding of each record's energy to a float on the way).
    void ExpectWrittenTotals(CDemandTableView& table, const std::vector<SWrittenDemand>& written)
    {
        double forward = 0.0;
        double reverse = 0.0;
        std::size_t peak = 0;
        for (std::size_t k = 0; k < written.size(); ++k) {
            forward += written[k].forward;
            reverse += written[k].reverse;
            if (written[k].forward > written[peak].forward)
                peak = k;
        }
        const structDemandTableData& feeder = Block(table, 0);
        EXPECT_NEAR(feeder.forwardEnergy, forward, 1e-12 * forward);
        EXPECT_NEAR(feeder.reverseEnergy, std::fabs(reverse), 1e-12 * std::fabs(reverse));
        EXPECT_NEAR(feeder.totalEnergy, forward + reverse, 1e-12 * forward);
        const double perHour = 3600.0 / m_feeder.demandSeconds;
        EXPECT_NEAR(feeder.maximumDemand, written[peak].forward * perHour, 1e-5 * feeder.maximumDemand);
        const CTrendTimeBlock& block = *m_document->GetDataSet(0)->GetDemandTimeBlock();
        EXPECT_EQ(block.GetRecordCount(), int(written.size()));
        EXPECT_EQ(block.GetBeginTime(int(peak)).GetTicks(), written[peak].begin);
        EXPECT_EQ(feeder.maximumDemandTime.GetTicks(), block.GetTime(int(peak)).GetTicks());
    }

    CString Cell(CDemandTableView& table, int col, int row)
    {
        CString text;
        table.GetGrid()->QuickGetText(col, row, &text);
        return text;
    }

    ScopedTimeZone m_zone{"CET-1CEST,M3.5.0,M10.5.0/3"};
    CScopedUserLocale m_locale{CUserLocale::EnUs()};
    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    SSessionSpec m_feeder;
    SSessionSpec m_returning;
    CString m_dialogAnswer;
    FileDialogHandler m_previousDialog;
    std::unique_ptr<CRecDoc> m_document;
    CStubLinkedGraph m_graph{1};
    CWnd m_parent;
    std::vector<std::unique_ptr<CDemandTableView>> m_views;
};

TEST_F(DemandTableTest, EnergiesAndMaximumDemandFollowTheWrittenRecords)
{
    CDemandTableView& table = Open<CDemandTableView>();
    const std::vector<SWrittenDemand> written = WrittenDemands(m_feeder);
    ExpectWrittenTotals(table, written);
    const structDemandTableData& feeder = Block(table, 0);

    // The gap left intervals missing: every value is marked, none falls under the valid ratio.
    EXPECT_EQ(feeder.forwardQuality.quality, 1);
    EXPECT_GT(feeder.forwardQuality.missingCount, 0);
    EXPECT_EQ(feeder.forwardQuality.expectedCount, int(written.size()) + feeder.forwardQuality.missingCount);
    EXPECT_EQ(feeder.totalQuality.quality, 1);
    EXPECT_EQ(feeder.maximumDemandQuality.quality, 1);
    EXPECT_NE(Cell(table, 2, CDemandGrid::DataRow(0)).str().find('*'), std::string::npos);
    EXPECT_NE(feeder.infoText.str().find("15min"), std::string::npos);
    CString count;
    count.Format(" %d\n", int(written.size()));
    EXPECT_NE(feeder.infoText.str().find(count.str()), std::string::npos);
    EXPECT_NE(Cell(table, CDemandGrid::kInfoColumn, CDemandGrid::DataRow(0)).str().find("series contained invalid"),
              std::string::npos);

    // A session that only returned energy: no forward energy, the total is the negative return.
    const structDemandTableData& returning = Block(table, 1);
    EXPECT_DOUBLE_EQ(returning.forwardEnergy, 0.0);
    EXPECT_NEAR(returning.reverseEnergy, 60 * 1.5 * 300 / 3600.0, 1e-4);
    EXPECT_DOUBLE_EQ(returning.totalEnergy, -returning.reverseEnergy);
    EXPECT_EQ(returning.forwardQuality.quality, 0);
    EXPECT_EQ(returning.name, "Rooftop");

    // Nothing changed: nothing is computed again.
    EXPECT_FALSE(table.RebuildSessionData());
}

// A session of more one-minute intervals than are read in one piece: the energies of both
// directions (read together, piece by piece) and the maximum demand are the written ones all the
// same.
TEST_F(DemandTableTest, ALongSessionSumsEveryIntervalOnce)
{
    m_document->OnCloseDocument();
    m_document.reset();
    m_feeder.averagingSeconds = 60;
    m_feeder.demandSeconds = 60;
    m_feeder.trendRecords = 30000;
    m_feeder.gapStart = -1;
    OpenProject();
    CDemandTableView& table = Open<CDemandTableView>();
    const std::vector<SWrittenDemand> written = WrittenDemands(m_feeder);
    ASSERT_GT(written.size(), 25000u);
    ExpectWrittenTotals(table, written);
    EXPECT_EQ(Block(table, 0).forwardQuality.finiteCount, int(written.size()));
    EXPECT_EQ(Block(table, 0).reverseQuality.finiteCount, int(written.size()));
}

TEST_F(DemandTableTest, CostsAtTheLoggersPriceAndAtATariffAcrossTheClockChange)
{
    const CEnergyCosts tariff = Tariff();
    SetTariff(0, tariff);
    SetTariff(1, tariff);
    CDemandTableView& table = Open<CDemandTableView>();
    const structDemandTableData& feeder = Block(table, 0);

    double forwardCost = 0.0;
    double reverseCost = 0.0;
    for (const SWrittenDemand& record : WrittenDemands(m_feeder)) {
        const auto [fwd, rev] = PricesAt(tariff, LocalMinute(record.begin));
        forwardCost += record.forward * fwd;
        reverseCost += -record.reverse * rev;
    }
    EXPECT_NEAR(feeder.tariffForwardCost, forwardCost, 1e-12 * forwardCost);
    EXPECT_NEAR(feeder.tariffReverseCost, reverseCost, 1e-12 * reverseCost);
    EXPECT_EQ(feeder.tariffUnpricedCount, 0);
    EXPECT_TRUE(feeder.tariffEnabled);
    // The overview takes the tariff's currency and basic prices into the session's cost choice.
    ASSERT_GE(m_graph.settings.m_costTables.size(), 2u);
    EXPECT_EQ(m_graph.settings.m_costTables[0].currencyUnit, "EUR");
    EXPECT_DOUBLE_EQ(m_graph.settings.m_costTables[0].costFwd, double(0.30f));
    EXPECT_FALSE(m_graph.settings.m_costTables[0].isAdvanced);

    // Standard: the logger's price as typed times the forward energy, in the currency the user
    // chose for the session (its tariff's).
    const int amountRow = CDemandGrid::DataRow(0) + CDemandGrid::kAmountRow;
    EXPECT_EQ(Cell(table, 6, amountRow),
              "<:F,Tahoma,18,700>" + LocaleMoneyText(0.21 * feeder.forwardEnergy, "EUR", CUserLocale::Current()) +
                  "<:S>fwd<:N>");
    EXPECT_NE(Cell(table, CDemandGrid::kInfoColumn, CDemandGrid::DataRow(0)).str().find("EUR 0.21/kWh, fwd; EUR 0/kWh, rev"),
              std::string::npos);

    // Advanced: the tariff's costs with their difference.
    m_graph.settings.m_costTables[0].isAdvanced = true;
    m_graph.settings.m_costTables[1].isAdvanced = true;
    table.GetGrid()->ApplyCostChoices();
    EXPECT_EQ(Cell(table, 6, amountRow), BuildCostAmountText(feeder.tariffForwardCost, feeder.tariffReverseCost, "EUR"));
    EXPECT_NE(Cell(table, 6, amountRow).str().find(" = EUR "), std::string::npos);
    EXPECT_NE(Cell(table, CDemandGrid::kInfoColumn, CDemandGrid::DataRow(0)).str().find("EUR 0.3/kWh, fwd; EUR 0.08/kWh, rev;..."),
              std::string::npos);
    // Only returned energy: the amount begins with the reverse part.
    const CString returning = Cell(table, 6, CDemandGrid::DataRow(1) + CDemandGrid::kAmountRow);
    EXPECT_EQ(returning.str().rfind("<:F,Tahoma,18,700> - EUR ", 0), 0u) << returning.str();
}

TEST_F(DemandTableTest, TheCostChoiceOfOneTableReachesItsSibling)
{
    SetTariff(0, Tariff());
    CDemandTableView& overview = Open<CDemandTableView>();
    CDemandTableView& range = Open<CDemandTableTimeRangeView>(&overview);
    overview.SetLinks(&m_graph, &range);
    const int choiceRow = CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow;
    CUGCell cell;

    overview.GetGrid()->OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, choiceRow, UGCT_CHECKBOXSET, 1);
    EXPECT_TRUE(m_graph.settings.m_costTables[0].isAdvanced);
    CFrameworkApp::PumpWaitingMessages();
    range.GetGrid()->GetCell(CDemandGrid::kAdvancedColumn, choiceRow, &cell);
    EXPECT_EQ(cell.GetNumber(), 1.0);
    EXPECT_TRUE(cell.GetReadOnly());
    range.GetGrid()->GetCell(CDemandGrid::kStandardColumn, choiceRow, &cell);
    EXPECT_EQ(cell.GetNumber(), 0.0);

    // A session without a tariff: the settings dialog opens (no project manager answers it
    // here) and the choice stays standard.
    overview.GetGrid()->OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, choiceRow + CDemandGrid::kRowsPerBlock,
                                         UGCT_CHECKBOXSET, 1);
    EXPECT_FALSE(m_graph.settings.m_costTables[1].isAdvanced);
    overview.GetGrid()->GetCell(CDemandGrid::kStandardColumn, choiceRow + CDemandGrid::kRowsPerBlock, &cell);
    EXPECT_EQ(cell.GetNumber(), 1.0);
}

TEST_F(DemandTableTest, TheTimeRangeTableSumsTheSelectedRangeAtTheDemandPeriod)
{
    const CTrendTimeBlock& block = *m_document->GetDataSet(0)->GetDemandTimeBlock();
    const std::vector<SWrittenDemand> written = WrittenDemands(m_feeder);
    m_graph.rangeOn = true;
    // Markers on the times of records 2 and 14 hold records 2 to 13.
    m_graph.begin[0] = block.GetTime(2);
    m_graph.end[0] = block.GetTime(14);
    m_graph.begin[1] = block.GetLastTime() + CHighTimeSpan(0, 1, 0, 0);
    m_graph.end[1] = block.GetLastTime() + CHighTimeSpan(0, 2, 0, 0);
    CDemandTableView& table = Open<CDemandTableTimeRangeView>();
    double forward = 0.0;
    for (int k = 2; k <= 13; ++k)
        forward += written[std::size_t(k)].forward;
    EXPECT_EQ(table.GetStoredRanges()[0].records, (SRecordRange{2, 13}));
    EXPECT_NEAR(Block(table, 0).forwardEnergy, forward, 1e-12 * forward);
    EXPECT_NE(Block(table, 0).infoText.str().find(" 12\n"), std::string::npos);
    // An empty range: no values and no information.
    EXPECT_TRUE(std::isnan(Block(table, 1).forwardEnergy));
    EXPECT_TRUE(Block(table, 1).infoText.IsEmpty());
    EXPECT_TRUE(Cell(table, 2, CDemandGrid::DataRow(1)).IsEmpty());

    // At 30 minutes two records make one interval: the same energy, the peak of a pair, to the
    // digits the records hold (not those of each pair's sum as a float).
    m_graph.settings.m_demandPeriod = 1800;
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_EQ(table.GetStoredRanges()[0].accessSpec.multiple, 2u);
    const structDemandTableData& grouped = Block(table, 0);
    double pairPeak = 0.0;
    for (int k = 2; k <= 13; k += 2)
        pairPeak = std::max(pairPeak, written[std::size_t(k)].forward + written[std::size_t(k) + 1].forward);
    EXPECT_NEAR(grouped.forwardEnergy, forward, 1e-12 * forward);
    EXPECT_NEAR(grouped.maximumDemand, 2.0 * pairPeak, 1e-12 * grouped.maximumDemand);
    EXPECT_EQ(grouped.forwardQuality.quality, 0);
    EXPECT_NE(grouped.infoText.str().find("30min"), std::string::npos);

    // A period the recorded intervals do not divide: the session shows no values.
    m_graph.settings.m_demandPeriod = 1000;
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_TRUE(std::isnan(Block(table, 0).forwardEnergy));
    EXPECT_TRUE(Cell(table, 2, CDemandGrid::DataRow(0)).IsEmpty());

    // Trend records instead of demand records.
    m_graph.settings.m_demandPeriod = 0;
    m_graph.settings.m_useTrendDataForDemand = true;
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_EQ(table.GetStoredRanges()[0].accessSpec.demand, 0);
    EXPECT_NE(Block(table, 0).infoText.str().find("Averaging interval:"), std::string::npos);
    EXPECT_GT(Block(table, 0).forwardEnergy, 0.0);

    // A session the graph does not show leaves the time-range table.
    m_graph.settings.m_sessions[1] = false;
    table.SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_TRUE(Block(table, 1).hidden);
    EXPECT_TRUE(table.GetGrid()->IsBlockHidden(1));
}

TEST_F(DemandTableTest, ASessionWithoutDemandIntervalShowsNoValuesAtAnyPeriod)
{
    m_returning.demandSeconds = 0;
    m_views.clear();
    m_document->OnCloseDocument();
    OpenProject();
    CDemandTableView& overview = Open<CDemandTableView>();
    EXPECT_TRUE(std::isnan(Block(overview, 1).forwardEnergy));
    EXPECT_TRUE(std::isnan(Block(overview, 1).maximumDemand));
    EXPECT_GT(Block(overview, 0).forwardEnergy, 0.0);
    m_graph.settings.m_demandPeriod = 900;
    CDemandTableView& range = Open<CDemandTableTimeRangeView>();
    EXPECT_TRUE(std::isnan(Block(range, 1).forwardEnergy));
    EXPECT_TRUE(Cell(range, 2, CDemandGrid::DataRow(1)).IsEmpty());
    EXPECT_GT(Block(range, 0).forwardEnergy, 0.0);
}

TEST_F(DemandTableTest, TooFewValidIntervalsMarkTheEnergiesTwiceButNeverTheMaximumDemand)
{
    m_feeder.gapLength = 20; // 200 of 1440 minutes
    m_views.clear();
    m_document->OnCloseDocument();
    OpenProject();
    CDemandTableView& table = Open<CDemandTableView>();
    const structDemandTableData& feeder = Block(table, 0);
    EXPECT_EQ(feeder.forwardQuality.quality, 2);
    EXPECT_EQ(feeder.reverseQuality.quality, 2);
    EXPECT_EQ(feeder.maximumDemandQuality.quality, 1);
    const CString value = Cell(table, 2, CDemandGrid::DataRow(0));
    EXPECT_EQ(value.Right(2), "**");
    CString hint;
    ASSERT_TRUE(table.GetGrid()->OnHint(2, CDemandGrid::DataRow(0), 0, &hint));
    CString expected;
    expected.Format("%.1f%% valid values.",
                    double(100.0f * float(feeder.forwardQuality.finiteCount) / float(feeder.forwardQuality.expectedCount)));
    EXPECT_EQ(hint, expected);
    EXPECT_FALSE(table.GetGrid()->OnHint(2, CDemandGrid::DataRow(0) + 6, 0, &hint));
}

TEST_F(DemandTableTest, CostChoicesAndCollapseStatesTravelThroughTheProject)
{
    SetTariff(0, Tariff());
    CDemandTableView& table = Open<CDemandTableView>();
    CDemandGrid& grid = *table.GetGrid();
    grid.OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow,
                          UGCT_CHECKBOXSET, 1);
    grid.OnLClicked(3, CDemandGrid::BlockStart(1), 0, nullptr, nullptr, FALSE);
    EXPECT_EQ(m_graph.settings.m_tableCollapse, "0001");
    EXPECT_EQ(table.GetTitle(), "0001");

    m_graph.settings.SetPresent(true);
    m_document->GetProjectSettings()->SetStudyViewSettings(1, &m_graph.settings);
    m_document->SaveProject();
    const CString path = m_document->GetPathName();
    m_views.clear();
    m_document->OnCloseDocument();
    m_document = std::make_unique<CRecDoc>();
    ASSERT_TRUE(m_document->OnOpenDocument(path));
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(m_document->GetProjectSettings()->GetStudyViewSettings(1));
    ASSERT_NE(stored, nullptr);
    ASSERT_GE(stored->m_costTables.size(), 1u);
    EXPECT_TRUE(stored->m_costTables[0].isAdvanced);
    EXPECT_EQ(stored->m_costTables[0].currencyUnit, "EUR");
    EXPECT_EQ(stored->m_tableCollapse, "0001");

    m_graph.settings = *stored;
    SetTariff(0, Tariff());
    auto view = std::make_unique<CLinkedTable<CDemandTableView>>(&m_graph);
    ASSERT_TRUE(view->CreateView(&m_parent, 200, m_document.get()));
    view->OnInitialUpdate();
    view->SetTitle(stored->m_tableCollapse);
    view->SendMessage(WM_TABLE_REFILL, 0, 0);
    EXPECT_TRUE(view->GetGrid()->IsBlockCollapsed(1));
    EXPECT_FALSE(view->GetGrid()->IsBlockCollapsed(0));
    CUGCell cell;
    view->GetGrid()->GetCell(CDemandGrid::kAdvancedColumn, CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow, &cell);
    EXPECT_EQ(cell.GetNumber(), 1.0);
    m_views.push_back(std::move(view));
}

} // namespace
