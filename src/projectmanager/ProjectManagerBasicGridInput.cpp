// What the cards do with the mouse and the keyboard: which cells may be edited, clicks on
// headings and buttons, the hover of the heading buttons and, in single-record mode, the drag
// and the rename of a card's heading.
#include "projectmanager/ProjectManagerBasicGrid.h"

#include "grid/CUGGrid.h"
#include "grid/CellTextFit.h"
#include "platform/framework/windows/FocusChain.h"
#include "project/RecDoc.h"
#include "views/GridViewBase.h"
#include "views/MySplitterWnd.h"

namespace {

constexpr WORD kBorderBottom = 8;
constexpr WORD kBorderAll = 15;

} // namespace

// ---- notifications

BOOL CProjectManagerBasicGrid::OnCanMove(int, int, int newCol, int newRow)
{
    return IsEditable(newCol, newRow) || (m_keyItem.heading && CPoint(newCol, newRow) == TitleCell(m_keyItem.section));
}

BOOL CProjectManagerBasicGrid::OnEditStart(int col, int row, CWnd**)
{
    if (IsEditable(col, row)) {
        if (const int edit = HitEditCell(col, row); edit >= 0)
            m_keyItem = {SectionOfRow(row), -1, edit};
        return TRUE;
    }
    ResetCurrentCell();
    return FALSE;
}

BOOL CProjectManagerBasicGrid::OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow)
{
    const int edit = HitEditCell(oldCol, oldRow);
    const int section = SectionOfRow(oldRow);
    const auto edits = Layout().edits;
    if (edit < 0 || edits.empty()) {
        ResetCurrentCell();
        return FALSE;
    }
    // Tab goes on through the cards' buttons and fields, and out of the grid after the last.
    if (GetKeyState(VK_TAB) < 0 && m_keyItem.edit == edit && m_keyItem.section == section) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (!StepKeyItem(back ? -1 : 1)) {
            m_keyItem = {};
            MoveFocusToNextTabStop(*m_CUGGrid, back);
        }
        return FALSE;
    }
    const SCardRect& next = edits[std::size_t(edit + 1) % edits.size()].rect;
    *newCol = OriginCol(next);
    *newRow = OriginRow(section, next);
    return TRUE;
}

BOOL CProjectManagerBasicGrid::OnHint(int col, int row, int, CString* text)
{
    if (!text || !IsCellTextCut(*this, col, row))
        return FALSE;
    int startCol = col, startRow = row, endCol = col, endRow = row;
    if (GetJoinRange(&startCol, &startRow, &endCol, &endRow) == UG_SUCCESS) {
        col = startCol;
        row = startRow;
    }
    const char* whole = QuickGetTextPtr(col, row);
    *text = whole ? whole : "";
    return TRUE;
}

void CProjectManagerBasicGrid::OnDrawFocusRect(CDC* dc, RECT* rect)
{
    if (m_keyItem.heading && CPoint(GetCurrentCol(), GetCurrentRow()) == TitleCell(m_keyItem.section))
        CUGCtrl::OnDrawFocusRect(dc, rect);
}

void CProjectManagerBasicGrid::OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed)
{
    OnLClicked(col, row, 1, rect, point, processed);
}

bool CProjectManagerBasicGrid::IsToggleArea(int section, int col, int row) const
{
    return row == section * GetRowsPerSection() && (col == 0 || IsSectionCollapsed(section));
}

bool CProjectManagerBasicGrid::StartHeadingDrag(int col, int row, RECT* rect, POINT* point)
{
    m_dragCol = col;
    m_dragRow = row;
    m_dragRect = rect ? CRect(*rect) : CRect();
    m_dragPoint = point ? CPoint(*point) : CPoint();
    CWnd* view = GetParent();
    CWnd* frame = view ? view->GetParent() : nullptr;
    auto* splitter = dynamic_cast<CMySplitterWnd*>(frame ? frame->GetParent() : nullptr);
    if (!splitter)
        return true;
    CRect screen = m_dragRect;
    m_CUGGrid->ClientToScreen(&screen);
    m_dragging = true;
    splitter->BeginDragImage(screen, this);
    return true;
}

void CProjectManagerBasicGrid::EndHeadingDrag(bool dropped)
{
    if (!m_dragging)
        return;
    if (!dropped)
        OnLClicked(m_dragCol, m_dragRow, 0, &m_dragRect, &m_dragPoint, FALSE);
    m_dragging = false;
}

void CProjectManagerBasicGrid::OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL)
{
    const int previous = m_lastButtonDown;
    m_lastButtonDown = updn;
    const int section = SectionOfRow(row);
    if (section < 0)
        return;
    if (m_singleRecord && updn && !m_dragging && IsToggleArea(section, col, row) && HitButtonCell(col, row) < 0 &&
        StartHeadingDrag(col, row, rect, point))
        return;
    const bool collapsed = IsSectionCollapsed(section);
    const int button = collapsed ? -1 : HitButtonCell(col, row);
    if (button >= 0) {
        if (!updn) {
            // The keyboard is where the mouse clicked: the button shows that it has the focus,
            // and the dialog it opens gives the focus back to it.
            ShowKeyItem({section, button, -1});
            OnButton(section, button);
        }
        return;
    }
    if (updn) {
        if (IsEditable(col, row))
            StartEditAt(col, row);
        else
            ResetCurrentCell();
        RedrawCell(col, row);
        return;
    }
    if (previous && IsToggleArea(section, col, row))
        ToggleSection(section);
}

void CProjectManagerBasicGrid::PostCommand(int command, int argument)
{
    if (m_parentView && m_parentView->GetSafeHwnd())
        m_parentView->PostMessage(WM_PM_COMMAND, WPARAM(command), LPARAM(argument));
}

void CProjectManagerBasicGrid::SetEditText(int section, int edit, const CStringW& text)
{
    const auto edits = Layout().edits;
    if (std::size_t(edit) < edits.size())
        QuickSetText(OriginCol(edits[std::size_t(edit)].rect), OriginRow(section, edits[std::size_t(edit)].rect), text);
}

// ---- hover of the heading buttons

void CProjectManagerBasicGrid::OnMouseMove(int col, int row, POINT*, UINT, BOOL)
{
    if (m_hovering && (col != m_hoverCol || row != m_hoverRow))
        EndHover();
    const int section = SectionOfRow(row);
    if (!m_hovering && section >= 0 && !IsSectionCollapsed(section)) {
        const int button = HitButtonCell(col, row);
        if (button >= 0)
            StartHover(col, row, button);
    }
    if (!m_hovering && m_hoverTimerRunning) {
        KillTimer(m_hoverTimerId);
        m_hoverTimerRunning = false;
    }
}

void CProjectManagerBasicGrid::StartHover(int col, int row, int button)
{
    QuickSetBorder(col, row, kBorderAll);
    QuickSetBorderColor(col, row, &m_pagePen);
    QuickSetBitmapIndex(col, row, BitmapIndex(Layout().buttons[std::size_t(button)].hotBitmap));
    RedrawCell(col, row);
    m_hoverCol = col;
    m_hoverRow = row;
    m_hoverButton = button;
    m_hovering = true;
    if (!m_hoverTimerRunning) {
        SetTimer(m_hoverTimerId, kHoverMs);
        m_hoverTimerRunning = true;
    }
}

void CProjectManagerBasicGrid::EndHover()
{
    if (m_hoverTimerRunning) {
        KillTimer(m_hoverTimerId);
        m_hoverTimerRunning = false;
    }
    if (!m_hovering)
        return;
    m_hovering = false;
    QuickSetBorder(m_hoverCol, m_hoverRow, kBorderBottom);
    QuickSetBorderColor(m_hoverCol, m_hoverRow, &m_headingPen);
    const auto buttons = Layout().buttons;
    const int section = SectionOfRow(m_hoverRow);
    // A collapsed card's button shows no bitmap.
    if (std::size_t(m_hoverButton) < buttons.size() && section >= 0 && !IsSectionCollapsed(section))
        QuickSetBitmapIndex(m_hoverCol, m_hoverRow, BitmapIndex(buttons[std::size_t(m_hoverButton)].normalBitmap));
    RedrawCell(m_hoverCol, m_hoverRow);
    m_hoverCol = m_hoverRow = m_hoverButton = -1;
}

void CProjectManagerBasicGrid::OnTimer(UINT_PTR id)
{
    if (id != m_hoverTimerId) {
        CUGCtrl::OnTimer(id);
        return;
    }
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (m_hovering && client.PtInRect(cursor)) {
        SetTimer(m_hoverTimerId, kHoverMs);
        return;
    }
    EndHover();
}

// ---- single-record mode

void CProjectManagerBasicGrid::StartTitleRename(int section)
{
    const SCardRect& title = Layout().title;
    const int col = OriginCol(title);
    const int row = OriginRow(section, title);
    CUGCell cell;
    GetCell(col, row, &cell);
    cell.SetParam(1);
    SetCell(col, row, &cell);
    StartEditAt(col, row);
}

void CProjectManagerBasicGrid::FinishTitleRename(int col, int row, const CString& text, const CStringW& oldName,
                                                 int itemKind)
{
    CStringW name = text;
    name.Trim();
    QuickSetText(col, row, name);
    CRecDoc* document = CRecDoc::GetCurrent();
    if (name.IsEmpty() || name == oldName || !document)
        return;
    SProjectItemName item;
    item.kind = itemKind;
    item.index = m_recordIndex;
    item.name = name;
    document->RenameProjectItem(item);
}
