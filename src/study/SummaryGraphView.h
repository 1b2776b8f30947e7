#pragma once
// The RMS Power (summary) graph of the Energy study: active, apparent and reactive power, the
// power factor (folded or signed by the fourth option) and the two auxiliary inputs.
#include "study/PowerGraphView.h"
#include "views/RuntimeClass.h"

class CSummaryGraphView : public CPowerGraphView
{
public:
    static const SRuntimeClass& Class();
    CSummaryGraphView();
};
