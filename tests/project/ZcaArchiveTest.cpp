#include "project/ZcaArchive.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "support/TempFolder.h"
#include "platform/storage/StorageStream.h"

namespace {

std::vector<unsigned char> Pattern(std::size_t size, unsigned seed)
{
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 31 + seed) >> 3);
    return bytes;
}

// A project naming the given session streams.
std::unique_ptr<CProjectSettings> ProjectWith(const std::vector<CString>& sessions)
{
    auto project = std::make_unique<CProjectSettings>();
    for (const CString& stream : sessions)
        project->AddMeasurement(stream, stream);
    return project;
}

std::vector<CString> ElementNames(const CZcaArchive& archive)
{
    std::vector<CString> names;
    for (int i = 0; i < archive.GetElementCount(); ++i)
        names.push_back(archive.GetElement(i).name);
    return names;
}

class ZcaArchiveTest : public ::testing::Test
{
protected:
    CString PathOf(const std::string& name) const { return m_folder.Path(name); }

    // An archive with project.xml naming the sessions, each imported from a file of `size` bytes.
    CString MakeArchive(const std::vector<CString>& sessions, std::size_t size = 1000)
    {
        const CString path = PathOf("project.zca");
        CZcaArchive archive;
        EXPECT_TRUE(archive.Create(path));
        unsigned seed = 0;
        for (const CString& stream : sessions) {
            const CString file = PathOf(std::string(stream.GetString()) + ".src");
            WriteFileBytes(file.GetString(), Pattern(size, ++seed));
            EXPECT_TRUE(archive.ImportFile(stream, file));
        }
        EXPECT_TRUE(archive.WriteProjectXml(*ProjectWith(sessions)));
        return path;
    }

    std::vector<unsigned char> Export(CZcaArchive& archive, const CString& stream)
    {
        const CString target = PathOf("exported.bin");
        EXPECT_TRUE(archive.ExportStream(stream, target));
        return ReadFileBytes(target.GetString());
    }

    CTempFolder m_folder;
};

} // namespace

TEST_F(ZcaArchiveTest, CreatesImportsAndReopens)
{
    const CString path = MakeArchive({"a.zlg", "b.zlg"}, 70000);
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_EQ(archive.GetPath(), path);
    EXPECT_EQ(ElementNames(archive), (std::vector<CString>{"a.zlg", "b.zlg", "project.xml"}));
    EXPECT_EQ(archive.GetElement(0).size, 70000u);
    EXPECT_EQ(archive.GetElement(0).type, 2u);
    EXPECT_THROW(archive.GetElement(3), std::invalid_argument);
    EXPECT_THROW(archive.GetElement(-1), std::invalid_argument);
    EXPECT_EQ(Export(archive, "b.zlg"), Pattern(70000, 2));

    CProjectSettings project;
    EXPECT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    ASSERT_EQ(project.GetMeasurementCount(), 2);
    EXPECT_EQ(project.GetMeasurement(1).GetStreamName(), "b.zlg");

    std::unique_ptr<IDataStream> session;
    ASSERT_EQ(archive.OpenStream("a.zlg", session), 0);
    EXPECT_EQ(session->GetLength(), 70000u);
    EXPECT_EQ(archive.OpenStream("missing.zlg", session), kStreamNotFound);

    CZcaArchive second; // every open is exclusive
    EXPECT_FALSE(second.Open(path));
    archive.Close();
    EXPECT_FALSE(archive.IsOpen());
    EXPECT_TRUE(archive.GetPath().IsEmpty());
    EXPECT_TRUE(second.Open(path));
    EXPECT_FALSE(archive.Open(PathOf("absent.zca")));
}

TEST_F(ZcaArchiveTest, NamesAreComparedAsTheFormatDoes)
{
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(MakeArchive({"a.zlg"})));
    EXPECT_FALSE(archive.IsNameFree("A.ZLG"));
    EXPECT_FALSE(archive.IsNameFree("Project.XML"));
    EXPECT_TRUE(archive.IsNameFree("b.zlg"));
    EXPECT_FALSE(archive.IsNameFree("a:b"));
    EXPECT_FALSE(archive.IsNameFree(""));
    EXPECT_EQ(archive.MakeUniqueStreamName("/data/A.zlg"), "A0000.zlg");
    ASSERT_NE(archive.FindElement("A.zlg"), nullptr);
    EXPECT_EQ(archive.FindElement("A.zlg")->name, "a.zlg");

    // Importing "A.zlg" beside "a.zlg" must not replace the other session's stream.
    const CString file = PathOf("other.bin");
    WriteFileBytes(file.GetString(), Pattern(10, 9));
    EXPECT_FALSE(archive.ImportFile("A.zlg", file));
    EXPECT_EQ(Export(archive, "a.zlg"), Pattern(1000, 1));
    EXPECT_TRUE(archive.ImportFile(archive.MakeUniqueStreamName("/data/A.zlg"), file));
    EXPECT_EQ(Export(archive, "A0000.zlg"), Pattern(10, 9));
}

TEST_F(ZcaArchiveTest, UniqueNamesAreCheckedAgainstTheStorageItself)
{
    CZcaArchive archive;
    ASSERT_TRUE(archive.Create(PathOf("x.zca")));
    const CString file = PathOf("bookmark.bin");
    WriteFileBytes(file.GetString(), Pattern(100, 1));
    // Create leaves the snapshot empty; the names taken are found all the same.
    for (const char* expected : {"bookmark.png", "bookmark0000.png", "bookmark0001.png"}) {
        const CString name = archive.MakeUniqueStreamName("bookmark.png");
        EXPECT_EQ(name, expected);
        ASSERT_TRUE(archive.ImportFile(name, file));
    }
}

TEST_F(ZcaArchiveTest, TheProjectsOwnNamesAreNeverGivenToData)
{
    // A data stream under the temporary name would be overwritten by the next project text.
    CZcaArchive archive;
    ASSERT_TRUE(archive.Create(PathOf("x.zca")));
    for (const char* path : {"/data/project.xml.new", "/data/PROJECT.XML.NEW", "/data/Project.xml"}) {
        const CString name = archive.MakeUniqueStreamName(path);
        EXPECT_FALSE(name.IsEmpty()) << path;
        EXPECT_NE(name.CompareNoCase(CZcaArchive::kProjectTempStreamName), 0) << path;
        EXPECT_NE(name.CompareNoCase(CZcaArchive::kProjectStreamName), 0) << path;
    }
}

TEST_F(ZcaArchiveTest, FailedCancelledAndKilledImportsLeaveNoStreamAndNoSpace)
{
    const CString path = MakeArchive({"a.zlg"});
    const std::vector<unsigned char> original = ReadFileBytes(path.GetString());
    const CString big = PathOf("big.bin");
    WriteFileBytes(big.GetString(), Pattern(3 * 1024 * 1024, 3));
    // Killed while it copies: the file holds its old content and the copied part after it,
    // until the next write of the project gives that back (the text itself is unchanged).
    {
        int writes = 0;
        CZcaArchive killed;
        ASSERT_TRUE(killed.Open(path, [&](const SWriteEvent&) {
            return ++writes < 6 ? EWriteAction::Proceed : EWriteAction::Crash;
        }));
        EXPECT_FALSE(killed.ImportFile("big.zlg", big));
    }
    EXPECT_GT(std::filesystem::file_size(path.GetString()), original.size() + 1024 * 1024);
    {
        CZcaArchive archive;
        ASSERT_TRUE(archive.Open(path));
        CProjectSettings project;
        ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
        EXPECT_TRUE(archive.WriteProjectXml(project));
    }
    EXPECT_EQ(std::filesystem::file_size(path.GetString()), original.size());
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_EQ(ElementNames(archive), (std::vector<CString>{"a.zlg", "project.xml"}));
    EXPECT_EQ(Export(archive, "a.zlg"), Pattern(1000, 1));

    struct SCalls
    {
        std::vector<std::uint64_t> totals;
        int answer;
    };
    const ZcaProgressCallback record = [](std::uint64_t total, std::uintptr_t context) {
        auto* calls = reinterpret_cast<SCalls*>(context);
        calls->totals.push_back(total);
        return calls->answer;
    };
    // Stopped: the file keeps its size.
    SCalls cancel{{}, kZcaProgressStop};
    EXPECT_FALSE(archive.ImportFile("big.zlg", big, record, reinterpret_cast<std::uintptr_t>(&cancel)));
    EXPECT_EQ(cancel.totals, std::vector<std::uint64_t>{64 * 4096});
    EXPECT_TRUE(archive.IsNameFree("big.zlg"));
    EXPECT_EQ(archive.FindElement("big.zlg"), nullptr);
    EXPECT_EQ(std::filesystem::file_size(path.GetString()), original.size());

    SCalls proceed{{}, 0};
    EXPECT_TRUE(archive.ImportFile("big.zlg", big, record, reinterpret_cast<std::uintptr_t>(&proceed)));
    EXPECT_EQ(proceed.totals.size(), 12u);
    EXPECT_NE(archive.FindElement("big.zlg"), nullptr);
    EXPECT_EQ(Export(archive, "big.zlg"), Pattern(3 * 1024 * 1024, 3));

    EXPECT_FALSE(archive.ImportFile("c.zlg", PathOf("absent.bin")));
    EXPECT_FALSE(archive.ImportFile("c.zlg", m_folder.Root().string().c_str())); // a folder
    EXPECT_FALSE(archive.ImportFile("bad:name", big));
    EXPECT_TRUE(archive.IsNameFree("c.zlg"));
}

TEST_F(ZcaArchiveTest, CopiesStreamsBetweenArchives)
{
    CZcaArchive source;
    ASSERT_TRUE(source.Open(MakeArchive({"a.zlg"}, 5000)));
    CZcaArchive target;
    ASSERT_TRUE(target.Create(PathOf("target.zca")));
    EXPECT_TRUE(target.CopyStreamFrom("copy.zlg", source, "a.zlg"));
    EXPECT_EQ(ElementNames(target), std::vector<CString>{"copy.zlg"});
    EXPECT_EQ(Export(target, "copy.zlg"), Pattern(5000, 1));
    EXPECT_FALSE(target.CopyStreamFrom("COPY.zlg", source, "a.zlg"));
    EXPECT_FALSE(target.CopyStreamFrom("other.zlg", source, "missing.zlg"));
    EXPECT_TRUE(target.IsNameFree("other.zlg"));
}

TEST_F(ZcaArchiveTest, ExportLeavesNoHalfWrittenFile)
{
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(MakeArchive({"a.zlg"})));
    const CString existing = PathOf("keep.bin");
    WriteFileBytes(existing.GetString(), {1, 2, 3});
    EXPECT_FALSE(archive.ExportStream("missing.zlg", existing));
    EXPECT_EQ(ReadFileBytes(existing.GetString()), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_FALSE(archive.ExportStream("a.zlg", PathOf("no/such/folder/x.zlg")));
    // A target that cannot be replaced: the written copy is removed again.
    std::filesystem::create_directories(m_folder.Root() / "dir.zlg/inner");
    EXPECT_FALSE(archive.ExportStream("a.zlg", PathOf("dir.zlg")));
    EXPECT_TRUE(archive.ExportStream("a.zlg", existing));
    EXPECT_EQ(ReadFileBytes(existing.GetString()), Pattern(1000, 1));

    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Root()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"a.zlg.src", "dir.zlg", "keep.bin", "project.zca"}));
}

TEST_F(ZcaArchiveTest, RewritingTheProjectSweepsOnlyUnreferencedStreams)
{
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(MakeArchive({"a.zlg", "b.zlg", "c.png", "d.png"})));
    CProjectSettings project;
    ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    project.RemoveMeasurementByStream("b.zlg");
    project.RemoveMeasurementByStream("c.png");
    project.RemoveMeasurementByStream("d.png");
    CImageSettings image;
    image.fileName = "screen.png";
    image.streamName = "C.PNG"; // the same element in the format's eyes
    project.AddImage(image);
    EXPECT_TRUE(archive.WriteProjectXml(project));
    EXPECT_EQ(ElementNames(archive), (std::vector<CString>{"a.zlg", "c.png", "project.xml"}));

    CZcaArchive reopened;
    archive.Close();
    ASSERT_TRUE(reopened.Open(PathOf("project.zca")));
    EXPECT_EQ(ElementNames(reopened), (std::vector<CString>{"a.zlg", "c.png", "project.xml"}));
    CProjectSettings readBack;
    ASSERT_EQ(reopened.ReadProjectXml(readBack), EProjectLoadResult::kComplete);
    // A stream nothing names goes at the next rewrite, also when the text is the same.
    const CString file = PathOf("left.src");
    WriteFileBytes(file.GetString(), Pattern(70000, 4));
    ASSERT_TRUE(reopened.ImportFile("left.zlg", file));
    EXPECT_TRUE(reopened.WriteProjectXml(readBack));
    EXPECT_EQ(ElementNames(reopened), (std::vector<CString>{"a.zlg", "c.png", "project.xml"}));
    // An empty project read completely may empty the archive, but project.xml stays.
    CProjectSettings empty;
    EXPECT_TRUE(reopened.WriteProjectXml(empty));
    EXPECT_EQ(ElementNames(reopened), std::vector<CString>{"project.xml"});
}

TEST_F(ZcaArchiveTest, AProjectNotReadCompletelyIsNeverWrittenBack)
{
    const CString path = MakeArchive({"a.zlg", "b.zlg"});
    struct SCase
    {
        const char* name;
        std::string text; // the project.xml to store; empty: none
    };
    const std::string complete = ProjectWith({"a.zlg", "b.zlg"})->SaveToBytes();
    const std::vector<SCase> cases = {
        {"missing", ""},
        {"truncated", complete.substr(0, complete.size() / 2)},
        {"not xml", "\x01\x02 garbage"},
        {"dropped entry", "<?xml version=\"1.0\"?><Project><Measurements><Measurement/></Measurements></Project>"},
    };
    for (const SCase& c : cases) {
        {
            CZcaArchive archive;
            ASSERT_TRUE(archive.Open(path));
            archive.DeleteElement("project.xml");
            if (!c.text.empty()) {
                std::unique_ptr<CStorageStream> stream;
                ASSERT_TRUE(archive.CreateStream("project.xml", EStreamCreate::Replace, stream));
                ASSERT_EQ(stream->Write(c.text.data(), c.text.size()), EStorageResult::Ok);
                ASSERT_EQ(stream->Close(), EStorageResult::Ok);
            }
        }
        const std::vector<unsigned char> before = ReadFileBytes(path.GetString());
        {
            CZcaArchive archive;
            ASSERT_TRUE(archive.Open(path));
            CProjectSettings project;
            EXPECT_NE(archive.ReadProjectXml(project), EProjectLoadResult::kComplete) << c.name;
            EXPECT_FALSE(archive.WriteProjectXml(project)) << c.name;
            CProjectSettings fresh; // nor may another project replace what could not be read
            EXPECT_FALSE(archive.WriteProjectXml(fresh)) << c.name;
        }
        EXPECT_EQ(ReadFileBytes(path.GetString()), before) << c.name;
    }
    // Without a read nothing is written either.
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(path));
    EXPECT_FALSE(archive.WriteProjectXml(*ProjectWith({})));
    EXPECT_EQ(archive.GetElementCount(), 3);
}

TEST_F(ZcaArchiveTest, AClosedArchiveDoesNothing)
{
    CZcaArchive archive;
    EXPECT_FALSE(archive.WriteProjectXml(*ProjectWith({})));
    const CString file = PathOf("f.bin");
    WriteFileBytes(file.GetString(), {1});
    EXPECT_FALSE(archive.ImportFile("f", file));
    EXPECT_FALSE(archive.ExportStream("f", PathOf("out.bin")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Root() / "out.bin"));
    CProjectSettings project;
    EXPECT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kUnreadable);
    EXPECT_TRUE(archive.DeleteElement("f"));
    EXPECT_EQ(archive.GetElementCount(), 0);
    std::unique_ptr<IDataStream> stream;
    EXPECT_NE(archive.OpenStream("f", stream), 0);
}

TEST_F(ZcaArchiveTest, ACrashWhileWritingLeavesTheOldOrTheNewProject)
{
    const std::vector<CString> oldSessions{"a.zlg", "b.zlg"};
    const CString path = MakeArchive(oldSessions);
    const std::vector<unsigned char> original = ReadFileBytes(path.GetString());
    int sawOld = 0;
    int sawNew = 0;
    for (int crashAt = 0;; ++crashAt) {
        WriteFileBytes(path.GetString(), original);
        int writes = 0;
        bool crashed = false;
        bool written = false;
        {
            CZcaArchive archive;
            ASSERT_TRUE(archive.Open(path, [&](const SWriteEvent&) {
                if (writes++ < crashAt)
                    return EWriteAction::Proceed;
                crashed = true;
                return EWriteAction::Crash;
            }));
            CProjectSettings project;
            ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
            project.RemoveMeasurementByStream("b.zlg");
            project.AddMeasurement("c.zlg", "a.zlg");
            written = archive.WriteProjectXml(project);
        }
        // A crash after the switch may only keep unreferenced streams until the next rewrite.
        EXPECT_TRUE(written || crashed) << crashAt;
        CZcaArchive reopened;
        ASSERT_TRUE(reopened.Open(path)) << crashAt;
        CProjectSettings project;
        ASSERT_EQ(reopened.ReadProjectXml(project), EProjectLoadResult::kComplete) << crashAt;
        ASSERT_EQ(project.GetMeasurementCount(), 2) << crashAt;
        const bool isNew = project.GetMeasurement(1).GetFileName() == "c.zlg";
        (isNew ? sawNew : sawOld)++;
        EXPECT_TRUE(isNew || !written) << crashAt;
        std::unique_ptr<IDataStream> session;
        EXPECT_EQ(reopened.OpenStream("a.zlg", session), 0) << crashAt;
        if (!isNew) {
            EXPECT_EQ(reopened.OpenStream("b.zlg", session), 0) << crashAt;
        }
        if (!crashed)
            break;
    }
    EXPECT_GT(sawOld, 0);
    EXPECT_GT(sawNew, 0);
}

TEST_F(ZcaArchiveTest, ANewTextLeftBeforeTheSwitchIsIgnoredAndReplaced)
{
    const CString path = MakeArchive({"a.zlg"});
    {
        CZcaArchive archive;
        ASSERT_TRUE(archive.Open(path));
        const std::string text = ProjectWith({"a.zlg", "a.zlg"})->SaveToBytes();
        std::unique_ptr<CStorageStream> stream;
        ASSERT_TRUE(archive.CreateStream(CZcaArchive::kProjectTempStreamName, EStreamCreate::Replace, stream));
        ASSERT_EQ(stream->Write(text.data(), text.size()), EStorageResult::Ok);
        ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    }
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(path));
    CProjectSettings project;
    ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    EXPECT_EQ(project.GetMeasurementCount(), 1);
    EXPECT_TRUE(archive.WriteProjectXml(project));
    EXPECT_EQ(ElementNames(archive), (std::vector<CString>{"a.zlg", "project.xml"}));
    archive.Close();
    ASSERT_TRUE(archive.Open(path));
    CProjectSettings reread;
    ASSERT_EQ(archive.ReadProjectXml(reread), EProjectLoadResult::kComplete);
    EXPECT_EQ(reread.GetMeasurementCount(), 1);
}

// An archive built under a temporary name (as a new project is) skips the syncs of its commits
// and is synced once, complete; the import moves large blocks. An archive in place still syncs
// at each commit.
TEST_F(ZcaArchiveTest, ADeferredArchiveIsSyncedOnceAndCopiedInLargeBlocks)
{
    const std::size_t size = 4 * 1024 * 1024 + 77;
    const CString source = PathOf("session.src");
    WriteFileBytes(source.GetString(), Pattern(size, 9));
    int syncs = 0;
    int writes = 0;
    const auto count = [&](const SWriteEvent& event) {
        syncs += event.kind == SWriteEvent::EKind::Sync;
        writes += event.kind == SWriteEvent::EKind::Write;
        return EWriteAction::Proceed;
    };
    const CString path = PathOf("new.zca");
    {
        CZcaArchive archive;
        ASSERT_TRUE(archive.Create(path, count, ECommitSync::Deferred));
        ASSERT_TRUE(archive.ImportFile("a.zlg", source));
        ASSERT_TRUE(archive.WriteProjectXml(*ProjectWith({"a.zlg"})));
        EXPECT_EQ(syncs, 0);
        ASSERT_TRUE(archive.FlushToDisk());
        EXPECT_EQ(syncs, 1);
    }
    EXPECT_EQ(syncs, 1);
    // One write per 256 KiB block and per allocation-table sector (one for each 64 KiB of
    // 512-byte sectors), not one per 4 KiB.
    EXPECT_LE(writes, int(size / (256 * 1024) + size / (64 * 1024)) + 40);

    CZcaArchive reopened;
    ASSERT_TRUE(reopened.Open(path, count));
    CProjectSettings project;
    ASSERT_EQ(reopened.ReadProjectXml(project), EProjectLoadResult::kComplete);
    EXPECT_EQ(Export(reopened, "a.zlg"), Pattern(size, 9));
    // A changed project (an unchanged one is not written at all) syncs at each commit.
    project.SetLastView(project.GetLastView() + 1);
    syncs = 0;
    ASSERT_TRUE(reopened.WriteProjectXml(project));
    EXPECT_GE(syncs, 2);
}
