#include "platform/framework/CString.h"
#include "platform/framework/StringTable.h"

#include <gtest/gtest.h>

TEST(CString, ConvertsFileEncodingsToUtf8)
{
    const char16_t wide[] = {u'A', 0x00E9, 0x20AC, 0xD83D, 0xDE00, 0xD800};
    EXPECT_EQ(CString::FromUtf16(wide, 6), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xEF\xBF\xBD");
    EXPECT_EQ(CString::FromUtf16(wide, 5).ToUtf16(), std::u16string(wide, 5));
    const char ansi[] = {'x', char(0x80), char(0xE9)};
    const CString fromAnsi = CString::FromWindows1252(ansi, 3);
    EXPECT_EQ(fromAnsi, "x\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(fromAnsi.ToWindows1252(), std::string(ansi, 3));
}

TEST(CString, EditsAndSearchesLikeTheFramework)
{
    CString s("  Hello, World  ");
    s.Trim();
    EXPECT_EQ(s, "Hello, World");
    EXPECT_EQ(s.Find("World"), 7);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.ReverseFind('o'), 8);
    EXPECT_EQ(s.Left(5), "Hello");
    EXPECT_EQ(s.Right(5), "World");
    EXPECT_EQ(s.Mid(7, 100), "World");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Replace("l", "L"), 3);
    EXPECT_EQ(s, "HeLLo, WorLd");
    EXPECT_EQ(s.CompareNoCase("hello, world"), 0);
    EXPECT_LT(CString("a").Compare("b"), 0);
    s.Delete(0, 100);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, TokenizesAndFormats)
{
    const CString list("a;;b;c");
    int pos = 0;
    std::vector<CString> tokens;
    for (CString t = list.Tokenize(";", pos); pos >= 0; t = list.Tokenize(";", pos))
        tokens.push_back(t);
    EXPECT_EQ(tokens, (std::vector<CString>{"a", "b", "c"}));

    CString f;
    f.Format("%s=%d (%s)", CString("n"), 42, "x");
    EXPECT_EQ(f, "n=42 (x)");
    f.AppendFormat("%05.1f", 2.25);
    EXPECT_EQ(f, "n=42 (x)002.2");
}

TEST(StringTable, StripsTranslationPrefixAndLengthMark)
{
    EXPECT_EQ(StripResourceMarks("##+Energy study"), "Energy study");
    EXPECT_EQ(StripResourceMarks("##-____|Cost"), "Cost");
    EXPECT_EQ(StripResourceMarks("plain_text|x"), "plain_text|x");
    CStringTable::Instance().Set(999999, "##+Ratio %d");
    CString s;
    EXPECT_TRUE(s.LoadString(999999));
    EXPECT_EQ(s, "Ratio %d");
    EXPECT_FALSE(s.LoadString(999998));
    EXPECT_TRUE(s.IsEmpty());
}
