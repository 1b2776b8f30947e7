#include "platform/framework/windows/NumberField.h"

#include "platform/framework/LocaleNumber.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/DataExchange.h"
#include "platform/framework/windows/FieldRefusal.h"
#include "platform/framework/windows/QtBridge.h"

#include <cmath>

namespace {

// The texts of the refusals (string table).
constexpr UINT kNotANumberText = 61720;
constexpr UINT kOutOfRangeText = 61721;
constexpr UINT kZeroText = 61722;
constexpr int kBoundDecimals = 6;

} // namespace

ENumberCheck CheckNumber(const CString& text, const SNumberRange& range, double& value)
{
    if (!ReadLocaleNumber(text, CUserLocale::Current(), value))
        return ENumberCheck::kNotANumber;
    if (!(value >= range.lowest && value <= range.highest))
        return ENumberCheck::kOutOfRange;
    if (!range.zeroAllowed && std::round(value * std::pow(10.0, range.decimals)) == 0.0)
        return ENumberCheck::kZero;
    return ENumberCheck::kNumber;
}

CString RefusalText(ENumberCheck check, const CString& text, const SNumberRange& range)
{
    const CUserLocale& locale = CUserLocale::Current();
    const CString lowest = ShowLocaleNumber(range.lowest, kBoundDecimals, locale);
    const CString highest = ShowLocaleNumber(range.highest, kBoundDecimals, locale);
    CString format;
    switch (check) {
    case ENumberCheck::kNumber: return {};
    case ENumberCheck::kNotANumber: format.LoadString(kNotANumberText); break;
    case ENumberCheck::kOutOfRange: format.LoadString(kOutOfRangeText); break;
    case ENumberCheck::kZero: format.LoadString(kZeroText); break;
    }
    CString trimmed = text;
    trimmed.Trim();
    return CString::Formatted(format.GetString(), trimmed, lowest, highest);
}

std::optional<double> ReadNumberField(CWnd& field, const SNumberRange& range, const CString& previous)
{
    CString text;
    field.GetWindowText(text);
    return ReadNumberField(field, text, range, previous);
}

std::optional<double> ReadNumberField(CWnd& field, const CString& text, const SNumberRange& range, const CString& previous)
{
    double value = 0.0;
    const ENumberCheck check = CheckNumber(text, range, value);
    if (check == ENumberCheck::kNumber)
        return value;
    field.SetWindowText(previous);
    field.SendMessage(EM_SETSEL, 0, -1);
    TellRefusalLater(RefusalText(check, text, range), field.Impl() ? field.Impl()->widget.data() : nullptr);
    return std::nullopt;
}

void DDX_Number(CDataExchange* dx, int id, double& value, const SNumberRange& range)
{
    dx->PrepareEditCtrl(id);
    CWnd* field = dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDlgItem(id) : nullptr;
    if (!field)
        return;
    if (!dx->m_bSaveAndValidate) {
        field->SetWindowText(ShortestLocaleNumber(value, CUserLocale::Current()));
        return;
    }
    CString text;
    field->GetWindowText(text);
    double read = 0.0;
    const ENumberCheck check = CheckNumber(text, range, read);
    if (check != ENumberCheck::kNumber) {
        AfxMessageBox(RefusalText(check, text, range).GetString(), MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = read;
}
