#pragma once
#include "platform/framework/CString.h"

// The source revision and its commit date and time the program was built from, fixed when the
// build was configured ("unknown" when the sources were not a git checkout). Stored with every
// new measurement.
CString GetBuildStamp();
// The program's version: the whole version, or with `shortForm` only the part before the second
// point ("1.2.3" -> "1.2"); "???" when the build carries none.
CString GetAppVersion(bool shortForm);
