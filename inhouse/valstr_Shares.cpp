// Size-share lists: a length shared out by weights, then corrected for each item's minimum and maximum.
#include <cmath>
#include <limits>
#include <vector>

#include "exposit.h"
#include "valstr.h"
#include "vcl/SysUtils.h"

namespace valstr {

using namespace exposit;
using namespace Varpre;

namespace {

constexpr Double NoWeight = 0.1;

void CheckShareCount(Integer Count) {
    if (Count > MaxShareItems) throw ERangeError("A size-share list holds at most 200 items");
}

struct ShareItemT {
    Double Weight;
    Integer Minimum;  // NoValue: none
    Integer Maximum;  // NoValue: none
};

// A minimum below 0 is no minimum: sizes never go below 0 on its account.
bool HasMinimum(const ShareItemT& Item) { return Item.Minimum >= 0; }

// The running state of one distribution: the sizes, the items still open to adjustment and the units
// moved by fixing items at a limit (positive: a surplus to hand out, negative: a deficit to collect).
struct ShareRunT {
    std::vector<Integer> Sizes;  // Sizes[0] is item 1
    AnsiString Adjustable;
    Integer Balance = 0;
};

bool IsAdjustable(const ShareRunT& Run, Integer Item) {
    AnsiString number;
    IntToStrVar(Item, number);
    return Run.Adjustable.find("," + number + ",") != AnsiString::npos;
}

void LeaveAdjustable(ShareRunT& Run, Integer Item) {
    AnsiString number;
    IntToStrVar(Item, number);
    const std::size_t at = Run.Adjustable.find("," + number + ",");
    if (at != AnsiString::npos) Run.Adjustable.erase(at, number.size() + 2);
}

Integer& SizeOf(ShareRunT& Run, Integer Item) { return Run.Sizes[static_cast<std::size_t>(Item - 1)]; }

void FixItemSize(ShareRunT& Run, Integer Item, Integer NewSize) {
    Integer& size = SizeOf(Run, Item);
    Run.Balance = CheckedAdd(Run.Balance, CheckedSub(size, NewSize));
    size = NewSize;
    LeaveAdjustable(Run, Item);
}

std::vector<ShareItemT> ParseShareList(const AnsiString& SizeList) {
    std::vector<ShareItemT> items;
    if (SizeList.empty()) return items;
    AnsiString rest = SizeList;
    bool more = true;
    while (more) {
        more = rest.find(',') != AnsiString::npos;
        CheckShareCount(static_cast<Integer>(items.size()) + 1);
        AnsiString item;
        CutCommaToken(rest, item);
        AnsiString weightText;
        CutToken(item, "|", true, weightText);
        ShareItemT share{StrToFloatLenient(weightText, 0.0), NoValue, NoValue};
        if (!(share.Weight > 0.0)) share.Weight = NoWeight;
        share.Minimum = CutTokenInt(item, "|");
        share.Maximum = CutTokenInt(item, "|");
        if (share.Minimum != NoValue && share.Maximum != NoValue && share.Minimum > share.Maximum)
            share.Maximum = share.Minimum;
        items.push_back(share);
    }
    return items;
}

// Sizes by weight, rounded to nearest (ties to even); a positive remainder goes out one unit at a time
// from the first item on.
std::vector<Integer> SizesByWeight(Integer Total, const std::vector<ShareItemT>& Items) {
    Double sum = 0.0;
    for (const ShareItemT& item : Items) sum += item.Weight;
    if (sum == 0.0) sum = 1.0;
    std::vector<Integer> sizes;
    Int64 allotted = 0;
    for (const ShareItemT& item : Items) {
        const Double percentage = item.Weight / sum * 100.0;
        const Double size = std::nearbyint(static_cast<Double>(Total) * percentage / 100.0);
        if (!(size >= std::numeric_limits<Integer>::min() && size <= std::numeric_limits<Integer>::max()))
            throw ERangeError("Range check error");
        sizes.push_back(static_cast<Integer>(size));
        allotted += sizes.back();
    }
    Int64 remainder = static_cast<Int64>(Total) - allotted;
    for (std::size_t i = 0; remainder > 0; i = (i + 1) % sizes.size(), --remainder) ++sizes[i];
    return sizes;
}

// Items at or below their minimum are raised to it; the adjustable items then give back the deficit
// one unit each per round. An item without a minimum never gives up its last unit, so no size
// becomes negative.
void EnforceMinimums(ShareRunT& Run, const std::vector<ShareItemT>& Items) {
    const Integer count = static_cast<Integer>(Items.size());
    IndexList(1, count, Run.Adjustable);
    Run.Balance = 0;
    for (Integer item = 1; item <= count; ++item) {
        const ShareItemT& share = Items[static_cast<std::size_t>(item - 1)];
        if (HasMinimum(share) && SizeOf(Run, item) <= share.Minimum) FixItemSize(Run, item, share.Minimum);
    }
    while (Run.Balance < 0 && !Run.Adjustable.empty()) {
        for (Integer item = 1; item <= count && Run.Balance < 0; ++item) {
            if (!IsAdjustable(Run, item)) continue;
            const ShareItemT& share = Items[static_cast<std::size_t>(item - 1)];
            const Integer floor = HasMinimum(share) ? share.Minimum : 0;
            if (SizeOf(Run, item) > floor) {
                --SizeOf(Run, item);
                ++Run.Balance;
            } else {
                LeaveAdjustable(Run, item);
            }
        }
    }
}

// Items 2 to N - 1 smaller than the first grow to its size, paid by the last item while it keeps a unit.
void EqualizeMiddleItems(ShareRunT& Run) {
    const Integer count = static_cast<Integer>(Run.Sizes.size());
    if (count < 3) return;
    const Integer first = SizeOf(Run, 1);
    Integer& last = SizeOf(Run, count);
    for (Integer item = 2; item < count; ++item) {
        const Integer missing = first - SizeOf(Run, item);
        if (missing <= 0 || last - missing < 1) continue;
        SizeOf(Run, item) = first;
        last -= missing;
    }
}

// Items at or above their maximum are cut to it; the adjustable items below theirs then take the
// surplus one unit each per round.
void EnforceMaximums(ShareRunT& Run, const std::vector<ShareItemT>& Items) {
    const Integer count = static_cast<Integer>(Items.size());
    IndexList(1, count, Run.Adjustable);
    Run.Balance = 0;
    for (Integer item = 1; item <= count; ++item) {
        const Integer maximum = Items[static_cast<std::size_t>(item - 1)].Maximum;
        if (maximum != NoValue && SizeOf(Run, item) >= maximum) FixItemSize(Run, item, maximum);
    }
    while (Run.Balance > 0 && !Run.Adjustable.empty()) {
        for (Integer item = 1; item <= count && Run.Balance > 0; ++item) {
            if (!IsAdjustable(Run, item)) continue;
            const Integer maximum = Items[static_cast<std::size_t>(item - 1)].Maximum;
            if (maximum == NoValue || SizeOf(Run, item) < maximum) {
                ++SizeOf(Run, item);
                --Run.Balance;
            }
            if (maximum != NoValue && SizeOf(Run, item) >= maximum) LeaveAdjustable(Run, item);
        }
    }
}

void WriteSizes(const std::vector<Integer>& Sizes, bool RangeForm, AnsiString& Result) {
    AnsiString list;
    Integer position = 0;
    for (Integer size : Sizes) {
        AnsiString entry;
        if (RangeForm) {
            AnsiString from;
            AnsiString to;
            IntToStrVar(CheckedAdd(position, 1), from);
            IntToStrVar(CheckedAdd(position, size), to);
            entry = from + "-" + to;
            position = CheckedAdd(position, size);
        } else {
            IntToStrVar(size, entry);
        }
        list += "," + entry;
    }
    CollapseSeparators(list, ",", Result);
}

}  // namespace

void IndexList(Integer First, Integer Last, AnsiString& Result) {
    Result.clear();
    for (Integer item = First; item <= Last; ++item) {
        AnsiString number;
        IntToStrVar(item, number);
        Result += "," + number + ",";
    }
}

void DistributeSizes(Integer Total, const AnsiString& SizeList, bool RangeForm, AnsiString& Result,
                     bool EqualizeMiddle) {
    const std::vector<ShareItemT> items = ParseShareList(SizeList);
    if (items.empty()) {
        Result.clear();
        return;
    }
    bool anyMinimum = false;
    bool anyMaximum = false;
    for (const ShareItemT& item : items) {
        anyMinimum = anyMinimum || HasMinimum(item);
        anyMaximum = anyMaximum || item.Maximum != NoValue;
    }
    ShareRunT run;
    run.Sizes = SizesByWeight(Total, items);
    if (anyMinimum) EnforceMinimums(run, items);
    if (EqualizeMiddle) EqualizeMiddleItems(run);
    if (anyMaximum) EnforceMaximums(run, items);
    WriteSizes(run.Sizes, RangeForm, Result);
}

void DistributeEvenly(Integer Total, Integer Count, bool RangeForm, AnsiString& Result, bool EqualizeMiddle) {
    AnsiString list;
    if (Count >= 0) {
        CheckShareCount(Count);
        for (Integer i = 0; i < Count; ++i) list += ",100";
    } else {
        const Int64 length = -static_cast<Int64>(Count);
        const Int64 items = Total / length + (Total % length != 0 ? 1 : 0);
        CheckShareCount(static_cast<Integer>(items));
        AnsiString fixed;
        IntToStrVar(CheckedCast<Integer>(length), fixed);
        const AnsiString limited = EqualizeMiddle ? ",100|" + fixed + "|" + fixed : ",100";
        for (Int64 i = 1; i <= items; ++i) list += i < items ? limited : AnsiString(",100");
    }
    CollapseSeparators(list, ",", list);
    DistributeSizes(Total, list, RangeForm, Result, EqualizeMiddle);
}

}  // namespace valstr
