#pragma once
// The calendar grid: one block per session, headed by the session's name, its bins laid out in
// lines of 7 days (Monday to Sunday), 8 hours or 8 weeks, each bin a thumbnail with a title and
// a date label. A click on a thumbnail selects or deselects it (at most two), a click on a
// heading collapses or expands the block. Thumbnails are read on demand into a small cache.
#include "grid/CUGCtrl.h"
#include "grid/CUGMem.h"
#include "platform/framework/windows/GdiObjects.h"
#include "study/CalendarModel.h"

#include <functional>
#include <list>
#include <memory>
#include <set>
#include <utility>
#include <vector>

class CMyBasicCalendarGrid : public CUGCtrl
{
public:
    // Fills the picture cells: selection borders and thumbnails from the cache or the files.
    class CCalendarDS : public CUGMem
    {
    public:
        static constexpr std::size_t kCacheLimit = 100;

        explicit CCalendarDS(CMyBasicCalendarGrid& grid) : m_grid(grid) {}
        int GetCell(int col, int row, CUGCell* cell) override;
        // The pictures of every bin in the rows seen (as of the last drawing), whether drawn now or
        // not.
        void ProvideSeenPictures();
        std::size_t GetCachedCount() const { return m_cache.size(); }

    private:
        struct SEntry
        {
            int session;
            int bin;
            CSize fit;
            std::unique_ptr<CBitmap> bitmap;
        };
        // The picture shrunk to fit the cell, from the cache or its file (provided first); read
        // again when the cell's size changed.
        CBitmap* Picture(int session, int bin, const structCalendarBins& bins, CSize fit);

        CMyBasicCalendarGrid& m_grid;
        std::list<SEntry> m_cache; // least recently used first
    };

    static constexpr UINT kGridId = 2012;
    static constexpr COLORREF kHeadingBack = 0x0094908A;
    static constexpr COLORREF kHeadingText = 0x00FFFFFF;
    static constexpr COLORREF kEmptyBack = 0x00F4EFE9;
    static constexpr COLORREF kPictureBack = 0x00FFFFFF;
    static constexpr COLORREF kFirstSelection = 0x000000FF;
    static constexpr COLORREF kSecondSelection = 0x00FF0000;

    CMyBasicCalendarGrid(int granularity, int sessionCount, CCalendarSessionList* sessions);
    ~CMyBasicCalendarGrid() override;

    // Where the pictures of the bins come from (the files alone without a source); set before
    // the window is made.
    void SetPictureSource(ICalendarPictureSource* source) { m_pictureSource = source; }

    void OnSetup() override;
    // Headings, titles, lines after the last bin hidden.
    virtual void Populate();
    // Before the cells of the grid are drawn: which rows the user can see.
    void OnPaintDCSetup(CDC* dc, CDC* secondDc, int section) override;
    void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    // The view scrolled the grid: bins that came into sight get the pictures they were drawn
    // without.
    void OnMove(int x, int y) override;

    // The title of a bin column of a line of the session's block (its weekday or the hour it
    // starts); empty where none shows.
    CString TitleText(int session, int line, int binColumn) const;
    // The date label of a bin whose thumbnail exists.
    void LabelBin(int session, int bin);
    // Whether the row lies in the part of the grid the user can see, or a line from it (as of
    // the last drawing).
    bool IsRowSeen(int row) const { return row >= m_seenRows.first && row <= m_seenRows.second; }
    CString GetCollapseState() const;
    void ApplyCollapseState(const CString& state);
    // Selection by (session, bin) or by cell; false for a cell that holds no bin.
    bool SelectBin(int session, int bin);
    bool SelectCell(int col, int row);
    // The columns and rows follow the parent's client area (forced, or when a side changed).
    void OnParentSize(bool force);
    // Rows of at most this height in all are shown by a window as tall as they are, which the
    // view scrolls; taller ones by a window as large as the view, which scrolls itself.
    static constexpr int kLargestFittedHeight = 32000;
    bool IsScrollingItself() const { return m_scrollingItself; }

    // ---- geometry
    int GetBinsPerLine() const { return m_binsPerLine; }
    int GetLines() const { return m_lines; }
    int GetRowsPerBlock() const { return LaidOutLines() * 4 + 2; }
    int BlockStart(int session) const { return session * GetRowsPerBlock(); }
    int FirstColumnOffset(int session) const;
    // The picture cell of bin `bin` of a session.
    void BinCell(int session, int bin, int& col, int& row) const;
    // The session and bin of a picture cell; false for any other cell. The bin may lie outside
    // the session's bins (cells before the first and after the last).
    bool FindBin(int col, int row, int& session, int& bin) const;
    const structCalendarBins* Bins(int session) const;
    bool IsBlockCollapsed(int session) const;
    int PictureHeight() const;
    // The room a picture has in a cell.
    CSize PictureFit(int col, int row) const;
    const CCalendarDS* GetDataSourceObject() const { return m_source.get(); }

private:
    struct SRowState
    {
        int hideCount = 0;
        int savedHeight = 0;
    };
    int LaidOutLines() const { return m_lines > 0 ? m_lines : 4; }
    // The first and last row that the grid's window shows inside its parent's client area, and
    // a line either side.
    std::pair<int, int> FindSeenRows() const;
    int RowHeightAt(int offset) const;
    void ApplyRowHeights();
    int GetRowsHeight() const;
    void SetColumnWidths();
    // The narrowest a bin column may be: its title and date texts whole.
    int MeasureNarrowestBinWidth();
    // The window as tall as the rows (or the view), and the view's scroll sizes after it.
    void FitWindow();
    // Column widths, row heights and window fit for the current width and collapse states.
    void Relayout();
    void ShowSkippedPictures();
    void SetRowsHidden(int first, int last, bool hidden);
    void ToggleBlock(int session);
    // Runs a change of the selection and draws the frames it moved.
    void ChangeSelection(const std::function<void()>& change);
    void NotifyCollapse();

    int m_granularity;
    int m_sessionCount;
    CCalendarSessionList* m_sessions;
    int m_binsPerLine;
    int m_lines = 0;
    std::unique_ptr<CCalendarDS> m_source;
    int m_sourceIndex = -1;
    ICalendarPictureSource* m_pictureSource = nullptr;
    CString m_dateFormat;
    CString m_timeFormat;
    int m_narrowestBinWidth = 0;
    std::pair<int, int> m_seenRows{0, -1};
    std::set<int> m_picturesSkipped; // picture rows drawn out of sight, without pictures
    bool m_followWidth = true;
    int m_rightMargin = 0;
    bool m_scrollingItself = false;
    CFont* m_headingFont = nullptr;
    CFont* m_dateFont = nullptr;
    CFont* m_titleFont = nullptr;
    CFont* m_cellFont = nullptr;
    CPen m_cellPen;
    CPen m_picturePen;
    CPen m_headingPen;
    CPen m_secondPen;
    CPen m_firstPen;
    int m_expandedBitmap = -1;
    int m_collapsedBitmap = -1;
    std::vector<SRowState> m_rows;
    std::vector<bool> m_collapsed;
    CSize m_lastClientSize;
    bool m_clickProcessing = false;
    bool m_sizing = false; // columns and rows being sized
};

class CCalendarGrid : public CMyBasicCalendarGrid
{
public:
    using CMyBasicCalendarGrid::CMyBasicCalendarGrid;
};
