// The grid's keyboard on a shown form, keys delivered as a user presses them. Each navigation key goes in a
// pair that comes back to the start (Down and Up, PgDn and PgUp, Ctrl+End and Ctrl+Home, Tab and
// Shift+Tab, Enter opening the editor and Enter moving on) on 100 and 1M rows: a pair may not cost more
// on 1M rows than on 100 (at most 1.2x, the growth column), and the class library's own grid pressing the
// same keys is its peer. Enter where no other cell may be edited walks the whole grid once: 1M x 10
// within 12x of 100k x 10, beside a loop asking the same question of every cell. Incremental search on
// 1M rows, the match in the last row, beside a loop comparing the same prefixes (at most 2x). Typing
// 1,000 characters into the in-place edit on 100 and 1M rows (at most 1.2x growth, 2x a plain edit typing
// the same), and a key that completes from 100k look-up items beside a scan with the same comparison (2x).
// F2 opening each separate editor type and the key that commits it, on 100 and 1M rows (at most 1.2x
// growth), beside the class library's grid opening and closing its own editor with F2 and Enter.
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "ProGrid_EditorClasses.h"
#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"

using namespace ProGrid;

namespace {

constexpr Integer kCols = 10;

enum TKeyPair { kDown, kPage, kCtrlEnd, kTab, kEnter };

// A shown, active form with a grid of Rows x kCols (one fixed row and column) that has the focus.
template <class TGrid>
struct TShownGrid {
    explicit TShownGrid(Integer Rows) : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 500, 400);
        grid = new TGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 480, 380);
        grid->SetColCount(kCols);
        grid->SetRowCount(Rows);
        grid->SetOptions(grid->Options().Include(goEditing).Include(goTabs));
        Testing::ShowAndActivate(form.get());
        Testing::Click(grid, 100, 40);
        Application->ProcessMessages();
    }
    TOwned<TForm> form;
    TGrid* grid = nullptr;
};

// The keys of one pair; Enter first opens the editor (the class library's Enter), then moves on.
void PressPair(TWinControl* Grid, TKeyPair Pair) {
    switch (Pair) {
        case kDown:
            Testing::KeyPress(Grid, VK_DOWN);
            Testing::KeyPress(Grid, VK_UP);
            break;
        case kPage:
            Testing::KeyPress(Grid, VK_NEXT);
            Testing::KeyPress(Grid, VK_PRIOR);
            break;
        case kCtrlEnd:
            Testing::KeyPress(Grid, VK_END, TShiftState{ssCtrl});
            Testing::KeyPress(Grid, VK_HOME, TShiftState{ssCtrl});
            break;
        case kTab:
            Testing::KeyPress(Grid, VK_TAB);
            Testing::KeyPress(Grid, VK_TAB, TShiftState{ssShift});
            break;
        case kEnter:
            Testing::KeyPress(Grid, VK_RETURN);
            Testing::KeyPress(Grid, VK_RETURN);
            break;
    }
}

template <class TGrid>
void KeyPairs(benchmark::State& state, TKeyPair pair) {
    TShownGrid<TGrid> shown(static_cast<Integer>(state.range(0)));
    TGrid* grid = shown.grid;
    if constexpr (std::is_same_v<TGrid, RAdeRedeviDidi>) grid->Navigation()->SetAdvanceOnEnter(true);
    // Both grids take the first pair the same way; a pair other than Enter comes back to its start.
    const std::pair<Integer, Integer> start{grid->Col(), grid->Row()};
    PressPair(grid, pair);
    const std::pair<Integer, Integer> after{grid->Col(), grid->Row()};
    if (pair != kEnter && after != start) state.SkipWithError("the pair did not come back");
    if (pair == kEnter && std::is_same_v<TGrid, RAdeRedeviDidi> && after != std::pair{start.first + 1, start.second})
        state.SkipWithError("Enter did not move on");
    for (auto _ : state) PressPair(grid, pair);
    state.SetItemsProcessed(state.iterations() * 2);
}

const std::pair<const char*, TKeyPair> kPairs[] = {
    {"Down", kDown}, {"PgDn", kPage}, {"CtrlEnd", kCtrlEnd}, {"Tab", kTab}, {"Enter", kEnter}};

// BM_Grid<pair> and its peer BM_StringGrid<pair>, on 100 and 1M rows.
void RegisterKeyPairs() {
    for (const auto& [name, pair] : kPairs) {
        benchmark::RegisterBenchmark((std::string("BM_Grid") + name).c_str(), KeyPairs<RAdeRedeviDidi>, pair)
            ->Arg(100)
            ->Arg(1000000);
        benchmark::RegisterBenchmark((std::string("BM_StringGrid") + name).c_str(), KeyPairs<TStringGrid>, pair)
            ->Arg(100)
            ->Arg(1000000);
    }
}

// Enter on (1, 1) where no other cell may be edited: the advance goes over every cell once and stays.
void BM_EnterWithoutEditableCell(benchmark::State& state) {
    TShownGrid<RAdeRedeviDidi> shown(static_cast<Integer>(state.range(0)));
    RAdeRedeviDidi* grid = shown.grid;
    grid->Navigation()->SetAdvanceOnEnter(true);
    Int64 asked = 0;
    grid->OnCanEditCell = [&](TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
        ++asked;
        CanEdit = ACol == 1 && ARow == 1;
    };
    grid->SetCol(1);
    grid->SetRow(1);
    for (auto _ : state) {
        Testing::KeyPress(grid, VK_F2);
        Testing::KeyPress(grid, VK_RETURN);
        if (grid->Col() != 1 || grid->Row() != 1) state.SkipWithError("Enter moved");
    }
    state.counters["cells asked"] = static_cast<double>(asked) / static_cast<double>(state.iterations());
}

// The same question of every cell after (1, 1), in the order Enter asks it.
void BM_AskEveryCell(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    const std::function<void(TObject*, Integer, Integer, bool&)> canEdit =
        [](TObject*, Integer ARow, Integer ACol, bool& CanEdit) { CanEdit = ACol == 1 && ARow == 1; };
    for (auto _ : state) {
        Int64 editable = 0;
        for (Integer row = 1; row < rows; ++row)
            for (Integer col = 1; col < kCols; ++col) {
                bool can = true;
                canEdit(nullptr, row, col, can);
                editable += can;
            }
        if (editable != 1) state.SkipWithError("not one editable cell");
        benchmark::DoNotOptimize(editable);
    }
}

std::string RowText(Integer Row) { return "item " + std::to_string(Row); }

// Typing the last row's text finds it: every row's prefix is compared on the way.
void BM_IncrementalSearch(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    TShownGrid<RAdeRedeviDidi> shown(rows);
    RAdeRedeviDidi* grid = shown.grid;
    grid->SetOptions(grid->Options().Exclude(goEditing));
    grid->Navigation()->SetAutoGotoWhenSorted(true);
    grid->Navigation()->SetAutoGotoIncremental(true);
    for (Integer row = 1; row < rows; ++row) grid->SetCells(1, row, RowText(row));
    const AnsiString last = AnsiUpperCase(RowText(rows - 1));
    for (auto _ : state) {
        grid->SetRow(1);
        Testing::KeyPress(grid, VK_LEFT);  // its release clears the text typed before
        Testing::TypeText(grid, RowText(rows - 1));
        if (grid->Row() != rows - 1) state.SkipWithError("the last row was not found");
    }
    // Typing the text n characters long searches n times.
    state.SetItemsProcessed(state.iterations() * static_cast<Int64>(last.size()));
}

// The searches the typing makes, over the same texts: each prefix of the last row's text, upper-cased.
void BM_PrefixLoop(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    std::vector<AnsiString> texts(static_cast<std::size_t>(rows));
    for (Integer row = 1; row < rows; ++row) texts[static_cast<std::size_t>(row)] = RowText(row);
    const AnsiString last = AnsiUpperCase(RowText(rows - 1));
    for (auto _ : state) {
        Integer found = -1;
        for (std::size_t length = 1; length <= last.size(); ++length) {
            const AnsiString prefix = last.substr(0, length);
            found = -1;
            for (Integer row = 1; row < rows && found < 0; ++row) {
                const AnsiString& text = texts[static_cast<std::size_t>(row)];
                if (text.size() >= length && AnsiUpperCase(text.substr(0, length)) == prefix) found = row;
            }
        }
        if (found != rows - 1) state.SkipWithError("the last row was not found");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<Int64>(last.size()));
}

// ---------------------------------------------------------------------------
// Typing into the in-place edit and its look-up

// 1,000 characters typed into cell (1, 1) of a grid of Rows rows, the text emptied after each run of them;
// the peer types the same into a plain edit on the same form.
const AnsiString kTyped = [] {
    AnsiString text;
    for (int i = 0; i < 1000; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}();

void BM_GridTyping(benchmark::State& state) {
    TShownGrid<RAdeRedeviDidi> shown(static_cast<Integer>(state.range(0)));
    RAdeRedeviDidi* grid = shown.grid;
    Testing::KeyPress(grid, VK_F2);
    TInplaceEdit* editor = grid->InplaceEditor();
    for (auto _ : state) {
        Testing::TypeText(grid, kTyped);
        if (grid->Cells(grid->Col(), grid->Row()) != kTyped) state.SkipWithError("the cell does not hold the text");
        editor->SetText("");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<Int64>(kTyped.size()));
}

void BM_EditTyping(benchmark::State& state) {
    TShownGrid<RAdeRedeviDidi> shown(100);
    auto* edit = new TEdit(shown.form.get());
    edit->SetParent(shown.form.get());
    edit->SetBounds(0, 0, 100, 24);
    edit->SetFocus();
    for (auto _ : state) {
        Testing::TypeText(edit, kTyped);
        if (edit->Text() != kTyped) state.SkipWithError("the edit does not hold the text");
        edit->SetText("");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<Int64>(kTyped.size()));
}

// Look-up items of which only the last starts with "z".
std::unique_ptr<TStringList> LookupList(Integer Count) {
    auto items = std::make_unique<TStringList>();
    for (Integer i = 1; i < Count; ++i) items->Add("item " + std::to_string(i));
    items->Add("zebra");
    return items;
}

// One key typed into an empty edit completes from the last of the items.
void BM_GridLookup(benchmark::State& state) {
    TShownGrid<RAdeRedeviDidi> shown(100);
    RAdeRedeviDidi* grid = shown.grid;
    grid->SetLookup(true);
    grid->SetLookupItems(LookupList(static_cast<Integer>(state.range(0))).get());
    Testing::KeyPress(grid, VK_F2);
    TInplaceEdit* editor = grid->InplaceEditor();
    for (auto _ : state) {
        editor->SetText("");
        Testing::TypeText(grid, "z");
        if (editor->Text() != "zebra") state.SkipWithError("the look-up did not complete");
    }
    state.SetItemsProcessed(state.iterations());
}

// The items scanned for "Z" with the same comparison, a character at a time upper-cased.
void BM_LookupScan(benchmark::State& state) {
    const std::unique_ptr<TStringList> items = LookupList(static_cast<Integer>(state.range(0)));
    const AnsiString typed = "z";
    for (auto _ : state) {
        Integer found = -1;
        for (Integer i = 0; i < items->Count() && found < 0; ++i) {
            const AnsiString item = items->Strings(i);
            std::size_t at = 0;
            while (at < typed.size() && at < item.size() && AnsiUpperChar(item[at]) == AnsiUpperChar(typed[at])) ++at;
            if (at == typed.size()) found = i;
        }
        if (found != items->Count() - 1) state.SkipWithError("the last item was not found");
    }
    state.SetItemsProcessed(state.iterations());
}

// ---------------------------------------------------------------------------
// Opening and committing the separate editors

const std::pair<const char*, BaseGrid::TEditorType> kEditors[] = {
    {"Spin", BaseGrid::edSpinEdit},
    {"FloatSpin", BaseGrid::edFloatSpinEdit},
    {"TimeSpin", BaseGrid::edTimeSpinEdit},
    {"DateSpin", BaseGrid::edDateSpinEdit},
    {"ComboEdit", BaseGrid::edComboEdit},
    {"ComboList", BaseGrid::edComboList},
    {"UniComboEdit", BaseGrid::edUniComboEdit},
    {"UniComboList", BaseGrid::edUniComboList},
    {"EditBtn", BaseGrid::edEditBtn},
    {"NumericEditBtn", BaseGrid::edNumericEditBtn},
    {"FloatEditBtn", BaseGrid::edFloatEditBtn},
    {"UnitEditBtn", BaseGrid::edUnitEditBtn},
    {"CheckBox", BaseGrid::edCheckBox},
    {"Button", BaseGrid::edButton},
    {"UniEdit", BaseGrid::edUniEdit},
};

// F2 opens the type's editor on cell (1, 1), which holds "12"; Enter stores it and closes it (Esc for the
// button, where Enter is its own click). The cell keeps its text and stays current.
void EditorOpenCommit(benchmark::State& state, BaseGrid::TEditorType Type) {
    TShownGrid<RAdeRedeviDidi> shown(static_cast<Integer>(state.range(0)));
    RAdeRedeviDidi* grid = shown.grid;
    grid->OnGetEditorType = [Type](TObject*, Integer, Integer, BaseGrid::TEditorType& Editor) { Editor = Type; };
    grid->ComboEditor()->Items()->SetCommaText("12,apple,pear");
    grid->UniComboEditor()->Items()->SetText(u"12\napple");
    // The click that focused the grid may have opened the in-place edit on the cell.
    grid->SetEditorMode(false);
    grid->SetCells(1, 1, "12");
    grid->SetCol(1);
    grid->SetRow(1);
    const Word commit = Type == BaseGrid::edButton ? VK_ESCAPE : VK_RETURN;
    for (auto _ : state) {
        Testing::KeyPress(grid, VK_F2);
        if (!grid->TypeEditorShown() || grid->Focused()) state.SkipWithError("the editor did not open");
        Testing::KeyPress(grid, commit);
        // The Unicode editors store the same text wide.
        if (!grid->Focused() || grid->Col() != 1 || grid->Row() != 1 || grid->WideCells(1, 1) != u"12")
            state.SkipWithError("the editor did not close on its cell");
    }
    state.SetItemsProcessed(state.iterations());
}

// The peer: the class library's grid opens its in-place editor with F2 and closes it with Enter.
void BM_StringGridOpenCommit(benchmark::State& state) {
    TShownGrid<TStringGrid> shown(static_cast<Integer>(state.range(0)));
    TStringGrid* grid = shown.grid;
    grid->SetEditorMode(false);
    grid->SetCells(1, 1, "12");
    for (auto _ : state) {
        Testing::KeyPress(grid, VK_F2);
        if (!grid->EditorMode()) state.SkipWithError("the editor did not open");
        Testing::KeyPress(grid, VK_RETURN);
        if (grid->EditorMode() || grid->Cells(1, 1) != "12") state.SkipWithError("the editor did not close");
    }
    state.SetItemsProcessed(state.iterations());
}

// BM_Editor<type> on 100 and 1M rows, beside BM_StringGridOpenCommit.
void RegisterEditors() {
    for (const auto& [name, type] : kEditors)
        benchmark::RegisterBenchmark((std::string("BM_Editor") + name).c_str(), EditorOpenCommit, type)
            ->Arg(100)
            ->Arg(1000000);
}

BENCHMARK(BM_StringGridOpenCommit)->Arg(100)->Arg(1000000);

BENCHMARK(BM_GridTyping)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditTyping)->Arg(100)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridLookup)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupScan)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_EnterWithoutEditableCell)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AskEveryCell)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IncrementalSearch)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrefixLoop)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    RegisterKeyPairs();
    RegisterEditors();
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_GridTyping" || Name == "BM_EditTyping") return std::string("BM_EditTyping");
            if (Name == "BM_GridLookup" || Name == "BM_LookupScan") return std::string("BM_LookupScan");
            if (Name.starts_with("BM_Editor") || Name == "BM_StringGridOpenCommit")
                return std::string("BM_StringGridOpenCommit");
            if (Name.starts_with("BM_Grid")) return "BM_StringGrid" + Name.substr(7);
            if (Name.starts_with("BM_StringGrid")) return Name;
            if (Name == "BM_EnterWithoutEditableCell" || Name == "BM_AskEveryCell")
                return std::string("BM_AskEveryCell");
            return std::string("BM_PrefixLoop");
        },
        {"100", "100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
