#include "grid/CUGCellType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "platform/framework/windows/CDC.h"

void CUGCellType::GetBestSize(CDC* dc, CSize* size, CUGCell* cell)
{
    if (!dc || !size || !cell)
        return;
    CFont* old = cell->GetFont() ? dc->SelectObject(cell->GetFont()) : nullptr;
    const char* text = cell->GetText();
    CRect rect(0, 0, 0, 0);
    if (text && *text)
        dc->DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (old)
        dc->SelectObject(old);
    *size = CSize(rect.Width() + 6, rect.Height() + 2);
}

BOOL CUGCellType::NotifyControl(int id, int col, int row, LONG msg, LPARAM param)
{
    return m_ctrl ? m_ctrl->OnCellTypeNotify(id, col, row, msg, param) : TRUE;
}
