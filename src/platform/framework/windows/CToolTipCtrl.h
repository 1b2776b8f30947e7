#pragma once
// A tool-tip control whose tools are rectangles of another window (TTF_SUBCLASS): hovering such
// a rectangle shows the tool's text, wrapped to the control's maximum tip width. The tools leave
// their window when the control is destroyed.
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/WindowStyles.h"

#include <vector>

class CToolTipCtrl
{
public:
    CToolTipCtrl() = default;
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;
    ~CToolTipCtrl();

    // The tips show whatever the style; the style is kept for the caller's sake.
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL IsCreated() const { return m_created; }
    void DestroyWindow();

    // A tool over a client rectangle of `window`; an id already in use takes the new text and
    // rectangle.
    BOOL AddTool(CWnd* window, LPCTSTR text, LPCRECT rect, UINT_PTR id);
    void SetToolRect(CWnd* window, UINT_PTR id, LPCRECT rect);
    // Width in pixels beyond which a tip's text wraps at blanks; -1 for no limit. Returns the old.
    int SetMaxTipWidth(int width);
    int GetMaxTipWidth() const { return m_maxWidth; }

    // The text of the tool under a client point of `window` as it is shown (empty when none).
    CString GetTipTextAt(CWnd* window, CPoint point) const;

private:
    struct STool
    {
        HWND window = nullptr;
        UINT_PTR id = 0;
        CRect rect;
        CString text;
    };
    CString Wrapped(const CString& text) const;

    bool m_created = false;
    int m_maxWidth = -1;
    std::vector<STool> m_tools;
};
