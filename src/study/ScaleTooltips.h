#pragma once
// The four scale tooltips of a graph: over the left Y-axis band, the right Y-axis band and (twice)
// the X-axis band of its chart, each telling how the scale is changed with the mouse. A Y band
// whose axis titles are cut short tells them whole first.
#include "platform/framework/windows/CToolTipCtrl.h"
#include "study/ScaleTooltipLayout.h"

#include <array>

class CScaleTooltips
{
public:
    // Once, when the chart exists; the tips start without area until the first Place.
    void Create(CWnd* owner, CWnd* chart);
    void Place(const SScaleTooltipBands& bands, const CiPlotX& chart);
    void Destroy();
    bool IsCreated() const { return m_chart != nullptr; }

private:
    std::array<CToolTipCtrl, 4> m_tips;
    std::array<CString, 4> m_texts;
    CWnd* m_chart = nullptr;
};
