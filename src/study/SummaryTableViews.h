#pragma once
// The RMS Power (summary) tables of the Energy study: active, apparent and reactive power and
// power factor.
#include "study/BasicTableView.h"
#include "views/RuntimeClass.h"

class CSummaryTableView : public CBasicTableView
{
public:
    static const SRuntimeClass& Class();
    CSummaryTableView();

    void SetSectionTitles(structSummaryTableData& data) override;
    void InitDataItems() override;
    void LinkWindows() override;
};

class CSummaryTableTimeRangeView : public CSummaryTableView
{
public:
    static const SRuntimeClass& Class();
    CSummaryTableTimeRangeView();
};
