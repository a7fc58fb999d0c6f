// Random hiding, unhiding and row-count writes on a small grid, checked against a plain model of its rows
// in real order. Every row carries a label in its first cell and a height of its own. After every step:
// the rows shown are the model's rows that are not hidden, in order, each with its height; the hidden
// list is ascending and each Idx is its row's real place; the mappings are inverse. UnhideAllRows brings
// back exactly the model's rows. A lowered row count drops the shown rows past it; when hidden rows lay
// behind those, their Idx no longer match real places, and only the set of rows is checked until the next
// UnhideAllRows. Rows that leave the grid must leave no leak behind.
//
// Input: operations of an opcode byte and four argument bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace ProGrid;

using fuzzstage::NewStageGrid;
using fuzzstage::RunSteps;

namespace {

Integer HeightOf(const AnsiString& Label) { return 10 + static_cast<Integer>(std::stoi(Label.substr(1)) % 17); }

struct TModelRow {
    AnsiString Label;
    bool Hidden = false;
};

// The full grid is costly to make: one serves every run, laid anew at the start of each.
RAdeRedeviDidi& SharedGrid() {
    static RAdeRedeviDidi* grid = [] {
        auto* made = NewStageGrid<RAdeRedeviDidi>();
        made->SetColCount(3);
        return made;
    }();
    return *grid;
}

class THiddenRowsRun {
public:
    THiddenRowsRun() : grid_(&SharedGrid()) {
        grid_->UnhideAllRows();
        grid_->SetRowCount(12);
        for (Integer r = 0; r < 12; ++r) Label(r);
    }

    void Step(std::uint8_t Op, Integer A, Integer B, Integer C, Integer D) {
        const Integer span = Real() + 4;
        switch (Op % 6) {
            case 0: Hide([&] { grid_->HideRows(A % span - 2, B % span - 2); }); break;
            case 1: {
                auto list = std::make_unique<ProObj::TIntList>(0, 0);
                for (Integer value : {A, B, C, D}) list->Add(value % (grid_->RowCount() + 3) - 1);
                Hide([&] { grid_->HideRowList(list.get()); });
                break;
            }
            case 2: Unhide([&] { grid_->UnhideRows(A % span - 2, B % span - 2); }); break;
            case 3: UnhideAll(); break;
            case 4: SetRowCount(1 + A % 20); break;
            case 5: CheckHiddenCells(); break;
        }
        if (!exact_) FollowGridOrder();
        CheckState();
    }

    void Finish() {
        UnhideAll();
        CheckState();
    }

private:
    // The grid's rows in real order, hidden ones included, while the Idx match real places.
    Integer Real() const { return static_cast<Integer>(model_.size()); }

    void Label(Integer ARow) {
        const AnsiString label = "L" + std::to_string(next_++);
        grid_->SetCells(0, ARow, label);
        grid_->SetCells(2, ARow, label);
        grid_->SetRowHeights(ARow, HeightOf(label));
        model_.push_back({label, false});
    }

    std::vector<AnsiString> Shown() const {
        std::vector<AnsiString> labels;
        for (Integer r = 0; r < grid_->RowCount(); ++r) labels.push_back(grid_->Cells(0, r));
        return labels;
    }
    std::vector<AnsiString> ModelShown() const {
        std::vector<AnsiString> labels;
        for (const TModelRow& row : model_)
            if (!row.Hidden) labels.push_back(row.Label);
        return labels;
    }

    // A hide takes shown rows out, keeping the order of the others; the model marks them.
    template <typename Op>
    void Hide(Op&& op) {
        const std::vector<AnsiString> before = Shown();
        const Integer hiddenBefore = grid_->HiddenRowCount();
        try {
            op();
        } catch (const EInvalidGridOperation&) {  // it would leave no row: nothing changes
            Check(Shown() == before && grid_->HiddenRowCount() == hiddenBefore);
            return;
        }
        const std::vector<AnsiString> after = Shown();
        std::size_t next = 0;
        std::vector<AnsiString> taken;
        for (const AnsiString& label : before) {
            if (next < after.size() && after[next] == label) ++next;
            else taken.push_back(label);
        }
        Check(next == after.size());
        Check(grid_->HiddenRowCount() == hiddenBefore + static_cast<Integer>(taken.size()));
        for (const AnsiString& label : taken) Find(label).Hidden = true;
    }

    // An unhide brings hidden rows back among the shown ones, whose order stays.
    template <typename Op>
    void Unhide(Op&& op) {
        const std::vector<AnsiString> before = Shown();
        const Integer hiddenBefore = grid_->HiddenRowCount();
        op();
        const std::vector<AnsiString> after = Shown();
        std::size_t next = 0;
        std::vector<AnsiString> back;
        for (const AnsiString& label : after) {
            if (next < before.size() && before[next] == label) ++next;
            else back.push_back(label);
        }
        Check(next == before.size());
        Check(grid_->HiddenRowCount() == hiddenBefore - static_cast<Integer>(back.size()));
        for (const AnsiString& label : back) {
            TModelRow& row = Find(label);
            Check(row.Hidden);
            row.Hidden = false;
        }
    }

    void UnhideAll() {
        grid_->UnhideAllRows();
        Check(grid_->HiddenRowCount() == 0);
        std::vector<AnsiString> shown = Shown(), expected;
        for (const TModelRow& row : model_) expected.push_back(row.Label);
        if (exact_) {
            Check(shown == expected);
            for (TModelRow& row : model_) row.Hidden = false;
        } else {
            std::sort(shown.begin(), shown.end());
            std::sort(expected.begin(), expected.end());
            Check(shown == expected);
            model_.clear();
            for (const AnsiString& label : Shown()) model_.push_back({label, false});
            exact_ = true;
        }
    }

    void SetRowCount(Integer Count) {
        const std::vector<AnsiString> shown = Shown();
        const Integer old = grid_->RowCount();
        grid_->SetRowCount(Count);
        // The shown rows past the count go; a hidden row behind one of them keeps an Idx past its place.
        bool passedDropped = false;
        std::vector<TModelRow> kept;
        for (const TModelRow& row : model_) {
            const bool dropped =
                !row.Hidden && std::find(shown.begin() + std::min(Count, old), shown.end(), row.Label) != shown.end();
            if (dropped) passedDropped = true;
            else kept.push_back(row);
            if (row.Hidden && passedDropped) exact_ = false;
        }
        model_ = std::move(kept);
        for (Integer r = old; r < Count; ++r) Label(r);
    }

    // Without real places the model keeps the grid's order of the shown rows, the hidden ones after them.
    void FollowGridOrder() {
        std::vector<TModelRow> ordered;
        for (const AnsiString& label : Shown()) ordered.push_back(Find(label));
        for (const TModelRow& row : model_)
            if (row.Hidden) ordered.push_back(row);
        Check(ordered.size() == model_.size());
        model_ = std::move(ordered);
    }

    // The hidden items' cells, made into their lists here, are their rows' cells.
    void CheckHiddenCells() {
        for (Integer i = 0; i < grid_->HiddenRowCount(); ++i) {
            TGridItem* item = grid_->HiddenRows()->Items(i);
            const AnsiString label = item->Items()->Count() > 0 ? item->Items()->Strings(0) : AnsiString();
            Check(Find(label).Hidden);
            Check(item->Items()->Count() >= 3 && item->Items()->Strings(2) == label);
            Check(item->Height() == HeightOf(label));
        }
    }

    TModelRow& Find(const AnsiString& Label) {
        auto found =
            std::find_if(model_.begin(), model_.end(), [&Label](const TModelRow& row) { return row.Label == Label; });
        Check(found != model_.end());
        return *found;
    }

    void CheckState() {
        Check(Shown() == ModelShown());
        for (Integer r = 0; r < grid_->RowCount(); ++r) Check(grid_->RowHeights(r) == HeightOf(grid_->Cells(0, r)));
        // The hidden list ascends, and each Idx is its row's real place while those are known.
        std::vector<Integer> places;
        for (Integer i = 0; i < Real(); ++i)
            if (model_[static_cast<std::size_t>(i)].Hidden) places.push_back(i);
        Check(static_cast<Integer>(places.size()) == grid_->HiddenRowCount());
        for (Integer i = 0; i < grid_->HiddenRowCount(); ++i) {
            const Integer idx = grid_->HiddenRows()->Items(i)->Idx();
            Check(i == 0 || grid_->HiddenRows()->Items(i - 1)->Idx() < idx);
            Check(grid_->IsHiddenRow(idx));
            if (exact_) Check(idx == places[static_cast<std::size_t>(i)]);
        }
        for (Integer d = 0; d < grid_->RowCount(); ++d) {
            const Integer real = grid_->RealRowIndex(d);
            Check(!grid_->IsHiddenRow(real) && grid_->DisplayRowIndex(real) == d);
        }
    }

    RAdeRedeviDidi* grid_;
    std::vector<TModelRow> model_;
    bool exact_ = true;
    int next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    RunSteps<THiddenRowsRun>(data, size);
    return 0;
}
