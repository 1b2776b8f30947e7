#include "ReportEngineTestSupport.h"

#include "platform/reportengine/ReportEngineError.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
class ReportPrepareTest : public ::testing::Test
{
protected:
    void LoadTable(int rowCount)
    {
        engine.ConnectEvents(&events);
        engine.LoadFromFile(WriteTemplate(folder, "table.fr3", kTableTemplate).c_str());
        engine.AddVariable("KEM", "Title", "\"Load \\\"North\\\" feeder\"");
        engine.AddVariable("KEM", "Notes", "\"\"");
        rows = std::make_unique<CRowsDataSet>(NumberedRows(rowCount));
        dataSet.SetUserName("Rows");
        dataSet.SetFields("Name\nValue\n");
        dataSet.Connect(rows.get());
        engine.BindUserDataSet(dataSet);
    }

    CTempFolder folder;
    CRecordingEvents events;
    CReportEngine engine;
    std::unique_ptr<CRowsDataSet> rows;
    CReportUserDataSet dataSet;
};

long CountOf(const std::vector<std::string>& texts, const std::string& text)
{
    return std::count(texts.begin(), texts.end(), text);
}
} // namespace

TEST_F(ReportPrepareTest, RowsOfTheDataSetBecomeBandsWithTheirHeaderAndVariables)
{
    LoadTable(3);
    engine.PrepareReport(false);

    const auto& pages = engine.GetPreparedPages();
    ASSERT_EQ(pages.size(), 1u);
    auto texts = MemoTexts(pages);
    EXPECT_EQ(CountOf(texts, "Load \"North\" feeder"), 1);
    EXPECT_EQ(CountOf(texts, "Name heading"), 1);
    for (const char* expected : {"Row 1", "10 V", "Row 2", "20 V", "Row 3", "30 V"})
        EXPECT_EQ(CountOf(texts, expected), 1) << expected;
    // The rows follow each other downwards, 6 mm apart.
    std::vector<double> tops;
    for (const auto& band : pages[0].bands)
        for (const auto& item : band.items)
            if (item.text.Left(4) == "Row ")
                tops.push_back(item.rect.top());
    ASSERT_EQ(tops.size(), 3u);
    EXPECT_NEAR(tops[1] - tops[0], 6.0, 1e-9);
    EXPECT_NEAR(tops[2] - tops[1], 6.0, 1e-9);
    // No "Remarks" variable: the child band is not printed.
    EXPECT_EQ(CountOf(texts, "remark"), 0);
}

TEST_F(ReportPrepareTest, AnEmptyDataSetPrintsNeitherHeaderNorRows)
{
    LoadTable(0);
    engine.PrepareReport(false);
    auto texts = MemoTexts(engine.GetPreparedPages());
    EXPECT_EQ(CountOf(texts, "Name heading"), 0);
    EXPECT_EQ(engine.GetPreparedPages().size(), 1u);
}

TEST_F(ReportPrepareTest, BandsThatDoNotFitGoOnNewPagesWithHeaderFooterAndRepeatedTableHeader)
{
    LoadTable(120); // 6 mm each: about 38 rows per page
    engine.AddVariable("KEM", "Remarks", "1");
    engine.PrepareReport(false);

    const auto& pages = engine.GetPreparedPages();
    ASSERT_GE(pages.size(), 4u);
    for (const auto& page : pages)
    {
        auto texts = MemoTexts({page});
        EXPECT_EQ(CountOf(texts, "Name heading"), 1) << "the table header on every page";
        EXPECT_EQ(texts.back().substr(0, 5), "Page ") << "the footer last";
        for (const auto& band : page.bands)
            for (const auto& item : band.items)
                EXPECT_LE(item.rect.bottom(), 297.0 - 10.0 + 1e-9);
    }
    auto texts = MemoTexts(pages);
    EXPECT_EQ(CountOf(texts, "Row 120"), 1);
    EXPECT_EQ(CountOf(texts, "remark"), 120);
    // Every page header called the logo event anew.
    EXPECT_EQ(std::count(events.calls.begin(), events.calls.end(), "before PictureLogo"), long(pages.size()));
}

TEST_F(ReportPrepareTest, StretchingTextGrowsItsBandAndPushesTheRest)
{
    LoadTable(1);
    CString longNotes;
    for (int i = 0; i < 60; ++i)
        longNotes += "Several words of a long note that wraps. ";
    engine.AddVariable("KEM", "Notes", CString("\"") + longNotes + "\"");
    engine.PrepareReport(false);

    const auto& pages = engine.GetPreparedPages();
    double notesBottom = 0.0;
    double headingTop = 0.0;
    for (const auto& band : pages[0].bands)
        for (const auto& item : band.items)
        {
            if (item.text == longNotes)
                notesBottom = item.rect.bottom();
            if (item.text == "Name heading")
                headingTop = item.rect.top();
        }
    EXPECT_GT(notesBottom, 10.0 + 20.0 + 6.0 * 4) << "many lines";
    EXPECT_GE(headingTop, notesBottom - 1e-9);
}

TEST_F(ReportPrepareTest, HiddenComponentsAndBandsArePassedOverAndEventsFramePrinting)
{
    LoadTable(2);
    ASSERT_NE(engine.FindObject("MemoHidden"), nullptr);
    engine.FindObject("MemoHidden")->SetVisible(false);
    engine.FindObject("HeaderRows")->SetVisible(false);
    EXPECT_EQ(engine.FindObject("NoSuchComponent"), nullptr);
    events.pictures["PictureLogo"] = WriteLogo(folder).c_str();
    engine.PrepareReport(false);

    auto texts = MemoTexts(engine.GetPreparedPages());
    EXPECT_EQ(CountOf(texts, "Hidden text"), 0);
    EXPECT_EQ(CountOf(texts, "Name heading"), 0);
    EXPECT_EQ(std::count(events.calls.begin(), events.calls.end(), "before MemoHidden"), 0);
    auto before = std::find(events.calls.begin(), events.calls.end(), "before MemoName");
    ASSERT_NE(before, events.calls.end());
    EXPECT_EQ(*(before + 1), "after MemoName");
    const auto& logo = engine.GetPreparedPages()[0].bands[0].items[0];
    EXPECT_EQ(logo.kind, CReportComponent::EKind::kPicture);
    EXPECT_EQ(logo.picture.size(), QSize(200, 80));
}

TEST_F(ReportPrepareTest, PreparingAppendsOrDiscardsAndCleanUpsKeepPages)
{
    LoadTable(2);
    engine.PrepareReport(false);
    engine.ClearTemplate();
    engine.ClearVariablesAndBindings();
    EXPECT_EQ(engine.FindObject("MemoName"), nullptr);

    LoadTable(3);
    engine.PrepareReport(false);
    ASSERT_EQ(engine.GetPreparedPages().size(), 2u) << "each run starts a page";
    EXPECT_EQ(CountOf(MemoTexts(engine.GetPreparedPages()), "Row 3"), 1);

    engine.ClearTemplate();
    engine.PrepareReport(true);
    EXPECT_TRUE(engine.GetPreparedPages().empty());
}

TEST_F(ReportPrepareTest, MissingVariablesDataSetsOrTemplatesFailWithoutChangingPages)
{
    LoadTable(2);
    engine.PrepareReport(false);
    engine.UnbindUserDataSet(dataSet);
    EXPECT_THROW(engine.PrepareReport(false), CReportEngineError);
    EXPECT_EQ(engine.GetPreparedPages().size(), 1u);

    engine.BindUserDataSet(dataSet);
    engine.ClearVariablesAndBindings();
    engine.BindUserDataSet(dataSet);
    EXPECT_THROW(engine.PrepareReport(false), CReportEngineError) << "[Title] is not set";
    EXPECT_EQ(engine.GetPreparedPages().size(), 1u);

    EXPECT_THROW(engine.LoadFromFile(folder.Path("missing.fr3").c_str()), CReportEngineError);
    EXPECT_THROW(engine.LoadFromFile(WriteTemplate(folder, "bad.fr3", "<report><data height='5'/></report>").c_str()),
                 CReportEngineError);
    EXPECT_THROW(engine.LoadFromFile(WriteTemplate(folder, "bad2.fr3", "<report><title height='x'/>").c_str()),
                 CReportEngineError);
}

TEST_F(ReportPrepareTest, DamagedTemplatesAreRefusedWithTheirReason)
{
    const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::string table = kTableTemplate;
    std::string deep = "<report>";
    for (int i = 0; i < 50000; ++i)
        deep += "<child>";
    const struct
    {
        std::string text;
        std::string reason;
    } damaged[] = {
        {replaced(table, "name=\"ReportTitle\" height=\"12\"", "name=\"ReportTitle\" height=\"nan\""),
         "attribute height of <title> is not a length"},
        {replaced(table, "top=\"6\" width=\"180\" height=\"6\"", "top=\"6\" width=\"180\" height=\"NaN\""),
         "attribute height of <memo> is not a length"},
        {replaced(table, "size=\"14\"", "size=\"inf\""), "attribute size of <memo> is not a length"},
        {replaced(table, "width=\"210\"", "width=\"nan\""), "attribute width of <page> is not a length"},
        {deep, "its elements are nested more than 32 levels deep"},
        {replaced(table, "</pagefooter>", "</pageheader>"), "invalid closing tag name"},
        // Taller than the 277 mm between the margins: it would go on a new page for ever.
        {replaced(table, "name=\"Footer\" height=\"8\"", "name=\"Footer\" height=\"9999\""),
         "<pagefooter> is taller than the page between its margins"},
        {replaced(table, "name=\"ReportTitle\" height=\"12\"", "name=\"ReportTitle\" height=\"278\""),
         "<title> is taller than the page between its margins"},
        {replaced(table, "name=\"HeaderRows\" height=\"6\"", "name=\"HeaderRows\" height=\"300\""),
         "<header> is taller than the page between its margins"},
        {replaced(table, "name=\"Header\" height=\"20\"", "name=\"Header\" height=\"270\""),
         "the page header and footer leave no room on the page"},
    };
    for (const auto& [text, reason] : damaged) {
        try {
            engine.LoadFromFile(WriteTemplate(folder, "damaged.fr3", text).c_str());
            ADD_FAILURE() << "accepted: " << reason;
        } catch (const CReportEngineError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("damaged.fr3"), std::string::npos);
        }
    }
    // The engine keeps working with a sound template.
    LoadTable(2);
    engine.PrepareReport(false);
    EXPECT_EQ(CountOf(MemoTexts(engine.GetPreparedPages()), "Row 2"), 1);
}

TEST_F(ReportPrepareTest, DeclaredFunctionsAreAnsweredByTheEvents)
{
    engine.ConnectEvents(&events);
    engine.AddFunction("function Check(name: String): Boolean", "KEM", "Checks");
    engine.LoadFromFile(WriteTemplate(folder, "f.fr3",
                                      "<report><title height='6'><memo width='50' height='6'>[Check(\"x\")]</memo>"
                                      "</title></report>")
                            .c_str());
    engine.PrepareReport(false);
    EXPECT_EQ(CountOf(MemoTexts(engine.GetPreparedPages()), "Check:x"), 1);
}
