// The calculator's per-keystroke number path: writing a field (fixed-point text, then digit
// grouping) and reading one back, on random 11-digit numbers. The allocation counter shows
// that a call allocates nothing once the result string has its capacity.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "valstr.h"

namespace {

std::atomic<long> allocations{0};

std::vector<double> RandomElevenDigitValues() {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> value(1e10, 1e11);
    std::vector<double> values(4096);
    for (double& v : values) v = value(random);
    return values;
}

std::vector<std::string> RandomElevenDigitTexts(bool grouped) {
    valstr::SetDigitGroupSeparator(grouped ? "'" : "");
    std::vector<std::string> texts;
    for (double v : RandomElevenDigitValues()) {
        std::string plain;
        std::string text;
        valstr::FloatToStrDec(4, plain, v);
        valstr::GroupDigits(plain, 0, text);
        texts.push_back(text);
    }
    valstr::SetDigitGroupSeparator("");
    return texts;
}

void ReportAllocations(benchmark::State& state, long before) {
    state.counters["allocs/call"] =
        benchmark::Counter(static_cast<double>(allocations - before), benchmark::Counter::kAvgIterations);
}

void BM_FloatToStrDecThenGroupDigits(benchmark::State& state) {
    const std::vector<double> values = RandomElevenDigitValues();
    valstr::SetDigitGroupSeparator("'");
    std::string plain;
    std::string grouped;
    std::size_t i = 0;
    const long before = allocations;
    for (auto _ : state) {
        valstr::FloatToStrDec(4, plain, values[i++ % values.size()]);
        valstr::GroupDigits(plain, 0, grouped);
        benchmark::DoNotOptimize(grouped.data());
    }
    ReportAllocations(state, before);
    valstr::SetDigitGroupSeparator("");
}
BENCHMARK(BM_FloatToStrDecThenGroupDigits);

// A result line's number: a position's percentage of the disk with 4 decimals, against the C library's
// correctly rounded "%.4f" of the same values (the library trims trailing zeros as well).
std::vector<double> RandomPercentages() {
    std::vector<double> values = RandomElevenDigitValues();
    for (double& v : values) v = v / 1e11 * 100;
    return values;
}

void BM_FloatToStrDecPercent(benchmark::State& state) {
    const std::vector<double> values = RandomPercentages();
    std::string text;
    std::size_t i = 0;
    for (auto _ : state) {
        valstr::FloatToStrDec(4, text, values[i++ % values.size()]);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_FloatToStrDecPercent);

void BM_SnprintfPercentPeer(benchmark::State& state) {
    const std::vector<double> values = RandomPercentages();
    char text[64];
    std::size_t i = 0;
    for (auto _ : state) {
        std::snprintf(text, sizeof text, "%.4f", values[i++ % values.size()]);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_SnprintfPercentPeer);

void BM_StrToFloatLenient(benchmark::State& state) {
    const std::vector<std::string> texts = RandomElevenDigitTexts(state.range(0) != 0);
    std::size_t i = 0;
    const long before = allocations;
    for (auto _ : state) benchmark::DoNotOptimize(valstr::StrToFloatLenient(texts[i++ % texts.size()], 0.0));
    ReportAllocations(state, before);
}
BENCHMARK(BM_StrToFloatLenient)->ArgName("grouped")->Arg(0)->Arg(1);

}  // namespace

// Out of line, so the compiler does not pair malloc and free across the replaced operators.
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
