#pragma once
// CUGMem: the in-memory data source every sheet has. Rows are kept from row 0 up to the highest
// row written, and in each row the cells from column 0 up to the highest column written there; a
// slot without a stored cell is a cell never written. Heading cells (negative coordinates) are
// kept apart and move with their columns when columns are inserted or deleted.
#include "grid/CUGCell.h"
#include "grid/CUGDataSource.h"

#include <memory>
#include <vector>

class CUGMem : public CUGDataSource
{
public:
    CUGMem() = default;
    ~CUGMem() override;

    int Reserved12() override { return 0; }
    int Reserved13() override { return 0; }
    int GetLastRowIndex() override;
    int InsertRow(int row) override;
    int InsertCol(int col) override;
    int DeleteRow(int row) override;
    int DeleteCol(int col) override;
    int DeleteCell(int col, int row) override;
    int Empty() override;
    int GetCell(int col, int row, CUGCell* cell) override;
    int SetCell(int col, int row, CUGCell* cell) override;
    int FindFirst(const CString& text, int* col, int* row, int flags) override;
    int FindNext(const CString& text, int* col, int* row, int flags) override;
    int SortBy(const int* cols, int count, int flags) override;
    int SortBy(int col, int flags) override;
    int GetPrevNonBlankCol(int* col, int row) override;

    // Sorts the stored rows first..last (inclusive); 1 when the store is empty or last is not
    // after first.
    int SortRange(int firstRow, int lastRow, const int* cols, int count, int flags);

private:
    using CellSlot = std::unique_ptr<CUGCell>;
    struct Row
    {
        std::vector<CellSlot> cells;     // columns 0, 1, ...
        std::vector<CellSlot> headCells; // columns -1, -2, ...
    };

    // A row is made when a cell of it is first stored: a long grid that stores cells in a few of
    // its rows (headings) holds a pointer for each of the others.
    using RowSlot = std::unique_ptr<Row>;

    Row* FindRow(int row);
    CellSlot* FindSlot(int col, int row);
    CellSlot& MakeSlot(int col, int row);
    int ColumnCount() const;
    static void Release(CellSlot& slot);
    static void ReleaseRow(Row& row);

    std::vector<RowSlot> m_rows;     // rows 0, 1, ...
    std::vector<RowSlot> m_headRows; // rows -1, -2, ...
    int m_findCol = 0;
    int m_findRow = 0;
};
