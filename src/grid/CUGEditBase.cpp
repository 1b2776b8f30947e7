#include "grid/CUGEditBase.h"

#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "grid/CUGChildWnd.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "platform/framework/OneLineText.h"
#include "platform/framework/windows/CFindReplaceDialog.h" // RegisterWindowMessage

#include <utility>

namespace
{
constexpr UINT kDeleteChar = 127;

// Asks the editor to take the focus back once the messages waiting now have run.
UINT RefocusMessage()
{
    static const UINT message = RegisterWindowMessage("UGEditRefocus");
    return message;
}
} // namespace

void CUGEditBase::FindControl()
{
    if (m_ctrl)
        return;
    CWnd* parent = GetParent();
    if (auto* ctrl = dynamic_cast<CUGCtrl*>(parent))
        m_ctrl = ctrl;
    else if (auto* child = dynamic_cast<CUGChildWnd*>(parent))
        m_ctrl = child->m_ctrl;
}

LRESULT CUGEditBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && m_typingRaw)
        return DefWindowProc(message, wParam, lParam);
    if (message == WM_CREATE)
        FindControl();
    if (message == RefocusMessage())
    {
        if (m_ctrl && m_ctrl->m_editInProgress && m_ctrl->m_editCtrl == this && IsWindowVisible())
            SetFocus();
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

bool CUGEditBase::GetEditedCell(CUGCell* cell)
{
    FindControl();
    return m_ctrl && m_ctrl->GetCellWithDefaults(m_ctrl->m_editCol, m_ctrl->m_editRow, cell) == UG_SUCCESS;
}

bool CUGEditBase::EditsSeveralLines()
{
    CUGCell cell;
    return (GetStyle() & ES_MULTILINE) && GetEditedCell(&cell) && (cell.GetCellTypeEx() & UGCT_NORMALMULTILINE);
}

void CUGEditBase::OnSetFocus(CWnd* oldWnd)
{
    FindControl();
    CEdit::OnSetFocus(oldWnd);
    m_lastKey = 0;
    m_cancel = FALSE;
    m_continueFlag = FALSE;
    SelectForEditing();
    CUGCell cell;
    if (GetEditedCell(&cell) && cell.GetReadOnly())
        SetReadOnly(TRUE);
}

void CUGEditBase::SelectForEditing()
{
    if (m_selectAll) {
        SetSel(0, -1);
        return;
    }
    const int end = GetWindowTextLength();
    SetSel(end, end);
}

void CUGEditBase::OnKillFocus(CWnd* newWnd)
{
    SetReadOnly(FALSE);
    CEdit::OnKillFocus(newWnd);
    // While the control decides (its refusal may show a message box that takes the focus), a focus
    // change is no new request to finish; otherwise a refusing box would come back for ever.
    if (m_finishing || !m_ctrl)
        return;
    m_finishing = true;
    if (newWnd != m_ctrl)
        m_ctrl->OnKillFocusTo(UG_GRID, newWnd);
    else if (m_ctrl->m_CUGGrid && m_ctrl->m_CUGGrid->GetSafeHwnd())
        m_ctrl->m_CUGGrid->SetFocus();
    CString text;
    GetWindowText(text);
    if (!EditsSeveralLines())
        text = OneLineText(text);
    const int col = m_ctrl->m_editCol, row = m_ctrl->m_editRow;
    const int ended = m_ctrl->EditCtrlFinished(text, m_cancel, m_continueFlag, m_nextCol, m_nextRow);
    m_finishing = false;
    if (ended == 0)
    {
        // The focus comes back once the refusal's message box has closed and handed the focus
        // to whoever had it before; taking it now would lose it to that hand-over and ask again.
        m_ctrl->GotoCell(col, row);
        SetCapture();
        ReleaseCapture();
        PostMessage(RefocusMessage());
    }
}

void CUGEditBase::Finish()
{
    if (m_ctrl)
        m_ctrl->SetFocus();
}

void CUGEditBase::OnKeyDown(UINT nChar, UINT repeatCount, UINT flags)
{
    m_lastKey = nChar;
    m_endedByKey = false;
    FindControl();
    if (!m_ctrl)
    {
        CEdit::OnKeyDown(nChar, repeatCount, flags);
        return;
    }
    const int col = m_ctrl->m_editCol, row = m_ctrl->m_editRow;
    const auto moveOn = [&](int nextCol, int nextRow) {
        m_nextCol = nextCol;
        m_nextRow = nextRow;
        m_continueFlag = TRUE;
        m_endedByKey = true;
        Finish();
    };
    switch (nChar)
    {
    case VK_TAB: moveOn(GetKeyState(VK_SHIFT) < 0 ? col - 1 : col + 1, row); return;
    case VK_RETURN:
        // Ctrl+Enter in a cell of several lines: the line feed it types starts a new line.
        if (GetKeyState(VK_CONTROL) < 0 && EditsSeveralLines())
            return;
        moveOn(col, row + 1);
        return;
    case VK_DOWN: moveOn(col, row + 1); return;
    case VK_UP: moveOn(col, row - 1); return;
    case VK_LEFT:
    {
        int start = 0, end = 0;
        GetSel(start, end);
        if (start == end && start == 0)
        {
            moveOn(col - 1, row);
            return;
        }
        break;
    }
    case VK_RIGHT:
    {
        int start = 0, end = 0;
        GetSel(start, end);
        const int length = GetWindowTextLength();
        if ((start == end && end == length) || (start == 0 && end == length))
        {
            moveOn(col + 1, row);
            return;
        }
        break;
    }
    case VK_ESCAPE:
        m_cancel = TRUE;
        m_continueFlag = FALSE;
        Finish();
        return;
    case VK_DELETE:
    {
        UINT ch = kDeleteChar;
        if (!Verify(&ch))
            return;
        break;
    }
    default: break;
    }
    CEdit::OnKeyDown(nChar, repeatCount, flags);
}

BOOL CUGEditBase::Verify(UINT* ch)
{
    FindControl();
    if (!m_ctrl)
        return TRUE;
    const int col = m_ctrl->GetCurrentCol(), row = m_ctrl->GetCurrentRow();
    if (!m_ctrl->m_GI->m_defDataSource->OnEditVerify(col, row, this, ch))
        return FALSE;
    return m_ctrl->OnEditVerify(col, row, this, ch);
}

void CUGEditBase::OnChar(UINT nChar, UINT /*repeatCount*/, UINT /*flags*/)
{
    m_lastKey = nChar;
    // The line feed of a Ctrl+Enter that moved on belongs to no cell, not the next one either.
    if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE || (nChar == '\n' && std::exchange(m_endedByKey, false)))
        return;
    UINT ch = nChar;
    if (Verify(&ch))
        OnVerifiedChar(ch);
}

void CUGEditBase::OnVerifiedChar(UINT ch)
{
    // A line feed (Ctrl+Enter) breaks the line of a cell of several lines (the platform's edit
    // would take it for an unprintable character); a cell of one line takes none.
    if (ch == '\n')
    {
        if (EditsSeveralLines())
            ReplaceSel("\r\n", TRUE);
        return;
    }
    TypeRaw(ch);
}

void CUGEditBase::TypeRaw(UINT ch)
{
    const MSG* current = GetCurrentMessage();
    if (current && current->message == WM_CHAR && current->wParam == ch && current->hwnd == m_hWnd)
    {
        Default();
        return;
    }
    const bool was = std::exchange(m_typingRaw, true);
    SendMessage(WM_CHAR, ch);
    m_typingRaw = was;
}

UINT CUGEditBase::OnGetDlgCode()
{
    // Tab moves on to the next cell, as Enter does.
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
}
