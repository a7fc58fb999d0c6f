// The string grid: a text and an object per cell, and each row and column as a string list.
#include <algorithm>
#include <utility>
#include <vector>

#include "vcl/Grids.h"

VCL_IMPLEMENT_CLASS(TStringGrid, VCL_CREATOR(TStringGrid), nullptr)

namespace {

void CheckIndex(Integer ACol, Integer ARow) {
    if (ACol < 0 || ARow < 0) throw EInvalidGridOperation("Grid index out of range");
}

}  // namespace

// One row (column) of the grid as a string list of ColCount (RowCount) lines; lines are not inserted or
// deleted, Add fills the first empty cell.
class TStringGrid::TLineStrings : public TStrings {
public:
    TLineStrings(TStringGrid& Grid, bool IsRow, Integer Index) : grid_(Grid), isRow_(IsRow), index_(Index) {}

    Integer Add(const AnsiString& S) override {
        for (Integer i = 0; i < GetCount(); ++i)
            if (Get(i).empty() && !GetObject(i)) {
                Put(i, S);
                return i;
            }
        return -1;
    }
    Integer AddObject(const AnsiString& S, TObject* AObject) override {
        const Integer i = Add(S);
        if (i >= 0) PutObject(i, AObject);
        return i;
    }
    // The source's lines from the first cell on, as many as there are cells; the cells past them stay.
    void Assign(TPersistent* Source) override {
        auto* source = dynamic_cast<TStrings*>(Source);
        if (!source) return TStrings::Assign(Source);
        if (source == this) return;
        // Read whole first: a crossing row and column share a cell.
        const Integer count = std::min(source->Count(), GetCount());
        std::vector<std::pair<AnsiString, TObject*>> lines;
        lines.reserve(static_cast<std::size_t>(count));
        for (Integer i = 0; i < count; ++i) lines.emplace_back(source->Strings(i), source->Objects(i));
        for (Integer i = 0; i < count; ++i) {
            Put(i, lines[static_cast<std::size_t>(i)].first);
            PutObject(i, lines[static_cast<std::size_t>(i)].second);
        }
    }
    void Clear() override {
        for (Integer i = 0; i < GetCount(); ++i) {
            Put(i, {});
            PutObject(i, nullptr);
        }
    }
    void Delete(Integer) override { throw EInvalidGridOperation("Cannot insert or delete rows from grid"); }
    void Insert(Integer, const AnsiString&) override {
        throw EInvalidGridOperation("Cannot insert or delete rows from grid");
    }

protected:
    AnsiString Get(Integer Index) const override { return grid_.Cells(Col(Index), Row(Index)); }
    Integer GetCount() const override { return isRow_ ? grid_.ColCount() : grid_.RowCount(); }
    TObject* GetObject(Integer Index) const override { return grid_.Objects(Col(Index), Row(Index)); }
    void Put(Integer Index, const AnsiString& S) override { grid_.SetCells(Col(Index), Row(Index), S); }
    void PutObject(Integer Index, TObject* AObject) override { grid_.SetObjects(Col(Index), Row(Index), AObject); }

private:
    Integer Col(Integer Index) const { return isRow_ ? Index : index_; }
    Integer Row(Integer Index) const { return isRow_ ? index_ : Index; }

    TStringGrid& grid_;
    bool isRow_;
    Integer index_;
};

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

const AnsiString& TStringGrid::Cells(Integer ACol, Integer ARow) const {
    CheckIndex(ACol, ARow);
    return store_.Text(ACol, ARow);
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const AnsiString& Value) {
    CheckIndex(ACol, ARow);
    if (store_.SetText(ACol, ARow, Value, ColCount()) && ACol < ColCount() && ARow < RowCount())
        InvalidateCell(ACol, ARow);
    CellTextChanged(ACol, ARow);
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const {
    CheckIndex(ACol, ARow);
    return store_.Object(ACol, ARow);
}

const AnsiString& TStringGrid::CellAndObject(Integer ACol, Integer ARow, TObject*& Object) const {
    CheckIndex(ACol, ARow);
    return store_.Cell(ACol, ARow, Object);
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) {
    CheckIndex(ACol, ARow);
    store_.SetObject(ACol, ARow, Value);
}

TStrings* TStringGrid::LineStrings(TLineViews& Views, bool IsRow, Integer Index) {
    if (Index < 0) throw EInvalidGridOperation("Grid index out of range");
    std::unique_ptr<TLineStrings>& view = Views[Index];
    if (!view) view = std::make_unique<TLineStrings>(*this, IsRow, Index);
    return view.get();
}

TStrings* TStringGrid::Rows(Integer Index) { return LineStrings(rowViews_, true, Index); }

void TStringGrid::SetRows(Integer Index, TStrings* Value) { Rows(Index)->Assign(Value); }

TStrings* TStringGrid::Cols(Integer Index) { return LineStrings(colViews_, false, Index); }

void TStringGrid::SetCols(Integer Index, TStrings* Value) { Cols(Index)->Assign(Value); }

void TStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
    TDrawGrid::SizeChanged(OldColCount, OldRowCount);
    if (RowCount() < OldRowCount) store_.TruncateRows(RowCount());
    if (ColCount() < OldColCount) store_.TruncateCols(ColCount());
}

void TStringGrid::LinesChanged(const TGridLineChange& Change) {
    TDrawGrid::LinesChanged(Change);
    if (Change.Columns) {
        // Columns are only inserted, deleted and moved.
        if (Change.Kind == lcInsert) store_.InsertCols(Change.Index, Change.Count);
        else if (Change.Kind == lcDelete) store_.DeleteCols(Change.Index, Change.Count);
        else store_.MoveCol(Change.Index, Change.Other);
        return;
    }
    switch (Change.Kind) {
        case lcInsert: store_.InsertRows(Change.Index, Change.Count); break;
        case lcDelete: store_.DeleteRows(Change.Index, Change.Count); break;
        case lcMove: store_.MoveRow(Change.Index, Change.Other); break;
        case lcExchange: store_.ExchangeRows(Change.Index, Change.Other); break;
        case lcPermute: store_.PermuteRows(Change.Lines); break;
        case lcTake: *Change.Block = store_.TakeRows(Change.Lines); break;
        case lcPut: store_.PutRows(Change.Lines, std::move(*Change.Block)); break;
    }
}

// The cell's text is where OnGetEditText starts from.
AnsiString TStringGrid::GetEditText(Integer ACol, Integer ARow) {
    AnsiString value = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const AnsiString& Value) {
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
    if (DefaultDrawing()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void RegisterGrids() { RegisterClasses({TDrawGrid::ClassInfo(), TStringGrid::ClassInfo()}); }
