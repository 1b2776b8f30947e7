#include "study/StudyTableRows.h"

#include "study/LinkedGraphView.h"
#include "study/TableStrings.h"
#include "platform/framework/windows/CWnd.h"
#include "views/SectionWindows.h"

std::vector<SDataItem> MakeTableDataItems(std::span<const STableRowSpec> rows)
{
    std::vector<SDataItem> items;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SDataItem item;
        item.quantity = rows[r].quantity;
        item.phaseSlots = rows[r].phaseSlots;
        item.checkBoxRow = int(r);
        item.yAxis = SDataItem::kNoAxis;
        item.recordKind = 0;
        item.useDemandPeriod = 1;
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
