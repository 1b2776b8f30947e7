#include "grid/CUGMaskedEdit.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"

#include <cctype>
#include <utility>

namespace
{
constexpr const char* kMaskChars = "09#L?Aa&C";

bool IsMaskChar(char c)
{
    return c != 0 && std::char_traits<char>::find(kMaskChars, 9, c) != nullptr;
}

// The standard character classes, for the characters a mask can sensibly ask for.
bool IsDigit(UINT ch) { return ch < 0x80 && std::isdigit(int(ch)); }
bool IsAlpha(UINT ch) { return ch < 0x80 && std::isalpha(int(ch)); }
bool IsPrint(UINT ch) { return ch >= 0x80 || std::isprint(int(ch)); }
} // namespace

void CUGMaskedEdit::BuildTemplates(const CString& mask, CString* maskTemplate, CString* literalTemplate)
{
    maskTemplate->Empty();
    literalTemplate->Empty();
    for (int i = 0; i < mask.GetLength(); ++i)
    {
        char c = mask[i];
        const bool escaped = c == '\\' && i + 1 < mask.GetLength();
        if (escaped)
            c = mask[++i];
        if (!escaped && IsMaskChar(c))
        {
            maskTemplate->AppendChar(c);
            literalTemplate->AppendChar(kPlaceholder);
        }
        else
        {
            maskTemplate->AppendChar(kPlaceholder);
            literalTemplate->AppendChar(c);
        }
    }
}

bool CUGMaskedEdit::Admits(char maskChar, UINT ch)
{
    switch (maskChar)
    {
    case '0': return IsDigit(ch);
    case '9': return IsDigit(ch) || ch == ' ';
    case '#': return IsDigit(ch) || ch == ' ' || ch == '+' || ch == '-';
    case 'L': return IsAlpha(ch);
    case '?': return IsAlpha(ch) || ch == ' ';
    case 'A': return IsAlpha(ch) || IsDigit(ch);
    case 'a': return IsAlpha(ch) || IsDigit(ch) || ch == ' ';
    case '&':
    case 'C': return IsPrint(ch);
    default: return true;
    }
}

CString CUGMaskedEdit::Reformat(const CString& text, const CString& maskTemplate, const CString& literalTemplate)
{
    CString out;
    int t = 0;
    for (int m = 0; m < maskTemplate.GetLength() && t < text.GetLength(); ++m)
    {
        if (maskTemplate[m] == kPlaceholder)
        {
            out.AppendChar(literalTemplate[m]);
            continue;
        }
        // Characters that do not fit are skipped; the mask position waits for the next one.
        while (t < text.GetLength() && !Admits(maskTemplate[m], UINT(static_cast<unsigned char>(text[t]))))
            ++t;
        if (t < text.GetLength())
            out.AppendChar(text[t++]);
    }
    return out;
}

int CUGMaskedEdit::SetMask(LPCTSTR mask)
{
    m_mask = mask ? mask : "";
    m_maskActive = !m_mask.IsEmpty();
    if (!m_maskActive)
        return 0;
    BuildTemplates(m_mask, &m_maskTemplate, &m_literalTemplate);
    // The limit counts displayed positions: an escaped literal takes one, not two.
    SetLimitText(UINT(m_maskTemplate.GetLength()));
    CString text;
    GetWindowText(text);
    if (!m_updating && !text.IsEmpty())
    {
        int start = 0, end = 0;
        GetSel(start, end);
        m_updating = true;
        SetWindowText(Reformat(text, m_maskTemplate, m_literalTemplate));
        m_updating = false;
        SetSel(start, end);
    }
    return 0;
}

BOOL CUGMaskedEdit::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= ES_AUTOHSCROLL;
    return CUGEditBase::PreCreateWindow(cs);
}

void CUGMaskedEdit::OnSetFocus(CWnd* oldWnd)
{
    CUGEditBase::OnSetFocus(oldWnd);
    CUGCell cell;
    SetMask(GetEditedCell(&cell) ? cell.GetMask() : nullptr);
    SelectForEditing();
}

void CUGMaskedEdit::OnKillFocus(CWnd* newWnd)
{
    SetLimitText(0);
    CUGEditBase::OnKillFocus(newWnd);
}

void CUGMaskedEdit::OnVerifiedChar(UINT ch)
{
    if (m_updating || !m_maskActive || ch < 0x20 || ch == 0x7F)
    {
        TypeRaw(ch);
        return;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    // Test the character where it would land, after the literals that precede it, before
    // anything is changed: a refused character leaves the text and the selection alone.
    const int length = m_maskTemplate.GetLength();
    int pos = start;
    while (pos < length && m_maskTemplate[pos] == kPlaceholder)
        ++pos;
    if (pos >= length || !Admits(m_maskTemplate[pos], ch))
        return;
    if (start != end)
        SendMessage(WM_CLEAR);
    for (int at = start; at < pos; ++at)
    {
        m_updating = true;
        SendMessage(WM_CHAR, WPARAM(static_cast<unsigned char>(m_literalTemplate[at])));
        m_updating = false;
    }
    UINT verified = ch;
    if (m_ctrl && !m_ctrl->OnEditVerify(m_ctrl->GetCurrentCol(), m_ctrl->GetCurrentRow(), this, &verified))
        return;
    TypeRaw(verified);
}
