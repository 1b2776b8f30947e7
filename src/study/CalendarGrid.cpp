#include "study/CalendarGrid.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/HighTime.h"
#include "datamodel/TimeRounding.h"
#include "grid/CUGCell.h"
#include "grid/CUGGrid.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "study/CalendarThumbnailFile.h"
#include "study/MyBasicSummaryGrid.h"
#include "study/TableStrings.h"
#include "views/GridMargins.h"
#include "views/MyFont.h"
#include "views/MyFormView.h"
#include "views/StoredSize.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr WORD kThinBorders = 15;
constexpr WORD kMediumBorders = 240;
constexpr int kSelectionFrameWidth = 2; // pixels of a medium border
constexpr int kPictureMargin = 2;       // the cell type's, either side of a picture
constexpr WORD kBottomBorder = 8;
constexpr int kSpacerWidth = 8;
constexpr int kHeadingHeight = 20;
constexpr int kSpacerHeight = 8;
constexpr int kTitleHeight = 20;
constexpr int kDateHeight = 15;
constexpr UINT kExpandedBitmapId = 1553;
constexpr UINT kCollapsedBitmapId = 1554;
constexpr COLORREF kHeadingLine = 0x00DAD5CB;
constexpr UINT kDateFormat = 8070; // "dtFmt1"
// Weekday names Monday .. Saturday, then Sunday.
constexpr unsigned kWeekdayIds[7] = {10111, 10112, 10113, 10114, 10115, 10116, 10110};
} // namespace

// ---- data source

int CMyBasicCalendarGrid::CCalendarDS::GetCell(int col, int row, CUGCell* cell)
{
    const int result = CUGMem::GetCell(col, row, cell);
    // The title and date rows under each line of pictures: their look is the same in every bin
    // column, given here rather than kept for each of a year's cells.
    const int inBlock = row % m_grid.GetRowsPerBlock();
    if (cell && col % 2 == 1 && col < 2 * m_grid.m_binsPerLine && inBlock >= 2 && (inBlock - 2) % 4 != 0 &&
        (inBlock - 2) % 4 != 3) {
        const bool title = (inBlock - 2) % 4 == 1;
        cell->SetFont(title ? m_grid.m_titleFont : m_grid.m_dateFont);
        cell->SetAlignment(UG_ALIGNCENTER | UG_ALIGNVCENTER);
        // Titles too: a year of hours would otherwise store 35,000 of them before the first show.
        if (title)
            if (const CString text = m_grid.TitleText(row / m_grid.GetRowsPerBlock(), (inBlock - 2) / 4, (col - 1) / 2);
                !text.IsEmpty())
                cell->SetText(text);
    }
    int session = -1;
    int bin = -1;
    if (!cell || !m_grid.FindBin(col, row, session, bin))
        return result;
    const int record = m_grid.m_sessions->FindSelection(session, bin);
    if (record >= 0) {
        cell->SetBorder(kMediumBorders);
        cell->SetBorderColor(record == 0 ? &m_grid.m_firstPen : &m_grid.m_secondPen);
    } else {
        cell->SetBorder(kThinBorders);
        cell->SetBorderColor(&m_grid.m_picturePen);
    }
    const structCalendarBins* bins = m_grid.Bins(session);
    if (bins && bin >= 0 && bin < bins->count) {
        cell->SetBackColor(kPictureBack);
        // Only what the user sees is drawn: a year of hours is not made at once.
        if (!m_grid.IsRowSeen(row))
            m_grid.m_picturesSkipped.insert(row);
        else if (!m_grid.m_clickProcessing && !m_grid.m_sizing)
            if (CBitmap* picture = Picture(session, bin, *bins, m_grid.PictureFit(col, row)))
                cell->SetBitmap(picture);
    } else {
        cell->SetBackColor(kEmptyBack);
    }
    return result;
}

void CMyBasicCalendarGrid::CCalendarDS::ProvideSeenPictures()
{
    const int rowsPerBlock = m_grid.GetRowsPerBlock();
    for (int row = std::max(m_grid.m_seenRows.first, 0); row <= m_grid.m_seenRows.second; ++row) {
        if (row % rowsPerBlock < 2 || (row % rowsPerBlock - 2) % 4 != 0 || m_grid.GetRowHeight(row) == 0)
            continue;
        for (int col = 1; col < 2 * m_grid.m_binsPerLine; col += 2) {
            int session = -1;
            int bin = -1;
            const structCalendarBins* bins = m_grid.FindBin(col, row, session, bin) ? m_grid.Bins(session) : nullptr;
            if (bins && bin >= 0 && bin < bins->count)
                Picture(session, bin, *bins, m_grid.PictureFit(col, row));
        }
    }
}

CBitmap* CMyBasicCalendarGrid::CCalendarDS::Picture(int session, int bin, const structCalendarBins& bins, CSize fit)
{
    const auto found = std::find_if(m_cache.begin(), m_cache.end(),
                                    [&](const SEntry& entry) { return entry.session == session && entry.bin == bin; });
    if (found != m_cache.end()) {
        if (found->fit == fit) {
            m_cache.splice(m_cache.end(), m_cache, found);
            return m_cache.back().bitmap.get();
        }
        m_cache.erase(found);
    }
    if (m_grid.m_pictureSource && !m_grid.m_pictureSource->ProvidePicture(session, bins, bin, fit))
        return nullptr;
    std::unique_ptr<CBitmap> bitmap = ReadThumbnailBitmap(bins.folder + bins.bins[std::size_t(bin)].fileName, fit);
    if (!bitmap)
        return nullptr;
    m_grid.LabelBin(session, bin);
    m_cache.push_back({session, bin, fit, std::move(bitmap)});
    if (m_cache.size() > kCacheLimit)
        m_cache.pop_front();
    return m_cache.back().bitmap.get();
}

// ---- grid

CMyBasicCalendarGrid::CMyBasicCalendarGrid(int granularity, int sessionCount, CCalendarSessionList* sessions)
    : m_granularity(std::clamp(granularity, 0, kCalendarGranularities - 1)), m_sessionCount(std::max(sessionCount, 0)),
      m_sessions(sessions), m_binsPerLine(m_granularity == kCalendarDay ? 7 : 8), m_dateFormat(ExpandDateTimeFormat(kDateFormat)),
      m_timeFormat(GetLocaleTimeFormat())
{
    for (int s = 0; s < m_sessionCount; ++s)
        if (const structCalendarBins* bins = Bins(s); bins && bins->count > 0)
            m_lines = std::max(m_lines, (FirstColumnOffset(s) + bins->count + m_binsPerLine - 1) / m_binsPerLine);
    m_source = std::make_unique<CCalendarDS>(*this);
    m_cellPen.CreatePen(PS_SOLID, 1, kEmptyBack);
    m_picturePen.CreatePen(PS_SOLID, 1, kPictureBack);
    m_headingPen.CreatePen(PS_SOLID, 1, kHeadingLine);
    m_secondPen.CreatePen(PS_SOLID, 1, kSecondSelection);
    m_firstPen.CreatePen(PS_SOLID, 1, kFirstSelection);
}

CMyBasicCalendarGrid::~CMyBasicCalendarGrid()
{
    // The window and its drawing go before the data source they read.
    if (GetSafeHwnd())
        DestroyWindow();
}

const structCalendarBins* CMyBasicCalendarGrid::Bins(int session) const
{
    if (!m_sessions || session < 0 || session >= int(m_sessions->sessions.size()))
        return nullptr;
    return m_sessions->sessions[std::size_t(session)]->bins[std::size_t(m_granularity)].get();
}

int CMyBasicCalendarGrid::FirstColumnOffset(int session) const
{
    const structCalendarBins* bins = Bins(session);
    if (!bins || bins->count <= 0)
        return 0;
    const structCalendarBin& first = bins->bins.front();
    switch (m_granularity) {
    case kCalendarDay:
        return (first.dayOfWeek + 5) % 7;
    case kCalendarHour:
        return std::max(first.hour, 0) % 8;
    default:
        return 0;
    }
}

void CMyBasicCalendarGrid::BinCell(int session, int bin, int& col, int& row) const
{
    const int place = bin + FirstColumnOffset(session);
    col = 1 + 2 * (place % m_binsPerLine);
    row = BlockStart(session) + 2 + 4 * (place / m_binsPerLine);
}

bool CMyBasicCalendarGrid::FindBin(int col, int row, int& session, int& bin) const
{
    const int rowsPerBlock = GetRowsPerBlock();
    if (row < 0 || col < 0 || col % 2 == 0 || col >= 2 * m_binsPerLine)
        return false;
    session = row / rowsPerBlock;
    const int offset = row % rowsPerBlock;
    if (session >= m_sessionCount || offset < 2 || (offset - 2) % 4 != 0)
        return false;
    bin = (offset - 2) / 4 * m_binsPerLine + (col - 1) / 2 - FirstColumnOffset(session);
    return true;
}

bool CMyBasicCalendarGrid::IsBlockCollapsed(int session) const
{
    return session >= 0 && session < int(m_collapsed.size()) && m_collapsed[std::size_t(session)];
}

CSize CMyBasicCalendarGrid::PictureFit(int col, int row) const
{
    // The room the cell type draws a picture in at its own size, selected or not: the cell less a
    // selection frame and the margin the cell type keeps on either side. A larger picture would
    // be stretched into it pixel by pixel, and its one-pixel curves broken.
    constexpr int kFrameAndMargins = 2 * (kSelectionFrameWidth + kPictureMargin);
    return CSize(std::max(1, GetColWidth(col) - kFrameAndMargins), std::max(1, GetRowHeight(row) - kFrameAndMargins));
}

int CMyBasicCalendarGrid::PictureHeight() const
{
    return int(GetColWidth(1) * 2.1 / 3);
}

int CMyBasicCalendarGrid::RowHeightAt(int offset) const
{
    if (offset == 0)
        return kHeadingHeight;
    if (offset == 1)
        return kSpacerHeight;
    switch ((offset - 2) % 4) {
    case 0:
        return PictureHeight();
    case 1:
        return kTitleHeight;
    case 2:
        return kDateHeight;
    default:
        return kSpacerHeight;
    }
}

void CMyBasicCalendarGrid::OnSetup()
{
    CMyFont::InitSharedFonts(GetParent());
    m_headingFont = CMyFont::GetSharedFont(12, true);
    m_dateFont = CMyFont::GetSharedFont(10, false);
    m_titleFont = CMyFont::GetSharedFont(12, false);
    m_cellFont = CMyFont::GetSharedFont(12, true);
    m_narrowestBinWidth = MeasureNarrowestBinWidth();
    m_sourceIndex = AddDataSource(m_source.get());
    SetDefDataSource(m_sourceIndex);
    m_expandedBitmap = AddBitmap(kExpandedBitmapId);
    m_collapsedBitmap = AddBitmap(kCollapsedBitmapId);

    const int rowCount = m_sessionCount * GetRowsPerBlock();
    m_rows.assign(std::size_t(rowCount), SRowState{});
    m_collapsed.assign(std::size_t(m_sessionCount), false);
    CUGCell defaults;
    GetGridDefault(&defaults);
    defaults.SetAlignment(UG_ALIGNRIGHT | UG_ALIGNVCENTER);
    defaults.SetDataType(UGCELLDATA_STRING);
    defaults.SetCellType(0);
    defaults.SetBorder(kThinBorders);
    defaults.SetBorderColor(&m_cellPen);
    defaults.SetBackColor(kEmptyBack);
    defaults.SetFont(m_cellFont);
    SetGridDefault(&defaults);
    EnableGridLines(FALSE);
    EnableCellOverlap(FALSE);
    EnableJoins(TRUE);
    SetDefColWidth(100);
    SetNumberCols(2 * m_binsPerLine + 1, FALSE);
    SetDefRowHeight(1);
    SetNumberRows(rowCount, FALSE);
    SetUniformRowHeight(FALSE);
    SetCurrentCellMode(0);
    SetSideHdgNumberCols(1);
    SetSideHdgWidth(0);
    SetTopHdgNumberRows(1);
    SetTopHdgHeight(0);
    // A grid that scrolls itself follows the thumb as it is dragged.
    SetVScrollMode(1);
    m_rightMargin = GridRememberRightMargin(*this);
    if (auto* view = dynamic_cast<CMyFormView*>(GetParent()))
        view->ScrollToPosition(CPoint(0, 0));

    const int lastCol = 2 * m_binsPerLine;
    for (int s = 0; s < m_sessionCount; ++s) {
        const int heading = BlockStart(s);
        for (int col = 0; col <= lastCol; ++col) {
            QuickSetBackColor(col, heading, kHeadingBack);
            QuickSetTextColor(col, heading, kHeadingText);
            QuickSetAlignment(col, heading, UG_ALIGNLEFT | UG_ALIGNVCENTER);
            QuickSetBorder(col, heading, kBottomBorder);
            QuickSetBorderColor(col, heading, &m_headingPen);
            QuickSetFont(col, heading, m_headingFont);
        }
        JoinCells(0, heading, lastCol, heading);
        QuickSetBitmapIndex(0, heading, m_expandedBitmap);
    }
    OnParentSize(true);
}

void CMyBasicCalendarGrid::Populate()
{
    for (int s = 0; s < m_sessionCount; ++s) {
        const int heading = BlockStart(s);
        if (m_sessions && s < int(m_sessions->sessions.size()))
            QuickSetText(0, heading, " " + m_sessions->sessions[std::size_t(s)]->name);
        const structCalendarBins* bins = Bins(s);
        if (!bins || bins->count <= 0) {
            SetRowsHidden(heading, heading + GetRowsPerBlock() - 1, true);
            continue;
        }
        const int usedLines = (FirstColumnOffset(s) + bins->count + m_binsPerLine - 1) / m_binsPerLine;
        for (int line = usedLines; line < LaidOutLines(); ++line)
            SetRowsHidden(heading + 2 + 4 * line, heading + 5 + 4 * line, true);
    }
    ApplyRowHeights();
    RedrawAll();
}

CString CMyBasicCalendarGrid::TitleText(int session, int line, int binColumn) const
{
    const structCalendarBins* bins = Bins(session);
    if (!bins || bins->count <= 0)
        return CString();
    if (m_granularity == kCalendarDay)
        return LoadTableString(kWeekdayIds[binColumn]);
    if (m_granularity != kCalendarHour)
        return CString();
    // The local time its bin starts; a cell before the first bin or after the last goes on an
    // hour a cell.
    const int place = line * m_binsPerLine + binColumn;
    const int offset = FirstColumnOffset(session);
    const int bin = std::clamp(place - offset, 0, bins->count - 1);
    CHighTime time = CHighTime::FromDate(bins->bins[std::size_t(bin)].start);
    time.RoundToSecond();
    return (time + CHighTimeSpan(0, place - offset - bin, 0, 0)).Format(m_timeFormat);
}

void CMyBasicCalendarGrid::LabelBin(int session, int bin)
{
    const structCalendarBins* bins = Bins(session);
    if (!bins || bin < 0 || bin >= bins->count)
        return;
    const structCalendarBin& record = bins->bins[std::size_t(bin)];
    int col = 0;
    int row = 0;
    BinCell(session, bin, col, row);
    // A week is named by its last day: the local date a calendar day before its end (a week
    // holding a clock change is an hour more or less than seven days).
    if (m_granularity == kCalendarWeek)
        QuickSetText(col, row + 1,
                     AddLocalCalendarDays(CHighTime::FromDate(record.start + record.width), -1).Format(m_dateFormat));
    else
        QuickSetText(col, row + 2, CHighTime::FromDate(record.start).Format(m_dateFormat));
}

// ---- what the user sees

void CMyBasicCalendarGrid::OnPaintDCSetup(CDC*, CDC*, int section)
{
    if (section != UG_GRID)
        return;
    m_seenRows = FindSeenRows();
    // Only what shows is painted; the pictures of the line either side are made ahead all the
    // same, for the view's next small step.
    if (!m_clickProcessing)
        m_source->ProvideSeenPictures();
}

std::pair<int, int> CMyBasicCalendarGrid::FindSeenRows() const
{
    std::pair<int, int> seen{0, -1};
    if (!m_CUGGrid || !m_CUGGrid->GetSafeHwnd())
        return seen;
    CRect band;
    m_CUGGrid->GetClientRect(&band);
    if (CWnd* parent = GetParent()) {
        CRect view;
        parent->GetClientRect(&view);
        parent->ClientToScreen(&view);
        m_CUGGrid->ScreenToClient(&view);
        // A line of pictures either side is made ahead, for the view's next small step.
        view.InflateRect(0, PictureHeight() + kTitleHeight + kDateHeight + kSpacerHeight);
        band.IntersectRect(&band, &view);
    }
    if (band.IsRectEmpty())
        return seen;
    int y = 0;
    for (int row = GetTopRow(); row < GetNumberRows() && y < band.bottom; ++row) {
        const int height = GetRowHeight(row);
        if (height > 0 && y + height > band.top) {
            if (seen.second < 0)
                seen.first = row;
            seen.second = row;
        }
        y += height;
    }
    return seen;
}

// ---- rows and columns

void CMyBasicCalendarGrid::SetRowsHidden(int first, int last, bool hidden)
{
    for (int row = std::max(first, 0); row <= last && row < int(m_rows.size()); ++row) {
        SRowState& state = m_rows[std::size_t(row)];
        state.hideCount = std::max(0, state.hideCount + (hidden ? 1 : -1));
    }
}

void CMyBasicCalendarGrid::ApplyRowHeights()
{
    // Setting a size asks for the cells (their types): no picture is made for a size on the way.
    const bool sizing = std::exchange(m_sizing, true);
    const int rowsPerBlock = GetRowsPerBlock();
    SetRowHeights(0, int(m_rows.size()), [&](int row) {
        SRowState& state = m_rows[std::size_t(row)];
        state.savedHeight = RowHeightAt(row % rowsPerBlock);
        return state.hideCount > 0 ? 0 : state.savedHeight;
    });
    m_sizing = sizing;
}

int CMyBasicCalendarGrid::GetRowsHeight() const
{
    int height = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        height += GetRowHeight(row);
    return height;
}

void CMyBasicCalendarGrid::SetColumnWidths()
{
    const bool sizing = std::exchange(m_sizing, true);
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    // The picture rows grow with the columns: measure the rows at the full width first; rows
    // too tall to be fitted leave room for the grid's own scroll bar.
    const int spacers = kSpacerWidth * (m_binsPerLine + 1);
    auto binWidth = [&](int w) { return std::max(m_narrowestBinWidth, (w - spacers) / m_binsPerLine); };
    SetColWidth(1, binWidth(width));
    ApplyRowHeights();
    if (GetRowsHeight() > kLargestFittedHeight)
        width -= GetVScrollWidth();
    for (int col = 0; col <= 2 * m_binsPerLine; ++col)
        SetColWidth(col, col % 2 == 0 ? kSpacerWidth : binWidth(width));
    ApplyRowHeights();
    m_sizing = sizing;
}

int CMyBasicCalendarGrid::MeasureNarrowestBinWidth()
{
    CClientDC dc(this);
    int widest = 0;
    const auto measure = [&](CFont* font, const CString& text) {
        CFont* old = dc.SelectObject(font);
        widest = std::max(widest, int(dc.GetTextExtent(text).cx));
        dc.SelectObject(old);
    };
    if (m_granularity == kCalendarDay) {
        for (const unsigned id : kWeekdayIds)
            measure(m_titleFont, LoadTableString(id));
    } else if (m_granularity == kCalendarHour) {
        for (int hour = 0; hour < 24; ++hour)
            measure(m_titleFont, CHighTime(2026, 12, 28, hour, 0, 0).Format(m_timeFormat));
    }
    // The 28th of every month: two-digit days and months, and every month's name where the
    // format names it.
    for (int month = 1; month <= 12; ++month)
        measure(m_granularity == kCalendarWeek ? m_titleFont : m_dateFont,
                CHighTime(2026, month, 28, 12, 0, 0).Format(m_dateFormat));
    return widest + 2 * (kSelectionFrameWidth + kPictureMargin);
}

void CMyBasicCalendarGrid::FitWindow()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    auto* view = dynamic_cast<CMyFormView*>(parent);
    CRect client;
    parent->GetClientRect(&client);
    CRect rect;
    GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    const int rowsHeight = GetRowsHeight();
    m_scrollingItself = rowsHeight > kLargestFittedHeight;
    if (m_scrollingItself) {
        // The view shows the grid from its top and scrolls nothing.
        if (view)
            view->ScrollToPosition(CPoint(0, 0));
        rect = CRect(0, 0, rect.Width(), client.Height());
    } else {
        rect.bottom = rect.top + rowsHeight;
    }
    // Columns at their narrowest may be wider than the view: the view scrolls across them.
    int columnsWidth = m_scrollingItself ? GetVScrollWidth() : 0;
    for (int col = 0; col < GetNumberCols(); ++col)
        columnsWidth += GetColWidth(col);
    rect.right = std::max(rect.right, rect.left + columnsWidth);
    CRect now;
    GetWindowRect(&now);
    parent->ScreenToClient(&now);
    // A resize reallocates the window's pixels: only when a side changed.
    if (now != rect)
        MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
    if (view)
        view->UpdateScrollSizes();
}

void CMyBasicCalendarGrid::Relayout()
{
    SetColumnWidths();
    FitWindow();
}

void CMyBasicCalendarGrid::OnParentSize(bool force)
{
    if (UpdateStoredParentSize(*this, m_lastClientSize, force) == kSizeUnchanged)
        return;
    SetPaintEnabled(FALSE);
    if (m_followWidth)
        GridKeepRightMargin(*this, m_rightMargin);
    Relayout();
    SetPaintEnabled(TRUE);
    // Painted once the frames have their final sizes (a window resize passes through several):
    // pictures are drawn for the cells the user gets, not for each size on the way.
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE | RDW_FRAME);
}

void CMyBasicCalendarGrid::OnMove(int x, int y)
{
    CUGCtrl::OnMove(x, y);
    ShowSkippedPictures();
}

void CMyBasicCalendarGrid::ShowSkippedPictures()
{
    const std::pair<int, int> seen = FindSeenRows();
    const int lastCol = 2 * m_binsPerLine;
    for (auto row = m_picturesSkipped.lower_bound(seen.first); row != m_picturesSkipped.end() && *row <= seen.second;) {
        // The picture row with its title and date rows, which take its label.
        RedrawRange(0, *row, lastCol, std::min(*row + 2, GetNumberRows() - 1));
        row = m_picturesSkipped.erase(row);
    }
}

// ---- collapse

void CMyBasicCalendarGrid::ToggleBlock(int session)
{
    if (session < 0 || session >= m_sessionCount)
        return;
    const bool collapse = !m_collapsed[std::size_t(session)];
    m_collapsed[std::size_t(session)] = collapse;
    const int heading = BlockStart(session);
    SetRowsHidden(heading + 1, heading + GetRowsPerBlock() - 1, collapse);
    QuickSetBitmapIndex(0, heading, collapse ? m_collapsedBitmap : m_expandedBitmap);
}

CString CMyBasicCalendarGrid::GetCollapseState() const
{
    CString state;
    for (int s = 0; s < m_sessionCount; ++s) {
        const structCalendarBins* bins = Bins(s);
        state += (bins && bins->count > 0 && IsBlockCollapsed(s)) ? '1' : '0';
    }
    return state;
}

void CMyBasicCalendarGrid::ApplyCollapseState(const CString& state)
{
    for (int s = 0; s < m_sessionCount && s < state.GetLength(); ++s) {
        const structCalendarBins* bins = Bins(s);
        if (bins && bins->count > 0 && (state[s] == '1') != IsBlockCollapsed(s))
            ToggleBlock(s);
    }
    Relayout();
    RedrawAll();
}

void CMyBasicCalendarGrid::NotifyCollapse()
{
    if (CWnd* parent = GetParent(); parent && parent->GetSafeHwnd()) {
        const CString state = GetCollapseState();
        parent->SendMessage(WM_TABLE_COLLAPSE_STATE, WPARAM(&state), 0);
    }
}

// ---- selection

void CMyBasicCalendarGrid::ChangeSelection(const std::function<void()>& change)
{
    // The frames follow at once: the cells selected before lose theirs, those selected after
    // get theirs in the colour of their record (a deselected first record hands its colour on).
    std::array<structCalendarSelection, 2> before = m_sessions->selections;
    change();
    for (const auto& records : {before, m_sessions->selections})
        for (const structCalendarSelection& selection : records)
            if (selection.HasSession()) {
                int col = 0;
                int row = 0;
                BinCell(selection.session, selection.bin, col, row);
                RedrawCell(col, row);
            }
}

bool CMyBasicCalendarGrid::SelectBin(int session, int bin)
{
    const structCalendarBins* bins = Bins(session);
    if (!m_sessions || !bins || bin < 0 || bin >= bins->count)
        return false;
    int col = 0;
    int row = 0;
    BinCell(session, bin, col, row);
    ChangeSelection([&] { m_sessions->Select({session, bin, col, row}); });
    return true;
}

bool CMyBasicCalendarGrid::SelectCell(int col, int row)
{
    int session = -1;
    int bin = -1;
    return FindBin(col, row, session, bin) && SelectBin(session, bin);
}

BOOL CMyBasicCalendarGrid::OnCanMove(int, int, int, int)
{
    return FALSE;
}

void CMyBasicCalendarGrid::OnLClicked(int col, int row, int updn, RECT*, POINT*, BOOL)
{
    ResetCurrentCell();
    if (row < 0 || row >= GetNumberRows() || !m_sessions)
        return;
    const bool heading = row % GetRowsPerBlock() == 0;
    if (updn) {
        int session = -1;
        int bin = -1;
        if (FindBin(col, row, session, bin)) {
            const structCalendarBins* bins = Bins(session);
            if (!bins || bin < 0 || bin >= bins->count)
                return;
            if (const int record = m_sessions->FindSelection(session, bin); record >= 0) {
                ChangeSelection([&] { m_sessions->Deselect(record); });
            } else {
                SelectBin(session, bin);
            }
            if (CWnd* parent = GetParent(); parent && parent->GetSafeHwnd())
                parent->SendMessage(WM_CALENDAR_SHOW_SELECTION, 0, 0);
        } else if (heading) {
            m_clickProcessing = true;
        }
        return;
    }
    if (!heading || !m_clickProcessing)
        return;
    ToggleBlock(row / GetRowsPerBlock());
    Relayout();
    NotifyCollapse();
    m_clickProcessing = false;
    RedrawAll();
}
