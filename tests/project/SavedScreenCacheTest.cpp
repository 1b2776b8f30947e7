#include "DocProjectFixture.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/storage/StorageStream.h"
#include "project/SavedScreenCache.h"

namespace
{
class SavedScreenCacheTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }
    void SetUp() override
    {
        ASSERT_TRUE(m_doc.OnOpenDocument(m_project.ProjectPath()));
        ASSERT_EQ(m_doc.ImportSavedScreen(m_project.WritePicture("screenshot-2020-01-02 030405.png")), 0);
        ASSERT_EQ(m_doc.ImportSavedScreen(m_project.WritePicture("screenshot-2020-01-03 030405.png")), 0);
    }
    void TearDown() override { m_doc.OnCloseDocument(); }

    CStringW StreamOf(int image) const { return m_doc.GetProjectSettings()->GetImage(image).streamName; }
    // Puts other bytes into a stream of the archive under the same name.
    void Overwrite(const CStringW& name, const std::vector<unsigned char>& bytes)
    {
        std::unique_ptr<CStorageStream> stream;
        ASSERT_TRUE(m_doc.GetArchive()->CreateStream(name, EStreamCreate::Replace, stream));
        ASSERT_EQ(stream->Write(bytes.data(), bytes.size()), EStorageResult::Ok);
        stream->Close();
    }

    DocProjectFixture m_project;
    CRecDoc m_doc;
};
} // namespace

TEST_F(SavedScreenCacheTest, EachStreamIsDecodedOnceAndKeptUnderItsName)
{
    CSavedScreenCache cache(&m_doc);
    CBitmap* first = cache.GetImageBitmap(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetSize(), CSize(1, 1));
    EXPECT_EQ(cache.GetImageSettings(1)->streamName, StreamOf(1));

    // The stream is not read again: other content under the same name keeps the first picture.
    Overwrite(StreamOf(0), {'n', 'o'});
    EXPECT_EQ(cache.GetImageBitmap(0), first);
    EXPECT_EQ(cache.GetBitmap(StreamOf(0)), first);
    EXPECT_EQ(cache.GetCachedCount(), 1);

    // Content that is no picture still gives a (empty) picture object, cached like the others.
    Overwrite("garbage", {'n', 'o'});
    CBitmap* empty = cache.GetBitmap("garbage");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->GetSize(), CSize(0, 0));
    EXPECT_EQ(cache.GetBitmap("garbage"), empty);

    EXPECT_EQ(cache.GetBitmap("missing"), nullptr);
    EXPECT_EQ(cache.GetImageBitmap(2), nullptr);
    EXPECT_EQ(cache.GetImageBitmap(-1), nullptr);
    EXPECT_EQ(cache.GetCachedCount(), 2);
}

TEST_F(SavedScreenCacheTest, PurgeFreesOnlyThePicturesOfDeletedStreams)
{
    CSavedScreenCache cache(&m_doc);
    const CStringW deleted = StreamOf(0);
    ASSERT_TRUE(cache.GetImageBitmap(0));
    CBitmap* kept = cache.GetImageBitmap(1);
    ASSERT_TRUE(kept);
    ASSERT_EQ(m_doc.DeleteSavedScreen(0), 0);
    m_doc.GetArchive()->RefreshElementList();
    ASSERT_FALSE(m_doc.GetArchive()->FindElement(deleted));

    cache.Purge();
    EXPECT_EQ(cache.GetCachedCount(), 1);
    EXPECT_EQ(cache.GetImageBitmap(0), kept); // the former second screen is now the first
    EXPECT_EQ(cache.GetCachedCount(), 1);
}

TEST_F(SavedScreenCacheTest, DocumentWithoutProjectGivesNothing)
{
    m_doc.OnCloseDocument();
    CSavedScreenCache cache(&m_doc);
    EXPECT_EQ(cache.GetImageSettings(0), nullptr);
    EXPECT_EQ(cache.GetImageBitmap(0), nullptr);
    EXPECT_EQ(cache.GetBitmap("anything"), nullptr);
    cache.Purge();
    EXPECT_EQ(cache.GetCachedCount(), 0);
    CSavedScreenCache ownerless(nullptr);
    EXPECT_EQ(ownerless.GetImageBitmap(0), nullptr);
}
