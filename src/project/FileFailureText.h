#pragma once
// The reasons the document gives when a session file cannot be opened or a project file cannot
// be written, from the loader's result or from what the file system tells about the target.
#include <cstdint>
#include <optional>

#include "platform/framework/CString.h"

// "<path> cannot be opened: <why>." for a loader result other than 0; empty for a load the user
// cancelled (nothing to tell).
CString SessionOpenFailureText(const CString& path, int loadResult);

// Whether another opener holds the file for writing (an open project, in this program or
// another instance of it); false for a file that does not exist.
bool IsFileHeldByAnotherOpener(const CString& path);

// The reason of a loader result other than 0 ("the file is truncated" and the like).
CString SessionLoadFailureReason(int loadResult);

// Whether the file exists but may not be written (write protection, no rights).
bool IsFileReadOnly(const CString& path);

enum class EWriteTarget
{
    kOtherFile,   // a file the document does not hold: another opener's lock counts
    kOpenProject, // the document's own project file, which it holds itself
};

// Why `neededBytes` could not be written to the path: its folder is missing or cannot be
// written, the file is held by another opener, or the file system has too little free space
// (as `freeBytes` tells; asked when not given); else a general reason.
CString DescribeWriteFailure(const CString& path, std::uint64_t neededBytes,
                             EWriteTarget target = EWriteTarget::kOtherFile,
                             std::optional<std::uint64_t> freeBytes = std::nullopt);
