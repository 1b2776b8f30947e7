#include "grid/CUGEdit.h"

#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "platform/framework/OneLineText.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/GdiConstants.h"

#include <algorithm>

namespace
{
// Messages after which the text may have changed.
bool MayChangeText(UINT message)
{
    switch (message)
    {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_SETTEXT:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_REPLACESEL:
    case WM_CONTEXTMENU: // the edit's own menu pastes
    case WM_MBUTTONUP:   // the middle button pastes the selection
        return true;
    default: return false;
    }
}
} // namespace

LRESULT CUGEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!MayChangeText(message))
        return CUGEditBase::WindowProc(message, wParam, lParam);
    // The window layer reflects no EN_UPDATE to the edit: compare the text around the change.
    CString before;
    GetWindowText(before);
    const LRESULT result = CUGEditBase::WindowProc(message, wParam, lParam);
    if (GetSafeHwnd() && IsWindowVisible())
    {
        CString after;
        GetWindowText(after);
        if (after != before && !EditsSeveralLines() && after.FindOneOf("\r\n") >= 0)
        {
            // Lines pasted into a cell of one line are joined by spaces, the caret kept after them.
            int start = 0, end = 0;
            GetSel(start, end);
            const int caret = OneLineText(after.Left(end)).GetLength();
            SetWindowText(OneLineText(after));
            SetSel(caret, caret);
        }
        if (after != before)
            AutoSize();
    }
    return result;
}

void CUGEdit::OnSetFocus(CWnd* oldWnd)
{
    CUGEditBase::OnSetFocus(oldWnd);
    m_autoSizeNow = m_autoSize;
    CUGCell cell;
    if (m_autoSizeNow && GetEditedCell(&cell))
    {
        // Only text that may run on into the cells to its right lets the editor grow over them.
        const CUGCellType* type = m_ctrl->GetCellType(cell.GetCellType());
        if (!type || !type->CellMayOverflow(&cell))
            m_autoSizeNow = FALSE;
    }
    CRect client;
    GetClientRect(&client);
    m_firstHeight = m_currentHeight = client.Height() + 4;
    AutoSize();
    m_cancel = FALSE;
    m_continueFlag = FALSE;
    SelectForEditing();
}

BOOL CUGEdit::OnSetCursor(CWnd* /*wnd*/, UINT /*hitTest*/, UINT /*message*/)
{
    SetCursor(LoadCursor(nullptr, IDC_IBEAM));
    return TRUE;
}

BOOL CUGEdit::PreTranslateMessage(MSG* msg)
{
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE)
    {
        m_cancel = TRUE;
        m_continueFlag = FALSE;
        Finish();
        return TRUE;
    }
    return CUGEditBase::PreTranslateMessage(msg);
}

void CUGEdit::AutoSize()
{
    if (!m_autoSizeNow || m_sizing || !m_ctrl || !m_ctrl->m_GI->m_enableCellOverlap)
        return;
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CRect editRect, parentRect;
    GetWindowRect(&editRect);
    parent->ScreenToClient(&editRect);
    parent->GetClientRect(&parentRect);

    CString text;
    GetWindowText(text);
    text += " X X";
    CRect needed(editRect.left + 2, editRect.top, parentRect.right, editRect.top);
    CDC* dc = GetDC();
    if (!dc)
        return;
    CFont* old = GetFont() ? dc->SelectObject(GetFont()) : nullptr;
    dc->DrawText(text, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (old)
        dc->SelectObject(old);
    ReleaseDC(dc);

    int right = editRect.right;
    int bottom = editRect.bottom;
    // The edge moves to the edge of the cell under the point just beyond the needed size.
    int col = 0, row = 0;
    CRect cell;
    if (needed.right > editRect.right)
    {
        const int x = std::min(needed.right + 1, parentRect.right - 1);
        right = m_ctrl->GetCellFromPoint(x, editRect.top, &col, &row, &cell) == UG_SUCCESS ? cell.right - 1
                                                                                              : parentRect.right - 1;
        right = std::max(right, editRect.right);
    }
    if (needed.bottom > editRect.bottom)
    {
        const int y = std::min(needed.bottom + 1, parentRect.bottom - 1);
        bottom = m_ctrl->GetCellFromPoint(editRect.left, y, &col, &row, &cell) == UG_SUCCESS ? cell.bottom - 1
                                                                                                : parentRect.bottom - 1;
        bottom = std::clamp(bottom, editRect.bottom, std::max(editRect.bottom, int(parentRect.bottom) - 1));
    }
    if (right == editRect.right && bottom == editRect.bottom)
        return;
    m_sizing = true;
    const CRect placed(editRect.left, editRect.top, right, bottom);
    MoveWindow(&placed, TRUE);
    parent->ValidateRect(&placed);
    m_currentHeight = placed.Height();
    m_sizing = false;
}
