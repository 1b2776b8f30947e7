#include "ReportEngineTestSupport.h"

#include "platform/reportengine/PageRenderer.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportPreviewWindow.h"
#include "support/ExternalTools.h"

#include "platform/framework/FileDialogService.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QAction>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>

#include <gtest/gtest.h>

#include <sstream>

namespace
{
class ReportOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine.ConnectEvents(&events);
        events.pictures["PictureLogo"] = WriteLogo(folder).c_str();
        engine.LoadFromFile(WriteTemplate(folder, "table.fr3", kTableTemplate).c_str());
        engine.AddVariable("KEM", "Title", "\"Grüße — Überblick\"");
        engine.AddVariable("KEM", "Notes", "\"Notes {with} braces\\\\and backslash\"");
        dataSet.SetUserName("Rows");
        dataSet.Connect(&rows);
        engine.BindUserDataSet(dataSet);
        engine.PrepareReport(false);
    }

    CTempFolder folder;
    CRecordingEvents events;
    CReportEngine engine;
    CRowsDataSet rows{NumberedRows(60)};
    CReportUserDataSet dataSet;
};
} // namespace

TEST_F(ReportOutputTest, PdfHoldsTheTextsAsTextOnEveryPage)
{
    ASSERT_EQ(engine.GetPreparedPages().size(), 2u);
    std::string pdf = folder.Path("report.pdf");
    engine.ExportToPdf(pdf.c_str());
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-");
    if (!HasTool("pdftotext") || !HasTool("pdfinfo"))
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_EQ(PdfPageCount(pdf), 2);
    std::string text = PdfText(pdf);
    for (const char* expected : {"Grüße — Überblick", "Notes {with} braces\\and backslash", "Row 1", "Row 60", "60 V",
                                 "Page 1 of 2", "Page 2 of 2"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Every font is embedded: the file reads the same on any computer.
    if (HasTool("pdffonts"))
    {
        std::istringstream fonts(RunTool("pdffonts '" + pdf + "'").value_or(""));
        std::string line;
        int fontCount = 0;
        for (int skipped = 0; skipped < 2 && std::getline(fonts, line); ++skipped)
            ; // the heading and its rule
        while (std::getline(fonts, line))
        {
            std::vector<std::string> columns;
            std::istringstream words(line);
            for (std::string word; words >> word;)
                columns.push_back(word);
            ASSERT_GE(columns.size(), 5u) << line;
            EXPECT_EQ(columns[columns.size() - 5], "yes") << "not embedded: " << line;
            ++fontCount;
        }
        EXPECT_GE(fontCount, 2) << "regular and bold";
    }
}

TEST_F(ReportOutputTest, RtfOpensInTheOfficeSuiteWithTheSameTexts)
{
    std::string rtf = folder.Path("report.rtf");
    engine.ExportToRtf(rtf.c_str());
    EXPECT_EQ(ReadText(rtf).substr(0, 6), "{\\rtf1");
    EXPECT_NE(ReadText(rtf).find("\\pngblip"), std::string::npos);
    if (OfficeTool().empty() || !HasTool("pdftotext") || !HasTool("pdfinfo"))
        GTEST_SKIP() << "no office suite or pdftotext installed";
    std::string pdf = OfficeConvert(rtf, "pdf", folder.Root());
    ASSERT_FALSE(pdf.empty());
    std::string text = PdfText(pdf);
    // The footer's page numbers are fields the office suite fills in.
    for (const char* expected : {"Grüße — Überblick", "Notes {with} braces\\and backslash", "Row 1", "Row 60", "60 V",
                                 "Page 1 of 2", "Page 2 of 2"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The same pages with the same words in the same places as the PDF.
    std::string printed = folder.Path("printed.pdf");
    engine.ExportToPdf(printed.c_str());
    EXPECT_EQ(OfficeReadingDiffers(rtf, printed, folder.Path("office")), "");
}

TEST_F(ReportOutputTest, AFailedExportLeavesNoFileAndKeepsAnExistingOne)
{
    std::string missingFolder = folder.Path("no/such/folder/report.pdf");
    EXPECT_THROW(engine.ExportToPdf(missingFolder.c_str()), CReportEngineError);
    EXPECT_THROW(engine.ExportToRtf(folder.Path("no/such/folder/report.rtf").c_str()), CReportEngineError);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("no")));

    // A folder where the file should be: nothing is written and the folder stays.
    std::filesystem::create_directory(folder.Path("taken.pdf"));
    EXPECT_THROW(engine.ExportToPdf(folder.Path("taken.pdf").c_str()), CReportEngineError);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken.pdf")));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root()))
        EXPECT_EQ(entry.path().filename().string().find("taken.pdf."), std::string::npos) << entry.path();
}

TEST_F(ReportOutputTest, PagesRenderWithLogoTextAndFrames)
{
    QImage page = RenderPageImage(engine.GetPreparedPages()[0], 1, 2, 96.0);
    page.save("/tmp/orn-reportengine-page1.png");
    EXPECT_EQ(page.size(), QSize(794, 1123));
    // The logo fills its box at the top left: 20 mm from the left, 10 mm from the top.
    EXPECT_EQ(page.pixelColor(int(25 / 25.4 * 96), int(15 / 25.4 * 96)), QColor(30, 80, 160));
    EXPECT_EQ(page.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(ReportOutputTest, PreviewNavigatesAndZooms)
{
    CReportPreviewWindow preview(engine.GetPreparedPages());
    preview.show();
    EXPECT_EQ(preview.GetPageIndex(), 0);
    preview.ShowPage(5);
    EXPECT_EQ(preview.GetPageIndex(), 1);
    bool found = false;
    for (QLabel* l : preview.findChildren<QLabel*>())
        found = found || l->text() == "Page 2 of 2";
    EXPECT_TRUE(found);
    QSize before = preview.findChildren<QLabel*>().back()->size();
    preview.SetZoom(2.0);
    EXPECT_GT(preview.findChildren<QLabel*>().back()->width(), before.width());
    preview.SetZoom(1.0);
    preview.ShowPage(0);
    preview.grab().save("/tmp/orn-reportengine-preview.png");
}

// The preview draws its page at the device's pixels (not at 96 dpi stretched) in the same place
// as at ratio 1, and opens within the work area of its screen (run at device ratios 1 and 2).
TEST_F(ReportOutputTest, ThePreviewDrawsItsPagesAtDevicePixelsWithinTheWorkArea)
{
    CReportPreviewWindow preview(engine.GetPreparedPages());
    preview.show();
    const double ratio = preview.devicePixelRatioF();
    QLabel* image = nullptr;
    for (QLabel* label : preview.findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            image = label;
    ASSERT_NE(image, nullptr);
    const QImage shown = image->pixmap().toImage();
    const QImage sharp = RenderPageImage(engine.GetPreparedPages()[0], 1, 2, 96.0 * ratio);
    EXPECT_EQ(shown.size(), sharp.size());
    EXPECT_TRUE(shown.convertToFormat(sharp.format()) == sharp) << "the page is not drawn at the device's pixels";
    EXPECT_EQ(image->size(), QSize(794, 1123));
    preview.SetZoom(2.0);
    EXPECT_EQ(image->pixmap().size(), RenderPageImage(engine.GetPreparedPages()[0], 1, 2, 192.0 * ratio).size());

    const QRect work = preview.screen()->availableGeometry();
    EXPECT_TRUE(work.contains(preview.frameGeometry())) << work.width() << "x" << work.height() << " holds no "
                                                        << preview.frameGeometry().width() << "x"
                                                        << preview.frameGeometry().height();
}

// Opened from a window, the preview shows over it and takes the keys of a document viewer, given
// as the window system gives them (to its window): Page Down scrolls to the page's end and then
// turns to the next page, Page Up back to the previous page's end, Home and End go to the first
// and the last page, Plus, Minus and Ctrl+0 zoom. Its exports propose the folder it was given.
// (Run at device ratios 1 and 2.)
TEST_F(ReportOutputTest, ThePreviewOpensOverItsWindowAndTakesTheKeysOfADocumentViewer)
{
    QWidget main;
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    main.setGeometry(work.left() + work.width() / 3, work.top() + work.height() / 4, work.width() / 2, work.height() / 2);
    main.show();
    CReportPreviewWindow preview(engine.GetPreparedPages(), &main, "/data/Reports/");
    preview.show();
    EXPECT_TRUE(preview.frameGeometry().contains(main.frameGeometry().center()));
    EXPECT_TRUE(work.contains(preview.frameGeometry()));

    QScrollBar* bar = preview.findChild<QScrollArea*>()->verticalScrollBar();
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers);
        QGuiApplication::sendEvent(preview.windowHandle(), &down);
        QGuiApplication::sendEvent(preview.windowHandle(), &up);
    };
    ASSERT_GT(bar->maximum(), 0) << "a whole page shows: nothing to scroll";
    int presses = 0;
    for (; preview.GetPageIndex() == 0 && presses < 100; ++presses) {
        EXPECT_EQ(bar->value() > 0, presses > 0);
        press(Qt::Key_PageDown);
    }
    EXPECT_EQ(1, preview.GetPageIndex());
    EXPECT_GT(presses, 1) << "Page Down turned the page before its end showed";
    EXPECT_EQ(bar->minimum(), bar->value());
    press(Qt::Key_PageUp);
    EXPECT_EQ(0, preview.GetPageIndex());
    EXPECT_EQ(bar->maximum(), bar->value());
    press(Qt::Key_End);
    EXPECT_EQ(1, preview.GetPageIndex());
    press(Qt::Key_Home);
    EXPECT_EQ(0, preview.GetPageIndex());

    press(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(1.25, preview.GetZoom());
    press(Qt::Key_Equal, Qt::ControlModifier);
    press(Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(1.25, preview.GetZoom());
    press(Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(1.0, preview.GetZoom());
    press(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(0.8, preview.GetZoom());
    EXPECT_EQ(0, preview.GetPageIndex());

    std::vector<SFileDialogRequest> asked;
    const FileDialogHandler previous = SetFileDialogHandler([&](const SFileDialogRequest& request, CString&) {
        asked.push_back(request);
        return false;
    });
    for (QAction* button : preview.findChildren<QAction*>())
        if (button->text().startsWith("Export"))
            button->trigger();
    SetFileDialogHandler(previous);
    ASSERT_EQ(2u, asked.size());
    for (const SFileDialogRequest& request : asked)
        EXPECT_EQ(CString("/data/Reports/"), request.initialName);
}
