#pragma once
// The toolbar control: a row of buttons with images from an image list, optional text to the
// right of the image, separators (whose width may make room for a control placed there),
// hidden buttons, check buttons and tool tips. A click sends WM_COMMAND (command id,
// BN_CLICKED) to the parent; a check button toggles its check state first. Tips are asked of
// the parent with TTN_NEEDTEXT unless a button has its own.
#include "platform/framework/windows/CWnd.h"

#include <vector>

class CImageList;

inline constexpr BYTE TBSTATE_CHECKED = 0x01;
inline constexpr BYTE TBSTATE_PRESSED = 0x02;
inline constexpr BYTE TBSTATE_ENABLED = 0x04;
inline constexpr BYTE TBSTATE_HIDDEN = 0x08;
inline constexpr BYTE TBSTATE_INDETERMINATE = 0x10;
inline constexpr BYTE TBSTYLE_BUTTON = 0x00;
inline constexpr BYTE TBSTYLE_SEP = 0x01;
inline constexpr BYTE TBSTYLE_CHECK = 0x02;
inline constexpr BYTE TBSTYLE_GROUP = 0x04;
inline constexpr BYTE TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
inline constexpr DWORD TBSTYLE_TOOLTIPS = 0x0100;
inline constexpr DWORD TBSTYLE_FLAT = 0x0800;
inline constexpr DWORD TBSTYLE_LIST = 0x1000;
inline constexpr LPCTSTR TOOLBARCLASSNAME = "ToolbarWindow32";

struct TBBUTTON
{
    int iBitmap = 0;   // image index; for a separator its width (0: the standard width)
    int idCommand = 0;
    BYTE fsState = TBSTATE_ENABLED;
    BYTE fsStyle = TBSTYLE_BUTTON;
    DWORD_PTR dwData = 0;
    INT_PTR iString = 0; // the text (a const char*) or 0
};

class CToolBarCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL AddButtons(int count, const TBBUTTON* buttons);
    BOOL InsertButton(int index, const TBBUTTON* button);
    BOOL DeleteButton(int index);
    int GetButtonCount() const { return int(m_buttons.size()); }
    BOOL GetButton(int index, TBBUTTON* button) const;
    // The index of the button of a command; -1 when there is none.
    int CommandToIndex(UINT id) const;
    // The button's rectangle (empty for a hidden one); FALSE for a bad index.
    BOOL GetItemRect(int index, LPRECT rect) const;
    // The button under a client point (its index), or -1.
    int HitTest(CPoint point) const;

    BOOL EnableButton(int id, BOOL enable = TRUE);
    BOOL CheckButton(int id, BOOL check = TRUE);
    BOOL PressButton(int id, BOOL press = TRUE);
    BOOL HideButton(int id, BOOL hide = TRUE);
    BOOL Indeterminate(int id, BOOL indeterminate = TRUE);
    BOOL IsButtonEnabled(int id) const;
    BOOL IsButtonChecked(int id) const;
    BOOL IsButtonPressed(int id) const;
    BOOL IsButtonHidden(int id) const;
    BOOL SetState(int id, UINT state);
    int GetState(int id) const;
    // Changes the command, style, image (or a separator's width) of the button at an index.
    BOOL SetButtonInfo(int index, UINT id, BYTE style, int imageOrWidth);
    BOOL SetButtonText(int index, const CString& text);
    CString GetButtonText(int index) const;
    // A tip of the button's own; without one the parent is asked (TTN_NEEDTEXT).
    BOOL SetButtonToolTip(UINT id, const CString& text);

    CImageList* SetImageList(CImageList* images);
    CImageList* GetImageList() const { return m_images; }
    BOOL SetButtonSize(CSize size);
    CSize GetButtonSize() const { return m_buttonSize; }
    // Width of all visible buttons and height of a button.
    CSize GetIdealSize() const;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnCaptureChanged(CWnd* wnd) override;
    // While a button is lit under the mouse, a timer watches for the mouse leaving the bar.
    void OnTimer(UINT_PTR id) override;

private:
    struct Button
    {
        TBBUTTON info;
        CString text;
        CString tip;
    };
    Button* ByCommand(int id);
    const Button* ByCommand(int id) const;
    BOOL ChangeState(int id, BYTE bit, BOOL on);
    int ButtonWidth(const Button& button) const;
    void Layout();
    void SetHot(int index);
    void DrawButton(CDC& dc, int index);

    std::vector<Button> m_buttons;
    std::vector<CRect> m_rects; // by index; empty for hidden buttons
    CImageList* m_images = nullptr;
    CSize m_buttonSize{23, 22};
    int m_pressed = -1; // index of the button held down
    int m_hot = -1;     // index of the button under the mouse
};
