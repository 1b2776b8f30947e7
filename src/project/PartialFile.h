#pragma once
// A project file is written beside its target as "<target>.part<pid>" and renamed into place
// only when it is complete. One left by a process that was killed on the way (hundreds of MB
// for a large project) is removed when its target is opened or written: a name of that pattern
// whose process no longer runs and that no opener holds. No other file is ever removed. Where
// that name would pass the file system's limit, the target's stem is shortened in it.
#include "platform/framework/CString.h"

// The partial name this process writes for the target.
CString PartialPathFor(const CString& target);

// Removes the target's partial files of processes that no longer run (when the target is
// opened or written).
void RemoveAbandonedPartials(const CString& target);
