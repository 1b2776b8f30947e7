#pragma once
// The RMS Power (summary) graph of the Energy study: active, apparent and reactive power, the
// power factor (folded or signed by the fourth option) and the two auxiliary inputs.
#include "study/BasicGraphView.h"
#include "views/RuntimeClass.h"

class CSummaryGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CSummaryGraphView();

    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;
};
