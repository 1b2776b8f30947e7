#pragma once
// CProjectManagerTableView: the first page of the project window. It stacks three card grids
// one below the other (the project summary, one card per session, one card per saved screen),
// keeps the user's texts and the cards' collapse states in its CProjectManagerSettings, and
// carries out the grids' commands: adding sessions from another project archive and pictures as
// saved screens, deleting them, the session settings and the CSV export of a session. What it
// changes it hands to the document as an SProjectManagerChange.
#include <array>
#include <memory>

#include "project/IProjectManagerView.h"
#include "project/ProjectManagerChange.h"
#include "project/ProjectManagerSettings.h"
#include "projectmanager/ProjectManagerContent.h"
#include "projectmanager/ProjectManagerTexts.h"
#include "views/ScrolledGridPage.h"

class CProjectManagerBasicGrid;
class CProjectManagerDataSetGrid;
class CProjectManagerSavedScreenGrid;
class CProjectManagerSummaryGrid;
class CRecDoc;
class CUpdateMsg;

class CProjectManagerTableView : public CScrolledGridPage, public IProjectManagerView
{
public:
    static constexpr UINT kTemplateId = 30048;
    static constexpr int kViewId = 9;
    static constexpr int kMaxSessions = 4;
    static constexpr int kMaxSavedScreens = 20;
    static constexpr UINT kGridId = 2012;

    static const SRuntimeClass& Class();

    CProjectManagerTableView();
    ~CProjectManagerTableView() override;

    // The document's first update.
    void OnInitialUpdate() override;
    // Every document update: the cards follow the project's sessions and saved screens.
    void OnUpdate(CUpdateMsg* hint);

    void RefreshGrids() override;
    void UpdateScrollSizes() override;

    int EditSessionSettings(int session) override;
    void SetItemName(const SProjectItemName& item) override;
    void SaveSettings() override;
    // A copy of the settings becomes the project's view settings of the page.
    void StoreSettingsInProject();

    CProjectManagerSummaryGrid* GetSummaryGrid() const { return m_summaryGrid.get(); }
    CProjectManagerDataSetGrid* GetDataSetGrid() const { return m_dataSetGrid.get(); }
    CProjectManagerSavedScreenGrid* GetSavedScreenGrid() const { return m_savedScreenGrid.get(); }
    const SProjectManagerContent& GetContent() const { return m_content; }
    CProjectManagerSettings& GetSettings() { return m_settings; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;
    // Below the cards the page shows their page colour.
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    // The summary, session and saved-screen grids, top to bottom (null before the first update).
    std::array<CProjectManagerBasicGrid*, 3> Grids() const;
    void CreateGrids();
    void SyncProjectLists();
    void BuildRowTexts();
    void FillGrids();
    // Each grid applies its row heights; then they are placed one below the other.
    void LayoutGrids();
    void PlaceGrids() override;
    void NotifyDocument(int kind);

    // The grids' commands.
    void OnProjectManagerCommand(int command, int argument);
    void OnRowEdited(int kind);
    void OnAddSession();
    void OnAddSavedScreens();
    void OnDeleteSession(int session);
    void OnDeleteSavedScreen(int screen);
    void OnExportSession(int session);
    void OnEditSessionSettings(int session);
    // After saved screens came or went: the saved-screen grid shows them.
    void RebuildSavedScreenGrid();

    std::unique_ptr<CProjectManagerSummaryGrid> m_summaryGrid;
    std::unique_ptr<CProjectManagerDataSetGrid> m_dataSetGrid;
    std::unique_ptr<CProjectManagerSavedScreenGrid> m_savedScreenGrid;
    bool m_firstUpdate = true;
    int m_deletingSessionIndex = -1;
    SProjectManagerContent m_content;
    CProjectManagerSettings m_settings{kViewId};
    SProjectManagerChange m_change{&m_content, &m_settings};
    CProjectManagerTexts m_texts;
};
