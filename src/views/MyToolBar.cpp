#include "views/MyToolBar.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/ToolBarResource.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/ToolBarEditFieldCount.h"
#include "views/MyFont.h"
#include "views/MySplitterWnd.h"

#include <glog/logging.h>

#include <algorithm>
#include <cstring>
#include <cstdio>

namespace {

constexpr int kButtonWidth = 24;
constexpr int kSeparatorWidth = 8;
constexpr int kNarrowSeparatorWidth = 3;
constexpr int kMargin = 2;
constexpr int kLabelGap = 4;
constexpr UINT kTitleTip = 149;
constexpr UINT kTitleTipInMode = 150;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// A view selector pressed by the keyboard rebuilds its page, itself with it: the focus goes to
// the selector of the new page.
bool g_selectorFocusPassed = false;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// A glyph pixel of a disabled button: its grey, faded halfway to white.
DWORD Greyed(DWORD pixel)
{
    const DWORD grey = (((pixel >> 16) & 0xFF) * 30 + ((pixel >> 8) & 0xFF) * 59 + (pixel & 0xFF) * 11) / 100;
    const DWORD faded = (grey + 255) / 2;
    return (faded << 16) | (faded << 8) | faded;
}

// The glyph with its magenta pixels in the background colour.
void DrawGlyph(CDC& dc, const std::vector<DWORD>& strip, int stripWidth, const CSize& glyph, int image, int x, int y,
               COLORREF background, bool enabled)
{
    std::vector<DWORD> pixels(std::size_t(glyph.cx) * std::size_t(glyph.cy));
    const DWORD transparent = (GetRValue(kTransparent) << 16) | (GetGValue(kTransparent) << 8) | GetBValue(kTransparent);
    const DWORD fill = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    for (int row = 0; row < glyph.cy; ++row) {
        for (int column = 0; column < glyph.cx; ++column) {
            const DWORD pixel = strip[std::size_t(row * stripWidth + image * glyph.cx + column)] & 0xFFFFFF;
            pixels[std::size_t(row * glyph.cx + column)] = pixel == transparent ? fill : enabled ? pixel : Greyed(pixel);
        }
    }
    CBitmap bitmap;
    bitmap.CreateBitmap(glyph.cx, glyph.cy, 1, 32, pixels.data());
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    dc.BitBlt(x, y, glyph.cx, glyph.cy, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

} // namespace

CMyToolBar::~CMyToolBar()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMyToolBar::CreateToolBar(CWnd* frame, int type, UINT resourceId)
{
    const auto resource = LoadToolBarResource(resourceId);
    if (!resource || !m_glyphs.LoadBitmap(resource->bitmap)) {
        LOG(INFO) << "Toolbar " << resourceId << ": no resource or bitmap";
        return FALSE;
    }
    m_type = type;
    m_resourceId = resourceId;
    m_glyphSize = resource->imageSize;
    int image = 0;
    for (UINT command : resource->buttons) {
        SButton button;
        button.command = command;
        if (command != 0)
            button.image = image++;
        m_buttons.push_back(button);
    }
    CRect client;
    frame->GetClientRect(&client);
    if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP,
                  CRect(0, 0, client.Width(), kHeight), frame, 0))
        return FALSE;
    SetFont(CMyFont::GetSharedFont(12, false), FALSE);
    EnableToolTips(TRUE);
    Layout();
    return TRUE;
}

CMyToolBar::SButton* CMyToolBar::Find(UINT command)
{
    const auto found = std::find_if(m_buttons.begin(), m_buttons.end(),
                                    [command](const SButton& b) { return command != 0 && b.command == command; });
    return found == m_buttons.end() ? nullptr : &*found;
}

const CMyToolBar::SButton* CMyToolBar::Find(UINT command) const
{
    return const_cast<CMyToolBar*>(this)->Find(command);
}

int CMyToolBar::CommandToIndex(UINT command) const
{
    const SButton* button = Find(command);
    return button ? int(button - m_buttons.data()) : -1;
}

UINT CMyToolBar::GetCommand(int index) const
{
    return index >= 0 && index < GetButtonCount() ? m_buttons[std::size_t(index)].command : 0;
}

CRect CMyToolBar::GetButtonRect(UINT command) const
{
    const SButton* button = Find(command);
    return button && !button->hidden ? button->rect : CRect();
}

void CMyToolBar::Layout()
{
    CClientDC dc(this);
    CFont* old = dc.SelectObject(CMyFont::GetSharedFont(12, false));
    std::vector<int> labels(m_buttons.size(), 0);
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (const SButton& button = m_buttons[i]; !button.hidden && IsLabelled(button))
            labels[i] = dc.GetTextExtent(button.text).cx;
    dc.SelectObject(old);
    CRect client;
    GetClientRect(&client);
    const SLabelFit fit = FitLabels(labels, client.Width());
    const std::vector<int>& shown = fit.widths;
    int x = kMargin;
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        SButton& button = m_buttons[i];
        button.labelCut = shown[i] < labels[i];
        if (button.hidden) {
            button.rect.SetRectEmpty();
            continue;
        }
        int width = fit.separatorWidth;
        if (button.command != 0) {
            width = button.width > 0 ? button.width : kButtonWidth;
            if (IsLabelled(button))
                width += shown[i] + kLabelGap + 2;
        }
        button.rect = CRect(x, kMargin, x + width, kHeight - kMargin);
        x += width;
    }
    if (const SButton* title = Find(kTitleCommand); title && m_edit.GetSafeHwnd()) {
        m_edit.ShowWindow(title->hidden ? SW_HIDE : SW_SHOW);
        m_edit.MoveWindow(title->rect.left + 2, title->rect.top + 1, title->rect.Width() - 4, title->rect.Height() - 2);
    }
    if (GetSafeHwnd())
        Invalidate();
}

CRect CMyToolBar::LabelRect(const SButton& button) const
{
    return CRect(button.rect.left + 4 + m_glyphSize.cx + kLabelGap, button.rect.top, button.rect.right, button.rect.bottom);
}

CRect CMyToolBar::GetLabelRect(UINT command) const
{
    const SButton* button = Find(command);
    return button && !button->hidden && IsLabelled(*button) ? LabelRect(*button) : CRect();
}

bool CMyToolBar::IsLabelled(const SButton& button)
{
    return button.command != 0 && button.width == 0 && !button.text.IsEmpty();
}

CMyToolBar::SLabelFit CMyToolBar::FitLabels(const std::vector<int>& labels, int clientWidth) const
{
    int fixed = 2 * kMargin;
    int separators = 0;
    int natural = 0;
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const SButton& button = m_buttons[i];
        if (button.hidden)
            continue;
        if (button.command == 0)
            ++separators;
        else
            fixed += button.width > 0 ? button.width : kButtonWidth + (IsLabelled(button) ? kLabelGap + 2 : 0);
        natural += labels[i];
    }
    // Before the window has its width, and where everything fits, the labels show whole.
    if (clientWidth <= 0 || fixed + separators * kSeparatorWidth + natural <= clientWidth)
        return {labels, kSeparatorWidth};
    // Narrower separators first; then the longest labels are shortened to one common length, so
    // that the short ones stay whole.
    const int room = clientWidth - fixed - separators * kNarrowSeparatorWidth;
    if (natural <= room)
        return {labels, kNarrowSeparatorWidth};
    std::vector<int> sorted;
    for (int width : labels)
        if (width > 0)
            sorted.push_back(width);
    std::sort(sorted.begin(), sorted.end());
    int cap = 0;
    int below = 0;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const int rest = int(sorted.size() - i);
        cap = std::max(0, (room - below) / rest);
        if (cap <= sorted[i])
            break;
        below += sorted[i];
    }
    std::vector<int> shown(labels);
    for (int& width : shown)
        width = std::min(width, cap);
    return {shown, kNarrowSeparatorWidth};
}

void CMyToolBar::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Layout();
}

void CMyToolBar::HideButton(UINT command, bool hide)
{
    if (SButton* button = Find(command)) {
        button->hidden = hide;
        Layout();
    }
}

bool CMyToolBar::IsButtonHidden(UINT command) const
{
    const SButton* button = Find(command);
    return button && button->hidden;
}

void CMyToolBar::SetButtonText(UINT command, const CString& text)
{
    if (SButton* button = Find(command)) {
        button->text = text;
        Layout();
    }
}

CString CMyToolBar::GetButtonText(UINT command) const
{
    const SButton* button = Find(command);
    return button ? button->text : CString();
}

void CMyToolBar::SetToolTip(UINT command, const CString& text)
{
    if (SButton* button = Find(command))
        button->tip = text;
}

BOOL CMyToolBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header && header->code == TTN_NEEDTEXT && Find(UINT(header->idFrom))) {
        const CString tip = GetToolTip(UINT(header->idFrom));
        if (!tip.IsEmpty()) {
            auto* request = reinterpret_cast<NMTTDISPINFO*>(lParam);
            std::snprintf(request->szText, sizeof(request->szText), "%s", tip.GetString());
            request->lpszText = nullptr;
            *result = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, result);
}

CString CMyToolBar::GetToolTip(UINT command) const
{
    const SButton* button = Find(command);
    if (!button)
        return CString();
    if (command == kTitleCommand && !button->tip.IsEmpty()) {
        CWnd* frame = GetParent();
        const auto* splitter = frame ? dynamic_cast<const CMySplitterWnd*>(frame->GetParent()) : nullptr;
        if (splitter && splitter->GetMode() != 0)
            return LoadText(kTitleTipInMode);
    }
    // A label shortened to fit a narrow window is told whole by the tip.
    if (button->tip.IsEmpty() && button->labelCut)
        return button->text;
    return button->tip;
}

INT_PTR CMyToolBar::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    for (const SButton& button : m_buttons) {
        if (button.command == 0 || button.hidden || !button.rect.PtInRect(point))
            continue;
        const CString tip = GetToolTip(button.command);
        if (tip.IsEmpty())
            return -1;
        info->hwnd = m_hWnd;
        info->uId = button.command;
        info->rect = button.rect;
        info->lpszText = strdup(tip.GetString()); // the tip support frees it
        return INT_PTR(button.command);
    }
    return -1;
}

void CMyToolBar::EnableButton(UINT command, bool enable)
{
    SButton* button = Find(command);
    if (!button || button->enabled == enable)
        return;
    button->enabled = enable;
    if (GetSafeHwnd())
        Invalidate();
}

bool CMyToolBar::IsButtonEnabled(UINT command) const
{
    const SButton* button = Find(command);
    return button && button->enabled;
}

void CMyToolBar::SetButtonFlag(UINT command, int value, bool exclusive)
{
    SButton* button = Find(command);
    if (!button)
        return;
    if (exclusive)
        for (SButton& other : m_buttons)
            other.flag = 0;
    button->flag = value;
    if (GetSafeHwnd())
        Invalidate();
    // The page is built once its selector marks its view.
    if (exclusive && value && m_type == kSelectorType && g_selectorFocusPassed && IsWindowVisible()) {
        g_selectorFocusPassed = false;
        m_focused = int(button - m_buttons.data());
        m_focusingItem = true;
        SetFocus();
        m_focusingItem = false;
    }
}

int CMyToolBar::GetButtonFlag(UINT command) const
{
    const SButton* button = Find(command);
    return button ? button->flag : 0;
}

void CMyToolBar::SetButtonStateBits(UINT command, UINT bits)
{
    if (SButton* button = Find(command)) {
        button->stateBits = bits;
        if (GetSafeHwnd())
            Invalidate();
    }
}

UINT CMyToolBar::GetButtonStateBits(UINT command) const
{
    const SButton* button = Find(command);
    return button ? button->stateBits : 0;
}

void CMyToolBar::SetTitleField(UINT command, int width, const CString& prompt)
{
    SButton* button = Find(command);
    if (!button || m_edit.GetSafeHwnd())
        return;
    button->width = width;
    m_prompt = prompt;
    m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, width, kHeight - 4), this,
                  kTitleEditId);
    m_edit.SetFont(CMyFont::GetSharedFont(12, true), FALSE);
    CToolBarEditFieldCount::Add();
    ShowPrompt();
    Layout();
}

void CMyToolBar::ShowPrompt()
{
    // Marked first: the change the text makes is heard as no title of the user's.
    m_promptShown = true;
    m_edit.SetWindowText(m_prompt);
}

CString CMyToolBar::GetUserEditText() const
{
    if (!m_edit.GetSafeHwnd() || m_promptShown)
        return CString();
    CString text;
    m_edit.GetWindowText(text);
    return text;
}

CString CMyToolBar::GetTitleText() const
{
    return m_promptShown ? m_prompt : GetUserEditText();
}

void CMyToolBar::SetEditText(const CString& text)
{
    if (text.IsEmpty() || !m_edit.GetSafeHwnd())
        return;
    m_promptShown = false;
    m_edit.SetWindowText(text);
}

void CMyToolBar::SetCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    if (GetSafeHwnd())
        Invalidate();
}

void CMyToolBar::SetColors(COLORREF face, COLORREF marked, COLORREF text)
{
    m_face = face;
    m_marked = marked;
    m_text = text;
    if (GetSafeHwnd())
        Invalidate();
}

int CMyToolBar::GetEditFieldCount()
{
    return CToolBarEditFieldCount::Get();
}

BOOL CMyToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kTitleEditId) {
        const UINT code = HIWORD(wParam);
        if (code == EN_SETFOCUS && m_promptShown) {
            m_promptShown = false;
            m_edit.SetWindowText("");
        } else if (code == EN_KILLFOCUS) {
            CString text;
            m_edit.GetWindowText(text);
            if (text.IsEmpty())
                ShowPrompt();
        }
        // The frame's view stores the text as it changes and when the field loses the focus.
        if (CWnd* frame = GetParent())
            frame->SendMessage(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CMyToolBar::OnDestroy()
{
    if (m_edit.GetSafeHwnd())
        CToolBarEditFieldCount::Remove();
    CWnd::OnDestroy();
}

BOOL CMyToolBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMyToolBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_face);
    dc.FillSolidRect(0, client.bottom - 1, client.Width(), 1, RGB(160, 160, 160));
    const CSize stripSize = m_glyphs.GetSize();
    std::vector<DWORD> strip(std::size_t(stripSize.cx) * std::size_t(stripSize.cy));
    m_glyphs.GetBitmapBits(DWORD(strip.size() * sizeof(DWORD)), strip.data());
    CFont* old = dc.SelectObject(CMyFont::GetSharedFont(12, false));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_text);
    for (const SButton& button : m_buttons) {
        if (button.hidden || button.rect.IsRectEmpty())
            continue;
        if (button.command == 0) {
            const int x = button.rect.CenterPoint().x;
            dc.FillSolidRect(x, button.rect.top + 3, 1, button.rect.Height() - 6, RGB(160, 160, 160));
            continue;
        }
        if (button.width > 0)
            continue; // the title field covers its place
        const bool down = button.flag != 0 || (button.stateBits & kPressedBit) || m_pressed == button.command;
        const COLORREF background = down ? m_marked : m_face;
        if (down) {
            dc.FillSolidRect(&button.rect, background);
            dc.Draw3dRect(&button.rect, RGB(120, 120, 120), RGB(255, 255, 255));
        }
        const CSize& glyph = m_glyphSize;
        const int image = button.image;
        const int glyphY = button.rect.top + (button.rect.Height() - glyph.cy) / 2;
        if (image >= 0 && (image + 1) * glyph.cx <= stripSize.cx && stripSize.cy >= glyph.cy) {
            // The collapse button's glyph turns with the section's state: the strip holds the
            // expanded glyph, a collapsed section shows the glyph mirrored upside down.
            if (button.command == kCollapseCommand && m_collapsed) {
                std::vector<DWORD> flipped(strip);
                for (int row = 0; row < glyph.cy; ++row)
                    for (int column = 0; column < glyph.cx; ++column)
                        flipped[std::size_t(row * stripSize.cx + image * glyph.cx + column)] =
                            strip[std::size_t((glyph.cy - 1 - row) * stripSize.cx + image * glyph.cx + column)];
                DrawGlyph(dc, flipped, stripSize.cx, glyph, image, button.rect.left + 4, glyphY, background,
                          button.enabled);
            } else {
                DrawGlyph(dc, strip, stripSize.cx, glyph, image, button.rect.left + 4, glyphY, background,
                          button.enabled);
            }
        }
        if (!button.text.IsEmpty()) {
            CRect textRect = LabelRect(button);
            dc.DrawText(button.text, &textRect,
                        DT_LEFT | DT_VCENTER | DT_SINGLELINE | (button.labelCut ? DT_END_ELLIPSIS : 0));
        }
        // The button the keyboard is at shows the focus.
        if (GetFocus() == this && int(&button - m_buttons.data()) == m_focused) {
            CRect focus = button.rect;
            focus.DeflateRect(2, 2);
            dc.DrawFocusRect(&focus);
        }
    }
    dc.SelectObject(old);
}

void CMyToolBar::OnLButtonDown(UINT, CPoint point)
{
    for (const SButton& button : m_buttons) {
        if (button.command != 0 && button.width == 0 && !button.hidden && button.enabled && button.rect.PtInRect(point)) {
            m_pressed = button.command;
            SetCapture();
            Invalidate();
            return;
        }
    }
}

void CMyToolBar::OnLButtonUp(UINT, CPoint point)
{
    const UINT pressed = m_pressed;
    m_pressed = 0;
    if (GetCapture() == this)
        ReleaseCapture();
    Invalidate();
    const SButton* button = Find(pressed);
    if (button && button->rect.PtInRect(point))
        if (CWnd* frame = GetParent())
            frame->SendMessage(WM_COMMAND, MAKEWPARAM(pressed, 0), LPARAM(GetSafeHwnd()));
}

// ---- the keyboard

std::vector<int> CMyToolBar::KeyboardItems() const
{
    std::vector<int> items;
    for (int i = 0; i < GetButtonCount(); ++i) {
        const SButton& button = m_buttons[std::size_t(i)];
        if (button.command != 0 && !button.hidden && button.enabled && !button.rect.IsRectEmpty())
            items.push_back(i);
    }
    return items;
}

UINT CMyToolBar::GetFocusedCommand() const
{
    const bool focused = GetFocus() == this || (m_edit.GetSafeHwnd() && GetFocus() == &m_edit);
    return focused ? GetCommand(m_focused) : 0;
}

void CMyToolBar::FocusItem(int index)
{
    m_focused = index;
    m_focusingItem = true;
    if (GetCommand(index) == kTitleCommand && m_edit.GetSafeHwnd())
        m_edit.SetFocus();
    else
        SetFocus();
    m_focusingItem = false;
    Invalidate();
}

bool CMyToolBar::MoveFocusedItem(int step)
{
    const std::vector<int> items = KeyboardItems();
    const auto at = std::find(items.begin(), items.end(), m_focused);
    if (at == items.end()) {
        if (items.empty())
            return false;
        FocusItem(step > 0 ? items.front() : items.back());
        return true;
    }
    const std::ptrdiff_t next = (at - items.begin()) + step;
    if (next < 0 || next >= std::ptrdiff_t(items.size()))
        return false;
    FocusItem(items[std::size_t(next)]);
    return true;
}

void CMyToolBar::Press(UINT command)
{
    if (m_type == kSelectorType && GetButtonFlag(command) != 0)
        return; // the view that shows already
    if (m_type == kSelectorType)
        g_selectorFocusPassed = true;
    if (CWnd* frame = GetParent())
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), LPARAM(GetSafeHwnd()));
}

UINT CMyToolBar::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CMyToolBar::OnSetFocus(CWnd* oldWnd)
{
    CWnd::OnSetFocus(oldWnd);
    if (!m_focusingItem) {
        // Arriving from outside: the marked view of a selector, as a tab bar's chosen tab; the first
        // button of a section toolbar, the last one when Shift+Tab comes back to it.
        const std::vector<int> items = KeyboardItems();
        const auto marked = std::find_if(items.begin(), items.end(), [this](int i) { return m_buttons[std::size_t(i)].flag != 0; });
        if (m_type == kSelectorType && marked != items.end())
            m_focused = *marked;
        else if (!items.empty())
            m_focused = GetKeyState(VK_SHIFT) < 0 ? items.back() : items.front();
        if (GetCommand(m_focused) == kTitleCommand && m_edit.GetSafeHwnd()) {
            FocusItem(m_focused);
            return;
        }
    }
    Invalidate();
}

void CMyToolBar::OnKillFocus(CWnd* newWnd)
{
    CWnd::OnKillFocus(newWnd);
    Invalidate();
}

void CMyToolBar::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (MoveFocusedItem(key == VK_LEFT ? -1 : 1) && m_type == kSelectorType && GetFocus() == this)
            Press(GetCommand(m_focused));
        return;
    case VK_SPACE:
    case VK_RETURN:
        if (GetCommand(m_focused) != 0 && GetCommand(m_focused) != kTitleCommand)
            Press(GetCommand(m_focused));
        return;
    default: CWnd::OnKeyDown(key, repeatCount, flags);
    }
}

BOOL CMyToolBar::PreTranslateMessage(MSG* msg)
{
    const bool ownFocus = GetFocus() == this || (m_edit.GetSafeHwnd() && GetFocus() == &m_edit);
    if (msg->message != WM_KEYDOWN || msg->wParam != VK_TAB || !ownFocus || m_type == kSelectorType ||
        GetKeyState(VK_CONTROL) < 0)
        return CWnd::PreTranslateMessage(msg);
    return MoveFocusedItem(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
}
