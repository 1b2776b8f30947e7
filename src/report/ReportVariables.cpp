// The report variables of each report kind, as the templates print them.
#include "datamodel/DateTimeFormats.h"
#include "datamodel/IntervalText.h"
#include "datamodel/TrendTimeBlock.h"
#include "platform/framework/LocaleNumber.h"
#include "project/BasicViewSettings.h"
#include "project/Bookmark.h"
#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"
#include "report/FastReport.h"
#include "report/ReportStrings.h"
#include "views/TimeSpanText.h"

namespace
{
constexpr char kMissingValue[] = "- - -";
constexpr int kDemandOverviewTable = 3;
constexpr int kDemandTimeRangeTable = 4;

// "n (n+m)": n records, m intervals missing between the first and the last; the templates label
// it "recorded (expected)", so both numbers stand even when nothing is missing.
CString IntervalCountText(const CTrendTimeBlock& block)
{
    int count = block.GetRecordCount();
    int missing = count > 0 ? block.CountMissingIntervals(0, count - 1) : 0;
    return CString::Formatted("%d (%d)", count, count + missing);
}

// "<label>  <version>"; a version description that names itself already is not labelled twice.
CString VersionText(unsigned labelId, const CString& version)
{
    CString label = LoadReportString(labelId);
    if (!label.IsEmpty() && version.Left(label.GetLength()) == label)
        return version;
    return CString::Formatted("%s  %s", label, version);
}
} // namespace

CReportVariables CFastReport::MakeSummaryVariables(const CRecDoc& document) const
{
    CReportVariables variables;
    const CProjectManagerSettings* manager = FindProjectManagerSettings(document);
    const SProjectManagerSummaryEntry* entry = manager && !manager->m_summary.empty() ? &manager->m_summary.front() : nullptr;
    variables["SummaryClient"] = entry ? entry->Client : CString();
    variables["SummaryLocation"] = entry ? entry->Location : CString();
    variables["SummaryDescription"] = entry ? entry->Description : CString();
    variables["DocPath"] = GetDocPathText(document);
    return variables;
}

CReportVariables CFastReport::MakeSessionVariables(CRecDoc& document, int session) const
{
    CReportVariables variables;
    CDataSet& set = *document.GetDataSet(session);
    const CMeasurementConfig& config = set.GetMeasurementConfig();
    const CProjectManagerSettings* manager = FindProjectManagerSettings(document);
    const SProjectManagerDataSetEntry* entry = manager ? manager->GetDataSetEntry(session) : nullptr;
    const CProjectSettings* project = document.GetProjectSettings();
    const CValueFormatter& formatter = *document.GetValueFormatter();
    CString timeFormat = ExpandDateTimeFormat(kIdsDateTimeFormat);

    CString fileName = project && session < project->GetMeasurementCount() ? project->GetMeasurement(session).GetFileName()
                                                                            : CString();
    variables["MeasName"] = entry ? entry->Name : fileName;
    variables["MeasNotes"] = entry ? entry->Notes : CString();
    variables["MeasDescription"] = entry ? entry->Description : config.GetDescription();
    variables["MeasStudyType"] = config.GetStudyTypeName();
    variables["MeasTopology"] = config.GetTopologyName();
    variables["MeasNominalVoltage"] = config.IsLoadStudyWithNominalVoltage()
                                          ? " " + ShortestLocaleFloat(config.GetNominalVoltage(), CUserLocale::Current()) + "V"
                                          : CString(kMissingValue);
    variables["MeasAveragingInterval"] = FormatIntervalText(int(config.GetAveragingInterval()));

    CHighTime start = config.GetConfiguredStart();
    CHighTime end = config.GetConfiguredEnd();
    variables["MeasConfiguredStart"] = start.Format(timeFormat);
    variables["MeasConfiguredEnd"] = end.Format(timeFormat);
    variables["MeasConfiguredDuration"] = FormatTimeSpanText(end - start);
    LONGLONG averagingTicks = LONGLONG(config.GetAveragingInterval()) * kTicksPerSecond;
    // An averaging interval of 0 would divide by zero: the count is then unknown.
    variables["MeasConfiguredIntervalCount"] =
        averagingTicks > 0 ? CString::Formatted("%lld", (end - start).GetTicks() / averagingTicks) : CString(kMissingValue);

    const CTrendTimeBlock& trend = *set.GetTrendTimeBlock();
    bool hasRecords = trend.GetRecordCount() > 0;
    variables["MeasActualStart"] = hasRecords ? trend.GetFirstTime().Format(timeFormat) : CString(kMissingValue);
    variables["MeasActualEnd"] = hasRecords ? trend.GetLastTime().Format(timeFormat) : CString(kMissingValue);
    variables["MeasActualDuration"] =
        hasRecords ? FormatTimeSpanText(trend.GetLastTime() - trend.GetFirstTime()) : CString(kMissingValue);
    variables["MeasActualIntervalCount"] = IntervalCountText(trend);
    variables["MeasDemandInterval"] =
        config.GetDemandInterval() ? FormatIntervalText(int(config.GetDemandInterval())) : CString(kMissingValue);
    variables["MeasActualDemandCount"] = IntervalCountText(*set.GetDemandTimeBlock());

    variables["MeasInstrumentName"] = set.GetInstrumentName();
    variables["MeasInstrumentCPU"] = VersionText(kIdsFirmwareVersion, set.DescribeTable(37, false));
    variables["MeasInstrumentDSP"] = VersionText(kIdsDspVersion, set.DescribeTable(38, false));
    variables["MeasInstrumentSerialNumber"] = set.DescribeTable(45, false);
    variables["MeasVoltageRatio"] = formatter.FormatNumber(config.GetVoltageRatio0(), 3, ":1");
    variables["MeasCurrentRatio"] = formatter.FormatNumber(config.GetCurrentRatio0(), 3, ":1");
    variables["MeasInstrumentTimezone"] = config.GetTimeZoneText();
    variables["DocPath"] = GetDocPathText(document);
    return variables;
}

CReportVariables CFastReport::MakeSavedScreenVariables(const CRecDoc& document, int savedScreen) const
{
    CReportVariables variables;
    const CImageSettings& image = document.GetProjectSettings()->GetImage(savedScreen);
    const CProjectManagerSettings* manager = FindProjectManagerSettings(document);
    const SProjectManagerSavedScreenEntry* entry =
        manager && savedScreen < int(manager->m_savedScreens.size()) ? &manager->m_savedScreens[std::size_t(savedScreen)]
                                                                      : nullptr;
    variables["ScreenName"] = entry ? entry->Name : image.fileName;
    variables["ScreenNotes"] = entry ? entry->Notes : CString();
    variables["ScreenCreationDate"] =
        image.imageTime.IsZero() ? CString() : " " + image.imageTime.Format(ExpandDateTimeFormat(kIdsDateTimeFormat));
    variables["ScreenInstrumentName"] = image.instrument;
    variables["ScreenInstrumentVersion"] = VersionText(kIdsFirmwareVersion, image.instrumentCpu);
    variables["ScreenInstrumentSerialNumber"] = image.serialNumber;
    variables["DocPath"] = GetDocPathText(document);
    return variables;
}

CReportVariables CFastReport::MakeBookmarkVariables(const CRecDoc& document, int bookmarkIndex) const
{
    CReportVariables variables;
    const CBookmark& bookmark = document.GetProjectSettings()->GetBookmark(bookmarkIndex);
    variables["BookmarkName"] = bookmark.GetName();
    variables["DocPath"] = GetDocPathText(document);
    if (bookmark.GetPresentation() != SBookmarkType::kGraph)
    {
        const auto* settings = dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings());
        bool demand = bookmark.GetType() == kDemandOverviewTable ||
                      (bookmark.GetType() == kDemandTimeRangeTable && (!settings || !settings->m_useTrendDataForDemand));
        variables["IsDemandTable"] = demand ? "1" : "0";
    }
    return variables;
}
