// Painting the string grid: a whole 800 x 600 page against a table view repainting the same cells, and a
// key typed into the grid's in-place editor against the same key typed into a plain edit.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "peers/QtPaintPeers.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

constexpr int Cols = GridBenchCols;
constexpr auto CellText = GridCellText;

// A shown form with an 800 x 600 borderless grid filling it: 10 columns of 65 pixels, 24 rows of 25.
struct ShownGrid {
    explicit ShownGrid(int Rows) : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < Cols; ++c) grid->SetCells(c, r, CellText(c, r));
        Testing::ShowAndActivate(form);
        Application->ProcessMessages();
    }
    ~ShownGrid() { FreeAndNil(form); }
    TForm* form;
    TStringGrid* grid = nullptr;
};

void BM_GridPage(benchmark::State& state) {
    ShownGrid shown(static_cast<int>(state.range(0)));
    int cells = 0;
    shown.grid->OnDrawCell = [&cells](TObject*, Integer, Integer, const TRect&, TGridDrawState) { ++cells; };
    for (auto _ : state) shown.grid->Repaint();
    state.counters["cells/paint"] = benchmark::Counter(cells, benchmark::Counter::kAvgIterations);
}

void BM_TablePage(benchmark::State& state) {
    qtpeer::ShownTable table(static_cast<int>(state.range(0)), Cols, CellText, 65, 25, 800, 600);
    table.TakeCellsAsked();
    int cells = 0;
    for (auto _ : state) {
        table.Repaint();
        cells += table.TakeCellsAsked();
    }
    state.counters["cells/paint"] = benchmark::Counter(cells, benchmark::Counter::kAvgIterations);
}

// One character typed and shown, as a user types; the text starts over every 32 keys.
template <typename Start>
void TypeKeys(benchmark::State& state, TWinControl* target, Start&& startOver) {
    int typed = 0;
    for (auto _ : state) {
        Testing::TypeText(target, "x");
        Application->ProcessMessages();
        if (++typed % 32 == 0) {
            state.PauseTiming();
            startOver();
            Application->ProcessMessages();
            state.ResumeTiming();
        }
    }
}

void BM_GridEditorKey(benchmark::State& state) {
    ShownGrid shown(static_cast<int>(state.range(0)));
    TStringGrid* grid = shown.grid;
    TGridOptions options = grid->Options();
    options.Include(goEditing);
    grid->SetOptions(options);
    grid->SetCol(3);
    grid->SetRow(5);
    grid->SetEditorMode(true);
    Application->ProcessMessages();
    int cells = 0;
    grid->OnDrawCell = [&cells](TObject*, Integer, Integer, const TRect&, TGridDrawState) { ++cells; };
    TypeKeys(state, grid, [grid] { grid->SetCells(3, 5, ""); });
    state.counters["cells/key"] = benchmark::Counter(cells, benchmark::Counter::kAvgIterations);
    Testing::TypeText(grid, "y");
    Application->ProcessMessages();
    if (grid->InplaceEditor() == nullptr || grid->InplaceEditor()->Text().find('y') == AnsiString::npos)
        state.SkipWithError("nothing was typed");
}

void BM_EditKey(benchmark::State& state) {
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 820, 640);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(195, 125, 64, 24);
    Testing::ShowAndActivate(form.get());
    edit->SetFocus();
    Application->ProcessMessages();
    TypeKeys(state, edit, [edit] { edit->SetText(""); });
    Testing::TypeText(edit, "y");
    Application->ProcessMessages();
    if (edit->Text().find('y') == AnsiString::npos) state.SkipWithError("nothing was typed");
    form.release()->Free();
}

BENCHMARK(BM_GridPage)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TablePage)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridEditorKey)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditKey)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_GridPage") return std::string("BM_TablePage");
            if (Name == "BM_GridEditorKey") return std::string("BM_EditKey");
            return Name;
        },
        {"10000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
