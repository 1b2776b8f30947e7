#include "reportpages/ReportListGrid.h"

#include "grid/CUGCellType.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CMenu.h"
#include "reportpages/ReportChange.h"
#include "views/GridViewBase.h"

#include <algorithm>

namespace {

constexpr int kKeyFactor = 1024;
constexpr int kMarginWidth = 8;
constexpr int kGapWidth = 47;
constexpr int kTileGapHeight = 8;
constexpr int kPictureHeight = 50;
constexpr int kNameHeight = 20;
constexpr int kRowsPerTileRow = 3;
constexpr COLORREF kSelectionColour = RGB(255, 0, 0);
constexpr WORD kBorderAll = 15;
// The tile pictures by EReportPicture: document, table, graph, photograph.
constexpr UINT kPictureResources[] = {1581, 1580, 1578, 1579};
constexpr UINT kSectionTitles[] = {121, 122};

int TileRows(int tiles)
{
    return (tiles + 1) / 2;
}

struct SMenuCommand
{
    UINT id;
    bool bookmarks;      // shown for bookmarks
    bool others;         // shown for the other entries
    bool summary;        // shown for the summary
    int disabledInUse;   // 1: disabled while in the report, -1: while not in it, 0: never
};

constexpr SMenuCommand kMenuCommands[] = {
    {CReportListGrid::kAddToReport, true, true, true, 0},
    {CReportListGrid::kRemoveFromReport, true, true, true, -1},
    {CReportListGrid::kRemoveFromProject, true, false, false, 1},
    {CReportListGrid::kRestoreBookmark, true, false, false, 0},
    {CReportListGrid::kRename, true, true, false, 0},
};

} // namespace

CReportListGrid::CReportListGrid(CGridViewBase* view) : CReportBasicGrid(view)
{
    for (std::size_t i = 0; i < std::size(kPictureResources); ++i)
        m_pictures[i] = RegisterBitmap(kPictureResources[i]);
    m_selectionPen.CreatePen(PS_SOLID, 1, kSelectionColour);
}

void CReportListGrid::SetData(std::vector<SReportListEntry> entries, const CReportViewSettings& settings)
{
    m_entries = std::move(entries);
    m_settings = settings;
    int counts[2] = {0, 0};
    for (const SReportListEntry& entry : m_entries)
        ++counts[std::clamp(entry.section, 0, 1)];
    std::vector<int> sizes{2 + kRowsPerTileRow * TileRows(counts[0])};
    if (counts[1] > 0)
        sizes.push_back(2 + kRowsPerTileRow * TileRows(counts[1]));
    SetSectionSizes(std::move(sizes));
    m_tiles.clear();
    m_selected = m_active = kNoTile;
    if (GetSafeHwnd()) {
        Rebuild();
        EnableCellToolTips(TRUE);
    }
    if (m_settings.m_projectManagerListCollapsed)
        CollapseSection(0);
    if (m_settings.m_bookmarkListCollapsed && GetSectionCount() > 1)
        CollapseSection(1);
    if (GetSafeHwnd())
        SetWindowPos(nullptr, 0, 0, TotalWidth(), TotalHeight(), SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CReportListGrid::OnHint(int col, int row, int, CString* text)
{
    const SReportListEntry* entry = EntryOfTile(TileAt(col, row));
    if (!entry || !text)
        return FALSE;
    *text = entry->name;
    return TRUE;
}

void CReportListGrid::SetColumnLayout()
{
    CRect client;
    if (CWnd* parent = GetParent())
        parent->GetClientRect(&client);
    const int rest = std::max(0, int(client.Width()) - 2 * kMarginWidth - kGapWidth);
    const int widths[] = {kMarginWidth, rest - rest / 2, kGapWidth, rest / 2, kMarginWidth};
    for (int col = 0; col < ColumnCount(); ++col)
        SetColWidth(col, widths[col]);
}

void CReportListGrid::SetRowHeights()
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const int first = FirstRowOfSection(section);
        const int last = FirstRowOfSection(section + 1) - 1;
        SetRowHeight(first, kTitleHeight);
        for (int row = first + 1; row < last; ++row) {
            const int inTileRow = (row - first - 1) % kRowsPerTileRow;
            SetRowHeight(row, inTileRow == 0 ? kTileGapHeight : inTileRow == 1 ? kPictureHeight : kNameHeight);
        }
        SetRowHeight(last, kSpacerHeight);
    }
}

void CReportListGrid::FillSectionTitle(int section)
{
    const int row = FirstRowOfSection(section);
    CString title = "Unknown";
    if (std::size_t(section) < std::size(kSectionTitles))
        title.LoadString(kSectionTitles[section]);
    for (int col = 0; col < ColumnCount(); ++col)
        StyleCell(col, row, kTitleBack, kTitleText, m_titleFont, UG_ALIGNLEFT | UG_ALIGNVCENTER);
    // One cell across the row: the collapse button, then the title.
    JoinCells(0, row, ColumnCount() - 1, row);
    QuickSetText(0, row, title);
    QuickSetBitmapIndex(0, row, m_iconExpanded);
}

void CReportListGrid::FillSectionCells(int section)
{
    int place = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const SReportListEntry& entry = m_entries[i];
        if (std::clamp(entry.section, 0, 1) != section)
            continue;
        const int col = 1 + 2 * (place % 2);
        const int pictureRow = FirstRowOfSection(section) + 1 + kRowsPerTileRow * (place / 2) + 1;
        QuickSetBitmapIndex(col, pictureRow, m_pictures[std::size_t(std::clamp(entry.picture, 0, 3))]);
        if (m_pictureTypeIndex < 0)
            m_pictureTypeIndex = AddCellType(&m_pictureType);
        QuickSetCellType(col, pictureRow, m_pictureTypeIndex);
        QuickSetText(col, pictureRow + 1, entry.name);
        QuickSetAlignment(col, pictureRow + 1, UG_ALIGNCENTER | UG_ALIGNVCENTER);
        // A name wider than its tile ends in "..."; the tile's tip shows it whole.
        QuickSetCellTypeEx(col, pictureRow + 1, UGCT_NORMALELLIPSIS);
        m_tiles[pictureRow * kKeyFactor + col] = int(i);
        ++place;
    }
}

int CReportListGrid::TileAt(int col, int row) const
{
    for (int key : {row * kKeyFactor + col, (row - 1) * kKeyFactor + col})
        if (m_tiles.count(key))
            return key;
    return kNoTile;
}

int CReportListGrid::TileKeyOfEntry(int entry) const
{
    for (const auto& [key, index] : m_tiles)
        if (index == entry)
            return key;
    return kNoTile;
}

const SReportListEntry* CReportListGrid::EntryOfTile(int key) const
{
    const auto found = m_tiles.find(key);
    return found == m_tiles.end() ? nullptr : &m_entries[std::size_t(found->second)];
}

CRect CReportListGrid::GetTileRect(int key)
{
    CRect picture;
    CRect name;
    GetCellRect(key % kKeyFactor, key / kKeyFactor, &picture);
    GetCellRect(key % kKeyFactor, key / kKeyFactor + 1, &name);
    return picture | name;
}

void CReportListGrid::FrameTile(int key, bool selected)
{
    const int col = key % kKeyFactor;
    const int row = key / kKeyFactor;
    for (int r : {row, row + 1}) {
        QuickSetBorder(col, r, selected ? kBorderAll : 0);
        QuickSetBorderColor(col, r, selected ? &m_selectionPen : nullptr);
        RedrawCell(col, r);
    }
}

void CReportListGrid::SelectTile(int key)
{
    if (m_selected != kNoTile)
        FrameTile(m_selected, false);
    m_selected = EntryOfTile(key) ? key : kNoTile;
    if (m_selected != kNoTile)
        FrameTile(m_selected, true);
}

void CReportListGrid::OnCellClicked(int col, int row)
{
    const int key = TileAt(col, row);
    if (key != kNoTile)
        SelectTile(key == m_selected ? kNoTile : key);
}

void CReportListGrid::OnDClicked(int col, int row, RECT*, POINT*, BOOL)
{
    const int key = TileAt(col, row);
    const SReportListEntry* entry = EntryOfTile(key);
    if (!entry || entry->kind != SReportItem::kBookmark)
        return;
    m_active = key;
    Notify(kReportRestoreBookmark);
}

void CReportListGrid::OnSetFocus(int section)
{
    CReportBasicGrid::OnSetFocus(section);
    if (m_selected == kNoTile && !m_entries.empty() && GetKeyState(VK_TAB) < 0)
        SelectTile(TileKeyOfEntry(0));
}

void CReportListGrid::OnKeyDown(UINT* vcKey, BOOL)
{
    const SReportListEntry* selected = EntryOfTile(m_selected);
    if (!selected)
        return;
    if (*vcKey == VK_APPS || (*vcKey == VK_F10 && GetKeyState(VK_SHIFT) < 0)) {
        CRect tile = GetTileRect(m_selected);
        m_CUGGrid->ClientToScreen(&tile);
        ShowTileMenu(m_selected, tile.CenterPoint());
        return;
    }
    if (*vcKey == VK_DELETE) {
        if (m_view)
            m_view->PostMessage(WM_REPORT_LIST_COMMAND, kRemoveFromProject, m_selected);
        return;
    }
    if (*vcKey != VK_UP && *vcKey != VK_DOWN)
        return;
    std::vector<int> keys; // the selected tile's section, in list order
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].section == selected->section)
            keys.push_back(TileKeyOfEntry(int(i)));
    const auto at = std::find(keys.begin(), keys.end(), m_selected) - keys.begin();
    const auto count = std::ssize(keys);
    SelectTile(keys[std::size_t((at + (*vcKey == VK_DOWN ? 1 : count - 1)) % count)]);
}

void CReportListGrid::OnKillFocus(int)
{
    SelectTile(kNoTile);
}

bool CReportListGrid::IsInReport(const SReportListEntry& entry) const
{
    return m_settings.HasItem(entry.kind, entry.index);
}

void CReportListGrid::OnRClicked(int col, int row, int updn, RECT*, POINT* point, BOOL)
{
    const int key = TileAt(col, row);
    if (!updn || key == kNoTile)
        return;
    CPoint screen = point ? CPoint(*point) : CPoint();
    m_CUGGrid->ClientToScreen(&screen);
    ShowTileMenu(key, screen);
}

void CReportListGrid::ShowTileMenu(int key, CPoint screenPoint)
{
    const SReportListEntry* entry = EntryOfTile(key);
    if (!entry)
        return;
    // The view brings the grid's copy of the report up to date before the use checks.
    Notify(kReportRefreshSettings);
    const bool bookmark = entry->kind == SReportItem::kBookmark;
    const bool summary = entry->kind == SReportItem::kSummary;
    const bool used = IsInReport(*entry);
    CMenu menu;
    menu.CreatePopupMenu();
    for (const SMenuCommand& command : kMenuCommands) {
        if (!(bookmark ? command.bookmarks : summary ? command.summary : command.others))
            continue;
        CString text;
        text.LoadString(command.id);
        const bool disabled = (command.disabledInUse == 1 && used) || (command.disabledInUse == -1 && !used);
        menu.AppendMenu(MF_STRING | (disabled ? MF_GRAYED : 0), command.id, text);
    }
    const UINT chosen = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, screenPoint.x, screenPoint.y, this));
    if (chosen && m_view)
        m_view->PostMessage(WM_REPORT_LIST_COMMAND, chosen, key);
}

void CReportListGrid::EditTileName(int key)
{
    if (!EntryOfTile(key))
        return;
    m_active = key;
    EditCell(key % kKeyFactor, key / kKeyFactor + 1);
}

void CReportListGrid::OnTextEdited(int col, int row, const CString& text)
{
    const int key = (row - 1) * kKeyFactor + col;
    const SReportListEntry* entry = EntryOfTile(key);
    if (!entry)
        return;
    m_active = key;
    m_editedName = text;
    // The tile keeps its name until the project renamed the entry.
    QuickSetText(col, row, entry->name);
    Notify(entry->section == 0 ? kReportRenameProjectItem : kReportRenameBookmark);
}
