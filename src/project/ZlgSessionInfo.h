#pragma once
// The description of one ".zlg" session, as the document and the download dialog show it.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

struct SZlgSessionInfo
{
    CStringW sessionName; // the name the logger gave the session
    CStringW sourcePath;
    CStringW description;
    CStringW path;
    CStringW displayName; // session name and serial number
    CHighTime startTime;
    CHighTime endTime;
    DWORD filled = 0;     // 1 once the record was filled from a session
    WORD studyType = 0;   // 0 unspecified, 1 energy study, 2 load study

    void Reset() { *this = SZlgSessionInfo(); }
};
