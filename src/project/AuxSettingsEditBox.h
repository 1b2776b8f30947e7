#pragma once
// An edit box of the session settings dialog: Enter moves on to the next box (the last box wraps
// to the first), and entering a box from another edit box recomputes the corrected values.
#include "platform/framework/windows/CEdit.h"

class CAuxSettingsEditBox : public CEdit
{
protected:
    void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
};
