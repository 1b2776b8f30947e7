// In-place editing: opening the editor over a cell and taking its text back.
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGEdit.h"
#include "grid/CUGGrid.h"
#include "grid/CUGMaskedEdit.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTopHdg.h"
#include "platform/framework/windows/CDC.h"
#include "grid/MeasureMultilineText.h"

#include <glog/logging.h>

namespace
{
// Data types whose text is turned back into the type after editing.
bool ConvertsBack(WORD type)
{
    return type == UGCELLDATA_NUMBER || type == UGCELLDATA_NUMERIC || type == UGCELLDATA_TIME ||
           type == UGCELLDATA_CURRENCY;
}

// Wraps a column or row that ran off either end of the sheet.
int Wrap(int index, int count)
{
    if (index < 0)
        return count - 1;
    return index >= count ? 0 : index;
}
} // namespace

CWnd* CUGCtrl::EditPlacement(int col, int row, CRect* rect)
{
    const CUGGridInfo& gi = *m_GI;
    if (col >= 0 && row >= 0)
    {
        int endCol = col, endRow = row, startCol = col, startRow = row;
        if (GetJoinRange(&startCol, &startRow, &endCol, &endRow) == 0)
            GetRangeRect(startCol, startRow, endCol, endRow, rect);
        else if (GetCellRect(col, row, rect) != 0)
            return nullptr;
        return m_CUGGrid.get();
    }
    // Heading cells count outward from -1 next to the cells.
    if (col < 0)
    {
        if (col < -gi.m_numberSideHdgCols || row < 0 || GetCellRect(0, row, rect) != 0)
            return nullptr;
        int right = gi.m_sideHdgWidth;
        for (int c = -1; c > col; --c)
            right -= GetSideHdgColWidth(c);
        rect->right = right;
        rect->left = right - GetSideHdgColWidth(col);
        return m_CUGSideHdg.get();
    }
    if (row < -gi.m_numberTopHdgRows || GetCellRect(col, 0, rect) != 0)
        return nullptr;
    int bottom = gi.m_topHdgHeight;
    for (int r = -1; r > row; --r)
        bottom -= GetTopHdgRowHeight(r);
    rect->bottom = bottom;
    rect->top = bottom - GetTopHdgRowHeight(row);
    return m_CUGTopHdg.get();
}

int CUGCtrl::StartEditAt(int col, int row, int key)
{
    CUGGridInfo& gi = *m_GI;
    if (m_editInProgress)
        return 1;

    int selLeft = 0, selTop = 0, selRight = 0, selBottom = 0;
    const bool hadSelection = gi.m_multiSelect->GetTotalRange(&selLeft, &selTop, &selRight, &selBottom) == 0;
    ClearSelections();
    if (hadSelection && !(selLeft == col && selRight == col && selTop == row && selBottom == row))
        RedrawRange(selLeft, selTop, selRight, selBottom);
    if (col >= 0 && row >= 0 && (col != gi.m_currentCol || row != gi.m_currentRow))
    {
        RedrawCell(gi.m_currentCol, gi.m_currentRow);
        RedrawCell(col, row);
        if (GotoCell(col, row) != 0 || col != gi.m_currentCol || row != gi.m_currentRow)
            return 1;
    }

    CUGCell cell;
    if (GetCellWithDefaults(col, row, &cell) != 0)
        return 1;
    CUGCellType* type = GetCellType(cell.GetCellType());
    CRect rect;
    CWnd* placement = EditPlacement(col, row, &rect);
    if (!placement || !placement->GetSafeHwnd())
        return 1;
    if (cell.GetReadOnly() || !type->IsTextEditable())
        return 2;

    const bool masked = cell.IsPropertySet(UGCELL_MASK_SET);
    CWnd* edit = masked ? (gi.m_maskedEditCtrl ? gi.m_maskedEditCtrl : m_CUGMaskedEdit.get())
                        : (gi.m_editCtrl ? gi.m_editCtrl : m_CUGEdit.get());
    if (gi.m_defDataSource->OnEditStart(col, row, &edit) != 1 || !OnEditStart(col, row, &edit) || !edit ||
        !edit->GetSafeHwnd())
        return 2;

    m_editInProgress = TRUE;
    m_editCol = col;
    m_editRow = row;
    m_editCtrl = edit;
    const char* text = cell.GetText();
    edit->SetWindowText(text ? text : "");
    CFont* font = cell.GetFont() ? cell.GetFont() : gi.m_defFont;
    if (font)
        edit->SetFont(font);
    // The editor lives in the window whose coordinates place it: the cell area or a heading.
    if (edit->GetParent() != placement)
        edit->SetParent(placement);

    rect.left += 1;
    type->GetEditArea(&rect);
    if (cell.GetAlignment() & UG_ALIGNVCENTER)
    {
        CSize size;
        MeasureMultilineText(size, edit, font, text ? text : "");
        const int height = size.cy + 1;
        rect.top += (rect.Height() - height) / 2;
        rect.bottom = rect.top + height;
    }
    else
    {
        rect.top += 1;
        rect.bottom -= 1;
    }
    edit->SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_SHOWWINDOW);
    edit->SetActiveWindow();
    edit->SetFocus();
    if (key > 0)
        edit->SendMessage(WM_CHAR, WPARAM(key));
    return 0;
}

int CUGCtrl::EditCtrlFinished(const CString& text, BOOL cancelled, BOOL continueFlag, int nextCol, int nextRow)
{
    CUGGridInfo& gi = *m_GI;
    if (!m_editInProgress)
        cancelled = TRUE;
    const int col = m_editCol, row = m_editRow;
    if (gi.m_defDataSource->OnEditFinish(col, row, m_editCtrl, text, cancelled) != 1 ||
        !OnEditFinish(col, row, m_editCtrl, text, cancelled))
        return 0;
    // The edit is over before its editor hides: hiding it moves the focus on, and the editor's
    // loss of the focus would finish the same edit again with the text it still holds.
    const bool taken = !cancelled && m_editInProgress;
    m_editInProgress = FALSE;
    if (m_editCtrl && m_editCtrl->GetSafeHwnd())
        m_editCtrl->ShowWindow(SW_HIDE);

    if (taken)
    {
        CUGCell cell;
        GetCellWithDefaults(col, row, &cell);
        const WORD dataType = cell.GetDataType();
        cell.SetText(text);
        if (ConvertsBack(dataType))
            cell.SetDataType(dataType);
        SetCell(col, row, &cell);

        // Text that now runs into an empty neighbour needs the whole view redrawn.
        // (A neighbour never written has no text at all, which counts as empty.)
        const bool mayRunOn = gi.m_enableCellOverlap && col >= 0 && row >= 0 && col < gi.m_numberCols - 1;
        CUGCell right;
        if (mayRunOn)
            GetCellWithDefaults(col + 1, row, &right);
        const char* neighbour = right.GetText();
        if (mayRunOn && !(neighbour && *neighbour) && m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        {
            CDC* dc = m_CUGGrid->GetDC();
            CFont* old = cell.GetFont() ? dc->SelectObject(cell.GetFont()) : nullptr;
            const CSize extent = dc->GetTextExtent(text);
            if (old)
                dc->SelectObject(old);
            m_CUGGrid->ReleaseDC(dc);
            if (extent.cx > GetColWidth(col))
                RedrawAll();
        }
    }

    if (continueFlag && m_CUGGrid && GetFocus() == m_CUGGrid.get())
    {
        int newCol = nextCol, newRow = nextRow;
        if (newCol >= 0 && newRow >= 0 && newCol < gi.m_numberCols && newRow < gi.m_numberRows)
        {
            int startCol = newCol, startRow = newRow, endCol = newCol, endRow = newRow;
            if (GetJoinRange(&startCol, &startRow, &endCol, &endRow) == 0)
            {
                // Leaving the range being edited goes past it; entering another goes to its origin.
                const bool leaving = col >= startCol && col <= endCol && row >= startRow && row <= endRow;
                newCol = !leaving ? startCol : nextCol > col ? endCol + 1 : nextCol < col ? startCol - 1 : newCol;
                newRow = !leaving ? startRow : nextRow > row ? endRow + 1 : nextRow < row ? startRow - 1 : newRow;
            }
        }
        newCol = Wrap(newCol, gi.m_numberCols);
        newRow = Wrap(newRow, gi.m_numberRows);
        if (gi.m_defDataSource->OnEditContinue(col, row, &newCol, &newRow) == 1 &&
            OnEditContinue(col, row, &newCol, &newRow))
        {
            StartEditAt(newCol, newRow);
            return 1;
        }
    }
    RedrawCell(col, row);
    return 1;
}
