#include "study/ScaleTooltips.h"

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
        CString text;
        text.LoadString(kTipStrings[i]);
        m_tips[i].Create(owner, TTS_ALWAYSTIP | TTS_NOPREFIX);
        m_tips[i].AddTool(chart, text, &none, kToolId);
        m_tips[i].SetMaxTipWidth(kMaxTipWidth);
    }
}

void CScaleTooltips::Place(const SScaleTooltipBands& bands)
{
    if (!m_chart)
        return;
    const std::array<CRect, 4> rects{bands.leftYAxes, bands.rightYAxes, bands.xAxes, bands.xAxes};
    for (std::size_t i = 0; i < m_tips.size(); ++i)
        m_tips[i].SetToolRect(m_chart, kToolId, &rects[i]);
}

void CScaleTooltips::Destroy()
{
    for (CToolTipCtrl& tip : m_tips)
        tip.DestroyWindow();
    m_chart = nullptr;
}
