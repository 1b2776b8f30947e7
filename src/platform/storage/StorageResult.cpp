#include "platform/storage/StorageResult.h"

int StorageResultToLoadCode(EStorageResult result)
{
    switch (result) {
    case EStorageResult::Ok: return 0;
    case EStorageResult::NotFound: return 30;
    case EStorageResult::AccessDenied: return 29;
    default: return 20;
    }
}

const char* StorageResultText(EStorageResult result)
{
    switch (result) {
    case EStorageResult::Ok: return "ok";
    case EStorageResult::NotFound: return "not found";
    case EStorageResult::AccessDenied: return "access denied";
    case EStorageResult::AlreadyExists: return "already exists";
    case EStorageResult::InvalidName: return "invalid element name";
    case EStorageResult::InvalidArgument: return "invalid argument";
    case EStorageResult::TooLarge: return "file too large";
    case EStorageResult::Corrupt: return "malformed compound file";
    case EStorageResult::IoError: return "input/output error";
    }
    return "unknown";
}
