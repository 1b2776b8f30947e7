#pragma once
// The Fundamental Power tables of the Energy study: fundamental active, apparent and reactive
// power and the displacement power factor.
#include "study/BasicTableView.h"
#include "views/RuntimeClass.h"

class CFundamentalPowerTableView : public CBasicTableView
{
public:
    static const SRuntimeClass& Class();
    CFundamentalPowerTableView();

    void SetSectionTitles(structSummaryTableData& data) override;
    void InitDataItems() override;
    void LinkWindows() override;
};

class CFundamentalPowerTableTimeRangeView : public CFundamentalPowerTableView
{
public:
    static const SRuntimeClass& Class();
    CFundamentalPowerTableTimeRangeView();
};
