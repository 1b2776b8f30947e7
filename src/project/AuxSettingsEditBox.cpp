#include "project/AuxSettingsEditBox.h"

#include "project/EditAuxSettingsDlg.h"

void CAuxSettingsEditBox::OnSetFocus(CWnd* oldWnd)
{
    CEdit::OnSetFocus(oldWnd);
    if (auto* dialog = dynamic_cast<CEditAuxSettingsDlg*>(GetParent()); dialog && dynamic_cast<CEdit*>(oldWnd))
        dialog->OnEditBoxEntered(oldWnd);
}
