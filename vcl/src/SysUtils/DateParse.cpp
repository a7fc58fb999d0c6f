// Reading dates and times as the class library does: the parts in the order of ShortDateFormat,
// TimeSeparator between the parts of a time, AM/PM after it; and the month arithmetic beside them.
#include <cmath>

#include "vcl/SysUtils.h"

Word TwoDigitYearCenturyWindow = 50;

namespace {

enum class TDateOrder { MDY, DMY, YMD };

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

// The first of d, m and y in the format decides; quoted literals do not count.
TDateOrder DateOrder() {
    const AnsiString& format = ShortDateFormat;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = Upper(format[i]);
        if (c == '\'' || c == '"') {
            const std::size_t close = format.find(format[i], i + 1);
            if (close == AnsiString::npos) break;
            i = close;
        } else if (c == 'D') {
            return TDateOrder::DMY;
        } else if (c == 'Y') {
            return TDateOrder::YMD;
        } else if (c == 'M') {
            return TDateOrder::MDY;
        }
    }
    return TDateOrder::MDY;
}

class TScanner {
public:
    explicit TScanner(const AnsiString& S) : s_(S) {}

    bool AtEnd() {
        SkipBlanks();
        return at_ == s_.size();
    }

    // Up to MaxDigits decimal digits after blanks; Digits tells how many were read.
    bool Number(Integer MaxDigits, Word& Value, Integer& Digits) {
        SkipBlanks();
        Integer value = 0;
        Digits = 0;
        while (at_ < s_.size() && s_[at_] >= '0' && s_[at_] <= '9') {
            if (++Digits > MaxDigits) return false;
            value = value * 10 + (s_[at_++] - '0');
        }
        Value = static_cast<Word>(value);
        return Digits > 0;
    }

    bool Char(char Ch) {
        SkipBlanks();
        if (at_ >= s_.size() || s_[at_] != Ch) return false;
        ++at_;
        return true;
    }

    // W in any letter case; an empty W never matches.
    bool Designator(const AnsiString& W) {
        SkipBlanks();
        if (W.empty() || s_.size() - at_ < W.size()) return false;
        for (std::size_t k = 0; k < W.size(); ++k)
            if (Upper(s_[at_ + k]) != Upper(W[k])) return false;
        at_ += W.size();
        return true;
    }

    std::size_t Position() const { return at_; }
    void SetPosition(std::size_t At) { at_ = At; }

private:
    void SkipBlanks() {
        while (at_ < s_.size() && s_[at_] == ' ') ++at_;
    }

    const AnsiString& s_;
    std::size_t at_ = 0;
};

// A year written with one or two digits lands in the hundred years that start Window years before the
// clock's year.
Word WindowedYear(Word Year) {
    Word thisYear = 0, month = 0, day = 0;
    DecodeDate(Date(), thisYear, month, day);
    const Integer base = thisYear - TwoDigitYearCenturyWindow;
    Integer year = Year + base / 100 * 100;
    if (TwoDigitYearCenturyWindow > 0 && year < base) year += 100;
    return static_cast<Word>(year);
}

bool ScanDate(TScanner& Scan, TDateTime& Value) {
    Word n[3] = {0, 0, 0};
    Integer digits[3] = {0, 0, 0};
    if (!Scan.Number(4, n[0], digits[0]) || !Scan.Char(DateSeparator) || !Scan.Number(4, n[1], digits[1])) return false;
    Integer parts = 2;
    const std::size_t afterTwo = Scan.Position();
    if (Scan.Char(DateSeparator)) {
        if (!Scan.Number(4, n[2], digits[2])) return false;
        parts = 3;
    } else {
        Scan.SetPosition(afterTwo);
    }
    Word year = 0, month = 0, day = 0;
    Integer yearDigits = 4;
    const TDateOrder order = DateOrder();
    if (parts == 2) {
        Word thisMonth = 0, thisDay = 0;
        DecodeDate(Date(), year, thisMonth, thisDay);
        month = order == TDateOrder::DMY ? n[1] : n[0];
        day = order == TDateOrder::DMY ? n[0] : n[1];
    } else {
        switch (order) {
            case TDateOrder::MDY: month = n[0], day = n[1], year = n[2], yearDigits = digits[2]; break;
            case TDateOrder::DMY: day = n[0], month = n[1], year = n[2], yearDigits = digits[2]; break;
            case TDateOrder::YMD: year = n[0], month = n[1], day = n[2], yearDigits = digits[0]; break;
        }
        if (yearDigits <= 2) year = WindowedYear(year);
    }
    return TryEncodeDate(year, month, day, Value);
}

bool ScanTime(TScanner& Scan, TDateTime& Value) {
    Word hour = 0, min = 0, sec = 0, msec = 0;
    Integer digits = 0;
    if (!Scan.Number(2, hour, digits) || !Scan.Char(TimeSeparator) || !Scan.Number(2, min, digits)) return false;
    const std::size_t afterMinutes = Scan.Position();
    if (Scan.Char(TimeSeparator)) {
        if (!Scan.Number(2, sec, digits)) return false;
        const std::size_t afterSeconds = Scan.Position();
        if (Scan.Char(DecimalSeparator)) {
            if (!Scan.Number(3, msec, digits)) return false;
        } else {
            Scan.SetPosition(afterSeconds);
        }
    } else {
        Scan.SetPosition(afterMinutes);
    }
    const bool am = Scan.Designator(TimeAMString) || Scan.Designator("AM");
    const bool pm = !am && (Scan.Designator(TimePMString) || Scan.Designator("PM"));
    if (am || pm) {
        if (hour > 12) return false;
        if (am && hour == 12) hour = 0;
        if (pm && hour < 12) hour = static_cast<Word>(hour + 12);
    }
    return TryEncodeTime(hour, min, sec, msec, Value);
}

// A time after a date before 1899-12-30 counts away from it, as the day's fraction does there.
TDateTime Combine(TDateTime Date, TDateTime Time) { return Date >= 0 ? Date + Time : Date - Time; }

[[noreturn]] void Invalid(const AnsiString& S, const char* What) {
    throw EConvertError("'" + S + "' is not a valid " + What);
}

}  // namespace

bool TryStrToDate(const AnsiString& S, TDateTime& Value) {
    TScanner scan(S);
    TDateTime date = 0;
    if (!ScanDate(scan, date) || !scan.AtEnd()) return false;
    Value = date;
    return true;
}

bool TryStrToTime(const AnsiString& S, TDateTime& Value) {
    TScanner scan(S);
    TDateTime time = 0;
    if (!ScanTime(scan, time) || !scan.AtEnd()) return false;
    Value = time;
    return true;
}

bool TryStrToDateTime(const AnsiString& S, TDateTime& Value) {
    TScanner scan(S);
    TDateTime date = 0, time = 0;
    if (ScanDate(scan, date) && (scan.AtEnd() || (ScanTime(scan, time) && scan.AtEnd()))) {
        Value = Combine(date, time);
        return true;
    }
    return TryStrToTime(S, Value);
}

TDateTime StrToDate(const AnsiString& S) {
    TDateTime value = 0;
    if (!TryStrToDate(S, value)) Invalid(S, "date");
    return value;
}

TDateTime StrToTime(const AnsiString& S) {
    TDateTime value = 0;
    if (!TryStrToTime(S, value)) Invalid(S, "time");
    return value;
}

TDateTime StrToDateTime(const AnsiString& S) {
    TDateTime value = 0;
    if (!TryStrToDateTime(S, value)) Invalid(S, "date and time");
    return value;
}

TDateTime IncMonth(TDateTime Date, Integer NumberOfMonths) {
    // Days 0001-01-01 .. 9999-12-31 only: nothing else decodes.
    if (!(Date > -693594.0 && Date < 2958466.0)) throw EConvertError("Invalid argument to date encode");
    Word year = 0, month = 0, day = 0;
    DecodeDate(Date, year, month, day);
    const Int64 months = Int64{year} * 12 + (month - 1) + NumberOfMonths;
    const Int64 newYear = months >= 0 ? months / 12 : -1;
    if (newYear < 1 || newYear > 9999) throw EConvertError("Invalid argument to date encode");
    const auto y = static_cast<Word>(newYear);
    const auto m = static_cast<Word>(months % 12 + 1);
    const TDateTime shifted = EncodeDate(y, m, std::min(day, MonthDays(y, m)));
    const TDateTime time = std::fabs(Date - std::trunc(Date));
    return Combine(shifted, time);
}
