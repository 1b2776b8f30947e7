// The project manager page on an open project: the cards of sessions and saved screens and
// their texts, adding and refusing sessions and screenshots, deleting them, the in-place edits,
// renames and collapse states that survive a save and a reopening, and the session settings.
#include "ProjectManagerPageFixture.h"
#include "platform/framework/windows/CDialog.h"
#include "export/ExportCsvDlg.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ImageSettings.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"
#include "support/LogCapture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

bool Contains(const CString& text, const char* part)
{
    return text.Find(part) >= 0;
}

// Grid row of body row r of card k in a grid of `perCard` rows a card.
int BodyRow(int perCard, int card, int r)
{
    return card * perCard + 2 + r;
}

class FourSessionProjectTest : public ProjectManagerPageTest
{
protected:
    void SetUp() override
    {
        OpenProject(MakeArchive("feeder", Spec(u"Feeder energy", 1, false, 144)));
        // The others come in through the page's own command, as the user adds them.
        for (const auto& [name, recording] : {std::pair{"big", Spec(u"Big endian energy", 1, true, 96)},
                                         std::pair{"load", Spec(u"Motor load", 2, false, 72)},
                                         std::pair{"loadbig", Spec(u"Pump load", 2, true, 48)}}) {
            nextPaths = {MakeArchive(name, recording)};
            Command(kCommandAddSession, 0);
        }
        nextPaths = {WritePicture("s1.png", 320, 240, "4626017"), WritePicture("s2.png", 320, 240, "4626017"),
                     WritePicture("s3.png", 320, 240, "4626018"), WritePicture("s4.png", 320, 240, "4626018"),
                     WritePicture("photo.png", 1000, 600, "")};
        Command(kCommandAddSavedScreens, 0);
        ASSERT_TRUE(boxes.Boxes().empty()) << boxes.Boxes().front().text;
    }
};

TEST_F(FourSessionProjectTest, CardsShowTheSessionsAndScreensWithTheirTexts)
{
    const SProjectManagerContent& content = view->GetContent();
    ASSERT_EQ(content.dataSetCount, 4);
    ASSERT_EQ(content.savedScreenCount, 5);
    EXPECT_EQ(view->GetDataSetGrid()->GetSectionCount(), 4);
    EXPECT_EQ(view->GetSavedScreenGrid()->GetSectionCount(), 5);

    const structProjectManagerDataSetInfo& feeder = *content.dataSets[0];
    EXPECT_EQ(feeder.displayName, "Feeder energy");
    EXPECT_TRUE(Contains(feeder.configurationText, "Energy study"));
    EXPECT_TRUE(Contains(feeder.configurationText, "3-ph Wye") || !feeder.configurationText.IsEmpty());
    // 144 records written, three of them left out as a gap: 141 (144).
    EXPECT_TRUE(Contains(feeder.timesText, "141 (144)")) << feeder.timesText;
    EXPECT_TRUE(Contains(feeder.timesText, "10min"));
    EXPECT_TRUE(Contains(feeder.timesText, "15min"));
    EXPECT_TRUE(Contains(feeder.originText, "Feeder 2 energy survey"));
    EXPECT_TRUE(Contains(feeder.originText, "4626017"));
    EXPECT_TRUE(Contains(content.dataSets[1]->timesText, "93 (96)"));
    EXPECT_TRUE(Contains(content.dataSets[2]->configurationText, "Load study"));
    EXPECT_TRUE(Contains(content.dataSets[2]->configurationText, " 230V"));
    EXPECT_TRUE(Contains(content.dataSets[3]->configurationText, "Load study"));
    EXPECT_TRUE(Contains(content.dataSets[3]->timesText, "45 (48)"));
    EXPECT_EQ(content.dataSets[3]->displayName, "Pump load");
    // Energy studies show no nominal voltage.
    EXPECT_TRUE(Contains(feeder.configurationText, "Nominal voltage:\n<:F,"));
    EXPECT_TRUE(Contains(feeder.configurationText, "- - -"));

    // Screenshots of the logger carry its description; a photo only its picture.
    EXPECT_TRUE(Contains(content.savedScreens[0]->screenText, "4626017"));
    EXPECT_TRUE(Contains(content.savedScreens[0]->screenText, "Screenshot date:"));
    EXPECT_EQ(view->GetSettings().m_savedScreens[4].Name, "photo.png");
    CProjectManagerSavedScreenGrid& screens = *view->GetSavedScreenGrid();
    EXPECT_EQ(CellText(screens, 1, BodyRow(7, 4, 0)), "Name [photo.png]");
    EXPECT_EQ(CellText(screens, 1, BodyRow(7, 0, 0)), "Name");
    // 1000 x 600 drawn over the whole right part; the logger's 320 x 240 in its picture column.
    EXPECT_EQ(screens.GetRowHeight(BodyRow(7, 0, 3)), 218);

    // The grids stand one below the other.
    CRect summary, sessions, saved;
    view->GetSummaryGrid()->GetWindowRect(&summary);
    view->GetDataSetGrid()->GetWindowRect(&sessions);
    view->GetSavedScreenGrid()->GetWindowRect(&saved);
    EXPECT_EQ(sessions.top, summary.bottom);
    EXPECT_EQ(saved.top, sessions.bottom);
    // The cards fill the page beside its vertical scroll bar.
    CRect pageClient;
    view->GetClientRect(&pageClient);
    EXPECT_LT(pageClient.Width(), kPageWidth);
    EXPECT_EQ(sessions.Width(), pageClient.Width());
    RenderToFile(*host, "page_four_sessions");
}

TEST_F(FourSessionProjectTest, AFifthSessionIsRefusedBeforeAnyDialog)
{
    const std::size_t dialogs = fileRequests.size();
    nextPaths = {MakeArchive("fifth", Spec(u"Fifth", 1, false, 24))};
    Command(kCommandAddSession, 0);
    EXPECT_EQ(fileRequests.size(), dialogs);
    EXPECT_EQ(BoxTexts(), (std::vector<CString>{"Cannot add a new session.\nThe maximum number of sessions is 4.\n"}));
    EXPECT_EQ(document->GetMeasurementCount(), 4);
}

TEST_F(FourSessionProjectTest, DeletingASessionAsksAndRemovesItsCardAndEntry)
{
    view->GetSettings().m_dataSets[2].Notes = "motor notes";
    view->GetDataSetGrid()->CollapseSection(3);
    // A session that a bookmark uses stays: one message says why, nothing is asked and nothing
    // is said to have failed.
    ASSERT_EQ(document->AddBookmark(0, "Peak", WritePicture("capture.png", 40, 30, "")), 0);
    {
        CMessageBoxRecorder boxes(IDYES);
        Command(kCommandDeleteSession, 1);
        EXPECT_EQ(document->GetMeasurementCount(), 4);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Data are referenced by bookmarks.\nThe following bookmarks must be removed first:\n\"Peak\"");
    }
    ASSERT_EQ(document->DeleteBookmark(0), 0);
    {
        CMessageBoxRecorder no(IDNO);
        Command(kCommandDeleteSession, 1);
        EXPECT_EQ(document->GetMeasurementCount(), 4);
        ASSERT_EQ(no.Boxes().size(), 1u);
        EXPECT_EQ(no.Boxes()[0].text, "Really delete the session from project?");
    }
    Command(kCommandDeleteSession, 1);
    ASSERT_EQ(document->GetMeasurementCount(), 3);
    EXPECT_EQ(view->GetContent().dataSetCount, 3);
    ASSERT_EQ(view->GetSettings().m_dataSets.size(), 3u);
    EXPECT_EQ(view->GetSettings().m_dataSets[1].Notes, "motor notes");
    EXPECT_EQ(view->GetContent().dataSets[1]->displayName, "Motor load");
    // The collapsed card moved up with its session.
    EXPECT_TRUE(view->GetDataSetGrid()->IsSectionCollapsed(2));
    EXPECT_EQ(view->GetDataSetGrid()->GetSectionCount(), 3);

    // What was deleted stays deleted in the file.
    Reopen();
    EXPECT_EQ(document->GetMeasurementCount(), 3);
    EXPECT_EQ(view->GetContent().dataSets[2]->displayName, "Pump load");
}

TEST_F(FourSessionProjectTest, DeletingAScreenshotKeepsTheOthersInStep)
{
    view->GetSettings().m_savedScreens[3].Notes = "fourth";
    Command(kCommandDeleteSavedScreen, 2);
    EXPECT_EQ(BoxTexts(), (std::vector<CString>{"Really delete the image from project?"}));
    ASSERT_EQ(document->GetProjectSettings()->GetImageCount(), 4);
    EXPECT_EQ(view->GetContent().savedScreenCount, 4);
    EXPECT_EQ(view->GetSavedScreenGrid()->GetSectionCount(), 4);
    EXPECT_EQ(view->GetSettings().m_savedScreens[2].Notes, "fourth");
    EXPECT_EQ(view->GetSettings().m_savedScreens[3].Name, "photo.png");
    Reopen();
    EXPECT_EQ(document->GetProjectSettings()->GetImageCount(), 4);
    EXPECT_EQ(view->GetSettings().m_savedScreens[2].Notes, "fourth");
    // Every image entry still finds its picture in the archive.
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(view->GetSavedScreenGrid()->GetCache().GetImageBitmap(i), nullptr) << i;
}

TEST_F(FourSessionProjectTest, EditsRenamesAndCollapseStatesSurviveSaveAndReopen)
{
    CProjectManagerSummaryGrid& summary = *view->GetSummaryGrid();
    summary.OnEditFinish(1, 3, nullptr, "ACME Works", FALSE);
    summary.OnEditFinish(5, 3, nullptr, "Main hall", FALSE);
    CProjectManagerDataSetGrid& sessions = *view->GetDataSetGrid();
    sessions.OnEditFinish(1, BodyRow(9, 2, 1), nullptr, "Motor M3", FALSE);
    sessions.OnEditFinish(1, BodyRow(9, 2, 3), nullptr, "Line 3\r\nnight shift", FALSE);
    sessions.OnEditFinish(1, BodyRow(9, 0, 5), nullptr, "checked", FALSE);
    CProjectManagerSavedScreenGrid& screens = *view->GetSavedScreenGrid();
    screens.OnEditFinish(1, BodyRow(7, 1, 1), nullptr, "Harmonics", FALSE);
    screens.OnEditFinish(1, BodyRow(7, 1, 3), nullptr, "THD high", FALSE);
    CFrameworkApp::PumpWaitingMessages();
    // A rename shows at once in the card's title.
    EXPECT_EQ(CellText(sessions, 0, 18), "Motor M3");
    EXPECT_EQ(CellText(screens, 0, 7), "Harmonics");
    EXPECT_EQ(document->GetSessionName(2), "Motor M3");
    Click(sessions, 0, 9);
    EXPECT_TRUE(sessions.IsSectionCollapsed(1));
    Click(screens, 0, 0);

    Reopen();
    const CProjectManagerSettings& settings = view->GetSettings();
    EXPECT_EQ(settings.m_summary[0].Client, "ACME Works");
    EXPECT_EQ(settings.m_summary[0].Description, "Main hall");
    EXPECT_EQ(settings.m_dataSets[2].Name, "Motor M3");
    EXPECT_EQ(settings.m_dataSets[2].Description, "Line 3\r\nnight shift");
    EXPECT_EQ(settings.m_dataSets[0].Notes, "checked");
    EXPECT_EQ(settings.m_savedScreens[1].Name, "Harmonics");
    EXPECT_EQ(settings.m_savedScreens[1].Notes, "THD high");
    EXPECT_EQ(CellText(*view->GetSummaryGrid(), 1, 3), "ACME Works");
    EXPECT_EQ(CellText(*view->GetDataSetGrid(), 0, 18), "Motor M3");
    EXPECT_TRUE(view->GetDataSetGrid()->IsSectionCollapsed(1));
    EXPECT_FALSE(view->GetDataSetGrid()->IsSectionCollapsed(0));
    EXPECT_TRUE(view->GetSavedScreenGrid()->IsSectionCollapsed(0));
    // One expand shows a restored card again.
    view->GetDataSetGrid()->ExpandSection(1);
    EXPECT_FALSE(view->GetDataSetGrid()->IsSectionCollapsed(1));
}

TEST_F(FourSessionProjectTest, TheDocumentRenamesItemsOfTheKindsItKnows)
{
    document->RenameProjectItem({SProjectItemName::kSession, 1, "Big one"});
    document->RenameProjectItem({SProjectItemName::kSavedScreen, 0, "First screen"});
    CLogCapture log;
    document->RenameProjectItem({3, 1, "Nothing"});
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(view->GetContent().dataSets[1]->displayName, "Big one");
    EXPECT_EQ(view->GetContent().savedScreens[0]->displayName, "First screen");
    EXPECT_EQ(document->GetSessionName(1), "Big one");
    const auto messages = log.Messages();
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(),
                            [](const std::string& m) { return m.find("item kind 3") != std::string::npos; }));
    EXPECT_EQ(view->GetSettings().m_dataSets[3].Name, "Pump load");
}

TEST_F(FourSessionProjectTest, SessionSettingsDialogStoresItsValuesInTheEntry)
{
    const auto previous = CDialog::SetModalDriver([](CDialog& dialog) {
        dialog.CheckRadioButton(int(CEditAuxSettingsDlg::kUseLoggedRadio), int(CEditAuxSettingsDlg::kCorrectionRadio),
                                int(CEditAuxSettingsDlg::kCorrectionRadio));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CEditAuxSettingsDlg::kCorrectionRadio, BN_CLICKED), 0);
        dialog.SetDlgItemText(int(CEditAuxSettingsDlg::kGainEdit[0]), "2.5");
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Command(kCommandSessionSettings, 1);
    CDialog::SetModalDriver(previous);
    const SProjectManagerDataSetEntry& entry = view->GetSettings().m_dataSets[1];
    EXPECT_TRUE(entry.AuxOverride);
    EXPECT_FLOAT_EQ(entry.auxData[0].gain, 2.5f);
    Reopen();
    EXPECT_FLOAT_EQ(view->GetSettings().m_dataSets[1].auxData[0].gain, 2.5f);

    // The document's entry to the costs: cancel changes nothing and answers 0.
    const auto cancel = CDialog::SetModalDriver([](CDialog& dialog) { dialog.EndDialog(IDCANCEL); });
    EXPECT_EQ(document->EditSessionSettings(0), 0);
    CDialog::SetModalDriver(cancel);
}

TEST_F(FourSessionProjectTest, ExportWritesTheChosenRecordsBesideTheProject)
{
    // The demand records of the second session, as the dialog's stored choices give them.
    const auto previous = CDialog::SetModalDriver([](CDialog& dialog) {
        dialog.CheckRadioButton(int(CExportCsvDlg::kTrendRadio), int(CExportCsvDlg::kDemandRadio),
                                int(CExportCsvDlg::kDemandRadio));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CExportCsvDlg::kDemandRadio, BN_CLICKED), 0);
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    const CString target = folder.Path("export.txt");
    nextPaths = {target};
    Command(kCommandExportSession, 1);
    CDialog::SetModalDriver(previous);
    ASSERT_FALSE(proposedNames.empty());
    EXPECT_EQ(proposedNames.back(), folder.Path("feeder_demand.txt"));
    // The file type names the separator the values are written with.
    EXPECT_TRUE(fileRequests.back().Find("Semicolon-separated values files (*.txt)") >= 0) << fileRequests.back().str();
    ASSERT_TRUE(std::filesystem::exists(target.str()));
    std::ifstream in(target.str());
    std::string header;
    std::getline(in, header);
    EXPECT_FALSE(header.empty());
    int lines = 0;
    for (std::string line; std::getline(in, line);)
        ++lines;
    EXPECT_EQ(lines, 61); // the demand records of the big-endian session

    // Trend records with tabs, cancelled on the file: nothing is written.
    const auto again = CDialog::SetModalDriver([](CDialog& dialog) {
        dialog.CheckRadioButton(int(CExportCsvDlg::kTrendRadio), int(CExportCsvDlg::kDemandRadio),
                                int(CExportCsvDlg::kTrendRadio));
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(CExportCsvDlg::kTrendRadio, BN_CLICKED), 0);
        dialog.CheckRadioButton(int(CExportCsvDlg::kSemicolonRadio), int(CExportCsvDlg::kTabRadio),
                                int(CExportCsvDlg::kTabRadio));
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
    });
    Command(kCommandExportSession, 0);
    CDialog::SetModalDriver(again);
    EXPECT_EQ(proposedNames.back(), folder.Path("feeder_trend.txt"));
    EXPECT_TRUE(fileRequests.back().Find("Tab-separated values files (*.txt)") >= 0) << fileRequests.back().str();
    EXPECT_FALSE(std::filesystem::exists(folder.Path("feeder_trend.txt")));
}

TEST_F(FourSessionProjectTest, RenderedWholePageAndScrolling)
{
    // The whole page in one picture, then the window scrolled to its end.
    host->SetWindowPos(nullptr, 0, 0, kPageWidth, 2900, SWP_NOMOVE | SWP_NOZORDER);
    view->SetWindowPos(nullptr, 0, 0, kPageWidth, 2900, SWP_NOMOVE | SWP_NOZORDER);
    CFrameworkApp::PumpWaitingMessages();
    RenderToFile(*host, "page_four_sessions_whole");
    view->GetDataSetGrid()->CollapseAll();
    view->RefreshGrids();
    view->UpdateScrollSizes();
    RenderToFile(*host, "page_four_sessions_collapsed");

    host->SetWindowPos(nullptr, 0, 0, kPageWidth, 600, SWP_NOMOVE | SWP_NOZORDER);
    view->SetWindowPos(nullptr, 0, 0, kPageWidth, 600, SWP_NOMOVE | SWP_NOZORDER);
    view->GetDataSetGrid()->ExpandAll();
    view->RefreshGrids();
    view->UpdateScrollSizes();
    view->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    CRect saved, client;
    view->GetSavedScreenGrid()->GetWindowRect(&saved);
    view->ScreenToClient(&saved);
    view->GetClientRect(&client);
    EXPECT_EQ(saved.bottom, client.bottom);
    RenderToFile(*host, "page_four_sessions_end");
    view->SendMessage(WM_VSCROLL, SB_TOP, 0);
    CRect summary;
    view->GetSummaryGrid()->GetWindowRect(&summary);
    view->ScreenToClient(&summary);
    EXPECT_EQ(summary.top, 0);

    // A narrower window: the cards follow its width.
    host->SetWindowPos(nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    view->SetWindowPos(nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    CFrameworkApp::PumpWaitingMessages();
    CRect sessions;
    view->GetDataSetGrid()->GetWindowRect(&sessions);
    view->GetClientRect(&client);
    EXPECT_EQ(sessions.Width(), client.Width());
    EXPECT_GT(client.Width(), 900 - 30);
    RenderToFile(*host, "page_four_sessions_narrow");
}

TEST_F(ProjectManagerPageTest, TheSampleProjectShowsItsSession)
{
    OpenSample();
    ASSERT_EQ(view->GetContent().dataSetCount, 1);
    EXPECT_FALSE(view->GetContent().dataSets[0]->configurationText.IsEmpty());
    EXPECT_EQ(view->GetSettings().m_dataSets[0].Name, document->GetSessionName(0));
    RenderToFile(*host, "page_sample");
    // The first update stored the page's settings with the session's name in the project.
    Reopen();
    EXPECT_EQ(view->GetSettings().m_dataSets.size(), 1u);
}

class SmallProjectTest : public ProjectManagerPageTest
{
protected:
    void SetUp() override { OpenProject(MakeArchive("one", Spec(u"Single", 1, false, 24))); }

    void AddScreens(int count)
    {
        for (int i = 0; i < count; ++i)
            nextPaths.push_back(WritePicture("p" + std::to_string(i) + ".png", 32, 24, "1"));
        Command(kCommandAddSavedScreens, 0);
    }
};

TEST_F(SmallProjectTest, AnUnreadableArchiveIsRefusedAndNothingIsAdded)
{
    WriteFileBytes(folder.Root() / "broken.zca", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'a', 'r', 'c', 'h', 'i', 'v', 'e'});
    nextPaths = {CString(folder.Path("broken.zca"))};
    Command(kCommandAddSession, 0);
    EXPECT_EQ(BoxTexts(), (std::vector<CString>{"Loading data from file failed"}));
    EXPECT_EQ(document->GetMeasurementCount(), 1);
    EXPECT_EQ(view->GetContent().dataSetCount, 1);

    // A file that is no picture stops the rest of the selection.
    WriteFileBytes(folder.Root() / "fake.png", {'x'});
    nextPaths = {CString(folder.Path("fake.png")), WritePicture("good.png", 32, 24, "1")};
    Command(kCommandAddSavedScreens, 0);
    EXPECT_EQ(BoxTexts().back(), "File is not valid image.");
    EXPECT_EQ(view->GetContent().savedScreenCount, 0);
    // A Load session from another archive is welcome beside an Energy one.
    nextPaths = {MakeArchive("load", Spec(u"Load", 2, true, 24))};
    Command(kCommandAddSession, 0);
    EXPECT_EQ(view->GetContent().dataSetCount, 2);
}

TEST_F(SmallProjectTest, TheNextPictureIsChosenInTheFolderOfTheLast)
{
    const std::filesystem::path pictures = folder.Root() / "pictures";
    std::filesystem::create_directories(pictures);
    WriteFileBytes(pictures / "screen.png", MakePicture(32, 24, "1"));
    nextPaths = {CString((pictures / "screen.png").string())};
    Command(kCommandAddSavedScreens, 0);
    ASSERT_EQ(view->GetContent().savedScreenCount, 1);
    Command(kCommandAddSavedScreens, 0);
    ASSERT_FALSE(initialFolders.empty());
    EXPECT_EQ(initialFolders.back(), CString(pictures.string()));
}

TEST_F(SmallProjectTest, TheTwentiethScreenshotIsTheLastAndTheLimitIsToldWhenReached)
{
    const CString limit = "Cannot add a new saved screen.\nThe maximum number of saved screens is 20.\n";
    AddScreens(18);
    ASSERT_EQ(view->GetContent().savedScreenCount, 18);
    EXPECT_TRUE(boxes.Boxes().empty());
    // Exactly enough to reach 20: all are added and the limit follows at once.
    AddScreens(2);
    EXPECT_EQ(view->GetContent().savedScreenCount, 20);
    EXPECT_EQ(BoxTexts(), (std::vector<CString>{limit}));
    const std::size_t dialogs = fileRequests.size();
    Command(kCommandAddSavedScreens, 0);
    EXPECT_EQ(fileRequests.size(), dialogs);
    EXPECT_EQ(BoxTexts(), (std::vector<CString>{limit, limit}));

    // With 18 present, five chosen: two are added, the limit is told, three are left out.
    Command(kCommandDeleteSavedScreen, 19);
    Command(kCommandDeleteSavedScreen, 18);
    AddScreens(5);
    EXPECT_EQ(view->GetContent().savedScreenCount, 20);
    EXPECT_EQ(document->GetProjectSettings()->GetImageCount(), 20);
    EXPECT_EQ(BoxTexts().back(), limit);
}

TEST_F(SmallProjectTest, AnEmptyProjectShowsTheSummaryAloneAndForgetsScreenEntries)
{
    Command(kCommandDeleteSession, 0);
    EXPECT_EQ(view->GetContent().dataSetCount, 0);
    EXPECT_EQ(view->GetDataSetGrid()->GetSectionCount(), 0);
    view->GetSettings().m_savedScreens.resize(2);
    view->OnUpdate(nullptr);
    EXPECT_TRUE(view->GetSettings().m_savedScreens.empty());
    EXPECT_EQ(view->GetSavedScreenGrid()->GetSectionCount(), 0);
    CRect summary;
    view->GetSummaryGrid()->GetWindowRect(&summary);
    EXPECT_EQ(summary.Height(), 25 + 8 + 20 + 20 + 8);
}

TEST_F(SmallProjectTest, EachGridHasItsOwnHoverTimer)
{
    EXPECT_EQ(view->GetSummaryGrid()->GetHoverTimerId(), 1001);
    EXPECT_EQ(view->GetDataSetGrid()->GetHoverTimerId(), 1002);
    EXPECT_EQ(view->GetSavedScreenGrid()->GetHoverTimerId(), 1003);
}

} // namespace
