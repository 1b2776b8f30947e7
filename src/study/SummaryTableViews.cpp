#include "study/SummaryTableViews.h"

#include "study/StudyTableRows.h"
#include "study/TableStrings.h"

namespace {
constexpr STableRowSpec kRows[] = {
    {5, 4, tablestr::kActivePower},
    {6, 4, tablestr::kApparentPower},
    {7, 4, tablestr::kReactivePower},
    {8, 4, tablestr::kPowerFactor},
};
constexpr int kGraphEntry = 6;
} // namespace

const SRuntimeClass& CSummaryTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CSummaryTableView", &CMyFormView::Class(), &CreateWindowObject<CSummaryTableView>, nullptr};
    return runtimeClass;
}

CSummaryTableView::CSummaryTableView()
{
    SetViewKind(0);
    m_sectionCount = 4;
}

void CSummaryTableView::SetSectionTitles(structSummaryTableData& data)
{
    SetTableRowTitles(kRows, data);
}

void CSummaryTableView::InitDataItems()
{
    m_dataItems = MakeTableDataItems(kRows);
}

void CSummaryTableView::LinkWindows()
{
    SetLinkedGraphView(FindLinkedGraphView(kGraphEntry));
}

const SRuntimeClass& CSummaryTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CSummaryTableTimeRangeView", &CSummaryTableView::Class(), &CreateWindowObject<CSummaryTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CSummaryTableTimeRangeView::CSummaryTableTimeRangeView()
{
    SetViewKind(1);
    m_timeRange = 1;
}
