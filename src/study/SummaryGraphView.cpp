#include "study/SummaryGraphView.h"

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
    {5, 4, 0, 0, false, true},
    {6, 4, 1, 0, false, true},
    {7, 4, 2, 0, false, true},
    {56, 4, 3, 1, false, true},
    {8, 4, 3, 2, false, true},
    {51, 1, 5, -1, false, true},
    {52, 1, 5, -1, false, true},
};
constexpr int kAxisCount = 3;
constexpr DWORD kAxisQuantities[kAxisCount] = {5, 56, 8};
constexpr UINT kAxisTitles[kAxisCount] = {tablestr::kPower, tablestr::kPF, tablestr::kPF};
constexpr BOOL kAxisPowerFactors[kAxisCount] = {FALSE, TRUE, TRUE};
constexpr int kTableEntry = 5;
constexpr int kTimeRangeTableEntry = 7;
constexpr UINT kDateTimeFormat = 8066;
} // namespace

const SRuntimeClass& CSummaryGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CSummaryGraphView", &CMyFormView::Class(), &CreateWindowObject<CSummaryGraphView>, nullptr};
    return runtimeClass;
}

CSummaryGraphView::CSummaryGraphView() : CBasicGraphView(0, 2, 1) {}

void CSummaryGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CSummaryGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CSummaryGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

bool CSummaryGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row, int phaseSlot) {
        return phaseSlot >= 0 && phaseSlot < CBasicViewSettings::kChannelPhases &&
               settings.m_channels[std::size_t(row)][std::size_t(phaseSlot)];
    };
    switch (quantity) {
    case 5:
    case 6:
    case 7:
        return Channel(int(quantity) - 5, slot);
    case 56:
        return settings.m_isIndCap && Channel(3, slot);
    case 8:
        return !settings.m_isIndCap && Channel(3, slot);
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

void CSummaryGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), PlotSetup::kEnergySummaryOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    feeder->SetYAxes(kAxisCount, kAxisQuantities, kAxisTitles, kAxisPowerFactors);
    // The base's unit list holds every item's unit; only the auxiliary inputs get axes of their own.
    feeder->AddAuxAxes(kAxisCount - 1, AuxiliaryUnitTexts(*this));
}
