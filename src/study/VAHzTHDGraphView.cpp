#include "study/VAHzTHDGraphView.h"

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
    {0, 3, 0, 0, false, true},
    {1, 3, 1, 1, false, true},
    {2, 1, 2, 2, false, true},
    {29, 3, 3, 3, false, true},
    {30, 3, 4, 3, false, true},
    {51, 1, 5, -1, false, true},
    {52, 1, 5, -1, false, true},
};
constexpr int kAxisCount = 4;
constexpr int kThdAxis = 3; // right of the plot
constexpr DWORD kAxisQuantities[kAxisCount] = {0, 1, 2, 29};
constexpr UINT kAxisTitles[kAxisCount] = {tablestr::kVoltage, tablestr::kCurrent, tablestr::kFrequency, tablestr::kTHD};
constexpr BOOL kAxisPowerFactors[kAxisCount] = {FALSE, FALSE, FALSE, FALSE};
constexpr int kTableEntry = 16;
constexpr int kTimeRangeTableEntry = 18;
constexpr UINT kDateTimeFormat = 8066;
constexpr unsigned kVAHzTHDOptions = 13252;
} // namespace

const SRuntimeClass& CVAHzTHDGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CVAHzTHDGraphView", &CMyFormView::Class(), &CreateWindowObject<CVAHzTHDGraphView>, nullptr};
    return runtimeClass;
}

CVAHzTHDGraphView::CVAHzTHDGraphView() : CVAHzTHDGraphView(4, 13, 1) {}

CVAHzTHDGraphView::CVAHzTHDGraphView(int settingsKind, int viewKind, int studyType)
    : CBasicGraphView(settingsKind, viewKind, studyType)
{
}

void CVAHzTHDGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CVAHzTHDGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CVAHzTHDGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

bool CVAHzTHDGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row, int phaseSlot) {
        return phaseSlot >= 0 && phaseSlot < CBasicViewSettings::kChannelPhases &&
               settings.m_channels[std::size_t(row)][std::size_t(phaseSlot)];
    };
    switch (quantity) {
    case 0:
    case 1:
    case 2:
        return Channel(int(quantity), slot);
    case 29:
    case 30:
        return Channel(int(quantity) - 26, slot);
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

void CVAHzTHDGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), kVAHzTHDOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    feeder->SetYAxes(kAxisCount, kAxisQuantities, kAxisTitles, kAxisPowerFactors);
    feeder->SetYAxisSide(kThdAxis, 1);
    // The base's unit list holds every item's unit; only the auxiliary inputs get axes of their own.
    feeder->AddAuxAxes(kAxisCount - 1, AuxiliaryUnitTexts(*this));
}
