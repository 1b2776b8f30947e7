#include "export/ExportProfile.h"

#include "platform/framework/Profile.h"

namespace {

constexpr const char* kSettings = "Settings";
constexpr int kUnsetChoice = -1;
constexpr const char* kUnsetState = "-100";

int Int(const char* name, int unset)
{
    return CProfile::Instance().GetProfileInt(kSettings, name, unset);
}

void SetInt(const char* name, int value)
{
    CProfile::Instance().WriteProfileInt(kSettings, name, value);
}

CString String(const char* name, const char* unset)
{
    return CProfile::Instance().GetProfileString(kSettings, name, unset);
}

void SetString(const char* name, const CString& value)
{
    CProfile::Instance().WriteProfileString(kSettings, name, value.GetString());
}

} // namespace

int GetExportDlgDataSource() { return Int("ExportDlgDataSource", kUnsetChoice); }
int GetExportDlgSeparator() { return Int("ExportDlgSeparator", kUnsetChoice); }
int GetExportDlgSerieMin() { return Int("ExportDlgSerieMin", kUnsetChoice); }
int GetExportDlgSerieMax() { return Int("ExportDlgSerieMax", kUnsetChoice); }
int GetExportDlgSerieAvg() { return Int("ExportDlgSerieAvg", kUnsetChoice); }
int GetExportDlgSerieTotal() { return Int("ExportDlgSerieTotal", kUnsetChoice); }
CString GetExportDlgTrendState() { return String("ExportDlgTrendState", kUnsetState); }
CString GetExportDlgDemandState() { return String("ExportDlgDemandState", kUnsetState); }

void SetExportDlgDataSource(int value) { SetInt("ExportDlgDataSource", value); }
void SetExportDlgSeparator(int value) { SetInt("ExportDlgSeparator", value); }
void SetExportDlgSerieMin(int value) { SetInt("ExportDlgSerieMin", value); }
void SetExportDlgSerieMax(int value) { SetInt("ExportDlgSerieMax", value); }
void SetExportDlgSerieAvg(int value) { SetInt("ExportDlgSerieAvg", value); }
void SetExportDlgSerieTotal(int value) { SetInt("ExportDlgSerieTotal", value); }
void SetExportDlgTrendState(const CString& value) { SetString("ExportDlgTrendState", value); }
void SetExportDlgDemandState(const CString& value) { SetString("ExportDlgDemandState", value); }

CString GetCsvExportSeparator() { return String("CsvExportSeparator", ";"); }
bool IsCsvExportUseUTC() { return Int("CsvExportUseUTC", 0) == 1; }
bool IsCsvExportTimeZoneOfDataSet() { return Int("CsvExportUseUTC", 0) == 2; }
bool IsCsvExportUseLocale() { return Int("CsvExportUseLocale", 1) != 0; }
