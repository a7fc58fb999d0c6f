// Arbitrary date patterns, pad texts and values: formatting ends with a bounded result, and the
// calendar's arithmetic stays consistent or raises the library's range error.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <vcl/SysUtils.h>

#include "dater.h"
#include "support/FuzzCheck.h"

using namespace dater;

namespace {

void CheckCalendar(Integer Day, Integer Month, Integer Year, Integer N) {
    try {
        Integer d = Day, m = Month, y = Year;
        NormalizeDate(d, m, y);
        Check(IsValidDate(d, m, y));
        Integer back = d, backMonth = m, backYear = y;
        AddDays(back, backMonth, backYear, N);
        AddDays(back, backMonth, backYear, -N);
        Check(back == d && backMonth == m && backYear == y);
        Integer next = d, nextMonth = m, nextYear = y;
        NextDay(next, nextMonth, nextYear);
        Check(DayOfWeekMon(next, nextMonth, nextYear) == DayOfWeekMon(d, m, y) % 7 + 1);
        Integer d1 = d, m1 = m, y1 = y, d2 = 1, m2 = 1, y2 = 2000;
        const Integer years = DateDifference(d1, m1, y1, d2, m2, y2);
        Check(years == y2 && d1 >= 0 && d1 <= 31 && m1 >= 0 && m1 < 12 && d2 >= 0);
        const Integer weekday = DayOfWeekMon(Day, Month, Year);
        Check(weekday >= 1 && weekday <= 7);
        const Integer sign = ZodiacIndex(Day, Month);
        Check(sign >= 1 && sign <= 12);
    } catch (const ERangeError&) {
        // Years past the integer range: the library's range check.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Sixteen bytes of numbers (a value, then day, month, year and a day count), one pad byte, the pattern.
    std::int32_t numbers[4] = {};
    std::uint32_t valueBits = 0;
    std::size_t at = 0;
    if (size >= 4) std::memcpy(&valueBits, data, 4), at = 4;
    if (size >= 20) std::memcpy(numbers, data + 4, 16), at = 20;
    const AnsiString pad = at < size ? AnsiString(1, static_cast<char>(data[at++])) : AnsiString("0");
    const AnsiString pattern(reinterpret_cast<const char*>(data) + at, size - at);

    // Values across the runtime's dates, 0001-01-01 to 9999-12-31, with a fraction of the day.
    const TDateTime value = -693593.0 + std::fmod(valueBits / 1000.0, 3652059.0);
    AnsiString result;
    FormatDatePattern(pattern, pad, result, value);
    Check(result.size() <= pattern.size() * 255 + 1);

    CheckCalendar(numbers[0], numbers[1], numbers[2], numbers[3] % 10000000);
    return 0;
}
