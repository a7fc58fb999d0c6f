// Star-date style day counts and the day fraction.
#include "Vorel.h"

#include <algorithm>

#include <vcl/SysUtils.h>

#include "dater.h"

namespace Vorel {

using namespace dater;

namespace {

// Total days between the date and the reference date (DateDifference's second day count).
Integer DaysBetween(Integer Day, Integer Month, Integer Year, Integer RefDay, Integer RefMonth, Integer RefYear) {
    DateDifference(Day, Month, Year, RefDay, RefMonth, RefYear);
    return RefDay;
}

}  // namespace

Double VorelDate(Integer Day, Integer Month, Integer Year) {
    const Double factor = Year < 2323 ? -1000.0 : 1000.0;
    return DaysBetween(Day, Month, Year, 1, 1, 2323) * factor / 365.24221041666;
}

Double VorelDateClassic(Integer Day, Integer Month, Integer Year) {
    const Double factor = CompareDates(Day, Month, Year, 31, 1, 2260) == FirstEarlier ? -1.09927053 : 1.09927053;
    return DaysBetween(Day, Month, Year, 31, 1, 2260) * factor;
}

void TimeToDayFraction(Integer Hour, Integer Min, Integer Sec, AnsiString& Result) {
    Double fraction = (static_cast<Double>(Hour) * 3600 + static_cast<Double>(Min) * 60 + Sec) / 86400;
    if (fraction == 1.0) fraction = 0.0;
    // Five decimals always end the fixed-point text, whatever the decimal separator is.
    const AnsiString fixed = FloatToStrF(fraction, ffFixed, 15, 5);
    Result = fixed.substr(fixed.size() - std::min<std::size_t>(fixed.size(), 5));
}

}  // namespace Vorel
