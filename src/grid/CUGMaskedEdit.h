#pragma once
// CUGMaskedEdit: the in-place editor for cells with an input mask (single line, scrolling
// horizontally). It admits only characters that fit the mask at the caret and types the mask's
// literal characters itself.
#include "grid/CUGEditBase.h"

class CUGMaskedEdit : public CUGEditBase
{
public:
    // Marks a literal position in the mask template and a mask position in the literal template.
    static constexpr char kPlaceholder = 8;

    // A null or empty mask switches masking off; otherwise the templates are built, the text limit
    // becomes the number of displayed positions and the current text is fitted to the mask. 0.
    int SetMask(LPCTSTR mask);

    // The templates of a mask, one position per displayed character: the mask character or
    // kPlaceholder, and the literal or kPlaceholder.
    static void BuildTemplates(const CString& mask, CString* maskTemplate, CString* literalTemplate);
    // Whether a mask character admits a typed character; a non-mask character admits anything.
    static bool Admits(char maskChar, UINT ch);
    // The text rebuilt to fit the templates: literals written, unfitting characters skipped.
    static CString Reformat(const CString& text, const CString& maskTemplate, const CString& literalTemplate);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnVerifiedChar(UINT ch) override;

private:
    CString m_mask;
    CString m_maskTemplate;
    CString m_literalTemplate;
    bool m_updating = false; // set while the editor changes its own text
    bool m_maskActive = false;
};
