#pragma once
// The A, Hz, THD graph and tables of the Load study: current, frequency and THD-A.
#include "study/BasicTableView.h"
#include "study/VAHzTHDGraphView.h"
#include "views/RuntimeClass.h"

class CLoadStudyVAHzTHDGraphView : public CVAHzTHDGraphView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudyVAHzTHDGraphView();

    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
};

class CLoadStudyVAHzTHDTableView : public CBasicTableView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudyVAHzTHDTableView();

    void SetSectionTitles(structSummaryTableData& data) override;
    void InitDataItems() override;
    void LinkWindows() override;
};

class CLoadStudyVAHzTHDTableTimeRangeView : public CLoadStudyVAHzTHDTableView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudyVAHzTHDTableTimeRangeView();
};
