#include "projectmanager/ProjectManagerSummaryGrid.h"

#include "project/ProjectManagerSettings.h"
#include "projectmanager/ProjectManagerContent.h"

namespace {

constexpr int kChangeSummary = 6;
constexpr UINT IDS_SUMMARY = 10117;
enum EEdit { kEditClient = 0, kEditLocation = 1, kEditDescription = 2 };

constexpr SCardButton kButtons[] = {
    {{6, -1, 1, -1}, 10130, 1564, 1565, kCommandAddSession},      // "Add Data"
    {{7, -1, 2, -1}, 10157, 1566, 1567, kCommandAddSavedScreens}, // "Add Image"
};
constexpr SCardButton kSingleRecordButtons[] = {
    {{7, -1, 2, -1}, 10129, 1568, 1569, 0}, // "Remove"
};
constexpr SCardLabel kLabels[] = {
    {{0, 0, 1, 1}, 10120, false}, // "Client"
    {{2, 0, 1, 1}, 10121, false}, // "Location"
    {{4, 0, 4, 1}, 10122, false}, // "Description"
};
constexpr SCardEdit kEdits[] = {{{0, 1, 1, 1}, false}, {{2, 1, 1, 1}, false}, {{4, 1, 4, 1}, false}};
constexpr SCardRect kSeparators[] = {{1, 0, 1, 2}, {3, 0, 1, 2}};
constexpr int kBodyRowHeights[] = {20, 20};
// 0: the column that takes what the others leave.
constexpr double kColumnWeights[] = {8, 1.0 / 3, 8, 1.0 / 3, 8, 0, 80, 80, 72, 8};

constexpr SCardLayout kLayout{10, 5, {0, -1, 6, -1}, kButtons, kLabels, kEdits, {}, {}, kSeparators,
                              kBodyRowHeights, kColumnWeights};
constexpr SCardLayout kSingleRecordLayout{10, 5, {0, -1, 7, -1}, kSingleRecordButtons, kLabels, kEdits, {}, {},
                                          kSeparators, kBodyRowHeights, kColumnWeights};

} // namespace

CProjectManagerSummaryGrid::CProjectManagerSummaryGrid(CGridViewBase* parentView, int records, bool singleRecord)
    : CProjectManagerBasicGrid(parentView, records, singleRecord, kHoverTimer)
{
}

const SCardLayout& CProjectManagerSummaryGrid::CardLayout() const
{
    return kLayout;
}

const SCardLayout& CProjectManagerSummaryGrid::SingleRecordLayout() const
{
    return kSingleRecordLayout;
}

void CProjectManagerSummaryGrid::Fill(const SProjectManagerContent&, CProjectManagerSettings& settings, int index)
{
    m_settings = &settings;
    if (m_singleRecord)
        m_recordIndex = index;
    CString title;
    title.LoadString(IDS_SUMMARY);
    for (int section = 0; section < GetSectionCount(); ++section) {
        QuickSetText(OriginCol(Layout().title), OriginRow(section, Layout().title), title);
        const std::size_t record = std::size_t(RecordOfSection(section));
        if (record >= settings.m_summary.size())
            continue;
        const SProjectManagerSummaryEntry& entry = settings.m_summary[record];
        SetEditText(section, kEditClient, entry.Client);
        SetEditText(section, kEditLocation, entry.Location);
        SetEditText(section, kEditDescription, entry.Description);
    }
}

void CProjectManagerSummaryGrid::StoreStates(CProjectManagerSettings& settings) const
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const std::size_t record = std::size_t(RecordOfSection(section));
        if (record < settings.m_summary.size())
            settings.m_summary[record].Collapsed = IsSectionCollapsed(section) ? 1 : 0;
    }
}

void CProjectManagerSummaryGrid::RestoreStates(const CProjectManagerSettings& settings)
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const std::size_t record = std::size_t(RecordOfSection(section));
        if (record < settings.m_summary.size() && settings.m_summary[record].Collapsed != 0)
            CollapseSection(section);
    }
}

void CProjectManagerSummaryGrid::OnButton(int, int button)
{
    if (m_singleRecord) {
        if (CWnd* parent = GetParent())
            parent->PostMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), kCardRemove);
        return;
    }
    PostCommand(Layout().buttons[std::size_t(button)].command, 0);
}

BOOL CProjectManagerSummaryGrid::OnEditFinish(int col, int row, CWnd*, const CString& text, BOOL cancelled)
{
    const std::size_t record = std::size_t(RecordOfSection(SectionOfRow(row)));
    if (cancelled || !m_settings || record >= m_settings->m_summary.size())
        return TRUE;
    SProjectManagerSummaryEntry& entry = m_settings->m_summary[record];
    const int edit = HitEditCell(col, row);
    CStringW* target = edit == kEditClient        ? &entry.Client
                       : edit == kEditLocation    ? &entry.Location
                       : edit == kEditDescription ? &entry.Description
                                                  : nullptr;
    if (target) {
        *target = text;
        PostCommand(kCommandRowEdited, kChangeSummary);
    }
    return TRUE;
}
