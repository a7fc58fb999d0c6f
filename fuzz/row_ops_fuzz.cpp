// Random row and column operations on a small grid with hidden rows, selection flags and merged cells,
// checked against a plain model of its rows in real order. Each row carries a label: column 0 holds it,
// another column its label and that column's tag (a new column's cells are empty). After every step the
// shown rows, their cells, heights and flags are the model's, each hidden row's Idx is its real place,
// and every merged range is whole. UnhideAllRows at the end brings back exactly the model's rows, their
// cells in the columns they moved to.
//
// Input: operations of an opcode byte and four argument bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"

using namespace ProGrid;

using fuzzstage::NewStageGrid;
using fuzzstage::RunSteps;

namespace {

constexpr Integer MaxRows = 40;
constexpr Integer MaxCols = 8;

struct TModelRow {
    std::string Label;  // "" for a row emptied or just inserted
    Integer Height = 0;
    bool Hidden = false;
    bool Flag = false;
};

RAdeRedeviDidi& SharedGrid() {
    static RAdeRedeviDidi* grid = [] {
        auto* made = NewStageGrid<RAdeRedeviDidi>();
        made->MouseActions()->SetDisjunctRowSelect(true);
        made->Navigation()->SetMoveRowOnSort(true);
        return made;
    }();
    return *grid;
}

class TRowOpsRun {
public:
    TRowOpsRun() : grid_(&SharedGrid()) {
        grid_->UnhideAllRows();
        grid_->ClearAll();
        grid_->ClearRowSelect();
        grid_->SetColCount(4);
        grid_->SetRowCount(10);
        grid_->SetFixedRows(0);
        grid_->SetFixedCols(0);
        tags_ = {"", "a", "b", "c"};
        for (Integer r = 0; r < 10; ++r) model_.push_back(Labelled(r));
    }

    void Step(std::uint8_t Op, Integer A, Integer B, Integer C, Integer D) {
        const Integer n = grid_->RowCount();
        switch (Op % 10) {
            case 0: Remove(A % (n + 2) - 1, B % 5); break;
            case 1: Insert(A % (n + 3) - 1, B % 4); break;
            case 2: Exchange(A % (n + 2) - 1, B % (n + 2) - 1); break;
            case 3: Hide(A % (Real() + 2) - 1, A % (Real() + 2) - 1 + B % 4); break;
            case 4: UnhideAll(); break;
            case 5: Flag(A % n, (B & 1) != 0); break;
            case 6: RemoveSelected(); break;
            case 7: InsertCols(1 + A % grid_->ColCount(), 1 + B % 2); break;
            case 8: RemoveCols(1 + A % grid_->ColCount(), 1 + B % 3); break;
            case 9:
                if (grid_->HiddenRowCount() == 0) grid_->MergeCells(A % grid_->ColCount(), B % n, 1 + C % 2, 1 + D % 3);
                break;
        }
        CheckState();
    }

    void Finish() {
        UnhideAll();
        CheckState();
    }

private:
    Integer Real() const { return static_cast<Integer>(model_.size()); }

    std::string CellOf(const TModelRow& Row, std::size_t Col) const {
        if (Row.Label.empty() || Col >= tags_.size()) return {};
        if (Col == 0) return Row.Label;
        return tags_[Col].empty() ? std::string() : Row.Label + tags_[Col];
    }

    // Writes a fresh label into display row ARow.
    TModelRow Labelled(Integer ARow) {
        TModelRow row{"L" + std::to_string(next_++), 10 + next_ % 13};
        for (Integer c = 0; c < grid_->ColCount(); ++c)
            grid_->SetCells(c, ARow, CellOf(row, static_cast<std::size_t>(c)));
        grid_->SetRowHeights(ARow, row.Height);
        return row;
    }

    // The model index of display row ARow; Real() for the row after the last.
    std::size_t ModelIndex(Integer ARow) const {
        Integer shown = 0;
        for (std::size_t i = 0; i < model_.size(); ++i)
            if (!model_[i].Hidden && shown++ == ARow) return i;
        return model_.size();
    }
    std::vector<std::size_t> ShownIndices() const {
        std::vector<std::size_t> shown;
        for (std::size_t i = 0; i < model_.size(); ++i)
            if (!model_[i].Hidden) shown.push_back(i);
        return shown;
    }

    // A removal of every shown row keeps the first, emptied.
    void RemoveShown(std::vector<std::size_t> Doomed) {
        if (Doomed.empty()) return;
        if (Doomed.size() == ShownIndices().size()) {
            TModelRow& kept = model_[Doomed.front()];
            kept.Label.clear();
            kept.Flag = false;
            Doomed.erase(Doomed.begin());
        }
        for (auto at = Doomed.rbegin(); at != Doomed.rend(); ++at)
            model_.erase(model_.begin() + static_cast<std::ptrdiff_t>(*at));
    }

    void Remove(Integer ARow, Integer ACount) {
        grid_->RemoveRows(ARow, ACount);
        const std::vector<std::size_t> shown = ShownIndices();
        if (ARow < 0 || ARow >= static_cast<Integer>(shown.size()) || ACount <= 0) return;
        const auto last = std::min(shown.size(), static_cast<std::size_t>(ARow + ACount));
        RemoveShown({shown.begin() + ARow, shown.begin() + static_cast<std::ptrdiff_t>(last)});
    }

    void Insert(Integer ARow, Integer ACount) {
        const Integer n = grid_->RowCount();
        if (n + ACount > MaxRows) return;
        grid_->InsertRows(ARow, ACount);
        if (ARow < 0 || ARow > n || ACount <= 0) return;
        const auto at = static_cast<std::ptrdiff_t>(ModelIndex(ARow));
        for (Integer i = 0; i < ACount; ++i) {
            Check(grid_->RowHeights(ARow + i) == grid_->DefaultRowHeight());
            for (Integer c = 0; c < grid_->ColCount(); ++c) Check(grid_->Cells(c, ARow + i).empty());
            model_.insert(model_.begin() + at + i, Labelled(ARow + i));
        }
    }

    void Exchange(Integer ARow1, Integer ARow2) {
        grid_->ExchangeRows(ARow1, ARow2);
        const Integer n = grid_->RowCount();
        if (ARow1 < 0 || ARow2 < 0 || ARow1 >= n || ARow2 >= n) return;
        std::swap(model_[ModelIndex(ARow1)], model_[ModelIndex(ARow2)]);
    }

    // Hiding does not split merged ranges: the fuzz keeps them apart.
    void Hide(Integer AFrom, Integer ATo) {
        grid_->SplitAllCells();
        const Integer lastShown = grid_->RealRowIndex(grid_->RowCount() - 1);
        try {
            grid_->HideRows(AFrom, ATo);
        } catch (const EInvalidGridOperation&) {  // it would leave no row: nothing changes
            return;
        }
        AFrom = std::max(AFrom, 0);
        ATo = std::min(ATo, lastShown);
        if (AFrom > ATo || AFrom >= Real() || model_[static_cast<std::size_t>(AFrom)].Hidden) return;
        for (Integer r = AFrom; r <= ATo && r < Real(); ++r) {
            TModelRow& row = model_[static_cast<std::size_t>(r)];
            if (!row.Hidden) row = {row.Label, row.Height, true, false};
        }
    }

    void UnhideAll() {
        grid_->UnhideAllRows();
        for (TModelRow& row : model_) row.Hidden = false;
    }

    void Flag(Integer ARow, bool Value) {
        grid_->SetRowSelect(ARow, Value);
        model_[ModelIndex(ARow)].Flag = Value;
    }

    void RemoveSelected() {
        grid_->RemoveSelectedRows();
        std::vector<std::size_t> doomed;
        for (std::size_t i : ShownIndices())
            if (model_[i].Flag) doomed.push_back(i);
        RemoveShown(doomed);
    }

    void InsertCols(Integer ACol, Integer ACount) {
        if (grid_->ColCount() + ACount > MaxCols) return;
        grid_->InsertCols(ACol, ACount);
        tags_.insert(tags_.begin() + ACol, static_cast<std::size_t>(ACount), std::string());
    }

    void RemoveCols(Integer ACol, Integer ACount) {
        const Integer cols = grid_->ColCount();
        grid_->RemoveCols(ACol, ACount);
        if (ACol >= cols) return;
        ACount = std::min({ACount, cols - ACol, cols - 1});
        tags_.erase(tags_.begin() + ACol, tags_.begin() + ACol + ACount);
    }

    void CheckState() {
        Check(grid_->UpdateCount() == 0);
        Check(grid_->ColCount() == static_cast<Integer>(tags_.size()));
        const std::vector<std::size_t> shown = ShownIndices();
        Check(grid_->RowCount() == static_cast<Integer>(shown.size()));
        for (Integer r = 0; r < grid_->RowCount(); ++r) {
            const TModelRow& row = model_[shown[static_cast<std::size_t>(r)]];
            Check(grid_->RowHeights(r) == row.Height);
            Check(grid_->RowSelect(r) == row.Flag);
            for (Integer c = 0; c < grid_->ColCount(); ++c)
                Check(grid_->Cells(c, r) == CellOf(row, static_cast<std::size_t>(c)));
        }
        for (Integer r = grid_->RowCount(); r < grid_->RowCount() + grid_->HiddenRowCount(); ++r)
            Check(!grid_->RowSelect(r));
        std::vector<Integer> places;
        for (Integer i = 0; i < Real(); ++i)
            if (model_[static_cast<std::size_t>(i)].Hidden) places.push_back(i);
        Check(static_cast<Integer>(places.size()) == grid_->HiddenRowCount());
        for (Integer i = 0; i < grid_->HiddenRowCount(); ++i)
            Check(grid_->HiddenRows()->Items(i)->Idx() == places[static_cast<std::size_t>(i)]);
        // Ranges are whole while every row is shown (hiding does not split them).
        if (grid_->HiddenRowCount() > 0) return;
        for (Integer r = 0; r < grid_->RowCount(); ++r)
            for (Integer c = 0; c < grid_->ColCount(); ++c) {
                if (!grid_->IsMergedCell(c, r)) continue;
                const TPoint base = grid_->BaseCell(c, r);
                Check(base.X >= 0 && base.Y >= 0 && base.X <= c && base.Y <= r);
                Check(grid_->IsBaseCell(base.X, base.Y));
                const TPoint span = grid_->GetCellSpan(base.X, base.Y);
                Check(c <= base.X + span.X && r <= base.Y + span.Y);
                Check(base.X + span.X < grid_->ColCount() && base.Y + span.Y < grid_->RowCount());
            }
    }

    RAdeRedeviDidi* grid_;
    std::vector<TModelRow> model_;
    std::vector<std::string> tags_;
    int next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 500) return 0;
    RunSteps<TRowOpsRun>(data, size);
    return 0;
}
