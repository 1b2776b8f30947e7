#include "study/PowerGraphView.h"

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
constexpr DWORD kFirstAuxiliary = 51;
// Both pages scale their powers on the axis of the RMS active power.
constexpr DWORD kPowerAxisQuantity = 5;
constexpr int kAxisCount = 3;
constexpr BOOL kAxisPowerFactors[kAxisCount] = {FALSE, TRUE, TRUE};
constexpr UINT kDateTimeFormat = 8066;
} // namespace

CPowerGraphView::CPowerGraphView(int settingsKind, int viewKind, const SPowerGraphQuantities& quantities)
    : CBasicGraphView(settingsKind, viewKind, 1), m_quantities(quantities)
{
}

void CPowerGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CPowerGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(m_quantities.tableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(m_quantities.timeRangeTableEntry)));
}

void CPowerGraphView::InitDataItems()
{
    const DWORD power = m_quantities.firstPower;
    m_dataItems = {
        {power, 4, 0, 0, false, true},
        {power + 1, 4, 1, 0, false, true},
        {power + 2, 4, 2, 0, false, true},
        {m_quantities.signedFactor, 4, 3, 1, false, true},
        {m_quantities.foldedFactor, 4, 3, 2, false, true},
        {kFirstAuxiliary, 1, 5, -1, false, true},
        {kFirstAuxiliary + 1, 1, 5, -1, false, true},
    };
}

bool CPowerGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    auto Channel = [&](int row, int phaseSlot) {
        return phaseSlot >= 0 && phaseSlot < CBasicViewSettings::kChannelPhases &&
               settings.m_channels[std::size_t(row)][std::size_t(phaseSlot)];
    };
    if (quantity >= m_quantities.firstPower && quantity < m_quantities.firstPower + 3)
        return Channel(int(quantity - m_quantities.firstPower), slot);
    if (quantity == m_quantities.signedFactor)
        return settings.m_isIndCap && Channel(3, slot);
    if (quantity == m_quantities.foldedFactor)
        return !settings.m_isIndCap && Channel(3, slot);
    if (quantity == kFirstAuxiliary || quantity == kFirstAuxiliary + 1)
        return settings.m_aux[quantity - kFirstAuxiliary];
    return false;
}

void CPowerGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), PlotSetup::kEnergySummaryOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    const DWORD axisQuantities[kAxisCount] = {kPowerAxisQuantity, m_quantities.signedFactor, m_quantities.foldedFactor};
    const UINT axisTitles[kAxisCount] = {tablestr::kPower, m_quantities.factorTitle, m_quantities.factorTitle};
    feeder->SetYAxes(kAxisCount, axisQuantities, axisTitles, kAxisPowerFactors);
    if (m_quantities.factorAxesRight) {
        feeder->SetYAxisSide(1, 1);
        feeder->SetYAxisSide(2, 1);
    }
    // The base's unit list holds every item's unit; only the auxiliary inputs get axes of their own.
    feeder->AddAuxAxes(kAxisCount - 1, AuxiliaryUnitTexts(*this));
}
