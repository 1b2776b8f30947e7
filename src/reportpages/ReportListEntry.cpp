#include "reportpages/ReportListEntry.h"

#include "project/Bookmark.h"
#include "project/RecDoc.h"
#include "project/ReportViewSettings.h"

#include <algorithm>
#include <array>

namespace {

constexpr UINT kSummaryText = 10117;
constexpr std::array kGraphBookmarkTypes{2, 5, 7, 10, 13, 16, 18, 21, 24};
constexpr std::array kTableBookmarkTypes{0, 1, 3, 4, 6, 8, 9, 11, 12, 14, 15, 17, 19, 20, 22, 23};

} // namespace

int PictureOfBookmarkType(int type)
{
    if (std::ranges::find(kGraphBookmarkTypes, type) != kGraphBookmarkTypes.end())
        return kGraphPicture;
    if (std::ranges::find(kTableBookmarkTypes, type) != kTableBookmarkTypes.end())
        return kTablePicture;
    return kDocumentPicture;
}

std::vector<SReportListEntry> BuildReportListEntries(const CRecDoc& document)
{
    std::vector<SReportListEntry> entries;
    const CProjectSettings* project = document.GetProjectSettings();
    if (!project)
        return entries;
    CString summary;
    summary.LoadString(kSummaryText);
    entries.push_back({summary, SReportListEntry::kNotABookmark, SReportItem::kSummary, kDocumentPicture, 0, 0});
    for (int i = 0; i < project->GetMeasurementCount(); ++i)
        entries.push_back({document.GetSessionName(i), SReportListEntry::kNotABookmark, SReportItem::kSession,
                           kDocumentPicture, 0, i});
    for (int i = 0; i < project->GetImageCount(); ++i)
        entries.push_back({document.GetSavedScreenName(i), SReportListEntry::kNotABookmark, SReportItem::kSavedScreen,
                           kPhotographPicture, 0, i});
    for (int i = 0; i < project->GetBookmarkCount(); ++i) {
        const CBookmark& bookmark = project->GetBookmark(i);
        entries.push_back({bookmark.GetName(), bookmark.GetType(), SReportItem::kBookmark,
                           PictureOfBookmarkType(bookmark.GetType()), 1, i});
    }
    return entries;
}
