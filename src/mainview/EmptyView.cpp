#include "mainview/EmptyView.h"

#include "mainview/MainViewLayout.h"
#include "mainview/ViewSelectorCheck.h"
#include "views/SplitFrame.h"

const SRuntimeClass& CEmptyView::Class()
{
    static const SRuntimeClass runtimeClass{"CEmptyView", &CMyFormView::Class(), &CreateWindowObject<CEmptyView>, nullptr};
    return runtimeClass;
}

void CEmptyView::OnInitialUpdate()
{
    CMyFormView::OnInitialUpdate();
    if (auto* frame = dynamic_cast<CSplitFrame*>(GetParent()))
        frame->RecalcLayout(TRUE);
    SetScaleToFitSize(CSize(-1, -1));
}

BOOL CEmptyView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    if (command >= kFirstSelectorCommand && command <= kLastSelectorCommand) {
        OnViewSelector(command);
        return TRUE;
    }
    return CMyFormView::OnCommand(wParam, lParam);
}

void CEmptyView::OnViewSelector(UINT command)
{
    if (g_pMainViewLayout)
        MarkEnergyViewSelectors(*g_pMainViewLayout, command);
}
