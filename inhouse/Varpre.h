#pragma once
// Records shared by several units of the library. The character sets, case tables and small
// routines of this unit come with its start-up.

#include <vcl/System.h>

namespace Varpre {

// A broken-down date and time (filled by unit dater).
struct DateInfoT {
    Integer FileDate;
    Integer Day;
    Integer Month;
    Integer Year;
    Integer Weekday;  // 1 Monday .. 7 Sunday
    Integer Zodiac;   // 1 Capricorn .. 12 Sagittarius
    Word Hour;
    Word Minute;
    Word Second;
    Word MSec;
    Word Hour12;
    Word DayCount;
    AnsiString MonthName;
    AnsiString WeekdayName;
    AnsiString ZodiacName;
    AnsiString AmPm;
    AnsiString OrdinalSuffix;
    Double IntPart;
    Double FracPart;
};

// Declared for the file-information record; never filled.
struct mp3Tag11T {
    AnsiString Texts[6];
};

}  // namespace Varpre
