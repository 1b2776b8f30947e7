#include "platform/reportengine/ReportScript.h"
#include "report/ReportScriptQuoting.h"

#include <gtest/gtest.h>

TEST(ReportScriptQuoting, QuotesAsTheEngineReadsItBack)
{
    // A backslash and a double quote: the backslash stays single, the quote is escaped.
    EXPECT_EQ(QuoteReportScriptText(R"(C:\a "b")"), R"("C:\a \"b\"")");
    // A backslash and no quote: doubled.
    EXPECT_EQ(QuoteReportScriptText(R"(C:\data\x.zca)"), R"("C:\\data\\x.zca")");
    // A line break travels unquoted and unescaped.
    EXPECT_EQ(QuoteReportScriptText("one\r\ntwo \"q\" \\"), "one\r\ntwo \"q\" \\");
    EXPECT_EQ(QuoteReportScriptText(""), "\"\"");

    // Every text without a quote or line break comes back unchanged through the engine.
    for (const char* text : {"plain", R"(C:\data\x.zca)", R"(ends with \)", "Grüße 1,5 kWh", "[Not a variable]"})
        EXPECT_EQ(EvaluateVariableText(QuoteReportScriptText(text)), text) << text;
    // With a quote, only a backslash before a quote or another backslash changes meaning.
    EXPECT_EQ(EvaluateVariableText(QuoteReportScriptText(R"(C:\a "b")")), R"(C:\a "b")");
}
