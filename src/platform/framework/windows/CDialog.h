#pragma once
// Dialogs built from templates (resources/dialogs/<id>.json, see DialogTemplate.h). A modal
// dialog runs its own message loop in DoModal until EndDialog; a modeless one is made with Create
// and lives until DestroyWindow. The controls of the template are children with their ids
// (GetDlgItem), in the template's font; a member control takes one over with DDX_Control or
// SubclassDlgItem. Enter presses the default button (IDOK unless SetDefID), Escape sends IDCANCEL,
// Tab moves through the controls with WS_TABSTOP; a control that wants those keys says so in
// WM_GETDLGCODE. Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp choose the next or previous tab
// of the dialog's tab control. A modal dialog gives the focus back to the control that had it
// when it opened.
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CWnd.h"

#include <functional>

class CDataExchange;
class CFont;
struct DialogTemplate;

class CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless: creates the window from the template; WS_CHILD templates make embedded pages.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // The same from a template in memory.
    BOOL CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    // Modal: returns the EndDialog result, or -1 when the template cannot be used.
    virtual INT_PTR DoModal();
    // Makes the next DoModal use a template in memory.
    BOOL InitModalIndirect(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    // Ends with IDOK once every field takes what was typed (a field refused as the focus left it
    // is told and the dialog stays open).
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    // Moves values between the members and the controls (save: controls to members); FALSE when
    // a field failed (the user was told and the focus is on it).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void MapDialogRect(LPRECT rect) const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* control);
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    UINT GetTemplateId() const { return m_nIDTemplate; }
    // The window that had the focus when the modal dialog opened, which has it back when the
    // dialog closes; null when there was none or it has gone.
    CWnd* GetOpener() const;

    // Called once a modal dialog is initialised and shown, before its loop runs: tests drive
    // modal dialogs with it (fill fields, press buttons). Returns the previous driver.
    using ModalDriver = std::function<void(CDialog&)>;
    static ModalDriver SetModalDriver(ModalDriver driver);

protected:
    // Content of that size (0: that way it does not scroll) scrolls in a smaller client area with
    // the dialog's own scroll bars and the wheel: a dialog larger than the screen's work area is
    // made to fit it (its frame and buttons on the screen), a bar made from a template taller
    // than its place scrolls.
    void ScrollContent(CSize content);
    void OnSize(UINT type, int cx, int cy) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnClose() override;
    void OnNcDestroy() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    BOOL CreateFromTemplate(CWnd* parent, bool modal);
    // A top-level dialog with its frame within the work area of its screen: moved onto it, and
    // made smaller, its content scrolling, where it is larger.
    void FitToWorkArea();
    void UpdateContentScroll();
    void ScrollContentTo(int bar, int position);

    CSize m_content{0, 0};

    std::unique_ptr<DialogTemplate> m_template; // a template given in memory
    std::unique_ptr<CFont> m_font;
    UINT m_defId = 1;
    bool m_modal = false;
    bool m_ended = false;
    int m_result = 0;
    void* m_loop = nullptr; // the modal loop while it runs
    HWND m_opener = nullptr;
};
