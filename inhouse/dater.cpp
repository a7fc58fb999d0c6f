// Dates: the calendar, the name tables and breaking a date-time down into a DateInfoT.
#include "dater.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <vcl/SysUtils.h>
#include <vcl/Windows.h>

#include "Vorel.h"
#include "exposit.h"
#include "valstr.h"

namespace dater {

using namespace Varpre;
using namespace exposit;
using namespace valstr;
using namespace Vorel;

namespace {

constexpr const char MonthList[] =
    "Januar,Februar,Maerz,April,Mai,Juni,Juli,August,September,Oktober,November,Dezember,"
    "January,February,March,April,May,June,July,August,September,October,November,December";
constexpr const char WeekdayList[] =
    "Montag,Dienstag,Mittwoch,Donnerstag,Freitag,Samstag,Sonntag,"
    "Monday,Tuesday,Wednesday,Thursday,Friday,Saturday,Sunday";
constexpr const char ZodiacList[] =
    "Steinbock,Wassermann,Fische,Widder,Stier,Zwillinge,Krebs,Loewe,Jungfrau,Waage,Skoropion,Schuetze,"
    "Capricorn,Aquarius,Pisces,Aries,Taurus,Gemini,Cancer,Leo,Virgo,Libra,Scorpio,Sagittarius";

struct NameTables {
    bool Ready = false;
    ArrayOfStringT Months, Weekdays, Zodiacs;
};

NameTables names;

const NameTables& ReadyNames() {
    if (!names.Ready) throw Exception("Date names used before InitDaterTables");
    return names;
}

ArrayOfStringT SplitList(const AnsiString& List) {
    ArrayOfStringT items;
    AnsiString rest = List, item;
    while (!rest.empty()) {
        CutToken(rest, ",", true, item);
        items.push_back(item);
    }
    return items;
}

// Item Index (1-based, of PerLanguage items) in DateLanguage.
const AnsiString& NameOf(const ArrayOfStringT& Table, Integer PerLanguage, Integer Index) {
    const auto at = static_cast<std::size_t>((DateLanguage - 1) * PerLanguage + Index - 1);
    return Table.at(at);
}

constexpr std::array<Integer, 12> MonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr std::array<std::array<Integer, 12>, 2> DaysBeforeMonth = {{
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
}};
constexpr std::array<Integer, 12> ZodiacLastDays = {20, 19, 20, 20, 20, 21, 22, 23, 23, 23, 22, 21};

constexpr Int64 DaysPer400Years = 146097;

Int64 FloorDiv(Int64 A, Int64 B) { return A / B - (A % B != 0 && (A < 0) != (B < 0)); }
Int64 FloorMod(Int64 A, Int64 B) { return A - FloorDiv(A, B) * B; }

// Years below 1 follow the leap rule of year 3 - Year (IsLeapYear), so their lengths are those of the
// years 3, 4, 5, ... counted backwards from year 0; both sides are counted with the Gregorian sums below.

// Days in the Gregorian years 1..N (N >= 0).
Int64 DaysInYearsUpTo(Int64 N) { return N * 365 + N / 4 - N / 100 + N / 400; }

// The Gregorian year Y >= 1 in which the zero-based day T (0 = 1 January of year 1) lies; T is left as
// the zero-based day within that year.
Int64 GregorianYearOfDay(Int64& T) {
    Int64 y = 400 * (T / DaysPer400Years);
    T %= DaysPer400Years;
    const Int64 centuries = std::min<Int64>(T / 36524, 3);
    y += 100 * centuries;
    T -= centuries * 36524;
    y += 4 * (T / 1461);
    T %= 1461;
    const Int64 years = std::min<Int64>(T / 365, 3);
    T -= years * 365;
    return y + years + 1;
}

// Days since 31 December of year 0 before 1 January of Year (day 1 is 1 January of year 1).
Int64 DaysBeforeYear(Integer Year) {
    if (Year >= 1) return DaysInYearsUpTo(static_cast<Int64>(Year) - 1);
    // Years Year..0 take the lengths of the years 3..3 - Year.
    return DaysInYearsUpTo(2) - DaysInYearsUpTo(3 - static_cast<Int64>(Year));
}

Int64 DayNumber(Integer Day, Integer Month, Integer Year) { return DaysBeforeYear(Year) + DayOfYear(Day, Month, Year); }

void FromDayNumber(Int64 Number, Integer& Day, Integer& Month, Integer& Year) {
    Int64 dayOfYear;  // zero-based
    if (Number >= 1) {
        dayOfYear = Number - 1;
        Year = CheckedCast<Integer>(GregorianYearOfDay(dayOfYear));
    } else {
        // Counted backwards from year 0 through the years 3, 4, 5, ...
        Int64 back = DaysInYearsUpTo(2) - Number;
        const Int64 mirrored = GregorianYearOfDay(back);
        Year = CheckedCast<Integer>(3 - mirrored);
        dayOfYear = DaysInYear(Year) - 1 - back;
    }
    const auto& before = DaysBeforeMonth[IsLeapYear(Year) ? 1 : 0];
    Integer month = 12;
    while (before[static_cast<std::size_t>(month - 1)] > dayOfYear) --month;
    Day = static_cast<Integer>(dayOfYear - before[static_cast<std::size_t>(month - 1)] + 1);
    Month = month;
}

Integer CheckedMonth(Integer Month) {
    CheckRange(Month, 1, 12);
    return Month;
}

}  // namespace

void InitDaterTables() {
    names.Months = SplitList(MonthList);
    names.Weekdays = SplitList(WeekdayList);
    names.Zodiacs = SplitList(ZodiacList);
    names.Ready = true;
}

const ArrayOfStringT& MonthNames() { return ReadyNames().Months; }
const ArrayOfStringT& WeekdayNames() { return ReadyNames().Weekdays; }
const ArrayOfStringT& ZodiacNames() { return ReadyNames().Zodiacs; }

// ---------------------------------------------------------------------------
// Calendar

bool IsLeapYear(Integer Year) {
    const Int64 y = Year < 1 ? 3 - static_cast<Int64>(Year) : Year;
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

Integer DaysInMonth(Integer Month, Integer Year) {
    return CheckedMonth(Month) == 2 && IsLeapYear(Year) ? 29 : MonthLengths[static_cast<std::size_t>(Month - 1)];
}

bool IsValidDate(Integer Day, Integer Month, Integer Year) {
    return Month >= 1 && Month <= 12 && Day >= 1 && Day <= DaysInMonth(Month, Year);
}

Integer DayOfYear(Integer Day, Integer Month, Integer Year) {
    const auto& before = DaysBeforeMonth[IsLeapYear(Year) ? 1 : 0];
    return CheckedAdd(before[static_cast<std::size_t>(CheckedMonth(Month) - 1)], Day);
}

Integer DaysInYear(Integer Year) { return IsLeapYear(Year) ? 366 : 365; }

Integer DaysLeftInYear(Integer Day, Integer Month, Integer Year) {
    return DaysInYear(Year) - DayOfYear(Day, Month, Year);
}

void NormalizeMonth(Integer& Month, Integer& Year) {
    const Int64 zeroBased = static_cast<Int64>(Month) - 1;
    Year = CheckedCast<Integer>(Year + FloorDiv(zeroBased, 12));
    Month = static_cast<Integer>(FloorMod(zeroBased, 12) + 1);
}

void NormalizeDate(Integer& Day, Integer& Month, Integer& Year) {
    NormalizeMonth(Month, Year);
    if (Day >= 1 && Day <= DaysInMonth(Month, Year)) return;
    FromDayNumber(DayNumber(1, Month, Year) + Day - 1, Day, Month, Year);
}

void AddDays(Integer& Day, Integer& Month, Integer& Year, Integer N) {
    NormalizeDate(Day, Month, Year);
    FromDayNumber(DayNumber(Day, Month, Year) + N, Day, Month, Year);
}

void NextDay(Integer& Day, Integer& Month, Integer& Year) { AddDays(Day, Month, Year, 1); }
void PreviousDay(Integer& Day, Integer& Month, Integer& Year) { AddDays(Day, Month, Year, -1); }

// Counted on the day numbers (1 January of year 1, day 1, is a Monday), so that below year 1 the
// weekdays follow the same year lengths as the day arithmetic.
Integer DayOfWeekMon(Integer Day, Integer Month, Integer Year) {
    Int64 days = DaysBeforeYear(Year) + Day;
    for (Integer m = 1; m < std::min(Month, 13); ++m) days += DaysInMonth(m, Year);
    return static_cast<Integer>(FloorMod(days - 1, 7) + 1);
}

Integer ZodiacIndex(Integer Day, Integer Month) {
    if (Month < 1 || Month > 12) Month = 1;
    if (Day <= ZodiacLastDays[static_cast<std::size_t>(Month - 1)]) return Month;
    return Month == 12 ? 1 : Month + 1;
}

Byte CompareDates(Integer D1, Integer M1, Integer Y1, Integer D2, Integer M2, Integer Y2) {
    const std::array<Integer, 3> first = {Y1, M1, D1};
    const std::array<Integer, 3> second = {Y2, M2, D2};
    if (first == second) return DatesSame;
    return first > second ? FirstLater : FirstEarlier;
}

Integer DateDifference(Integer& D1, Integer& M1, Integer& Y1, Integer& D2, Integer& M2, Integer& Y2) {
    if (!IsValidDate(D1, M1, Y1) || !IsValidDate(D2, M2, Y2)) {
        D1 = M1 = Y1 = D2 = M2 = Y2 = 0;
        return 0;
    }
    if (CompareDates(D1, M1, Y1, D2, M2, Y2) == FirstLater) {
        std::swap(D1, D2);
        std::swap(M1, M2);
        std::swap(Y1, Y2);
    }
    const Int64 end = DayNumber(D2, M2, Y2);
    const Int64 totalDays = end - DayNumber(D1, M1, Y1);
    // Whole months: the first date moved on by them (its day cut to the month's length) must not pass the second.
    Int64 totalMonths = (static_cast<Int64>(Y2) - Y1) * 12 + (M2 - M1);
    const auto monthsOn = [&](Int64 Months) {
        const Int64 zeroBased = M1 - 1 + Months;
        const auto month = static_cast<Integer>(FloorMod(zeroBased, 12) + 1);
        const auto year = CheckedCast<Integer>(Y1 + FloorDiv(zeroBased, 12));
        return DayNumber(std::min(D1, DaysInMonth(month, year)), month, year);
    };
    if (monthsOn(totalMonths) > end) --totalMonths;
    const Int64 days = end - monthsOn(totalMonths);
    const Int64 years = totalMonths / 12;
    const Int64 months = totalMonths % 12;
    D1 = static_cast<Integer>(days);
    M1 = static_cast<Integer>(months);
    Y1 = CheckedCast<Integer>(years);
    D2 = CheckedCast<Integer>(totalDays);
    M2 = CheckedCast<Integer>(totalMonths);
    Y2 = Y1;
    return Y1;
}

// ---------------------------------------------------------------------------
// Names

void MonthName(Integer Month, AnsiString& Result) {
    Result = NameOf(MonthNames(), 12, Month >= 1 && Month <= 12 ? Month : 1);
}

void WeekdayName(Integer Day, Integer Month, Integer Year, AnsiString& Result) {
    Result = NameOf(WeekdayNames(), 7, DayOfWeekMon(Day, Month, Year));
}

void ZodiacName(Integer Day, Integer Month, Integer Year, AnsiString& Result) {
    (void)Year;  // the sign depends on day and month alone
    Result = NameOf(ZodiacNames(), 12, ZodiacIndex(Day, Month));
}

// ---------------------------------------------------------------------------
// Breaking down

void ClearDateInfo(DateInfoT& Info) { Info = DateInfoT{}; }

void DateTimeToDateInfo(DateInfoT& Info, TDateTime Value) {
    ClearDateInfo(Info);
    Info.IntPart = std::trunc(Value);
    Info.FracPart = Value - Info.IntPart;
    Info.FileDate = DateTimeToFileDate(Value);
    Word year = 0, month = 0, day = 0;
    DecodeDate(Value, year, month, day);
    DecodeTime(Value, Info.Hour, Info.Minute, Info.Second, Info.MSec);
    Info.Day = day;
    Info.Month = month;
    Info.Year = year;
    Info.DayCount = Info.IntPart >= 0 && Info.IntPart <= 65535 ? static_cast<Word>(Info.IntPart) : 0;
    Info.Hour12 = Info.Hour % 12 == 0 ? 12 : Info.Hour % 12;
    Info.AmPm = Info.Hour < 12 ? "am" : "pm";
    const Integer lastDigit = (Info.Day - 1) % 10;  // 11, 12 and 13 count as 1, 2 and 3
    Info.OrdinalSuffix = lastDigit == 0 ? "st" : lastDigit == 1 ? "nd" : lastDigit == 2 ? "rd" : "th";
    Info.Weekday = DayOfWeekMon(Info.Day, Info.Month, Info.Year);
    Info.Zodiac = ZodiacIndex(Info.Day, Info.Month);
    MonthName(Info.Month, Info.MonthName);
    WeekdayName(Info.Day, Info.Month, Info.Year, Info.WeekdayName);
    ZodiacName(Info.Day, Info.Month, Info.Year, Info.ZodiacName);
}

TDateTime FileTimeToLocalDateTime(const FILETIME& FT) {
    FILETIME local{};
    SYSTEMTIME system{};
    if (!FileTimeToLocalFileTime(&FT, &local) || !FileTimeToSystemTime(&local, &system))
        throw EConvertError("Invalid file time");
    return SystemTimeToDateTime(system);
}

void FileTimeToDateInfo(const FILETIME& FT, DateInfoT& Info) { DateTimeToDateInfo(Info, FileTimeToLocalDateTime(FT)); }

void FileDateToDateInfo(Integer FileDate, DateInfoT& Info) {
    ClearDateInfo(Info);
    DateTimeToDateInfo(Info, FileDateToDateTime(FileDate));
}

TDateTime MsToDateTime(Int64 Ms) { return static_cast<TDateTime>(Ms) / MSecsPerDay; }

// ---------------------------------------------------------------------------
// Formatting

namespace {

// Padding is a short text's worth at most: a long pattern of one letter cannot blow the result up.
constexpr std::size_t MaxPadWidth = 255;

bool NumberValue(AnsiChar Letter, const DateInfoT& Info, Integer& Value) {
    switch (Letter) {
        case 'd': Value = Info.Day; return true;
        case 'm': Value = Info.Month; return true;
        case 'a': Value = Info.DayCount; return true;
        case 'H': Value = Info.Hour; return true;
        case 'h': Value = Info.Hour12; return true;
        case 'i': Value = Info.Minute; return true;
        case 's': Value = Info.Second; return true;
        case 'l': Value = Info.MSec; return true;
        case 'y': Value = Info.Year; return true;
        default: return false;
    }
}

bool TextOfLetter(AnsiChar Letter, const DateInfoT& Info, AnsiString& Text) {
    switch (Letter) {
        case 'M': Text = Info.MonthName; return true;
        case 'D': Text = Info.WeekdayName; return true;
        case 'z': Text = Info.ZodiacName; return true;
        case 'p': Text = Info.AmPm; return true;
        case 'c': Text = Info.OrdinalSuffix; return true;
        case 'x': FloatToStrTrim(Text, VorelDate(Info.Day, Info.Month, Info.Year)); return true;
        case 'X': FloatToStrTrim(Text, VorelDateClassic(Info.Day, Info.Month, Info.Year)); return true;
        default: return false;
    }
}

}  // namespace

void FormatDateInfo(const AnsiString& Pattern, const DateInfoT& Info, const AnsiString& PadChar, AnsiString& Result) {
    std::array<std::size_t, 256> counts{};
    for (AnsiChar c : Pattern) ++counts[static_cast<Byte>(c)];
    std::array<std::size_t, 256> taken{};
    AnsiString out, piece;
    for (std::size_t at = 0; at < Pattern.size(); ++at) {
        const AnsiChar letter = Pattern[at];
        const std::size_t count = counts[static_cast<Byte>(letter)];
        Integer value = 0;
        if (NumberValue(letter, Info, value) || letter == 'f' || letter == 'F') {
            while (at + 1 < Pattern.size() && Pattern[at + 1] == letter) ++at;
            const auto width = static_cast<Integer>(std::min(count, MaxPadWidth));
            if (letter == 'f' || letter == 'F') TimeToDayFraction(Info.Hour, Info.Minute, Info.Second, piece);
            else IntToStrPadded(value, width, PadChar, piece);
            if (letter == 'y' && piece.size() > static_cast<std::size_t>(width)) piece.erase(0, piece.size() - width);
            out += piece;
        } else if (TextOfLetter(letter, Info, piece)) {
            const std::size_t index = taken[static_cast<Byte>(letter)]++;
            if (index < piece.size()) out += piece[index];
        } else {
            out += letter;
        }
    }
    Result = std::move(out);
}

void FormatDatePattern(const AnsiString& Pattern, const AnsiString& PadChar, AnsiString& Result, TDateTime Value) {
    if (Value == 0.0) {
        Result.clear();
        return;
    }
    DateInfoT info;
    DateTimeToDateInfo(info, Value);
    FormatDateInfo(Pattern, info, PadChar, Result);
}

}  // namespace dater
