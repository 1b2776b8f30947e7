#include "views/ButtonST.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"

namespace {
constexpr DWORD kMagenta = 0xFF00FF;

DWORD ToPixel(COLORREF colour)
{
    return (DWORD(GetRValue(colour)) << 16) | (DWORD(GetGValue(colour)) << 8) | GetBValue(colour);
}
} // namespace

CButtonST::~CButtonST()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CButtonST::Create(const CString& text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, nullptr, text, style | WS_CHILD | WS_TABSTOP, rect, parent, id);
}

BOOL CButtonST::SetupBitmapButton(UINT bitmapId, COLORREF face, COLORREF hover, BOOL flat)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(bitmapId))
        return FALSE;
    m_bitmapSize = bitmap.GetSize();
    m_pixels.assign(std::size_t(m_bitmapSize.cx) * std::size_t(m_bitmapSize.cy), 0);
    bitmap.GetBitmapBits(DWORD(m_pixels.size() * sizeof(DWORD)), m_pixels.data());
    m_flat = flat;
    SetFlatColors(face, hover);
    return TRUE;
}

void CButtonST::SetFlatColors(COLORREF face, COLORREF hover)
{
    m_face = face;
    m_hoverFace = hover;
    if (GetSafeHwnd())
        Invalidate();
}

BOOL CButtonST::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CButtonST::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const COLORREF face = m_hover || m_pressed ? m_hoverFace : m_face;
    dc.FillSolidRect(&client, face);
    if (!m_pixels.empty()) {
        std::vector<DWORD> pixels(m_pixels);
        for (DWORD& pixel : pixels)
            if ((pixel & 0xFFFFFF) == kMagenta)
                pixel = ToPixel(face);
        CBitmap glyph;
        glyph.CreateBitmap(m_bitmapSize.cx, m_bitmapSize.cy, 1, 32, pixels.data());
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* old = memory.SelectObject(&glyph);
        const int offset = m_pressed ? 1 : 0;
        dc.BitBlt((client.Width() - m_bitmapSize.cx) / 2 + offset, (client.Height() - m_bitmapSize.cy) / 2 + offset,
                  m_bitmapSize.cx, m_bitmapSize.cy, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    } else if (CString text; GetWindowText(text), !text.IsEmpty()) {
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_textColor);
        CFont* oldFont = GetFont() ? dc.SelectObject(GetFont()) : nullptr;
        dc.DrawText(text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (oldFont)
            dc.SelectObject(oldFont);
    }
    if (!m_flat || m_hover || m_pressed)
        dc.Draw3dRect(&client, m_pressed ? RGB(120, 120, 120) : RGB(255, 255, 255),
                      m_pressed ? RGB(255, 255, 255) : RGB(120, 120, 120));
    if (GetFocus() == this) {
        CRect focus = client;
        focus.DeflateRect(2, 2);
        dc.DrawFocusRect(&focus);
    }
}

void CButtonST::OnMouseMove(UINT flags, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    const bool inside = client.PtInRect(point);
    if (inside != m_hover) {
        m_hover = inside;
        Invalidate();
    }
    CWnd::OnMouseMove(flags, point);
}

void CButtonST::OnLButtonDown(UINT, CPoint)
{
    m_pressed = true;
    SetCapture();
    Invalidate();
}

void CButtonST::OnLButtonUp(UINT, CPoint point)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
    CRect client;
    GetClientRect(&client);
    if (wasPressed && client.PtInRect(point))
        Click();
}

void CButtonST::Click()
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), LPARAM(GetSafeHwnd()));
}

void CButtonST::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_SPACE || key == VK_RETURN)
        Click();
    else
        CWnd::OnKeyDown(key, repeatCount, flags);
}

void CButtonST::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    Invalidate();
}

void CButtonST::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    Invalidate();
}
