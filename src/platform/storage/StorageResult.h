#pragma once
// Results of the compound-file storage layer.

enum class EStorageResult
{
    Ok,
    NotFound,         // file or element does not exist
    AccessDenied,     // locked by another opener, opened read-only, or element already open
    AlreadyExists,    // CreateStream with EStreamCreate::FailIfExists on an existing name
    InvalidName,      // empty, longer than 31 UTF-16 units, or holding / \ : !
    InvalidArgument,  // seek before the start and the like
    TooLarge,         // beyond the 2 GB a version-3 file may hold
    Corrupt,          // not a compound file, or a malformed one
    IoError,          // the operating system refused a read, write or sync
};

// The loader's result codes for a failed open of a file or stream: 30 not found,
// 29 access denied, 20 any other cause; 0 for success.
int StorageResultToLoadCode(EStorageResult result);

// Short English description for log lines.
const char* StorageResultText(EStorageResult result);
