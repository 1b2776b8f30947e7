#pragma once
// CDemandGrid: the grid of the demand tables. One block of 13 rows per session: a title bar that
// collapses the block, a small table of forward, reverse and total active energy and the maximum
// demand with its time, a cost area in which the user picks the logger's price ("standard") or
// the session's tariff ("advanced") and sees the cost, and a panel with the logging information.
#include "grid/CUGCtrl.h"
#include "grid/CUGMultiFontType.h"
#include "platform/framework/windows/GdiObjects.h"
#include "study/DemandTableData.h"

#include <vector>

class CBasicViewSettings;
class CValueFormatter;

// What the grid asks of its table view.
class IDemandTableOwner
{
public:
    virtual ~IDemandTableOwner() = default;
    // Runs the session settings dialog on the session's tariff; its result (non-zero: accepted).
    virtual int EditSessionTariff(int session) = 0;
    // A session's cost choice changed: the sibling table follows.
    virtual void NotifyCostChoice() = 0;
};

class CDemandGrid : public CUGCtrl
{
public:
    static constexpr int kColumnCount = 15;
    static constexpr int kRowsPerBlock = 13;
    static constexpr int kDefaultRowHeight = 12;
    static constexpr int kTitleHeight = 20;
    static constexpr int kSpacerHeight = 8;
    static constexpr int kFootnoteHeight = 40;
    static constexpr int kInfoColumn = 13;
    // Cells of the cost area, relative to a block's first data row.
    static constexpr int kStandardColumn = 6;
    static constexpr int kAdvancedColumn = 8;
    static constexpr int kChoiceRow = 2;
    static constexpr int kAmountRow = 6;

    CDemandGrid(IDemandTableOwner* owner, CValueFormatter* formatter);
    ~CDemandGrid() override;

    // ---- the table view's operations
    void SetSessionCount(int count);
    int GetSessionCount() const { return m_blocks; }
    // Not owned: both outlive the grid's use of them. The cost choices grow to the block count.
    void SetData(const DemandBlocks* data, CBasicViewSettings* settings);
    void ApplyCostChoices();
    // ApplyCostChoices when a block shows another choice than the settings hold (a bookmark's).
    void FollowCostChoices();
    CString GetCollapseState() const;
    void ApplyCollapseState(const CString& text);
    void ApplyHiddenFlags();
    void OnParentSize(bool force);

    // ---- geometry and state
    static int BlockStart(int block) { return kRowsPerBlock * block; }
    static int DataRow(int block) { return BlockStart(block) + 2; }
    bool IsBlockCollapsed(int block) const;
    bool IsBlockHidden(int block) const;
    // The rows' total height.
    int GetRowsHeight() const;

    // ---- grid notifications
    void OnSetup() override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    BOOL OnCanSizeCol(int col) override;
    BOOL OnCanSizeRow(int row) override;
    void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    void OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed) override;
    BOOL OnCellTypeNotify(int typeId, int col, int row, LONG msg, LPARAM param) override;
    BOOL OnHint(int col, int row, int section, CString* text) override;
    // The keyboard: the current cell goes through each shown session's title and its two cost
    // choices; the arrows move it, Return or Space collapses or expands the session or takes the
    // choice, and F2 on "advanced" opens the session's tariff as a double click does. Tab arrives
    // at the first title (Shift+Tab at the last stop).
    using CUGCtrl::OnKeyDown;
    using CUGCtrl::OnSetFocus;
    void OnKeyDown(UINT* vcKey, BOOL processed) override;
    void OnSetFocus(int section) override;

private:
    // The session's tariff in its settings dialog.
    void EditTariff(int block);
    // The cells the keyboard stops at, in reading order.
    std::vector<CPoint> KeyCells() const;
    bool IsKeyCell(int col, int row) const;

    struct SRowState
    {
        int hideCount = 0;
        int savedHeight = 0;
    };

    void BuildLayout();
    void ColourBlock(int block);
    void JoinBlock(int block);
    void ApplyRowHeights();
    int RowHeightAt(int row) const;
    void FitHeight();
    // The window as wide as the page lets it be, then the columns over it.
    void FitWidth();
    void SetColumnWidths();
    // The columns fitted to the figures and amounts shown, the page's scroll range to the grid.
    void FitColumnsToFigures();
    void FillValues();
    void SetValueCells(int row, double value, const SStatisticsRecord& quality, DWORD quantity,
                       double reference);
    void FillCostCells(int block);
    void SetChoiceCells(int block, bool advanced);
    SCostTableChoice* Choice(int block);
    const structDemandTableData* Block(int block) const;

    void HideRow(int row);
    void ShowRow(int row);
    void SetRowsVisible(int first, int last, bool visible);
    void SetCollapsed(int block, bool collapsed);
    void SetHidden(int block, bool hidden);
    // After a state change: heights refitted, everything redrawn, the state text sent to the
    // parent.
    void StateChanged();

    IDemandTableOwner* m_owner;
    CValueFormatter* m_formatter;
    const DemandBlocks* m_data = nullptr;
    CBasicViewSettings* m_settings = nullptr;
    int m_blocks = 1;
    std::vector<SRowState> m_rows;
    std::vector<bool> m_collapsed;
    std::vector<bool> m_hidden;
    bool m_fitHeight = true;
    bool m_keepRightMargin = true;
    bool m_initialised = false;
    int m_rightMargin = 0;
    CSize m_lastClientSize;
    CUGMultiFontType m_multiFontType;
    int m_multiFontIndex = -1;
    int m_expandedBitmap = -1;
    int m_collapsedBitmap = -1;
    CPen m_blockPen;
    CPen m_whitePen;
    CPen m_lightPen;
    CPen m_boxPen;
    CFont* m_titleFont = nullptr;
    CFont* m_smallFont = nullptr;
    CFont* m_normalFont = nullptr;
    CFont* m_boldFont = nullptr;
    CFont* m_largeFont = nullptr;
};
