#pragma once
// A project archive (".zca"): a compound file whose root holds "project.xml" and one stream per
// session, saved screen and bookmark picture. The project model decides which streams are still
// referenced; every rewrite of "project.xml" removes the others.
//
// The archive holds the user's only copy of the recordings, so it writes back only a project
// that was read completely from it (or one made for an archive it created), writes the new text
// completely before it replaces the old, and sweeps only what the model knows to be unused.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "datamodel/StreamStorage.h"
#include "platform/framework/CString.h"
#include "platform/storage/CompoundFile.h"
#include "project/ProjectSettings.h"

class CStorageStream;

struct SZcaElement
{
    CString name;
    std::uint32_t type; // 1 storage, 2 stream
    std::uint64_t size; // bytes
};

// Called after every 256 KiB copied with the total so far; returning kZcaProgressStop cancels.
using ZcaProgressCallback = int (*)(std::uint64_t bytesCopied, std::uintptr_t context);
inline constexpr int kZcaProgressStop = 1;

class CZcaArchive final : public IStreamStorage
{
public:
    static constexpr char kProjectStreamName[] = "project.xml";
    // The new "project.xml" is written here first, complete, and then renamed over the old one;
    // one left by a crash before the switch is replaced at the next write and never read.
    static constexpr char kProjectTempStreamName[] = "project.xml.new";

    CZcaArchive() = default;
    ~CZcaArchive() override;
    CZcaArchive(const CZcaArchive&) = delete;
    CZcaArchive& operator=(const CZcaArchive&) = delete;

    // Both close an open file first. Create replaces a file of that name and leaves the element
    // list as it was; Open refreshes it. The hook lets tests stop the writes as a crash would.
    // An archive built under a temporary name may defer its syncs to one FlushToDisk before it
    // is renamed into place.
    bool Create(const CString& path, StorageWriteHook hook = {}, ECommitSync sync = ECommitSync::EachCommit);
    bool Open(const CString& path, StorageWriteHook hook = {});
    void Close();
    // Commits what is pending and syncs the file once; false on a failure.
    bool FlushToDisk();
    bool IsOpen() const { return m_file != nullptr; }
    const CString& GetPath() const { return m_path; }
    // Whether the path names the file this archive holds open.
    bool HoldsFileAt(const CString& path) const { return m_file && m_file->IsFileAt(path); }
    // False once the file was moved, deleted or replaced by another under its path while it was
    // open: what is written into it then reaches no file the user can find.
    bool IsAtItsPath() const { return HoldsFileAt(m_path); }

    // The element list is a snapshot of the root storage, rebuilt here.
    void RefreshElementList();
    int GetElementCount() const { return int(m_elements.size()); }
    // Throws std::invalid_argument for an index outside the list.
    const SZcaElement& GetElement(int index) const;
    // In the snapshot, with the format's rule: names differing only in case name one element.
    const SZcaElement* FindElement(const CString& name) const;

    // Asks the storage itself: a valid name that no element carries in any case. True on an
    // archive that is not open.
    bool IsNameFree(const CString& name) const;
    // A free name after the last component of the path (see UniqueStreamName.h), never one of
    // the project's own names; empty when none is free.
    CString MakeUniqueStreamName(const CString& pathOrName) const;

    bool CreateStream(const CString& name, EStreamCreate mode, std::unique_ptr<CStorageStream>& stream,
                      EStorageResult* error = nullptr);
    bool OpenStream(const CString& name, EStorageAccess access, std::unique_ptr<CStorageStream>& stream,
                    EStorageResult* error = nullptr);
    // A session stream for the data-set loader (read-only).
    int OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream) override;
    // Destroys the element (a missing one is no error), then refreshes the list; always true.
    bool DeleteElement(const CString& name);

    // Copy a file, or a stream of another open archive, into a new stream; a name already taken
    // fails. A failed or cancelled copy leaves no stream behind.
    bool ImportFile(const CString& streamName, const CString& filePath, ZcaProgressCallback progress = nullptr,
                    std::uintptr_t context = 0);
    bool CopyStreamFrom(const CString& targetName, CZcaArchive& source, const CString& sourceName,
                        ZcaProgressCallback progress = nullptr, std::uintptr_t context = 0);
    // Copies a whole session stream that is held open elsewhere (a data set keeps its stream)
    // into a new stream; the source's position is kept.
    bool ImportDataStream(const CString& streamName, IDataStream& source);
    // Writes the stream to a file beside the target and renames it into place; a failure
    // leaves no file behind and an existing target untouched.
    bool ExportStream(const CString& streamName, const CString& filePath);

    // Reads "project.xml" into the (new) project. Missing or unparseable: kUnreadable, and the
    // project stays as it was. Only a complete read allows writing the project back.
    EProjectLoadResult ReadProjectXml(CProjectSettings& project);
    // Replaces "project.xml" (a text equal to the stored one is not written again), then sweeps
    // the streams the project does not name and gives back the space at the end of the file
    // that nothing uses: an unchanged project in a tidy file leaves its file as it was. False,
    // with nothing changed, when the archive is not open or no longer at its path, its project
    // was not read completely, the project's load was imperfect (unless this object created the
    // file), or the text could not be written.
    bool WriteProjectXml(const CProjectSettings& project);

private:
    bool WriteWholeStream(const CString& name, const std::string& bytes);
    // Whether the stream exists and holds exactly these bytes.
    bool StreamHolds(const CString& name, const std::string& bytes);
    // Destroys the streams that neither the project nor `alsoKept` (keys of StorageName) names.
    void DeleteUnreferencedStreams(const CProjectSettings& project, const std::unordered_set<std::u16string>& alsoKept);

    std::shared_ptr<CCompoundFile> m_file;
    CString m_path;
    std::vector<SZcaElement> m_elements;
    // The streams the project the file holds names, as read or last written.
    std::unordered_set<std::u16string> m_storedStreams;
    bool m_projectWritable = false;
    bool m_created = false;
};
