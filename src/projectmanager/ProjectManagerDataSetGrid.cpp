#include "projectmanager/ProjectManagerDataSetGrid.h"

#include "grid/CUGCellType.h"
#include "grid/CellTextFit.h"
#include "platform/framework/windows/CDC.h"
#include "project/IProjectManagerView.h"
#include "project/ProjectManagerSettings.h"
#include "projectmanager/ProjectManagerContent.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kChangeSessionName = 8;
constexpr int kChangeSessionTexts = 7;
enum EEdit { kEditName = 0, kEditDescription = 1, kEditNotes = 2 };

constexpr SCardButton kButtons[] = {
    {{7, -1, 1, -1}, 10118, 1572, 1573, kCommandSessionSettings}, // "Settings"
    {{8, -1, 1, -1}, 10127, 1570, 1571, kCommandExportSession},   // "Export"
    {{9, -1, 2, -1}, 10129, 1568, 1569, kCommandDeleteSession},   // "Remove"
};
constexpr SCardButton kSingleRecordButtons[] = {
    {{8, -1, 1, -1}, 10128, 1582, 1583, 0}, // "Rename"
    {{9, -1, 2, -1}, 10129, 1568, 1569, 0}, // "Remove"
};
constexpr SCardLabel kLabels[] = {
    {{0, 0, 1, 1}, 10123, false}, // "Name"
    {{0, 2, 1, 1}, 10122, false}, // "Description"
    {{0, 4, 1, 1}, 10124, false}, // "Notes"
    {{2, 0, 8, 1}, 10125, true},  // "Summary information"
};
constexpr SCardEdit kEdits[] = {
    {{0, 1, 1, 1}, false},
    {{0, 3, 1, 1}, true},
    {{0, 5, 1, 1}, true},
};
// Configuration, times and origin.
constexpr SCardRect kInfos[] = {{2, 1, 1, 5}, {4, 1, 1, 5}, {6, 1, 4, 5}};
constexpr SCardRect kSeparators[] = {{1, 0, 1, 6}, {3, 1, 1, 5}, {5, 1, 1, 5}};
constexpr int kBodyRowHeights[] = {20, 20, 20, 95, 20, 95};
// The information texts span the body rows from the second on; the last grows when they need it.
constexpr int kFirstInfoRow = 1;
constexpr int kGrowingRow = int(std::size(kBodyRowHeights)) - 1;
// 0: the column that takes what the others leave.
constexpr double kColumnWeights[] = {8, 0.4, 8, 0.28, 8, 0.28, 8, 0, 70, 70, 62, 8};

constexpr SCardLayout kLayout{12, 9, {0, -1, 7, -1}, kButtons, kLabels, kEdits, kInfos, {}, kSeparators,
                              kBodyRowHeights, kColumnWeights};
constexpr SCardLayout kSingleRecordLayout{12, 9, {0, -1, 8, -1}, kSingleRecordButtons, kLabels, kEdits, kInfos, {},
                                          kSeparators, kBodyRowHeights, kColumnWeights};

} // namespace

CProjectManagerDataSetGrid::CProjectManagerDataSetGrid(CGridViewBase* parentView, int records, bool singleRecord)
    : CProjectManagerBasicGrid(parentView, records, singleRecord, kHoverTimer)
{
}

const SCardLayout& CProjectManagerDataSetGrid::CardLayout() const
{
    return kLayout;
}

const SCardLayout& CProjectManagerDataSetGrid::SingleRecordLayout() const
{
    return kSingleRecordLayout;
}

void CProjectManagerDataSetGrid::Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings, int index)
{
    m_settings = &settings;
    if (m_singleRecord)
        m_recordIndex = index;
    const SCardLayout& layout = Layout();
    for (int section = 0; section < GetSectionCount(); ++section) {
        const int record = RecordOfSection(section);
        if (std::size_t(record) >= content.dataSets.size() || !content.dataSets[std::size_t(record)])
            continue;
        const structProjectManagerDataSetInfo& info = *content.dataSets[std::size_t(record)];
        QuickSetText(OriginCol(layout.title), OriginRow(section, layout.title), info.displayName);
        if (const SProjectManagerDataSetEntry* entry = settings.GetDataSetEntry(record)) {
            SetEditText(section, kEditName, entry->Name);
            SetEditText(section, kEditDescription, entry->Description);
            SetEditText(section, kEditNotes, entry->Notes);
        }
        const CStringW* texts[] = {&info.configurationText, &info.timesText, &info.originText};
        for (std::size_t i = 0; i < std::size(texts); ++i)
            QuickSetText(OriginCol(layout.infos[i]), OriginRow(section, layout.infos[i]), *texts[i]);
    }
}

void CProjectManagerDataSetGrid::ApplyRowHeights()
{
    MeasureInfoTexts();
    CProjectManagerBasicGrid::ApplyRowHeights();
}

void CProjectManagerDataSetGrid::MeasureInfoTexts()
{
    m_infoHeights.assign(std::size_t(GetSectionCount()), 0);
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    for (int section = 0; section < GetSectionCount(); ++section) {
        for (const SCardRect& info : SectionLayout(section).infos) {
            int c1, r1, c2, r2;
            RectCells(section, info, c1, r1, c2, r2);
            CUGCell cell;
            GetCellWithDefaults(c1, r1, &cell);
            CUGCellType* type = GetCellType(cell.GetCellType());
            if (!type || !cell.GetText() || !*cell.GetText())
                continue;
            CSize size(-CellBorderRoom(*this, cell), 0);
            for (int col = c1; col <= c2; ++col)
                size.cx += GetColWidth(col);
            if (size.cx <= 0)
                continue;
            type->GetBestSize(&dc, &size, &cell);
            m_infoHeights[std::size_t(section)] = std::max(m_infoHeights[std::size_t(section)], int(size.cy));
        }
    }
}

int CProjectManagerDataSetGrid::BodyRowHeight(int section, int bodyRow) const
{
    const int height = CProjectManagerBasicGrid::BodyRowHeight(section, bodyRow);
    if (bodyRow != kGrowingRow || std::size_t(section) >= m_infoHeights.size())
        return height;
    // In a narrow window the texts wrap onto more lines than the rows hold: the card grows.
    int rows = 0;
    for (int row = kFirstInfoRow; row <= kGrowingRow; ++row)
        rows += CProjectManagerBasicGrid::BodyRowHeight(section, row);
    return height + std::max(0, m_infoHeights[std::size_t(section)] - rows);
}

void CProjectManagerDataSetGrid::StoreStates(CProjectManagerSettings& settings) const
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        if (SProjectManagerDataSetEntry* entry = settings.GetDataSetEntry(RecordOfSection(section)))
            entry->Collapsed = IsSectionCollapsed(section) ? 1 : 0;
    }
}

void CProjectManagerDataSetGrid::RestoreStates(const CProjectManagerSettings& settings)
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const SProjectManagerDataSetEntry* entry = settings.GetDataSetEntry(RecordOfSection(section));
        if (entry && entry->Collapsed != 0)
            CollapseSection(section);
    }
}

void CProjectManagerDataSetGrid::OnButton(int section, int button)
{
    if (m_singleRecord) {
        if (button == 0)
            StartTitleRename(section);
        else if (CWnd* parent = GetParent())
            parent->PostMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), kCardRemove);
        return;
    }
    PostCommand(Layout().buttons[std::size_t(button)].command, section);
    Invalidate();
}

BOOL CProjectManagerDataSetGrid::OnEditFinish(int col, int row, CWnd*, const CString& text, BOOL cancelled)
{
    if (cancelled || !m_settings)
        return TRUE;
    const int section = SectionOfRow(row);
    SProjectManagerDataSetEntry* entry = m_settings->GetDataSetEntry(RecordOfSection(section));
    if (!entry)
        return TRUE;
    if (m_singleRecord) {
        if (row == OriginRow(section, Layout().title) && col == OriginCol(Layout().title))
            FinishTitleRename(col, row, text, entry->Name, SProjectItemName::kSession);
        return TRUE;
    }
    const int edit = HitEditCell(col, row);
    CStringW* target = edit == kEditName          ? &entry->Name
                       : edit == kEditDescription ? &entry->Description
                       : edit == kEditNotes       ? &entry->Notes
                                                  : nullptr;
    if (target && *target != text) {
        *target = text;
        PostCommand(kCommandRowEdited, edit == kEditName ? kChangeSessionName : kChangeSessionTexts);
    }
    return TRUE;
}
