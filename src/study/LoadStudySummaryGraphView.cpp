#include "study/LoadStudySummaryGraphView.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/ValueFormatter.h"
#include "project/ProjectSettings.h"
#include "project/RecDoc.h"
#include "study/AuxiliaryAxes.h"
#include "study/GraphViewDialogBars.h"
#include "study/LinkedGraphView.h"
#include "study/NoteAnnotations.h"
#include "study/RecTrendToIOComp.h"
#include "study/SetupPlot.h"
#include "study/TableStrings.h"
#include "study/TimeRangeSection.h"
#include "views/SectionWindows.h"
#include "views/SplitFrame.h"

namespace {
const SDataItem kDataItems[] = {
    {54, 4, 1, 0, false, true},
    {51, 1, 5, -1, false, true},
    {52, 1, 5, -1, false, true},
};
constexpr DWORD kAxisQuantities[] = {54};
constexpr UINT kAxisTitles[] = {tablestr::kPower};
constexpr BOOL kAxisPowerFactors[] = {FALSE};
constexpr int kTableEntry = 25;
constexpr int kTimeRangeTableEntry = 27;
constexpr UINT kDateTimeFormat = 8066;
constexpr int kLoadCalendarSettings = 6;
constexpr int kEstimateGroups = 4;
} // namespace

const SRuntimeClass& CLoadStudySummaryGraphView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudySummaryGraphView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudySummaryGraphView>, nullptr};
    return runtimeClass;
}

CLoadStudySummaryGraphView::CLoadStudySummaryGraphView() : CBasicGraphView(5, 16, 2) {}

void CLoadStudySummaryGraphView::UpdateTimeRangeSection()
{
    ShowTimeRangeSection(FindSplitter(), GetSettings().m_checkTimeRange);
}

void CLoadStudySummaryGraphView::LinkWindows()
{
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        SetDialogBar(dynamic_cast<CBasicGraphViewDialogBar*>(frame->GetDialogBar()));
    if (g_pSectionWindows)
        SetTableViews(dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTableEntry)),
                      dynamic_cast<CMyFormView*>(g_pSectionWindows->GetSectionView(kTimeRangeTableEntry)));
}

void CLoadStudySummaryGraphView::InitDataItems()
{
    m_dataItems.assign(std::begin(kDataItems), std::end(kDataItems));
}

bool CLoadStudySummaryGraphView::IsItemShown(DWORD quantity, int slot) const
{
    const CBasicViewSettings& settings = GetSettings();
    switch (quantity) {
    case 54:
        return slot >= 0 && slot < CBasicViewSettings::kChannelPhases && settings.m_channels[1][std::size_t(slot)];
    case 51:
    case 52:
        return settings.m_aux[quantity - 51];
    default:
        return false;
    }
}

void CLoadStudySummaryGraphView::ConfigurePlot()
{
    SetupPlot(*GetPlotControl(), PlotSetup::kCalendarOptions);
    CRecTrendToIOComp* feeder = GetDataToIOComp();
    feeder->SetDateTimeFormat(ExpandDateTimeFormat(kDateTimeFormat));
    feeder->SetYAxes(1, kAxisQuantities, kAxisTitles, kAxisPowerFactors);
    feeder->AddAuxAxes(0, AuxiliaryUnitTexts(*this));
}

LRESULT CLoadStudySummaryGraphView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CBasicGraphView::WindowProc(message, wParam, lParam);
    if (message == WM_GRAPH_SETTINGS_CHANGED && HIWORD(wParam) == 0)
        OnNominalVoltagesChanged();
    return result;
}

void CLoadStudySummaryGraphView::OnNominalVoltagesChanged()
{
    CRecDoc* document = GetDocument();
    if (!document)
        return;
    if (CValueFormatter* formatter = document->GetValueFormatter())
        for (int session = 0; session < std::min(GetSessionCount(), kEstimateGroups); ++session)
            if (IsSessionCompatible(session))
                formatter->SetApparentPowerScale(session, NominalVoltageFactor(session));
    RefreshGraph();
    CBasicViewSettings& settings = GetSettings();
    CiPlotX& chart = *GetPlotControl();
    for (int i = 0; i < std::min(chart.GetYAxisCount(), SCurAxisDetails::kMaxYAxes); ++i)
        settings.m_upperPlot.yAxes[std::size_t(i)] = {chart.GetYAxis(i)->GetMin(), chart.GetYAxis(i)->GetSpan()};
    RefillTables(true, kRefillForce);
    // The Load calendar estimates with the same nominal voltages.
    if (CProjectSettings* project = document->GetProjectSettings())
        if (const auto* stored = dynamic_cast<const CBasicViewSettings*>(project->GetStudyViewSettings(kLoadCalendarSettings))) {
            CBasicViewSettings copy(*stored);
            copy.m_nominalVoltages = settings.m_nominalVoltages;
            project->SetStudyViewSettings(kLoadCalendarSettings, &copy);
        }
}
