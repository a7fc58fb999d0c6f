// The selection iterator: walks the indexes named by a text such as "3-7;9;12-".
#include "valstr.h"

#include <algorithm>

#include "exposit.h"
#include "repl.h"
#include "superar.h"

namespace valstr {

using namespace exposit;
using namespace repl;

namespace {

constexpr Integer Everything = -2147483647;

constexpr Byte Ascending = 0;
constexpr Byte Descending = 1;
constexpr Byte Invalid = 2;

// A negative end counts back from Max; done in 64 bits so Max near the top cannot overflow.
Int64 FromEnd(Int64 Value, Integer Max) { return Value < 0 ? Value + Max + 1 : Value; }

Integer Clamp(Int64 Value, Integer Min, Integer Max) {
    return static_cast<Integer>(std::clamp<Int64>(Value, Min, std::max(Min, Max)));
}

// The digit run at the start of S (after Index) as a number; 0 when there is none.
Integer DigitRunValue(const AnsiString& S, Integer& Index) {
    AnsiString digits;
    ReadDigits(S, Index, digits);
    return digits.empty() ? 0 : StrToIntLenient(digits);
}

bool Accepted(const LoopT& Loop, Integer Index) {
    if (Index <= 0) return false;
    if (!Loop.Owner) return true;
    return Index <= Loop.Owner->Count && !superar::IsRowSkipped(*Loop.Owner, Index);
}

// Prepares Next: the following index of the current item, or the first of the next valid item.
bool Step(LoopT& Loop) {
    for (;;) {
        if (Loop.Next == -1) {
            if (Loop.Remaining.empty()) return false;
            AnsiString item;
            CutToken(Loop.Remaining, ";", true, item);
            if (item.empty()) continue;
            Loop.Direction = ParseRangeItem(item, Loop.Min, Loop.Max, Loop.RangeTo, Loop.RangeFrom);
            if (Loop.Direction == Invalid) continue;
            Loop.Next = Loop.RangeFrom;
        } else {
            const Integer low = std::min(Loop.RangeFrom, Loop.RangeTo);
            const Integer high = std::max(Loop.RangeFrom, Loop.RangeTo);
            const bool down = Loop.Direction == Descending;
            // Leaving the range ends the item; checked before stepping so the bounds never overflow.
            if (down ? Loop.Next <= low : Loop.Next >= high) {
                Loop.Next = -1;
                continue;
            }
            Loop.Next += down ? -1 : 1;
        }
        if (Accepted(Loop, Loop.Next)) return true;
    }
}

}  // namespace

Byte ResolveRange(Integer A, Integer B, Integer Min, Integer& RangeTo, Integer& RangeFrom, Integer Max) {
    Int64 from = A;
    Int64 to = B;
    if (A == Everything) {
        from = Min;
        to = Max;
    }
    from = FromEnd(from, Max);
    to = to == 0 ? from : FromEnd(to, Max);
    // Bounds with Max below Min (an empty table) hold no index at all.
    const bool valid = Min <= Max && !(from > Max && to > Max) && (from >= Min || to >= Min) && !(A > Max && B < 0);
    RangeFrom = Clamp(from, Min, Max);
    RangeTo = Clamp(to, Min, Max);
    if (!valid) return Invalid;
    return from > to ? Descending : Ascending;
}

Byte ParseRangeItem(const AnsiString& Item, Integer Min, Integer Max, Integer& RangeTo, Integer& RangeFrom) {
    AnsiString text = Item.empty() ? AnsiString("1-") : Item;
    const std::size_t firstDigit = text.find_first_of("0123456789");
    // Without a digit there is nothing to walk; taking the previous item's range again would repeat it.
    if (firstDigit == AnsiString::npos) return Invalid;
    if (text.back() == '-') text += "-1";
    std::size_t at = firstDigit;
    const bool negativeA = at > 0 && text[at - 1] == '-';
    if (negativeA) text.erase(--at, 1);
    Integer index = static_cast<Integer>(at) + 1;
    Integer a = DigitRunValue(text, index);
    // Drop the run and the range dash after it.
    text.erase(0, std::min<std::size_t>(static_cast<std::size_t>(index), text.size()));
    const bool negativeB = !text.empty() && text[0] == '-';
    if (negativeB) text.erase(0, 1);
    index = 1;
    Integer b = DigitRunValue(text, index);
    if (negativeA) a = -a;
    if (negativeB) b = -b;
    return ResolveRange(a, b, Min, RangeTo, RangeFrom, Max);
}

void LoopSetSelection(LoopT& Loop, const AnsiString& Selection, Integer Min, Integer Max) {
    AnsiString text;
    SimpleReplace(";;", ";", Selection, text);
    if (text == ";") text.clear();
    if (!text.empty() && text.back() == ';') text.pop_back();
    if (!text.empty() && text.front() == ';') text.erase(0, 1);
    Loop.Selection = std::move(text);
    Loop.Min = Min;
    Loop.Max = Max;
    Loop.RangeFrom = Min;
    Loop.RangeTo = Min;
    Loop.Direction = Ascending;
    Loop.Owner = nullptr;
    LoopStart(Loop);
}

void LoopInit(LoopT& Loop, const AnsiString& Selection, superar::ArrayOfFiles* Table) {
    LoopSetSelection(Loop, Selection, 1, Table ? Table->Count : 1);
    Loop.Owner = Table;
    // The first index was prepared without the owner; prepare it again with the owner's rules.
    if (Table) LoopStart(Loop);
}

bool LoopStart(LoopT& Loop) {
    Loop.Remaining = Loop.Selection.empty() ? AnsiString("1-") : Loop.Selection;
    Loop.Current = -1;
    Loop.Next = -1;
    Loop.Finished = 0;
    Loop.HasNext = Step(Loop) ? 1 : 0;
    return Loop.HasNext != 0;
}

bool LoopNext(LoopT& Loop) {
    Loop.Current = Loop.Next;
    const bool valid = Loop.HasNext != 0;
    Loop.HasNext = valid && Step(Loop) ? 1 : 0;
    if (Loop.HasNext) {
        Loop.Finished = 0;
    } else {
        Loop.Finished = 1;
        Loop.Next = -1;
    }
    return valid;
}

}  // namespace valstr
