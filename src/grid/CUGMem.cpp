#include "grid/CUGMem.h"

#include "grid/CUGCtrl.h"

#include <algorithm>

CUGMem::~CUGMem()
{
    Empty();
}

void CUGMem::Release(CellSlot& slot)
{
    if (slot)
    {
        slot->ReleaseOwned();
        slot.reset();
    }
}

void CUGMem::ReleaseRow(Row& row)
{
    for (auto& slot : row.cells)
        Release(slot);
    for (auto& slot : row.headCells)
        Release(slot);
}

CUGMem::Row* CUGMem::FindRow(int row)
{
    if (row >= 0)
        return std::size_t(row) < m_rows.size() ? m_rows[std::size_t(row)].get() : nullptr;
    const std::size_t index = std::size_t(-(row + 1));
    return index < m_headRows.size() ? m_headRows[index].get() : nullptr;
}

CUGMem::CellSlot* CUGMem::FindSlot(int col, int row)
{
    Row* r = FindRow(row);
    if (!r)
        return nullptr;
    auto& list = col >= 0 ? r->cells : r->headCells;
    const std::size_t index = col >= 0 ? std::size_t(col) : std::size_t(-(col + 1));
    return index < list.size() ? &list[index] : nullptr;
}

CUGMem::CellSlot& CUGMem::MakeSlot(int col, int row)
{
    auto& rows = row >= 0 ? m_rows : m_headRows;
    const std::size_t rowIndex = row >= 0 ? std::size_t(row) : std::size_t(-(row + 1));
    if (rows.size() <= rowIndex)
        rows.resize(rowIndex + 1);
    RowSlot& made = rows[rowIndex];
    if (!made)
        made = std::make_unique<Row>();
    auto& list = col >= 0 ? made->cells : made->headCells;
    const std::size_t index = col >= 0 ? std::size_t(col) : std::size_t(-(col + 1));
    if (list.size() <= index)
        list.resize(index + 1);
    return list[index];
}

int CUGMem::ColumnCount() const
{
    if (m_ctrl && m_ctrl->GetNumberCols() > 0)
        return m_ctrl->GetNumberCols();
    std::size_t widest = 0;
    for (const auto& row : m_rows)
        if (row)
            widest = std::max(widest, row->cells.size());
    return int(widest);
}

int CUGMem::GetLastRowIndex()
{
    return int(m_rows.size()) - 1;
}

int CUGMem::InsertRow(int row)
{
    if (row < 0 || std::size_t(row) >= m_rows.size())
        return 1;
    m_rows.insert(m_rows.begin() + row, RowSlot{});
    return 0;
}

int CUGMem::InsertCol(int col)
{
    if (m_rows.empty())
        return 1;
    int position = col;
    if (m_ctrl)
        for (int c = 0; c < m_ctrl->GetNumberCols(); ++c)
            if (m_ctrl->GetColTranslation(c) == col)
            {
                position = c;
                break;
            }
    if (position < 0)
        return 1;
    const auto insertInto = [position](std::vector<RowSlot>& rows) {
        for (auto& row : rows)
            if (row && row->cells.size() > std::size_t(position))
                row->cells.insert(row->cells.begin() + position, CellSlot{});
    };
    insertInto(m_rows);
    insertInto(m_headRows);
    if (m_ctrl)
        for (int c = 0; c < m_ctrl->GetNumberCols(); ++c)
            if (m_ctrl->GetColTranslation(c) >= position)
                m_ctrl->SetColTranslation(c, m_ctrl->GetColTranslation(c) + 1);
    return 0;
}

int CUGMem::DeleteRow(int row)
{
    if (row < 0 || std::size_t(row) >= m_rows.size())
        return 0; // nothing stored there: nothing to delete
    if (m_rows[std::size_t(row)])
        ReleaseRow(*m_rows[std::size_t(row)]);
    m_rows.erase(m_rows.begin() + row);
    return 0;
}

int CUGMem::DeleteCol(int col)
{
    if (col < 0)
        return 1;
    const auto eraseFrom = [col](std::vector<RowSlot>& rows) {
        for (auto& row : rows)
            if (row && row->cells.size() > std::size_t(col))
            {
                Release(row->cells[std::size_t(col)]);
                row->cells.erase(row->cells.begin() + col);
            }
    };
    eraseFrom(m_rows);
    eraseFrom(m_headRows);
    if (m_ctrl)
        for (int c = 0; c < m_ctrl->GetNumberCols(); ++c)
            if (m_ctrl->GetColTranslation(c) >= col)
                m_ctrl->SetColTranslation(c, m_ctrl->GetColTranslation(c) - 1);
    return 0;
}

int CUGMem::DeleteCell(int col, int row)
{
    CellSlot* slot = FindSlot(col, row);
    if (!slot)
        return 1;
    Release(*slot);
    return 0;
}

int CUGMem::Empty()
{
    for (auto& row : m_rows)
        if (row)
            ReleaseRow(*row);
    for (auto& row : m_headRows)
        if (row)
            ReleaseRow(*row);
    m_rows.clear();
    m_headRows.clear();
    return 0;
}

int CUGMem::GetCell(int col, int row, CUGCell* cell)
{
    CellSlot* slot = FindSlot(col, row);
    if (!slot || !*slot || !cell)
        return 1;
    cell->MergeFrom(slot->get());
    return 0;
}

int CUGMem::SetCell(int col, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    CellSlot& slot = MakeSlot(col, row);
    if (!slot)
        slot = std::make_unique<CUGCell>();
    cell->AssignTo(slot.get());
    return 0;
}

int CUGMem::FindFirst(const CString& text, int* col, int* row, int flags)
{
    if (!col || !row)
        return 1;
    if (flags & UG_FIND_ALLCOLUMNS)
    {
        *col = -1;
        *row = 0;
    }
    else
        *row = -1;
    return FindNext(text, col, row, flags);
}

int CUGMem::FindNext(const CString& text, int* colOut, int* rowOut, int flags)
{
    if (!colOut || !rowOut)
        return 1;
    const int numRows = int(m_rows.size());
    const int numCols = ColumnCount();
    if (numRows == 0 || numCols == 0)
        return 1;
    const bool backwards = (flags & UG_FIND_UP) != 0;
    const bool allColumns = (flags & UG_FIND_ALLCOLUMNS) != 0;
    const bool ignoreCase = (flags & UG_FIND_CASEINSENSITIVE) != 0;
    CString wanted = text;
    if (ignoreCase)
        wanted.MakeUpper();

    int col = *colOut;
    int row = *rowOut;
    int rowSteps = 0;
    const auto stepRow = [&](int delta) {
        row += delta;
        if (row >= numRows)
            row = 0;
        else if (row < 0)
            row = numRows - 1;
        ++rowSteps;
    };
    while (rowSteps <= numRows)
    {
        if (allColumns)
        {
            col += backwards ? -1 : 1;
            if (col >= numCols)
            {
                col = 0;
                stepRow(1);
            }
            else if (col < 0)
            {
                col = numCols - 1;
                stepRow(-1);
            }
        }
        else
            stepRow(backwards ? -1 : 1);

        CellSlot* slot = FindSlot(col, row);
        if (!slot || !*slot)
            continue;
        const char* cellText = (*slot)->GetText();
        CString have = cellText ? cellText : "";
        if (ignoreCase)
            have.MakeUpper();
        const bool match = (flags & UG_FIND_PARTIAL) ? have.Find(wanted) >= 0 : (!have.IsEmpty() && have == wanted);
        if (match)
        {
            *colOut = m_findCol = col;
            *rowOut = m_findRow = row;
            return 0;
        }
    }
    return 1;
}

int CUGMem::SortBy(const int* cols, int count, int flags)
{
    return SortRange(0, GetLastRowIndex(), cols, count, flags);
}

int CUGMem::SortBy(int col, int flags)
{
    return SortBy(&col, 1, flags);
}

int CUGMem::SortRange(int firstRow, int lastRow, const int* cols, int count, int flags)
{
    if (m_rows.empty() || lastRow <= firstRow || !cols || count <= 0 || firstRow < 0)
        return 1;
    lastRow = std::min(lastRow, int(m_rows.size()) - 1);
    if (lastRow <= firstRow)
        return 1;

    // Each row's cells in the sort columns; a missing cell compares as a cleared cell.
    const std::size_t n = std::size_t(lastRow - firstRow + 1);
    std::vector<std::vector<CUGCell>> keys(n);
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < count; ++k)
        {
            CellSlot* slot = FindSlot(cols[k], firstRow + int(i));
            keys[i].push_back(slot && *slot ? **slot : CUGCell());
        }
    const auto compare = [&](std::size_t a, std::size_t b) {
        for (int k = 0; k < count; ++k)
        {
            CUGCell* ca = &keys[a][std::size_t(k)];
            CUGCell* cb = &keys[b][std::size_t(k)];
            const int r = m_ctrl ? m_ctrl->OnSortCompare(ca, cb, flags) : CUGCtrl::DefaultSortCompare(ca, cb, flags);
            if (r != 0)
                return r;
        }
        return 0;
    };

    // Stable merge sort: a later row goes before an earlier one only when it compares smaller,
    // so rows that compare equal keep their order whatever the comparison answers.
    std::vector<std::size_t> order(n), scratch(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = i;
    for (std::size_t width = 1; width < n; width *= 2)
    {
        for (std::size_t lo = 0; lo < n; lo += 2 * width)
        {
            const std::size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            std::size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi)
                scratch[out++] = compare(order[j], order[i]) < 0 ? order[j++] : order[i++];
            while (i < mid)
                scratch[out++] = order[i++];
            while (j < hi)
                scratch[out++] = order[j++];
        }
        order.swap(scratch);
    }

    std::vector<RowSlot> sorted;
    sorted.reserve(n);
    for (std::size_t i : order)
        sorted.push_back(std::move(m_rows[std::size_t(firstRow) + i]));
    std::move(sorted.begin(), sorted.end(), m_rows.begin() + firstRow);
    return 0;
}

int CUGMem::GetPrevNonBlankCol(int* col, int row)
{
    if (!col)
        return 1;
    for (int c = *col - 1; c >= 0; --c)
    {
        CellSlot* slot = FindSlot(c, row);
        if (slot && *slot)
        {
            const char* text = (*slot)->GetText();
            if (text && *text)
            {
                *col = c;
                return 0;
            }
        }
    }
    return 1;
}
