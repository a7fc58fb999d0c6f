// Selectors, characters and digits, padding, the runtime forwarders and the separator setting.
#include "valstr.h"
#include "valstr_Digits.h"
#include "Varpre.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include <vcl/SysUtils.h>

namespace valstr {

using namespace Varpre;
using detail::IsDigit;

namespace {

AnsiString& SeparatorStore() {
    static AnsiString separator;
    return separator;
}

// Pattern repeated and cut to Len characters; empty for Len <= 0.
}  // namespace

const AnsiString& DigitGroupSeparator() { return SeparatorStore(); }

void SetDigitGroupSeparator(const AnsiString& Separator) { SeparatorStore() = Separator.substr(0, 255); }

// --- Selectors ------------------------------------------------------------------------------

void IfThenStr(bool Cond, const AnsiString& A, const AnsiString& B, AnsiString& Result) { Result = Cond ? A : B; }

Integer IfThenInt(bool Cond, Integer A, Integer B) { return Cond ? A : B; }
Integer MaxOf(Integer A, Integer B) { return A > B ? A : B; }
Integer MinOf(Integer A, Integer B) { return A < B ? A : B; }
Integer ClampInt(Integer Value, Integer Low, Integer High) { return MinOf(MaxOf(Value, Low), High); }
Double MaxFloat(Double A, Double B) { return A > B ? A : B; }
Double MinFloat(Double A, Double B) { return A < B ? A : B; }
bool FloatCompare(bool Less, Double X, Double Y) { return Less ? X < Y : X > Y; }
bool InRangeInt(Integer Value, Integer Min, Integer Max) { return Min <= Value && Value <= Max; }

Integer PowerOf2(Integer N) {
    if (N == 0) return 1;
    Integer result = 2;
    for (Integer i = 2; i <= N; ++i) result = CheckedMul(result, 2);
    return result;
}

Integer ProgressPercent(Integer Current, Integer First, Integer Last, Integer Low, Integer High) {
    if (!InRangeInt(High, 0, 100)) High = 100;
    if (!InRangeInt(Low, 0, 100)) Low = 0;
    const Double done = std::abs(static_cast<Double>(Current) - First) + 1;
    const Double total = std::abs(static_cast<Double>(Last) - First) + 1;
    const Double percent = done / total * 100;
    const Double mapped = std::nearbyint(percent * std::abs(High - Low) / 100 + Low);
    if (!(mapped >= std::numeric_limits<Integer>::min() && mapped <= std::numeric_limits<Integer>::max()))
        RaiseRangeError();
    return static_cast<Integer>(mapped);
}

// --- Characters and digits ------------------------------------------------------------------

Integer DigitAt(const AnsiString& S, Integer Index) {
    if (Index < 1 || static_cast<std::size_t>(Index) > S.size()) return NoValue;
    const auto code = static_cast<unsigned char>(S[static_cast<std::size_t>(Index) - 1]);
    return code < '0' ? NoValue : code - '0';
}

Integer CharToDigit(AnsiChar C) { return DigitAt(AnsiString(1, C), 1); }

void DigitToStr(Integer D, AnsiString& Result) {
    const Int64 code = static_cast<Int64>(D) + '0';
    CheckRange(code, 0, 255);
    Result.assign(1, static_cast<AnsiChar>(code));
}

bool NextDigit(const AnsiString& S, Integer& Index, Integer& Digit) {
    if (Index < 1) Index = 1;
    while (static_cast<std::size_t>(Index) <= S.size()) {
        Digit = DigitAt(S, Index);
        ++Index;
        if (Digit >= 0) return true;
    }
    Index = 1;
    return false;
}

void KeepChars(const AnsiString& S, const TSet<AnsiChar>& Chars, AnsiString& Result) {
    AnsiString kept;
    kept.reserve(S.size());
    for (AnsiChar c : S)
        if (Chars.Contains(c)) kept += c;
    Result = std::move(kept);
}

void KeepAlnumAnd(const AnsiString& S, const TSet<AnsiChar>& Extra, AnsiString& Result) {
    KeepChars(S, Extra + DigitsSet() + LettersSet(), Result);
}

AnsiChar AlphabetGroupChar(const AnsiString& S, const AnsiString& DigitGroup, const AnsiString& OtherGroup) {
    const AnsiChar first = FirstCharOrSpace(S);
    if (IsDigit(first)) return DigitGroup.empty() ? '0' : DigitGroup[0];
    if (!LettersSet().Contains(first)) return OtherGroup.empty() ? '!' : OtherGroup[0];
    return static_cast<Byte>(first) <= 127 ? UpperTable()[first] : 'A';
}

void CleanNumber(const AnsiString& S, AnsiString& Result) {
    AnsiString kept;
    kept.reserve(S.size());
    bool pointSeen = false;
    for (AnsiChar c : S) {
        if (IsDigit(c)) {
            kept += c;
        } else if (c == '-') {
            // Only a minus that ends up first survives; later ones are deleted.
            if (kept.empty()) kept += c;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
            kept += c;
        }
    }
    Result = std::move(kept);
}

bool OnlyCharsOf(const AnsiString& S, const TSet<AnsiChar>& Chars) {
    return std::all_of(S.begin(), S.end(), [&](AnsiChar c) { return Chars.Contains(c); });
}

void ReverseStr(const AnsiString& S, AnsiString& Result) { Result = AnsiString(S.rbegin(), S.rend()); }

void SmallestChar(const AnsiString& S, AnsiString& Result) {
    if (S.empty()) {
        Result.clear();
        return;
    }
    const auto smallest = std::min_element(S.begin(), S.end(), [](AnsiChar a, AnsiChar b) {
        return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
    });
    Result.assign(1, *smallest);
}

void SplitByMask(const AnsiString& S, AnsiString& Kept, AnsiString& Removed, Word Mask) {
    AnsiString kept = S;
    AnsiString removed;
    // The mask describes the last 16 characters; characters further left stay kept.
    const std::size_t span = std::min<std::size_t>(S.size(), 16);
    for (std::size_t bit = 0; bit < span; ++bit) {
        if (Mask & (1u << bit)) continue;
        const std::size_t pos = S.size() - 1 - bit;
        removed += S[pos];
        kept.erase(pos, 1);
    }
    Kept = std::move(kept);
    Removed = std::move(removed);
}

void PadToWidth(const AnsiString& S, const AnsiString& PadStr, Integer Width, Integer Align, AnsiString& Result) {
    if (PadStr == "\r") {
        Result = S;
        return;
    }
    const AnsiString& pad = PadStr.empty() ? AnsiString(" ") : PadStr;
    const Int64 missing = static_cast<Int64>(Width) - static_cast<Int64>(S.size());
    Int64 left = 0;
    Int64 right = 0;
    switch (Align & 3) {
        case 1: left = missing; break;
        case 2: right = missing; break;
        case 3:
            left = missing / 2;
            right = missing - left;
            break;
        default: return;
    }
    AnsiString before, after;
    Varpre::RepeatStr(pad, static_cast<Integer>(std::max<Int64>(left, 0)), before);
    Varpre::RepeatStr(pad, static_cast<Integer>(std::max<Int64>(right, 0)), after);
    Result = before + S + after;
}

void IntToStrPadded(Integer Value, Integer Width, const AnsiString& PadStr, AnsiString& Result) {
    AnsiString digits;
    Int64ToStrVar(std::abs(static_cast<Int64>(Value)), digits);
    if (Value < 0) {
        PadToWidth(digits, PadStr, Width - 1, 1, Result);
        Result.insert(0, 1, '-');
    } else {
        PadToWidth(digits, PadStr, Width, 1, Result);
    }
}

void CollapseSeparators(const AnsiString& S, const AnsiString& Sep, AnsiString& Result) {
    AnsiString text = S;
    if (!Sep.empty()) {
        const AnsiString doubled = Sep + Sep;
        // Replace every doubled separator, pass after pass, until none is left.
        for (std::size_t at = text.find(doubled); at != AnsiString::npos; at = text.find(doubled)) {
            AnsiString pass;
            std::size_t from = 0;
            for (; at != AnsiString::npos; at = text.find(doubled, from)) {
                pass.append(text, from, at - from);
                pass += Sep;
                from = at + doubled.size();
            }
            pass.append(text, from);
            text = std::move(pass);
        }
        if (text.starts_with(Sep)) text.erase(0, Sep.size());
        if (text.ends_with(Sep)) text.erase(text.size() - Sep.size());
    }
    Result = std::move(text);
}

// --- Runtime forwarders ---------------------------------------------------------------------

Integer LengthOf(const AnsiString& S) { return CheckedCast<Integer>(S.size()); }

void IntToStrVar(Integer Value, AnsiString& Result) { Int64ToStrVar(Value, Result); }

Integer StrToIntStrict(const AnsiString& S) {
    std::size_t at = 0;
    while (at < S.size() && S[at] == ' ') ++at;
    bool negative = false;
    if (at < S.size() && (S[at] == '-' || S[at] == '+')) negative = S[at++] == '-';
    Int64 value = 0;
    const std::size_t digitsStart = at;
    for (; at < S.size() && IsDigit(S[at]); ++at) {
        value = value * 10 + (S[at] - '0');
        if (value > Int64{1} << 31) break;
    }
    if (negative) value = -value;
    if (at == digitsStart || at != S.size() || value < std::numeric_limits<Integer>::min() ||
        value > std::numeric_limits<Integer>::max())
        throw EConvertError("'" + S + "' is not a valid integer value");
    return static_cast<Integer>(value);
}

void InsertStr(const AnsiString& Source, AnsiString& S, Integer Index) {
    const Integer at = ClampInt(Index, 1, LengthOf(S) + 1);
    S.insert(static_cast<std::size_t>(at) - 1, Source);
}

}  // namespace valstr
