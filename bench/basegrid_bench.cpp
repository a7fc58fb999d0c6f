// The base grid: repainting an 800 x 600 window over a 10k-row merged column (at the top and in the middle
// of it) against a 100-row grid without ranges, and destroying a grid of 1M x 10 cells holding 1,000
// properties objects against freeing a vector-of-vectors table of the same texts.
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BaseGrid.h"
#include "BenchMain.h"
#include "GridCellText.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

using namespace BaseGrid;

namespace {

constexpr Integer Cols = GridBenchCols;
constexpr auto CellText = GridCellText;

// Counts the cells whose content is painted.
class TCountingGrid : public TBaseGrid {
public:
    using TBaseGrid::TBaseGrid;
    int Painted = 0;

protected:
    void DrawCellText(TCanvas* ACanvas, Integer ACol, Integer ARow, const TRect& ARect,
                      TGridDrawState AState) override {
        ++Painted;
        TBaseGrid::DrawCellText(ACanvas, ACol, ARow, ARect, AState);
    }
};

// Args: row count; 0 no range, 1 column 1 merged over every scrollable row, 2 the same scrolled to its middle.
void BM_BaseGridRepaint(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    const TOwned<TForm> form = MakeOwned<TForm>(nullptr);
    form->SetBounds(0, 0, 820, 640);
    auto* grid = new TCountingGrid(form.get());
    grid->SetParent(form.get());
    grid->SetBorderStyle(bsNone);
    grid->SetBounds(0, 0, 800, 600);
    grid->SetColCount(Cols);
    grid->SetRowCount(rows);
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < Cols; ++c) grid->SetCells(c, r, CellText(c, r));
    if (state.range(1) != 0) grid->MergeCells(1, 1, 1, rows - 1);
    if (state.range(1) == 2) grid->SetTopRow(rows / 2);
    Testing::ShowAndActivate(form.get());
    grid->Repaint();
    grid->Painted = 0;
    for (auto _ : state) grid->Repaint();
    state.counters["cells/paint"] = benchmark::Counter(grid->Painted, benchmark::Counter::kAvgIterations);
}

constexpr Integer BigRows = 1000000;

void BM_BaseGridDestroy(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto* grid = new TBaseGrid(nullptr);
        grid->SetColCount(Cols);
        grid->SetRowCount(BigRows);
        for (Integer r = 0; r < BigRows; ++r)
            for (Integer c = 0; c < Cols; ++c) grid->SetCells(c, r, CellText(c, r));
        for (Integer i = 0; i < 1000; ++i) grid->GetCellProperties(i % Cols, i * 997 % BigRows)->SetFontSize(9);
        if (grid->Cells(7, BigRows - 1) != CellText(7, BigRows - 1)) state.SkipWithError("cells differ");
        state.ResumeTiming();
        grid->Free();
    }
}

void BM_VectorTableFree(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto* table = new std::vector<std::vector<std::string>>(BigRows);
        for (Integer r = 0; r < BigRows; ++r) {
            (*table)[r].reserve(Cols);
            for (Integer c = 0; c < Cols; ++c) (*table)[r].push_back(CellText(c, r));
        }
        if ((*table)[BigRows - 1][7] != CellText(7, BigRows - 1)) state.SkipWithError("cells differ");
        state.ResumeTiming();
        delete table;
    }
}

BENCHMARK(BM_BaseGridRepaint)->Args({100, 0})->Args({10000, 1})->Args({10000, 2})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaseGridDestroy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VectorTableFree)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
