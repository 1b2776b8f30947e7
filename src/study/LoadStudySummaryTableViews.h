#pragma once
// The RMS Power tables of the Load study: the nominal voltage of each session (editable, with
// its reference) and the estimated apparent power.
#include "study/BasicTableView.h"
#include "views/RuntimeClass.h"

class CLoadStudySummaryTableView : public CBasicTableView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudySummaryTableView();

    void SetSectionTitles(structSummaryTableData& data) override;
    void InitDataItems() override;
    void LinkWindows() override;

protected:
    void PrepareGrid(CSummaryGrid& grid) override;
};

class CLoadStudySummaryTableTimeRangeView : public CLoadStudySummaryTableView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudySummaryTableTimeRangeView();
};
