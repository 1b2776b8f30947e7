#pragma once
// A file written under a temporary name beside its target and renamed over the target only when
// it is complete, so that a cancelled or failed export never leaves a partial file that looks
// whole and never harms a file of the same name. Writes are buffered: one system call per block,
// not per line.
//
// The temporary file has no name while it is written where the file system allows that, so that
// an export that is killed leaves nothing behind; elsewhere it has a short hidden name of its own
// that tells the target it is for (a target name of any legal length fits beside it), and such
// files left for that target by an export that no longer runs are removed when the target is
// written next. No other file is ever removed.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <string_view>

// The hidden name of the temporary file that process `writer` makes for `target` as its n-th.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target, pid_t writer, unsigned n);

class CReplacingFile
{
public:
    CReplacingFile() = default;
    // Removes a temporary file that was not committed.
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // Creates the temporary file; false, with the reason in GetError, when the target cannot be
    // written (missing folder, no rights, an existing target that is read-only or a folder).
    bool Open(const std::filesystem::path& target);
    void Write(std::string_view text);
    // Writes what is buffered, makes it durable and renames it over the target; false, with the
    // temporary file removed and the reason in GetError, when any write failed.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    const std::string& GetError() const { return m_error; }

private:
    bool OpenNamedTemporary();
    void FlushBuffer();
    void Fail(int error);

    int m_fd = -1;
    std::filesystem::path m_target;
    // Empty while the temporary file has no name.
    std::filesystem::path m_temporary;
    std::string m_buffer;
    std::string m_error;
};
