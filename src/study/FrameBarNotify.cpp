#include "study/FrameBarNotify.h"

#include "views/MyToolBar.h"
#include "views/SplitFrame.h"

BOOL NotifyFrameBars(CWnd& view, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* frame = dynamic_cast<CSplitFrame*>(view.GetParent());
    if (!frame)
        return FALSE;
    for (int kind = 0; kind < 2; ++kind)
        if (CMyToolBar* bar = frame->GetMyToolBar(kind); bar && bar->OnNotify(wParam, lParam, result))
            return TRUE;
    return FALSE;
}
