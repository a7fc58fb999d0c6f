// The grid's number reading against strtod on the same texts (ClassifyNumber + ExtractNumericText must
// stay within twice strtod), and the single-quote count over 100 KB and 1 MB of text against std::count
// (the count must grow linearly).
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "PeerRatios.h"
#include "ProUtil.h"

namespace {

// Number texts as cells hold them: integers, decimals, negatives, up to 12 digits.
std::vector<std::string> NumberTexts(std::size_t Count) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> digits(1, 12), digit(0, 9), kind(0, 2);
    std::vector<std::string> texts;
    texts.reserve(Count);
    while (texts.size() < Count) {
        std::string text = kind(random) == 0 ? "-" : "";
        for (int n = digits(random); n > 0; --n) text += static_cast<char>('0' + digit(random));
        if (kind(random) != 2) {
            text += '.';
            for (int n = digits(random) / 3 + 1; n > 0; --n) text += static_cast<char>('0' + digit(random));
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

std::vector<std::string> Numbers(std::size_t Count) {
    static const std::vector<std::string> texts = NumberTexts(100000);
    return {texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(std::min(Count, texts.size()))};
}

// Both readers find the same value in every text.
bool SameValues(const std::vector<std::string>& Texts) {
    return std::all_of(Texts.begin(), Texts.end(), [](const std::string& text) {
        return ProUtil::ClassifyNumber(text) != 2 &&
               std::strtod(ProUtil::ExtractNumericText(text).c_str(), nullptr) == std::strtod(text.c_str(), nullptr);
    });
}

void BM_Strtod(benchmark::State& state) {
    const std::vector<std::string> texts = Numbers(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& text : texts) sum += std::strtod(text.c_str(), nullptr);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ClassifyAndExtract(benchmark::State& state) {
    const std::vector<std::string> texts = Numbers(static_cast<std::size_t>(state.range(0)));
    if (!SameValues(texts)) state.SkipWithError("the readers disagree");
    for (auto _ : state) {
        std::size_t sum = 0;
        for (const std::string& text : texts)
            sum += static_cast<std::size_t>(ProUtil::ClassifyNumber(text)) + ProUtil::ExtractNumericText(text).size();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Text with a quote about every 12 characters, doubled about half the time.
std::string QuotedText(std::size_t Size) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> letter('a', 'z'), pick(0, 23);
    std::string text;
    text.reserve(Size + 2);
    while (text.size() < Size) {
        const int p = pick(random);
        if (p == 0) text += "\"\"";
        else if (p == 1) text += '"';
        else text += static_cast<char>(letter(random));
    }
    text.resize(Size);
    return text;
}

void BM_StdCount(benchmark::State& state) {
    const std::string text = QuotedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '"'));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_SingleCharCount(benchmark::State& state) {
    const std::string text = QuotedText(static_cast<std::size_t>(state.range(0)));
    // The doubled quotes are exactly those CharCount has and SingleCharCount has not.
    const auto all = static_cast<Integer>(std::count(text.begin(), text.end(), '"'));
    if (ProUtil::CharCount('"', text) != all || ProUtil::SingleCharCount('"', text) > all)
        state.SkipWithError("the counts disagree");
    for (auto _ : state) benchmark::DoNotOptimize(ProUtil::SingleCharCount('"', text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_Strtod)->Arg(10000)->Arg(100000);
BENCHMARK(BM_ClassifyAndExtract)->Arg(10000)->Arg(100000);
BENCHMARK(BM_StdCount)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_SingleCharCount)->Arg(100000)->Arg(1000000);

}  // namespace

int main(int argc, char** argv) {
    // Each reports against its peer at both sizes; the last column is the growth from the smaller size.
    PeerRatioReporter reporter(
        [](const std::string& Name) {
            if (Name == "BM_ClassifyAndExtract" || Name == "BM_Strtod") return std::string("BM_Strtod");
            return std::string("BM_StdCount");
        },
        {"10000", "100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
