#include "platform/framework/windows/CFrameWnd.h"

#include "platform/framework/windows/CControlBar.h"
#include "platform/framework/windows/CView.h"
#include "platform/framework/windows/CWinApp.h"
#include "platform/framework/windows/QtBridge.h"

#include <cstdio>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

namespace
{
constexpr LPARAM kOwnPass = 1;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* w = GetParent(); w; w = w->GetParent())
        if (auto* frame = dynamic_cast<CFrameWnd*>(w)) return frame;
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    auto* frame = dynamic_cast<CFrameWnd*>(const_cast<CWnd*>(this));
    if (!frame) frame = GetParentFrame();
    while (frame)
    {
        CFrameWnd* outer = frame->GetParentFrame();
        if (!outer) break;
        frame = outer;
    }
    return frame;
}

void CWnd::RepositionBars(UINT firstId, UINT lastId, UINT leftOverId, UINT flags, LPRECT rectParam,
                          LPCRECT rectClient, BOOL stretch)
{
    AFX_SIZEPARENTPARAMS layout;
    if (rectClient) layout.rect = *rectClient;
    else GetClientRect(&layout.rect);
    layout.sizeTotal = {0, 0};
    layout.bStretch = stretch;
    layout.bQuery = flags == reposQuery;
    CWnd* leftOver = nullptr;
    for (CWnd* child : ChildWindows(*this))
    {
        const UINT id = UINT(child->GetDlgCtrlID());
        if (id == leftOverId) leftOver = child;
        else if (id >= firstId && id <= lastId) child->SendMessage(WM_SIZEPARENT, 0, LPARAM(&layout));
    }
    CRect rest(layout.rect);
    rest.right = std::max(rest.right, rest.left);
    rest.bottom = std::max(rest.bottom, rest.top);
    if (flags == reposQuery)
    {
        if (rectParam) *rectParam = rest;
        return;
    }
    if (leftOver) leftOver->MoveWindow(&rest);
}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CWnd* parent, LPCTSTR,
                       DWORD exStyle, CCreateContext* context)
{
    return CreateEx(exStyle, className, title, style, rect, parent, 0, context);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
    return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    if (!context || !context->m_pNewViewClass) return TRUE;
    return CreateView(context) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass || !context->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return nullptr;
    std::unique_ptr<CObject> object(context->m_pNewViewClass->CreateObject());
    auto* wnd = dynamic_cast<CWnd*>(object.get());
    if (!wnd) return nullptr;
    if (auto* view = dynamic_cast<CView*>(wnd)) view->m_bAutoDelete = TRUE;
    if (auto* frame = dynamic_cast<CFrameWnd*>(wnd)) frame->m_bAutoDelete = TRUE;
    CRect client;
    GetClientRect(&client);
    if (!wnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, id, context)) return nullptr;
    // The window deletes itself when it is destroyed.
    object.release();
    return wnd;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_inLayout || !m_hWnd) return;
    m_inLayout = true;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_inLayout = false;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL delay)
{
    if (!bar || !bar->m_hWnd) return;
    bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
    if (!delay) RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const
{
    for (CWnd* child : ChildWindows(*this))
        if (auto* bar = dynamic_cast<CControlBar*>(child); bar && UINT(bar->GetDlgCtrlID()) == id) return bar;
    return nullptr;
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* old = m_pViewActive;
    if (view == old) return;
    m_pViewActive = view;
    if (notify && old) old->OnActivateView(FALSE, view, old);
    if (notify && view) view->OnActivateView(TRUE, view, old);
    UpdateControlBarsUI();
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveFrame() ? GetActiveFrame()->GetActiveView() : nullptr;
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL makeVisible)
{
    if (!m_pViewActive)
        if (auto* view = dynamic_cast<CView*>(GetDlgItem(int(AFX_IDW_PANE_FIRST)))) SetActiveView(view, FALSE);
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    RecalcLayout();
    if (makeVisible) ShowWindow(SW_SHOW);
    UpdateControlBarsUI();
}

void CFrameWnd::UpdateControlBarsUI() { SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE); }

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    CFrameWnd* active = GetActiveFrame();
    if (active && active != this && active->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const BOOL handled = CWnd::OnCommand(wParam, lParam);
    // The command may have changed what the buttons show: update them once the queue is idle.
    if (!m_updatePosted && m_hWnd) m_updatePosted = PostMessage(WM_IDLEUPDATECMDUI, TRUE, kOwnPass) != FALSE;
    return handled;
}

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != TTN_NEEDTEXT) return FALSE;
    auto* request = reinterpret_cast<NMTTDISPINFO*>(lParam);
    CString text;
    if (!text.LoadString(unsigned(header->idFrom))) return FALSE;
    if (const int newline = text.Find('\n'); newline >= 0) text = text.Mid(newline + 1);
    std::snprintf(request->szText, sizeof(request->szText), "%s", text.GetString());
    request->lpszText = nullptr;
    *result = 0;
    return TRUE;
}

BOOL CFrameWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // The pass reaches nested frames as well; only the one a frame posted itself starts a pass.
    if (message == WM_IDLEUPDATECMDUI && lParam == kOwnPass)
    {
        m_updatePosted = false;
        UpdateControlBarsUI();
        *result = 0;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* oldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd) m_pViewActive->SetFocus();
    else CWnd::OnSetFocus(oldWnd);
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete) delete this;
}
