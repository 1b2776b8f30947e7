#include "project/FileFailureText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "datamodel/DataSet.h"
#include "datamodel/DiskSpace.h"
#include "datamodel/IDataStream.h"

namespace {

constexpr UINT IDS_CANNOT_BE_OPENED_BECAUSE = 20001; // "%s cannot be opened: %s."
constexpr UINT IDS_FILE_TRUNCATED = 20002;
constexpr UINT IDS_NOT_A_SESSION = 20003;
constexpr UINT IDS_FILE_UNREADABLE = 20004;
constexpr UINT IDS_ACCESS_DENIED = 20005;
constexpr UINT IDS_FILE_MISSING = 20006;
constexpr UINT IDS_TOO_LITTLE_SPACE_TO_LOAD = 20007;
constexpr UINT IDS_TOO_LITTLE_MEMORY_TO_LOAD = 20147;
constexpr UINT IDS_FOLDER_MISSING = 20011;
constexpr UINT IDS_FOLDER_READ_ONLY = 20012;
constexpr UINT IDS_FILE_IN_USE = 20013;
constexpr UINT IDS_DISK_FULL = 20014;
constexpr UINT IDS_NOT_WRITTEN = 20015;

struct SLoadFailure
{
    int result;
    UINT reason;
};

// Any other result: the file cannot be read.
constexpr SLoadFailure kLoadFailures[] = {
    {CDataSet::kResultIncomplete, IDS_FILE_TRUNCATED},
    {CDataSet::kResultShortTable, IDS_FILE_TRUNCATED},
    {CDataSet::kResultBadStream, IDS_NOT_A_SESSION},
    {CDataSet::kResultOpenBracket, IDS_NOT_A_SESSION},
    {kStreamAccessDenied, IDS_ACCESS_DENIED},
    {kStreamNotFound, IDS_FILE_MISSING},
    {CDataSet::kResultDiskSpace, IDS_TOO_LITTLE_SPACE_TO_LOAD},
    {CDataSet::kResultMemory, IDS_TOO_LITTLE_MEMORY_TO_LOAD},
};

CString Loaded(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('/');
    return slash < 0 ? CString(".") : slash == 0 ? CString("/") : path.Left(slash);
}

} // namespace

CString SessionLoadFailureReason(int loadResult)
{
    UINT reason = IDS_FILE_UNREADABLE;
    for (const SLoadFailure& failure : kLoadFailures)
        if (failure.result == loadResult)
            reason = failure.reason;
    return Loaded(reason);
}

CString SessionOpenFailureText(const CString& path, int loadResult)
{
    if (loadResult == CDataSet::kResultCanceled)
        return {};
    return CString::Formatted(Loaded(IDS_CANNOT_BE_OPENED_BECAUSE).GetString(), path,
                              SessionLoadFailureReason(loadResult));
}

bool IsFileReadOnly(const CString& path)
{
    return ::access(path.GetString(), F_OK) == 0 && ::access(path.GetString(), W_OK) != 0;
}

bool IsFileHeldByAnotherOpener(const CString& path)
{
    const int fd = ::open(path.GetString(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A writer holds the file exclusively; readers share it.
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

CString DescribeWriteFailure(const CString& path, std::uint64_t neededBytes, EWriteTarget target,
                             std::optional<std::uint64_t> freeBytes)
{
    const CString folder = FolderOf(path);
    struct stat info {};
    if (::stat(folder.GetString(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Loaded(IDS_FOLDER_MISSING);
    if (::access(folder.GetString(), W_OK) != 0)
        return Loaded(IDS_FOLDER_READ_ONLY);
    // The open project is held by its own document, which is no other opener.
    if (target == EWriteTarget::kOtherFile && IsFileHeldByAnotherOpener(path))
        return Loaded(IDS_FILE_IN_USE);
    if (!freeBytes)
        freeBytes = QueryFreeSpaceForFile(path.str());
    if (freeBytes && *freeBytes < neededBytes)
        return Loaded(IDS_DISK_FULL);
    return Loaded(IDS_NOT_WRITTEN);
}
