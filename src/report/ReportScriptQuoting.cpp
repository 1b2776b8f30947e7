#include "report/ReportScriptQuoting.h"

CString QuoteReportScriptText(const CString& text)
{
    if (text.Find("\r\n") >= 0)
        return text;
    CString quoted = text;
    if (quoted.Find('"') < 0)
        quoted.Replace("\\", "\\\\");
    else
        quoted.Replace("\"", "\\\"");
    return "\"" + quoted + "\"";
}
