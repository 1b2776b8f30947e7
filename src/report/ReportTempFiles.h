#pragma once
// Temporary picture files of the reports. They live in a folder private to the process, so two
// running instances never write into each other's files; the folder goes with everything in it
// when the process ends.
#include "platform/framework/CString.h"

// "<private folder>/tmpKemFastReportExport<n>.<extension>", n counting from 1 in the process.
CString MakeReportTempFileName(const CString& extension);
// The private folder (created on first use); empty when it cannot be created.
CString GetReportTempFolder();
