// The study graphs of the RMS Power, Fundamental Power and V/A/Hz/THD pages on a one-session
// project: which quantity a check box plots (folded or signed power factors, never both), the
// Y axes of each chart (one auxiliary axis for the session's one auxiliary unit, not one per unit
// of every item).
#include "GraphViewFixture.h"
#include "study/FundamentalPowerGraphView.h"
#include "study/SummaryGraphView.h"
#include "study/VAHzTHDGraphView.h"

namespace {

class StudyGraphViewsTest : public GraphViewFixture
{
protected:
    std::vector<DWORD> AxisQuantities() const
    {
        std::vector<DWORD> quantities;
        for (const SYAxisEntry& axis : m_view->GetDataToIOComp()->GetYAxes())
            quantities.push_back(axis.quantity);
        return quantities;
    }
};

TEST_F(StudyGraphViewsTest, TheSummaryPlotsTheFoldedOrTheSignedPowerFactor)
{
    OpenProject({Spec()});
    OpenView(CSummaryGraphView::Class());
    CBasicViewSettings& settings = m_view->GetSettings();
    EXPECT_EQ(m_view->GetViewKind(), 2);
    settings.m_channels[3] = {true, false, false, true};
    for (bool signedOption : {false, true}) {
        settings.m_isIndCap = signedOption;
        for (int slot = 0; slot < 4; ++slot) {
            EXPECT_EQ(m_view->IsItemShown(56, slot), signedOption && settings.m_channels[3][std::size_t(slot)]);
            EXPECT_EQ(m_view->IsItemShown(8, slot), !signedOption && settings.m_channels[3][std::size_t(slot)]);
        }
    }
    EXPECT_FALSE(m_view->IsItemShown(9, 0));
    EXPECT_EQ(AxisQuantities(), (std::vector<DWORD>{5, 56, 8, kAuxAxisQuantity}));
    EXPECT_TRUE(m_view->GetDataToIOComp()->GetYAxes()[1].powerFactor);
    EXPECT_EQ(m_view->GetDataToIOComp()->GetYAxes()[0].title, "Power");
}

TEST_F(StudyGraphViewsTest, TheFundamentalDpfCheckBoxesPlotOneOfTwoQuantities)
{
    OpenProject({Spec()});
    OpenView(CFundamentalPowerGraphView::Class());
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[3].fill(true);
    for (bool signedOption : {false, true}) {
        settings.m_isIndCap = signedOption;
        for (int slot = 0; slot < 4; ++slot)
            EXPECT_NE(m_view->IsItemShown(57, slot), m_view->IsItemShown(9, slot)) << "never both, never neither";
    }
    EXPECT_EQ(AxisQuantities(), (std::vector<DWORD>{5, 57, 9, kAuxAxisQuantity}));
}

TEST_F(StudyGraphViewsTest, VoltageCurrentFrequencyAndThdHaveTheirAxesAndCheckBoxRows)
{
    OpenProject({Spec()});
    OpenView(CVAHzTHDGraphView::Class());
    EXPECT_EQ(AxisQuantities(), (std::vector<DWORD>{0, 1, 2, 29, kAuxAxisQuantity}));
    CBasicViewSettings& settings = m_view->GetSettings();
    settings.m_channels[4] = {false, true, false, false};
    EXPECT_TRUE(m_view->IsItemShown(30, 1));
    EXPECT_FALSE(m_view->IsItemShown(29, 1));
    EXPECT_FALSE(m_view->IsItemShown(5, 0));
}

} // namespace
