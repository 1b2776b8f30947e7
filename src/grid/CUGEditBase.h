#pragma once
// CUGEditBase: what both in-place editors share. Typed characters pass the grid's verification
// first; Tab, Enter, Escape and the arrow keys at the text's edges end the edit and say where
// editing goes on; losing the focus hands the text to the control, which writes it back or
// keeps the editor open.
#include "platform/framework/windows/CEdit.h"

class CUGCtrl;
class CUGCell;

class CUGEditBase : public CEdit
{
public:
    int m_nextCol = 0;
    int m_nextRow = 0;
    BOOL m_cancel = FALSE;
    BOOL m_continueFlag = FALSE;
    UINT m_lastKey = 0;
    CUGCtrl* m_ctrl = nullptr;
    // Editing starts with the whole text selected; cleared, with the caret after the text, so
    // that a key typed into a field the user moved on to adds to it instead of replacing it.
    BOOL m_selectAll = TRUE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT nChar, UINT repeatCount, UINT flags) override;
    void OnChar(UINT nChar, UINT repeatCount, UINT flags) override;
    UINT OnGetDlgCode() override;

    // A character that passed the verification; the base types it.
    virtual void OnVerifiedChar(UINT ch);
    // Types a character into the edit as it stands, past every check.
    void TypeRaw(UINT ch);
    // The whole text selected, or the caret after it (m_selectAll).
    void SelectForEditing();
    // Ends the edit: the focus goes to the control, whose focus loss path finishes it.
    void Finish();
    // Asks the sheet's default data source and then the control whether a character may be typed
    // into the current cell; either may change it.
    BOOL Verify(UINT* ch);
    // The edited cell as displayed; false when no control is known.
    bool GetEditedCell(CUGCell* cell);
    // Whether the edited cell holds several lines; one that holds one takes no line break.
    bool EditsSeveralLines();
    void FindControl();

private:
    bool m_typingRaw = false;
    bool m_endedByKey = false; // the last key down ended the edit (its character is not typed)
    bool m_finishing = false; // the control is deciding: a focus change now is not another finish
};
