#include "study/SummaryTableData.h"

void structSummaryTableData::Reset()
{
    const CString keptName = name;
    *this = structSummaryTableData{};
    name = keptName;
}
