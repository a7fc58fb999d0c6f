// The calculator's per-keystroke table path: the input memo's lines into the line table, then one
// field of every row back into a memo, for 10k, 100k and 1M lines of random 11-digit numbers.
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include <vcl/StdCtrls.h>

#include "BenchMain.h"
#include "superar.h"

namespace {

AnsiString RandomLines(Integer Count) {
    std::mt19937_64 random(11);
    std::uniform_int_distribution<Int64> number(10000000000, 99999999999);
    AnsiString text;
    text.reserve(static_cast<std::size_t>(Count) * 13);
    for (Integer i = 0; i < Count; ++i) {
        if (i > 0) text += "\r\n";
        text += std::to_string(number(random));
    }
    return text;
}

void BM_LoadMemoLines(benchmark::State& state) {
    auto memo = MakeOwned<TMemo>(nullptr);
    memo->SetText(RandomLines(static_cast<Integer>(state.range(0))));
    superar::ArrayOfFiles table{};
    for (auto _ : state) benchmark::DoNotOptimize(superar::LoadMemoLines(table, memo.get(), 0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Field 10 holds a result line per row, as the calculator writes it.
void BM_WriteFieldToMemo(benchmark::State& state) {
    auto input = MakeOwned<TMemo>(nullptr);
    input->SetText(RandomLines(static_cast<Integer>(state.range(0))));
    superar::ArrayOfFiles table{};
    superar::LoadMemoLines(table, input.get(), 0);
    AnsiString line;
    for (Integer row = 1; row <= table.Count; ++row) {
        superar::GetFieldText(table, row, 0, line, false);
        superar::SetFieldValue(table, row, 10, Variant("0.0017% (= sector #" + line + ")"));
    }
    auto output = MakeOwned<TMemo>(nullptr);
    for (auto _ : state) superar::WriteFieldToMemo(table, output.get(), 10, false);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadMemoLines)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFieldToMemo)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
