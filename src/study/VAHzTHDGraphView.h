#pragma once
// The V, A, Hz, THD graph of the Energy study: voltage, current, frequency, THD-V and THD-A
// per phase and the two auxiliary inputs.
#include "study/BasicGraphView.h"
#include "views/RuntimeClass.h"

class CVAHzTHDGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CVAHzTHDGraphView();

    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;

protected:
    CVAHzTHDGraphView(int settingsKind, int viewKind, int studyType);
};
