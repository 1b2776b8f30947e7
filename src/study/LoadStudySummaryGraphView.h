#pragma once
// The RMS Power graph of the Load study: the apparent power estimated from the nominal voltage
// and the two auxiliary inputs. A nominal-voltage change handed over by its tables rescales the
// estimate, refills both tables and travels into the Load calendar's stored settings.
#include "study/BasicGraphView.h"
#include "views/RuntimeClass.h"

class CLoadStudySummaryGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudySummaryGraphView();

    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnNominalVoltagesChanged();
};
