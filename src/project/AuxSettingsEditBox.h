#pragma once
// An edit box of the session settings dialog: Enter moves on to the next box (the last box wraps
// to the first), and entering a box from another edit box recomputes the corrected values. Enter
// acts when it is released, and only when it was also pressed in this box: the release of an
// Enter that closed a message box is not a new Enter.
#include "platform/framework/windows/CEdit.h"

class CAuxSettingsEditBox : public CEdit
{
public:
    // The dialog takes the press of Enter (its default button) while the box has the focus.
    void NoteEnterPressed() { m_enterPressed = true; }

protected:
    void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnKeyUp(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;

private:
    bool m_enterPressed = false;
};
