#pragma once
// The power graph of the Energy study, shared by the RMS Power and the Fundamental Power pages:
// three powers, the power factor (signed by the quadrant while the option is on, folded
// otherwise) and the two auxiliary inputs. The pages differ only in their quantities and places.
#include "study/BasicGraphView.h"

// What tells one power page from the other.
struct SPowerGraphQuantities
{
    DWORD firstPower = 0;    // the three powers are firstPower, firstPower + 1, firstPower + 2
    DWORD signedFactor = 0;  // shown while the inductive/capacitive option is on
    DWORD foldedFactor = 0;  // shown otherwise
    UINT factorTitle = 0;    // string id of the power factor axes
    bool factorAxesRight = false; // the power factor axes stand right of the plot
    int tableEntry = 0;      // section entries of the page's two tables
    int timeRangeTableEntry = 0;
};

class CPowerGraphView : public CBasicGraphView
{
public:
    void UpdateTimeRangeSection() override;
    void LinkWindows() override;
    void InitDataItems() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;

protected:
    CPowerGraphView(int settingsKind, int viewKind, const SPowerGraphQuantities& quantities);

private:
    const SPowerGraphQuantities& m_quantities;
};
