#include "views/TabWnd.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/MainWindow.h"
#include "views/MyFont.h"

#include <algorithm>

namespace {
constexpr int kTabPadding = 14;
constexpr COLORREF kStripColour = RGB(214, 219, 223);
constexpr COLORREF kActiveColour = RGB(255, 255, 255);
constexpr COLORREF kTabColour = RGB(232, 235, 238);
constexpr COLORREF kLineColour = RGB(150, 158, 165);
constexpr COLORREF kDisabledText = RGB(160, 160, 160);
} // namespace

const SRuntimeClass& TTabWnd::Class()
{
    static const SRuntimeClass runtimeClass{"TTabWnd", nullptr, &CreateWindowObject<TTabWnd>, nullptr};
    return runtimeClass;
}

TTabWnd::~TTabWnd()
{
    m_bAutoDelete = false;
    if (GetSafeHwnd())
        DestroyWindow();
}

void TTabWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL TTabWnd::CreateTabWnd(CWnd* parent, const CRect& rect, UINT id)
{
    if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, rect, parent, id))
        return FALSE;
    SetFont(CMyFont::GetSharedFont(12, false), FALSE);
    return TRUE;
}

void TTabWnd::InsertTab(int index, CWnd* page, const CString& title)
{
    if (!page)
        return;
    index = index < 0 || index > GetTabCount() ? GetTabCount() : index;
    m_tabs.insert(m_tabs.begin() + index, STab{page, title, true, CRect()});
    if (m_active >= index)
        ++m_active;
    page->MoveWindow(GetPageRect());
    if (m_active < 0)
        SetActiveTab(index);
    else
        page->ShowWindow(SW_HIDE);
    LayoutTabs();
}

void TTabWnd::RemoveTab(CWnd* page)
{
    const int index = FindTab(page);
    if (index < 0)
        return;
    m_tabs.erase(m_tabs.begin() + index);
    if (m_active == index) {
        m_active = -1;
        for (int i = 0; i < GetTabCount(); ++i) {
            if (m_tabs[std::size_t(i)].enabled) {
                SetActiveTab(i);
                break;
            }
        }
    } else if (m_active > index) {
        --m_active;
    }
    LayoutTabs();
}

int TTabWnd::FindTab(const CWnd* page) const
{
    for (int i = 0; i < GetTabCount(); ++i)
        if (m_tabs[std::size_t(i)].page == page)
            return i;
    return -1;
}

CWnd* TTabWnd::GetPage(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[std::size_t(index)].page : nullptr;
}

CString TTabWnd::GetTabTitle(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[std::size_t(index)].title : CString();
}

CRect TTabWnd::GetTabRect(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[std::size_t(index)].rect : CRect();
}

CRect TTabWnd::GetPageRect() const
{
    CRect client;
    GetClientRect(&client);
    client.top = std::min<LONG>(client.bottom, kStripHeight);
    return client;
}

BOOL TTabWnd::SetActiveTab(int index)
{
    if (index < 0 || index >= GetTabCount())
        return FALSE;
    m_active = index;
    for (int i = 0; i < GetTabCount(); ++i) {
        CWnd* page = m_tabs[std::size_t(i)].page;
        if (i == index) {
            page->MoveWindow(GetPageRect());
            page->ShowWindow(SW_SHOW);
        } else {
            page->ShowWindow(SW_HIDE);
        }
    }
    Invalidate();
    return TRUE;
}

BOOL TTabWnd::EnableTab(int index, bool enable)
{
    if (index < 0 || index >= GetTabCount() || index == m_active)
        return FALSE;
    m_tabs[std::size_t(index)].enabled = enable;
    Invalidate();
    return TRUE;
}

bool TTabWnd::IsTabEnabled(int index) const
{
    return index >= 0 && index < GetTabCount() && m_tabs[std::size_t(index)].enabled;
}

void TTabWnd::LayoutTabs()
{
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    CFont* old = dc.SelectObject(CMyFont::GetSharedFont(12, false));
    int x = 2;
    for (STab& tab : m_tabs) {
        const int width = dc.GetTextExtent(tab.title).cx + 2 * kTabPadding;
        tab.rect = CRect(x, 3, x + width, kStripHeight);
        x += width + 2;
    }
    dc.SelectObject(old);
    Invalidate();
}

void TTabWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (CWnd* page = GetPage(m_active))
        page->MoveWindow(GetPageRect());
}

BOOL TTabWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void TTabWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect strip;
    GetClientRect(&strip);
    strip.bottom = std::min<LONG>(strip.bottom, kStripHeight);
    dc.FillSolidRect(&strip, kStripColour);
    dc.FillSolidRect(0, strip.bottom - 1, strip.Width(), 1, kLineColour);
    CFont* old = dc.SelectObject(CMyFont::GetSharedFont(12, false));
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetTabCount(); ++i) {
        const STab& tab = m_tabs[std::size_t(i)];
        CRect rect = tab.rect;
        if (i == m_active)
            rect.bottom += 1; // joins the page below
        dc.FillSolidRect(&rect, i == m_active ? kActiveColour : kTabColour);
        dc.FillSolidRect(rect.left, rect.top, rect.Width(), 1, kLineColour);
        dc.FillSolidRect(rect.left, rect.top, 1, tab.rect.Height(), kLineColour);
        dc.FillSolidRect(rect.right - 1, rect.top, 1, tab.rect.Height(), kLineColour);
        dc.SetTextColor(tab.enabled ? RGB(0, 0, 0) : kDisabledText);
        CRect text = tab.rect;
        dc.DrawText(tab.title, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        // The chosen tab shows the focus while the strip has it, so that the arrows' effect shows.
        if (i == m_active && GetFocus() == this) {
            CRect focus = tab.rect;
            focus.DeflateRect(3, 3);
            dc.DrawFocusRect(&focus);
        }
    }
    dc.SelectObject(old);
}

void TTabWnd::OnLButtonUp(UINT flags, CPoint point)
{
    for (int i = 0; i < GetTabCount(); ++i) {
        if (!m_tabs[std::size_t(i)].rect.PtInRect(point))
            continue;
        if (m_tabs[std::size_t(i)].enabled)
            ChooseTab(i);
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

void TTabWnd::ChooseTab(int index)
{
    if (index == 1 || index == 2)
        if (CWnd* main = GetMainWindow())
            main->PostMessage(WM_SHOW_STUDY_VIEW, 0, index);
    SetActiveTab(index);
}

UINT TTabWnd::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void TTabWnd::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    int step = 0;
    int from = m_active;
    switch (key) {
    case VK_LEFT: step = -1; break;
    case VK_RIGHT: step = 1; break;
    case VK_HOME: step = 1; from = -1; break;
    case VK_END: step = -1; from = GetTabCount(); break;
    default: CWnd::OnKeyDown(key, repeatCount, flags); return;
    }
    // The next enabled tab that way; none: the tab stays.
    for (int i = from + step; i >= 0 && i < GetTabCount(); i += step) {
        if (m_tabs[std::size_t(i)].enabled) {
            if (i != m_active)
                ChooseTab(i);
            return;
        }
    }
}

void TTabWnd::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    Invalidate();
}

void TTabWnd::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    Invalidate();
}

BOOL TTabWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* parent = GetParent())
        return BOOL(parent->SendMessage(WM_COMMAND, wParam, lParam));
    return CWnd::OnCommand(wParam, lParam);
}
