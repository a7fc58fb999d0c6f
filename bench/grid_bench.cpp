// The stand-in's string grid at a million rows: writing and reading every cell against a plain
// vector-of-vectors table, the heap each takes (measured by the allocator), the cost of RowCount alone,
// repainting a window at the top and at the end against a 100-row grid, and geometry deep in the grid.
// The batch row changes at 10k, 100k and 1M rows, each against the same work on a vector of rows.
#include <malloc.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/Testing.h"

namespace {

constexpr Integer Rows = 1000000;
constexpr Integer Cols = GridBenchCols;
constexpr auto CellText = GridCellText;

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
        TOwned<TStringGrid> alone;
        TStringGrid* grid;
        if (shown) {
            window = std::make_unique<ShownGrid>(Rows);
            grid = window->grid;
        } else {
            alone = MakeOwned<TStringGrid>(nullptr);
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
    const TOwned<TStringGrid> grid = MakeOwned<TStringGrid>(nullptr);
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    Fill([&grid](Integer c, Integer r, const AnsiString& s) { grid->SetCells(c, r, s); });
    for (auto _ : state) {
        std::size_t sum = 0;
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) sum += static_cast<unsigned char>(grid->Cells(c, r)[7]);
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
        const TOwned<TStringGrid> grid = MakeOwned<TStringGrid>(nullptr);
        grid->SetColCount(Cols);
        const std::size_t before = HeapInUse();
        grid->SetRowCount(Rows);
        bytesPerRow = static_cast<double>(HeapInUse() - before) / Rows;
        grid->SetRowHeights(Rows / 2, 30);  // one changed height brings the running totals
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

// ---------------------------------------------------------------------------
// Batch row changes. The grid is filled as the plain table is, with the texts of CellText.

using PlainTable = std::vector<std::vector<std::string>>;

// The grid as a derived grid sees it.
class BatchGrid : public TStringGrid {
public:
    explicit BatchGrid(Integer RowCount) : TStringGrid(nullptr) {
        SetColCount(::Cols);
        SetRowCount(RowCount);
        for (Integer r = 0; r < RowCount; ++r)
            for (Integer c = 0; c < ::Cols; ++c) SetCells(c, r, CellText(c, r));
    }
    using TCustomGrid::DeleteGridRows;
    using TCustomGrid::ExchangeGridRows;
    using TCustomGrid::InsertGridRows;
    using TCustomGrid::PermuteGridRows;
    using TCustomGrid::PutGridRows;
    using TCustomGrid::TakeGridRows;
    using TStringGrid::Store;
};

PlainTable PlainFilled(Integer RowCount) {
    PlainTable table(static_cast<std::size_t>(RowCount), std::vector<std::string>(Cols));
    for (Integer r = 0; r < RowCount; ++r)
        for (Integer c = 0; c < Cols; ++c)
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = CellText(c, r);
    return table;
}

// Column 7 of a few rows spread over the grid (or table), to check that both did the same.
template <typename Read>
std::string Sample(Integer RowCount, Read&& read) {
    std::string sample;
    for (Integer r = 0; r < RowCount; r += std::max(1, RowCount / 97)) sample += read(r) + ";";
    return sample + read(RowCount - 1);
}

std::string SampleGrid(BatchGrid& Grid) {
    return Sample(Grid.RowCount(), [&Grid](Integer r) { return Grid.Cells(7, r); });
}

std::string SamplePlain(const PlainTable& Table) {
    return Sample(static_cast<Integer>(Table.size()),
                  [&Table](Integer r) { return Table[static_cast<std::size_t>(r)][7]; });
}

// The samples of grid and peer runs on the same size, compared once both ran.
std::unordered_map<std::string, std::string>& Outputs() {
    static std::unordered_map<std::string, std::string> outputs;
    return outputs;
}

void CheckOutput(benchmark::State& State, const std::string& Work, const std::string& Output) {
    const std::string key = Work + "/" + std::to_string(State.range(0));
    auto [found, first] = Outputs().emplace(key, Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

// Deleting 1,000 rows below the heading and inserting 1,000 there again; range(1) sets one row height first.
void DeleteInsertTop(benchmark::State& state, bool Sized) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    const TOwned<BatchGrid> owned = MakeOwned<BatchGrid>(rowCount);
    BatchGrid& grid = *owned;
    if (Sized) grid.SetRowHeights(rowCount / 2, 30);
    for (auto _ : state) {
        grid.DeleteGridRows(1, 1000);
        grid.InsertGridRows(1, 1000);
    }
    CheckOutput(state, "delete-insert", SampleGrid(grid));
}
void BM_GridDeleteInsertTop(benchmark::State& state) { DeleteInsertTop(state, false); }
void BM_GridDeleteInsertTopSized(benchmark::State& state) { DeleteInsertTop(state, true); }

void BM_VectorDeleteInsertTop(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    for (auto _ : state) {
        table.erase(table.begin() + 1, table.begin() + 1001);
        table.insert(table.begin() + 1, 1000, std::vector<std::string>());
    }
    for (std::size_t r = 1; r <= 1000; ++r) table[r].resize(Cols);
    CheckOutput(state, "delete-insert", SamplePlain(table));
}

// Every other row out and back where it was.
void BM_GridTakePutEveryOther(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    const TOwned<BatchGrid> owned = MakeOwned<BatchGrid>(rowCount);
    BatchGrid& grid = *owned;
    std::vector<Integer> odd;
    for (Integer r = 1; r < rowCount; r += 2) odd.push_back(r);
    // Once untimed: the rows left and the rows taken, in their order, against the peer's two parts.
    TGridTakenRows taken = grid.TakeGridRows(odd);
    CheckOutput(state, "take-put parts", SampleGrid(grid) + "|" + Sample(taken.Cells.Count(), [&taken](Integer i) {
                                             return taken.Cells.Text(7, i);
                                         }));
    grid.PutGridRows(odd, std::move(taken));
    for (auto _ : state) grid.PutGridRows(odd, grid.TakeGridRows(odd));
    CheckOutput(state, "take-put", SampleGrid(grid));
}

// The same on row handles: a stable partition takes the odd rows to the end, an interleave puts them back.
void BM_VectorPartitionEveryOther(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    std::vector<std::vector<std::string>*> handles(table.size());
    for (std::size_t r = 0; r < table.size(); ++r) handles[r] = &table[r];
    std::vector<std::vector<std::string>*> back(handles.size());
    const auto* base = table.data();
    auto isEven = [base](const auto* row) { return (row - base) % 2 == 0; };
    {
        // Once untimed: the two parts of the partition, in their order, against the grid's.
        auto parts = handles;
        const auto even =
            static_cast<std::size_t>(std::stable_partition(parts.begin(), parts.end(), isEven) - parts.begin());
        auto sampleRange = [&parts](std::size_t First, std::size_t Last) {
            return Sample(static_cast<Integer>(Last - First),
                          [&](Integer r) { return (*parts[First + static_cast<std::size_t>(r)])[7]; });
        };
        CheckOutput(state, "take-put parts", sampleRange(0, even) + "|" + sampleRange(even, parts.size()));
    }
    for (auto _ : state) {
        const auto split = std::stable_partition(handles.begin(), handles.end(), isEven);
        const std::size_t even = static_cast<std::size_t>(split - handles.begin());
        for (std::size_t i = 0; i < handles.size(); ++i) back[i] = i % 2 == 0 ? handles[i / 2] : handles[even + i / 2];
        handles.swap(back);
    }
    CheckOutput(state, "take-put", Sample(static_cast<Integer>(handles.size()), [&handles](Integer r) {
                    return (*handles[static_cast<std::size_t>(r)])[7];
                }));
}

// A fixed random order of all rows but the heading.
std::vector<Integer> Shuffled(Integer RowCount) {
    std::vector<Integer> order(static_cast<std::size_t>(RowCount));
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin() + 1, order.end(), std::mt19937(42));
    return order;
}

void BM_GridPermute(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    const TOwned<BatchGrid> owned = MakeOwned<BatchGrid>(rowCount);
    BatchGrid& grid = *owned;
    const std::vector<Integer> order = Shuffled(rowCount);
    for (auto _ : state) grid.PermuteGridRows(order);
    CheckOutput(state, "permute" + std::to_string(state.iterations()), SampleGrid(grid));
}

void BM_VectorPermute(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    const std::vector<Integer> order = Shuffled(static_cast<Integer>(table.size()));
    for (auto _ : state) {
        PlainTable permuted(table.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            permuted[i] = std::move(table[static_cast<std::size_t>(order[i])]);
        table.swap(permuted);
    }
    CheckOutput(state, "permute" + std::to_string(state.iterations()), SamplePlain(table));
}

// Half a million random exchanges of whole rows.
std::vector<std::pair<Integer, Integer>> ExchangePairs(Integer RowCount) {
    std::mt19937 random(7);
    std::uniform_int_distribution<Integer> row(1, RowCount - 1);
    std::vector<std::pair<Integer, Integer>> pairs(500000);
    for (auto& pair : pairs) pair = {row(random), row(random)};
    return pairs;
}

void BM_GridExchangeRows(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    const TOwned<BatchGrid> owned = MakeOwned<BatchGrid>(rowCount);
    BatchGrid& grid = *owned;
    const auto pairs = ExchangePairs(rowCount);
    for (auto _ : state)
        for (const auto& [a, b] : pairs) grid.ExchangeGridRows(a, b);
    CheckOutput(state, "exchange" + std::to_string(state.iterations()), SampleGrid(grid));
}

void BM_VectorExchangeRows(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    const auto pairs = ExchangePairs(static_cast<Integer>(table.size()));
    for (auto _ : state)
        for (const auto& [a, b] : pairs)
            std::swap(table[static_cast<std::size_t>(a)], table[static_cast<std::size_t>(b)]);
    CheckOutput(state, "exchange" + std::to_string(state.iterations()), SamplePlain(table));
}

// Even rows bottom-up, then odd rows top-down: the first half lands far past the written rows.
template <typename Write>
void ReverseAndSparseFill(Integer RowCount, Write&& write) {
    for (Integer r = (RowCount - 1) / 2 * 2; r >= 0; r -= 2) write(r);
    for (Integer r = 1; r < RowCount; r += 2) write(r);
}

void BM_GridReverseSparseFill(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    std::string sample;
    for (auto _ : state) {
        const TOwned<TStringGrid> owned = MakeOwned<TStringGrid>(nullptr);
        TStringGrid& grid = *owned;
        grid.SetColCount(Cols);
        grid.SetRowCount(rowCount);
        ReverseAndSparseFill(rowCount, [&grid](Integer r) { grid.SetCells(7, r, CellText(7, r)); });
        state.PauseTiming();
        sample = Sample(rowCount, [&grid](Integer r) { return grid.Cells(7, r); });
        state.ResumeTiming();
    }
    CheckOutput(state, "fill", sample);
}

void BM_VectorReverseSparseFill(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    std::string sample;
    for (auto _ : state) {
        PlainTable table(static_cast<std::size_t>(rowCount));
        ReverseAndSparseFill(rowCount, [&table](Integer r) {
            auto& row = table[static_cast<std::size_t>(r)];
            row.resize(Cols);
            row[7] = CellText(7, r);
        });
        state.PauseTiming();
        sample = SamplePlain(table);
        state.ResumeTiming();
    }
    CheckOutput(state, "fill", sample);
}

// RowCount + 1 with one row height set, against a vector of heights growing by one.
void BM_GridRowCountPlusOneSized(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    const TOwned<TStringGrid> owned = MakeOwned<TStringGrid>(nullptr);
    TStringGrid& grid = *owned;
    grid.SetRowCount(rowCount);
    grid.SetRowHeights(rowCount / 2, 30);
    for (auto _ : state) grid.SetRowCount(grid.RowCount() + 1);
    if (grid.RowHeights(rowCount / 2) != 30) state.SkipWithError("lost a height");
}

void BM_VectorRowCountPlusOne(benchmark::State& state) {
    std::vector<Integer> heights(static_cast<std::size_t>(state.range(0)), 24);
    for (auto _ : state) heights.push_back(24);
    benchmark::DoNotOptimize(heights);
}

// Visiting every object a filled grid holds (none) and freeing it, against freeing the plain table.
void BM_GridVisitObjectsAndFree(benchmark::State& state) {
    const auto rowCount = static_cast<Integer>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        TOwned<BatchGrid> grid = MakeOwned<BatchGrid>(rowCount);
        state.ResumeTiming();
        std::size_t objects = 0;
        grid->Store().ForEachObject([&objects](Integer, Integer, TObject*) { ++objects; });
        grid.reset();
        benchmark::DoNotOptimize(objects);
    }
}

void BM_VectorFree(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto table = std::make_unique<PlainTable>(PlainFilled(static_cast<Integer>(state.range(0))));
        state.ResumeTiming();
        table.reset();
    }
}

std::string PeerOf(const std::string& Name) {
    static const std::unordered_map<std::string, std::string> peers = {
        {"BM_GridDeleteInsertTop", "BM_VectorDeleteInsertTop"},
        {"BM_GridDeleteInsertTopSized", "BM_VectorDeleteInsertTop"},
        {"BM_GridTakePutEveryOther", "BM_VectorPartitionEveryOther"},
        {"BM_GridPermute", "BM_VectorPermute"},
        {"BM_GridExchangeRows", "BM_VectorExchangeRows"},
        {"BM_GridReverseSparseFill", "BM_VectorReverseSparseFill"},
        {"BM_GridRowCountPlusOneSized", "BM_VectorRowCountPlusOne"},
        {"BM_GridVisitObjectsAndFree", "BM_VectorFree"},
    };
    const auto found = peers.find(Name);
    return found != peers.end() ? found->second : Name;
}

BENCHMARK(BM_GridWriteCells)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_VectorWriteCells)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_GridReadCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VectorReadCells)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GridRowCountAlone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_GridRepaint)->Args({100, 0})->Args({Rows, 0})->Args({Rows, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridGeometryAt)->Arg(1000)->Arg(Rows - 1);

// Each grid benchmark right after its peer on the same sizes.
#define BATCH_SIZES ->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_VectorDeleteInsertTop) BATCH_SIZES;
BENCHMARK(BM_GridDeleteInsertTop) BATCH_SIZES;
BENCHMARK(BM_GridDeleteInsertTopSized) BATCH_SIZES;
BENCHMARK(BM_VectorPartitionEveryOther) BATCH_SIZES;
BENCHMARK(BM_GridTakePutEveryOther) BATCH_SIZES;
BENCHMARK(BM_VectorPermute) BATCH_SIZES->Iterations(3);
BENCHMARK(BM_GridPermute) BATCH_SIZES->Iterations(3);
BENCHMARK(BM_VectorExchangeRows) BATCH_SIZES->Iterations(2);
BENCHMARK(BM_GridExchangeRows) BATCH_SIZES->Iterations(2);
BENCHMARK(BM_VectorReverseSparseFill) BATCH_SIZES;
BENCHMARK(BM_GridReverseSparseFill) BATCH_SIZES;
BENCHMARK(BM_VectorRowCountPlusOne)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_GridRowCountPlusOneSized)->Arg(10000)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_VectorFree) BATCH_SIZES->Iterations(3);
BENCHMARK(BM_GridVisitObjectsAndFree) BATCH_SIZES->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf);
    return RunBenchmarks(argc, argv, {}, &reporter);
}
