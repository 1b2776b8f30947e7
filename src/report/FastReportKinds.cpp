// The four report kinds: which template, data sets, pictures and adjuster each run uses.
#include "project/Bookmark.h"
#include "project/RecDoc.h"
#include "report/FastReport.h"
#include "report/ReportAdjuster.h"
#include "report/ReportBookmarkUDS.h"
#include "report/ReportRun.h"
#include "report/ReportSessionUDS.h"

#include <glog/logging.h>

namespace
{
struct SBookmarkDataSet
{
    const char* name;
    int kind;
};

constexpr SBookmarkDataSet kGraphDataSets[] = {
    {"SessionUDS", CReportBookmarkUDS::kSessions},
    {"LSOptionUDS", CReportBookmarkUDS::kLeftAxisOptions},
    {"RSOptionUDS", CReportBookmarkUDS::kRightAxisOptions},
    {"AuxUDS", CReportBookmarkUDS::kAux},
    {"LimitUDS", CReportBookmarkUDS::kLimits},
    {"TimeRangeUDS", CReportBookmarkUDS::kTimeRange},
    {"WorkingHoursUDS", CReportBookmarkUDS::kWorkingHours},
    {"DemandPeriodUDS", CReportBookmarkUDS::kDemandPeriod},
    {"CalendarDetailsUDS", CReportBookmarkUDS::kCalendarDetails},
    {"NotesUDS", CReportBookmarkUDS::kNotes},
};

constexpr SBookmarkDataSet kTableDataSets[] = {
    {"AveragingIntervalUDS", CReportBookmarkUDS::kAveragingIntervals},
    {"EnergyCostUDS", CReportBookmarkUDS::kEnergyCosts},
};

constexpr int kDemandTimeRangeTable = 4;
} // namespace

bool CFastReport::SummaryReport(CRecDoc& document, IReportProgress*)
{
    return Guarded([&] {
        CUserDataSetList dataSets;
        CReportPictureList pictures;
        CReportRun run(m_engine, m_events, dataSets, pictures);
        RunReport(GetTemplatePath("SummaryBody"), MakeSummaryVariables(document), nullptr);
        return true;
    });
}

bool CFastReport::SessionReport(CRecDoc& document, IReportProgress*, int session)
{
    if (!document.GetDataSet(session))
    {
        LOG(WARNING) << "No session " << session << " to report";
        return false;
    }
    return Guarded([&] {
        CUserDataSetList dataSets;
        AddUserDataSet(dataSets, "CurrentProbeUDS",
                       std::make_unique<CReportSessionUDS>(document, session, CReportSessionUDS::kCurrentProbes));
        AddUserDataSet(dataSets, "AuxSettingUDS",
                       std::make_unique<CReportSessionUDS>(document, session, CReportSessionUDS::kAuxSettings));
        AddUserDataSet(dataSets, "DummyUDS", std::make_unique<CReportDummyUDS>(1));
        CReportPictureList pictures;
        CReportRun run(m_engine, m_events, dataSets, pictures);
        RunReport(GetTemplatePath("MeasurementBody"), MakeSessionVariables(document, session), nullptr);
        return true;
    });
}

bool CFastReport::SavedScreenReport(CRecDoc& document, IReportProgress*, int savedScreen)
{
    const CProjectSettings* project = document.GetProjectSettings();
    if (!project || savedScreen < 0 || savedScreen >= project->GetImageCount())
    {
        LOG(WARNING) << "No saved screen " << savedScreen << " to report";
        return false;
    }
    return Guarded([&] {
        const CImageSettings& image = project->GetImage(savedScreen);
        CReportPictureList pictures;
        pictures.push_back(std::make_unique<CReportPictureZca>("PictureScreen", image.streamName, document.GetArchive()));
        CUserDataSetList dataSets;
        AddUserDataSet(dataSets, "DummyUDS", std::make_unique<CReportDummyUDS>(1));
        CHideComponents hideInstrument({"ChildScreenInstrument", "ChildScreenSerialNumber"});
        CReportRun run(m_engine, m_events, dataSets, pictures);
        RunReport(GetTemplatePath("SavedScreenBody"), MakeSavedScreenVariables(document, savedScreen),
                  image.HasSerialNumber() ? nullptr : &hideInstrument);
        return true;
    });
}

bool CFastReport::BookmarkReport(CRecDoc& document, IReportProgress*, int bookmarkIndex)
{
    const CProjectSettings* project = document.GetProjectSettings();
    if (!project || bookmarkIndex < 0 || bookmarkIndex >= project->GetBookmarkCount())
        return false;
    return Guarded([&] {
        const CBookmark& bookmark = project->GetBookmark(bookmarkIndex);
        bool graph = bookmark.GetPresentation() == SBookmarkType::kGraph;
        CReportPictureList pictures;
        pictures.push_back(std::make_unique<CReportPictureZca>("PictureBookmark", bookmark.GetImage(), document.GetArchive()));
        CUserDataSetList dataSets;
        if (graph)
        {
            for (const SBookmarkDataSet& set : kGraphDataSets)
                AddUserDataSet(dataSets, set.name, std::make_unique<CReportBookmarkUDS>(document, bookmark, set.kind));
            AddUserDataSet(dataSets, "Dummy1UDS", std::make_unique<CReportDummyUDS>(1));
            AddUserDataSet(dataSets, "Dummy2UDS", std::make_unique<CReportDummyUDS>(1));
        }
        else
        {
            for (const SBookmarkDataSet& set : kTableDataSets)
                AddUserDataSet(dataSets, set.name, std::make_unique<CReportBookmarkUDS>(document, bookmark, set.kind));
            AddUserDataSet(dataSets, "Dummy1UDS", std::make_unique<CReportDummyUDS>(1));
        }
        CHideComponents hideActualInterval({"MemoActualIntervalHeader", "MemoActualInterval"});
        bool hide = !graph && bookmark.GetType() != kDemandTimeRangeTable;
        CReportRun run(m_engine, m_events, dataSets, pictures);
        RunReport(GetTemplatePath(graph ? "BookmarkGraph" : "BookmarkTable"), MakeBookmarkVariables(document, bookmarkIndex),
                  hide ? &hideActualInterval : nullptr);
        return true;
    });
}
