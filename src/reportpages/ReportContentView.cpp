#include "reportpages/ReportContentView.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/Bookmark.h"
#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "reportpages/ReportChange.h"
#include "reportpages/ReportContentGrid.h"
#include "views/MySplitterWnd.h"

#include <glog/logging.h>

#include <algorithm>

namespace {

constexpr UINT kLineId = 2013;
constexpr int kMenuInset = 8;

// The project manager page of the same project window: its cards' texts and settings fill the
// report's summary, session and saved-screen items.
CProjectManagerTableView* FindProjectManagerPage(CRecDoc* document)
{
    if (document)
        for (CWnd* view : document->GetViews())
            if (auto* page = dynamic_cast<CProjectManagerTableView*>(view))
                return page;
    return nullptr;
}

// The collapse operations of the two kinds of item grid.
bool IsGridCollapsed(const CUGCtrl* grid)
{
    if (const auto* card = dynamic_cast<const CProjectManagerBasicGrid*>(grid))
        return card->IsSectionCollapsed(0);
    if (const auto* item = dynamic_cast<const CReportBasicGrid*>(grid))
        return item->IsSectionCollapsed(0);
    return false;
}

void SetGridCollapsed(CUGCtrl* grid, bool collapsed)
{
    if (auto* card = dynamic_cast<CProjectManagerBasicGrid*>(grid))
        collapsed ? card->CollapseSection(0) : card->ExpandSection(0);
    else if (auto* item = dynamic_cast<CReportBasicGrid*>(grid))
        collapsed ? item->CollapseSection(0) : item->ExpandSection(0);
    if (auto* card = dynamic_cast<CProjectManagerBasicGrid*>(grid))
        card->FitGridHeight();
    else if (auto* item = dynamic_cast<CReportBasicGrid*>(grid))
        item->SetWindowPos(nullptr, 0, 0, item->TotalWidth(), item->TotalHeight(), SWP_NOMOVE | SWP_NOZORDER);
    grid->RedrawAll();
}

} // namespace

const SRuntimeClass& CReportContentView::Class()
{
    static const SRuntimeClass runtimeClass{"CReportContentView", &CMyFormView::Class(),
                                            &CreateWindowObject<CReportContentView>, nullptr};
    return runtimeClass;
}

CReportContentView::CReportContentView() = default;

CReportContentView::~CReportContentView()
{
    m_records.clear();
}

// ---- building

void CReportContentView::Rebuild()
{
    CRecDoc* document = GetDocument();
    CProjectSettings* project = document ? document->GetProjectSettings() : nullptr;
    if (!project || !GetSafeHwnd())
        return;
    if (!m_pictures)
        m_pictures = std::make_unique<CSavedScreenCache>(document);
    SetRedraw(FALSE);
    for (SContentRecord& record : m_records)
        if (record.grid && record.grid->GetSafeHwnd())
            record.grid->DestroyWindow();
    m_records.clear();
    for (const SReportItem& item : ReadReportSettings().m_items) {
        std::unique_ptr<CUGCtrl> grid = CreateItemGrid(item.Type, item.Index);
        if (!grid)
            continue;
        SContentRecord record;
        record.grid = std::move(grid);
        record.kind = item.Type;
        record.index = item.Index;
        record.collapsed = item.Collapsed;
        if (item.Collapsed)
            SetGridCollapsed(record.grid.get(), true);
        m_records.push_back(std::move(record));
    }
    RefreshGrids();
    UpdateScrollSizes();
    SetRedraw(TRUE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

std::unique_ptr<CUGCtrl> CReportContentView::CreateItemGrid(int kind, int index)
{
    CRecDoc* document = GetDocument();
    const CProjectSettings& project = *document->GetProjectSettings();
    CProjectManagerTableView* page = FindProjectManagerPage(document);
    // Without the page the cards show their frames only; what is typed into them is kept here.
    static const SProjectManagerContent kNoContent;
    const SProjectManagerContent& content = page ? page->GetContent() : kNoContent;
    CProjectManagerSettings& settings = page ? page->GetSettings() : m_cardSettings;
    CRect client;
    GetClientRect(&client);
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE;

    std::unique_ptr<CProjectManagerBasicGrid> card;
    switch (kind) {
    case SReportItem::kSummary: card = std::make_unique<CProjectManagerSummaryGrid>(this, 1, true); index = 0; break;
    case SReportItem::kSession:
        if (index < 0 || index >= project.GetMeasurementCount())
            return nullptr;
        card = std::make_unique<CProjectManagerDataSetGrid>(this, 1, true);
        break;
    case SReportItem::kSavedScreen:
        if (index < 0 || index >= project.GetImageCount())
            return nullptr;
        card = std::make_unique<CProjectManagerSavedScreenGrid>(this, 1, true, document, index);
        break;
    case SReportItem::kBookmark: {
        if (index < 0 || index >= project.GetBookmarkCount()) {
            LOG(INFO) << "Report item of bookmark " << index << " left out: the project has no such bookmark";
            return nullptr;
        }
        const CBookmark& bookmark = project.GetBookmark(index);
        auto grid = std::make_unique<CReportContentGrid>(this, *m_pictures);
        grid->SetData(index, bookmark.GetName(), bookmark.GetImage());
        if (!grid->CreateGrid(kStyle, client, this, CReportBasicGrid::kGridId))
            return nullptr;
        return grid;
    }
    default: return nullptr;
    }
    if (!card->CreateGrid(kStyle, client, this, CReportBasicGrid::kGridId))
        return nullptr;
    card->Fill(content, settings, index);
    return card;
}

// ---- layout

void CReportContentView::RefreshGrids()
{
    for (SContentRecord& record : m_records)
        if (auto* card = dynamic_cast<CProjectManagerBasicGrid*>(record.grid.get()))
            card->FitToPage();
    PlaceGrids();
}

void CReportContentView::PlaceGrids()
{
    const int left = -GetScrollPos(SB_HORZ);
    int top = -GetScrollPos(SB_VERT);
    int position = 0;
    for (SContentRecord& record : m_records) {
        CRect rect;
        record.grid->GetWindowRect(&rect);
        record.grid->SetWindowPos(nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        record.rect = CRect(left, top, left + rect.Width(), top + rect.Height());
        record.position = position++;
        top += rect.Height();
    }
}

int CReportContentView::ContentWidth() const
{
    int width = 0;
    for (const SContentRecord& record : m_records) {
        CRect rect;
        record.grid->GetWindowRect(&rect);
        width = std::max(width, int(rect.Width()));
    }
    return width;
}

int CReportContentView::ContentHeight() const
{
    int height = 0;
    for (const SContentRecord& record : m_records) {
        CRect rect;
        record.grid->GetWindowRect(&rect);
        height += rect.Height();
    }
    return height;
}

// ---- messages

LRESULT CReportContentView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DOC_VALUE:
        if (wParam)
            OnReportChange(*reinterpret_cast<const SReportChange*>(wParam));
        return 0;
    case WM_PM_CARD_STATE: OnGridNotification(reinterpret_cast<CUGCtrl*>(wParam), int(lParam)); return 0;
    case CMySplitterWnd::WM_SPLITTER_DRAG: OnItemDrag(*reinterpret_cast<const SSplitterDragRecord*>(lParam)); return 0;
    default: return CReportPageView::WindowProc(message, wParam, lParam);
    }
}

BOOL CReportContentView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case ID_EXPAND_ALL: SetAllCollapsed(false); return TRUE;
    case ID_COLLAPSE_ALL: SetAllCollapsed(true); return TRUE;
    default: return CReportPageView::OnCommand(wParam, lParam);
    }
}

BOOL CReportContentView::OnMouseWheel(UINT flags, short delta, CPoint screenPoint)
{
    // The page stands still under a dragged item.
    if (m_dragging)
        return TRUE;
    return CReportPageView::OnMouseWheel(flags, delta, screenPoint);
}

CReportContentView::SContentRecord* CReportContentView::FindRecord(const CUGCtrl* grid)
{
    for (SContentRecord& record : m_records)
        if (record.grid.get() == grid)
            return &record;
    return nullptr;
}

bool CReportContentView::IsCollapsed(const CUGCtrl* grid) const
{
    return IsGridCollapsed(grid);
}

void CReportContentView::OnGridNotification(CUGCtrl* grid, int code)
{
    SContentRecord* record = FindRecord(grid);
    if (!record)
        return;
    switch (code) {
    case kReportSectionExpanded:
    case kReportSectionCollapsed:
        record->collapsed = code == kReportSectionCollapsed ? 1 : 0;
        StoreReport();
        break;
    case kReportRemoveItem: RemoveItem(*record); break;
    case kReportRestoreItem:
        if (record->kind == SReportItem::kBookmark && GetDocument())
            GetDocument()->ShowBookmark(record->index);
        break;
    case kReportRenameBookmark:
        if (auto* item = dynamic_cast<CReportContentGrid*>(grid); item && GetDocument())
            GetDocument()->RenameBookmark(item->GetEditedName(), item->GetBookmarkIndex());
        break;
    default: break;
    }
}

void CReportContentView::SetAllCollapsed(bool collapsed)
{
    for (SContentRecord& record : m_records) {
        SetGridCollapsed(record.grid.get(), collapsed);
        record.collapsed = collapsed ? 1 : 0;
    }
    ItemsChanged();
}

void CReportContentView::ItemsChanged()
{
    StoreReport();
    RefreshGrids();
    UpdateScrollSizes();
    Invalidate();
}

void CReportContentView::RemoveItem(SContentRecord& record)
{
    const int at = int(&record - m_records.data());
    // The keyboard goes on at the item that takes the removed one's place.
    const bool keyboardOnIt = record.grid->IsChild(GetFocus());
    record.grid->DestroyWindow();
    m_records.erase(m_records.begin() + at);
    ItemsChanged();
    if (keyboardOnIt)
        FocusItem(at);
}

// ---- the keyboard

CReportContentView::SContentRecord* CReportContentView::ItemOfCellArea(CWnd* window)
{
    for (SContentRecord& record : m_records)
        if (window && window->GetParent() == record.grid.get())
            return &record;
    return nullptr;
}

BOOL CReportContentView::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN)
        if (SContentRecord* record = ItemOfCellArea(CWnd::FromHandle(msg->hwnd)); record && OnItemKey(*record, UINT(msg->wParam)))
            return TRUE;
    return CReportPageView::PreTranslateMessage(msg);
}

bool CReportContentView::OnItemKey(SContentRecord& record, UINT key)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool plain = !shift && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
    const int at = int(&record - m_records.data());
    if ((key == VK_UP || key == VK_DOWN) && plain) {
        FocusItem(key == VK_UP ? std::max(0, at - 1) : at + 1);
        return true;
    }
    if (key == VK_DELETE && plain) {
        // Posted, as the Remove button's: the item's window has the key now.
        PostMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(record.grid.get()), kReportRemoveItem);
        return true;
    }
    if (key == VK_APPS || (key == VK_F10 && shift)) {
        ShowItemMenu(record);
        return true;
    }
    return false;
}

void CReportContentView::ShowItemMenu(SContentRecord& record)
{
    const int at = int(&record - m_records.data());
    const int last = int(m_records.size()) - 1;
    CMenu menu;
    menu.CreatePopupMenu();
    for (const auto& [command, enabled] : {std::pair{kMoveUp, at > 0}, std::pair{kMoveDown, at < last},
                                           std::pair{kRemoveFromReport, true}}) {
        CString text;
        text.LoadString(command);
        menu.AppendMenu(MF_STRING | (enabled ? 0 : MF_GRAYED), command, text);
    }
    // Below the item's title, where the keyboard is.
    CPoint corner = record.rect.TopLeft() + CSize(kMenuInset, CProjectManagerBasicGrid::kHeadingHeight);
    ClientToScreen(&corner);
    const UINT chosen = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_NONOTIFY, corner.x, corner.y, this));
    if (chosen == kRemoveFromReport) {
        RemoveItem(record);
        return;
    }
    if (chosen != kMoveUp && chosen != kMoveDown)
        return;
    const int to = chosen == kMoveUp ? at - 1 : at + 1;
    MoveReportItem(m_records, at, chosen == kMoveUp ? to : to + 1);
    ItemsChanged();
    FocusItem(to);
}

void CReportContentView::FocusItem(int position)
{
    if (m_records.empty())
        return;
    CUGCtrl* grid = m_records[std::size_t(std::clamp(position, 0, int(m_records.size()) - 1))].grid.get();
    if (auto* card = dynamic_cast<CProjectManagerBasicGrid*>(grid))
        card->FocusHeading(0);
    else if (auto* item = dynamic_cast<CReportContentGrid*>(grid))
        item->FocusHeading();
}

void CReportContentView::StoreReport()
{
    CReportViewSettings settings = ReadReportSettings();
    settings.m_items.clear();
    for (const SContentRecord& record : m_records)
        settings.m_items.push_back({record.kind, record.index, record.collapsed});
    StoreReportSettings(settings);
}

void CReportContentView::OnDestroy()
{
    if (GetDocument() && GetDocument()->GetProjectSettings())
        StoreReport();
    CReportPageView::OnDestroy();
}

// ---- dragging

SReportDropPosition CReportContentView::DropPositionAt(CPoint screenPoint)
{
    CPoint point = screenPoint;
    ScreenToClient(&point);
    CRect client;
    GetClientRect(&client);
    std::vector<CRect> rects;
    for (const SContentRecord& record : m_records)
        rects.push_back(record.rect);
    return FindDropPosition(rects, point, client);
}

bool CReportContentView::IsDropLineShown() const
{
    return m_line.GetSafeHwnd() && m_line.IsWindowVisible();
}

void CReportContentView::ShowDropLine(int y)
{
    if (!m_line.GetSafeHwnd() && !m_line.Create(nullptr, "", WS_CHILD, CRect(0, 0, kLineWidth, kLineHeight), this, kLineId))
        return;
    if (IsDropLineShown() && y == m_lineY)
        return;
    m_lineY = y;
    // One pixel above the edge, over the grids.
    m_line.SetWindowPos(&CWnd::wndTop, 0, y - 1, kLineWidth, kLineHeight, SWP_SHOWWINDOW);
    m_line.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CReportContentView::HideDropLine()
{
    if (m_line.GetSafeHwnd())
        m_line.ShowWindow(SW_HIDE);
    m_lineY = -1;
}

BOOL CReportContentView::CDropLine::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, kLineColour);
    return TRUE;
}

void CReportContentView::CDropLine::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kLineColour);
}

void CReportContentView::EndSourceDrag(CUGCtrl* source, bool dropped)
{
    if (auto* card = dynamic_cast<CProjectManagerBasicGrid*>(source))
        card->EndHeadingDrag(dropped);
    else if (auto* item = dynamic_cast<CReportBasicGrid*>(source))
        item->EndDrag(dropped);
}

void CReportContentView::OnItemDrag(const SSplitterDragRecord& record)
{
    auto* source = dynamic_cast<CUGCtrl*>(record.source);
    SContentRecord* dragged = FindRecord(source);
    if (!dragged)
        return;
    const SReportDropPosition drop = DropPositionAt(record.screenPoint);
    if (!record.dropped) {
        m_dragging = true;
        if (drop.valid)
            ShowDropLine(drop.lineY);
        return;
    }
    m_dragging = false;
    HideDropLine();
    if (record.releasedInsideSource) {
        EndSourceDrag(source, false);
        return;
    }
    EndSourceDrag(source, true);
    const int from = int(dragged - m_records.data());
    if (!drop.inside) {
        source->DestroyWindow();
        m_records.erase(m_records.begin() + from);
    } else if (drop.valid) {
        MoveReportItem(m_records, from, drop.position);
    } else {
        return;
    }
    StoreReport();
    RefreshGrids();
    UpdateScrollSizes();
    Invalidate();
}

void CReportContentView::OnReportChange(const SReportChange& change)
{
    if (change.kind == SReportChange::kDragOver) {
        const SReportDropPosition drop =
            change.drag ? DropPositionAt(change.drag->screenPoint) : SReportDropPosition{};
        if (drop.valid)
            ShowDropLine(drop.lineY);
        else if (!drop.inside)
            HideDropLine();
        return;
    }
    HideDropLine();
    CReportViewSettings settings = ReadReportSettings();
    settings.m_items.clear();
    for (const SContentRecord& record : m_records)
        settings.m_items.push_back({record.kind, record.index, record.collapsed});
    if (change.kind == SReportChange::kAdd) {
        int position = int(settings.m_items.size());
        if (change.drag) {
            const SReportDropPosition drop = DropPositionAt(change.drag->screenPoint);
            if (!drop.valid)
                return;
            position = drop.position;
        }
        // An added item starts collapsed.
        settings.m_items.insert(settings.m_items.begin() + position, {change.entry.kind, change.entry.index, 1});
    } else if (change.kind == SReportChange::kRemove) {
        std::erase_if(settings.m_items, [&](const SReportItem& item) {
            return item.Type == change.entry.kind && item.Index == change.entry.index;
        });
    } else {
        return;
    }
    // From now on the report holds what the user chose, also when that is nothing.
    settings.m_itemsArranged = true;
    StoreReportSettings(settings);
    Rebuild();
}
