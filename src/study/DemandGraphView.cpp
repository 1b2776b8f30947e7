#include "study/DemandGraphView.h"

#include "datamodel/DateTimeFormats.h"
#include "study/AuxiliaryAxes.h"
#include "study/DemandStrings.h"
#include "study/GraphViewDialogBars.h"
#include "study/RecTrendToIOComp.h"
#include "study/SetupPlot.h"
#include "study/TimeRangeSection.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

namespace {
// Energies 41-43 per interval and 44-46 cumulative, each on its own axis; the power factor
// signed (56) or folded (8); the auxiliary inputs.
const SDataItem kDataItems[] = {
    {41, 4, 0, 0, true, true},  {42, 4, 1, 0, true, true},  {43, 4, 2, 0, true, true},
    {44, 4, 0, 1, true, true},  {45, 4, 1, 1, true, true},  {46, 4, 2, 1, true, true},
    {56, 4, 3, 2, false, false}, {8, 4, 3, 3, false, false}, {51, 1, 5, -1, false, false},
    {52, 1, 5, -1, false, false},
};
constexpr unsigned kPlotOptions = 0x33C4; // four Y axes and the chart's standard tools
constexpr int kAxisCount = 4;
constexpr DWORD kAxisQuantities[kAxisCount] = {41, 44, 56, 8};
constexpr UINT kAxisTitles[kAxisCount] = {demandstr::kEnergyAxis, demandstr::kEnergyAxis, demandstr::kPowerFactorAxis,
                                          demandstr::kPowerFactorAxis};
constexpr BOOL kAxisPowerFactors[kAxisCount] = {FALSE, FALSE, TRUE, TRUE};
constexpr int kTableEntry = 8;
constexpr int kTimeRangeTableEntry = 10;
constexpr UINT kDateTimeFormat = 8066;
constexpr int kDefaultDemandPeriod = 600;
} // namespace

const SRuntimeClass& CDemandGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CDemandGraphView", &CMyFormView::Class(), &CreateWindowObject<CDemandGraphView>,
                                            nullptr};
    return runtimeClass;
}

CDemandGraphView::CDemandGraphView() : CBasicGraphView(1, 5, 1) {}

void CDemandGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CDemandGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CDemandGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

void CDemandGraphView::OnDemandSourceChanged(bool useTrendData)
{
    for (SDataItem& item : m_dataItems)
        if (item.quantity >= 41 && item.quantity <= 46)
            item.demandRecords = !useTrendData;
}

bool CDemandGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row) {
        return slot >= 0 && slot < CBasicViewSettings::kChannelPhases && settings.m_channels[std::size_t(row)][std::size_t(slot)];
    };
    switch (quantity) {
    case 41:
    case 42:
    case 43:
        return !settings.m_isCumulative[quantity - 41] && Channel(int(quantity) - 41);
    case 44:
    case 45:
    case 46:
        return settings.m_isCumulative[quantity - 44] && Channel(int(quantity) - 44);
    case 56:
        return settings.m_isIndCap && Channel(3);
    case 8:
        return !settings.m_isIndCap && Channel(3);
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

void CDemandGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), kPlotOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    feeder->SetYAxes(kAxisCount, kAxisQuantities, kAxisTitles, kAxisPowerFactors);
    feeder->AddAuxAxes(kAxisCount - 1, AuxiliaryUnitTexts(*this));
}

void CDemandGraphView::SetDefaultSettings()
{
    CBasicViewSettings& settings = GetSettings();
    if (!settings.IsPresent())
        CBasicGraphView::SetDefaultSettings();
    const bool firstTime = settings.m_costTables.empty();
    settings.m_costTables.resize(std::size_t(std::max(GetSessionCount(), 0)));
    if (firstTime)
        settings.m_demandPeriod = kDefaultDemandPeriod;
}
