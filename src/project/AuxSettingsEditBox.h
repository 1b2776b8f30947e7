#pragma once
// An edit box of the session settings dialog: entering a box from another edit box recomputes
// the corrected values.
#include "platform/framework/windows/CEdit.h"

class CAuxSettingsEditBox : public CEdit
{
protected:
    void OnSetFocus(CWnd* oldWnd) override;
};
