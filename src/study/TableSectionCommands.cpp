#include "study/TableSectionCommands.h"

#include "study/BasicGraphView.h"
#include "views/CaptureWindowRect.h"
#include "views/MainWindow.h"
#include "views/MyFormView.h"
#include "views/MySplitterWnd.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

namespace {

CRect ClientRectInMainWindow(const CMyFormView& view, CWnd& main)
{
    CRect rect;
    view.GetClientRect(&rect);
    view.ClientToScreen(&rect);
    main.ScreenToClient(&rect);
    return rect;
}

} // namespace

CMyToolBar* TableSectionToolBar(const CMyFormView& view)
{
    const auto* frame = dynamic_cast<const CSplitFrame*>(view.GetParent());
    return frame ? frame->FindSectionToolBar() : nullptr;
}

void EnableSectionCollapse(const CMyFormView& view, bool enable)
{
    if (CMyToolBar* toolBar = TableSectionToolBar(view))
        toolBar->EnableButton(CMyToolBar::kCollapseCommand, enable);
}

void CopyTableSectionToClipboard(CMyFormView& view)
{
    if (CWnd* main = GetMainWindow())
        CaptureWindowRect(ClientRectInMainWindow(view, *main), kCaptureToClipboard, nullptr);
}

void OpenSectionForBookmark(CMyFormView& view, bool fullWindow)
{
    CWnd* main = GetMainWindow();
    auto* frame = dynamic_cast<CSplitFrame*>(view.GetParent());
    auto* splitter = frame ? dynamic_cast<CMySplitterWnd*>(frame->GetParent()) : nullptr;
    if (!main || !splitter || fullWindow)
        return;
    if (CMyToolBar* toolBar = TableSectionToolBar(view))
        toolBar->SetCollapsed(false);
    splitter->RestoreAllSections();
    if (auto* graphFrame = dynamic_cast<CSplitFrame*>(splitter->GetPane(0, 0)))
        if (auto* graph = dynamic_cast<CBasicGraphView*>(graphFrame->GetView()))
            graph->FillHiddenTimeRangeTable();
    main->RedrawWindow();
}

void AddTableSectionBookmark(CMyFormView& view, bool fullWindow)
{
    CWnd* main = GetMainWindow();
    if (!main || !view.GetDocument())
        return;
    OpenSectionForBookmark(view, fullWindow);
    CMyToolBar* toolBar = TableSectionToolBar(view);
    view.BeginSectionCapture(ClientRectInMainWindow(view, *main), toolBar ? toolBar->GetUserEditText() : CString());
}
