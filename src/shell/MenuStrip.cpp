#include "shell/MenuStrip.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"

#include <cctype>

namespace {

constexpr int kPadding = 10;
constexpr COLORREF kBarColor = RGB(240, 240, 240);
constexpr COLORREF kLineColor = RGB(200, 200, 200);
constexpr COLORREF kOpenColor = RGB(204, 228, 247);

// The position of the mnemonic letter (after a single "&"), -1 without one.
int MnemonicAt(const CString& title)
{
    for (int i = 0; i + 1 < title.GetLength(); ++i) {
        if (title[i] != '&')
            continue;
        if (title[i + 1] != '&')
            return i + 1;
        ++i;
    }
    return -1;
}

// The title as shown: without the "&" of its mnemonic.
CString ShownTitle(const CString& title)
{
    CString shown = title;
    if (const int at = MnemonicAt(title); at > 0)
        shown = title.Left(at - 1) + title.Mid(at);
    return shown;
}

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
        x += dc.GetTextExtent(ShownTitle(entry.title)).cx + 2 * kPadding;
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
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        CRect cell(entry.left, 0, entry.right, client.bottom - 1);
        // The title of the menu that is open shows pressed, so that one can tell where Left and
        // Right lead.
        if (int(i) == m_open)
            dc.FillSolidRect(&cell, kOpenColor);
        dc.DrawText(entry.title, &cell, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        // The mnemonic letter is underlined, so that the keyboard's way in shows.
        if (const int at = MnemonicAt(entry.title); at > 0) {
            const CSize whole = dc.GetTextExtent(ShownTitle(entry.title));
            const int left = cell.left + (cell.Width() - whole.cx) / 2 + dc.GetTextExtent(entry.title.Left(at - 1)).cx;
            const int baseline = (cell.top + cell.bottom + whole.cy) / 2;
            dc.FillSolidRect(left, baseline, dc.GetTextExtent(entry.title.Mid(at, 1)).cx, 1, RGB(0, 0, 0));
        }
    }
}

BOOL CMenuStrip::OpenMenu(int index, bool byKeyboard)
{
    const int count = static_cast<int>(m_entries.size());
    if (index < 0 || index >= count)
        return FALSE;
    CClientDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    Layout(dc);
    // Left and Right leave a menu for its neighbour, round the bar, until one is chosen from or
    // left.
    for (int move = 0;; index = (index + move + count) % count) {
        Entry& entry = m_entries[std::size_t(index)];
        if (entry.beforeShow)
            entry.beforeShow();
        CPoint below(entry.left, kHeight);
        ClientToScreen(&below);
        m_open = index;
        Invalidate();
        const UINT chosen = entry.menu->TrackBarMenu(below.x, below.y, GetParent(), byKeyboard, move);
        m_open = -1;
        Invalidate();
        if (chosen && GetParent())
            GetParent()->PostMessage(WM_COMMAND, MAKEWPARAM(int(chosen), 0), 0);
        if (chosen || move == 0 || !GetSafeHwnd())
            return TRUE;
        byKeyboard = true;
    }
}

BOOL CMenuStrip::OpenMenuByMnemonic(UINT key)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const int at = MnemonicAt(m_entries[i].title);
        if (at >= 0 && UINT(std::toupper(static_cast<unsigned char>(m_entries[i].title[at]))) == key)
            return OpenMenu(int(i), true);
    }
    return FALSE;
}

void CMenuStrip::OnLButtonDown(UINT, CPoint point)
{
    CClientDC dc(this);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    Layout(dc);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (point.x >= m_entries[i].left && point.x < m_entries[i].right) {
            OpenMenu(int(i));
            return;
        }
    }
}
