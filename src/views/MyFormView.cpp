#include "views/MyFormView.h"

#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/ScrollRequest.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

#include <glog/logging.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr UINT IDS_BOOKMARK_PICTURE_FAILED = 20142; // "The picture of the bookmark cannot be made..."
constexpr UINT IDS_BOOKMARK_SECTION_HIDDEN = 20170; // "... the section does not show on the page."
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
    // A bar that comes or goes resizes the client area, and the view's WM_SIZE handling may come
    // back here: the loop below measures again instead.
    if (m_updatingScrollSizes)
        return;
    m_updatingScrollSizes = true;
    for (int pass = 0; pass < 3; ++pass) {
        const CPoint origin = GetScrollPosition();
        CRect content;
        for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            CRect rect;
            child->GetWindowRect(&rect);
            ScreenToClient(&rect);
            content.UnionRect(&content, &rect);
        }
        content.OffsetRect(origin.x, origin.y);
        m_scrollSize = CSize(std::max<LONG>(0, content.right), std::max<LONG>(0, content.bottom));
        CRect before;
        GetClientRect(&before);
        // A bar that came in this update stays: content that only fits without the bar because
        // the bar's room reshaped it would bring the bar and take it away again without end.
        ApplyScrollBars(pass > 0);
        CRect after;
        GetClientRect(&after);
        if (after == before)
            break;
    }
    m_updatingScrollSizes = false;
}

void CMyFormView::ApplyScrollBars(bool keepShownBars)
{
    const CPoint old = GetScrollPosition();
    CRect client;
    GetClientRect(&client);
    const auto setBar = [this, keepShownBars](int bar, int range, int page) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | (keepShownBars ? SIF_DISABLENOSCROLL : 0);
        info.nMin = 0;
        info.nMax = std::max(0, range - 1);
        info.nPage = UINT(std::max(0, page));
        SetScrollInfo(bar, &info, TRUE);
    };
    setBar(SB_HORZ, m_scrollSize.cx, client.Width());
    setBar(SB_VERT, m_scrollSize.cy, client.Height());
    // A shorter range may have pulled the position back: the children follow it.
    const CPoint now = GetScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
}

CPoint CMyFormView::GetScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

void CMyFormView::ScrollToPosition(CPoint position)
{
    const CPoint old = GetScrollPosition();
    SetScrollPos(SB_HORZ, std::max<LONG>(0, position.x));
    SetScrollPos(SB_VERT, std::max<LONG>(0, position.y));
    const CPoint now = GetScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
}

int CMyFormView::ScrollTarget(int bar, UINT code, UINT pos) const
{
    constexpr int kLineStep = 16;
    CRect client;
    GetClientRect(&client);
    const int page = bar == SB_VERT ? client.Height() : client.Width();
    const int range = bar == SB_VERT ? m_scrollSize.cy : m_scrollSize.cx;
    return ScrollRequestTarget(code, pos, GetScrollPos(bar), kLineStep, page, range);
}

void CMyFormView::OnVScroll(UINT code, UINT pos, CWnd*)
{
    ScrollToPosition(CPoint(GetScrollPos(SB_HORZ), ScrollTarget(SB_VERT, code, pos)));
}

void CMyFormView::OnHScroll(UINT code, UINT pos, CWnd*)
{
    ScrollToPosition(CPoint(ScrollTarget(SB_HORZ, code, pos), GetScrollPos(SB_VERT)));
}

BOOL CMyFormView::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    CRect client;
    GetClientRect(&client);
    // Only a page taller than its window turns the wheel into scrolling.
    if (m_scrollSize.cy <= client.Height())
        return CWnd::OnMouseWheel(flags, delta, screenPoint);
    constexpr int kWheelStep = 48;
    const CPoint origin = GetScrollPosition();
    ScrollToPosition(CPoint(origin.x, origin.y - delta / WHEEL_DELTA * kWheelStep));
    return TRUE;
}

void UpdateParentViewScrollSizes(CWnd& child)
{
    if (auto* view = dynamic_cast<CMyFormView*>(child.GetParent()))
        view->UpdateScrollSizes();
}

void CMyFormView::ResizeViewAndRecalcFrame(const CRect& content)
{
    SetWindowPos(nullptr, 0, 0, content.right, content.bottom, SWP_NOMOVE | SWP_NOZORDER);
    ScrollToPosition(CPoint(0, 0));
    m_scrollSize = CSize(0, 0);
    ApplyScrollBars();
    SetScrollRange(SB_HORZ, 0, 5000);
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        frame->RecalcLayout(TRUE);
}

bool CMyFormView::BeginSectionCapture(const CRect& rect, const CString& name)
{
    if (!m_document)
        return false;
    // Nothing of the section in sight is no fault of the temporary folder.
    CWnd* main = GetMainWindow();
    CRect shown;
    if (main) {
        CRect client;
        main->GetClientRect(&client);
        shown.IntersectRect(&rect, &client);
    }
    if (shown.IsRectEmpty()) {
        AfxMessageBox(IDS_BOOKMARK_SECTION_HIDDEN, MB_ICONEXCLAMATION);
        return false;
    }
    CString path;
    if (!CaptureWindowRect(rect, kCaptureToFile, &path)) {
        AfxMessageBox(IDS_BOOKMARK_PICTURE_FAILED, MB_ICONEXCLAMATION);
        return false;
    }
    // Without a text of the user's the bookmark takes the section's title, as its field shows it.
    CString bookmarkName = name;
    bookmarkName.Trim();
    const auto* frame = dynamic_cast<CSplitFrame*>(GetParent());
    if (const CMyToolBar* toolBar = frame ? frame->FindSectionToolBar() : nullptr; bookmarkName.IsEmpty() && toolBar)
        bookmarkName = toolBar->GetTitleText();
    const bool added = m_document->AddBookmark(m_viewKind, bookmarkName, path) == 0;
    std::remove(path.GetString());
    return added;
}
