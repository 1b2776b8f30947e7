// The study tables' grid: the marks of values (OL, -OL, empty NaN, "*", "**", ind/cap), the
// unavailable colours, the collapse-state text through collapsing, hiding and applying, the
// column widths with the total group hidden, the validity hint and the nominal-voltage cells.
#include "datamodel/ValueFormatter.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "study/SummaryGrid.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedUserLocale.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// Records what the grid tells its parent.
class CGridParent : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TABLE_COLLAPSE_STATE)
            states.push_back(*reinterpret_cast<const CString*>(wParam));
        if (message == WM_TABLE_NOMINAL_VOLTAGE)
            nominalSessions.push_back(int(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<CString> states;
    std::vector<int> nominalSessions;
};

class SummaryGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "table", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1142, 1400), nullptr, 0));
        for (int i = 0; i < 2; ++i) {
            auto block = std::make_unique<structSummaryTableData>();
            block->name.Format("Session %d", i + 1);
            for (int g = 0; g < 4; ++g) {
                block->rows[std::size_t(g)].quantity = 5;
                for (auto& cell : block->rows[std::size_t(g)].cells)
                    for (auto& entry : cell.entries) {
                        entry.selector.quantity = 5;
                        entry.available = 1;
                        entry.value = 1.5f;
                    }
            }
            block->summaryText = "summary";
            m_blocks.push_back(std::move(block));
        }
    }
    void TearDown() override
    {
        m_grid.reset();
        m_parent.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }
    void Create(bool nominalVoltage = false)
    {
        m_grid = std::make_unique<CSummaryGrid>(&m_parent, &m_formatter, 4);
        if (nominalVoltage)
            m_grid->EnableNominalVoltageCells(1, 0);
        CRect client;
        m_parent.GetClientRect(&client);
        ASSERT_TRUE(m_grid->CreateGrid(WS_CHILD | WS_VISIBLE, client, &m_parent, 2012));
        m_grid->SetSessionCount(2);
        m_grid->SetData(&m_blocks);
    }
    SSummaryTableEntry& Entry(int block, int group, int phase, int entry)
    {
        return m_blocks[std::size_t(block)]->rows[std::size_t(group)].cells[std::size_t(phase)].entries[std::size_t(entry)];
    }
    CString Text(int col, int row)
    {
        CString text;
        m_grid->QuickGetText(col, row, &text);
        return text;
    }
    COLORREF Back(int col, int row)
    {
        CUGCell cell;
        m_grid->GetCell(col, row, &cell);
        return cell.GetBackColor();
    }

    CTempXdgHome m_home;
    CValueFormatter m_formatter;
    CGridParent m_parent;
    SummaryBlocks m_blocks;
    std::unique_ptr<CSummaryGrid> m_grid;
};

TEST_F(SummaryGridTest, ValuesCarryTheirMarksAndUnavailableEntriesTheirColours)
{
    Entry(0, 0, 0, SSummaryTableCell::kMax).value = kInf;
    Entry(0, 0, 1, SSummaryTableCell::kMax).value = -kInf;
    Entry(0, 0, 2, SSummaryTableCell::kMax).value = std::numeric_limits<float>::quiet_NaN();
    Entry(0, 0, 3, SSummaryTableCell::kMax).quality.quality = 1;
    Entry(0, 1, 0, SSummaryTableCell::kAvg).quality.quality = 2;
    Entry(0, 1, 1, SSummaryTableCell::kAvg).available = 0;
    Entry(0, 1, 2, SSummaryTableCell::kMin).totalContribution = 1;
    for (auto [phase, value, sign] : {std::tuple{0, 0.87f, 1}, {1, 0.87f, -1}, {2, 1.0f, 1}, {3, 0.003f, -1}}) {
        SSummaryTableEntry& pf = Entry(0, 2, phase, SSummaryTableCell::kMax);
        pf.value = value;
        pf.sign = sign;
    }
    Create();
    const int max0 = m_grid->DataRow(0, 0, 0);
    EXPECT_EQ(Text(2, max0), "OL");
    EXPECT_EQ(Text(6, max0), "-OL");
    EXPECT_EQ(Text(10, max0), "");
    EXPECT_TRUE(Text(14, max0).str().ends_with("*"));
    EXPECT_TRUE(Text(2, m_grid->DataRow(0, 1, 1)).str().ends_with("**"));
    EXPECT_EQ(Text(6, m_grid->DataRow(0, 1, 1)), "");
    EXPECT_EQ(Back(6, m_grid->DataRow(0, 1, 1)), RGB(244, 233, 233));
    EXPECT_EQ(Back(10, m_grid->DataRow(0, 1, 2)), RGB(252, 242, 242));
    EXPECT_EQ(Back(2, max0), RGB(255, 255, 255));
    EXPECT_EQ(Back(2, m_grid->DataRow(0, 0, 1)), RGB(233, 239, 244));

    // The readout's own abbreviations, only strictly between 0.005 and 0.995.
    const int pfRow = m_grid->DataRow(0, 2, 0);
    EXPECT_TRUE(Text(4, pfRow).str().ends_with("ind")) << Text(4, pfRow).str();
    EXPECT_TRUE(Text(8, pfRow).str().ends_with("cap"));
    EXPECT_FALSE(Text(12, pfRow).str().ends_with("ind"));
    EXPECT_FALSE(Text(16, pfRow).str().ends_with("cap"));

    // The marked block carries the footnote, the clean one does not.
    const int panel = m_grid->GroupHeaderRow(0, 0) + 1;
    EXPECT_NE(Text(CMyBasicSummaryGrid::kPanelColumn, panel).str().find("series contained invalid values"), std::string::npos);
    EXPECT_EQ(Text(CMyBasicSummaryGrid::kPanelColumn, m_grid->GroupHeaderRow(1, 0) + 1), "summary");
    EXPECT_EQ(Text(0, m_grid->BlockStart(1)), " Session 2");
}

TEST_F(SummaryGridTest, CollapseStatesSurviveHidingAndTravelAsDigits)
{
    Create();
    EXPECT_EQ(m_grid->GetCollapseState(), "000000000000");
    m_grid->ToggleGroup(0, 1);
    EXPECT_EQ(m_grid->GetCollapseState(), "000100000000");
    EXPECT_EQ(m_grid->GetRowHeight(m_grid->DataRow(0, 1, 0)), 0);

    m_blocks[0]->hidden = 1;
    m_grid->ApplyHiddenFlags();
    EXPECT_EQ(m_grid->GetCollapseState(), "111211000000");
    EXPECT_EQ(m_parent.states.back(), "111211000000");
    EXPECT_EQ(m_grid->GetRowHeight(m_grid->BlockStart(0)), 0);
    m_blocks[0]->hidden = 0;
    m_grid->ApplyHiddenFlags();
    EXPECT_EQ(m_grid->GetCollapseState(), "000100000000");
    EXPECT_TRUE(m_grid->IsGroupCollapsed(0, 1));
    EXPECT_EQ(m_grid->GetRowHeight(m_grid->DataRow(0, 1, 0)), 0);
    EXPECT_EQ(m_grid->GetRowHeight(m_grid->DataRow(0, 0, 0)), CMyBasicSummaryGrid::kRowHeight);

    // A text of another grid applies; one of the wrong length is answered with the current one.
    m_grid->ApplyCollapseState("000000011111");
    EXPECT_FALSE(m_grid->IsGroupCollapsed(0, 1));
    EXPECT_TRUE(m_grid->IsBlockCollapsed(1));
    EXPECT_EQ(m_grid->GetRowHeight(m_grid->GroupHeaderRow(1, 2)), 0);
    EXPECT_EQ(m_grid->GetCollapseState(), "000000011111");
    m_grid->ApplyCollapseState("0101");
    EXPECT_EQ(m_parent.states.back(), "000000011111");

    // A click on a title bar expands the block again.
    m_grid->OnLClicked(5, m_grid->BlockStart(1), 0, nullptr, nullptr, FALSE);
    EXPECT_EQ(m_grid->GetCollapseState(), "000000000000");
}

TEST_F(SummaryGridTest, PhaseGroupsShareTheWidthLeftBesideLabelsAndPanel)
{
    Create();
    m_grid->HidePhaseGroup(CMyBasicSummaryGrid::kTotalGroup);
    CRect client;
    m_grid->GetClientRect(&client);
    int groups = 0;
    for (int col = 2; col <= 13; ++col)
        groups += m_grid->GetColWidth(col);
    EXPECT_EQ(groups, client.Width() - 342);
    for (int col = 14; col <= 17; ++col)
        EXPECT_EQ(m_grid->GetColWidth(col), 0);
    EXPECT_EQ(m_grid->GetColWidth(2) + m_grid->GetColWidth(3) + m_grid->GetColWidth(4) + m_grid->GetColWidth(5),
              m_grid->GetColWidth(6) + m_grid->GetColWidth(7) + m_grid->GetColWidth(8) + m_grid->GetColWidth(9));
    EXPECT_EQ(m_grid->GetColWidth(19), 200);
}

TEST_F(SummaryGridTest, TheHintTellsTheShareOfValidValues)
{
    SSummaryTableEntry& avg = Entry(0, 0, 0, SSummaryTableCell::kAvg);
    avg.quality = {2, 90, 0, 0, 10, 0, 100};
    Create();
    CString hint;
    EXPECT_TRUE(m_grid->OnHint(2, m_grid->DataRow(0, 0, 1), 1, &hint));
    EXPECT_EQ(hint, "90.0% valid values.");
    EXPECT_FALSE(m_grid->OnHint(2, m_grid->DataRow(0, 0, 0), 1, &hint)) << "a clean Max has no hint";
}

TEST_F(SummaryGridTest, ANominalVoltageThatIsNoVoltageIsRefusedAndTheStoredOneStays)
{
    CScopedUserLocale english(CUserLocale::EnUs());
    m_blocks[1]->nominalVoltage = 230.0f;
    Create(true);
    const int row = m_grid->NumberCellRow(1);
    EXPECT_EQ(m_grid->FindNumberCell(2, row), 0);
    EXPECT_EQ(m_grid->FindReferenceCell(10, row), 0);
    EXPECT_EQ(m_grid->FindNumberCell(3, row), -1);
    EXPECT_EQ(Text(2, row), "230.00");
    EXPECT_EQ(Text(6, row), "   V");

    CWnd edit;
    ASSERT_TRUE(edit.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 10, 10), m_grid.get(), 1));
    // Refused, each with a message that names the range: no number, nothing at a foreign
    // separator, nothing absurd.
    for (const char* bad : {"abc", "0", "-5", "", "230,5", "999999999"}) {
        CMessageBoxRecorder boxes;
        EXPECT_FALSE(m_grid->OnEditFinish(2, row, &edit, bad, FALSE)) << bad;
        CString shown;
        edit.GetWindowText(shown);
        EXPECT_EQ(shown, "230.00") << bad;
        CFrameworkApp::PumpWaitingMessages();
        ASSERT_EQ(boxes.Boxes().size(), 1u) << bad;
        EXPECT_NE(boxes.Boxes()[0].text.str().find("Please enter a number from 1 to 1,000,000."), std::string::npos)
            << boxes.Boxes()[0].text.str();
    }
    EXPECT_FLOAT_EQ(m_blocks[1]->nominalVoltage, 230.0f);
    EXPECT_TRUE(m_grid->OnEditFinish(2, row, &edit, "240", FALSE));
    EXPECT_FLOAT_EQ(m_blocks[1]->nominalVoltage, 240.0f);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(m_parent.nominalSessions, std::vector<int>{1});

    // The reference: phase to phase is offered only where the topology has it.
    EXPECT_TRUE(m_grid->OnCellTypeNotify(1, 10, row, 102, 1));
    EXPECT_EQ(m_blocks[1]->nominalTopology, 1);
}

// The windows with that id below a window, at any depth.
int CountDescendants(CWnd& window, int id, CWnd** found)
{
    int count = 0;
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (child->GetDlgCtrlID() == id) {
            ++count;
            *found = child;
        }
        count += CountDescendants(*child, id, found);
    }
    return count;
}

TEST_F(SummaryGridTest, TheNominalVoltageIsEditedInItsOwnOneLineControl)
{
    m_blocks[0]->nominalVoltage = 230.0f;
    m_blocks[1]->nominalVoltage = 400.0f;
    Create(true);
    EXPECT_NE(m_grid->StartEditAt(3, m_grid->NumberCellRow(0)), 0) << "no other cell is edited";
    ASSERT_EQ(m_grid->StartEditAt(2, m_grid->NumberCellRow(0)), 0);
    CWnd* edit = nullptr;
    ASSERT_EQ(CountDescendants(*m_grid, int(CMyBasicSummaryGrid::kNumberEditId), &edit), 1);
    EXPECT_TRUE(edit->GetStyle() & ES_CENTER);
    EXPECT_TRUE(edit->GetStyle() & ES_AUTOHSCROLL);
    EXPECT_FALSE(edit->GetStyle() & ES_MULTILINE);
    CString shown;
    edit->GetWindowText(shown);
    EXPECT_EQ(shown, "230.00");
    m_grid->EditCtrlFinished("240", FALSE, FALSE, 0, 0);
    EXPECT_FLOAT_EQ(m_blocks[0]->nominalVoltage, 240.0f);

    // The next edit gets a new control; the previous one is gone.
    ASSERT_EQ(m_grid->StartEditAt(2, m_grid->NumberCellRow(1)), 0);
    ASSERT_EQ(CountDescendants(*m_grid, int(CMyBasicSummaryGrid::kNumberEditId), &edit), 1);
    edit->GetWindowText(shown);
    EXPECT_EQ(shown, "400.00");
    m_grid->EditCtrlFinished("", TRUE, FALSE, 0, 0);
    EXPECT_FLOAT_EQ(m_blocks[1]->nominalVoltage, 400.0f);
}

} // namespace
