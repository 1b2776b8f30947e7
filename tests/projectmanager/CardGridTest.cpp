// The card grids on a recording page: the cards' cells and sizes, collapsing and expanding, the
// buttons, the in-place edits that reach the settings, and the hover of the heading buttons.
#include "CardGridTestSupport.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/ProjectManagerSettings.h"
#include "projectmanager/ProjectManagerContent.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"

#include <memory>

namespace {

constexpr int kPageWidth = 1000;

class DataSetGridTest : public CardGridTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(page.CreatePage(kPageWidth, 900));
        for (int i = 0; i < 3; ++i) {
            auto info = std::make_unique<structProjectManagerDataSetInfo>();
            info->displayName = CString::Formatted("Session %d", i + 1);
            info->configurationText = "config";
            info->timesText = "times";
            info->originText = "origin";
            content.dataSets.push_back(std::move(info));
            SProjectManagerDataSetEntry entry;
            entry.Name = CString::Formatted("Session %d", i + 1);
            entry.Description = "first line";
            settings.m_dataSets.push_back(entry);
        }
        content.dataSetCount = 3;
        ASSERT_TRUE(grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, kPageWidth, 300), &page, 2012));
        grid.Fill(content, settings, -1);
        page.commands.clear();
    }

    // Grid row of body row r of card k (9 rows a card: heading, spacer, six body rows, spacer).
    static int BodyRow(int card, int r) { return card * 9 + 2 + r; }

    CRecordingPage page;
    SProjectManagerContent content;
    CProjectManagerSettings settings;
    CProjectManagerDataSetGrid grid{&page, 3, false};
};

TEST_F(DataSetGridTest, CardsHaveTheirRowsColumnsTextsAndHeights)
{
    EXPECT_EQ(grid.GetNumberCols(), 12);
    EXPECT_EQ(grid.GetNumberRows(), 27);
    const int expected[] = {25, 8, 20, 20, 20, 95, 20, 95, 8};
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(grid.GetRowHeight(9 + row), expected[row]) << row;
    // The grid is as high as its rows and as wide as the page; the columns fill the width.
    CRect window;
    grid.GetWindowRect(&window);
    EXPECT_EQ(window.Height(), 3 * 311);
    int width = 0;
    for (int col = 0; col < 12; ++col)
        width += grid.GetColWidth(col);
    EXPECT_EQ(width, kPageWidth);
    EXPECT_EQ(grid.GetColWidth(0), 8);
    EXPECT_EQ(grid.GetColWidth(11), 8);

    EXPECT_EQ(CellText(grid, 0, 9), "Session 2");
    EXPECT_EQ(CellText(grid, 1, BodyRow(1, 0)), "Name");
    EXPECT_EQ(CellText(grid, 1, BodyRow(1, 1)), "Session 2");
    EXPECT_EQ(CellText(grid, 1, BodyRow(1, 3)), "first line");
    EXPECT_EQ(CellText(grid, 3, BodyRow(1, 0)), "Summary information");
    EXPECT_EQ(CellText(grid, 7, BodyRow(1, 1)), "origin");
    EXPECT_EQ(CellText(grid, 8, 9), "Settings");
    EXPECT_EQ(CellText(grid, 9, 9), "Export");
    EXPECT_EQ(CellText(grid, 10, 9), "Remove");
    // The button columns are measured from their captions.
    EXPECT_NE(grid.GetColWidth(8), 70);
    EXPECT_GT(grid.GetColWidth(8), 24);

    // The title joins the heading up to the first button; the origin text spans four columns.
    int col = 5, row = 9;
    grid.GetJoinStartCell(&col, &row);
    EXPECT_EQ(col, 0);
    col = 10, row = BodyRow(0, 3);
    grid.GetJoinStartCell(&col, &row);
    EXPECT_EQ(col, 7);
    EXPECT_EQ(row, BodyRow(0, 1));
}

TEST_F(DataSetGridTest, CollapsingHidesTheBodyOnceAndExpandingBringsItBack)
{
    const int before = TotalRowHeight(grid);
    grid.CollapseSection(1);
    EXPECT_TRUE(grid.IsSectionCollapsed(1));
    EXPECT_EQ(TotalRowHeight(grid), before - 286);
    EXPECT_EQ(CellText(grid, 8, 9), "");
    CUGCell title;
    grid.GetCell(0, 9, &title);
    EXPECT_EQ(title.GetBitmap(), grid.GetBitmap(grid.BitmapIndex(1560)));

    // A second collapse of a collapsed card changes nothing: one expand shows it again.
    grid.CollapseSection(1);
    grid.CollapseAll();
    grid.ExpandSection(1);
    EXPECT_FALSE(grid.IsSectionCollapsed(1));
    EXPECT_EQ(grid.GetRowHeight(BodyRow(1, 3)), 95);
    EXPECT_EQ(CellText(grid, 8, 9), "Settings");
    grid.ExpandAll();
    EXPECT_EQ(TotalRowHeight(grid), before);

    CProjectManagerSettings stored = settings;
    grid.CollapseSection(2);
    grid.StoreStates(stored);
    EXPECT_EQ(stored.m_dataSets[0].Collapsed, 0);
    EXPECT_EQ(stored.m_dataSets[2].Collapsed, 1);
    grid.ExpandAll();
    grid.RestoreStates(stored);
    grid.RestoreStates(stored);
    EXPECT_TRUE(grid.IsSectionCollapsed(2));
    grid.ExpandSection(2);
    EXPECT_FALSE(grid.IsSectionCollapsed(2));
}

TEST_F(DataSetGridTest, HeadingClicksToggleAndReportToThePage)
{
    Click(grid, 0, 0);
    EXPECT_TRUE(grid.IsSectionCollapsed(0));
    ASSERT_EQ(page.cardStates.size(), 1u);
    EXPECT_EQ(page.cardStates[0], kCardCollapsed);
    EXPECT_GE(page.refreshes, 1);
    // Anywhere in a collapsed card's heading expands it, even where its buttons were.
    Click(grid, 9, 0);
    EXPECT_FALSE(grid.IsSectionCollapsed(0));
    EXPECT_EQ(page.cardStates.back(), kCardExpanded);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(page.commands.empty());
}

TEST_F(DataSetGridTest, ButtonsPostTheirCommandsWithTheCard)
{
    Click(grid, 8, 18);
    Click(grid, 9, 18);
    Click(grid, 10, 9);
    CFrameworkApp::PumpWaitingMessages();
    using Command = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(page.commands, (std::vector<Command>{{6, 2}, {5, 2}, {3, 1}}));
    EXPECT_FALSE(grid.IsSectionCollapsed(1));
}

TEST_F(DataSetGridTest, EditsReachTheSettingsAndOnlyChangesAreReported)
{
    // The same name again: nothing to report.
    grid.OnEditFinish(1, BodyRow(0, 1), nullptr, "Session 1", FALSE);
    grid.OnEditFinish(1, BodyRow(0, 1), nullptr, "Feeder", TRUE);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(page.commands.empty());
    EXPECT_EQ(settings.m_dataSets[0].Name, "Session 1");

    grid.OnEditFinish(1, BodyRow(0, 1), nullptr, "Feeder", FALSE);
    grid.OnEditFinish(1, BodyRow(2, 3), nullptr, "two\r\nlines", FALSE);
    grid.OnEditFinish(1, BodyRow(1, 5), nullptr, "a note", FALSE);
    CFrameworkApp::PumpWaitingMessages();
    using Command = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(page.commands, (std::vector<Command>{{0, 8}, {0, 7}, {0, 7}}));
    EXPECT_EQ(settings.m_dataSets[0].Name, "Feeder");
    EXPECT_EQ(settings.m_dataSets[2].Description, "two\r\nlines");
    EXPECT_EQ(settings.m_dataSets[1].Notes, "a note");
}

TEST_F(DataSetGridTest, OnlyTheEditCellsCanBeEditedAndTheKeyboardCyclesThroughThem)
{
    EXPECT_TRUE(grid.OnCanMove(0, 0, 1, BodyRow(1, 3)));
    EXPECT_FALSE(grid.OnCanMove(0, 0, 1, BodyRow(1, 0)));
    EXPECT_FALSE(grid.OnCanMove(0, 0, 3, BodyRow(1, 1)));
    CWnd* edit = nullptr;
    EXPECT_FALSE(grid.OnEditStart(3, BodyRow(1, 1), &edit));

    int col = 0, row = 0;
    EXPECT_TRUE(grid.OnEditContinue(1, BodyRow(1, 1), &col, &row));
    EXPECT_EQ(row, BodyRow(1, 3));
    EXPECT_TRUE(grid.OnEditContinue(1, BodyRow(1, 5), &col, &row));
    EXPECT_EQ(row, BodyRow(1, 1));
    EXPECT_FALSE(grid.OnEditContinue(3, BodyRow(1, 1), &col, &row));

    // A click on an edit cell opens the editor over it.
    Click(grid, 1, BodyRow(0, 5));
    EXPECT_TRUE(grid.m_editInProgress);
    EXPECT_EQ(grid.m_editRow, BodyRow(0, 5));

    // From the name, Enter moves on to the description with the caret after its text: the next
    // key adds to it, it never replaces what the user did not choose to retype.
    Click(grid, 1, BodyRow(1, 1));
    auto* editor = static_cast<CEdit*>(grid.m_editCtrl);
    ASSERT_NE(editor, nullptr);
    // The one line of the name shows whole in its editor.
    CRect client;
    editor->GetClientRect(&client);
    {
        CClientDC dc(editor);
        CFont* old = dc.SelectObject(editor->GetFont());
        EXPECT_LE(editor->PosFromChar(0).y + dc.GetTextExtent("Sg").cy, client.bottom);
        dc.SelectObject(old);
    }
    SimulateKey(*editor, VK_RETURN);
    ASSERT_TRUE(grid.m_editInProgress);
    EXPECT_EQ(grid.m_editRow, BodyRow(1, 3));
    int start = -1, end = -1;
    editor->GetSel(start, end);
    EXPECT_EQ(start, end);
    EXPECT_EQ(end, CString("first line").GetLength());
    SimulateKey(*editor, 'X', MK_SHIFT);
    SimulateKey(*editor, VK_TAB);
    EXPECT_EQ(settings.m_dataSets[1].Description, "first lineX");
    EXPECT_EQ(settings.m_dataSets[1].Name, "Session 2");
}

TEST_F(DataSetGridTest, HoveringAButtonLightsItUntilTheMouseLeaves)
{
    MoveTo(grid, 9, 0);
    EXPECT_TRUE(grid.IsHovering());
    CUGCell cell;
    grid.GetCell(9, 0, &cell);
    EXPECT_EQ(cell.GetBitmap(), grid.GetBitmap(grid.BitmapIndex(1571)));
    EXPECT_EQ(cell.GetBorder(), 15);

    MoveTo(grid, 3, BodyRow(0, 1));
    EXPECT_FALSE(grid.IsHovering());
    grid.GetCell(9, 0, &cell);
    EXPECT_EQ(cell.GetBitmap(), grid.GetBitmap(grid.BitmapIndex(1570)));
    EXPECT_EQ(cell.GetBorder(), 8);

    // The hover timer ends a hover once the cursor is outside the grid.
    MoveTo(grid, 8, 0);
    ASSERT_TRUE(grid.IsHovering());
    grid.SendMessage(WM_TIMER, WPARAM(CProjectManagerDataSetGrid::kHoverTimer), 0);
    EXPECT_FALSE(grid.IsHovering());
    EXPECT_EQ(grid.GetHoverCol(), -1);
}

TEST_F(DataSetGridTest, APageUnderTenPixelsLeavesTheGridAsItIs)
{
    CRect before;
    grid.GetWindowRect(&before);
    page.SetWindowPos(nullptr, 0, 0, 5, 400, SWP_NOMOVE | SWP_NOZORDER);
    grid.FitToPage();
    CRect after;
    grid.GetWindowRect(&after);
    EXPECT_EQ(after, before);
    page.SetWindowPos(nullptr, 0, 0, 800, 400, SWP_NOMOVE | SWP_NOZORDER);
    grid.FitToPage();
    grid.GetWindowRect(&after);
    EXPECT_EQ(after.Width(), 800);
}

TEST_F(CardGridTest, SummaryCardReportsEveryEditAndItsButtons)
{
    CRecordingPage page;
    ASSERT_TRUE(page.CreatePage(kPageWidth, 300));
    CProjectManagerSummaryGrid grid(&page, 1, false);
    ASSERT_TRUE(grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, kPageWidth, 100), &page, 2012));
    SProjectManagerContent content;
    CProjectManagerSettings settings;
    settings.m_summary = {{0, "ACME", "Hall 3", ""}};
    grid.Fill(content, settings, -1);
    EXPECT_EQ(CellText(grid, 0, 0), "Summary"); // as every card title, without a blank before it
    EXPECT_EQ(CellText(grid, 1, 3), "ACME");
    EXPECT_EQ(CellText(grid, 5, 3), "");
    EXPECT_EQ(grid.GetRowHeight(2), 20);

    // The summary reports its edits even when the text stayed.
    grid.OnEditFinish(1, 3, nullptr, "ACME", FALSE);
    grid.OnEditFinish(5, 3, nullptr, "Main feeder", FALSE);
    Click(grid, 7, 0);
    Click(grid, 8, 0);
    CFrameworkApp::PumpWaitingMessages();
    using Command = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(page.commands, (std::vector<Command>{{0, 6}, {0, 6}, {1, 0}, {2, 0}}));
    EXPECT_EQ(settings.m_summary[0].Description, "Main feeder");
    RenderToFile(page, "summary_card");
}

TEST_F(CardGridTest, OneRecordCardsRenameAndRemoveThemselves)
{
    CRecordingPage page;
    ASSERT_TRUE(page.CreatePage(kPageWidth, 400));
    SProjectManagerContent content;
    CProjectManagerSettings settings;
    for (int i = 0; i < 3; ++i) {
        auto info = std::make_unique<structProjectManagerDataSetInfo>();
        info->displayName = CString::Formatted("Session %d", i + 1);
        content.dataSets.push_back(std::move(info));
        settings.m_dataSets.push_back({});
        settings.m_dataSets.back().Name = CString::Formatted("Session %d", i + 1);
    }
    CProjectManagerDataSetGrid grid(&page, 1, true);
    ASSERT_TRUE(grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, kPageWidth, 300), &page, 2012));
    grid.Fill(content, settings, 2);
    EXPECT_EQ(CellText(grid, 0, 0), "Session 3");
    EXPECT_EQ(CellText(grid, 9, 0), "Rename");
    EXPECT_EQ(CellText(grid, 10, 0), "Remove");
    CRect window;
    grid.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), CProjectManagerBasicGrid::kSingleRecordWidth);
    // Only a renamed title is edited in place; the texts of the card are not.
    EXPECT_FALSE(grid.OnCanMove(0, 0, 1, 3));

    // Outside a report splitter a click on the heading still toggles the card.
    Click(grid, 0, 0);
    EXPECT_TRUE(grid.IsSectionCollapsed(0));
    EXPECT_FALSE(grid.IsDraggingHeading());
    Click(grid, 0, 0);
    EXPECT_FALSE(grid.IsSectionCollapsed(0));

    Click(grid, 9, 0);
    EXPECT_TRUE(grid.m_editInProgress);
    EXPECT_EQ(grid.m_editRow, 0);
    Click(grid, 10, 0);
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(page.cardStates.back(), kCardRemove);
    EXPECT_TRUE(page.commands.empty());
}

} // namespace
