// Digit runs, and comparison of texts that hold numbers: natural order, plain order and
// signed values.
#include "valstr.h"
#include "valstr_Digits.h"

#include <string_view>

namespace valstr {

using detail::IsDigit;

namespace {

// The runtime's case-insensitive comparison folds the ASCII letters only.
constexpr unsigned char FoldCase(AnsiChar C) {
    const auto code = static_cast<unsigned char>(C);
    return code >= 'a' && code <= 'z' ? static_cast<unsigned char>(code - ('a' - 'A')) : code;
}

Byte ToCompareResult(int Order) { return Order == 0 ? CompareEqual : Order > 0 ? CompareGreater : CompareSmaller; }

// Unsigned byte order; a text that is a prefix of the other sorts first.
int CompareBytes(std::string_view A, std::string_view B, bool CaseSensitive) {
    const std::size_t common = A.size() < B.size() ? A.size() : B.size();
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = CaseSensitive ? static_cast<unsigned char>(A[i]) : FoldCase(A[i]);
        const unsigned char b = CaseSensitive ? static_cast<unsigned char>(B[i]) : FoldCase(B[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : A.size() < B.size() ? -1 : 1;
}

// The digit run at At without its leading zeros ("0" for zeros only); At ends past the run.
std::string_view TakeNumber(std::string_view S, std::size_t& At) {
    const std::size_t start = At;
    while (At < S.size() && IsDigit(S[At])) ++At;
    std::size_t first = start;
    while (first + 1 < At && S[first] == '0') ++first;
    return S.substr(first, At - first);
}

// The run of non-digits at At, possibly empty; At ends at the next digit.
std::string_view TakeText(std::string_view S, std::size_t& At) {
    const std::size_t start = At;
    while (At < S.size() && !IsDigit(S[At])) ++At;
    return S.substr(start, At - start);
}

// 1-based position where a run starts must lie inside the text or just past it.
std::size_t StartIndex(const AnsiString& S, Integer Index) {
    CheckRange(Index, 1, static_cast<Int64>(S.size()) + 1);
    return static_cast<std::size_t>(Index) - 1;
}

}  // namespace

void ReadDigits(const AnsiString& S, Integer& Index, AnsiString& Result) {
    std::size_t at = StartIndex(S, Index);
    const std::size_t start = at;
    while (at < S.size() && IsDigit(S[at])) ++at;
    Result.assign(S, start, at - start);
    Index = static_cast<Integer>(at) + 1;
}

void ReadNumberAt(const AnsiString& S, Integer& Index, AnsiString& Result) {
    std::size_t at = StartIndex(S, Index);
    TakeText(S, at);
    Result = TakeNumber(S, at);
    Index = static_cast<Integer>(at) + 1;
}

void ReadNumber(const AnsiString& S, AnsiString& Result) {
    Integer index = 1;
    ReadNumberAt(S, index, Result);
}

Byte NaturalCompare(std::string_view a, std::string_view b, bool CaseSensitive) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        int order;
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::string_view numberA = TakeNumber(a, i);
            const std::string_view numberB = TakeNumber(b, j);
            // Without leading zeros the longer number is the greater.
            order = numberA.size() != numberB.size() ? (numberA.size() < numberB.size() ? -1 : 1)
                                                     : CompareBytes(numberA, numberB, true);
        } else {
            // A digit meets text as an empty run, so numbers sort before words.
            order = CompareBytes(TakeText(a, i), TakeText(b, j), CaseSensitive);
        }
        if (order != 0) return ToCompareResult(order);
    }
    if (i >= a.size() && j >= b.size()) return CompareEqual;
    return i >= a.size() ? CompareSmaller : CompareGreater;
}

Byte CompareStrings(std::string_view A, std::string_view B, bool Natural, bool CaseSensitive) {
    if (Natural) return NaturalCompare(A, B, CaseSensitive);
    return ToCompareResult(CompareBytes(A, B, CaseSensitive));
}

Byte CompareValues(const AnsiString& A, const AnsiString& B) {
    const bool negativeA = A.starts_with('-');
    const bool negativeB = B.starts_with('-');
    if (negativeA != negativeB) return negativeA ? CompareSmaller : CompareGreater;
    const Byte order = NaturalCompare(A, B, false);
    // Between negatives the larger magnitude is the smaller value.
    if (negativeA && order != CompareEqual) return order == CompareGreater ? CompareSmaller : CompareGreater;
    return order;
}

}  // namespace valstr
