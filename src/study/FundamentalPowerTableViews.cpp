#include "study/FundamentalPowerTableViews.h"

#include "study/StudyTableRows.h"
#include "study/TableStrings.h"

namespace {
constexpr STableRowSpec kRows[] = {
    {20, 4, tablestr::kActivePower},
    {21, 4, tablestr::kApparentPower},
    {22, 4, tablestr::kReactivePower},
    {9, 4, tablestr::kDistortionPowerFactor},
};
constexpr int kGraphEntry = 14;
} // namespace

const SRuntimeClass& CFundamentalPowerTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CFundamentalPowerTableView", &CMyFormView::Class(), &CreateWindowObject<CFundamentalPowerTableView>, nullptr};
    return runtimeClass;
}

CFundamentalPowerTableView::CFundamentalPowerTableView()
{
    SetViewKind(8);
    m_sectionCount = 4;
}

void CFundamentalPowerTableView::SetSectionTitles(structSummaryTableData& data)
{
    SetTableRowTitles(kRows, data);
}

void CFundamentalPowerTableView::InitDataItems()
{
    m_dataItems = MakeTableDataItems(kRows);
}

void CFundamentalPowerTableView::LinkWindows()
{
    SetLinkedGraphView(FindLinkedGraphView(kGraphEntry));
}

const SRuntimeClass& CFundamentalPowerTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CFundamentalPowerTableTimeRangeView", &CFundamentalPowerTableView::Class(), &CreateWindowObject<CFundamentalPowerTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CFundamentalPowerTableTimeRangeView::CFundamentalPowerTableTimeRangeView()
{
    SetViewKind(9);
    m_timeRange = 1;
}
