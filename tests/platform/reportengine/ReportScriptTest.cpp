#include "platform/reportengine/ReportScript.h"

#include <gtest/gtest.h>

TEST(ReportScriptTest, QuotedLiteralsAreEvaluatedAndOtherTextsTakenAsTheyAre)
{
    EXPECT_EQ(EvaluateVariableText(R"("C:\\data\\a.zca")"), R"(C:\data\a.zca)");
    // A quote escaped, a lone backslash before another letter kept.
    EXPECT_EQ(EvaluateVariableText(R"("say \"hi\" at C:\dir")"), R"(say "hi" at C:\dir)");
    EXPECT_EQ(EvaluateVariableText(R"("")"), "");
    EXPECT_EQ(EvaluateVariableText("line one\r\nline two"), "line one\r\nline two");
    EXPECT_EQ(EvaluateVariableText("1"), "1");
    // Two literals joined are no single literal: taken as written.
    EXPECT_EQ(EvaluateVariableText(R"("a" + "b")"), R"("a" + "b")");
    EXPECT_EQ(EvaluateVariableText("\""), "\"");
    EXPECT_EQ(EvaluateVariableText(R"("ends with \")"), R"("ends with \")");
}

TEST(ReportScriptTest, BracketedReferencesAreReplacedAndPageMarkersNumbered)
{
    auto resolve = [](const CString& e) { return CString("<") + e + ">"; };
    EXPECT_EQ(ExpandBracketedReferences("A [x] and [DS.\"F\"] end", resolve), "A <x> and <DS.\"F\"> end");
    EXPECT_EQ(ExpandBracketedReferences("open [ only", resolve), "open [ only");
    EXPECT_EQ(ExpandBracketedReferences("", resolve), "");
    CString text = CString("Page ") + kPageNumberMarker + " of " + kPageCountMarker;
    EXPECT_EQ(ResolvePageMarkers(text, 3, 12), "Page 3 of 12");
}
