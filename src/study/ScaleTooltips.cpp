#include "study/ScaleTooltips.h"

#include "platform/chart/CiPlotX.h"

namespace
{
constexpr UINT kXAxisTipString = 144;
constexpr UINT kYAxisTipString = 145;
constexpr int kMaxTipWidth = 200;
constexpr UINT_PTR kToolId = 1;
// Left Y band, right Y band, X band, X band again.
constexpr std::array<UINT, 4> kTipStrings{kYAxisTipString, kYAxisTipString, kXAxisTipString, kXAxisTipString};
} // namespace

void CScaleTooltips::Create(CWnd* owner, CWnd* chart)
{
    if (m_chart || !chart)
        return;
    m_chart = chart;
    const CRect none;
    for (std::size_t i = 0; i < m_tips.size(); ++i) {
        m_texts[i].LoadString(kTipStrings[i]);
        m_tips[i].Create(owner, TTS_ALWAYSTIP | TTS_NOPREFIX);
        m_tips[i].AddTool(chart, m_texts[i], &none, kToolId);
        m_tips[i].SetMaxTipWidth(kMaxTipWidth);
    }
}

void CScaleTooltips::Place(const SScaleTooltipBands& bands, const CiPlotX& chart)
{
    if (!m_chart)
        return;
    std::array<CString, 2> cutTitles; // left and right
    for (int axis = 0; axis < chart.GetYAxisCount(); ++axis) {
        const CPlotYAxis& y = *chart.GetYAxis(axis);
        if (y.IsVisible() && chart.GetShownYAxisTitle(axis) != y.GetTitle())
            cutTitles[y.IsRightSide() ? 1 : 0] += y.GetTitle() + "\n";
    }
    std::array<CString, 4> texts = m_texts;
    for (std::size_t side = 0; side < cutTitles.size(); ++side)
        if (!cutTitles[side].IsEmpty())
            texts[side] = cutTitles[side] + "\n" + m_texts[side];
    const std::array<CRect, 4> rects{bands.leftYAxes, bands.rightYAxes, bands.xAxes, bands.xAxes};
    for (std::size_t i = 0; i < m_tips.size(); ++i)
        m_tips[i].AddTool(m_chart, texts[i], &rects[i], kToolId);
}

void CScaleTooltips::Destroy()
{
    for (CToolTipCtrl& tip : m_tips)
        tip.DestroyWindow();
    m_chart = nullptr;
}
