#include "project/AuxSettingsEditBox.h"

#include "project/EditAuxSettingsDlg.h"

#include <utility>

namespace
{
CEditAuxSettingsDlg* OwnerOf(const CWnd& box)
{
    return dynamic_cast<CEditAuxSettingsDlg*>(box.GetParent());
}
} // namespace

void CAuxSettingsEditBox::OnKeyDown(UINT nChar, UINT repeatCount, UINT flags)
{
    // Enter acts when it is released; the edit itself has no use for it.
    if (nChar == VK_RETURN)
    {
        m_enterPressed = true;
        return;
    }
    CEdit::OnKeyDown(nChar, repeatCount, flags);
}

void CAuxSettingsEditBox::OnKeyUp(UINT nChar, UINT repeatCount, UINT flags)
{
    CEditAuxSettingsDlg* dialog = OwnerOf(*this);
    if (nChar != VK_RETURN || !dialog)
    {
        CEdit::OnKeyUp(nChar, repeatCount, flags);
        return;
    }
    if (std::exchange(m_enterPressed, false))
        dialog->MoveFocusOnEnter(this);
}

void CAuxSettingsEditBox::OnSetFocus(CWnd* oldWnd)
{
    m_enterPressed = false;
    CEdit::OnSetFocus(oldWnd);
    if (CEditAuxSettingsDlg* dialog = OwnerOf(*this); dialog && dynamic_cast<CEdit*>(oldWnd))
        dialog->OnEditBoxEntered(oldWnd);
}
