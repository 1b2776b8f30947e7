#include "study/FundamentalPowerGraphView.h"

#include "datamodel/DateTimeFormats.h"
#include "study/AuxiliaryAxes.h"
#include "study/GraphViewDialogBars.h"
#include "study/RecTrendToIOComp.h"
#include "study/SetupPlot.h"
#include "study/TableStrings.h"
#include "study/TimeRangeSection.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

namespace {
const SDataItem kDataItems[] = {
    {20, 4, 0, 0, false, true},
    {21, 4, 1, 0, false, true},
    {22, 4, 2, 0, false, true},
    {57, 4, 3, 1, false, true},
    {9, 4, 3, 2, false, true},
    {51, 1, 5, -1, false, true},
    {52, 1, 5, -1, false, true},
};
constexpr int kAxisCount = 3;
constexpr DWORD kAxisQuantities[kAxisCount] = {5, 57, 9};
constexpr UINT kAxisTitles[kAxisCount] = {tablestr::kPower, tablestr::kDPF, tablestr::kDPF};
constexpr BOOL kAxisPowerFactors[kAxisCount] = {FALSE, TRUE, TRUE};
constexpr int kTableEntry = 13;
constexpr int kTimeRangeTableEntry = 15;
constexpr UINT kDateTimeFormat = 8066;
} // namespace

const SRuntimeClass& CFundamentalPowerGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CFundamentalPowerGraphView", &CMyFormView::Class(), &CreateWindowObject<CFundamentalPowerGraphView>, nullptr};
    return runtimeClass;
}

CFundamentalPowerGraphView::CFundamentalPowerGraphView() : CBasicGraphView(3, 10, 1) {}

void CFundamentalPowerGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CFundamentalPowerGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CFundamentalPowerGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

bool CFundamentalPowerGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row, int phaseSlot) {
        return phaseSlot >= 0 && phaseSlot < CBasicViewSettings::kChannelPhases &&
               settings.m_channels[std::size_t(row)][std::size_t(phaseSlot)];
    };
    switch (quantity) {
    case 20:
    case 21:
    case 22:
        return Channel(int(quantity) - 20, slot);
    case 57:
        return settings.m_isIndCap && Channel(3, slot);
    case 9:
        return !settings.m_isIndCap && Channel(3, slot);
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

void CFundamentalPowerGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), PlotSetup::kEnergySummaryOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    feeder->SetYAxes(kAxisCount, kAxisQuantities, kAxisTitles, kAxisPowerFactors);
    // The base's unit list holds every item's unit; only the auxiliary inputs get axes of their own.
    feeder->AddAuxAxes(kAxisCount - 1, AuxiliaryUnitTexts(*this));
}
