// The grid's typed cell access against the standard conversions on the same texts and values: Ints reads
// against std::from_chars (at most 3x), Floats reads against strtod (at most 4x), Floats writes with the
// default "%.2f" against snprintf storing the same texts (at most 3x); 100k and 1M cells for the growth.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "ProGrid.h"

namespace {

constexpr int kCols = 10;

std::vector<std::string> IntegerTexts(std::size_t Count) {
    std::mt19937 random(3);
    std::uniform_int_distribution<Integer> value(-1000000000, 1000000000);
    std::vector<std::string> texts(Count);
    for (std::string& text : texts) text = std::to_string(value(random));
    return texts;
}

std::vector<std::string> FloatTexts(std::size_t Count) {
    std::mt19937 random(4);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    std::uniform_int_distribution<int> decimals(0, 6);
    std::vector<std::string> texts(Count);
    char buffer[64];
    for (std::string& text : texts) {
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals(random), value(random));
        text = buffer;
    }
    return texts;
}

std::vector<double> Values(std::size_t Count) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> value(-1e6, 1e6);
    std::vector<double> values(Count);
    for (double& v : values) v = value(random);
    return values;
}

// A grid of kCols columns holding Texts row by row, without a window.
TOwned<ProGrid::RAdeRedeviDidi> GridOf(const std::vector<std::string>& Texts) {
    auto grid = MakeOwned<ProGrid::RAdeRedeviDidi>(nullptr);
    grid->SetColCount(kCols);
    grid->SetRowCount(static_cast<Integer>(Texts.size() / kCols));
    for (std::size_t i = 0; i < Texts.size(); ++i)
        grid->SetCells(static_cast<Integer>(i % kCols), static_cast<Integer>(i / kCols), Texts[i]);
    return grid;
}

template <typename Read>
auto SumGrid(ProGrid::RAdeRedeviDidi& Grid, Read read) {
    decltype(read(0, 0)) sum = 0;
    for (Integer row = 0; row < Grid.RowCount(); ++row)
        for (Integer col = 0; col < kCols; ++col) sum += read(col, row);
    return sum;
}

Int64 FromCharsSum(const std::vector<std::string>& Texts) {
    Int64 sum = 0;
    for (const std::string& text : Texts) {
        Integer value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        sum += value;
    }
    return sum;
}

double StrtodSum(const std::vector<std::string>& Texts) {
    double sum = 0;
    for (const std::string& text : Texts) sum += std::strtod(text.c_str(), nullptr);
    return sum;
}

void BM_FromChars(benchmark::State& state) {
    const auto texts = IntegerTexts(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(FromCharsSum(texts));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_IntsRead(benchmark::State& state) {
    const auto texts = IntegerTexts(static_cast<std::size_t>(state.range(0)));
    auto grid = GridOf(texts);
    auto read = [&](Integer col, Integer row) { return static_cast<Int64>(grid->Ints(col, row)); };
    if (SumGrid(*grid, read) != FromCharsSum(texts)) state.SkipWithError("the sums differ");
    for (auto _ : state) benchmark::DoNotOptimize(SumGrid(*grid, read));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Strtod(benchmark::State& state) {
    const auto texts = FloatTexts(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(StrtodSum(texts));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FloatsRead(benchmark::State& state) {
    const auto texts = FloatTexts(static_cast<std::size_t>(state.range(0)));
    auto grid = GridOf(texts);
    auto read = [&](Integer col, Integer row) { return grid->Floats(col, row); };
    if (SumGrid(*grid, read) != StrtodSum(texts)) state.SkipWithError("the sums differ");
    for (auto _ : state) benchmark::DoNotOptimize(SumGrid(*grid, read));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Snprintf(benchmark::State& state) {
    const auto values = Values(static_cast<std::size_t>(state.range(0)));
    std::vector<std::string> texts(values.size());
    for (auto _ : state) {
        char buffer[64];
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::snprintf(buffer, sizeof buffer, "%.2f", values[i]);
            texts[i] = buffer;
        }
        benchmark::DoNotOptimize(texts.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FloatsWrite(benchmark::State& state) {
    const auto values = Values(static_cast<std::size_t>(state.range(0)));
    auto grid = GridOf(std::vector<std::string>(values.size()));
    auto writeAll = [&] {
        for (std::size_t i = 0; i < values.size(); ++i)
            grid->SetFloats(static_cast<Integer>(i % kCols), static_cast<Integer>(i / kCols), values[i]);
    };
    writeAll();
    char buffer[64];
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%.2f", values[i]);
        if (grid->Cells(static_cast<Integer>(i % kCols), static_cast<Integer>(i / kCols)) != buffer) {
            state.SkipWithError("the texts differ");
            break;
        }
    }
    for (auto _ : state) writeAll();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FromChars)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_IntsRead)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_Strtod)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_FloatsRead)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_Snprintf)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_FloatsWrite)->Arg(100000)->Arg(1000000);

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_IntsRead" || Name == "BM_FromChars") return std::string("BM_FromChars");
            if (Name == "BM_FloatsRead" || Name == "BM_Strtod") return std::string("BM_Strtod");
            return std::string("BM_Snprintf");
        },
        {"100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
