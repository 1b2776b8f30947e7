#include "shell/ChildFrameQuarn.h"

#include "mainview/StudyTabsEnabled.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/Messages.h"
#include "project/RecDoc.h"

namespace {

constexpr COLORREF kCaptionColor = RGB(214, 226, 240);
constexpr int kIndent = 8;

} // namespace

CChildFrameQuarn::~CChildFrameQuarn()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CChildFrameQuarn::CreateFrame(CWnd* parent, const RECT& rect, const CString& title, IProjectDocument& document)
{
    if (!Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, 0))
        return FALSE;
    m_context.document = dynamic_cast<CRecDoc*>(&document);
    if (!m_mainView.Create(this, nullptr, m_context))
        return FALSE;
    if (CWnd* root = m_mainView.GetRootWindow())
        root->MoveWindow(ViewRect());
    if (m_context.document) {
        m_studyHost = std::make_unique<CMainViewStudyHost>(m_mainView, *this, m_context);
        m_context.document->SetStudyViewHost(m_studyHost.get());
    }
    UpdateStudyTabsEnabled(m_mainView.GetLayout(), m_context.document);
    // The pages built with the window (the project manager, the report pages) learn the
    // project from their initial update; study pages get theirs when a study is built.
    SendMessageToDescendants(WM_INITIALUPDATE);
    TVisualObject* managerRight = m_mainView.GetLayout().projectManagerRight;
    m_mainView.GetFramework().SelectTab(managerRight);
    m_mainView.GetFramework().ShowObject(managerRight);
    if (m_context.document)
        m_context.document->TakeShownViewsAsRead();
    return TRUE;
}

LRESULT CChildFrameQuarn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A bookmark shows its study view: the document has set the view id already.
    if (message == WM_FRAME_STUDY_VIEW) {
        m_mainView.SetCurrentViewId(static_cast<int>(wParam));
        m_mainView.BuildStudyLayout(m_context);
        return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
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
    if (CWnd* root = m_mainView.GetRootWindow())
        root->MoveWindow(ViewRect());
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
    if (m_context.document)
        m_context.document->SetStudyViewHost(nullptr);
    // The pages go while their windows are still whole.
    m_mainView.GetFramework().Destroy();
    CWnd::OnDestroy();
}
