// The settings of COrnApp that other parts of the program read and write through it.
#include "project/LoggerDrive.h"
#include "shell/OrnApp.h"

#include <filesystem>

namespace {

constexpr const char* kSettings = "Settings";
constexpr int kUnsetChoice = -1;
constexpr const char* kUnsetState = "-100";

CString FolderOf(const CString& path)
{
    return std::filesystem::path(path.str()).parent_path().string();
}

const char* LastImageEntry()
{
    std::vector<CString> loggerFolders;
    FindLoggerDrive(loggerFolders);
    return loggerFolders.empty() ? "LastImagePath" : "LastImageZelkoPath";
}

} // namespace

int COrnApp::GetExportDlgDataSource() { return m_profile.GetProfileInt(kSettings, "ExportDlgDataSource", kUnsetChoice); }
int COrnApp::GetExportDlgSeparator() { return m_profile.GetProfileInt(kSettings, "ExportDlgSeparator", kUnsetChoice); }
int COrnApp::GetExportDlgSerieMin() { return m_profile.GetProfileInt(kSettings, "ExportDlgSerieMin", kUnsetChoice); }
int COrnApp::GetExportDlgSerieMax() { return m_profile.GetProfileInt(kSettings, "ExportDlgSerieMax", kUnsetChoice); }
int COrnApp::GetExportDlgSerieAvg() { return m_profile.GetProfileInt(kSettings, "ExportDlgSerieAvg", kUnsetChoice); }
int COrnApp::GetExportDlgSerieTotal() { return m_profile.GetProfileInt(kSettings, "ExportDlgSerieTotal", kUnsetChoice); }
CString COrnApp::GetExportDlgTrendState() { return m_profile.GetProfileString(kSettings, "ExportDlgTrendState", kUnsetState); }
CString COrnApp::GetExportDlgDemandState() { return m_profile.GetProfileString(kSettings, "ExportDlgDemandState", kUnsetState); }

void COrnApp::SetExportDlgDataSource(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgDataSource", value); }
void COrnApp::SetExportDlgSeparator(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgSeparator", value); }
void COrnApp::SetExportDlgSerieMin(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgSerieMin", value); }
void COrnApp::SetExportDlgSerieMax(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgSerieMax", value); }
void COrnApp::SetExportDlgSerieAvg(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgSerieAvg", value); }
void COrnApp::SetExportDlgSerieTotal(int value) { m_profile.WriteProfileInt(kSettings, "ExportDlgSerieTotal", value); }
void COrnApp::SetExportDlgTrendState(const CString& value) { m_profile.WriteProfileString(kSettings, "ExportDlgTrendState", value.GetString()); }
void COrnApp::SetExportDlgDemandState(const CString& value) { m_profile.WriteProfileString(kSettings, "ExportDlgDemandState", value.GetString()); }

CString COrnApp::GetCsvExportSeparator() { return m_profile.GetProfileString(kSettings, "CsvExportSeparator", ";"); }
bool COrnApp::IsCsvExportUseUTC() { return m_profile.GetProfileInt(kSettings, "CsvExportUseUTC", 0) == 1; }
bool COrnApp::IsCsvExportTimeZoneOfDataSet() { return m_profile.GetProfileInt(kSettings, "CsvExportUseUTC", 0) == 2; }
bool COrnApp::IsCsvExportUseLocale() { return m_profile.GetProfileInt(kSettings, "CsvExportUseLocale", 1) != 0; }

CString COrnApp::GetLastAddDataPath() { return m_profile.GetProfileString(kSettings, "LastAddDataPath", ""); }

void COrnApp::SetLastAddDataPath(const CString& path)
{
    if (!path.IsEmpty())
        m_profile.WriteProfileString(kSettings, "LastAddDataPath", FolderOf(path).GetString());
}

CString COrnApp::GetLastImagePath() { return m_profile.GetProfileString(kSettings, LastImageEntry(), ""); }

void COrnApp::SetLastImagePath(const CString& path)
{
    m_profile.WriteProfileString(kSettings, LastImageEntry(), path.GetString());
}

int COrnApp::GetReportOutputFormat() { return m_profile.GetProfileInt(kSettings, "ReportOutputFormat", 1); }
