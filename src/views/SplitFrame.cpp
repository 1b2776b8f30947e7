#include "views/SplitFrame.h"

#include "platform/framework/windows/WindowStyles.h"
#include "views/MyFormView.h"
#include "views/MySplitterWnd.h"

#include <glog/logging.h>

namespace {

CWnd* CreateSplitFrame(const SRuntimeClass& runtimeClass)
{
    auto* frame = new CSplitFrame(runtimeClass.paneClass);
    frame->SetFrameClass(&runtimeClass);
    return frame;
}

} // namespace

const SRuntimeClass& CSplitFrame::Class()
{
    static const SRuntimeClass runtimeClass{"CSplitFrame", nullptr, &CreateSplitFrame, nullptr};
    return runtimeClass;
}

CSplitFrame::CSplitFrame(const SRuntimeClass* viewClass) : m_runtimeClass(&Class()), m_viewClass(viewClass) {}

CSplitFrame::~CSplitFrame()
{
    m_bAutoDelete = false;
    if (GetSafeHwnd())
        DestroyWindow();
}

void CSplitFrame::OnDestroy()
{
    m_view = nullptr;
    CWnd::OnDestroy();
}

void CSplitFrame::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CSplitFrame::CreateFrame(CWnd* parent, const CRect& rect, UINT id, const SViewCreateContext& context)
{
    m_context = context;
    // No border: the sections of a page sit edge to edge.
    return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

int CSplitFrame::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_viewClass)
        return 0;
    CWnd* object = m_viewClass->CreateObject();
    auto* view = dynamic_cast<CMyFormView*>(object);
    if (!view) {
        delete object;
        LOG(INFO) << "Frame " << m_runtimeClass->className << ": view class " << m_viewClass->className
                  << " cannot be made";
        return -1;
    }
    if (!view->CreateView(this, kFirstPaneId, m_context.document)) {
        LOG(INFO) << "Frame " << m_runtimeClass->className << ": the window of view " << m_viewClass->className
                  << " cannot be made";
        return -1; // the view deleted itself with its window
    }
    m_view = view;
    return 0;
}

CWnd* CSplitFrame::GetView() const
{
    return m_view && m_view->GetSafeHwnd() ? m_view : nullptr;
}

CMyToolBar* CSplitFrame::AddToolBar(int type, UINT resourceId)
{
    auto toolBar = std::make_unique<CMyToolBar>();
    if (!toolBar->CreateToolBar(this, type, resourceId))
        return nullptr;
    CMyToolBar* added = toolBar.get();
    m_toolBars[int(m_toolBars.size())] = std::move(toolBar);
    RecalcLayout();
    return added;
}

CWnd* CSplitFrame::GetToolBar(int index) const
{
    return GetMyToolBar(index);
}

CMyToolBar* CSplitFrame::GetMyToolBar(int index) const
{
    const auto found = m_toolBars.find(index);
    return found == m_toolBars.end() ? nullptr : found->second.get();
}

int CSplitFrame::GetToolBarsHeight() const
{
    return int(m_toolBars.size()) * CMyToolBar::kHeight;
}

BOOL CSplitFrame::AddDialogBar(std::unique_ptr<CMyDialogBar> bar, UINT templateId)
{
    if (!bar || !bar->CreateBar(this, templateId))
        return FALSE;
    m_dialogBar = std::move(bar);
    RecalcLayout();
    return TRUE;
}

CMyToolBar* CSplitFrame::FindSectionToolBar() const
{
    for (const auto& [index, toolBar] : m_toolBars)
        if (toolBar->CommandToIndex(CMyToolBar::kCollapseCommand) >= 0)
            return toolBar.get();
    return nullptr;
}

bool CSplitFrame::IsSectionCollapsed() const
{
    const CMyToolBar* toolBar = FindSectionToolBar();
    return toolBar && toolBar->IsCollapsed();
}

bool CSplitFrame::IsSectionToggled() const
{
    const CMyToolBar* toolBar = FindSectionToolBar();
    return toolBar && toolBar->IsCollapsed() != toolBar->IsLaidOutCollapsed();
}

void CSplitFrame::SetSectionToggled(bool toggled)
{
    if (IsSectionToggled() != toggled)
        ToggleSection(1);
}

void CSplitFrame::ToggleSection(int /*flag*/)
{
    CMyToolBar* toolBar = FindSectionToolBar();
    if (!toolBar)
        return;
    toolBar->SetCollapsed(!toolBar->IsCollapsed());
    if (auto* splitter = dynamic_cast<CMySplitterWnd*>(GetParent()))
        splitter->RecalcSections();
    else
        RecalcLayout();
}

void CSplitFrame::RecalcLayout(BOOL notify)
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    int top = 0;
    for (const auto& [index, toolBar] : m_toolBars) {
        toolBar->MoveWindow(0, top, client.Width(), CMyToolBar::kHeight);
        top += CMyToolBar::kHeight;
    }
    int left = 0;
    // A hidden bar (the graph options collapsed) leaves its room to the view.
    if (m_dialogBar && m_dialogBar->GetSafeHwnd() && (m_dialogBar->GetStyle() & WS_VISIBLE)) {
        const int height = std::max(0, client.Height() - top);
        left = std::min(m_dialogBar->GetBarWidth(height), client.Width());
        m_dialogBar->MoveWindow(0, top, left, height);
    }
    if (CWnd* view = GetView()) {
        view->MoveWindow(left, top, std::max(0, client.Width() - left), std::max(0, client.Height() - top), notify);
    }
}

void CSplitFrame::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

BOOL CSplitFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd* view = GetView(); view && view->OnCommand(wParam, lParam))
        return TRUE;
    if (CWnd* parent = GetParent())
        return BOOL(parent->SendMessage(WM_COMMAND, wParam, lParam));
    return FALSE;
}
