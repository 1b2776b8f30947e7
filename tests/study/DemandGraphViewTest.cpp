// The Demand graph on a project of two sessions: which energy the options plot (per interval or
// cumulative, never both), the signed or folded power factor, the demand source switching the
// energy items between demand and trend records, its four Y axes and an auxiliary one, and the
// defaults (a cost choice per session and, the first time, a demand period of ten minutes).
#include "GraphViewFixture.h"
#include "study/DemandGraphView.h"

namespace {

class DemandGraphViewTest : public GraphViewFixture
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

TEST_F(DemandGraphViewTest, OptionsChooseIntervalOrCumulativeEnergiesAndThePowerFactorsForm)
{
    OpenProject({Spec(), Spec(1, 300, 60)});
    OpenView(CDemandGraphView::Class());
    EXPECT_EQ(m_view->GetViewKind(), 5);
    CBasicViewSettings& settings = m_view->GetSettings();
    // The first update checks the total of the energy per interval.
    EXPECT_TRUE(settings.m_channels[0][3]);
    for (int row = 0; row < 4; ++row)
        settings.m_channels[std::size_t(row)] = {true, false, false, true};
    for (bool option : {false, true}) {
        settings.m_isCumulative = {option, option, option};
        settings.m_isIndCap = option;
        for (int slot = 0; slot < 4; ++slot) {
            const bool checked = slot == 0 || slot == 3;
            for (DWORD q = 41; q <= 43; ++q) {
                EXPECT_EQ(m_view->IsItemShown(q, slot), !option && checked);
                EXPECT_EQ(m_view->IsItemShown(q + 3, slot), option && checked);
            }
            EXPECT_EQ(m_view->IsItemShown(56, slot), option && checked);
            EXPECT_EQ(m_view->IsItemShown(8, slot), !option && checked);
        }
    }
    settings.m_aux = {false, true};
    EXPECT_FALSE(m_view->IsItemShown(51, 0));
    EXPECT_TRUE(m_view->IsItemShown(52, 0));
    EXPECT_FALSE(m_view->IsItemShown(48, 0));
    EXPECT_EQ(AxisQuantities(), (std::vector<DWORD>{41, 44, 56, 8, kAuxAxisQuantity}));
    EXPECT_EQ(m_view->GetDataToIOComp()->GetYAxes()[0].title, "Energy");
    EXPECT_TRUE(m_view->GetDataToIOComp()->GetYAxes()[3].powerFactor);
    EXPECT_FALSE(m_view->GetDataToIOComp()->GetYAxes()[1].powerFactor);
}

TEST_F(DemandGraphViewTest, TheDemandSourceSwitchesOnlyTheEnergyItems)
{
    OpenProject({Spec()});
    OpenView(CDemandGraphView::Class());
    auto& view = static_cast<CDemandGraphView&>(*m_view);
    const auto& items = m_view->GetDataItems();
    ASSERT_EQ(items.size(), 10u);
    view.OnDemandSourceChanged(true);
    for (const SDataItem& item : items)
        EXPECT_FALSE(item.demandRecords) << item.quantity;
    view.OnDemandSourceChanged(false);
    for (const SDataItem& item : items)
        EXPECT_EQ(item.demandRecords, item.quantity >= 41 && item.quantity <= 46) << item.quantity;
    EXPECT_TRUE(items[0].useDemandPeriod);
    EXPECT_FALSE(items[6].useDemandPeriod);
    EXPECT_EQ(items[8].yAxis, -1);
}

TEST_F(DemandGraphViewTest, DefaultsGiveACostChoicePerSessionAndTenMinutesOnce)
{
    OpenProject({Spec(), Spec(1, 300, 60)});
    OpenView(CDemandGraphView::Class());
    CBasicViewSettings& settings = m_view->GetSettings();
    EXPECT_EQ(settings.m_costTables.size(), 2u);
    settings.m_costTables.clear();
    settings.m_demandPeriod = 0;
    m_view->SetDefaultSettings();
    EXPECT_EQ(settings.m_costTables.size(), 2u);
    EXPECT_EQ(settings.m_demandPeriod, 600);
    // Choices already made are kept, and so is the period.
    settings.m_costTables[1].isAdvanced = true;
    settings.m_demandPeriod = 1800;
    m_view->SetDefaultSettings();
    EXPECT_TRUE(settings.m_costTables[1].isAdvanced);
    EXPECT_EQ(settings.m_demandPeriod, 1800);
}

} // namespace
