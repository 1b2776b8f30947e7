#include "study/LoadStudySummaryTableViews.h"

#include "study/StudyTableRows.h"
#include "study/TableStrings.h"

namespace {
constexpr STableRowSpec kRows[] = {
    {121, 0, tablestr::kNominalVoltage},
    {54, 4, tablestr::kEstimatedApparentPower},
};
constexpr int kGraphEntry = 26;
constexpr int kNominalVoltageGroup = 0;
} // namespace

const SRuntimeClass& CLoadStudySummaryTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudySummaryTableView", &CMyFormView::Class(),
                                            &CreateWindowObject<CLoadStudySummaryTableView>, nullptr};
    return runtimeClass;
}

CLoadStudySummaryTableView::CLoadStudySummaryTableView()
{
    SetViewKind(14);
    m_sectionCount = 2;
}

void CLoadStudySummaryTableView::SetSectionTitles(structSummaryTableData& data)
{
    SetTableRowTitles(kRows, data);
}

void CLoadStudySummaryTableView::InitDataItems()
{
    m_dataItems = MakeTableDataItems(kRows);
}

void CLoadStudySummaryTableView::LinkWindows()
{
    SetLinkedGraphView(FindLinkedGraphView(kGraphEntry));
}

void CLoadStudySummaryTableView::PrepareGrid(CSummaryGrid& grid)
{
    grid.EnableNominalVoltageCells(1, kNominalVoltageGroup);
}

const SRuntimeClass& CLoadStudySummaryTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CLoadStudySummaryTableTimeRangeView", &CLoadStudySummaryTableView::Class(),
                                            &CreateWindowObject<CLoadStudySummaryTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CLoadStudySummaryTableTimeRangeView::CLoadStudySummaryTableTimeRangeView()
{
    SetViewKind(15);
    m_timeRange = 1;
}
