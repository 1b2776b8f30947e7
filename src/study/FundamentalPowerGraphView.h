#pragma once
// The Fundamental Power graph of the Energy study: fundamental active, apparent and reactive
// power, the displacement power factor (signed by the quadrant while the option is on) and the
// two auxiliary inputs.
#include "study/PowerGraphView.h"
#include "views/RuntimeClass.h"

class CFundamentalPowerGraphView : public CPowerGraphView
{
public:
    static const SRuntimeClass& Class();
    CFundamentalPowerGraphView();
};
