// FormatDateTime, DateToStr, TimeToStr and DateTimeToStr with the class library's format letters (not Qt's).
#include <cmath>

#include "vcl/SysUtils.h"

namespace {

// Days from 1899-12-30 to 0001-01-01 and to 10000-01-01.
constexpr double kFirstDay = -693593.0;
constexpr double kPastLastDay = 2958466.0;
// Formats named inside formats expand this deep at most (a format naming itself ends there).
constexpr int kMaxNesting = 2;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

bool StartsWithNoCase(const AnsiString& S, std::size_t At, const char* Word) {
    for (std::size_t k = 0; Word[k]; ++k)
        if (At + k >= S.size() || Lower(S[At + k]) != Word[k]) return false;
    return true;
}

struct TDateParts {
    Word Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
    Word Hour = 0, Min = 0, Sec = 0, MSec = 0;
    bool HasTime = false;
};

class TDateFormatter {
public:
    explicit TDateFormatter(const TDateParts& Parts) : parts_(Parts) {}

    void Append(const AnsiString& Format, int Depth) {
        bool afterHour = false;
        for (std::size_t i = 0; i < Format.size();) {
            const char c = Format[i];
            const char lower = Lower(c);
            if (c == '\'' || c == '"') {
                const std::size_t close = Format.find(c, i + 1);
                const std::size_t end = close == AnsiString::npos ? Format.size() : close;
                out_.append(Format, i + 1, end - i - 1);
                i = end == Format.size() ? end : end + 1;
                continue;
            }
            if (lower == 'a') {
                i = AmPm(Format, i);
                continue;
            }
            if (c == '/') {
                out_ += DateSeparator;
                ++i;
                continue;
            }
            if (c == ':') {
                out_ += TimeSeparator;
                ++i;
                continue;
            }
            if (std::string_view("cdmyhnstz").find(lower) == std::string_view::npos) {
                out_ += c;
                ++i;
                continue;
            }
            std::size_t run = 1;
            while (i + run < Format.size() && Lower(Format[i + run]) == lower) ++run;
            const bool wasAfterHour = afterHour;
            afterHour = lower == 'h';
            switch (lower) {
                case 'c':
                    Nested(ShortDateFormat, Depth);
                    if (parts_.HasTime) {
                        out_ += ' ';
                        Nested(LongTimeFormat, Depth);
                    }
                    break;
                case 'd': Days(run, Depth); break;
                case 'm':
                    if (wasAfterHour) Number(parts_.Min, run >= 2 ? 2 : 1);
                    else Months(run);
                    break;
                case 'y': Number(run <= 2 ? parts_.Year % 100 : parts_.Year, run <= 2 ? 2 : 4); break;
                case 'h':
                    Number(TwelveHour(Format, i + run) ? (parts_.Hour + 11) % 12 + 1 : parts_.Hour, run >= 2 ? 2 : 1);
                    break;
                case 'n': Number(parts_.Min, run >= 2 ? 2 : 1); break;
                case 's': Number(parts_.Sec, run >= 2 ? 2 : 1); break;
                case 'z': Number(parts_.MSec, run >= 3 ? 3 : 1); break;
                case 't': Nested(run == 1 ? ShortTimeFormat : LongTimeFormat, Depth); break;
            }
            i += run;
        }
    }

    const AnsiString& Result() const { return out_; }

private:
    void Nested(const AnsiString& Format, int Depth) {
        if (Depth < kMaxNesting) Append(Format, Depth + 1);
    }

    void Number(Integer Value, Integer Digits) {
        const AnsiString digits = IntToStr(Value);
        if (Length(digits) < Digits) out_.append(static_cast<std::size_t>(Digits - Length(digits)), '0');
        out_ += digits;
    }

    void Days(std::size_t Run, int Depth) {
        switch (Run) {
            case 1: Number(parts_.Day, 1); break;
            case 2: Number(parts_.Day, 2); break;
            case 3: out_ += ShortDayNames[parts_.DayOfWeek - 1]; break;
            case 4: out_ += LongDayNames[parts_.DayOfWeek - 1]; break;
            case 5: Nested(ShortDateFormat, Depth); break;
            default: Nested(LongDateFormat, Depth); break;
        }
    }

    void Months(std::size_t Run) {
        if (Run <= 2) Number(parts_.Month, static_cast<Integer>(Run));
        else if (Run == 3) out_ += ShortMonthNames[parts_.Month - 1];
        else out_ += LongMonthNames[parts_.Month - 1];
    }

    // An hour is on the 12-hour clock when an am/pm marker follows anywhere in the format.
    static bool TwelveHour(const AnsiString& Format, std::size_t From) {
        for (std::size_t i = From; i < Format.size(); ++i) {
            if (Format[i] == '\'' || Format[i] == '"') {
                const std::size_t close = Format.find(Format[i], i + 1);
                if (close == AnsiString::npos) return false;
                i = close;
            } else if (StartsWithNoCase(Format, i, "am/pm") || StartsWithNoCase(Format, i, "a/p") ||
                       StartsWithNoCase(Format, i, "ampm")) {
                return true;
            }
        }
        return false;
    }

    // "am/pm" and "a/p" keep the letters' case as written; "ampm" gives TimeAMString / TimePMString.
    std::size_t AmPm(const AnsiString& Format, std::size_t At) {
        const bool pm = parts_.Hour >= 12;
        if (StartsWithNoCase(Format, At, "am/pm")) {
            out_.append(Format, pm ? At + 3 : At, 2);
            return At + 5;
        }
        if (StartsWithNoCase(Format, At, "a/p")) {
            out_ += Format[pm ? At + 2 : At];
            return At + 3;
        }
        if (StartsWithNoCase(Format, At, "ampm")) {
            out_ += pm ? TimePMString : TimeAMString;
            return At + 4;
        }
        out_ += Format[At];
        return At + 1;
    }

    const TDateParts& parts_;
    AnsiString out_;
};

[[noreturn]] void NotADate(TDateTime Value) { throw EConvertError("'" + FloatToStr(Value) + "' is not a valid date"); }

}  // namespace

AnsiString FormatDateTime(const AnsiString& Format, TDateTime DateTime) {
    // Checked before any conversion to integers: NaN, infinities and far dates have no day.
    if (!std::isfinite(DateTime) || DateTime <= kFirstDay - 1 || DateTime >= kPastLastDay) NotADate(DateTime);
    TDateParts parts;
    DecodeDate(DateTime, parts.Year, parts.Month, parts.Day);
    // The last millisecond of 9999-12-31 rounds into a year that has no dates.
    if (parts.Year < 1 || parts.Year > 9999) NotADate(DateTime);
    DecodeTime(DateTime, parts.Hour, parts.Min, parts.Sec, parts.MSec);
    parts.DayOfWeek = DayOfWeek(DateTime);
    parts.HasTime = parts.Hour != 0 || parts.Min != 0 || parts.Sec != 0 || parts.MSec != 0;
    TDateFormatter formatter(parts);
    formatter.Append(Format, 0);
    return formatter.Result();
}

AnsiString DateToStr(TDateTime Date) { return FormatDateTime("ddddd", Date); }

AnsiString TimeToStr(TDateTime Time) { return FormatDateTime("tt", Time); }

AnsiString DateTimeToStr(TDateTime DateTime) { return FormatDateTime("c", DateTime); }
