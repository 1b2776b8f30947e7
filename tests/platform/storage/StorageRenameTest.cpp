// Renaming an element: one commit that switches the name, replacing an element of the new name.
#include <gtest/gtest.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"
#include "platform/storage/StorageTestSupport.h"

using namespace storage_test;

namespace {

class StorageRenameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(CCompoundFile::Create(m_path.c_str(), m_file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*m_file, "project.xml", Pattern(1500, 1)), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*m_file, "project.xml.new", Pattern(9000, 2)), EStorageResult::Ok);
    }

    std::map<std::string, std::string> Reopened()
    {
        m_file.reset();
        std::map<std::string, std::string> streams;
        EXPECT_EQ(ReadAll(m_path, streams), EStorageResult::Ok);
        return streams;
    }

    CScratchDir m_dir;
    std::string m_path = m_dir.Path("rename.zca");
    std::shared_ptr<CCompoundFile> m_file;
};

} // namespace

TEST_F(StorageRenameTest, ReplacesTheElementOfTheNewNameAndSurvivesReopening)
{
    ASSERT_EQ(m_file->RenameElement("project.xml.new", "project.xml"), EStorageResult::Ok);
    std::string text;
    ASSERT_EQ(ReadStream(*m_file, "project.xml", text), EStorageResult::Ok);
    EXPECT_EQ(text, Pattern(9000, 2));
    EXPECT_EQ(ReadStream(*m_file, "project.xml.new", text), EStorageResult::NotFound);
    const auto streams = Reopened();
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams.at("project.xml"), Pattern(9000, 2));
}

TEST_F(StorageRenameTest, ToAFreeNameAndToAnotherCaseOfItsOwnName)
{
    ASSERT_EQ(m_file->RenameElement("project.xml", "old.xml"), EStorageResult::Ok);
    ASSERT_EQ(m_file->RenameElement("PROJECT.XML.NEW", "Project.XML"), EStorageResult::Ok);
    ASSERT_EQ(m_file->RenameElement("project.xml", "PROJECT.xml"), EStorageResult::Ok);
    const auto streams = Reopened();
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams.at("old.xml"), Pattern(1500, 1));
    EXPECT_EQ(streams.at("PROJECT.xml"), Pattern(9000, 2));
}

TEST_F(StorageRenameTest, RefusalsChangeNothing)
{
    EXPECT_EQ(m_file->RenameElement("missing", "project.xml"), EStorageResult::NotFound);
    EXPECT_EQ(m_file->RenameElement("project.xml", ""), EStorageResult::InvalidName);
    EXPECT_EQ(m_file->RenameElement("project.xml", "a/b"), EStorageResult::InvalidName);
    EXPECT_EQ(m_file->RenameElement("project.xml", std::string(32, 'x').c_str()), EStorageResult::InvalidName);
    {
        // An open stream of either name would publish under a name it no longer has.
        std::unique_ptr<CStorageStream> open;
        ASSERT_EQ(m_file->OpenStream("project.xml", EStorageAccess::Read, open), EStorageResult::Ok);
        EXPECT_EQ(m_file->RenameElement("project.xml.new", "project.xml"), EStorageResult::AccessDenied);
        EXPECT_EQ(m_file->RenameElement("project.xml", "other"), EStorageResult::AccessDenied);
    }
    {
        std::unique_ptr<CStorageStream> created;
        ASSERT_EQ(m_file->CreateStream("fresh", EStreamCreate::FailIfExists, created), EStorageResult::Ok);
        EXPECT_EQ(m_file->RenameElement("project.xml", "fresh"), EStorageResult::AccessDenied);
    }
    const auto streams = Reopened();
    ASSERT_EQ(streams.size(), 3u);
    EXPECT_EQ(streams.at("project.xml"), Pattern(1500, 1));
    EXPECT_EQ(streams.at("project.xml.new"), Pattern(9000, 2));
    EXPECT_EQ(streams.at("fresh"), "");
}

TEST(StorageRename, ARenameOnAReadOnlyFileIsRefused)
{
    CScratchDir dir;
    const std::string path = dir.Path("ro.zca");
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(path.c_str(), file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "a", "x"), EStorageResult::Ok);
    }
    std::shared_ptr<CCompoundFile> file;
    ASSERT_EQ(CCompoundFile::Open(path.c_str(), EStorageAccess::Read, file), EStorageResult::Ok);
    EXPECT_EQ(file->RenameElement("a", "b"), EStorageResult::AccessDenied);
}
