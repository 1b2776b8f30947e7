#include "views/MyFormView.h"

#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"

#include <glog/logging.h>

#include <algorithm>

namespace {
constexpr UINT kHiddenDataCommand1 = 33052;
constexpr UINT kHiddenDataCommand2 = 33053;
} // namespace

const SRuntimeClass& CMyFormView::Class()
{
    static const SRuntimeClass runtimeClass{"CMyFormView", nullptr, &CreateWindowObject<CMyFormView>, nullptr};
    return runtimeClass;
}

CMyFormView::CMyFormView(UINT templateId) : m_templateId(templateId) {}

CMyFormView::~CMyFormView()
{
    m_bAutoDelete = false;
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CMyFormView::CreateView(CWnd* frame, UINT id, CRecDoc* document)
{
    m_document = document;
    CRect client;
    if (frame)
        frame->GetClientRect(&client);
    return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, frame, id);
}

int CMyFormView::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CreateTemplateControls();
    if (m_document)
        m_document->AddView(this);
    return 0;
}

void CMyFormView::CreateTemplateControls()
{
    if (m_templateId == 0)
        return;
    const auto dialog = LoadDialogTemplate(m_templateId);
    if (!dialog)
        return;
    for (const DialogItemTemplate& item : dialog->items) {
        auto control = std::make_unique<CWnd>();
        if (control->CreateEx(item.exStyle, item.className, item.text, item.style | WS_CHILD,
                              DialogUnitsToPixels(item.rect), this, item.id))
            m_controls.push_back(std::move(control));
        else
            LOG(INFO) << "Form view " << m_templateId << ": control " << item.id << " cannot be made";
    }
}

void CMyFormView::OnDestroy()
{
    if (m_document)
        m_document->RemoveView(this);
    m_document = nullptr;
    CWnd::OnDestroy();
}

void CMyFormView::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CMyFormView::OnInitialUpdate()
{
    ++m_initialUpdates;
    m_initialUpdateSerial = ++s_initialUpdateSerial;
    m_contentRect.SetRectEmpty();
    for (const auto& control : m_controls) {
        CRect rect;
        control->GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_contentRect.UnionRect(&m_contentRect, &rect);
    }
}

void CMyFormView::SetScaleToFitSize(const CSize&)
{
    m_scaleToFit = true;
}

void CMyFormView::OnSize(UINT type, int cx, int cy)
{
    // A zero side comes while a page is hidden or laid out; there is nothing to fit then.
    if (cx == 0 || cy == 0)
        return;
    CWnd::OnSize(type, cx, cy);
}

LRESULT CMyFormView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITIALUPDATE) {
        OnInitialUpdate();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CMyFormView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id == kHiddenDataCommand1 || id == kHiddenDataCommand2)
        return TRUE;
    return CWnd::OnCommand(wParam, lParam);
}

void CMyFormView::UpdateScrollSizes()
{
    CRect content;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        CRect rect;
        child->GetWindowRect(&rect);
        ScreenToClient(&rect);
        content.UnionRect(&content, &rect);
    }
    m_scrollSize = CSize(std::max<LONG>(0, content.right), std::max<LONG>(0, content.bottom));
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    const auto setBar = [this](int bar, int range, int page) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMax = std::max(0, range - 1);
        info.nPage = UINT(std::max(0, page));
        SetScrollInfo(bar, &info, TRUE);
    };
    if (style & WS_HSCROLL)
        setBar(SB_HORZ, m_scrollSize.cx, client.Width());
    if (style & WS_VSCROLL)
        setBar(SB_VERT, m_scrollSize.cy, client.Height());
}
