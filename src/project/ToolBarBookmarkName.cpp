#include "project/ToolBarBookmarkName.h"

#include "project/ISplitFrame.h"

int SetToolBarBookmarkName(CWnd* frame, const CString& text)
{
    const auto* split = frame ? dynamic_cast<const ISplitFrame*>(frame->GetParent()) : nullptr;
    if (!split)
        return -1;
    for (int index = 0; CWnd* toolBar = split->GetToolBar(index); ++index) {
        if (CWnd* edit = toolBar->GetDlgItem(kBookmarkNameEdit)) {
            edit->SetWindowText(text);
            return 0;
        }
    }
    return -1;
}
