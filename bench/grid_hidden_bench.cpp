// Hidden rows of the full grid, 10 columns: the real and display row mappings with a tenth of the rows
// hidden against std::upper_bound / std::lower_bound over the same hidden indices; HideRowList of every
// other row and UnhideAllRows against a partition of a vector-of-vectors table that moves each hidden row
// into a newly allocated side record and back; and the memory a tenth of 1M rows hidden adds to the grid.
#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "AllocationCounter.h"
#include "BenchMain.h"
#include "GridCellText.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "vcl/Forms.h"

using namespace ProGrid;

namespace {

constexpr Integer Cols = GridBenchCols;
constexpr auto CellText = GridCellText;
constexpr Integer Queries = 100000;

std::string Sample(Integer RowCount, const std::function<std::string(Integer)>& Read) {
    std::string sample;
    for (Integer r = 0; r < RowCount; r += std::max(1, RowCount / 97)) sample += Read(r) + ";";
    return sample + Read(RowCount - 1);
}

// The outputs of a grid run and its peer's on the same size, compared once both ran.
void CheckOutput(benchmark::State& State, const std::string& Work, const std::string& Output) {
    static std::unordered_map<std::string, std::string> outputs;
    auto [found, first] = outputs.emplace(Work + "/" + std::to_string(State.range(0)), Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

// A shown form with a grid of Rows x 10 filled cells.
struct TFilledGrid {
    explicit TFilledGrid(Integer Rows) : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new RAdeRedeviDidi(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r)
            for (Integer c = 0; c < Cols; ++c) grid->SetCells(c, r, CellText(c, r));
        form->Show();
    }
    std::string SampleCells() const {
        return Sample(grid->RowCount(), [this](Integer r) { return grid->Cells(7, r); });
    }
    TOwned<TForm> form;
    RAdeRedeviDidi* grid = nullptr;
};

// The display rows First, First + Step, ... below Rows.
std::unique_ptr<ProObj::TIntList> EveryNth(Integer First, Integer Step, Integer Rows) {
    auto list = std::make_unique<ProObj::TIntList>(0, 0);
    for (Integer r = First; r < Rows; r += Step) list->Add(r);
    return list;
}

// The same pseudo-random rows below Limit for a grid and its peer.
std::vector<Integer> QueryRows(Integer Limit) {
    std::vector<Integer> rows(Queries);
    std::uint32_t x = 12345;
    for (Integer& row : rows) {
        x = x * 1664525u + 1013904223u;
        row = static_cast<Integer>(x % static_cast<std::uint32_t>(Limit));
    }
    return rows;
}

// The real rows hidden when every tenth row is: 10, 20, ...
std::vector<Integer> TenthRows(Integer Rows) {
    std::vector<Integer> rows;
    for (Integer r = 10; r < Rows; r += 10) rows.push_back(r);
    return rows;
}

// ---------------------------------------------------------------------------
// Mappings

void BM_RealRowIndex(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    TFilledGrid filled(rows);
    filled.grid->HideRowList(EveryNth(10, 10, rows).get());
    const std::vector<Integer> queries = QueryRows(filled.grid->RowCount());
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer d : queries) sum += filled.grid->RealRowIndex(d);
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "real", std::to_string(sum));
}

void BM_UpperBoundReal(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    const std::vector<Integer> hidden = TenthRows(rows);
    // Hidden row j stands before display row d when its Idx less the j hidden before it is at most d.
    std::vector<Integer> shifted(hidden.size());
    for (std::size_t j = 0; j < hidden.size(); ++j) shifted[j] = hidden[j] - static_cast<Integer>(j);
    const std::vector<Integer> queries = QueryRows(rows - static_cast<Integer>(hidden.size()));
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer d : queries)
            sum += d + static_cast<Integer>(std::upper_bound(shifted.begin(), shifted.end(), d) - shifted.begin());
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "real", std::to_string(sum));
}

void BM_DisplayRowIndex(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    TFilledGrid filled(rows);
    filled.grid->HideRowList(EveryNth(10, 10, rows).get());
    const std::vector<Integer> queries = QueryRows(rows);
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer r : queries) sum += filled.grid->DisplayRowIndex(r);
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "display", std::to_string(sum));
}

void BM_LowerBoundDisplay(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    const std::vector<Integer> hidden = TenthRows(rows);
    const std::vector<Integer> queries = QueryRows(rows);
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer r : queries)
            sum += r - static_cast<Integer>(std::lower_bound(hidden.begin(), hidden.end(), r) - hidden.begin());
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "display", std::to_string(sum));
}

// ---------------------------------------------------------------------------
// Hiding every other row and putting the rows back

void BM_HideRowList(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    TFilledGrid filled(rows);
    const auto odd = EveryNth(1, 2, rows);
    std::string hidden;
    for (auto _ : state) {
        filled.grid->HideRowList(odd.get());
        state.PauseTiming();
        hidden = filled.SampleCells();
        filled.grid->UnhideAllRows();
        state.ResumeTiming();
    }
    CheckOutput(state, "hide", hidden);
    CheckOutput(state, "unhide", filled.SampleCells());
}

void BM_UnhideAllRows(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    TFilledGrid filled(rows);
    const auto odd = EveryNth(1, 2, rows);
    for (auto _ : state) {
        state.PauseTiming();
        filled.grid->HideRowList(odd.get());
        state.ResumeTiming();
        filled.grid->UnhideAllRows();
    }
    CheckOutput(state, "unhide", filled.SampleCells());
}

using PlainTable = std::vector<std::vector<std::string>>;

struct TSideRow {
    Integer Idx;
    std::vector<std::string> Cells;
};

PlainTable PlainFilled(Integer Rows) {
    PlainTable table(static_cast<std::size_t>(Rows), std::vector<std::string>(Cols));
    for (Integer r = 0; r < Rows; ++r)
        for (Integer c = 0; c < Cols; ++c)
            table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = CellText(c, r);
    return table;
}

std::vector<std::unique_ptr<TSideRow>> PartitionOut(PlainTable& Table) {
    std::vector<std::unique_ptr<TSideRow>> side;
    std::size_t kept = 0;
    for (std::size_t r = 0; r < Table.size(); ++r) {
        if (r % 2 == 1)
            side.push_back(std::make_unique<TSideRow>(TSideRow{static_cast<Integer>(r), std::move(Table[r])}));
        else if (kept++ != r) Table[kept - 1] = std::move(Table[r]);
    }
    Table.resize(kept);
    return side;
}

void PartitionBack(PlainTable& Table, std::vector<std::unique_ptr<TSideRow>>& Side) {
    std::size_t old = Table.size();
    Table.resize(Table.size() + Side.size());
    std::size_t next = Side.size();
    for (std::size_t r = Table.size(); r-- > 0;) {
        if (next > 0 && static_cast<std::size_t>(Side[next - 1]->Idx) == r) Table[r] = std::move(Side[--next]->Cells);
        else if (--old != r) Table[r] = std::move(Table[old]);
    }
    Side.clear();
}

std::string SamplePlain(const PlainTable& Table) {
    return Sample(static_cast<Integer>(Table.size()),
                  [&Table](Integer r) { return Table[static_cast<std::size_t>(r)][7]; });
}

void BM_PartitionOut(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    std::string hidden;
    for (auto _ : state) {
        auto side = PartitionOut(table);
        state.PauseTiming();
        hidden = SamplePlain(table);
        PartitionBack(table, side);
        state.ResumeTiming();
    }
    CheckOutput(state, "hide", hidden);
    CheckOutput(state, "unhide", SamplePlain(table));
}

void BM_PartitionBack(benchmark::State& state) {
    PlainTable table = PlainFilled(static_cast<Integer>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto side = PartitionOut(table);
        state.ResumeTiming();
        PartitionBack(table, side);
    }
    CheckOutput(state, "unhide", SamplePlain(table));
}

// ---------------------------------------------------------------------------
// Memory: the most a tenth of the rows hidden adds at any time, over what the filled grid holds.

void BM_HiddenMemory(benchmark::State& state) {
    const auto rows = static_cast<Integer>(state.range(0));
    for (auto _ : state) {
        const std::size_t before = allocationcounter::LiveBytes();
        TFilledGrid filled(rows);
        const auto tenth = EveryNth(10, 10, rows);
        const std::size_t grid = allocationcounter::RestartPeak() - before;
        filled.grid->HideRowList(tenth.get());
        const std::size_t added = allocationcounter::PeakBytes() - (before + grid);
        state.counters["grid_MB"] = static_cast<double>(grid) / 1e6;
        state.counters["hidden_peak_MB"] = static_cast<double>(added) / 1e6;
        state.counters["hidden_peak_%"] = 100.0 * static_cast<double>(added) / static_cast<double>(grid);
        if (filled.grid->HiddenRowCount() != static_cast<Integer>(tenth->Count())) state.SkipWithError("rows lost");
    }
}

std::string PeerOf(const std::string& Name) {
    static const std::unordered_map<std::string, std::string> peers = {
        {"BM_RealRowIndex", "BM_UpperBoundReal"},
        {"BM_DisplayRowIndex", "BM_LowerBoundDisplay"},
        {"BM_HideRowList", "BM_PartitionOut"},
        {"BM_UnhideAllRows", "BM_PartitionBack"},
    };
    const auto found = peers.find(Name);
    return found != peers.end() ? found->second : Name;
}

// Each grid benchmark right after its peer on the same sizes.
#define HIDDEN_SIZES ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_UpperBoundReal) HIDDEN_SIZES;
BENCHMARK(BM_RealRowIndex) HIDDEN_SIZES;
BENCHMARK(BM_LowerBoundDisplay) HIDDEN_SIZES;
BENCHMARK(BM_DisplayRowIndex) HIDDEN_SIZES;
BENCHMARK(BM_PartitionOut) HIDDEN_SIZES->Iterations(5);
BENCHMARK(BM_HideRowList) HIDDEN_SIZES->Iterations(5);
BENCHMARK(BM_PartitionBack) HIDDEN_SIZES->Iterations(5);
BENCHMARK(BM_UnhideAllRows) HIDDEN_SIZES->Iterations(5);
BENCHMARK(BM_HiddenMemory) HIDDEN_SIZES->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
