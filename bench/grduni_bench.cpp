// The wide-string list: setting a text of 1 and 10 MB against a plain split of the same text at the same
// breaks into a vector, and a case-blind IndexOf over 10k and 100k strings against a loop over a vector
// with the same comparison. Both sides of each pair are checked to give the same answer first.
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GrdUni.h"
#include "GrdUniTestList.h"

namespace {

// Lines of 0 to 60 units, mostly letters with some CJK and accented ones, broken by CR LF, LF, CR,
// U+2028 and U+2029 in turn.
WideString MakeText(std::size_t Bytes) {
    static const WideString alphabet = u"abcdefghijklmnopqrstuvwxyz\u00E9\u00C9\u65E5\u672C\u20AC ";
    static const WideString breaks[] = {u"\r\n", u"\n", u"\r", u"\u2028", u"\u2029"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 60), letter(0, alphabet.size() - 1);
    WideString text;
    const std::size_t units = Bytes / sizeof(WideChar);
    text.reserve(units + 64);
    for (std::size_t line = 0; text.size() < units; ++line) {
        for (std::size_t n = length(random); n > 0; --n) text += alphabet[letter(random)];
        text += breaks[line % 5];
    }
    return text;
}

std::vector<WideString> PlainSplit(const WideString& Text) {
    std::vector<WideString> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const WideChar c = Text[i];
        if (c != u'\n' && c != u'\v' && c != u'\f' && c != u'\r' && c != u'\u2028' && c != u'\u2029') continue;
        lines.push_back(Text.substr(start, i - start));
        if (c == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < Text.size()) lines.push_back(Text.substr(start));
    return lines;
}

const WideString& TextOf(int64_t Megabytes) {
    static const WideString small = MakeText(1 << 20), large = MakeText(10 << 20);
    return Megabytes == 1 ? small : large;
}

void BM_WideStringsSetText(benchmark::State& state) {
    const WideString& text = TextOf(state.range(0));
    TVectorWideStrings list;
    list.SetText(text);
    if (list.Items() != PlainSplit(text)) state.SkipWithError("the list and the plain split differ");
    for (auto _ : state) {
        list.SetText(text);
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size() * sizeof(WideChar)));
}

void BM_PlainSplit(benchmark::State& state) {
    const WideString& text = TextOf(state.range(0));
    for (auto _ : state) {
        std::vector<WideString> lines = PlainSplit(text);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size() * sizeof(WideChar)));
}

// Count random lower-case strings of 8 to 20 units; the sought one is the last of them with "\u00C9" after
// it, equal to none, so every string is compared.
struct TSearch {
    TVectorWideStrings List;
    WideString Sought;
};

TSearch& SearchOf(int64_t Count) {
    static std::vector<std::unique_ptr<TSearch>> made;
    for (auto& s : made)
        if (s->List.Count() == Count) return *s;
    auto search = std::make_unique<TSearch>();
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> length(8, 20), letter(0, 25);
    for (int64_t i = 0; i < Count; ++i) {
        WideString s;
        for (std::size_t n = length(random); n > 0; --n) s += static_cast<WideChar>(u'a' + letter(random));
        search->List.Add(s);
    }
    search->Sought = search->List.Strings(static_cast<Integer>(Count - 1)) + u"\u00C9";
    made.push_back(std::move(search));
    return *made.back();
}

Integer LoopIndexOf(const std::vector<WideString>& Items, const WideString& Sought) {
    const GrdUni::TWideCompare compare = GrdUni::WideCompare();
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (compare(LOCALE_USER_DEFAULT, Items[i], Sought) == 0) return static_cast<Integer>(i);
    return -1;
}

void BM_WideStringsIndexOf(benchmark::State& state) {
    TSearch& search = SearchOf(state.range(0));
    const WideString upper = search.List.Strings(static_cast<Integer>(state.range(0) / 2));
    if (search.List.IndexOf(search.Sought) != LoopIndexOf(search.List.Items(), search.Sought) ||
        search.List.IndexOf(upper) != LoopIndexOf(search.List.Items(), upper))
        state.SkipWithError("IndexOf and the loop differ");
    for (auto _ : state) benchmark::DoNotOptimize(search.List.IndexOf(search.Sought));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoopIndexOf(benchmark::State& state) {
    TSearch& search = SearchOf(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(LoopIndexOf(search.List.Items(), search.Sought));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_WideStringsSetText)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSplit)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WideStringsIndexOf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopIndexOf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunBenchmarks(argc, argv); }
