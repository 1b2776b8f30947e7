#include "report/AutoReport.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "project/RecDoc.h"
#include "project/ReportViewSettings.h"
#include "report/IReport.h"
#include "report/IReportProgress.h"

#include <glog/logging.h>

#include <algorithm>

namespace {

constexpr UINT kSummaryText = 10117;
// Item kinds 1..3: "Session", "Saved Screen", "Bookmark".
constexpr UINT kKindTexts[] = {7671, 10119, 6048};

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// Whether the project still holds the entry the item names.
bool ItemExists(const SAutoReportItem& item, const CProjectSettings& project)
{
    switch (item.kind) {
    case SReportItem::kSummary: return true;
    case SReportItem::kSession: return item.index >= 0 && item.index < project.GetMeasurementCount();
    case SReportItem::kSavedScreen: return item.index >= 0 && item.index < project.GetImageCount();
    case SReportItem::kBookmark: return item.index >= 0 && item.index < project.GetBookmarkCount();
    default: return false;
    }
}

bool ReportItem(IReport& report, CRecDoc& document, IReportProgress& progress, const SAutoReportItem& item)
{
    switch (item.kind) {
    case SReportItem::kSummary: return report.SummaryReport(document, &progress);
    case SReportItem::kSession: return report.SessionReport(document, &progress, item.index);
    case SReportItem::kSavedScreen: return report.SavedScreenReport(document, &progress, item.index);
    default: return report.BookmarkReport(document, &progress, item.index);
    }
}

// Ends the progress however the run leaves.
class CProgressScope
{
public:
    explicit CProgressScope(IReportProgress& progress) : m_progress(progress) {}
    ~CProgressScope() { m_progress.End(); }
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;

private:
    IReportProgress& m_progress;
};

} // namespace

std::vector<SAutoReportItem> CAutoReport::CollectItems(const CRecDoc& document)
{
    std::vector<SAutoReportItem> items;
    const CProjectSettings* project = document.GetProjectSettings();
    if (!project)
        return items;
    // The page's list replaces the default once the user arranged it; settings stored for the
    // page's other states (its collapsed sections, a renumbering after a deletion) do not.
    const auto* stored = dynamic_cast<const CReportViewSettings*>(project->GetViewSettings(CViewSettings::kReportViewId));
    if (stored && stored->m_itemsArranged) {
        for (const SReportItem& item : stored->m_items) {
            if (item.Type == SReportItem::kSummary)
                items.push_back({SReportItem::kSummary, -1});
            else if (item.Type >= SReportItem::kSession && item.Type <= SReportItem::kBookmark)
                items.push_back({item.Type, item.Index});
        }
        return items;
    }
    items.push_back({SReportItem::kSummary, -1});
    const std::pair<int, int> lists[] = {{SReportItem::kSession, project->GetMeasurementCount()},
                                         {SReportItem::kSavedScreen, project->GetImageCount()},
                                         {SReportItem::kBookmark, project->GetBookmarkCount()}};
    for (const auto& [kind, count] : lists)
        for (int i = 0; i < count; ++i)
            items.push_back({kind, i});
    return items;
}

bool CAutoReport::HasReportableItem(const CRecDoc& document)
{
    const std::vector<SAutoReportItem> items = CollectItems(document);
    return std::any_of(items.begin(), items.end(),
                       [&](const SAutoReportItem& item) { return ItemExists(item, *document.GetProjectSettings()); });
}

CString CAutoReport::ItemName(const SAutoReportItem& item)
{
    if (item.kind == SReportItem::kSummary)
        return LoadText(kSummaryText);
    CString name = LoadText(kKindTexts[item.kind - 1]);
    name.AppendFormat(" %d", item.index + 1);
    return name;
}

bool CAutoReport::Run(IReport& report, CRecDoc& document, IReportProgress& progress)
{
    CProgressScope scope(progress);
    const std::vector<SAutoReportItem> items = CollectItems(document);
    const int count = int(items.size());
    progress.Begin(0, count, 1);
    for (int k = 1; k <= count; ++k) {
        const SAutoReportItem& item = items[std::size_t(k - 1)];
        if (!progress.Step(ItemName(item), k) || !progress.Item(k, count))
            return false;
        if (!ItemExists(item, *document.GetProjectSettings())) {
            LOG(WARNING) << "Report item " << k << " (kind " << item.kind << ", index " << item.index
                         << ") names no entry of the project and is left out";
            continue;
        }
        if (!ReportItem(report, document, progress, item)) {
            LOG(WARNING) << "Report item " << k << " (kind " << item.kind << ", index " << item.index << ") failed";
            return false;
        }
        // The progress window's Cancel is seen here: the run keeps the user-interface thread.
        PumpWaitingMessages();
    }
    // A Cancel pressed during the last item still counts: nothing is exported then.
    return count == 0 || progress.Item(count, count);
}
