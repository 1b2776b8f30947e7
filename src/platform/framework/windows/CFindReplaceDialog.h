#pragma once
// The framework's modeless find/replace dialog. It tells its owner about every request with the
// registered message FINDMSGSTRING (RegisterWindowMessage), whose lParam is the dialog's
// FINDREPLACE record; GetNotifier turns that back into the dialog. When the user closes it the
// owner gets the flag FR_DIALOGTERM, and the dialog deletes itself: make it with new.
#include "platform/framework/windows/CDialog.h"

inline constexpr DWORD FR_DOWN = 0x00000001;
inline constexpr DWORD FR_WHOLEWORD = 0x00000002;
inline constexpr DWORD FR_MATCHCASE = 0x00000004;
inline constexpr DWORD FR_FINDNEXT = 0x00000008;
inline constexpr DWORD FR_REPLACE = 0x00000010;
inline constexpr DWORD FR_REPLACEALL = 0x00000020;
inline constexpr DWORD FR_DIALOGTERM = 0x00000040;
inline constexpr DWORD FR_NOUPDOWN = 0x00000400;
inline constexpr DWORD FR_NOMATCHCASE = 0x00000800;
inline constexpr DWORD FR_NOWHOLEWORD = 0x00001000;
inline constexpr DWORD FR_HIDEUPDOWN = 0x00004000;
inline constexpr DWORD FR_HIDEMATCHCASE = 0x00008000;
inline constexpr DWORD FR_HIDEWHOLEWORD = 0x00010000;
inline constexpr const char* FINDMSGSTRING = "commdlg_FindReplace";

struct FINDREPLACE
{
    DWORD lStructSize = sizeof(FINDREPLACE);
    HWND hwndOwner = nullptr;
    DWORD Flags = 0;
    LPTSTR lpstrFindWhat = nullptr;
    LPTSTR lpstrReplaceWith = nullptr;
    WORD wFindWhatLen = 0;
    WORD wReplaceWithLen = 0;
    LPARAM lCustData = 0;
};

// A message number shared by everyone who registers the same name (0xC000 and up).
UINT RegisterWindowMessage(LPCTSTR name);

class CFindReplaceDialog : public CDialog
{
public:
    // Control ids of the dialog.
    inline static constexpr UINT kFindWhat = 0x480;
    inline static constexpr UINT kReplaceWith = 0x481;
    inline static constexpr UINT kWholeWord = 0x410;
    inline static constexpr UINT kMatchCase = 0x411;
    inline static constexpr UINT kUp = 0x420;
    inline static constexpr UINT kDown = 0x421;
    inline static constexpr UINT kReplace = 0x400;
    inline static constexpr UINT kReplaceAll = 0x401;

    CFindReplaceDialog();
    ~CFindReplaceDialog() override;
    BOOL Create(BOOL findDialogOnly, LPCTSTR findWhat, LPCTSTR replaceWith = nullptr, DWORD flags = FR_DOWN,
                CWnd* parent = nullptr);
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return m_findWhat; }
    CString GetReplaceString() const { return m_replaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACE m_fr;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;
    void PostNcDestroy() override;

private:
    void Notify(DWORD action);

    CString m_findWhat;
    CString m_replaceWith;
    std::string m_findBuffer;
    std::string m_replaceBuffer;
    CWnd* m_owner = nullptr;
};
