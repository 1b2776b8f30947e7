#include "project/XmlReaders.h"
#include "project/XmlValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "support/LogCapture.h"

namespace
{
// Sets a comma-decimal C library locale for the test's lifetime, as the window toolkit would.
class CommaLocale
{
public:
    CommaLocale()
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        m_old = old ? old : "C";
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, m_old.c_str()); }
    bool Active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};
} // namespace

TEST(XmlValueTest, NumbersAreWrittenInThePrintfForms)
{
    XmlDocument doc;
    EXPECT_STREQ(XmlFromBool(doc, true), "1");
    EXPECT_STREQ(XmlFromBool(doc, false), "0");
    EXPECT_STREQ(XmlFromInt(doc, -2147483647 - 1), "-2147483648");
    EXPECT_STREQ(XmlFromUInt(doc, 4294967295u), "4294967295");
    EXPECT_STREQ(XmlFromFloat(doc, 0.1f), "0.1");
    EXPECT_STREQ(XmlFromFloat(doc, 1.0e-7f), "1e-07");
    EXPECT_STREQ(XmlFromFloat(doc, 1234567.0f), "1.23457e+06");
    EXPECT_STREQ(XmlFromDouble(doc, 0.1), "0.1");
    EXPECT_STREQ(XmlFromDouble(doc, 1.0 / 3.0), "0.3333333333333333"); // twelve digits would read back otherwise
    // A day number: 11:00:00 on 7 Dec 2026 reads back as the same time, not 10:59:59.997.
    const double eleven = 46363.0 + 11.0 / 24.0;
    EXPECT_EQ(XmlToDouble(XmlFromDouble(doc, eleven)), eleven);
    EXPECT_STREQ(XmlFromDouble(doc, -2.5e300), "-2.5e+300");
    EXPECT_STREQ(XmlFromTime(doc, CHighTime(LONGLONG(130578912000000000))), "130578912000000000");
    EXPECT_STREQ(XmlFromTime(doc, CHighTime(LONGLONG(-5))), "-5");
}

TEST(XmlValueTest, TextFormsIgnoreACommaDecimalLocale)
{
    CommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 0.5);
    ASSERT_STREQ(probe, "0,5"); // the locale really is in effect

    XmlDocument doc;
    EXPECT_STREQ(XmlFromFloat(doc, 0.1f), "0.1");
    EXPECT_STREQ(XmlFromDouble(doc, 1234.5678), "1234.5678");
    EXPECT_DOUBLE_EQ(XmlToDouble("1234.5678"), 1234.5678);
    EXPECT_FLOAT_EQ(XmlToFloat("0.25"), 0.25f);
    // A comma is not a decimal separator of the file format.
    EXPECT_DOUBLE_EQ(XmlToDouble("0,5"), 0.0);
}

TEST(XmlValueTest, ReadersFollowTheCLibraryConversions)
{
    EXPECT_TRUE(XmlToBool("2"));
    EXPECT_TRUE(XmlToBool("-1"));
    EXPECT_FALSE(XmlToBool("yes"));
    EXPECT_FALSE(XmlToBool(""));
    EXPECT_FALSE(XmlToBool(nullptr));

    EXPECT_EQ(XmlToInt(" 42"), 42);
    EXPECT_EQ(XmlToInt("+7"), 7);
    EXPECT_EQ(XmlToInt("-13x"), -13);
    EXPECT_EQ(XmlToInt("12abc"), 12);
    EXPECT_EQ(XmlToInt("abc"), 0);
    EXPECT_EQ(XmlToInt("-"), 0);
    EXPECT_EQ(XmlToInt(nullptr), 0);
    EXPECT_EQ(XmlToInt("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(XmlToInt("-99999999999999999999999"), std::numeric_limits<int>::min());

    EXPECT_EQ(XmlToUInt("4294967295"), 4294967295u);
    EXPECT_EQ(XmlToUInt("4294967296"), 4294967295u);
    EXPECT_EQ(XmlToUInt("-1"), 4294967295u);
    EXPECT_EQ(XmlToUInt("0x10"), 0u);

    EXPECT_DOUBLE_EQ(XmlToDouble("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(XmlToDouble("  -0.5junk"), -0.5);
    EXPECT_DOUBLE_EQ(XmlToDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(XmlToDouble(nullptr), 0.0);
    EXPECT_TRUE(std::isinf(XmlToDouble("1e999")));
    EXPECT_EQ(XmlToDouble("1e-999"), 0.0);
    EXPECT_TRUE(std::isnan(XmlToDouble("nan")));
    EXPECT_TRUE(std::isinf(XmlToFloat("1e39")));

    const CHighTime t = XmlToTime("130578912000000000");
    EXPECT_EQ(t.GetTicks(), 130578912000000000LL);
    EXPECT_EQ(t.GetStatus(), CHighTime::valid);
    EXPECT_EQ(XmlToTime(nullptr).GetTicks(), 0);
    EXPECT_EQ(XmlToTime(nullptr).GetStatus(), CHighTime::valid);
    EXPECT_EQ(XmlToTime("99999999999999999999").GetTicks(), std::numeric_limits<long long>::max());
}

TEST(XmlValueTest, EveryValueTypeSurvivesARoundTrip)
{
    XmlDocument doc;
    for (int v : {0, 1, -1, 123456789, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_EQ(XmlToInt(XmlFromInt(doc, v)), v);
    for (unsigned v : {0u, 0xFFFFFFFFu, 0x00FF8040u})
        EXPECT_EQ(XmlToUInt(XmlFromUInt(doc, v)), v);
    for (bool v : {true, false})
        EXPECT_EQ(XmlToBool(XmlFromBool(doc, v)), v);
    for (float v : {0.0f, 0.1f, -230.5f, 1.0e-7f, 3.40282e38f})
        EXPECT_EQ(XmlToFloat(XmlFromFloat(doc, v)), v);
    for (double v : {0.0, 0.5, -1.0 / 1024.0, 41926.1234567, 1.0e-300})
        EXPECT_EQ(XmlToDouble(XmlFromDouble(doc, v)), v);
    for (LONGLONG v : {0LL, 130578912000000000LL, -1LL, std::numeric_limits<long long>::max()})
        EXPECT_EQ(XmlToTime(XmlFromTime(doc, CHighTime(v))).GetTicks(), v);
    const CString text("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 <&\"'>");
    EXPECT_EQ(XmlToString(XmlFromString(doc, text)), text);
}

TEST(XmlValueTest, Utf8OfWideTexts)
{
    const std::u16string wide{u'A', 0x00E9, 0x20AC, 0xD83D, 0xDE00};
    EXPECT_EQ(CStringToUtf8(CString::FromUtf16(wide)), std::string("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"));
}

TEST(XmlValueTest, BrokenUtf8BecomesReplacementCharacters)
{
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf8ToCString("A\xFF" "B").str(), "A" + fffd + "B");
    EXPECT_EQ(Utf8ToCString("A\xE2\x82").str(), "A" + fffd);          // cut short at the end
    EXPECT_EQ(Utf8ToCString("\xC0\xAF").str(), fffd + fffd);          // overlong '/'
    EXPECT_EQ(Utf8ToCString("\xE0\x80\xAF").str(), fffd + fffd + fffd); // overlong, three bytes
    EXPECT_EQ(Utf8ToCString("\xED\xA0\x80").str(), fffd + fffd + fffd); // encoded surrogate D800
    EXPECT_EQ(Utf8ToCString("\xF4\x90\x80\x80").str(), fffd + fffd + fffd + fffd); // past U+10FFFF
    EXPECT_EQ(Utf8ToCString("\x80x").str(), fffd + "x");                // stray continuation byte
    EXPECT_EQ(Utf8ToCString("\xE2\x82x").str(), fffd + "x");            // follower missing
    EXPECT_EQ(Utf8ToCString("\xF0\x9F\x98\x80").str(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToCString(nullptr).str(), "");
    // A text built from raw bytes is cleaned on its way into the document too.
    EXPECT_EQ(CStringToUtf8(CString("x\xF8y")), "x" + fffd + "y");
}

TEST(XmlValueTest, TypedReadersWithoutNodeWarnOrTakeTheDefault)
{
    CLogCapture log;
    int i = 9;
    EXPECT_FALSE(readInt(i, nullptr));
    EXPECT_EQ(i, 9);
    EXPECT_TRUE(log.Contains("readInt - WARNING: missing node/attribute."));

    BOOL b = 7;
    double d = 1.5;
    float f = 2.5f;
    CString s("keep");
    EXPECT_FALSE(readBOOL(b, nullptr));
    EXPECT_FALSE(readDouble(d, nullptr));
    EXPECT_FALSE(readFloat(f, nullptr));
    EXPECT_FALSE(readString(s, nullptr));
    EXPECT_EQ(b, 7);
    EXPECT_EQ(d, 1.5);
    EXPECT_EQ(f, 2.5f);
    EXPECT_EQ(s, "keep");
    for (const char* name : {"readBOOL", "readDouble", "readFloat", "readString"})
        EXPECT_TRUE(log.Contains(std::string(name) + " - WARNING: missing node/attribute.")) << name;

    log.Clear();
    bool flag = true;
    EXPECT_TRUE(readIntOr(i, nullptr, 5));
    EXPECT_TRUE(readBoolOr(flag, nullptr, false));
    EXPECT_TRUE(readDoubleOr(d, nullptr, 0.25));
    EXPECT_TRUE(readFloatOr(f, nullptr, 0.5f));
    EXPECT_EQ(i, 5);
    EXPECT_FALSE(flag);
    EXPECT_EQ(d, 0.25);
    EXPECT_EQ(f, 0.5f);
    EXPECT_TRUE(log.Messages().empty());
}

TEST(XmlValueTest, TypedReadersReadElementsAndAttributes)
{
    std::string xml = "<r a=\"3\" b=\"2\" t=\"x&amp;y\" e=\"\"><v>0.125</v><empty/></r>";
    XmlDocument doc;
    doc.parse<0>(xml.data());
    const XmlNode* r = doc.first_node("r");
    int i = 0;
    BOOL b = 0;
    CString s;
    double d = 0;
    float f = 1;
    EXPECT_TRUE(readInt(i, r->first_attribute("a")));
    EXPECT_TRUE(readBOOL(b, r->first_attribute("b")));
    EXPECT_TRUE(readString(s, r->first_attribute("t")));
    EXPECT_TRUE(readDouble(d, r->first_node("v")));
    EXPECT_TRUE(readFloat(f, r->first_node("empty")));
    EXPECT_EQ(i, 3);
    EXPECT_EQ(b, TRUE);
    EXPECT_EQ(s, "x&y");
    EXPECT_EQ(d, 0.125);
    EXPECT_EQ(f, 0.0f); // an empty text reads as 0
    EXPECT_TRUE(readIntOr(i, r->first_attribute("e"), 5));
    EXPECT_EQ(i, 0);
}
