#include "platform/framework/windows/DataExchange.h"

#include "platform/framework/LocaleNumber.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/QtBridge.h"
#include <climits>

#include <cerrno>
#include <cmath>
#include <cstdlib>

HWND CDataExchange::PrepareCtrl(int id)
{
    CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
    m_lastControl = control ? control->m_hWnd : nullptr;
    return m_lastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) { return PrepareCtrl(id); }

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate)
        if (CWnd* control = CWnd::FromHandle(m_lastControl))
        {
            control->SetFocus();
            if (control->Impl()->controlClass == "EDIT") control->SendMessage(EM_SETSEL, 0, -1);
        }
    throw CUserException{};
}

namespace
{
CWnd* Control(CDataExchange* dx, int id)
{
    dx->PrepareCtrl(id);
    return dx->m_pDlgWnd ? dx->m_pDlgWnd->GetDlgItem(id) : nullptr;
}

CString TextOf(CDataExchange* dx, int id)
{
    CString text;
    if (CWnd* c = Control(dx, id)) c->GetWindowText(text);
    return text;
}

void SetTextOf(CDataExchange* dx, int id, const CString& text)
{
    if (CWnd* c = Control(dx, id)) c->SetWindowText(text);
}

// Whole-text integer parsing; surrounding blanks are allowed.
bool ParseLong(const CString& text, long long& value)
{
    CString t = text;
    t.Trim();
    if (t.IsEmpty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(t.GetString(), &end, 10);
    return errno == 0 && end && *end == 0;
}

template <typename T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, long long lowest, long long highest)
{
    if (!dx->m_bSaveAndValidate)
    {
        SetTextOf(dx, id, std::is_signed_v<T> ? CString::Formatted("%lld", (long long)value)
                                              : CString::Formatted("%llu", (unsigned long long)value));
        return;
    }
    long long parsed = 0;
    if (!ParseLong(TextOf(dx, id), parsed) || parsed < lowest || parsed > highest)
    {
        AfxMessageBox(AFX_IDP_PARSE_INT);
        dx->Fail();
    }
    value = T(parsed);
}

template <typename T>
void ExchangeReal(CDataExchange* dx, int id, T& value)
{
    if (!dx->m_bSaveAndValidate)
    {
        // Shown and read in the user's locale, as every typed number is: the text reads back to
        // the value.
        const CUserLocale& locale = CUserLocale::Current();
        SetTextOf(dx, id, std::is_same_v<T, float> ? ShortestLocaleFloat(float(value), locale)
                                                   : ShortestLocaleNumber(double(value), locale));
        return;
    }
    double parsed = 0;
    if (!ReadLocaleNumber(TextOf(dx, id), CUserLocale::Current(), parsed))
    {
        AfxMessageBox(AFX_IDP_PARSE_REAL);
        dx->Fail();
    }
    value = T(parsed);
}
} // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    if (dx->m_bSaveAndValidate) value = TextOf(dx, id);
    else SetTextOf(dx, id, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeInteger(dx, id, value, INT32_MIN, INT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, UINT& value) { ExchangeInteger(dx, id, value, 0, UINT32_MAX); }
void DDX_Text(CDataExchange* dx, int id, long& value) { ExchangeInteger(dx, id, value, LONG_MIN, LONG_MAX); }
void DDX_Text(CDataExchange* dx, int id, double& value) { ExchangeReal(dx, id, value); }
void DDX_Text(CDataExchange* dx, int id, float& value) { ExchangeReal(dx, id, value); }

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    CWnd* c = Control(dx, id);
    if (!c) return;
    if (dx->m_bSaveAndValidate) value = int(c->SendMessage(BM_GETCHECK));
    else c->SendMessage(BM_SETCHECK, WPARAM(value));
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    CWnd* first = Control(dx, id);
    if (!first) return;
    if (dx->m_bSaveAndValidate) value = -1;
    int index = 0;
    for (CWnd* c = first; c; c = c->GetWindow(GW_HWNDNEXT), ++index)
    {
        if (c != first && (c->GetStyle() & WS_GROUP)) break;
        WndImpl* impl = c->Impl();
        if (!impl || impl->controlClass != "BUTTON") break;
        const DWORD type = impl->style & BS_TYPEMASK;
        if (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON) break;
        if (dx->m_bSaveAndValidate)
        {
            if (c->SendMessage(BM_GETCHECK) == BST_CHECKED) value = index;
        }
        else
        {
            c->SendMessage(BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    CWnd* c = Control(dx, id);
    if (!c) return;
    if (dx->m_bSaveAndValidate) index = int(c->SendMessage(LB_GETCURSEL));
    else c->SendMessage(LB_SETCURSEL, WPARAM(std::intptr_t(index)));
}

void DDX_LBString(CDataExchange* dx, int id, CString& value)
{
    CWnd* c = Control(dx, id);
    if (!c) return;
    if (dx->m_bSaveAndValidate)
    {
        const int sel = int(c->SendMessage(LB_GETCURSEL));
        value.Empty();
        if (sel >= 0)
        {
            std::string buffer(std::size_t(c->SendMessage(LB_GETTEXTLEN, WPARAM(sel))) + 1, '\0');
            c->SendMessage(LB_GETTEXT, WPARAM(sel), LPARAM(buffer.data()));
            value = CString(buffer.c_str());
        }
    }
    else
    {
        c->SendMessage(LB_SELECTSTRING, WPARAM(std::intptr_t(-1)), LPARAM(value.GetString()));
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    CWnd* c = Control(dx, id);
    if (!c) return;
    if (dx->m_bSaveAndValidate) index = int(c->SendMessage(CB_GETCURSEL));
    else c->SendMessage(CB_SETCURSEL, WPARAM(std::intptr_t(index)));
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    CWnd* c = Control(dx, id);
    if (!c) return;
    if (dx->m_bSaveAndValidate) c->GetWindowText(value);
    else if (c->SendMessage(CB_SELECTSTRING, WPARAM(std::intptr_t(-1)), LPARAM(value.GetString())) == CB_ERR)
        c->SetWindowText(value);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    dx->PrepareCtrl(id);
    if (!control.SubclassDlgItem(UINT(id), dx->m_pDlgWnd))
    {
        CString text;
        text.Format("Dialog control %d does not exist", id);
        AfxMessageBox(text.GetString());
        dx->Fail();
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    CString prompt;
    prompt.LoadString(AFX_IDP_PARSE_INT_RANGE);
    AfxMessageBox(CString::Formatted(prompt.GetString(), minValue, maxValue).GetString());
    dx->Fail();
}

void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue)
{
    if (!dx->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
    CString prompt;
    prompt.LoadString(AFX_IDP_PARSE_REAL_RANGE);
    const CUserLocale& locale = CUserLocale::Current();
    AfxMessageBox(CString::Formatted(prompt.GetString(), ShowLocaleNumber(minValue, 6, locale),
                                     ShowLocaleNumber(maxValue, 6, locale)).GetString());
    dx->Fail();
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars)
{
    if (dx->m_bSaveAndValidate)
    {
        if (value.GetLength() <= maxChars) return;
        CString prompt;
        prompt.LoadString(AFX_IDP_PARSE_STRING_SIZE);
        AfxMessageBox(CString::Formatted(prompt.GetString(), maxChars).GetString());
        dx->Fail();
    }
}
