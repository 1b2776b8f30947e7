#include "platform/framework/LocaleNumber.h"
#include "platform/framework/UserLocale.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <locale.h>

TEST(CUserLocale, ConvertsStrftimeFormatsToPictures)
{
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%m/%d/%Y"), "MM/dd/yyyy");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%d.%m.%Y"), "dd.MM.yyyy");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%-d/%-m/%y"), "d/M/yy");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%e.%_m.%Y"), "d.M.yyyy");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%F"), "yyyy-MM-dd");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%T"), "HH:mm:ss");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%r"), "hh:mm:ss tt");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%r", "%l:%M:%S %p"), "h:mm:ss tt");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%r", "%r"), "hh:mm:ss tt");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%k.%M.%S"), "H.mm.ss");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%Oy-%Em"), "yy-MM");
}

TEST(CUserLocale, QuotesLiteralTextThatHoldsPictureLetters)
{
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%d de %B de %Y"), "dd' de 'MMMM' de 'yyyy");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%Y. %m. %d."), "yyyy. MM. dd.");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%Y年%m月%d日"), "yyyy年MM月dd日");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("%H h's%%"), "HH' h''s%'");
    EXPECT_EQ(CUserLocale::PictureFromStrftime("100%"), "100%");
}

TEST(CUserLocale, PresetsPinTheRegionalSettings)
{
    const CUserLocale us = CUserLocale::EnUs();
    EXPECT_EQ(us.shortDatePicture, "M/d/yyyy");
    EXPECT_EQ(us.timePicture, "h:mm:ss tt");
    EXPECT_EQ(us.decimalSeparator, ".");
    EXPECT_EQ(us.thousandsSeparator, ",");
    EXPECT_EQ(us.currencySymbol, "$");
    const CUserLocale de = CUserLocale::DeDe();
    EXPECT_EQ(de.shortDatePicture, "dd.MM.yyyy");
    EXPECT_EQ(de.timePicture, "HH:mm:ss");
    EXPECT_EQ(de.decimalSeparator, ",");
    EXPECT_EQ(de.thousandsSeparator, ".");
    EXPECT_EQ(de.currencySymbol, "\xE2\x82\xAC");
    EXPECT_EQ(de.negativeNumberMode, 1);
    EXPECT_TRUE(de.leadingZero);

    const CUserLocale environment = CUserLocale::Current();
    {
        CScopedUserLocale pinned(de);
        EXPECT_EQ(CUserLocale::Current().decimalSeparator, ",");
        EXPECT_EQ(CUserLocale::Current().shortDatePicture, "dd.MM.yyyy");
    }
    EXPECT_EQ(CUserLocale::Current().shortDatePicture, environment.shortDatePicture);
}

TEST(CUserLocale, ReadsInstalledPosixLocales)
{
    const auto c = CUserLocale::FromPosixLocale("C");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->shortDatePicture, "MM/dd/yy");
    EXPECT_EQ(c->timePicture, "HH:mm:ss");
    EXPECT_EQ(c->decimalSeparator, ".");
    EXPECT_EQ(c->thousandsSeparator, "");
    EXPECT_EQ(c->currencySymbol, "");
    // "C" leaves the decimals of money open: money keeps two.
    EXPECT_EQ(c->currencyDigits, 2);
    EXPECT_FALSE(CUserLocale::FromPosixLocale("xx_NOWHERE.UTF-8"));

    const auto de = CUserLocale::FromPosixLocale("de_DE.UTF-8");
    if (!de)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(de->shortDatePicture, "dd.MM.yyyy");
    EXPECT_EQ(de->timePicture, "HH:mm:ss");
    EXPECT_EQ(de->decimalSeparator, ",");
    EXPECT_EQ(de->thousandsSeparator, ".");
    EXPECT_EQ(de->currencySymbol, "\xE2\x82\xAC");
    EXPECT_EQ(de->currencyDigits, 2);
}

// A typed number is read whole in the locale's convention: grouping only in threes, the other
// convention's separator makes it no number (never cut at it nor taken for the decimal point).
TEST(CUserLocale, ReadsTypedNumbersWholeInItsConvention)
{
    struct SCase
    {
        const char* text;
        bool number;
        double value;
    };
    const auto check = [](const CUserLocale& locale, std::initializer_list<SCase> cases) {
        for (const SCase& c : cases) {
            double value = -999.0;
            EXPECT_EQ(ReadLocaleNumber(c.text, locale, value), c.number) << c.text;
            if (c.number) {
                EXPECT_DOUBLE_EQ(value, c.value) << c.text;
            }
        }
    };
    check(CUserLocale::EnUs(), {{"1,234.5", true, 1234.5}, {" -7.25 ", true, -7.25}, {"12,345,678", true, 12345678},
                                {"$3.50", true, 3.5}, {"(2)", true, -2}, {"1e3", true, 1000}, {".5", true, 0.5},
                                {"5.", true, 5}, {"230,5", false, 0}, {"1,23", false, 0}, {"1234,567", false, 0},
                                {"abc", false, 0}, {"", false, 0}, {"1.2.3", false, 0}, {"1e", false, 0},
                                {"1e999", false, 0}, {"12x", false, 0}, {"-", false, 0}});
    check(CUserLocale::DeDe(), {{"230,5", true, 230.5}, {"1.234,5", true, 1234.5}, {"230.5", false, 0}});
    CUserLocale plain = CUserLocale::EnUs();
    plain.thousandsSeparator = "";
    check(plain, {{"1000.5", true, 1000.5}, {"1,000", false, 0}});
    EXPECT_EQ(ShowLocaleNumber(1000000, 6, CUserLocale::EnUs()), "1,000,000");
    EXPECT_EQ(ShowLocaleNumber(-0.25, 6, CUserLocale::DeDe()), "-0,25");
    EXPECT_EQ(ShowLocaleNumber(-0.0001, 2, CUserLocale::EnUs()), "0");
}
