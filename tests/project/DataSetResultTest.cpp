// Every result of the session loader, each from a file made for it.
#include "datamodel/DataTable.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "project/MeasurementSettings.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "support/SessionWriter.h"
#include "datamodel/SessionFiles.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class DataSetResult : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_record = std::make_shared<SProgressRecord>();
        CProgressThread::SetDialogFactory([record = m_record] {
            return std::make_unique<CRecordingProgressDialog>(record);
        });
    }
    void TearDown() override { CProgressThread::SetDialogFactory({}); }

    int Load(const std::vector<BYTE>& bytes, bool headerOnly = false)
    {
        const std::string path = m_folder.Path("case.zlg");
        EXPECT_TRUE(WriteBytesToFile(path, bytes));
        m_set = std::make_unique<CDataSet>(&m_owner);
        return m_set->LoadFromFile(path.c_str(), headerOnly);
    }
    int Load(const CSessionWriter& writer, const std::vector<SWrittenTable>& tables)
    {
        return Load(writer.BuildFile(tables));
    }

    // Runs `load` as an unprivileged user (the tests run as root, who may read anything) and
    // returns its result.
    int LoadAsNobody(const std::string& path)
    {
        ::chmod(m_folder.Root().c_str(), 0755);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
            CDataSet set(nullptr);
            ::_exit(set.LoadFromFile(path.c_str(), false));
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    CTempFolder m_folder;
    CMeasurementSettings m_owner;
    std::unique_ptr<CDataSet> m_set;
    std::shared_ptr<SProgressRecord> m_record;
};

TEST_F(DataSetResult, OpenFailures)
{
    CDataSet set(nullptr);
    EXPECT_EQ(30, set.LoadFromFile(m_folder.Path("missing.zlg").c_str(), false));
    EXPECT_EQ(30, set.LoadFromFile("", false));
    EXPECT_EQ(20, set.LoadFromFile(m_folder.Root().c_str(), false));  // a folder

    CMemoryStorage storage;
    EXPECT_EQ(30, set.LoadFromCompoundFile(storage, "none"));
    storage.SetOpenResult(29);
    EXPECT_EQ(29, set.LoadFromCompoundFile(storage, "none"));
    storage.SetOpenResult(20);
    EXPECT_EQ(20, set.LoadFromCompoundFile(storage, "none"));
}

TEST_F(DataSetResult, AccessDeniedIs29AndReadOnlyFilesStillLoad)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to switch to an unprivileged user";
    const CSessionWriter writer(SmallSessionSpec());
    const std::string locked = m_folder.Path("locked.zlg");
    ASSERT_TRUE(WriteBytesToFile(locked, writer.BuildFile()));
    ::chmod(locked.c_str(), 0600);
    EXPECT_EQ(29, LoadAsNobody(locked));

    // Readable but not writable: a file of unknown length loads, its header stays as it was.
    SSessionSpec sessionSpec = SmallSessionSpec();
    sessionSpec.unknownLength = true;
    const std::vector<BYTE> bytes = CSessionWriter(sessionSpec).BuildFile();
    const std::string readOnly = m_folder.Path("readonly.zlg");
    ASSERT_TRUE(WriteBytesToFile(readOnly, bytes));
    ::chmod(readOnly.c_str(), 0644);
    EXPECT_EQ(0, LoadAsNobody(readOnly));
    std::ifstream in(readOnly, std::ios::binary);
    std::vector<BYTE> header(32);
    in.read(reinterpret_cast<char*>(header.data()), 32);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 32), header);
}

TEST_F(DataSetResult, TooLittleDiskSpaceIs5)
{
    // A sparse file of unknown length that needs ten times more free space than there is.
    struct statvfs info {};
    ASSERT_EQ(0, ::statvfs(m_folder.Root().c_str(), &info));
    const std::uint64_t free = std::uint64_t(info.f_bavail) * info.f_frsize;
    SSessionSpec sessionSpec = SmallSessionSpec();
    sessionSpec.unknownLength = true;
    const std::string path = m_folder.Path("huge.zlg");
    ASSERT_TRUE(WriteBytesToFile(path, CSessionWriter(sessionSpec).BuildFile()));
    ASSERT_EQ(0, ::truncate(path.c_str(), off_t(free / 9 + 1)));
    CDataSet set(nullptr);
    EXPECT_EQ(5, set.LoadFromFile(path.c_str(), false));
    EXPECT_EQ(nullptr, set.GetStream());
}

TEST_F(DataSetResult, ForeignOrIncompleteStreamsAre21)
{
    const CSessionWriter writer(SmallSessionSpec());
    std::vector<BYTE> good = writer.BuildFile();

    EXPECT_EQ(21, Load({}));                                         // empty
    EXPECT_EQ(21, Load(std::vector<BYTE>(good.begin(), good.begin() + 31)));  // short header
    auto magic = good;
    magic[0] = 0x0C;
    EXPECT_EQ(21, Load(magic));
    auto type = good;
    type[2] = 21;
    EXPECT_EQ(21, Load(type));
    auto version = good;
    version[26] = 7;
    EXPECT_EQ(21, Load(version));

    // No configuration table.
    auto tables = writer.BuildTables();
    tables.erase(tables.begin());
    EXPECT_EQ(21, Load(writer, tables));
    EXPECT_EQ(1, m_record->closeCount);  // the progress dialog closed all the same
    EXPECT_TRUE(m_owner.GetStartTime().IsZero());

    // A configuration table shorter than its layout is not a configuration.
    tables = writer.BuildTables();
    tables[0].bytes.Resize(700);
    tables[0].bytes.PutU16(2, 700);
    EXPECT_EQ(21, Load(writer, tables));
}

TEST_F(DataSetResult, HeaderOnlyBeyond2000BytesIs21)
{
    const CSessionWriter writer(SmallSessionSpec());
    auto tables = writer.BuildTables();
    std::vector<SWrittenTable> late;
    for (int i = 0; i < 3; ++i)
        late.push_back(writer.MakeTrendRecord(writer.TrendBegin(0), 0));  // 2040 bytes
    tables.insert(tables.begin(), late.begin(), late.end());
    EXPECT_EQ(21, Load(writer.BuildFile(tables), true));
    // The same file read whole: the configuration restarts the session after those records.
    EXPECT_EQ(0, Load(writer.BuildFile(tables), false));
    EXPECT_EQ(12, m_set->GetTrendTable()->GetCount());
}

TEST_F(DataSetResult, AveragingIntervalZeroIs21)
{
    SSessionSpec sessionSpec = SmallSessionSpec();
    sessionSpec.averagingSeconds = 0;
    const CSessionWriter writer(sessionSpec);
    EXPECT_EQ(21, Load(writer.BuildFile()));
    EXPECT_EQ(21, Load(writer.BuildFile(), true));
    EXPECT_TRUE(m_owner.GetStartTime().IsZero());

    // Demand records with a demand interval of 0.
    SSessionSpec demand = SmallSessionSpec();
    const CSessionWriter good(demand);
    auto tables = good.BuildTables();
    tables[0].bytes.PutU32(20, 0);
    EXPECT_EQ(21, Load(good, tables));
}

TEST_F(DataSetResult, MissingTimesOrLengthAre23)
{
    const CSessionWriter writer(SmallSessionSpec());
    auto noFirst = writer.BuildFile();
    std::fill(noFirst.begin() + 8, noFirst.begin() + 16, 0);
    EXPECT_EQ(23, Load(noFirst));
    EXPECT_TRUE(m_owner.GetStartTime().IsZero());
    auto noLast = writer.BuildFile();
    std::fill(noLast.begin() + 16, noLast.begin() + 24, 0);
    EXPECT_EQ(23, Load(noLast));

    // Unknown length without a closing table, and with one that does not match.
    SSessionSpec open = SmallSessionSpec();
    open.unknownLength = true;
    const CSessionWriter openWriter(open);
    auto withClosing = openWriter.BuildFile();
    const std::vector<BYTE> withoutClosing(withClosing.begin(), withClosing.end() - 36);
    EXPECT_EQ(23, Load(withoutClosing));
    auto mismatch = withClosing;
    mismatch[withClosing.size() - 36 + 16] ^= 0x04;
    EXPECT_EQ(23, Load(mismatch));

    // The same bytes from an archive stream stay incomplete: 23, never 27.
    CMemoryStorage storage;
    storage.Add("s", withClosing);
    CDataSet set(nullptr);
    EXPECT_EQ(23, set.LoadFromCompoundFile(storage, "s"));
}

TEST_F(DataSetResult, ReadErrorIs24)
{
    const CSessionWriter writer(SmallSessionSpec());
    CMemoryStorage storage;
    storage.Add("s", writer.BuildFile(), 3000);
    CDataSet set(nullptr);
    EXPECT_EQ(24, set.LoadFromCompoundFile(storage, "s"));
    EXPECT_EQ(nullptr, set.GetStream());
}

TEST_F(DataSetResult, OpenBracketIs25)
{
    const CSessionWriter writer(SmallSessionSpec());
    auto tables = writer.BuildTables();
    tables.push_back(writer.MakeTable(12, 12, writer.TrendBegin(12)));
    EXPECT_EQ(25, Load(writer, tables));
    tables.push_back(writer.MakeTable(14, 12, writer.TrendBegin(12)));
    EXPECT_EQ(0, Load(writer, tables));
}

TEST_F(DataSetResult, CutTablesAre27)
{
    const CSessionWriter writer(SmallSessionSpec());
    const auto good = writer.BuildFile();
    // Inside the last table's header, and inside its body (no stale bytes are taken).
    EXPECT_EQ(27, Load(std::vector<BYTE>(good.begin(), good.end() - 100)));
    EXPECT_EQ(27, Load(std::vector<BYTE>(good.begin(), good.end() - 1)));
    EXPECT_EQ(27, Load(std::vector<BYTE>(good.begin(), good.end() - 98)));
    // A table that claims less than its own header.
    for (WORD length : {0, 11}) {
        auto tables = writer.BuildTables();
        tables.insert(tables.begin() + 3, writer.MakeTable(26, 12, writer.TrendBegin(0)));
        tables[3].bytes.PutU16(2, length);
        EXPECT_EQ(27, Load(writer, tables)) << length;
    }
}

TEST_F(DataSetResult, CancelIs28ButNotInsideABracket)
{
    const CSessionWriter writer(SmallSessionSpec());
    m_record->cancelAfterPositions = 3;
    EXPECT_EQ(28, Load(writer.BuildFile()));
    EXPECT_EQ(1, m_record->closeCount);

    auto tables = writer.BuildTables();
    tables.insert(tables.begin() + 1, writer.MakeTable(12, 12, writer.TrendBegin(0)));
    tables.push_back(writer.MakeTable(14, 12, writer.TrendBegin(12)));
    m_record->positions.clear();
    EXPECT_EQ(28, Load(writer, tables));
    // The cancel took effect only after the bracket closed, at the last table.
    EXPECT_EQ(int(tables.size()), int(m_record->positions.size()));
}

TEST_F(DataSetResult, FirstErrorIsKept)
{
    // A file cut inside a table before any configuration was read: 27, not 21.
    const CSessionWriter writer(SmallSessionSpec());
    auto tables = writer.BuildTables();
    tables.erase(tables.begin());
    const auto bytes = writer.BuildFile(tables);
    EXPECT_EQ(27, Load(std::vector<BYTE>(bytes.begin(), bytes.end() - 5)));
}

} // namespace
