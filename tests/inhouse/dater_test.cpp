// Dates: breaking down, pattern formatting with padding, names, the own calendar checked against
// the runtime's, the star-date counts, file times in a fixed time zone, packed file dates and the
// item table's date and time fields.
#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include <vcl/SysUtils.h>
#include <vcl/Windows.h>

#include "Vorel.h"
#include "dater.h"
#include "superar.h"

using namespace dater;
using namespace Vorel;

namespace {

TDateTime At(Word Year, Word Month, Word Day, Word Hour = 0, Word Min = 0, Word Sec = 0, Word MSec = 0) {
    return EncodeDate(Year, Month, Day) + EncodeTime(Hour, Min, Sec, MSec);
}

AnsiString Formatted(const AnsiString& Pattern, const AnsiString& Pad, TDateTime Value) {
    AnsiString result = "untouched";
    FormatDatePattern(Pattern, Pad, result, Value);
    return result;
}

TEST(DatePattern, FormatsEachLetterWithItsPadding) {
    const TDateTime tuesday = At(2024, 3, 5, 9, 7, 3, 5);
    struct Case {
        const char* pattern;
        const char* pad;
        TDateTime value;
        const char* expected;
    } const cases[] = {
        {"dd.mm.yyyy", "0", tuesday, "05.03.2024"},
        {"d.m.yy", "0", tuesday, "5.3.24"},
        {"dd.mm.y", "0", tuesday, "05.03.4"},
        {"HH:ii:ss:l", "0", tuesday, "09:07:03:5"},
        {"HH:ii:ss:lll", "0", tuesday, "09:07:03:005"},
        {"dd", "*", tuesday, "*5"},
        {"d/d", "0", tuesday, "05/05"},  // the width counts the letter in the whole pattern
        {"h p", "0", At(2024, 3, 5, 15), "3 p"},
        {"hh pp", "0", At(2024, 3, 5, 15), "03 pm"},
        {"MMM D", "0", tuesday, "Mar T"},
        {"DDDDDDDDDDDD", "0", tuesday, "Tuesday"},  // a text letter past its text writes nothing
        {"dcc M yyyy", "0", tuesday, "5th M 2024"},
        {"dcc MMMMM yyyy", "0", At(2024, 3, 22), "22nd March 2024"},
        {"zzzzzz", "0", tuesday, "Pisces"},
        {"f", "0", At(2024, 3, 5, 12), "50000"},
        {"FF", "0", At(2024, 3, 5, 6), "25000"},
        {"a:H:ii:ss", "0", EncodeTime(1, 2, 3, 0), "0:1:02:03"},
        {"a:H:ii:ss", "0", 2 + EncodeTime(1, 2, 3, 0), "2:1:02:03"},
        {"<q> & 1", "0", tuesday, "<q> & 1"},
        {"dd.mm.yyyy", "0", 0.0, ""},
        {"", "0", tuesday, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Formatted(c.pattern, c.pad, c.value), c.expected) << c.pattern;
}

TEST(DatePattern, StarDateLettersWriteTheirTextCharacterByCharacter) {
    EXPECT_EQ(Formatted("x", "0", At(2323, 1, 1)), "0");
    EXPECT_EQ(Formatted("XXXX", "0", At(2260, 2, 1)), "1.09");
}

TEST(DatePattern, ALongRunOfOneLetterPadsToAShortTextAtMost) {
    EXPECT_EQ(Formatted(AnsiString(1000, 'd'), "0", At(2024, 3, 5)).size(), 255u);
}

TEST(DateInfo, TwelveHourClockAndOrdinalSuffixes) {
    struct Case {
        Word hour;
        Word hour12;
        const char* ampm;
    } const hours[] = {{0, 12, "am"}, {9, 9, "am"}, {11, 11, "am"}, {12, 12, "pm"}, {15, 3, "pm"}, {23, 11, "pm"}};
    for (const Case& c : hours) {
        Varpre::DateInfoT info;
        DateTimeToDateInfo(info, At(2024, 3, 5, c.hour, 30));
        EXPECT_EQ(info.Hour12, c.hour12) << c.hour;
        EXPECT_EQ(info.AmPm, c.ampm) << c.hour;
    }
    const std::pair<Word, const char*> suffixes[] = {{1, "st"},  {2, "nd"},  {3, "rd"},  {4, "th"},  {11, "st"},
                                                     {12, "nd"}, {13, "rd"}, {14, "th"}, {21, "st"}, {22, "nd"},
                                                     {23, "rd"}, {30, "th"}, {31, "st"}};
    for (const auto& [day, suffix] : suffixes) {
        Varpre::DateInfoT info;
        DateTimeToDateInfo(info, At(2024, 1, day));
        EXPECT_EQ(info.OrdinalSuffix, suffix) << day;
    }
}

TEST(DateInfo, FillsEveryMemberFromTheValue) {
    Varpre::DateInfoT info;
    DateTimeToDateInfo(info, At(2024, 3, 5, 21, 7, 3, 5));
    EXPECT_EQ((std::array<Integer, 5>{info.Day, info.Month, info.Year, info.Weekday, info.Zodiac}),
              (std::array<Integer, 5>{5, 3, 2024, 2, 3}));
    EXPECT_EQ((std::array<Word, 5>{info.Hour, info.Minute, info.Second, info.MSec, info.Hour12}),
              (std::array<Word, 5>{21, 7, 3, 5, 9}));
    EXPECT_EQ(info.MonthName, "March");
    EXPECT_EQ(info.WeekdayName, "Tuesday");
    EXPECT_EQ(info.ZodiacName, "Pisces");
    EXPECT_EQ(info.IntPart, std::trunc(At(2024, 3, 5)));
    EXPECT_NEAR(info.FracPart, EncodeTime(21, 7, 3, 5), 1e-9);
    EXPECT_EQ(FileDateToDateTime(info.FileDate), At(2024, 3, 5, 21, 7, 2));
}

TEST(DateNames, TablesHoldBothLanguagesAndOutOfRangeMonthsFallBack) {
    EXPECT_EQ(MonthNames().size(), 24u);
    EXPECT_EQ(WeekdayNames().size(), 14u);
    EXPECT_EQ(ZodiacNames().size(), 24u);
    AnsiString name;
    MonthName(12, name);
    EXPECT_EQ(name, "December");
    MonthName(13, name);
    EXPECT_EQ(name, "January");
    MonthName(0, name);
    EXPECT_EQ(name, "January");
    WeekdayName(7, 1, 2024, name);
    EXPECT_EQ(name, "Sunday");
    ZodiacName(22, 12, 2024, name);
    EXPECT_EQ(name, "Capricorn");
}

TEST(Calendar, LeapYearsAndValidDates) {
    struct Case {
        Integer day, month, year;
        bool valid;
    } const cases[] = {
        {29, 2, 2000, true}, {29, 2, 2024, true}, {29, 2, 1900, false}, {29, 2, 2023, false}, {31, 4, 2024, false},
        {30, 4, 2024, true}, {0, 1, 2024, false}, {1, 13, 2024, false}, {1, 0, 2024, false},  {31, 12, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidDate(c.day, c.month, c.year), c.valid) << c.day << "." << c.month << "." << c.year;
    EXPECT_EQ(DaysInYear(2024), 366);
    EXPECT_EQ(DaysInYear(2100), 365);
    EXPECT_EQ(DayOfYear(1, 3, 2024), 61);
    EXPECT_EQ(DaysLeftInYear(31, 12, 2023), 0);
    EXPECT_THROW(DaysInMonth(13, 2024), ERangeError);
}

TEST(Calendar, WeekdaysAndDayArithmeticAgreeWithTheRuntime) {
    EXPECT_EQ(DayOfWeekMon(1, 1, 2024), 1);
    EXPECT_EQ(DayOfWeekMon(1, 1, 1), 1);
    // Every 97th day from 1601 on: weekday, day of year, and adding days as the runtime counts them.
    const TDateTime first = At(1601, 1, 1);
    for (TDateTime value = first; value < At(2400, 1, 1); value += 97) {
        Word y = 0, m = 0, d = 0;
        DecodeDate(value, y, m, d);
        EXPECT_EQ(DayOfWeekMon(d, m, y), (DayOfWeek(value) + 5) % 7 + 1) << y << "-" << m << "-" << d;
        Integer day = d, month = m, year = y;
        AddDays(day, month, year, 1000);
        DecodeDate(value + 1000, y, m, d);
        EXPECT_EQ((std::array<Integer, 3>{day, month, year}), (std::array<Integer, 3>{d, m, y}));
    }
}

TEST(Calendar, NormalisingFoldsMonthsAndDaysIntoNeighbours) {
    struct Case {
        Integer day, month, year;
        Integer eday, emonth, eyear;
    } const cases[] = {
        {32, 1, 2024, 1, 2, 2024}, {0, 3, 2024, 29, 2, 2024},    {0, 3, 2023, 28, 2, 2023},
        {1, 13, 2024, 1, 1, 2025}, {1, 0, 2024, 1, 12, 2023},    {1, -12, 2024, 1, 12, 2022},
        {1, 25, 2024, 1, 1, 2026}, {366, 1, 2024, 31, 12, 2024}, {-365, 1, 2024, 31, 12, 2022},
    };
    for (const Case& c : cases) {
        Integer day = c.day, month = c.month, year = c.year;
        NormalizeDate(day, month, year);
        EXPECT_EQ((std::array<Integer, 3>{day, month, year}), (std::array<Integer, 3>{c.eday, c.emonth, c.eyear}))
            << c.day << "." << c.month << "." << c.year;
    }
    Integer day = 31, month = 12, year = 2023;
    NextDay(day, month, year);
    EXPECT_EQ((std::array<Integer, 3>{day, month, year}), (std::array<Integer, 3>{1, 1, 2024}));
    day = 1, month = 3, year = 2024;
    PreviousDay(day, month, year);
    EXPECT_EQ((std::array<Integer, 3>{day, month, year}), (std::array<Integer, 3>{29, 2, 2024}));
}

// Below year 1 the leap rule maps the year to 3 - Year (so 0 is common and -1 a leap year); the day
// arithmetic counts the years' lengths by that same rule, so every routine agrees there too.
TEST(Calendar, YearsBelowOneCountDaysByTheirOwnLeapRule) {
    struct Case {
        Integer day, month, year;
        Integer eday, emonth, eyear;
    } const cases[] = {
        {60, 1, 0, 1, 3, 0}, {60, 1, -1, 29, 2, -1},    {0, 1, 1, 31, 12, 0},    {366, 1, -1, 31, 12, -1},
        {0, 3, 0, 28, 2, 0}, {0, 3, -397, 29, 2, -397}, {0, 3, -97, 28, 2, -97}, {-364, 1, 1, 1, 1, 0},
    };
    for (const Case& c : cases) {
        Integer day = c.day, month = c.month, year = c.year;
        NormalizeDate(day, month, year);
        EXPECT_EQ((std::array<Integer, 3>{day, month, year}), (std::array<Integer, 3>{c.eday, c.emonth, c.eyear}))
            << c.day << "." << c.month << "." << c.year;
    }
    // Every day from 420 years before year 1 to the end of year 2, counted by the month lengths: the day
    // after, the weekday, the day of the year and the distance to 1 January 1 all follow.
    Integer day = 1, month = 1, year = -420;
    Integer d1 = day, m1 = month, y1 = year, d2 = 1, m2 = 1, y2 = 1;
    DateDifference(d1, m1, y1, d2, m2, y2);
    Int64 toYearOne = d2;
    Integer weekday = DayOfWeekMon(day, month, year);
    for (year = -420; year <= 2; ++year) {
        Integer dayOfYear = 0;
        for (month = 1; month <= 12; ++month) {
            for (day = 1; day <= DaysInMonth(month, year); ++day, ++dayOfYear, --toYearOne) {
                ASSERT_EQ(DayOfWeekMon(day, month, year), weekday) << day << "." << month << "." << year;
                weekday = weekday % 7 + 1;
                Integer nd = dayOfYear + 1, nm = 1, ny = year;
                NormalizeDate(nd, nm, ny);
                ASSERT_EQ((std::array<Integer, 3>{nd, nm, ny}), (std::array<Integer, 3>{day, month, year}));
                Integer ad = day, am = month, ay = year;
                PreviousDay(ad, am, ay);
                NextDay(ad, am, ay);
                ASSERT_EQ((std::array<Integer, 3>{ad, am, ay}), (std::array<Integer, 3>{day, month, year}));
                d1 = day, m1 = month, y1 = year, d2 = 1, m2 = 1, y2 = 1;
                DateDifference(d1, m1, y1, d2, m2, y2);
                ASSERT_EQ(d2, year >= 1 ? -toYearOne : toYearOne) << day << "." << month << "." << year;
            }
        }
        ASSERT_EQ(dayOfYear, DaysInYear(year));
    }
}

TEST(Calendar, ZodiacSignsChangeAfterEachMonthsBoundaryDay) {
    const std::tuple<Integer, Integer, Integer> cases[] = {
        {20, 1, 1}, {21, 1, 2},   {19, 2, 2},  {20, 2, 3}, {21, 6, 6},
        {22, 6, 7}, {21, 12, 12}, {22, 12, 1}, {1, 13, 1}, {25, 0, 2},
    };
    for (const auto& [day, month, sign] : cases) EXPECT_EQ(ZodiacIndex(day, month), sign) << day << "." << month;
}

TEST(Calendar, DateDifferenceSplitsIntoYearsMonthsAndDays) {
    struct Case {
        Integer d1, m1, y1, d2, m2, y2;
        std::array<Integer, 6> expected;  // days, months, years, total days, total months, whole years
    } const cases[] = {
        {1, 1, 2020, 15, 3, 2024, {14, 2, 4, 1535, 50, 4}}, {15, 3, 2024, 1, 1, 2020, {14, 2, 4, 1535, 50, 4}},
        {31, 1, 2024, 1, 3, 2024, {1, 1, 0, 30, 1, 0}},     {31, 1, 2024, 30, 4, 2024, {0, 3, 0, 90, 3, 0}},
        {29, 2, 2024, 28, 2, 2025, {0, 0, 1, 365, 12, 1}},  {5, 3, 2024, 5, 3, 2024, {0, 0, 0, 0, 0, 0}},
        {30, 2, 2024, 1, 1, 2020, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::array<Integer, 6> v = {c.d1, c.m1, c.y1, c.d2, c.m2, c.y2};
        const Integer years = DateDifference(v[0], v[1], v[2], v[3], v[4], v[5]);
        EXPECT_EQ(v, c.expected) << c.d1 << "." << c.m1 << "." << c.y1;
        EXPECT_EQ(years, c.expected[5]);
    }
    EXPECT_EQ(CompareDates(1, 2, 2024, 31, 1, 2024), FirstLater);
    EXPECT_EQ(CompareDates(1, 2, 2023, 1, 1, 2024), FirstEarlier);
    EXPECT_EQ(CompareDates(1, 2, 2024, 1, 2, 2024), DatesSame);
}

TEST(StarDates, CountFromTheirReferenceDays) {
    EXPECT_EQ(VorelDate(1, 1, 2323), 0.0);
    EXPECT_NEAR(VorelDate(1, 1, 2324), 365 * 1000 / 365.24221041666, 1e-9);
    EXPECT_NEAR(VorelDate(1, 1, 2322), -365 * 1000 / 365.24221041666, 1e-9);
    EXPECT_EQ(VorelDateClassic(31, 1, 2260), 0.0);
    EXPECT_NEAR(VorelDateClassic(2, 2, 2260), 2 * 1.09927053, 1e-12);
    EXPECT_NEAR(VorelDateClassic(30, 1, 2260), -1.09927053, 1e-12);
    const std::tuple<Integer, Integer, Integer, const char*> fractions[] = {
        {12, 0, 0, "50000"}, {6, 0, 0, "25000"}, {0, 0, 1, "00001"}, {24, 0, 0, "00000"}, {0, 0, 0, "00000"},
    };
    for (const auto& [h, m, s, expected] : fractions) {
        AnsiString text;
        TimeToDayFraction(h, m, s, text);
        EXPECT_EQ(text, expected) << h << ":" << m << ":" << s;
    }
}

// ---------------------------------------------------------------------------
// File times and packed file dates, in central European time whatever the machine's zone is.

class FileTimes : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) saved_ = tz;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override {
        if (saved_) setenv("TZ", saved_->c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

    static FILETIME Utc(Word Year, Word Month, Word Day, Word Hour, Word Min, Word Sec, Word MSec) {
        const SYSTEMTIME st{Year, Month, 0, Day, Hour, Min, Sec, MSec};
        FILETIME ft{};
        EXPECT_TRUE(SystemTimeToFileTime(&st, &ft));
        return ft;
    }

private:
    std::optional<std::string> saved_;
};

TEST_F(FileTimes, CountFromSixteenHundredOneInUtc) {
    const FILETIME epoch = Utc(1970, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ((static_cast<UInt64>(epoch.dwHighDateTime) << 32) | epoch.dwLowDateTime, 116444736000000000ull);
    const FILETIME first = Utc(1601, 1, 1, 0, 0, 0, 0);
    EXPECT_EQ(first.dwHighDateTime | first.dwLowDateTime, 0u);
}

TEST_F(FileTimes, SystemTimesRoundTripWithTheirWeekday) {
    const SYSTEMTIME times[] = {
        {1601, 1, 1, 1, 0, 0, 0, 0}, {1970, 1, 4, 1, 0, 0, 0, 0},    {2000, 2, 2, 29, 23, 59, 59, 999},
        {2024, 3, 2, 5, 9, 7, 3, 5}, {2100, 12, 5, 31, 12, 0, 0, 0}, {30827, 12, 5, 31, 23, 59, 59, 999},
    };
    for (const SYSTEMTIME& st : times) {
        FILETIME ft{};
        SYSTEMTIME back{};
        ASSERT_TRUE(SystemTimeToFileTime(&st, &ft)) << st.wYear;
        ASSERT_TRUE(FileTimeToSystemTime(&ft, &back)) << st.wYear;
        EXPECT_EQ((std::array<Word, 8>{back.wYear, back.wMonth, back.wDayOfWeek, back.wDay, back.wHour, back.wMinute,
                                       back.wSecond, back.wMilliseconds}),
                  (std::array<Word, 8>{st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond,
                                       st.wMilliseconds}));
    }
    const SYSTEMTIME invalid = {2023, 2, 0, 29, 0, 0, 0, 0};
    FILETIME ft{};
    EXPECT_FALSE(SystemTimeToFileTime(&invalid, &ft));
    const FILETIME tooLate = {0, 0x80000000u};
    SYSTEMTIME st{};
    EXPECT_FALSE(FileTimeToSystemTime(&tooLate, &st));
}

TEST_F(FileTimes, LocalTimesFollowTheZoneAndItsSummerTime) {
    struct Case {
        FILETIME utc;
        Word localHour;
    } const cases[] = {
        {Utc(2024, 1, 15, 12, 0, 0, 0), 13},
        {Utc(2024, 7, 15, 12, 0, 0, 0), 14},
        {Utc(2024, 12, 31, 23, 30, 0, 0), 0},
    };
    for (const Case& c : cases) {
        FILETIME local{}, back{};
        SYSTEMTIME st{};
        ASSERT_TRUE(FileTimeToLocalFileTime(&c.utc, &local));
        ASSERT_TRUE(FileTimeToSystemTime(&local, &st));
        EXPECT_EQ(st.wHour, c.localHour);
        ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
        EXPECT_EQ(back.dwLowDateTime, c.utc.dwLowDateTime);
        EXPECT_EQ(back.dwHighDateTime, c.utc.dwHighDateTime);
    }
    Varpre::DateInfoT info;
    FileTimeToDateInfo(Utc(2024, 12, 31, 23, 30, 0, 0), info);
    EXPECT_EQ((std::array<Integer, 3>{info.Day, info.Month, info.Year}), (std::array<Integer, 3>{1, 1, 2025}));
    EXPECT_EQ(info.Hour, 0);
    EXPECT_EQ(info.Minute, 30);
    EXPECT_EQ(FileTimeToLocalDateTime(Utc(2024, 7, 15, 12, 0, 0, 0)), At(2024, 7, 15, 14));
}

TEST_F(FileTimes, PackedFileDatesKeepTwoSecondStepsFrom1980To2107) {
    const TDateTime value = At(2024, 3, 5, 9, 7, 5);
    const Integer packed = DateTimeToFileDate(value);
    EXPECT_EQ(FileDateToDateTime(packed), At(2024, 3, 5, 9, 7, 4));
    EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(At(2107, 12, 31, 23, 59, 58))), At(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(FileDateToDateTime(DateTimeToFileDate(At(1980, 1, 1))), At(1980, 1, 1));
    EXPECT_EQ(DateTimeToFileDate(At(1979, 12, 31)), 0);
    EXPECT_EQ(DateTimeToFileDate(At(2108, 1, 1)), 0);
    EXPECT_THROW(FileDateToDateTime(0), EConvertError);

    Varpre::DateInfoT info;
    FileDateToDateInfo(packed, info);
    EXPECT_EQ((std::array<Integer, 3>{info.Day, info.Month, info.Year}), (std::array<Integer, 3>{5, 3, 2024}));
    EXPECT_EQ(info.Second, 4);
    info.Day = 9;
    EXPECT_THROW(FileDateToDateInfo(0, info), EConvertError);
    EXPECT_EQ(info.Day, 0);
    EXPECT_EQ(MsToDateTime(43200000), 0.5);
}

// ---------------------------------------------------------------------------
// The item table's date and time fields.

TEST(ItemTableDates, DateAndTimeFieldsShowTheirValueAndFileDatesGiveZodiacAndWeekday) {
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    superar::AppendRow(*table);
    const TDateTime value = At(2024, 3, 5, 9, 7, 3, 5);
    for (Integer field : {70, 83, 101, 102, 103, 104}) superar::SetFieldValue(*table, 1, field, Variant(value));
    superar::SetFieldValue(*table, 1, 103, Variant(0.0));
    DateTimeToDateInfo(table->Rows[1].Info.Edit().Dates[0], value);
    struct Case {
        Integer field;
        const char* expected;
    } const cases[] = {
        {70, "05.03.2024"},  {101, "05.03.2024"}, {103, ""}, {83, "09:07:03:5"},
        {102, "09:07:03:5"}, {104, "09:07:03:5"}, {74, "3"}, {81, "2"},
    };
    for (const Case& c : cases) {
        AnsiString text;
        superar::GetFieldText(*table, 1, c.field, text, true);
        EXPECT_EQ(text, c.expected) << c.field;
    }
}

}  // namespace
