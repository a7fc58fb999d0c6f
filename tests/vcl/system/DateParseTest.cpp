#include <cmath>

#include <gtest/gtest.h>

#include "support/LocalePresets.h"
#include "vcl/Clock.h"
#include "vcl/SysUtils.h"

namespace {

// The clock stands in 2026 for every reading: two-part dates and two-digit years depend on it.
const TDateTime kClock = EncodeDate(2026, 12, 7) + EncodeTime(13, 0, 0, 0);

TDateTime Day(Word Y, Word M, Word D) { return EncodeDate(Y, M, D); }

TEST(DateParse, DatesFollowTheShortDateFormatsOrderAndTheClocksYear) {
    TTestClock clock(kClock);
    struct Case {
        TLocalePreset preset;
        const char* text;
        double expected;  // -1: not a date
    };
    const Case cases[] = {
        {TLocalePreset::EnUS, "1/2/2004", Day(2004, 1, 2)},
        {TLocalePreset::EnUS, " 12 / 31 / 1999 ", Day(1999, 12, 31)},
        {TLocalePreset::EnUS, "3/4", Day(2026, 3, 4)},  // two parts take the clock's year
        {TLocalePreset::EnUS, "2/29/2024", Day(2024, 2, 29)},
        {TLocalePreset::EnUS, "2/29/2023", -1},
        {TLocalePreset::EnUS, "13/1/2004", -1},
        {TLocalePreset::EnUS, "1/2/3/4", -1},
        {TLocalePreset::EnUS, "1/2/20040", -1},
        {TLocalePreset::EnUS, "1-2-2004", -1},
        {TLocalePreset::EnUS, "1/2/2004x", -1},
        {TLocalePreset::EnUS, "", -1},
        {TLocalePreset::EnUS, "/", -1},
        {TLocalePreset::EnUS, "1/", -1},
        {TLocalePreset::EnUS, "1/2/0001", Day(1, 1, 2)},
        {TLocalePreset::EnUS, "1/2/0000", -1},
        // Two-digit years: the hundred years from 1976 on.
        {TLocalePreset::EnUS, "1/2/76", Day(1976, 1, 2)},
        {TLocalePreset::EnUS, "1/2/75", Day(2075, 1, 2)},
        {TLocalePreset::EnUS, "1/2/04", Day(2004, 1, 2)},
        {TLocalePreset::EnUS, "1/2/0", Day(2000, 1, 2)},
        {TLocalePreset::EnUS, "1/2/004", Day(4, 1, 2)},
        {TLocalePreset::DayFirst, "1/2/2004", Day(2004, 2, 1)},
        {TLocalePreset::DayFirst, "31/12", Day(2026, 12, 31)},
        {TLocalePreset::DayFirst, "12/31/2004", -1},
        {TLocalePreset::CommaDecimal, "1.2.2004", Day(2004, 2, 1)},
        {TLocalePreset::CommaDecimal, "1/2/2004", -1},
    };
    for (const Case& c : cases) {
        TLocaleScope locale(c.preset);
        TDateTime value = 123;
        const bool read = TryStrToDate(c.text, value);
        EXPECT_EQ(read, c.expected != -1) << PresetName(c.preset) << " '" << c.text << "'";
        if (read) {
            EXPECT_EQ(value, c.expected) << c.text;
            EXPECT_EQ(StrToDate(c.text), c.expected) << c.text;
        } else {
            EXPECT_EQ(value, 123) << "a failed read leaves the value: " << c.text;
            EXPECT_THROW(StrToDate(c.text), EConvertError) << c.text;
        }
    }
}

TEST(DateParse, YearFirstFormatsReadTheYearFirst) {
    TTestClock clock(kClock);
    TLocaleScope locale(TLocalePreset::EnUS);
    ShortDateFormat = "'d'yyyy/mm/dd";  // a quoted letter names no part
    EXPECT_EQ(StrToDate("2004/1/2"), Day(2004, 1, 2));
    EXPECT_EQ(StrToDate("04/1/2"), Day(2004, 1, 2));
    EXPECT_EQ(StrToDate("1/2"), Day(2026, 1, 2));
}

TEST(DateParse, TimesReadTheTwelveAndTwentyFourHourClock) {
    struct Case {
        const char* text;
        Word h, m, s, ms;
        bool valid;
    };
    const Case cases[] = {
        {"10:30", 10, 30, 0, 0, true},    {"10:30:15", 10, 30, 15, 0, true},    {"10:30:15.250", 10, 30, 15, 250, true},
        {" 1:05 PM ", 13, 5, 0, 0, true}, {"1:05pm", 13, 5, 0, 0, true},        {"12:00 AM", 0, 0, 0, 0, true},
        {"12:00 PM", 12, 0, 0, 0, true},  {"11:59:59 pm", 23, 59, 59, 0, true}, {"23:59", 23, 59, 0, 0, true},
        {"13:00 PM", 0, 0, 0, 0, false},  {"24:00", 0, 0, 0, 0, false},         {"10:60", 0, 0, 0, 0, false},
        {"10", 0, 0, 0, 0, false},        {"10:", 0, 0, 0, 0, false},           {"10:30:", 0, 0, 0, 0, false},
        {"10:30 XM", 0, 0, 0, 0, false},  {"100:30", 0, 0, 0, 0, false},        {"", 0, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        TDateTime value = 0;
        EXPECT_EQ(TryStrToTime(c.text, value), c.valid) << "'" << c.text << "'";
        if (c.valid) EXPECT_DOUBLE_EQ(StrToTime(c.text), EncodeTime(c.h, c.m, c.s, c.ms)) << c.text;
        else EXPECT_THROW(StrToTime(c.text), EConvertError) << c.text;
    }
}

TEST(DateParse, DateTimesTakeADateATimeOrBoth) {
    TTestClock clock(kClock);
    TLocaleScope locale(TLocalePreset::EnUS);
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/2004 1:30 PM"), Day(2004, 1, 2) + EncodeTime(13, 30, 0, 0));
    EXPECT_DOUBLE_EQ(StrToDateTime("1/2/2004"), Day(2004, 1, 2));
    EXPECT_DOUBLE_EQ(StrToDateTime("6:00"), 0.25);
    // Before 1899-12-30 the time counts away from zero, as the day's fraction does there.
    EXPECT_DOUBLE_EQ(StrToDateTime("12/29/1899 6:00"), -1.25);
    EXPECT_THROW(StrToDateTime("1/2/2004 25:00"), EConvertError);
    try {
        StrToDateTime("soon");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'soon' is not a valid date and time");
    }
    try {
        StrToDate("x");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'x' is not a valid date");
    }
}

TEST(DateParse, TextsOfDatesAndTimesReadBack) {
    TTestClock clock(kClock);
    for (TLocalePreset preset : {TLocalePreset::EnUS, TLocalePreset::DayFirst, TLocalePreset::CommaDecimal}) {
        TLocaleScope locale(preset);
        const TDateTime when = Day(2024, 3, 5) + EncodeTime(14, 7, 9, 0);
        EXPECT_EQ(TimeToStr(when), "2:07:09 PM") << PresetName(preset);
        EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(when)), when) << PresetName(preset);
        EXPECT_EQ(DateTimeToStr(Day(2024, 3, 5)), DateToStr(Day(2024, 3, 5))) << "midnight shows no time";
        EXPECT_DOUBLE_EQ(StrToTime(TimeToStr(when)), EncodeTime(14, 7, 9, 0));
    }
}

TEST(DateParse, IncMonthClampsTheDayAndKeepsTheTime) {
    const TDateTime noon = 0.5;
    struct Case {
        TDateTime from;
        Integer months;
        TDateTime to;
    };
    const Case cases[] = {
        {Day(2024, 1, 31) + noon, 1, Day(2024, 2, 29) + noon},
        {Day(2023, 1, 31), 1, Day(2023, 2, 28)},
        {Day(2024, 3, 31), -1, Day(2024, 2, 29)},
        {Day(2024, 12, 15), 1, Day(2025, 1, 15)},
        {Day(2024, 1, 15), -13, Day(2022, 12, 15)},
        {Day(2024, 5, 31), 0, Day(2024, 5, 31)},
        {Day(1899, 12, 29) - noon, 1, Day(1900, 1, 29) + noon},
        {Day(1900, 1, 29) + noon, -1, Day(1899, 12, 29) - noon},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(IncMonth(c.from, c.months), c.to) << c.from << " " << c.months;
    EXPECT_DOUBLE_EQ(IncMonth(Day(2024, 1, 31)), Day(2024, 2, 29));
    EXPECT_THROW(IncMonth(Day(9999, 12, 1), 1), EConvertError);
    EXPECT_THROW(IncMonth(Day(1, 1, 1), -1), EConvertError);
    EXPECT_THROW(IncMonth(Day(2024, 1, 1), 2147483647), EConvertError);
    EXPECT_THROW(IncMonth(std::nan(""), 1), EConvertError);
}

}  // namespace
