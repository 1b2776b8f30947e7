#pragma once
// Report variable values travel as report-script expressions; the engine evaluates them.
#include "platform/framework/CString.h"

// A text holding a carriage return and line feed is passed as it is; otherwise it becomes a
// string literal: without double quotes every backslash is doubled, with them every double
// quote gets a backslash and backslashes stay single.
CString QuoteReportScriptText(const CString& text);
