#pragma once
// CReportListGrid: the tiles of the report list, two per row: a picture and the entry's name,
// in the sections "Project Manager" and, when the project has bookmarks, "Bookmarks". A click
// selects a tile (framed in red), Up and Down move the selection within its section, Delete
// asks to remove the selected bookmark from the project, the right button opens the tile's
// menu, a double click on a bookmark restores it, and a press drags the tile into the report.
#include "platform/framework/windows/GdiObjects.h"
#include "project/ReportViewSettings.h"
#include "projectmanager/PictureCellType.h"
#include "reportpages/ReportBasicGrid.h"
#include "reportpages/ReportListEntry.h"

#include <array>

class CReportListGrid : public CReportBasicGrid
{
public:
    // The commands of a tile's menu, posted to the view with message 1056 (lParam the tile key).
    static constexpr UINT kAddToReport = 123;
    static constexpr UINT kRemoveFromReport = 124;
    static constexpr UINT kRemoveFromProject = 125;
    static constexpr UINT kRestoreBookmark = 126;
    static constexpr UINT kRename = 127;
    static constexpr int kNoTile = -1;

    explicit CReportListGrid(CGridViewBase* view);

    // Binds the entries and the report settings (which also keep the sections' collapse states);
    // the grid is laid out again when it exists.
    void SetData(std::vector<SReportListEntry> entries, const CReportViewSettings& settings);
    const std::vector<SReportListEntry>& GetEntries() const { return m_entries; }
    // The report as the project holds it now, for the menu's use checks.
    void UpdateReportSettings(const CReportViewSettings& settings) { m_settings = settings; }

    // A tile is known by its picture cell: row x 1024 + column.
    int TileKeyOfEntry(int entry) const;
    const SReportListEntry* EntryOfTile(int key) const;
    int GetSelectedTile() const { return m_selected; }
    void SelectTile(int key);
    // The tile's picture and name, in grid coordinates.
    CRect GetTileRect(int key);
    // The tile whose name was edited or that was double-clicked last.
    int GetActiveTile() const { return m_active; }
    const CStringW& GetEditedName() const { return m_editedName; }
    // Edits the tile's name in place.
    void EditTileName(int key);
    // Shows the tile's menu at the screen point.
    void ShowTileMenu(int key, CPoint screenPoint);

    void OnRClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    void OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed) override;
    // The keyboard: Tab arrives at the first tile, Up and Down go through the tiles of its
    // section, Delete removes it from the project, the menu key (or Shift+F10) shows its menu.
    using CReportBasicGrid::OnSetFocus;
    void OnKeyDown(UINT* vcKey, BOOL processed) override;
    void OnSetFocus(int section) override;
    void OnKillFocus(int section) override;
    // Over a tile: its whole name.
    BOOL OnHint(int col, int row, int section, CString* text) override;

protected:
    int ColumnCount() const override { return 5; }
    void SetColumnLayout() override;
    void SetRowHeights() override;
    void FillSectionTitle(int section) override;
    void FillSectionCells(int section) override;
    void FillSectionButtons(int) override {}
    bool StartsDrag(int col, int row) const override { return TileAt(col, row) != kNoTile; }
    void OnCellClicked(int col, int row) override;
    void OnButtonClicked(int, int, int) override {}
    void OnTextEdited(int col, int row, const CString& text) override;

public:
    // The key of the tile whose picture or name is at the cell.
    int TileAt(int col, int row) const;

private:
    void FrameTile(int key, bool selected);
    bool IsInReport(const SReportListEntry& entry) const;

    std::vector<SReportListEntry> m_entries;
    CReportViewSettings m_settings;
    std::map<int, int> m_tiles; // tile key -> entry
    std::array<int, 4> m_pictures{};
    // Draws the pictures centred in their tiles.
    CPictureCellType m_pictureType;
    int m_pictureTypeIndex = -1;
    CPen m_selectionPen;
    int m_selected = kNoTile;
    int m_active = kNoTile;
    CStringW m_editedName;
};
