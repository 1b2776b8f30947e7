// Find and replace driven by the application's find/replace dialog.
#include "grid/CUGCtrl.h"
#include "grid/CUGDataSource.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CFindReplaceDialog.h"

#include <glog/logging.h>

int CUGCtrl::FindInDataSource(const CString& text, int* col, int* row, int flags)
{
    if (!col || !row)
        return 1;
    int sourceCol = GetColTranslation(*col);
    const int rc = m_GI->m_defDataSource->FindNext(text, &sourceCol, row, flags);
    if (rc == 0)
        *col = sourceCol;
    return rc;
}

bool CUGCtrl::ReplaceInCell(int col, int row, const CString& find, const CString& replacement, BOOL matchCase)
{
    CString text;
    if (find.IsEmpty() || QuickGetText(col, row, &text) != 0)
        return false;
    CString haystack = text, needle = find;
    if (!matchCase)
    {
        haystack.MakeUpper();
        needle.MakeUpper();
    }
    // Only the occurrences change; the rest of the cell's text stays.
    CString result;
    int from = 0;
    for (int at = haystack.Find(needle); at >= 0; at = haystack.Find(needle, from))
    {
        result += text.Mid(from, at - from);
        result += replacement;
        from = at + needle.GetLength();
    }
    if (from == 0)
        return false;
    result += text.Mid(from);
    QuickSetText(col, row, result);
    RedrawCell(col, row);
    return true;
}

LRESULT CUGCtrl::OnFindReplace(LPARAM /*lParam*/)
{
    if (!m_findDialogRunning || !m_findDialog)
        return 1;
    CFindReplaceDialog& dialog = *m_findDialog;
    if (dialog.IsTerminating())
    {
        m_findDialogRunning = FALSE;
        m_findDialog = nullptr;
        RedrawAll();
        return 1;
    }
    const CString find = dialog.GetFindString();
    const CString replacement = dialog.GetReplaceString();
    int flags = 0;
    if (!dialog.MatchCase())
        flags |= UG_FIND_CASEINSENSITIVE;
    if (!dialog.MatchWholeWord())
        flags |= UG_FIND_PARTIAL;
    if (!dialog.SearchDown())
        flags |= UG_FIND_UP;
    if (m_findInAllCols)
        flags |= UG_FIND_ALLCOLUMNS;

    // Whether a cell's text matches the way the data source matched it.
    const auto matches = [&](int col, int row) {
        CString text;
        if (QuickGetText(col, row, &text) != 0)
            return false;
        CString have = text, wanted = find;
        if (flags & UG_FIND_CASEINSENSITIVE)
        {
            have.MakeUpper();
            wanted.MakeUpper();
        }
        return (flags & UG_FIND_PARTIAL) ? have.Find(wanted) >= 0 : have == wanted;
    };
    const auto replace = [&](int col, int row) {
        return matches(col, row) && ReplaceInCell(col, row, find, replacement, dialog.MatchCase());
    };

    int col = m_GI->m_currentCol, row = m_GI->m_currentRow;
    if (dialog.ReplaceCurrent())
        replace(col, row);

    // The data source answers its own column numbers: find the control's column again.
    const auto toControlCol = [this](int sourceCol) {
        for (int c = 0; c < m_GI->m_numberCols; ++c)
            if (GetColTranslation(c) == sourceCol)
                return c;
        return sourceCol;
    };
    if (FindInDataSource(find, &col, &row, flags) != 0)
    {
        LOG(INFO) << "Find: item not found: " << find.GetString();
        dialog.MessageBox("Item not found", "Not Found", MB_OK);
        dialog.SetFocus();
        return 0;
    }
    col = toControlCol(col);
    GotoCell(col, row);
    if (!dialog.ReplaceAll())
        return 0;
    const int firstCol = col, firstRow = row;
    replace(col, row);
    while (FindInDataSource(find, &col, &row, flags) == 0)
    {
        col = toControlCol(col);
        if (col == firstCol && row == firstRow)
            break;
        GotoCell(col, row);
        replace(col, row);
    }
    return 0;
}
