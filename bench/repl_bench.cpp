// Search and replace over a 10 MB text of random lower-case words with a match about every 200
// bytes: FastReplace against a straightforward std::string::find replace-all in the same run,
// shrinking and growing; the replace engine's plain path; and the case-folding search.
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "FastStrings.h"
#include "repl.h"

namespace {

constexpr std::size_t TextSize = 10 * 1024 * 1024;
const std::string Find = "needle";
const std::string Shorter = "pin";
const std::string Longer = "a much longer thread";

const std::string& Text() {
    static const std::string text = [] {
        std::mt19937 random(7);
        std::uniform_int_distribution<int> letter('a', 'z');
        std::uniform_int_distribution<int> wordLength(1, 9);
        std::string s;
        s.reserve(TextSize + 16);
        while (s.size() < TextSize) {
            if (random() % 40 == 0) {
                s += Find;
            } else {
                for (int n = wordLength(random); n > 0; --n) s += static_cast<char>(letter(random));
            }
            s += ' ';
        }
        return s;
    }();
    return text;
}

std::string StdFindReplace(const std::string& source, const std::string& find, const std::string& with) {
    std::string out;
    out.reserve(source.size());
    std::size_t from = 0;
    for (std::size_t at; (at = source.find(find, from)) != std::string::npos; from = at + find.size()) {
        out.append(source, from, at - from);
        out += with;
    }
    out.append(source, from);
    return out;
}

void BM_StdFindReplace(benchmark::State& state, const std::string* with) {
    for (auto _ : state) benchmark::DoNotOptimize(StdFindReplace(Text(), Find, *with));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Text().size()));
}

void BM_FastReplace(benchmark::State& state, const std::string* with) {
    std::string source = Text();
    std::string result;
    for (auto _ : state) {
        FastStrings::FastReplace(source, Find, *with, true, result);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Text().size()));
}

void BM_FastReplaceNoCase(benchmark::State& state) {
    std::string source = Text();
    std::string result;
    for (auto _ : state) {
        FastStrings::FastReplace(source, "NeEdLe", Shorter, false, result);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Text().size()));
}

void BM_SimpleReplace(benchmark::State& state) {
    std::string result;
    for (auto _ : state) {
        repl::SimpleReplace(Find, Shorter, Text(), result);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Text().size()));
}

const std::string MixedCase = "NeEdLe";

// Every match of the whole text, one search after the other.
void BM_CountMatches(benchmark::State& state, bool caseSensitive) {
    const auto Search = caseSensitive ? FastStrings::FastPos : FastStrings::FastPosNoCase;
    const std::string* pattern = caseSensitive ? &Find : &MixedCase;
    const std::string& text = Text();
    const auto length = static_cast<Integer>(text.size());
    const auto patternLength = static_cast<Integer>(pattern->size());
    for (auto _ : state) {
        Integer count = 0;
        for (Integer at = 1; (at = Search(text.data(), pattern->data(), length, at, patternLength)) != 0; ++at) ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

BENCHMARK_CAPTURE(BM_StdFindReplace, shrinking, &Shorter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FastReplace, shrinking, &Shorter)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StdFindReplace, growing, &Longer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FastReplace, growing, &Longer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastReplaceNoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SimpleReplace)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountMatches, FastPos, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CountMatches, FastPosNoCase, false)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
