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

TEST(ArchiveStreamStorage, SessionStreamLoadsAndMissingStreamsAre30)
{
    CTempFolder folder;
    const CString path = folder.Path("project.zca").c_str();
    SSessionSpec sessionSpec;
    sessionSpec.bigEndian = true;
    sessionSpec.trendRecords = 30;
    const CSessionWriter writer(sessionSpec);
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(EStorageResult::Ok, CCompoundFile::Create(path, file));
        std::unique_ptr<CStorageStream> stream;
        ASSERT_EQ(EStorageResult::Ok, file->CreateStream("Session 1", EStreamCreate::FailIfExists, stream));
        const auto bytes = writer.BuildFile();
        ASSERT_EQ(EStorageResult::Ok, stream->Write(bytes.data(), bytes.size()));
        ASSERT_EQ(EStorageResult::Ok, stream->Close());
    }
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

} // namespace
