// The demand grid and its cost texts: values with their marks and the time of the maximum, the
// collapse-state digits (applied, refused, kept through hiding), cost choices grown to the
// session count and reset without a tariff, and money amounts in the user's number format.
#include "grid/CUGCell.h"
#include "grid/CUGCheckBoxType.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/UserLocale.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/EnergyCosts.h"
#include "datamodel/ValueFormatter.h"
#include "study/DemandCostTexts.h"
#include "study/DemandGrid.h"
#include "study/Money.h"
#include "study/MyBasicSummaryGrid.h"
#include "support/ScopedTimeZone.h"
#include "support/ScopedUserLocale.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

class CGridParent : public CWnd, public IDemandTableOwner
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TABLE_COLLAPSE_STATE)
            states.push_back(*reinterpret_cast<const CString*>(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int EditSessionTariff(int session) override
    {
        edited.push_back(session);
        return 0;
    }
    void NotifyCostChoice() override { ++notifications; }

    std::vector<CString> states;
    std::vector<int> edited;
    int notifications = 0;
};

class DemandGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "table", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1100, 600), nullptr, 0));
        for (int i = 0; i < 2; ++i) {
            auto block = std::make_unique<structDemandTableData>();
            block->name.Format("Session %d", i + 1);
            block->forwardEnergy = 1234.5;
            block->reverseEnergy = 12.5;
            block->totalEnergy = 1222.0;
            block->maximumDemand = 40.0;
            block->maximumDemandTime = CHighTime(2026, 3, 2, 10, 15, 0);
            block->loggerCurrency = "$";
            block->loggerForwardPrice = 0.1;
            m_blocks.push_back(std::move(block));
        }
        m_grid = std::make_unique<CDemandGrid>(&m_parent, &m_formatter);
        ASSERT_TRUE(m_grid->CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1100, 600), &m_parent, 2012));
        m_grid->SetSessionCount(2);
        m_grid->SetData(&m_blocks, &m_settings);
    }
    void TearDown() override
    {
        m_grid.reset();
        m_parent.DestroyWindow();
        CFrameworkApp::PumpWaitingMessages();
    }
    CString Cell(int col, int row)
    {
        CString text;
        m_grid->QuickGetText(col, row, &text);
        return text;
    }
    int Checked(int col, int block)
    {
        CUGCell cell;
        m_grid->GetCell(col, CDemandGrid::DataRow(block) + CDemandGrid::kChoiceRow, &cell);
        return int(cell.GetNumber());
    }

    ScopedTimeZone m_zone{"UTC"};
    CScopedUserLocale m_locale{CUserLocale::EnUs()};
    CTempXdgHome m_home;
    CGridParent m_parent;
    CBasicViewSettings m_settings{1};
    CValueFormatter m_formatter;
    DemandBlocks m_blocks;
    std::unique_ptr<CDemandGrid> m_grid;
};

TEST_F(DemandGridTest, ValuesCarryTheirMarksAndTheTimeOfTheMaximum)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    m_blocks[0]->forwardQuality.quality = 2;
    m_blocks[0]->reverseEnergy = kInf;
    m_blocks[0]->totalEnergy = -kInf;
    m_blocks[0]->maximumDemandQuality.quality = 1;
    m_blocks[1]->maximumDemandTime = CHighTime();
    m_blocks[1]->maximumDemandTime.SetStatus(CHighTime::null);
    m_grid->SetData(&m_blocks, &m_settings);
    const int base = CDemandGrid::DataRow(0);
    EXPECT_EQ(Cell(2, base).Right(2), "**");
    EXPECT_EQ(Cell(2, base + 2), "OL");
    EXPECT_TRUE(Cell(3, base + 2).IsEmpty());
    EXPECT_EQ(Cell(2, base + 4), "-OL");
    EXPECT_EQ(Cell(2, base + 6).Right(1), "*");
    EXPECT_NE(Cell(2, base + 6).Right(2), "**");
    EXPECT_EQ(Cell(3, base + 8), "10:15:00 AM");
    EXPECT_EQ(Cell(0, 0), " Session 1");
    EXPECT_EQ(Cell(1, base + 6), "Max. demand");
    // The marked block's panel carries the footnote and its row makes room for it.
    EXPECT_NE(Cell(CDemandGrid::kInfoColumn, base).str().find("invalid values"), std::string::npos);
    EXPECT_EQ(m_grid->GetRowHeight(base + 8), CDemandGrid::kFootnoteHeight);
    EXPECT_EQ(m_grid->GetRowHeight(CDemandGrid::DataRow(1) + 8), CDemandGrid::kSpacerHeight);
    EXPECT_TRUE(Cell(2, CDemandGrid::DataRow(1) + 8).IsEmpty());
}

// Every session is read in the prefix of the largest figure of the table, whatever scales other
// pages registered for the sessions before.
TEST_F(DemandGridTest, FiguresShareThePrefixOfTheLargestAndIgnoreScalesRegisteredElsewhere)
{
    m_blocks[1]->forwardEnergy = 123286.271;
    m_blocks[1]->maximumDemand = 2917.0;
    m_grid->SetData(&m_blocks, &m_settings);
    const auto shown = [this] {
        std::vector<std::string> texts;
        for (int b = 0; b < 2; ++b)
            for (int e = 0; e < 4; ++e)
                texts.push_back(Cell(2, CDemandGrid::DataRow(b) + 2 * e).str() + " " +
                                Cell(3, CDemandGrid::DataRow(b) + 2 * e).str());
        return texts;
    };
    const std::vector<std::string> expected = {"1.234 MWh", "0.013 MWh", "1.222 MWh", "0.040 MW",
                                               "123.286 MWh", "0.013 MWh", "1.222 MWh", "2.917 MW"};
    EXPECT_EQ(shown(), expected);
    // A hidden block keeps the figures of the range it showed last: they decide no prefix.
    const structDemandTableData first = *m_blocks[0];
    m_blocks[0]->forwardEnergy = 644.202;
    m_blocks[0]->reverseEnergy = 200.280;
    m_blocks[0]->totalEnergy = 443.922;
    m_blocks[1]->hidden = 1;
    m_grid->SetData(&m_blocks, &m_settings);
    const std::vector<std::string> alone = shown();
    EXPECT_EQ(std::vector<std::string>(alone.begin(), alone.begin() + 4),
              (std::vector<std::string>{"644.202 kWh", "200.280 kWh", "443.922 kWh", "40.000 kW"}));
    m_blocks[1]->hidden = 0;
    *m_blocks[0] = first;
    m_grid->SetData(&m_blocks, &m_settings);
    EXPECT_EQ(shown(), expected);
    // The power page registers the power of the first session only, as a page shown first does.
    m_formatter.RegisterRange(0, 0, 5, false, 0.0f, 40.0f);
    m_formatter.RegisterRange(0, 0, 48, true, 0.0f, 1.0f);
    m_grid->SetData(&m_blocks, &m_settings);
    EXPECT_EQ(shown(), expected);
}

TEST_F(DemandGridTest, CollapseDigitsAreAppliedRefusedAndKeptThroughHiding)
{
    m_grid->ApplyCollapseState("0100");
    EXPECT_TRUE(m_grid->IsBlockCollapsed(0));
    EXPECT_FALSE(m_grid->IsBlockCollapsed(1));
    EXPECT_EQ(m_grid->GetRowHeight(CDemandGrid::DataRow(0)), 0);
    EXPECT_EQ(m_parent.states.back(), "0100");
    // An odd length changes nothing and reports the state as it is.
    m_grid->ApplyCollapseState("1");
    EXPECT_EQ(m_parent.states.back(), "0100");
    // Digits for more blocks than the grid has are left aside.
    m_grid->ApplyCollapseState("01000101");
    EXPECT_EQ(m_grid->GetCollapseState(), "0100");

    // Hiding a collapsed block and showing it again leaves it collapsed.
    m_blocks[0]->hidden = 1;
    m_grid->ApplyHiddenFlags();
    EXPECT_EQ(m_grid->GetCollapseState(), "1200");
    EXPECT_EQ(m_grid->GetRowHeight(0), 0);
    m_blocks[0]->hidden = 0;
    m_grid->ApplyHiddenFlags();
    EXPECT_EQ(m_grid->GetCollapseState(), "0100");
    EXPECT_TRUE(m_grid->IsBlockCollapsed(0));
    EXPECT_EQ(m_grid->GetRowHeight(0), CDemandGrid::kTitleHeight);

    // A click on a title bar expands it again.
    m_grid->OnLClicked(7, 0, 0, nullptr, nullptr, FALSE);
    EXPECT_EQ(m_parent.states.back(), "0000");
    EXPECT_EQ(m_grid->GetRowHeight(CDemandGrid::DataRow(0)), CDemandGrid::kDefaultRowHeight);
    EXPECT_EQ(m_grid->GetRowsHeight(), 2 * (20 + 8 + 9 * 12 + 8 + 8));
}

TEST_F(DemandGridTest, CostChoicesGrowToTheSessionsAndNeedAnEnabledTariff)
{
    EXPECT_EQ(m_settings.m_costTables.size(), 2u);
    EXPECT_EQ(Checked(CDemandGrid::kStandardColumn, 0), 1);
    EXPECT_EQ(Cell(6, CDemandGrid::DataRow(0) + CDemandGrid::kAmountRow),
              "<:F,Tahoma,18,700>$123.45<:S>fwd<:N>");
    // An advanced choice stored for a session without a tariff falls back to standard.
    m_settings.m_costTables[1].isAdvanced = true;
    m_grid->ApplyCostChoices();
    EXPECT_FALSE(m_settings.m_costTables[1].isAdvanced);

    // Choosing "advanced" asks for the tariff; with one enabled the choice sticks.
    const int row = CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow;
    m_grid->OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, row, UGCT_CHECKBOXSET, 1);
    EXPECT_EQ(m_parent.edited, std::vector<int>{0});
    EXPECT_EQ(Checked(CDemandGrid::kStandardColumn, 0), 1);
    m_blocks[0]->tariffEnabled = 1;
    m_blocks[0]->tariffForwardCost = 12.5;
    m_blocks[0]->tariffReverseCost = 0.0;
    m_blocks[0]->tariffCurrency = "EUR";
    m_grid->OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, row, UGCT_CHECKBOXSET, 1);
    EXPECT_EQ(m_parent.edited.size(), 1u);
    EXPECT_EQ(Checked(CDemandGrid::kAdvancedColumn, 0), 1);
    EXPECT_TRUE(m_settings.m_costTables[0].isAdvanced);
    EXPECT_EQ(m_parent.notifications, 2);
    EXPECT_EQ(Cell(6, CDemandGrid::DataRow(0) + CDemandGrid::kAmountRow), "<:F,Tahoma,18,700>EUR 12.50<:S>fwd<:N>");
    // Intervals the tariff could not price leave the cost marked.
    m_blocks[0]->tariffUnpricedCount = 3;
    m_grid->ApplyCostChoices();
    EXPECT_EQ(Cell(6, CDemandGrid::DataRow(0) + CDemandGrid::kAmountRow).Right(1), "*");
    EXPECT_NE(Cell(CDemandGrid::kInfoColumn, CDemandGrid::DataRow(0)).str().find("does not price"), std::string::npos);

    // A choice the settings take from elsewhere (a bookmark) shows at the next refill.
    m_settings.m_costTables[0].isAdvanced = false;
    m_grid->FollowCostChoices();
    EXPECT_EQ(Checked(CDemandGrid::kStandardColumn, 0), 1);
    EXPECT_EQ(Cell(6, CDemandGrid::DataRow(0) + CDemandGrid::kAmountRow), "<:F,Tahoma,18,700>$123.45<:S>fwd<:N>");

    // Notifications of other cells are handled and change nothing.
    EXPECT_TRUE(m_grid->OnCellTypeNotify(2, 3, row, UGCT_CHECKBOXSET, 1));
    EXPECT_TRUE(m_grid->OnCellTypeNotify(2, CDemandGrid::kAdvancedColumn, 400, UGCT_CHECKBOXSET, 1));
    EXPECT_EQ(m_parent.notifications, 2);
}

TEST(DemandCostTextsTest, AmountsAndPricesPlaceTheCurrencyAsTheLocaleDoes)
{
    {
        CScopedUserLocale locale(CUserLocale::EnUs());
        CValueFormatter formatter;
        EXPECT_EQ(BuildCostAmountText(0.0, 0.0, "$"), "<:F,Tahoma,18,700>$0.00<:S>tot<:N>");
        // No letter beside an amount that could read as a currency of its own.
        EXPECT_EQ(BuildCostAmountText(10.0, 2.5, "$"),
                  "<:F,Tahoma,18,700>$10.00<:S>fwd<:N> - $2.50<:S>rev<:N> = $7.50<:S>tot<:N>");
        EXPECT_EQ(BuildCostAmountText(75.492, 0.0, ""), "<:F,Tahoma,18,700>75.49<:S>fwd<:N>");
        EXPECT_NE(BuildPriceLine(formatter, 0.21, 0.0, "$", false).str().find("$0.21/kWh, fwd; $0/kWh, rev"), std::string::npos);
        // Returned energy a tariff charges for adds to the total, without a second minus.
        EXPECT_EQ(BuildCostAmountText(10.0, -2.5, "$"),
                  "<:F,Tahoma,18,700>$10.00<:S>fwd<:N> + $2.50<:S>rev<:N> = $12.50<:S>tot<:N>");
    }
    // One place of the currency on the whole panel: the locale's, for amounts and prices alike.
    CScopedUserLocale locale(CUserLocale::DeDe());
    CValueFormatter german;
    EXPECT_EQ(BuildCostAmountText(131.41, 0.0, "\xE2\x82\xAC"), "<:F,Tahoma,18,700>131,41 \xE2\x82\xAC<:S>fwd<:N>");
    EXPECT_NE(BuildPriceLine(german, 0.21, 0.08, "\xE2\x82\xAC", true).str().find("0,21 \xE2\x82\xAC/kWh, fwd; 0,08 \xE2\x82\xAC/kWh, rev;..."),
              std::string::npos);

    // A stored single-precision price is the decimal the user typed.
    EXPECT_EQ(TypedDecimal(0.21f), 0.21);
    EXPECT_EQ(TypedDecimal(0.3f), 0.3);
    EXPECT_EQ(TypedDecimal(25.0f), 25.0);
    EXPECT_EQ(TypedDecimal(0.123457f), 0.123457);
    // The tariff's currency is the session's for both costs; without a tariff, the locale's.
    CEnergyCosts tariff;
    EXPECT_EQ(SessionCurrency(tariff), "\xE2\x82\xAC");
    tariff.SetEnabled(true);
    tariff.SetCurrency("CHF");
    EXPECT_EQ(SessionCurrency(tariff), "CHF");
}

} // namespace
