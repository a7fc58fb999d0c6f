#pragma once
// Star-date style day counts and the five-digit fraction of a day, for the date formatter.

#include <vcl/System.h>

namespace Vorel {

// Days from 1 January 2323 in thousandths of a year; negative for years before 2323.
Double VorelDate(Integer Day, Integer Month, Integer Year);
// Days from 31 January 2260 times 1.09927053; negative for dates before it.
Double VorelDateClassic(Integer Day, Integer Month, Integer Year);
// The five digits after the point of the day's fraction at Hour:Min:Sec (50000 for 12:00:00).
void TimeToDayFraction(Integer Hour, Integer Min, Integer Sec, AnsiString& Result);

}  // namespace Vorel
