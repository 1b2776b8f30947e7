#include "shell/BuildInfo.h"

#include "BuildStampValues.h"

CString GetBuildStamp()
{
    return kBuildRevision;
}
