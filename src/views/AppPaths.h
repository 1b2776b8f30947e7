#pragma once
// Files and folders that stand beside the program.
#include "platform/framework/CString.h"

// The full path of the file of that name in the program's folder.
CString GetPathBesideExecutable(const CString& fileName);
// The folder of the report templates (and the optional logo), ending with "/": "reports" in the
// resource folder.
CString GetReportTemplatesFolder();
