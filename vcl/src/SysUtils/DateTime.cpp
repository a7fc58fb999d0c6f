// TDateTime: days since 1899-12-30 plus the fraction of the day.
#include <cmath>

#include "vcl/Clock.h"
#include "vcl/SysUtils.h"

namespace {

// Days from 0001-01-01 (day 1) to 1899-12-30.
constexpr Int64 kDateDelta = 693594;

struct TimeStamp {
    Int64 date;  // days since 0001-01-01, which is 1
    Int64 time;  // milliseconds into the day
};

// Rounds to the millisecond first so 23:59:59.9996 becomes the next day, not hour 24.
TimeStamp ToTimeStamp(TDateTime value) {
    const Int64 total = std::llround(value * MSecsPerDay);
    return {total / MSecsPerDay + kDateDelta, std::llabs(total % MSecsPerDay)};
}

}  // namespace

bool IsLeapYear(Word Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

Word MonthDays(Word Year, Word Month) {
    static constexpr Word days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    CheckRange(Month, 1, 12);
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Date) {
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > MonthDays(Year, Month)) return false;
    Int64 days = Day;
    for (Word m = 1; m < Month; ++m) days += MonthDays(Year, m);
    const Int64 y = Year - 1;
    days += y * 365 + y / 4 - y / 100 + y / 400;
    Date = static_cast<double>(days - kDateDelta);
    return true;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Time) {
    if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000) return false;
    Time = static_cast<double>(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
    TDateTime result = 0;
    if (!TryEncodeDate(Year, Month, Day, result)) throw EConvertError("Invalid argument to date encode");
    return result;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
    TDateTime result = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, result)) throw EConvertError("Invalid argument to time encode");
    return result;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
    Int64 days = ToTimeStamp(Date).date;
    if (days <= 0) {
        Year = Month = Day = 0;
        return;
    }
    // Days since 0001-01-01, counted off by 400-, 100-, 4- and 1-year cycles.
    Int64 t = days - 1;
    Int64 y = 1;
    y += 400 * (t / 146097);
    t %= 146097;
    Int64 centuries = std::min<Int64>(t / 36524, 3);
    y += 100 * centuries;
    t -= centuries * 36524;
    y += 4 * (t / 1461);
    t %= 1461;
    Int64 years = std::min<Int64>(t / 365, 3);
    y += years;
    t -= years * 365;
    Year = static_cast<Word>(y);
    Month = 1;
    while (t >= MonthDays(Year, Month)) t -= MonthDays(Year, Month++);
    Day = static_cast<Word>(t + 1);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
    Int64 ms = ToTimeStamp(Time).time;
    MSec = static_cast<Word>(ms % 1000);
    ms /= 1000;
    Sec = static_cast<Word>(ms % 60);
    ms /= 60;
    Min = static_cast<Word>(ms % 60);
    Hour = static_cast<Word>(ms / 60);
}

Word DayOfWeek(TDateTime Date) { return static_cast<Word>((ToTimeStamp(Date).date % 7 + 7) % 7 + 1); }

TDateTime Now() { return ClockNow(); }
TDateTime Date() { return std::trunc(ClockNow()); }
TDateTime Time() {
    const TDateTime now = ClockNow();
    return now - std::trunc(now);
}
