// File times, system times and packed file dates, over the C library's local time zone.
#include <time.h>

#include <cmath>
#include <limits>

#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace {

constexpr Int64 TicksPerMSec = 10000;
constexpr Int64 TicksPerSecond = 1000 * TicksPerMSec;
constexpr Int64 MSecsPerDay64 = MSecsPerDay;
// Seconds from 1601-01-01 to 1970-01-01, and the days between them.
constexpr Int64 UnixEpochSeconds = 11644473600;
constexpr Int64 UnixEpochDays = UnixEpochSeconds / SecsPerDay;

UInt64 ToTicks(const FILETIME& Time) { return (static_cast<UInt64>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime; }

FILETIME FromTicks(UInt64 Ticks) { return {static_cast<DWORD>(Ticks & 0xFFFFFFFFu), static_cast<DWORD>(Ticks >> 32)}; }

// Days since 1970-01-01 of a proleptic Gregorian date, and back (Howard Hinnant's algorithms).
Int64 DaysFromCivil(Int64 Year, Int64 Month, Int64 Day) {
    Year -= Month <= 2;
    const Int64 era = (Year >= 0 ? Year : Year - 399) / 400;
    const Int64 yearOfEra = Year - era * 400;
    const Int64 dayOfYear = (153 * (Month + (Month > 2 ? -3 : 9)) + 2) / 5 + Day - 1;
    const Int64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(Int64 Days, Int64& Year, Int64& Month, Int64& Day) {
    Days += 719468;
    const Int64 era = (Days >= 0 ? Days : Days - 146096) / 146097;
    const Int64 dayOfEra = Days - era * 146097;
    const Int64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const Int64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const Int64 shifted = (5 * dayOfYear + 2) / 153;
    Day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    Month = shifted < 10 ? shifted + 3 : shifted - 9;
    Year = yearOfEra + era * 400 + (Month <= 2);
}

// The local zone's offset from UTC in seconds at the UTC moment Seconds (since 1970).
Int64 LocalOffsetAt(Int64 Seconds) {
    const time_t moment = static_cast<time_t>(Seconds);
    tm local{};
    if (!localtime_r(&moment, &local)) return 0;
    return local.tm_gmtoff;
}

Int64 UnixSecondsOf(UInt64 Ticks) { return static_cast<Int64>(Ticks / TicksPerSecond) - UnixEpochSeconds; }

// Ticks + Offset seconds, false when the result leaves the range of file times.
bool ShiftTicks(UInt64 Ticks, Int64 OffsetSeconds, FILETIME* Result) {
    const Int64 shift = OffsetSeconds * TicksPerSecond;
    if (Ticks > static_cast<UInt64>(std::numeric_limits<Int64>::max())) return false;
    const Int64 shifted = static_cast<Int64>(Ticks) + shift;
    if (shift < 0 ? shifted > static_cast<Int64>(Ticks) : shifted < static_cast<Int64>(Ticks)) return false;
    if (shifted < 0) return false;
    *Result = FromTicks(static_cast<UInt64>(shifted));
    return true;
}

}  // namespace

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, FILETIME* lpLocalFileTime) {
    if (!lpFileTime || !lpLocalFileTime) return 0;
    const UInt64 ticks = ToTicks(*lpFileTime);
    return ShiftTicks(ticks, LocalOffsetAt(UnixSecondsOf(ticks)), lpLocalFileTime);
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, FILETIME* lpFileTime) {
    if (!lpLocalFileTime || !lpFileTime) return 0;
    const UInt64 ticks = ToTicks(*lpLocalFileTime);
    // The offset in force at the UTC moment near the local one (exact outside the hour of a change).
    const Int64 guess = UnixSecondsOf(ticks) - LocalOffsetAt(UnixSecondsOf(ticks));
    return ShiftTicks(ticks, -LocalOffsetAt(guess), lpFileTime);
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, SYSTEMTIME* lpSystemTime) {
    if (!lpFileTime || !lpSystemTime) return 0;
    const UInt64 ticks = ToTicks(*lpFileTime);
    if (ticks > static_cast<UInt64>(std::numeric_limits<Int64>::max())) return 0;
    const Int64 msecs = static_cast<Int64>(ticks) / TicksPerMSec;
    const Int64 days = msecs / MSecsPerDay64;
    Int64 rest = msecs % MSecsPerDay64;
    Int64 year = 0, month = 0, day = 0;
    CivilFromDays(days - UnixEpochDays, year, month, day);
    SYSTEMTIME& st = *lpSystemTime;
    st.wYear = static_cast<Word>(year);
    st.wMonth = static_cast<Word>(month);
    st.wDay = static_cast<Word>(day);
    st.wDayOfWeek = static_cast<Word>((days + 1) % 7);  // 1601-01-01 was a Monday
    st.wMilliseconds = static_cast<Word>(rest % 1000);
    rest /= 1000;
    st.wSecond = static_cast<Word>(rest % 60);
    rest /= 60;
    st.wMinute = static_cast<Word>(rest % 60);
    st.wHour = static_cast<Word>(rest / 60);
    return 1;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, FILETIME* lpFileTime) {
    if (!lpSystemTime || !lpFileTime) return 0;
    const SYSTEMTIME& st = *lpSystemTime;
    if (st.wYear < 1601 || st.wYear > 30827 || st.wMonth < 1 || st.wMonth > 12 || st.wDay < 1 ||
        st.wDay > MonthDays(st.wYear, st.wMonth) || st.wHour > 23 || st.wMinute > 59 || st.wSecond > 59 ||
        st.wMilliseconds > 999)
        return 0;
    const Int64 days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + UnixEpochDays;
    const Int64 msecs =
        days * MSecsPerDay64 + ((st.wHour * 60 + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds;
    *lpFileTime = FromTicks(static_cast<UInt64>(msecs * TicksPerMSec));
    return 1;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime) {
    const TDateTime date = EncodeDate(SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
    const TDateTime time =
        EncodeTime(SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond, SystemTime.wMilliseconds);
    // Before 1899-12-30 the whole days count down while the time of day still counts up.
    return date >= 0 ? date + time : date - time;
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime) {
    DecodeDate(DateTime, SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
    DecodeTime(DateTime, SystemTime.wHour, SystemTime.wMinute, SystemTime.wSecond, SystemTime.wMilliseconds);
    SystemTime.wDayOfWeek = static_cast<Word>(DayOfWeek(DateTime) - 1);
}

TDateTime FileDateToDateTime(Integer FileDate) {
    const auto packed = static_cast<UInt64>(static_cast<std::uint32_t>(FileDate));
    const auto field = [packed](int Shift, int Bits) {
        return static_cast<Word>((packed >> Shift) & ((1u << Bits) - 1));
    };
    const TDateTime date = EncodeDate(static_cast<Word>(field(25, 7) + 1980), field(21, 4), field(16, 5));
    return date + EncodeTime(field(11, 5), field(5, 6), static_cast<Word>(field(0, 5) * 2), 0);
}

Integer DateTimeToFileDate(TDateTime DateTime) {
    Word year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    DecodeDate(DateTime, year, month, day);
    if (year < 1980 || year > 2107) return 0;
    DecodeTime(DateTime, hour, minute, second, msec);
    const std::uint32_t packed = (static_cast<std::uint32_t>(year - 1980) << 25) |
                                 (static_cast<std::uint32_t>(month) << 21) | (static_cast<std::uint32_t>(day) << 16) |
                                 (static_cast<std::uint32_t>(hour) << 11) | (static_cast<std::uint32_t>(minute) << 5) |
                                 (second / 2u);
    return static_cast<Integer>(packed);
}
