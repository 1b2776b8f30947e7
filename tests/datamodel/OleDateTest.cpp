#include "datamodel/OleDate.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(OleDate, ChartDatesConvertBothWaysWithOneConstant)
{
    // 1899-12-30 00:00 UTC lies one hour after the constant's origin.
    EXPECT_DOUBLE_EQ(CHighTime(94353120000000000LL).GetAsDate(), 1.0 / 24.0);
    EXPECT_DOUBLE_EQ(CHighTime(kOleDateOriginTicks + 2 * kTicksPerDay).GetAsDate(), 2.0);
    EXPECT_EQ(CHighTime::FromDate(2.0).GetTicks(), kOleDateOriginTicks + 2 * kTicksPerDay);
    EXPECT_EQ(CHighTime::FromDate(-0.5).GetTicks(), kOleDateOriginTicks - kTicksPerDay / 2);

    // A logger-era time comes back rounded to the microsecond.
    const LONGLONG ticks = 133500000000000000LL + 1234567;
    const CHighTime back = CHighTime::FromDate(CHighTime(ticks).GetAsDate());
    EXPECT_EQ(back.GetStatus(), CHighTime::valid);
    EXPECT_EQ(back.GetTicks(), ticks - ticks % 10 + (ticks % 10 >= 5 ? 10 : 0));
}

TEST(OleDate, UnusableValuesGiveNoDate)
{
    CHighTime invalid(133500000000000000LL);
    invalid.SetStatus(CHighTime::invalid);
    EXPECT_EQ(invalid.GetAsDate(), 0.0);
    CHighTime null;
    null.SetStatus(CHighTime::null);
    EXPECT_EQ(null.GetAsDate(), 0.0);
    EXPECT_EQ(CHighTime::FromDate(std::nan("")).GetStatus(), CHighTime::invalid);
    EXPECT_EQ(CHighTime::FromDate(1e300).GetStatus(), CHighTime::invalid);
}
