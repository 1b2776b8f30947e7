#include "platform/framework/windows/CView.h"

#include "platform/framework/windows/CCreateContext.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CDocument.h"
#include "platform/framework/windows/CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

CView::~CView()
{
    // A view deleted with its window alive gets no OnDestroy: leave the frame and document here.
    if (CFrameWnd* frame = m_hWnd ? GetParentFrame() : nullptr; frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    if (m_pDocument) m_pDocument->RemoveView(this);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }
void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }
void CView::OnDraw(CDC*) {}
void CView::OnActivateView(BOOL, CView*, CView*) {}

BOOL CView::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (CWnd::OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL CView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_INITIALUPDATE)
    {
        OnInitialUpdate();
        *result = 0;
        return TRUE;
    }
    // A click or the focus makes the view its frame's active view, before the view handles it.
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_SETFOCUS)
        if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() != this) frame->SetActiveView(this, FALSE);
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

int CView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1) return -1;
    if (const auto* context = cs ? static_cast<const CCreateContext*>(cs->lpCreateParams) : nullptr)
        if (context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CView::PostNcDestroy()
{
    if (m_pDocument) m_pDocument->RemoveView(this);
    if (m_bAutoDelete) delete this;
}
