#pragma once
// CMyBasicSummaryGrid: the grid of the study tables. One block per session: a title bar with the
// session name, then G groups (one per quantity row) of a header with the phase names and three
// statistics (Max, Avg, Min) of two rows each over four phase column groups (L1, L2, L3, total),
// and beside them the session's logging information. Blocks and groups collapse on a click; the
// collapse state travels as a digit text to the owning view (message 0x421).
#include "grid/CUGCtrl.h"
#include "grid/CUGEdit.h"
#include "grid/CUGMultiFontType.h"
#include "platform/framework/CString.h"
#include "platform/framework/windows/GdiObjects.h"
#include "study/SummaryTableData.h"

#include <array>
#include <memory>
#include <vector>

class CValueFormatter;

inline constexpr UINT WM_TABLE_COLLAPSE_STATE = 0x421; // WM_USER+33

class CMyBasicSummaryGrid : public CUGCtrl
{
public:
    static constexpr int kColumnCount = 20;
    static constexpr int kFirstPhaseColumn = 2;
    static constexpr int kPanelColumn = 19;
    static constexpr int kTitleHeight = 20;
    static constexpr int kRowHeight = 16;
    static constexpr int kTotalGroup = 5;
    static constexpr UINT kNumberEditId = 320001;

    CMyBasicSummaryGrid(CValueFormatter* formatter, int groupCount);
    ~CMyBasicSummaryGrid() override;

    // ---- the table view's operations
    void SetSessionCount(int count);
    // The session blocks (not owned; the array outlives the grid's use of it), then the values.
    void SetData(const SummaryBlocks* data);
    CString GetCollapseState() const;
    void ApplyCollapseState(const CString& text);
    void ApplyHiddenFlags();
    // The grid follows the parent's client size (forced or when a side changed): its right edge
    // keeps its distance to the parent's, its height stays that of its rows; then the parent's
    // scroll sizes follow.
    void OnParentSize(bool force);
    // k = 0, 1, 2 hides that phase column group, kTotalGroup the total group.
    void HidePhaseGroup(int k);

    // ---- geometry
    int GetRowsPerBlock() const { return 1 + 7 * m_groupCount + m_footerRows; }
    int BlockStart(int block) const { return GetRowsPerBlock() * block; }
    int GroupHeaderRow(int block, int group) const { return BlockStart(block) + 1 + 7 * group; }
    // Statistic 0 Max, 1 Avg, 2 Min: the first of its two rows.
    int DataRow(int block, int group, int statistic) const { return GroupHeaderRow(block, group) + 1 + 2 * statistic; }
    bool IsBlockCollapsed(int block) const;
    bool IsBlockHidden(int block) const;
    bool IsGroupCollapsed(int block, int group) const;
    void ToggleBlock(int block);
    void ToggleGroup(int block, int group);

    // ---- grid notifications
    void OnSetup() override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    BOOL OnCanSizeCol(int col) override;
    BOOL OnCanSizeRow(int row) override;
    void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    void OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed) override;
    BOOL OnEditStart(int col, int row, CWnd** edit) override;
    BOOL OnHint(int col, int row, int section, CString* text) override;
    // The keyboard: the current cell goes through the cells a click acts on (the block titles,
    // the group headers, the nominal-voltage cells) as they show; Up and Down go to the row above
    // or below, Left and Right to the cell before or after; Return, Space or F2 does what the
    // click does (a title or header collapses or expands, the voltage opens for editing, the
    // reference opens its list), and a typed figure starts the voltage's edit with it. Tab
    // arrives at the first of them (Shift+Tab at the last).
    using CUGCtrl::OnKeyDown;
    using CUGCtrl::OnSetFocus;
    void OnKeyDown(UINT* vcKey, BOOL processed) override;
    void OnChar(UINT* character, BOOL processed) override;
    void OnSetFocus(int section) override;

    // ---- its own slots
    virtual void SetValueText(int col, int row, const CString& text);
    virtual void SetNumberCell(int col, int row, float value, int decimals);
    virtual void SetTimeCell(int col, int row, const CHighTime& time, bool date, bool timeOfDay);
    virtual void SetUnitText(int col, int row, const CString& text);
    virtual void BuildLayout();
    virtual int FindNumberCell(int col, int row) const;
    virtual int FindReferenceCell(int col, int row) const;
    virtual void FillValues();

protected:
    struct SRowState
    {
        int hideCount = 0;
        int savedHeight = 0;
    };

    const structSummaryTableData* Block(int block) const;
    // The entry under a cell of a value row (value, unit, date or time); null elsewhere.
    const SSummaryTableEntry* EntryAt(int col, int row) const;
    void HideRow(int row);
    void ShowRow(int row);
    void SetRowsVisible(int first, int last, bool visible);
    void SetGroupRowsVisible(int block, int group, bool visible);
    void SetBlockRowsVisible(int block, bool visible, bool withTitle);
    void ApplyRowHeights();
    // The window as high as its rows (no move).
    void FitHeight();
    // The owning view's scroll range follows the grid.
    void UpdateParentScrollSizes();
    // The height of the row at that offset within its block.
    virtual int RowHeightAt(int offset) const;
    void SetColumnWidths();
    // After a state change: heights refitted, everything redrawn, the state sent to the parent.
    void StateChanged();
    void FillEntry(int session, int col, int row, const SSummaryTableEntry& entry, int statistic);
    void ColourEntry(int col, int row, COLORREF colour);
    int TitleBitmap(bool collapsed) const { return collapsed ? m_collapsedBitmap : m_expandedBitmap; }
    // The cells the keyboard goes through, in reading order.
    std::vector<CPoint> KeyCells() const;
    bool IsKeyCell(int col, int row) const;
    // What a click on the current cell does (Return, Space, F2); false where it does nothing.
    bool ActOnCurrentCell();

    int m_groupCount;
    int m_blocks = 1;
    int m_footerRows = 0;
    int m_footerHeight = 0;
    CValueFormatter* m_formatter;
    const SummaryBlocks* m_data = nullptr;
    std::vector<SRowState> m_rows;
    std::vector<std::vector<bool>> m_groupCollapsed; // per block, per group
    std::vector<bool> m_blockCollapsed;
    std::vector<bool> m_blockHidden;
    std::array<bool, 4> m_phaseGroupShown{true, true, true, true};
    bool m_showUnits = true;
    bool m_markedValue = false;
    CSize m_lastClientSize;
    bool m_initialised = false;
    int m_rightMargin = 0;
    int m_multiFontIndex = -1;
    int m_expandedBitmap = -1;
    int m_collapsedBitmap = -1;
    CUGMultiFontType m_multiFontType;
    CPen m_titlePen;
    CPen m_headerPen;
    CPen m_whitePen;
    CPen m_avgPen;
    CFont* m_boldFont = nullptr;
    CFont* m_normalFont = nullptr;
    CFont* m_largeFont = nullptr;
    // The in-place editor of the number cells, made afresh for every edit.
    std::unique_ptr<CUGEdit> m_numberEdit;
};
