#pragma once
// Writing prepared pages to files. A file is written beside its target and renamed into place
// only when complete: a failed export leaves no partial file and an existing target untouched.
// Both throw CReportEngineError when the file cannot be written.
#include "platform/reportengine/PreparedReport.h"

// Text as text, fonts and pictures embedded.
void WritePdf(const std::vector<SPreparedPage>& pages, const CString& path);
// Rich text: every band a table row of its components, pictures as PNG, a page break per page.
void WriteRtf(const std::vector<SPreparedPage>& pages, const CString& path);
