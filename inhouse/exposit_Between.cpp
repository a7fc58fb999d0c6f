// The text between a start and an end marker: nested, innermost, outermost or first pair.
#include "exposit.h"
#include "exposit_Detail.h"

namespace exposit {

using namespace detail;

namespace {

struct Markers {
    const AnsiString& Start;
    const AnsiString& End;
    const AnsiString& Text;
    bool CaseSensitive;

    std::size_t NextStart(std::size_t From) const { return SearchFrom(Start, Text, From, CaseSensitive); }
    std::size_t NextEnd(std::size_t From) const { return SearchFrom(End, Text, From, CaseSensitive); }
};

struct Pair {
    std::size_t StartAt = NotFound;
    std::size_t EndAt = NotFound;
};

// The first Start and the End that closes its level; an End met where a Start also begins closes.
Pair Nested(const Markers& M) {
    const std::size_t first = M.NextStart(0);
    if (first == NotFound) return {};
    std::size_t depth = 1;
    std::size_t from = first + M.Start.size();
    while (true) {
        const std::size_t end = M.NextEnd(from);
        if (end == NotFound) return {};
        const std::size_t start = M.NextStart(from);
        if (start != NotFound && start < end) {
            ++depth;
            from = start + M.Start.size();
            continue;
        }
        if (--depth == 0) return {first, end};
        from = end + M.End.size();
    }
}

// The first End and the last Start that ends before it; an End without a Start before it is
// passed over, as is everything up to it.
Pair Innermost(const Markers& M) {
    std::size_t floor = 0;
    std::size_t end;
    while ((end = M.NextEnd(floor)) != NotFound) {
        Pair pair;
        for (std::size_t start = M.NextStart(floor); start != NotFound && start + M.Start.size() <= end;
             start = M.NextStart(start + 1))
            pair = Pair{start, end};
        if (pair.StartAt != NotFound) return pair;
        floor = end + M.End.size();
    }
    return {};
}

// The first Start and the first (First) or last End after it.
Pair FromFirstStart(const Markers& M, bool First) {
    const std::size_t start = M.NextStart(0);
    if (start == NotFound) return {};
    Pair pair;
    for (std::size_t end = M.NextEnd(start + M.Start.size()); end != NotFound; end = M.NextEnd(end + 1)) {
        pair = Pair{start, end};
        if (First) break;
    }
    return pair;
}

}  // namespace

bool FindBetween(const AnsiString& StartMarker, const AnsiString& EndMarker, const AnsiString& Text, Integer Options,
                 Integer& Len, Integer& Pos) {
    Len = 0;
    Pos = 0;
    const Markers markers{StartMarker, CloseOf(StartMarker, EndMarker), Text, (Options & fbCaseSensitive) != 0};
    if (markers.Start.empty() || markers.End.empty()) return false;
    const bool sameMarkers = markers.Start.size() == markers.End.size() && SameAt(markers.Start, 0, markers.End, false);
    Pair pair;
    if (Options & fbInnermost) pair = sameMarkers ? FromFirstStart(markers, true) : Innermost(markers);
    else if (Options & fbOutermost) pair = FromFirstStart(markers, false);
    else if (Options & fbFirstEnd) pair = FromFirstStart(markers, true);
    else pair = Nested(markers);
    if (pair.StartAt == NotFound) return false;
    std::size_t from = pair.StartAt;
    std::size_t to = pair.EndAt + markers.End.size();
    if (Options & fbExcludeMarkers) {
        from += markers.Start.size();
        to -= markers.End.size();
    }
    Pos = ToPos(from);
    Len = CheckedCast<Integer>(to - from);
    return true;
}

}  // namespace exposit
