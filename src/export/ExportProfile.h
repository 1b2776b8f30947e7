#pragma once
// The profile values of the CSV export (section "Settings"): the export dialog's last choices
// and the writer's separator and time-zone settings. The application object answers them too.
#include "platform/framework/CString.h"

// Integers, -1 when unset.
int GetExportDlgDataSource();
int GetExportDlgSeparator();
int GetExportDlgSerieMin();
int GetExportDlgSerieMax();
int GetExportDlgSerieAvg();
int GetExportDlgSerieTotal();
// The checked items of each tree as "%d" joined by ","; "-100" when unset.
CString GetExportDlgTrendState();
CString GetExportDlgDemandState();
void SetExportDlgDataSource(int value);
void SetExportDlgSeparator(int value);
void SetExportDlgSerieMin(int value);
void SetExportDlgSerieMax(int value);
void SetExportDlgSerieAvg(int value);
void SetExportDlgSerieTotal(int value);
void SetExportDlgTrendState(const CString& value);
void SetExportDlgDemandState(const CString& value);

// "CsvExportSeparator" (";" when unset); "CsvExportUseUTC" 1 = UTC, 2 = the session's zone,
// anything else the computer's local time; "CsvExportUseLocale" (1 when unset). Nothing in the
// program writes these.
CString GetCsvExportSeparator();
bool IsCsvExportUseUTC();
bool IsCsvExportTimeZoneOfDataSet();
bool IsCsvExportUseLocale();
