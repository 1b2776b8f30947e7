#include "project/BuildInfo.h"

#include "BuildStampValues.h"

CString GetBuildStamp()
{
    return kBuildRevision;
}

CString GetAppVersion(bool shortForm)
{
    CString version(kBuildAppVersion);
    if (version.IsEmpty())
        return "???";
    if (shortForm) {
        const int first = version.Find('.');
        const int second = first < 0 ? -1 : version.Find('.', first + 1);
        if (second >= 0)
            version = version.Left(second);
    }
    return version;
}
