#include "platform/framework/windows/CToolBar.h"

#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/ToolBarResource.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace
{
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr UINT kControlId = 0xE8FF; // the toolbar control inside the bar

// Sets a toolbar button from the frame's update-UI pass.
class CToolCmdUI : public CCmdUI
{
public:
    explicit CToolCmdUI(CToolBarCtrl& ctrl) : m_ctrl(ctrl) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_ctrl.EnableButton(int(m_nID), on);
    }
    void SetCheck(int check) override
    {
        m_ctrl.CheckButton(int(m_nID), check == 1);
        m_ctrl.Indeterminate(int(m_nID), check == 2);
    }

private:
    CToolBarCtrl& m_ctrl;
};
} // namespace

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) { return CreateEx(parent, TBSTYLE_FLAT, style, m_borders, id); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, CRect borders, UINT id)
{
    m_dwStyle = style & CBRS_ALIGN_ANY ? style & 0xFFFF : (style & 0xFFFF) | CBRS_TOP;
    m_borders = borders;
    const DWORD windowStyle = (style & ~0xFFFFu) | WS_CHILD;
    if (!CWnd::Create(nullptr, nullptr, windowStyle, CRect(0, 0, 100, 30), parent, id)) return FALSE;
    const DWORD tips = (style & CBRS_TOOLTIPS) ? TBSTYLE_TOOLTIPS : 0;
    if (!m_ctrl.Create(controlStyle | tips | WS_VISIBLE, CRect(0, 0, 100, 30), this, kControlId)) return FALSE;
    if (CFrameWnd* frame = dynamic_cast<CFrameWnd*>(parent)) frame->RecalcLayout();
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    const auto resource = LoadToolBarResource(resourceId);
    if (!resource) return FALSE;
    SetSizes(resource->buttonSize, resource->imageSize);
    // Buttons without images still work: the bitmap is optional.
    LoadBitmap(resource->bitmap);
    return SetButtons(resource->buttons.data(), int(resource->buttons.size()));
}

BOOL CToolBar::LoadBitmap(UINT bitmapId)
{
    CBitmap strip;
    if (!strip.LoadBitmap(bitmapId)) return FALSE;
    m_images.DeleteImageList();
    m_images.Create(m_imageSize.cx, m_imageSize.cy, ILC_MASK | ILC_COLOR32, 0, 4);
    if (m_images.Add(&strip, kTransparent) < 0) return FALSE;
    m_ctrl.SetImageList(&m_images);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    while (m_ctrl.GetButtonCount() > 0) m_ctrl.DeleteButton(0);
    int image = 0;
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON b;
        b.idCommand = int(ids ? ids[i] : 0);
        if (b.idCommand == int(ID_SEPARATOR))
        {
            b.fsStyle = TBSTYLE_SEP;
            b.iBitmap = 0;
        }
        else b.iBitmap = image++;
        if (!m_ctrl.AddButtons(1, &b)) return FALSE;
    }
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    return TRUE;
}

void CToolBar::SetSizes(CSize button, CSize image)
{
    m_imageSize = image;
    m_ctrl.SetButtonSize(button);
}

void CToolBar::SetHeight(int height) { m_fixedHeight = std::max(height, 0); }

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON b;
    return m_ctrl.GetButton(index, &b) ? ((b.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : UINT(b.idCommand)) : 0;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const
{
    CRect r;
    if (!m_ctrl.GetItemRect(index, &r)) r.SetRectEmpty();
    r.OffsetRect(m_borders.left, m_borders.top);
    *rect = r;
}

UINT CToolBar::GetButtonStyle(int index) const
{
    TBBUTTON b;
    if (!m_ctrl.GetButton(index, &b)) return 0;
    return UINT(b.fsStyle) | (UINT(b.fsState ^ TBSTATE_ENABLED) << 8);
}

void CToolBar::SetButtonStyle(int index, UINT style)
{
    TBBUTTON b;
    if (!m_ctrl.GetButton(index, &b)) return;
    m_ctrl.SetButtonInfo(index, UINT(b.idCommand), BYTE(style & 0xFF), b.iBitmap);
    if (!(b.fsStyle & TBSTYLE_SEP)) m_ctrl.SetState(b.idCommand, UINT(((style >> 8) & 0xFF) ^ TBSTATE_ENABLED));
}

void CToolBar::GetButtonInfo(int index, UINT& id, UINT& style, int& image) const
{
    TBBUTTON b;
    if (!m_ctrl.GetButton(index, &b)) return;
    id = UINT(b.idCommand);
    style = GetButtonStyle(index);
    image = b.iBitmap;
}

void CToolBar::SetButtonInfo(int index, UINT id, UINT style, int image)
{
    m_ctrl.SetButtonInfo(index, id, BYTE(style & 0xFF), image);
    if (!(style & TBBS_SEPARATOR)) m_ctrl.SetState(int(id), UINT(((style >> 8) & 0xFF) ^ TBSTATE_ENABLED));
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
}

BOOL CToolBar::SetButtonText(int index, LPCTSTR text)
{
    if (!m_ctrl.SetButtonText(index, text ? text : "")) return FALSE;
    if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
    return TRUE;
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL)
{
    const int height = m_fixedHeight ? m_fixedHeight : m_ctrl.GetButtonSize().cy + m_borders.top + m_borders.bottom;
    const int width = m_ctrl.GetIdealSize().cx + m_borders.left + m_borders.right;
    return CSize(stretch ? 32767 : width, height);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CToolCmdUI ui(m_ctrl);
    ui.m_pOther = this;
    for (int i = 0; i < m_ctrl.GetButtonCount(); ++i)
    {
        TBBUTTON b;
        m_ctrl.GetButton(i, &b);
        if (b.fsStyle & TBSTYLE_SEP) continue;
        ui.m_nID = UINT(b.idCommand);
        ui.m_nIndex = UINT(i);
        ui.DoUpdate(target, disableIfNoHandler);
    }
}

void CToolBar::OnSize(UINT type, int cx, int cy)
{
    CControlBar::OnSize(type, cx, cy);
    if (m_ctrl.m_hWnd)
        m_ctrl.MoveWindow(m_borders.left, m_borders.top, std::max(cx - m_borders.left - m_borders.right, 0),
                          std::max(cy - m_borders.top - m_borders.bottom, 0));
}
