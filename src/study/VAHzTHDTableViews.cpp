#include "study/VAHzTHDTableViews.h"

#include "study/StudyTableRows.h"
#include "study/TableStrings.h"

namespace {
constexpr STableRowSpec kRows[] = {
    {0, 3, tablestr::kVoltage},
    {1, 3, tablestr::kCurrent},
    {2, 1, tablestr::kFrequency},
    {29, 3, tablestr::kThdV},
    {30, 3, tablestr::kThdA},
};
constexpr int kGraphEntry = 17;
} // namespace

const SRuntimeClass& CVAHzTHDTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CVAHzTHDTableView", &CMyFormView::Class(), &CreateWindowObject<CVAHzTHDTableView>, nullptr};
    return runtimeClass;
}

CVAHzTHDTableView::CVAHzTHDTableView()
{
    SetViewKind(11);
    m_sectionCount = 5;
}

void CVAHzTHDTableView::SetSectionTitles(structSummaryTableData& data)
{
    SetTableRowTitles(kRows, data);
}

void CVAHzTHDTableView::InitDataItems()
{
    m_dataItems = MakeTableDataItems(kRows);
}

void CVAHzTHDTableView::LinkWindows()
{
    SetLinkedGraphView(FindLinkedGraphView(kGraphEntry));
}

const SRuntimeClass& CVAHzTHDTableTimeRangeView::Class()
{
    static const SRuntimeClass runtimeClass{"CVAHzTHDTableTimeRangeView", &CVAHzTHDTableView::Class(), &CreateWindowObject<CVAHzTHDTableTimeRangeView>, nullptr};
    return runtimeClass;
}

CVAHzTHDTableTimeRangeView::CVAHzTHDTableTimeRangeView()
{
    SetViewKind(12);
    m_timeRange = 1;
}
