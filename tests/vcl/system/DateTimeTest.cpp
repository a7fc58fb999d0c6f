#include <gtest/gtest.h>

#include "vcl/Clock.h"
#include "vcl/SysUtils.h"

TEST(DateTime, EncodeDecodeRoundTrips) {
    struct Case {
        Word y, m, d;
        double serial;
        Word weekday;
    };
    const Case cases[] = {{1899, 12, 30, 0, 7},     {1900, 1, 1, 2, 2},    {2000, 2, 29, 36585, 3},
                          {2024, 12, 31, 45657, 3}, {1, 1, 1, -693593, 2}, {9999, 12, 31, 2958465, 6},
                          {1899, 12, 29, -1, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        Word y = 0, m = 0, d = 0;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ((std::tuple{y, m, d}), (std::tuple{c.y, c.m, c.d})) << c.serial;
        // Before 1899-12-30 the time of day counts away from zero too.
        EXPECT_EQ(DayOfWeek(c.serial + (c.serial < 0 ? -0.75 : 0.75)), c.weekday) << c.serial;
    }
    for (Integer day = -800000; day <= 2958465; day += 997) {
        Word y = 0, m = 0, d = 0;
        DecodeDate(day, y, m, d);
        if (y >= 1) {
            TDateTime back = 0;
            EXPECT_TRUE(TryEncodeDate(y, m, d, back)) << day << " " << y << "-" << m << "-" << d;
            EXPECT_EQ(back, day);
        }
    }
}

TEST(DateTime, TimeRoundsToTheMillisecond) {
    const TDateTime t = EncodeTime(13, 45, 30, 250);
    Word h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(t, h, mi, s, ms);
    EXPECT_EQ((std::tuple{h, mi, s, ms}), (std::tuple<Word, Word, Word, Word>{13, 45, 30, 250}));
    DecodeTime(1.0 - 1e-10, h, mi, s, ms);  // a hair before midnight reads as midnight, never hour 24
    EXPECT_EQ((std::tuple{h, mi, s, ms}), (std::tuple<Word, Word, Word, Word>{0, 0, 0, 0}));
    DecodeTime(-1.25, h, mi, s, ms);  // before 1899 the fraction still counts forward
    EXPECT_EQ(h, 6);
}

TEST(DateTime, InvalidArgumentsRaise) {
    struct Case {
        Word y, m, d;
    };
    for (const Case& c : {Case{2023, 2, 29}, Case{2000, 13, 1}, Case{2000, 0, 1}, Case{0, 1, 1}, Case{2000, 4, 31},
                          Case{10000, 1, 1}, Case{1900, 2, 29}}) {
        try {
            EncodeDate(c.y, c.m, c.d);
            ADD_FAILURE() << c.y << "-" << c.m << "-" << c.d;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(MonthDays(2000, 13), ERangeError);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(MonthDays(2024, 2), 29);
}

TEST(Clock, TestClockReplacesNowAndTicks) {
    const TDateTime start = EncodeDate(2024, 3, 1) + EncodeTime(23, 59, 59, 500);
    {
        TTestClock clock(start, 5000);
        EXPECT_EQ(Now(), start);
        EXPECT_EQ(ClockTickCount(), 5000u);
        clock.Advance(1000);
        EXPECT_EQ(ClockTickCount(), 6000u);
        EXPECT_EQ(Date(), EncodeDate(2024, 3, 2));
        Word h = 0, mi = 0, s = 0, ms = 0;
        DecodeTime(Time(), h, mi, s, ms);
        EXPECT_EQ((std::tuple{h, mi, s, ms}), (std::tuple<Word, Word, Word, Word>{0, 0, 0, 500}));
    }
    EXPECT_GT(Now(), EncodeDate(2020, 1, 1));  // the system clock is back
    const UInt64 a = ClockTickCount();
    EXPECT_GE(ClockTickCount(), a);
}
