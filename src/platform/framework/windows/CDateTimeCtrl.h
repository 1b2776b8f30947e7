#pragma once
// The date and time picker: a date (DTS_SHORTDATEFORMAT) or a time (DTS_TIMEFORMAT) field. A
// user's change sends WM_NOTIFY with DTN_DATETIMECHANGE to the parent, and losing the focus
// NM_KILLFOCUS.
#include "platform/framework/SystemTime.h"
#include "platform/framework/windows/CWnd.h"

class CDateTimeCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetTime(const SYSTEMTIME* time);
    // GDT_VALID (0) when a time was read.
    DWORD GetTime(SYSTEMTIME* time) const;
    // A display picture in the platform's letters (d, M, y, H, h, m, s, t).
    BOOL SetFormat(LPCTSTR format);
    // The dates a date picker takes (null: no bound on that side); a date typed outside them is
    // refused with a message, the arrows stop at them.
    BOOL SetRange(const SYSTEMTIME* lowest, const SYSTEMTIME* highest);
};
inline constexpr DWORD GDT_VALID = 0;
inline constexpr DWORD GDT_ERROR = DWORD(-1);
inline constexpr WPARAM GDTR_MIN = 1;
inline constexpr WPARAM GDTR_MAX = 2;
