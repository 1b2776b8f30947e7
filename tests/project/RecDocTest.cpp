#include "project/RecDoc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <csignal>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempFolder.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "platform/storage/StorageStream.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "project/FileFailureText.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"

namespace {

class RecDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest& request, CString& path) {
            m_requests.push_back(request);
            if (m_dialogAnswer.IsEmpty())
                return false;
            path = m_dialogAnswer;
            return true;
        });
    }
    void TearDown() override
    {
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
    }

    CString WriteSession(const std::string& name, WORD studyType = 1)
    {
        SSessionSpec sessionSpec;
        sessionSpec.studyType = studyType;
        const std::string path = m_folder.Path(name);
        EXPECT_TRUE(WriteBytesToFile(path, CSessionWriter(sessionSpec).BuildFile()));
        return path;
    }

    // A project made from one data file, closed again.
    CString MakeProject(const std::string& name = "project.zca")
    {
        m_dialogAnswer = m_folder.Path(name);
        CRecDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(WriteSession("session.zlg")));
        m_dialogAnswer.Empty();
        return m_folder.Path(name);
    }

    std::vector<CString> BoxTexts() const
    {
        std::vector<CString> texts;
        for (const auto& box : m_boxes.Boxes())
            texts.push_back(box.text);
        return texts;
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    CString m_dialogAnswer;
    std::vector<SFileDialogRequest> m_requests;
    FileDialogHandler m_previousDialog;
};

} // namespace

TEST(IsZlgPath, ComparesTheExtensionWithoutCase)
{
    EXPECT_TRUE(IsZlgPath("/a/b.zlg"));
    EXPECT_TRUE(IsZlgPath("/a/b.ZLG"));
    EXPECT_FALSE(IsZlgPath("/a/b.zca"));
    EXPECT_FALSE(IsZlgPath("/a.zlg/b"));
    EXPECT_FALSE(IsZlgPath("/a/bzlg"));
}

TEST(UpdateMsg, KeepsWhatAnOperationDoesNotSet)
{
    CUpdateMsg msg;
    EXPECT_EQ(msg.GetKind(), -1);
    msg.SetAdded(3, 2);
    msg.Set(1);
    EXPECT_EQ(msg.GetKind(), 1);
    EXPECT_EQ(msg.GetAdded(), -1);
    EXPECT_EQ(msg.GetStudyType(), 2);
}

TEST_F(RecDocTest, ADataFileBecomesANewProject)
{
    m_dialogAnswer = m_folder.Path("new.zca");
    {
        CRecDoc doc;
        EXPECT_EQ(CRecDoc::GetCurrent(), &doc);
        ASSERT_TRUE(doc.OnOpenDocument(WriteSession("session.ZLG")));
        EXPECT_EQ(doc.GetPathName(), m_dialogAnswer);
        EXPECT_FALSE(doc.IsModified());
        ASSERT_EQ(doc.GetDataSetCount(), 1);
        EXPECT_EQ(doc.GetMeasurementCount(), 1);
        EXPECT_EQ(doc.GetFirstDataSet()->GetIndex(), 0);
        EXPECT_EQ(doc.GetDataSet(1), nullptr);
        EXPECT_EQ(doc.GetProjectSettings()->GetMeasurement(0).GetStreamName(), "session.ZLG");
        EXPECT_EQ(doc.GetSessionName(0), "Substation feeder 2");
        EXPECT_EQ(doc.GetSavedScreenName(1), "Saved Screen 2");
        EXPECT_EQ(doc.GetEnergyStudySessionCount(), 1);
        EXPECT_EQ(doc.GetLoadStudySessionCount(), 0);
        EXPECT_LT(doc.GetFirstTime(CRecDoc::kAllRecords, -1).GetTicks(), doc.GetLastTime(CRecDoc::kTrendRecords, 1).GetTicks());
        EXPECT_EQ(doc.GetFirstTime(CRecDoc::kAllRecords, 2).GetTicks(), CHighTime(2010, 1, 1, 0, 0, 0).GetTicks());
    }
    EXPECT_EQ(CRecDoc::GetCurrent(), nullptr);
    ASSERT_EQ(m_requests.size(), 1u);
    EXPECT_EQ(m_requests[0].defaultExtension, "zca");
    EXPECT_EQ(m_requests[0].filter, "Zelko Compound files (*.zca)|*.zca||");
    EXPECT_TRUE(m_requests[0].initialName.Find("Download") >= 0);
    EXPECT_TRUE(m_boxes.Boxes().empty());

    CRecDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(m_dialogAnswer));
    EXPECT_EQ(reopened.GetDataSetCount(), 1);
}

TEST_F(RecDocTest, CancellingTheSaveDialogFailsTheOpenWithoutAnError)
{
    CRecDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(WriteSession("session.zlg")));
    EXPECT_EQ(BoxTexts(), std::vector<CString>{});
    EXPECT_EQ(doc.GetProjectSettings(), nullptr);
    EXPECT_EQ(doc.GetArchive(), nullptr);
}

TEST_F(RecDocTest, AnUnreadableSessionIsNamedWithTheReason)
{
    const std::vector<BYTE> good = CSessionWriter().BuildFile();
    const std::vector<BYTE> truncated(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2));
    std::vector<BYTE> random(3000);
    for (std::size_t i = 0; i < random.size(); ++i)
        random[i] = BYTE(i * 7919 % 251);
    const struct
    {
        const char* name;
        std::vector<BYTE> bytes;
        const char* reason;
    } cases[] = {
        {"cut.zlg", truncated, "the file is truncated"},
        {"empty.zlg", {}, "it is not a session file"},
        {"noise.zlg", random, "it is not a session file"},
    };
    m_dialogAnswer = m_folder.Path("never.zca");
    for (const auto& test : cases) {
        const std::string path = m_folder.Path(test.name);
        ASSERT_TRUE(WriteBytesToFile(path, test.bytes));
        CRecDoc doc;
        EXPECT_FALSE(doc.OnOpenDocument(path));
        EXPECT_EQ(BoxTexts().back(), CString(path) + " cannot be opened: " + test.reason + ".");
    }
    EXPECT_EQ(m_boxes.Boxes().size(), std::size(cases));
    EXPECT_TRUE(m_requests.empty()); // no project file was asked for

    // A project that cannot be created is told once, with the cause.
    m_dialogAnswer = m_folder.Path("absent/new.zca");
    CRecDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(WriteSession("session.zlg")));
    EXPECT_EQ(m_boxes.Boxes().size(), std::size(cases) + 1);
    EXPECT_EQ(BoxTexts().back(), "Saving of new.zca failed: the folder does not exist.");
}

TEST_F(RecDocTest, AFailedBuildLeavesNoFile)
{
    SZlgSessionInfo info;
    info.path = m_folder.Path("absent.zlg");
    const CString target = m_folder.Path("x.zca");
    EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(target, info.path, info), -1);
    EXPECT_FALSE(std::filesystem::exists(target.GetString()));
    EXPECT_EQ(BoxTexts(), std::vector<CString>{"Saving of x.zca failed: the file could not be written."});
    EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(m_folder.Path("no/folder/x.zca"), info.path, info), -1);
    EXPECT_EQ(BoxTexts().back(), "Saving of x.zca failed: the folder does not exist.");

    // A file the user chose to replace stays when the new one cannot be made.
    ASSERT_TRUE(WriteBytesToFile(target.GetString(), {1, 2, 3}));
    EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(target, info.path, info), -1);
    EXPECT_EQ(std::filesystem::file_size(target.GetString()), 3u);

    // The data file itself is never the target: it would be emptied before it is read.
    const CString session = WriteSession("session.zlg");
    const auto sessionSize = std::filesystem::file_size(session.GetString());
    info.path = session;
    EXPECT_EQ(CRecDoc::BuildArchiveFromZlg(session, session, info), -1);
    EXPECT_EQ(BoxTexts().back(), CString("Unable to create ZCA file: ") + session + "!");
    EXPECT_EQ(std::filesystem::file_size(session.GetString()), sessionSize);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.Path("")), {}), 2);
}

TEST_F(RecDocTest, UnreadableProjectsAreRefusedAndLeftUnchanged)
{
    const CString path = MakeProject();
    struct SDamage
    {
        const char* name;
        std::function<void(CZcaArchive&)> apply;
    };
    const std::vector<SDamage> damages = {
        {"no project.xml", [](CZcaArchive& a) { a.DeleteElement("project.xml"); }},
        {"truncated project.xml",
         [](CZcaArchive& a) {
             std::unique_ptr<CStorageStream> s;
             a.CreateStream("project.xml", EStreamCreate::Replace, s);
             s->Write("<?xml version=\"1.0\"?><Project><Meas", 36);
             s->Close();
         }},
        {"missing session stream", [](CZcaArchive& a) { a.DeleteElement("session.zlg"); }},
        {"closing tag that does not match its element",
         [](CZcaArchive& a) {
             std::unique_ptr<CStorageStream> s;
             ASSERT_TRUE(a.OpenStream("project.xml", EStorageAccess::Read, s));
             std::string text(65536, '\0');
             std::size_t got = 0;
             s->Read(text.data(), text.size(), got);
             text.resize(got);
             s.reset();
             const std::size_t at = text.rfind("</measurements>");
             ASSERT_NE(at, std::string::npos);
             text.replace(at, 15, "</measurementz>");
             a.CreateStream("project.xml", EStreamCreate::Replace, s);
             s->Write(text.data(), text.size());
             s->Close();
         }},
    };
    for (const SDamage& damage : damages) {
        const std::vector<unsigned char> original = ReadFileBytes(path.GetString());
        {
            CZcaArchive archive;
            ASSERT_TRUE(archive.Open(path));
            damage.apply(archive);
        }
        const std::vector<unsigned char> damaged = ReadFileBytes(path.GetString());
        {
            CRecDoc doc;
            EXPECT_FALSE(doc.OnOpenDocument(path)) << damage.name;
            EXPECT_EQ(doc.GetProjectSettings(), nullptr);
            doc.OnCloseDocument();
        }
        EXPECT_EQ(ReadFileBytes(path.GetString()), damaged) << damage.name;
        ASSERT_FALSE(m_boxes.Boxes().empty());
        WriteFileBytes(path.GetString(), original);
    }
    EXPECT_EQ(BoxTexts()[0], CString("The project description in ") + path +
                                 " is missing or cannot be read. The project is not opened and the file is left unchanged.");
    // A session that cannot be loaded is named, with the reason.
    EXPECT_EQ(BoxTexts()[2], path + " cannot be opened: the session \"session.zlg\" cannot be loaded: the file does not "
                                    "exist.");
    EXPECT_EQ(BoxTexts()[3], BoxTexts()[0]);
}

TEST_F(RecDocTest, AProjectReadInPartTellsWhatWasNotReadAndKeepsItsFile)
{
    const CString path = MakeProject();
    // Entries of each list this version cannot read: sessions without a file name, a saved
    // screen and a bookmark without a stream.
    std::string text;
    {
        CZcaArchive archive;
        std::unique_ptr<CStorageStream> stream;
        ASSERT_TRUE(archive.Open(path) && archive.OpenStream("project.xml", EStorageAccess::Read, stream));
        text.resize(std::size_t(stream->GetLength()));
        std::size_t got = 0;
        ASSERT_EQ(stream->Read(text.data(), text.size(), got), EStorageResult::Ok);
    }
    const auto replace = [&text](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("<measurements>", "<measurements><measurement><streamName>a.zlg</streamName></measurement><measurement/>");
    replace("<images/>", "<images><image><fileName>screen.png</fileName></image></images>");
    replace("<bookmarks/>", "<bookmarks><bookmark><name>Peak</name></bookmark></bookmarks>");
    {
        CZcaArchive archive;
        ASSERT_TRUE(archive.Open(path));
        std::unique_ptr<CStorageStream> stream;
        ASSERT_TRUE(archive.CreateStream("project.xml", EStreamCreate::Replace, stream));
        ASSERT_EQ(stream->Write(text.data(), text.size()), EStorageResult::Ok);
        ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    }
    const std::vector<unsigned char> stored = ReadFileBytes(path.GetString());
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        EXPECT_EQ(doc.GetDataSetCount(), 1);
        EXPECT_EQ(BoxTexts(), std::vector<CString>{"Part of " + path +
                                                   " cannot be read by this version of the program: 2 sessions, 1 "
                                                   "saved screen, 1 bookmark. The project opens without it, and its "
                                                   "file is kept as it is: to keep changes you make, save the project "
                                                   "under a new name with File > Save As."});
        doc.GetProjectSettings()->SetLastView(4);
        doc.SaveProject();
        EXPECT_EQ(BoxTexts().back(), "project.zca is kept as it is, since part of it cannot be read (2 sessions, 1 "
                                     "saved screen, 1 bookmark). To keep your changes, save the project under a new "
                                     "name with File > Save As.");
    }
    EXPECT_EQ(ReadFileBytes(path.GetString()), stored);
}

TEST_F(RecDocTest, ANewDocumentClosesTheOldOneWhichWritesItsProjectBack)
{
    const CString path = MakeProject();
    auto first = std::make_unique<CRecDoc>();
    ASSERT_TRUE(first->OnOpenDocument(path));
    first->GetProjectSettings()->SetMaxDemandLoadCurrent(42.5);
    CRecDoc second;
    EXPECT_EQ(CRecDoc::GetCurrent(), &second);
    EXPECT_EQ(first->GetArchive(), nullptr);
    first.reset();
    EXPECT_EQ(CRecDoc::GetCurrent(), &second);
    ASSERT_TRUE(second.OnOpenDocument(path));
    EXPECT_DOUBLE_EQ(second.GetProjectSettings()->GetMaxDemandLoadCurrent(), 42.5);
}

TEST_F(RecDocTest, SaveAsCopiesTheProjectAndContinuesInTheCopy)
{
    const CString path = MakeProject();
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.GetProjectSettings()->SetLastView(3);
    const std::vector<unsigned char> original = ReadFileBytes(path.GetString());

    // Onto itself, also through another name of the same file.
    const CString link = m_folder.Path("link.zca");
    std::filesystem::create_hard_link(path.GetString(), link.GetString());
    EXPECT_FALSE(doc.SaveProjectTo(path));
    EXPECT_FALSE(doc.SaveProjectTo(link));
    EXPECT_EQ(BoxTexts(),
              (std::vector<CString>{
                  "project.zca is the open project and cannot be replaced by a copy of itself. Choose another name.",
                  "link.zca is the open project and cannot be replaced by a copy of itself. Choose another name."}));
    EXPECT_EQ(ReadFileBytes(path.GetString()), original);

    // Into a folder that does not exist: the old file stays the open project.
    EXPECT_FALSE(doc.SaveProjectTo(m_folder.Path("absent/copy.zca")));
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_TRUE(doc.GetArchive()->IsOpen());
    EXPECT_EQ(BoxTexts().back(), "Saving of copy.zca failed: the folder does not exist.");

    // Onto a project another opener holds: it is neither replaced nor written.
    const CString held = m_folder.Path("held.zca");
    std::filesystem::copy_file(path.GetString(), held.GetString());
    const auto heldBytes = ReadFileBytes(held.GetString());
    {
        CZcaArchive other;
        ASSERT_TRUE(other.Open(held));
        EXPECT_FALSE(doc.SaveProjectTo(held));
        EXPECT_EQ(BoxTexts().back(), "Saving of held.zca failed: the file is in use by an open project.");
    }
    EXPECT_EQ(ReadFileBytes(held.GetString()), heldBytes);

    // Into a folder that cannot be written.
    const std::filesystem::path locked = m_folder.Root() / "locked";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(locked.c_str(), W_OK) != 0) { // root may write anyway
        EXPECT_FALSE(doc.SaveProjectTo((locked / "copy.zca").string()));
        EXPECT_EQ(doc.GetPathName(), path);
        EXPECT_EQ(BoxTexts().back(), "Saving of copy.zca failed: the folder cannot be written.");
    }

    // Onto an existing file, which is replaced by the complete copy.
    const CString target = m_folder.Path("copy.zca");
    WriteFileBytes(target.GetString(), {'o', 'l', 'd'});
    ASSERT_TRUE(doc.SaveProjectTo(target));
    EXPECT_EQ(doc.GetPathName(), target);
    EXPECT_EQ(doc.GetArchive()->GetPath(), target);
    EXPECT_EQ(doc.GetTitle(), "copy.zca");
    const std::size_t boxes = m_boxes.Boxes().size();
    doc.SaveProject();
    EXPECT_EQ(m_boxes.Boxes().size(), boxes);
    doc.OnCloseDocument();

    for (const auto& entry : std::filesystem::directory_iterator(m_folder.Root()))
        EXPECT_EQ(entry.path().string().find(".part"), std::string::npos) << entry.path();
    CRecDoc copy;
    ASSERT_TRUE(copy.OnOpenDocument(target));
    EXPECT_EQ(copy.GetDataSetCount(), 1);
    EXPECT_EQ(copy.GetProjectSettings()->GetLastView(), 3);
    EXPECT_EQ(copy.GetArchive()->GetElementCount(), 2);
}

TEST_F(RecDocTest, PartialFilesOfProcessesThatNoLongerRunAreRemovedWhenTheirTargetIsOpenedOrWritten)
{
    const pid_t gone = ::fork();
    if (gone == 0)
        _exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string live = std::to_string(::getppid());
    const auto make = [this](const std::string& name) {
        WriteFileBytes(m_folder.Root() / name, std::vector<unsigned char>(100000, 'x'));
        return m_folder.Root() / name;
    };
    const std::vector<std::string> removed{"copy.zca.part" + dead, "new.zca.part" + dead};
    for (const std::string& name : removed)
        make(name);
    // A live writer's, one its writer's successor holds open, others' and other names stay.
    const std::vector<std::string> kept{"copy.zca.part" + live, "held.zca.part" + dead, "other.zca.part" + dead,
                                        "copy.zca.partial", "copy.zca.part12x"};
    for (const std::string& name : kept)
        make(name);
    const int holder = ::open((m_folder.Root() / ("held.zca.part" + dead)).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    const CString path = MakeProject("new.zca");
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_FALSE(std::filesystem::exists(m_folder.Root() / ("new.zca.part" + dead)));
    ASSERT_TRUE(doc.SaveProjectTo(m_folder.Path("copy.zca")));
    ASSERT_TRUE(doc.SaveProjectTo(m_folder.Path("held.zca")));
    ::close(holder);
    for (const std::string& name : removed)
        EXPECT_FALSE(std::filesystem::exists(m_folder.Root() / name)) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(m_folder.Root() / name)) << name;

    // Saved as a name as long as the file system takes (two-byte letters, so that shortening it
    // must not cut one), then a Save As onto it stopped half-way as by a crash (the file size
    // limit kills the writer): the target stays whole, and the partial, which fits beside it,
    // goes when the target is opened.
    std::string stem = "p";
    while (stem.size() + 2 + 4 <= 255)
        stem += "\xC3\xA9";
    const CString longTarget = m_folder.Path(stem + ".zca");
    ASSERT_TRUE(doc.SaveProjectTo(longTarget));
    const std::vector<unsigned char> whole = ReadFileBytes(longTarget.str());
    ASSERT_TRUE(doc.OnOpenDocument(path));
    const pid_t writer = ::fork();
    if (writer == 0) {
        ::signal(SIGXFSZ, SIG_DFL);
        const rlimit noCore{0, 0};
        const rlimit small{16384, 16384};
        ::setrlimit(RLIMIT_CORE, &noCore);
        ::setrlimit(RLIMIT_FSIZE, &small);
        doc.SaveProjectTo(longTarget);
        _exit(0);
    }
    int status = 0;
    ::waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    // "p" and whole letters, then the mark of the writer.
    const std::string mark = ".zca.part" + std::to_string(writer);
    const std::filesystem::path partial = m_folder.Root() / (stem.substr(0, (254 - mark.size()) / 2 * 2 + 1) + mark);
    EXPECT_TRUE(std::filesystem::exists(partial));
    EXPECT_EQ(ReadFileBytes(longTarget.str()), whole);
    ASSERT_TRUE(doc.OnOpenDocument(longTarget));
    EXPECT_FALSE(std::filesystem::exists(partial));

    // One left for the open project goes when the project is saved.
    ASSERT_TRUE(doc.OnOpenDocument(path));
    make("new.zca.part" + dead);
    doc.GetProjectSettings()->SetLastView(2);
    doc.SaveProject();
    EXPECT_FALSE(std::filesystem::exists(m_folder.Root() / ("new.zca.part" + dead)));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(RecDocTest, ASavedCopyIsAPlainCompoundFileForOtherReaders)
{
    if (std::system("/usr/bin/python3 -c 'import olefile' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3-olefile is not installed";
    const CString path = MakeProject();
    const CString target = m_folder.Path("copy.zca");
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        ASSERT_TRUE(doc.SaveProjectTo(target));
    }
    const std::string listing = m_folder.Path("listing.txt");
    const std::string command = "/usr/bin/python3 -c 'import olefile,sys; print(sorted(\"/\".join(e) for e in "
                                "olefile.OleFileIO(sys.argv[1]).listdir()))' '" +
                                std::string(target.GetString()) + "' > '" + listing + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::vector<unsigned char> bytes = ReadFileBytes(listing);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "['project.xml', 'session.zlg']\n");
}

TEST_F(RecDocTest, SaveTellsTheUserWhenNothingWasWritten)
{
    const CString path = MakeProject();
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    doc.SaveProject();
    EXPECT_TRUE(m_boxes.Boxes().empty());
    doc.GetArchive()->Close();
    doc.SaveProject();
    EXPECT_EQ(BoxTexts(), std::vector<CString>{"Saving of project.zca failed: the project file is no longer open. Your "
                                               "work is still open: save again once the cause is removed, or save the "
                                               "project under another name or on another disk with File > Save As."});
}

TEST_F(RecDocTest, AnUnchangedProjectLeavesItsFileAsItWas)
{
    const CString path = MakeProject();
    const auto original = ReadFileBytes(path.GetString());
    // An old time, so that any rewrite shows.
    const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    std::filesystem::last_write_time(path.GetString(), stamp);
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        doc.SaveProject();
        // Save As reads the original and continues in the copy.
        ASSERT_TRUE(doc.SaveProjectTo(m_folder.Path("copy.zca")));
    }
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
    }
    EXPECT_EQ(ReadFileBytes(path.GetString()), original);
    EXPECT_EQ(std::filesystem::last_write_time(path.GetString()), stamp);
    EXPECT_TRUE(m_boxes.Boxes().empty());

    // A change is still written back on close.
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(path));
        doc.GetProjectSettings()->SetLastView(4);
    }
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.GetProjectSettings()->GetLastView(), 4);
}

TEST(DescribeWriteFailure, NamesTheCauseTheFileSystemShows)
{
    CStringTable::Instance().LoadLanguage("ENG");
    CTempFolder folder;
    const CString target = folder.Path("x.zca");
    EXPECT_EQ(DescribeWriteFailure(folder.Path("absent/x.zca"), 10), "the folder does not exist");
    EXPECT_EQ(DescribeWriteFailure(target, 1000, EWriteTarget::kOtherFile, 999), "the disk is full");
    EXPECT_EQ(DescribeWriteFailure(target, 1000, EWriteTarget::kOtherFile, 1000), "the file could not be written");
    EXPECT_FALSE(IsFileHeldByAnotherOpener(target));
}

TEST_F(RecDocTest, SaveAsRefusesTheOpenFileBeforeAskingToReplaceIt)
{
    const CString path = MakeProject();
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(path));
    m_dialogAnswer = path;
    doc.SaveProjectAs();
    EXPECT_EQ(BoxTexts(), std::vector<CString>{
                              "project.zca is the open project and cannot be replaced by a copy of itself. Choose another name."});
    EXPECT_EQ(m_requests.back().flags & OFN_OVERWRITEPROMPT, 0u);

    // Another existing file is offered for replacement; no answer but Yes keeps it.
    const CString other = m_folder.Path("other.zca");
    WriteFileBytes(other.GetString(), {'o', 'l', 'd'});
    m_dialogAnswer = other;
    doc.SaveProjectAs();
    EXPECT_EQ(BoxTexts().back(), CString(other) + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(m_boxes.Boxes().back().type & MB_YESNO, UINT(MB_YESNO));
    EXPECT_EQ(std::filesystem::file_size(other.GetString()), 3u);
    EXPECT_EQ(doc.GetPathName(), path);
}

TEST_F(RecDocTest, ANewProjectTakesTheConfiguredStartAndEndOfTheSession)
{
    // The logger was set to record a day around the records it wrote.
    const CSessionWriter writer;
    std::vector<SWrittenTable> tables = writer.BuildTables();
    const std::int64_t start = writer.GetSpec().startTicks - 3600 * kTicksPerSecond;
    const std::int64_t end = start + 86400 * kTicksPerSecond;
    for (SWrittenTable& table : tables) {
        if (table.type == 63) {
            table.bytes.PutTime(272, start);
            table.bytes.PutTime(280, end);
        }
    }
    const std::string session = m_folder.Path("configured.zlg");
    ASSERT_TRUE(WriteBytesToFile(session, writer.BuildFile(tables)));
    SZlgSessionInfo info;
    ASSERT_EQ(CRecDoc::ReadZlgSessionInfo(session, info), 0);
    EXPECT_EQ(info.startTime.GetTicks(), start);
    EXPECT_EQ(info.endTime.GetTicks(), end);

    // ... and so does the new project's measurement.
    const CString target = m_folder.Path("configured.zca");
    ASSERT_EQ(CRecDoc::BuildArchiveFromZlg(target, session, info), 0);
    CZcaArchive archive;
    ASSERT_TRUE(archive.Open(target));
    CProjectSettings project;
    ASSERT_EQ(archive.ReadProjectXml(project), EProjectLoadResult::kComplete);
    EXPECT_EQ(project.GetMeasurement(0).GetStartTime().GetTicks(), start);
    EXPECT_EQ(project.GetMeasurement(0).GetEndTime().GetTicks(), end);
}
