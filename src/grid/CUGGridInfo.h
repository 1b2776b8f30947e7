#pragma once
// CUGGridInfo: the settings of one sheet of a grid: counts, current cell, view position, sizes,
// defaults, switches, the layout rectangles and the sheet's own data source and selection. The
// control and every child window read the current sheet's block directly.
#include "grid/CUGCell.h"
#include "grid/CUGMem.h"
#include "grid/CUGMultiSelect.h"
#include "grid/CUGPtrList.h"
#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/Geometry.h"

#include <memory>
#include <vector>

class CUGCtrl;
class CUGDataSource;

// One column of a sheet.
struct UGColInfo
{
    int width = 75;
    CUGDataSource* dataSource = nullptr;
    std::unique_ptr<CUGCell> colDefault;
    int colTranslation = 0; // the column number the data source knows the column by
};

class CUGGridInfo
{
public:
    explicit CUGGridInfo(CUGCtrl* ctrl);
    CUGGridInfo(const CUGGridInfo&) = delete;
    CUGGridInfo& operator=(const CUGGridInfo&) = delete;
    ~CUGGridInfo();

    // Columns
    int m_numberCols = 0;
    int m_currentCol = -1;
    int m_lastCol = -1; // the current column before the last move
    int m_leftCol = 0;
    int m_lastLeftCol = 0;
    int m_maxLeftCol = 0;
    int m_defColWidth = 75;
    int m_dragCol = -1;
    std::vector<UGColInfo> m_colInfo;

    // Rows
    int m_numberRows = 0;
    int m_currentRow = -1;
    int m_lastRow = -1;
    int m_topRow = 0;
    int m_lastTopRow = 0;
    int m_maxTopRow = 0;
    std::vector<int> m_rowHeights; // empty while row heights are uniform
    int m_defRowHeight = 20;
    int m_uniformRowHeight = 0;
    int m_dragRow = -1;

    // The last column and row (partly) shown, never past the last cell, and whether that column
    // and row are shown whole.
    int m_rightCol = -1;
    int m_bottomRow = -1;
    bool m_rightColWhole = true;
    bool m_bottomRowWhole = true;

    // Headings
    int m_numberTopHdgRows = 1;
    std::vector<int> m_topHdgHeights{20};
    int m_numberSideHdgCols = 1;
    std::vector<int> m_sideHdgWidths{25};
    int m_topHdgHeight = 20;
    int m_sideHdgWidth = 40;
    CUGCell m_gridDefaults;
    CUGCell m_hdgDefaults;

    // Layout
    int m_vScrollWidth = 0;
    int m_hScrollHeight = 0;
    int m_tabWidth = 0;
    int m_gridWidth = 0;
    int m_gridHeight = 0;
    CRect m_gridRect, m_topHdgRect, m_sideHdgRect, m_cnrBtnRect, m_tabRect, m_vScrollRect, m_hScrollRect;
    int m_paintMode = 0; // layout done: child windows are placed and painted only when set

    // Switches
    int m_highlightRowFlag = 0;
    int m_highlightRowParam = 1;
    int m_currentCellMode = 1; // 1 focus rectangle, 2 highlight colours, 3 both, 0 neither
    int m_enableJoins = 1;
    int m_enableCellOverlap = 1;
    int m_enableGridLines = 1;
    int m_vScrollMode = 0;
    int m_enableCellTips = 0;
    int m_threeDHeight = 1;     // depth of three-dimensional borders
    int m_fitOnDblClick = 1;    // a double click on a column edge fits the column
    int m_userSizingMode = 1;
    int m_dragEdgeStop = 1;
    int m_enablePopupMenu = 0;
    int m_enableScrollHints = 0;
    int m_enableColMoving = 0;
    int m_cancelOnFocusLoss = 0;

    // Locked columns and rows
    int m_numLockCols = 0;
    int m_numLockRows = 0;
    int m_lockColWidth = 0;
    int m_lockRowHeight = 0;

    // Data
    int m_defDataSourceIndex = 0;
    CUGDataSource* m_defDataSource = nullptr;
    std::unique_ptr<CUGMem> m_CUGMem;
    std::unique_ptr<CUGMultiSelect> m_multiSelect;

    // Why the next move happens and the key and button flags with it (set by the child windows).
    int m_moveType = 0;
    UINT m_moveFlags = 0;

    HCURSOR m_arrowCursor = nullptr;
    HCURSOR m_WEResizeCursor = nullptr;
    HCURSOR m_NSResizeCursor = nullptr;
    int m_margin = 4;
    CUGPtrList m_ptrList;
    CPen m_gridLinePen;
    CFont* m_defFont = nullptr;
    // The sheet's editors for ordinary and for masked cells; null uses the control's own.
    CWnd* m_editCtrl = nullptr;
    CWnd* m_maskedEditCtrl = nullptr;

    // Sizes: the default height for rows without an entry.
    int GetRowHeight(int row) const;
    int GetColWidth(int col) const;
};
