#include "shell/MenuStrip.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"

namespace {

constexpr int kPadding = 10;
constexpr COLORREF kBarColor = RGB(240, 240, 240);
constexpr COLORREF kLineColor = RGB(200, 200, 200);

} // namespace

void CMenuStrip::AddMenu(const CString& title, CMenu* menu, std::function<void()> beforeShow)
{
    m_entries.push_back({title, menu, std::move(beforeShow)});
    Invalidate();
}

void CMenuStrip::Layout(CDC& dc)
{
    int x = 0;
    for (Entry& entry : m_entries) {
        entry.left = x;
        x += dc.GetTextExtent(entry.title).cx + 2 * kPadding;
        entry.right = x;
    }
}

BOOL CMenuStrip::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMenuStrip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBarColor);
    dc.FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, kLineColor);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    Layout(dc);
    for (const Entry& entry : m_entries) {
        CRect cell(entry.left, 0, entry.right, client.bottom - 1);
        dc.DrawText(entry.title, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}

void CMenuStrip::OnLButtonDown(UINT, CPoint point)
{
    CClientDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    Layout(dc);
    for (Entry& entry : m_entries) {
        if (point.x < entry.left || point.x >= entry.right)
            continue;
        if (entry.beforeShow)
            entry.beforeShow();
        CPoint below(entry.left, kHeight);
        ClientToScreen(&below);
        entry.menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, below.x, below.y, GetParent());
        return;
    }
}
