#include "study/ManualScaleDlg.h"

#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/NumberField.h"
#include "study/DataToIOComp.h"

#include <cmath>
#include <optional>
#include <utility>

namespace {

const std::vector<int> kLengthChoices = {0, 1, 2, 3, 4, 5, 6, 7, 8};
// Values of an axis in the units it shows (kW, V, %...): far beyond anything measured.
constexpr SNumberRange kAxisValueRange{-1e9, 1e9};
constexpr UINT kMinimumNotBelowMaximumText = 20025;

} // namespace

CManualScaleDlg::CManualScaleDlg(CDataToIOComp* feeder, int axis, double low, double high, bool allowInverted,
                                 CWnd* parent)
    : CDialog(kTemplateId, parent), m_feeder(feeder), m_axis(axis), m_low(low), m_high(high),
      m_allowInverted(allowInverted)
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

BOOL CManualScaleDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CValueFormatter formatter;
    SetDlgItemText(int(kLowEdit), formatter.FormatNumber(m_low, 6));
    SetDlgItemText(int(kHighEdit), formatter.FormatNumber(m_high, 6));
    return TRUE;
}

void CManualScaleDlg::OnOK()
{
    const CValueFormatter formatter;
    CWnd* lowEdit = GetDlgItem(int(kLowEdit));
    CWnd* highEdit = GetDlgItem(int(kHighEdit));
    if (!lowEdit || !highEdit)
        return;
    const std::optional<double> low = ReadNumberField(*lowEdit, kAxisValueRange, formatter.FormatNumber(m_low, 6));
    if (!low)
        return;
    const std::optional<double> high = ReadNumberField(*highEdit, kAxisValueRange, formatter.FormatNumber(m_high, 6));
    if (!high)
        return;
    // An axis runs from its minimum up to its maximum: two values the other way round are
    // refused rather than swapped behind the user's back.
    if (*low == *high || (!m_allowInverted && *low > *high)) {
        CString format;
        format.LoadString(kMinimumNotBelowMaximumText);
        const CUserLocale& locale = CUserLocale::Current();
        AfxMessageBox(CString::Formatted(format.GetString(), ShowLocaleNumber(*low, 6, locale),
                                         ShowLocaleNumber(*high, 6, locale)).GetString(),
                      MB_ICONEXCLAMATION);
        lowEdit->SetFocus();
        lowEdit->SendMessage(EM_SETSEL, 0, -1);
        return;
    }
    m_low = *low;
    m_high = *high;
    CDialog::OnOK();
}

CManualScaleXAxisDlg::CManualScaleXAxisDlg(CDataToIOComp* feeder, int axis, double begin, double end, CWnd* parent)
    : CDialog(kTemplateId, parent), m_feeder(feeder), m_axis(axis), m_begin(begin), m_end(end)
{
}

bool CManualScaleXAxisDlg::Apply()
{
    if (m_pickers.IsBound())
        m_pickers.GetRange(m_begin, m_end);
    CiPlotX* chart = m_feeder ? m_feeder->GetChart() : nullptr;
    return chart && m_end > m_begin && chart->SetXAxisRange(m_axis, m_begin, m_end - m_begin);
}

BOOL CManualScaleXAxisDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pickers.Init(this, CHighTime(2050, 1, 1, 0, 0, 0), CHighTime(1990, 1, 1, 0, 0, 0), CHighTime(), CHighTime(),
                   kPickerIds, false, kLengthChoices, 0);
    m_pickers.SetRange(m_begin, m_end);
    return TRUE;
}

BOOL CManualScaleXAxisDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == DTN_DATETIMECHANGE) {
        const UINT id = UINT(header->idFrom);
        if (id == kPickerIds.beginDate || id == kPickerIds.beginTime)
            m_pickers.OnPickerChanged(true);
        else if (id == kPickerIds.endDate || id == kPickerIds.endTime)
            m_pickers.OnPickerChanged(false);
        *result = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL CManualScaleXAxisDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kPickerIds.intervalList && HIWORD(wParam) == CBN_SELCHANGE) {
        m_pickers.OnChoiceChanged();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
