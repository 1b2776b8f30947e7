#pragma once
// The Demand graph of the Energy study: active, apparent and non-active energy per demand
// interval (each as interval or cumulative values by the options), the power factor (signed or
// folded) and the two auxiliary inputs, read from the demand records or the trend records at
// the chosen demand period.
#include "study/BasicGraphView.h"
#include "views/RuntimeClass.h"

class CDemandGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CDemandGraphView();

    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    void OnDemandSourceChanged(bool useTrendData) override;
    // The two demand tables keep the tariffs the user chose in each other's step, the hidden one
    // too.
    bool FillsTimeRangeTableWhenShown() const override { return false; }
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;
    void SetDefaultSettings() override;
};
