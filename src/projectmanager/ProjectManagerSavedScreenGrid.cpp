#include "projectmanager/ProjectManagerSavedScreenGrid.h"

#include <algorithm>

#include "platform/framework/windows/GdiObjects.h"
#include "project/ImageSettings.h"
#include "project/IProjectManagerView.h"
#include "project/ProjectManagerSettings.h"
#include "projectmanager/ProjectManagerContent.h"

namespace {

constexpr int kChangeScreenName = 0;
constexpr int kChangeScreenNotes = 9;
constexpr int kPictureBodyRow = 3;
constexpr UINT IDS_NAME = 10123;
enum EEdit { kEditName = 0, kEditNotes = 1 };

constexpr SCardButton kButtons[] = {
    {{6, -1, 2, -1}, 10129, 1568, 1569, kCommandDeleteSavedScreen}, // "Remove"
};
constexpr SCardButton kSingleRecordButtons[] = {
    {{5, -1, 1, -1}, 10128, 1582, 1583, 0}, // "Rename"
    {{6, -1, 2, -1}, 10129, 1568, 1569, 0}, // "Remove"
};
constexpr SCardLabel kLoggerLabels[] = {
    {{0, 0, 1, 1}, IDS_NAME, false},
    {{0, 2, 1, 1}, 10124, false}, // "Notes"
    {{4, 0, 3, 1}, 10126, true},  // "Screen information"
};
constexpr SCardLabel kOtherLabels[] = {
    {{0, 0, 1, 1}, IDS_NAME, false},
    {{0, 2, 1, 1}, 10124, false},
};
constexpr SCardEdit kEdits[] = {{{0, 1, 1, 1}, false}, {{0, 3, 1, 1}, true}};
constexpr SCardRect kLoggerInfos[] = {{4, 1, 3, 3}};
constexpr SCardRect kLoggerPictures[] = {{2, 0, 1, 4}};
// A picture from elsewhere has no information beside it.
constexpr SCardRect kOtherPictures[] = {{2, 0, 5, 4}};
constexpr SCardRect kSeparators[] = {{1, 0, 1, 4}, {3, 0, 1, 4}};
// The wide picture covers the second separator's column.
constexpr SCardRect kOtherSeparators[] = {{1, 0, 1, 4}};
constexpr int kBodyRowHeights[] = {20, 20, 20, CProjectManagerSavedScreenGrid::kPictureRowHeight};
// 0: the column that takes what the others leave.
constexpr double kColumnWeights[] = {8, 0.7, 0.05, 486, 0.05, 0, 80, 72, 8};

constexpr SCardRect kTitle{0, -1, 6, -1};
constexpr SCardRect kSingleRecordTitle{0, -1, 5, -1};

constexpr SCardLayout kLoggerLayout{9,        7,           kTitle,       kButtons, kLoggerLabels, kEdits, kLoggerInfos,
                                    kLoggerPictures, kSeparators, kBodyRowHeights, kColumnWeights};
constexpr SCardLayout kOtherLayout{9,        7,           kTitle,       kButtons, kOtherLabels, kEdits, {},
                                   kOtherPictures, kOtherSeparators, kBodyRowHeights, kColumnWeights};
constexpr SCardLayout kSingleRecordLoggerLayout{9,
                                                7,
                                                kSingleRecordTitle,
                                                kSingleRecordButtons,
                                                kLoggerLabels,
                                                kEdits,
                                                kLoggerInfos,
                                                kLoggerPictures,
                                                kSeparators,
                                                kBodyRowHeights,
                                                kColumnWeights};
constexpr SCardLayout kSingleRecordOtherLayout{9,
                                               7,
                                               kSingleRecordTitle,
                                               kSingleRecordButtons,
                                               kOtherLabels,
                                               kEdits,
                                               {},
                                               kOtherPictures,
                                               kOtherSeparators,
                                               kBodyRowHeights,
                                               kColumnWeights};

} // namespace

CProjectManagerSavedScreenGrid::CProjectManagerSavedScreenGrid(CGridViewBase* parentView, int records,
                                                               bool singleRecord, CRecDoc* document, int recordIndex)
    : CProjectManagerBasicGrid(parentView, records, singleRecord, kHoverTimer), m_cache(document)
{
    m_recordIndex = recordIndex;
}

void CProjectManagerSavedScreenGrid::OnSetup()
{
    m_pictureTypeIndex = AddCellType(&m_pictureType);
    CProjectManagerBasicGrid::OnSetup();
}

const SCardLayout& CProjectManagerSavedScreenGrid::CardLayout() const
{
    return kLoggerLayout;
}

const SCardLayout& CProjectManagerSavedScreenGrid::SingleRecordLayout() const
{
    return kSingleRecordLoggerLayout;
}

bool CProjectManagerSavedScreenGrid::IsLoggerScreenshot(int section) const
{
    const CImageSettings* image = m_cache.GetImageSettings(RecordOfSection(section));
    return !image || image->HasSerialNumber();
}

const SCardLayout& CProjectManagerSavedScreenGrid::SectionLayout(int section) const
{
    if (IsLoggerScreenshot(section))
        return m_singleRecord ? kSingleRecordLoggerLayout : kLoggerLayout;
    return m_singleRecord ? kSingleRecordOtherLayout : kOtherLayout;
}

void CProjectManagerSavedScreenGrid::JoinSectionCells(int section)
{
    CProjectManagerBasicGrid::JoinSectionCells(section);
    const SCardRect& picture = SectionLayout(section).pictures.front();
    QuickSetCellType(OriginCol(picture), OriginRow(section, picture), m_pictureTypeIndex);
}

void CProjectManagerSavedScreenGrid::SetSectionIcons(int section)
{
    CProjectManagerBasicGrid::SetSectionIcons(section);
    if (m_building) {
        const SCardRect& picture = SectionLayout(section).pictures.front();
        QuickSetBitmap(OriginCol(picture), OriginRow(section, picture), nullptr);
    }
}

void CProjectManagerSavedScreenGrid::SetSectionLabels(int section)
{
    CProjectManagerBasicGrid::SetSectionLabels(section);
    const CImageSettings* image = m_cache.GetImageSettings(RecordOfSection(section));
    if (!image || image->HasSerialNumber())
        return;
    CString label;
    label.LoadString(IDS_NAME);
    const SCardRect& rect = SectionLayout(section).labels.front().rect;
    QuickSetText(OriginCol(rect), OriginRow(section, rect), label + " [" + image->fileName + "]");
}

int CProjectManagerSavedScreenGrid::ScaledPictureHeight(CSize picture, int cellWidth)
{
    if (picture.cx <= 0 || picture.cy <= 0)
        return 0;
    if (cellWidth > 0 && picture.cx > cellWidth)
        return int(double(picture.cy) * cellWidth / picture.cx);
    return picture.cy;
}

int CProjectManagerSavedScreenGrid::PictureCellWidth(int section) const
{
    int c1, r1, c2, r2;
    RectCells(section, SectionLayout(section).pictures.front(), c1, r1, c2, r2);
    int width = 0;
    for (int col = c1; col <= c2; ++col)
        width += GetColWidth(col);
    return width;
}

int CProjectManagerSavedScreenGrid::BodyRowHeight(int section, int bodyRow) const
{
    if (bodyRow != kPictureBodyRow)
        return CProjectManagerBasicGrid::BodyRowHeight(section, bodyRow);
    const CBitmap* bitmap = m_cache.GetImageBitmap(RecordOfSection(section));
    const int height = bitmap ? ScaledPictureHeight(bitmap->GetSize(), PictureCellWidth(section)) : 0;
    return kPictureRowHeight + std::max(0, height - kPictureCellMinimum);
}

void CProjectManagerSavedScreenGrid::Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings,
                                          int index)
{
    m_settings = &settings;
    if (m_singleRecord)
        m_recordIndex = index;
    for (int section = 0; section < GetSectionCount(); ++section) {
        const int record = RecordOfSection(section);
        if (!m_cache.GetImageSettings(record))
            continue;
        const SCardLayout& layout = SectionLayout(section);
        if (std::size_t(record) < content.savedScreens.size() && content.savedScreens[std::size_t(record)]) {
            const structProjectManagerSavedScreenInfo& info = *content.savedScreens[std::size_t(record)];
            QuickSetText(OriginCol(layout.title), OriginRow(section, layout.title), info.displayName);
            if (!layout.infos.empty())
                QuickSetText(OriginCol(layout.infos.front()), OriginRow(section, layout.infos.front()), info.screenText);
        }
        if (std::size_t(record) < settings.m_savedScreens.size()) {
            SetEditText(section, kEditName, settings.m_savedScreens[std::size_t(record)].Name);
            SetEditText(section, kEditNotes, settings.m_savedScreens[std::size_t(record)].Notes);
        }
        const SCardRect& picture = layout.pictures.front();
        QuickSetBitmap(OriginCol(picture), OriginRow(section, picture), m_cache.GetImageBitmap(record));
    }
}

void CProjectManagerSavedScreenGrid::StoreStates(CProjectManagerSettings& settings) const
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const std::size_t record = std::size_t(RecordOfSection(section));
        if (record < settings.m_savedScreens.size())
            settings.m_savedScreens[record].Collapsed = IsSectionCollapsed(section) ? 1 : 0;
    }
}

void CProjectManagerSavedScreenGrid::RestoreStates(const CProjectManagerSettings& settings)
{
    for (int section = 0; section < GetSectionCount(); ++section) {
        const std::size_t record = std::size_t(RecordOfSection(section));
        if (record < settings.m_savedScreens.size() && settings.m_savedScreens[record].Collapsed != 0)
            CollapseSection(section);
    }
}

void CProjectManagerSavedScreenGrid::OnButton(int section, int button)
{
    if (m_singleRecord) {
        if (button == 0)
            StartTitleRename(section);
        else if (CWnd* parent = GetParent())
            parent->PostMessage(WM_PM_CARD_STATE, reinterpret_cast<WPARAM>(this), kCardRemove);
        return;
    }
    PostCommand(kCommandDeleteSavedScreen, section);
}

BOOL CProjectManagerSavedScreenGrid::OnEditFinish(int col, int row, CWnd*, const CString& text, BOOL cancelled)
{
    const int section = SectionOfRow(row);
    const std::size_t record = std::size_t(RecordOfSection(section));
    if (cancelled || !m_settings || record >= m_settings->m_savedScreens.size())
        return TRUE;
    SProjectManagerSavedScreenEntry& entry = m_settings->m_savedScreens[record];
    if (m_singleRecord) {
        if (row == OriginRow(section, Layout().title) && col == OriginCol(Layout().title))
            FinishTitleRename(col, row, text, entry.Name, SProjectItemName::kSavedScreen);
        return TRUE;
    }
    const int edit = HitEditCell(col, row);
    CStringW* target = edit == kEditName ? &entry.Name : edit == kEditNotes ? &entry.Notes : nullptr;
    if (target && *target != text) {
        *target = text;
        PostCommand(kCommandRowEdited, edit == kEditName ? kChangeScreenName : kChangeScreenNotes);
    }
    return TRUE;
}
