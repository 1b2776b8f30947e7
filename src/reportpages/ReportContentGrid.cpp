#include "reportpages/ReportContentGrid.h"

#include "grid/CUGGrid.h"
#include "grid/MeasureMultilineText.h"
#include "platform/framework/windows/FocusChain.h"
#include "platform/framework/windows/GdiObjects.h"
#include "project/SavedScreenCache.h"
#include "reportpages/ReportChange.h"

#include <algorithm>

namespace {

constexpr int kIconWidth = 30;
constexpr int kButtonPictureWidth = 24;
constexpr int kLastButtonExtra = 16;
constexpr int kPictureRow = 2;
constexpr int kPictureMargin = 6;
constexpr int kBottomHeight = 25;
constexpr int kNoPictureHeight = 20;

struct SButtonColumn
{
    UINT caption;
    UINT normal;
    UINT hot;
};
// Rename, Restore, Remove.
constexpr SButtonColumn kButtons[] = {{10128, 1582, 1583}, {128, 1600, 1601}, {10129, 1568, 1569}};
constexpr int kFirstButtonColumn = 2;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

CReportContentGrid::CReportContentGrid(CGridViewBase* view, CSavedScreenCache& pictures)
    : CReportBasicGrid(view), m_pictureCache(pictures)
{
    SetSectionSizes({5});
}

void CReportContentGrid::SetData(int bookmarkIndex, const CStringW& title, const CStringW& pictureStream)
{
    m_bookmarkIndex = bookmarkIndex;
    m_title = title;
    m_pictureStream = pictureStream;
    if (GetSafeHwnd())
        Rebuild();
}

CBitmap* CReportContentGrid::Picture() const
{
    return m_pictureStream.IsEmpty() ? nullptr : m_pictureCache.GetBitmap(m_pictureStream);
}

void CReportContentGrid::SetColumnLayout()
{
    int buttons = 0;
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        CSize size;
        MeasureMultilineText(size, this, m_labelFont, LoadText(kButtons[i].caption));
        const int width = int(size.cx) + kButtonPictureWidth + (i + 1 == std::size(kButtons) ? kLastButtonExtra : 0);
        SetColWidth(kFirstButtonColumn + int(i), width);
        buttons += width;
    }
    SetColWidth(0, kIconWidth);
    SetColWidth(1, std::max(0, kWidth - kIconWidth - buttons));
}

void CReportContentGrid::SetRowHeights()
{
    SetRowHeight(0, kTitleHeight);
    SetRowHeight(1, kSpacerHeight);
    int pictureHeight = kNoPictureHeight;
    if (CBitmap* picture = Picture())
        pictureHeight = int(CPictureCellType::FitPicture(picture->GetSize(), CSize(kWidth, picture->GetSize().cy)).cy);
    SetRowHeight(kPictureRow, pictureHeight + kPictureMargin);
    SetRowHeight(3, kSpacerHeight);
    SetRowHeight(4, kBottomHeight);
}

void CReportContentGrid::FillSectionTitle(int)
{
    // The title is one cell from the card's left edge, its collapse mark first, as on every
    // other card of the report: the titles of all cards start at one place.
    for (int col = 0; col < ColumnCount(); ++col)
        StyleCell(col, 0, kTitleBack, kTitleText, col <= 1 ? m_titleFont : m_labelFont,
                  col <= 1 ? UG_ALIGNLEFT | UG_ALIGNVCENTER : UG_ALIGNCENTER | UG_ALIGNVCENTER);
    JoinCells(0, 0, 1, 0);
    QuickSetBitmapIndex(0, 0, m_iconExpanded);
    QuickSetText(0, 0, m_title);
}

void CReportContentGrid::FillSectionCells(int)
{
    for (int row = 1; row < 5; ++row)
        JoinCells(0, row, ColumnCount() - 1, row);
    if (m_pictureTypeIndex < 0)
        m_pictureTypeIndex = AddCellType(&m_pictureType);
    QuickSetCellType(0, kPictureRow, m_pictureTypeIndex);
    if (CBitmap* picture = Picture())
        QuickSetBitmap(0, kPictureRow, picture);
}

void CReportContentGrid::FillSectionButtons(int)
{
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const int col = kFirstButtonColumn + int(i);
        QuickSetText(col, 0, LoadText(kButtons[i].caption));
        AddButtonCell(col, 0, RegisterBitmap(kButtons[i].normal), RegisterBitmap(kButtons[i].hot));
    }
}

void CReportContentGrid::OnButtonClicked(int section, int col, int row)
{
    // A collapsed item shows only its title; its buttons do nothing.
    if (IsSectionCollapsed(section))
        return;
    if (col == RenameColumn())
        EditCell(0, row);
    else if (col == RestoreColumn())
        Notify(kReportRestoreItem);
    else if (col == RemoveColumn() && GetParent())
        // Posted: the view destroys this grid in answer.
        GetParent()->PostMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), kReportRemoveItem);
}

void CReportContentGrid::OnTextEdited(int col, int row, const CString& text)
{
    m_editedName = text;
    QuickSetText(col, row, m_title);
    Notify(kReportRenameBookmark);
}

// ---- the keyboard

bool CReportContentGrid::IsKeyCell(int col, int row) const
{
    return row == 0 && (col == 0 || (col >= kFirstButtonColumn && col <= RemoveColumn() && !IsSectionCollapsed(0)));
}

void CReportContentGrid::FocusHeading()
{
    m_CUGGrid->SetFocus();
    GotoCell(0, 0);
    CRect title;
    if (GetJoinedCellRect(0, 0, &title) == UG_SUCCESS)
        BringIntoView(*m_CUGGrid, title);
}

void CReportContentGrid::OnSetFocus(int section)
{
    CReportBasicGrid::OnSetFocus(section);
    if (!IsKeyCell(GetCurrentCol(), GetCurrentRow()))
        GotoCell(0, 0);
}

BOOL CReportContentGrid::OnCanMove(int oldCol, int oldRow, int newCol, int newRow)
{
    return IsKeyCell(newCol, newRow) || CReportBasicGrid::OnCanMove(oldCol, oldRow, newCol, newRow);
}

void CReportContentGrid::OnDrawFocusRect(CDC* dc, RECT* rect)
{
    if (IsKeyCell(GetCurrentCol(), GetCurrentRow()))
        CUGCtrl::OnDrawFocusRect(dc, rect);
}

void CReportContentGrid::OnKeyDown(UINT* vcKey, BOOL processed)
{
    CReportBasicGrid::OnKeyDown(vcKey, processed);
    const int col = GetCurrentCol();
    switch (*vcKey) {
    case VK_LEFT:
        if (col > kFirstButtonColumn)
            GotoCell(col - 1, 0);
        else
            GotoCell(0, 0);
        break;
    case VK_RIGHT:
        if (IsKeyCell(col < kFirstButtonColumn ? kFirstButtonColumn : col + 1, 0))
            GotoCell(col < kFirstButtonColumn ? kFirstButtonColumn : col + 1, 0);
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (col == 0) {
            ToggleSection(0);
            GotoCell(0, 0);
        } else if (IsKeyCell(col, 0)) {
            OnButtonClicked(0, col, 0);
        }
        break;
    default: return;
    }
    // The grid's own moves go cell by cell, onto cells the keyboard does not stop at.
    *vcKey = 0;
}
