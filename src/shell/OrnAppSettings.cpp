// The settings of COrnApp that other parts of the program read and write through it.
#include "export/ExportProfile.h"
#include "project/LastFolders.h"
#include "shell/OrnApp.h"

namespace {

constexpr const char* kSettings = "Settings";

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

CString COrnApp::GetLastAddDataPath() { return ::GetLastAddDataPath(); }
void COrnApp::SetLastAddDataPath(const CString& path) { ::SetLastAddDataPath(path); }
CString COrnApp::GetLastImagePath() { return ::GetLastImagePath(); }
void COrnApp::SetLastImagePath(const CString& path) { ::SetLastImagePath(path); }

int COrnApp::GetReportOutputFormat() { return m_profile.GetProfileInt(kSettings, "ReportOutputFormat", 1); }
