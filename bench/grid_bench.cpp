// The stand-in's string grid at a million rows: writing and reading every cell against a plain
// vector-of-vectors table, the heap each takes (measured by the allocator), the cost of RowCount alone,
// repainting a window at the top and at the end against a 100-row grid, and geometry deep in the grid.
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/Testing.h"

namespace {

constexpr Integer Rows = 1000000;
constexpr Integer Cols = 10;

// Eight characters that differ per cell, made the same way for the grid and its peer.
AnsiString CellText(Integer Col, Integer Row) {
    AnsiString text = "r0000000";
    Integer n = Row * Cols + Col;
    for (std::size_t i = 7; i > 0 && n > 0; --i, n /= 10) text[i] = static_cast<char>('0' + n % 10);
    return text;
}

// Small blocks and the large ones the allocator maps by themselves.
std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// A shown form of 800 x 600 client pixels with a grid filling it.
struct ShownGrid {
    explicit ShownGrid(Integer RowCount) : form(new TForm(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new TStringGrid(form);
        grid->SetParent(form);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(Cols);
        grid->SetRowCount(RowCount);
        Testing::ShowAndActivate(form);
    }
    ~ShownGrid() { FreeAndNil(form); }
    TForm* form;
    TStringGrid* grid = nullptr;
};

template <typename Write>
void Fill(Write&& write) {
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Cols; ++c) write(c, r, CellText(c, r));
}

void BM_GridWriteCells(benchmark::State& state) {
    const bool shown = state.range(0) != 0;
    double bytesPerCell = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<ShownGrid> window;
        std::unique_ptr<TStringGrid> alone;
        TStringGrid* grid;
        if (shown) {
            window = std::make_unique<ShownGrid>(Rows);
            grid = window->grid;
        } else {
            alone = std::make_unique<TStringGrid>(nullptr);
            grid = alone.get();
            grid->SetColCount(Cols);
            grid->SetRowCount(Rows);
        }
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        Fill([grid](Integer c, Integer r, const AnsiString& s) { grid->SetCells(c, r, s); });
        state.PauseTiming();
        bytesPerCell = static_cast<double>(HeapInUse() - before) / (static_cast<double>(Rows) * Cols);
        if (grid->Cells(Cols - 1, Rows - 1) != CellText(Cols - 1, Rows - 1)) state.SkipWithError("lost a cell");
        state.ResumeTiming();
    }
    state.counters["bytes/cell"] = bytesPerCell;
    state.SetItemsProcessed(state.iterations() * Rows * Cols);
}

void BM_VectorWriteCells(benchmark::State& state) {
    double bytesPerCell = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        std::vector<std::vector<std::string>> table(Rows);
        Fill([&table](Integer c, Integer r, const AnsiString& s) {
            auto& row = table[static_cast<std::size_t>(r)];
            if (row.empty()) row.resize(Cols);
            row[static_cast<std::size_t>(c)] = s;
        });
        state.PauseTiming();
        bytesPerCell = static_cast<double>(HeapInUse() - before) / (static_cast<double>(Rows) * Cols);
        state.ResumeTiming();
        benchmark::DoNotOptimize(table);
    }
    state.counters["bytes/cell"] = bytesPerCell;
    state.SetItemsProcessed(state.iterations() * Rows * Cols);
}

void BM_GridReadCells(benchmark::State& state) {
    TStringGrid grid(nullptr);
    grid.SetColCount(Cols);
    grid.SetRowCount(Rows);
    Fill([&grid](Integer c, Integer r, const AnsiString& s) { grid.SetCells(c, r, s); });
    for (auto _ : state) {
        std::size_t sum = 0;
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) sum += static_cast<unsigned char>(grid.Cells(c, r)[7]);
        benchmark::DoNotOptimize(sum);
        state.counters["checksum"] = static_cast<double>(sum);
    }
    state.SetItemsProcessed(state.iterations() * Rows * Cols);
}

void BM_VectorReadCells(benchmark::State& state) {
    std::vector<std::vector<std::string>> table(Rows, std::vector<std::string>(Cols));
    Fill([&table](Integer c, Integer r, const AnsiString& s) {
        table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = s;
    });
    for (auto _ : state) {
        std::size_t sum = 0;
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c)
                sum += static_cast<unsigned char>(table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)][7]);
        benchmark::DoNotOptimize(sum);
        state.counters["checksum"] = static_cast<double>(sum);
    }
    state.SetItemsProcessed(state.iterations() * Rows * Cols);
}

void BM_GridRowCountAlone(benchmark::State& state) {
    double bytesPerRow = 0;
    for (auto _ : state) {
        TStringGrid grid(nullptr);
        grid.SetColCount(Cols);
        const std::size_t before = HeapInUse();
        grid.SetRowCount(Rows);
        bytesPerRow = static_cast<double>(HeapInUse() - before) / Rows;
        grid.SetRowHeights(Rows / 2, 30);  // one changed height brings the running totals
        state.counters["bytes/row sized"] = static_cast<double>(HeapInUse() - before) / Rows;
    }
    state.counters["bytes/row"] = bytesPerRow;
}

// Repaints the whole window with the grid scrolled to the top (0) or the end (1).
void BM_GridRepaint(benchmark::State& state) {
    const Integer rowCount = static_cast<Integer>(state.range(0));
    ShownGrid window(rowCount);
    TStringGrid* grid = window.grid;
    for (Integer r = 0; r < rowCount; ++r)
        for (Integer c = 0; c < Cols; ++c) grid->SetCells(c, r, CellText(c, r));
    if (state.range(1) != 0) grid->SetTopRow(rowCount);
    int cells = 0;
    grid->OnDrawCell = [&cells](TObject*, Integer, Integer, const TRect&, TGridDrawState) { ++cells; };
    for (auto _ : state) grid->Repaint();
    state.counters["cells/paint"] = benchmark::Counter(cells, benchmark::Counter::kAvgIterations);
    state.counters["top row"] = grid->TopRow();
}

// CellRect and MouseCoord for a row shown at the top of the page, with a few sizes changed so that the
// running totals are in use.
void BM_GridGeometryAt(benchmark::State& state) {
    const Integer row = static_cast<Integer>(state.range(0));
    ShownGrid window(Rows);
    TStringGrid* grid = window.grid;
    for (Integer r = 1; r < Rows; r += 997) grid->SetRowHeights(r, 20 + r % 7);
    grid->SetTopRow(row);
    const TRect rect = grid->CellRect(3, row);
    if (rect.IsEmpty() || !(grid->MouseCoord(rect.Left + 1, rect.Top + 1) == TGridCoord{3, row}))
        state.SkipWithError("geometry disagrees");
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid->CellRect(3, row));
        benchmark::DoNotOptimize(grid->MouseCoord(rect.Left + 1, rect.Top + 1));
    }
}

BENCHMARK(BM_GridWriteCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_VectorWriteCells)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GridReadCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VectorReadCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GridRowCountAlone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GridRepaint)->Args({100, 0})->Args({Rows, 0})->Args({Rows, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridGeometryAt)->Arg(1000)->Arg(Rows - 1);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
