#include "projectmanager/ProjectManagerTableView.h"

#include <glog/logging.h>

#include <algorithm>
#include <array>

#include "datamodel/DataSet.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/ImageSettings.h"
#include "project/RecDoc.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"

const SRuntimeClass& CProjectManagerTableView::Class()
{
    static const SRuntimeClass runtimeClass{"CProjectManagerTableView", &CMyFormView::Class(),
                                            &CreateWindowObject<CProjectManagerTableView>, nullptr};
    return runtimeClass;
}

CProjectManagerTableView::CProjectManagerTableView() : CScrolledGridPage(kTemplateId)
{
}

// The grids go before the texts they show.
CProjectManagerTableView::~CProjectManagerTableView()
{
    m_summaryGrid.reset();
    m_dataSetGrid.reset();
    m_savedScreenGrid.reset();
}

LRESULT CProjectManagerTableView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PM_COMMAND:
        OnProjectManagerCommand(int(wParam), int(lParam));
        return 0;
    case WM_DOC_UPDATE:
        // The page's own changes come back with the broadcast; they are already shown.
        if (reinterpret_cast<SProjectManagerChange*>(wParam) != &m_change)
            OnUpdate(reinterpret_cast<CUpdateMsg*>(wParam));
        return 0;
    default:
        return CScrolledGridPage::WindowProc(message, wParam, lParam);
    }
}

void CProjectManagerTableView::OnInitialUpdate()
{
    CScrolledGridPage::OnInitialUpdate();
    OnUpdate(nullptr);
}

void CProjectManagerTableView::OnUpdate(CUpdateMsg*)
{
    CRecDoc* document = GetDocument();
    CProjectSettings* project = document ? document->GetProjectSettings() : nullptr;
    if (!project || !GetSafeHwnd())
        return;
    const int sessions = project->GetMeasurementCount();
    const int screens = project->GetImageCount();
    if (m_firstUpdate && project->GetViewSettings(kViewId))
        m_settings.CopyFrom(project->GetViewSettings(kViewId));
    m_content.summaryCount = 1;
    m_content.dataSetCount = sessions;
    m_content.savedScreenCount = screens;

    const bool sessionsChanged = !m_firstUpdate && std::size_t(sessions) != m_content.dataSets.size();
    const bool screensChanged = !m_firstUpdate && std::size_t(screens) != m_content.savedScreens.size();
    if (m_firstUpdate)
        CreateGrids();
    if (sessionsChanged) {
        m_dataSetGrid->StoreStates(m_settings);
        m_dataSetGrid->SetSectionCount(sessions);
    }
    if (screensChanged) {
        m_savedScreenGrid->StoreStates(m_settings);
        m_savedScreenGrid->GetCache().Purge();
        m_savedScreenGrid->SetSectionCount(screens);
    }

    SyncProjectLists();
    BuildRowTexts();
    FillGrids();
    if (m_firstUpdate)
        m_summaryGrid->RestoreStates(m_settings);
    if (m_firstUpdate || sessionsChanged)
        m_dataSetGrid->RestoreStates(m_settings);
    if (m_firstUpdate || screensChanged)
        m_savedScreenGrid->RestoreStates(m_settings);

    m_firstUpdate = false;
    LayoutGrids();
    RefreshGrids();
    UpdateScrollSizes();
    NotifyDocument(SProjectManagerChange::kPageUpdated);
    m_settings.SetPresent(true);
}

std::array<CProjectManagerBasicGrid*, 3> CProjectManagerTableView::Grids() const
{
    return {m_summaryGrid.get(), m_dataSetGrid.get(), m_savedScreenGrid.get()};
}

void CProjectManagerTableView::CreateGrids()
{
    // Each card takes the page's width as it is when the card is made: building a card may give
    // the page its scroll bar, and the cards keep the margin they were made with.
    const auto client = [this] {
        CRect rect;
        GetClientRect(&rect);
        return rect;
    };
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE;
    m_summaryGrid = std::make_unique<CProjectManagerSummaryGrid>(this, 1, false);
    m_summaryGrid->CreateGrid(kStyle, client(), this, kGridId);
    m_dataSetGrid = std::make_unique<CProjectManagerDataSetGrid>(this, m_content.dataSetCount, false);
    m_dataSetGrid->CreateGrid(kStyle, client(), this, kGridId);
    m_savedScreenGrid =
        std::make_unique<CProjectManagerSavedScreenGrid>(this, m_content.savedScreenCount, false, GetDocument(), 0);
    m_savedScreenGrid->CreateGrid(kStyle, client(), this, kGridId);
}

void CProjectManagerTableView::SyncProjectLists()
{
    CRecDoc* document = GetDocument();
    m_content.dataSets.clear();
    m_content.savedScreens.clear();
    for (int i = 0; i < m_content.dataSetCount; ++i)
        m_content.dataSets.push_back(std::make_unique<structProjectManagerDataSetInfo>());
    for (int i = 0; i < m_content.savedScreenCount; ++i)
        m_content.savedScreens.push_back(std::make_unique<structProjectManagerSavedScreenInfo>());

    if (m_content.savedScreenCount == 0)
        m_settings.m_savedScreens.clear();
    if (m_settings.m_summary.size() < std::size_t(m_content.summaryCount))
        m_settings.m_summary.resize(std::size_t(m_content.summaryCount));
    if (m_deletingSessionIndex >= 0) {
        m_settings.RemoveDataSetEntry(m_deletingSessionIndex);
        m_deletingSessionIndex = -1;
    }
    if (m_settings.m_dataSets.size() < std::size_t(m_content.dataSetCount)) {
        for (int i = int(m_settings.m_dataSets.size()); i < m_content.dataSetCount; ++i) {
            SProjectManagerDataSetEntry entry;
            entry.Name = document->GetSessionName(i);
            if (const CDataSet* dataSet = document->GetDataSet(i))
                entry.Description = dataSet->GetMeasurementConfig().GetDescription();
            m_settings.m_dataSets.push_back(entry);
        }
        StoreSettingsInProject();
        document->RebuildUserViewSettings();
    }
    if (m_settings.m_savedScreens.size() < std::size_t(m_content.savedScreenCount))
        m_settings.m_savedScreens.resize(std::size_t(m_content.savedScreenCount));
}

void CProjectManagerTableView::BuildRowTexts()
{
    CRecDoc* document = GetDocument();
    const CProjectSettings* project = document->GetProjectSettings();
    for (int i = 0; i < m_content.dataSetCount; ++i) {
        structProjectManagerDataSetInfo& info = *m_content.dataSets[std::size_t(i)];
        info.displayName = document->GetSessionName(i);
        CDataSet* dataSet = document->GetDataSet(i);
        if (!dataSet)
            continue;
        info.configurationText =
            m_texts.FormatConfigurationText(dataSet->GetMeasurementConfig(), *document->GetValueFormatter());
        info.timesText = m_texts.FormatTimesText(*dataSet);
        info.originText = m_texts.FormatOriginText(*dataSet);
    }
    for (int j = 0; j < m_content.savedScreenCount; ++j) {
        structProjectManagerSavedScreenInfo& info = *m_content.savedScreens[std::size_t(j)];
        info.displayName = document->GetSavedScreenName(j);
        info.screenText = m_texts.FormatSavedScreenText(j < project->GetImageCount() ? &project->GetImage(j) : nullptr);
    }
}

void CProjectManagerTableView::FillGrids()
{
    m_summaryGrid->Fill(m_content, m_settings, -1);
    m_dataSetGrid->Fill(m_content, m_settings, -1);
    m_savedScreenGrid->Fill(m_content, m_settings, -1);
}

void CProjectManagerTableView::LayoutGrids()
{
    if (!m_summaryGrid || !m_dataSetGrid || !m_savedScreenGrid)
        return;
    m_summaryGrid->ApplyRowHeights();
    m_dataSetGrid->ApplyRowHeights();
    m_savedScreenGrid->ApplyRowHeights();
    PlaceGrids();
    // The cards show what was filled in since they were last drawn (a card built for an added
    // session was drawn with its placeholders).
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CProjectManagerTableView::PlaceGrids()
{
    if (!m_summaryGrid || !m_dataSetGrid || !m_savedScreenGrid)
        return;
    int top = -GetScrollPos(SB_VERT);
    for (CProjectManagerBasicGrid* grid : Grids()) {
        CRect rect;
        grid->GetWindowRect(&rect);
        ScreenToClient(&rect);
        grid->SetWindowPos(nullptr, rect.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        top += rect.Height();
    }
}

void CProjectManagerTableView::RefreshGrids()
{
    if (!m_summaryGrid || !m_dataSetGrid || !m_savedScreenGrid)
        return;
    m_summaryGrid->FitToPage();
    m_dataSetGrid->FitToPage();
    m_savedScreenGrid->FitToPage();
    PlaceGrids();
}

// The scroll range covers the union of the child windows.
void CProjectManagerTableView::UpdateScrollSizes()
{
    const int position = GetScrollPos(SB_VERT);
    CRect content(0, 0, 0, 0);
    for (CProjectManagerBasicGrid* grid : Grids()) {
        if (!grid || !grid->GetSafeHwnd())
            continue;
        CRect rect;
        grid->GetWindowRect(&rect);
        ScreenToClient(&rect);
        content.UnionRect(&content, &rect);
    }
    CRect client;
    GetClientRect(&client);
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = std::max(0, content.bottom + position - 1);
    info.nPage = UINT(std::max(0, client.Height()));
    SetScrollInfo(SB_VERT, &info, TRUE);
    // A page that became shorter may leave the old position past its end.
    ScrollTo(position);
}

BOOL CProjectManagerTableView::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, CProjectManagerBasicGrid::kPageBack);
    return TRUE;
}

void CProjectManagerTableView::OnSize(UINT type, int cx, int cy)
{
    if (cx == 0 || cy == 0)
        return;
    CScrolledGridPage::OnSize(type, cx, cy);
    RefreshGrids();
    // The page's height decides how far it scrolls.
    UpdateScrollSizes();
}

void CProjectManagerTableView::OnDestroy()
{
    SaveSettings();
    CScrolledGridPage::OnDestroy();
}

void CProjectManagerTableView::SaveSettings()
{
    // A field the user is still typing into is written with the rest.
    for (CProjectManagerBasicGrid* grid : Grids())
        if (grid)
            grid->CommitEdit();
    if (m_summaryGrid)
        m_summaryGrid->StoreStates(m_settings);
    if (m_dataSetGrid)
        m_dataSetGrid->StoreStates(m_settings);
    if (m_savedScreenGrid)
        m_savedScreenGrid->StoreStates(m_settings);
    StoreSettingsInProject();
}

void CProjectManagerTableView::StoreSettingsInProject()
{
    if (GetDocument() && GetDocument()->GetProjectSettings())
        GetDocument()->GetProjectSettings()->SetViewSettings(kViewId, &m_settings);
}

void CProjectManagerTableView::NotifyDocument(int kind)
{
    if (!GetDocument())
        return;
    m_change.Set(kind);
    GetDocument()->NotifyProjectManagerChange(&m_change);
}

void CProjectManagerTableView::SetItemName(const SProjectItemName& item)
{
    if (item.kind == SProjectItemName::kSession) {
        if (SProjectManagerDataSetEntry* entry = m_settings.GetDataSetEntry(item.index)) {
            entry->Name = item.name;
            SendMessage(WM_PM_COMMAND, kCommandRowEdited, SProjectManagerChange::kSessionName);
        }
    } else if (item.kind == SProjectItemName::kSavedScreen) {
        if (std::size_t(item.index) < m_settings.m_savedScreens.size()) {
            m_settings.m_savedScreens[std::size_t(item.index)].Name = item.name;
            SendMessage(WM_PM_COMMAND, kCommandRowEdited, SProjectManagerChange::kSavedScreenName);
        }
    } else {
        LOG(WARNING) << "CProjectManagerTableView::SetItemName - WARNING: item kind " << item.kind
                     << " is neither a session nor a saved screen; ignored";
    }
}
