#pragma once
// The Fundamental Power graph of the Energy study: fundamental active, apparent and reactive
// power, the displacement power factor (signed by the quadrant while the option is on) and the
// two auxiliary inputs.
#include "study/BasicGraphView.h"
#include "views/RuntimeClass.h"

class CFundamentalPowerGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CFundamentalPowerGraphView();

    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;
};
