#pragma once
// What a grid keeps per row and column beneath its window: the sizes of one axis with running totals
// (TGridAxis) and a string grid's texts and objects (TGridCellStore), each with the batch operations that
// rearrange whole rows (columns) at the cost of one pass, and the description of one such change as a grid
// hands it to what it keeps (TGridLineChange).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "Classes.h"

// The sizes of the columns (rows) of a grid and their running totals. A size left at the default takes no
// storage; the first changed size brings a Fenwick tree of the differences from the default, which then
// grows and shrinks with the count a cell at a time.
class TGridAxis {
public:
    explicit TGridAxis(Integer Count, Integer DefaultSize) : count_(Count), default_(DefaultSize) {}
    Integer Count() const { return count_; }
    void SetCount(Integer Value);  // new cells take the default size
    Integer DefaultSize() const { return default_; }
    void Reset(Integer DefaultSize);  // every size becomes DefaultSize
    Integer Size(Integer Index) const;
    void SetSize(Integer Index, Integer Value);
    // Sum of the sizes of cells First..Last-1, each followed by LineWidth.
    std::int64_t Span(Integer First, Integer Last, Integer LineWidth) const;
    // The cell at Offset pixels after the start of cell First (cells followed by LineWidth): Count when the
    // offset lies past the last cell.
    Integer CellAt(Integer First, std::int64_t Offset, Integer LineWidth) const;

    // Batch changes; indices are checked by the caller.
    // ACount cells of the default size before Index (Index may be Count).
    void Insert(Integer Index, Integer ACount);
    void Delete(Integer Index, Integer ACount);
    // Moves the size at From to To, shifting those between.
    void Move(Integer From, Integer To);
    void Exchange(Integer A, Integer B);
    // Cell i takes the size cell Order[i] had; Order is a permutation of 0..Count-1.
    void Permute(std::span<const Integer> Order);
    // Takes the cells at Indices (ascending) out and returns their sizes; the others close up.
    std::vector<Integer> Take(std::span<const Integer> Indices);
    // Puts cells of Sizes back so that they end at Indices (ascending, in the grown axis).
    void Put(std::span<const Integer> Indices, std::span<const Integer> Sizes);

    // Memory held beyond the object itself.
    std::size_t HeapBytes() const;
    // Changes with every change of a count or size.
    std::uint64_t Version() const { return version_; }

private:
    std::int64_t Prefix(Integer Last) const;  // sum of the differences of cells 0..Last-1
    void Build();
    // Sizes stored from here on, all at the default: the first change needs them.
    void Materialize();

    Integer count_;
    Integer default_;
    std::vector<Integer> sizes_;      // empty while every size is the default
    std::vector<std::int64_t> tree_;  // Fenwick tree over size - default, 1-based
    std::uint64_t version_ = 0;
};

// The texts and objects of a string grid. A row takes storage at its first write; a cell written beyond the
// counts is kept and shows once the counts reach it; lowering a count forgets what lies beyond (objects
// are not freed: the grid never owns them). A stored row is one allocation reached by one pointer, so rows
// move between places as pointers do, never copied.
class TGridRow;

// One row's cells held apart from any store, as a grid keeps a row it took out on its own: moved, never
// copied. Holds nothing while the row was never written.
class TGridRowCells {
public:
    TGridRowCells() = default;
    TGridRowCells(TGridRowCells&& Other) noexcept : row_(std::exchange(Other.row_, nullptr)) {}
    TGridRowCells& operator=(TGridRowCells&& Other) noexcept;
    ~TGridRowCells();

    // One past the last cell holding a text or an object.
    Integer Count() const;
    const AnsiString& Text(Integer ACol) const;  // "" past the cells held
    TObject* Object(Integer ACol) const;         // nil past the cells held
    // Moves the text out, leaving the cell empty.
    AnsiString TakeText(Integer ACol);
    void SetText(Integer ACol, AnsiString Value);
    void SetObject(Integer ACol, TObject* Value);

private:
    friend class TGridCellStore;
    TGridRow* row_ = nullptr;
};

class TGridCellStore {
public:
    // Rows taken out of a store, in the order they were taken; they go back with PutRows, all or part.
    class TRowBlock {
    public:
        TRowBlock() = default;
        TRowBlock(TRowBlock&& Other) noexcept : rows_(std::move(Other.rows_)), objectRows_(Other.objectRows_) {
            Other.rows_.clear();
            Other.objectRows_ = 0;
        }
        TRowBlock& operator=(TRowBlock&& Other) noexcept;
        ~TRowBlock();

        Integer Count() const { return static_cast<Integer>(rows_.size()); }
        // "" (nil) when never written; Col and Index from 0.
        const AnsiString& Text(Integer ACol, Integer Index) const;
        TObject* Object(Integer ACol, Integer Index) const;
        // Moves the rows at Indices (ascending, in this block) into a block of their own; the others close up.
        TRowBlock Split(std::span<const Integer> Indices);
        // Hands every row out on its own, in order; the block is empty afterwards.
        std::vector<TGridRowCells> Release();
        void Append(TGridRowCells&& Row);

    private:
        friend class TGridCellStore;
        // Counts the rows holding objects; a block never reads its rows for it when there are none.
        void CountObjectRows();

        std::vector<TGridRow*> rows_;  // owned; nil for a row never written
        Integer objectRows_ = 0;       // rows with an object list
    };

    TGridCellStore() = default;
    TGridCellStore(const TGridCellStore&) = delete;
    TGridCellStore& operator=(const TGridCellStore&) = delete;
    ~TGridCellStore();

    // "" when never written. The reference holds until the next write or count change.
    const AnsiString& Text(Integer ACol, Integer ARow) const;
    TObject* Object(Integer ACol, Integer ARow) const;  // nil when never written
    // Both at once, for readers that need the object to know which text to read: one row look-up.
    const AnsiString& Cell(Integer ACol, Integer ARow, TObject*& Object) const;
    // A hint that cells FirstCol..LastCol of row ARow are read soon: they are brought towards the
    // processor meanwhile. Learning where the row is takes a trip to memory of its own: PrefetchPlace asks
    // for that only, some time before Prefetch.
    void Prefetch(Integer ARow, Integer FirstCol, Integer LastCol) const;
    void PrefetchPlace(Integer ARow) const;
    // A row's first write makes room for Width cells at once. False when the text was there already.
    bool SetText(Integer ACol, Integer ARow, const AnsiString& Value, Integer Width = 0);
    void SetObject(Integer ACol, Integer ARow, TObject* Value);
    // Forgets every row at or beyond RowCount.
    void TruncateRows(Integer RowCount);
    // Forgets every cell at or beyond ColCount (a walk over the stored rows).
    void TruncateCols(Integer ColCount);

    // Batch changes of rows: every row behind the change, far ones included, moves with it.
    void InsertRows(Integer ARow, Integer ACount);
    void DeleteRows(Integer ARow, Integer ACount);
    void MoveRow(Integer From, Integer To);
    void ExchangeRows(Integer A, Integer B);
    // Row i takes the cells row Order[i] had; Order is a permutation of 0..Order.size()-1.
    void PermuteRows(std::span<const Integer> Order);
    // Takes the rows at Rows (ascending) out; the rows after each close up.
    TRowBlock TakeRows(std::span<const Integer> Rows);
    // Puts the block's rows back so that they end at Rows (ascending, one per block row, in the grown store).
    void PutRows(std::span<const Integer> Rows, TRowBlock&& Block);
    // Columns change within every stored row.
    void InsertCols(Integer ACol, Integer ACount);
    void DeleteCols(Integer ACol, Integer ACount);
    void MoveCol(Integer From, Integer To);
    // Calls Visit for every cell holding an object, row by row; rows without objects cost nothing.
    void ForEachObject(const std::function<void(Integer ACol, Integer ARow, TObject* Object)>& Visit) const;

    // Memory held for cells, the texts' own buffers included.
    std::size_t HeapBytes() const;

private:
    TGridRow* FindRow(Integer ARow) const;
    // The slot of row ARow, made when missing (its row may still be nil).
    TGridRow*& SlotFor(Integer ARow);
    // Makes the table reach ARow, taking in the rows the map held there.
    void Cover(Integer ARow);
    // Moves every far row at or after From by Delta rows.
    void ShiftFar(Integer From, Integer Delta);
    // Frees a row; keeps the count of rows holding objects.
    void Forget(TGridRow*& Row);
    template <typename Edit>
    void ForEachRow(Edit&& edit);

    std::vector<TGridRow*> rows_;       // rows 0 .. size-1 by index; owned, nil while never written
    std::map<Integer, TGridRow*> far_;  // rows written far beyond the others; owned
    Integer objectRows_ = 0;            // rows with an object list
};

enum TGridLineChangeKind { lcInsert, lcDelete, lcMove, lcExchange, lcPermute, lcTake, lcPut };

// One change of a grid's rows (columns), as the grid has applied it to its sizes and hands it on to what
// it keeps per row (column): lcInsert/lcDelete Count lines at Index; lcMove from Index to Other; lcExchange
// Index and Other; lcPermute line i takes line Lines[i]; lcTake the lines at Lines out into Block; lcPut the
// lines of Block back at Lines.
struct TGridLineChange {
    bool Columns = false;
    TGridLineChangeKind Kind = lcInsert;
    Integer Index = 0;
    Integer Count = 0;
    Integer Other = 0;
    std::span<const Integer> Lines = {};
    TGridCellStore::TRowBlock* Block = nullptr;
    // The current cell, the anchor and the edited cell keep their line numbers, as when a grid's texts are
    // copied between rows instead of its rows moving.
    bool KeepPlaces = false;
};

// Rows a grid took out: where they were (ascending), their heights and their cells.
struct TGridTakenRows {
    std::vector<Integer> Rows;
    std::vector<Integer> Heights;
    TGridCellStore::TRowBlock Cells;
    // Moves the taken rows at Indices (ascending, into this set) into a set of their own, to be put back
    // apart from the others.
    TGridTakenRows Split(std::span<const Integer> Indices);
};
