#pragma once
// CSummaryGrid: the study tables' grid with, for the Load-study summary tables, an editable
// nominal voltage and its voltage reference in every session block.
#include "study/MyBasicSummaryGrid.h"

class CWnd;

// Posted to the owning table view after a session's nominal voltage or reference changed
// (wParam: session index).
inline constexpr UINT WM_TABLE_NOMINAL_VOLTAGE = 0x435; // WM_USER+53

class CSummaryGrid : public CMyBasicSummaryGrid
{
public:
    static constexpr int kFooterHeight = 90;
    static constexpr int kDropListType = 1;

    CSummaryGrid(CWnd* owner, CValueFormatter* formatter, int groupCount);

    // On (flag non-zero): the data rows of `group` hold the nominal-voltage cells.
    void EnableNominalVoltageCells(int flag, int group);
    // The origin cells of block b.
    int NumberCellRow(int block) const { return DataRow(block, m_nominalGroup, 1); }

    void BuildLayout() override;
    int FindNumberCell(int col, int row) const override;
    int FindReferenceCell(int col, int row) const override;
    void FillValues() override;
    BOOL OnCellTypeNotify(int typeId, int col, int row, LONG msg, LPARAM param) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override;

protected:
    int RowHeightAt(int offset) const override;

private:
    structSummaryTableData* MutableBlock(int block) const;
    void ShowNominalVoltage(int block);

    CWnd* m_owner;
    bool m_nominalVoltageCells = false;
    int m_nominalGroup = -1;
};
