// The grid's mark-up engine against plain peers on the same input in the same run.
//
// Text preparation: the entity scan over 100 KB and 1 MB of text dense with entities against one plain
// std::string scan that replaces the same entities (at most 2x, linear); StripHTML over the same sizes
// with a tag every 10 bytes against a single-pass tag remover (at most 2x, linear).
#include <algorithm>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "BenchMain.h"
#include "GrdHTMLE.h"
#include "PeerRatios.h"

namespace {

// ---------------------------------------------------------------------------
// Text preparation

struct TPeerEntity {
    const char* Name;
    const char* Text;
};

constexpr TPeerEntity PeerEntities[] = {
    {"&amp;", "&&"},    {"&quot;", "\""},   {"&sect;", "\xA7"},  {"&permil;", "\x89"}, {"&reg;", "\xAE"},
    {"&copy;", "\xA9"}, {"&para;", "\xB6"}, {"&trade;", "\x99"}, {"&euro;", "\x80"},
};

// Entities (lower case, each followed by a letter) between short words: about one entity per 10 bytes.
std::string EntityText(std::size_t Size) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> entity(0, std::size(PeerEntities) - 1), letter('a', 'z'), length(1, 5);
    std::string text;
    text.reserve(Size + 16);
    while (text.size() < Size) {
        text += PeerEntities[entity(random)].Name;
        for (int n = length(random); n > 0; --n) text += static_cast<char>(letter(random));
    }
    return text;
}

// One scan comparing each "&" with the table: the work a single std::string pass does.
std::string PeerReplaceEntities(const std::string& S) {
    std::string result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size();) {
        if (S[i] == '&') {
            bool found = false;
            for (const TPeerEntity& entity : PeerEntities) {
                const std::size_t length = std::char_traits<char>::length(entity.Name);
                if (S.compare(i, length, entity.Name) == 0) {
                    result += entity.Text;
                    i += length;
                    found = true;
                    break;
                }
            }
            if (found) continue;
        }
        result += S[i++];
    }
    return result;
}

void BM_EntityScanPeer(benchmark::State& state) {
    const std::string text = EntityText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PeerReplaceEntities(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_ReplaceEntities(benchmark::State& state) {
    const std::string text = EntityText(static_cast<std::size_t>(state.range(0)));
    if (GrdHTMLE::ReplaceEntities(text) != PeerReplaceEntities(text)) state.SkipWithError("the scans disagree");
    for (auto _ : state) benchmark::DoNotOptimize(GrdHTMLE::ReplaceEntities(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Words and tags (no line breaks), a tag about every 10 bytes.
std::string TaggedText(std::size_t Size) {
    static const char* const Tags[] = {"<B>", "</B>", "<I>", "</I>", "<FONT COLOR=\"clred\">", "</FONT>", "<U>"};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> tag(0, std::size(Tags) - 1), letter('a', 'z'), length(3, 12);
    std::string text;
    text.reserve(Size + 32);
    while (text.size() < Size) {
        text += Tags[tag(random)];
        for (int n = length(random); n > 0; --n) text += static_cast<char>(letter(random));
    }
    return text;
}

// Each "<" cut to the next ">": the single-pass tag remover.
std::string PeerStripTags(const std::string& S) {
    std::string result;
    result.reserve(S.size());
    for (std::size_t i = 0; i < S.size(); ++i) {
        if (S[i] != '<') {
            result += S[i];
            continue;
        }
        const std::size_t close = S.find('>', i);
        if (close == std::string::npos) {
            result.append(S, i, std::string::npos);
            break;
        }
        i = close;
    }
    return result;
}

void BM_StripTagsPeer(benchmark::State& state) {
    const std::string text = TaggedText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(PeerStripTags(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_StripHTML(benchmark::State& state) {
    const std::string text = TaggedText(static_cast<std::size_t>(state.range(0)));
    AnsiString stripped;
    GrdHTMLE::StripHTML(text, stripped);
    if (stripped != PeerStripTags(text)) state.SkipWithError("the removers disagree");
    for (auto _ : state) {
        GrdHTMLE::StripHTML(text, stripped);
        benchmark::DoNotOptimize(stripped);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_EntityScanPeer)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_ReplaceEntities)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StripTagsPeer)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_StripHTML)->Arg(100000)->Arg(1000000);

std::string PeerOf(const std::string& Name) {
    if (Name == "BM_ReplaceEntities" || Name == "BM_EntityScanPeer") return "BM_EntityScanPeer";
    if (Name == "BM_StripHTML" || Name == "BM_StripTagsPeer") return "BM_StripTagsPeer";
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    PeerRatioReporter reporter(PeerOf, {"100000", "1000000"});
    return RunBenchmarks(argc, argv, {}, &reporter);
}
