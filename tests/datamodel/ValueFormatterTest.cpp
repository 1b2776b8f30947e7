#include "datamodel/ValueFormatter.h"

#include "platform/framework/LocaleNumber.h"
#include "platform/framework/StringTable.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr DWORD kVoltage = 0;
constexpr DWORD kCurrent = 1;
constexpr DWORD kFrequency = 2;
constexpr DWORD kActivePower = 5;
constexpr DWORD kApparentPower = 6;
constexpr DWORD kReactivePower = 7;
constexpr DWORD kPowerFactor = 8;
constexpr DWORD kAux1 = 51;
constexpr DWORD kApparentPowerFull = 54;
constexpr DWORD kApparentEnergyFull = 55;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class ValueFormatterTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }

    // Value and unit text with the scale the magnitude alone chooses.
    std::pair<CString, CString> ForMagnitude(DWORD quantity, double value)
    {
        CString text, unit;
        formatter.FormatValueForMagnitude(0, quantity, false, 0, value, value, text, unit);
        return {text, unit};
    }
    std::pair<CString, CString> Shared(DWORD quantity, double value, int group = 0, int interval = 0)
    {
        CString text, unit;
        formatter.FormatValue(group, quantity, false, interval, value, text, unit);
        return {text, unit};
    }
    using Texts = std::pair<CString, CString>;

    CScopedUserLocale locale{CUserLocale::EnUs()};
    CValueFormatter formatter;
};

TEST_F(ValueFormatterTest, PrefixAndDecimalsFollowTheMagnitude)
{
    formatter.RegisterRange(0, 0, kActivePower, false, 0.0f, 1.0f);
    // Values arrive in kW; the prefix is chosen from the value in W.
    EXPECT_EQ(ForMagnitude(kActivePower, 0.4), Texts("400.0", "W"));
    EXPECT_EQ(ForMagnitude(kActivePower, 0.05), Texts("50.00", "W"));
    EXPECT_EQ(ForMagnitude(kActivePower, 0.005), Texts("5.000", "W"));
    EXPECT_EQ(ForMagnitude(kActivePower, 0.0005), Texts("500.0", "mW"));
    EXPECT_EQ(ForMagnitude(kActivePower, 2.5), Texts("2.500", "kW"));
    EXPECT_EQ(ForMagnitude(kActivePower, -1500.0), Texts("-1.500", "MW"));

    formatter.RegisterRange(0, 0, kCurrent, false, 0.0f, 1.0f);
    EXPECT_EQ(ForMagnitude(kCurrent, 12.344), Texts("12.34", "A"));
    EXPECT_EQ(ForMagnitude(kCurrent, 1234.6), Texts("1.235", "kA"));
}

TEST_F(ValueFormatterTest, QuantitiesWithoutAutoPrefixKeepTheirDecimals)
{
    for (DWORD q : {kVoltage, kFrequency, kPowerFactor, kAux1})
        formatter.RegisterRange(0, 0, q, false, 0.0f, 1.0f);
    EXPECT_EQ(Shared(kVoltage, 230.46), Texts("230.5", "V"));
    EXPECT_EQ(Shared(kVoltage, 0.004), Texts("0.0", "V"));
    EXPECT_EQ(Shared(kFrequency, 49.999), Texts("50.00", "Hz"));
    EXPECT_EQ(Shared(kPowerFactor, -0.956), Texts("-0.96", "1"));
    EXPECT_EQ(Shared(kAux1, 1.23456), Texts("1.2346", "V"));
}

TEST_F(ValueFormatterTest, SharedScaleFollowsTheLargestRangeOfTheMagnitudeSlot)
{
    formatter.RegisterRange(0, 0, kActivePower, false, -0.2f, 2.5f);
    EXPECT_EQ(Shared(kActivePower, 0.4), Texts("0.400", "kW"));
    // A smaller range leaves the choice alone.
    formatter.RegisterRange(0, 0, kReactivePower, false, 0.0f, 0.3f);
    EXPECT_EQ(Shared(kReactivePower, 0.3), Texts("0.300", "kvar"));
    // A larger apparent power moves every power of the session to MW, the ones chosen before too.
    formatter.RegisterRange(0, 0, kApparentPower, false, 0.0f, 3000.0f);
    EXPECT_EQ(Shared(kApparentPower, 1250.0), Texts("1.250", "MVA"));
    EXPECT_EQ(Shared(kActivePower, 400.0), Texts("0.400", "MW"));
    EXPECT_EQ(Shared(kReactivePower, 2.0), Texts("0.002", "Mvar"));

    CString unit;
    EXPECT_EQ(formatter.GetScaleUnitText(0, kActivePower, false, 0, unit), 0);
    EXPECT_EQ(unit, "W");
    EXPECT_EQ(formatter.GetPrefixedUnitText(0, kActivePower, false, 0, unit), 0);
    EXPECT_EQ(unit, "MW");
}

TEST_F(ValueFormatterTest, RangesAreKeptApartByGroupIntervalAndTable)
{
    formatter.RegisterRange(0, 0, kActivePower, false, 0.0f, 2.5f);
    formatter.RegisterRange(1, 0, kActivePower, false, 0.0f, 0.5f);
    formatter.RegisterRange(0, 600, kActivePower, false, 0.0f, 5000.0f);
    formatter.RegisterRange(0, 0, kActivePower, true, 0.0f, 0.02f);

    EXPECT_EQ(Shared(kActivePower, 1.0), Texts("1.000", "kW"));
    EXPECT_EQ(Shared(kActivePower, 0.25, 1), Texts("250.0", "W"));
    EXPECT_EQ(Shared(kActivePower, 1000.0, 0, 600), Texts("1.000", "MW"));
    CString text, unit;
    EXPECT_TRUE(formatter.FormatValue(0, kActivePower, true, 0, 0.01, text, unit));
    EXPECT_EQ(Texts(text, unit), Texts("10.00", "W"));
}

TEST_F(ValueFormatterTest, RangeWithoutFiniteValuesDoesNotDecideThePrefix)
{
    formatter.RegisterRange(0, 0, kActivePower, false, float(kNaN), float(kNaN));
    EXPECT_EQ(Shared(kActivePower, 0.0), Texts("0.0", "mW")); // nothing registered yet: below 1
    formatter.RegisterRange(0, 0, kActivePower, false, float(kNaN), 2.5f);
    EXPECT_EQ(Shared(kActivePower, 0.0), Texts("0.000", "kW"));

    const SValueScaleEntry* entry = formatter.FindScaleEntry(0, kActivePower, false, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(std::isnan(entry->minimum)); // still nothing finite seen
    EXPECT_EQ(entry->maximum, 2.5f);
    formatter.RegisterRange(0, 0, kActivePower, false, -1.0f, 1.0f);
    EXPECT_EQ(entry->minimum, -1.0f);
    EXPECT_EQ(entry->maximum, 2.5f);
    formatter.RegisterRange(0, 0, kActivePower, false, -0.5f, float(kInf));
    EXPECT_EQ(entry->minimum, -1.0f);
    EXPECT_EQ(entry->maximum, 2.5f);
    EXPECT_EQ(Shared(kActivePower, 0.0), Texts("0.000", "kW")); // the infinity raised nothing
}

TEST_F(ValueFormatterTest, MissingScaleFormatsWithEmptyScaleAndNoUnit)
{
    formatter.RegisterRange(0, 0, kVoltage, false, 0.0f, 1.0f);
    CString text = "x", unit = "x";
    EXPECT_FALSE(formatter.FormatValue(0, kVoltage, false, 900, 1.5, text, unit));
    EXPECT_EQ(Texts(text, unit), Texts("1.500000", ""));
    EXPECT_FALSE(formatter.FormatValue(4, kVoltage, false, 0, 1.5, text, unit));
    EXPECT_FALSE(formatter.FormatValue(-1, kVoltage, false, 0, 1.5, text, unit));
    EXPECT_FALSE(formatter.FormatValue(0, kCurrent, false, 0, 1.5, text, unit));
    EXPECT_EQ(unit, "");

    EXPECT_EQ(formatter.GetScaleUnitText(4, kVoltage, false, 0, unit), -1);
    EXPECT_EQ(formatter.GetScaleUnitText(0, kVoltage, true, 0, unit), -1);
    EXPECT_EQ(formatter.GetPrefixedUnitText(0, kVoltage, false, 60, unit), -1);
    EXPECT_EQ(unit, "");
    formatter.RegisterRange(4, 0, kVoltage, false, 0.0f, 1.0f); // ignored
    EXPECT_EQ(formatter.GetScaleUnitText(4, kVoltage, false, 0, unit), -1);
}

TEST_F(ValueFormatterTest, InvalidValuesGiveEmptyText)
{
    formatter.RegisterRange(0, 0, kVoltage, false, 0.0f, 1.0f);
    formatter.RegisterRange(0, 0, kActivePower, false, 0.0f, 1.0f);
    for (double v : {kNaN, kInf, -kInf}) {
        EXPECT_EQ(Shared(kVoltage, v), Texts("", "V"));
        EXPECT_EQ(Shared(kActivePower, v).first, "");
    }
    // Finite, but too large once divided for the milli prefix of the reference.
    CString text = "x", unit;
    formatter.FormatValueForMagnitude(0, kActivePower, false, 0, 1e306, 0.0, text, unit);
    EXPECT_EQ(text, "");
    EXPECT_EQ(unit, "mW");
}

TEST_F(ValueFormatterTest, AuxUserScalingSetsUnitAndDecimalsFromFullScale)
{
    formatter.RegisterRange(0, 0, kAux1, false, 0.0f, 10.0f);
    formatter.SetScaleEntry(0, kAux1, 250.0, 0.0, "bar"); // 4 - trunc(log10 250) = 2 decimals
    EXPECT_EQ(Shared(kAux1, 123.456), Texts("123.46", "bar"));
    formatter.SetScaleEntry(0, kAux1, 0.5, 0.0, "m/s"); // log10 0.5 truncates to 0: 4 decimals
    EXPECT_EQ(Shared(kAux1, 0.123456), Texts("0.1235", "m/s"));
    formatter.SetScaleEntry(0, kAux1, 20000.0, 0.0, "rpm");
    EXPECT_EQ(Shared(kAux1, 1234.5678), Texts("1235", "rpm"));
    formatter.SetScaleEntry(0, kAux1, 1e6, 0.0, "Pa"); // never fewer than 0 decimals
    EXPECT_EQ(Shared(kAux1, 2.5), Texts("2", "Pa"));

    // Ignored: no positive finite full scale, bad offset, group out of range.
    for (double fullScale : {0.0, -10.0, kNaN, kInf})
        formatter.SetScaleEntry(0, kAux1, fullScale, 0.0, "x");
    formatter.SetScaleEntry(0, kAux1, 10.0, kNaN, "x");
    formatter.SetScaleEntry(4, kAux1, 10.0, 0.0, "x");
    EXPECT_EQ(Shared(kAux1, 2.5), Texts("2", "Pa"));
}

TEST_F(ValueFormatterTest, AuxUserScalingNeedsARecordedIntervalEntry)
{
    formatter.SetScaleEntry(0, kAux1, 250.0, 0.0, "bar"); // no entry yet
    formatter.RegisterRange(0, 0, kAux1, false, 0.0f, 10.0f);
    EXPECT_EQ(Shared(kAux1, 1.5), Texts("1.5000", "V"));

    formatter.RegisterRange(0, 600, kAux1, false, 0.0f, 10.0f);
    formatter.RegisterRange(1, 600, kAux1, false, 0.0f, 10.0f);
    formatter.SetScaleEntry(1, kAux1, 250.0, 0.0, "bar"); // group 1 has it only at 600 s
    EXPECT_EQ(Shared(kAux1, 1.5, 1, 600), Texts("1.5000", "V"));
    formatter.SetScaleEntry(0, kAux1, 250.0, 0.0, "bar"); // the 600 s block keeps its own entry
    EXPECT_EQ(Shared(kAux1, 1.5, 0, 600), Texts("1.5000", "V"));
    EXPECT_EQ(Shared(kAux1, 1.5, 0, 0), Texts("1.50", "bar"));
}

TEST_F(ValueFormatterTest, UserRatioAndOffsetScaleTheSharedMagnitude)
{
    formatter.RegisterRange(0, 0, kCurrent, false, 0.0f, 2.0f);
    EXPECT_EQ(Shared(kCurrent, 1.5), Texts("1.500", "A"));
    // 1000 x 2 + 50 = 2050: kilo.
    formatter.SetScaleEntry(0, kCurrent, 1000.0, 50.0, "A");
    EXPECT_EQ(Shared(kCurrent, 1500.0), Texts("1.500", "kA"));
}

TEST_F(ValueFormatterTest, ApparentPowerScaleMultipliesTheFullScaleQuantities)
{
    formatter.RegisterRange(0, 0, kApparentPowerFull, false, 0.0f, 0.6f);
    formatter.RegisterRange(0, 0, kApparentEnergyFull, false, 0.0f, 0.4f);
    EXPECT_EQ(Shared(kApparentPowerFull, 0.3), Texts("300.0", "VA"));
    EXPECT_EQ(Shared(kApparentEnergyFull, 0.3), Texts("300.0", "VAh"));

    formatter.SetApparentPowerScale(0, 0.0); // ignored
    formatter.SetApparentPowerScale(9, 2.0); // ignored
    EXPECT_EQ(Shared(kApparentPowerFull, 0.3), Texts("300.0", "VA"));
    formatter.SetApparentPowerScale(0, 2.0); // 600 x 2 and 400 x 2 from here on
    EXPECT_EQ(Shared(kApparentPowerFull, 0.3), Texts("0.300", "kVA"));
    EXPECT_EQ(Shared(kApparentEnergyFull, 0.3), Texts("300.0", "VAh"));
    formatter.SetApparentPowerScale(0, 3.0);
    EXPECT_EQ(Shared(kApparentEnergyFull, 0.3), Texts("0.300", "kVAh"));
}

TEST_F(ValueFormatterTest, RemovedGroupMovesLaterSessionsDown)
{
    for (int g = 0; g < 4; ++g) {
        formatter.RegisterRange(g, 0, kAux1, false, 0.0f, 1.0f);
        formatter.RegisterRange(g, 300, kVoltage, false, 0.0f, 1.0f);
        formatter.SetScaleEntry(g, kAux1, 100.0, 0.0, CString::Formatted("g%d", g));
    }
    formatter.RemoveGroup(7); // ignored
    formatter.RemoveGroup(1);
    CString unit;
    const char* expected[] = {"g0", "g2", "g3"};
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(formatter.GetScaleUnitText(g, kAux1, false, 0, unit), 0);
        EXPECT_EQ(unit, expected[g]);
        EXPECT_EQ(formatter.GetScaleUnitText(g, kVoltage, false, 300, unit), 0);
    }
    EXPECT_EQ(formatter.GetScaleUnitText(3, kAux1, false, 0, unit), -1);
    EXPECT_EQ(formatter.GetScaleUnitText(3, kVoltage, false, 300, unit), -1);
}

TEST_F(ValueFormatterTest, NumbersUseTheDecimalSeparatorOfTheUser)
{
    EXPECT_EQ(formatter.FormatNumber(0.125, 3), "0.125");
    EXPECT_EQ(formatter.FormatNumber(2.0, 3, ":1"), "2:1");
    EXPECT_EQ(formatter.FormatNumber(12.5, 3, " /kWh"), "12.5 /kWh");
    EXPECT_EQ(formatter.FormatNumber(100.0, 0), "100");

    CScopedUserLocale de(CUserLocale::DeDe());
    CValueFormatter german;
    EXPECT_EQ(german.GetDecimalSeparator(), ",");
    EXPECT_EQ(german.FormatNumber(1234.5, 3), "1234,5");
    EXPECT_EQ(german.FormatNumber(2.0, 3, ":1"), "2:1");
    german.RegisterRange(0, 0, kVoltage, false, 0.0f, 1.0f);
    german.RegisterRange(0, 0, kActivePower, false, 0.0f, 2.5f);
    CString text, unit;
    german.FormatValue(0, kVoltage, false, 0, 230.46, text, unit);
    EXPECT_EQ(text, "230,5");
    german.FormatValue(0, kActivePower, false, 0, 1.25, text, unit);
    EXPECT_EQ(Texts(text, unit), Texts("1,250", "kW"));
}

TEST_F(ValueFormatterTest, UnusableSeparatorFallsBackToPoint)
{
    for (const char* separator : {"", "<sep>"}) {
        CUserLocale odd = CUserLocale::EnUs();
        odd.decimalSeparator = separator;
        CScopedUserLocale pinned(odd);
        EXPECT_EQ(CValueFormatter().GetDecimalSeparator(), ".");
    }
}

// The numbers typed into the program's fields are read with the user's separator.
TEST_F(ValueFormatterTest, TypedNumbersAreReadWithTheUsersSeparator)
{
    double v = -7.0;
    EXPECT_TRUE(ReadLocaleNumber("1.5", CUserLocale::Current(), v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(ReadLocaleNumber("  -2.25\t", CUserLocale::Current(), v));
    EXPECT_EQ(v, -2.25);
    EXPECT_TRUE(ReadLocaleNumber("+3", CUserLocale::Current(), v));
    EXPECT_EQ(v, 3.0);
    EXPECT_TRUE(ReadLocaleNumber("1e3", CUserLocale::Current(), v));
    EXPECT_EQ(v, 1000.0);

    v = -7.0;
    for (const char* bad : {"", "   ", "1.5x", "1,5", "abc", "+", "+-1", "--1", "nan", "inf", "1e999"})
        EXPECT_FALSE(ReadLocaleNumber(bad, CUserLocale::Current(), v)) << bad;
    EXPECT_EQ(v, -7.0);

    CScopedUserLocale de(CUserLocale::DeDe());
    EXPECT_TRUE(ReadLocaleNumber("1,5", CUserLocale::Current(), v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(ReadLocaleNumber(" -0,125 ", CUserLocale::Current(), v));
    EXPECT_EQ(v, -0.125);
    EXPECT_FALSE(ReadLocaleNumber("1,5x", CUserLocale::Current(), v));
    EXPECT_FALSE(ReadLocaleNumber(" ", CUserLocale::Current(), v));
}
} // namespace
