#include "platform/framework/windows/CMDIFrameWnd.h"

#include "platform/framework/windows/QtBridge.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* maximized) const
{
    if (maximized) *maximized = m_active != nullptr;
    return m_active;
}

void CMDIFrameWnd::MDIActivate(CWnd* child)
{
    auto* frame = dynamic_cast<CMDIChildWnd*>(child);
    if (!frame || frame->GetMDIFrame() != this || frame == m_active) return;
    m_active = frame;
    frame->BringWindowToTop();
    UpdateControlBarsUI();
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() { return m_active ? static_cast<CFrameWnd*>(m_active) : this; }

void CMDIFrameWnd::RecalcLayout(BOOL notify)
{
    CFrameWnd::RecalcLayout(notify);
    CRect client;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &client);
    for (CWnd* child : ChildWindows(*this))
        if (dynamic_cast<CMDIChildWnd*>(child)) child->MoveWindow(&client);
}

void CMDIFrameWnd::ChildGone(CMDIChildWnd* child)
{
    if (m_active != child) return;
    m_active = nullptr;
    for (CWnd* other : ChildWindows(*this))
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(other); frame && frame != child) m_active = frame;
}

BOOL CMDIChildWnd::Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                          CCreateContext* context)
{
    if (!parent) return FALSE;
    CRect client;
    parent->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &client);
    const CRect place = CRect(rect).IsRectEmpty() ? client : CRect(rect);
    if (!CFrameWnd::Create(className, title, style | WS_CHILD, place, parent, nullptr, 0, context)) return FALSE;
    MDIActivate();
    return TRUE;
}

CMDIChildWnd::~CMDIChildWnd()
{
    // Deleted with its window alive: OnDestroy will not run as this class any more.
    if (CMDIFrameWnd* frame = m_hWnd ? GetMDIFrame() : nullptr) frame->ChildGone(this);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const { return dynamic_cast<CMDIFrameWnd*>(GetParent()); }

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->MDIActivate(this);
}

void CMDIChildWnd::OnDestroy()
{
    if (CMDIFrameWnd* frame = GetMDIFrame()) frame->ChildGone(this);
    CFrameWnd::OnDestroy();
}
