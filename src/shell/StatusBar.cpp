#include "shell/StatusBar.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"

namespace {

constexpr COLORREF kBarColor = RGB(240, 240, 240);
constexpr COLORREF kLineColor = RGB(200, 200, 200);
constexpr int kIndent = 6;

} // namespace

void CStatusBar::SetText(const CString& text)
{
    m_text = text;
    Invalidate();
}

BOOL CStatusBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBarColor);
    dc.FillSolidRect(client.left, client.top, client.Width(), 1, kLineColor);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect text(client.left + kIndent, client.top + 1, client.right - kIndent, client.bottom);
    dc.DrawText(m_text, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}
