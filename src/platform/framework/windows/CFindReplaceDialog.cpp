#include "platform/framework/windows/CFindReplaceDialog.h"

#include "platform/framework/windows/DialogTemplate.h"

#include <map>
#include <string>

namespace
{
std::map<const FINDREPLACE*, CFindReplaceDialog*>& Dialogs()
{
    static std::map<const FINDREPLACE*, CFindReplaceDialog*> dialogs;
    return dialogs;
}

DialogItemTemplate Item(UINT id, const char* cls, const char* text, CRect rect, DWORD style)
{
    DialogItemTemplate item;
    item.id = id;
    item.className = cls;
    item.text = text;
    item.rect = rect;
    item.style = WS_CHILD | WS_VISIBLE | style;
    return item;
}

DialogTemplate FindTemplate(bool findOnly, DWORD flags)
{
    DialogTemplate t;
    t.caption = findOnly ? "Find" : "Replace";
    t.size = findOnly ? CSize(236, 62) : CSize(230, 94);
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    using D = CFindReplaceDialog;
    t.items.push_back(Item(0xFFFF, "STATIC", "Fi&nd what:", CRect(4, 8, 52, 16), 0));
    t.items.push_back(Item(D::kFindWhat, "EDIT", "", CRect(54, 7, 168, 19), ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP));
    int y = 26;
    if (!findOnly)
    {
        t.items.push_back(Item(0xFFFF, "STATIC", "Re&place with:", CRect(4, 26, 52, 34), 0));
        t.items.push_back(Item(D::kReplaceWith, "EDIT", "", CRect(54, 24, 168, 36), ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP));
        y = 46;
    }
    if (!(flags & FR_HIDEWHOLEWORD))
        t.items.push_back(Item(D::kWholeWord, "BUTTON", "Match &whole word only", CRect(5, y, 105, y + 12),
                               BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP));
    if (!(flags & FR_HIDEMATCHCASE))
        t.items.push_back(Item(D::kMatchCase, "BUTTON", "Match &case", CRect(5, y + 14, 64, y + 26), BS_AUTOCHECKBOX | WS_TABSTOP));
    if (findOnly && !(flags & FR_HIDEUPDOWN))
    {
        t.items.push_back(Item(D::kUp, "BUTTON", "&Up", CRect(111, y + 12, 138, y + 24), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP));
        t.items.push_back(Item(D::kDown, "BUTTON", "&Down", CRect(140, y + 12, 174, y + 24), BS_AUTORADIOBUTTON));
    }
    t.items.push_back(Item(IDOK, "BUTTON", "&Find Next", CRect(174, 5, 224, 19), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP));
    if (!findOnly)
    {
        t.items.push_back(Item(D::kReplace, "BUTTON", "&Replace", CRect(174, 23, 224, 37), WS_TABSTOP));
        t.items.push_back(Item(D::kReplaceAll, "BUTTON", "Replace &All", CRect(174, 41, 224, 55), WS_TABSTOP));
    }
    t.items.push_back(Item(IDCANCEL, "BUTTON", "Cancel", findOnly ? CRect(174, 23, 224, 37) : CRect(174, 59, 224, 73), WS_TABSTOP));
    return t;
}
} // namespace

UINT RegisterWindowMessage(LPCTSTR name)
{
    static std::map<std::string, UINT> registered;
    if (!name) return 0;
    const auto [it, added] = registered.emplace(name, UINT(0xC000 + registered.size()));
    return it->second;
}

CFindReplaceDialog::CFindReplaceDialog() { Dialogs()[&m_fr] = this; }

CFindReplaceDialog::~CFindReplaceDialog() { Dialogs().erase(&m_fr); }

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    const auto it = Dialogs().find(reinterpret_cast<const FINDREPLACE*>(lParam));
    return it == Dialogs().end() ? nullptr : it->second;
}

BOOL CFindReplaceDialog::Create(BOOL findDialogOnly, LPCTSTR findWhat, LPCTSTR replaceWith, DWORD flags, CWnd* parent)
{
    m_owner = parent;
    m_fr.Flags = flags;
    m_fr.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_findWhat = findWhat ? findWhat : "";
    m_replaceWith = replaceWith ? replaceWith : "";
    if (!CreateIndirect(FindTemplate(findDialogOnly, flags), parent)) return FALSE;
    SetDlgItemText(int(kFindWhat), m_findWhat);
    SetDlgItemText(int(kReplaceWith), m_replaceWith);
    CheckDlgButton(int(kWholeWord), (flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(int(kMatchCase), (flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(int(kUp), int(kDown), (flags & FR_DOWN) ? int(kDown) : int(kUp));
    if (flags & FR_NOWHOLEWORD)
        if (CWnd* w = GetDlgItem(int(kWholeWord))) w->EnableWindow(FALSE);
    if (flags & FR_NOMATCHCASE)
        if (CWnd* w = GetDlgItem(int(kMatchCase))) w->EnableWindow(FALSE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

// Reads the dialog's fields into the record and tells the owner what the user asked for.
void CFindReplaceDialog::Notify(DWORD action)
{
    GetDlgItemText(int(kFindWhat), m_findWhat);
    GetDlgItemText(int(kReplaceWith), m_replaceWith);
    m_findBuffer = m_findWhat.str();
    m_replaceBuffer = m_replaceWith.str();
    m_fr.lpstrFindWhat = m_findBuffer.data();
    m_fr.lpstrReplaceWith = m_replaceBuffer.data();
    m_fr.wFindWhatLen = WORD(m_findBuffer.size() + 1);
    m_fr.wReplaceWithLen = WORD(m_replaceBuffer.size() + 1);
    DWORD flags = m_fr.Flags & ~(FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL | FR_DIALOGTERM | FR_WHOLEWORD | FR_MATCHCASE);
    if (IsDlgButtonChecked(int(kWholeWord)) == BST_CHECKED) flags |= FR_WHOLEWORD;
    if (IsDlgButtonChecked(int(kMatchCase)) == BST_CHECKED) flags |= FR_MATCHCASE;
    if (GetDlgItem(int(kDown)))
    {
        if (IsDlgButtonChecked(int(kDown)) == BST_CHECKED) flags |= FR_DOWN;
        else flags &= ~FR_DOWN;
    }
    m_fr.Flags = flags | action;
    if (m_owner && m_owner->m_hWnd)
        m_owner->SendMessage(RegisterWindowMessage(FINDMSGSTRING), 0, LPARAM(&m_fr));
}

BOOL CFindReplaceDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED)
        switch (LOWORD(wParam))
        {
        case IDOK: Notify(FR_FINDNEXT); return TRUE;
        case kReplace: Notify(FR_REPLACE); return TRUE;
        case kReplaceAll: Notify(FR_REPLACEALL); return TRUE;
        default: break;
        }
    return CDialog::OnCommand(wParam, lParam);
}

void CFindReplaceDialog::OnCancel()
{
    Notify(FR_DIALOGTERM);
    DestroyWindow();
}

void CFindReplaceDialog::PostNcDestroy() { delete this; }
