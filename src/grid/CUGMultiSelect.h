#pragma once
// CUGMultiSelect: the blocks of cells selected on one sheet. Clicks and keyboard moves start
// and extend blocks; the control is told of every change through OnSelectionChanged.
#include "grid/UGDefs.h"
#include "platform/framework/WinTypes.h"

#include <vector>

class CUGCtrl;

class CUGMultiSelect
{
public:
    explicit CUGMultiSelect(CUGCtrl* ctrl) : m_ctrl(ctrl) {}
    virtual ~CUGMultiSelect() = default;

    virtual int ClearAll();
    virtual int StartBlock(int col, int row);
    virtual int EndBlock(int col, int row);
    virtual int OnLClick(int col, int row, UINT keyFlags);
    virtual int OnRClick(int col, int row, UINT keyFlags);
    virtual int OnKeyMove(int col, int row);
    virtual int OnMouseMove(int col, int row, UINT keyFlags);
    virtual int ToggleCell(int col, int row);
    virtual int GetOrigin(int* col, int* row);
    virtual int GetCurrentBlock(int* left, int* top, int* right, int* bottom);
    virtual int GetTotalRange(int* left, int* top, int* right, int* bottom);
    virtual int GetBlockNumber();
    // TRUE when the cell is selected; the deciding block's index through the pointer.
    virtual BOOL IsSelected(int col, int row, int* block = nullptr);
    virtual BOOL IsColSelected(int col);
    virtual BOOL IsRowSelected(int row);
    virtual int SetMode(int mode);
    virtual int GetMode();
    virtual int EnumFirstSelected(int* col, int* row);
    virtual int EnumNextSelected(int* col, int* row);
    virtual int EnumFirstBlock(int* left, int* top, int* right, int* bottom);
    virtual int EnumNextBlock(int* left, int* top, int* right, int* bottom);

private:
    struct Block
    {
        int startCol, endCol, startRow, endRow; // as given
        int left, right, top, bottom;           // normalised
        bool selected;
    };
    bool Active() const { return (m_mode & 3) != 0; }
    bool RowMode() const { return (m_mode & 2) != 0; }
    void Normalise(Block& block) const;
    // The block that decides a cell's state; -1 when none contains it.
    int DecidingBlock(bool testCol, int col, bool testRow, int row) const;
    void Notify(const Block& block);
    void Redraw(const Block& block);
    bool NextSelectedFrom(int col, int row, int* outCol, int* outRow);

    CUGCtrl* m_ctrl;
    std::vector<Block> m_blocks;
    bool m_building = false;
    int m_startCol = -1;
    int m_startRow = -1;
    int m_mode = 0;
    int m_blockNumber = 0;
    int m_lastCol = -1;
    int m_lastRow = -1;
    // Enumeration
    bool m_enumActive = false;
    int m_enumLeft = 0, m_enumTop = 0, m_enumRight = -1, m_enumBottom = -1;
    int m_enumCol = 0, m_enumRow = 0;
    std::size_t m_enumBlock = 0;
};
