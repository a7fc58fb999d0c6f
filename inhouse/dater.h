#pragma once
// Dates: a date-time, file time or packed file date broken down into a DateInfoT, the letter-pattern
// formatter, the month, weekday and zodiac names, and an own Gregorian calendar.
// Texts come back through Result; day, month and year travel in that order.

#include <vcl/System.h>

#include "Varpre.h"

struct _FILETIME;  // vcl/Windows.h

namespace dater {

// Names are taken in this language: 1 German, 2 English.
inline constexpr Integer DateLanguage = 2;

// Start-up: splits the name lists into their tables. Runs after Varpre's start-up.
void InitDaterTables();

// The name tables, every language after the other (item k of language L at (L - 1) x count + k,
// 1-based). Reading one before InitDaterTables raises Exception.
const Varpre::ArrayOfStringT& MonthNames();
const Varpre::ArrayOfStringT& WeekdayNames();
const Varpre::ArrayOfStringT& ZodiacNames();

// Breaking down.
void ClearDateInfo(Varpre::DateInfoT& Info);
// DayCount takes the whole days of Value (0 beyond 65535), so a duration's days show under "a".
void DateTimeToDateInfo(Varpre::DateInfoT& Info, TDateTime Value);
void FileTimeToDateInfo(const _FILETIME& FT, Varpre::DateInfoT& Info);
TDateTime FileTimeToLocalDateTime(const _FILETIME& FT);
// EConvertError for a packed value that names no date; Info is then left cleared.
void FileDateToDateInfo(Integer FileDate, Varpre::DateInfoT& Info);
TDateTime MsToDateTime(Int64 Ms);

// Formatting. Number letters d m a H h i s l y f F write their value once per run, padded on the
// left with PadChar to the letter's count in the whole pattern (the year cut to its last digits);
// text letters M D z p c x X write one character of their text per occurrence; anything else is copied.
void FormatDatePattern(const AnsiString& Pattern, const AnsiString& PadChar, AnsiString& Result, TDateTime Value);
void FormatDateInfo(const AnsiString& Pattern, const Varpre::DateInfoT& Info, const AnsiString& PadChar,
                    AnsiString& Result);

// Calendar. Years below 1 count as 3 - Year for leap years; months outside 1..12 raise ERangeError
// where a month's length is needed.
bool IsLeapYear(Integer Year);
Integer DaysInMonth(Integer Month, Integer Year);
bool IsValidDate(Integer Day, Integer Month, Integer Year);
Integer DayOfYear(Integer Day, Integer Month, Integer Year);
Integer DaysInYear(Integer Year);
Integer DaysLeftInYear(Integer Day, Integer Month, Integer Year);
void NextDay(Integer& Day, Integer& Month, Integer& Year);
void PreviousDay(Integer& Day, Integer& Month, Integer& Year);
void AddDays(Integer& Day, Integer& Month, Integer& Year, Integer N);
void NormalizeMonth(Integer& Month, Integer& Year);
void NormalizeDate(Integer& Day, Integer& Month, Integer& Year);
// 1 Monday .. 7 Sunday.
Integer DayOfWeekMon(Integer Day, Integer Month, Integer Year);
// 1 Capricorn .. 12 Sagittarius; a month outside 1..12 counts as January.
Integer ZodiacIndex(Integer Day, Integer Month);
inline constexpr Byte DatesSame = 0;
inline constexpr Byte FirstLater = 1;
inline constexpr Byte FirstEarlier = 2;
Byte CompareDates(Integer D1, Integer M1, Integer Y1, Integer D2, Integer M2, Integer Y2);
// On return D1, M1, Y1 hold the difference in days, months and years, D2 the total days, M2 the
// total months, Y2 the whole years; the result is the whole years. An invalid date zeroes all six.
Integer DateDifference(Integer& D1, Integer& M1, Integer& Y1, Integer& D2, Integer& M2, Integer& Y2);

// Names in DateLanguage; a month outside 1..12 gives the first month's name.
void MonthName(Integer Month, AnsiString& Result);
void WeekdayName(Integer Day, Integer Month, Integer Year, AnsiString& Result);
void ZodiacName(Integer Day, Integer Month, Integer Year, AnsiString& Result);

}  // namespace dater
