#include "platform/framework/windows/CToolBarCtrl.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CImageList.h"
#include "platform/framework/windows/GdiObjects.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

namespace
{
constexpr int kSeparatorWidth = 8;
constexpr int kTextGap = 4; // between image and text, and after the text
constexpr UINT_PTR kHotTimer = 1;
}

BOOL CToolBarCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create(nullptr, nullptr, style | WS_CHILD, rect, parent, id)) return FALSE;
    if (style & TBSTYLE_TOOLTIPS) EnableToolTips(TRUE);
    return TRUE;
}

BOOL CToolBarCtrl::AddButtons(int count, const TBBUTTON* buttons)
{
    for (int i = 0; i < count; ++i)
        if (!InsertButton(GetButtonCount(), &buttons[i])) return FALSE;
    return TRUE;
}

BOOL CToolBarCtrl::InsertButton(int index, const TBBUTTON* button)
{
    if (!button || index < 0 || index > GetButtonCount()) return FALSE;
    Button b;
    b.info = *button;
    if (button->iString) b.text = reinterpret_cast<const char*>(button->iString);
    b.info.iString = 0;
    m_buttons.insert(m_buttons.begin() + index, std::move(b));
    Layout();
    return TRUE;
}

BOOL CToolBarCtrl::DeleteButton(int index)
{
    if (index < 0 || index >= GetButtonCount()) return FALSE;
    m_buttons.erase(m_buttons.begin() + index);
    Layout();
    return TRUE;
}

BOOL CToolBarCtrl::GetButton(int index, TBBUTTON* button) const
{
    if (!button || index < 0 || index >= GetButtonCount()) return FALSE;
    *button = m_buttons[std::size_t(index)].info;
    return TRUE;
}

int CToolBarCtrl::CommandToIndex(UINT id) const
{
    // A separator is found by its command only when it has one (a field placed there).
    if (id == 0) return -1;
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (UINT(m_buttons[i].info.idCommand) == id) return int(i);
    return -1;
}

BOOL CToolBarCtrl::GetItemRect(int index, LPRECT rect) const
{
    if (!rect || index < 0 || index >= int(m_rects.size())) return FALSE;
    *rect = m_rects[std::size_t(index)];
    return TRUE;
}

int CToolBarCtrl::HitTest(CPoint point) const
{
    for (std::size_t i = 0; i < m_rects.size(); ++i)
        if (!(m_buttons[i].info.fsStyle & TBSTYLE_SEP) && m_rects[i].PtInRect(point)) return int(i);
    return -1;
}

CToolBarCtrl::Button* CToolBarCtrl::ByCommand(int id)
{
    const int index = CommandToIndex(UINT(id));
    return index < 0 ? nullptr : &m_buttons[std::size_t(index)];
}

const CToolBarCtrl::Button* CToolBarCtrl::ByCommand(int id) const
{
    const int index = CommandToIndex(UINT(id));
    return index < 0 ? nullptr : &m_buttons[std::size_t(index)];
}

BOOL CToolBarCtrl::ChangeState(int id, BYTE bit, BOOL on)
{
    Button* b = ByCommand(id);
    if (!b) return FALSE;
    const BYTE state = on ? BYTE(b->info.fsState | bit) : BYTE(b->info.fsState & ~bit);
    if (state == b->info.fsState) return TRUE;
    b->info.fsState = state;
    if (bit == TBSTATE_HIDDEN) Layout();
    else if (m_hWnd) Invalidate(FALSE);
    return TRUE;
}

BOOL CToolBarCtrl::EnableButton(int id, BOOL enable) { return ChangeState(id, TBSTATE_ENABLED, enable); }
BOOL CToolBarCtrl::CheckButton(int id, BOOL check) { return ChangeState(id, TBSTATE_CHECKED, check); }
BOOL CToolBarCtrl::PressButton(int id, BOOL press) { return ChangeState(id, TBSTATE_PRESSED, press); }
BOOL CToolBarCtrl::HideButton(int id, BOOL hide) { return ChangeState(id, TBSTATE_HIDDEN, hide); }
BOOL CToolBarCtrl::Indeterminate(int id, BOOL on) { return ChangeState(id, TBSTATE_INDETERMINATE, on); }

BOOL CToolBarCtrl::IsButtonEnabled(int id) const { return (GetState(id) & TBSTATE_ENABLED) != 0; }
BOOL CToolBarCtrl::IsButtonChecked(int id) const { return (GetState(id) & TBSTATE_CHECKED) != 0; }
BOOL CToolBarCtrl::IsButtonPressed(int id) const { return (GetState(id) & TBSTATE_PRESSED) != 0; }
BOOL CToolBarCtrl::IsButtonHidden(int id) const { return (GetState(id) & TBSTATE_HIDDEN) != 0; }

BOOL CToolBarCtrl::SetState(int id, UINT state)
{
    Button* b = ByCommand(id);
    if (!b) return FALSE;
    const bool hiddenChanged = ((b->info.fsState ^ state) & TBSTATE_HIDDEN) != 0;
    b->info.fsState = BYTE(state);
    if (hiddenChanged) Layout();
    else if (m_hWnd) Invalidate(FALSE);
    return TRUE;
}

int CToolBarCtrl::GetState(int id) const
{
    const Button* b = ByCommand(id);
    return b ? b->info.fsState : -1;
}

BOOL CToolBarCtrl::SetButtonInfo(int index, UINT id, BYTE style, int imageOrWidth)
{
    if (index < 0 || index >= GetButtonCount()) return FALSE;
    TBBUTTON& info = m_buttons[std::size_t(index)].info;
    info.idCommand = int(id);
    info.fsStyle = style;
    info.iBitmap = imageOrWidth;
    Layout();
    return TRUE;
}

BOOL CToolBarCtrl::SetButtonText(int index, const CString& text)
{
    if (index < 0 || index >= GetButtonCount()) return FALSE;
    m_buttons[std::size_t(index)].text = text;
    Layout();
    return TRUE;
}

CString CToolBarCtrl::GetButtonText(int index) const
{
    return index < 0 || index >= GetButtonCount() ? CString() : m_buttons[std::size_t(index)].text;
}

BOOL CToolBarCtrl::SetButtonToolTip(UINT id, const CString& text)
{
    Button* b = ByCommand(int(id));
    if (!b) return FALSE;
    b->tip = text;
    return TRUE;
}

CImageList* CToolBarCtrl::SetImageList(CImageList* images)
{
    CImageList* old = std::exchange(m_images, images);
    Layout();
    return old;
}

BOOL CToolBarCtrl::SetButtonSize(CSize size)
{
    if (size.cx <= 0 || size.cy <= 0) return FALSE;
    m_buttonSize = size;
    Layout();
    return TRUE;
}

int CToolBarCtrl::ButtonWidth(const Button& b) const
{
    if (b.info.fsStyle & TBSTYLE_SEP) return b.info.iBitmap > 0 ? b.info.iBitmap : kSeparatorWidth;
    if (b.text.IsEmpty()) return m_buttonSize.cx;
    CFont font;
    font.Attach(GetStockObject(DEFAULT_GUI_FONT));
    // A memory context measures: the bar's own would make it keep pixels while hidden.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&font);
    const int image = m_images ? m_images->GetImageSize().cx + kTextGap : 0;
    return std::max<int>(m_buttonSize.cx, kTextGap + image + dc.GetTextExtent(b.text).cx + kTextGap);
}

void CToolBarCtrl::Layout()
{
    m_rects.assign(m_buttons.size(), CRect());
    int x = 0;
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
    {
        if (m_buttons[i].info.fsState & TBSTATE_HIDDEN) continue;
        const int width = ButtonWidth(m_buttons[i]);
        m_rects[i] = CRect(x, 0, x + width, m_buttonSize.cy);
        x += width;
    }
    if (m_hWnd) Invalidate(TRUE);
}

CSize CToolBarCtrl::GetIdealSize() const
{
    int width = 0;
    for (const CRect& r : m_rects) width = std::max<int>(width, r.right);
    return CSize(width, m_buttonSize.cy);
}

INT_PTR CToolBarCtrl::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    const int index = HitTest(point);
    if (index < 0) return -1;
    const Button& b = m_buttons[std::size_t(index)];
    info->uId = UINT_PTR(b.info.idCommand);
    info->rect = m_rects[std::size_t(index)];
    info->hwnd = GetParent() ? GetParent()->m_hWnd : m_hWnd;
    info->lpszText = b.tip.IsEmpty() ? LPSTR_TEXTCALLBACK : strdup(b.tip.GetString());
    return b.info.idCommand;
}

BOOL CToolBarCtrl::OnEraseBkgnd(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CToolBarCtrl::OnPaint()
{
    CPaintDC dc(this);
    CFont font;
    font.Attach(GetStockObject(DEFAULT_GUI_FONT));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (!m_rects[i].IsRectEmpty()) DrawButton(dc, int(i));
}

void CToolBarCtrl::DrawButton(CDC& dc, int index)
{
    const Button& b = m_buttons[std::size_t(index)];
    CRect r = m_rects[std::size_t(index)];
    if (b.info.fsStyle & TBSTYLE_SEP)
    {
        // A separator that makes room for a control draws nothing under it.
        if (b.info.iBitmap > 0 && b.info.iBitmap != kSeparatorWidth) return;
        const int x = r.CenterPoint().x;
        dc.FillSolidRect(x - 1, r.top + 3, 1, r.Height() - 6, GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(x, r.top + 3, 1, r.Height() - 6, GetSysColor(COLOR_BTNHIGHLIGHT));
        return;
    }
    const BYTE state = b.info.fsState;
    const bool enabled = state & TBSTATE_ENABLED;
    const bool down = (state & (TBSTATE_CHECKED | TBSTATE_PRESSED)) || index == m_pressed;
    if (down)
    {
        if (state & TBSTATE_CHECKED) dc.FillSolidRect(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2, GetSysColor(COLOR_3DLIGHT));
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    else if (index == m_hot && enabled)
        dc.Draw3dRect(&r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    const int shift = down ? 1 : 0;
    int x = r.left + kTextGap;
    if (m_images && b.info.iBitmap >= 0 && b.info.iBitmap < m_images->GetImageCount())
    {
        const CSize image = m_images->GetImageSize();
        if (b.text.IsEmpty()) x = r.left + (r.Width() - image.cx) / 2;
        const CPoint at(x + shift, r.top + (r.Height() - image.cy) / 2 + shift);
        m_images->Draw(&dc, b.info.iBitmap, at, enabled ? ILD_NORMAL : ILD_BLEND50);
        x += image.cx + kTextGap;
    }
    if (!b.text.IsEmpty())
    {
        dc.SetTextColor(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        CRect text(x + shift, r.top + shift, r.right, r.bottom + shift);
        dc.DrawText(b.text, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void CToolBarCtrl::OnLButtonDown(UINT, CPoint point)
{
    const int index = HitTest(point);
    if (index < 0 || !(m_buttons[std::size_t(index)].info.fsState & TBSTATE_ENABLED)) return;
    m_pressed = index;
    SetCapture();
    InvalidateRect(&m_rects[std::size_t(index)], FALSE);
}

void CToolBarCtrl::OnLButtonUp(UINT, CPoint point)
{
    const int index = std::exchange(m_pressed, -1);
    if (GetCapture() == this) ReleaseCapture();
    if (index < 0 || index >= GetButtonCount()) return;
    InvalidateRect(&m_rects[std::size_t(index)], FALSE);
    if (HitTest(point) != index) return;
    Button& b = m_buttons[std::size_t(index)];
    if (b.info.fsStyle & TBSTYLE_CHECK)
    {
        if ((b.info.fsStyle & TBSTYLE_GROUP) == TBSTYLE_GROUP)
        {
            // A check group: the neighbours of the same group lose their check.
            for (int i = index - 1; i >= 0 && (m_buttons[std::size_t(i)].info.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; --i)
                m_buttons[std::size_t(i)].info.fsState &= BYTE(~TBSTATE_CHECKED);
            for (int i = index + 1; i < GetButtonCount() && (m_buttons[std::size_t(i)].info.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP; ++i)
                m_buttons[std::size_t(i)].info.fsState &= BYTE(~TBSTATE_CHECKED);
            b.info.fsState |= TBSTATE_CHECKED;
        }
        else b.info.fsState ^= TBSTATE_CHECKED;
        Invalidate(FALSE);
    }
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(b.info.idCommand, BN_CLICKED), LPARAM(m_hWnd));
}

void CToolBarCtrl::OnMouseMove(UINT, CPoint point) { SetHot(HitTest(point)); }

void CToolBarCtrl::SetHot(int hot)
{
    if (hot == m_hot) return;
    if (m_hot >= 0 && m_hot < int(m_rects.size())) InvalidateRect(&m_rects[std::size_t(m_hot)], TRUE);
    m_hot = hot;
    if (m_hot >= 0)
    {
        InvalidateRect(&m_rects[std::size_t(m_hot)], FALSE);
        SetTimer(kHotTimer, 100);
    }
    else KillTimer(kHotTimer);
}

void CToolBarCtrl::OnTimer(UINT_PTR id)
{
    if (id != kHotTimer) return CWnd::OnTimer(id);
    CPoint p;
    ::GetCursorPos(&p);
    ScreenToClient(&p);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(p) || !IsWindowVisible()) SetHot(-1);
}

void CToolBarCtrl::OnCaptureChanged(CWnd* wnd)
{
    if (wnd != this && m_pressed >= 0)
    {
        m_pressed = -1;
        Invalidate(FALSE);
    }
    CWnd::OnCaptureChanged(wnd);
}
