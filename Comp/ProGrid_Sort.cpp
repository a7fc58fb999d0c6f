// Sorting the grid's rows: the entry points, the frame they share, the quicksort of row indices and the
// one move of the rows that ends each sort.
#include <algorithm>
#include <numeric>

#include "ProGrid.h"
#include "ProGrid_Sort.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// The rows' order, sorted in place; After(a, b) is 1 when row a is to stand after row b. The partition is
// the grid's quicksort: the middle row as pivot, equal rows stopping both scans, bounds checked, so a
// comparison that contradicts itself still ends with the rows permuted. Past a depth of twice the
// logarithm the rest is heap-sorted, so no input takes quadratic time. The scans read rows in an order
// the processor cannot guess: Touch(row, Cells) asks for a row's cells (else for where the row is) some
// steps ahead of their comparisons.
template <typename AfterFn, typename TouchFn>
class TRowSorter {
public:
    TRowSorter(std::vector<Integer>& Rows, AfterFn After, TouchFn Touch) : rows_(Rows), after_(After), touch_(Touch) {}

    void Sort(Integer Lo, Integer Hi) {
        Integer depth = 0;
        for (Integer n = Hi - Lo + 1; n > 1; n >>= 1) depth += 2;
        QuickSort(Lo, Hi, depth);
    }

private:
    Integer& At(Integer I) { return rows_[static_cast<std::size_t>(I)]; }

    void QuickSort(Integer Lo, Integer Hi, Integer Depth) {
        while (Lo < Hi) {
            if (Depth-- == 0) return HeapSort(Lo, Hi);
            const Integer pivot = At(Lo + (Hi - Lo) / 2);
            Integer i = Lo, j = Hi;
            // Whether each scan goes on, touching the rows it reaches next.
            const auto iGoesOn = [&] {
                Ahead(i, 1, Lo, Hi);
                return after_(pivot, At(i)) == 1 && i < Hi;
            };
            const auto jGoesOn = [&] {
                Ahead(j, -1, Lo, Hi);
                return after_(At(j), pivot) == 1 && j > Lo;
            };
            do {
                while (iGoesOn()) ++i;
                while (jGoesOn()) --j;
                if (i <= j) {
                    std::swap(At(i), At(j));
                    ++i;
                    --j;
                }
            } while (i <= j);
            // The smaller side first, by recursion; the larger one by the loop.
            if (j - Lo < Hi - i) {
                if (Lo < j) QuickSort(Lo, j, Depth);
                Lo = i;
            } else {
                if (i < Hi) QuickSort(i, Hi, Depth);
                Hi = j;
            }
        }
    }

    void HeapSort(Integer Lo, Integer Hi) {
        const Integer n = Hi - Lo + 1;
        for (Integer k = n / 2 - 1; k >= 0; --k) SiftDown(Lo, k, n);
        for (Integer end = n - 1; end > 0; --end) {
            std::swap(At(Lo), At(Lo + end));
            SiftDown(Lo, 0, end);
        }
    }

    void SiftDown(Integer Lo, Integer K, Integer N) {
        for (Integer child; (child = 2 * K + 1) < N; K = child) {
            if (child + 1 < N && after_(At(Lo + child + 1), At(Lo + child)) == 1) ++child;
            if (after_(At(Lo + child), At(Lo + K)) != 1) return;
            std::swap(At(Lo + K), At(Lo + child));
        }
    }

    static constexpr Integer TouchAhead = 8;
    // Touches the cells of the row TouchAhead places on from I in the scan's Step, when that row lies in
    // Lo..Hi, and the place of the row twice as far.
    void Ahead(Integer I, Integer Step, Integer Lo, Integer Hi) {
        const Integer next = I + Step * TouchAhead;
        if (next < Lo || next > Hi) return;
        touch_(At(next), true);
        const Integer farther = I + 2 * Step * TouchAhead;
        if (farther >= 0 && farther < static_cast<Integer>(rows_.size())) touch_(At(farther), false);
    }

    std::vector<Integer>& rows_;
    AfterFn after_;
    TouchFn touch_;
};

// Sorts Rows[Lo..Hi], rows of the grid whose cells Cells keeps, by keys in columns FirstCol..LastCol.
template <typename AfterFn>
void SortRows(const TGridCellStore& Cells, Integer FirstCol, Integer LastCol, std::vector<Integer>& Rows, Integer Lo,
              Integer Hi, AfterFn After) {
    const auto touch = [&](Integer ARow, bool RowCells) {
        if (RowCells) Cells.Prefetch(ARow, FirstCol, LastCol);
        else Cells.PrefetchPlace(ARow);
    };
    TRowSorter<AfterFn, decltype(touch)>(Rows, After, touch).Sort(Lo, Hi);
}

std::vector<Integer> Identity(Integer Count) {
    std::vector<Integer> order(static_cast<std::size_t>(std::max(Count, 0)));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

}  // namespace

// ---------------------------------------------------------------------------
// The frame

// What a sort changes around the rows: the update bracket, three rows more, the hidden columns shown, the
// last column's width, the current row. All of it comes back on every way out; the rows themselves move
// only at Finish.
class RAdeRedeviDidi::TSortFrame {
public:
    explicit TSortFrame(RAdeRedeviDidi& Grid) : grid_(Grid), rows_(Grid.RowCount()), row_(Grid.Row()) {
        grid_.StartRowOrder();
        grid_.imageSerials_.clear();
        grid_.BeginUpdate();
        grid_.sorting_ = true;
        try {
            grid_.SetRowCount(rows_ + 3);
            grid_.SetLogicalRowCount(rows_);
            width_ = grid_.ColWidths(grid_.ColCount() - 1);
            cols_ = grid_.ColCount();
            if (grid_.HiddenColCount() > 0) grid_.SetColCount(cols_ + grid_.HiddenColCount());
            grid_.sortRememberedRow_ = row_;
            // The current row waits in the first extra row while the others move.
            if (grid_.Navigation()->MoveRowOnSort()) grid_.SetRow(rows_);
        } catch (...) {
            Restore();
            throw;
        }
    }
    ~TSortFrame() {
        if (!restored_) Restore();
    }
    TSortFrame(const TSortFrame&) = delete;
    TSortFrame& operator=(const TSortFrame&) = delete;

    // The data rows as the grid counts them without the extra rows.
    Integer FirstDataRow() const { return grid_.FixedRows(); }
    Integer LastDataRow() const { return rows_ - 1 - grid_.FixedFooters(); }
    // The rows' order, one entry per row of the grid as it stands in the frame.
    std::vector<Integer> Order() const { return Identity(grid_.RowCount()); }

    // Moves the rows into Order, puts the current row where the sort wants it and closes the frame;
    // ReportRow fires OnRowUpdate as Sort does.
    void Finish(std::vector<Integer>& Order, bool FollowRow, bool ReportRow) {
        grid_.MoveSortedRows(Order);
        const bool moveRow = grid_.Navigation()->MoveRowOnSort();
        const Integer target = moveRow || FollowRow ? grid_.sortRememberedRow_ : row_;
        if (grid_.Row() != target && target < grid_.RowCount()) grid_.SetRow(target);
        RestoreCounts();
        if (ReportRow && !moveRow && grid_.OnRowUpdate) grid_.OnRowUpdate(&grid_, row_, grid_.Row());
        Close();
    }

private:
    void RestoreCounts() {
        if (grid_.ColCount() != cols_) grid_.SetColCount(cols_);
        if (width_ >= 0 && cols_ <= grid_.ColCount()) grid_.SetColWidths(cols_ - 1, width_);
        if (grid_.RowCount() != rows_) {
            // The current row leaves the extra rows first, where a failed sort left it.
            if (grid_.Row() >= rows_) grid_.SetRow(std::min(row_, rows_ - 1));
            grid_.SetRowCount(rows_);
        }
        grid_.SetLogicalRowCount(grid_.RowCount());
    }

    void Close() {
        restored_ = true;
        grid_.sortRememberedRow_ = -1;
        grid_.sorting_ = false;
        grid_.EndUpdate();
    }

    // On the way out of a failed sort: no row has moved.
    void Restore() noexcept {
        try {
            RestoreCounts();
        } catch (...) {
            // The exception on its way out says what went wrong; the bracket must close all the same.
        }
        Close();
    }

    RAdeRedeviDidi& grid_;
    const Integer rows_;
    const Integer row_;
    Integer cols_ = 0;
    Integer width_ = -1;
    bool restored_ = false;
};

// ---------------------------------------------------------------------------
// Entry points

void RAdeRedeviDidi::StartRowOrder() {
    if (rowOrderList_->Count() == RowCount()) return;
    rowOrderList_->Clear();
    for (Integer r = 0; r < RowCount(); ++r) rowOrderList_->Add(r);
}

// A sort started from an event of a running one would move the rows under it: it does nothing.
void RAdeRedeviDidi::Sort() {
    if (sorting_) return;
    sortIndexes_->Clear();
    TSortFrame frame(*this);
    TCellComparer comparer(*this);
    std::vector<Integer> order = frame.Order();
    const Integer column = SortSettings()->Column();
    SortRows(Store(), column, column, order, frame.FirstDataRow(), frame.LastDataRow(),
             [&comparer](Integer A, Integer B) { return comparer.After(A, B); });
    frame.Finish(order, false, true);
}

void RAdeRedeviDidi::SortIndexed() {
    if (sorting_) return;
    if (sortIndexes_->Count() == 0) throw EProGridError("No indexes specified for indexed sort");
    std::vector<Integer> indexes(static_cast<std::size_t>(sortIndexes_->Count()));
    for (Integer k = 0; k < sortIndexes_->Count(); ++k) indexes[static_cast<std::size_t>(k)] = sortIndexes_->Items(k);
    TSortFrame frame(*this);
    TCellComparer comparer(*this);
    std::vector<Integer> order = frame.Order();
    const auto [first, last] = std::minmax_element(
        indexes.begin(), indexes.end(), [](Integer A, Integer B) { return (A & 0x7FFFFFFF) < (B & 0x7FFFFFFF); });
    SortRows(Store(), *first & 0x7FFFFFFF, *last & 0x7FFFFFFF, order, frame.FirstDataRow(), frame.LastDataRow(),
             [&](Integer A, Integer B) { return comparer.CompareIndexed(indexes, A, B); });
    frame.Finish(order, false, false);
}

void RAdeRedeviDidi::SortWithinNodes() {
    if (sorting_) return;
    TSortFrame frame(*this);
    TCellComparer comparer(*this);
    std::vector<Integer> order = frame.Order();
    const Integer first = frame.FirstDataRow(), last = frame.LastDataRow();
    for (Integer r = first; r <= last; ++r) {
        if (!IsNode(r) || GetNodeState(r)) continue;
        // A child range never leaves the data rows.
        const Integer end = NodeEndRow(r, GetNodeSpan(r), last, [this](Integer R) { return IsNode(R); }) - 1;
        if (end - r + 1 <= 2) continue;
        SortRows(Store(), SortSettings()->Column(), SortSettings()->Column(), order, r + 1, end,
                 [&comparer](Integer A, Integer B) { return comparer.After(A, B); });
    }
    frame.Finish(order, true, false);
}

void RAdeRedeviDidi::RestoreOriginalOrder() {
    if (sorting_) return;
    StartRowOrder();
    // Rows by the order they had before the sorts; rows of equal entries keep their order.
    std::vector<Integer> order = Identity(RowCount());
    std::vector<Integer> before(order.size());
    for (Integer r = 0; r < RowCount(); ++r) before[static_cast<std::size_t>(r)] = rowOrderList_->Items(r);
    std::stable_sort(order.begin(), order.end(), [&before](Integer A, Integer B) {
        return before[static_cast<std::size_t>(A)] < before[static_cast<std::size_t>(B)];
    });
    BeginUpdate();
    const TScopeExit endUpdate([this] { EndUpdate(); });
    MoveSortedRows(order);
}

// ---------------------------------------------------------------------------
// Moving the rows

void RAdeRedeviDidi::MoveSortedRows(const std::vector<Integer>& Order) {
    const auto count = static_cast<Integer>(Order.size());
    const auto at = [&Order](Integer I) { return Order[static_cast<std::size_t>(I)]; };
    // An event that changed the row count during the sort leaves the rows where they are.
    if (count != RowCount()) return;
    Integer first = 0, last = count - 1;
    while (first < count && at(first) == first) ++first;
    if (first == count) return;
    while (at(last) == last) --last;

    // The order the rows had before the sorts moves with them.
    const Integer listed = std::min(last + 1, rowOrderList_->Count());
    if (first < listed) {
        std::vector<Integer> entries(static_cast<std::size_t>(listed - first));
        for (Integer i = first; i < listed; ++i)
            entries[static_cast<std::size_t>(i - first)] = rowOrderList_->Items(at(i) < listed ? at(i) : i);
        for (Integer i = first; i < listed; ++i)
            rowOrderList_->SetItems(i, entries[static_cast<std::size_t>(i - first)]);
    }

    // Column 0 keeps its texts under NormalCellsOnly.
    std::vector<std::pair<Integer, AnsiString>> column0;
    if (SortSettings()->NormalCellsOnly() && FixedCols() > 0)
        for (Integer i = first; i <= last; ++i)
            if (at(i) != i) column0.emplace_back(i, Cells(0, i));

    if (SortSettings()->SingleColumn()) {
        const Integer column = SortSettings()->Column();
        SplitRangesOverRows(Order, first, last, column);
        std::vector<std::pair<AnsiString, TObject*>> cells;
        cells.reserve(static_cast<std::size_t>(last - first + 1));
        for (Integer i = first; i <= last; ++i) cells.emplace_back(Cells(column, at(i)), Objects(column, at(i)));
        for (Integer i = first; i <= last; ++i) {
            auto& [text, object] = cells[static_cast<std::size_t>(i - first)];
            SetCells(column, i, text);
            SetObjects(column, i, object);
        }
    } else {
        SplitRangesOverRows(Order, first, last, -1);
        if (MouseActions()->DisjunctRowSelect() && Navigation()->MoveRowOnSort())
            MoveRowSelectFlags(Order, first, last);
        if (sorting_)
            for (Integer i = first; i <= last; ++i)
                if (at(i) == sortRememberedRow_) {
                    sortRememberedRow_ = i;
                    break;
                }
        const Integer logical = LogicalRowCount();
        PermuteGridRows(Order, true);
        SetLogicalRowCount(logical);
    }
    for (auto& [row, text] : column0) SetCells(0, row, text);
}

// The flags of the rows First..Last go with their rows: by real row index under RowSelectPersistent.
void RAdeRedeviDidi::MoveRowSelectFlags(const std::vector<Integer>& Order, Integer First, Integer Last) {
    const bool persistent = MouseActions()->RowSelectPersistent();
    const auto flagOf = [&](Integer ARow) { return persistent ? RealRowIndex(ARow) : ARow; };
    const std::vector<bool> flags = rowSelect_;
    const auto flagged = static_cast<Integer>(flags.size());
    if (flagged == 0) return;
    for (Integer i = First; i <= Last; ++i) {
        const Integer from = flagOf(Order[static_cast<std::size_t>(i)]), to = flagOf(i);
        if (to >= 0 && to < flagged)
            rowSelect_[static_cast<std::size_t>(to)] =
                from >= 0 && from < flagged && flags[static_cast<std::size_t>(from)];
    }
}

void RAdeRedeviDidi::SplitRangesOverRows(const std::vector<Integer>& Order, Integer First, Integer Last,
                                         Integer Column) {
    std::vector<TPoint> bases;
    Store().ForEachObject([&](Integer ACol, Integer ARow, TObject* Object) {
        if (ARow < First || ARow > Last || Order[static_cast<std::size_t>(ARow)] == ARow) return;
        if (Column >= 0 && ACol != Column) return;
        const auto* props = dynamic_cast<const TCellProperties*>(Object);
        if (!props || !props->InRange()) return;
        // A range within one row moves whole with it.
        if (Column < 0 && GetCellSpan(ACol, ARow).Y == 0) return;
        bases.push_back(BaseCell(ACol, ARow));
    });
    for (const TPoint& base : bases)
        if (base.X >= 0 && base.Y >= 0 && IsMergedCell(base.X, base.Y)) SplitCells(base.X, base.Y);
}

}  // namespace ProGrid
