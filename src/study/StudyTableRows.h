#pragma once
// The rows of a study table as data: quantity, phase slots and the title's string id.
#include "study/BasicGraphView.h"
#include "study/SummaryTableData.h"

#include <span>
#include <vector>

struct STableRowSpec
{
    int quantity;
    int phaseSlots;
    unsigned titleId;
};

// One table item per row: check-box row = row index, no axis, trend records, shown at the
// view settings' demand period.
std::vector<SDataItem> MakeTableDataItems(std::span<const STableRowSpec> rows);
void SetTableRowTitles(std::span<const STableRowSpec> rows, structSummaryTableData& data);
// The graph view of a page from the main view's window table; null while it is not a graph view.
class ILinkedGraphView;
ILinkedGraphView* FindLinkedGraphView(int entry);
