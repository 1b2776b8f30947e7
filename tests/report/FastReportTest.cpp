#include "ReportProjectFixture.h"

#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportEngine.h"
#include "project/ZcaArchive.h"
#include "report/FastReport.h"
#include "report/ReportAdjuster.h"
#include "report/ReportPicture.h"
#include "report/ReportTempFiles.h"
#include "support/ExternalTools.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

namespace
{
const std::vector<unsigned char> kTinyGif = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                             0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00,
                                             0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                                             0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

SSessionSpec GappedSession()
{
    SSessionSpec recording;
    recording.trendRecords = 105;
    recording.gapStart = 40;
    recording.gapLength = 5;
    recording.name = u"North feeder";
    return recording;
}

SSessionSpec WholeSession()
{
    SSessionSpec recording;
    recording.gapStart = -1;
    recording.name = u"South feeder";
    return recording;
}

bool AllFound(const std::string& text, std::initializer_list<const char*> expected)
{
    bool all = true;
    for (const char* item : expected)
        if (text.find(item) == std::string::npos)
        {
            ADD_FAILURE() << "missing \"" << item << "\"";
            all = false;
        }
    return all;
}

// The table cells of the prepared pages: every word of each stands whole in the PDF's text as a
// reader extracts it (no cell breaks a word across its lines, "Currenc" above "y"), and the
// cells of a row end together however many lines each holds.
void ExpectTableCellsWhole(const std::vector<SPreparedPage>& pages, const std::string& pdf)
{
    std::set<std::string> extracted;
    std::istringstream text(PdfText(pdf));
    for (std::string word; text >> word;)
        extracted.insert(word);
    int words = 0;
    for (const SPreparedPage& page : pages)
        for (const SPreparedBand& band : page.bands)
        {
            std::vector<const SPreparedItem*> cells;
            double foot = 0.0;
            for (const SPreparedItem& item : band.items)
                if (item.kind == CReportComponent::EKind::kMemo && item.frame == kFrameAll)
                {
                    cells.push_back(&item);
                    foot = std::max(foot, item.rect.bottom());
                }
            for (const SPreparedItem* cell : cells)
            {
                EXPECT_NEAR(cell->rect.bottom(), foot, 1e-9) << "the cell \"" << cell->text.str() << "\"";
                std::istringstream shown(cell->text.str());
                for (std::string word; shown >> word; ++words)
                    EXPECT_TRUE(extracted.count(word)) << "\"" << word << "\" of the cell \"" << cell->text.str() << "\"";
            }
        }
    EXPECT_GT(words, 0);
}

bool TempFolderIsEmpty()
{
    return std::filesystem::is_empty(GetReportTempFolder().str());
}

class FastReportTest : public ::testing::Test
{
protected:
    FastReportTest()
    {
        SProjectManagerSummaryEntry summary;
        summary.Client = R"(Client "Acme" \ Co)";
        summary.Location = "Plant 7, hall B";
        summary.Description = "Energy survey\r\nsecond line";
        project.ProjectManager().m_summary = {summary};
        SProjectManagerSavedScreenEntry screen;
        screen.Name = "Inrush at start";
        screen.Notes = "Taken during the motor start.";
        project.ProjectManager().m_savedScreens = {screen};
        SProjectManagerDataSetEntry session;
        session.Name = "North feeder";
        session.Notes = "Measured at the main breaker.";
        project.ProjectManager().m_dataSets = {session};
        project.document->RebuildUserViewSettings();
        EXPECT_EQ(project.document->ImportSavedScreen(project.WritePicture("screen1.png", 800, 480, "4626017")), 0);
        EXPECT_EQ(project.document->ImportSavedScreen(project.WritePicture("screen2.png", 800, 480, "")), 0);
    }

    CReportProject project{{GappedSession(), WholeSession()}};
    CFastReport report{0};
    CTempFolder output;
};
} // namespace

TEST_F(FastReportTest, SessionVariablesCountRecordsAndMissingOnes)
{
    CReportVariables gapped = report.MakeSessionVariables(*project.document, 0);
    EXPECT_EQ(gapped["MeasName"], "North feeder");
    EXPECT_EQ(gapped["MeasNotes"], "Measured at the main breaker.");
    EXPECT_EQ(gapped["MeasActualIntervalCount"], "100 (105)");
    EXPECT_EQ(gapped["MeasAveragingInterval"], "10min");
    EXPECT_EQ(gapped["MeasDemandInterval"], "15min");
    EXPECT_EQ(gapped["MeasNominalVoltage"], "- - -") << "an Energy study";
    EXPECT_EQ(gapped["MeasVoltageRatio"], "1:1");
    EXPECT_EQ(gapped["MeasInstrumentName"], "Zelko4626");
    EXPECT_EQ(gapped["MeasInstrumentCPU"].Left(19), "Firmware Version:  ");
    EXPECT_EQ(gapped["DocPath"], project.document->GetPathName());

    // Without its project-manager entry a session is named by its file.
    CReportVariables whole = report.MakeSessionVariables(*project.document, 1);
    EXPECT_EQ(whole["MeasName"].Right(12), "session1.zlg");
    EXPECT_EQ(whole["MeasNotes"], "");
    EXPECT_EQ(whole["MeasActualIntervalCount"], "144 (144)") << "recorded (expected), also when none is missing";
}

TEST_F(FastReportTest, EveryReportKindGoesIntoOnePdfWithItsTexts)
{
    CBasicViewSettings graph(0);
    graph.m_sessions = {true, false, false, false};
    graph.m_channels[0] = {true, true, true, false};
    graph.m_notes = {{"Peak during the morning shift", 8}};
    int graphBookmark = project.AddBookmark(2, "Morning peak", &graph);
    // The table bookmark's session has a tariff of two ratios: its energy cost table is printed.
    CEnergyCosts& tariff = project.ProjectManager().m_dataSets[0].energyCosts;
    tariff.SetEnabled(true);
    tariff.SetCurrency("EUR");
    tariff.SetCostFwd(0.2125f);
    tariff.SetCostRev(0.08f);
    tariff.AddRatio({0.3f, 0.1f, {{22 * 60, 6 * 60}}});
    tariff.AddRatio({0.4f, 0.12f, {{8 * 60, 12 * 60}, {17 * 60, 20 * 60}}});
    project.document->RebuildUserViewSettings();
    CBasicViewSettings table(1);
    table.m_sessions = {true, false, false, false};
    table.m_costTables = {{"EUR", 0.2125, 0.08, true}};
    int tableBookmark = project.AddBookmark(4, "Demand table", &table);

    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, graphBookmark));
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, tableBookmark));
    EXPECT_TRUE(project.boxes.Boxes().empty());
    EXPECT_TRUE(TempFolderIsEmpty()) << "picture files deleted once printed";
    int pages = int(report.GetEngine().GetPreparedPages().size());
    EXPECT_GE(pages, 7);

    std::string pdf = output.Path("report.pdf");
    ASSERT_TRUE(report.ExportToPdf(pdf.c_str()));
    if (!HasTool("pdftotext"))
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(PdfPageCount(pdf), pages);
    std::string text = PdfText(pdf);
    AllFound(text, {R"(Client "Acme" \ Co)", "Plant 7, hall B", "second line", "Session: North feeder",
                    "100 (105)", "100A", "Aux1", "Saved screen: Inrush at start", "Taken during the motor start.",
                    "4626017", "Bookmark: Morning peak", "North feeder", "Peak during the morning shift", "Bookmark: Demand table",
                    "Demand intervals", "Actual interval", "Page 1 of", "Zelko4626", "Energy costs (per kWh)"});
    ExpectTableCellsWhole(report.GetEngine().GetPreparedPages(), pdf);
    // The saved screen without a serial number hides its instrument lines.
    std::size_t second = text.find("Saved screen: screen2.png");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.substr(second, text.find("Bookmark:", second) - second).find("Serial number"), std::string::npos);

    if (HasTool("pdftoppm"))
        RunTool("pdftoppm -r 50 -png '" + pdf + "' /tmp/orn-report-page");
}

TEST_F(FastReportTest, ABookmarksLimitNamesItsChannelWithTheUnitOfItsValueOnly)
{
    CBasicViewSettings graph(0);
    graph.m_sessions = {true, false, false, false};
    graph.m_channels[0] = {false, false, false, true};
    graph.m_isLimit[0] = true;
    graph.m_limits[0] = 25000.0f;
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, project.AddBookmark(2, "Peak limit", &graph)));
    std::string pdf = output.Path("limit.pdf");
    ASSERT_TRUE(report.ExportToPdf(pdf.c_str()));
    if (!HasTool("pdftotext"))
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string text = PdfText(pdf);
    const std::size_t limits = text.find("Limits");
    ASSERT_NE(limits, std::string::npos) << text;
    // The limit's row: the channel, then its value in kW; no second unit beside it.
    const std::size_t value = text.find("25.000 kW", limits);
    ASSERT_NE(value, std::string::npos) << text;
    const std::size_t rowStart = text.rfind('\n', value) + 1;
    const std::string row = text.substr(rowStart, text.find('\n', value) - rowStart);
    EXPECT_NE(row.find("P "), std::string::npos) << row;
    EXPECT_EQ(row.find("[W]"), std::string::npos) << row;
    if (HasTool("pdftoppm"))
        RunTool("pdftoppm -r 96 -png '" + pdf + "' /tmp/orn-limit-page");
}

TEST_F(FastReportTest, TableBookmarksShowTheActualIntervalOnlyForDemandTimeRanges)
{
    CBasicViewSettings demand(1);
    demand.m_sessions = {true, false, false, false};
    demand.m_demandPeriod = 1800;
    CBasicViewSettings summary(0);
    summary.m_sessions = {true, false, false, false};
    int timeRange = project.AddBookmark(4, "Demand range", &demand);
    int overview = project.AddBookmark(0, "Summary overview", &summary);

    auto texts = [this] {
        std::string all;
        for (const auto& band : report.GetEngine().GetPreparedPages().back().bands)
            for (const auto& item : band.items)
                all += item.text.str() + "|";
        return all;
    };
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, timeRange));
    std::string range = texts();
    EXPECT_NE(range.find("Demand intervals|"), std::string::npos);
    EXPECT_NE(range.find("Actual interval|"), std::string::npos);
    EXPECT_NE(range.find("|15min|30min|"), std::string::npos) << "configured and chosen demand period";

    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, overview));
    std::string plain = texts();
    EXPECT_NE(plain.find("Averaging intervals|"), std::string::npos);
    EXPECT_EQ(plain.find("Demand intervals"), std::string::npos);
    EXPECT_EQ(plain.find("Actual interval"), std::string::npos);
    EXPECT_NE(plain.find("|10min|"), std::string::npos);
}

// Every kind of report, bookmarks with all their tables over more than a page: the office suite
// reads the RTF with the PDF's pages and words (labels apart from their values, no page left
// with only the footer), each picture framed at its own size.
TEST_F(FastReportTest, RtfOfTheSameReportsOpensInTheOfficeSuite)
{
    CBasicViewSettings graph(0);
    graph.m_sessions = {true, true, false, false};
    graph.m_channels[0] = {true, true, true, false};
    graph.m_channels[1] = {false, false, false, true};
    graph.m_channels[3] = {false, false, false, true};
    graph.m_aux = {true, true};
    graph.m_isMaxMin[0] = true;
    graph.m_isLimit[0] = true;
    graph.m_limits[0] = 25000.0f;
    graph.m_checkTimeRange = true;
    graph.m_timeRange = {46083.25, 46083.5};
    graph.m_setWorkingHours = true;
    graph.m_workingHours = {8.0 / 24, 9.5 / 24};
    graph.m_workingDays = {true, true, true, true, true, false, false};
    for (int n = 1; n <= 12; ++n)
        graph.m_notes.push_back({CString::Formatted("Note %d: load step at the press line", n), 8});
    CBasicViewSettings demand(1);
    demand.m_sessions = {true, false, false, false};
    demand.m_demandPeriod = 1800;
    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, project.AddBookmark(2, "Morning peak", &graph, 1200, 560)));
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, project.AddBookmark(5, "Demand", &demand, 600, 600)));
    ASSERT_TRUE(report.BookmarkReport(*project.document, nullptr, project.AddBookmark(4, "Demand range", &demand)));
    std::string rtf = output.Path("report.rtf");
    ASSERT_TRUE(report.ExportToRtf(rtf.c_str()));
    std::string pdf = output.Path("report.pdf");
    ASSERT_TRUE(report.ExportToPdf(pdf.c_str()));

    // A picture's row is as high as the picture drawn in it, so its frame hugs the picture.
    const std::string text = ReadText(rtf);
    int pictures = 0;
    for (std::size_t at = text.find("\\pichgoal"); at != std::string::npos; at = text.find("\\pichgoal", at + 1), ++pictures)
    {
        const std::string height = text.substr(at + 9, text.find_first_not_of("0123456789", at + 9) - at - 9);
        const std::size_t row = text.rfind("\\trrh-", at);
        ASSERT_NE(row, std::string::npos);
        EXPECT_EQ(text.substr(row + 6, height.size() + 1), height + "\\") << "picture " << pictures;
    }
    EXPECT_GE(pictures, 11) << "logos, screens and bookmarks";

    if (OfficeTool().empty() || !HasTool("pdftotext") || !HasTool("pdfinfo"))
        GTEST_SKIP() << "no office suite or pdftotext installed";
    EXPECT_EQ(PdfPageCount(pdf), 9) << "the graph bookmark over two pages";
    EXPECT_EQ(OfficeReadingDiffers(rtf, pdf, output.Path("office")), "");
    AllFound(PdfText(pdf), {"Recorded intervals (expected)", "100 (105)", "144 (144)", "P [kW]"});
}

TEST_F(FastReportTest, TwoReportsThenOneExportHoldBothAndResetDiscardsThem)
{
    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    std::string both = output.Path("both.pdf");
    ASSERT_TRUE(report.ExportToPdf(both.c_str()));

    ASSERT_TRUE(report.ResetReport());
    EXPECT_TRUE(report.GetEngine().GetPreparedPages().empty());
    std::string none = output.Path("none.pdf");
    ASSERT_TRUE(report.ExportToPdf(none.c_str()));
    if (!HasTool("pdftotext"))
        GTEST_SKIP() << "pdftotext is not installed";
    AllFound(PdfText(both), {"Plant 7, hall B", "Saved screen: Inrush at start"});
    EXPECT_EQ(PdfText(none).find("Plant 7"), std::string::npos);
}

TEST_F(FastReportTest, FailuresAreShownAndAnsweredFalse)
{
    // The boxes' captions, noted on the way to the recorder.
    std::vector<CString> captions;
    struct SCaptionNoter
    {
        MessageBoxHandler recorder;
        ~SCaptionNoter() { SetMessageBoxHandler(recorder); }
    } noter{SetMessageBoxHandler({})};
    SetMessageBoxHandler([&](const CString& text, UINT type) {
        captions.push_back(CMessageBoxCaption::Current());
        return noter.recorder(text, type);
    });
    // A bookmark index past the last: false and nothing prepared.
    EXPECT_FALSE(report.BookmarkReport(*project.document, nullptr, 0));
    EXPECT_FALSE(report.SavedScreenReport(*project.document, nullptr, 9));
    EXPECT_TRUE(report.GetEngine().GetPreparedPages().empty());
    EXPECT_TRUE(project.boxes.Boxes().empty());

    // No templates in that language: the message is shown, the caller gets false.
    CFastReport french(1);
    EXPECT_FALSE(french.SummaryReport(*project.document, nullptr));
    ASSERT_EQ(project.boxes.Boxes().size(), 1u);
    EXPECT_NE(project.boxes.Boxes()[0].text.Find("SummaryBody_FRA.fr3"), -1);

    // An export that cannot be written: false, shown, and no file.
    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    std::string target = output.Path("missing/report.pdf");
    EXPECT_FALSE(report.ExportToPdf(target.c_str()));
    EXPECT_FALSE(report.ExportToRtf(output.Path("missing/report.rtf").c_str()));
    EXPECT_EQ(project.boxes.Boxes().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(output.Path("missing")));
    // Each box of the report engine says whose error it shows.
    EXPECT_EQ(captions, std::vector<CString>(3, "Component Object Model error"));
}

TEST_F(FastReportTest, AFailingTemplateIsReportedAndLeavesNoPictureFile)
{
    // A saved-screen template that prints the picture, then names a variable nobody sets.
    CTempFolder resources;
    const std::string brokenTemplate = "<report><title height='60'><picture name='PictureScreen' width='80' "
                                        "height='50'/></title><child height='6'><memo width='80' height='6'>"
                                        "[NoSuchVariable]</memo></child></report>";
    WriteFileBytes(resources.Root() / "reports" / "SavedScreenBody_ENG.fr3", {brokenTemplate.begin(), brokenTemplate.end()});
    const char* previous = std::getenv("ORN_RESOURCE_DIR");
    std::string restore = previous ? previous : "";
    ::setenv("ORN_RESOURCE_DIR", resources.Root().c_str(), 1);
    CFastReport broken(0);
    ::setenv("ORN_RESOURCE_DIR", restore.c_str(), 1);

    EXPECT_FALSE(broken.SavedScreenReport(*project.document, nullptr, 0));
    ASSERT_EQ(project.boxes.Boxes().size(), 1u);
    EXPECT_NE(project.boxes.Boxes()[0].text.Find("NoSuchVariable"), -1);
    EXPECT_TRUE(broken.GetEngine().GetPreparedPages().empty());
    EXPECT_TRUE(TempFolderIsEmpty());
    // The failed run left nothing in force: the next one works.
    EXPECT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
}

TEST_F(FastReportTest, PicturesTheEngineCannotLoadStayEmpty)
{
    // A saved screen whose stream holds no picture.
    std::string junk = output.Path("broken.png");
    WriteFileBytes(junk, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    ASSERT_TRUE(project.document->GetArchive()->ImportFile("broken.png", junk.c_str()));
    CImageSettings image;
    image.fileName = "broken.png";
    image.streamName = "broken.png";
    image.serialNumber = "1";
    int index = project.Project().GetImageCount();
    project.Project().AddImage(image);

    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, index));
    EXPECT_TRUE(TempFolderIsEmpty());
    bool emptyPicture = false;
    for (const auto& band : report.GetEngine().GetPreparedPages().back().bands)
        for (const auto& item : band.items)
            emptyPicture = emptyPicture || (item.kind == CReportComponent::EKind::kPicture && item.picture.isNull());
    EXPECT_TRUE(emptyPicture);
}

TEST_F(FastReportTest, PictureStreamsAreCopiedOrConvertedIntoNumberedFiles)
{
    CZcaArchive& archive = *project.document->GetArchive();
    std::string png = project.WritePicture("upper.png", 4, 4, "").str();
    ASSERT_TRUE(archive.ImportFile("SHOT.PNG", png.c_str()));
    std::string gif = output.Path("shot.gif");
    WriteFileBytes(gif, kTinyGif);
    ASSERT_TRUE(archive.ImportFile("shot.gif", gif.c_str()));

    CReportPictureZca copied("PictureScreen", "SHOT.PNG", &archive);
    CReportPictureZca converted("PictureScreen", "shot.gif", &archive);
    CString first = copied.GetFile();
    CString second = converted.GetFile();
    EXPECT_EQ(first.Right(4), ".PNG");
    EXPECT_EQ(ReadFileBytes(first.str()), ReadFileBytes(png));
    EXPECT_EQ(second.Right(4), ".png");
    auto bytes = ReadFileBytes(second.str());
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(bytes[1], 'P');
    // Consecutive numbers, in a folder of this process alone.
    int n1 = std::atoi(first.Mid(first.ReverseFind('t') + 1).GetString());
    int n2 = std::atoi(second.Mid(second.ReverseFind('t') + 1).GetString());
    EXPECT_EQ(n2, n1 + 1);
    EXPECT_EQ(first.Left(GetReportTempFolder().GetLength()), GetReportTempFolder());
    std::filesystem::remove(first.str());
    std::filesystem::remove(second.str());
}

TEST_F(FastReportTest, HidingSkipsNamesTheTemplateLacks)
{
    CReportEngine engine;
    engine.LoadFromFile(report.GetTemplatePath("SavedScreenBody"));
    CHideComponents hide({"NoSuchComponent", "ChildScreenSerialNumber"});
    EXPECT_TRUE(hide.Adjust(engine));
    EXPECT_FALSE(engine.FindObject("ChildScreenSerialNumber")->IsVisible());
}

TEST(FastReportSetup, LogoIsSearchedInTheTemplatesFolder)
{
    CTempFolder resources;
    std::filesystem::create_directories(resources.Root() / "reports");
    const char* previous = std::getenv("ORN_RESOURCE_DIR");
    std::string restore = previous ? previous : "";
    ::setenv("ORN_RESOURCE_DIR", resources.Root().c_str(), 1);
    std::string folder = (resources.Root() / "reports" / "").string();

    EXPECT_EQ(CFastReport(0).GetLogoPath(), folder + "logo.bmp") << "kept even when missing";
    WriteFileBytes(folder + "logo.png", {1});
    WriteFileBytes(folder + "logo.wmf", {1});
    EXPECT_EQ(CFastReport(0).GetLogoPath(), folder + "logo.wmf");
    EXPECT_EQ(CFastReport(12).GetTemplatePath("BookmarkGraph"), folder + "BookmarkGraph_JPN.fr3");
    EXPECT_EQ(CreateReportEngine(2, 0), nullptr);
    EXPECT_NE(CreateReportEngine(1, 0), nullptr);

    ::setenv("ORN_RESOURCE_DIR", restore.c_str(), 1);
}

TEST_F(FastReportTest, EachPictureIsDecodedOnceAndWrittenOnceInAReport)
{
    // The logo heads every page; the saved screens are printed twice over.
    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SessionReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 1));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 1));
    const std::size_t pages = report.GetEngine().GetPreparedPages().size();
    ASSERT_GE(pages, 7u);
    const std::string pdf = output.Path("pictures.pdf");
    ASSERT_TRUE(report.ExportToPdf(pdf.c_str()));
    // A picture decoded once is one image, and the PDF holds it once however often it is drawn
    // (an image with transparency brings its mask along).
    const auto images = [](const std::string& path) {
        const auto bytes = ReadFileBytes(path);
        const std::string text(bytes.begin(), bytes.end());
        int count = 0;
        for (auto at = text.find("/Subtype /Image"); at != std::string::npos; at = text.find("/Subtype /Image", at + 1))
            ++count;
        return count;
    };
    const int inReport = images(pdf);
    ASSERT_TRUE(report.ResetReport());
    ASSERT_TRUE(report.SummaryReport(*project.document, nullptr));
    const std::string logoOnly = output.Path("logo.pdf");
    ASSERT_TRUE(report.ExportToPdf(logoOnly.c_str()));
    const int logo = images(logoOnly);
    EXPECT_GE(logo, 1);
    ASSERT_TRUE(report.ResetReport());
    ASSERT_TRUE(report.SavedScreenReport(*project.document, nullptr, 0));
    const std::string screenOnly = output.Path("screen.pdf");
    ASSERT_TRUE(report.ExportToPdf(screenOnly.c_str()));
    const int screen = images(screenOnly) - logo;
    EXPECT_GE(screen, 1);
    EXPECT_EQ(inReport, logo + 2 * screen) << pages << " pages";
}
