#include "export/CsvExportFile.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/ProgressThread.h"
#include "export/ExportProfile.h"
#include "export/ReplacingFile.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "views/AppPaths.h"

#include <glog/logging.h>

#include <algorithm>
#include <charconv>

namespace {

constexpr int kTrendRecordType = 64;
constexpr int kDemandRecordType = 65;
constexpr UINT IDS_EXPORTING_DATA = 7603;      // "Exporting data..."
constexpr UINT IDS_EXPORT_NOT_CREATED = 7690;  // "The file %s cannot be created: %s."
constexpr UINT IDS_EXPORT_NOT_WRITTEN = 7691;  // "Writing the file %s failed: %s. ..."
constexpr std::size_t kStartTimeOffset = 4;
constexpr std::size_t kStopTimeOffset = 12;
constexpr std::size_t kPeriodOffset = 20;
constexpr const char* kLineEnd = "\r\n";

CCsvTimeFormat::EMode TimeModeFromProfile()
{
    if (IsCsvExportUseUTC())
        return CCsvTimeFormat::EMode::Utc;
    if (IsCsvExportTimeZoneOfDataSet())
        return CCsvTimeFormat::EMode::SessionZone;
    return CCsvTimeFormat::EMode::Local;
}

// Record times are stored as two 32-bit words, the high word first.
ULONGLONG LoadRecordTime(const unsigned char* record, std::size_t offset)
{
    return (ULONGLONG(LoadU32(record, offset)) << 32) | LoadU32(record, offset + 4);
}

// The shortest text that reads back as the same float, with "." and no grouping whatever the
// locale: energy counters keep every digit.
void AppendFloat(std::string& line, float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

void AppendUnsigned(std::string& line, DWORD value)
{
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    line.append(text, result.ptr);
}

void TellUser(UINT id, const CString& fileName, const std::string& reason)
{
    CString format;
    format.LoadString(id);
    AfxMessageBox(CString::Formatted(format.GetString(), fileName, CString(reason)).GetString(), MB_ICONERROR);
}

} // namespace

CCsvExportFile::CCsvExportFile(const CMeasurementConfig& config)
    : CCsvExportFile(config, GetPathBesideExecutable(CCsvTimeFormat::kZoneTableName).str())
{
}

CCsvExportFile::CCsvExportFile(const CMeasurementConfig& config, const std::filesystem::path& zoneTable)
    : m_separator(GetCsvExportSeparator().str()),
      m_time(TimeModeFromProfile(), config.GetTimeZoneText(), zoneTable)
{
}

void CCsvExportFile::SelectColumns(std::span<const SCsvColumn> table, const std::vector<int>& quantities, bool min,
                                   bool max, bool avg, bool total)
{
    m_columns.clear();
    for (const SCsvColumn& column : table) {
        const bool statistic = column.statistic == kCsvStatisticMin   ? min
                               : column.statistic == kCsvStatisticAvg ? avg
                                                                      : max;
        if (statistic && (column.phase != kCsvPhaseTotal || total) &&
            std::binary_search(quantities.begin(), quantities.end(), column.quantity))
            m_columns.push_back(column);
    }
}

unsigned CCsvExportFile::Export(const CDataTable& records, const CString& fileName,
                                const std::vector<int>& quantities, bool min, bool max, bool avg, bool total)
{
    CReplacingFile file;
    if (!file.Open(std::filesystem::path(fileName.str()))) {
        LOG(WARNING) << "CSV export: " << fileName.str() << " cannot be created: " << file.GetError();
        TellUser(IDS_EXPORT_NOT_CREATED, fileName, file.GetError());
        return kNotWritten;
    }
    CProgressThread progress;
    progress.StartDialog(IDS_EXPORTING_DATA, CString());
    progress.SetPercent(0);

    bool complete = true;
    const int type = records.GetTableType();
    if (type == kTrendRecordType || type == kDemandRecordType) {
        const bool trend = type == kTrendRecordType;
        SelectColumns(trend ? TrendCsvColumns() : DemandCsvColumns(), quantities, min, max, avg, total);
        std::string header;
        AppendHeader(header, trend ? "Trend_Period" : "Demand_Period");
        file.Write(header);
        complete = WriteRecords(records, file, progress);
    }

    unsigned result = kWritten;
    if (!complete) {
        file.Discard();
        LOG(INFO) << "CSV export to " << fileName.str() << " canceled; no file written";
        result = kCanceled;
    } else if (!file.Commit()) {
        LOG(WARNING) << "CSV export: writing " << fileName.str() << " failed: " << file.GetError();
        TellUser(IDS_EXPORT_NOT_WRITTEN, fileName, file.GetError());
        result = kNotWritten;
    }
    progress.Finish();
    return result;
}

void CCsvExportFile::AppendHeader(std::string& line, const char* periodTitle) const
{
    const std::string& zone = m_time.GetZoneName();
    line += "Start(" + zone + ")" + m_separator + "Stop(" + zone + ")" + m_separator + periodTitle;
    for (const SCsvColumn& column : m_columns) {
        line += m_separator;
        line += column.title;
    }
    line += kLineEnd;
}

bool CCsvExportFile::WriteRecords(const CDataTable& records, CReplacingFile& file, CProgressThread& progress) const
{
    // Progress points (a message pump and a cancel check each) lie min(N / 100, 100) records
    // apart; below 100 records there are none.
    const int count = records.GetCount();
    const int step = count / 100;
    const int pointDistance = std::min(step, 100);
    int nextPoint = pointDistance;
    int written = 0;
    std::string line;
    for (const Umbo_table_header_t* table : records) {
        const auto* record = reinterpret_cast<const unsigned char*>(table);
        line.clear();
        AppendRecord(line, record, table->table_lth);
        file.Write(line);
        ++written;
        if (pointDistance == 0 || written != nextPoint)
            continue;
        PumpWaitingMessages();
        if (progress.IsCanceled())
            return false;
        // The share written: count / step would pass 100 % long before the end (199 records
        // give step 1).
        progress.SetPercent(int(written * 100LL / count));
        nextPoint += pointDistance;
    }
    return true;
}

void CCsvExportFile::AppendRecord(std::string& line, const unsigned char* record, std::size_t length) const
{
    // Every record copy holds the two times; a record shorter than its columns (a damaged file)
    // gets empty fields instead of reads past its end.
    m_time.Append(line, LoadRecordTime(record, kStartTimeOffset));
    line += m_separator;
    m_time.Append(line, LoadRecordTime(record, kStopTimeOffset));
    line += m_separator;
    if (length >= kPeriodOffset + 4)
        AppendUnsigned(line, LoadU32(record, kPeriodOffset));
    for (const SCsvColumn& column : m_columns) {
        line += m_separator;
        if (length >= std::size_t(column.offset) + 4)
            AppendFloat(line, LoadF32(record, std::size_t(column.offset)));
    }
    line += kLineEnd;
}
