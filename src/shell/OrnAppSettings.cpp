// The settings of COrnApp that other parts of the program read and write through it.
#include "export/ExportProfile.h"
#include "project/LoggerDrive.h"
#include "shell/OrnApp.h"

#include <filesystem>

namespace {

constexpr const char* kSettings = "Settings";

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

int COrnApp::GetExportDlgDataSource() { return ::GetExportDlgDataSource(); }
int COrnApp::GetExportDlgSeparator() { return ::GetExportDlgSeparator(); }
int COrnApp::GetExportDlgSerieMin() { return ::GetExportDlgSerieMin(); }
int COrnApp::GetExportDlgSerieMax() { return ::GetExportDlgSerieMax(); }
int COrnApp::GetExportDlgSerieAvg() { return ::GetExportDlgSerieAvg(); }
int COrnApp::GetExportDlgSerieTotal() { return ::GetExportDlgSerieTotal(); }
CString COrnApp::GetExportDlgTrendState() { return ::GetExportDlgTrendState(); }
CString COrnApp::GetExportDlgDemandState() { return ::GetExportDlgDemandState(); }

void COrnApp::SetExportDlgDataSource(int value) { ::SetExportDlgDataSource(value); }
void COrnApp::SetExportDlgSeparator(int value) { ::SetExportDlgSeparator(value); }
void COrnApp::SetExportDlgSerieMin(int value) { ::SetExportDlgSerieMin(value); }
void COrnApp::SetExportDlgSerieMax(int value) { ::SetExportDlgSerieMax(value); }
void COrnApp::SetExportDlgSerieAvg(int value) { ::SetExportDlgSerieAvg(value); }
void COrnApp::SetExportDlgSerieTotal(int value) { ::SetExportDlgSerieTotal(value); }
void COrnApp::SetExportDlgTrendState(const CString& value) { ::SetExportDlgTrendState(value); }
void COrnApp::SetExportDlgDemandState(const CString& value) { ::SetExportDlgDemandState(value); }

CString COrnApp::GetCsvExportSeparator() { return ::GetCsvExportSeparator(); }
bool COrnApp::IsCsvExportUseUTC() { return ::IsCsvExportUseUTC(); }
bool COrnApp::IsCsvExportTimeZoneOfDataSet() { return ::IsCsvExportTimeZoneOfDataSet(); }
bool COrnApp::IsCsvExportUseLocale() { return ::IsCsvExportUseLocale(); }

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
