// Building, styling, sizing and collapsing the cards.
#include "projectmanager/ProjectManagerBasicGrid.h"

#include <algorithm>

#include "grid/CUGDataSource.h"
#include "grid/CUGEdit.h"
#include "grid/CUGMultiFontType.h"
#include "grid/MeasureMultilineText.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/ColumnWidths.h"
#include "views/GridMargins.h"
#include "views/GridViewBase.h"
#include "views/MyFont.h"

namespace {

// The bitmaps every card grid registers, in this order; the last two are the collapse icons.
constexpr UINT kBitmapResources[] = {1559, 1560, 1564, 1565, 1566, 1567, 1570, 1571,
                                     1568, 1569, 1582, 1583, 1572, 1573, 1559, 1560};
constexpr UINT kIconExpandedResource = 1559;
constexpr UINT kIconCollapsedResource = 1560;
constexpr int kMinPageSide = 10;
constexpr WORD kAlignCentred = UG_ALIGNCENTER | UG_ALIGNVCENTER; // 36
constexpr WORD kBorderBottom = 8;
constexpr WORD kBorderAll = 15;
// A button column holds its caption, the margins, and its bitmap; the last one leaves the
// right margin column beside it.
constexpr int kButtonBitmapWidth = 24;
constexpr int kLastButtonTrim = 8;

} // namespace

CProjectManagerBasicGrid::CProjectManagerBasicGrid(CGridViewBase* parentView, int sectionCount, bool singleRecord,
                                                   UINT hoverTimerId)
    : m_parentView(parentView), m_singleRecord(singleRecord), m_sectionCount(std::max(sectionCount, 0)),
      m_hoverTimerId(hoverTimerId)
{
    m_pagePen.CreatePen(PS_SOLID, 1, kPageBack);
    m_editPen.CreatePen(PS_SOLID, 1, kEditBack);
    m_headingPen.CreatePen(PS_SOLID, 1, kHeadingPenColour);
    RegisterBitmaps();
}

CProjectManagerBasicGrid::~CProjectManagerBasicGrid() = default;

void CProjectManagerBasicGrid::RegisterBitmaps()
{
    for (UINT resource : kBitmapResources)
        m_bitmapIndexes[resource] = AddBitmap(resource);
    // The icons are the second registration of their resources.
    m_iconExpanded = int(std::size(kBitmapResources)) - 2;
    m_iconCollapsed = int(std::size(kBitmapResources)) - 1;
    m_bitmapIndexes[kIconExpandedResource] = m_iconExpanded;
    m_bitmapIndexes[kIconCollapsedResource] = m_iconCollapsed;
}

int CProjectManagerBasicGrid::BitmapIndex(UINT resourceId) const
{
    const auto found = m_bitmapIndexes.find(resourceId);
    return found == m_bitmapIndexes.end() ? -1 : found->second;
}

void CProjectManagerBasicGrid::OnSetup()
{
    // A field entered by the keyboard (Return, Tab) or a click shows the caret after its text: a
    // key typed next adds to it, never replaces a name the user did not choose to retype.
    if (m_CUGEdit)
        m_CUGEdit->m_selectAll = FALSE;
    m_multiFont = std::make_unique<CUGMultiFontType>();
    m_multiFontType = AddCellType(m_multiFont.get());
    BuildSections();
}

void CProjectManagerBasicGrid::SetSectionCount(int count)
{
    count = std::max(count, 0);
    if (count != m_sectionCount) {
        m_sectionCount = count;
        BuildSections();
    }
    ApplyRowHeights();
}

void CProjectManagerBasicGrid::BuildSections()
{
    m_building = true;
    m_keyItem = {}; // the cards it stood for are gone
    m_hovering = false;
    m_hoverCol = m_hoverRow = m_hoverButton = -1;
    const SCardLayout& layout = Layout();
    const int rows = layout.rowsPerSection * m_sectionCount;
    // Cells of the previous cards (their joins above all) must not outlive them.
    if (CUGDataSource* store = GetDataSource(0))
        store->Empty();
    SetNumberRows(0, FALSE);
    m_rowStates.assign(std::size_t(rows), SRowState{});

    CMyFont::InitSharedFonts(this);
    m_headingFont = CMyFont::GetSharedFont(12, true);
    m_labelFont = CMyFont::GetSharedFont(11, false);
    m_editFont = CMyFont::GetSharedFont(12, true);

    CUGCell defaults;
    GetGridDefault(&defaults);
    defaults.SetAlignment(kAlignCentred);
    defaults.SetFont(m_editFont);
    defaults.SetCellType(0);
    defaults.SetDataType(UGCELLDATA_STRING);
    SetGridDefault(&defaults);

    EnableGridLines(FALSE);
    SetDefColWidth(100);
    SetNumberCols(layout.columnCount, FALSE);
    SetDefRowHeight(m_rowHeight);
    SetUniformRowHeight(FALSE);
    SetNumberRows(rows, FALSE);
    SetCurrentCellMode(0);
    SetSideHdgNumberCols(1);
    SetSideHdgWidth(0);
    SetTopHdgNumberRows(1);
    SetTopHdgHeight(0);
    EnableCellOverlap(FALSE);
    EnableJoins(TRUE);
    EnableCellToolTips(TRUE);

    // The margin is the one the card was created with: a later build (a card added or removed)
    // may find the card wider than a page that has just gained its scroll bar.
    if (!m_rightMarginKnown) {
        m_rightMargin = GridRememberRightMargin(*this);
        m_rightMarginKnown = true;
    }
    m_columnWeights.assign(layout.columnWeights.begin(), layout.columnWeights.end());
    SetColours();
    for (int section = 0; section < m_sectionCount; ++section) {
        SetButtonCaptions(section);
        JoinSectionCells(section);
        SetInfoCellTypes(section);
        SetSectionIcons(section);
        SetSectionLabels(section);
    }

    if (m_parentView && m_parentView->GetSafeHwnd())
        m_parentView->SendMessage(WM_VSCROLL, SB_TOP, 0);
    m_pageSize = CSize(0, 0);
    FitGridHeight();
    FitToPage();
    if (m_parentView)
        m_parentView->UpdateScrollSizes();
    m_building = false;
}

// ---- card geometry

int CProjectManagerBasicGrid::SectionOfRow(int row) const
{
    const int perSection = GetRowsPerSection();
    if (row < 0 || perSection <= 0)
        return -1;
    const int section = row / perSection;
    return section < m_sectionCount ? section : -1;
}

int CProjectManagerBasicGrid::OriginCol(const SCardRect& rect) const
{
    return rect.IsHeading() && rect.col == 0 ? 0 : rect.col + 1;
}

int CProjectManagerBasicGrid::OriginRow(int section, const SCardRect& rect) const
{
    const int first = section * GetRowsPerSection();
    return rect.IsHeading() ? first : first + 2 + rect.row;
}

void CProjectManagerBasicGrid::RectCells(int section, const SCardRect& rect, int& col1, int& row1, int& col2,
                                         int& row2) const
{
    col1 = OriginCol(rect);
    col2 = rect.col + rect.width;
    row1 = OriginRow(section, rect);
    row2 = rect.IsHeading() ? row1 : row1 + rect.height - 1;
}

int CProjectManagerBasicGrid::GetBodyRowSpan(bool withHeading, bool withSpacers) const
{
    return int(Layout().bodyRowHeights.size()) + (withHeading ? 1 : 0) + (withSpacers ? 2 : 0);
}

int CProjectManagerBasicGrid::HitEditCell(int col, int row) const
{
    const int section = SectionOfRow(row);
    if (section < 0)
        return -1;
    const auto edits = Layout().edits;
    for (std::size_t i = 0; i < edits.size(); ++i) {
        if (OriginCol(edits[i].rect) == col && OriginRow(section, edits[i].rect) == row)
            return int(i);
    }
    return -1;
}

int CProjectManagerBasicGrid::HitButtonCell(int col, int row) const
{
    const int section = SectionOfRow(row);
    if (section < 0)
        return -1;
    const auto buttons = Layout().buttons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (OriginCol(buttons[i].rect) == col && OriginRow(section, buttons[i].rect) == row)
            return int(i);
    }
    return -1;
}

bool CProjectManagerBasicGrid::IsEditable(int col, int row)
{
    if (!m_singleRecord)
        return HitEditCell(col, row) >= 0;
    CUGCell cell;
    return GetCell(col, row, &cell) == UG_SUCCESS && cell.GetParam() == 1;
}

// ---- building a card

void CProjectManagerBasicGrid::JoinSectionCells(int section)
{
    const SCardLayout& layout = SectionLayout(section);
    const auto join = [&](const SCardRect& rect) {
        int c1, r1, c2, r2;
        RectCells(section, rect, c1, r1, c2, r2);
        if (c2 > c1 || r2 > r1)
            JoinCells(c1, r1, c2, r2);
    };
    join(layout.title);
    for (const SCardButton& button : layout.buttons)
        join(button.rect);
    for (const SCardLabel& label : layout.labels)
        join(label.rect);
    for (const SCardEdit& edit : layout.edits)
        join(edit.rect);
    for (const SCardRect& info : layout.infos)
        join(info);
    for (const SCardRect& picture : layout.pictures)
        join(picture);
    for (const SCardRect& separator : layout.separators)
        join(separator);
    // The spacer rows span the card; the margin columns its body.
    const int first = section * layout.rowsPerSection;
    const int last = first + layout.rowsPerSection - 1;
    JoinCells(0, first + 1, layout.columnCount - 1, first + 1);
    JoinCells(0, last, layout.columnCount - 1, last);
    if (last - 1 > first + 2) {
        JoinCells(0, first + 2, 0, last - 1);
        JoinCells(layout.columnCount - 1, first + 2, layout.columnCount - 1, last - 1);
    }
}

void CProjectManagerBasicGrid::SetSectionIcons(int section)
{
    const SCardLayout& layout = Layout();
    QuickSetBitmapIndex(OriginCol(layout.title), OriginRow(section, layout.title), m_iconExpanded);
    for (const SCardButton& button : layout.buttons)
        QuickSetBitmapIndex(OriginCol(button.rect), OriginRow(section, button.rect), BitmapIndex(button.normalBitmap));
}

void CProjectManagerBasicGrid::SetSectionLabels(int section)
{
    const SCardLayout& layout = SectionLayout(section);
    for (const SCardLabel& label : layout.labels) {
        CString caption;
        caption.LoadString(label.captionId);
        QuickSetText(OriginCol(label.rect), OriginRow(section, label.rect), caption);
    }
    for (const SCardEdit& edit : layout.edits)
        QuickSetText(OriginCol(edit.rect), OriginRow(section, edit.rect), "Text To Edit");
}

void CProjectManagerBasicGrid::SetInfoCellTypes(int section)
{
    for (const SCardRect& info : SectionLayout(section).infos) {
        const int col = OriginCol(info);
        const int row = OriginRow(section, info);
        QuickSetCellType(col, row, m_multiFontType);
        QuickSetCellTypeEx(col, row, UGCT_NORMALMULTILINE);
        QuickSetAlignment(col, row, UG_ALIGNLEFT);
    }
}

void CProjectManagerBasicGrid::SetButtonCaptions(int section)
{
    const auto buttons = Layout().buttons;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const SCardButton& button = buttons[i];
        CString caption;
        caption.LoadString(button.captionId);
        const int col = OriginCol(button.rect);
        QuickSetText(col, OriginRow(section, button.rect), caption);
        CSize size;
        MeasureMultilineText(size, this, m_labelFont, caption);
        int width = size.cx + 2 * m_GI->m_margin + 2 + kButtonBitmapWidth;
        if (i + 1 == buttons.size())
            width -= kLastButtonTrim;
        if (std::size_t(col) < m_columnWeights.size())
            m_columnWeights[std::size_t(col)] = width;
    }
}

void CProjectManagerBasicGrid::StyleSectionCells(int section, int col, int rowInSection, const SCellStyle& style)
{
    const int first = section < 0 ? 0 : section;
    const int last = section < 0 ? m_sectionCount - 1 : section;
    for (int k = first; k <= last; ++k) {
        const int row = k * GetRowsPerSection() + rowInSection;
        CUGCell cell;
        GetCell(col, row, &cell);
        if (style.back != COLORREF(-1))
            cell.SetBackColor(style.back);
        if (style.text != COLORREF(-1))
            cell.SetTextColor(style.text);
        if (style.alignment >= 0)
            cell.SetAlignment(WORD(style.alignment));
        if (style.border >= 0) {
            cell.SetBorder(WORD(style.border));
            cell.SetBorderColor(style.pen);
        }
        if (style.font)
            cell.SetFont(style.font);
        if (style.cellTypeEx >= 0)
            cell.SetCellTypeEx(style.cellTypeEx);
        SetCell(col, row, &cell);
    }
}

void CProjectManagerBasicGrid::StyleRect(int section, const SCardRect& rect, const SCellStyle& style)
{
    int c1, r1, c2, r2;
    RectCells(0, rect, c1, r1, c2, r2);
    for (int row = r1; row <= r2; ++row)
        for (int col = c1; col <= c2; ++col)
            StyleSectionCells(section, col, row, style);
}

void CProjectManagerBasicGrid::SetColours()
{
    for (int section = 0; section < m_sectionCount; ++section)
        StyleSection(section);
}

void CProjectManagerBasicGrid::StyleSection(int section)
{
    const SCardLayout& layout = SectionLayout(section);
    SCellStyle page;
    page.back = kPageBack;
    page.border = kBorderAll;
    page.pen = &m_pagePen;
    // Everything below the heading starts as page; the items are styled over it.
    for (int row = 1; row < layout.rowsPerSection; ++row)
        for (int col = 0; col < layout.columnCount; ++col)
            StyleSectionCells(section, col, row, page);

    SCellStyle heading;
    heading.back = kHeadingBack;
    heading.text = kHeadingText;
    heading.border = kBorderBottom;
    heading.pen = &m_headingPen;
    heading.alignment = UG_ALIGNLEFT | UG_ALIGNVCENTER;
    heading.font = m_headingFont;
    // One-line texts too long for their cells end with an ellipsis, and the tip tells them whole.
    heading.cellTypeEx = UGCT_NORMALELLIPSIS;
    for (int col = 0; col < layout.columnCount; ++col)
        StyleSectionCells(section, col, 0, heading);
    SCellStyle button = heading;
    button.alignment = kAlignCentred;
    button.font = m_labelFont;
    for (const SCardButton& b : layout.buttons)
        StyleRect(section, b.rect, button);

    for (const SCardLabel& label : layout.labels) {
        SCellStyle style = page;
        style.back = label.highlighted ? kHighlightBack : kPageBack;
        style.alignment = UG_ALIGNLEFT | UG_ALIGNVCENTER;
        style.font = m_labelFont;
        style.cellTypeEx = UGCT_NORMALELLIPSIS;
        StyleRect(section, label.rect, style);
    }
    for (const SCardEdit& edit : layout.edits) {
        SCellStyle style;
        style.back = kEditBack;
        style.border = kBorderAll;
        style.pen = &m_editPen;
        style.font = m_editFont;
        style.alignment = edit.multiLine ? UG_ALIGNLEFT | UG_ALIGNTOP : UG_ALIGNLEFT | UG_ALIGNVCENTER;
        style.cellTypeEx = edit.multiLine ? UGCT_NORMALMULTILINE : UGCT_NORMALELLIPSIS;
        StyleRect(section, edit.rect, style);
    }
    for (const SCardRect& info : layout.infos) {
        SCellStyle style = page;
        style.alignment = UG_ALIGNLEFT;
        style.font = m_labelFont;
        StyleRect(section, info, style);
    }
}

// ---- sizes

int CProjectManagerBasicGrid::BodyRowHeight(int /*section*/, int bodyRow) const
{
    const auto heights = Layout().bodyRowHeights;
    return std::size_t(bodyRow) < heights.size() ? heights[std::size_t(bodyRow)] : m_rowHeight;
}

void CProjectManagerBasicGrid::ApplyRowHeights()
{
    const int perSection = GetRowsPerSection();
    const int rows = perSection * m_sectionCount;
    for (int row = 0; row < rows && std::size_t(row) < m_rowStates.size(); ++row) {
        const int rowInSection = row % perSection;
        int height = m_rowHeight;
        if (rowInSection == 0)
            height = kHeadingHeight;
        else if (rowInSection == 1 || rowInSection == perSection - 1)
            height = kSpacerHeight;
        else
            height = BodyRowHeight(row / perSection, rowInSection - 2);
        SRowState& state = m_rowStates[std::size_t(row)];
        // A hidden row keeps the height it gets back when its card is expanded.
        state.savedHeight = height;
        SetRowHeight(row, state.hiddenCount > 0 ? 0 : height);
    }
    if (m_fitHeightWithRows)
        FitGridHeight();
}

void CProjectManagerBasicGrid::FitColumnWidths()
{
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    int total = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        total += GetRowHeight(row);
    if (total > client.Height())
        width -= GetVScrollWidth();
    DistributeColumnWidths(this, 0, GetColumnCount() - 1, width, m_columnWeights.data(), int(m_columnWeights.size()));
}

void CProjectManagerBasicGrid::FitGridHeight()
{
    if (!GetSafeHwnd())
        return;
    int total = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        total += GetRowHeight(row);
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), total, SWP_NOMOVE | SWP_NOZORDER);
}

void CProjectManagerBasicGrid::CommitEdit()
{
    if (!m_editInProgress || !m_editCtrl || !m_editCtrl->GetSafeHwnd())
        return;
    CString text;
    m_editCtrl->GetWindowText(text);
    EditCtrlFinished(text, FALSE, FALSE, m_editCol, m_editRow);
}

void CProjectManagerBasicGrid::FitToPage()
{
    CWnd* parent = GetParent();
    if (!GetSafeHwnd() || !parent)
        return;
    CRect page;
    parent->GetClientRect(&page);
    if (page.Width() < kMinPageSide || page.Height() < kMinPageSide)
        return;
    const bool widthChanged = page.Width() != m_pageSize.cx;
    const bool heightChanged = page.Height() != m_pageSize.cy;
    if (!widthChanged && !heightChanged)
        return;
    m_pageSize = page.Size();
    SetRedraw(FALSE);
    if (heightChanged)
        ApplyRowHeights();
    if (widthChanged) {
        CRect own;
        GetWindowRect(&own);
        parent->ScreenToClient(&own);
        if (m_singleRecord)
            SetWindowPos(nullptr, 0, 0, kSingleRecordWidth + own.left, own.Height(), SWP_NOMOVE | SWP_NOZORDER);
        else if (m_keepRightMargin)
            GridKeepRightMargin(*this, m_rightMargin);
        FitColumnWidths();
        // Heights that follow the widths (pictures) are measured again.
        ApplyRowHeights();
    }
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- collapsing

bool CProjectManagerBasicGrid::IsSectionCollapsed(int section) const
{
    const std::size_t spacer = std::size_t(section * GetRowsPerSection() + 1);
    return section >= 0 && section < m_sectionCount && spacer < m_rowStates.size() &&
           m_rowStates[spacer].hiddenCount != 0;
}

void CProjectManagerBasicGrid::SetHeadingIcon(int section, bool collapsed)
{
    const SCardLayout& layout = Layout();
    QuickSetBitmapIndex(OriginCol(layout.title), OriginRow(section, layout.title),
                        collapsed ? m_iconCollapsed : m_iconExpanded);
}

void CProjectManagerBasicGrid::CollapseSection(int section)
{
    if (section < 0 || section >= m_sectionCount || IsSectionCollapsed(section))
        return;
    const int perSection = GetRowsPerSection();
    const int first = section * perSection;
    for (int row = first + 1; row < first + perSection; ++row) {
        SRowState& state = m_rowStates[std::size_t(row)];
        ++state.hiddenCount;
        state.savedHeight = GetRowHeight(row);
        SetRowHeight(row, 0);
    }
    SetHeadingIcon(section, true);
    // A collapsed card shows its title only.
    for (const SCardButton& button : Layout().buttons) {
        const int col = OriginCol(button.rect);
        const int row = OriginRow(section, button.rect);
        QuickSetBitmap(col, row, nullptr);
        QuickSetText(col, row, CString());
        if (m_hovering && col == m_hoverCol && row == m_hoverRow)
            EndHover();
    }
}

void CProjectManagerBasicGrid::ExpandSection(int section)
{
    if (section < 0 || section >= m_sectionCount)
        return;
    const int perSection = GetRowsPerSection();
    const int first = section * perSection;
    for (int row = first + 1; row < first + perSection; ++row) {
        SRowState& state = m_rowStates[std::size_t(row)];
        if (state.hiddenCount > 0)
            --state.hiddenCount;
        SetRowHeight(row, state.hiddenCount > 0 ? 0 : state.savedHeight);
    }
    SetHeadingIcon(section, false);
    SetSectionIcons(section);
    SetButtonCaptions(section);
}

void CProjectManagerBasicGrid::CollapseAll()
{
    for (int section = 0; section < m_sectionCount; ++section)
        CollapseSection(section);
    FitGridHeight();
    RedrawAll();
    if (m_parentView)
        m_parentView->UpdateScrollSizes();
}

void CProjectManagerBasicGrid::ExpandAll()
{
    for (int section = 0; section < m_sectionCount; ++section) {
        if (IsSectionCollapsed(section))
            ExpandSection(section);
    }
    FitGridHeight();
    RedrawAll();
    if (m_parentView)
        m_parentView->UpdateScrollSizes();
}

void CProjectManagerBasicGrid::ToggleSection(int section)
{
    const bool collapse = !IsSectionCollapsed(section);
    if (collapse)
        CollapseSection(section);
    else
        ExpandSection(section);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), collapse ? kCardCollapsed : kCardExpanded);
    FitGridHeight();
    RedrawAll();
    if (m_parentView) {
        m_parentView->RefreshGrids();
        m_parentView->UpdateScrollSizes();
    }
}
