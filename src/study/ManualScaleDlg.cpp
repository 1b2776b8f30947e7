#include "study/ManualScaleDlg.h"

#include "study/DataToIOComp.h"

#include <cmath>
#include <utility>

CManualScaleDlg::CManualScaleDlg(CDataToIOComp* feeder, int axis, double low, double high, bool allowInverted)
    : m_feeder(feeder), m_axis(axis), m_low(low), m_high(high)
{
    if (!allowInverted && m_low > m_high)
        std::swap(m_low, m_high);
}

bool CManualScaleDlg::Apply()
{
    CiPlotX* chart = m_feeder ? m_feeder->GetChart() : nullptr;
    if (!chart || !std::isfinite(m_low) || !std::isfinite(m_high) || m_high == m_low ||
        !chart->SetYAxisRange(m_axis, std::min(m_low, m_high), std::fabs(m_high - m_low)))
        return false;
    m_feeder->SetYAxisRange(m_axis, m_low, m_high);
    m_feeder->SetYAxisManual(m_axis, true);
    chart->GetYAxis(m_axis)->SetManual(true);
    return true;
}

CManualScaleXAxisDlg::CManualScaleXAxisDlg(CDataToIOComp* feeder, int axis, double begin, double end)
    : m_feeder(feeder), m_axis(axis), m_begin(begin), m_end(end)
{
}

bool CManualScaleXAxisDlg::Apply()
{
    if (m_pickers.IsBound())
        m_pickers.GetRange(m_begin, m_end);
    CiPlotX* chart = m_feeder ? m_feeder->GetChart() : nullptr;
    return chart && m_end > m_begin && chart->SetXAxisRange(m_axis, m_begin, m_end - m_begin);
}
