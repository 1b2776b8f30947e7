#pragma once
// CUGCtrl: the grid control: a matrix of cells with headings, scroll bars and sheet tabs. It owns
// the child windows and their layout, the sheets' settings, the registration tables (cell types,
// data sources, fonts, bitmaps) and the operations that read, assemble and write cells. Tables
// derive from it and override its notifications.
#include "grid/CUGCell.h"
#include "grid/CUGGridInfo.h"
#include "grid/CUGPtrList.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiObjects.h"

#include <functional>
#include <memory>
#include <vector>

class CDC;
class CFindReplaceDialog;
class CUGArrowType;
class CUGCellType;
class CUGCheckBoxType;
class CUGCnrBtn;
class CUGDataSource;
class CUGDropListType;
class CUGEdit;
class CUGGrid;
class CUGHint;
class CUGHScroll;
class CUGMaskedEdit;
class CUGSideHdg;
class CUGTab;
class CUGTopHdg;
class CUGVScroll;

class CUGCtrl : public CWnd
{
public:
    CUGCtrl();
    ~CUGCtrl() override;

    using CWnd::OnChar;
    using CWnd::OnKeyDown;
    using CWnd::OnKeyUp;
    using CWnd::OnKillFocus;
    using CWnd::OnMouseMove;
    using CWnd::OnSetFocus;

    // ---- notifications and overridable services, in slot order
    virtual void OnSetFocus(int section);
    virtual int ScaleColumnsToWindow(int firstCol, int lastCol);
    virtual int FitColumnsToContent(int firstCol, int lastCol, int rows, int flags);
    virtual void OnSetup();
    virtual void OnAfterSetup();
    virtual void OnSheetSetup(int sheetNumber);
    virtual BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow);
    virtual BOOL OnCanViewMove(int oldCol, int oldRow, int newCol, int newRow);
    virtual void OnRowsRequested(int firstMissingRow, int count, int* rowsAdded);
    virtual void Reserved1(INT_PTR, INT_PTR) {}
    virtual BOOL OnCanSizeCol(int col);
    virtual void OnColSizing(int col, int* width);
    virtual void OnColSized(int col, int* width);
    virtual BOOL OnCanSizeRow(int row);
    virtual void OnRowSizing(int row, int* height);
    virtual void OnRowSized(int row, int* height);
    virtual BOOL OnCanSizeTopHdg();
    virtual BOOL OnCanSizeSideHdg();
    virtual BOOL OnTopHdgSizing(int* height);
    virtual BOOL OnSideHdgSizing(int* width);
    virtual BOOL OnTopHdgSized(int* height);
    virtual BOOL OnSideHdgSized(int* width);
    virtual void OnColChanged(int oldCol, int newCol);
    virtual void OnRowChanged(int oldRow, int newRow);
    virtual void OnCellChanged(int oldCol, int newCol, int oldRow, int newRow);
    virtual void OnLeftColChanged(int oldCol, int newCol);
    virtual void OnTopRowChanged(int oldRow, int newRow);
    virtual void OnViewMoved(int section, int oldPosition, int newPosition);
    virtual void OnSelectionChanged(int rightCol, int topRow, int leftCol, int bottomRow, int blockNumber);
    virtual void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnRClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed);
    virtual void OnMouseMove(int col, int row, POINT* point, UINT keyFlags, BOOL processed);
    virtual void OnTH_LClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnTH_RClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnTH_DClicked(int col, int row, RECT* rect, POINT* point, BOOL processed);
    virtual void OnSH_LClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnSH_RClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnSH_DClicked(int col, int row, RECT* rect, POINT* point, BOOL processed);
    virtual void OnCB_LClicked(int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnCB_RClicked(int updn, RECT* rect, POINT* point, BOOL processed);
    virtual void OnCB_DClicked(RECT* rect, POINT* point, BOOL processed);
    virtual void OnKeyDown(UINT* vcKey, BOOL processed);
    virtual void OnKeyUp(UINT* vcKey, BOOL processed);
    virtual void OnChar(UINT* character, BOOL processed);
    virtual void OnGetCell(int col, int row, CUGCell* cell);
    virtual void OnSetCell(int col, int row, CUGCell* cell);
    virtual void Reserved2(INT_PTR, INT_PTR, INT_PTR) {}
    virtual BOOL OnCellTypeNotify(int typeId, int col, int row, LONG msg, LPARAM param);
    virtual BOOL OnEditStart(int col, int row, CWnd** edit);
    virtual BOOL OnEditVerify(int col, int row, CWnd* edit, UINT* vcKey);
    virtual BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled);
    virtual BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow);
    virtual BOOL Reserved3(INT_PTR, INT_PTR, INT_PTR, INT_PTR) { return TRUE; }
    virtual BOOL Reserved4(INT_PTR, INT_PTR, INT_PTR, INT_PTR) { return TRUE; }
    virtual void OnPopupMenuCommand(int col, int row, int section, UINT item);
    virtual BOOL OnPopupMenuStart(int col, int row, int section);
    virtual DWORD OnGetHelpId(int col, int row, int section);
    virtual BOOL OnHint(int col, int row, int section, CString* text);
    virtual BOOL OnVScrollHint(int row, CString* text);
    virtual BOOL OnHScrollHint(int col, CString* text);
    virtual int OnHintSetup(TOOLTIPTEXT* info);
    virtual int OnSortCompare(CUGCell* cell1, CUGCell* cell2, int flags);
    virtual void OnPaintDCSetup(CDC* dc, CDC* secondDc, int section);
    virtual void OnLayoutAdjust(RECT* grid, RECT* topHdg, RECT* sideHdg, RECT* cnrBtn, RECT* vScroll, RECT* hScroll,
                                RECT* tab);
    virtual void OnTabSelected(int id);
    virtual COLORREF OnGetSectionBackColor(int section);
    virtual void OnDrawFocusRect(CDC* dc, RECT* rect);
    virtual void OnKillFocusTo(int section, CWnd* newWnd);
    virtual void OnKillFocus(int section);
    virtual BOOL OnColMoveStart(int col);
    virtual BOOL OnCanColMove(int fromCol, int toCol);
    virtual void OnColMoved(int fromCol, int toCol);
    virtual void OnTrackWindowPlace(RECT* wndRect, RECT* cellRect);

    // The default sort rule, usable without a control.
    static int DefaultSortCompare(CUGCell* cell1, CUGCell* cell2, int flags);

    // ---- creation and registration
    BOOL CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddCellType(CUGCellType* type);
    CUGCellType* GetCellType(int index);
    // The type that the displayed cell uses.
    CUGCellType* GetCellTypeAt(int col, int row);
    int AddDataSource(CUGDataSource* source);
    CUGDataSource* GetDataSource(int index);
    int SetDefDataSource(int index);
    int GetDefDataSourceIndex() const { return m_GI->m_defDataSourceIndex; }
    int AddFont(LPCTSTR face, int height, int weight);
    int AddFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                LPCTSTR face);
    int AddFontIndirect(LOGFONT logFont);
    CFont* GetFont(int index);
    int AddBitmap(UINT resourceId);
    int AddBitmap(LPCTSTR resourceName);
    CBitmap* GetBitmap(int index);
    BOOL IsCreateFailed() const { return m_createFailed; }

    // ---- sheets
    int SetNumberSheets(int count);
    int GetNumberSheets() const { return int(m_sheets.size()); }
    int SetSheetNumber(int index, BOOL paint = TRUE);
    int GetSheetNumber() const { return m_currentSheet; }

    // ---- dimensions
    int SetNumberCols(int count, BOOL redraw = TRUE);
    int GetNumberCols() const { return m_GI->m_numberCols; }
    int SetNumberRows(int count, BOOL redraw = TRUE);
    int GetNumberRows() const { return m_GI->m_numberRows; }
    int SetColWidth(int col, int width);
    int GetColWidth(int col, int* width) const;
    int GetColWidth(int col) const;
    // The width as it is stored, without asking anyone.
    int QueryColWidth(int col) const { return GetColWidth(col); }
    int SetRowHeight(int row, int height);
    // Rows first .. first + count - 1 take heightOf(row) in turn, as SetRowHeight one after the
    // other gives them (each asked after the rows before it are set), with the grid's rows laid
    // out once at the end rather than after each: a grid of many rows is sized at once.
    int SetRowHeights(int first, int count, const std::function<int(int)>& heightOf);
    int GetRowHeight(int row, int* height) const;
    int GetRowHeight(int row) const;
    int SetDefColWidth(int width);
    int SetDefRowHeight(int height);
    int SetUniformRowHeight(BOOL on);
    int SetTopHdgNumberRows(int count);
    int GetTopHdgNumberRows() const { return m_GI->m_numberTopHdgRows; }
    int SetSideHdgNumberCols(int count);
    int GetSideHdgNumberCols() const { return m_GI->m_numberSideHdgCols; }
    int SetTopHdgHeight(int height);
    int GetTopHdgHeight() const { return m_GI->m_topHdgHeight; }
    int SetSideHdgWidth(int width);
    int GetSideHdgWidth() const { return m_GI->m_sideHdgWidth; }
    int SetTopHdgRowHeight(int row, int height);
    int GetTopHdgRowHeight(int row) const;
    int SetSideHdgColWidth(int col, int width);
    int GetSideHdgColWidth(int col) const;
    int LockColumns(int count);
    int LockRows(int count);
    int MoveColumn(int fromCol, int toCol);

    // ---- cells
    int GetCell(int col, int row, CUGCell* cell);
    int GetCellWithDefaults(int col, int row, CUGCell* cell);
    int SetCell(int col, int row, CUGCell* cell);
    int DeleteCell(int col, int row);
    int QuickGetText(int col, int row, CString* text);
    const char* QuickGetTextPtr(int col, int row);
    int QuickSetText(int col, int row, const CString& text);
    int QuickSetNumber(int col, int row, double number);
    int QuickSetAlignment(int col, int row, WORD alignment);
    int QuickSetBackColor(int col, int row, COLORREF color);
    int QuickSetTextColor(int col, int row, COLORREF color);
    int QuickSetBorder(int col, int row, WORD border);
    int QuickSetBorderColor(int col, int row, CPen* pen);
    int QuickSetFont(int col, int row, CFont* font);
    int QuickSetFont(int col, int row, int fontIndex);
    int QuickSetBitmap(int col, int row, CBitmap* bitmap);
    int QuickSetBitmapIndex(int col, int row, int bitmapIndex);
    int QuickSetCellType(int col, int row, int type);
    int QuickSetCellTypeEx(int col, int row, long style);
    int QuickSetLabelText(int col, int row, const CString& text);
    int SetColDefault(int col, const CUGCell* cell);
    int GetColDefault(int col, CUGCell* cell) const;
    int SetGridDefault(const CUGCell* cell);
    int GetGridDefault(CUGCell* cell) const;
    int SetHeadingDefault(const CUGCell* cell);
    int GetHeadingDefault(CUGCell* cell) const;
    int JoinCells(int startCol, int startRow, int endCol, int endRow);
    int GetJoinStartCell(int* col, int* row);
    int GetJoinRange(int* col, int* row, int* endCol, int* endRow);
    int DeleteRow(int row);
    int GetColTranslation(int col) const;
    int SetColTranslation(int col, int translation);
    // The data source that serves a column (the sheet's default for headings and unset columns).
    CUGDataSource* GetColDataSource(int col) const;

    // ---- options
    int EnableJoins(BOOL on);
    int EnableCellOverlap(BOOL on);
    int EnableGridLines(BOOL on);
    int SetCurrentCellMode(int mode);
    int SetHighlightRow(BOOL on, int param = 1);
    int SetMargin(int pixels);
    int SetVScrollMode(int mode);
    int EnableCellToolTips(BOOL on);
    int SetPaintEnabled(BOOL on);
    BOOL IsPaintEnabled() const { return m_enablePainting; }
    int SetMultiSelectMode(int mode);
    // A window that the control keeps beside the current cell; null for none.
    void SetTrackingWindow(CWnd* wnd) { m_trackingWnd = wnd; }

    // ---- drawing
    void RedrawAll();
    void RedrawCell(int col, int row);
    void RedrawRange(int startCol, int startRow, int endCol, int endRow);
    void RedrawRow(int row);
    void LayoutChildren();

    // ---- navigation
    int GotoCell(int col, int row);
    int GotoCol(int col);
    int GotoRow(int row);
    int MoveDragCol(int how);
    int MoveDragRow(int how);
    int SetLeftCol(int col);
    int SetTopRow(int row);
    int MoveLeftCol(int how);
    int MoveTopRow(int how);
    int ResetCurrentCell();
    int ClearSelections();
    // Asks the data source and the application for rows up to and including *row, then clamps
    // *row to the last row; 1 when the sheet has no rows.
    int ExtendRowsAtBottom(int* row);
    int GetCellFromPoint(int x, int y, int* col, int* row, RECT* rect = nullptr);
    int GetCellRect(int col, int row, RECT* rect);
    int GetRangeRect(int startCol, int startRow, int endCol, int endRow, RECT* rect);
    // The box the user sees of a cell: the cell with every cell joined to it.
    int GetJoinedCellRect(int col, int row, RECT* rect);

    int GetCurrentCol() const { return m_GI->m_currentCol; }
    int GetCurrentRow() const { return m_GI->m_currentRow; }
    int GetLeftCol() const { return m_GI->m_leftCol; }
    int GetTopRow() const { return m_GI->m_topRow; }
    int GetRightCol() const { return m_GI->m_rightCol; }
    int GetBottomRow() const { return m_GI->m_bottomRow; }
    int GetDragCol() const { return m_GI->m_dragCol; }
    int GetDragRow() const { return m_GI->m_dragRow; }
    int GetVScrollWidth() const { return m_GI->m_vScrollWidth; }
    int GetHS_Height() const { return m_GI->m_hScrollHeight; }
    int GetLockedCols() const { return m_GI->m_numLockCols; }
    int GetLockedRows() const { return m_GI->m_numLockRows; }

    // ---- in-place editing and find/replace
    // Opens the editor over a cell; a key above 0 is typed into it first. 0 when editing started,
    // 1 while editing or when the cell cannot be reached, 2 when the cell or a notification refused.
    int StartEditAt(int col, int row, int key = 0);
    int StartEdit() { return StartEditAt(m_GI->m_currentCol, m_GI->m_currentRow); }
    // Called by the editor when the user ends editing; 1 when editing ended, 0 when it stays open.
    int EditCtrlFinished(const CString& text, BOOL cancelled, BOOL continueFlag, int nextCol, int nextRow);
    // Searches through the data source from *col, *row; 0 found (position written), else not found.
    int FindInDataSource(const CString& text, int* col, int* row, int flags);
    // The application's modeless find/replace dialog, owned by the application; the control
    // answers its messages while m_findDialogRunning is set.
    CFindReplaceDialog* m_findDialog = nullptr;
    BOOL m_findDialogRunning = FALSE;
    BOOL m_findInAllCols = FALSE;

    // ---- the sheet in use and the child windows (read by the child windows)
    CUGGridInfo* m_GI = nullptr;
    std::unique_ptr<CUGGrid> m_CUGGrid;
    std::unique_ptr<CUGTopHdg> m_CUGTopHdg;
    std::unique_ptr<CUGSideHdg> m_CUGSideHdg;
    std::unique_ptr<CUGCnrBtn> m_CUGCnrBtn;
    std::unique_ptr<CUGVScroll> m_CUGVScroll;
    std::unique_ptr<CUGHScroll> m_CUGHScroll;
    std::unique_ptr<CUGTab> m_CUGTab;
    std::unique_ptr<CUGHint> m_CUGHint;
    std::unique_ptr<CUGEdit> m_CUGEdit;
    std::unique_ptr<CUGMaskedEdit> m_CUGMaskedEdit;
    CWnd* m_editCtrl = nullptr; // the editor in use
    int m_editCol = -1;
    int m_editRow = -1;
    BOOL m_editInProgress = FALSE;
    CPen m_threeDLightPen;
    CPen m_threeDDarkPen;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    UINT OnGetDlgCode() override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void SetChildSheet();
    void OnSysColorChange();
    void CreatePens();
    // Reads the stored cell into the scratch cell, changes it and writes it back.
    template <typename Apply>
    int QuickSet(int col, int row, Apply apply);
    // Sizes and scroll limits of the current sheet.
    void CalcLockColWidth();
    void CalcLockRowHeight();
    void CalcMaxLeftCol();
    void CalcMaxTopRow();
    void CalcRightColBottomRow();
    // After a count or size change on a laid-out sheet: the scroll bars follow, and the windows are
    // laid out again when the columns or rows start or stop fitting (a bar comes or goes).
    void RefreshBarsAfterResize(int oldMaxLeftCol, int oldMaxTopRow);
    int RowHeightAt(int row) const; // headings included
    int ColWidthAt(int col) const;
    // Navigation steps (Part of moving the current cell).
    int ClampCol(int target, int& col);
    int ClampRow(int target, int& row);
    int AskMove(int col, int row);
    void MakeDragColVisible();
    void MakeDragRowVisible();
    int PageCols(int from, bool forward) const;
    int PageRows(int from, bool forward) const;
    void ApplyMove();
    void PlaceTrackingWindow();
    void NotifyViewEdges(int oldRightCol, int oldBottomRow);
    void TellCellType(int col, int row, void (CUGCellType::*op)(int, int, CUGCell*));
    // Find/replace dialog message; 0 handled, 1 ignored.
    LRESULT OnFindReplace(LPARAM lParam);
    // Replaces the occurrences of the find text in a cell's text; true when the cell changed.
    bool ReplaceInCell(int col, int row, const CString& find, const CString& replacement, BOOL matchCase);
    // The window an edited cell lies in and the cell's rectangle there.
    CWnd* EditPlacement(int col, int row, CRect* rect);

    std::vector<std::unique_ptr<CUGGridInfo>> m_sheets;
    int m_currentSheet = 0;
    CWnd* m_trackingWnd = nullptr;
    std::unique_ptr<CUGCellType> m_normalType;
    std::unique_ptr<CUGDropListType> m_dropListType;
    std::unique_ptr<CUGCheckBoxType> m_checkBoxType;
    std::unique_ptr<CUGArrowType> m_arrowType;
    CUGCell m_cell;     // scratch cell of the quick accessors
    CUGCell m_hintCell; // scratch cell of hit testing
    CUGPtrList m_fontList;
    CUGPtrList m_bitmapList;
    CUGPtrList m_cellTypeList;
    struct FontEntry
    {
        LOGFONT description; // as asked for, to find it again
        std::unique_ptr<CFont> font;
    };
    std::vector<FontEntry> m_fonts;
    std::vector<std::unique_ptr<CBitmap>> m_bitmaps;
    std::vector<CUGDataSource*> m_dataSources; // index 0 stands for each sheet's own store
    int m_dataSrcCount = 0;                    // highest used index
    int m_menuCol = -1;
    int m_menuRow = -1;
    int m_menuSection = 0;
    BOOL m_enablePainting = TRUE;
    BOOL m_createFailed = FALSE;
    bool m_relayingOut = false;
};
