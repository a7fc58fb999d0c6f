// Node rows of the full grid: one fixed row, then nodes of 100 rows each (1k nodes in 100k rows, 10k in
// 1M). ContractAllNodes against one HideRowList of the same child rows; ExpandAllNodes against
// UnhideAllRows of them; one node near the middle contracted and expanded against erasing and inserting
// its child rows in a std::vector of row handles; HasNodes and RowIndent queries against reading a plain
// vector of levels.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "ProGrid.h"
#include "vcl/Forms.h"

using namespace ProGrid;

namespace {

constexpr Integer NodeRows = 100;
constexpr Integer Queries = 100000;

// The outputs of a grid run and its peer's on the same size, compared once both ran.
void CheckOutput(benchmark::State& State, const std::string& Work, const std::string& Output) {
    static std::unordered_map<std::string, std::string> outputs;
    auto [found, first] = outputs.emplace(Work + "/" + std::to_string(State.range(0)), Output);
    if (!first && found->second != Output) State.SkipWithError("grid and peer disagree");
}

// The text of real row r: its number.
std::string RowText(Integer Row) { return std::to_string(Row); }

// Every 97th of the Count texts Read gives, and the last.
std::string Sample(Integer Count, const std::function<std::string(Integer)>& Read) {
    std::string sample;
    for (Integer r = 0; r < Count; r += std::max(1, Count / 97)) sample += Read(r) + ";";
    return sample + Read(Count - 1);
}

// The node rows: 1, 101, 201, ...
bool IsNodeRow(Integer Row) { return Row % NodeRows == 1; }

// A shown form with a grid of Rows rows of two columns, the second holding each row's number, and a
// node of span 100 at level 1 on every node row.
struct TNodeGrid {
    explicit TNodeGrid(Integer Rows) : form(MakeOwned<TForm>(nullptr)) {
        form->SetBounds(0, 0, 820, 640);
        grid = new RAdeRedeviDidi(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(0, 0, 800, 600);
        grid->SetColCount(2);
        grid->SetRowCount(Rows);
        for (Integer r = 0; r < Rows; ++r) {
            grid->SetCells(1, r, RowText(r));
            if (!IsNodeRow(r)) continue;
            TCellGraphic* node = grid->CreateCellGraphic(0, r);
            node->CellType = ctNode;
            node->CellIndex = NodeRows;
            grid->GetCellProperties(0, r)->SetNodeLevel(1);
        }
        form->Show();
    }
    std::string SampleCells() const {
        return Sample(grid->RowCount(), [this](Integer r) { return grid->Cells(1, r); });
    }
    TOwned<TForm> form;
    RAdeRedeviDidi* grid = nullptr;
};

Integer GridRows(const benchmark::State& State) { return static_cast<Integer>(State.range(0)) + 1; }

// The child rows of every node, as display rows of the expanded grid.
std::unique_ptr<ProObj::TIntList> ChildRows(Integer Rows) {
    auto list = std::make_unique<ProObj::TIntList>(0, 0);
    for (Integer r = 1; r < Rows; ++r)
        if (!IsNodeRow(r)) list->Add(r);
    return list;
}

// ---------------------------------------------------------------------------
// All nodes

void BM_ContractAllNodes(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    std::string contracted;
    for (auto _ : state) {
        nodes.grid->ContractAllNodes();
        state.PauseTiming();
        contracted = nodes.SampleCells();
        nodes.grid->ExpandAllNodes();
        state.ResumeTiming();
    }
    CheckOutput(state, "contract", contracted);
}

void BM_HideChildRowList(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    const auto children = ChildRows(GridRows(state));
    std::string contracted;
    for (auto _ : state) {
        nodes.grid->HideRowList(children.get());
        state.PauseTiming();
        contracted = nodes.SampleCells();
        nodes.grid->UnhideAllRows();
        state.ResumeTiming();
    }
    CheckOutput(state, "contract", contracted);
}

void BM_ExpandAllNodes(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    for (auto _ : state) {
        state.PauseTiming();
        nodes.grid->ContractAllNodes();
        state.ResumeTiming();
        nodes.grid->ExpandAllNodes();
    }
    CheckOutput(state, "expand", nodes.SampleCells());
}

void BM_UnhideChildRows(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    const auto children = ChildRows(GridRows(state));
    for (auto _ : state) {
        state.PauseTiming();
        nodes.grid->HideRowList(children.get());
        state.ResumeTiming();
        nodes.grid->UnhideAllRows();
    }
    CheckOutput(state, "expand", nodes.SampleCells());
}

// ---------------------------------------------------------------------------
// One node in the middle

Integer MiddleNode(Integer Rows) { return Rows / 2 / NodeRows * NodeRows + 1; }

void BM_ContractExpandNode(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    const Integer node = MiddleNode(GridRows(state));
    std::string after;
    for (auto _ : state) {
        nodes.grid->ContractNode(node);
        after = nodes.grid->Cells(1, node + 1);
        nodes.grid->ExpandNode(node);
    }
    CheckOutput(state, "one", after + "/" + nodes.SampleCells());
}

void BM_VectorEraseInsert(benchmark::State& state) {
    const Integer rows = GridRows(state);
    // Row handles as a grid would keep them: one allocation per row, reached by a pointer.
    std::vector<std::unique_ptr<std::string>> owned;
    std::vector<std::string*> handles;
    for (Integer r = 0; r < rows; ++r) handles.push_back(owned.emplace_back(new std::string(RowText(r))).get());
    const auto node = static_cast<std::size_t>(MiddleNode(rows));
    std::vector<std::string*> taken;
    std::string after;
    for (auto _ : state) {
        const auto first = handles.begin() + static_cast<std::ptrdiff_t>(node + 1);
        taken.assign(first, first + NodeRows - 1);
        handles.erase(first, first + NodeRows - 1);
        after = *handles[node + 1];
        handles.insert(handles.begin() + static_cast<std::ptrdiff_t>(node + 1), taken.begin(), taken.end());
    }
    CheckOutput(state, "one",
                after + "/" + Sample(rows, [&](Integer r) { return *handles[static_cast<std::size_t>(r)]; }));
}

// ---------------------------------------------------------------------------
// Queries

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

void BM_RowIndent(benchmark::State& state) {
    TNodeGrid nodes(GridRows(state));
    const std::vector<Integer> queries = QueryRows(GridRows(state));
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer r : queries) sum += nodes.grid->HasNodes() ? nodes.grid->RowIndent(r) : -1;
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "indent", std::to_string(sum));
}

void BM_LevelVector(benchmark::State& state) {
    const Integer rows = GridRows(state);
    std::vector<Integer> levels(static_cast<std::size_t>(rows));
    for (Integer r = 0; r < rows; ++r) levels[static_cast<std::size_t>(r)] = IsNodeRow(r) ? 1 : 0;
    const Integer nodeCount = (rows + NodeRows - 2) / NodeRows;
    const Integer indent = 12;
    const std::vector<Integer> queries = QueryRows(rows);
    long long sum = 0;
    for (auto _ : state) {
        sum = 0;
        for (Integer r : queries) sum += nodeCount > 0 ? levels[static_cast<std::size_t>(r)] * indent : -1;
        benchmark::DoNotOptimize(sum);
    }
    CheckOutput(state, "indent", std::to_string(sum));
}

std::string PeerOf(const std::string& Name) {
    static const std::unordered_map<std::string, std::string> peers = {
        {"BM_ContractAllNodes", "BM_HideChildRowList"},
        {"BM_ExpandAllNodes", "BM_UnhideChildRows"},
        {"BM_ContractExpandNode", "BM_VectorEraseInsert"},
        {"BM_RowIndent", "BM_LevelVector"},
    };
    const auto found = peers.find(Name);
    return found != peers.end() ? found->second : Name;
}

// Each grid benchmark right after its peer on the same sizes.
#define NODE_SIZES ->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_HideChildRowList) NODE_SIZES->Iterations(5);
BENCHMARK(BM_ContractAllNodes) NODE_SIZES->Iterations(5);
BENCHMARK(BM_UnhideChildRows) NODE_SIZES->Iterations(5);
BENCHMARK(BM_ExpandAllNodes) NODE_SIZES->Iterations(5);
BENCHMARK(BM_VectorEraseInsert) NODE_SIZES;
BENCHMARK(BM_ContractExpandNode) NODE_SIZES;
BENCHMARK(BM_LevelVector) NODE_SIZES;
BENCHMARK(BM_RowIndent) NODE_SIZES;

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
