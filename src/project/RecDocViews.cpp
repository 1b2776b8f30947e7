// The document's views: the update broadcast, the settings the views keep in the project, and
// switching the project window to a study view or a bookmark.
#include "project/RecDoc.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "datamodel/QuantityInfo.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "project/BookmarkToolbarRow.h"
#include "project/IRecordFormView.h"
#include "project/ToolBarEditFieldCount.h"
#include "project/ToolBarBookmarkName.h"
#include "project/IBasicGraphView.h"

namespace {

constexpr DWORD kAuxQuantities[] = {51, 52};
constexpr int kEnergyStudyTab = 1;
constexpr int kLoadStudyTab = 2;
constexpr int kFirstEnergyView = 0;
constexpr int kLastEnergyView = 4;
constexpr int kFirstLoadView = 5;
constexpr int kLastLoadView = 8;
constexpr int kNominalVoltageView = 5;
constexpr UINT kFrameRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;

// The project window draws nothing while it is switched, and everything once afterwards.
class CRedrawOff
{
public:
    explicit CRedrawOff(CWnd* frame) : m_frame(frame)
    {
        if (m_frame)
            m_frame->SetRedraw(FALSE);
    }
    ~CRedrawOff()
    {
        if (m_frame) {
            m_frame->SetRedraw(TRUE);
            m_frame->RedrawWindow(nullptr, nullptr, kFrameRedraw);
        }
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    CWnd* m_frame;
};

// The toolbars' shared edit-field count, raised while the layout is rebuilt.
class CEditFieldCountRaised
{
public:
    CEditFieldCountRaised() { CToolBarEditFieldCount::Add(); }
    ~CEditFieldCountRaised() { CToolBarEditFieldCount::Remove(); }
    CEditFieldCountRaised(const CEditFieldCountRaised&) = delete;
    CEditFieldCountRaised& operator=(const CEditFieldCountRaised&) = delete;
};

} // namespace

void CRecDoc::AddView(CWnd* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CRecDoc::RemoveView(CWnd* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CRecDoc::NotifyViews(CUpdateMsg* hint)
{
    ++m_pageChanges;
    if (hint && (hint->GetKind() == kHintSessionSettings || hint->GetKind() == kHintAuxScaling))
        RebuildUserViewSettings();
    for (int i = 0; hint && hint->GetKind() == kHintAuxScaling && i < GetDataSetCount(); ++i)
        ApplyAuxScaling(i);
    for (CWnd* view : m_views)
        view->SendMessage(WM_DOC_UPDATE, reinterpret_cast<WPARAM>(hint), 0);
}

void CRecDoc::NotifyProjectManagerChange(SProjectManagerChange* change)
{
    if (change)
        NotifyViews(change);
}

std::array<CString, SUserSessionSettings::kAuxChannelCount> CRecDoc::GetSessionAuxUnits(int session) const
{
    std::array<CString, SUserSessionSettings::kAuxChannelCount> units;
    const SUserSessionSettings* settings = m_userViewSettings ? m_userViewSettings->GetSession(session) : nullptr;
    for (int channel = 0; settings && channel < SUserSessionSettings::kAuxChannelCount; ++channel)
        if (settings->IsAuxOverridden(channel))
            units[std::size_t(channel)] = settings->GetAux(channel).unit;
    return units;
}

void CRecDoc::ApplyAuxScaling(int session)
{
    const CDataSet* set = GetDataSet(session);
    if (!set)
        return;
    const SUserSessionSettings* settings = m_userViewSettings ? m_userViewSettings->GetSession(session) : nullptr;
    CQuantityInfo info(set->GetMeasurementConfig(), GetSessionAuxUnits(session));
    for (DWORD quantity : kAuxQuantities) {
        float gain = 1.0f;
        float offset = 0.0f;
        if (settings)
            settings->GetAuxScaling(int(quantity), gain, offset);
        info.Select(quantity);
        // A negative gain turns the input over: its values keep the decimals of its magnitude.
        m_valueFormatter->SetScaleEntry(session, quantity, std::fabs(gain), offset, info.GetUnitText(CString()));
    }
}

void CRecDoc::SendMessageToAllViews(WPARAM value)
{
    for (CWnd* view : m_views)
        view->SendMessage(WM_DOC_VALUE, value, 0);
}

void CRecDoc::StoreViewSettings()
{
    if (!m_project)
        return;
    for (CWnd* view : m_views) {
        if (auto* form = dynamic_cast<IRecordFormView*>(view))
            form->SaveViewSettings(m_project.get());
        if (auto* manager = dynamic_cast<IProjectManagerView*>(view))
            manager->SaveSettings();
    }
}

IProjectManagerView* CRecDoc::FindProjectManagerView() const
{
    for (CWnd* view : m_views) {
        if (auto* manager = dynamic_cast<IProjectManagerView*>(view))
            return manager;
    }
    return nullptr;
}

int CRecDoc::EditSessionSettings(int session)
{
    IProjectManagerView* manager = FindProjectManagerView();
    return manager ? manager->EditSessionSettings(session) : 0;
}

void CRecDoc::RenameProjectItem(const SProjectItemName& item)
{
    if (IProjectManagerView* manager = FindProjectManagerView())
        manager->SetItemName(item);
}

int CRecDoc::ShowStudyView(int tabKind, int viewId)
{
    if (!m_project)
        return 1;
    // Pages shown for the first time add their settings; that alone is no change of the user's.
    const bool untouched = IsUntouchedSinceRead();
    int view = viewId;
    if (tabKind == kEnergyStudyTab)
        view = m_project->GetEnergyStudyLastView() == -1 ? kFirstEnergyView : m_project->GetEnergyStudyLastView();
    else if (tabKind == kLoadStudyTab)
        view = m_project->GetLoadStudyLastView() == -1 ? kFirstLoadView : m_project->GetLoadStudyLastView();
    if (view >= kFirstEnergyView && view <= kLastEnergyView)
        m_project->SetEnergyStudyLastView(view);
    else if (view >= kFirstLoadView && view <= kLastLoadView)
        m_project->SetLoadStudyLastView(view);
    if (!m_studyViewHost)
        return 1;
    if (m_studyViewHost->GetCurrentViewId() == view) {
        const int topTab = m_studyViewHost->GetCurrentTopTab();
        if (topTab == tabKind)
            return 1;
        // The view button of the page already shown leaves it as the user has it: its views
        // followed every change themselves.
        const int studyTab = view >= kFirstLoadView ? kLoadStudyTab : kEnergyStudyTab;
        if (topTab == studyTab)
            return 1;
        // Back from another tab to the page built for this view: when it shows nothing that
        // changed since, it is only brought forward.
        if (topTab != studyTab && m_studyBuiltAt == m_pageChanges && m_studyViewHost->SelectBuiltStudy())
            return 1;
    }
    CEditFieldCountRaised rebuilding;
    m_studyViewHost->SetCurrentViewId(view);
    {
        CRedrawOff redraw(m_studyViewHost->GetActiveFrame());
        m_studyViewHost->SelectMainViewTab();
        m_studyViewHost->BuildStudyLayout();
    }
    m_studyBuiltAt = m_pageChanges;
    if (untouched)
        TakeShownViewsAsRead();
    return 1;
}

void CRecDoc::ShowBookmark(int index)
{
    if (!m_project || index < 0 || index >= m_project->GetBookmarkCount() || !m_studyViewHost)
        return;
    const CBookmark& bookmark = m_project->GetBookmark(index);
    const int view = bookmark.GetStudyView();
    CWnd* frame = m_studyViewHost->GetActiveFrame();
    const SBookmarkToolbarRow* row = BookmarkToolbar::FindRow(bookmark.GetType());
    if (!row) {
        m_studyViewHost->SetCurrentViewId(view);
        if (frame)
            frame->SendMessage(WM_FRAME_STUDY_VIEW, WPARAM(view), 0);
        m_studyBuiltAt = m_pageChanges;
        return;
    }
    CWaitCursor wait;
    CRedrawOff redraw(frame);
    m_studyViewHost->SetCurrentViewId(view);
    if (frame) {
        frame->SendMessage(WM_FRAME_STUDY_VIEW, WPARAM(view), 0);
        SetToolBarBookmarkName(frame, bookmark.GetName());
        frame->SendMessage(WM_COMMAND, WPARAM(row->viewCommand), 0);
        frame->SendMessage(WM_FRAME_PRESENTATION, WPARAM(row->presentation), 0);
    }
    SaveProject();

    // The graph view of the bookmark's study view, among the document's views.
    CWnd* graphWindow = nullptr;
    for (CWnd* candidate : m_views) {
        const auto* form = dynamic_cast<const IRecordFormView*>(candidate);
        if (form && form->GetSettingsKind() == view && dynamic_cast<IBasicGraphView*>(candidate)) {
            graphWindow = candidate;
            break;
        }
    }
    if (graphWindow)
        dynamic_cast<IBasicGraphView*>(graphWindow)->TakeViewSettings(bookmark.GetViewSettings());
    NotifyViews(nullptr);
    if (graphWindow) {
        graphWindow->RedrawWindow();
        if (bookmark.IsLoadStudy() && view == kNominalVoltageView)
            AnnounceNominalVoltages(bookmark, graphWindow);
    }
    // The page shows the bookmark until something changes.
    m_studyBuiltAt = m_pageChanges;
}

void CRecDoc::AnnounceNominalVoltages(const CBookmark& bookmark, CWnd* view)
{
    const auto* own = dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings());
    const auto* stored = dynamic_cast<const CBasicViewSettings*>(m_project->GetStudyViewSettings(kNominalVoltageView));
    if (!own || !stored)
        return;
    for (int i = 0; i < GetDataSetCount(); ++i) {
        const CMeasurementConfig& config = GetDataSet(i)->GetMeasurementConfig();
        if (!config.IsStudyTypeCompatible(kLoadStudyTab))
            continue;
        float bookmarkNominal = 0.0f;
        float projectNominal = 0.0f;
        int bookmarkTopology = 0;
        int projectTopology = 0;
        own->GetNominalVoltage(i, config, bookmarkNominal, bookmarkTopology);
        stored->GetNominalVoltage(i, config, projectNominal, projectTopology);
        if (bookmarkNominal != projectNominal)
            view->SendMessage(WM_SESSION_NOMINAL_VOLTAGE, WPARAM(i), LPARAM(std::bit_cast<std::uint32_t>(bookmarkNominal)));
    }
}
