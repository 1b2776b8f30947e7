#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageName.h"
#include "platform/storage/StorageStream.h"
#include "platform/storage/StorageTestSupport.h"

using namespace storage_test;

namespace {

std::vector<std::string> Names(const CCompoundFile& file)
{
    std::vector<std::string> names;
    for (const SStorageElement& element : file.EnumElements())
        names.push_back(element.name.str());
    return names;
}

class CompoundFileTest : public ::testing::Test
{
protected:
    std::shared_ptr<CCompoundFile> CreateFile()
    {
        std::shared_ptr<CCompoundFile> file;
        EXPECT_EQ(CCompoundFile::Create(m_path.c_str(), file), EStorageResult::Ok);
        return file;
    }
    std::shared_ptr<CCompoundFile> OpenFile(EStorageAccess access = EStorageAccess::ReadWrite)
    {
        std::shared_ptr<CCompoundFile> file;
        EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), access, file), EStorageResult::Ok);
        return file;
    }

    CScratchDir m_dir;
    std::string m_path = m_dir.Path("a.zca");
};

} // namespace

TEST_F(CompoundFileTest, StreamsOfEverySizeClassRoundTrip)
{
    const std::vector<std::size_t> sizes{0, 1, 63, 64, 65, 4095, 4096, 4097, 70000, 300000};
    {
        auto file = CreateFile();
        for (std::size_t i = 0; i < sizes.size(); ++i)
            ASSERT_EQ(WriteStream(*file, "s" + std::to_string(i), Pattern(sizes[i], unsigned(i)), 1000), EStorageResult::Ok);
    }
    std::map<std::string, std::string> streams;
    ASSERT_EQ(ReadAll(m_path, streams), EStorageResult::Ok);
    ASSERT_EQ(streams.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(streams["s" + std::to_string(i)], Pattern(sizes[i], unsigned(i))) << i;
}

TEST_F(CompoundFileTest, EnumerationFollowsTheFormatOrder)
{
    auto file = CreateFile();
    for (const char* name : {"project.xml", "b", "A", "zz", "ab", "Bookmark.png", "\xC3\xA9t\xC3\xA9"})
        ASSERT_EQ(WriteStream(*file, name, name), EStorageResult::Ok);
    // Shorter first; equal lengths by upper-cased units, so "A" < "b" and "ab" < "zz".
    const std::vector<std::string> expected{"A", "b", "ab", "zz", "\xC3\xA9t\xC3\xA9", "project.xml", "Bookmark.png"};
    EXPECT_EQ(Names(*file), expected);
    file.reset();
    EXPECT_EQ(Names(*OpenFile(EStorageAccess::Read)), expected);
    const auto elements = OpenFile(EStorageAccess::Read)->EnumElements();
    EXPECT_EQ(elements[5].size, 11u);
    EXPECT_EQ(elements[5].type, EStorageElementType::Stream);
}

TEST_F(CompoundFileTest, NamesAreComparedWithoutCase)
{
    EXPECT_EQ(StorageName::Compare(u"abc", u"ABC"), 0);
    EXPECT_LT(StorageName::Compare(u"zz", u"aaa"), 0);
    EXPECT_EQ(StorageName::Compare(u"\u00e9", u"\u00c9"), 0);
    EXPECT_EQ(StorageName::Compare(u"\u0436", u"\u0416"), 0);
    EXPECT_FALSE(StorageName::IsValid(u""));
    EXPECT_FALSE(StorageName::IsValid(u"a/b"));
    EXPECT_TRUE(StorageName::IsValid(std::u16string(31, u'x')));
    EXPECT_FALSE(StorageName::IsValid(std::u16string(32, u'x')));

    auto file = CreateFile();
    ASSERT_EQ(WriteStream(*file, "Data.zlg", "one"), EStorageResult::Ok);
    std::unique_ptr<CStorageStream> stream;
    EXPECT_EQ(file->CreateStream("DATA.ZLG", EStreamCreate::FailIfExists, stream), EStorageResult::AlreadyExists);
    ASSERT_EQ(WriteStream(*file, "data.ZLG", "two"), EStorageResult::Ok);
    ASSERT_EQ(Names(*file), std::vector<std::string>{"Data.zlg"});
    std::string data;
    EXPECT_EQ(ReadStream(*file, "DATA.zlg", data), EStorageResult::Ok);
    EXPECT_EQ(data, "two");
    EXPECT_EQ(file->CreateStream(std::string(32, 'x').c_str(), EStreamCreate::Replace, stream), EStorageResult::InvalidName);
    EXPECT_EQ(WriteStream(*file, std::string(31, 'x'), "long"), EStorageResult::Ok);
}

TEST_F(CompoundFileTest, OpenResultsMapToLoaderCodes)
{
    std::shared_ptr<CCompoundFile> file;
    EXPECT_EQ(CCompoundFile::Open(m_dir.Path("missing.zca").c_str(), EStorageAccess::ReadWrite, file), EStorageResult::NotFound);
    EXPECT_EQ(StorageResultToLoadCode(EStorageResult::NotFound), 30);
    EXPECT_EQ(StorageResultToLoadCode(EStorageResult::AccessDenied), 29);
    EXPECT_EQ(StorageResultToLoadCode(EStorageResult::Corrupt), 20);
    EXPECT_EQ(StorageResultToLoadCode(EStorageResult::Ok), 0);

    WriteFileBytes(m_path, "not a compound file at all, just text that is long enough" + std::string(600, '.'));
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::Read, file), EStorageResult::Corrupt);

    auto created = CreateFile();
    std::unique_ptr<CStorageStream> stream;
    EXPECT_EQ(created->OpenStream("nothing", EStorageAccess::Read, stream), EStorageResult::NotFound);
    EXPECT_EQ(created->DestroyElement("nothing"), EStorageResult::NotFound);
}

TEST_F(CompoundFileTest, ExclusiveOpenDeniesEveryOtherOpener)
{
    auto file = CreateFile();
    ASSERT_EQ(WriteStream(*file, "keep", "precious"), EStorageResult::Ok);
    std::shared_ptr<CCompoundFile> second;
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, second), EStorageResult::AccessDenied);
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::Read, second), EStorageResult::AccessDenied);
    // Create must not truncate a file someone holds.
    EXPECT_EQ(CCompoundFile::Create(m_path.c_str(), second), EStorageResult::AccessDenied);

    // Another process is kept out too.
    const pid_t child = ::fork();
    if (child == 0) {
        std::shared_ptr<CCompoundFile> other;
        _exit(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, other) == EStorageResult::AccessDenied ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    file.reset();
    std::string data;
    ASSERT_EQ(ReadStream(*OpenFile(), "keep", data), EStorageResult::Ok);
    EXPECT_EQ(data, "precious");
    // Readers share.
    auto reader = OpenFile(EStorageAccess::Read);
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::Read, second), EStorageResult::Ok);
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, second), EStorageResult::AccessDenied);
}

TEST_F(CompoundFileTest, ReadOnlyFileRefusesChanges)
{
    ASSERT_EQ(WriteStream(*CreateFile(), "s", "abc"), EStorageResult::Ok);
    auto file = OpenFile(EStorageAccess::Read);
    std::unique_ptr<CStorageStream> stream;
    EXPECT_EQ(file->CreateStream("t", EStreamCreate::Replace, stream), EStorageResult::AccessDenied);
    EXPECT_EQ(file->DestroyElement("s"), EStorageResult::AccessDenied);
    EXPECT_EQ(file->OpenStream("s", EStorageAccess::ReadWrite, stream), EStorageResult::AccessDenied);
    ASSERT_EQ(file->OpenStream("s", EStorageAccess::Read, stream), EStorageResult::Ok);
    EXPECT_EQ(stream->Write("x", 1), EStorageResult::AccessDenied);
    EXPECT_EQ(stream->SetSize(1), EStorageResult::AccessDenied);
}

TEST_F(CompoundFileTest, AnOpenStreamIsExclusive)
{
    auto file = CreateFile();
    ASSERT_EQ(WriteStream(*file, "s", "abc"), EStorageResult::Ok);
    std::unique_ptr<CStorageStream> first, second;
    ASSERT_EQ(file->OpenStream("s", EStorageAccess::Read, first), EStorageResult::Ok);
    EXPECT_EQ(file->OpenStream("S", EStorageAccess::Read, second), EStorageResult::AccessDenied);
    EXPECT_EQ(file->CreateStream("s", EStreamCreate::Replace, second), EStorageResult::AccessDenied);
    first.reset();
    EXPECT_EQ(file->OpenStream("s", EStorageAccess::Read, second), EStorageResult::Ok);
}

TEST_F(CompoundFileTest, SeekSetSizeAndPartialWrites)
{
    auto file = CreateFile();
    std::unique_ptr<CStorageStream> stream;
    ASSERT_EQ(file->CreateStream("s", EStreamCreate::Replace, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->SetSize(10000), EStorageResult::Ok);
    EXPECT_EQ(stream->GetLength(), 10000u);
    const std::string block = Pattern(10000, 7);
    ASSERT_EQ(stream->Write(block.data(), block.size()), EStorageResult::Ok);
    std::uint64_t pos = 0;
    ASSERT_EQ(stream->Seek(-100, ESeekOrigin::End, &pos), EStorageResult::Ok);
    EXPECT_EQ(pos, 9900u);
    EXPECT_EQ(stream->Seek(-1, ESeekOrigin::Begin), EStorageResult::InvalidArgument);
    ASSERT_EQ(stream->Write("xyz", 3), EStorageResult::Ok);
    EXPECT_EQ(stream->GetPosition(), 9903u);
    ASSERT_EQ(stream->Seek(0, ESeekOrigin::Begin), EStorageResult::Ok);
    char first[4] = {};
    std::size_t read = 0;
    ASSERT_EQ(stream->Read(first, 4, read), EStorageResult::Ok);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(first, 4), block.substr(0, 4));
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    std::string expected = block;
    expected.replace(9900, 3, "xyz");

    // Reopened for writing: change the middle, shrink below the mini stream cutoff and grow again.
    ASSERT_EQ(file->OpenStream("s", EStorageAccess::ReadWrite, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->Seek(5000, ESeekOrigin::Begin), EStorageResult::Ok);
    ASSERT_EQ(stream->Write("MIDDLE", 6), EStorageResult::Ok);
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    expected.replace(5000, 6, "MIDDLE");
    std::string data;
    ASSERT_EQ(ReadStream(*file, "s", data), EStorageResult::Ok);
    EXPECT_EQ(data, expected);

    ASSERT_EQ(file->CreateStream("gap", EStreamCreate::Replace, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->Seek(70000, ESeekOrigin::Begin), EStorageResult::Ok);
    ASSERT_EQ(stream->Write("!", 1), EStorageResult::Ok);
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    ASSERT_EQ(ReadStream(*file, "gap", data), EStorageResult::Ok);
    EXPECT_EQ(data, std::string(70000, '\0') + "!");

    ASSERT_EQ(file->OpenStream("s", EStorageAccess::ReadWrite, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->SetSize(3000), EStorageResult::Ok);
    ASSERT_EQ(stream->SetSize(5000), EStorageResult::Ok);
    ASSERT_EQ(stream->Seek(4998, ESeekOrigin::Begin), EStorageResult::Ok);
    ASSERT_EQ(stream->Write("END", 3), EStorageResult::Ok);
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    file.reset();
    ASSERT_EQ(ReadStream(*OpenFile(), "s", data), EStorageResult::Ok);
    ASSERT_EQ(data.size(), 5001u);
    EXPECT_EQ(data.substr(0, 3000), expected.substr(0, 3000));
    EXPECT_EQ(data.substr(4998), "END");
}

TEST_F(CompoundFileTest, AReaderKeepsItsBytesWhileOthersChange)
{
    auto file = CreateFile();
    const std::string session = Pattern(200000, 1);
    const std::string small = Pattern(1000, 2);
    ASSERT_EQ(WriteStream(*file, "session.zlg", session), EStorageResult::Ok);
    ASSERT_EQ(WriteStream(*file, "small", small), EStorageResult::Ok);
    ASSERT_EQ(WriteStream(*file, "project.xml", "<old/>"), EStorageResult::Ok);
    std::unique_ptr<CStorageStream> big, little;
    ASSERT_EQ(file->OpenStream("session.zlg", EStorageAccess::Read, big), EStorageResult::Ok);
    ASSERT_EQ(file->OpenStream("small", EStorageAccess::Read, little), EStorageResult::Ok);

    for (int round = 0; round < 20; ++round) {
        ASSERT_EQ(WriteStream(*file, "project.xml", Pattern(500 + 400 * round, round)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "other" + std::to_string(round), Pattern(3000 * round, round)), EStorageResult::Ok);
        if (round > 2) {
            ASSERT_EQ(file->DestroyElement(("other" + std::to_string(round - 2)).c_str()), EStorageResult::Ok);
        }
    }
    // The readers are destroyed under their feet; their bytes stay until they close.
    ASSERT_EQ(file->DestroyElement("session.zlg"), EStorageResult::Ok);
    ASSERT_EQ(file->DestroyElement("small"), EStorageResult::Ok);
    ASSERT_EQ(WriteStream(*file, "filler", Pattern(400000, 9)), EStorageResult::Ok);
    ASSERT_EQ(WriteStream(*file, "filler2", Pattern(3000, 9)), EStorageResult::Ok);

    std::string data(session.size(), '\0');
    std::size_t read = 0;
    ASSERT_EQ(big->Read(data.data(), data.size(), read), EStorageResult::Ok);
    EXPECT_EQ(read, session.size());
    EXPECT_TRUE(data == session);
    data.assign(small.size(), '\0');
    ASSERT_EQ(little->Read(data.data(), data.size(), read), EStorageResult::Ok);
    EXPECT_TRUE(data == small);
    const auto sizeBefore = std::filesystem::file_size(m_path);
    big.reset();
    little.reset();
    // Their sectors are reused afterwards instead of growing the file.
    ASSERT_EQ(WriteStream(*file, "reuse", Pattern(150000, 3)), EStorageResult::Ok);
    EXPECT_EQ(std::filesystem::file_size(m_path), sizeBefore);
    EXPECT_EQ(Names(*file), (std::vector<std::string>{"reuse", "filler", "other0", "filler2", "other18", "other19", "project.xml"}));
}

TEST_F(CompoundFileTest, StreamsOutliveTheFileObject)
{
    auto file = CreateFile();
    ASSERT_EQ(WriteStream(*file, "s", "payload"), EStorageResult::Ok);
    std::unique_ptr<CStorageStream> reader, writer;
    ASSERT_EQ(file->OpenStream("s", EStorageAccess::Read, reader), EStorageResult::Ok);
    ASSERT_EQ(file->CreateStream("late", EStreamCreate::Replace, writer), EStorageResult::Ok);
    file.reset();
    // The file is still held (and locked) by the streams.
    std::shared_ptr<CCompoundFile> other;
    EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::Read, other), EStorageResult::AccessDenied);
    char buffer[16];
    std::size_t read = 0;
    ASSERT_EQ(reader->Read(buffer, sizeof buffer, read), EStorageResult::Ok);
    EXPECT_EQ(std::string(buffer, read), "payload");
    ASSERT_EQ(writer->Write("later", 5), EStorageResult::Ok);
    ASSERT_EQ(writer->Close(), EStorageResult::Ok);
    EXPECT_EQ(writer->Write("x", 1), EStorageResult::InvalidArgument);
    reader.reset();
    std::map<std::string, std::string> streams;
    ASSERT_EQ(ReadAll(m_path, streams), EStorageResult::Ok);
    EXPECT_EQ(streams, (std::map<std::string, std::string>{{"late", "later"}, {"s", "payload"}}));
}

TEST_F(CompoundFileTest, ReplacementAppearsWhenTheNewStreamCloses)
{
    auto file = CreateFile();
    ASSERT_EQ(WriteStream(*file, "project.xml", "<old/>"), EStorageResult::Ok);
    std::unique_ptr<CStorageStream> stream;
    ASSERT_EQ(file->CreateStream("project.xml", EStreamCreate::Replace, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->Write("<new/>", 6), EStorageResult::Ok);
    ASSERT_EQ(WriteStream(*file, "unrelated", "x"), EStorageResult::Ok); // commits meanwhile
    EXPECT_EQ(file->EnumElements()[1].size, 6u);
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    std::string data;
    ASSERT_EQ(ReadStream(*file, "project.xml", data), EStorageResult::Ok);
    EXPECT_EQ(data, "<new/>");

    // A stream destroyed before it is closed publishes nothing.
    ASSERT_EQ(file->CreateStream("ghost", EStreamCreate::Replace, stream), EStorageResult::Ok);
    ASSERT_EQ(stream->Write("boo", 3), EStorageResult::Ok);
    ASSERT_EQ(file->DestroyElement("ghost"), EStorageResult::Ok);
    ASSERT_EQ(stream->Close(), EStorageResult::Ok);
    EXPECT_EQ(Names(*file), (std::vector<std::string>{"unrelated", "project.xml"}));
}

TEST_F(CompoundFileTest, LargeFilesUseDifatSectorsAndStayBelowTheLimit)
{
    const std::string big = Pattern(9 * 1024 * 1024, 5);
    {
        auto file = CreateFile();
        ASSERT_EQ(WriteStream(*file, "big", big, 65536), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "after", "tail"), EStorageResult::Ok);
        std::unique_ptr<CStorageStream> stream;
        ASSERT_EQ(file->CreateStream("huge", EStreamCreate::Replace, stream), EStorageResult::Ok);
        EXPECT_EQ(stream->SetSize(3ull << 30), EStorageResult::TooLarge);
        EXPECT_EQ(stream->SetSize(0x7FFFFF00), EStorageResult::TooLarge); // the rest of the file counts too
    }
    const std::string bytes = ReadFileBytes(m_path);
    EXPECT_NE(cfb::Get32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + cfb::kOffDifatSectorCount), 0u);
    std::map<std::string, std::string> streams;
    ASSERT_EQ(ReadAll(m_path, streams), EStorageResult::Ok);
    EXPECT_TRUE(streams["big"] == big);
    EXPECT_EQ(streams["after"], "tail");
    EXPECT_EQ(streams.count("huge"), 1u);
}

TEST_F(CompoundFileTest, ReplacingASmallStreamCostsNoMoreInALargeArchive)
{
    // Table, directory and header sectors written by ten rewrites of "project.xml" next to a
    // session of each size; the large one needs several DIFAT sectors.
    auto metadataWrites = [this](std::uint64_t sessionBytes) {
        int writes = 0;
        bool counting = false;
        std::shared_ptr<CCompoundFile> file;
        EXPECT_EQ(CCompoundFile::Create(m_path.c_str(), file,
                                        [&](const SWriteEvent& event) {
                                            if (counting && event.kind == SWriteEvent::EKind::Write && event.length <= 512)
                                                ++writes;
                                            return EWriteAction::Proceed;
                                        }),
                  EStorageResult::Ok);
        std::unique_ptr<CStorageStream> session;
        EXPECT_EQ(file->CreateStream("session.zlg", EStreamCreate::Replace, session), EStorageResult::Ok);
        EXPECT_EQ(session->SetSize(sessionBytes), EStorageResult::Ok);
        EXPECT_EQ(session->Close(), EStorageResult::Ok);
        for (int i = 0; i < 15; ++i) {
            counting = i >= 5;
            EXPECT_EQ(WriteStream(*file, "project.xml", Pattern(20000, unsigned(i))), EStorageResult::Ok);
        }
        return writes;
    };
    const int small = metadataWrites(100000);
    const int large = metadataWrites(60 * 1024 * 1024);
    EXPECT_LE(large, small + 10) << small << " sector writes beside a small session";
}
