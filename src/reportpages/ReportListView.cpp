#include "reportpages/ReportListView.h"

#include "platform/framework/windows/WindowStyles.h"
#include "project/IProjectManagerView.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerBasicGrid.h"
#include "reportpages/ReportChange.h"
#include "views/MySplitterWnd.h"

#include <utility>

const SRuntimeClass& CReportListView::Class()
{
    static const SRuntimeClass runtimeClass{"CReportListView", &CMyFormView::Class(),
                                            &CreateWindowObject<CReportListView>, nullptr};
    return runtimeClass;
}

CReportListView::CReportListView() = default;

CReportListView::~CReportListView() = default;

void CReportListView::OnInitialUpdate()
{
    const CReportViewSettings stored = ReadReportSettings();
    if (auto* splitter = dynamic_cast<CMySplitterWnd*>(GetParent() ? GetParent()->GetParent() : nullptr)) {
        const int width = stored.m_splitterPos >= kMinimumWidth ? stored.m_splitterPos : kDefaultWidth;
        splitter->SetColumnInfo(0, width, kMinimumWidth);
    }
    CReportPageView::OnInitialUpdate();
}

void CReportListView::Rebuild()
{
    CRecDoc* document = GetDocument();
    if (!document || !GetSafeHwnd())
        return;
    const bool atBottom = GetScrollPos(SB_VERT) > 0 && IsScrolledToBottom();
    SetRedraw(FALSE);
    m_settings = ReadReportSettings();
    m_projectManagerCollapsed = m_settings.m_projectManagerListCollapsed != 0;
    m_bookmarksCollapsed = m_settings.m_bookmarkListCollapsed != 0;
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->DestroyWindow();
    m_grid = std::make_unique<CReportListGrid>(this);
    CRect client;
    GetClientRect(&client);
    m_grid->CreateGrid(WS_CHILD | WS_VISIBLE, client, this, CReportBasicGrid::kGridId);
    m_grid->SetData(BuildReportListEntries(*document), m_settings);
    UpdateScrollSizes();
    if (atBottom)
        ScrollTo(ContentHeight());
    if (m_bookmarkToShow >= 0)
        SelectBookmarkTile(std::exchange(m_bookmarkToShow, -1));
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CReportListView::ShowBookmarkTile(int bookmark)
{
    m_bookmarkToShow = bookmark;
    RequestRebuild();
}

void CReportListView::SelectBookmarkTile(int bookmark)
{
    const std::vector<SReportListEntry>& entries = m_grid->GetEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind != SReportItem::kBookmark || entries[i].index != bookmark)
            continue;
        const int key = m_grid->TileKeyOfEntry(int(i));
        m_grid->SelectTile(key);
        const CRect tile = m_grid->GetTileRect(key);
        CRect client;
        GetClientRect(&client);
        const int position = GetScrollPos(SB_VERT);
        if (tile.top < position || tile.bottom > position + client.Height())
            ScrollTo(tile.top);
        return;
    }
}

void CReportListView::RefreshGrids()
{
    // The tiles share the page's width.
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->SetData(m_grid->GetEntries(), m_settings);
    PlaceGrids();
}

int CReportListView::ContentHeight() const
{
    return m_grid ? m_grid->TotalHeight() : 0;
}

void CReportListView::PlaceGrids()
{
    if (m_grid && m_grid->GetSafeHwnd())
        m_grid->SetWindowPos(nullptr, 0, -GetScrollPos(SB_VERT), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

LRESULT CReportListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_REPORT_LIST_COMMAND: OnTileCommand(UINT(wParam), int(lParam)); return 0;
    case WM_PM_CARD_STATE: OnGridNotification(int(lParam)); return 0;
    case CMySplitterWnd::WM_SPLITTER_DRAG: OnTileDrag(*reinterpret_cast<const SSplitterDragRecord*>(lParam)); return 0;
    default: return CReportPageView::WindowProc(message, wParam, lParam);
    }
}

void CReportListView::Broadcast(int kind, const SReportListEntry& entry, const SSplitterDragRecord* drag)
{
    SReportChange change;
    change.kind = kind;
    change.entry = entry;
    change.drag = drag;
    if (CRecDoc* document = GetDocument())
        document->SendMessageToAllViews(reinterpret_cast<WPARAM>(&change));
}

void CReportListView::OnTileCommand(UINT command, int key)
{
    const SReportListEntry* found = m_grid ? m_grid->EntryOfTile(key) : nullptr;
    CRecDoc* document = GetDocument();
    if (!found || !document)
        return;
    // The commands may rebuild the grid: they work on a copy of the entry.
    const SReportListEntry entry = *found;
    switch (command) {
    case CReportListGrid::kAddToReport: Broadcast(SReportChange::kAdd, entry, nullptr); break;
    case CReportListGrid::kRemoveFromReport: Broadcast(SReportChange::kRemove, entry, nullptr); break;
    case CReportListGrid::kRemoveFromProject:
        // The document refuses, with string 129, a bookmark that the report uses.
        if (entry.kind == SReportItem::kBookmark)
            document->DeleteBookmark(entry.index);
        break;
    case CReportListGrid::kRestoreBookmark:
        if (entry.kind == SReportItem::kBookmark)
            document->ShowBookmark(entry.index);
        break;
    case CReportListGrid::kRename:
        if (entry.kind != SReportItem::kSummary)
            m_grid->EditTileName(key);
        break;
    default: break;
    }
}

void CReportListView::OnGridNotification(int code)
{
    CRecDoc* document = GetDocument();
    const SReportListEntry* entry = m_grid ? m_grid->EntryOfTile(m_grid->GetActiveTile()) : nullptr;
    switch (code) {
    case kReportSectionExpanded:
    case kReportSectionCollapsed:
        m_projectManagerCollapsed = code == kReportSectionCollapsed;
        StoreSectionStates();
        break;
    case kReportSecondSectionExpanded:
    case kReportSecondSectionCollapsed:
        m_bookmarksCollapsed = code == kReportSecondSectionCollapsed;
        StoreSectionStates();
        break;
    case kReportRefreshSettings:
        m_settings = ReadReportSettings();
        if (m_grid)
            m_grid->UpdateReportSettings(m_settings);
        break;
    case kReportRestoreBookmark:
        if (entry && document)
            document->ShowBookmark(entry->index);
        break;
    case kReportRenameProjectItem:
        if (entry && document) {
            SProjectItemName item;
            item.kind = entry->kind;
            item.index = entry->index;
            item.name = m_grid->GetEditedName();
            item.name.Trim();
            if (!item.name.IsEmpty())
                document->RenameProjectItem(item);
        }
        break;
    case kReportRenameBookmark:
        if (entry && document)
            document->RenameBookmark(m_grid->GetEditedName(), entry->index);
        break;
    default: break;
    }
}

void CReportListView::OnTileDrag(const SSplitterDragRecord& record)
{
    if (!m_grid || record.source != m_grid.get())
        return;
    const SReportListEntry* found = m_grid->EntryOfTile(m_grid->TileAt(m_grid->GetDragCol(), m_grid->GetDragRow()));
    if (!found)
        return;
    const SReportListEntry entry = *found;
    if (!record.dropped) {
        Broadcast(SReportChange::kDragOver, entry, &record);
        return;
    }
    if (record.releasedInsideSource) {
        // No real drag: the report forgets the drop line, the tile takes the click.
        Broadcast(SReportChange::kDragOver, entry, nullptr);
        m_grid->EndDrag(false);
        return;
    }
    m_grid->EndDrag(true);
    Broadcast(SReportChange::kAdd, entry, &record);
}

void CReportListView::StoreSectionStates()
{
    CReportViewSettings settings = ReadReportSettings();
    settings.m_projectManagerListCollapsed = m_projectManagerCollapsed ? 1 : 0;
    settings.m_bookmarkListCollapsed = m_bookmarksCollapsed ? 1 : 0;
    CRect window;
    GetWindowRect(&window);
    if (window.Width() > 0)
        settings.m_splitterPos = window.Width();
    StoreReportSettings(settings);
    m_settings = settings;
}

void CReportListView::OnDestroy()
{
    if (GetDocument())
        StoreSectionStates();
    CReportPageView::OnDestroy();
}
