#pragma once
// The edit control, single-line or multi-line (ES_MULTILINE). Positions count bytes of the UTF-8
// text, and a multi-line edit's text separates lines with "\r\n", as the platform's does. The
// parent hears EN_UPDATE and EN_CHANGE after every change of the text, EN_SETFOCUS,
// EN_KILLFOCUS, and EN_MAXTEXT when typing would pass the limit.
#include "platform/framework/windows/CWnd.h"

class CEdit : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetSel(int start, int end, BOOL noScroll = FALSE);
    // Low word start, high word end.
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL Undo();
    BOOL CanUndo() const;
    // A limit of 0 removes it.
    void SetLimitText(UINT maxChars);
    void LimitText(int maxChars = 0) { SetLimitText(UINT(maxChars)); }
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    void SetMargins(UINT left, UINT right);
    void GetRect(LPRECT rect) const;

    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    // The byte position where a line starts; -1 is the caret's line.
    int LineIndex(int line = -1) const;
    int LineFromChar(int charIndex = -1) const;
    int LineLength(int charIndex = -1) const;
    // Copies up to maxLength bytes of a line (no terminator); returns the count.
    int GetLine(int index, LPTSTR buffer, int maxLength) const;
    CPoint PosFromChar(UINT charIndex) const;
    int CharFromPos(CPoint point) const;
};
