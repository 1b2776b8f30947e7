#pragma once
// Dialog data exchange: moving values between a dialog's members and its controls by id.
// UpdateData(TRUE) reads the controls (and validates), UpdateData(FALSE) fills them. A value that
// cannot be read tells the user with the framework's prompt, puts the focus on the control and
// fails the exchange.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CWnd.h"

class CDialog;

// The framework's prompts (string table ids).
inline constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
inline constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
inline constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF112;
inline constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 0xF113;
inline constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF114;

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    // The control of the value being exchanged; the focus goes there when the exchange fails.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Ends the exchange as failed (the prompt has been shown).
    [[noreturn]] void Fail();

private:
    HWND m_lastControl = nullptr;
};

// Thrown by Fail and caught by UpdateData.
struct CUserException
{
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_Text(CDataExchange* dx, int id, float& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button of the radio group that starts at the control (-1: none).
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_LBIndex(CDataExchange* dx, int id, int& index);
void DDX_LBString(CDataExchange* dx, int id, CString& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
// Attaches a member control to the dialog's control of that id (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* dx, double value, double minValue, double maxValue);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
