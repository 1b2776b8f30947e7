#include "datamodel/TimeRounding.h"

#include <gtest/gtest.h>

namespace
{
CHighTime Local(int hour, int minute, int second, int ms = 0)
{
    return CHighTime(2024, 3, 14, hour, minute, second, ms);
}

const CHighTimeSpan kHour(0, 1, 0, 0);
const CHighTimeSpan kMinute(0, 0, 1, 0);
const CHighTimeSpan kSecond(0, 0, 0, 1);
} // namespace

TEST(FloorTimeToInterval, FloorsSecondsMinutesOrHoursOfTheLocalClock)
{
    EXPECT_EQ(FloorTimeToInterval(Local(10, 52, 31, 400), 900), Local(10, 45, 0));
    EXPECT_EQ(FloorTimeToInterval(Local(15, 20, 0), 7200), Local(14, 0, 0));
    EXPECT_EQ(FloorTimeToInterval(Local(10, 0, 59), 20), Local(10, 0, 40));
    EXPECT_EQ(FloorTimeToInterval(Local(10, 0, 59, 999), 1), Local(10, 0, 59));
    EXPECT_EQ(FloorTimeToInterval(Local(23, 59, 59), 86400), Local(0, 0, 0));
}

TEST(FloorTimeToInterval, LeavesUnusableInputUnchanged)
{
    const CHighTime t = Local(10, 52, 31, 400);
    EXPECT_EQ(FloorTimeToInterval(t, 0), t);
    EXPECT_EQ(FloorTimeToInterval(t, -60), t);
    CHighTime invalid = t;
    invalid.SetStatus(CHighTime::invalid);
    EXPECT_EQ(FloorTimeToInterval(invalid, 900), invalid);
}

TEST(StepTimeOnFieldWrap, WrappedFieldsStepTheNextUnit)
{
    // The seconds field spun up past 59.
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 0, 59), Local(10, 0, 0), kHour, kMinute, kSecond), Local(10, 1, 0));
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 0, 0), Local(10, 0, 59), kHour, kMinute, kSecond), Local(9, 59, 59));
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 30, 0), Local(10, 31, 0), kHour, kMinute, kSecond), Local(10, 31, 0));
    // A minute down from off the minute only snaps to the minute.
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 30, 20), Local(10, 29, 20), kHour, kMinute, kSecond), Local(10, 30, 0));
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 30, 0), Local(10, 29, 0), kHour, kMinute, kSecond), Local(10, 29, 0));
    // The minutes field wrapped from 59 to 00.
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 59, 0), Local(10, 0, 0), kHour, kMinute, kSecond), Local(11, 0, 0));
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 20, 5), Local(9, 20, 5), kHour, kMinute, kSecond), Local(10, 0, 0));
    EXPECT_EQ(StepTimeOnFieldWrap(Local(23, 10, 0), Local(0, 10, 0), kHour, kMinute, kSecond),
              CHighTime(2024, 3, 15, 0, 0, 0));
    // Anything else is taken as picked.
    EXPECT_EQ(StepTimeOnFieldWrap(Local(10, 0, 0), Local(12, 7, 3), kHour, kMinute, kSecond), Local(12, 7, 3));
}
