// A session stream of a project archive loads like the file it came from.
#include "datamodel/DataTable.h"
#include "datamodel/ArchiveStreamStorage.h"
#include "datamodel/DataSet.h"
#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"
#include "support/SessionWriter.h"
#include "SessionFiles.h"

#include <gtest/gtest.h>

namespace {

// Passes an archive's session stream through, counting the reads the loader asks for.
class CCountingStorage final : public IStreamStorage
{
public:
    explicit CCountingStorage(IStreamStorage& inner) : m_inner(inner) {}

    int OpenStream(const CString& name, std::unique_ptr<IDataStream>& stream) override
    {
        std::unique_ptr<IDataStream> opened;
        const int result = m_inner.OpenStream(name, opened);
        if (result == 0)
            stream = std::make_unique<CCounting>(std::move(opened), *this);
        return result;
    }

    int reads = 0;
    std::size_t smallestRequest = SIZE_MAX;

private:
    class CCounting final : public IDataStream
    {
    public:
        CCounting(std::unique_ptr<IDataStream> inner, CCountingStorage& counts) : m_inner(std::move(inner)), m_counts(counts) {}
        std::int64_t Read(void* buffer, std::size_t count) override
        {
            ++m_counts.reads;
            m_counts.smallestRequest = std::min(m_counts.smallestRequest, count);
            return m_inner->Read(buffer, count);
        }
        bool Seek(std::uint64_t position) override { return m_inner->Seek(position); }
        std::uint64_t GetPosition() const override { return m_inner->GetPosition(); }
        std::uint64_t GetLength() const override { return m_inner->GetLength(); }
        bool Write(const void* data, std::size_t count) override { return m_inner->Write(data, count); }

    private:
        std::unique_ptr<IDataStream> m_inner;
        CCountingStorage& m_counts;
    };

    IStreamStorage& m_inner;
};

void WriteArchive(const CString& path, const CString& streamName, const std::vector<BYTE>& bytes)
{
    std::shared_ptr<CCompoundFile> file;
    ASSERT_EQ(EStorageResult::Ok, CCompoundFile::Create(path, file));
    std::unique_ptr<CStorageStream> stream;
    ASSERT_EQ(EStorageResult::Ok, file->CreateStream(streamName, EStreamCreate::FailIfExists, stream));
    ASSERT_EQ(EStorageResult::Ok, stream->Write(bytes.data(), bytes.size()));
    ASSERT_EQ(EStorageResult::Ok, stream->Close());
}

TEST(ArchiveStreamStorage, SessionStreamLoadsAndMissingStreamsAre30)
{
    CTempFolder folder;
    const CString path = folder.Path("project.zca").c_str();
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = true;
    sessionSpec.trendRecords = 30;
    const CSessionWriter writer(sessionSpec);
    WriteArchive(path, "Session 1", writer.BuildFile());
    std::shared_ptr<CCompoundFile> file;
    ASSERT_EQ(EStorageResult::Ok, CCompoundFile::Open(path, EStorageAccess::Read, file));
    CCompoundStreamStorage storage(file);
    CDataSet set(nullptr);
    ASSERT_EQ(0, set.LoadFromCompoundFile(storage, "Session 1"));
    EXPECT_TRUE(set.IsFromArchive());
    EXPECT_EQ(writer.WrittenTrendCount(), set.GetTrendTable()->GetCount());
    EXPECT_EQ(CString("Substation feeder 2"), set.GetName());

    CDataSet missing(nullptr);
    EXPECT_EQ(30, missing.LoadFromCompoundFile(storage, "Session 2"));
}

// A session of thousands of tables is read in a few large blocks, not table by table, and
// loads as its file does.
TEST(ArchiveStreamStorage, TheLoaderReadsASessionStreamInLargeBlocks)
{
    CTempFolder folder;
    const CString path = folder.Path("project.zca").c_str();
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = true;
    sessionSpec.trendRecords = 5000;
    const CSessionWriter writer(sessionSpec);
    const std::vector<BYTE> bytes = writer.BuildFile();
    ASSERT_GT(bytes.size(), 3u * 1024 * 1024);
    WriteArchive(path, "Session 1", bytes);
    const CString filePath = folder.Path("session.zlg").c_str();
    WriteBytesToFile(filePath.str(), bytes);

    std::shared_ptr<CCompoundFile> file;
    ASSERT_EQ(EStorageResult::Ok, CCompoundFile::Open(path, EStorageAccess::Read, file));
    CCompoundStreamStorage archive(file);
    CCountingStorage counting(archive);
    CDataSet fromArchive(nullptr);
    ASSERT_EQ(0, fromArchive.LoadFromCompoundFile(counting, "Session 1"));
    // Before, two reads per table: more than 10,000 for this session.
    EXPECT_LE(counting.reads, int(bytes.size() / (256 * 1024)) + 2);
    EXPECT_GE(counting.smallestRequest, std::size_t(256 * 1024));

    CDataSet fromFile(nullptr);
    ASSERT_EQ(0, fromFile.LoadFromFile(filePath, false));
    const CDataTable& archived = *fromArchive.GetTrendTable();
    const CDataTable& filed = *fromFile.GetTrendTable();
    ASSERT_EQ(writer.WrittenTrendCount(), archived.GetCount());
    ASSERT_EQ(filed.GetCount(), archived.GetCount());
    for (int i = 0; i < archived.GetCount(); i += 997)
        EXPECT_EQ(0, std::memcmp(archived.GetAt(i), filed.GetAt(i), archived.GetAt(i)->table_lth)) << i;
    EXPECT_EQ(fromFile.GetFileTable10().GetSize(), fromArchive.GetFileTable10().GetSize());
}

} // namespace
