#include "platform/framework/LocaleNumber.h"
#include "platform/framework/UserLocale.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale.h>
#include <string>

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
    EXPECT_FALSE(de->currencyFirst);
    EXPECT_TRUE(de->currencySpaced);
    const auto us = CUserLocale::FromPosixLocale("en_US.UTF-8");
    if (!us)
        GTEST_SKIP() << "en_US.UTF-8 is not installed";
    EXPECT_EQ(us->timePicture, "hh:mm:ss tt");
    EXPECT_TRUE(us->currencyFirst);
    EXPECT_FALSE(us->currencySpaced);
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
}

// Numbers and amounts are written in the user's locale alone, whatever locale the toolkit gave the
// C library (the desktop's); a field's text reads back to the number it holds.
TEST(CUserLocale, WritesNumbersInItsOwnFormWhateverTheCLibrarysLocale)
{
    const std::string previous = ::setlocale(LC_ALL, nullptr);
    for (const char* cLibrary : {"C", "de_DE.UTF-8", "en_US.UTF-8"}) {
        if (!::setlocale(LC_ALL, cLibrary))
            continue;
        const CUserLocale us = CUserLocale::EnUs();
        const CUserLocale de = CUserLocale::DeDe();
        EXPECT_EQ(ShowLocaleNumber(1000000, 6, us), "1,000,000") << cLibrary;
        EXPECT_EQ(ShowLocaleNumber(1000000, 6, de), "1.000.000") << cLibrary;
        EXPECT_EQ(ShowLocaleNumber(-0.25, 6, de), "-0,25") << cLibrary;
        EXPECT_EQ(ShowLocaleNumber(-0.0001, 2, us), "0") << cLibrary;
        EXPECT_EQ(LocaleNumberText(12.5, SNumberLayout{3, false, false}, de), "12,500") << cLibrary;
        EXPECT_EQ(LocaleNumberText(-0.10, SNumberLayout{2, true, false}, us), "-0.1") << cLibrary;
        EXPECT_EQ(LocaleNumberText(3.0, SNumberLayout{3, true, true}, de), "3") << cLibrary;
        EXPECT_EQ(LocaleNumberText(std::nan(""), SNumberLayout{}, us), "") << cLibrary;
        // The shortest text that reads back: of a double, of a single-precision number, and by a
        // field's own rule (a limit typed in kW and stored in W in single precision).
        EXPECT_EQ(ShortestLocaleNumber(1.0, de), "1") << cLibrary;
        EXPECT_EQ(ShortestLocaleNumber(-2.5e-7, de), "-0,00000025") << cLibrary;
        EXPECT_EQ(ShortestLocaleNumber(1e9, us), "1000000000") << cLibrary;
        EXPECT_EQ(ShortestLocaleFloat(0.21f, de), "0,21") << cLibrary;
        EXPECT_EQ(ShortestLocaleFloat(123456.789f, us), "123456.79") << cLibrary;
        const float kW = float(123456.789 * 1000.0);
        EXPECT_EQ(ShortestLocaleNumber(double(kW) / 1000.0, [kW](double v) { return float(v * 1000.0) == kW; }, us), "123456.79")
            << cLibrary;
        const float top = float(1e9 * 1000.0);
        EXPECT_EQ(ShortestLocaleNumber(double(top) / 1000.0, [top](double v) { return float(v * 1000.0) == top; }, de),
                  "1000000000")
            << cLibrary;
        // Money: the locale's decimals, grouping, negative form and place of the currency.
        EXPECT_EQ(LocaleMoneyText(1234567.0004, "$", us), "$1,234,567.00") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(20982.6144, "$", us), "$20,982.61") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(0.125000001, "$", us), "$0.13") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(std::nan(""), "$", us), "$0.00") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(-0.25, "$", us), "-$0.25") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(-0.001, "$", us), "$0.00") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(1234.5, "EUR", us), "EUR 1,234.50") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(131.41, "\xE2\x82\xAC", de), "131,41 \xE2\x82\xAC") << cLibrary;
        EXPECT_EQ(LocaleMoneyText(-1234.5, "EUR", de), "-1.234,50 EUR") << cLibrary;
        CUserLocale yen = de;
        yen.currencyDigits = 0;
        EXPECT_EQ(LocaleMoneyText(1234.5, "JPY", yen), "1.234 JPY") << cLibrary;
        EXPECT_EQ(PlaceCurrency("0,21", "\xE2\x82\xAC", de), "0,21 \xE2\x82\xAC") << cLibrary;
        EXPECT_EQ(PlaceCurrency("0.21", "", us), "0.21") << cLibrary;
    }
    ::setlocale(LC_ALL, previous.c_str());
}
