// The paste at the selection and its smart fill: one value spread over the selection, or a series
// continued from the first two cells of a single row or column.
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

namespace {

bool IsWholeNumber(const AnsiString& S, Int64& Value) {
    if (S.empty()) return false;
    std::size_t i = S[0] == '-' ? 1 : 0;
    if (i == S.size()) return false;
    for (std::size_t j = i; j < S.size(); ++j)
        if (S[j] < '0' || S[j] > '9') return false;
    return TryStrToInt64(S, Value);
}

bool IsDateOrTime(const AnsiString& S) { return ProUtil::IsDateText(S) || S.find(TimeSeparator) != AnsiString::npos; }

// The days the calendar can write: 0001-01-01 .. 9999-12-31.
bool InCalendar(TDateTime Value) { return Value > -693594.0 && Value < 2958466.0; }

// A series of dates (times) over Line stepped by the calendar: the years, months or days between the
// first two when only one of them differs, else their distance. A text that is no date raises before any
// cell changes; the series stops where the calendar ends.
template <typename FillFn>
void FillDates(const std::vector<TPoint>& Line, const AnsiString& V1, const AnsiString& V2, FillFn&& Fill) {
    TDateTime value = StrToDateTime(V1);
    const TDateTime second = StrToDateTime(V2);
    const TDateTime delta = second - value;
    Word year1, month1, day1, year2, month2, day2;
    DecodeDate(value, year1, month1, day1);
    DecodeDate(second, year2, month2, day2);
    const bool asDate = V1.find(DateSeparator) != AnsiString::npos;
    for (std::size_t i = 0; i < Line.size(); ++i) {
        if (i > 0) {
            try {
                value = ProUtil::StepDate(year2 - year1, month2 - month1, day2 - day1, delta, value);
            } catch (const EConvertError&) {
                return;  // past the last year
            }
            if (!InCalendar(value)) return;
        }
        Fill(Line[i].X, Line[i].Y, asDate ? DateToStr(value) : TimeToStr(value));
    }
}

}  // namespace

void RAdeRedeviDidi::PasteSelectionFromClipboard() {
    const TGridRect sel = MergedSelection();
    const Integer pasted = PasteFromClipboard(sel.Left, sel.Top);
    if (!Navigation()->AllowSmartClipboard()) return;
    const Int64 cells = Int64{sel.Right - sel.Left + 1} * (sel.Bottom - sel.Top + 1);
    if (cells == pasted - 1) return;
    FillSelection(sel, pasted);
}

void RAdeRedeviDidi::FillSelection(const TGridRect& ASel, Integer N) {
    const auto cellText = [this](Integer ACol, Integer ARow) {
        AnsiString text;
        ReadCell(RealColIndex(ACol), ARow, text);
        return text;
    };
    // Every cell but the top-left one goes to the paste event first.
    const auto fill = [&](Integer ACol, Integer ARow, const AnsiString& Text) {
        const Integer real = RealColIndex(ACol);
        if (!MayPasteInto(real, ARow)) return;
        PasteField(real, ARow, Text, false, ACol != ASel.Left || ARow != ASel.Top);
    };
    BeginUpdate();
    const TScopeExit update([this] { EndUpdate(); });
    const bool oneCell = ASel.Left == ASel.Right && ASel.Top == ASel.Bottom;
    if (N == 1 && !oneCell) {
        const AnsiString value = cellText(ASel.Left, ASel.Top);
        for (Integer c = ASel.Left; c <= ASel.Right; ++c)
            for (Integer r = ASel.Top; r <= ASel.Bottom; ++r) fill(c, r, value);
        return;
    }
    const bool column = ASel.Left == ASel.Right;
    if (N <= 1 || (!column && ASel.Top != ASel.Bottom) || oneCell) return;

    // The cells of the line in order, from the top-left one.
    std::vector<TPoint> line;
    if (column)
        for (Integer r = ASel.Top; r <= ASel.Bottom; ++r) line.push_back({ASel.Left, r});
    else
        for (Integer c = ASel.Left; c <= ASel.Right; ++c) line.push_back({c, ASel.Top});
    const AnsiString v1 = cellText(line[0].X, line[0].Y);
    const AnsiString v2 = cellText(line[1].X, line[1].Y);
    const bool decimal = v1.find(DecimalSeparator) != AnsiString::npos || v2.find(DecimalSeparator) != AnsiString::npos;

    if (IsDateOrTime(v1) && IsDateOrTime(v2)) return FillDates(line, v1, v2, fill);
    Int64 i1 = 0, i2 = 0;
    if (!decimal && IsWholeNumber(v1, i1) && IsWholeNumber(v2, i2)) {
        // Integer series in 64 bits; a step past the range stops the series where it would overflow.
        Int64 value = i1;
        const Int64 step = i2 - i1;
        for (std::size_t i = 0; i < line.size(); ++i) {
            fill(line[i].X, line[i].Y, IntToStr(value));
            if (__builtin_add_overflow(value, step, &value)) return;
        }
        return;
    }
    if (!decimal) {
        // The pasted block again and again: a column block is N - 1 rows high, a row block N columns wide.
        const std::size_t period = static_cast<std::size_t>(column ? N - 1 : N);
        if (period == 0) return;
        for (std::size_t i = period; i < line.size(); ++i)
            fill(line[i].X, line[i].Y, cellText(line[i - period].X, line[i - period].Y));
        return;
    }
    double value = StrToFloat(v1);
    const double step = StrToFloat(v2) - value;
    for (const TPoint& at : line) {
        fill(at.X, at.Y, Format(FloatFormat(), {value}));
        value += step;
    }
}

}  // namespace ProGrid
