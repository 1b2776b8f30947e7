#include "mainview/MainView.h"

#include "mainview/PageFrames.h"
#include "mainview/StudyLayouts.h"
#include "mainview/StudyTabsEnabled.h"
#include "mainview/ViewSelectorCheck.h"
#include "platform/framework/windows/Messages.h"
#include "project/IRecordFormView.h"
#include "views/MySplitterWnd.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"
#include "views/ToolBarBuilders.h"

#include <glog/logging.h>

namespace {

constexpr UINT kProjectManagerTitle = 10080;
constexpr UINT kEnergyStudyTitle = 10078;
constexpr UINT kLoadStudyTitle = 10079;
constexpr UINT kAdvancedTitle = 10081;
constexpr UINT kReportTitle = 10082;
constexpr DWORD kRootStyle = 1;
constexpr int kProjectManagerWidth = 200;
constexpr int kEnergyTabIndex = 1;
constexpr int kLoadTabIndex = 2;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CSplitFrame* FrameOf(const TVisualObject* object)
{
    return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
}

CMyToolBar* AddSectionToolBar(CSplitFrame& frame, const SSectionLayout& section)
{
    return section.graphToolBar ? AddGraphSectionToolBar(frame, section.titleId, section.collapsed)
                                : AddTableSectionToolBar(frame, section.titleId, section.collapsed);
}

// The sections in the order their views are told to initialise: overview table, time-range
// table, graph.
constexpr int kActivationOrder[] = {kOverviewSection, kTimeRangeSection, kGraphSection};

} // namespace

CMainView::CMainView()
{
    m_layout.Bind(&m_framework);
}

CMainView::~CMainView()
{
    m_framework.Destroy();
    if (g_pMainViewFramework == &m_framework)
        g_pMainViewFramework = nullptr;
    if (g_pMainViewLayout == &m_layout)
        g_pMainViewLayout = nullptr;
    if (g_pSectionWindows == &m_sectionWindows)
        g_pSectionWindows = nullptr;
    m_layout.Bind(nullptr);
}

CWnd* CMainView::GetRootWindow() const
{
    return m_layout.rootTabs ? m_layout.rootTabs->GetWnd() : nullptr;
}

int CMainView::GetSelectedTab() const
{
    const auto* tabs = dynamic_cast<const TTabWnd*>(GetRootWindow());
    return tabs ? tabs->GetActiveTab() : -1;
}

BOOL CMainView::Create(CWnd* parent, const CREATESTRUCT*, const SViewCreateContext& context)
{
    m_parent = parent;
    m_context = context;
    const SRuntimeClass& empty = GetPageFrameClass(EPageFrame::Empty);

    auto root = std::make_unique<TVisualObject>(NextId(), CString(), context, TTabWnd::Class(), kRootStyle);
    m_layout.rootTabs = root.get();
    m_framework.AddRootObject(std::move(root));

    auto managerTab = std::make_unique<TVisualObject>(NextId(), LoadText(kProjectManagerTitle), 1, 2, context);
    auto managerPage = std::make_unique<TVisualObject>(NextId(), 0, 0, context,
                                                       GetPageFrameClass(EPageFrame::ProjectManagerTable),
                                                       CSize(kProjectManagerWidth, 0));
    auto managerRight = std::make_unique<TVisualObject>(NextId(), 0, 1, context, empty, CSize(0, 0));
    m_layout.projectManagerTab = managerTab.get();
    m_layout.projectManagerPage = managerPage.get();
    m_layout.projectManagerRight = managerRight.get();
    m_framework.AddObject(m_layout.rootTabs, std::move(managerTab));
    m_framework.AddObject(m_layout.projectManagerTab, std::move(managerPage));
    m_framework.AddObject(m_layout.projectManagerTab, std::move(managerRight));

    // The Energy Study tab stands with three empty sections, titled as view 0's, until the
    // first study build.
    auto energyTab = std::make_unique<TVisualObject>(NextId(), LoadText(kEnergyStudyTitle), 3, 1, context);
    m_layout.energy.tab = energyTab.get();
    m_framework.AddObject(m_layout.rootTabs, std::move(energyTab));
    std::unique_ptr<TVisualObject> rows[3];
    for (int row = 0; row < 3; ++row) {
        rows[row] = std::make_unique<TVisualObject>(NextId(), row, 0, context, empty, CSize(0, 0));
        m_layout.energy.sections[std::size_t(row)] = rows[row].get();
    }
    for (int row : {0, 2, 1})
        m_framework.AddObject(m_layout.energy.tab, std::move(rows[row]));

    auto loadTab = std::make_unique<TVisualObject>(NextId(), LoadText(kLoadStudyTitle), context, empty);
    m_layout.load.tab = loadTab.get();
    m_framework.AddObject(m_layout.rootTabs, std::move(loadTab));
    auto advanced = std::make_unique<TVisualObject>(NextId(), LoadText(kAdvancedTitle), context, empty);
    m_layout.advancedTab = advanced.get();
    m_framework.AddObject(m_layout.rootTabs, std::move(advanced));

    auto reportTab = std::make_unique<TVisualObject>(NextId(), LoadText(kReportTitle), 1, 2, context);
    auto reportList = std::make_unique<TVisualObject>(NextId(), 0, 0, context, GetPageFrameClass(EPageFrame::ReportList),
                                                      CSize(0, 0));
    auto reportContent = std::make_unique<TVisualObject>(NextId(), 0, 1, context,
                                                         GetPageFrameClass(EPageFrame::ReportContent), CSize(0, 0));
    m_layout.reportTab = reportTab.get();
    m_layout.reportList = reportList.get();
    m_layout.reportContent = reportContent.get();
    m_framework.AddObject(m_layout.rootTabs, std::move(reportTab));
    m_framework.AddObject(m_layout.reportTab, std::move(reportList));
    m_framework.AddObject(m_layout.reportTab, std::move(reportContent));

    const BOOL created = m_framework.Create(parent);
    if (created) {
        const SStudyLayout& first = *FindStudyLayout(0);
        for (int section = 0; section < 3; ++section)
            if (CSplitFrame* frame = FrameOf(m_layout.energy.sections[std::size_t(section)]))
                AddSectionToolBar(*frame, first.sections[section]);
        if (auto* splitter = dynamic_cast<CMySplitterWnd*>(m_layout.energy.tab->GetWnd()))
            splitter->RecalcSections();
        if (CSplitFrame* content = FrameOf(m_layout.reportContent))
            AddReportContentToolBar(*content);
        for (TVisualObject* tab : {m_layout.advancedTab, m_layout.energy.tab, m_layout.load.tab, m_layout.reportTab})
            m_framework.EnableTab(tab, false);
    }
    g_pMainViewFramework = &m_framework;
    g_pMainViewLayout = &m_layout;
    g_pSectionWindows = &m_sectionWindows;
    return created;
}

TVisualObject* CMainView::SectionEntry(const SStudyLayout& study, int section) const
{
    return const_cast<SMainViewLayout&>(m_layout).ObjectEntry(study.firstEntry + section);
}

void CMainView::RemoveStudyTabs()
{
    // The page's views keep what they show in the project while their sections stand: a view
    // whose windows are going can no longer tell which sections the user opened.
    const auto keep = [](const auto& sections) {
        for (const TVisualObject* section : sections)
            if (const CSplitFrame* frame = FrameOf(section))
                if (auto* view = dynamic_cast<IRecordFormView*>(frame->GetView()))
                    view->SaveViewSettings(nullptr);
    };
    keep(m_layout.energy.sections);
    keep(m_layout.load.sections);
    for (TVisualObject* tab : {m_layout.energy.tab, m_layout.load.tab}) {
        if (!tab)
            continue;
        std::vector<DWORD> children;
        for (const auto& child : tab->Children())
            children.push_back(child->GetID());
        for (DWORD id : children)
            m_framework.RemoveObject(m_framework.FindObject(id));
        m_framework.DestroyObjectWindows(tab);
        m_framework.RemoveObject(tab);
    }
    m_layout.ClearStudyEntries();
}

TVisualObject* CMainView::AddPlaceholder(UINT titleId, int index, const SViewCreateContext& context)
{
    auto placeholder = std::make_unique<TVisualObject>(NextId(), LoadText(titleId), context,
                                                       GetPageFrameClass(EPageFrame::Empty));
    TVisualObject* object = placeholder.get();
    m_framework.InsertObject(m_layout.rootTabs, std::move(placeholder), index);
    return object;
}

bool CMainView::BuildStudyObjects(const SStudyLayout& study, const SViewCreateContext& context)
{
    m_nextId = m_framework.GetUnusedId();
    if (study.loadStudy)
        m_layout.energy.tab = AddPlaceholder(kEnergyStudyTitle, kEnergyTabIndex, context);

    auto tab = std::make_unique<TVisualObject>(NextId(), LoadText(study.loadStudy ? kLoadStudyTitle : kEnergyStudyTitle),
                                               study.sectionCount, 1, context);
    TVisualObject* tabObject = tab.get();
    std::unique_ptr<TVisualObject> panes[3];
    for (int section = 0; section < study.sectionCount; ++section) {
        panes[section] = std::make_unique<TVisualObject>(NextId(), section, 0, context,
                                                         GetPageFrameClass(study.sections[section].frame), CSize(0, 0));
        m_layout.ObjectEntry(study.firstEntry + section) = panes[section].get();
    }
    if (study.loadStudy)
        m_layout.load.tab = tabObject;
    else
        m_layout.energy.tab = tabObject;
    m_framework.InsertObject(m_layout.rootTabs, std::move(tab), study.loadStudy ? kLoadTabIndex : kEnergyTabIndex);
    for (int section : kActivationOrder)
        if (section < study.sectionCount)
            m_framework.AddObject(tabObject, std::move(panes[section]));

    if (!study.loadStudy)
        m_layout.load.tab = AddPlaceholder(kLoadStudyTitle, kLoadTabIndex, context);
    return true;
}

bool CMainView::AddStudyToolBars(const SStudyLayout& study)
{
    CSplitFrame* top = FrameOf(SectionEntry(study, kOverviewSection));
    if (!top)
        return false;
    bool complete = (study.loadStudy ? AddLoadViewSelector(*top) : AddEnergyViewSelector(*top)) != nullptr;
    for (int section : {kOverviewSection, kGraphSection, kTimeRangeSection}) {
        if (section >= study.sectionCount)
            continue;
        CSplitFrame* frame = FrameOf(SectionEntry(study, section));
        complete = frame && AddSectionToolBar(*frame, study.sections[section]) && complete;
    }
    return complete;
}

bool CMainView::AddStudyDialogBars(const SStudyLayout& study)
{
    bool complete = true;
    const auto add = [](CSplitFrame* frame, const SDialogBarLayout& bar) {
        if (frame && frame->AddDialogBar(bar.create(), bar.templateId))
            return true;
        LOG(INFO) << "Main view: the dialog bar " << bar.className << " (template " << bar.templateId
                  << ") cannot be made";
        return false;
    };
    if (study.tableBar.create)
        complete = add(FrameOf(SectionEntry(study, kOverviewSection)), study.tableBar);
    return add(FrameOf(SectionEntry(study, kGraphSection)), study.graphBar) && complete;
}

bool CMainView::FinishStudyLayout(const SStudyLayout& study)
{
    if (!m_framework.Create(m_parent)) {
        LOG(INFO) << "Main view: the pages of study view " << study.viewId << " cannot be made";
        return false;
    }
    // A missing toolbar or bar leaves the page usable without it.
    if (!AddStudyToolBars(study))
        LOG(INFO) << "Main view: a toolbar of study view " << study.viewId << " is missing";
    if (!AddStudyDialogBars(study))
        LOG(INFO) << "Main view: a dialog bar of study view " << study.viewId << " is missing";
    UpdateTabsEnabled();
    TVisualObject* tab = study.loadStudy ? m_layout.load.tab : m_layout.energy.tab;
    if (auto* splitter = dynamic_cast<CMySplitterWnd*>(tab->GetWnd()))
        splitter->RecalcSections();
    return true;
}

void CMainView::ActivateStudy(const SStudyLayout& study)
{
    for (int section : kActivationOrder) {
        if (section >= study.sectionCount)
            continue;
        if (CSplitFrame* frame = FrameOf(SectionEntry(study, section)); frame && frame->GetView())
            frame->GetView()->SendMessage(WM_INITIALUPDATE, 0, 0);
    }
    m_framework.SelectTab(study.loadStudy ? m_layout.load.tab : m_layout.energy.tab);
    m_framework.ShowObject(SectionEntry(study, kGraphSection));
    if (study.loadStudy)
        MarkLoadViewSelectors(m_layout, study.checkCommand);
    else
        MarkEnergyViewSelectors(m_layout, study.checkCommand);
}

void CMainView::ShowEmptyStudyTabs(const SViewCreateContext& context)
{
    m_nextId = m_framework.GetUnusedId();
    m_layout.energy.tab = AddPlaceholder(kEnergyStudyTitle, kEnergyTabIndex, context);
    m_layout.load.tab = AddPlaceholder(kLoadStudyTitle, kLoadTabIndex, context);
    if (!m_framework.Create(m_parent))
        LOG(INFO) << "Main view: the empty study pages cannot be made";
}

void CMainView::UpdateTabsEnabled()
{
    UpdateStudyTabsEnabled(m_layout, m_context.document);
}

bool CMainView::SelectBuiltStudy()
{
    const SStudyLayout* study = FindStudyLayout(m_currentViewId);
    TVisualObject* tab = study ? (study->loadStudy ? m_layout.load.tab : m_layout.energy.tab) : nullptr;
    return tab && tab->GetChildCount() == study->sectionCount && m_framework.SelectTab(tab);
}

void CMainView::BuildStudyLayout(const SViewCreateContext& context)
{
    const SStudyLayout* study = FindStudyLayout(m_currentViewId);
    if (!study || !m_layout.rootTabs)
        return;
    m_context = context;
    // The same page built again (something it shows changed while another tab was up) keeps the
    // sections the user opened or collapsed; another view's page starts as laid out.
    const std::vector<bool> collapsed = m_builtViewId == m_currentViewId ? CollapsedSections(*study) : std::vector<bool>{};
    m_builtViewId = -1;
    RemoveStudyTabs();
    if (!BuildStudyObjects(*study, context) || !FinishStudyLayout(*study)) {
        // Whatever was made goes; the tabs stay usable with their empty pages.
        LOG(INFO) << "Main view: study view " << study->viewId << " could not be built; the study tabs show empty pages";
        RemoveStudyTabs();
        ShowEmptyStudyTabs(context);
        m_currentViewId = -1;
        UpdateTabsEnabled();
        return;
    }
    ActivateStudy(*study);
    m_builtViewId = m_currentViewId;
    CollapseSectionsAsBefore(*study, collapsed);
}

std::vector<bool> CMainView::CollapsedSections(const SStudyLayout& study) const
{
    std::vector<bool> collapsed;
    for (int section = 0; section < study.sectionCount; ++section) {
        const CSplitFrame* frame = FrameOf(SectionEntry(study, section));
        if (!frame)
            return {};
        collapsed.push_back(frame->IsSectionCollapsed());
    }
    return collapsed;
}

void CMainView::CollapseSectionsAsBefore(const SStudyLayout& study, const std::vector<bool>& collapsed)
{
    for (int section = 0; section < int(collapsed.size()); ++section)
        if (CSplitFrame* frame = FrameOf(SectionEntry(study, section));
            frame && frame->IsSectionCollapsed() != collapsed[std::size_t(section)])
            frame->ToggleSection(1);
}
