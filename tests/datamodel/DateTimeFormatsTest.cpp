#include "datamodel/DateTimeFormats.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/UserLocale.h"

#include <gtest/gtest.h>

namespace
{
class LocalePictures : public ::testing::Test
{
protected:
    void TearDown() override { CUserLocale::ResetForTesting(); }

    static void Use(const char* datePicture, const char* timePicture)
    {
        CUserLocale locale = CUserLocale::EnUs();
        locale.shortDatePicture = datePicture;
        locale.timePicture = timePicture;
        CUserLocale::SetForTesting(locale);
    }
};
} // namespace

TEST_F(LocalePictures, GermanPresetGivesZeroPaddedFormats)
{
    CUserLocale::SetForTesting(CUserLocale::DeDe());
    ASSERT_EQ(CUserLocale::Current().shortDatePicture, "dd.MM.yyyy");
    ASSERT_EQ(CUserLocale::Current().timePicture, "HH:mm:ss");
    EXPECT_EQ(GetShortDateStrftimeFormat(), "%d.%m.%Y");
    EXPECT_EQ(GetShortDateChartFormat(), "dd.mm.yyyy");
    EXPECT_EQ(GetTimeStrftimeFormat(), "%H:%M:%S");
    EXPECT_EQ(GetTimeChartFormat(), "hh:nn:ss");
    EXPECT_EQ(GetLocaleTimePicture(true), "HH:mm");
    EXPECT_EQ(GetLocaleTimeFormat(), "%H:%M");
}

TEST_F(LocalePictures, UsPresetGivesUnpaddedTwelveHourFormats)
{
    CUserLocale::SetForTesting(CUserLocale::EnUs());
    ASSERT_EQ(CUserLocale::Current().timePicture, "h:mm:ss tt");
    EXPECT_EQ(GetTimeStrftimeFormat(), "%#I:%M:%S %p");
    EXPECT_EQ(GetTimeChartFormat(), "h:nn:ss ampm");
    EXPECT_EQ(GetLocaleTimePicture(true), "h:mm tt");
    EXPECT_EQ(GetLocaleTimePicture(false), "h:mm:ss tt");
    EXPECT_EQ(GetLocaleTimeFormat(), "%#I:%M %p");

    Use("M/d/yy", "h:mm:ss tt");
    EXPECT_EQ(GetShortDateStrftimeFormat(), "%#m/%#d/%y");
    EXPECT_EQ(GetShortDateChartFormat(), "m/d/yy");
}

TEST_F(LocalePictures, LiteralsAndLongRunsFollowTheConversionTable)
{
    EXPECT_EQ(PictureToStrftimeFormat("d 'de' MMMM 'de' yyyy"), "%#d de %m de %Y");
    EXPECT_EQ(PictureToChartFormat("d 'de' MMMM 'de' yyyy"), "d 'de' mm 'de' yyyy");
    // A literal holding an apostrophe is put in double quotes in the chart picture.
    EXPECT_EQ(PictureToStrftimeFormat("yyyy 'o''clock' H"), "%Y o'clock %#H");
    EXPECT_EQ(PictureToChartFormat("yyyy 'o''clock' H"), "yyyy \"o'clock\" h");
    // Holding both kinds of quote it is left out.
    EXPECT_EQ(PictureToChartFormat("y'a''\"b'"), "yy");
    EXPECT_EQ(PictureToStrftimeFormat("y"), "%#y");
    EXPECT_EQ(PictureToStrftimeFormat("yyy"), "%Y");
    EXPECT_EQ(PictureToStrftimeFormat("dddd HH"), "%d %H");
    // A percent sign is literal text, never a conversion.
    EXPECT_EQ(PictureToStrftimeFormat("'100%' d%"), "100%% %#d%%");
    // An unterminated literal runs to the end.
    EXPECT_EQ(PictureToStrftimeFormat("H 'h"), "%#H h");
}

TEST_F(LocalePictures, SecondsAndTheirSeparatorAreRemoved)
{
    // Text after the seconds is kept: it is the pending separator at the end.
    EXPECT_EQ(RemoveSecondsFromPicture("HH'h'mm'm'ss's'"), "HH'h'mm's'");
    EXPECT_EQ(RemoveSecondsFromPicture("tt hh:mm:ss"), "tt hh:mm");
    EXPECT_EQ(RemoveSecondsFromPicture("H.mm.ss 'Uhr'"), "H.mm 'Uhr'");
}

TEST_F(LocalePictures, TemplatesExpandEveryPlaceholder)
{
    CStringTable::Instance().Set(8066, "dtFmt1 tmFmt1");
    CStringTable::Instance().Set(8058, "dtFmt2 tmFmt2");
    CStringTable::Instance().Set(60001, "[dtFmt1|dtFmt1]");
    CUserLocale::SetForTesting(CUserLocale::DeDe());
    EXPECT_EQ(ExpandDateTimeFormat(8066), "%d.%m.%Y %H:%M:%S");
    EXPECT_EQ(ExpandDateTimeFormat(8058), "dd.mm.yyyy hh:nn:ss");
    EXPECT_EQ(ExpandDateTimeFormat(60001), "[%d.%m.%Y|%d.%m.%Y]");
}
