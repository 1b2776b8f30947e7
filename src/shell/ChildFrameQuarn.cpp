#include "shell/ChildFrameQuarn.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"

namespace {

constexpr COLORREF kCaptionColor = RGB(214, 226, 240);
constexpr int kIndent = 8;

} // namespace

BOOL CChildFrameQuarn::CreateFrame(CWnd* parent, const RECT& rect, const CString& title, std::unique_ptr<CWnd> view)
{
    if (!Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0))
        return FALSE;
    m_view = std::move(view);
    return m_view && m_view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, ViewRect(), this, kViewId);
}

CRect CChildFrameQuarn::ViewRect() const
{
    CRect client;
    GetClientRect(&client);
    client.top = std::min<int>(client.bottom, kCaptionHeight);
    return client;
}

void CChildFrameQuarn::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_view && m_view->GetSafeHwnd())
        m_view->MoveWindow(ViewRect());
    Invalidate();
}

BOOL CChildFrameQuarn::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CChildFrameQuarn::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client.left, client.top, client.Width(), kCaptionHeight, kCaptionColor);
    CString title;
    GetWindowText(title);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect caption(client.left + kIndent, client.top, client.right - kIndent, client.top + kCaptionHeight);
    dc.DrawText(title, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void CChildFrameQuarn::OnDestroy()
{
    if (m_view && m_view->GetSafeHwnd())
        m_view->DestroyWindow();
    CWnd::OnDestroy();
}
