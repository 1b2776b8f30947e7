#pragma once
// CMyToolBar: the toolbars of the project window's pages, made from a toolbar resource. Type 0
// is a section toolbar (glyph buttons, the collapse button and a title edit field), type 2 a view
// selector (glyph buttons with labels). A button carries a per-button state (the marked view of
// a selector) and state bits (2 = pressed); hidden buttons take no room, disabled ones show
// greyed. A click sends the button's command to the frame, which routes it to its view.
//
// The keyboard reaches it as one tab stop. A section toolbar goes with Tab and Shift+Tab (and with
// Left and Right) from button to button and through its title field before Tab leaves it; a view
// selector is gone through with Left and Right as a tab bar is, each view shown as it is reached.
// Space or Enter presses the button that has the focus.
//
// In a window too narrow for every label, the separators narrow and then the longest labels are
// shortened alike, ending with "…"; the tip over such a button tells its label whole.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiObjects.h"

#include <vector>

class CMyToolBar : public CWnd
{
public:
    enum EType { kSectionType = 0, kSelectorType = 2 };
    static constexpr UINT kCollapseCommand = 33047;
    static constexpr UINT kTitleCommand = 33070;
    static constexpr int kTitleEditId = 10002;
    static constexpr UINT kPressedBit = 2;
    static constexpr int kHeight = 28;

    CMyToolBar() = default;
    ~CMyToolBar() override;

    // Creates the toolbar along the top of the frame with the buttons of the resource; FALSE for
    // an unknown resource or bitmap.
    BOOL CreateToolBar(CWnd* frame, int type, UINT resourceId);
    int GetType() const { return m_type; }
    UINT GetResourceId() const { return m_resourceId; }

    int GetButtonCount() const { return int(m_buttons.size()); }
    // The index of the button of that command; -1 when the command is not on the toolbar.
    int CommandToIndex(UINT command) const;
    UINT GetCommand(int index) const;
    // Button rectangle in client coordinates; empty for a hidden button or a separator.
    CRect GetButtonRect(UINT command) const;
    // Where the button's label is drawn; empty for a button without a label.
    CRect GetLabelRect(UINT command) const;
    void HideButton(UINT command, bool hide = true);
    bool IsButtonHidden(UINT command) const;
    // A disabled button shows greyed and a click on it does nothing.
    void EnableButton(UINT command, bool enable);
    bool IsButtonEnabled(UINT command) const;
    void SetButtonText(UINT command, const CString& text);
    CString GetButtonText(UINT command) const;
    // The text that shows while the mouse rests on the button.
    void SetToolTip(UINT command, const CString& text);
    // The button's tooltip; for the title field the frame's splitter mode may choose another.
    CString GetToolTip(UINT command) const;

    // Sets the button's per-button state; with exclusive, every other button's state is cleared
    // first. Nothing when the command is not on the toolbar.
    void SetButtonFlag(UINT command, int value, bool exclusive);
    int GetButtonFlag(UINT command) const;
    void SetButtonStateBits(UINT command, UINT bits);
    UINT GetButtonStateBits(UINT command) const;

    // The title field (10002) at the place of the command, of that width, showing the prompt
    // until the user types a text.
    void SetTitleField(UINT command, int width, const CString& prompt);
    CEdit* GetTitleEdit() { return m_edit.GetSafeHwnd() ? &m_edit : nullptr; }
    // The user's text; empty while the prompt shows.
    CString GetUserEditText() const;
    // What the title field shows: the user's text, or while the prompt shows the prompt.
    CString GetTitleText() const;
    // Shows a text of the user; an empty text changes nothing.
    void SetEditText(const CString& text);
    bool IsPromptShown() const { return m_promptShown; }

    void SetCollapsed(bool collapsed);
    bool IsCollapsed() const { return m_collapsed; }
    // The state the page lays its section out in, before the user opens or collapses it.
    void SetLaidOutCollapsed(bool collapsed)
    {
        m_laidOutCollapsed = collapsed;
        SetCollapsed(collapsed);
    }
    bool IsLaidOutCollapsed() const { return m_laidOutCollapsed; }

    // Background and text colours of the buttons (the view selectors have their own).
    void SetColors(COLORREF face, COLORREF marked, COLORREF text);

    // The number of title fields of all toolbars (with the document's rebuild raise).
    static int GetEditFieldCount();

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The button under the point with its tooltip; -1 over no button with a tooltip.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;
    // Answers a tooltip-text request for one of its buttons' commands with the button's tooltip.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;
    UINT OnGetDlgCode() override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    // Tab between the buttons and the title field.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The command of the button that has the focus (the title field's while it has it); 0 when
    // the toolbar has none.
    UINT GetFocusedCommand() const;

private:
    struct SButton
    {
        UINT command = 0;     // 0: separator
        int image = -1;       // glyph index in the strip
        bool hidden = false;
        bool enabled = true;
        int flag = 0;
        UINT stateBits = 0;
        int width = 0;        // title field width; 0 for a normal button
        CString text;
        CString tip;
        CRect rect;
        bool labelCut = false; // shortened to fit the window
    };

    SButton* Find(UINT command);
    const SButton* Find(UINT command) const;
    void Layout();
    static bool IsLabelled(const SButton& button);
    CRect LabelRect(const SButton& button) const;
    struct SLabelFit
    {
        std::vector<int> widths; // of each button's label (0 for none)
        int separatorWidth = 0;
    };
    // How the labels of those widths fit a client that wide.
    SLabelFit FitLabels(const std::vector<int>& labels, int clientWidth) const;
    void ShowPrompt();
    // The buttons the keyboard reaches (shown and enabled, the title field among them), in order.
    std::vector<int> KeyboardItems() const;
    // The focus to the item that far from the focused one; false when there is none that way.
    bool MoveFocusedItem(int step);
    void FocusItem(int index);
    void Press(UINT command);

    int m_type = kSectionType;
    UINT m_resourceId = 0;
    std::vector<SButton> m_buttons;
    CBitmap m_glyphs;
    CSize m_glyphSize;
    CEdit m_edit;
    CString m_prompt;
    bool m_promptShown = false;
    bool m_collapsed = false;
    bool m_laidOutCollapsed = false;
    UINT m_pressed = 0;
    int m_focused = -1;            // index of the button that has the focus
    bool m_focusingItem = false;    // the focus moves within the toolbar
    COLORREF m_face = RGB(236, 236, 236);
    COLORREF m_marked = RGB(200, 214, 232);
    COLORREF m_text = RGB(0, 0, 0);
};
