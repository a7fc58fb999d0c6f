// Sorting a million rows of random 12-character texts: the item table's sort by field 0, plain and with
// natural comparison, against std::sort of the same strings and against coreutils sort of the same lines.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "superar.h"

extern char** environ;

namespace {

constexpr Integer RowCount = 1000000;

// Letters and digits, so that natural comparison meets digit runs.
const std::vector<AnsiString>& RandomTexts() {
    static const std::vector<AnsiString> texts = [] {
        static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::mt19937_64 random(12);
        std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 2);
        std::vector<AnsiString> result(RowCount);
        for (AnsiString& text : result) {
            text.resize(12);
            for (char& c : text) c = alphabet[pick(random)];
        }
        return result;
    }();
    return texts;
}

superar::ArrayOfFiles& TableOfTexts() {
    static superar::ArrayOfFiles table = [] {
        superar::ArrayOfFiles made{};
        superar::InitTable(made, RowCount);
        for (const AnsiString& text : RandomTexts()) superar::AddRowWithText(made, text, superar::FieldData);
        return made;
    }();
    return table;
}

void RefillTable(superar::ArrayOfFiles& Table) {
    const auto& texts = RandomTexts();
    for (std::size_t row = 1; row <= texts.size(); ++row)
        superar::SetFieldText(Table, static_cast<Integer>(row), superar::FieldData, texts[row - 1]);
}

void SortTableRows(benchmark::State& state, Byte Natural) {
    superar::ArrayOfFiles& table = TableOfTexts();
    table.NaturalSort = Natural;
    for (auto _ : state) {
        state.PauseTiming();
        RefillTable(table);
        state.ResumeTiming();
        superar::SortTableBy(table, "alphabetical");
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void BM_SortTableByField0(benchmark::State& state) { SortTableRows(state, 0); }
void BM_SortTableByNaturalKey(benchmark::State& state) { SortTableRows(state, 1); }

template <typename LessT>
void SortStrings(benchmark::State& state, LessT Less) {
    std::vector<AnsiString> texts;
    for (auto _ : state) {
        state.PauseTiming();
        texts = RandomTexts();
        state.ResumeTiming();
        std::sort(texts.begin(), texts.end(), Less);
    }
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void BM_StdSortBytes(benchmark::State& state) { SortStrings(state, std::less<AnsiString>()); }

// The table's own comparisons, case-insensitive as the key "alphabetical" asks.
void BM_StdSortPlain(benchmark::State& state) {
    SortStrings(state, [](const AnsiString& A, const AnsiString& B) {
        return valstr::CompareStrings(A, B, false, false) == valstr::CompareSmaller;
    });
}
void BM_StdSortNatural(benchmark::State& state) {
    SortStrings(state, [](const AnsiString& A, const AnsiString& B) {
        return valstr::NaturalCompare(A, B, false) == valstr::CompareSmaller;
    });
}

// coreutils sort of the same lines, started without a shell; -V is its natural (version) order.
void CoreutilsSort(benchmark::State& state, const char* Option) {
    const std::string path = "/tmp/halcyra_sort_bench_" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream out(path, std::ios::binary);
        for (const AnsiString& text : RandomTexts()) out << text << '\n';
    }
    std::vector<std::string> args = {"/usr/bin/sort", "-f", "-o", "/dev/null", path};
    if (*Option) args.insert(args.begin() + 1, Option);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    setenv("LC_ALL", "C", 1);
    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start /usr/bin/sort");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * RowCount);
}

void BM_CoreutilsSortPlain(benchmark::State& state) { CoreutilsSort(state, ""); }
void BM_CoreutilsSortNatural(benchmark::State& state) { CoreutilsSort(state, "-V"); }

BENCHMARK(BM_SortTableByField0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortTableByNaturalKey)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdSortBytes)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdSortPlain)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StdSortNatural)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CoreutilsSortPlain)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_CoreutilsSortNatural)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
