// The grid's batch changes of rows and columns: one check, one change of the sizes, one hand-on to what a
// derived grid keeps per line, and the current cell carried along with its line.
#include <algorithm>

#include "vcl/Grids.h"

namespace {

[[noreturn]] void OutOfRange() { throw EInvalidGridOperation("Grid index out of range"); }

bool InRange(Integer Index, Integer Count) { return Index >= 0 && Index < Count; }

// Strictly ascending and within 0..Limit-1.
bool Ascending(std::span<const Integer> Lines, Integer Limit) {
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (!InRange(Lines[i], Limit) || (i > 0 && Lines[i] <= Lines[i - 1])) return false;
    return true;
}

bool IsPermutation(std::span<const Integer> Order, Integer Count) {
    if (Order.size() != static_cast<std::size_t>(Count)) return false;
    std::vector<bool> seen(Order.size());
    for (Integer line : Order) {
        if (!InRange(line, Count) || seen[static_cast<std::size_t>(line)]) return false;
        seen[static_cast<std::size_t>(line)] = true;
    }
    return true;
}

// Raises unless the change fits an axis of Count lines and leaves at least one.
void Check(const TGridLineChange& Change, Integer Count) {
    const auto taken = static_cast<Integer>(Change.Lines.size());
    bool valid = false;
    switch (Change.Kind) {
        case lcInsert: valid = Change.Index >= 0 && Change.Index <= Count && Change.Count >= 0; break;
        case lcDelete:
            valid =
                Change.Index >= 0 && Change.Count >= 0 && Change.Count <= Count - Change.Index && Change.Count < Count;
            break;
        case lcMove:
        case lcExchange: valid = InRange(Change.Index, Count) && InRange(Change.Other, Count); break;
        case lcPermute: valid = IsPermutation(Change.Lines, Count); break;
        case lcTake: valid = taken < Count && Ascending(Change.Lines, Count); break;
        case lcPut:
            valid = Change.Block && Change.Block->Count() == taken && Ascending(Change.Lines, Count + taken);
            break;
    }
    if (!valid) OutOfRange();
}

Integer CountBelow(std::span<const Integer> Lines, Integer Line) {
    return static_cast<Integer>(std::lower_bound(Lines.begin(), Lines.end(), Line) - Lines.begin());
}

bool Removes(const TGridLineChange& Change, Integer Line) {
    if (Change.Kind == lcDelete) return Line >= Change.Index && Line < Change.Index + Change.Count;
    return Change.Kind == lcTake && std::binary_search(Change.Lines.begin(), Change.Lines.end(), Line);
}

// Where the line at Line stands after the change; a removed line gives the one that takes its place.
Integer MapLine(const TGridLineChange& Change, Integer Line) {
    switch (Change.Kind) {
        case lcInsert: return Line >= Change.Index ? Line + Change.Count : Line;
        case lcDelete:
            if (Line < Change.Index) return Line;
            return Line >= Change.Index + Change.Count ? Line - Change.Count : Change.Index;
        case lcMove:
            if (Line == Change.Index) return Change.Other;
            if (Change.Index < Change.Other && Line > Change.Index && Line <= Change.Other) return Line - 1;
            if (Change.Other < Change.Index && Line >= Change.Other && Line < Change.Index) return Line + 1;
            return Line;
        case lcExchange:
            if (Line == Change.Index) return Change.Other;
            return Line == Change.Other ? Change.Index : Line;
        case lcPermute: {
            const auto found = std::find(Change.Lines.begin(), Change.Lines.end(), Line);
            return found == Change.Lines.end() ? Line : static_cast<Integer>(found - Change.Lines.begin());
        }
        case lcTake: return Line - CountBelow(Change.Lines, Line);
        case lcPut:
            // The places are ascending: past the line's own place, none moves it further.
            for (Integer put : Change.Lines) {
                if (put > Line) break;
                ++Line;
            }
            return Line;
    }
    return Line;
}

}  // namespace

void TCustomGrid::LinesChanged(const TGridLineChange&) {}

void TCustomGrid::ChangeLines(const TGridLineChange& Change, TGridTakenRows* Taken) {
    TGridAxis& axis = Change.Columns ? cols_ : rows_;
    Check(Change, axis.Count());
    const std::uint64_t layout = axis.Version();
    if (Change.Kind == lcPut && Taken->Heights.size() != Change.Lines.size()) OutOfRange();
    auto line = [&Change](TGridCoord& Cell) -> Integer& { return Change.Columns ? Cell.X : Cell.Y; };
    // The editor's text reaches its cell before the cell leaves; the editor shows again afterwards.
    if (editor_ && editor_->Visible() && Removes(Change, line(editCell_))) {
        WriteEditText();
        editor_->Hide();
    }
    switch (Change.Kind) {
        case lcInsert: axis.Insert(Change.Index, Change.Count); break;
        case lcDelete: axis.Delete(Change.Index, Change.Count); break;
        case lcMove: axis.Move(Change.Index, Change.Other); break;
        case lcExchange: axis.Exchange(Change.Index, Change.Other); break;
        case lcPermute: axis.Permute(Change.Lines); break;
        case lcTake: Taken->Heights = axis.Take(Change.Lines); break;
        case lcPut: axis.Put(Change.Lines, Taken->Heights); break;
    }
    LinesChanged(Change);

    Integer& fixed = Change.Columns ? fixedCols_ : fixedRows_;
    const Integer fixedBefore = fixed;
    fixed = std::min(fixed, axis.Count() - 1);
    const auto map = [&Change](Integer Line) { return Change.KeepPlaces ? Line : MapLine(Change, Line); };
    for (TGridCoord* cell : {&current_, &anchor_}) {
        Integer& at = line(*cell);
        at = std::clamp(map(at), fixed, axis.Count() - 1);
    }
    if (editCell_.X >= 0) line(editCell_) = map(line(editCell_));
    if (options_.Contains(goRowSelect)) {
        current_.X = fixedCols_;
        anchor_.X = ColCount() - 1;
    }
    // Rows exchanged at equal sizes leave the layout as it was: a sort does that many times.
    if (axis.Version() != layout || fixed != fixedBefore) {
        LayoutChanged();
        ClampTopLeft();
    }
    Invalidate();
    if (editorMode_) UpdateEdit();
}

void TCustomGrid::InsertGridRows(Integer ARow, Integer ACount) {
    ChangeLines({.Columns = false, .Kind = lcInsert, .Index = ARow, .Count = ACount});
}

void TCustomGrid::DeleteGridRows(Integer ARow, Integer ACount) {
    ChangeLines({.Columns = false, .Kind = lcDelete, .Index = ARow, .Count = ACount});
}

void TCustomGrid::ExchangeGridRows(Integer ARow1, Integer ARow2) {
    if (ARow1 == ARow2 && InRange(ARow1, RowCount())) return;
    ChangeLines({.Columns = false, .Kind = lcExchange, .Index = ARow1, .Other = ARow2});
}

void TCustomGrid::PermuteGridRows(std::span<const Integer> Order, bool KeepPlaces) {
    ChangeLines({.Columns = false, .Kind = lcPermute, .Lines = Order, .KeepPlaces = KeepPlaces});
}

TGridTakenRows TCustomGrid::TakeGridRows(std::span<const Integer> ARows) {
    TGridTakenRows taken;
    taken.Rows.assign(ARows.begin(), ARows.end());
    ChangeLines({.Columns = false, .Kind = lcTake, .Lines = ARows, .Block = &taken.Cells}, &taken);
    return taken;
}

void TCustomGrid::PutGridRows(std::span<const Integer> ARows, TGridTakenRows&& Taken) {
    ChangeLines({.Columns = false, .Kind = lcPut, .Lines = ARows, .Block = &Taken.Cells}, &Taken);
    Taken = {};
}

void TCustomGrid::InsertGridCols(Integer ACol, Integer ACount) {
    ChangeLines({.Columns = true, .Kind = lcInsert, .Index = ACol, .Count = ACount});
}

void TCustomGrid::DeleteGridCols(Integer ACol, Integer ACount) {
    ChangeLines({.Columns = true, .Kind = lcDelete, .Index = ACol, .Count = ACount});
}

void TCustomGrid::MoveColumn(Integer FromIndex, Integer ToIndex) {
    if (FromIndex == ToIndex && InRange(FromIndex, ColCount())) return;
    ChangeLines({.Columns = true, .Kind = lcMove, .Index = FromIndex, .Other = ToIndex});
    ColumnMoved(FromIndex, ToIndex);
}

void TCustomGrid::MoveRow(Integer FromIndex, Integer ToIndex) {
    if (FromIndex == ToIndex && InRange(FromIndex, RowCount())) return;
    ChangeLines({.Columns = false, .Kind = lcMove, .Index = FromIndex, .Other = ToIndex});
    RowMoved(FromIndex, ToIndex);
}

void TCustomGrid::ColumnMoved(Integer, Integer) {}
void TCustomGrid::RowMoved(Integer, Integer) {}

void TCustomGrid::DeleteColumn(Integer ACol) { DeleteGridCols(ACol, 1); }

void TCustomGrid::DeleteRow(Integer ARow) { DeleteGridRows(ARow, 1); }
