#include "study/StudyTableRows.h"

#include "study/LinkedGraphView.h"
#include "study/TableStrings.h"
#include "platform/framework/windows/CWnd.h"
#include "views/SectionWindows.h"

namespace {
constexpr int kTableItemAxis = -2; // a table row has no Y axis
} // namespace

std::vector<SDataItem> MakeTableDataItems(std::span<const STableRowSpec> rows)
{
    std::vector<SDataItem> items;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SDataItem item;
        item.quantity = DWORD(rows[r].quantity);
        item.phaseSlots = rows[r].phaseSlots;
        item.row = int(r);
        item.yAxis = kTableItemAxis;
        item.demandRecords = false;
        item.useDemandPeriod = true;
        items.push_back(item);
    }
    return items;
}

void SetTableRowTitles(std::span<const STableRowSpec> rows, structSummaryTableData& data)
{
    for (std::size_t r = 0; r < rows.size() && r < data.rows.size(); ++r)
        data.rows[r].title = LoadTableString(rows[r].titleId);
}

ILinkedGraphView* FindLinkedGraphView(int entry)
{
    CWnd* view = g_pSectionWindows ? g_pSectionWindows->GetSectionView(entry) : nullptr;
    return dynamic_cast<ILinkedGraphView*>(view);
}
