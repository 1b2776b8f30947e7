#pragma once
// The V, A, Hz, THD tables of the Energy study: voltage, current, frequency and THD per phase,
// without a total column.
#include "study/BasicTableView.h"
#include "views/RuntimeClass.h"

class CVAHzTHDTableView : public CBasicTableView
{
public:
    static const SRuntimeClass& Class();
    CVAHzTHDTableView();

    void SetSectionTitles(structSummaryTableData& data) override;
    void InitDataItems() override;
    void LinkWindows() override;
};

class CVAHzTHDTableTimeRangeView : public CVAHzTHDTableView
{
public:
    static const SRuntimeClass& Class();
    CVAHzTHDTableTimeRangeView();
};
