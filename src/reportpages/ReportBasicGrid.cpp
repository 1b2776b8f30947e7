#include "reportpages/ReportBasicGrid.h"

#include "grid/CUGDataSource.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/WindowStyles.h"
#include "reportpages/ReportChange.h"
#include "views/GridViewBase.h"
#include "views/MyFont.h"
#include "views/MySplitterWnd.h"

#include <numeric>

namespace {

constexpr UINT kIconExpandedResource = 1559;  // minus sign
constexpr UINT kIconCollapsedResource = 1560; // plus sign
constexpr WORD kBorderAll = 15;
constexpr INT_PTR kEditableParam = 1;

} // namespace

CReportBasicGrid::CReportBasicGrid(CGridViewBase* view) : m_view(view)
{
    m_iconExpanded = RegisterBitmap(kIconExpandedResource);
    m_iconCollapsed = RegisterBitmap(kIconCollapsedResource);
}

CReportBasicGrid::~CReportBasicGrid() = default;

int CReportBasicGrid::RegisterBitmap(UINT resourceId)
{
    const auto found = m_bitmaps.find(resourceId);
    if (found != m_bitmaps.end())
        return found->second;
    return m_bitmaps[resourceId] = AddBitmap(resourceId);
}

void CReportBasicGrid::OnSetup()
{
    Rebuild();
}

void CReportBasicGrid::Rebuild()
{
    EndHover();
    m_buttons.clear();
    if (CUGDataSource* store = GetDataSource(0))
        store->Empty();
    SetNumberRows(0, FALSE);

    CMyFont::InitSharedFonts(this);
    m_titleFont = CMyFont::GetSharedFont(12, true);
    m_labelFont = CMyFont::GetSharedFont(11, false);
    CUGCell defaults;
    GetGridDefault(&defaults);
    defaults.SetAlignment(UG_ALIGNCENTER | UG_ALIGNVCENTER);
    defaults.SetFont(m_labelFont);
    defaults.SetCellType(0);
    defaults.SetDataType(UGCELLDATA_STRING);
    defaults.SetBackColor(kPageBack);
    SetGridDefault(&defaults);

    SetTopHdgNumberRows(1);
    SetTopHdgHeight(0);
    SetSideHdgNumberCols(1);
    SetSideHdgWidth(0);
    EnableGridLines(FALSE);
    EnableCellOverlap(FALSE);
    EnableJoins(TRUE);
    SetCurrentCellMode(0);
    SetDefColWidth(100);
    SetDefRowHeight(20);
    SetUniformRowHeight(FALSE);
    SetNumberCols(ColumnCount(), FALSE);
    const int rows = std::accumulate(m_sectionSizes.begin(), m_sectionSizes.end(), 0);
    SetNumberRows(rows, FALSE);
    m_rowStates.assign(std::size_t(rows), SRowState{});

    SetColumnLayout();
    SetRowHeights();
    for (int section = 0; section < GetSectionCount(); ++section) {
        FillSectionTitle(section);
        FillSectionCells(section);
        FillSectionButtons(section);
    }
    if (GetSafeHwnd())
        SetWindowPos(nullptr, 0, 0, TotalWidth(), TotalHeight(), SWP_NOMOVE | SWP_NOZORDER);
}

// ---- sections

int CReportBasicGrid::FirstRowOfSection(int section) const
{
    return std::accumulate(m_sectionSizes.begin(), m_sectionSizes.begin() + std::clamp(section, 0, GetSectionCount()), 0);
}

int CReportBasicGrid::SectionOfRow(int row) const
{
    int end = 0;
    for (int section = 0; section < GetSectionCount(); ++section) {
        end += m_sectionSizes[std::size_t(section)];
        if (row >= 0 && row < end)
            return section;
    }
    return -1;
}

bool CReportBasicGrid::IsSectionCollapsed(int section) const
{
    if (section < 0 || section >= GetSectionCount() || m_sectionSizes[std::size_t(section)] < 2)
        return false;
    return m_rowStates[std::size_t(FirstRowOfSection(section) + 1)].hidden != 0;
}

void CReportBasicGrid::CollapseSection(int section)
{
    if (section < 0 || section >= GetSectionCount() || IsSectionCollapsed(section))
        return;
    const int first = FirstRowOfSection(section);
    for (int row = first + 1; row < first + m_sectionSizes[std::size_t(section)]; ++row) {
        SRowState& state = m_rowStates[std::size_t(row)];
        if (state.hidden++ == 0)
            state.savedHeight = GetRowHeight(row);
        SetRowHeight(row, 0);
    }
    QuickSetBitmapIndex(0, first, m_iconCollapsed);
    EndHover();
    // A collapsed section shows its title only, as the project manager's cards do.
    for (auto button = m_buttons.begin(); button != m_buttons.end();) {
        const auto [col, row] = button->first;
        if (row != first) {
            ++button;
            continue;
        }
        QuickSetBitmap(col, row, nullptr);
        QuickSetText(col, row, CString());
        button = m_buttons.erase(button);
    }
}

void CReportBasicGrid::ExpandSection(int section)
{
    if (!IsSectionCollapsed(section))
        return;
    const int first = FirstRowOfSection(section);
    for (int row = first + 1; row < first + m_sectionSizes[std::size_t(section)]; ++row) {
        SRowState& state = m_rowStates[std::size_t(row)];
        if (state.hidden > 0 && --state.hidden == 0)
            SetRowHeight(row, state.savedHeight);
    }
    QuickSetBitmapIndex(0, first, m_iconExpanded);
    FillSectionButtons(section);
}

int CReportBasicGrid::TotalHeight() const
{
    int total = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        total += GetRowHeight(row);
    return total;
}

int CReportBasicGrid::TotalWidth() const
{
    int total = 0;
    for (int col = 0; col < ColumnCount(); ++col)
        total += GetColWidth(col);
    return total;
}

bool CReportBasicGrid::IsToggleArea(int col, int row) const
{
    const int section = SectionOfRow(row);
    return section >= 0 && row == FirstRowOfSection(section) && (col == 0 || IsSectionCollapsed(section));
}

void CReportBasicGrid::ToggleSection(int section)
{
    const bool collapse = !IsSectionCollapsed(section);
    collapse ? CollapseSection(section) : ExpandSection(section);
    const int firstCode = section == 0 ? kReportSectionExpanded : kReportSecondSectionExpanded;
    Notify(firstCode + (collapse ? 1 : 0));
    // At its new height before the view lays the grids out: the grids below move to its new
    // bottom instead of standing over what it now shows.
    SetWindowPos(nullptr, 0, 0, TotalWidth(), TotalHeight(), SWP_NOMOVE | SWP_NOZORDER);
    if (m_view) {
        m_view->RefreshGrids();
        m_view->UpdateScrollSizes();
    }
    // Drawn once the view has laid the grids out anew: a grid its view fills again is drawn whole.
    RedrawAll();
}

void CReportBasicGrid::Notify(int code)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), LPARAM(code));
}

// ---- cells

void CReportBasicGrid::AddButtonCell(int col, int row, int normalBitmap, int hotBitmap)
{
    m_buttons[{col, row}] = SButton{normalBitmap, hotBitmap};
    QuickSetBitmapIndex(col, row, normalBitmap);
}

void CReportBasicGrid::StyleCell(int col, int row, COLORREF back, COLORREF text, CFont* font, WORD alignment)
{
    CUGCell cell;
    GetCell(col, row, &cell);
    cell.SetBackColor(back);
    cell.SetTextColor(text);
    if (font)
        cell.SetFont(font);
    cell.SetAlignment(alignment);
    SetCell(col, row, &cell);
}

void CReportBasicGrid::EditCell(int col, int row)
{
    CUGCell cell;
    GetCell(col, row, &cell);
    cell.SetParam(kEditableParam);
    SetCell(col, row, &cell);
    StartEditAt(col, row);
}

BOOL CReportBasicGrid::OnCanMove(int, int, int newCol, int newRow)
{
    CUGCell cell;
    return GetCell(newCol, newRow, &cell) == UG_SUCCESS && cell.GetParam() == kEditableParam;
}

BOOL CReportBasicGrid::OnEditStart(int col, int row, CWnd**)
{
    if (OnCanMove(col, row, col, row))
        return TRUE;
    ResetCurrentCell();
    return FALSE;
}

BOOL CReportBasicGrid::OnEditContinue(int, int, int*, int*)
{
    ResetCurrentCell();
    return FALSE;
}

BOOL CReportBasicGrid::OnEditFinish(int col, int row, CWnd*, const CString& text, BOOL cancelled)
{
    CUGCell cell;
    GetCell(col, row, &cell);
    cell.SetParam(0);
    SetCell(col, row, &cell);
    ResetCurrentCell();
    if (!cancelled)
        OnTextEdited(col, row, text);
    return TRUE;
}

void CReportBasicGrid::OnDrawFocusRect(CDC*, RECT*)
{
}

// ---- clicks and drags

void CReportBasicGrid::OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL)
{
    const bool wasPressed = m_pressed;
    m_pressed = updn != 0;
    const int section = SectionOfRow(row);
    if (section < 0)
        return;
    if (updn) {
        if (!m_dragging && ((IsDragEnabled() && IsToggleArea(col, row)) || StartsDrag(col, row)))
            StartDrag(col, row, rect, point);
        return;
    }
    if (!wasPressed)
        return;
    if (IsToggleArea(col, row))
        ToggleSection(section);
    else if (IsButtonCell(col, row))
        OnButtonClicked(section, col, row);
    else
        OnCellClicked(col, row);
}

void CReportBasicGrid::StartDrag(int col, int row, RECT* rect, POINT*)
{
    CWnd* view = GetParent();
    CWnd* frame = view ? view->GetParent() : nullptr;
    auto* splitter = dynamic_cast<CMySplitterWnd*>(frame ? frame->GetParent() : nullptr);
    if (!splitter || !rect)
        return;
    m_dragCol = col;
    m_dragRow = row;
    CRect screen(*rect);
    m_CUGGrid->ClientToScreen(&screen);
    m_dragging = true;
    splitter->BeginDragImage(screen, this);
}

void CReportBasicGrid::EndDrag(bool dropped)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    if (!dropped) {
        // The press went back up where it started: a click.
        m_pressed = true;
        OnLClicked(m_dragCol, m_dragRow, 0, nullptr, nullptr, FALSE);
    }
    m_pressed = false;
}

// ---- hover

void CReportBasicGrid::OnMouseMove(int col, int row, POINT*, UINT, BOOL)
{
    if (m_hovering && (col != m_hoverCol || row != m_hoverRow))
        EndHover();
    const auto button = m_buttons.find({col, row});
    if (m_hovering || button == m_buttons.end() || IsSectionCollapsed(SectionOfRow(row)))
        return;
    m_hovering = true;
    m_hoverCol = col;
    m_hoverRow = row;
    QuickSetBitmapIndex(col, row, button->second.hot);
    QuickSetBorder(col, row, kBorderAll);
    RedrawCell(col, row);
    SetTimer(kHoverTimer, kHoverMs);
}

void CReportBasicGrid::EndHover()
{
    if (!m_hovering)
        return;
    m_hovering = false;
    if (GetSafeHwnd())
        KillTimer(kHoverTimer);
    const auto button = m_buttons.find({m_hoverCol, m_hoverRow});
    if (button != m_buttons.end()) {
        QuickSetBitmapIndex(m_hoverCol, m_hoverRow, button->second.normal);
        QuickSetBorder(m_hoverCol, m_hoverRow, 0);
        RedrawCell(m_hoverCol, m_hoverRow);
    }
    m_hoverCol = m_hoverRow = -1;
}

void CReportBasicGrid::OnTimer(UINT_PTR id)
{
    if (id != kHoverTimer) {
        CUGCtrl::OnTimer(id);
        return;
    }
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(cursor))
        EndHover();
}
