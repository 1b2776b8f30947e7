#include "project/RecDoc.h"

#include <gtest/gtest.h>

#include "PngBuilder.h"
#include "support/TempFolder.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/StringTable.h"
#include "project/ProjectManagerSettings.h"
#include "project/ReportViewSettings.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempXdgHome.h"

namespace {

class RecDocEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().LoadLanguage("ENG");
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_dialogAnswer;
            return true;
        });
        m_projectPath = MakeProject("project.zca", 1);
        m_sourcePath = MakeProject("source.zca", 2);
        ASSERT_TRUE(m_doc.OnOpenDocument(m_projectPath));
    }
    void TearDown() override
    {
        m_doc.OnCloseDocument();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
    }

    CString MakeProject(const std::string& name, WORD studyType)
    {
        SSessionSpec sessionSpec;
        sessionSpec.studyType = studyType;
        const std::string session = m_folder.Path("session.zlg");
        EXPECT_TRUE(WriteBytesToFile(session, CSessionWriter(sessionSpec).BuildFile()));
        m_dialogAnswer = m_folder.Path(name);
        CRecDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(session));
        return m_dialogAnswer;
    }

    std::vector<CString> Streams() const
    {
        std::vector<CString> names;
        m_doc.GetArchive()->RefreshElementList();
        for (int i = 0; i < m_doc.GetArchive()->GetElementCount(); ++i)
            names.push_back(m_doc.GetArchive()->GetElement(i).name);
        return names;
    }

    CString WritePicture(const std::string& name)
    {
        CPngBuilder png;
        png.AddText("Description", "Device=D\nSerial=S1\nCPU=1\nDSP=2\nCreationTime=2020-01-02 030405\nUtcOffset=60")
            .Finish();
        WriteFileBytes(m_folder.Path(name), png.Bytes());
        return m_folder.Path(name);
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    CString m_dialogAnswer;
    FileDialogHandler m_previousDialog;
    CString m_projectPath;
    CString m_sourcePath;
    CRecDoc m_doc;
};

} // namespace

TEST_F(RecDocEditTest, ImportsASessionUnderAUniqueNameAndReadsItFromItsOwnCopy)
{
    EXPECT_EQ(m_doc.ImportSession(m_sourcePath, 1), -1); // one past the end
    EXPECT_EQ(m_doc.ImportSession(m_sourcePath, -1), -1);
    EXPECT_EQ(m_doc.ImportSession(m_folder.Path("absent.zca"), 0), -1);
    EXPECT_EQ(m_doc.ImportSession(m_projectPath, 0), -1); // the open file itself
    EXPECT_EQ(m_doc.GetDataSetCount(), 1);

    ASSERT_EQ(m_doc.ImportSession(m_sourcePath, 0), 0);
    ASSERT_EQ(m_doc.GetDataSetCount(), 2);
    EXPECT_EQ(m_doc.GetDataSet(1)->GetIndex(), 1);
    EXPECT_EQ(m_doc.GetProjectSettings()->GetMeasurement(1).GetStreamName(), "session0000.zlg");
    EXPECT_EQ(m_doc.GetUpdateMsg().GetAdded(), 1);
    EXPECT_EQ(m_doc.GetUpdateMsg().GetStudyType(), 2);
    EXPECT_EQ(m_doc.GetLoadStudySessionCount(), 1);
    EXPECT_EQ(Streams(), (std::vector<CString>{"project.xml", "session.zlg", "session0000.zlg"}));
    // Nothing holds the source any longer.
    CZcaArchive source;
    EXPECT_TRUE(source.Open(m_sourcePath));

    m_doc.OnCloseDocument();
    CRecDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(m_projectPath));
    EXPECT_EQ(reopened.GetDataSetCount(), 2);
}

TEST_F(RecDocEditTest, DeletesASessionThroughTheRewriteAndRenumbers)
{
    ASSERT_EQ(m_doc.ImportSession(m_sourcePath, 0), 0);
    EXPECT_EQ(m_doc.DeleteSession(-1), -1);
    EXPECT_EQ(m_doc.DeleteSession(2), -1);

    CReportViewSettings report;
    report.SetPresent(true);
    report.m_items = {{SReportItem::kSession, 0, 0}, {SReportItem::kSession, 1, 0}};
    m_doc.GetProjectSettings()->SetViewSettings(CViewSettings::kReportViewId, &report);
    EXPECT_EQ(m_doc.DeleteSession(0), -1);
    EXPECT_EQ(m_boxes.Boxes().back().text, "Session is used in report and cannot be deleted");
    EXPECT_EQ(m_doc.GetDataSetCount(), 2);

    report.m_items = {{SReportItem::kSession, 1, 0}};
    m_doc.GetProjectSettings()->SetViewSettings(CViewSettings::kReportViewId, &report);
    ASSERT_EQ(m_doc.DeleteSession(0), 0);
    ASSERT_EQ(m_doc.GetDataSetCount(), 1);
    EXPECT_EQ(m_doc.GetDataSet(0)->GetIndex(), 0);
    EXPECT_EQ(m_doc.GetUpdateMsg().GetKind(), 0);
    EXPECT_EQ(m_doc.GetLoadStudySessionCount(), 1);
    EXPECT_EQ(m_doc.GetEnergyStudySessionCount(), 0);
    const auto* stored =
        dynamic_cast<CReportViewSettings*>(m_doc.GetProjectSettings()->GetViewSettings(CViewSettings::kReportViewId));
    ASSERT_NE(stored, nullptr);
    ASSERT_EQ(stored->m_items.size(), 1u);
    EXPECT_EQ(stored->m_items[0].Index, 0);
    EXPECT_EQ(Streams(), (std::vector<CString>{"project.xml", "session0000.zlg"}));
}

TEST_F(RecDocEditTest, SavedScreensAndBookmarksComeAndGoWithTheirStreams)
{
    EXPECT_EQ(m_doc.ImportSavedScreen(WritePicture("screenshot-2020-01-02 030405.png")), 0);
    WriteFileBytes(m_folder.Path("text.png"), {'n', 'o'});
    EXPECT_EQ(m_doc.ImportSavedScreen(m_folder.Path("text.png")), -2);
    ASSERT_EQ(m_doc.GetProjectSettings()->GetImageCount(), 1);
    const CImageSettings& image = m_doc.GetProjectSettings()->GetImage(0);
    EXPECT_EQ(image.serialNumber, "S1");
    EXPECT_EQ(image.utcOffset, 60);
    // The logger's names have 32 characters, one more than a stream name may.
    EXPECT_EQ(image.streamName, "screenshot-2020-01-02 00000.png");
    EXPECT_EQ(image.fileName, "screenshot-2020-01-02 030405.png");

    const CString picture = WritePicture("capture.png");
    EXPECT_EQ(m_doc.AddBookmark(2, "First", picture), 0);
    EXPECT_EQ(m_doc.AddBookmark(2, "Second", picture), 0);
    EXPECT_EQ(m_doc.AddBookmark(99, "Bad type", picture), -1);
    ASSERT_EQ(m_doc.GetProjectSettings()->GetBookmarkCount(), 2);
    EXPECT_EQ(m_doc.GetProjectSettings()->GetBookmark(1).GetImage(), "bookmark0000.png");
    EXPECT_EQ(Streams(), (std::vector<CString>{"project.xml", "session.zlg", "bookmark.png", "bookmark0000.png",
                                               "screenshot-2020-01-02 00000.png"}));

    CReportViewSettings report;
    report.SetPresent(true);
    report.m_items = {{SReportItem::kSavedScreen, 0, 0}, {SReportItem::kBookmark, 1, 0}};
    m_doc.GetProjectSettings()->SetViewSettings(CViewSettings::kReportViewId, &report);
    EXPECT_EQ(m_doc.DeleteSavedScreen(0), -1);
    EXPECT_EQ(m_boxes.Boxes().back().text, "Image is used in report and cannot be deleted");
    EXPECT_EQ(m_doc.DeleteBookmark(1), -1);
    EXPECT_EQ(m_boxes.Boxes().back().text, "Bookmark is used in report and cannot be deleted");
    EXPECT_EQ(m_doc.DeleteBookmark(0), 0);
    EXPECT_EQ(m_doc.DeleteBookmark(-1), -1);
    EXPECT_EQ(m_doc.DeleteSavedScreen(1), -1);
    EXPECT_EQ(Streams(), (std::vector<CString>{"project.xml", "session.zlg", "bookmark0000.png",
                                               "screenshot-2020-01-02 00000.png"}));
}

TEST_F(RecDocEditTest, ASessionWithBookmarksIsKept)
{
    const CString picture = WritePicture("capture.png");
    ASSERT_EQ(m_doc.AddBookmark(0, "B", picture), 0); // overview tables keep the session list
    ASSERT_EQ(m_doc.AddBookmark(0, "A", picture), 0);
    EXPECT_EQ(m_doc.DeleteSession(0), -1);
    ASSERT_FALSE(m_boxes.Boxes().empty());
    EXPECT_EQ(m_boxes.Boxes().back().text, "Data are referenced by bookmarks.\nThe following bookmarks must be removed "
                                           "first:\n\"A\", \"B\"");
    EXPECT_EQ(m_doc.GetDataSetCount(), 1);
    EXPECT_EQ(Streams().size(), 4u);
}

TEST_F(RecDocEditTest, RenamesBookmarksTheToolbarsShow)
{
    const CString picture = WritePicture("capture.png");
    ASSERT_EQ(m_doc.AddBookmark(2, "Old", picture), 0);
    ASSERT_EQ(m_doc.AddBookmark(20, "Load", picture), 0);
    EXPECT_EQ(m_doc.RenameBookmark("  New name ", 0), 0);
    EXPECT_EQ(m_doc.GetProjectSettings()->GetBookmark(0).GetName(), "New name");
    EXPECT_EQ(m_doc.RenameBookmark("   ", 0), 0);
    EXPECT_EQ(m_doc.GetProjectSettings()->GetBookmark(0).GetName(), "New name");
    EXPECT_EQ(m_doc.RenameBookmark("Other", 1), -1);
    EXPECT_EQ(m_doc.GetProjectSettings()->GetBookmark(1).GetName(), "Load");
    EXPECT_EQ(m_doc.RenameBookmark("x", 2), -1);
    EXPECT_EQ(m_doc.RenameBookmark("x", -1), -1);
}

TEST_F(RecDocEditTest, AuxScalingHintsReachTheValueFormatter)
{
    CProjectManagerSettings manager;
    manager.SetPresent(true);
    SProjectManagerDataSetEntry entry;
    entry.AuxOverride = true;
    entry.auxData[0] = {TRUE, 2.5f, -0.5f, "bar"};
    manager.m_dataSets.push_back(entry);
    m_doc.GetProjectSettings()->SetViewSettings(CViewSettings::kProjectManagerViewId, &manager);
    CValueFormatter& formatter = *m_doc.GetValueFormatter();
    formatter.RegisterRange(0, 0, 51, false, 0.0f, 10.0f);
    formatter.RegisterRange(0, 0, 52, false, 0.0f, 10.0f);

    CUpdateMsg& hint = m_doc.GetUpdateMsg();
    hint.Set(CRecDoc::kHintSessionSettings);
    m_doc.NotifyViews(&hint);
    EXPECT_FALSE(formatter.FindScaleEntry(0, 51, false, 0)->userScale);
    hint.Set(CRecDoc::kHintAuxScaling);
    m_doc.NotifyViews(&hint);
    const SValueScaleEntry* first = formatter.FindScaleEntry(0, 51, false, 0);
    EXPECT_TRUE(first->userScale);
    EXPECT_DOUBLE_EQ(first->userRatio, 2.5);
    EXPECT_DOUBLE_EQ(first->userOffset, -0.5);
    EXPECT_EQ(first->unitText, "bar");
    const SValueScaleEntry* second = formatter.FindScaleEntry(0, 52, false, 0);
    EXPECT_DOUBLE_EQ(second->userRatio, 1.0);
    EXPECT_DOUBLE_EQ(second->userOffset, 0.0);
}
