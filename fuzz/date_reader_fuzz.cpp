// Arbitrary texts through the date and time readers under three locales: each gives a value or raises
// EConvertError, the Try form agrees, and a value read is a real day (or time) whose text reads back
// the same. IncMonth of any value gives a date or EConvertError.
//
// Input: the first byte picks the locale (low two bits), the rest is the text; its first eight bytes
// are also a double for IncMonth and the next four its month count.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/FuzzCheck.h"
#include "vcl/Clock.h"
#include "vcl/SysUtils.h"

namespace {

struct TLocale {
    char decimal, thousand, date;
    const char* format;
};
constexpr TLocale kLocales[] = {{'.', ',', '/', "m/d/yyyy"},
                                {'.', ',', '/', "dd/mm/yyyy"},
                                {',', '.', '.', "dd.mm.yyyy"},
                                {'.', ',', '-', "yyyy-mm-dd"}};

bool IsDay(TDateTime Value) { return std::isfinite(Value) && Value > -693594.0 && Value < 2958466.0; }

template <typename Read, typename TryRead>
void CheckReader(const std::string& Text, Read ReadValue, TryRead TryValue, bool TimeOnly) {
    TDateTime tried = 0;
    const bool valid = TryValue(Text, tried);
    try {
        const TDateTime value = ReadValue(Text);
        Check(valid && value == tried && IsDay(value));
        if (TimeOnly) Check(value >= 0 && value < 1);
    } catch (const EConvertError&) {
        Check(!valid);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    static TTestClock clock(EncodeDate(2026, 12, 7) + 0.5);
    const TLocale& locale = kLocales[Data[0] & 3];
    DecimalSeparator = locale.decimal;
    ThousandSeparator = locale.thousand;
    DateSeparator = locale.date;
    ShortDateFormat = locale.format;
    const std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);

    CheckReader(text, StrToDate, TryStrToDate, false);
    CheckReader(text, StrToTime, TryStrToTime, true);
    CheckReader(text, StrToDateTime, TryStrToDateTime, false);
    TDateTime date = 0;
    if (TryStrToDate(text, date)) Check(StrToDate(DateToStr(date)) == date);

    double value = 0;
    std::int32_t months = 0;
    std::memcpy(&value, Data + 1, std::min(Size - 1, sizeof value));
    if (Size > 1 + sizeof value)
        std::memcpy(&months, Data + 1 + sizeof value, std::min(Size - 1 - sizeof value, sizeof months));
    try {
        const TDateTime moved = IncMonth(value, months);
        Check(IsDay(moved));
    } catch (const EConvertError&) {
    }
    return 0;
}
